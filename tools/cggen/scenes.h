// Places: floor backgrounds, room pictures and the title screen.
#pragma once
#include "canvas.h"

namespace cggen {

// Floor background (floor -1: the default), 325 x 193.
Canvas floor_background(int floor);
// Room pictures, 64 x 64: "map0", "map-1", "map-2", "shop", "wild", "s_Ch", "gomiroom", "monster".
Canvas room_picture(const char* name);
Canvas title_picture();

}  // namespace cggen
