// The data checker, step by step: what the rules can reach. Every item,
// monster and spell with a name must be given by something the player can
// meet, or it is dead content.
#include <algorithm>
#include <vector>

#include "data/check_steps.h"

namespace z2::checker {

// Items the rules hand out: the prizes and gifts among the roles (the seven things ぼうや
// lost and the tower key are only asked for).
bool Checker::prize(int id) {
  if ((id >= item::kSevenSetFirst && id <= item::kSevenSetLast) || id == item::kFloor7Key) return false;
  for (const Role& r : item_roles()) {
    if (r.id == id) return true;
  }
  return false;
}

void Checker::spells_taught() {
  for (int i = 0; i < static_cast<int>(t_->magic_table.size()); ++i) {
    const std::string& name = t_->magic_table[static_cast<size_t>(i)].mg_name;
    if (name.empty()) continue;
    bool taught = false;
    for (const Role& r : magic_roles()) taught = taught || r.id == i;
    if (!taught) report(rec(kMagic, i) + quoted(name) + ": no level, floor or escape teaches this spell");
  }
}

bool Checker::sold(i32 item) const {
  for (const auto* table : {&t_->shop_table, &t_->wild_table}) {
    for (const ShopRecord& e : *table) {
      if (e.item == item) return true;
    }
  }
  return false;
}

// An item the player can come by: a random find, on sale, or carried by an enemy a room draws.
bool Checker::item_obtainable(int id) const {
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
bool Checker::gomi_obtainable(int id) const {
  const GomiRecord& g = at_or_empty(t_->gomi_table, id);
  if (g.gm_name.empty()) return false;
  if (id >= 1 && id < kRandomDraws) return true;
  if (id < kRandomDraws && fights_on(g.gm_floor)) return true;
  for (int n = 0; n < 255; ++n) {
    if (t_->enemy(n).en_item == carried::garbage(id) && usable(t_->enemy(n)) && enemy_drawn(n)) return true;
  }
  return false;
}

void Checker::monsters_obtainable() {
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

}  // namespace z2::checker
