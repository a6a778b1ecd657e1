#pragma once
// Pieces of the monster call that magic shares and tests look at.
#include "shell/game.h"
#include "state/fixed_tables.h"

namespace z2 {

// Takes what the opponent carries (e_item) and says so; afterwards the
// opponent carries nothing.
void theft(Game& g);

// Gifts to the opponent: an item or a garbage the player does not own yet.
// They answer "Miss!!" when the data hold nothing that can be given.
void give_enemy_item(Game& g);
void give_enemy_garbage(Game& g);

}  // namespace z2
