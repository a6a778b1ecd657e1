#include "rooms/debug_panel.h"

#include "battle/encounter.h"
#include "battle/outcome.h"
#include "battle/player_commands.h"
#include "battle/turns.h"
#include "lists/list_panel.h"
#include "rooms/service_rooms.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/ids.h"
#include "state/int32.h"

// None of these buttons refreshes the status: the 50 ms refresh shows (and
// puts back into range) whatever they set.

namespace z2 {

namespace {

// The cleaner's own monster record.
constexpr int kCleanerMonster = 102;

// Game operations.
void Button3Click(Game& g) { enemy_appear(g, 0); }
// "敵の攻撃" and "敵攻撃": outside a fight there is no opponent to act, and
// its turn would open the command box over the map.
void Button4Click(Game& g) {
  if (!g.s.in_battle) return play_se(g, "miss.wav");
  enemy_turn(g);
}
void Button5Click(Game& g) { my_turn(g); }
void Button6Click(Game& g) { attack(g, 1); }
void Button10Click(Game& g) {
  if (!g.s.in_battle) return play_se(g, "miss.wav");
  enemy_attack(g, 1);
}
void Button8Click(Game& g) { death_check(g); }
void Button9Click(Game& g) { screen_effect(g, Fx::FoeRed); }
void Button13Click(Game& g) { battle_end(g); }
// Fills the list in the consumables' way without touching its caption or visibility.
void Button14Click(Game& g) { list_open(g, ListMode::Consumables); }
void Button17Click(Game& g) { cg_load(g, "e0.bmp"); }

// Values by hand.
void Button18Click(Game& g) {
  for (size_t i = 0; i <= 498; ++i)
    if (!g.t.gomi_table[i].gm_name.empty()) g.s.gomi_have[i] = sat_add(g.s.gomi_have[i], 1);
}
void Button19Click(Game& g) { g.s.monster_have[kCleanerMonster] = 1; }
void Button20Click(Game& g) {
  // With the title panel up the close handler does not save.
  g.ui.start_box.visible = true;
  g.plat.repaint();
  g.plat.close_window();
}
void Button21Click(Game& g) { g.s.my_exp = 99; }
void Button22Click(Game& g) {
  GameState& s = g.s;
  s.my_mp_max = s.my_mp = 999;
  s.my_hp_max = s.my_hp = 9999;
  s.ark = 999;
}
void Button24Click(Game& g) {
  for (size_t i = 0; i <= 254; ++i) g.s.monster_lv[i] = 98;
}
void Button25Click(Game& g) {
  g.s.my_lv = sat_add(g.s.my_lv, 50);
  g.s.cent = 1000000;
}
void Button26Click(Game& g) {
  for (int k = 0; k <= 6; ++k) g.s.key_have(k) = sat_add(g.s.key_have(k), 1);
}
void Button32Click(Game& g) { g.s.buki_pow = sat_add(g.s.buki_pow, 10000); }
void Button33Click(Game& g) { g.s.monster_have.fill(1); }
void Button34Click(Game& g) {
  for (size_t i = 0; i < g.s.magic_have.size(); ++i)
    if (!g.t.magic_table[i].mg_name.empty()) g.s.magic_have[i] = 1;
}
void Button38Click(Game& g) { g.s.floor_clear[fc::kEscapes] = 98; }
void Button39Click(Game& g) { g.s.key_have(key::kFloor7Key) = 1; }
void Button40Click(Game& g) {
  for (size_t i = 0; i < kTopFloor; ++i) g.s.floor_clear[i] = kWonMark;
}
void Button43Click(Game& g) { g.s.e_hp = 0; }
void Button47Click(Game& g) {
  for (size_t i = 0; i < g.s.md_have.size(); ++i)
    if (!g.t.md_table[i].md_name.empty()) g.s.md_have[i] = sat_add(g.s.md_have[i], 1);
}
void Button48Click(Game& g) { g.s.item_have.fill(1); }
void Button49Click(Game& g) { g.s.my_hp = 0; }
void Button50Click(Game& g) { g.s.wata = 97; }
void Button52Click(Game& g) { g.ui.wata.visible = true; }
void Button53Click(Game& g) { g.s.wild = sat_add(g.s.wild, 100); }
void Button54Click(Game& g) { g.s.combo = sat_add(g.s.combo, 9); }
void Button55Click(Game& g) { g.ui.takara.visible = true; }

}  // namespace

// "ITEM_MODE" and "list_about" (Button15, Button16) do nothing; "OPENING"
// and the two random rooms are bound with their twins on the title and the map.
void bind_debug_panel(Game& g) {
  Ui& ui = g.ui;
  ui.Button3.on_click = Button3Click;
  ui.Button4.on_click = Button4Click;
  ui.Button5.on_click = Button5Click;
  ui.Button6.on_click = Button6Click;
  ui.Button10.on_click = Button10Click;
  ui.Button8.on_click = Button8Click;
  ui.Button9.on_click = Button9Click;
  ui.Button13.on_click = Button13Click;
  ui.Button14.on_click = Button14Click;
  ui.Button17.on_click = Button17Click;
  ui.Button18.on_click = Button18Click;
  ui.Button23.on_click = Button23Click;
  ui.Button19.on_click = Button19Click;
  ui.Button20.on_click = Button20Click;
  ui.Button21.on_click = Button21Click;
  ui.Button22.on_click = Button22Click;
  ui.Button24.on_click = Button24Click;
  ui.Button25.on_click = Button25Click;
  ui.Button26.on_click = Button26Click;
  ui.Button32.on_click = Button32Click;
  ui.Button33.on_click = Button33Click;
  ui.Button34.on_click = Button34Click;
  ui.Button38.on_click = Button38Click;
  ui.Button39.on_click = Button39Click;
  ui.Button40.on_click = Button40Click;
  ui.Button43.on_click = Button43Click;
  ui.Button47.on_click = Button47Click;
  ui.Button48.on_click = Button48Click;
  ui.Button49.on_click = Button49Click;
  ui.Button50.on_click = Button50Click;
  ui.Button52.on_click = Button52Click;
  ui.Button53.on_click = Button53Click;
  ui.Button54.on_click = Button54Click;
  ui.Button55.on_click = Button55Click;
}

}  // namespace z2
