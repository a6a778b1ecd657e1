#include "battle/encounter.h"

#include "battle/turns.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/fixed_tables.h"
#include "state/floors.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

// Every "draw until usable" below first makes sure that a usable record can
// be drawn at all, and only then draws. With usable data the draws are
// exactly the unbounded ones (the cap is never reached in practice: even one
// usable record in seven fails 100000 times in a row with a chance far below
// 1e-6000); without usable data nothing is drawn and a fallback takes over.

bool in_table(int n) { return n >= 0 && n <= 254; }

// Record n of a floor band: n = slot + 10 * band.
int band_record(int floor, int slot) { return sat_add(sat_mul(floor, 10), slot); }

// The first usable record of the whole table, or -2.
int first_usable_enemy(const Tables& t) {
  for (int n = 0; n <= 254; ++n)
    if (enemy_usable(t, n)) return n;
  return -2;
}

// The ordinary opponent of the floor: a slot 0..6 of its band.
int draw_band_enemy(Game& g) {
  for (int k = 0; k < kDrawCap; ++k) {
    const int n = band_record(g.s.floor, g.random(7));
    if (enemy_usable(g.t, n)) return n;
  }
  return first_usable_enemy(g.t);
}

bool carried_candidate(const Tables& t, int i, int rare) {
  const ItemRecord& it = t.item_table[static_cast<size_t>(i)];
  return !it.it_name.empty() && it.it_rare == rare;
}

// One item of the rarity tier, drawn from ids 0..498; -1 when the tier is empty.
int draw_item_of_tier(Game& g, int rare) {
  bool any = false;
  for (int i = 0; i < 499 && !any; ++i) any = carried_candidate(g.t, i, rare);
  if (!any) return -1;
  for (int k = 0; k < kDrawCap; ++k) {
    const int i = g.random(499);
    if (carried_candidate(g.t, i, rare)) return i;
  }
  return -1;
}

// What an opponent without an item of its own carries: an ordinary item,
// now and then a rare one instead.
int random_carried_item(Game& g) {
  int i = draw_item_of_tier(g, 0);
  if (g.random(30) == 0) i = draw_item_of_tier(g, 1);
  if (g.random(100) == 0) i = draw_item_of_tier(g, 2);
  if (i < 0 || g.t.item_table[static_cast<size_t>(i)].it_name.empty()) return -1;
  return i;
}

// cg/<file>, else cg/<fallback>; when neither loads, a blank picture (reported).
void load_or_blank(Game& g, QImage& buf, const std::string& file, const std::string& fallback) {
  picture_step(g, [&] {
    try {
      load_cg(g, buf, file, fallback);
    } catch (const PictureError&) {
      buf = blank_picture(64, 64);
      throw;
    }
  });
}

// The boss's large picture drops in from above at double size, then gives way to the room.
void boss_slide_in(Game& g) {
  const GameState& s = g.s;
  if (s.boss_big_pic.empty() || !load_picture(g.boss_cg_bak, g.cg_dir() + s.boss_big_pic))
    load_or_blank(g, g.boss_cg_bak, "0_2.bmp", "");
  {
    Frames cg(g, g.ui.cg);
    for (int k = 200; k >= 0; --k) {
      cg.blit({0, -2 * k, 200, 400 - 2 * k}, g.boss_cg_bak, {0, 0, 100, 200});
      g.plat.repaint();
      g.plat.pause(5);
    }
  }
  picture_step(g, [&] { room_cg_load(g, "map-1.bmp"); });
}

struct RareVisitor {
  int chance;
  int bonus;
  int slot;
  const char* title;
};

constexpr RareVisitor kRareVisitors[] = {
    {30, 2, 7, "エクストラエネミー・"},
    {60, 4, 8, "フロアマスター・"},
    {100, 10, 9, "ファントムからの使徒・"},
};

}  // namespace

bool enemy_usable(const Tables& t, int n) {
  if (!in_table(n)) return false;
  const EnemyRecord& e = t.enemy(n);
  return !e.en_name.empty() && e.en_name != " " && !e.en_pic.empty();
}

bool room_usable(const Tables& t, int n) { return n >= 1 && n <= 253 && enemy_usable(t, n); }

bool band_has_enemy(const Tables& t, int floor) {
  for (int slot = 0; slot < 7; ++slot)
    if (enemy_usable(t, band_record(floor, slot))) return true;
  return false;
}

namespace {

// The fight begins: the boss slot's fixed fields, the magic command when a
// spell is known, one more battle counted.
void begin_fight(Game& g) {
  GameState& s = g.s;
  EnemyRecord& boss_slot = g.t.enemy(-1);
  boss_slot.en_zoku = 1;
  boss_slot.en_item = 0;

  bool knows_magic = false;
  for (i32 m : s.magic_have) knows_magic = knows_magic || m > 0;
  g.ui.b4.visible = knows_magic;

  s.floor_clear[fc::kBattles] = sat_add(s.floor_clear[fc::kBattles], 1);
  s.in_battle = true;
  set_moji_l(g, "");
  g.plat.repaint();
}

// The record that fights: the one asked for, or one of the floor's band, then
// the rare visitors' rolls. Returns their level bonus and sets their title.
i32 choose_opponent(Game& g, int kind, int stand_in, std::string& title) {
  GameState& s = g.s;
  int n = kind;
  if (kind == 0) n = stand_in >= 0 ? stand_in : draw_band_enemy(g);
  s.e_id = n;
  i32 bonus = 0;
  // All three rolls are always made; they count only in the monster room, and
  // only for a visitor the data actually holds. A later one wins.
  for (const RareVisitor& v : kRareVisitors) {
    const bool hit = g.random(v.chance) == 0;
    const int id = band_record(s.floor, v.slot);
    if (hit && s.room_battle && enemy_usable(g.t, id)) {
      bonus = v.bonus;
      title = v.title;
      s.e_id = id;
    }
  }
  return bonus;
}

// The opponent's numbers from its record: level, hit points, ailment and
// what it carries.
void ordinary_numbers(Game& g, i32 bonus) {
  GameState& s = g.s;
  const EnemyRecord& rec = g.t.enemy(s.e_id);
  s.e_name = rec.en_name;
  s.e_zoku = rec.en_zoku;

  i32 lv = mod0(s.e_id, 10) / 5;
  lv = sat_add(lv, s.my_lv / 2);
  lv = sat_add(lv, bonus);
  lv = sat_add(lv, sat_mul(s.floor, 4));
  lv = sat_add(lv, 1);
  if (s.hard_room && lv < s.my_lv) lv = sat_add(s.my_lv, g.random(3));
  s.e_lv = clamp_i(lv, 1, kNineNines);

  if (rec.en_hp != 0) {
    s.e_hp_max = rec.en_hp;
  } else {
    const i32 r = g.random(2);
    s.e_hp_max = sat_add(sat_add(sat_add(r, sat_mul(s.e_lv, 3)), sat_mul(s.floor, 9)), s.my_lv);
  }
  s.e_hp = s.e_hp_max;
  s.e_state = rec.en_state;

  s.e_item = rec.en_item;
  if (s.e_item == 0) s.e_item = random_carried_item(g);
}

// A boss takes its level, name and hit points from its file instead.
void boss_numbers(Game& g) {
  GameState& s = g.s;
  s.e_lv = s.boss_lv;
  s.e_name = s.boss_name;
  if (s.boss_hp != 0) {
    s.e_hp_max = s.boss_hp;
  } else {
    const i32 r = g.random(3);
    s.e_hp_max = sat_add(r, sat_mul(sat_sub(s.e_lv, 1), 3));
    // A boss of level 0 or 1 would have no hit points and fall before it acts.
    if (s.e_hp_max < 1) s.e_hp_max = 1;
  }
  s.e_hp = s.e_hp_max;
  s.e_state = 0;
}

// The boss speaks (on one floor its words hurt) and lets the player open.
void boss_opens(Game& g) {
  GameState& s = g.s;
  g.ui.moji_l3.visible = true;
  msg_big(g, s.boss_name + "\r『" + s.boss_talk[0] + "』");
  if (s.floor == floors::kHarshWordsFloor) {
    screen_effect(g, Fx::PlayerRed);
    s.my_hp = sat_sub(s.my_hp, sat_sub(999, s.floor_clear[fc::kDeaths]) / 10);
  }
  my_turn(g);
}

// An ordinary opponent: the bully halves a weaker one, and one time in ten
// the opponent strikes first.
void ordinary_opens(Game& g) {
  GameState& s = g.s;
  if (s.class_now == cls::kBully && s.e_lv < s.my_lv) {
    screen_effect(g, Fx::FoeWhite);
    s.e_hp = s.e_hp / 2 + 1;
  }
  if (g.random(10) != 0) {
    my_turn(g);
  } else {
    msg_add(g, s.e_name + "に先手をとられた!!");
    enemy_turn(g);
  }
}

}  // namespace

void enemy_appear(Game& g, int kind) {
  GameState& s = g.s;
  Tables& t = g.t;

  // A record that is not there stands for an ordinary enemy of the floor.
  if (kind < -1 || (kind >= 1 && (!in_table(kind) || t.enemy(kind).en_name.empty()))) kind = 0;
  // A floor whose band fields nobody sends the first usable record of the table
  // instead; with none at all there is no fight, and nothing has changed yet.
  int stand_in = -2;
  if (kind == 0 && !band_has_enemy(t, s.floor)) {
    stand_in = first_usable_enemy(t);
    if (stand_in < 0) {
      play_se(g, "miss.wav");
      set_moji_l2(g, kNoEnemyHere);
      return;
    }
  }

  begin_fight(g);
  std::string title;
  const i32 bonus = choose_opponent(g, kind, stand_in, title);

  if (kind == -1) {
    load_or_blank(g, g.e_bak, s.boss_pic, "e0.bmp");
    boss_slide_in(g);
  } else {
    load_or_blank(g, g.e_bak, t.enemy(s.e_id).en_pic, "e0.bmp");
  }
  slide_e_portrait(g);

  ordinary_numbers(g, bonus);
  if (kind == -1) {
    title = "対戦相手・";
    boss_numbers(g);
  }

  if (s.class_now == cls::kLastStand) s.my_hp = s.my_hp_max / 10 + 1;
  if (s.class_now == cls::kPrisoner) s.my_hp = s.my_mp = 1;

  set_moji_l(g, "");
  refresh(g);
  g.plat.pause(s.msg_wait);
  msg_put(g, title + s.e_name + "が出現!!");

  if (kind == -1) {
    boss_opens(g);
  } else {
    ordinary_opens(g);
  }
}

void next_enemy(Game& g) {
  if (!g.s.room_battle) return;
  g.ui.map_box.visible = false;
  g.ui.list_box.visible = false;
  g.plat.repaint();
  msg_put(g, "次の敵がすかさず襲ってきた!!");
  enemy_appear(g, 0);
}

namespace {

// Developer panel: "敵出現".
void Button3Click(Game& g) { enemy_appear(g, 0); }

}  // namespace

void bind_encounter(Game& g) { g.ui.Button3.on_click = Button3Click; }

}  // namespace z2
