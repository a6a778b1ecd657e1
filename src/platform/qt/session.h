#pragma once
// The end of the program from outside the window: a termination signal
// (SIGTERM, SIGHUP, SIGINT) or the desktop session ending at logout. Both
// are a close of the window, so the game saves as the close box would.
#include <memory>

namespace z2 {

class MainWindow;

// Watches for the above while it lives and ends the window's session when
// one comes (MainWindow::end_session, run from the Qt event loop: the signal
// handler itself only writes a byte to a pipe). Destroying it restores the
// signals' previous actions.
class SessionEnd {
 public:
  explicit SessionEnd(MainWindow& w);
  ~SessionEnd();
  SessionEnd(const SessionEnd&) = delete;
  SessionEnd& operator=(const SessionEnd&) = delete;

  // The signal that ended the session, or 0.
  int signal_seen() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace z2
