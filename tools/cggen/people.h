// The hero, the hosts of the rooms and the small props.
#pragma once
#include "canvas.h"

namespace cggen {

// mood: 0 normal, 1 full of life, 2 badly hurt.
Canvas hero_portrait(int mood);
Canvas fallen_picture();
Canvas placeholder_picture();
Canvas chest_picture();
// "tan", "tan2", "luida", "mara", "yam", "yam2", "hoku", "wata".
Canvas host_portrait(const char* name);

}  // namespace cggen
