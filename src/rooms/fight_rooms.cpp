#include "rooms/fight_rooms.h"

#include "battle/encounter.h"
#include "data/tables.h"
#include "rooms/floor_map.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/floors.h"
#include "state/int32.h"

namespace z2 {

namespace {

// A room that will not let the player in says why on the map.
void refuse(Game& g, const std::string& why) {
  play_se(g, "miss.wav");
  set_moji_l2(g, why);
}

// Entering the monster room or a random room.
void room_entry(Game& g) {
  play_se(g, "battle.wav");
  g.ui.menu_com.visible = false;
  g.ui.map_box.visible = false;
  g.ui.list_box.visible = false;
  g.plat.repaint();
  g.ui.takara.visible = false;
  picture_step(g, [&] { room_cg_load(g, "map0.bmp"); });
  GameState& s = g.s;
  s.buf_atk() = s.buf_beast() = s.buf_def() = 0;
  s.e_buf_atk = s.e_buf_def = 0;
}

// Some record slot + 10 * band, slot below `slot_count`, band below the floor
// (band 0 on floor 0), is one the random rooms may pick.
bool random_room_can_pick(const Game& g, int slot_count) {
  // Bands past the table hold nothing.
  const int bands = clamp_i(g.s.floor, 1, 26);
  for (int band = 0; band < bands; ++band)
    for (int slot = 0; slot < slot_count; ++slot)
      if (room_usable(g.t, slot + 10 * band)) return true;
  return false;
}

int random_room_draw(Game& g, int slot_count) {
  const int slot = g.random(slot_count);
  const int band = g.random(g.s.floor);
  return sat_add(slot, sat_mul(10, band));
}

// The enemy of a random room: the first draw from slots 0..first_slots-1, every
// later one from slots 0..6, until a usable record turns up. Checking first
// that the repeated draw can succeed keeps the draws exactly those of an
// endless retry whenever the data allow one; otherwise -1 and nothing is drawn
// beyond the first.
int random_room_pick(Game& g, int first_slots) {
  if (!random_room_can_pick(g, first_slots)) return -1;
  const bool retry = random_room_can_pick(g, 7);
  int a = random_room_draw(g, first_slots);
  for (int k = 1; !room_usable(g.t, a); ++k) {
    if (!retry || k >= kDrawCap) return -1;
    a = random_room_draw(g, 7);
  }
  return a;
}

// The rare visitor of the monster room: no fight, a gift of the player's choice.
void kyokuhokujin(Game& g) {
  GameState& s = g.s;
  picture_step(g, [&] { e_cg_load(g, "hoku.bmp"); });
  s.host_mode = true;
  s.e_name = "極北人";
  s.e_lv = 0;
  s.e_hp = s.e_hp_max = 777;
  status_refresh(g);
  msg_put(g, "極北人が出現した!!");
  msg_add(g, "\r『どれか上げたげるヨ☆』");
  g.ui.lv_box.visible = true;
  g.ui.lv2_b.visible = true;
  g.ui.lv3_b.visible = true;
  g.plat.repaint();
}

// The colosseum and the gauntlet once their boss file is read.
void boss_fight(Game& g) {
  GameState& s = g.s;
  s.colo_count = 0;
  s.buf_atk() = s.buf_beast() = s.buf_def() = 0;
  g.ui.takara.visible = false;
  g.ui.menu_com.visible = false;
  g.ui.map_box.visible = false;
  g.ui.list_box.visible = false;
  enemy_appear(g, -1);
  s.no_escape = true;
}

// What the colosseum of the floor says at the door, or nullptr when it lets
// the player in.
const char* shut_door(const GameState& s) {
  const floors::Floor* f = floors::floor_row(s.floor);
  if (!f) return nullptr;
  const floors::Door& d = f->door;
  switch (d.gate) {
    case floors::Gate::None: return nullptr;
    case floors::Gate::Wild: return s.wild < d.at_least ? d.why : nullptr;
    case floors::Gate::Cents: return s.cent < d.at_least ? d.why : nullptr;
    case floors::Gate::LevelOne: return s.my_lv != 1 ? d.why : nullptr;
  }
  return nullptr;
}

// Developer panel twins of the random rooms.
void Button56Click(Game& g) { rand_bClick(g); }
void Button57Click(Game& g) { p_bClick(g); }

}  // namespace

void s_battleClick(Game& g) {
  if (!band_has_enemy(g.t, g.s.floor)) {
    refuse(g, kNoEnemyHere);
    return;
  }
  room_entry(g);
  g.s.room_battle = true;
  if (g.random(60) == 0) {
    kyokuhokujin(g);
    return;
  }
  enemy_appear(g, 0);
}

void rand_bClick(Game& g) {
  // The room has no draws of its own, so drawing before it opens keeps the
  // order of every draw and lets an empty floor refuse untouched.
  const int a = random_room_pick(g, 7);
  if (a < 0) {
    refuse(g, kNoEnemyHere);
    return;
  }
  room_entry(g);
  g.ui.a_l.text = std::to_string(a);
  enemy_appear(g, a);
}

void p_bClick(Game& g) {
  const int a = random_room_pick(g, 9);
  if (a < 0) {
    refuse(g, kNoEnemyHere);
    return;
  }
  room_entry(g);
  g.s.hard_room = true;
  enemy_appear(g, a);
}

void colosiam_bClick(Game& g) {
  GameState& s = g.s;
  if (const char* why = shut_door(s)) {
    refuse(g, why);
    return;
  }
  play_se(g, "punch.wav");
  picture_step(g, [&] { room_cg_load(g, "map-1.bmp"); });
  g.plat.repaint();
  play_bgm(g, colosseum_bgm(s.floor));
  // An unreadable boss file stops here, before the map is left.
  load_boss(s, g.dat_dir(), s.floor);
  boss_fight(g);
}

void gouketu_bClick(Game& g) {
  play_se(g, "punch.wav");
  picture_step(g, [&] { room_cg_load(g, "map-2.bmp"); });
  g.plat.repaint();
  play_bgm(g, "best.mid");
  load_boss(g.s, g.dat_dir(), 99);
  boss_fight(g);
}

void bind_fight_rooms(Game& g) {
  Ui& ui = g.ui;
  ui.s_battle.on_click = s_battleClick;
  ui.rand_b.on_click = rand_bClick;
  ui.Button56.on_click = Button56Click;
  ui.p_b.on_click = p_bClick;
  ui.Button57.on_click = Button57Click;
  ui.colosiam_b.on_click = colosiam_bClick;
  ui.gouketu_b.on_click = gouketu_bClick;
}

}  // namespace z2
