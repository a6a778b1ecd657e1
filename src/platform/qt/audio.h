#pragma once
// Sound effects and music for the window. Every failure is silent.
#include <functional>
#include <memory>
#include <string>

namespace z2 {

class Audio {
 public:
  virtual ~Audio() = default;
  virtual void play_effect(const std::string& path) = 0;
  virtual void hold(const std::string& path, int count) = 0;
  virtual void release_held() = 0;
  virtual void music_play(const std::string& path) = 0;
  virtual void music_stop() = 0;
  // The music's and the effects' volume, 0 to 100 percent: heard at once,
  // also in what plays now.
  virtual void set_volumes(int music_percent, int effect_percent) {
    (void)music_percent;
    (void)effect_percent;
  }
};

// No sound at all: no device, a muted start-up, a tool that only draws.
class SilentAudio : public Audio {
 public:
  void play_effect(const std::string&) override {}
  void hold(const std::string&, int) override {}
  void release_held() override {}
  void music_play(const std::string&) override {}
  void music_stop() override {}
};

// Returns at once: the sound device and the soundfont open on a worker
// thread, so the window can paint meanwhile. Music and held sounds asked for
// before the device is ready start as soon as it is; an effect waits for it.
// `post` runs a function later on the window's thread (the device is ready;
// end-of-sound and end-of-piece notices arrive on the audio thread).
// `looping_allowed` tells whether a piece that ended by itself may start
// again (the window is visible).
std::unique_ptr<Audio> make_audio(std::function<void(std::function<void()>)> post,
                                  std::function<bool()> looping_allowed);

}  // namespace z2
