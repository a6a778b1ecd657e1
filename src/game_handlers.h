#pragma once
// The wiring of a game, called from the top: the faces, the tests, the
// fuzzers and the tools bind a game once they have built it.
#include "shell/game.h"

namespace z2 {

// Binds every handler of the window to its control, the three timers to
// what they run, and fills in the hooks.
void bind_handlers(Game& g);

}  // namespace z2
