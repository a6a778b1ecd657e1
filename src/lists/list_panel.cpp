#include "lists/list_panel.h"

namespace z2 {

// First cut; the list issue fills the panel.
void list_open(Game&, ListMode) {}
void list_about(Game&) {}
void list_refresh(Game&, ListMode) {}

const ListCaption* list_caption_now(const Game& g) { return list_caption(g.ui.list_box.caption); }

void bind_list_panel(Game&) {}

}  // namespace z2
