#pragma once
// The rewards that mark progress: the floor clear after a won colosseum
// fight, the level-up, class levels, combos and the count of deaths. Each is
// a fixed table of milestones; prizes are set or added without the cap of 99
// that ordinary gifts respect.
#include "shell/game.h"

namespace z2 {

// A won colosseum fight: the floor is cleared, floors 0..6 lead one floor up,
// the higher floors open their door, and "ファウスト" leaves his token.
void floor_clear_reward(Game& g);

// Experience above 99 becomes one level (at most 999), with the magic of that
// level, and opens the choice box; the box's buttons end the fight.
void level_up(Game& g);

// The level raised by `k` outside the level-up (items, the weapon's effect):
// never past kMaxLevel, and a level already there (set by hand) stays.
void raise_level(GameState& s, i32 k);

// One more victory in the current class: class levels at 10, 20 and 30, the
// mastery bonus at 40 (class 20 then becomes 21).
void class_exp_step(Game& g);

// One more victory in a row, with the prizes of the streak.
void combo_step(Game& g);

// The prize for the count of deaths just reached, if there is one.
void death_count_prize(Game& g);

// True for the items that the streak and death-count prizes add without the
// cap of 99 (checkers of the owned counts allow these to pass it).
bool uncapped_prize_item(int id);

}  // namespace z2
