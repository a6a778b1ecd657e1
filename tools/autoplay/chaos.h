#pragma once
// The chaos run: from NEW GAME, random clicks, rows, answers, names and
// timer ticks for a number of steps, checking the game's invariants after
// every step.
#include <cstdint>
#include <string>

namespace z2::autoplay {

struct ChaosOptions {
  std::string root;     // the program folder (dat/ and cg/); the run plays in a copy
  uint32_t seed = 1;    // seeds the run's own choices and the game's generator
  long long steps = 1000;
  // A save written every this many steps (and after the last) must load back
  // to the same values.
  long long save_every = 250;
  // Bounds of one step: more than this means the game hangs in it.
  long long max_pauses = 200000;       // pauses and repaints, each
  long long max_virtual_ms = 3600000;  // an hour of the game's own waiting
  long long max_boxes = 2000;          // yes/no boxes and notices
  int max_wall_seconds = 120;          // a loop that neither waits nor paints
};

// Returns the exit status: 0 when every invariant held, 1 when one broke
// (the seed, the step and a replay script are printed), 2 when the run could
// not start.
int run_chaos(const ChaosOptions& options);

}  // namespace z2::autoplay
