#include "rooms/floor_map.h"

#include <string>

#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/floors.h"
#include "state/ids.h"

namespace z2 {

namespace {

// floor_clear holds more than the floors; a floor outside it counts as not cleared.
bool cleared(const GameState& s, int floor) {
  return floor >= 0 && floor < static_cast<int>(s.floor_clear.size()) &&
         s.floor_clear[static_cast<size_t>(floor)] == kWonMark;
}

void move_floor(Game& g, int step) {
  play_se(g, "walk.wav");
  g.ui.takara.visible = false;
  g.s.floor += step;
  const int f = g.s.floor;
  set_moji_l2(g, std::to_string(f) + "階、" + at_or_empty(g.t.map_names, f) + "に到着しました。");
  load_cg(g, g.ui.haikei.image, "haikei" + std::to_string(f) + ".bmp", "haikei-1.bmp");
  g.ui.haikei.touched();
  status_refresh(g);
}

template <size_t N>
int count_ones(const std::array<i32, N>& a) {
  int n = 0;
  for (i32 v : a) n += v == 1;
  return n;
}

template <class T, size_t N, class Name>
int count_named(const std::array<T, N>& table, Name name) {
  int n = 0;
  for (const T& r : table) n += !(r.*name).empty();
  return n;
}

}  // namespace

void apply_stairs(Game& g) {
  const GameState& s = g.s;
  Control& down = g.ui.st_b1;
  Control& up = g.ui.st_b2;
  down.visible = s.floor > 0;
  if (down.visible) down.caption = "▼" + std::to_string(s.floor - 1) + "階へ";
  // The way up from the champion's floor needs its key; the top floor has no way up.
  const bool open = s.floor < kTopFloor && (s.floor != floors::kChampionFloor || s.key_have(key::kFloor7Key) > 0);
  up.visible = cleared(s, s.floor) && open;
  if (up.visible) up.caption = "▲" + std::to_string(s.floor + 1) + "階へ";
}

void apply_colosseum_button(Game& g) { g.ui.colosiam_b.visible = !cleared(g.s, g.s.floor); }

void apply_floor_rules(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  const int f = s.floor;

  // A floor off the map has no rooms, allows every command and has no handicap.
  static constexpr floors::Floor kOffTheMap{floors::kNoRooms, floors::kAll, false, {}, floors::kOpen, "", {}, 0, {}};
  const floors::Floor* row = floors::floor_row(f);
  const floors::Floor& fl = row ? *row : kOffTheMap;
  const floors::Rooms& r = fl.rooms;
  ui.s_battle.visible = r.s_battle;
  ui.s_shop.visible = r.s_shop;
  ui.s_monster.visible = r.s_monster;
  ui.s_gomi.visible = r.s_gomi;
  ui.s_ch.visible = r.s_ch;
  ui.s_wild.visible = r.s_wild;
  ui.rand_b.visible = r.rand_b;
  ui.p_b.visible = r.p_b;
  // The rest floors are won by reaching them.
  if (fl.rest) s.floor_clear[static_cast<size_t>(f)] = kWonMark;

  ui.gouketu_b.visible = s.floor_clear[kTopFloor] == kWonMark && s.floor_clear[fc::kGouketu] == 0 && f == 0;

  ui.b1.enabled = fl.commands.b1;
  ui.b2.enabled = fl.commands.b2;
  ui.b3.enabled = fl.commands.b3;
  ui.b4.enabled = fl.commands.b4;

  // Handicaps: these floors never let the player stand at full strength.
  const floors::Handicap& h = fl.handicap;
  if (h.hp > 0 && s.my_hp > s.my_hp_max / h.hp) s.my_hp = s.my_hp_max / h.hp;
  if (h.mp > 0 && s.my_mp > s.my_mp_max / h.mp) s.my_mp = s.my_mp_max / h.mp;
}

void st_b1Click(Game& g) {
  if (g.s.floor <= 0) return;
  move_floor(g, -1);
}

void st_b2Click(Game& g) {
  if (g.s.floor >= kTopFloor) return;
  move_floor(g, +1);
}

void Button44Click(Game& g) {
  const GameState& s = g.s;
  const Tables& t = g.t;
  play_se(g, "but.wav");
  auto line = [](const char* head, int have, int all) {
    return std::string(head) + std::to_string(have) + "/" + std::to_string(all);
  };
  set_moji_l2(g, line("◆ITEM図鑑：", count_ones(s.item_book), count_named(t.item_table, &ItemRecord::it_name)) +
                     "\r" + line("◆ＭＤ図鑑：", count_ones(s.md_book), count_named(t.md_table, &MdRecord::md_name)) +
                     "\r" +
                     line("◆ﾓﾝｽﾀｰ図鑑：", count_ones(s.monster_book),
                          count_named(t.monster_table, &MonsterRecord::mo_name)) +
                     "\r" +
                     line("◆魔法図鑑：", count_ones(s.magic_have), count_named(t.magic_table, &MagicRecord::mg_name)));
}

void bind_floor_map(Game& g) {
  g.ui.st_b1.on_click = st_b1Click;
  g.ui.st_b2.on_click = st_b2Click;
  g.ui.Button44.on_click = Button44Click;
}

}  // namespace z2
