#pragma once
#include "shell/game.h"

namespace z2 {

// Called by the shop's entry: the errand girl may stand in the shop, more
// often while she is out on an errand (she has something to report).
void wata_arrival(Game& g);

// Her picture: she offers her service, or reports back from her errand.
void wataClick(Game& g);
// "わたっ娘にお願い(51ｾﾝﾄ)": sends her out.
void wata_bClick(Game& g);

void bind_errand_girl(Game& g);

}  // namespace z2
