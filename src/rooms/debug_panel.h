#pragma once
// The developer panel: hidden in the game, shown by --debug-panel. Its
// buttons call the game's operations directly or set values by hand.
#include "shell/game.h"

namespace z2 {

void bind_debug_panel(Game& g);

}  // namespace z2
