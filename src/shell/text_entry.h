#pragma once
// What the player types into the edit field (the naming box's name_l).
#include <string>

#include "shell/game.h"

namespace z2 {

// The longest name the field takes, in CP932 bytes (ten wide characters or
// twenty half-width ones): ten of the widest wide characters fit on the
// status panel's weapon line beside the largest power (twenty half-width
// letters as wide as W do not), and the names the game makes itself are
// about as long.
inline constexpr size_t kNameBytes = 20;

// The field's text after the player edited it to `text`. A character that
// the game's files cannot hold (CP932) is refused, with "miss.wav" and a
// word in the message line, and the field keeps its text: a name must never
// turn into '?' behind the player's back. A text longer than kNameBytes is
// cut there (never inside a character), with "miss.wav" and a word too.
// True when the text was taken as typed; a character with two forms is then
// held in the form the files keep.
bool edit_typed(Game& g, Control& field, const std::string& text);

}  // namespace z2
