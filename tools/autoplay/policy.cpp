#include "policy.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "shell/ui.h"
#include "state/fixed_tables.h"
#include "state/floors.h"
#include "state/ids.h"

namespace z2::autoplay {

namespace {

// Item kinds by what they do (the item-use rules).
namespace kind {
constexpr int kHeal = 0;
constexpr int kWeaponUp = 3;
constexpr int kArmourUp = 4;
constexpr int kArkUp = 6;
constexpr int kMaxHp = 7;
constexpr int kMaxMp = 8;
constexpr int kAttack = 9;
constexpr int kBody = 10;
constexpr int kExp = 22;
constexpr int kCure = 23;
constexpr int kLevel = 25;
constexpr int kFullHeal = 26;
constexpr int kAntidote = 29;
constexpr int kCents = 39;
constexpr int kFightAtk = 50;
constexpr int kFightDef = 51;
constexpr int kHex = 53;
constexpr int kEnemyAtkDown = 54;
constexpr int kEnemyDefDown = 55;
constexpr int kSpiritHit = 56;
constexpr int kWild = 63;
constexpr int kBeast = 73;
constexpr int kIntelligence = 79;
constexpr int kLevels = 89;
constexpr int kHealForArk = 91;
constexpr int kDeathGuard = 94;
constexpr int kBigGain = 98;
constexpr int kWeaponFirst = 400;
constexpr int kArmourFirst = 450;
constexpr int kArmourLast = 499;
}  // namespace kind

// Hex goods of this strength and above take a share of the opponent's HP.
constexpr int kHexShareFirst = 10;
constexpr int kHexShareLast = 14;

bool is_share_bomb(const ItemRecord& it) {
  return !it.it_name.empty() && it.it_kind == kind::kHex && it.it_pow >= kHexShareFirst && it.it_pow <= kHexShareLast;
}

// Spell kinds that hit, with the argument they hit with against most opponents.
int spell_argument(const GameState& s, int k) {
  switch (k) {
    case 0: return s.e_zoku == zoku::kLa ? 4 : 2;
    case 1: return s.e_zoku == zoku::kChina ? 6 : 3;
    case 2: return s.e_zoku != zoku::kNone ? 4 : 8;
    case 17: return s.e_zoku == zoku::kJapan ? 300 : 10;
    case 18: return s.e_zoku == zoku::kZndo ? 300 : 20;
    default: return -1;  // not a plain hit: the policy leaves it alone
  }
}

// Monster skills that hit, with their expected argument (chance included).
int skill_argument(const GameState& s, const MonsterRecord& m) {
  const bool zndo = s.e_zoku == zoku::kZndo;
  switch (m.mo_kind) {
    case 0: return m.mo_pow;
    case 12: return 85;  // 1/2: 170
    case 38: return 70;
    case 40: return 30;
    case 42: return zndo ? 0 : 130;
    case 43: return zndo ? 0 : 240;
    case 44: return zndo ? 0 : 231;
    case 45: return 5;
    case 46: return 15;
    case 47: return 55;
    case 48: return s.e_zoku != zoku::kNone ? 155 : 0;
    case 49: return s.e_zoku == zoku::kLa ? 0 : 45;
    case 50: return s.e_zoku == zoku::kLa ? 0 : 165;
    case 51: return s.e_zoku == zoku::kChina ? 0 : 10;
    case 61: return 3;
    case 67: return 10;
    case 68: return 15;
    case 69: return 18;
    case 70: return 25;
    case 71: return 21;
    case 72: return 30;
    case 73: return zndo ? 0 : 9;
    case 74: return zndo ? 0 : 999;
    case 76: return zndo ? 0 : 99;
    case 78: return s.e_zoku != zoku::kNone ? 60 : 180;
    default: return -1;
  }
}

int hit_damage(int a, int stat, int lv, int bonus) {
  long long n = 4LL * a + 3LL * stat + lv / 2 + 1 + bonus;
  if (a == 0) n /= 2;
  return static_cast<int>(std::clamp<long long>(n, 1, kNineNines));
}

int punch_damage(const GameState& s) {
  long long d = 3LL * s.my_atk + s.my_lv + s.buki_pow / 5 + s.floor_clear[fc::kBufAtk] - s.e_buf_def;
  return static_cast<int>(std::clamp<long long>(d, 1, kNineNines));
}

bool is_weapon(const ItemRecord& it) { return it.it_kind >= kind::kWeaponFirst && it.it_kind < kind::kArmourFirst; }
bool is_armour(const ItemRecord& it) { return it.it_kind >= kind::kArmourFirst && it.it_kind <= kind::kArmourLast; }
bool named(const ItemRecord& it) { return !it.it_name.empty(); }

// Goods that raise something for good and are worth using at once.
bool lasting(const ItemRecord& it) {
  switch (it.it_kind) {
    case kind::kWeaponUp: case kind::kArmourUp: case kind::kArkUp: case kind::kMaxHp: case kind::kMaxMp:
    case kind::kAttack: case kind::kBody: case kind::kExp: case kind::kLevel: case kind::kCents:
    case kind::kWild: case kind::kBeast: case kind::kIntelligence: case kind::kLevels: case kind::kBigGain:
      return true;
    default:
      return false;
  }
}

bool heals(const ItemRecord& it) {
  return it.it_kind == kind::kHeal || it.it_kind == kind::kFullHeal || it.it_kind == kind::kHealForArk;
}

int heal_amount(const GameState& s, const ItemRecord& it) {
  return it.it_kind == kind::kFullHeal ? s.my_hp_max : it.it_pow;
}

int owned(const GameState& s, int id) { return id >= 0 && id < 500 ? s.item_have[static_cast<size_t>(id)] : 0; }

int count_heals(const GameState& s, const Tables& t) {
  int n = 0;
  for (int i = 1; i < 500; ++i)
    if (owned(s, i) > 0 && heals(t.item_table[static_cast<size_t>(i)])) n += owned(s, i);
  return n;
}

// The power number after the first "△" of an offer's text.
std::optional<long long> offered_power(std::string_view text) {
  static constexpr std::string_view kDelta = "】△";
  const size_t at = text.find(kDelta);
  if (at == std::string_view::npos) return std::nullopt;
  const char* p = text.data() + at + kDelta.size();
  const char* end = text.data() + text.size();
  long long v = 0;
  auto [q, ec] = std::from_chars(p, end, v);
  if (ec != std::errc() || q == p) return std::nullopt;
  return v;
}

}  // namespace

View look(const Ui& ui) {
  View v;
  v.title = ui.start_box.shown();
  v.level_box = ui.lv_box.shown();
  v.gifts = ui.lv2_b.usable() || ui.lv3_b.usable();
  v.naming = ui.name_box.shown();
  v.list = ui.list_box.shown();
  v.battle = ui.battle_com.shown();
  v.map = ui.map_box.shown() && !v.title && !v.level_box;
  v.monster_room = ui.s_battle.usable();
  v.random_room = ui.rand_b.usable();
  v.hard_room = ui.p_b.usable();
  v.colosseum = ui.colosiam_b.usable();
  v.gauntlet = ui.gouketu_b.usable();
  v.shop = ui.s_shop.usable();
  v.clinic = ui.s_er.usable();
  v.church = ui.s_ch.usable();
  v.stairs_up = ui.st_b2.usable();
  v.stairs_down = ui.st_b1.usable();
  v.chest = ui.takara.usable();
  v.items_menu = ui.m1.usable();
  v.equipment_menu = ui.m4.usable();
  v.punch = ui.b1.usable();
  v.monsters = ui.b2.usable();
  v.items = ui.b3.usable();
  v.magic = ui.b4.usable();
  v.tower = ui.tower_b.usable();
  v.escape = ui.Button7.usable();
  return v;
}

Stat choose_stat(const GameState& s, bool gifts, Policy policy) {
  if (policy == Policy::Newcomer) return Stat::Attack;
  // A thousand cents early buys the first weapon, armour and seeds at once.
  if (gifts && s.cent < 5000) return Stat::Cents;
  // Attack is worth three damage a hit, body two less damage taken, a
  // maximum-HP step four to seven hit points: two attack for one of each.
  const int hp_steps = std::max(0, (s.my_hp_max - 20) / 6);
  if (s.my_atk <= 2 * s.my_body && s.my_atk <= 2 * hp_steps) return Stat::Attack;
  if (hp_steps <= s.my_body) return Stat::MaxHp;
  return Stat::Body;
}

const char* stat_button(Stat st) {
  switch (st) {
    case Stat::MaxHp: return "Button27";
    case Stat::MaxMp: return "Button28";
    case Stat::Attack: return "Button29";
    case Stat::Intelligence: return "Button30";
    case Stat::Body: return "Button31";
    case Stat::Beast: return "Button51";
    case Stat::Ark: return "lv2_b";
    case Stat::Cents: return "lv3_b";
  }
  return "Button29";
}

int expected_enemy_hit(const GameState& s) {
  // hit(p) with a middling action power; a boss swings harder.
  const int p = s.no_escape ? 6 : 2;
  long long h = s.e_hp_max / 20 + 3LL * p + s.e_lv + s.e_buf_atk - s.bougu_pow / 4 - (2LL * s.my_body + 1) -
                s.floor_clear[fc::kBufDef];
  return static_cast<int>(std::clamp<long long>(h, 1, kNineNines));
}

int best_heal(const GameState& s, const Tables& t) {
  const int missing = s.my_hp_max - s.my_hp;
  int best = -1;
  long long best_score = 0;
  for (int i = 1; i < 500; ++i) {
    const ItemRecord& it = t.item_table[static_cast<size_t>(i)];
    if (owned(s, i) <= 0 || !named(it) || !heals(it)) continue;
    if (it.it_kind == kind::kHealForArk && s.ark < it.it_pow / 100 + 1) continue;
    const long long amount = std::min<long long>(heal_amount(s, it), missing);
    // The most hit points back, and among equals the smallest good.
    const long long score = amount * 1000000 - std::min(heal_amount(s, it), 999999);
    if (amount > 0 && score > best_score) {
      best_score = score;
      best = i;
    }
  }
  return best;
}

namespace {

// The newcomer's fight: a healing good below a third, the tower strike, the
// punch. A refused punch falls back on a run, which only passes the turn.
BattleAction newcomer_battle(const GameState& s, const Tables& t, const View& v) {
  const bool can_item = v.items && s.can_item && s.buki_ex != ex::kNoItem;
  if (3LL * s.my_hp < s.my_hp_max && can_item) {
    const int h = best_heal(s, t);
    if (h >= 0) return {BattleAction::Item, h};
  }
  if (v.tower) return {BattleAction::Tower};
  return {BattleAction::Punch};
}

}  // namespace

BattleAction decide_battle(const GameState& s, const Tables& t, const View& v, const Plan& plan) {
  if (plan.policy == Policy::Newcomer) return newcomer_battle(s, t, v);
  const bool colosseum = s.no_escape;
  const int hit = expected_enemy_hit(s);
  const bool can_item = v.items && s.can_item && s.buki_ex != ex::kNoItem;
  const bool can_punch = v.punch && s.can_punch && s.buki_ex != ex::kNoPunch;
  const bool can_magic = v.magic && s.can_magic && s.buki_ex != ex::kNoMagic;
  const bool can_call = v.monsters && s.can_beast && s.buki_ex != ex::kNoBeast && s.class_now != cls::kHalver;

  // The level the next colosseum asks for, once the odds at level one are good:
  // the rite, then away from the fight before a victory raises the level again.
  const bool rite = plan.want_level_one && plan.odds >= wanted_odds(plan.fights_on_target) && !colosseum;
  if (rite && s.my_lv == 1 && v.escape && s.buki_ex != ex::kNoEscape) return {BattleAction::Escape};
  if (rite && s.my_lv > 1 && can_magic) {
    for (int m = 0; m < 256; ++m)
      if (s.magic_have[static_cast<size_t>(m)] > 0 && t.magic_table[static_cast<size_t>(m)].mg_kind == 21 &&
          s.ark >= t.magic_table[static_cast<size_t>(m)].mg_ark)
        return {BattleAction::Magic, m};
  }

  // Two more hits could kill: heal if there is anything to heal with.
  if (s.my_hp <= 2 * hit + 1 && s.my_hp < s.my_hp_max && can_item) {
    const int h = best_heal(s, t);
    if (h >= 0) return {BattleAction::Item, h};
  }
  if (s.my_hp <= hit && !colosseum && v.escape && s.buki_ex != ex::kNoEscape) return {BattleAction::Escape};

  // A boss with much to go: the fight's strength goods first.
  if (colosseum && can_item && (s.e_hp > 4 * punch_damage(s) || !can_punch) && s.e_hp > 100) {
    for (int i = 1; i < 500; ++i) {
      const ItemRecord& it = t.item_table[static_cast<size_t>(i)];
      if (owned(s, i) <= 0 || !named(it)) continue;
      if (is_share_bomb(it)) return {BattleAction::Item, i};
      if (it.it_kind == kind::kDeathGuard && s.death_guard == 0) return {BattleAction::Item, i};
      if (it.it_kind == kind::kFightAtk && s.floor_clear[fc::kBufAtk] == 0) return {BattleAction::Item, i};
      if (it.it_kind == kind::kFightDef && s.floor_clear[fc::kBufDef] == 0) return {BattleAction::Item, i};
      if (it.it_kind == kind::kEnemyDefDown && s.e_buf_def > 0) return {BattleAction::Item, i};
      if (it.it_kind == kind::kEnemyAtkDown && s.e_buf_atk > 0) return {BattleAction::Item, i};
    }
  }

  if (v.tower) return {BattleAction::Tower};

  // The hardest affordable hit of a monster or a spell.
  int best_kind = -1, best_id = -1;
  long long best = 0;
  if (can_call) {
    for (int m = 0; m < 500; ++m) {
      const MonsterRecord& mo = t.monster_table[static_cast<size_t>(m)];
      if (s.monster_have[static_cast<size_t>(m)] <= 0 || mo.mo_name.empty() || s.my_mp < mo.mo_mp) continue;
      const int a = skill_argument(s, mo);
      if (a < 0) continue;
      const long long d = hit_damage(a, s.my_beast, s.my_lv, s.floor_clear[fc::kBufBeast]);
      if (d > best) best = d, best_kind = BattleAction::Monster, best_id = m;
    }
  }
  if (can_magic) {
    for (int m = 0; m < 256; ++m) {
      const MagicRecord& mg = t.magic_table[static_cast<size_t>(m)];
      if (s.magic_have[static_cast<size_t>(m)] <= 0 || mg.mg_name.empty() || s.ark < mg.mg_ark) continue;
      const int a = spell_argument(s, mg.mg_kind);
      if (a < 0) continue;
      const long long d = hit_damage(a, s.my_int, s.my_lv, 0);
      if (d > best) best = d, best_kind = BattleAction::Magic, best_id = m;
    }
  }
  if (can_punch) {
    // A call or a spell is worth the resource only when it clearly beats the fist.
    if (best_kind >= 0 && best > 2LL * punch_damage(s) && (colosseum || s.e_hp > punch_damage(s)))
      return {static_cast<BattleAction::Kind>(best_kind), best_id};
    return {BattleAction::Punch};
  }
  if (best_kind >= 0) return {static_cast<BattleAction::Kind>(best_kind), best_id};
  if (can_item) {
    for (int i = 1; i < 500; ++i) {
      const ItemRecord& it = t.item_table[static_cast<size_t>(i)];
      if (owned(s, i) <= 0 || !named(it)) continue;
      if (is_share_bomb(it) || it.it_kind == kind::kSpiritHit)
        return {BattleAction::Item, i};
    }
  }
  // Nothing else works: run. In a colosseum the run fails, but it passes the
  // turn, and a sealed command may come back at the next one.
  if (v.escape && s.buki_ex != ex::kNoEscape) return {BattleAction::Escape};
  return {BattleAction::Punch};
}

bool bad_class(int c) {
  return c == cls::kPrisoner || c == cls::kLastStand || c == cls::kGambler || c == cls::kBerserker ||
         c == cls::kAscetic || c == cls::kHalver;
}

std::optional<int> class_to_take(const GameState& s, const Tables& t) {
  const int offered = s.my_lv / 15 + 2;  // the church lists classes below this
  const long long reserve = 3LL * std::max(2, s.my_mp_max);
  const auto cost = [&](int c) { return 1000LL * at_or_empty(t.job_table, c).jb_cost; };
  const bool can_double = offered > cls::kDoublePunch && !at_or_empty(t.job_table, cls::kDoublePunch).jb_name.empty() &&
                          s.cent >= cost(cls::kDoublePunch) + reserve;
  if (s.class_now == cls::kDoublePunch) return std::nullopt;
  if (can_double && (bad_class(s.class_now) || s.class_now == cls::kNovice)) return cls::kDoublePunch;
  if (bad_class(s.class_now) && s.cent >= cost(cls::kNovice)) return cls::kNovice;
  return std::nullopt;
}

double wanted_odds(int fights_on_target) {
  if (fights_on_target < 150) return 0.7;
  if (fights_on_target < 400) return 0.5;
  return 0.3;
}

std::optional<int> lasting_good_to_use(const GameState& s, const Tables& t) {
  for (int i = 1; i < 500; ++i) {
    const ItemRecord& it = t.item_table[static_cast<size_t>(i)];
    if (owned(s, i) <= 0 || !named(it) || !lasting(it)) continue;
    // Levels would carry the player away from the level-one colosseum.
    if ((it.it_kind == kind::kLevel || it.it_kind == kind::kLevels || it.it_kind == kind::kBigGain) &&
        s.floor >= kTopFloor - 1)
      continue;
    return i;
  }
  return std::nullopt;
}

std::optional<int> equipment_to_wear(const GameState& s, const Tables& t) {
  std::optional<int> best;
  long long best_gain = 0;
  for (int i = 1; i < 500; ++i) {
    const ItemRecord& it = t.item_table[static_cast<size_t>(i)];
    if (owned(s, i) <= 0 || !named(it)) continue;
    long long gain = 0;
    if (is_weapon(it) && !harmful_extra(it.it_ex)) gain = static_cast<long long>(it.it_pow) - s.buki_pow;
    if (is_armour(it)) gain = static_cast<long long>(it.it_pow) - s.bougu_pow;
    // A tenth better at least: wearing throws the old piece away.
    if (gain > 0 && 10 * gain > (is_weapon(it) ? s.buki_pow : s.bougu_pow) && gain > best_gain) {
      best_gain = gain;
      best = i;
    }
  }
  return best;
}

std::vector<Offer> shop_offers(const GameState& s, const Tables& t) {
  std::vector<Offer> out;
  const int n = s.floor + s.my_lv / 6 + 5;
  for (int e = 0; e <= n && e < 256; ++e) {
    const ShopRecord& r = t.shop_table[static_cast<size_t>(e)];
    if (r.item == 0 || at_or_empty(t.item_table, r.item).it_name.empty()) continue;
    out.push_back({r.item, r.price});
  }
  return out;
}

namespace {

// The healing good to stock: the one that heals a quarter of the maximum or
// more for the fewest cents per hit point, else the strongest.
const Offer* healing_offer(const GameState& s, const Tables& t, const std::vector<Offer>& offers) {
  const auto item = [&](int id) -> const ItemRecord& { return at_or_empty(t.item_table, id); };
  const Offer* heal = nullptr;
  for (const Offer& o : offers) {
    const ItemRecord& it = item(o.item);
    if (it.it_kind != kind::kHeal || it.it_pow <= 0 || o.price <= 0) continue;
    const bool enough = it.it_pow * 4 >= s.my_hp_max;
    if (!heal) {
      heal = &o;
      continue;
    }
    const ItemRecord& h = item(heal->item);
    const bool heal_enough = h.it_pow * 4 >= s.my_hp_max;
    if (enough && !heal_enough) heal = &o;
    else if (enough == heal_enough && (enough ? static_cast<long long>(o.price) * h.it_pow < static_cast<long long>(heal->price) * it.it_pow
                                              : it.it_pow > h.it_pow))
      heal = &o;
  }
  return heal;
}

// The newcomer's shopping after the key: the strongest weapon and armour
// that the purse can pay and that are a tenth better than the pieces worn,
// then healing goods up to three.
std::vector<int> newcomer_shopping(const GameState& s, const Tables& t, const std::vector<Offer>& offers) {
  std::vector<int> buy;
  long long purse = s.cent;
  const auto item = [&](int id) -> const ItemRecord& { return at_or_empty(t.item_table, id); };
  for (const bool weapon : {true, false}) {
    const Offer* best = nullptr;
    for (const Offer& o : offers) {
      const ItemRecord& it = item(o.item);
      if (weapon ? (!is_weapon(it) || harmful_extra(it.it_ex)) : !is_armour(it)) continue;
      const long long now = weapon ? s.buki_pow : s.bougu_pow;
      if (10LL * it.it_pow <= 11 * now || owned(s, o.item) > 0 || o.price > purse) continue;
      if (!best || it.it_pow > item(best->item).it_pow) best = &o;
    }
    if (best) {
      buy.push_back(best->item);
      purse -= best->price;
    }
  }
  const Offer* heal = healing_offer(s, t, offers);
  for (int have = count_heals(s, t); heal && have < 3 && heal->price <= purse; ++have) {
    buy.push_back(heal->item);
    purse -= heal->price;
  }
  return buy;
}

}  // namespace

std::vector<int> shopping_list(const GameState& s, const Tables& t, const std::vector<Offer>& offers, int target,
                               Policy policy) {
  std::vector<int> buy;
  long long purse = s.cent;
  const auto item = [&](int id) -> const ItemRecord& { return at_or_empty(t.item_table, id); };
  const auto take = [&](const Offer& o) {
    buy.push_back(o.item);
    purse -= o.price;
  };

  // The floor-7 key opens the tower: save for it before anything else.
  if (target == floors::kChampionFloor + 1 && s.floor_clear[floors::kChampionFloor] == kWonMark &&
      s.key_have(key::kFloor7Key) == 0) {
    for (const Offer& o : offers)
      if (o.item == item::kFloor7Key && purse >= o.price) take(o);
    return buy;
  }
  if (policy == Policy::Newcomer) return newcomer_shopping(s, t, offers);

  // Keep enough for a few visits to the clinic, and what the next door asks.
  const long long reserve = 3LL * std::max(2, s.my_mp_max) + door_needs(target).cents;

  // Share bombs for the bosses: a few, and many where the fist is forbidden.
  {
    const int want_bombs = punch_allowed(target) ? 2 : 10;
    int bombs = 0;
    for (int i = 1; i < 500; ++i)
      if (owned(s, i) > 0 && is_share_bomb(item(i))) bombs += owned(s, i);
    // The strongest share that the purse can take three of, else the cheapest.
    const Offer* pick = nullptr;
    for (const Offer& o : offers) {
      if (!is_share_bomb(item(o.item)) || o.price <= 0 || 3LL * o.price > purse - reserve) continue;
      if (!pick || item(o.item).it_pow > item(pick->item).it_pow) pick = &o;
    }
    for (const Offer& o : offers)
      if (!pick && is_share_bomb(item(o.item)) && o.price > 0 && o.price <= purse - reserve)
        if (!pick || o.price < pick->price) pick = &o;
    while (pick && bombs < want_bombs && purse - pick->price >= reserve) {
      take(*pick);
      ++bombs;
    }
  }

  // Healing: a stock that grows with the floor.
  const int want = std::min(10, 3 + s.floor / 2);
  int have = count_heals(s, t);
  const Offer* heal = healing_offer(s, t, offers);
  while (heal && have < want && purse - heal->price >= reserve) {
    take(*heal);
    ++have;
  }

  // For the tower's bosses: a revival charm and full heals, when the purse
  // can take three times their price.
  if (target >= 8) {
    const auto stock = [&](int k, int want) {
      int n = 0;
      for (int i = 1; i < 500; ++i)
        if (owned(s, i) > 0 && item(i).it_kind == k) n += owned(s, i);
      for (const Offer& o : offers) {
        if (item(o.item).it_kind != k || o.price <= 0) continue;
        while (n < want && 3LL * o.price <= purse - reserve) {
          take(o);
          ++n;
        }
        break;
      }
    };
    stock(kind::kDeathGuard, 2);
    stock(kind::kFullHeal, 3);
  }

  // Equipment: a real step up, and cheap for the purse (weapons wear fast).
  const auto best_gear = [&](bool weapon) -> const Offer* {
    const Offer* best = nullptr;
    for (const Offer& o : offers) {
      const ItemRecord& it = item(o.item);
      if (weapon ? (!is_weapon(it) || harmful_extra(it.it_ex)) : !is_armour(it)) continue;
      const long long now = weapon ? s.buki_pow : s.bougu_pow;
      if (4LL * it.it_pow < 5LL * now + 8) continue;  // a quarter better and more
      if (owned(s, o.item) > 0) continue;
      const long long share = weapon ? 3 : 2;  // a third of the purse for a weapon, half for armour
      if (o.price * share > purse - reserve) continue;
      if (!best || it.it_pow > item(best->item).it_pow) best = &o;
    }
    return best;
  };
  if (const Offer* a = best_gear(false)) take(*a);
  if (const Offer* w = best_gear(true)) take(*w);

  // Lasting gains with the rest: attack, maximum HP and body in turn, the
  // dearest tier that fits first.
  const int order[] = {kind::kAttack, kind::kMaxHp, kind::kBody};
  for (int round = 0; round < 40; ++round) {
    bool bought = false;
    for (int k : order) {
      const Offer* pick = nullptr;
      for (const Offer& o : offers) {
        const ItemRecord& it = item(o.item);
        if (it.it_kind != k || o.price <= 0 || purse - o.price < reserve) continue;
        if (!pick || it.it_pow > item(pick->item).it_pow) pick = &o;
      }
      if (pick) {
        take(*pick);
        bought = true;
      }
    }
    if (!bought) break;
  }
  return buy;
}

bool harmful_extra(int e) {
  switch (e) {
    case 5: case 6: case 7: case 8:
    case 16: case 17: case 18: case 19: case 20: case 21: case 22: case 24:
    case ex::kZeroHalf: case ex::kZeroThird: case ex::kNoPunch: case ex::kHalf:
    case ex::kExtraWear: case ex::kArmourWear:
    case ex::kNoBeast: case ex::kNoMagic: case ex::kNoItem: case ex::kNoEscape:
    case ex::kDeathBlow: case 116 + 1: case 118 + 1: case 121:
      return true;
    default:
      // The ailments the weapon brings upon its bearer.
      return e >= 50 && e <= 59;
  }
}

bool accept_offer(const GameState& s, const Tables& t, const std::string& text, Policy policy) {
  const std::string_view v = text;
  const bool weapon = v.rfind("武器【", 0) == 0;
  const bool armour = v.rfind("防具【", 0) == 0;
  if (!weapon && !armour) return true;
  const auto power = offered_power(v);
  if (!power) return false;
  if (armour) return *power > s.bougu_pow;
  // A phantom sword names its extra effect: "(追加効果 > ★name)".
  static constexpr std::string_view kExtra = "(追加効果 > ★";
  int extra = 0;
  if (const size_t at = v.find(kExtra); at != std::string_view::npos) {
    const size_t from = at + kExtra.size();
    const size_t to = v.find(')', from);
    const std::string_view name = v.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from);
    for (int e = 0; e < 256; ++e)
      if (t.ex_names[static_cast<size_t>(e)] == name) {
        extra = e;
        break;
      }
  }
  if (harmful_extra(extra)) return false;
  if (policy == Policy::Newcomer) return *power > s.buki_pow;
  // A good extra effect on the weapon worn is worth keeping unless the new one is far stronger.
  const bool keep_extra = !harmful_extra(s.buki_ex) && s.buki_ex != ex::kNone;
  return keep_extra ? *power > 2LL * s.buki_pow : *power > s.buki_pow;
}

namespace {

// Training: the best fight room of this floor.
std::optional<MapAction> train_on_this_floor(const GameState& s, const View& v, const Plan& plan) {
  if (s.floor > plan.train_cap) return std::nullopt;
  // The hard room pays at any level; ordinary rooms stop paying above the floor's level.
  const bool outgrown = s.my_lv > 8 * s.floor + 6;
  if (v.hard_room && (outgrown || !(v.monster_room || v.random_room)))
    return MapAction{MapAction::HardRoom, -1, "train (hard room)"};
  if (v.monster_room) return MapAction{MapAction::MonsterRoom, -1, "train"};
  if (v.random_room) return MapAction{MapAction::RandomRoom, -1, "train"};
  if (v.hard_room) return MapAction{MapAction::HardRoom, -1, "train (hard room)"};
  return std::nullopt;
}

// One flight of stairs towards floor f, when the stairs are open.
std::optional<MapAction> walk_towards(const GameState& s, const View& v, int f, const char* why) {
  if (s.floor < f && v.stairs_up) return MapAction{MapAction::Climb, -1, why};
  if (s.floor > f && v.stairs_down) return MapAction{MapAction::Descend, -1, why};
  return std::nullopt;
}

// The newcomer on the map (see the top of policy.h).
MapAction newcomer_map(const GameState& s, const Tables& t, const View& v, const Plan& plan) {
  const int cap = hp_cap(s.floor, s.my_hp_max);
  const int boss = boss_floor(plan);
  const bool can_pay = v.clinic && s.cent >= s.my_mp_max;
  const bool ready = newcomer_ready(s, plan) || (plan.wins_since_try >= 10 && can_pay);
  const bool low = 2LL * s.my_hp < cap || s.my_state != 0;
  if ((low || (ready && s.floor == boss && s.my_hp < cap)) && can_pay) return {MapAction::Clinic, -1, "heal"};
  if (low && v.items_menu) {
    const int h = best_heal(s, t);
    if (h >= 0) return {MapAction::UseItem, h, "heal with a good"};
  }
  if (v.chest) return {MapAction::OpenChest, -1, "chest"};
  if (v.items_menu)
    if (auto g = lasting_good_to_use(s, t)) return {MapAction::UseItem, *g, "lasting good"};
  if (v.equipment_menu)
    if (auto e = equipment_to_wear(s, t)) return {MapAction::Equip, *e, "stronger equipment"};
  if (v.shop && !shopping_list(s, t, shop_offers(s, t), plan.target, Policy::Newcomer).empty())
    return {MapAction::Shop, -1, "shopping"};
  if (plan.train_left > 0) {
    if (auto a = walk_towards(s, v, plan.train_floor, "walk to the training floor")) return *a;
    if (auto a = train_on_this_floor(s, v, plan)) return *a;
  }
  // A floor newly opened is seen first: the fight room there is where to train.
  if (boss > s.floor && !plan.visited[static_cast<size_t>(boss)])
    if (auto a = walk_towards(s, v, boss, "see the next floor")) return *a;
  if (ready) {
    if (s.floor == boss) {
      const bool gauntlet = plan.target > kTopFloor;
      if ((gauntlet ? v.gauntlet : v.colosseum) && s.my_hp >= cap)
        return {gauntlet ? MapAction::Gauntlet : MapAction::Colosseum, -1, "ten wins and full hit points"};
    } else if (auto a = walk_towards(s, v, boss, "walk to the colosseum")) {
      return *a;
    }
  }
  const int home = training_floor(plan);
  if (s.floor != home && !(ready && s.floor < boss && s.floor > home))
    if (auto a = walk_towards(s, v, home, "walk to the fight room")) return *a;
  if (auto a = train_on_this_floor(s, v, plan)) return *a;
  if (home < s.floor) return {MapAction::StartTraining, home, "train lower down"};
  return {MapAction::Stuck, -1, "no fight room to train in"};
}

}  // namespace

bool newcomer_ready(const GameState& s, const Plan& plan) {
  return plan.wins_since_try >= 10 && s.my_hp >= hp_cap(s.floor, s.my_hp_max);
}

MapAction decide_map(const GameState& s, const Tables& t, const View& v, const Plan& plan, bool odds_fresh) {
  if (plan.policy == Policy::Newcomer) return newcomer_map(s, t, v, plan);
  // A trap takes half the maximum and one: open only when it cannot kill.
  if (v.chest && s.my_hp > s.my_hp_max / 2 + 1) return {MapAction::OpenChest, -1, "chest"};
  const long long fee = s.my_mp_max;
  const int cap = hp_cap(s.floor, s.my_hp_max);
  const bool hurt = 4LL * s.my_hp < 3LL * cap || s.my_state != 0;
  if (hurt && v.clinic && s.cent >= fee) return {MapAction::Clinic, -1, "heal"};
  if (hurt && v.items_menu && s.my_hp * 2 < cap) {
    const int h = best_heal(s, t);
    if (h >= 0) return {MapAction::UseItem, h, "heal with a good"};
  }
  if (auto c = class_to_take(s, t)) {
    if (v.church) return {MapAction::Church, *c, "change class"};
    if (bad_class(s.class_now)) {
      // Walk to the nearest church known, before another fight.
      int best = -1;
      for (int f = 0; f <= kTopFloor; ++f)
        if (plan.has_church[static_cast<size_t>(f)] && (best < 0 || std::abs(f - s.floor) < std::abs(best - s.floor)))
          best = f;
      if (best >= 0 && best < s.floor && v.stairs_down) return {MapAction::Descend, -1, "walk to a church"};
      if (best > s.floor && v.stairs_up) return {MapAction::Climb, -1, "walk to a church"};
    }
  }
  if (v.items_menu)
    if (auto g = lasting_good_to_use(s, t)) return {MapAction::UseItem, *g, "lasting good"};
  if (v.equipment_menu)
    if (auto e = equipment_to_wear(s, t)) return {MapAction::Equip, *e, "stronger equipment"};
  if (v.shop && !shopping_list(s, t, shop_offers(s, t), plan.target).empty())
    return {MapAction::Shop, -1, "shopping"};

  const auto train_here = [&] { return train_on_this_floor(s, v, plan); };
  const auto walk_to = [&](int f, const char* why) { return walk_towards(s, v, f, why); };

  if (plan.train_left > 0) {
    if (s.floor != plan.train_floor) {
      if (auto a = walk_to(plan.train_floor, "walk to the training floor")) return *a;
    }
    if (auto a = train_here()) return *a;
  }
  const int boss = boss_floor(plan);
  const bool gauntlet = plan.target > kTopFloor;
  const DoorNeeds need = door_needs(boss);
  // The boss is sampled from wherever the player stands (healed, and at level
  // one for the level-one door); the walk is made only when the odds are good.
  if (s.wild >= need.wild && s.cent >= need.cents) {
    if (!odds_fresh) return {MapAction::CheckOdds, -1, "sample the colosseum"};
    if (plan.odds >= wanted_odds(plan.fights_on_target)) {
      if (need.level_one && s.my_lv > 1) {
        // The rite that resets the level is cast in a fight, just before the walk.
        if (auto a = train_here()) return MapAction{a->kind, -1, "a fight for the level-one rite"};
        const int home = training_floor(plan);
        if (auto a = walk_to(home, "walk to a fight room for the rite")) return *a;
        return {MapAction::Stuck, -1, "no fight room for the level-one rite"};
      }
      if (s.floor != boss) {
        if (auto a = walk_to(boss, "walk to the colosseum")) return *a;
        // The way up is shut (the floor-7 key): earn its price, here or lower down.
        if (auto a = train_here()) return *a;
        const int home = training_floor(plan);
        if (home < s.floor) return {MapAction::StartTraining, home, "the stairs are shut: train lower down"};
        return {MapAction::Stuck, -1, "the stairs are shut and there is no fight room"};
      }
      const bool door = gauntlet ? v.gauntlet : v.colosseum;
      if (door && !hurt) return {gauntlet ? MapAction::Gauntlet : MapAction::Colosseum, -1, "the odds are good"};
      if (!door && v.stairs_up && !gauntlet) return {MapAction::Climb, -1, "climb"};
    }
  }
  if (s.floor < boss && s.floor_clear[static_cast<size_t>(s.floor)] == kWonMark && v.stairs_up &&
      !plan.has_fight_room[static_cast<size_t>(s.floor)])
    return {MapAction::Climb, -1, "climb"};
  if (auto a = train_here()) return *a;
  const int home = training_floor(plan);
  if (home != s.floor) return {MapAction::StartTraining, home, "train elsewhere"};
  if (hurt) return {MapAction::Stuck, -1, "hurt, with no money for the clinic and nothing to heal with"};
  return {MapAction::Stuck, -1, "no fight room to train in"};
}

DoorNeeds door_needs(int floor) {
  DoorNeeds d;
  if (floor == 19) d.wild = 300;
  if (floor == 20) d.cents = 3000;
  if (floor == kTopFloor) d.level_one = true;
  return d;
}

bool door_open_to(const GameState& s, int floor) {
  const DoorNeeds d = door_needs(floor);
  return s.wild >= d.wild && s.cent >= d.cents && (!d.level_one || s.my_lv == 1);
}

bool punch_allowed(int floor) { return floor != 20; }

int hp_cap(int floor, int hp_max) {
  switch (floor) {
    case 14: case 15: return hp_max / 2;
    case 17: return hp_max / 4;
    default: return hp_max;
  }
}

int boss_floor(const Plan& plan) { return plan.target > kTopFloor ? 0 : plan.target; }

int training_floor(const Plan& plan) {
  const int top = std::min(plan.target > kTopFloor ? kTopFloor : plan.target, plan.train_cap);
  for (int f = top; f >= 0; --f)
    if (plan.has_fight_room[static_cast<size_t>(f)]) return f;
  return 0;
}

}  // namespace z2::autoplay
