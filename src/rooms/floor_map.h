#pragma once
#include "shell/game.h"
#include "state/ids.h"

namespace z2 {

// The rules of the floor map that the status refresh applies on every refresh.
// Stairs: visibility and captions of st_b1 and st_b2.
void apply_stairs(Game& g);
// "コロシアム" shown while the floor is not cleared.
void apply_colosseum_button(Game& g);
// Room buttons of the floor, "豪傑達の黄昏", the battle commands the floor
// disables and the floor's handicaps, in that order.
void apply_floor_rules(Game& g);

// The stairs: down (st_b1) and up (st_b2).
void st_b1Click(Game& g);
void st_b2Click(Game& g);
// "ステータス": the encyclopedia summary in the map's message line.
void Button44Click(Game& g);

void bind_floor_map(Game& g);

}  // namespace z2
