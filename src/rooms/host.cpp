#include "rooms/host.h"

#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"

namespace z2 {

// The host takes the opponent's place: its name and values fill the
// opponent's status lines and its picture slides into the portrait.
void host_entry(Game& g, const Host& host) {
  Ui& ui = g.ui;
  ui.takara.visible = false;
  play_se(g, "key.wav");
  set_moji_l(g, "");
  ui.menu_com.visible = false;
  ui.cancel_b.caption = "部屋を出る";
  ui.map_box.visible = false;
  ui.list_box.visible = false;
  g.plat.repaint();
  picture_step(g, [&] { room_cg_load(g, host.room_picture); });
  GameState& s = g.s;
  s.host_mode = true;
  s.e_name = host.name;
  s.e_lv = host.lv;
  s.e_hp = s.e_hp_max = host.hp;
  status_refresh(g);
  picture_step(g, [&] { e_cg_load(g, host.picture); });
}

}  // namespace z2
