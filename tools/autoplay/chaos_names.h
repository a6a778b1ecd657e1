#pragma once
// Names the chaos run types into the edit field: ordinary ones, and what a
// careless paste brings: characters the game's files cannot hold, bytes of a
// character cut in the middle, very long and empty names.
#include <random>
#include <string>

namespace z2::autoplay {

std::string random_name(std::mt19937_64& pick);

}  // namespace z2::autoplay
