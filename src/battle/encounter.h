#pragma once
#include "shell/game.h"

namespace z2 {

// A record the encounter can field: named (not the lone blank " ") and with a picture.
bool enemy_usable(const Tables& t, int n);
// A record the random rooms may pick: as above, and numbered 1..253.
bool room_usable(const Tables& t, int n);
// Some ordinary slot (0..6) of the floor's band is usable.
bool band_has_enemy(const Tables& t, int floor);

// Starts a fight. kind 0: an ordinary enemy of the floor; 1..254: that record;
// -1: the opponent of the boss file just read. Returns once the first turn is set up.
void enemy_appear(Game& g, int kind);
// The next fight of the monster room, straight after a won one.
void next_enemy(Game& g);

void bind_encounter(Game& g);

}  // namespace z2
