#pragma once
// What the player types into the edit field (the naming box's name_l).
#include <string>

#include "shell/game.h"

namespace z2 {

// The field's text after the player edited it to `text`. A character that
// the game's files cannot hold (CP932) is refused, with "miss.wav" and a
// word in the message line, and the field keeps its text: a name must never
// turn into '?' behind the player's back. True when the text was taken; a
// character with two forms is then held in the form the files keep.
bool edit_typed(Game& g, Control& field, const std::string& text);

}  // namespace z2
