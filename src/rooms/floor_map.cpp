#include "rooms/floor_map.h"

#include <string>

#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/ids.h"

namespace z2 {

namespace {

// Which rooms stand on each floor.
struct Rooms {
  bool s_battle, s_shop, s_monster, s_gomi, s_ch, s_wild, rand_b, p_b;
};

constexpr Rooms kRooms[kTopFloor + 1] = {
    //  battle shop  monst gomi  church wild  rand  hard
    {true, true, false, false, false, false, false, false},   // 0
    {true, true, false, true, false, false, false, false},    // 1
    {true, false, false, false, false, false, false, false},  // 2
    {true, true, true, false, true, false, false, false},     // 3
    {true, false, false, true, false, false, false, false},   // 4
    {true, true, false, true, false, false, false, false},    // 5
    {true, true, true, false, false, true, false, false},     // 6
    {true, true, true, true, true, false, false, false},      // 7
    {false, false, false, false, false, false, true, false},  // 8
    {false, false, false, false, false, false, false, false}, // 9
    {false, false, false, false, false, true, false, false},  // 10
    {false, false, false, false, false, false, false, false}, // 11
    {false, false, false, false, false, false, false, false}, // 12
    {true, true, true, true, true, false, false, false},      // 13
    {false, false, false, false, false, false, false, false}, // 14
    {false, false, false, false, false, false, false, false}, // 15
    {false, false, false, false, false, true, false, true},   // 16
    {false, false, false, false, false, false, false, false}, // 17
    {true, true, true, true, true, true, false, false},       // 18
    {false, false, false, false, false, false, false, false}, // 19
    {false, false, false, false, false, false, false, false}, // 20
    {false, false, false, false, false, false, false, false}, // 21
    {true, true, true, true, true, false, false, false},      // 22
    {false, false, false, false, false, true, true, true},    // 23
    {false, false, false, false, false, false, false, false}, // 24
};

// The battle commands a floor allows: パンチ, モンスター, アイテム, 魔法.
struct Commands {
  bool b1, b2, b3, b4;
};

Commands floor_commands(int floor) {
  switch (floor) {
    case 9: return {true, true, false, true};
    case 10: return {true, true, true, false};
    case 11: return {true, false, true, false};
    case 12: return {true, true, false, false};
    case 20: return {false, true, true, true};
    default: return {true, true, true, true};
  }
}

bool on_map(int floor) { return floor >= 0 && floor <= kTopFloor; }

// floor_clear holds more than the floors; a floor outside it counts as not cleared.
bool cleared(const GameState& s, int floor) {
  return floor >= 0 && floor < static_cast<int>(s.floor_clear.size()) &&
         s.floor_clear[static_cast<size_t>(floor)] == 100;
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
  // The way up from floor 7 needs its key; the top floor has no way up.
  const bool open = s.floor < 7 || (s.floor == 7 && s.key_have(key::kFloor7Key) > 0) || (s.floor >= 8 && s.floor < kTopFloor);
  up.visible = cleared(s, s.floor) && open;
  if (up.visible) up.caption = "▲" + std::to_string(s.floor + 1) + "階へ";
}

void apply_colosseum_button(Game& g) { g.ui.colosiam_b.visible = !cleared(g.s, g.s.floor); }

void apply_floor_rules(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  const int f = s.floor;

  // A floor off the map has no rooms.
  const Rooms r = on_map(f) ? kRooms[f] : Rooms{};
  ui.s_battle.visible = r.s_battle;
  ui.s_shop.visible = r.s_shop;
  ui.s_monster.visible = r.s_monster;
  ui.s_gomi.visible = r.s_gomi;
  ui.s_ch.visible = r.s_ch;
  ui.s_wild.visible = r.s_wild;
  ui.rand_b.visible = r.rand_b;
  ui.p_b.visible = r.p_b;
  // The rest floors are won by reaching them.
  if (f == 13 || f == 18 || f == 22) s.floor_clear[static_cast<size_t>(f)] = 100;

  ui.gouketu_b.visible = s.floor_clear[kTopFloor] == fc::kFloorWon && s.floor_clear[fc::kGouketu] == 0 && f == 0;

  const Commands c = floor_commands(f);
  ui.b1.enabled = c.b1;
  ui.b2.enabled = c.b2;
  ui.b3.enabled = c.b3;
  ui.b4.enabled = c.b4;

  // Handicaps: these floors never let the player stand at full strength.
  if (f == 14 && s.my_hp > s.my_hp_max / 2) s.my_hp = s.my_hp_max / 2;
  if (f == 15) {
    if (s.my_hp > s.my_hp_max / 2) s.my_hp = s.my_hp_max / 2;
    if (s.my_mp > s.my_mp_max / 2) s.my_mp = s.my_mp_max / 2;
  }
  if (f == 17 && s.my_hp > s.my_hp_max / 4) s.my_hp = s.my_hp_max / 4;
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
