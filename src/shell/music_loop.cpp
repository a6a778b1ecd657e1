#include "shell/music_loop.h"

namespace z2 {

uint64_t MusicLoop::play(const std::string& path) {
  if (path.empty()) return 0;
  piece_ = path;
  playing_ = true;
  return ++token_;
}

void MusicLoop::stop() {
  playing_ = false;
  ++token_;  // a late end notice of the stopped piece no longer matches
}

bool MusicLoop::ended(uint64_t token, bool window_visible) {
  if (!playing_ || token != token_) return false;
  if (!window_visible) {
    playing_ = false;
    return false;
  }
  return true;
}

}  // namespace z2
