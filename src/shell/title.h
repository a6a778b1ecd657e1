#pragma once
#include "shell/game.h"

namespace z2 {

// The window's creation handler.
void startup(Game& g);
// load_all: the save file (unless `with_save` is false), every master file,
// then the text speed from the save. Throws DataError.
void load_all(Game& g, bool with_save = true);
// new_game: the new-game values and text speed 3.
void new_game(Game& g);

// The close handler. True when the window may close now.
bool close_request(Game& g);
// The destroy handler.
void destroy(Game& g);

// One step of the opening show (Timer3) and its end.
void opening_step(Game& g);
void opening_end(Game& g);
// The minute tick (Timer2).
void minute_tick(Game& g);

void bind_title(Game& g);

}  // namespace z2
