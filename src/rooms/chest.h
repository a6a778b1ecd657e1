#pragma once
#include "shell/game.h"

namespace z2 {

// The treasure chest on the map: opening it gives an item, cents, nothing or
// a trap, and moves it for next time.
void takaraClick(Game& g);

void bind_chest(Game& g);

}  // namespace z2
