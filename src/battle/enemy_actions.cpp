#include "battle/enemy_actions.h"

#include <algorithm>
#include <string>

#include "battle/action_steps.h"
#include "battle/turns.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/floors.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

std::string num(i32 n) { return std::to_string(n); }

// ---- the labels ----

// The line each action opens with; nullptr where it has none (84) or where
// the line depends on the action (0, 1 and 95 build theirs).
constexpr const char* kLabels[kActionCount] = {
    "＞でこぴん", "＞パンチ", "＞ドラッグ", "＞でこぴんｸﾘﾃｨｶﾙ", "＞キック",
    "＞クールダウン", "＞ボディダウン", "＞ブレインダウン", "＞クールクラッシュ", "＞ボディクラッシュ",
    "＞ブレインクラッシュ", "＞Ｎｏクール", "＞Ｎｏボディ", "＞Ｎｏブレイン", "＞HELLクール",
    "＞HELLボディ", "＞HELLブレイン", "＞クールアップ", "＞ボディアップ", "＞クールプラス",
    "＞ボディプラス", "＞クールMAXIMUM", "＞ボディMAXIMUM", "＞サムライ", "＞武士の心得",
    "＞数珠", "＞大数珠", "＞ポイズン・バタフライ", "＞女神の雫", "＞水ﾄ風ﾄ太陽ﾄ月",
    "＞ｶﾞﾆｭﾒｰﾄの鎖", "＞幻影", "＞狂喜への誘い", "＞流れよ、赤き血の河", "＞波打たず、静か呪える河",
    "＞伝染病", "＞果しなき河よ、我を誘え", "＞うたえ、生命の河の詩", "＞人魚の歌", "＞ユージュアル",
    "＞Ｍ法", "＞ネオＭ法", "＞竜言語魔法", "＞劉言語魔法", "＞妖精術",
    "＞死神の鎌", "＞レーザー", "＞エンジェルブレス", "＞ヴァイスクロイツ", "＞トレジャーミサイル",
    "＞３・スペシャリスト", "＞でこぴんLv2", "＞でこぴんLv3", "＞ウルトラでこぴん", "＞奥儀ライジンでこぴん",
    "＞ビンタ", "＞奥儀ビンタキングダム", "＞占星術", "＞矢", "＞泣く",
    "＞パワーアップ!!!!", "＞フルパワー!!!!", "＞いたずら", "＞吸血", "＞吸心",
    "＞盗む", "＞ぼー････", "＞自爆", "＞ラジオセットＯＮ!!", "＞スケボー",
    "＞ダイナマイトＸ", "＞ダブルペイン", "＞ＣＡＴストール", "＞ﾐｽﾃｨｯｸｱｰｸ", "＞不幸の音",
    "＞PINKボム", "＞ウイルス弾", "＞ダイブアタック", "＞タイガーファング", "＞ブッシュCOMBO!!",
    "＞BAD BOYS", "＞触手", "＞GUN", "＞人々は悲しい出来事はすぐに忘れてしまう", nullptr,
    "＞PARANOIA MAX", "＞DROP OUT", "＞ORION’78", "＞カード裏返し", "＞攻撃封印",
    "＞魔法封印", "＞モンスター封印", "＞アイテム封印", "＞次元刀", "＞ビッグクランチ",
    nullptr,
};
constexpr const char* kCriticalFlick = "＞でこぴんｸﾘﾃｨｶﾙ";
constexpr const char* kCriticalPunch = "＞パンチｸﾘﾃｨｶﾙ";

// ---- the families ----

// A chance of 1 in `chance`; 1 means always and draws nothing.
// Plain hits: one to three ordinary hits, some behind a screen effect, some
// only one time in two.
struct HitRow {
  int code;
  Fx fx;
  int chance;
  int count;
  int power[3];
};
constexpr HitRow kHits[] = {
    {4, Fx::None, 1, 1, {6}},                  {36, Fx::None, 2, 1, {170}},               {44, Fx::PlayerPink, 1, 1, {70}},
    {46, Fx::PlayerPink, 1, 1, {30}},          {48, Fx::PlayerPink, 1, 1, {80}},          {49, Fx::PlayerPink, 1, 1, {100}},
    {50, Fx::PlayerPink, 1, 3, {40, 40, 40}},  {51, Fx::None, 1, 1, {5}},                 {52, Fx::None, 1, 1, {15}},
    {53, Fx::None, 1, 1, {55}},                {54, Fx::None, 1, 1, {95}},                {55, Fx::None, 1, 3, {15, 15, 15}},
    {56, Fx::None, 1, 3, {35, 35, 35}},        {57, Fx::None, 1, 2, {5, 5}},              {58, Fx::None, 1, 2, {1, 1}},
    {69, Fx::None, 1, 1, {2}},                 {77, Fx::None, 1, 1, {8}},                 {78, Fx::None, 1, 1, {13}},
    {79, Fx::None, 1, 3, {1, 5, 15}},          {80, Fx::None, 1, 1, {17}},                {82, Fx::None, 1, 1, {3}},
    {83, Fx::None, 1, 1, {100}},
};

void do_hits(Game& g, const HitRow& r) {
  if (!lands(g, r.chance)) return miss(g);
  screen_effect(g, r.fx);
  // Every hit lands, even on a player already down: the fight is judged after the action.
  for (int k = 0; k < r.count; ++k) enemy_attack(g, r.power[k]);
}

// Fight bonuses: the player's lowered, the opponent's raised. The amount is
// random(range) + base / div + add, the base being the opponent's level or a
// side's maximum hit points.
enum class Bonus { Atk, Def, Beast, EAtk, EDef };
enum class Base { ELv, MyHpMax, EHpMax };
struct BonusRow {
  int code;
  Bonus bonus;
  int range;
  Base base;
  int div;
  int add;
};
constexpr BonusRow kBonuses[] = {
    {5, Bonus::Atk, 5, Base::ELv, 1, 0},         {6, Bonus::Def, 5, Base::ELv, 1, 0},
    {7, Bonus::Beast, 5, Base::ELv, 1, 0},       {8, Bonus::Atk, 15, Base::ELv, 1, 5},
    {9, Bonus::Def, 15, Base::ELv, 1, 5},        {10, Bonus::Beast, 15, Base::ELv, 1, 5},
    {11, Bonus::Atk, 35, Base::ELv, 1, 10},      {12, Bonus::Def, 35, Base::ELv, 1, 10},
    {13, Bonus::Beast, 35, Base::ELv, 1, 10},    {14, Bonus::Atk, 70, Base::ELv, 1, 20},
    {15, Bonus::Def, 70, Base::ELv, 1, 20},      {16, Bonus::Beast, 70, Base::ELv, 1, 20},
    {17, Bonus::EAtk, 5, Base::ELv, 1, 0},       {18, Bonus::EDef, 5, Base::ELv, 1, 0},
    {19, Bonus::EAtk, 15, Base::ELv, 1, 5},      {20, Bonus::EDef, 15, Base::ELv, 1, 5},
    {21, Bonus::EAtk, 35, Base::MyHpMax, 10, 10}, {22, Bonus::EDef, 35, Base::EHpMax, 10, 10},
    {23, Bonus::EAtk, 70, Base::MyHpMax, 7, 20}, {24, Bonus::EDef, 70, Base::EHpMax, 7, 20},
};

void do_bonus(Game& g, const BonusRow& r) {
  GameState& s = g.s;
  const bool raise = r.bonus == Bonus::EAtk || r.bonus == Bonus::EDef;
  screen_effect(g, raise ? Fx::FoeYellowRise : Fx::PlayerYellowFall);
  const i32 base = r.base == Base::ELv ? s.e_lv : r.base == Base::MyHpMax ? s.my_hp_max : s.e_hp_max;
  const i32 n = sat_add(sat_add(g.random(r.range), div0(base, r.div)), r.add);
  switch (r.bonus) {
    case Bonus::Atk:
      s.buf_atk() = sat_sub(s.buf_atk(), n);
      return msg_add(g, "腕力を" + num(n) + "下げられた!");
    case Bonus::Def:
      s.buf_def() = sat_sub(s.buf_def(), n);
      return msg_add(g, "守備力を" + num(n) + "下げられた!");
    case Bonus::Beast:
      s.buf_beast() = sat_sub(s.buf_beast(), n);
      return msg_add(g, "獣操力を" + num(n) + "下げられた!");
    case Bonus::EAtk:
      s.e_buf_atk = sat_add(s.e_buf_atk, n);
      return msg_add(g, s.e_name + "の腕力が" + num(n) + "上がった!");
    case Bonus::EDef:
      s.e_buf_def = sat_add(s.e_buf_def, n);
      return msg_add(g, s.e_name + "の守備力を" + num(n) + "上がった!");
  }
}

// Heals of a share of the opponent's maximum (div 0: all but one point).
struct HealRow {
  int code;
  int div;
};
constexpr HealRow kHeals[] = {{25, 4}, {26, 3}, {28, 2}, {29, 0}};

void do_heal(Game& g, const HealRow& r) {
  GameState& s = g.s;
  screen_effect(g, Fx::FoeBlueRise);
  const i32 n = r.div == 0 ? sat_sub(s.e_hp_max, 1) : sat_add(s.e_hp_max / r.div, 1);
  msg_add(g, "HPを" + num(n) + "回復した!");
  s.e_hp = sat_add(s.e_hp, n);
}

// Ailments laid on the player: one time in `chance`, else a miss; the
// immune class always sees the miss.
struct AilmentRow {
  int code;
  int chance;
  int immune;  // -1: nobody
  Fx fx;
  int state;
  const char* text;  // after the player's name
};
constexpr AilmentRow kAilments[] = {
    {27, 1, cls::kImmune, Fx::PlayerGreenBurst, ail::kPoison, "は毒化した!!"},
    {30, 4, cls::kImmune, Fx::PlayerWhite, ail::kStone, "は石化してしまった!!"},
    {31, 3, cls::kImmune, Fx::PlayerWhite, ail::kConfused, "は混乱してしまった!!"},
    {32, 2, -1, Fx::PlayerWhite, ail::kRampage, "は暴走してしまった!!"},
    {33, 2, cls::kImmune, Fx::PlayerWhite, ail::kVenom, "は猛毒におかされた!!"},
    {34, 4, -1, Fx::PlayerPurple, ail::kCurse, "は呪いにかかった!!"},
    {35, 2, -1, Fx::PlayerGreenBurst, ail::kInfected, "は感染した!!"},
    {37, 2, cls::kSleepless, Fx::PlayerWhite, ail::kSleep, "は眠ってしまった!!"},
    {38, 2, cls::kSleepless, Fx::PlayerWhite, ail::kSleep, "は眠ってしまった!!"},
    {81, 2, cls::kImmune, Fx::PlayerGreenBurst, ail::kLeech, "は毒吸状態になってしてしまった!!"},
};

const AilmentRow& ailment_row(int code) {
  return *std::find_if(std::begin(kAilments), std::end(kAilments), [&](const AilmentRow& r) { return r.code == code; });
}

void lay_ailment(Game& g, const AilmentRow& r) {
  screen_effect(g, r.fx);
  g.s.my_state = r.state;
  msg_add(g, g.s.my_name + r.text);
}

// The draw comes first; the immune class misses whatever it gives.
bool do_ailment(Game& g, const AilmentRow& r) {
  const bool hit = lands(g, r.chance);
  if (!hit || g.s.class_now == r.immune) {
    miss(g);
    return false;
  }
  lay_ailment(g, r);
  return true;
}

// Seals: each command stays shut until its own recovery roll.
struct SealRow {
  int code;
  bool GameState::*seal;
  const char* text;
};
constexpr SealRow kSeals[] = {
    {89, &GameState::can_punch, "攻撃不可能になってしまった!!"},
    {90, &GameState::can_magic, "魔法不可能になってしまった!!"},
    {91, &GameState::can_beast, "モンスター不可能になってしまった!!"},
    {92, &GameState::can_item, "アイテム不可能になってしまった!!"},
};

void do_seal(Game& g, const SealRow& r) {
  screen_effect(g, Fx::PlayerPurple);
  msg_add(g, r.text);
  g.s.*r.seal = false;
}

template <class Row, size_t N>
const Row* row_of(const Row (&rows)[N], int code) {
  for (const Row& r : rows)
    if (r.code == code) return &r;
  return nullptr;
}

// ---- the actions of their own ----

// The critical blows of the flick (0, 3) and the punch (1).
void critical(Game& g, bool punch) {
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerRed);
  const i32 n = punch ? sat_add(s.my_hp_max / 3, s.e_lv / 3) : sat_add(s.e_lv / 3, s.my_hp_max / 4);
  s.my_hp = sat_sub(s.my_hp, n);
  msg_add(g, num(n) + "ダメージくらった!!");
}

// 0 and 1: one time in twenty the blow is critical, and its line says so.
void flick_or_punch(Game& g, bool punch) {
  const bool crit = g.random(20) == 0;
  if (crit) {
    msg_put(g, punch ? kCriticalPunch : kCriticalFlick);
    critical(g, punch);
  } else {
    msg_put(g, kLabels[punch ? 1 : 0]);
    enemy_attack(g, punch ? 2 : 1);
  }
}

// 65: the first owned item of up to 499 random draws.
void steal_item(Game& g) {
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerWhite);
  for (int k = 0; k < 499; ++k) {
    const int i = g.random(499);
    // A count below one is nothing to take (and must not sink further).
    if (s.item_have[static_cast<size_t>(i)] > 0) {
      s.item_have[static_cast<size_t>(i)] -= 1;
      msg_add(g, at_or_empty(g.t.item_table, i).it_name + "を盗まれた!!");
      return;
    }
  }
  miss(g);
}

// 72 and 73: a tenth of the purse and up to a fifth more, never less than one.
i32 purse_cut(Game& g, i32 purse) { return sat_add(sat_add(g.random(purse / 5), purse / 10), 1); }

// ---- the opponent's own side ----

void recover_fifth(Game& g) {  // 2
  GameState& s = g.s;
  screen_effect(g, Fx::FoeBlueRise);
  const i32 n = sat_add(s.e_hp_max / 5, 1);
  s.e_hp = sat_add(s.e_hp, n);
  refresh(g);
  msg_add(g, num(n) + "回復した");
}

// The song of the river: sleep for the player, rest for the singer.
void river_song(Game& g) {  // 37
  GameState& s = g.s;
  if (!do_ailment(g, ailment_row(37))) return;
  screen_effect(g, Fx::FoeBlueRise);
  const i32 n = s.e_hp_max / 2;
  msg_add(g, "更に" + s.e_name + "のHPが" + num(n) + "回復した!");
  s.e_hp = sat_add(s.e_hp, n);
  s.e_state = ail::kNone;
}

void cure_self(Game& g) {  // 39
  screen_effect(g, Fx::FoeBlueRise);
  msg_add(g, g.s.e_name + "のステータスが通常に戻った");
  g.s.e_state = ail::kNone;
}

void grow_hp_max(Game& g) {  // 60
  GameState& s = g.s;
  screen_effect(g, Fx::FoeYellowRise);
  msg_add(g, s.e_name + "の最大HPが上昇!!");
  s.e_hp_max = sat_add(s.e_hp_max, s.e_hp_max / 2);
}

void level_up_and_heal(Game& g) {  // 61
  GameState& s = g.s;
  screen_effect(g, Fx::FoeYellowRise);
  const i32 n = g.random(9) + 1;
  msg_add(g, s.e_name + "のLVが" + num(n) + "上がった!!");
  s.e_lv = sat_add(s.e_lv, n);
  screen_effect(g, Fx::FoeBlueRise);
  msg_add(g, s.e_name + "のHPが完全回復した!!");
  s.e_hp = s.e_hp_max;
}

void self_destruct(Game& g) {  // 67
  screen_effect(g, Fx::FoeWhite);
  msg_add(g, g.s.e_name + "は吹っ飛んだ!!");
  g.s.e_hp = 0;
  // The blast still reaches the player before the fight is judged.
  enemy_attack(g, 0);
}

// ---- blows to the player's hit points ----

void halve_my_hp(Game& g) {  // 40
  screen_effect(g, Fx::PlayerPurple);
  msg_add(g, "HPが半分になってしまった!!");
  g.s.my_hp /= 2;
}

void m_curse_me(Game& g) {  // 41
  screen_effect(g, Fx::PlayerPurple);
  msg_add(g, "Ｍ呪状態になってしまった!!");
  g.s.my_state = ail::kMCurse;
}

// 42: as much as the opponent has lost; 43: as much as it has left.
void mirror_hit(Game& g, bool lost) {
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerPink);
  const i32 n = lost ? sat_sub(s.e_hp_max, s.e_hp) : s.e_hp;
  msg_add(g, s.e_name + (lost ? "のダメージ分" : "のHP分") + num(n) + "のダメージを食らった!!");
  s.my_hp = sat_sub(s.my_hp, n);
}

void cut_soul(Game& g) {  // 45
  GameState& s = g.s;
  if (!lands(g, 2)) return miss(g);
  screen_effect(g, Fx::PlayerPurple);
  s.my_hp = 1;
  msg_add(g, s.my_name + "の魂が切り刻まれた!!");
  msg_add(g, "HPが1になってしまった!!");
}

void swap_hp(Game& g) {  // 62
  GameState& s = g.s;
  screen_effect(g, Fx::FoeWhite);
  screen_effect(g, Fx::PlayerWhite);
  msg_add(g, s.e_name + "と" + s.my_name + "のHPが入れ替わってしまった!!");
  std::swap(s.my_hp, s.e_hp);
}

// 63 drains a quarter of the player's maximum HP, 64 a third of its maximum MP.
void drain(Game& g, bool mp) {
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerPink);
  screen_effect(g, Fx::FoeBlueRise);
  if (!mp) {
    const i32 n = sat_add(s.my_hp_max / 4, 1);
    msg_add(g, num(n) + "のダメージを吸い取られた!!");
    s.my_hp = sat_sub(s.my_hp, n);
    s.e_hp = sat_add(s.e_hp, n);
  } else {
    const i32 n = sat_add(s.my_mp_max / 3, 1);
    msg_add(g, num(n) + "のMPを吸い取られた!!");
    s.my_mp = sat_sub(s.my_mp, n);
    s.e_hp = sat_add(s.e_hp, n);
  }
}

void zando_blast(Game& g) {  // 70
  msg_add(g, "<ZANDO>が少ない程大ダメージ");
  enemy_attack(g, sat_sub(99, g.s.floor_clear[fc::kZando]));
}

void double_wound(Game& g) {  // 71
  GameState& s = g.s;
  msg_add(g, s.my_name + "のダメージ分×２のダメージ");
  screen_effect(g, Fx::PlayerRed);
  const i32 n = sat_mul(sat_sub(s.my_hp_max, s.my_hp), 2);
  msg_add(g, num(n) + "のダメージを食らった!!");
  s.my_hp = sat_sub(s.my_hp, n);
}

// 75 may confuse, 76 may infect: a second blow one time in three that fails
// without a word.
void hit_then_afflict(Game& g, int code) {
  enemy_attack(g, code == 75 ? 3 : 5);
  const bool hit = g.random(3) == 0;
  if (code == 75 && hit && g.s.class_now != cls::kImmune) lay_ailment(g, ailment_row(31));
  if (code == 76 && hit) lay_ailment(g, ailment_row(35));
}

void wound_swap(Game& g) {  // 88
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerPurple);
  msg_add(g, "HPが" + s.my_name + "のダメージ値と入れ替わった。!!");
  s.my_hp = sat_sub(s.my_hp_max, s.my_hp);
}

void shrink_hp_max(Game& g) {  // 93
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerPurple);
  const i32 n = sat_add(s.my_hp_max / 100, 1);
  msg_add(g, "最大HP" + num(n) + "が空間と共に消えた････");
  s.my_hp_max = sat_sub(s.my_hp_max, n);
}

void down_to_one(Game& g) {  // 94
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerPurple);
  msg_add(g, num(sat_sub(s.my_hp, 1)) + "のダメージを食らった!!");
  s.my_hp = 1;
}

void faust_cut(Game& g) {  // 95
  GameState& s = g.s;
  msg_add(g, "＞斬る");
  screen_effect(g, Fx::PlayerPurple);
  const i32 n = s.my_hp_max / 10;
  msg_add(g, num(n) + "のダメージを食らった!!");
  s.my_hp = sat_sub(s.my_hp, n);
}

// ---- thefts ----

void rob_cents(Game& g) {  // 72
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerWhite);
  const i32 n = purse_cut(g, s.cent);
  msg_add(g, num(n) + "ｾﾝﾄ盗まれた!!");
  s.cent = sat_sub(s.cent, n);
}

void rob_ark(Game& g) {  // 73
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerWhite);
  const i32 n = purse_cut(g, s.ark);
  msg_add(g, "ＡＲＫが" + num(n) + "奪われた!!");
  s.ark = sat_sub(s.ark, n);
}

void rob_experience(Game& g) {  // 74
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerYellowFall);
  const i32 n = sat_add(g.random(s.my_exp / 3), 5);
  msg_add(g, "経験値が" + num(n) + "奪われた!!");
  s.my_exp = sat_sub(s.my_exp, n);
}

// ---- the weapon and the class, one time in five ----

void force_weapon_effect(Game& g) {  // 85
  GameState& s = g.s;
  if (!lands(g, 5)) return miss(g);
  screen_effect(g, Fx::PlayerPurple);
  const int k = g.random(ex::kLast + 1);
  s.buki_ex = k;
  msg_add(g, "武器の追加効果を★" + at_or_empty(g.t.ex_names, k) + "に強制変更された!!");
}

void erase_weapon_effect(Game& g) {  // 86
  if (!lands(g, 5)) return miss(g);
  screen_effect(g, Fx::PlayerPurple);
  g.s.buki_ex = ex::kNone;
  msg_add(g, "武器の追加効果を消滅させらてしまった!!");
}

void imprison(Game& g) {  // 87
  if (!lands(g, 5)) return miss(g);
  screen_effect(g, Fx::PlayerPurple);
  g.s.class_now = cls::kPrisoner;
  msg_add(g, "クラスを強制的に【" + at_or_empty(g.t.job_table, cls::kPrisoner).jb_name + "】に変更させられてしまった!!");
}

// ---- the table of the actions of their own ----

struct OwnRow {
  int code;
  void (*run)(Game&);
};
constexpr OwnRow kOwn[] = {
    {0, [](Game& g) { flick_or_punch(g, false); }},
    {1, [](Game& g) { flick_or_punch(g, true); }},
    {2, recover_fifth},
    {3, [](Game& g) { critical(g, false); }},
    {37, river_song},
    {39, cure_self},
    {40, halve_my_hp},
    {41, m_curse_me},
    {42, [](Game& g) { mirror_hit(g, true); }},
    {43, [](Game& g) { mirror_hit(g, false); }},
    {45, cut_soul},
    {47, heal_both_halves},
    {59, [](Game& g) { msg_add(g, "えーんえーん"); }},
    {60, grow_hp_max},
    {61, level_up_and_heal},
    {62, swap_hp},
    {63, [](Game& g) { drain(g, false); }},
    {64, [](Game& g) { drain(g, true); }},
    {65, steal_item},
    {66, [](Game& g) { msg_add(g, g.s.e_name + "はぼーっとしている...."); }},
    {67, self_destruct},
    {68, [](Game& g) {
       msg_add(g, "カャチリ..");
       msg_add(g, g.s.e_name + "はラジオをセットした");
     }},
    {70, zando_blast},
    {71, double_wound},
    {72, rob_cents},
    {73, rob_ark},
    {74, rob_experience},
    {75, [](Game& g) { hit_then_afflict(g, 75); }},
    {76, [](Game& g) { hit_then_afflict(g, 76); }},
    {84, [](Game& g) { msg_add(g, g.s.e_name + "は何かの呪文を唱えている...."); }},
    {85, force_weapon_effect},
    {86, erase_weapon_effect},
    {87, imprison},
    {88, wound_swap},
    {93, shrink_hp_max},
    {94, down_to_one},
    {95, faust_cut},
};

}  // namespace

const ActionSet kFaustSet = {84, 95, 99, 94, 93};

const ActionSet* colosseum_set(int floor) {
  // The rest floors hold no colosseum fight of their own: the opponent keeps its record.
  const floors::Floor* f = floors::floor_row(floor);
  if (!f || f->rest) return nullptr;
  return &f->actions;
}

int pick_action(Game& g, int a1, int a2, int a3, int a4, int a5) {
  const int r = g.random(15);
  int c = r >= 10 ? a1 : r >= 6 ? a2 : r >= 3 ? a3 : r >= 1 ? a4 : a5;
  if (c == kAnyAction) {
    c = g.random(93);
    if (c == kSelfDestruct) c = g.random(93);
  }
  if (c == 0 && g.s.e_state != ail::kNone && g.random(7) == 0) c = kCureSelf;
  return c;
}

std::string action_label(const Game& g, int code) {
  if (code < 0 || code >= kActionCount) return {};
  if (code == 95) return g.s.e_name + "「メフィストはどこだ････」";
  return kLabels[code] ? kLabels[code] : "";
}

void enemy_action(Game& g, int code) {
  if (code < 0 || code >= kActionCount) return;
  // 0 and 1 choose their line by their own draw.
  if (code != 0 && code != 1) {
    const std::string label = action_label(g, code);
    if (!label.empty()) msg_put(g, label);
  }
  if (const HitRow* r = row_of(kHits, code)) return do_hits(g, *r);
  if (const BonusRow* r = row_of(kBonuses, code)) return do_bonus(g, *r);
  if (const HealRow* r = row_of(kHeals, code)) return do_heal(g, *r);
  if (const SealRow* r = row_of(kSeals, code)) return do_seal(g, *r);
  if (code != 37) {
    if (const AilmentRow* r = row_of(kAilments, code)) {
      do_ailment(g, *r);
      return;
    }
  }
  if (const OwnRow* r = row_of(kOwn, code)) r->run(g);
}

}  // namespace z2
