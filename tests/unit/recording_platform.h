#pragma once
// A platform for unit tests that records what the game asks of its face:
// every repaint (with a hook to look at the model at that moment), every
// pause, sound and music call and transcript event.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/platform.h"

namespace z2::test {

class RecordingPlatform : public Platform {
 public:
  void repaint() override {
    ++repaints;
    if (on_repaint) on_repaint();
  }
  void pause(int ms) override {
    pauses.push_back(ms);
    elapsed_ms += ms > 0 ? ms : 0;
  }
  bool ask(const std::string& text) override {
    asked.push_back(text);
    return true;
  }
  void notice(const std::string& text) override { notices.push_back(text); }
  void error(const std::string& text) override { errors.push_back(text); }
  void sound_play(const std::string& path) override { sounds.push_back(path); }
  void music_play(const std::string& path) override { music.push_back(path); }
  void music_stop() override { music.push_back("<stop>"); }
  void trace(const char* tag, const std::string& text) override { traces.emplace_back(tag, text); }

  std::function<void()> on_repaint;
  int repaints = 0;
  long long elapsed_ms = 0;
  std::vector<int> pauses;
  std::vector<std::string> asked, notices, errors, sounds, music;
  std::vector<std::pair<std::string, std::string>> traces;
};

}  // namespace z2::test
