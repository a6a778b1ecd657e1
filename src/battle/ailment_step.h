#pragma once
// The ailment step at the start of either side's turn: first the roll that
// may lift the ailment, then its bite. Both sides follow the same rules; what
// differs between them (the odds of recovery, the venom's bite, the strike of
// a confused or rampaging side) is in the side's description.
#include <span>
#include <string>

#include "shell/game.h"
#include "shell/screen_effects.h"
#include "state/int32.h"

namespace z2 {

// An ailment that wears off by a roll of 1 in `chance`.
struct Recovery {
  int state;
  int chance;
  const char* healed;  // after the sufferer's name
};

// One side of the fight as its ailment sees it.
struct Sufferer {
  std::span<const Recovery> recoveries;
  std::string GameState::*name;
  i32 GameState::*state;
  i32 GameState::*hp;
  i32 GameState::*hp_max;
  std::string GameState::*other_name;
  i32 GameState::*other_hp;
  Fx burst, red, purple;  // on the sufferer's portrait
  Fx other_heals;         // on the other side's portrait
  i32 venom_extra;        // the venom bites a quarter of the hit points and this
  const char* strikes;    // the line of a confused strike, after the name
  void (*strike)(Game&, int power);  // the sufferer's own hit on the other side
};

enum class AilmentStep { Act, LoseTurn };

// Poisons bite and the turn goes on; sleep, stone, confusion, rampage and
// curse take the turn. Infection bites after the hits, not here.
AilmentStep ailment_step(Game& g, const Sufferer& who);

}  // namespace z2
