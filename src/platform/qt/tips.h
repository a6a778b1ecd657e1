#pragma once
// Tips for a new player: a short note the window lays over the free right
// column of the play area the first time a player meets a screen (the first
// map, the first fight, the first shop...). They belong to the window: the
// game, its transcripts and its save never see them. Each tip shows once per
// player (remembered in the user's settings file); a click on it or any key
// puts it away, and all of them can be turned off.
#include <QLabel>
#include <QRect>
#include <QStringList>
#include <string>

namespace z2 {

struct Game;

class Tips {
 public:
  // The strip is a child of `window`.
  explicit Tips(QWidget* window);

  bool enabled() const { return enabled_; }
  // The remembered choice and the tips already seen.
  void apply(bool enabled, const QStringList& seen);
  // Off puts away the tip on show; the choice is remembered.
  void set_enabled(bool on);

  // Looks at the game after each repaint of the window: the first situation
  // whose tip the player has not seen shows its tip, unless one shows.
  void check(const Game& g);
  // A yes/no box is about to ask `text` (the offer of a weapon or armour).
  void asking(const std::string& text);

  // A tip is on show (also while it steps aside for the list panel).
  bool showing() const { return current_ >= 0; }
  // The tip on show is put away and counts as seen.
  void dismiss();
  // Places the strip for the play area at `origin` drawn at `scale`.
  void place(QPoint origin, int scale);
  QLabel* strip() const { return strip_; }

  // The tips' names in the order a player meets them, for tests.
  static QStringList names();

 private:
  void show_tip(int i);

  QLabel* strip_;
  bool enabled_ = false;  // until the choices are applied
  QStringList seen_;
  int current_ = -1;  // the tip on show
  int deaths_ = -1;  // deaths counted when the window first looked
  QPoint origin_;
  int scale_ = 1;
};

}  // namespace z2
