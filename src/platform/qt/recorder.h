#pragma once
// Writes a windowed session as a script of the headless driver, so that
// `zando2 --headless --script FILE` plays it again to the same state and the
// same save. The window reports each thing the player does (and each timer
// tick) as one action; the answers of the boxes an action opened are only
// known when it is done, and the driver wants them before the action's line,
// so an action is written when it ends.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace z2 {

class Recorder {
 public:
  // Opens FILE for writing; ok() says whether that worked.
  explicit Recorder(const std::string& path);
  bool ok() const { return ok_; }
  // The seed of the session: the first command, before anything draws.
  void seed(uint32_t s);
  // A comment line for whoever plays the script again.
  void note(const std::string& text);

  // An action of the player or a timer tick starts, as its script line.
  void begin(std::string line);
  // A yes/no box of the current action was answered.
  void answer(bool yes);
  // The action is done; it is written unless a close it asked for is held.
  void end();
  // The current action asked the window to close: its line waits for the close,
  // whose boxes' answers go before it too.
  void hold_for_close();
  // The window closed and the game saved (or the close was refused): the
  // held action, if any, and then the close.
  void closed();
  // A close asked for by the game did not happen after all.
  void close_refused();
  bool holding() const { return holding_; }

 private:
  void write_pending();
  void put(const std::string& line);

  std::ofstream out_;
  bool ok_ = false;
  bool open_ = false;
  bool holding_ = false;
  std::vector<bool> answers_;
  std::string line_;
  // Repeated ticks of one timer are written as one "tick NAME COUNT".
  std::string last_tick_;
  int tick_count_ = 0;
  void flush_ticks();
};

}  // namespace z2
