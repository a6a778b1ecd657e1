// The monsters' skills, by mo_kind. The skills are rows of one table; most
// rows share a handful of effects (hits, ailments, healing, raises), the odd
// ones have an effect of their own.
#include "lists/monster_skills.h"

#include <string>
#include <utility>

#include "battle/action_steps.h"
#include "battle/player_commands.h"
#include "lists/monsters.h"
#include "shell/messages.h"
#include "shell/status.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

// A step with no attribute of its own.
constexpr int kAnyZoku = -1;


struct Call {
  Game& g;
  int s;  // the monster that acts (the evolved one after an evolution)
  i32 p;  // mo_pow of the monster chosen, read before any evolution
};

// One step of a skill row. Fields that a row's effect does not read stay at
// their defaults.
struct Step {
  Fx fx = Fx::None;          // screen effect at the start of the step
  int chance = 1;            // 1 in `chance`; 1 draws nothing
  i32 arg = 0;               // hit argument, amount or divisor
  int zoku = kAnyZoku;       // attribute that changes the hit argument...
  i32 arg_zoku = 0;          // ...into this (0: the hit is void against it)
  int times = 1;             // hits in a row
  i32 state = 0;             // the ailment inflicted
  bool named = false;        // the ailment's message starts with the opponent's name
  int target = 0;            // floor_clear entry a raise adds to
  int share = 0;             // raises: 0 fixed amount, else the divisor's base
  const char* text = nullptr;
};

struct Skill;
using Effect = void (*)(Call&, const Skill&);

struct Skill {
  const char* line;  // typed with msg_put
  Fx line_fx;        // screen effect right after the name line
  Effect run;
  Step st{};
};

std::string num(i32 v) { return std::to_string(v); }
const std::string& mo_name(const Game& g, int id) { return at_or_empty(g.t.monster_table, id).mo_name; }

void lose_one(i32& have) {
  if (have > 0) --have;
}

// --- shared effects ---

// Hit(arg), turned into arg_zoku against the step's attribute, `times` times.
void hits(Call& c, const Skill& k) {
  const Step& st = k.st;
  if (!lands(c.g, st.chance)) return miss(c.g);
  screen_effect(c.g, st.fx);
  const i32 a = (st.zoku != kAnyZoku && c.g.s.e_zoku == st.zoku) ? st.arg_zoku : st.arg;
  for (int i = 0; i < st.times; ++i) beast_hit(c.g, a);
}

void hit_pow(Call& c, const Skill&) { beast_hit(c.g, c.p); }

// The ailment arg on the opponent, with the step's chance.
void afflict(Game& g, const Step& st, bool say_miss) {
  if (!lands(g, st.chance)) {
    if (say_miss) miss(g);
    return;
  }
  screen_effect(g, st.fx);
  g.s.e_state = st.state;
  msg_add(g, st.named ? g.s.e_name + st.text : std::string(st.text));
}
void inflict(Call& c, const Skill& k) { afflict(c.g, k.st, true); }

// arg = n heals my_hp_max / n + 1; arg = 0 heals all but one point.
void heal(Call& c, const Skill& k) {
  GameState& s = c.g.s;
  const i32 h = k.st.arg > 0 ? s.my_hp_max / k.st.arg + 1 : sat_sub(s.my_hp_max, 1);
  msg_add(c.g, "HPが" + num(h) + "回復した!");
  s.my_hp = sat_add(s.my_hp, h);
}

constexpr int kOfMyHpMax = 1;
constexpr int kOfEnemyHpMax = 2;

// A fight bonus: a fixed amount, or a share of a hit-point maximum. The
// message is the row's own, whatever the amount.
void raise(Call& c, const Skill& k) {
  const Step& st = k.st;
  GameState& s = c.g.s;
  i32 amount = st.arg;
  if (st.share == kOfMyHpMax) amount = div0(s.my_hp_max, st.arg);
  if (st.share == kOfEnemyHpMax) amount = div0(s.e_hp_max, st.arg);
  i32& v = s.floor_clear[static_cast<size_t>(st.target)];
  v = sat_add(v, amount);
  msg_add(c.g, st.text);
}

// --- skills of their own ---

void lullaby(Call& c, const Skill&) {  // 13
  Game& g = c.g;
  if (!lands(g, 2)) return miss(g);
  screen_effect(g, Fx::FoeWhite);
  g.s.e_state = 2;
  msg_add(g, "敵を眠らせた!!");
  screen_effect(g, Fx::PlayerBlueRise);
  const i32 h = sat_sub(g.s.my_hp_max, 1);
  msg_add(g, "更に、HPが" + num(h) + "回復した!");
  g.s.my_hp = sat_add(g.s.my_hp, h);
  g.s.my_state = 0;
}

void cure(Call& c, const Skill&) {  // 33
  msg_add(c.g, "ステータスが通常に戻った!!");
  c.g.s.my_state = 0;
}

void halve_hp(Call& c, const Skill&) {  // 34
  Game& g = c.g;
  if (!lands(g, 3)) return msg_put(g, "Miss!!");
  screen_effect(g, Fx::FoePurple);
  msg_add(g, "HPが半分にさせた!!");
  g.s.e_hp /= 2;
}

void m_curse(Call& c, const Skill&) {  // 35
  Game& g = c.g;
  if (!lands(g, 3)) return msg_put(g, "Miss!!");
  screen_effect(g, Fx::FoePurple);
  msg_add(g, "Ｍ呪状態にさせた!!");
  g.s.e_state = 9;
}

void wound_back(Call& c, const Skill&) {  // 36
  GameState& s = c.g.s;
  const i32 d = sat_sub(s.my_hp_max, s.my_hp);
  msg_add(c.g, num(d) + "のダメージを与えた!!");
  s.e_hp = sat_sub(s.e_hp, d);
}

void own_hp(Call& c, const Skill&) {  // 37
  GameState& s = c.g.s;
  msg_add(c.g, num(s.my_hp) + "のダメージを食らった!!");
  s.e_hp = sat_sub(s.e_hp, s.my_hp);
}

void scythe(Call& c, const Skill&) {  // 39
  Game& g = c.g;
  GameState& s = g.s;
  const bool rolled = lands(g, 4);
  if (rolled && !s.no_escape && mod0(s.e_id, 10) <= 6 && s.e_zoku != zoku::kChina) {
    screen_effect(g, Fx::FoePurple);
    s.e_hp = 1;
    msg_add(g, s.e_name + "の魂を切り刻んだ");
    msg_add(g, "HPを1にした!!");
  } else {
    miss(g);
  }
}

void angel_breath(Call& c, const Skill&) { heal_both_halves(c.g); }  // 41

void cry(Call& c, const Skill&) { msg_add(c.g, "えーんえーん"); }  // 53

void swap_hp(Call& c, const Skill&) {  // 54
  Game& g = c.g;
  screen_effect(g, Fx::FoeWhite);
  screen_effect(g, Fx::PlayerWhite);
  msg_add(g, g.s.e_name + "と" + g.s.my_name + "のHPが入れ替わってしまった!!");
  std::swap(g.s.my_hp, g.s.e_hp);
}

void drain_hp(Call& c, const Skill&) {  // 55
  Game& g = c.g;
  GameState& s = g.s;
  screen_effect(g, Fx::PlayerBlueRise);
  const i32 d = s.e_zoku == zoku::kJapan ? 0 : s.my_hp_max / 5;
  msg_add(g, num(d) + "のダメージを吸い取った!!");
  s.e_hp = sat_sub(s.e_hp, d);
  s.my_hp = sat_add(s.my_hp, d);
}

void drain_mp(Call& c, const Skill&) {  // 56
  Game& g = c.g;
  GameState& s = g.s;
  screen_effect(g, Fx::FoeYellowFall);
  screen_effect(g, Fx::PlayerLilacRise);
  const i32 d = s.e_zoku == zoku::kJapan ? 0 : s.my_mp_max / 10 + 1;
  msg_add(g, num(d) + "のMPを吸い取った!!");
  s.my_mp = sat_add(s.my_mp, d);
}

void steal(Call& c, const Skill&) {  // 57
  screen_effect(c.g, Fx::FoeWhite);
  if (lands(c.g, 3))
    theft(c.g);
  else
    miss(c.g);
}

void daydream(Call& c, const Skill&) { msg_add(c.g, mo_name(c.g, c.s) + "はぼーっとしている...."); }  // 58

void self_destruct(Call& c, const Skill&) {  // 59
  Game& g = c.g;
  screen_effect(g, Fx::PlayerWhite);
  msg_add(g, mo_name(g, c.s) + "は吹っ飛んだ!!");
  beast_hit(g, g.s.my_hp);
  lose_one(g.s.monster_have[static_cast<size_t>(c.s)]);
}

void radio(Call& c, const Skill&) {  // 60
  msg_add(c.g, "カャチリ..");
  msg_add(c.g, mo_name(c.g, c.s) + "はラジオをセットした");
}

// Hit with a counter of floor_clear, void against one attribute (62, 77).
void counter_hit(Call& c, const Skill& k) {
  const GameState& s = c.g.s;
  beast_hit(c.g, s.e_zoku == k.st.zoku ? 0 : s.floor_clear[static_cast<size_t>(k.st.target)]);
}

void double_pain(Call& c, const Skill&) {  // 63
  Game& g = c.g;
  GameState& s = g.s;
  msg_add(g, s.e_name + "のダメージ分×２のダメージ");
  screen_effect(g, Fx::FoeRed);
  const i32 d = s.e_zoku == zoku::kZndo ? 0 : sat_mul(2, sat_sub(s.e_hp_max, s.e_hp));
  msg_add(g, num(d) + "のダメージを与えた!!");
  s.e_hp = sat_sub(s.e_hp, d);
}

void cat_steal(Call& c, const Skill&) {  // 64
  Game& g = c.g;
  screen_effect(g, Fx::FoeYellowFall);
  screen_effect(g, Fx::PlayerYellowRise);
  const i32 cents = sat_mul(g.s.e_lv, 10);
  msg_add(g, num(cents) + "ｾﾝﾄ盗んだ!!");
  g.s.cent = sat_add(g.s.cent, cents);
}

void ark_steal(Call& c, const Skill&) {  // 65
  Game& g = c.g;
  screen_effect(g, Fx::FoeYellowFall);
  screen_effect(g, Fx::PlayerYellowRise);
  const i32 a = g.random(2) + 1;
  msg_add(g, "ＡＲＫを" + num(a) + "奪った!!");
  g.s.ark = sat_add(g.s.ark, a);
}

void exp_steal(Call& c, const Skill&) {  // 66
  Game& g = c.g;
  screen_effect(g, Fx::FoeYellowFall);
  screen_effect(g, Fx::PlayerYellowRise);
  const i32 x = g.random(5) + 1;
  msg_add(g, "経験値を" + num(x) + "奪った!!");
  g.s.my_exp = sat_add(g.s.my_exp, x);
}

// One hit, then the ailment with its chance and no word on a failure
// (67, 68, 76); the ailment always comes with the white flash.
void hit_then_afflict(Call& c, const Skill& k) {
  Game& g = c.g;
  Step st = k.st;
  screen_effect(g, st.fx);
  beast_hit(g, (st.zoku != kAnyZoku && g.s.e_zoku == st.zoku) ? st.arg_zoku : st.arg);
  st.fx = Fx::FoeWhite;
  afflict(g, st, false);
}

void china_up(Call& c, const Skill&) {  // 79
  Game& g = c.g;
  i32& china = g.s.floor_clear[fc::kChina];
  china = sat_add(china, 1);
  msg_add(g, "【中国】が1上がった!!");
  status_refresh(g);
  msg_add(g, mo_name(g, c.s) + "は消滅してしまった!!");
  lose_one(g.s.monster_have[static_cast<size_t>(c.s)]);
}

void mystery_sword(Call& c, const Skill&) {  // 80
  Game& g = c.g;
  screen_effect(g, Fx::FoeRed);
  beast_hit(g, g.random(sat_add(g.s.floor_clear[fc::kEscapes], 5)));
}

void hell_cut(Call& c, const Skill&) {  // 81
  screen_effect(c.g, Fx::FoePurple);
  beast_hit(c.g, c.g.s.floor_clear[fc::kDeaths]);
}

void strength(Call& c, const Skill&) {  // 82
  screen_effect(c.g, Fx::FoeRed);
  beast_hit(c.g, c.g.s.floor_clear[fc::kBattles] / 10);
}

void octavie(Call& c, const Skill&) {  // 83
  screen_effect(c.g, Fx::FoeRed);
  beast_hit(c.g, sat_mul(c.g.s.monster_have[30], 10));
}

void lost_child(Call& c, const Skill&) {  // 84
  screen_effect(c.g, Fx::FoeYellowRise);
  if (lands(c.g, 2))
    give_enemy_item(c.g);
  else
    miss(c.g);
}

void lost_garbage(Call& c, const Skill&) {  // 85
  screen_effect(c.g, Fx::FoeYellowRise);
  if (c.g.random(4) < 3)
    give_enemy_garbage(c.g);
  else
    miss(c.g);
}

void damages(Call& c, const Skill&) {  // 86
  Game& g = c.g;
  screen_effect(g, Fx::FoeYellowRise);
  const i32 cents = sat_mul(2, sat_sub(g.s.my_hp_max, g.s.my_hp));
  g.s.cent = sat_add(g.s.cent, cents);
  msg_add(g, num(cents) + "円敵から奪った!!");
}

void ark_up(Call& c, const Skill&) {  // 87
  Game& g = c.g;
  msg_add(g, "最大ARKが9上昇した!!");
  g.s.ark_max = sat_add(g.s.ark_max, 9);
  msg_add(g, mo_name(g, c.s) + "は消滅した!!");
  lose_one(g.s.monster_have[static_cast<size_t>(c.s)]);
}

void card_flip(Call& c, const Skill&) {  // 88
  Game& g = c.g;
  if (g.s.no_escape) return msg_add(g, "無効!!");
  screen_effect(g, Fx::FoePurple);
  msg_add(g, "敵のHPとダメージ値が入れ替わった。!!");
  g.s.e_hp = sat_sub(g.s.e_hp_max, g.s.e_hp);
}

void halve_level(Call& c, const Skill&) {  // 89
  screen_effect(c.g, Fx::FoePurple);
  msg_add(c.g, "敵のLVを半減させた!!");
  c.g.s.e_lv /= 2;
}

void unseal(Call& c, const Skill&) {  // 90
  GameState& s = c.g.s;
  msg_add(c.g, "攻撃・魔法・モンスター・アイテムが使用可能になった!!");
  s.can_punch = s.can_magic = s.can_beast = s.can_item = true;
}

using zoku::kChina;
using zoku::kJapan;
using zoku::kLa;
using zoku::kNone;
using zoku::kZndo;

// The skills by mo_kind.
const Skill kSkills[] = {
    /* 0 */ {"＞体当たり", Fx::None, hit_pow},
    /* 1 */ {"＞数珠", Fx::PlayerBlueRise, heal, {.arg = 4}},
    /* 2 */ {"＞大数珠", Fx::PlayerBlueRise, heal, {.arg = 3}},
    /* 3 */ {"＞ポイズン・バタフライ", Fx::None, inflict, {.fx = Fx::FoeGreenBurst, .state = 1, .text = "敵を毒化した!!"}},
    /* 4 */ {"＞女神の雫", Fx::PlayerBlueRise, heal, {.arg = 2}},
    /* 5 */ {"＞水ﾄ風ﾄ太陽ﾄ月", Fx::PlayerBlueRise, heal, {.arg = 0}},
    /* 6 */ {"＞ｶﾞﾆｭﾒｰﾄの鎖", Fx::None, inflict, {.fx = Fx::FoeWhite, .chance = 3, .state = 3, .text = "敵を石化させた!!"}},
    /* 7 */ {"＞幻影", Fx::None, inflict, {.fx = Fx::FoeWhite, .chance = 3, .state = 4, .text = "敵を混乱させた!!"}},
    /* 8 */ {"＞狂喜への誘い", Fx::None, inflict, {.fx = Fx::FoeWhite, .chance = 2, .state = 5, .text = "敵を暴走させた!!"}},
    /* 9 */ {"＞流れよ、赤き血の河", Fx::None, inflict, {.fx = Fx::FoeGreenBurst, .chance = 2, .state = 6, .text = "敵を猛毒にさせた!!"}},
    /* 10 */ {"＞波打たず、静か呪える河", Fx::None, inflict, {.fx = Fx::FoePurple, .chance = 4, .state = 8, .text = "敵を呪いにさせた!!"}},
    /* 11 */ {"＞ウイルス発生", Fx::None, inflict, {.fx = Fx::FoeGreenBurst, .chance = 2, .state = 7, .text = "敵を感染させた!!"}},
    /* 12 */ {"＞果しなき河よ、我を誘え", Fx::None, hits, {.chance = 2, .arg = 170}},
    /* 13 */ {"＞うたえ、生命の河の詩", Fx::None, lullaby},
    /* 14 */ {"＞人魚の歌", Fx::None, inflict, {.fx = Fx::FoeWhite, .chance = 2, .state = 2, .text = "敵を眠らせた!!"}},
    /* 15 */ {"＞鉄壁", Fx::PlayerYellowRise, raise, {.arg = 5, .target = fc::kBufDef, .text = "守備力が5上がった!"}},
    /* 16 */ {"＞銀壁", Fx::PlayerYellowRise, raise, {.arg = 11, .target = fc::kBufDef, .text = "守備力が11上がった!"}},
    /* 17 */ {"＞心の壁", Fx::PlayerYellowRise, raise, {.arg = 18, .target = fc::kBufDef, .text = "守備力が18上がった!"}},
    /* 18 */ {"＞９ウォール", Fx::PlayerYellowRise, raise, {.arg = 25, .target = fc::kBufDef, .text = "守備力が25上がった!"}},
    /* 19 */ {"＞ドルバン技", Fx::PlayerYellowRise, raise, {.arg = 50, .target = fc::kBufDef, .text = "守備力が50上がった!"}},
    /* 20 */
    {"＞次元の狭間", Fx::PlayerYellowRise, raise, {.arg = 11, .target = fc::kBufDef, .share = kOfMyHpMax, .text = "守備力が110上がった!"}},
    /* 21 */
    {"＞ﾀｲﾑ･ｸﾗｲｼｽ", Fx::PlayerYellowRise, raise, {.arg = 7, .target = fc::kBufDef, .share = kOfMyHpMax, .text = "守備力が200上がった!"}},
    /* 22 */ {"＞火の追い風", Fx::PlayerYellowRise, raise, {.arg = 5, .target = fc::kBufAtk, .text = "腕力が5上がった!"}},
    /* 23 */ {"＞炎の糸", Fx::PlayerYellowRise, raise, {.arg = 9, .target = fc::kBufAtk, .text = "腕力が9上がった!"}},
    /* 24 */ {"＞猛炎の針", Fx::PlayerYellowRise, raise, {.arg = 15, .target = fc::kBufAtk, .text = "腕力が15上がった!"}},
    /* 25 */ {"＞雷電強化", Fx::PlayerYellowRise, raise, {.arg = 21, .target = fc::kBufAtk, .text = "腕力が21上がった!"}},
    /* 26 */
    {"＞燃えさかる魂", Fx::PlayerYellowRise, raise, {.arg = 11, .target = fc::kBufAtk, .share = kOfEnemyHpMax, .text = "腕力が30上がった!"}},
    /* 27 */
    {"＞１０００匹のヘビ", Fx::PlayerYellowRise, raise, {.arg = 7, .target = fc::kBufAtk, .share = kOfEnemyHpMax, .text = "腕力が50上がった!"}},
    /* 28 */ {"＞ｲﾝﾃﾘｼﾞｪﾝｽLv1", Fx::PlayerYellowRise, raise, {.arg = 6, .target = fc::kBufBeast, .text = "獣操力が6上がった!"}},
    /* 29 */ {"＞ｲﾝﾃﾘｼﾞｪﾝｽLv2", Fx::PlayerYellowRise, raise, {.arg = 12, .target = fc::kBufBeast, .text = "獣操力が12上がった!"}},
    /* 30 */ {"＞ｲﾝﾃﾘｼﾞｪﾝｽLv3", Fx::PlayerYellowRise, raise, {.arg = 20, .target = fc::kBufBeast, .text = "獣操力が20上がった!"}},
    /* 31 */
    {"＞ｲﾝﾃﾘｼﾞｪﾝｽLv4", Fx::PlayerYellowRise, raise,
     {.arg = 11, .target = fc::kBufBeast, .share = kOfEnemyHpMax, .text = "獣操力が49上がった!"}},
    /* 32 */
    {"＞ｲﾝﾃﾘｼﾞｪﾝｽLv5", Fx::PlayerYellowRise, raise,
     {.arg = 7, .target = fc::kBufBeast, .share = kOfEnemyHpMax, .text = "獣操力が100上がった!"}},
    /* 33 */ {"＞ユージュアル", Fx::PlayerBlueRise, cure},
    /* 34 */ {"＞Ｍ法", Fx::None, halve_hp},
    /* 35 */ {"＞ネオＭ法", Fx::None, m_curse},
    /* 36 */ {"＞竜言語魔法", Fx::FoePink, wound_back},
    /* 37 */ {"＞劉言語魔法", Fx::FoePink, own_hp},
    /* 38 */ {"＞妖精術", Fx::FoePink, hits, {.arg = 70}},
    /* 39 */ {"＞死神の鎌", Fx::None, scythe},
    /* 40 */ {"＞レーザー", Fx::FoePink, hits, {.arg = 30}},
    /* 41 */ {"＞エンジェルブレス", Fx::None, angel_breath},
    /* 42 */ {"＞ヴァイスクロイツ", Fx::None, hits, {.fx = Fx::FoePink, .arg = 130, .zoku = kZndo}},
    /* 43 */ {"＞トレジャーミサイル", Fx::None, hits, {.fx = Fx::FoePink, .arg = 240, .zoku = kZndo}},
    /* 44 */ {"＞３・スペシャリスト", Fx::None, hits, {.fx = Fx::FoePink, .arg = 77, .zoku = kZndo, .times = 3}},
    /* 45 */ {"＞でこぴんLv2", Fx::None, hits, {.arg = 5}},
    /* 46 */ {"＞でこぴんLv3", Fx::None, hits, {.arg = 15}},
    /* 47 */ {"＞ウルトラでこぴん", Fx::None, hits, {.arg = 55}},
    /* 48 */ {"＞奥儀ライジンでこぴん", Fx::None, hits, {.arg = 155, .zoku = kNone}},
    /* 49 */ {"＞ビンタ", Fx::None, hits, {.arg = 15, .zoku = kLa, .times = 3}},
    /* 50 */ {"＞奥儀ビンタキングダム", Fx::None, hits, {.arg = 55, .zoku = kLa, .times = 3}},
    /* 51 */ {"＞占星術", Fx::None, hits, {.arg = 5, .zoku = kChina, .times = 2}},
    /* 52 */ {"＞矢", Fx::None, hits, {.arg = 1, .zoku = kChina, .times = 2}},
    /* 53 */ {"＞泣く", Fx::None, cry},
    /* 54 */ {"＞いたずら", Fx::None, swap_hp},
    /* 55 */ {"＞吸血", Fx::FoePink, drain_hp},
    /* 56 */ {"＞吸心", Fx::None, drain_mp},
    /* 57 */ {"＞盗む", Fx::None, steal},
    /* 58 */ {"＞ぼー････", Fx::None, daydream},
    /* 59 */ {"＞自爆", Fx::None, self_destruct},
    /* 60 */ {"＞ラジオセットＯＮ!!", Fx::None, radio},
    /* 61 */ {"＞スケボー", Fx::None, hits, {.arg = 3}},
    /* 62 */ {"＞ダイナマイトＸ", Fx::None, counter_hit, {.zoku = kZndo, .target = fc::kZando}},
    /* 63 */ {"＞ダブルペイン", Fx::None, double_pain},
    /* 64 */ {"＞ＣＡＴストール", Fx::None, cat_steal},
    /* 65 */ {"＞ﾐｽﾃｨｯｸｱｰｸ", Fx::None, ark_steal},
    /* 66 */ {"＞不幸の音", Fx::None, exp_steal},
    /* 67 */ {"＞PINKボム", Fx::None, hit_then_afflict, {.chance = 3, .arg = 10, .state = 4, .named = true, .text = "は混乱した!!"}},
    /* 68 */ {"＞ウイルス弾", Fx::None, hit_then_afflict, {.chance = 3, .arg = 15, .state = 7, .named = true, .text = "は感染した!!"}},
    /* 69 */ {"＞ダイブアタック", Fx::None, hits, {.arg = 18}},
    /* 70 */ {"＞タイガーファング", Fx::None, hits, {.arg = 25}},
    /* 71 */ {"＞ブッシュCOMBO!!", Fx::None, [](Call& c, const Skill&) {
               for (i32 a : {1, 5, 15}) beast_hit(c.g, a);
             }},
    /* 72 */ {"＞BAD BOYS", Fx::None, hits, {.arg = 30}},
    /* 73 */ {"＞輝けるｵｸﾀﾋﾞｱﾝ皇后の降臨", Fx::None, hits, {.fx = Fx::FoePink, .arg = 9, .zoku = kZndo}},
    /* 74 */ {"＞150億年周期改正", Fx::None, hits, {.fx = Fx::FoePurple, .arg = 999, .zoku = kZndo}},
    /* 75 */ {"＞触手", Fx::None, inflict, {.fx = Fx::FoeGreenBurst, .chance = 2, .state = 10, .named = true, .text = "を毒吸状態にさせた!!"}},
    /* 76 */
    {"＞人々は悲しい出来事はすぐに忘れてしまう", Fx::None, hit_then_afflict,
     {.fx = Fx::FoePink, .chance = 4, .arg = 99, .zoku = kZndo, .state = 8, .text = "敵を呪いにさせた!!"}},
    /* 77 */ {"＞ダイナマイトＬＡ", Fx::None, counter_hit, {.zoku = kLa, .target = fc::kLa}},
    /* 78 */ {"＞ﾊﾟｰﾊﾟﾗｽﾚｰｻﾞｰ", Fx::FoePink, hits, {.arg = 60, .zoku = kNone, .arg_zoku = 180}},
    /* 79 */ {"＞チャイナup!!", Fx::PlayerYellowRise, china_up},
    /* 80 */ {"＞ミステリーソード", Fx::None, mystery_sword},
    /* 81 */ {"＞地獄斬り", Fx::None, hell_cut},
    /* 82 */ {"＞強さのわけ", Fx::None, strength},
    /* 83 */ {"＞オクタビーの代弁", Fx::None, octavie},
    /* 84 */ {"＞ぼうやはどこ？", Fx::None, lost_child},
    /* 85 */ {"＞ゴミどこ？", Fx::None, lost_garbage},
    /* 86 */ {"＞慰謝料請求", Fx::None, damages},
    /* 87 */ {"＞MAX ARK 9up", Fx::PlayerYellowRise, ark_up},
    /* 88 */ {"＞カード裏返し", Fx::None, card_flip},
    /* 89 */ {"＞オクタビー十騎士の力", Fx::None, halve_level},
    /* 90 */ {"＞ビジュアル", Fx::PlayerBlueRise, unseal},
};
constexpr int kSkillCount = static_cast<int>(sizeof(kSkills) / sizeof(kSkills[0]));
static_assert(kSkillCount == codes::kMonsterSkills, "one row per skill code");

}  // namespace

void run_skill(Game& g, int monster, i32 pow, i32 kind) {
  Call c{g, monster, pow};
  if (kind < 0 || kind >= kSkillCount) return;  // unknown codes do nothing
  const Skill& k = kSkills[kind];
  msg_put(c.g, k.line);
  screen_effect(c.g, k.line_fx);
  k.run(c, k);
}


}  // namespace z2
