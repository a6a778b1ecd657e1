#include "battle/outcome.h"

#include <string>

#include "battle/rewards.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/ids.h"
#include "state/carried.h"
#include "state/int32.h"

namespace z2 {

namespace {

std::string num(i32 v) { return std::to_string(v); }

constexpr i32 kMaxDeaths = 1000;

// A draw "until usable" over ids 0..n-1: first make sure a usable id exists
// (thin data may hold none), then draw. With usable data the draws are those
// of an endless retry; the cap is never reached in practice. -1 when no id
// is usable; nothing is drawn then.
template <class Usable>
int draw_until(Game& g, int n, Usable usable) {
  int first = -1;
  for (int i = 0; i < n && first < 0; ++i)
    if (usable(i)) first = i;
  if (first < 0) return -1;
  for (int k = 0; k < kDrawCap; ++k) {
    const int i = g.random(n);
    if (usable(i)) return i;
  }
  return first;
}

int draw_item_of_rarity(Game& g, i32 rare) {
  return draw_until(g, 499, [&](int i) {
    const ItemRecord& it = g.t.item_table[static_cast<size_t>(i)];
    return !it.it_name.empty() && it.it_rare == rare;
  });
}

// ---- pictures ----

void load_die_picture(Game& g, QImage& back) {
  picture_step(g, [&] {
    try {
      load_cg(g, back, "die.bmp", "e0.bmp");
    } catch (const PictureError&) {
      back = blank_picture(64, 64);
      throw;
    }
  });
}

// The player's own picture; start-up has already reported a missing one, so
// a fight does not report it again.
void load_player_picture(Game& g) {
  if (!load_picture(g.my_bak, g.cg_dir() + "my.bmp")) g.my_bak = blank_picture(64, 64);
}

// ---- the victory ----

// The rare variants (the extra enemy, the floor master and the apostle) are
// slots 7, 8 and 9 of a floor band; 0 for every other opponent.
i32 rare_slot(const GameState& s) {
  const i32 slot = mod0(s.e_id, 10);
  return slot >= 7 ? slot : 0;
}

i32 victory_experience(Game& g, i32 slot) {
  GameState& s = g.s;
  i32 x = g.random(5) + 2;
  // How far the opponent stands above the player; at most one rule applies.
  const int64_t d = int64_t{s.e_lv} - s.my_lv;
  if (d == -2) {
    x = g.random(5) + 6;
  } else if (d == -1) {
    x = g.random(5) + 9;
  } else if (d == 0) {
    x = g.random(6) + 15;
  } else if (d == 1) {
    x = g.random(8) + 20;
  } else if (d == 2) {
    x = g.random(10) + 33;
  } else if (d == 3) {
    x = g.random(12) + 39;
  } else if (d >= 4) {
    x = g.random(12) + 50;
  }
  if (slot == 7) x = 40;
  if (slot == 8) x = 70;
  if (slot == 9) x = 99;
  if (s.no_escape) x += 55;
  if (s.class_now == cls::kMonk) x += g.random(2) + 4;
  return x;
}

i32 victory_cents(Game& g, i32 slot) {
  GameState& s = g.s;
  i32 c = g.random(6) + 4;
  if (slot == 7) c = g.random(10) + 50;
  if (slot == 8) c = g.random(20) + 150;
  if (slot == 9) c = g.random(50) + 500;
  if (s.no_escape) c = sat_add(sat_mul(s.floor, 70), 500);
  if (s.class_now == cls::kMerchant) c = sat_add(c, c / 2);
  return c;
}

i32 victory_ark(Game& g, i32 slot) {
  GameState& s = g.s;
  i32 k = sat_add(g.random(3), sat_mul(s.floor / 8, 2));
  if (slot == 7) k = 10;
  if (slot == 8) k = 15;
  if (slot == 9) k = 22;
  if (s.no_escape) k = 14;
  if (s.class_now == cls::kPilgrim) k = sat_add(k, 2);
  return k;
}

// Garbage lying on this floor: at most 500 redraws after the first draw, and
// one found on the last redraw is left lying.
void floor_garbage(Game& g) {
  GameState& s = g.s;
  auto here = [&](int i) {
    const GomiRecord& gm = g.t.gomi_table[static_cast<size_t>(i)];
    return !gm.gm_name.empty() && gm.gm_floor == s.floor;
  };
  int found = g.random(499);
  int redraws = 0;
  while (!here(found) && redraws < 500) {
    found = g.random(499);
    ++redraws;
  }
  if (!here(found) || redraws >= 500) return;
  msg_put(g, "ゴミ【" + g.t.gomi_table[static_cast<size_t>(found)].gm_name + "】を見つけた!");
  give_capped(s.gomi_have[static_cast<size_t>(found)], 1);
}

void music_disc(Game& g) {
  const int m = draw_until(g, 255, [&](int i) { return !g.t.md_table[static_cast<size_t>(i)].md_name.empty(); });
  if (m < 0) return;  // no disc in the data: none to find
  msg_put(g, "MD【" + g.t.md_table[static_cast<size_t>(m)].md_name + "】を見つけた!");
  give_capped(g.s.md_have[static_cast<size_t>(m)], 1);
}

// The opponent's own item or garbage. Anything else is a damaged record:
// the player gets a random item instead.
void own_item(Game& g) {
  GameState& s = g.s;
  const carried::Thing c = carried::decode(s.e_item);
  const size_t id = static_cast<size_t>(c.id);
  if (c.kind == carried::Kind::Item) {
    msg_put(g, "【" + g.t.item_table[id].it_name + "】を手に入れた!");
    give_capped(s.item_have[id], 1);
  } else if (c.kind == carried::Kind::Garbage) {
    msg_put(g, "【" + g.t.gomi_table[id].gm_name + "】を手に入れた!");
    give_capped(s.gomi_have[id], 1);
  } else {
    item_random_get(g);
  }
}

void loot(Game& g) {
  if (g.random(4) != 0) {
    if (g.random(20) == 0 && !g.s.no_escape) floor_garbage(g);
    if (g.random(10) == 0) music_disc(g);
  } else {
    if (g.random(3) != 0 || g.s.e_item < 1) {
      item_random_get(g);
    } else {
      own_item(g);
    }
  }
}

const std::string& ex_name(const Game& g, i32 ex) { return at_or_empty(g.t.ex_names, ex); }

void weapon_offer(Game& g, i32 slot) {
  GameState& s = g.s;
  if (!(s.buki_pow < s.e_lv || slot > 0)) return;
  play_se(g, "1.wav");
  std::string suffix;
  i32 shown = 0;   // the power the dialog names
  i32 taken = 0;   // the power the weapon gets
  i32 ex = 0;
  bool phantom = false;
  if (slot > 0) {
    suffix = "ｳｪﾎﾟﾝ";
    shown = sat_add(sat_mul(sat_mul(slot - 6, s.my_lv), 3), s.e_id);
    taken = sat_add(sat_mul(sat_mul(slot - 6, s.my_lv), 4), sat_mul(2, s.e_id));
  } else {
    const i32 k = g.random(20);
    if (k == 0) {
      phantom = true;
      suffix = "幻剣";
      shown = s.e_lv;
      ex = g.random(123);
    } else if (k <= 10) {
      suffix = "剣";
      shown = s.e_lv;
    } else if (k <= 16) {
      suffix = "大剣";
      shown = sat_add(sat_add(s.e_lv, s.e_lv / 2), 1);
    } else if (k <= 18) {
      suffix = "聖剣";
      shown = sat_add(sat_mul(2, s.e_lv), 1);
    } else {
      suffix = "魔剣";
      shown = sat_add(s.e_lv, s.e_hp);
    }
    taken = shown;
  }
  std::string text = phantom ? "武器【" + s.e_name + suffix + "】△" + num(shown) + "\r(追加効果 > ★" + ex_name(g, ex) +
                                   ")\r\rを奪いますか？"
                             : "武器【" + s.e_name + suffix + "】△" + num(shown) + "を奪いますか？";
  text += "\r\r装備中の武器：【" + s.buki_name + "】△" + num(s.buki_pow) + "\r(★" + ex_name(g, s.buki_ex) + ")";
  if (!g.plat.ask(text)) {
    play_se(g, "miss.wav");
    return;
  }
  s.buki_ex = ex;
  s.buki_pow = taken;
  s.buki_name = s.e_name + suffix;
  refresh(g);
  const std::string head = "武器【" + s.buki_name + "】△" + num(s.buki_pow);
  set_moji_l(g, phantom ? head + "\r(★" + ex_name(g, s.buki_ex) + ")\r\rを装備した!!" : head + "を装備した!!");
  play_se(g, "soubi.wav");
}

void armour_offer(Game& g) {
  GameState& s = g.s;
  if (!(sat_add(s.e_hp_max / 10, 3) > s.bougu_pow || s.no_escape)) return;
  play_se(g, "1.wav");
  std::string word, name_suffix;
  i32 p = 0;
  if (s.no_escape) {
    word = "の躯";
    name_suffix = "の鎧";
    p = sat_add(sat_mul(s.floor, 30), 15);
  } else {
    const i32 k = g.random(20);
    if (k <= 16) {
      word = name_suffix = "の鎧";
      p = sat_add(s.e_hp_max / 10, 3);
    } else if (k <= 18) {
      word = name_suffix = "マント";
      p = sat_add(s.e_hp_max / 6, 6);
    } else {
      word = name_suffix = "フレア";
      p = sat_mul(10, s.e_lv);
    }
  }
  const std::string text = "防具【" + s.e_name + word + "】△" + num(p) + "を奪いますか？\r\r装備中の防具：【" +
                           s.bougu_name + "】△" + num(s.bougu_pow);
  if (g.plat.ask(text)) {
    s.bougu_pow = p;
    s.bougu_name = s.e_name + name_suffix;
    refresh(g);
    set_moji_l(g, "防具【" + s.bougu_name + "】△" + num(p) + "を装備した!!");
    play_se(g, "soubi.wav");
  } else {
    play_se(g, "miss.wav");
  }
  if (!s.no_escape) {
    g.plat.repaint();
    g.plat.pause(s.msg_wait);
  }
}

void monster_joins(Game& g) {
  GameState& s = g.s;
  if (g.random(30) != 0) return;
  // An opponent without a name is no monster of the table.
  if (s.e_name.empty()) return;
  int j = -1;
  for (int i = 499; i >= 0 && j < 0; --i)
    if (g.t.monster_table[static_cast<size_t>(i)].mo_name == s.e_name) j = i;
  if (j <= 0) return;
  g.plat.notice("なんと" + s.e_name + "が仲間になった!");
  give_capped(s.monster_have[static_cast<size_t>(j)], 1);
}

// The victory part; false when the fight ends later, in the level-up's box.
bool victory(Game& g) {
  GameState& s = g.s;
  refresh(g);
  if (s.no_escape) {
    msg_big(g, s.boss_name + "\r『" + s.boss_talk[4] + "』");
    g.plat.pause(s.msg_wait);
  }
  g.plat.repaint();
  load_die_picture(g, g.e_bak);
  zoom_in(g, g.ui.e_cg, g.e_bak);

  msg_put(g, s.e_name + "を倒した!!");
  s.wild = sat_add(s.wild, 1);
  s.e_hp = 0;
  refresh(g);

  const i32 slot = rare_slot(s);
  const i32 x = victory_experience(g, slot);
  msg_add(g, "経験値" + num(x) + "を入手!");
  s.my_exp = sat_add(s.my_exp, x);
  refresh(g);

  const i32 c = victory_cents(g, slot);
  msg_add(g, num(c) + "ｾﾝﾄ入手!");
  s.cent = sat_add(s.cent, c);
  refresh(g);

  const i32 k = victory_ark(g, slot);
  if (k > 0) msg_add(g, num(k) + "Ark入手!");
  s.ark = sat_add(s.ark, k);
  refresh(g);

  loot(g);
  weapon_offer(g, slot);
  armour_offer(g);
  monster_joins(g);
  if (s.no_escape) floor_clear_reward(g);

  if (s.my_exp > 99) {
    s.in_battle = false;
    level_up(g);
    return false;
  }
  class_exp_step(g);
  combo_step(g);

  switch (s.buki_ex) {
    case ex::kVictoryHp: s.my_hp = s.my_hp_max; break;
    case ex::kVictoryMp: s.my_hp = s.my_mp_max; break;
    case ex::kDeathBlow: s.my_hp = 0; return true;  // no rest: the death part follows
    default: break;
  }
  battle_end(g);
  return true;
}

// ---- the death ----

bool revives(Game& g) {
  const GameState& s = g.s;
  if (s.class_now == cls::kUndying && g.random(2) == 0) return true;
  if (s.buki_ex == ex::kRevive1 && g.random(2) == 0) return true;
  if (s.buki_ex == ex::kRevive2 && g.random(10) == 0) return true;
  if (s.death_guard != 0 && g.random(s.death_guard) == 0) return true;
  return false;
}

void death(Game& g) {
  GameState& s = g.s;
  load_die_picture(g, g.my_bak);
  zoom_in(g, g.ui.my_cg, g.my_bak);
  msg_put(g, s.my_name + "は死んでしまった....");

  if (revives(g)) {
    screen_effect(g, Fx::PlayerWhite);
    msg_put(g, s.my_name + "は復活した!!!");
    s.my_hp = s.my_hp_max / 10 + 1;
    load_player_picture(g);
    zoom_in(g, g.ui.my_cg, g.my_bak);
    s.death_guard = 0;
    // After a won fight (a weapon that kills its wearer) there is nobody left
    // to fight: the fight ends instead of handing a fallen opponent its turn,
    // which would pay the victory a second time.
    if (s.in_battle && s.e_hp < 1) battle_end(g);
    return;
  }

  s.wild = sat_sub(s.wild, 5);
  s.combo = 0;
  if (s.no_escape) play_bgm(g, "not");

  if (s.class_now == cls::kMerchant) {
    s.ark /= 2;
    msg_add(g, "ARKが半減した..");
  } else if (s.class_now == cls::kPilgrim) {
    s.cent /= 2;
    msg_add(g, "セントが半減した..");
  } else {
    msg_add(g, "セントとARKが半減した...");
    s.ark /= 2;
    s.cent /= 2;
  }

  if (g.random(2) == 0) {
    msg_add(g, "武器【" + s.buki_name + "】は崩れ落ちた。");
    s.buki_ex = ex::kNone;
    s.buki_name = "気力";
    s.buki_pow = 1;
  } else {
    msg_add(g, "防具【" + s.bougu_name + "】は崩れ落ちた。");
    s.bougu_name = "気力";
    s.bougu_pow = 1;
  }

  s.my_hp = 0;
  s.my_state = 0;
  refresh(g);

  i32& deaths = s.floor_clear[fc::kDeaths];
  deaths = sat_add(deaths, 1);
  if (deaths > kMaxDeaths) deaths = kMaxDeaths;
  death_count_prize(g);

  if (s.class_now == cls::kRiseAgain) {
    screen_effect(g, Fx::PlayerYellowRise);
    msg_put(g, "攻撃力が上がった!!!");
    s.my_atk = sat_add(s.my_atk, 1);
  }
  battle_end(g);
}

}  // namespace

void zoom_in(Game& g, Control& front, const QImage& back) {
  Frames frames(g, front);
  auto frame = [&](int i, int ms) {
    frames.blit({65 - 5 * i, 65 - 5 * i, 65 + 5 * i, 65 + 5 * i}, back, {0, 0, 64, 64});
    g.plat.repaint();
    g.plat.pause(ms);
  };
  for (int i = 0; i <= 15; ++i) frame(i, 2);
  frame(14, 10);
  frame(13, 10);
  frames.blit({0, 0, 129, 129}, back, {0, 0, 64, 64});
  g.plat.repaint();
}

void death_check(Game& g) {
  if (g.s.e_hp < 1 && g.s.in_battle) {
    if (!victory(g)) return;
  }
  if (g.s.my_hp < 1) death(g);
}

void battle_end(Game& g) {
  GameState& s = g.s;
  Ui& ui = g.ui;
  ui.lv2_b.visible = false;
  ui.lv3_b.visible = false;
  s.can_punch = s.can_magic = s.can_beast = s.can_item = true;
  s.hard_room = false;
  s.room_battle = false;
  ui.e_cg.image.fill(kSilver);
  ui.e_cg.touched();
  ui.list_box.visible = false;
  // Whatever ended the fight, no command of it is left to click, and the
  // errand girl waits in the shop only while the shop is open.
  ui.battle_com.visible = false;
  ui.wata.visible = false;

  if (!s.host_mode) g.plat.pause(s.msg_wait);
  if (s.my_hp <= 0) {
    load_player_picture(g);
    zoom_in(g, ui.my_cg, g.my_bak);
    s.my_hp = sat_add(s.my_hp_max / 6, 1);
  }
  if (!s.host_mode) {
    s.my_hp = sat_add(s.my_hp, s.my_hp_max / 4);
    s.my_state = 0;
  }
  if (s.my_hp > s.my_hp_max) s.my_hp = s.my_hp_max;

  s.in_battle = false;
  s.no_escape = false;
  s.colo_count = 0;

  ui.map_box.visible = true;
  picture_step(g, [&] {
    load_cg(g, ui.haikei.image, "haikei" + num(s.floor) + ".bmp", "haikei-1.bmp");
    ui.haikei.touched();
  });

  ui.moji_l3.visible = false;
  ui.moji_l3.text.clear();
  set_moji_l2(g, "");
  ui.e_l.visible = true;
  s.e_name.clear();

  if (ui.takara.image.isNull()) {
    load_picture(ui.takara.image, g.cg_dir() + "takara.bmp");
    ui.takara.touched();
  }
  // The chest lies where its last opening moved it.
  if (g.random(19) == 0) ui.takara.visible = true;

  score_update(g);
  refresh(g);
}

void item_random_get(Game& g) {
  GameState& s = g.s;
  int a = draw_item_of_rarity(g, 0);
  if (g.random(30) == 0) {
    const int rare = draw_item_of_rarity(g, 1);
    if (rare >= 0) a = rare;
  }
  if (g.random(100) == 0) {
    const int rare = draw_item_of_rarity(g, 2);
    if (rare >= 0) a = rare;
  }
  if (a < 0) {
    // Data without a single item to give.
    play_se(g, "miss.wav");
    msg_put(g, "何も見つからなかった...");
    return;
  }
  const std::string& name = g.t.item_table[static_cast<size_t>(a)].it_name;
  i32 q = 1;
  if (s.wata_out == 1 && s.host_mode) {
    q = g.random(3) + 1;
    msg_put(g, "【" + name + "】を" + num(q) + "コ手に入れた!");
  } else {
    msg_put(g, "【" + name + "】を手に入れた!");
  }
  give_capped(s.item_have[static_cast<size_t>(a)], q);
}

}  // namespace z2
