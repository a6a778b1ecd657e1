#pragma once
// The weapon's extra effects (buki_ex) that ride on the player's hit. Most
// numbers act after a punch; a few change the damage inside the hit, and the
// rest act elsewhere (the refusals, the wear, the opponent's hit, the outcome).
#include "shell/game.h"
#include "shell/screen_effects.h"

namespace z2 {

// The damage of one hit after the multipliers (effects 41, 42, 44..47): one
// draw for the weapon's number, with its message. Other weapons leave `d`.
i32 extra_damage_factor(Game& g, i32 d);

// The screen effect of an ailment laid on the opponent or on the player: a
// green burst for the poisons (1, 6, 7, 10), a white flash for the others.
Fx ailment_flash(int code, bool on_opponent);

// The effect of the weapon after a punch, once the class effects are done.
void punch_extra_effect(Game& g);

// Takes what the opponent carries: an item, a piece of garbage or, when it
// carries nothing of its own, a random gift. An opponent is robbed once.
// `quiet_when_empty`: no message when it has nothing left.
void steal(Game& g, bool quiet_when_empty);

}  // namespace z2
