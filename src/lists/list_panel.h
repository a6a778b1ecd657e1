#pragma once
// The list panel: every choice of a thing the player owns or may buy.
#include "lists/list_modes.h"
#include "shell/game.h"

namespace z2 {

// Empties and refills list_l for the mode; the opener sets the caption first.
void list_open(Game& g, ListMode mode);
// The about text of list_sel for the current caption (and the monster picture).
void list_about(Game& g);
// After an action used up a copy of list_sel: describe it again while some
// are left, else refill the list and clear the about text; then refresh.
void list_refresh(Game& g, ListMode mode);

// The caption's entry in the table of list modes; nullptr for another text.
const ListCaption* list_caption_now(const Game& g);

void bind_list_panel(Game& g);

}  // namespace z2
