#pragma once
// What must hold after every step of the chaos run, as pure functions of the
// game state before and after the step, so that each rule can be tested on
// hand-made states.
#include <string>
#include <vector>

#include "state/game_state.h"

namespace z2::autoplay {

struct StepFacts {
  // The status refresh ran after the step's action: the values it clamps
  // must be in range now.
  bool refreshed = false;
  // A developer-panel button set values by hand in this step: values it
  // set may stand outside their ranges (the game brings them back later).
  bool by_hand = false;
};

// Every broken rule, one line each ("item_have[3]=-1: below 0"); empty when
// everything holds.
std::vector<std::string> check_step(const GameState& before, const GameState& after, const StepFacts& facts);

// The saved variables as the headless `dump` prints them ("my_lv=3",
// "item_have[5]=2", arrays with their non-zero entries only).
std::vector<std::string> dump_lines(GameState& s);

// The first lines where two dumps differ, at most `limit` of them, written
// as "before: LINE" / "after: LINE"; empty when the dumps are equal.
std::vector<std::string> dump_differences(const std::vector<std::string>& before,
                                          const std::vector<std::string>& after, size_t limit = 6);

}  // namespace z2::autoplay
