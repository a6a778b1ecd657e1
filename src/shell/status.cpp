#include "shell/status.h"

namespace z2 {

std::string score_text(int32_t score) { return std::to_string(score); }

void status_refresh(Game& g) {
  auto& s = g.s;
  auto& ui = g.ui;
  ui.map_box.caption = std::to_string(s.floor) + "階【" + at_or_empty(g.t.map_names, s.floor) + "】";
  ui.menu_com.visible = ui.map_box.visible;
}

void score_update(Game& g) { (void)g; }

}  // namespace z2
