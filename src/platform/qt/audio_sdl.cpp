// Sound effects and MIDI music through SDL2_mixer (FluidSynth plays the MIDI).
// Nothing here may stop the game: every failure is silent, and when the sound
// device cannot be opened the window gets a silent Audio.
#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <string_view>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "data/midi.h"
#include "data/reader.h"
#include "platform/qt/audio.h"
#include "shell/music_loop.h"

namespace z2 {
namespace {

// Effects wait at most this many deep behind channel 0; more are dropped, so
// a burst of clicks cannot pile up sound for minutes.
constexpr size_t kEffectQueueMax = 16;

// The file's bytes, or empty when it is no regular file of a sane size (a
// FIFO would block the thread that opens it for ever).
std::string file_bytes(const std::string& path) {
  try {
    return read_file_bytes(path);
  } catch (const DataError&) {
    return {};
  }
}

Mix_Chunk* load_wave(const std::string& path) {
  const std::string bytes = file_bytes(path);
  if (bytes.empty()) return nullptr;
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

const char* find_soundfont() {
  static const char* const kFonts[] = {
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf3/default-GM.sf3",
      "/usr/share/sounds/sf2/default-GM.sf2",
  };
  for (const char* f : kFonts) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(f, ec)) return f;
  }
  return nullptr;
}

class SdlAudio;

// The mixer's callbacks are plain functions called on the audio thread (or
// inside a halt on the caller's thread); they reach the one open Audio
// through this pointer, which its destructor clears first.
std::mutex g_live_mu;
SdlAudio* g_live = nullptr;
// Held while a device opens or closes: one mixer per process, and an Audio
// opening on its worker thread never meets another one closing.
std::mutex g_open_mu;

class SdlAudio : public Audio {
 public:
  SdlAudio(std::function<void(std::function<void()>)> post, std::function<bool()> looping_allowed,
           bool music_ok)
      : post_(std::move(post)), looping_allowed_(std::move(looping_allowed)), music_ok_(music_ok) {
    worker_ = std::thread([this] { effect_worker(); });
    music_thread_ = std::thread([this] { music_worker(); });
    {
      std::lock_guard lock(g_live_mu);
      g_live = this;
    }
    Mix_ChannelFinished(&SdlAudio::channel_finished);
    Mix_HookMusicFinished(&SdlAudio::music_finished);
  }

  ~SdlAudio() override {
    {
      std::lock_guard lock(g_live_mu);
      g_live = nullptr;
    }
    Mix_ChannelFinished(nullptr);
    Mix_HookMusicFinished(nullptr);
    {
      std::lock_guard lock(sig_mu_);
      quit_ = true;
    }
    sig_cv_.notify_one();
    worker_.join();
    {
      std::lock_guard lock(music_mu_);
      music_quit_ = true;
    }
    music_cv_.notify_one();
    music_thread_.join();  // halts and frees its piece
    Mix_HaltChannel(-1);
    {
      std::lock_guard lock(fx_mu_);
      if (current_) Mix_FreeChunk(current_);
      for (Mix_Chunk* c : queue_) Mix_FreeChunk(c);
      queue_.clear();
    }
    free_held();
    std::lock_guard open(g_open_mu);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  // Once on channel 0, behind what plays there. The mixer itself would cut the
  // sound that plays, so the queue is ours; it moves on from the worker thread,
  // which keeps effects flowing while the window's thread sleeps in a message.
  // The window's thread only hands over the work: every mixer call takes the
  // sound device's lock, and the window must never wait for the device.
  void play_effect(const std::string& path) override {
    task([this, path] {
      std::lock_guard lock(fx_mu_);
      if (queue_.size() >= kEffectQueueMax) return;
      Mix_Chunk* c = load_wave(path);
      if (!c) return;
      if (busy_) {
        queue_.push_back(c);
      } else {
        start_locked(c);
      }
    });
  }

  void hold(const std::string& path, int count) override {
    task([this, path, count] {
      for (int i = 0; i < count; ++i)
        if (Mix_Chunk* c = load_wave(path)) held_.push_back(c);
    });
  }

  void release_held() override {
    task([this] { free_held(); });
  }

  // Pieces play with loops = -1: FluidSynth loops inside the piece without the
  // pause of a restart (from the end notice a new pass would start only after
  // the synth's voices have died out, seconds later). The window is hidden only
  // as it closes, and the audio closes with it, so no pass starts behind a
  // hidden window. A piece that still ends by itself (the synth gave up) sends
  // its end notice to MusicLoop, which starts it again only if it is still the
  // wanted piece and the window is visible; a stop or a replacement changes the
  // wanted piece before the halt, so the halt's own end notice is ignored.
  //
  // Loading a piece builds a synthesizer and reads the whole soundfont, tens
  // of milliseconds: the music thread does it, and the window's thread only
  // says which piece it wants.
  void music_play(const std::string& path) override {
    const uint64_t token = loop_.play(path);
    if (token != 0) want_music({token, path});
  }

  void music_stop() override {
    loop_.stop();
    want_music({});
  }

  // The effect worker sets them: the mixer's volume calls take the device's
  // lock. Only the newest values count, so a slider's stream of moves never
  // fills the task queue.
  void set_volumes(int music_percent, int effect_percent) override {
    {
      std::lock_guard lock(sig_mu_);
      music_volume_ = music_percent;
      effect_volume_ = effect_percent;
      volumes_changed_ = true;
    }
    sig_cv_.notify_one();
  }

 private:
  // 0..100 % on the mixer's scale of 0..MIX_MAX_VOLUME.
  static int mixer_volume(int percent) {
    return (std::clamp(percent, 0, 100) * MIX_MAX_VOLUME + 50) / 100;
  }

  void free_held() {
    for (Mix_Chunk* c : held_) Mix_FreeChunk(c);
    held_.clear();
  }

  // Runs `work` on the effect worker; a flood beyond what a player can click is dropped.
  void task(std::function<void()> work) {
    {
      std::lock_guard lock(sig_mu_);
      if (tasks_.size() >= kEffectQueueMax * 4) return;
      tasks_.push_back(std::move(work));
    }
    sig_cv_.notify_one();
  }

  // Audio thread: the sound on channel 0 is over (or was halted).
  static void SDLCALL channel_finished(int channel) {
    if (channel != 0) return;
    std::lock_guard lock(g_live_mu);
    if (!g_live) return;
    {
      std::lock_guard sig(g_live->sig_mu_);
      ++g_live->finished_;
    }
    g_live->sig_cv_.notify_one();
  }

  // Audio thread, or inside Mix_HaltMusic: tell the window's thread which piece ended.
  static void SDLCALL music_finished() {
    std::lock_guard lock(g_live_mu);
    if (!g_live) return;
    const uint64_t token = g_live->music_token_;
    std::weak_ptr<int> alive = g_live->alive_;
    SdlAudio* self = g_live;
    g_live->post_([alive, self, token] {
      if (alive.expired()) return;
      self->music_ended(token);
    });
  }

  // Window's thread.
  void music_ended(uint64_t token) {
    if (loop_.ended(token, looping_allowed_ && looping_allowed_())) want_music({token, loop_.piece()});
  }

  // What the music thread is to play next; token 0 stops. Only the newest
  // wish counts: pieces asked for while one loads are never loaded.
  struct MusicWish {
    uint64_t token = 0;
    std::string path;
  };

  void want_music(MusicWish wish) {
    {
      std::lock_guard lock(music_mu_);
      music_wish_ = std::move(wish);
      music_wished_ = true;
    }
    music_cv_.notify_one();
  }

  // Music thread. It and the helper threads the synthesizer starts from it
  // give way to the window's thread, which paints meanwhile.
  void music_worker() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    Mix_Music* music = nullptr;
    std::string music_bytes;  // what `music` was loaded from
    uint64_t loaded = 0;      // the token `music` was loaded for
    for (;;) {
      MusicWish wish;
      {
        std::unique_lock lock(music_mu_);
        music_cv_.wait(lock, [this] { return music_quit_ || music_wished_; });
        if (music_quit_) break;
        wish = std::move(music_wish_);
        music_wished_ = false;
      }
      // The same piece again, after it ended by itself.
      if (wish.token != 0 && wish.token == loaded && music) {
        start_music(music, wish.token);
        continue;
      }
      halt_music(music);
      loaded = 0;
      if (wish.token == 0 || !music_ok_) continue;
      // A file the synthesizer cannot parse would make it spin for ever inside
      // the device's callback: such a piece stays silent, as a missing one does.
      music_bytes = file_bytes(wish.path);
      if (music_bytes.empty() || !midi_fault(music_bytes).empty()) continue;
      const std::string_view smf = midi_payload(music_bytes);
      music = Mix_LoadMUSType_RW(SDL_RWFromConstMem(smf.data(), static_cast<int>(smf.size())), MUS_MID, 1);
      if (!music) continue;
      loaded = wish.token;
      // Asked for something else while it loaded: not a note of it is heard.
      if (wished_again()) continue;
      start_music(music, wish.token);
    }
    halt_music(music);
  }

  bool wished_again() {
    std::lock_guard lock(music_mu_);
    return music_wished_ || music_quit_;
  }

  void start_music(Mix_Music* music, uint64_t token) {
    music_token_ = token;
    if (Mix_PlayMusic(music, -1) < 0) music_token_ = 0;
  }

  void halt_music(Mix_Music*& music) {
    // Whatever the halt reports belongs to no wanted piece.
    music_token_ = 0;
    if (music) {
      Mix_HaltMusic();
      Mix_FreeMusic(music);
      music = nullptr;
    }
  }

  void start_locked(Mix_Chunk* c) {
    current_ = c;
    busy_ = true;
    if (Mix_PlayChannel(0, c, 0) < 0) {
      Mix_FreeChunk(c);
      current_ = nullptr;
      busy_ = false;
    }
  }

  // Frees each finished effect and starts the next one waiting, and runs the
  // window's sound work: the mixer calls the audio thread's callback must not
  // make itself, and the window's thread must not wait for.
  void effect_worker() {
    for (;;) {
      int done = 0;
      int music = -1, effects = -1;  // new volumes, -1 for none
      std::deque<std::function<void()>> work;
      {
        std::unique_lock lock(sig_mu_);
        sig_cv_.wait(lock, [this] { return quit_ || finished_ > 0 || !tasks_.empty() || volumes_changed_; });
        if (quit_) return;
        done = finished_;
        finished_ = 0;
        work.swap(tasks_);
        if (volumes_changed_) {
          volumes_changed_ = false;
          music = mixer_volume(music_volume_);
          effects = mixer_volume(effect_volume_);
        }
      }
      if (music >= 0) {
        // The music's volume is the synthesizer's gain: it applies to the
        // notes that sound now and to every piece started later.
        Mix_VolumeMusic(music);
        Mix_Volume(-1, effects);
      }
      for (auto& w : work) w();
      std::lock_guard lock(fx_mu_);
      for (int i = 0; i < done; ++i) {
        if (current_) Mix_FreeChunk(current_);
        current_ = nullptr;
        busy_ = false;
        while (!busy_ && !queue_.empty()) {
          Mix_Chunk* next = queue_.front();
          queue_.pop_front();
          start_locked(next);
        }
      }
    }
  }

  std::function<void(std::function<void()>)> post_;
  std::function<bool()> looping_allowed_;
  const bool music_ok_;
  // Posted notices check it: they may arrive after the Audio is gone.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);

  // Effects. fx_mu_ is never taken on the audio thread, so holding it across
  // mixer calls cannot deadlock with the mixer's own lock.
  std::mutex fx_mu_;
  std::deque<Mix_Chunk*> queue_;
  Mix_Chunk* current_ = nullptr;
  bool busy_ = false;
  std::vector<Mix_Chunk*> held_;

  std::mutex sig_mu_;
  std::condition_variable sig_cv_;
  int finished_ = 0;
  std::deque<std::function<void()>> tasks_;
  int music_volume_ = 100, effect_volume_ = 100;
  bool volumes_changed_ = false;
  bool quit_ = false;
  std::thread worker_;

  // Music. loop_ lives on the window's thread; the piece itself on the music
  // thread; the token of the piece that plays is read by the end notice.
  MusicLoop loop_;
  std::mutex music_mu_;
  std::condition_variable music_cv_;
  MusicWish music_wish_;
  bool music_wished_ = false;
  bool music_quit_ = false;
  std::thread music_thread_;
  std::atomic<uint64_t> music_token_{0};
};

// Opens the device and the soundfont (tens of milliseconds, more with a real
// sound card): a silent Audio when either fails.
std::unique_ptr<Audio> open_audio(std::function<void(std::function<void()>)> post,
                                  std::function<bool()> looping_allowed) {
  std::lock_guard open(g_open_mu);
  {
    // One mixer per process: a second window stays silent.
    std::lock_guard lock(g_live_mu);
    if (g_live) return std::make_unique<SilentAudio>();
  }
  // SDL would otherwise take over SIGINT and SIGTERM.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return std::make_unique<SilentAudio>();
  const bool midi = (Mix_Init(MIX_INIT_MID) & MIX_INIT_MID) != 0;
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return std::make_unique<SilentAudio>();
  }
  Mix_AllocateChannels(2);
  // Without a General MIDI soundfont the music stays silent.
  const char* font = midi ? find_soundfont() : nullptr;
  const bool music_ok = font && Mix_SetSoundFonts(font) != 0;
  return std::make_unique<SdlAudio>(std::move(post), std::move(looping_allowed), music_ok);
}

// The window paints its title without waiting for the sound device: the
// device opens on a worker thread. Until it is ready, music and held sounds
// are noted and handed over, in order, as soon as it is (through `post`, on
// the window's thread); an effect waits for the device, since a sound played
// late would no longer match what it belongs to.
class DeferredAudio : public Audio {
 public:
  DeferredAudio(std::function<void(std::function<void()>)> post, std::function<bool()> looping_allowed)
      : core_(std::make_shared<Core>()) {
    opener_ = std::thread([core = core_, post, looping = std::move(looping_allowed)]() mutable {
      std::unique_ptr<Audio> audio = open_audio(post, std::move(looping));
      {
        std::lock_guard lock(core->mu);
        core->real = std::move(audio);
      }
      core->ready_cv.notify_all();
      std::weak_ptr<Core> weak = core;
      core.reset();
      post([weak] {
        if (auto c = weak.lock()) c->hand_over();
      });
    });
  }

  ~DeferredAudio() override {
    opener_.join();
    std::lock_guard lock(core_->mu);
    core_->real.reset();
  }

  void play_effect(const std::string& path) override {
    core_->now([&](Audio& a) { a.play_effect(path); });
  }
  void hold(const std::string& path, int count) override {
    core_->later([path, count](Audio& a) { a.hold(path, count); });
  }
  void release_held() override {
    core_->later([](Audio& a) { a.release_held(); });
  }
  void music_play(const std::string& path) override {
    core_->later([path](Audio& a) { a.music_play(path); });
  }
  void music_stop() override {
    core_->later([](Audio& a) { a.music_stop(); });
  }
  void set_volumes(int music_percent, int effect_percent) override {
    core_->later([=](Audio& a) { a.set_volumes(music_percent, effect_percent); });
  }

 private:
  struct Core {
    std::mutex mu;
    std::condition_variable ready_cv;
    std::unique_ptr<Audio> real;  // set once the device is open (or failed)
    std::vector<std::function<void(Audio&)>> pending;

    // Runs `op` on the device, waiting for it to be open.
    template <class F>
    void now(F&& op) {
      std::unique_lock lock(mu);
      ready_cv.wait(lock, [this] { return real != nullptr; });
      run_pending_locked();
      op(*real);
    }
    // Runs `op` on the device when it is open; notes it until then.
    void later(std::function<void(Audio&)> op) {
      std::unique_lock lock(mu);
      // A start-up notes two or three calls; a flood waits for the device instead.
      if (!real && pending.size() < kPendingMax) {
        pending.push_back(std::move(op));
        return;
      }
      ready_cv.wait(lock, [this] { return real != nullptr; });
      run_pending_locked();
      op(*real);
    }
    void hand_over() {
      std::lock_guard lock(mu);
      if (real) run_pending_locked();
    }
    void run_pending_locked() {
      std::vector<std::function<void(Audio&)>> ops;
      ops.swap(pending);
      for (auto& op : ops) op(*real);
    }
  };
  static constexpr size_t kPendingMax = 64;

  std::shared_ptr<Core> core_;
  std::thread opener_;
};

}  // namespace

std::unique_ptr<Audio> make_audio(std::function<void(std::function<void()>)> post,
                                  std::function<bool()> looping_allowed) {
  return std::make_unique<DeferredAudio>(std::move(post), std::move(looping_allowed));
}

}  // namespace z2
