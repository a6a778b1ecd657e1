#pragma once
// The machine player's policy: what a careful player decides, as pure
// functions of what that player can see (the game state, the master tables
// and which controls the window offers). The loop in player.cpp carries the
// decisions out through clicks; nothing here changes the game.
//
// The policy, in plain words:
//  - On the map: leave a class forced on the player that costs it fights
//    (and take the double punch once it can pay for it) at a church; open a chest when a trap could not kill; heal at the clinic
//    (Ｅ．Ｒ．) below three quarters of the hit points or with an ailment;
//    use the lasting goods owned (seeds, fruits, whetstones, level candy);
//    wear owned weapons and armour that are stronger than what is worn;
//    shop when the shop sells something on the shopping list; climb as soon
//    as the stairs up are open; take the colosseum when a sample of fights
//    played from the present state on a copy of the game says the odds are
//    good (lower odds are accepted after a long training); otherwise train
//    in the best fight room of the highest floor that has one, walking down
//    to it when the floor to win has no fight room of its own.
//  - Shopping: the floor-7 key first (saving for it if need be); then a stock
//    of healing goods and of share bombs (many where the fist is forbidden),
//    in the tower revival charms and full heals, stronger armour and weapons
//    when they are a real step up and cheap for the purse, and lasting stat
//    goods with what is left above a reserve for the clinic and the cents a
//    colosseum door asks for.
//  - In a fight: heal with the best-fitting healing good when two of the
//    opponent's hits could kill; in an ordinary fight with nothing to heal
//    and one hit from death, run; take the tower strike when it is offered;
//    open a colosseum fight with the fight's goods (share bombs, a revival
//    charm, strength and guard); otherwise punch,
//    or when the punch is forbidden, call the monster or cast the spell that
//    hits hardest and is affordable, else throw a damage good.
//  - Offers after a victory: take a weapon or armour when it is stronger and
//    its extra effect does no harm.
//  - The choice box: raise attack twice for every point of body and every
//    maximum-HP step; the far northerner's gifts: 1000 cents while poor.
//
// The newcomer plays as a first-time player does, with none of the careful
// player's foresight:
//  - It never samples the colosseum and never looks at the boss's numbers:
//    it tries the colosseum whenever its hit points are full and it has won
//    ten fights since its last try there (since it reached the floor, for
//    the first try); before a try it pays the clinic to top its hit points
//    up. Otherwise it trains in the fight room of the floor it wants to win
//    (or the highest one below, where that floor has none).
//  - It heals at the clinic below half of its hit points (with a healing
//    good when it cannot pay), opens every chest, uses the lasting goods it
//    finds and wears owned equipment that is stronger.
//  - Shopping: the floor-7 key when it needs it (saving for it), then the
//    strongest weapon and the strongest armour it can afford, then healing
//    goods up to three; no seeds, bombs or charms.
//  - In a fight: a healing good below a third of the hit points, the tower
//    strike when it is offered, otherwise the punch; it never runs, calls
//    monsters, casts magic or uses a fight's goods (where the punch is
//    forbidden it can only pass its turn).
//  - Offers: a weapon or armour when it is stronger and its extra effect
//    does no harm.
//  - It never changes class or fuses; at every level-up it picks attack.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "state/game_state.h"

namespace z2 {
struct Ui;
}

namespace z2::autoplay {

// Which controls the window offers a click on right now.
struct View {
  bool title = false, map = false, battle = false, level_box = false, list = false, naming = false;
  // Map rooms and stairs.
  bool monster_room = false, random_room = false, hard_room = false, colosseum = false, gauntlet = false;
  bool shop = false, clinic = false, church = false, stairs_up = false, stairs_down = false, chest = false;
  bool items_menu = false, equipment_menu = false;
  // Battle commands.
  bool punch = false, monsters = false, items = false, magic = false, tower = false, escape = false;
  // The far northerner's two extra buttons in the choice box.
  bool gifts = false;
};
View look(const Ui& ui);

enum class Policy { Careful, Newcomer };

// What the player remembers and plans beyond the state itself.
struct Plan {
  Policy policy = Policy::Careful;
  int wins_since_try = 0;         // won fights since the last colosseum try (or the target's start)
  int target = 0;                 // the floor to win next (kTopFloor + 1: the 豪傑 gauntlet)
  std::array<bool, kTopFloor + 1> has_fight_room{};  // learnt by standing on each floor
  std::array<bool, kTopFloor + 1> has_shop{};
  std::array<bool, kTopFloor + 1> has_church{};
  std::array<bool, kTopFloor + 1> visited{};
  double odds = -1;               // colosseum odds from the last sample; −1 unknown
  int fights_on_target = 0;       // fights since the target was set
  bool want_level_one = false;    // the next colosseum admits only level 1
  int train_floor = 0;            // where to train while train_left > 0
  int train_left = 0;             // fights still to train before the next try
  int train_cap = kTopFloor;      // no training above this floor: it kills too often
};
// The floor whose colosseum (or, past the top, whose 豪傑 door) is next.
int boss_floor(const Plan& plan);
// Where to train for the target: the highest floor at or below the boss
// floor with a fight room; for the gauntlet the highest such floor of all.
int training_floor(const Plan& plan);

enum class Stat { MaxHp, MaxMp, Attack, Intelligence, Body, Beast, Ark, Cents };
Stat choose_stat(const GameState& s, bool gifts, Policy policy = Policy::Careful);
const char* stat_button(Stat st);

struct BattleAction {
  enum Kind { Punch, Tower, Item, Monster, Magic, Escape } kind = Punch;
  int id = -1;  // the item, monster or spell
  bool operator==(const BattleAction&) const = default;
};
BattleAction decide_battle(const GameState& s, const Tables& t, const View& v, const Plan& plan);

// A rough size of one ordinary hit of the opponent on the player.
int expected_enemy_hit(const GameState& s);
// The healing good that best fits the hit points missing; −1 for none.
int best_heal(const GameState& s, const Tables& t);

struct MapAction {
  enum Kind {
    OpenChest, Clinic, UseItem, Equip, Shop, Climb, Descend, Colosseum, Gauntlet,
    MonsterRoom, RandomRoom, HardRoom, CheckOdds, StartTraining, Church, Stuck
  } kind = Stuck;
  int id = -1;  // the item, or the floor to train on for StartTraining
  std::string why;
};
// `odds_fresh` tells whether plan.odds was sampled from the present state.
MapAction decide_map(const GameState& s, const Tables& t, const View& v, const Plan& plan, bool odds_fresh);

// The newcomer's colosseum rule: ten wins since the last try and hit points full.
bool newcomer_ready(const GameState& s, const Plan& plan);

// The hit points a floor lets the player keep (floors 14, 15 and 17 cut
// them at every refresh): healing above this is money thrown away.
int hp_cap(int floor, int hp_max);

// What a colosseum's door asks (its refusal says so): WILD, cents, level one.
struct DoorNeeds {
  int wild = 0;
  long long cents = 0;
  bool level_one = false;
};
DoorNeeds door_needs(int floor);
bool door_open_to(const GameState& s, int floor);
// Whether the fight commands of a floor allow the punch (floor 20 does not).
bool punch_allowed(int floor);

// The odds the player wants before the colosseum, after this many fights
// of training for it.
double wanted_odds(int fights_on_target);

// Classes that cost the player fights: the prisoner's one hit point, the
// last stand's tenth, the gambler's empty punches.
bool bad_class(int c);
// The class to change to at a church, if any: away from a bad class (to the
// double punch when it is offered and affordable, else the novice), or up to
// the double punch when the purse allows.
std::optional<int> class_to_take(const GameState& s, const Tables& t);

// Lasting goods worth using at once, and owned equipment worth wearing.
std::optional<int> lasting_good_to_use(const GameState& s, const Tables& t);
std::optional<int> equipment_to_wear(const GameState& s, const Tables& t);

struct Offer {
  int item = 0;
  int price = 0;
};
// The shop's rows, in list order, as the shop fills them.
std::vector<Offer> shop_offers(const GameState& s, const Tables& t);
// The goods to buy, in order, within the purse; an item may repeat.
// `target` is the floor to win next: its door may ask for cents to keep, and
// a floor without the punch wants a stock of share bombs.
std::vector<int> shopping_list(const GameState& s, const Tables& t, const std::vector<Offer>& offers, int target,
                               Policy policy = Policy::Careful);

// The answer to a yes/no box after a victory ("武器【…】△P…を奪いますか？" or
// "防具【…】△P…"): take the weapon or armour offered?
bool accept_offer(const GameState& s, const Tables& t, const std::string& text, Policy policy = Policy::Careful);

// Extra effects of a weapon that hurt its bearer or block a command.
bool harmful_extra(int ex);

}  // namespace z2::autoplay
