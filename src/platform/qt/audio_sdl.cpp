#include "platform/qt/audio.h"

namespace z2 {
namespace {

class SilentAudio : public Audio {
 public:
  void play_effect(const std::string&) override {}
  void hold(const std::string&, int) override {}
  void release_held() override {}
  void music_play(const std::string&) override {}
  void music_stop() override {}
};

}  // namespace

std::unique_ptr<Audio> make_audio(std::function<void(std::function<void()>)>, std::function<bool()>) {
  return std::make_unique<SilentAudio>();
}

}  // namespace z2
