#pragma once
// The game: its state, tables, window model and the platform it runs on.
#include <QImage>
#include <exception>
#include <string>

#include "shell/platform.h"
#include "shell/ui.h"
#include "state/game_state.h"
#include "state/random.h"

namespace z2 {

// A window timer: what it runs is bound with the handlers; an unbound
// timer does nothing.
struct Timer {
  int interval_ms;
  bool enabled;
  Handler on_fire = nullptr;
};

// Steps that a lower folder runs but a higher one owns. The composition file
// (game_handlers.cpp) fills them in; an empty hook is skipped.
struct Hooks {
  // The floor map's rules, applied by the status refresh in its order.
  void (*apply_stairs)(Game&) = nullptr;
  void (*apply_colosseum_button)(Game&) = nullptr;
  void (*apply_floor_rules)(Game&) = nullptr;
};

// A game is built unwired: whoever builds one at the top (a face, a test, a
// tool) binds its handlers with bind_handlers (game_handlers.h).
struct Game {
  Game(Platform& platform, Random& random, std::string root_dir);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  GameState s;
  Tables t;
  Ui ui;
  Platform& plat;
  Random& rng;

  // The program folder (ending in '/'): dat/ and cg/ live in it.
  std::string root;
  std::string dat_dir() const { return root + "dat/"; }
  std::string cg_dir() const { return root + "cg/"; }
  // Where the save and the report go when the program folder is not the
  // player's to write (an installed game): the user's data folder, ending in
  // '/'. Empty: in the program folder, the save in dat/.
  std::string user_dir;
  std::string save_path() const { return (user_dir.empty() ? dat_dir() : user_dir) + "z.wav"; }

  Hooks hooks;

  Timer timer1{50, true};     // status refresh
  Timer timer2{60000, true};  // play-time minutes
  Timer timer3{100, false};   // opening show

  // Hidden picture buffers.
  QImage map_bak, e_bak, my_bak, bak20, bak, boss_cg_bak;

  // Set once the window may close (the close handler has run its course).
  bool closed = false;
  // Set when the close let the game end although its save failed.
  bool left_unsaved = false;

  // A run of lost turns hands the turn back and forth without a click; the
  // player's turn runs such a run as a loop instead of ever deeper calls.
  int turn_depth = 0;      // player's turns under way (1 inside the loop)
  bool turn_again = false;  // another player's turn is due when the current one returns

  int random(int n) { return rng.random(n); }
};

// Runs the click handler of a control by name, as a click in the window
// would. False when the control does not exist or cannot be clicked
// (hidden, disabled or inside a hidden panel).
bool click(Game& g, std::string_view name);
bool press(Game& g, std::string_view name);
// Runs a handler; a data error it raises reaches the error box.
void run_handler(Game& g, Handler h);
// What an error that stopped an operation says to the player: the game's own
// errors as they are, the system's and the library's in the game's words
// (their own text goes to standard error, for a report).
std::string error_text(const std::exception& e);

// Runs timer 1, 2 or 3 as its tick in the window would, when it is enabled.
void timer_fire(Game& g, int which);

}  // namespace z2
