#pragma once
// The buttons that open the list panel.
#include <string_view>

#include "lists/list_modes.h"
#include "shell/game.h"

namespace z2 {

// The opening common to every opener: "key.wav", the caption, the panel
// shown, then the list filled in `mode`.
void open_list(Game& g, std::string_view caption, ListMode mode);

void bind_list_openers(Game& g);

}  // namespace z2
