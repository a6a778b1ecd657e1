#include "battle/extra_effects.h"

#include <string>

#include "battle/outcome.h"
#include "battle/player_commands.h"
#include "battle/rewards.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "state/carried.h"
#include "state/ids.h"
#include "state/int32.h"

namespace z2 {

namespace {

// ---- the values an effect may change ----

enum class V : uint8_t {
  MyHp, MyMp, MyHpMax, MyMpMax, MyLv, MyState,
  MyAtk, MyInt, MyBeast, MyBody,
  EHp, EHpMax, ELv, EState, EZoku,
  BukiPow, BouguPow,
  BufAtk, BufDef, BufBeast, EBufAtk, EBufDef,
  Cent, Ark,
  Zando, China, La, Japan, Deaths, Battles, Escapes,
};

i32& ref(Game& g, V v) {
  GameState& s = g.s;
  switch (v) {
    case V::MyHp: return s.my_hp;
    case V::MyMp: return s.my_mp;
    case V::MyHpMax: return s.my_hp_max;
    case V::MyMpMax: return s.my_mp_max;
    case V::MyLv: return s.my_lv;
    case V::MyState: return s.my_state;
    case V::MyAtk: return s.my_atk;
    case V::MyInt: return s.my_int;
    case V::MyBeast: return s.my_beast;
    case V::MyBody: return s.my_body;
    case V::EHp: return s.e_hp;
    case V::EHpMax: return s.e_hp_max;
    case V::ELv: return s.e_lv;
    case V::EState: return s.e_state;
    case V::EZoku: return s.e_zoku;
    case V::BukiPow: return s.buki_pow;
    case V::BouguPow: return s.bougu_pow;
    case V::BufAtk: return s.buf_atk();
    case V::BufDef: return s.buf_def();
    case V::BufBeast: return s.buf_beast();
    case V::EBufAtk: return s.e_buf_atk;
    case V::EBufDef: return s.e_buf_def;
    case V::Cent: return s.cent;
    case V::Ark: return s.ark;
    case V::Zando: return s.floor_clear[fc::kZando];
    case V::China: return s.floor_clear[fc::kChina];
    case V::La: return s.floor_clear[fc::kLa];
    case V::Japan: return s.floor_clear[fc::kJapan];
    case V::Deaths: return s.floor_clear[fc::kDeaths];
    case V::Battles: return s.floor_clear[fc::kBattles];
    case V::Escapes: return s.floor_clear[fc::kEscapes];
  }
  return s.my_hp;  // not reached: every value is listed above
}

// ---- how a value changes ----

enum class Op : uint8_t {
  None,
  Add,       // value += amount
  Share,     // value += base / |amount| + 1, lowered instead when amount < 0
  Set,       // value = amount
  Half,      // value = value / 2
  Third,     // value = value / 3
  Double,    // value = 2 * value
  Wound,     // value = 2 * value - base: the damage taken so far, doubled
};

struct Change {
  Op op = Op::None;
  V target = V::MyHp;
  i32 amount = 0;
  V base = V::MyHp;
};

constexpr i32 kNoLimit = kIntMin;

// One number of the table: its chance (1 in `chance`, 0 = every punch), the
// screen effect before the message, the message, the changes, and a screen
// effect after them. A message with `unit` shows the share between `text`
// and `unit`. `act` replaces the changes where a rule does not fit them.
struct ExRow {
  int number;
  int chance;
  Fx fx;
  const char* text;
  const char* unit;
  Change a;
  Change b;
  Fx fx_after;
  i32 low;  // the value of `a` never ends below this
  void (*act)(Game&);
};

constexpr Change add(V t, i32 k) { return {Op::Add, t, k, V::MyHp}; }
constexpr Change share(V t, V base, i32 div) { return {Op::Share, t, div, base}; }
constexpr Change set(V t, i32 k) { return {Op::Set, t, k, V::MyHp}; }
constexpr Change scale(Op op, V t, V base = V::MyHp) { return {op, t, 0, base}; }

constexpr ExRow row(int number, int chance, Fx fx, Change a, Change b = {}, Fx fx_after = Fx::None) {
  return {number, chance, fx, nullptr, nullptr, a, b, fx_after, kNoLimit, nullptr};
}
constexpr ExRow said(int number, int chance, Fx fx, const char* text, Change a, Change b = {}, Fx fx_after = Fx::None) {
  return {number, chance, fx, text, nullptr, a, b, fx_after, kNoLimit, nullptr};
}
constexpr ExRow counted(int number, int chance, Fx fx, const char* text, const char* unit, Change a) {
  return {number, chance, fx, text, unit, a, {}, Fx::None, kNoLimit, nullptr};
}
constexpr ExRow floored(int number, int chance, Fx fx, const char* text, Change a, i32 low) {
  return {number, chance, fx, text, nullptr, a, {}, Fx::None, low, nullptr};
}
constexpr ExRow acting(int number, int chance, Fx fx, const char* text, void (*act)(Game&)) {
  return {number, chance, fx, text, nullptr, {}, {}, Fx::None, kNoLimit, act};
}

// ---- the rules that are not a plain change ----

void dragon_words(Game& g) { g.s.e_hp = sat_sub(g.s.e_hp, sat_sub(g.s.my_hp_max, g.s.my_hp)); }
void ryu_words(Game& g) { g.s.e_hp = sat_sub(g.s.e_hp, g.s.my_hp); }
void quiet_steal(Game& g) { steal(g, true); }
void strike_again(Game& g) { attack(g, 1); }

void cure_me(Game& g) {
  if (g.s.my_state == ail::kNone) return;
  g.s.my_state = ail::kNone;
  screen_effect(g, Fx::PlayerBlueRise);
}

void cure_foe(Game& g) {
  if (g.s.e_state == ail::kNone) return;
  g.s.e_state = ail::kNone;
  screen_effect(g, Fx::FoeBlueRise);
}

// The amount is drawn only once the chance has come up.
void experience(Game& g, int sign, Fx fx, const char* word) {
  const i32 k = g.random(5) + 1;
  screen_effect(g, fx);
  msg_add(g, "経験値+" + std::to_string(k) + word);
  g.s.my_exp = sat_add(g.s.my_exp, sign * k);
}
void experience_up(Game& g) { experience(g, 1, Fx::PlayerYellowRise, " UP!"); }
void level_up_one(Game& g) { raise_level(g.s, 1); }
void experience_down(Game& g) { experience(g, -1, Fx::PlayerYellowFall, " DOWN!"); }

// Ailments: code 1 takes one punch in two, stone and curse one in four, the
// others one in three. The poisons show a green burst, the rest a white flash.
constexpr int ail_chance(int code) {
  return code == ail::kPoison ? 2 : (code == ail::kStone || code == ail::kCurse) ? 4 : 3;
}
constexpr bool green(int code) {
  return code == ail::kPoison || code == ail::kVenom || code == ail::kInfected || code == ail::kLeech;
}
constexpr Fx flash(int code, bool on_opponent) {
  if (green(code)) return on_opponent ? Fx::FoeGreenBurst : Fx::PlayerGreenBurst;
  return on_opponent ? Fx::FoeWhite : Fx::PlayerWhite;
}
constexpr ExRow on_me(int code, const char* text) {
  return said(49 + code, ail_chance(code), flash(code, false), text, set(V::MyState, code));
}
constexpr ExRow on_foe(int code, const char* text) {
  return said(59 + code, ail_chance(code), flash(code, true), text, set(V::EState, code));
}

// ---- the table ----

constexpr ExRow kEffects[] = {
    // Area gauges.
    row(1, 7, Fx::None, add(V::Zando, 1)),
    row(2, 7, Fx::None, add(V::China, 1)),
    row(3, 7, Fx::None, add(V::La, 1)),
    row(4, 7, Fx::None, add(V::Japan, 1)),
    row(5, 7, Fx::None, add(V::Zando, -1)),
    row(6, 7, Fx::None, add(V::China, -1)),
    row(7, 7, Fx::None, add(V::La, -1)),
    row(8, 7, Fx::None, add(V::Japan, -1)),
    // Hit and magic points, gained and lost.
    row(9, 2, Fx::PlayerBlueRise, share(V::MyHp, V::MyHpMax, 11)),
    row(10, 2, Fx::PlayerBlueRise, share(V::MyHp, V::MyHpMax, 6)),
    row(11, 2, Fx::PlayerBlueRise, share(V::MyHp, V::MyHpMax, 3)),
    row(12, 2, Fx::PlayerLilacRise, share(V::MyMp, V::MyMpMax, 17)),
    row(13, 2, Fx::PlayerLilacRise, share(V::MyMp, V::MyMpMax, 8)),
    row(14, 2, Fx::PlayerLilacRise, share(V::MyMp, V::MyMpMax, 4)),
    row(15, 2, Fx::PlayerBlueRise, share(V::MyHp, V::MyHpMax, 11), share(V::MyMp, V::MyMpMax, 17), Fx::PlayerLilacRise),
    row(16, 2, Fx::PlayerBlueFall, share(V::MyHp, V::MyHpMax, -11)),
    row(17, 2, Fx::PlayerBlueFall, share(V::MyHp, V::MyHpMax, -6)),
    row(18, 2, Fx::PlayerBlueFall, share(V::MyHp, V::MyHpMax, -3)),
    row(19, 2, Fx::PlayerLilacFall, share(V::MyMp, V::MyMpMax, -17)),
    row(20, 2, Fx::PlayerLilacFall, share(V::MyMp, V::MyMpMax, -8)),
    row(21, 2, Fx::PlayerLilacFall, share(V::MyMp, V::MyMpMax, -4)),
    row(22, 2, Fx::PlayerBlueFall, share(V::MyHp, V::MyHpMax, -11), share(V::MyMp, V::MyMpMax, -17), Fx::PlayerLilacFall),
    row(23, 4, Fx::PlayerYellowRise, add(V::MyHpMax, 1)),
    row(24, 4, Fx::PlayerYellowFall, add(V::MyHpMax, -1)),
    row(25, 7, Fx::PlayerLilacRise, add(V::MyMpMax, 1)),
    row(26, 7, Fx::PlayerLilacFall, add(V::MyMpMax, -1)),
    // Hit-point tricks.
    said(27, 3, Fx::PlayerWhite, "＞HP1/2", scale(Op::Half, V::MyHp)),
    said(28, 3, Fx::PlayerWhite, "＞HP1/3", scale(Op::Third, V::MyHp)),
    said(29, 3, Fx::PlayerWhite, "＞HP×2", scale(Op::Double, V::MyHp)),
    said(30, 3, Fx::PlayerWhite, "＞HPダメージ×2", scale(Op::Wound, V::MyHp, V::MyHpMax)),
    said(31, 3, Fx::FoeWhite, "＞HP1/2", scale(Op::Half, V::EHp)),
    said(32, 3, Fx::FoeWhite, "＞HP1/3", scale(Op::Third, V::EHp)),
    said(33, 3, Fx::FoeWhite, "＞HP×2", scale(Op::Double, V::EHp)),
    said(34, 3, Fx::FoeWhite, "＞HPダメージ×2", scale(Op::Wound, V::EHp, V::EHpMax)),
    acting(35, 4, Fx::FoeWhite, "＞竜言語魔法", dragon_words),
    acting(36, 4, Fx::FoeWhite, "＞劉言語魔法", ryu_words),
    said(37, 3, Fx::FoeRed, "＞吸血", share(V::MyHp, V::EHpMax, 10), share(V::EHp, V::EHpMax, -10), Fx::PlayerBlueRise),
    said(38, 3, Fx::FoeRed, "＞吸心", share(V::EHp, V::EHpMax, -10), share(V::MyMp, V::MyMpMax, 10), Fx::PlayerLilacRise),
    acting(39, 5, Fx::FoePink, nullptr, quiet_steal),
    acting(40, 3, Fx::None, "２回攻撃＞", strike_again),
    // Cures.
    acting(48, 0, Fx::None, nullptr, cure_me),
    acting(49, 0, Fx::None, nullptr, cure_foe),
    // Ailments of the player, then of the opponent.
    on_me(1, "＞毒"), on_me(2, "＞眠り"), on_me(3, "＞石化"), on_me(4, "＞混乱"), on_me(5, "＞暴走"),
    on_me(6, "＞猛毒"), on_me(7, "＞感染"), on_me(8, "＞呪い"), on_me(9, "＞Ｍ呪"), on_me(10, "＞毒吸"),
    on_foe(1, "＞毒"), on_foe(2, "＞眠り"), on_foe(3, "＞石化"), on_foe(4, "＞混乱"), on_foe(5, "＞暴走"),
    on_foe(6, "＞猛毒"), on_foe(7, "＞感染"), on_foe(8, "＞呪い"), on_foe(9, "＞Ｍ呪"), on_foe(10, "＞毒吸"),
    // Experience and levels.
    acting(70, 3, Fx::None, nullptr, experience_up),
    acting(71, 3, Fx::None, nullptr, experience_down),
    acting(72, 7, Fx::PlayerYellowRise, "LV +1", level_up_one),
    floored(73, 7, Fx::PlayerYellowFall, "LV -1", add(V::MyLv, -1), 1),
    floored(74, 6, Fx::FoeYellowRise, "敵のLV +1", add(V::ELv, 1), kNoLimit),
    floored(75, 6, Fx::FoeYellowFall, "敵のLV -1", add(V::ELv, -1), 1),
    // The opponent's attribute.
    said(76, 3, Fx::FoeWhite, "敵の属性→【ZANDO】", set(V::EZoku, 1)),
    said(77, 3, Fx::FoeWhite, "敵の属性→【中国】", set(V::EZoku, 2)),
    said(78, 3, Fx::FoeWhite, "敵の属性→【ＬＡ】", set(V::EZoku, 3)),
    said(79, 3, Fx::FoeWhite, "敵の属性→【日本】", set(V::EZoku, 4)),
    said(80, 3, Fx::FoeWhite, "敵の属性→【無】", set(V::EZoku, 0)),
    // Weapon and armour.
    row(83, 2, Fx::None, share(V::BukiPow, V::BukiPow, 8)),
    row(84, 3, Fx::None, set(V::BukiPow, 0)),
    row(87, 2, Fx::None, share(V::BouguPow, V::BouguPow, 8)),
    row(88, 3, Fx::None, set(V::BouguPow, 0)),
    // Stats.
    row(89, 7, Fx::None, add(V::MyAtk, 1)),
    row(90, 7, Fx::None, add(V::MyInt, 1)),
    row(91, 7, Fx::None, add(V::MyBeast, 1)),
    row(92, 7, Fx::None, add(V::MyBody, 1)),
    row(93, 7, Fx::None, add(V::MyAtk, -1)),
    row(94, 7, Fx::None, add(V::MyInt, -1)),
    row(95, 7, Fx::None, add(V::MyBeast, -1)),
    row(96, 7, Fx::None, add(V::MyBody, -1)),
    // The fight's bonuses.
    counted(97, 2, Fx::PlayerYellowRise, "腕力", "up!!", share(V::BufAtk, V::EHpMax, 20)),
    counted(98, 2, Fx::PlayerYellowRise, "守備力", "up!!", share(V::BufDef, V::MyHpMax, 20)),
    counted(99, 2, Fx::PlayerYellowRise, "獣操力", "up!!", share(V::BufBeast, V::EHpMax, 20)),
    counted(100, 2, Fx::PlayerYellowFall, "腕力", "down!!", share(V::BufAtk, V::EHpMax, -20)),
    counted(101, 2, Fx::PlayerYellowFall, "守備力", "down!!", share(V::BufDef, V::MyHpMax, -20)),
    counted(102, 2, Fx::PlayerYellowFall, "獣操力", "down!!", share(V::BufBeast, V::EHpMax, -20)),
    counted(103, 2, Fx::FoeYellowRise, "敵の腕力", "up!!", share(V::EBufAtk, V::MyHpMax, 20)),
    counted(104, 2, Fx::FoeYellowRise, "敵の守備力", "up!!", share(V::EBufDef, V::EHpMax, 20)),
    counted(105, 2, Fx::FoeYellowFall, "敵の腕力", "down!!", share(V::EBufAtk, V::MyHpMax, -20)),
    counted(106, 2, Fx::FoeYellowFall, "敵の守備力", "down!!", share(V::EBufDef, V::EHpMax, -20)),
    // Money, ARK and the record.
    row(116, 2, Fx::None, share(V::Cent, V::Cent, 20)),
    row(117, 2, Fx::None, share(V::Cent, V::Cent, -20)),
    row(118, 2, Fx::None, add(V::Ark, 1)),
    row(119, 2, Fx::None, add(V::Ark, -1)),
    row(121, 3, Fx::None, add(V::Deaths, 1)),
    row(122, 4, Fx::None, add(V::Escapes, 1)),
    row(123, 3, Fx::None, add(V::Battles, 1)),
};

const ExRow* find_row(int number) {
  for (const ExRow& r : kEffects)
    if (r.number == number) return &r;
  return nullptr;
}

// The amount a share moves: base / divisor + 1, signed by the divisor.
i32 share_of(Game& g, const Change& c) {
  const i32 div = c.amount < 0 ? -c.amount : c.amount;
  const i32 n = sat_add(div0(ref(g, c.base), div), 1);
  return c.amount < 0 ? sat_sub(0, n) : n;
}

void apply(Game& g, const Change& c) {
  if (c.op == Op::None) return;
  i32& v = ref(g, c.target);
  switch (c.op) {
    case Op::Add: v = sat_add(v, c.amount); break;
    case Op::Share: v = sat_add(v, share_of(g, c)); break;
    case Op::Set: v = c.amount; break;
    case Op::Half: v /= 2; break;
    case Op::Third: v /= 3; break;
    case Op::Double: v = sat_mul(2, v); break;
    case Op::Wound: v = sat_sub(sat_mul(2, v), ref(g, c.base)); break;
    case Op::None: break;
  }
}

// ---- the multipliers inside the hit ----

struct Multiplier {
  int number;
  int chance;
  const char* text;
  i32 mul, div;
};

constexpr Multiplier kMultipliers[] = {
    {ex::kZeroHalf, 2, "＞0倍", 0, 1},  {ex::kZeroThird, 3, "＞0倍", 0, 1}, {ex::kTimes15, 3, "＞1.5倍", 3, 2},
    {ex::kTimes2, 3, "＞2倍", 2, 1},    {ex::kHalf, 3, "＞0.5倍", 1, 2},    {ex::kTimes3, 3, "＞3倍", 3, 1},
};

}  // namespace

Fx ailment_flash(int code, bool on_opponent) { return flash(code, on_opponent); }

i32 extra_damage_factor(Game& g, i32 d) {
  for (const Multiplier& m : kMultipliers) {
    if (g.s.buki_ex != m.number || g.random(m.chance) != 0) continue;
    msg_add(g, m.text);
    d = sat_mul(d, m.mul) / m.div;
  }
  return d;
}

void punch_extra_effect(Game& g) {
  const ExRow* r = find_row(g.s.buki_ex);
  if (!r) return;
  if (r->chance > 0 && g.random(r->chance) != 0) return;
  // A share is worked out before anything changes, so that the message shows
  // the amount that is applied.
  const i32 n = r->a.op == Op::Share ? share_of(g, r->a) : 0;
  screen_effect(g, r->fx);
  if (r->text) {
    std::string line = r->text;
    if (r->unit) line += std::to_string(n < 0 ? sat_sub(0, n) : n) + r->unit;
    msg_add(g, line);
  }
  if (r->act) {
    r->act(g);
  } else {
    apply(g, r->a);
    apply(g, r->b);
    if (r->low != kNoLimit) {
      i32& v = ref(g, r->a.target);
      if (v < r->low) v = r->low;
    }
  }
  screen_effect(g, r->fx_after);
}

void steal(Game& g, bool quiet_when_empty) {
  GameState& s = g.s;
  const carried::Thing c = carried::decode(s.e_item);
  const size_t id = static_cast<size_t>(c.id);
  if (c.kind == carried::Kind::Random) {
    item_random_get(g);
  } else if (c.kind == carried::Kind::Item && !g.t.item_table[id].it_name.empty()) {
    give_capped(s.item_have[id], 1);
    msg_add(g, g.t.item_table[id].it_name + "を盗んだ!!");
  } else if (c.kind == carried::Kind::Garbage && !g.t.gomi_table[id].gm_name.empty()) {
    give_capped(s.gomi_have[id], 1);
    msg_add(g, g.t.gomi_table[id].gm_name + "を盗んだ!!");
  } else if (!quiet_when_empty) {
    // Nothing, or an id that names no item or garbage in the tables.
    msg_add(g, "なにももっていない");
  }
  s.e_item = carried::kNothing;
}

}  // namespace z2
