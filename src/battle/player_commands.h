#pragma once
#include "shell/game.h"

namespace z2 {

// The player's weapon hit on the opponent: a = 1 for a punch, 2 on a
// rampage, 5 for the tower strike (whose visible button adds 10).
void attack(Game& g, int a);
// Beast-power and intelligence damage to the opponent, used by monsters and
// magic; a = 0 halves the damage.
void beast_hit(Game& g, int a);
void magic_hit(Game& g, int a);

// The effect of the player's class on a punch, after the weapon has worn.
void class_punch_effect(Game& g);

// The punch b1, the tower strike tower_b and the escape Button7.
void bind_player_commands(Game& g);

}  // namespace z2
