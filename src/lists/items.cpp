// Using a consumable and equipping a weapon or armour, both chosen in the
// list panel.
#include <string>

#include "battle/player_commands.h"
#include "battle/rewards.h"
#include "battle/turns.h"
#include "lists/list_actions.h"
#include "lists/list_panel.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/fixed_tables.h"
#include "state/ids.h"
#include "state/int32.h"
#include "state/item_kinds.h"
#include "state/random.h"

namespace z2 {

namespace {


std::string n(i32 v) { return std::to_string(v); }

// One ailment roll of the type-53 items: the chance, the picture and the line.
struct AilmentRoll {
  int hits, out_of;
  Fx fx;
  i32 state;
  const char* text;
};
constexpr AilmentRoll kAilmentRolls[] = {
    {2, 3, Fx::FoeWhite, 2, "敵を眠らせた!!"},         {1, 2, Fx::FoeWhite, 3, "敵を石化させた!!"},
    {3, 4, Fx::FoeGreenBurst, 1, "敵を毒化させた!!"},   {2, 3, Fx::FoeWhite, 4, "敵を混乱させた!!"},
    {1, 2, Fx::FoeWhite, 5, "敵を暴走させた!!"},        {1, 2, Fx::FoePurple, 8, "敵を呪いにさせた!!"},
    {2, 3, Fx::FoeGreenBurst, 6, "敵を猛毒にさせた!!"},  {1, 2, Fx::FoeGreenBurst, 7, "敵を感染にさせた!!"},
    {1, 2, Fx::FoePurple, 9, "敵をＭ呪にさせた!!"},      {2, 3, Fx::FoeGreenBurst, 10, "敵を毒吸にさせた!!"},
};

// The sure cuts of the opponent's hit points: a divisor, how many parts go.
struct HpCut {
  i32 div, parts;
  const char* text;
};
constexpr HpCut kHpCuts[] = {
    {10, 1, "敵のHPの10%を消滅させた!!"}, {5, 1, "敵のHPの20%を消滅させた!!"},
    {3, 1, "敵のHPの33%を消滅させた!!"},  {2, 1, "敵のHPの50%を消滅させた!!"},
    {3, 2, "敵のHPの66%を消滅させた!!"},
};

void ailment_item(Game& g, i32 k) {
  GameState& s = g.s;
  if (k >= 0 && k < 10) {
    const AilmentRoll& r = kAilmentRolls[k];
    if (g.random(r.out_of) < r.hits) {
      screen_effect(g, r.fx);
      s.e_state = r.state;
      msg_add(g, r.text);
    } else {
      msg_add(g, "Miss!!");
    }
  } else if (k >= 10 && k < 15) {
    const HpCut& c = kHpCuts[k - 10];
    screen_effect(g, Fx::FoeYellowFall);
    s.e_hp = sat_sub(s.e_hp, sat_mul(c.parts, s.e_hp / c.div));
    msg_add(g, c.text);
  }
}

// ---- the table of kinds ----

// What a kind may change: a field of the state, or an entry of floor_clear.
struct Field {
  i32 GameState::*member = nullptr;
  int clear = -1;
};
constexpr Field field(i32 GameState::*m) { return {m, -1}; }
constexpr Field clear_entry(int i) { return {nullptr, i}; }

i32& ref(GameState& s, const Field& f) {
  return f.member ? s.*f.member : s.floor_clear[static_cast<size_t>(f.clear)];
}

enum class Op : uint8_t {
  None,
  Add,  // field += k
  Sub,  // field -= k
  Inc,  // field += value
  Set,  // field = value
};


// One use of an item: the game, its power k and its name.
struct Use {
  Game& g;
  i32 k;
  const std::string& name;
};

// One kind: the screen effect, the change of one field, then the line
// head + k + tail (head alone when the line shows no k), typed as a new line
// or (put) as the whole message. `act` replaces all of it where a rule does
// not fit; it returns false when the item had no effect and comes back.
struct KindRow {
  i32 kind;
  Fx fx;
  Op op;
  Field target;
  i32 value;
  const char* head;
  const char* tail;
  bool put;
  bool (*act)(Use&);
};

constexpr KindRow add(i32 kind, Fx fx, Field f, const char* head, const char* tail) {
  return {kind, fx, Op::Add, f, 0, head, tail, false, nullptr};
}
constexpr KindRow sub(i32 kind, Fx fx, Field f, const char* head, const char* tail) {
  return {kind, fx, Op::Sub, f, 0, head, tail, false, nullptr};
}
// The yellow rise and "<what>が K 上がった!" with the value raised by K.
constexpr KindRow raise(i32 kind, Field f, const char* what_ga) { return add(kind, Fx::PlayerYellowRise, f, what_ga, "上がった!"); }
constexpr KindRow set(i32 kind, Fx fx, Field f, i32 v, const char* text, bool put = false) {
  return {kind, fx, Op::Set, f, v, text, nullptr, put, nullptr};
}
constexpr KindRow say(i32 kind, Fx fx, const char* head, const char* tail = nullptr) {
  return {kind, fx, Op::None, {}, 0, head, tail, false, nullptr};
}
constexpr KindRow acting(i32 kind, bool (*act)(Use&)) { return {kind, Fx::None, Op::None, {}, 0, nullptr, nullptr, false, act}; }

// ---- the kinds that are not a plain change ----

// Types 3, 4, 70, 71: the weapon's or the armour's power grows.
bool grow(Game& g, const char* head, const std::string& name, i32& pow, i32 k) {
  screen_effect(g, Fx::PlayerYellowRise);
  msg_add(g, std::string(head) + name + "】が" + n(k) + "上がった!\r\r△" + n(pow) + "→△" + n(sat_add(pow, k)));
  pow = sat_add(pow, k);
  return true;
}
bool grow_weapon(Use& u) { return grow(u.g, "武器【", u.g.s.buki_name, u.g.s.buki_pow, u.k); }
bool grow_armour(Use& u) { return grow(u.g, "防具【", u.g.s.bougu_name, u.g.s.bougu_pow, u.k); }
bool wild_weapon(Use& u) { return grow(u.g, "武器【", u.g.s.buki_name, u.g.s.buki_pow, u.g.s.wild); }
bool wild_armour(Use& u) { return grow(u.g, "防具【", u.g.s.bougu_name, u.g.s.bougu_pow, u.g.s.wild); }

// Types 30, 31: the power is multiplied, never past the cap.
bool multiply(Use& u, const char* head, std::string& name, i32& pow) {
  Game& g = u.g;
  msg_add(g, std::string(head) + name + "】△" + n(pow) + "の威力を" + n(u.k) + "倍!!");
  screen_effect(g, Fx::PlayerYellowRise);
  pow = sat_mul(pow, u.k);
  if (pow > kNineNines) pow = kNineNines;
  name = u.name;
  return true;
}
bool multiply_weapon(Use& u) { return multiply(u, "武器【", u.g.s.buki_name, u.g.s.buki_pow); }
bool multiply_armour(Use& u) { return multiply(u, "防具【", u.g.s.bougu_name, u.g.s.bougu_pow); }

// Types 37, 38: the naming box takes over; its button does the naming.
bool open_naming(Game& g, const char* prompt, const char* button) {
  Ui& ui = g.ui;
  ui.name_l.text.clear();
  ui.list_box.visible = false;
  set_moji_l2(g, prompt);
  ui.name_b.caption = button;
  ui.name_box.visible = true;
  g.plat.repaint();
  return true;
}
bool name_weapon(Use& u) { return open_naming(u.g, "武器の名前を入力してください", "武器にネーミング"); }
bool name_armour(Use& u) { return open_naming(u.g, "防具の名前を入力してください", "防具にネーミング"); }

bool crumbles(Use& u) {  // 5
  msg_add(u.g, u.name + "は砕けてしまった。");
  return true;
}

// Type 24: an owned monster of id below 254 gains activations. Without one
// the draw could never end, so the item does nothing and comes back.
bool boost_monster(Use& u) {
  Game& g = u.g;
  GameState& s = g.s;
  bool any = false;
  for (int i = 0; i < 254; ++i) any = any || s.monster_have[static_cast<size_t>(i)] > 0;
  if (!g.ui.m2.visible || !any) {
    msg_add(g, "なにも起きなかった");
    return false;
  }
  screen_effect(g, Fx::PlayerWhite);
  int a = g.random(254);
  for (int tries = 1; s.monster_have[static_cast<size_t>(a)] <= 0 && tries < kDrawCap; ++tries) a = g.random(254);
  if (s.monster_have[static_cast<size_t>(a)] <= 0) {
    // The cap of the draws: the first owned one stands in.
    a = 0;
    while (s.monster_have[static_cast<size_t>(a)] <= 0) ++a;
  }
  i32& lv = s.monster_lv[static_cast<size_t>(a)];
  lv = sat_add(lv, u.k);
  if (lv > 98) lv = 98;
  msg_add(g, "モンスター「" + g.t.monster_table[static_cast<size_t>(a)].mo_name + "」の発動回数が" + n(u.k) +
                 "上がった!");
  return true;
}

bool levels_said_first(Use& u) {  // 25
  screen_effect(u.g, Fx::PlayerYellowRise);
  msg_add(u.g, "LVが" + n(u.k) + "上がった!");
  raise_level(u.g.s, u.k);
  return true;
}

bool levels_said_after(Use& u) {  // 89
  screen_effect(u.g, Fx::PlayerYellowRise);
  raise_level(u.g.s, u.k);
  msg_add(u.g, "LVが" + n(u.k) + "上がった!");
  return true;
}

bool full_cure(Use& u) {  // 26
  GameState& s = u.g.s;
  screen_effect(u.g, Fx::PlayerBlueRise);
  s.my_hp = s.my_hp_max;
  s.my_mp = s.my_mp_max;
  s.my_state = ail::kNone;
  msg_add(u.g, "完全回復した!!\rステータスが通常に戻った!!");
  return true;
}

bool drain_level(Use& u) {  // 28
  Game& g = u.g;
  GameState& s = g.s;
  screen_effect(g, Fx::FoeYellowFall);
  s.e_lv = s.e_lv > 1 ? s.e_lv - 1 : 1;
  msg_add(g, "敵のＬＶが1さがった!");
  screen_effect(g, Fx::PlayerYellowRise);
  raise_level(s, 1);
  msg_add(g, "敵のＬＶを吸い取った!!");
  return true;
}

bool antidote(Use& u) {  // 29
  GameState& s = u.g.s;
  if (s.my_state != ail::kPoison && s.my_state != ail::kVenom && s.my_state != ail::kLeech) {
    msg_add(u.g, "なにも起きなかった");
    return false;
  }
  screen_effect(u.g, Fx::PlayerBlueRise);
  s.my_state = ail::kNone;
  msg_add(u.g, "毒がなおった!");
  return true;
}

bool ailment(Use& u) {  // 53
  ailment_item(u.g, u.k);
  return true;
}

bool demon_power(Use& u) {  // 56
  msg_put(u.g, "妖魔の力が解き放たれた。");
  beast_hit(u.g, u.k);
  magic_hit(u.g, u.k);
  return true;
}

bool petrify_me(Use& u) {  // 57
  u.g.s.my_state = ail::kStone;
  screen_effect(u.g, Fx::PlayerPurple);
  msg_put(u.g, u.g.s.my_name + "は石化してしまった...");
  return true;
}

bool meteors(Use& u) {  // 58
  msg_put(u.g, "隕石が降り注いだ!!");
  attack(u.g, u.k);
  enemy_attack(u.g, u.k);
  return true;
}

// Types 59..62: one seal lifted.
template <bool GameState::*Seal>
bool unseal(Use& u) {
  u.g.s.*Seal = true;
  return true;
}

bool wild_style(Use& u) {  // 64
  msg_put(u.g, "＞ＷＩＬＤ ＳＴＹＬＥ!!!");
  magic_hit(u.g, u.g.s.wild / 10);
  return true;
}

bool wild_running(Use& u) {  // 65
  msg_put(u.g, "＞ＷＩＬＤ ＲＵＮＩＮＧ!!!");
  beast_hit(u.g, u.g.s.wild / 10);
  return true;
}

bool wild_damage(Use& u) {  // 66
  GameState& s = u.g.s;
  msg_put(u.g, "＞ＷＩＬＤ分ダメージ!!");
  screen_effect(u.g, Fx::FoePink);
  s.e_hp = sat_sub(s.e_hp, s.wild);
  msg_add(u.g, n(s.wild) + "ダメージ与えた!!");
  return true;
}

// Types 67, 68: WILD bought with a stat.
bool wild_for(Use& u, const char* text, i32 GameState::*stat, i32 cost, i32 wild) {
  GameState& s = u.g.s;
  screen_effect(u.g, Fx::PlayerYellowFall);
  screen_effect(u.g, Fx::PlayerYellowRise);
  msg_add(u.g, text);
  s.*stat = sat_sub(s.*stat, cost);
  s.wild = sat_add(s.wild, wild);
  return true;
}
bool wild_for_attack(Use& u) { return wild_for(u, "攻撃力と引き換えに、【WILD】が20上がった!!", &GameState::my_atk, 1, 20); }
bool wild_for_hp(Use& u) {
  return wild_for(u, "最大HPと引き換えに、【WILD】が80上がった!!", &GameState::my_hp_max, 10, 80);
}

// Types 69, 72: all WILD spent on one blow.
bool wild_blow(Use& u, const char* text, i32 d) {
  GameState& s = u.g.s;
  msg_put(u.g, text);
  screen_effect(u.g, Fx::FoePink);
  s.e_hp = sat_sub(s.e_hp, d);
  msg_add(u.g, n(d) + "ダメージ与えた!!");
  screen_effect(u.g, Fx::PlayerWhite);
  msg_add(u.g, "【WILD】が0になった!!");
  s.wild = 0;
  return true;
}
bool wild_goodbye(Use& u) { return wild_blow(u, "＞ＷＩＬＤさよなら!!", sat_mul(u.g.s.wild, 10)); }
bool wild_hello(Use& u) { return wild_blow(u, "＞ＷＩＬＤこんにちは!!", sat_mul(10, sat_sub(999, u.g.s.wild))); }

bool boya(Use& u) {  // 78
  GameState& s = u.g.s;
  s.monster_have[monster::kBoya] = sat_add(s.monster_have[monster::kBoya], 1);
  msg_put(u.g, "モンスター【" + u.g.t.monster_table[monster::kBoya].mo_name + "】を入手した!!");
  return true;
}

bool wisdom_for_attack(Use& u) {  // 80
  Game& g = u.g;
  screen_effect(g, Fx::PlayerYellowRise);
  g.s.my_int = sat_add(g.s.my_int, u.k);
  msg_add(g, "【知力】が" + n(u.k) + "上がった!");
  refresh(g);
  screen_effect(g, Fx::PlayerYellowFall);
  g.s.my_atk = sat_sub(g.s.my_atk, 1);
  msg_add(g, "【攻撃力】が1下がった!");
  return true;
}

bool heal_for_ark(Use& u) {  // 91
  GameState& s = u.g.s;
  screen_effect(u.g, Fx::PlayerBlueRise);
  s.my_hp = sat_add(s.my_hp, u.k);
  msg_add(u.g, "HPが" + n(u.k) + "回復した!");
  const i32 cost = sat_add(u.k / 100, 1);
  s.ark = sat_sub(s.ark, cost);
  msg_add(u.g, "ARKが" + n(cost) + "減った");
  return true;
}

bool charm(Use& u) {  // 95
  GameState& s = u.g.s;
  screen_effect(u.g, Fx::FoeWhite);
  msg_add(u.g, s.e_name + "はメロメロになった!");
  screen_effect(u.g, Fx::PlayerBlueRise);
  msg_add(u.g, "HPを" + n(s.e_hp) + "回復させてくれた。");
  s.my_hp = sat_add(s.my_hp, s.e_hp);
  return true;
}

bool nothing(Use& u) {  // 96
  msg_add(u.g, "なにも起きなかった");
  return false;
}

bool ten_of_each(Use& u) {  // 98
  Game& g = u.g;
  screen_effect(g, Fx::PlayerYellowRise);
  raise_level(g.s, 10);
  msg_add(g, "LVが10上がった!!");
  screen_effect(g, Fx::PlayerYellowRise);
  g.s.my_atk = sat_add(g.s.my_atk, 10);
  msg_add(g, "攻撃力が10上がった!!");
  screen_effect(g, Fx::PlayerYellowRise);
  g.s.my_int = sat_add(g.s.my_int, 10);
  msg_add(g, "知力が10上がった!!");
  return true;
}

bool new_effect(Use& u) {  // 99
  GameState& s = u.g.s;
  screen_effect(u.g, Fx::PlayerYellowRise);
  s.buki_ex = u.g.random(124);
  msg_put(u.g, "【★" + u.g.t.ex_names[static_cast<size_t>(s.buki_ex)] + "】の特殊効果が追加された!!");
  return true;
}

constexpr Field kMyHp = field(&GameState::my_hp);

constexpr KindRow kKinds[] = {
    // Hit and magic points.
    add(0, Fx::PlayerBlueRise, kMyHp, "HPが", "回復した!"),
    add(1, Fx::PlayerLilacRise, field(&GameState::my_mp), "HPが", "回復した!"),
    sub(2, Fx::PlayerRed, kMyHp, "HPが", "減った!"),
    acting(3, grow_weapon),
    acting(4, grow_armour),
    acting(5, crumbles),
    add(6, Fx::None, field(&GameState::ark), "ＡＲＫが", "上がった!!"),
    // Stats and the record.
    raise(7, field(&GameState::my_hp_max), "MAXHPが"),
    raise(8, field(&GameState::my_mp_max), "MAXMPが"),
    raise(9, field(&GameState::my_atk), "【攻撃力】が"),
    raise(10, field(&GameState::my_body), "【防御力】が"),
    raise(11, clear_entry(fc::kZando), "【ｻﾞﾝﾄﾞ】が"),
    raise(12, clear_entry(fc::kLa), "【ＬＡ】が"),
    raise(13, clear_entry(fc::kJapan), "【日本】が"),
    // Gauges the game names but does not keep.
    say(14, Fx::PlayerYellowRise, "【裏切り】が", "上がった!"),
    raise(15, clear_entry(fc::kChina), "【中国】が"),
    say(16, Fx::PlayerYellowRise, "【過去】が", "上がった!"),
    say(17, Fx::PlayerYellowRise, "【全能】が", "上がった!"),
    say(18, Fx::PlayerYellowRise, "【謎】が", "上がった!"),
    raise(19, clear_entry(fc::kBattles), "【戦闘回数】が"),
    raise(20, clear_entry(fc::kDeaths), "【死亡回数】が"),
    say(21, Fx::PlayerYellowRise, "スペシャリストに１歩近づいた!"),
    add(22, Fx::PlayerYellowRise, field(&GameState::my_exp), "経験値が", "上がった!"),
    set(23, Fx::PlayerBlueRise, field(&GameState::my_state), ail::kNone, "ステータスが通常に戻った!!"),
    acting(24, boost_monster),
    acting(25, levels_said_first),
    acting(26, full_cure),
    // The opponent's level and the fight's bonuses.
    set(27, Fx::FoeWhite, field(&GameState::e_lv), 1, "敵のＬＶが1になった!!"),
    acting(28, drain_level),
    acting(29, antidote),
    acting(30, multiply_weapon),
    acting(31, multiply_armour),
    {32, Fx::FoeYellowRise, Op::Inc, field(&GameState::e_lv), 1, "敵のＬＶを1上げた!", nullptr, false, nullptr},
    set(33, Fx::PlayerWhite, clear_entry(fc::kBufDef), 0, "守備力が元にもどった!!"),
    set(34, Fx::PlayerWhite, clear_entry(fc::kBufAtk), 0, "腕力が元にもどった!!"),
    set(35, Fx::FoeWhite, field(&GameState::e_buf_def), 0, "敵の守備力が元にもどった!!"),
    set(36, Fx::FoeWhite, field(&GameState::e_buf_atk), 0, "敵の腕力が元にもどった!!"),
    acting(37, name_weapon),
    acting(38, name_armour),
    add(39, Fx::None, field(&GameState::cent), "", "ｾﾝﾄ入手した!!"),
    raise(50, clear_entry(fc::kBufAtk), "一時的に【腕力】が"),
    raise(51, clear_entry(fc::kBufDef), "一時的に【守備力】が"),
    acting(53, ailment),
    sub(54, Fx::FoeYellowFall, field(&GameState::e_buf_atk), "一時的に敵の【腕力】が", "下がった!"),
    sub(55, Fx::FoeYellowFall, field(&GameState::e_buf_def), "一時的に敵の【守備力】が", "下がった!"),
    acting(56, demon_power),
    acting(57, petrify_me),
    acting(58, meteors),
    // The seals lifted.
    {59, Fx::PlayerBlueRise, Op::None, {}, 0, "攻撃可能になった", nullptr, false, unseal<&GameState::can_punch>},
    {60, Fx::PlayerBlueRise, Op::None, {}, 0, "魔法可能になった", nullptr, false, unseal<&GameState::can_magic>},
    {61, Fx::PlayerBlueRise, Op::None, {}, 0, "モンスター可能になった", nullptr, false, unseal<&GameState::can_beast>},
    {62, Fx::PlayerBlueRise, Op::None, {}, 0, "アイテム可能になった", nullptr, false, unseal<&GameState::can_item>},
    // WILD.
    add(63, Fx::PlayerYellowRise, field(&GameState::wild), "【WILD】が", "上がった!!"),
    acting(64, wild_style),
    acting(65, wild_running),
    acting(66, wild_damage),
    acting(67, wild_for_attack),
    acting(68, wild_for_hp),
    acting(69, wild_goodbye),
    acting(70, wild_weapon),
    acting(71, wild_armour),
    acting(72, wild_hello),
    raise(73, field(&GameState::my_beast), "【獣力】が"),
    acting(78, boya),
    raise(79, field(&GameState::my_int), "【知力】が"),
    acting(80, wisdom_for_attack),
    acting(89, levels_said_after),
    acting(91, heal_for_ark),
    set(94, Fx::PlayerWhite, field(&GameState::death_guard), 2, "行き返りが50％の確率で約束された"),
    acting(95, charm),
    acting(96, nothing),
    set(97, Fx::PlayerYellowRise, field(&GameState::buki_ex), ex::kNone, "武器の特殊効果が消えた!!", true),
    acting(98, ten_of_each),
    acting(99, new_effect),
};

const KindRow* find_kind(i32 kind) {
  for (const KindRow& r : kKinds)
    if (r.kind == kind) return &r;
  return nullptr;
}

// The effect of a consumable of `kind`; false when it had none and the item
// comes back. A kind without a row is spent with no effect.
bool item_effect(Game& g, i32 kind, i32 k, const std::string& name) {
  const KindRow* r = find_kind(kind);
  if (!r) return true;
  Use u{g, k, name};
  screen_effect(g, r->fx);
  switch (r->op) {
    case Op::None: break;
    case Op::Add: ref(g.s, r->target) = sat_add(ref(g.s, r->target), k); break;
    case Op::Sub: ref(g.s, r->target) = sat_sub(ref(g.s, r->target), k); break;
    case Op::Inc: ref(g.s, r->target) = sat_add(ref(g.s, r->target), r->value); break;
    case Op::Set: ref(g.s, r->target) = r->value; break;
  }
  if (r->head) {
    const std::string line = r->tail ? r->head + n(k) + r->tail : std::string(r->head);
    if (r->put) {
      msg_put(g, line);
    } else {
      msg_add(g, line);
    }
  }
  return r->act ? r->act(u) : true;
}

// The chosen entry is not owned (two records share a name and the list named
// the other one): nothing is spent and the turn is not lost.
bool not_owned(Game& g) {
  const i32 sel = g.s.list_sel;
  if (sel >= 0 && sel < 500 && g.s.item_have[static_cast<size_t>(sel)] > 0) return false;
  play_se(g, "miss.wav");
  resume_turn(g);
  return true;
}

}  // namespace

void resume_turn(Game& g) {
  if (!g.s.in_battle) return;
  g.ui.battle_com.visible = true;
  g.ui.list_box.visible = true;
  g.plat.repaint();
}

bool use_item(Game& g, int k) {
  if (not_owned(g)) return false;
  GameState& s = g.s;
  i32& have = s.item_have[static_cast<size_t>(s.list_sel)];
  const ItemRecord& it = g.t.item_table[static_cast<size_t>(s.list_sel)];
  have -= 1;
  msg_put(g, "【" + it.it_name + "】を使った!!");
  if (kinds::fight_only(it.it_kind) && !s.in_battle) {
    set_moji_l2(g, "戦闘中以外使用不可能");
    have = sat_add(have, 1);
  } else if (!item_effect(g, it.it_kind, k, it.it_name)) {
    have = sat_add(have, 1);
  }
  list_refresh(g, ListMode::Consumables);
  return true;
}

bool equip_item(Game& g) {
  GameState& s = g.s;
  if (!g.plat.ask("装備すると今装備している物は消滅します。よろしいですか？")) {
    play_se(g, "miss.wav");
    resume_turn(g);
    return false;
  }
  if (not_owned(g)) return false;
  const ItemRecord& it = g.t.item_table[static_cast<size_t>(s.list_sel)];
  play_se(g, "key.wav");
  s.item_have[static_cast<size_t>(s.list_sel)] -= 1;
  list_refresh(g, ListMode::Equipment);
  const i32 k = it.it_pow;
  if (kinds::weapon(it.it_kind)) {
    msg_put(g, "武器【" + it.it_name + "】△" + n(k) + "を装備した!!");
    s.buki_name = it.it_name;
    s.buki_pow = k;
    s.buki_ex = it.it_ex;
  } else if (kinds::armour(it.it_kind)) {
    msg_put(g, "防具【" + it.it_name + "】△" + n(k) + "を装備した!!");
    s.bougu_name = it.it_name;
    s.bougu_pow = k;
  }
  play_se(g, "soubi.wav");
  refresh(g);
  return true;
}

}  // namespace z2
