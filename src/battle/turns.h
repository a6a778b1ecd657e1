#pragma once
#include "shell/game.h"

namespace z2 {

// The two halves of a fight. Every fight enters through these: the encounter
// calls one of them, and each hands over to the other while the fight goes on.
//
// my_turn: the start of the player's turn; it ends with the command box shown,
// waiting for a command.
void my_turn(Game& g);
// After this many of the player's turns lost in a row the player gets the
// turn whatever the ailment: a run of lost turns always ends.
inline constexpr int kLostTurnCap = 100;
// enemy_turn: the opponent's half; it ends by giving the turn back.
void enemy_turn(Game& g);

// The opponent's ordinary hit on the player with the given power.
void enemy_attack(Game& g, int power);

}  // namespace z2
