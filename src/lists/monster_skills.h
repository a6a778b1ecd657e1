#pragma once
// The skill a called monster uses, by its mo_kind.
#include "shell/game.h"

namespace z2 {

// Runs skill `kind` of the monster `monster`, whose mo_pow (read before any
// evolution) is `pow`. Unknown kinds do nothing.
void run_skill(Game& g, int monster, i32 pow, i32 kind);

}  // namespace z2
