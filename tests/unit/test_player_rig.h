#pragma once
// A fight already under way against a sturdy opponent, on the mini data set,
// with every random draw scripted. The player's numbers are round so that
// each formula can be worked out by hand in the tests.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "game_fixture.h"

namespace z2::test {

struct PlayerRig : test::NewGame {
  PlayerRig() : test::NewGame("mini") {
    GameState& s = g.s;
    g.ui.map_box.visible = false;
    s.can_punch = s.can_magic = s.can_beast = s.can_item = true;
    s.my_name = "アレク";
    s.my_lv = 5;
    s.my_hp = s.my_hp_max = 100;
    s.my_mp = s.my_mp_max = 60;
    s.my_atk = 10;
    s.my_body = 3;
    s.my_int = 4;
    s.my_beast = 6;
    s.buki_pow = 20;
    s.buki_ex = 0;
    s.bougu_pow = 8;
    s.ark = 10;
    s.ark_max = 100;
    s.cent = 1000;
    s.in_battle = true;
    s.e_id = 0;
    s.e_name = "スライム";
    s.e_lv = 3;
    s.e_hp = s.e_hp_max = 1000;
    s.e_item = -1;
    g.ui.battle_com.visible = true;
  }

  // The game's own lines (messages and sounds), without the tags of other events.
  std::vector<std::string> lines() const {
    std::vector<std::string> v;
    std::istringstream in(out.str());
    for (std::string l; std::getline(in, l);)
      if (l.rfind("put: ", 0) == 0 || l.rfind("add: ", 0) == 0 || l.rfind("big: ", 0) == 0 ||
          l.rfind("se: ", 0) == 0 || l.rfind("moji_l: ", 0) == 0)
        v.push_back(l);
    return v;
  }
  // The first lines, as many as `want` has.
  std::vector<std::string> first(size_t n) const {
    std::vector<std::string> v = lines();
    if (v.size() > n) v.resize(n);
    return v;
  }
  bool saw(const std::string& line) const {
    for (const std::string& l : lines())
      if (l == line) return true;
    return false;
  }
  int count(const std::string& line) const {
    int n = 0;
    for (const std::string& l : lines()) n += l == line;
    return n;
  }
  // The sizes of the draws made so far, the first `n` of them.
  std::vector<int32_t> draws(size_t n) const {
    std::vector<int32_t> v = rng.draws;
    if (v.size() > n) v.resize(n);
    return v;
  }
  // A green burst draws four corners in each of its eleven steps.
  void burst() {
    for (int i = 0; i < 44; ++i) rng.push({0});
  }
  // The opponent's turn is not under test: with the fight taken off,
  // a command runs its own steps only (the outcome check finds nothing and
  // no opponent acts).
  void no_opponent_turn() { g.s.in_battle = false; }
};

}  // namespace z2::test
