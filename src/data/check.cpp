#include "data/check.h"

#include <QImage>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <ostream>

#include "data/reader.h"
#include "data/tables.h"
#include "data/picture.h"
#include "state/carried.h"
#include "state/fixed_tables.h"
#include "state/floors.h"
#include "state/ids.h"
#include "state/item_kinds.h"

namespace z2 {
namespace {

// ---- names the game uses as they stand ----

constexpr FixedFile kPictures[] = {
    {"my.bmp", "player portrait"},
    {"my1.bmp", "player portrait at full HP"},
    {"my2.bmp", "player portrait at low HP"},
    {"die.bmp", "portrait of the fallen"},
    {"e0.bmp", "fallback of every opponent and action picture"},
    {"map-1.bmp", "colosseum room and fallback room picture"},
    {"map-2.bmp", "room of the final gauntlet"},
    {"map0.bmp", "fight room picture"},
    {"0_2.bmp", "fallback large boss picture"},
    {"haikei-1.bmp", "fallback floor background"},
    {"tan.bmp", "shopkeeper"},
    {"tan2.bmp", "WILD shopkeeper"},
    {"luida.bmp", "church host"},
    {"mara.bmp", "monster workshop host"},
    {"yam.bmp", "garbage room host"},
    {"yam2.bmp", "garbage room host, second frame"},
    {"hoku.bmp", "the far northerner"},
    {"wata.bmp", "the errand girl"},
    {"shop.bmp", "shop room"},
    {"wild.bmp", "WILD shop room"},
    {"s_Ch.bmp", "church room"},
    {"gomiroom.bmp", "garbage room"},
    {"monster.bmp", "monster workshop room"},
    {"title.bmp", "title screen"},
    {"takara.bmp", "treasure chest"},
};

constexpr FixedFile kSounds[] = {
    {"1.wav", "offer and start-up sound"},
    {"battle.wav", "entering a fight room"},
    {"but.wav", "map button"},
    {"buy.wav", "buying"},
    {"class.wav", "class change"},
    {"get2.wav", "title button"},
    {"gousei.wav", "synthesis"},
    {"item.wav", "using an item"},
    {"key.wav", "buttons and notices"},
    {"lv.wav", "level-up"},
    {"lvup.wav", "stat choice"},
    {"m.wav", "calling a monster"},
    {"magic.wav", "casting magic"},
    {"miss.wav", "refused command"},
    {"next.wav", "progress notices"},
    {"punch.wav", "punch and colosseum entry"},
    {"soubi.wav", "equipping"},
    {"taberu.wav", "feeding"},
    {"tower.wav", "tower strike"},
    {"walk.wav", "stairs"},
    {"open.mid", "title music"},
    {"new.mid", "opening music"},
    {"best.mid", "final gauntlet music"},
};

// ---- ids with a fixed role in the game's rules ----

struct Role {
  int id;
  std::string role;
};

// The items with a role: the fixed ones, then the prizes of the floors, the
// streaks and the deaths.
std::vector<Role> item_roles() {
  std::vector<Role> r = {{item::kPlayTimeGift, "given after 6000 minutes of play"}};
  for (int i = item::kSevenSetFirst; i <= item::kSevenSetLast; ++i) r.push_back({i, "one of the seven asked for ぼうやの声"});
  r.push_back({item::kFloor7Key, "key to the stairs above floor 7"});
  r.push_back({item::kFaustVoice, "prize for beating ファウスト"});
  for (int f = 0; f <= kTopFloor; ++f) {
    if (floors::kFloors[f].prize == floors::Prize::Item)
      r.push_back({floors::kFloors[f].prize_id, "prize of floor " + std::to_string(f)});
  }
  for (const Milestone& m : kComboPrizes) r.push_back({m.id, "prize for " + std::to_string(m.at) + " wins in a row"});
  for (const Milestone& m : kDeathPrizes) r.push_back({m.id, "prize for " + std::to_string(m.at) + " deaths"});
  return r;
}

const Role kMonsterRoles[] = {
    {30, "counted by a monster skill"},
    {101, "given by ぼうやの声"},
    {monster::kCleaner, "the cleaner, prize of floor 14"},
    {104, "the errand girl"},
};

// The spells the escape, the levels and the floors teach.
std::vector<Role> magic_roles() {
  std::vector<Role> r = {{magic::kRunAway, "learnt at the 99th escape"}};
  for (const Milestone& m : kLevelMagic) r.push_back({m.id, "learnt at level " + std::to_string(m.at)});
  for (int f = 0; f <= kTopFloor; ++f) {
    if (floors::kFloors[f].prize == floors::Prize::Magic)
      r.push_back({floors::kFloors[f].prize_id, "prize of floor " + std::to_string(f)});
  }
  return r;
}

const Role kGomiRoles[] = {
    {87, "the errand girl's fallback find"},
};

const Role kJobRoles[] = {
    {0, "the class every game starts in"},
    {21, "the class that mastering class 20 leads to"},
};

constexpr int kFloors = kTopFloor + 1;  // floors 0..24

// Floors where fights other than the colosseum happen, and so garbage turns up.
bool fights_on(int floor) {
  return floors::monster_room(floor) || floors::random_room(floor) || floors::advanced_room(floor);
}

constexpr int kRandomDraws = 499;  // random(499): ids 0..498 of items and garbage
constexpr int kDiscDraws = 255;    // random(255): discs 0..254
const char* const kRareTitle[3] = {"extra enemy", "floor master", "phantom's apostle"};

enum MasterIndex { kName, kEx, kMap, kMd, kEnemy, kItem, kShop, kWild, kJob, kGomi, kMonster, kMagic };

bool real_name(const std::string& n) { return !n.empty() && n != " "; }

// An enemy record the encounter and the random rooms may draw.
bool usable(const EnemyRecord& e) { return real_name(e.en_name) && !e.en_pic.empty(); }

std::string quoted(const std::string& name) { return name.empty() ? std::string() : " (" + name + ")"; }

class Checker {
 public:
  explicit Checker(std::string root) : root_(std::move(root)) {
    if (!root_.empty() && root_.back() != '/') root_ += '/';
  }

  std::vector<std::string> run() {
    // Without its folders every file would be reported one by one.
    bool folders = true;
    for (const char* dir : {"dat", "cg"}) {
      std::error_code ec;
      if (!std::filesystem::is_directory(root_ + dir, ec)) {
        report(std::string(dir) + "/: no such folder in " + root_);
        folders = false;
      }
    }
    if (!folders) return std::move(lines_);
    read_master_files();
    read_boss_files();
    read_opening();
    if (ok_[kEnemy]) enemies();
    if (ok_[kItem]) items();
    if (ok_[kItem]) shops();
    if (ok_[kMonster]) monsters();
    if (ok_[kMagic]) {
      names_of(kMagic, magic_roles(), "magic", [&](size_t i) { return t_->magic_table[i].mg_name; });
      spells_taught();
    }
    if (ok_[kEnemy] && ok_[kMonster] && ok_[kGomi] && ok_[kItem]) monsters_obtainable();
    if (ok_[kItem]) price_ladders();
    if (ok_[kGomi]) gomi();
    if (ok_[kJob]) names_of(kJob, kJobRoles, "class", [&](size_t i) { return t_->job_table[i].jb_name; });
    if (ok_[kMap]) floors();
    pictures();
    sounds();
    return std::move(lines_);
  }

 private:
  void report(const std::string& line) { lines_.push_back(line); }
  static std::string dat(const std::string& f) { return "dat/" + f; }
  static std::string master(int i) { return dat(master_file_name(i)); }
  static std::string rec(int i, int n) { return master(i) + ": record " + std::to_string(n); }

  // True when the file can be opened the way the game opens it; reports why not.
  bool openable(const std::string& rel) {
    std::error_code ec;
    if (!std::filesystem::exists(root_ + rel, ec)) {
      report(rel + ": missing");
      return false;
    }
    try {
      (void)DataReader::open(root_ + rel);
      return true;
    } catch (const DataError& e) {
      report(rel + ": cannot be read: " + e.reason());
      return false;
    }
  }

  void read_master_files() {
    for (int i = 0; i < kMasterFileCount; ++i) {
      if (!openable(master(i))) continue;
      int record = 0;
      try {
        load_master_file(*t_, root_ + "dat/", i, &record);
        ok_[i] = true;
      } catch (const DataError& e) {
        report(rec(i, record) + ": " + e.reason());
      }
    }
  }

  void read_boss_files() {
    for (int k = 0; k <= kFloors; ++k) {
      const int n = k == kFloors ? 99 : k;
      const std::string rel = dat("boss" + std::to_string(n) + ".dat");
      if (!openable(rel)) continue;
      GameState s;
      try {
        load_boss(s, root_ + "dat/", n);
      } catch (const DataError& e) {
        report(rel + ": " + e.reason());
        continue;
      }
      if (s.boss_name.empty()) report(rel + ": the boss has no name");
      boss_names_.push_back(s.boss_name);
      if (s.boss_pic.empty()) {
        report(rel + ": the boss has no picture");
      } else {
        picture(rel + ": picture", s.boss_pic);
      }
      if (!s.boss_big_pic.empty()) picture(rel + ": large picture", s.boss_big_pic);
    }
  }

  void read_opening() {
    // The show reads open_text[p / 10] from index 1 (line 2) on and stops at "end".
    GameState s;
    const std::string open = dat("open.dat");
    if (openable(open)) {
      try {
        auto r = DataReader::open(root_ + open);
        for (auto& line : s.open_text) line = r.read_string();
      } catch (const DataError& e) {
        report(open + ": cannot be read: " + e.reason());
        return;
      }
      bool end = false;
      for (size_t k = 1; k < s.open_text.size(); ++k) end = end || s.open_text[k] == "end";
      if (!end) report(open + ": no \"end\" line among lines 2..200: the opening would never end by itself");
    }
    openable(dat("staff.dat"));
  }

  void enemies() {
    for (int band = 0; band < kFloors; ++band) {
      // Only a monster room draws an ordinary enemy of its own floor.
      if (!floors::monster_room(band)) continue;
      bool any = false;
      for (int slot = 0; slot <= 6; ++slot) any = any || usable(t_->enemy(band * 10 + slot));
      if (!any) {
        report(master(kEnemy) + ": records " + std::to_string(band * 10) + ".." + std::to_string(band * 10 + 6) +
               ": floor " + std::to_string(band) + " has no usable ordinary enemy (a name and a picture)");
      }
      // Only a monster room calls the rare visitors of its floor.
      for (int slot = 7; slot <= 9; ++slot) {
        const int n = band * 10 + slot;
        const EnemyRecord& e = t_->enemy(n);
        if (usable(e)) continue;
        report(rec(kEnemy, n) + quoted(e.en_name) + ": the " + kRareTitle[slot - 7] + " of floor " +
               std::to_string(band) + " needs " + (real_name(e.en_name) ? "a picture" : "a name"));
      }
    }
    // The random rooms draw slot 0..6 of a band below the floor (band 0 on floor 0), records 1..253.
    for (int floor = 0; floor < kFloors; ++floor) {
      const int top = floor == 0 ? 0 : floor - 1;
      bool any = false;
      for (int band = 0; band <= top; ++band) {
        for (int slot = 0; slot <= 6; ++slot) {
          const int n = band * 10 + slot;
          any = any || (n >= 1 && n <= 253 && usable(t_->enemy(n)));
        }
      }
      if (!any) {
        report(master(kEnemy) + ": floor " + std::to_string(floor) +
               ": the random rooms find no usable record (slots 0..6 of floors 0.." + std::to_string(top) +
               ", records 1..253)");
      }
    }
    for (int n = 0; n < 255; ++n) {
      const EnemyRecord& e = t_->enemy(n);
      if (n % 10 <= 6 && real_name(e.en_name) && e.en_pic.empty()) {
        report(rec(kEnemy, n) + quoted(e.en_name) + ": has a name but no picture, so no fight ever draws it");
      }
      if (!usable(e)) continue;
      if (!enemy_drawn(n)) {
        report(rec(kEnemy, n) + quoted(e.en_name) + ": no room ever draws it (floor " + std::to_string(n / 10) +
               ", slot " + std::to_string(n % 10) + ")");
      }
      picture(rec(kEnemy, n) + quoted(e.en_name) + ": picture", e.en_pic);
      if (ok_[kItem] && ok_[kGomi]) carried(n, e);
    }
  }

  void carried(int n, const EnemyRecord& e) {
    const int c = e.en_item;
    if (c == carried::kRandom || c == carried::kNothing) return;
    const carried::Thing thing = carried::decode(c);
    const size_t id = static_cast<size_t>(thing.id);
    bool named = false;
    if (thing.kind == carried::Kind::Item) named = !t_->item_table[id].it_name.empty();
    if (thing.kind == carried::Kind::Garbage) named = !t_->gomi_table[id].gm_name.empty();
    if (!named) {
      report(rec(kEnemy, n) + quoted(e.en_name) + ": carries " + std::to_string(c) +
             ", which is no named item (1..499) nor named garbage (1000 + id)");
    }
  }

  void items() {
    bool tier[3] = {false, false, false};
    for (int i = 0; i < kRandomDraws; ++i) {
      const ItemRecord& it = t_->item_table[static_cast<size_t>(i)];
      if (!it.it_name.empty() && it.it_rare >= 0 && it.it_rare <= 2) tier[it.it_rare] = true;
    }
    for (int r = 0; r < 3; ++r) {
      if (!tier[r]) {
        report(master(kItem) + ": no named item of rarity " + std::to_string(r) +
               " among ids 0..498: the random item draw needs one");
      }
    }
    names_of(kItem, item_roles(), "item", [&](size_t i) { return t_->item_table[i].it_name; });
    if (!ok_[kEnemy] || !ok_[kShop] || !ok_[kWild]) return;
    for (int i = 0; i < static_cast<int>(t_->item_table.size()); ++i) {
      const std::string& name = t_->item_table[static_cast<size_t>(i)].it_name;
      if (name.empty() || item_obtainable(i) || prize(i)) continue;
      report(rec(kItem, i) + quoted(name) +
             ": nothing gives this item (no random find, no shop, no enemy a room draws, no prize)");
    }
  }

  // Items the rules hand out: the prizes and gifts among the roles (the seven things ぼうや
  // lost and the tower key are only asked for).
  static bool prize(int id) {
    if ((id >= item::kSevenSetFirst && id <= item::kSevenSetLast) || id == item::kFloor7Key) return false;
    for (const Role& r : item_roles()) {
      if (r.id == id) return true;
    }
    return false;
  }

  void shops() {
    for (int file : {kShop, kWild}) {
      if (!ok_[file]) continue;
      const auto& table = file == kShop ? t_->shop_table : t_->wild_table;
      int gap = -1;  // the first entry without an item
      for (int k = 0; k < static_cast<int>(table.size()); ++k) {
        const i32 id = table[static_cast<size_t>(k)].item;
        if (id == 0) {
          if (gap < 0) gap = k;
          continue;
        }
        // A row's price is that of the entry at the row's place in the list,
        // so an entry left out moves every later price onto the wrong row.
        if (gap >= 0) {
          report(rec(file, gap) + ": no item (id 0) before record " + std::to_string(k) +
                 ": every later row would show the price of the entry before it");
          gap = -1;
        }
        if (at_or_empty(t_->item_table, id).it_name.empty()) {
          report(rec(file, k) + ": sells item " + std::to_string(id) + ", which has no name");
        }
      }
    }
  }

  void monsters() {
    for (int i = 0; i < static_cast<int>(t_->monster_table.size()); ++i) {
      const MonsterRecord& m = t_->monster_table[static_cast<size_t>(i)];
      if (m.mo_name.empty()) continue;
      if (m.mo_pic.empty()) {
        report(rec(kMonster, i) + quoted(m.mo_name) + ": the monster has no picture");
      } else {
        picture(rec(kMonster, i) + quoted(m.mo_name) + ": picture", m.mo_pic);
      }
    }
    names_of(kMonster, kMonsterRoles, "monster", [&](size_t i) { return t_->monster_table[i].mo_name; });
    for (const Evolution& e : kEvolutions) {
      const std::string& from = t_->monster_table[static_cast<size_t>(e.from)].mo_name;
      if (!from.empty() && t_->monster_table[static_cast<size_t>(e.to)].mo_name.empty()) {
        report(rec(kMonster, e.to) + ": monster " + std::to_string(e.from) + " (" + from +
               ") evolves into it, but it has no name");
      }
    }
  }

  void gomi() {
    bool any = false;
    for (int i = 0; i < kRandomDraws; ++i) any = any || !t_->gomi_table[static_cast<size_t>(i)].gm_name.empty();
    if (!any) report(master(kGomi) + ": no named garbage among ids 0..498: the garbage draws need one");
    names_of(kGomi, kGomiRoles, "garbage", [&](size_t i) { return t_->gomi_table[i].gm_name; });
  }

  void floors() {
    for (int f = 0; f < kFloors; ++f) {
      if (t_->map_names[static_cast<size_t>(f)].empty())
        report(rec(kMap, f) + ": floor " + std::to_string(f) + " has no name");
    }
  }

  template <class Roles, class NameOf>
  void names_of(int file, const Roles& roles, const char* what, NameOf name_of) {
    for (const Role& r : roles) {
      if (name_of(static_cast<size_t>(r.id)).empty()) {
        report(rec(file, r.id) + ": " + what + " " + std::to_string(r.id) + " (" + r.role + ") has no name");
      }
    }
  }

  // ---- what the rules can reach ----

  void spells_taught() {
    for (int i = 0; i < static_cast<int>(t_->magic_table.size()); ++i) {
      const std::string& name = t_->magic_table[static_cast<size_t>(i)].mg_name;
      if (name.empty()) continue;
      bool taught = false;
      for (const Role& r : magic_roles()) taught = taught || r.id == i;
      if (!taught) report(rec(kMagic, i) + quoted(name) + ": no level, floor or escape teaches this spell");
    }
  }

  bool sold(i32 item) const {
    for (const auto* table : {&t_->shop_table, &t_->wild_table}) {
      for (const ShopRecord& e : *table) {
        if (e.item == item) return true;
      }
    }
    return false;
  }

  // An item the player can come by: a random find, on sale, or carried by an enemy a room draws.
  bool item_obtainable(int id) const {
    const ItemRecord& it = at_or_empty(t_->item_table, id);
    if (it.it_name.empty()) return false;
    if (id < kRandomDraws && it.it_rare >= 0 && it.it_rare <= 2) return true;
    if (sold(id)) return true;
    for (int n = 0; n < 255; ++n) {
      if (t_->enemy(n).en_item == id && usable(t_->enemy(n)) && enemy_drawn(n)) return true;
    }
    return false;
  }

  // Garbage the player can come by: the errand girl brings any named piece 1..498, fights turn
  // up the pieces of their floor, and enemies carry some.
  bool gomi_obtainable(int id) const {
    const GomiRecord& g = at_or_empty(t_->gomi_table, id);
    if (g.gm_name.empty()) return false;
    if (id >= 1 && id < kRandomDraws) return true;
    if (id < kRandomDraws && fights_on(g.gm_floor)) return true;
    for (int n = 0; n < 255; ++n) {
      if (t_->enemy(n).en_item == carried::garbage(id) && usable(t_->enemy(n)) && enemy_drawn(n)) return true;
    }
    return false;
  }

  void monsters_obtainable() {
    const auto& mo = t_->monster_table;
    const size_t count = mo.size();
    std::vector<bool> got(count, false);
    auto give = [&](int j) {
      if (j < 0 || static_cast<size_t>(j) >= count || mo[static_cast<size_t>(j)].mo_name.empty()) return;
      got[static_cast<size_t>(j)] = true;
    };
    // Joining: the last monster of the beaten opponent's name, never monster 0.
    auto join = [&](const std::string& name) {
      if (!real_name(name)) return;
      for (int j = static_cast<int>(count) - 1; j > 0; --j) {
        if (mo[static_cast<size_t>(j)].mo_name == name) {
          give(j);
          return;
        }
      }
    };
    for (int n = 0; n < 255; ++n) {
      if (usable(t_->enemy(n)) && enemy_drawn(n)) join(t_->enemy(n).en_name);
    }
    for (const std::string& b : boss_names_) join(b);
    // Hatching in a garbage room from the garbage of the same id.
    for (int id = 0; id < static_cast<int>(std::min(count, t_->gomi_table.size())); ++id) {
      if (gomi_obtainable(id)) give(id);
    }
    // Fixed gifts.
    for (int id = 0; id < static_cast<int>(t_->item_table.size()); ++id) {
      if (t_->item_table[static_cast<size_t>(id)].it_kind == 78 && item_obtainable(id)) give(101);
    }
    give(102);
    give(104);
    // Evolution, until nothing more comes of it.
    for (bool more = true; more;) {
      more = false;
      for (const Evolution& e : kEvolutions) {
        if (got[static_cast<size_t>(e.from)] && !got[static_cast<size_t>(e.to)] &&
            !mo[static_cast<size_t>(e.to)].mo_name.empty()) {
          give(e.to);
          more = true;
        }
      }
    }
    for (size_t j = 0; j < count; ++j) {
      if (mo[j].mo_name.empty() || got[j]) continue;
      report(rec(kMonster, static_cast<int>(j)) + quoted(mo[j].mo_name) +
             ": nothing yields this monster (no enemy or boss of its name is met, no garbage of its id is found, "
             "nothing evolves into it)");
    }
  }

  // The shops' price ladders: within one shop, goods of the same effect must not cost more for
  // less, and a dearer lasting gain must give more per cent.
  void price_ladders() {
    for (int file : {kShop, kWild}) {
      if (!ok_[file]) continue;
      const auto& table = file == kShop ? t_->shop_table : t_->wild_table;
      for (int a = 0; a < static_cast<int>(table.size()); ++a) {
        const ShopRecord& sa = table[static_cast<size_t>(a)];
        const ItemRecord& ia = at_or_empty(t_->item_table, sa.item);
        if (sa.item == 0 || ia.it_name.empty()) continue;
        for (int b = 0; b < static_cast<int>(table.size()); ++b) {
          const ShopRecord& sb = table[static_cast<size_t>(b)];
          const ItemRecord& ib = at_or_empty(t_->item_table, sb.item);
          if (b == a || sb.item == 0 || ib.it_name.empty() || sa.price <= sb.price) continue;
          if (!same_effect(ia, ib)) continue;
          const std::string head = rec(file, a) + quoted(ia.it_name) + ": sold for " + std::to_string(sa.price) +
                                   ", more than record " + std::to_string(b) + quoted(ib.it_name) + " for " +
                                   std::to_string(sb.price);
          const bool amount = kinds::amount_kind(ia.it_kind);
          if (!amount || ia.it_pow <= ib.it_pow) {
            report(head + ", which does the same" + (amount ? " with no less power" : ""));
          } else if (kinds::lasting_gain(ia.it_kind) &&
                     static_cast<int64_t>(sa.price) * ib.it_pow > static_cast<int64_t>(sb.price) * ia.it_pow) {
            report(head + ", yet gives less per cent (" + std::to_string(ia.it_pow) + " against " +
                   std::to_string(ib.it_pow) + ")");
          }
        }
      }
    }
  }

  // Two goods that do the same thing, so that only power and price tell them apart.
  static bool same_effect(const ItemRecord& a, const ItemRecord& b) {
    const bool wa = kinds::weapon(a.it_kind), wb = kinds::weapon(b.it_kind);
    const bool ra = kinds::armour(a.it_kind), rb = kinds::armour(b.it_kind);
    if (wa || wb) return wa && wb && a.it_ex == b.it_ex;  // a weapon's extra effect sets it apart
    if (ra || rb) return ra && rb;
    if (a.it_kind != b.it_kind || !kinds::used_for_its_effect(a.it_kind)) return false;
    return kinds::amount_kind(a.it_kind) || a.it_pow == b.it_pow;
  }

  // ---- pictures ----

  enum class Pic { Ok, Missing, Unreadable };

  Pic picture_state(const std::string& file) {
    auto it = pics_.find(file);
    if (it != pics_.end()) return it->second;
    const std::string path = root_ + "cg/" + file;
    Pic p = Pic::Ok;
    QImage img;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
      p = Pic::Missing;
    } else if (!load_picture(img, path)) {
      p = Pic::Unreadable;
    }
    pics_.emplace(file, p);
    return p;
  }

  // `where` names the field that asks for it ("dat/enemy.dat: record 3: picture").
  void picture(const std::string& where, const std::string& file) {
    switch (picture_state(file)) {
      case Pic::Ok:
        break;
      case Pic::Missing:
        report(where + " cg/" + file + " is missing");
        break;
      case Pic::Unreadable:
        report(where + " cg/" + file + " cannot be read as a picture");
        break;
    }
  }

  void fixed_picture(const std::string& file, const std::string& use) {
    switch (picture_state(file)) {
      case Pic::Ok:
        break;
      case Pic::Missing:
        report("cg/" + file + ": missing (" + use + ")");
        break;
      case Pic::Unreadable:
        report("cg/" + file + ": cannot be read as a picture (" + use + ")");
        break;
    }
  }

  void pictures() {
    for (const FixedFile& f : kPictures) fixed_picture(f.name, f.use);
    for (int f = 0; f < kFloors; ++f) {
      fixed_picture("haikei" + std::to_string(f) + ".bmp", "background of floor " + std::to_string(f));
    }
  }

  // ---- sounds and music ----

  // Missing, or not what its extension says (a wave file is RIFF/WAVE, music a standard MIDI file).
  std::string sound_fault(const std::string& file) {
    const std::string path = root_ + "dat/" + file;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return "missing";
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    in.read(head, sizeof head);
    const std::string h(head, static_cast<size_t>(in.gcount()));
    const bool wave = file.size() > 4 && file.compare(file.size() - 4, 4, ".wav") == 0;
    const bool midi = file.size() > 4 && file.compare(file.size() - 4, 4, ".mid") == 0;
    if (wave && !(h.size() == 12 && h.compare(0, 4, "RIFF") == 0 && h.compare(8, 4, "WAVE") == 0)) {
      return "not a wave file";
    }
    if (midi && !(h.size() >= 4 && (h.compare(0, 4, "MThd") == 0 || h.compare(0, 4, "RIFF") == 0))) {
      return "not a MIDI file";
    }
    return {};
  }

  void sounds() {
    for (const FixedFile& f : kSounds) {
      const std::string fault = sound_fault(f.name);
      if (!fault.empty()) report(dat(f.name) + ": " + fault + " (" + f.use + ")");
    }
    std::map<std::string, std::string> colosseum;  // music -> floors
    for (int f = 0; f < kFloors; ++f) {
      const std::string music = colosseum_bgm(f);
      if (music.empty()) continue;
      std::string& floors = colosseum[music];
      floors += (floors.empty() ? "" : ", ") + std::to_string(f);
    }
    for (const auto& [file, floors] : colosseum) {
      const std::string fault = sound_fault(file);
      if (!fault.empty()) report(dat(file) + ": " + fault + " (colosseum music of floor " + floors + ")");
    }
    if (!ok_[kMd]) return;
    bool any = false;
    for (int i = 0; i < static_cast<int>(t_->md_table.size()); ++i) {
      const MdRecord& m = t_->md_table[static_cast<size_t>(i)];
      if (m.md_name.empty()) continue;
      any = any || i < kDiscDraws;
      if (m.md_file.empty()) {
        report(rec(kMd, i) + quoted(m.md_name) + ": the disc has no music file");
        continue;
      }
      const std::string fault = sound_fault(m.md_file);
      if (!fault.empty()) report(rec(kMd, i) + quoted(m.md_name) + ": music " + dat(m.md_file) + " is " + fault);
    }
    if (!any) report(master(kMd) + ": no named disc among ids 0..254: the disc drop needs one");
  }

  std::string root_;
  std::unique_ptr<Tables> t_ = std::make_unique<Tables>();
  bool ok_[kMasterFileCount] = {};
  std::map<std::string, Pic> pics_;
  std::vector<std::string> boss_names_;
  std::vector<std::string> lines_;
};

}  // namespace

std::span<const FixedFile> fixed_pictures() { return kPictures; }

bool enemy_drawn(int n) {
  if (n < 0 || n > 254) return false;
  const int band = n / 10, slot = n % 10;
  if (floors::monster_room(band)) return true;
  // The random rooms take records 1..253 of the floors below their own.
  if (n < 1 || n > 253) return false;
  for (int f = band + 1; f < kFloors; ++f) {
    if (floors::random_room(f) && slot <= 6) return true;
    if (floors::advanced_room(f) && slot <= 8) return true;
  }
  return false;
}
std::span<const FixedFile> fixed_sounds() { return kSounds; }

std::vector<std::string> check_data(const std::string& root) { return Checker(root).run(); }

int check_data_main(const std::string& root, std::ostream& out) {
  const auto lines = check_data(root);
  for (const auto& line : lines) out << line << '\n';
  if (lines.empty()) {
    out << "check-data: no problems found\n";
    return 0;
  }
  out << "check-data: " << lines.size() << (lines.size() == 1 ? " problem" : " problems") << '\n';
  return 1;
}

}  // namespace z2
