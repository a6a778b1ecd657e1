#pragma once
// A fight in progress with the list panel open on the caption of an action,
// over the small fixture set, with scripted draws. The monster and magic
// tests write the records they need straight into the tables.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "data/tables.h"
#include "game_fixture.h"
#include "shell/game.h"
#include "shell/title.h"

namespace z2::test {

struct FightListRig : TestGame {
  explicit FightListRig(std::string_view caption) : TestGame("mini") {
    load_tables(g.t, g.dat_dir());
    new_game(g);
    GameState& s = g.s;
    g.ui.start_box.visible = false;
    g.ui.map_box.visible = false;
    g.ui.list_box.caption = std::string(caption);
    // What the OK frame leaves behind: the commands and the list hidden.
    g.ui.battle_com.visible = false;
    g.ui.list_box.visible = false;
    s.in_battle = true;
    s.my_name = "アレク";
    s.my_lv = 0;
    s.my_beast = 10;  // beast hits come to 4a + 31, halved to 15 when a is 0
    s.my_int = 10;    // magic hits the same: 4a + 31
    s.my_hp = s.my_hp_max = 300;
    s.my_mp = s.my_mp_max = 50;
    s.ark = s.ark_max = 30;
    s.e_id = 4;
    s.e_name = "ゴブリン";
    s.e_lv = 12;
    s.e_hp = s.e_hp_max = 5000;
    s.e_zoku = 0;
    s.e_item = -1;
    clear();
  }

  // The transcript lines, in order.
  std::vector<std::string> lines() const {
    std::vector<std::string> v;
    std::istringstream in(out.str());
    for (std::string l; std::getline(in, l);) v.push_back(l);
    return v;
  }
  // Only the messages and boxes (put, add, notice, moji_l, moji_l2).
  std::vector<std::string> said() const {
    std::vector<std::string> v;
    for (const std::string& l : lines())
      for (const char* tag : {"put: ", "add: ", "notice: ", "moji_l: ", "moji_l2: "})
        if (l.rfind(tag, 0) == 0) v.push_back(l);
    return v;
  }
  bool saw(const std::string& line) const {
    for (const std::string& l : lines())
      if (l == line) return true;
    return false;
  }
  void clear() {
    out.str("");
    rng.draws.clear();
  }
};

// The damage line of a hit with argument a, with the rig's stats.
inline std::string hit_line(int a) {
  const int n = a == 0 ? 15 : 4 * a + 31;
  return "add: " + std::to_string(n) + "ダメージ与えた!";
}

}  // namespace z2::test
