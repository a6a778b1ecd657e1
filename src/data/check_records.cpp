// The data checker, step by step: each master file, boss file and opening
// text on its own, record by record, and the value of every numeric field.
#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "data/check_steps.h"
#include "data/reader.h"
#include "state/int32.h"

namespace z2::checker {

// True when the file can be opened the way the game opens it; reports why not.
bool Checker::openable(const std::string& rel) {
  std::error_code ec;
  if (!std::filesystem::exists(root_ + rel, ec) && !ec) {
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

void Checker::read_master_files() {
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

void Checker::read_boss_files() {
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
    in_range(rel, "level", s.boss_lv, 1, kIntMax);
    in_range(rel, "hit points", s.boss_hp, 0, kIntMax);
    boss_names_.push_back(s.boss_name);
    if (s.boss_pic.empty()) {
      report(rel + ": the boss has no picture");
    } else {
      picture(rel + ": picture", s.boss_pic);
    }
    if (!s.boss_big_pic.empty()) picture(rel + ": large picture", s.boss_big_pic);
  }
}

void Checker::read_opening() {
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

void Checker::enemies() {
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

void Checker::carried(int n, const EnemyRecord& e) {
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

void Checker::items() {
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

void Checker::shops() {
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

void Checker::monsters() {
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

void Checker::gomi() {
  bool any = false;
  for (int i = 0; i < kRandomDraws; ++i) any = any || !t_->gomi_table[static_cast<size_t>(i)].gm_name.empty();
  if (!any) report(master(kGomi) + ": no named garbage among ids 0..498: the garbage draws need one");
  names_of(kGomi, kGomiRoles, "garbage", [&](size_t i) { return t_->gomi_table[i].gm_name; });
}

void Checker::floors() {
  for (int f = 0; f < kFloors; ++f) {
    if (t_->map_names[static_cast<size_t>(f)].empty())
      report(rec(kMap, f) + ": floor " + std::to_string(f) + " has no name");
  }
}

// The shops' price ladders: within one shop, goods of the same effect must not cost more for
// less, and a dearer lasting gain must give more per cent.
void Checker::price_ladders() {
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
bool Checker::same_effect(const ItemRecord& a, const ItemRecord& b) {
  const bool wa = kinds::weapon(a.it_kind), wb = kinds::weapon(b.it_kind);
  const bool ra = kinds::armour(a.it_kind), rb = kinds::armour(b.it_kind);
  if (wa || wb) return wa && wb && a.it_ex == b.it_ex;  // a weapon's extra effect sets it apart
  if (ra || rb) return ra && rb;
  if (a.it_kind != b.it_kind || !kinds::used_for_its_effect(a.it_kind)) return false;
  return kinds::amount_kind(a.it_kind) || a.it_pow == b.it_pow;
}

// ---- the value of every numeric field, against the range its rules give it ----

void Checker::in_range(const std::string& where, const char* field, i32 v, i32 lo, i32 hi) {
  if (v >= lo && v <= hi) return;
  const std::string range = hi == kIntMax ? std::to_string(lo) + " or more" : std::to_string(lo) + ".." + std::to_string(hi);
  report(where + ": " + field + " " + std::to_string(v) + " is out of range (" + range + ")");
}

// Records without a name are no entries: their values are never used. Fields
// the game reads and never uses (jb_spare, gm_spare) may hold anything, and
// so may a carried thing or a shop's item, which enemies() and shops() judge
// by the record they name.
void Checker::values() {
  if (ok_[kEnemy]) {
    for (int n = 0; n < 255; ++n) {
      const EnemyRecord& e = t_->enemy(n);
      if (!real_name(e.en_name)) continue;
      const std::string w = rec(kEnemy, n) + quoted(e.en_name);
      in_range(w, "hit points", e.en_hp, 0, kIntMax);
      in_range(w, "ailment", e.en_state, 0, codes::kAilments - 1);
      in_range(w, "attribute", e.en_zoku, 0, codes::kAttributes - 1);
      for (size_t k = 0; k < e.en_act.size(); ++k) {
        const i32 a = e.en_act[k];
        if (a == codes::kAnyEnemyAction || (a >= 0 && a < codes::kEnemyActions)) continue;
        report(w + ": action " + std::to_string(k + 1) + " " + std::to_string(a) + " is out of range (0.." +
               std::to_string(codes::kEnemyActions - 1) + ", or " + std::to_string(codes::kAnyEnemyAction) +
               " for any)");
      }
    }
  }
  if (ok_[kItem]) {
    for (int n = 0; n < static_cast<int>(t_->item_table.size()); ++n) {
      const ItemRecord& it = t_->item_table[static_cast<size_t>(n)];
      if (it.it_name.empty()) continue;
      const std::string w = rec(kItem, n) + quoted(it.it_name);
      in_range(w, "kind", it.it_kind, 0, kIntMax);  // kinds without a use are keepsakes
      in_range(w, "power", it.it_pow, 0, kIntMax);
      in_range(w, "rarity", it.it_rare, 0, codes::kRarities - 1);
      if (kinds::weapon(it.it_kind)) in_range(w, "extra effect", it.it_ex, 0, codes::kExtraEffects - 1);
    }
  }
  for (int file : {kShop, kWild}) {
    if (!ok_[file]) continue;
    const auto& table = file == kShop ? t_->shop_table : t_->wild_table;
    for (int n = 0; n < static_cast<int>(table.size()); ++n) {
      if (table[static_cast<size_t>(n)].item != 0) in_range(rec(file, n), "price", table[static_cast<size_t>(n)].price, 0, kIntMax);
    }
  }
  if (ok_[kJob]) {
    for (int n = 0; n < static_cast<int>(t_->job_table.size()); ++n) {
      const JobRecord& j = t_->job_table[static_cast<size_t>(n)];
      if (j.jb_name.empty()) continue;
      const std::string w = rec(kJob, n) + quoted(j.jb_name);
      // Paid in thousands: the price in cents must still be a number the game can hold.
      in_range(w, "cost", j.jb_cost, 0, kIntMax / 1000);
      in_range(w, "WILD", j.jb_wild, 0, kIntMax);
    }
  }
  if (ok_[kGomi]) {
    for (int n = 0; n < static_cast<int>(t_->gomi_table.size()); ++n) {
      const GomiRecord& gm = t_->gomi_table[static_cast<size_t>(n)];
      if (!gm.gm_name.empty()) in_range(rec(kGomi, n) + quoted(gm.gm_name), "floor", gm.gm_floor, 0, kTopFloor);
    }
  }
  if (ok_[kMonster]) {
    for (int n = 0; n < static_cast<int>(t_->monster_table.size()); ++n) {
      const MonsterRecord& m = t_->monster_table[static_cast<size_t>(n)];
      if (m.mo_name.empty()) continue;
      const std::string w = rec(kMonster, n) + quoted(m.mo_name);
      in_range(w, "kind", m.mo_kind, 0, codes::kMonsterSkills - 1);
      in_range(w, "power", m.mo_pow, 0, kIntMax);
      in_range(w, "MP", m.mo_mp, 0, kIntMax);
      in_range(w, "extra effect", m.mo_ex, 0, codes::kExtraEffects - 1);
      in_range(w, "synthesis value", m.mo_gousei, 0, kIntMax);
    }
  }
  if (ok_[kMagic]) {
    for (int n = 0; n < static_cast<int>(t_->magic_table.size()); ++n) {
      const MagicRecord& m = t_->magic_table[static_cast<size_t>(n)];
      if (m.mg_name.empty()) continue;
      const std::string w = rec(kMagic, n) + quoted(m.mg_name);
      in_range(w, "kind", m.mg_kind, 0, codes::kSpells - 1);
      in_range(w, "ARK", m.mg_ark, 0, kIntMax);
    }
  }
}

}  // namespace z2::checker
