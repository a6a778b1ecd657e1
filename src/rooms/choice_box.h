#pragma once
#include "shell/game.h"

namespace z2 {

// The choice box "SELECT UP" (lv_box): the level-up's six stat buttons and
// the two extra gifts of "極北人". Every button raises its value and ends
// the fight or the visit.
void bind_choice_box(Game& g);

}  // namespace z2
