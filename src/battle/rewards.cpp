#include "battle/rewards.h"

#include <algorithm>
#include <string>

#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

std::string num(i32 v) { return std::to_string(v); }

// A table entry of an id-indexed array, or nullptr for an id outside it.
template <size_t N>
i32* entry(std::array<i32, N>& a, i32 id) {
  return (id >= 0 && static_cast<size_t>(id) < N) ? &a[static_cast<size_t>(id)] : nullptr;
}

const std::string& item_name(const Game& g, i32 id) { return at_or_empty(g.t.item_table, id).it_name; }
const std::string& magic_name(const Game& g, i32 id) { return at_or_empty(g.t.magic_table, id).mg_name; }
const std::string& class_name(const Game& g, i32 id) { return at_or_empty(g.t.job_table, id).jb_name; }

// A notice framed by its two sounds.
void fanfare(Game& g, const std::string& text) {
  g.plat.notice(text);
  play_se(g, "key.wav");
}

void learn_magic(Game& g, i32 id, bool as_new_line) {
  const std::string text = "魔法【" + magic_name(g, id) + "】を覚えた!!";
  if (as_new_line) {
    msg_add(g, text);
  } else {
    msg_put(g, text);
  }
  if (i32* m = entry(g.s.magic_have, id)) *m = 1;
}

void prize_item(Game& g, i32 id) {
  msg_put(g, "【" + item_name(g, id) + "】を入手した!!");
  // Set, not added: a floor prize is owned once.
  if (i32* have = entry(g.s.item_have, id)) *have = 1;
}

// What a won colosseum pays on the floors above the climb.
enum class PrizeKind { None, Magic, Item, Monster };
struct FloorPrize {
  PrizeKind kind;
  int id;
};

constexpr FloorPrize kFloorPrizes[kTopFloor + 1] = {
    {PrizeKind::None, 0},      {PrizeKind::None, 0},    {PrizeKind::None, 0},
    {PrizeKind::None, 0},      {PrizeKind::None, 0},    {PrizeKind::None, 0},
    {PrizeKind::None, 0},      {PrizeKind::None, 0},
    {PrizeKind::Magic, 23},    // 8
    {PrizeKind::Magic, 24},    // 9
    {PrizeKind::Item, 137},    // 10
    {PrizeKind::Item, 274},    // 11
    {PrizeKind::Item, 494},    // 12
    {PrizeKind::None, 0},      // 13
    {PrizeKind::Monster, monster::kCleaner},  // 14
    {PrizeKind::Magic, 16},    // 15
    {PrizeKind::Item, 493},    // 16
    {PrizeKind::Magic, 17},    // 17
    {PrizeKind::None, 0},      // 18
    {PrizeKind::Magic, 15},    // 19
    {PrizeKind::Magic, 19},    // 20
    {PrizeKind::Item, 276},    // 21
    {PrizeKind::None, 0},      // 22
    {PrizeKind::Magic, 21},    // 23
    {PrizeKind::Item, 275},    // 24
};

void floor_prize(Game& g) {
  const i32 f = g.s.floor;
  if (f < 0 || f > kTopFloor) return;
  const FloorPrize& p = kFloorPrizes[f];
  switch (p.kind) {
    case PrizeKind::None: break;
    case PrizeKind::Magic: learn_magic(g, p.id, false); break;
    case PrizeKind::Item: prize_item(g, p.id); break;
    case PrizeKind::Monster:
      // The cleaner's name is part of the text, whatever the table calls it.
      msg_add(g, "モンスター【ｸﾘｰﾅｰﾔﾑﾔﾑ】を入手した!!");
      g.s.monster_have[p.id] = sat_add(g.s.monster_have[p.id], 1);
      break;
  }
}

constexpr const char* kFaust = "ファウスト";

struct Milestone {
  int at;
  int id;
};

// The magic learnt on reaching a level.
constexpr Milestone kLevelMagic[] = {
    {10, 22}, {20, 0},  {30, 1},   {40, 2},   {50, 3},   {60, 4},   {70, 5},   {90, 6},
    {110, 7}, {150, 8}, {200, 9},  {300, 11}, {400, 12}, {500, 13}, {700, 14}, {998, 20},
};

// The item won by a streak of victories.
constexpr Milestone kComboPrizes[] = {
    {10, 8},    {20, 52},   {30, 495},  {50, 46},   {100, 496},
    {200, 447}, {300, 246}, {400, 244}, {500, 498}, {998, 497},
};

// The item brought back from hell after so many deaths.
constexpr Milestone kDeathPrizes[] = {{99, 238}, {299, 240}, {499, 216}, {777, 217}, {999, 239}};

template <size_t N>
int milestone(const Milestone (&table)[N], i32 v) {
  for (const Milestone& m : table)
    if (m.at == v) return m.id;
  return -1;
}

constexpr i32 kMaxCombo = 999;
constexpr i32 kMastered = 41;  // a mastered class stays here, so its bonus is paid once

}  // namespace

void floor_clear_reward(Game& g) {
  GameState& s = g.s;
  play_bgm(g, "not");
  if (i32* won = entry(s.floor_clear, s.floor)) *won = fc::kFloorWon;

  const bool faust = s.e_name == kFaust;
  bool climbed = false;
  if (s.floor <= 6 && !faust) {
    s.floor = sat_add(s.floor, 1);
    climbed = true;
    play_se(g, "next.wav");
    fanfare(g, "次のフロア・" + num(s.floor) + "階、" + at_or_empty(g.t.map_names, s.floor) + "へと勝ち進んだ!!");
  } else if (s.floor == 7) {
    play_se(g, "next.wav");
    fanfare(g, s.my_name + "はザンドコロシアム優勝者となった!!!");
    fanfare(g, "クリア！！！おめでとう。");
  } else if (s.floor >= 8 && s.floor <= 23) {
    play_se(g, "next.wav");
    fanfare(g, "上への扉が開いた・・・");
  } else if (s.floor == kTopFloor) {
    play_se(g, "next.wav");
    fanfare(g, "完全クリアした・・・");
    play_bgm(g, "open.mid");
    fanfare(g, "さようなら");
  }

  if (faust) {
    s.floor_clear[fc::kGouketu] = fc::kFloorWon;
    play_se(g, "next.wav");
    fanfare(g, "ファウスト「アレク・・・その名、覚えておこう」");
    fanfare(g, "声の主はどこかへと消えた・・・・");
    prize_item(g, item::kFaustVoice);
  }

  if (!climbed) floor_prize(g);
}

void level_up(Game& g) {
  GameState& s = g.s;
  s.my_exp = 0;
  msg_put(g, "レベルアップ!!");
  s.my_lv = sat_add(s.my_lv, 1);
  if (s.my_lv > kMaxLevel) s.my_lv = kMaxLevel;
  const int magic = milestone(kLevelMagic, s.my_lv);
  if (magic >= 0) learn_magic(g, magic, true);
  msg_add(g, "\rどれか１つ上昇させるパラメーターを選んでください。");
  g.ui.lv_box.visible = true;
  play_se(g, "lv.wav");
}

void class_exp_step(Game& g) {
  GameState& s = g.s;
  i32* exp = entry(s.class_exp, s.class_now);
  if (!exp) return;  // a class outside the table keeps no record
  *exp = sat_add(*exp, 1);
  const i32 v = *exp;
  if (v == 10 || v == 20 || v == 30) {
    msg_put(g, "クラス【" + class_name(g, s.class_now) + "】のＬＶが" + num(v / 10) + "になった!!");
  } else if (v == 40) {
    msg_put(g, "クラス【" + class_name(g, s.class_now) + "】をマスターした!!");
    msg_add(g, "BOUNS +1000ｾﾝﾄ +20ARK !!");
    s.cent = sat_add(s.cent, 1000);
    s.ark = sat_add(s.ark, 20);
    if (s.class_now == cls::kPrisoner) {
      screen_effect(g, 16);
      s.class_now = cls::kStar;
      msg_put(g, "なんとクラス【" + class_name(g, s.class_now) + "】にクラスアップした!!");
    }
  } else if (v > 40 && v < 100) {
    *exp = kMastered;
  }
}

void combo_step(Game& g) {
  GameState& s = g.s;
  s.combo = sat_add(s.combo, 1);
  if (s.combo > kMaxCombo) s.combo = kMaxCombo;
  const int prize = milestone(kComboPrizes, s.combo);
  if (prize < 0) return;
  msg_put(g, "GRAET > " + num(s.combo) + "Combo!!");
  msg_add(g, "賞品「" + item_name(g, prize) + "」を入手!!");
  s.item_have[static_cast<size_t>(prize)] = sat_add(s.item_have[static_cast<size_t>(prize)], 1);
}

void death_count_prize(Game& g) {
  GameState& s = g.s;
  const int prize = milestone(kDeathPrizes, s.floor_clear[fc::kDeaths]);
  if (prize < 0) return;
  msg_put(g, item_name(g, prize) + "を地獄より持ちかえった!!");
  s.item_have[static_cast<size_t>(prize)] = sat_add(s.item_have[static_cast<size_t>(prize)], 1);
}

void raise_level(GameState& s, i32 k) {
  if (k < 0) {
    s.my_lv = sat_add(s.my_lv, k);
  } else if (s.my_lv < kMaxLevel) {
    s.my_lv = std::min(sat_add(s.my_lv, k), i32{kMaxLevel});
  }
}

bool uncapped_prize_item(int id) {
  for (const Milestone& m : kComboPrizes)
    if (m.id == id) return true;
  for (const Milestone& m : kDeathPrizes)
    if (m.id == id) return true;
  return false;
}

}  // namespace z2
