// The gamepad: SDL's controller events turned into the keyboard's keys.
#include "platform/qt/gamepad.h"

#include <SDL.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdlib>

#include "platform/qt/window.h"

namespace z2 {

namespace {

// The stick leans once it passes half its way, and lets go below a third:
// a resting stick that drifts moves nothing.
constexpr int kLean = 16384;
constexpr int kRest = 11000;
// A held direction repeats after a pause, then steadily.
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 130;

int arrow_of(int b) {
  switch (b) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return Qt::Key_Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return Qt::Key_Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return Qt::Key_Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return Qt::Key_Right;
    default:
      return 0;
  }
}

}  // namespace

Gamepad::Gamepad(MainWindow& w) : w_(w) {
  // SDL would otherwise take over SIGINT and SIGTERM.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // No SDL window gets the focus here: the window is Qt's.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
  started_ = true;
  clock_.start();
  keyboard_fast_ = w_.fast_held;
  w_.fast_held = [this] { return (keyboard_fast_ && keyboard_fast_()) || fast_held(); };
  timer_.setInterval(16);
  connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
  timer_.start();
}

Gamepad::~Gamepad() {
  if (!started_) return;
  w_.fast_held = keyboard_fast_;
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepad::fast_held() {
  if (pads_.empty()) return false;
  SDL_GameControllerUpdate();
  for (auto& [id, pad] : pads_)
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER)) return true;
  return false;
}

void Gamepad::poll() {
  SDL_Event e;
  // Only the controllers' events count; the others (the joysticks' own,
  // a sound device's) are read and dropped, so the queue never fills.
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_CONTROLLERDEVICEADDED: {
        if (SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(e.cdevice.which))) break;
        SDL_GameController* pad = SDL_GameControllerOpen(e.cdevice.which);
        if (!pad) break;
        pads_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))] = pad;
        const char* name = SDL_GameControllerName(pad);
        w_.title_note(QStringLiteral("ゲームパッド: ") + QString::fromUtf8(name ? name : "?"));
        break;
      }
      case SDL_CONTROLLERDEVICEREMOVED: {
        auto it = pads_.find(e.cdevice.which);
        if (it == pads_.end()) break;
        SDL_GameControllerClose(it->second);
        pads_.erase(it);
        dpad_ = stick_ = 0;
        w_.title_note(QStringLiteral("ゲームパッドが外れた"));
        break;
      }
      case SDL_CONTROLLERBUTTONDOWN:
      case SDL_CONTROLLERBUTTONUP:
        button(e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
        break;
      case SDL_CONTROLLERAXISMOTION: {
        if (e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX && e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY) break;
        SDL_GameController* pad = SDL_GameControllerFromInstanceID(e.caxis.which);
        if (!pad) break;
        const int x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
        const int y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        // The way it leans most; it keeps leaning until it comes back to rest.
        const bool horizontal = std::abs(x) >= std::abs(y);
        const int lean = horizontal ? std::abs(x) : std::abs(y);
        const int way = horizontal ? (x < 0 ? Qt::Key_Left : Qt::Key_Right) : (y < 0 ? Qt::Key_Up : Qt::Key_Down);
        if (lean >= kLean) {
          stick_ = way;
        } else if (std::max(std::abs(x), std::abs(y)) < kRest) {
          stick_ = 0;
        }
        break;
      }
      default:
        break;
    }
    steer();
  }
  // A direction held long enough repeats.
  if (held_ && clock_.elapsed() >= next_repeat_) {
    key(held_);
    next_repeat_ = clock_.elapsed() + kRepeatMs;
  }
}

void Gamepad::steer() {
  const int way = dpad_ ? dpad_ : stick_;
  if (way == held_) return;
  held_ = way;
  if (!way) return;
  key(way);
  next_repeat_ = clock_.elapsed() + kFirstRepeatMs;
}

void Gamepad::button(int b, bool down) {
  if (const int arrow = arrow_of(b)) {
    if (down) {
      dpad_ = arrow;
    } else if (dpad_ == arrow) {
      dpad_ = 0;
    }
    return;
  }
  if (!down) return;
  switch (b) {
    case SDL_CONTROLLER_BUTTON_A:
      key(Qt::Key_Return);
      break;
    case SDL_CONTROLLER_BUTTON_B:
      key(Qt::Key_Escape);
      break;
    case SDL_CONTROLLER_BUTTON_BACK:
      key(Qt::Key_Tab);
      break;
    case SDL_CONTROLLER_BUTTON_START:
      key(Qt::Key_F2, true);
      break;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      // Held as Shift is: the window says so once.
      key(Qt::Key_Shift, true);
      break;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      key(Qt::Key_F, true);
      break;
    default:
      break;
  }
}

void Gamepad::key(int k, bool to_window) {
  QWidget* modal = QApplication::activeModalWidget();
  QWidget* to = nullptr;
  if (to_window) {
    // The window's own keys, never typed into the naming field. The
    // settings window answers them itself (Start closes it again, the
    // shoulder still switches the fast-forward); a box in front answers
    // first.
    if (modal && modal->objectName() != QStringLiteral("settings_window")) return;
    to = modal ? modal : &w_;
  } else {
    QWidget* top = modal ? modal : &w_;
    to = QApplication::focusWidget();
    if (!to || (to->window() != top && modal)) to = top->focusWidget() ? top->focusWidget() : top;
  }
  QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier));
  QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, k, Qt::NoModifier));
}

}  // namespace z2
