#pragma once
// The windowless face: no sound device, pauses counted as virtual time,
// yes/no boxes answered from the script, every event written to a transcript.
#include <deque>
#include <iosfwd>
#include <string>

#include "shell/platform.h"

namespace z2 {

struct Game;

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(std::ostream& out, bool default_answer = true)
      : out_(out), default_answer_(default_answer) {}

  void repaint() override { ++repaints; }
  void pause(int ms) override;
  bool ask(const std::string& text) override;
  void notice(const std::string& text) override;
  void error(const std::string& text) override;
  void sound_play(const std::string&) override {}
  void music_play(const std::string&) override {}
  void music_stop() override {}
  void trace(const char* tag, const std::string& text) override;
  void close_window() override { close_pending = true; }
  bool shows_frames() const override { return false; }

  void queue_answer(bool yes) { answers_.push_back(yes); }
  // Reports every answer that no box took, and forgets them.
  void report_unused_answers();
  // The game whose Timer1 fires once inside each box, as the window's timers
  // go on while a box is open.
  void attach(Game* g) { game_ = g; }
  void line(const std::string& text);  // one transcript line, CR escaped

  long long elapsed_ms = 0;
  long long repaints = 0;
  // Fast-forward held for the whole run (--fast): every pause counts a tenth
  // of its time, as in the window while Shift is held.
  bool fast = false;
  bool close_pending = false;  // the game asked to close: done after the command

 private:
  std::ostream& out_;
  bool default_answer_;
  std::deque<bool> answers_;
  Game* game_ = nullptr;
  bool in_box_ = false;
  int fast_rest_ = 0;  // what a tenth left over, in tenths of a millisecond

  void box_opened();
};

// Runs script commands against the game until close, quit, end of input or
// a termination signal (see catch_end_signals). Returns the exit status: 0,
// or 1 when a signal ended the game and its save failed.
int run_script(Game& g, HeadlessPlatform& p, std::istream& in);

// From now on SIGTERM, SIGHUP and SIGINT end the run as the window's session
// ends: the command under way finishes (a read of a command is cut short),
// then the game saves as at `close`, asking nothing, unless the title shows.
void catch_end_signals();

}  // namespace z2
