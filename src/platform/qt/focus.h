#pragma once
// Play without a mouse: a focus that the arrow keys and Tab move between the
// controls on show, drawn as a ring a player sees at every zoom, and keys
// that press the focused control. A key press runs exactly what a click on
// the same control runs (the widget's own click), so the game's rules, its
// transcripts and recordings cannot tell keys from the mouse.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

namespace z2 {

class MainWindow;
struct Control;

// A frame of two colours around a control, as thick as the zoom asks; the
// mouse goes through it.
class FocusRing : public QWidget {
 public:
  explicit FocusRing(QWidget* parent);
  // Frames `target` (in the parent's coordinates) at `scale`.
  void frame(QRect target, int scale);
  void paintEvent(QPaintEvent*) override;

 private:
  int scale_ = 1;
};

class Focus : public QObject {
 public:
  explicit Focus(MainWindow& w);

  enum class Move { Left, Right, Up, Down, Next, Prev };

  // The focused control, nullptr when nothing can take the focus.
  const Control* current() const { return current_; }
  // Whether the ring shows (a click of the mouse puts it away, the next key
  // brings it back).
  bool ring_shown() const { return shown_; }
  // After every sync of the window: the focus stays on a control that can
  // take it, a panel that comes up takes it, and the ring follows.
  void sync();

  // The player's moves, from the keyboard or the gamepad. Each returns
  // whether it did something.
  bool move(Move m);
  // Enter: presses the focused control (the list's OK, the field's button).
  bool activate();
  // Esc: the list's Cancel (or the choice's), or the opening put away.
  bool back();
  // A shortcut key of the screen in front (1..5 in a fight, C, N, O on the title).
  bool shortcut(int key);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  std::vector<const Control*> candidates() const;
  const Control* first_of(const std::vector<const Control*>& cs, const Control* panel) const;
  void set(const Control* c);
  // Runs what a click on `c` runs, through its widget.
  bool push(const Control* c);
  bool step_list(int delta);
  bool key(QObject* o, QKeyEvent* e);
  void show_ring();
  void place_ring();
  void follow_box_focus(QWidget* now);

  MainWindow& w_;
  const Control* current_ = nullptr;
  const Control* before_ = nullptr;  // where the focus was when a panel took it
  std::vector<const Control*> panels_;  // the panels with a control to focus at the last sync
  QPointer<FocusRing> ring_;
  QPointer<FocusRing> box_ring_;
  bool shown_ = true;
};

}  // namespace z2
