#pragma once
// What the game needs from its face: painting, waiting, modal boxes, sound
// and music. The window implements it for real; the headless driver counts
// virtual time and answers from its script.
#include <string>

namespace z2 {

class Platform {
 public:
  virtual ~Platform() = default;

  // Mirror the control model onto the screen now.
  virtual void repaint() = 0;
  // Block the game's thread for `ms` milliseconds (no input, no timers).
  virtual void pause(int ms) = 0;
  // Modal yes/no box; true for yes. Timers keep running while it is open.
  virtual bool ask(const std::string& text) = 0;
  // Modal box with one OK button.
  virtual void notice(const std::string& text) = 0;
  // The error box of a failed load or save.
  virtual void error(const std::string& text) = 0;

  // A wave effect (full path), played once on channel 0 behind what plays there.
  virtual void sound_play(const std::string& path) = 0;
  // Start a MIDI piece (full path), replacing the current one.
  virtual void music_play(const std::string& path) = 0;
  virtual void music_stop() = 0;
  // Keep `count` loaded handles of a wave file for the window's lifetime, and
  // release them (the window's start-up and destroy handlers).
  virtual void sound_hold(const std::string& path, int count) {
    (void)path;
    (void)count;
  }
  virtual void sound_release_held() {}
  // False when nobody sees the frames of an animation, only where it ends
  // (the headless face): an animation may then draw its last frame alone.
  virtual bool shows_frames() const { return true; }
  // Ask the window to close once the running handler has returned; the close
  // handler decides as for any other close.
  virtual void close_window() {}

  // One event of the game for the transcript ("put", "add", "big", "moji_l",
  // "moji_l2", "se", "bgm"). Only the headless face writes them.
  virtual void trace(const char* tag, const std::string& text) {
    (void)tag;
    (void)text;
  }
};

}  // namespace z2
