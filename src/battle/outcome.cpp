#include "battle/outcome.h"

#include "shell/messages.h"
#include "shell/status.h"

namespace z2 {

// A first cut that ends the fight; the outcome issue builds the real one.
void death_check(Game& g) {
  if (g.s.e_hp < 1 && g.s.in_battle) {
    msg_put(g, g.s.e_name + "を倒した!!");
    battle_end(g);
    return;
  }
  if (g.s.my_hp < 1 && g.s.in_battle) battle_end(g);
}

void battle_end(Game& g) {
  g.s.in_battle = false;
  g.s.host_mode = false;
  g.ui.battle_com.visible = false;
  g.ui.list_box.visible = false;
  g.ui.map_box.visible = true;
  status_refresh(g);
  g.plat.repaint();
}

void item_random_get(Game&) {}

}  // namespace z2
