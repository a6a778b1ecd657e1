#pragma once
#include "shell/game.h"

namespace z2 {

// The outcome check after every action that can change hit points: first the
// victory part (the opponent has fallen), then the death part (the player
// has). Both end the fight through battle_end. Callers test in_battle
// afterwards to know whether the fight goes on.
void death_check(Game& g);

// Ends a fight or a host visit: rests the player, returns to the floor map
// and updates the score.
void battle_end(Game& g);

// One random item gift, with its message.
void item_random_get(Game& g);

}  // namespace z2
