#pragma once
// Which MIDI piece the player is meant to be playing, and whether a piece that
// ended starts again. The window's media player asks it on the window's thread.
//
// Every piece started gets a new token. The player's end notice carries the
// token of the piece that ended, so the end of a piece that was stopped or
// replaced in the meantime (the halt itself reports an end too) is told apart
// from the end of the piece that should be playing now.
#include <cstdint>
#include <string>

namespace z2 {

class MusicLoop {
 public:
  // Start `path`, replacing the current piece. An empty path keeps whatever
  // plays and returns 0; otherwise the new piece's token.
  uint64_t play(const std::string& path);
  // Stop on purpose: the piece stays stopped. Harmless when nothing plays.
  void stop();
  // The piece `token` reported its end. True when it should start again: it
  // is still the wanted piece and the window is visible. Otherwise the piece
  // counts as stopped from now on.
  bool ended(uint64_t token, bool window_visible);

  bool playing() const { return playing_; }
  const std::string& piece() const { return piece_; }
  // The token of the wanted piece, 0 when nothing should play.
  uint64_t token() const { return playing_ ? token_ : 0; }

 private:
  std::string piece_;
  uint64_t token_ = 0;
  bool playing_ = false;
};

}  // namespace z2
