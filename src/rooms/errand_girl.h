#pragma once
#include "shell/game.h"

namespace z2 {

// Called by the shop's entry: the errand girl may stand in the shop.
void wata_arrival(Game& g);

void bind_errand_girl(Game& g);

}  // namespace z2
