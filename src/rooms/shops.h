#pragma once
// The two shops of the floor map: ＳＨＯＰ and ＷＩＬＤ ＳＨＯＰ.
#include "shell/game.h"

namespace z2 {

void bind_shops(Game& g);

}  // namespace z2
