#include "battle/rewards.h"

#include <algorithm>
#include <string>

#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/fixed_tables.h"
#include "state/floors.h"
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

void floor_prize(Game& g) {
  const floors::Floor* f = floors::floor_row(g.s.floor);
  if (!f) return;
  switch (f->prize) {
    case floors::Prize::None: break;
    case floors::Prize::Magic: learn_magic(g, f->prize_id, false); break;
    case floors::Prize::Item: prize_item(g, f->prize_id); break;
    case floors::Prize::Monster:
      // The cleaner's name is part of the text, whatever the table calls it.
      msg_add(g, "モンスター【ｸﾘｰﾅｰﾔﾑﾔﾑ】を入手した!!");
      if (i32* have = entry(g.s.monster_have, f->prize_id)) *have = sat_add(*have, 1);
      break;
  }
}

constexpr const char* kFaust = "ファウスト";

constexpr i32 kMaxCombo = 999;
constexpr i32 kMastered = 41;  // a mastered class stays here, so its bonus is paid once

}  // namespace

void floor_clear_reward(Game& g) {
  GameState& s = g.s;
  play_bgm(g, "not");
  if (i32* won = entry(s.floor_clear, s.floor)) *won = kWonMark;

  const bool faust = s.e_name == kFaust;
  bool climbed = false;
  if (s.floor < floors::kChampionFloor && !faust) {
    s.floor = sat_add(s.floor, 1);
    climbed = true;
    play_se(g, "next.wav");
    fanfare(g, "次のフロア・" + num(s.floor) + "階、" + at_or_empty(g.t.map_names, s.floor) + "へと勝ち進んだ!!");
  } else if (s.floor == floors::kChampionFloor) {
    play_se(g, "next.wav");
    fanfare(g, s.my_name + "はザンドコロシアム優勝者となった!!!");
    fanfare(g, "クリア！！！おめでとう。");
  } else if (s.floor > floors::kChampionFloor && s.floor < kTopFloor) {
    play_se(g, "next.wav");
    fanfare(g, "上への扉が開いた・・・");
  } else if (s.floor == kTopFloor) {
    play_se(g, "next.wav");
    fanfare(g, "完全クリアした・・・");
    play_bgm(g, "open.mid");
    fanfare(g, "さようなら");
  }

  if (faust) {
    s.floor_clear[fc::kGouketu] = kWonMark;
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
      screen_effect(g, Fx::PlayerPurple);
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
