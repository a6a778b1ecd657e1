#pragma once
#include <string>

#include "shell/game.h"

namespace z2 {

// Rebuilds every status text and gauge and keeps the state's values in range.
// Never waits, never plays a sound.
void status_refresh(Game& g);

// "9億9999万9999" for 999999999.
std::string score_text(int32_t score);

// The closing step of every fight: encyclopedias, then the score.
void score_update(Game& g);

}  // namespace z2
