#pragma once
// The chaos run: from NEW GAME, random clicks, rows, answers, names and
// timer ticks for a number of steps, checking the game's invariants after
// every step.
#include <cstdint>
#include <string>

namespace z2::autoplay {

struct ChaosOptions {
  std::string root;     // the program folder (dat/ and cg/)
  uint32_t seed = 1;    // the first seed
  long long steps = 1000;
};

// Returns the exit status: 0 when every invariant held.
int run_chaos(const ChaosOptions& options);

}  // namespace z2::autoplay
