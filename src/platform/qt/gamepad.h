#pragma once
// A gamepad, through SDL's game-controller interface, polled from the
// window's own event loop (no thread of its own touches a widget). Its
// buttons are the keyboard's keys: the D-pad or the left stick the arrows
// (with a dead zone and a repeat), A Enter, B Esc, Back Tab, Start F2 (the
// settings), the left shoulder held Shift (the fast-forward), the right
// shoulder F (the fast-forward on and off). A key event goes where the
// keyboard's would, so a box, the naming field, the settings window and the
// focus ring answer a button as they answer its key. Controllers may come
// and go while playing.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>

struct _SDL_GameController;

namespace z2 {

class MainWindow;

class Gamepad : public QObject {
 public:
  // Starts SDL's controller support (without it, or without any
  // controller, the game plays on as before).
  explicit Gamepad(MainWindow& w);
  ~Gamepad() override;
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  bool started() const { return started_; }
  // The controllers connected now.
  int connected() const { return static_cast<int>(pads_.size()); }
  // Reads the controllers and answers what they did (the timer calls it).
  void poll();
  // A connected controller holds the fast-forward shoulder now (asked
  // inside the game's pauses, so it reads the controllers as they are).
  bool fast_held();

 private:
  void button(int b, bool down);
  void steer();
  // A key press and release for the widget the keyboard's key would reach.
  void key(int k, bool to_window = false);

  MainWindow& w_;
  bool started_ = false;
  QTimer timer_;
  std::map<int, _SDL_GameController*> pads_;  // by SDL's instance id
  std::function<bool()> keyboard_fast_;
  int dpad_ = 0;   // the arrow key the D-pad holds, 0 for none
  int stick_ = 0;  // the arrow key the left stick leans to
  int held_ = 0;   // the arrow key being repeated
  qint64 next_repeat_ = 0;
  QElapsedTimer clock_;
};

}  // namespace z2
