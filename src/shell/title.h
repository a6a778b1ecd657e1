#pragma once
#include <memory>

#include "shell/game.h"

namespace z2 {

// The window's creation handler.
void startup(Game& g);
// Everything load_all reads, held apart from the running game until all of
// it has been read cleanly.
struct LoadedGame {
  std::unique_ptr<GameState> s;
  std::shared_ptr<const Tables> t;
};
// Reads the save file (unless `with_save` is false; `save_file` instead of
// the save, when given) into a copy of the running state, and every master
// file (see read_tables). The running game is not touched. Throws DataError.
LoadedGame read_all(const Game& g, bool with_save = true, const std::string& save_file = {});
// Makes what read_all read the running game, then sets the text speed.
void adopt(Game& g, LoadedGame&& loaded);
// load_all: both at once. Throws DataError, leaving the running game as it was.
void load_all(Game& g, bool with_save = true);
// new_game: the new-game values and text speed 3.
void new_game(Game& g);

// The close handler. True when the window may close now. `unattended` is a
// close that nobody watches (the desktop session ends, a termination
// signal): the game saves just the same, but asks nothing and shows no
// farewell; a failure is still reported through the error box of the platform.
bool close_request(Game& g, bool unattended = false);
// The destroy handler.
void destroy(Game& g);

// One step of the opening show (Timer3) and its end.
void opening_step(Game& g);
void opening_end(Game& g);
// The minute tick (Timer2).
void minute_tick(Game& g);

void bind_title(Game& g);

}  // namespace z2
