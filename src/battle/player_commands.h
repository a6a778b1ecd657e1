#pragma once
#include "shell/game.h"

namespace z2 {

// The player's punch damage; a = 1 for a punch, 2 on a rampage, 0 halves.
void attack(Game& g, int a);
// Beast-power and intelligence damage to the opponent, used by monsters and
// magic; a = 0 halves the damage.
void beast_hit(Game& g, int a);
void magic_hit(Game& g, int a);

void bind_player_commands(Game& g);

}  // namespace z2
