// The real sound output, captured by SDL's disk driver into a file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/audio.h"

namespace z2 {
namespace {

void put_le(std::vector<char>& v, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(static_cast<char>((x >> (8 * i)) & 0xFF));
}
void put_be(std::vector<char>& v, uint32_t x, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) v.push_back(static_cast<char>((x >> (8 * i)) & 0xFF));
}
void write_file(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A 44.1 kHz stereo 16-bit wave (the mixer's own format, so no resampling
// changes its values): a 100 Hz square wave of height `level`.
void write_square_wav(const std::string& path, int ms, int16_t level) {
  const uint32_t frames = 44100u * static_cast<uint32_t>(ms) / 1000u;
  std::vector<char> v;
  const uint32_t data = frames * 4;
  v.insert(v.end(), {'R', 'I', 'F', 'F'});
  put_le(v, 36 + data, 4);
  v.insert(v.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put_le(v, 16, 4);
  put_le(v, 1, 2);  // PCM
  put_le(v, 2, 2);
  put_le(v, 44100, 4);
  put_le(v, 44100 * 4, 4);
  put_le(v, 4, 2);
  put_le(v, 16, 2);
  v.insert(v.end(), {'d', 'a', 't', 'a'});
  put_le(v, data, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    const int16_t s = (i / 221) % 2 ? static_cast<int16_t>(-level) : level;
    put_le(v, static_cast<uint16_t>(s), 2);
    put_le(v, static_cast<uint16_t>(s), 2);
  }
  write_file(path, v);
}

// One track: a piano chord held for `ticks` (480 a quarter note, 120 bpm).
void write_smf(const std::string& path, uint32_t ticks) {
  std::vector<char> t = {0x00, char(0xC0), 0x00};
  for (int note : {60, 64, 67}) t.insert(t.end(), {0x00, char(0x90), char(note), 110});
  // Delta time as a variable-length number.
  std::vector<char> vlq = {char(ticks & 0x7F)};
  for (uint32_t d = ticks >> 7; d; d >>= 7) vlq.insert(vlq.begin(), char((d & 0x7F) | 0x80));
  t.insert(t.end(), vlq.begin(), vlq.end());
  t.insert(t.end(), {char(0x80), 60, 0, 0x00, char(0x80), 64, 0, 0x00, char(0x80), 67, 0});
  t.insert(t.end(), {0x00, char(0xFF), 0x2F, 0x00});
  std::vector<char> v = {'M', 'T', 'h', 'd'};
  put_be(v, 6, 4);
  put_be(v, 0, 2);
  put_be(v, 1, 2);
  put_be(v, 480, 2);
  v.insert(v.end(), {'M', 'T', 'r', 'k'});
  put_be(v, static_cast<uint32_t>(t.size()), 4);
  v.insert(v.end(), t.begin(), t.end());
  write_file(path, v);
}

bool have_soundfont() {
  for (const char* f : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
                        "/usr/share/sounds/sf2/default-GM.sf2"})
    if (std::filesystem::exists(f)) return true;
  return false;
}

// Runs the window-thread side for a while: end notices arrive as posted calls.
void pump(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents();
    QThread::msleep(5);
  }
}

// Points SDL's audio at a file for the lifetime of the capture.
class DiskCapture {
 public:
  DiskCapture() : file_(dir_.path().toStdString() + "/out.raw") {
    if (const char* d = std::getenv("SDL_AUDIODRIVER")) old_driver_ = d;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
  }
  ~DiskCapture() {
    if (old_driver_) {
      setenv("SDL_AUDIODRIVER", old_driver_->c_str(), 1);
    } else {
      unsetenv("SDL_AUDIODRIVER");
    }
    unsetenv("SDL_DISKAUDIOFILE");
  }
  std::string path(const char* name) const { return dir_.path().toStdString() + "/" + name; }
  // The 16-bit stereo samples written so far.
  std::vector<int16_t> samples() const {
    std::ifstream in(file_, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> s(raw.size() / 2);
    if (!s.empty()) std::memcpy(s.data(), raw.data(), s.size() * 2);  // an empty vector's data() may be null
    return s;
  }
  std::unique_ptr<Audio> open() {
    return make_audio([this](std::function<void()> f) { QMetaObject::invokeMethod(&receiver_, std::move(f), Qt::QueuedConnection); },
                      [] { return true; });
  }

 private:
  QTemporaryDir dir_;
  std::string file_;
  std::optional<std::string> old_driver_;
  QObject receiver_;
};

int count_of(const std::vector<int16_t>& s, int level) {
  int n = 0;
  for (int16_t x : s) n += (x == level || x == -level) ? 1 : 0;
  return n;
}

bool has_level_above(const std::vector<int16_t>& s, int level) {
  for (int16_t x : s)
    if (x > level || x < -level) return true;
  return false;
}

TEST(AudioOutput, EffectsQueueOnOneChannelAndPlayWhole) {
  DiskCapture cap;
  write_square_wav(cap.path("a.wav"), 150, 8000);
  write_square_wav(cap.path("b.wav"), 150, 20000);
  {
    auto audio = cap.open();
    audio->play_effect(cap.path("a.wav"));
    audio->play_effect(cap.path("b.wav"));
    audio->play_effect(cap.path("missing.wav"));  // ignored
    // The second effect follows the first while this thread sleeps, as it does
    // while the game types a message.
    QThread::msleep(1200);
  }
  const std::vector<int16_t> s = cap.samples();
  ASSERT_GT(s.size(), 44100u);
  const int whole = 44100 * 150 / 1000 * 2;
  EXPECT_EQ(count_of(s, 8000), whole);
  EXPECT_EQ(count_of(s, 20000), whole);
  // One after the other: nothing but silence and the two levels, so they never overlapped.
  size_t first_b = s.size(), last_a = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const int x = s[i] < 0 ? -s[i] : s[i];
    EXPECT_TRUE(x == 0 || x == 8000 || x == 20000) << "sample " << i << " = " << s[i];
    if (x == 8000) last_a = i;
    if (x == 20000 && first_b == s.size()) first_b = i;
    if (x != 0 && x != 8000 && x != 20000) break;
  }
  EXPECT_LT(last_a, first_b);
}

TEST(AudioOutput, ABurstOfEffectsIsCutShort) {
  DiskCapture cap;
  write_square_wav(cap.path("c.wav"), 40, 5000);
  {
    auto audio = cap.open();
    for (int i = 0; i < 40; ++i) audio->play_effect(cap.path("c.wav"));
    QThread::msleep(2000);
  }
  // The one that plays and sixteen waiting; the rest were dropped.
  EXPECT_EQ(count_of(cap.samples(), 5000), 17 * (44100 * 40 / 1000 * 2));
}

TEST(AudioOutput, MidiPieceLoopsUntilStopped) {
  if (!have_soundfont()) GTEST_SKIP() << "no General MIDI soundfont installed";
  DiskCapture cap;
  write_smf(cap.path("p.mid"), 240);  // a quarter of a second
  size_t at_stop = 0;
  {
    auto audio = cap.open();
    audio->music_play(cap.path("p.mid"));
    // Wait for the first sound (the device and the synth open first), then
    // let the piece play a few passes.
    for (int waited = 0; waited < 5000 && !has_level_above(cap.samples(), 300); waited += 50) pump(50);
    pump(1200);
    audio->music_stop();
    at_stop = cap.samples().size();
    pump(600);
  }
  const std::vector<int16_t> s = cap.samples();
  ASSERT_GT(at_stop, 44100u * 2);
  ASSERT_LE(at_stop, s.size());
  auto loud = [&](size_t i) { return s[i] > 300 || s[i] < -300; };
  // The piece starts once the device and the synth are ready, which takes
  // longer on a busy machine: the check starts at its first sound.
  size_t start = 0;
  while (start < at_stop && !loud(start)) ++start;
  ASSERT_LT(start, at_stop) << "the piece was never heard";
  // Sound in every 0.25 s window while it played: each pass follows the last
  // one without a pause. The device's buffer may still hold up to one window
  // of the piece when the stop comes, so the last window before it is left out.
  const size_t window = 44100 / 4 * 2;
  ASSERT_GT(at_stop, start + 3 * window) << "the piece played less than 0.75 s";
  for (size_t w = start; w + 2 * window <= at_stop; w += window) {
    int n = 0;
    for (size_t i = w; i < w + window; ++i) n += loud(i) ? 1 : 0;
    EXPECT_GT(n, 1000) << "silent window at " << (w - start) * 1000 / (44100 * 2) << " ms into the piece";
  }
  // Stopped stays stopped: after what the device's buffers held at the stop
  // (a few thousand frames), nothing more is heard.
  const size_t settled = at_stop + 8192 * 2;
  ASSERT_GT(s.size(), settled + 44100 / 10 * 2) << "the device wrote too little after the stop";
  int after = 0;
  for (size_t i = settled; i < s.size(); ++i) after += s[i] != 0 ? 1 : 0;
  EXPECT_EQ(after, 0);
}

// Pieces load on a thread of their own, and only the newest wish counts: a
// piece replaced or stopped right after it was asked for is never heard.
TEST(AudioOutput, OnlyTheNewestPieceAskedForPlays) {
  if (!have_soundfont()) GTEST_SKIP() << "no General MIDI soundfont installed";
  DiskCapture cap;
  write_smf(cap.path("p.mid"), 240);
  {
    auto audio = cap.open();
    audio->music_play(cap.path("p.mid"));
    audio->music_play(cap.path("missing.mid"));
    audio->music_play(cap.path("p.mid"));
    audio->music_stop();
    pump(1500);
  }
  const std::vector<int16_t> s = cap.samples();
  ASSERT_GT(s.size(), 44100u) << "the device wrote too little";
  EXPECT_FALSE(has_level_above(s, 300));
}

// A piece the synthesizer cannot parse stays silent, as a missing one does:
// the effects after it play, and the sound closes at once.
TEST(AudioOutput, ABrokenPieceBlocksNothing) {
  if (!have_soundfont()) GTEST_SKIP() << "no General MIDI soundfont installed";
  DiskCapture cap;
  write_square_wav(cap.path("e.wav"), 100, 5000);
  write_file(cap.path("empty.mid"), {});
  write_file(cap.path("cut.mid"), {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60, 'M', 'T', 'r', 'k', 0, 0, 0, 40});
  write_file(cap.path("text.mid"), {'n', 'o', 't', 'e', 's', '\n'});
  for (const char* piece : {"empty.mid", "cut.mid", "text.mid"}) {
    QElapsedTimer t;
    {
      auto audio = cap.open();
      audio->music_play(cap.path(piece));
      pump(300);
      t.start();
      audio->play_effect(cap.path("e.wav"));
      EXPECT_LT(t.elapsed(), 200) << piece << ": the effect kept the window waiting";
      pump(400);
      t.restart();
    }
    EXPECT_LT(t.elapsed(), 1000) << piece << ": closing the sound waited";
    // The effect was heard whole, and no music.
    const std::vector<int16_t> s = cap.samples();
    EXPECT_EQ(count_of(s, 5000), 44100 * 100 / 1000 * 2) << piece;
    EXPECT_FALSE(has_level_above(s, 5000)) << piece;
  }
}

// Plays the looping chord from the start at `percent` music volume until it
// has sounded for `ms`; then, if `later` is given, turns the volume to it and
// plays on as long again. The samples, and where they were at the change.
std::vector<int16_t> capture_music(int percent, std::optional<int> later = {}, size_t* at_change = nullptr) {
  DiskCapture cap;
  write_smf(cap.path("p.mid"), 240);
  {
    auto audio = cap.open();
    audio->set_volumes(percent, 100);
    audio->music_play(cap.path("p.mid"));
    // The device and the synth open first; a silent piece shows no sound.
    for (int waited = 0; waited < 5000 && !has_level_above(cap.samples(), 0); waited += 50) pump(50);
    pump(700);
    if (later) {
      if (at_change) *at_change = cap.samples().size();
      audio->set_volumes(*later, 100);
      pump(700);
    }
    audio->music_stop();
  }
  return cap.samples();
}

// The mean height of `n` samples from the first sound on.
double loudness(const std::vector<int16_t>& s, size_t n) {
  size_t start = 0;
  while (start < s.size() && s[start] == 0) ++start;
  if (start + n > s.size()) return -1;
  double sum = 0;
  for (size_t i = start; i < start + n; ++i) sum += s[i] < 0 ? -s[i] : s[i];
  return sum / static_cast<double>(n);
}

TEST(AudioOutput, VolumesScaleTheEffectsAndTheMusicAtOnce) {
  {
    DiskCapture cap;
    write_square_wav(cap.path("a.wav"), 150, 20000);
    {
      auto audio = cap.open();
      audio->set_volumes(100, 50);
      audio->play_effect(cap.path("a.wav"));
      QThread::msleep(600);
      audio->set_volumes(100, 0);
      audio->play_effect(cap.path("a.wav"));
      QThread::msleep(600);
    }
    const std::vector<int16_t> s = cap.samples();
    ASSERT_GT(s.size(), 44100u);
    // Half the volume is half the height, for the whole effect; none is nothing.
    EXPECT_EQ(count_of(s, 10000), 44100 * 150 / 1000 * 2);
    EXPECT_FALSE(has_level_above(s, 10000));
  }
  if (!have_soundfont()) GTEST_SKIP() << "no General MIDI soundfont installed";
  // Half a second of the piece, from its first sound: the synthesizer plays
  // it the same each time, so the two runs differ by their volume only.
  const size_t half_second = 44100 / 2 * 2;
  const double full = loudness(capture_music(100), half_second);
  const double half = loudness(capture_music(50), half_second);
  ASSERT_GT(full, 300) << "the piece was never heard";
  EXPECT_NEAR(half / full, 0.5, 0.05) << full << " at 100 %, " << half << " at 50 %";
  EXPECT_FALSE(has_level_above(capture_music(0), 1)) << "0 % is silence";
  // Turned down while it plays: what the device's buffers held at the change
  // still sounds, then only the echo of the last notes dies away, and 0.4 s
  // on it is a hundredth of the sound at most (a slow machine writes the
  // device's file later than the test reads its length, so not nothing yet).
  size_t at_change = 0;
  const std::vector<int16_t> s = capture_music(100, 0, &at_change);
  auto peak = [&](size_t from, size_t to) {
    int p = 0;
    for (size_t i = from; i < to && i < s.size(); ++i) p = std::max(p, std::abs(static_cast<int>(s[i])));
    return p;
  };
  const size_t buffered = at_change + 8192 * 2, settled = at_change + 44100 * 4 / 10 * 2;
  ASSERT_GT(s.size(), settled + 44100 / 10 * 2) << "the device wrote too little after the change";
  const int before = peak(0, at_change);
  EXPECT_GT(before, 300);
  EXPECT_LT(peak(buffered, s.size()), before / 10);
  EXPECT_LE(peak(settled, s.size()), std::max(1, before / 100));
}

TEST(AudioOutput, NoDeviceMeansSilence) {
  const char* old = std::getenv("SDL_AUDIODRIVER");
  const std::string keep = old ? old : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    QObject receiver;
    auto audio = make_audio([&](std::function<void()> f) { QMetaObject::invokeMethod(&receiver, std::move(f)); },
                            [] { return true; });
    ASSERT_TRUE(audio);
    audio->play_effect("/nonexistent.wav");
    audio->hold("/nonexistent.wav", 2);
    audio->music_play("/nonexistent.mid");
    audio->music_stop();
    audio->release_held();
  }
  if (old) {
    setenv("SDL_AUDIODRIVER", keep.c_str(), 1);
  } else {
    unsetenv("SDL_AUDIODRIVER");
  }
}

}  // namespace
}  // namespace z2
