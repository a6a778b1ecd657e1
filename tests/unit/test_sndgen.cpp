// The generated sound effects and music: valid files, sensible lengths and
// levels, clean loops, and the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "sndgen.h"

namespace sg = z2::sndgen;

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (static_cast<uint32_t>(b.at(at + 3)) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}
uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
  return (static_cast<uint32_t>(b.at(at)) << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) | b.at(at + 3);
}
uint16_t be16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>((b.at(at) << 8) | b.at(at + 1));
}
std::string tag(const std::vector<uint8_t>& b, size_t at) {
  return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + 4));
}

struct Wav {
  int channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};

Wav parse_wav(const std::vector<uint8_t>& b) {
  Wav w;
  if (b.size() < 44 || tag(b, 0) != "RIFF" || tag(b, 8) != "WAVE") throw std::runtime_error("not RIFF/WAVE");
  if (le32(b, 4) != b.size() - 8) throw std::runtime_error("RIFF size");
  size_t at = 12;
  bool fmt = false;
  while (at + 8 <= b.size()) {
    std::string id = tag(b, at);
    uint32_t len = le32(b, at + 4);
    if (at + 8 + len > b.size()) throw std::runtime_error("chunk overruns the file");
    if (id == "fmt ") {
      if (le16(b, at + 8) != 1) throw std::runtime_error("not PCM");
      w.channels = le16(b, at + 10);
      w.rate = static_cast<int>(le32(b, at + 12));
      uint32_t byte_rate = le32(b, at + 16);
      uint16_t align = le16(b, at + 20);
      w.bits = le16(b, at + 22);
      if (align != w.channels * w.bits / 8 || byte_rate != static_cast<uint32_t>(w.rate) * align)
        throw std::runtime_error("inconsistent fmt");
      fmt = true;
    } else if (id == "data") {
      if (!fmt || w.bits != 16) throw std::runtime_error("data before fmt or not 16-bit");
      for (uint32_t i = 0; i + 1 < len; i += 2) w.samples.push_back(static_cast<int16_t>(le16(b, at + 8 + i)));
    }
    at += 8 + len + (len & 1);
  }
  if (at != b.size()) throw std::runtime_error("trailing bytes");
  return w;
}

struct MidiNote {
  int ch, key;
  uint32_t on, off;
};

struct Midi {
  int format = -1, ppq = 0;
  uint32_t tempo_us = 0, end_tick = 0;
  int sharps = 0;
  bool minor = false;
  std::vector<MidiNote> notes;
  std::map<int, uint32_t> all_notes_off;  // channel -> tick of CC 123
};

uint32_t vlq(const std::vector<uint8_t>& b, size_t& at, size_t end) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) throw std::runtime_error("truncated number");
    uint8_t c = b[at++];
    v = (v << 7) | (c & 0x7F);
    if (!(c & 0x80)) return v;
  }
  throw std::runtime_error("number too long");
}

Midi parse_midi(const std::vector<uint8_t>& b) {
  Midi m;
  if (tag(b, 0) != "MThd" || be32(b, 4) != 6) throw std::runtime_error("header");
  m.format = be16(b, 8);
  int ntracks = be16(b, 10);
  m.ppq = be16(b, 12);
  size_t at = 14;
  for (int t = 0; t < ntracks; ++t) {
    if (tag(b, at) != "MTrk") throw std::runtime_error("track tag");
    uint32_t len = be32(b, at + 4);
    size_t p = at + 8, end = p + len;
    if (end > b.size()) throw std::runtime_error("track overruns the file");
    uint32_t tick = 0;
    bool ended = false;
    std::map<std::pair<int, int>, std::vector<uint32_t>> open;
    while (p < end) {
      if (ended) throw std::runtime_error("events after end of track");
      tick += vlq(b, p, end);
      uint8_t st = b.at(p++);
      if (st == 0xFF) {
        uint8_t type = b.at(p++);
        uint32_t n = vlq(b, p, end);
        if (type == 0x51) m.tempo_us = (b.at(p) << 16) | (b.at(p + 1) << 8) | b.at(p + 2);
        if (type == 0x59) {
          m.sharps = static_cast<int8_t>(b.at(p));
          m.minor = b.at(p + 1) != 0;
        }
        if (type == 0x2F) {
          ended = true;
          m.end_tick = std::max(m.end_tick, tick);
        }
        p += n;
        continue;
      }
      if (!(st & 0x80)) throw std::runtime_error("running status");
      int kind = st >> 4, ch = st & 15;
      int data = (kind == 0xC || kind == 0xD) ? 1 : 2;
      if (p + static_cast<size_t>(data) > end) throw std::runtime_error("truncated event");
      uint8_t d1 = b[p], d2 = data == 2 ? b[p + 1] : 0;
      p += static_cast<size_t>(data);
      if (kind == 0x9 && d2 > 0) {
        open[{ch, d1}].push_back(tick);
      } else if (kind == 0x8 || (kind == 0x9 && d2 == 0)) {
        auto& v = open[{ch, d1}];
        if (v.empty()) throw std::runtime_error("note off without note on");
        m.notes.push_back({ch, d1, v.front(), tick});
        v.erase(v.begin());
      } else if (kind == 0xB && d1 == 123) {
        m.all_notes_off[ch] = tick;
      }
    }
    if (!ended || p != end) throw std::runtime_error("track length does not match its events");
    for (auto& [k, v] : open)
      if (!v.empty()) throw std::runtime_error("note left sounding");
    at = end;
  }
  if (at != b.size()) throw std::runtime_error("trailing bytes");
  return m;
}

std::filesystem::path fresh_dir(const std::string& stem) {
  auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  auto dir = std::filesystem::temp_directory_path() / (stem + std::to_string(now));
  std::filesystem::remove_all(dir);
  return dir;
}

std::vector<uint8_t> read_bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Sndgen, EverySoundTheGamePlaysIsGenerated) {
  const std::set<std::string> wanted_fx = {
      "1.wav",   "key.wav",  "miss.wav",   "get2.wav", "next.wav",   "item.wav",   "punch.wav",
      "tower.wav", "walk.wav", "battle.wav", "soubi.wav", "buy.wav",  "gousei.wav", "lvup.wav",
      "lv.wav",  "class.wav", "taberu.wav", "magic.wav", "m.wav",     "but.wav"};
  std::vector<std::string> fx = sg::effect_names();
  EXPECT_EQ(std::set<std::string>(fx.begin(), fx.end()), wanted_fx);
  EXPECT_EQ(fx.size(), wanted_fx.size()) << "a name is listed twice";

  std::set<std::string> wanted_music = {"open.mid", "new.mid",    "ere.mid",   "arm.mid",    "sai.mid",
                                        "11m.mid",  "gfsn.mid",   "end.mid",   "mayoi.mid",  "vic.mid",
                                        "always.mid", "dont.mid", "ending.mid", "dec05.mid", "dec06.mid",
                                        "best.mid", "rworld.mid"};
  for (int i = 1; i <= 12; ++i) wanted_music.insert((i < 10 ? "md0" : "md") + std::to_string(i) + ".mid");
  std::vector<std::string> music = sg::music_names();
  EXPECT_EQ(std::set<std::string>(music.begin(), music.end()), wanted_music);
  EXPECT_EQ(music.size(), wanted_music.size()) << "a name is listed twice";
}

TEST(Sndgen, EffectsAreShortCleanBalancedPcmWaves) {
  for (const std::string& name : sg::effect_names()) {
    SCOPED_TRACE(name);
    Wav w = parse_wav(sg::make_effect(name));
    ASSERT_TRUE(w.channels == 1 || w.channels == 2);
    ASSERT_TRUE(w.rate == 22050 || w.rate == 44100);
    ASSERT_EQ(w.bits, 16);
    ASSERT_FALSE(w.samples.empty());
    double seconds = static_cast<double>(w.samples.size()) / w.channels / w.rate;
    EXPECT_LE(seconds, 1.0);
    EXPECT_GE(seconds, 0.03);

    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LT(peak, 32000) << "clipped";
    EXPECT_GT(peak, 3000) << "nearly silent";
    // Short fades at both ends: no click when the sound starts or stops.
    EXPECT_LT(std::abs(w.samples.front()), 300);
    EXPECT_LT(std::abs(w.samples.back()), 300);

    // Loudest 50 ms window: every effect sits in the same band.
    size_t win = static_cast<size_t>(w.rate / 20 * w.channels);
    win = std::min(win, w.samples.size());
    double acc = 0, loud = 0;
    for (size_t i = 0; i < w.samples.size(); ++i) {
      double x = w.samples[i] / 32768.0;
      acc += x * x;
      if (i >= win) {
        double y = w.samples[i - win] / 32768.0;
        acc -= y * y;
      }
      if (i + 1 >= win) loud = std::max(loud, acc / static_cast<double>(win));
    }
    double loud_db = 10.0 * std::log10(loud);
    EXPECT_GT(loud_db, -20.0);
    EXPECT_LT(loud_db, -7.0);
  }
}

// The turn chime plays at the start of every player turn and the punch queues
// behind it on channel 0: a long chime would make every punch late.
TEST(Sndgen, TurnChimeIsOverBeforeThePunch) {
  Wav w = parse_wav(sg::make_effect("1.wav"));
  const double seconds = static_cast<double>(w.samples.size()) / w.channels / w.rate;
  EXPECT_LE(seconds, 0.25);
  EXPECT_GE(seconds, 0.1) << "too short to be heard as a chime";
}

TEST(Sndgen, MusicIsGeneralMidiThatLoopsCleanly) {
  for (const std::string& name : sg::music_names()) {
    SCOPED_TRACE(name);
    Midi m = parse_midi(sg::make_music(name));
    EXPECT_EQ(m.format, 1);
    ASSERT_GT(m.ppq, 0);
    ASSERT_GT(m.tempo_us, 0u);
    double seconds = static_cast<double>(m.end_tick) / m.ppq * m.tempo_us / 1e6;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
    EXPECT_NEAR(sg::music_seconds(name), seconds, 0.01);

    std::set<int> channels;
    for (const MidiNote& n : m.notes) {
      channels.insert(n.ch);
      EXPECT_LT(n.on, n.off);
      EXPECT_LE(n.off, m.end_tick) << "a note rings past the loop point";
    }
    EXPECT_TRUE(channels.count(9)) << "no drums";
    EXPECT_GE(channels.size(), 4u) << "melody, harmony, bass and drums expected";
    // Every channel is silenced at the loop point.
    for (int ch : channels) {
      ASSERT_TRUE(m.all_notes_off.count(ch)) << "channel " << ch;
      EXPECT_EQ(m.all_notes_off[ch], m.end_tick);
    }
    // Something plays right from the start, so the restart has no gap.
    uint32_t first = m.end_tick;
    for (const MidiNote& n : m.notes) first = std::min(first, n.on);
    EXPECT_EQ(first, 0u);

    // The last bass note is the tonic or the dominant of the piece's key.
    int tonic = ((m.sharps * 7) % 12 + 12 + (m.minor ? 9 : 0)) % 12;
    const MidiNote* last_bass = nullptr;
    for (const MidiNote& n : m.notes)
      if (n.ch == 4 && (!last_bass || n.on >= last_bass->on)) last_bass = &n;
    ASSERT_NE(last_bass, nullptr);
    int pc = last_bass->key % 12;
    EXPECT_TRUE(pc == tonic || pc == (tonic + 7) % 12) << "ends on pitch class " << pc << ", key " << tonic;
  }
}

TEST(Sndgen, UnknownNamesAreRefused) {
  EXPECT_THROW(sg::make_effect("z.wav"), std::invalid_argument);
  EXPECT_THROW(sg::make_music("nothing.mid"), std::invalid_argument);
}

TEST(Sndgen, SameBytesOnEveryRun) {
  auto a = fresh_dir("sndgen_a_"), b = fresh_dir("sndgen_b_");
  int n = sg::write_all(a);
  EXPECT_EQ(sg::write_all(b), n);
  EXPECT_EQ(static_cast<size_t>(n), sg::effect_names().size() + sg::music_names().size());
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(a)) {
    ++files;
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::vector<uint8_t> x = read_bytes(entry.path()), y = read_bytes(b / name);
    EXPECT_FALSE(x.empty());
    EXPECT_TRUE(x == y);
  }
  EXPECT_EQ(files, static_cast<size_t>(n)) << "stray files left in the folder";
  std::filesystem::remove_all(a);
  std::filesystem::remove_all(b);
}
