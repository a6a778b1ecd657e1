#pragma once
// Small steps shared by the opponent's actions and the called monsters' skills.
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/int32.h"

namespace z2 {

// A chance of 1 in `chance`; 1 or less always lands and draws nothing.
inline bool lands(Game& g, int chance) { return chance <= 1 || g.random(chance) == 0; }

inline void miss(Game& g) { msg_add(g, "Miss!!"); }

// Both sides win back half their maximum hit points, the opponent first.
inline void heal_both_halves(Game& g) {
  GameState& s = g.s;
  screen_effect(g, Fx::FoeBlueRise);
  msg_add(g, s.e_name + "は回復した!!");
  s.e_hp = sat_add(s.e_hp, s.e_hp_max / 2);
  refresh(g);
  screen_effect(g, Fx::PlayerBlueRise);
  msg_add(g, s.my_name + "は回復した!!");
  s.my_hp = sat_add(s.my_hp, s.my_hp_max / 2);
}

}  // namespace z2
