#pragma once
// A fight under way against a plain opponent, with scripted draws: the stage
// of the opponent's turn and action tests.
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

// Screen effects 6 and 7 scatter eleven ellipses of four random corners.
inline constexpr int kBurstDraws = 44;

struct EnemyRig : test::NewGame {
  EnemyRig() : test::NewGame("floors") {
    g.ui.battle_com.visible = true;
    GameState& s = g.s;
    s.in_battle = true;
    s.can_punch = s.can_magic = s.can_beast = s.can_item = true;
    s.floor = 1;
    s.my_name = "アレク";
    s.my_hp_max = 1000;
    s.my_hp = 600;
    s.my_mp_max = 90;
    s.my_mp = 50;
    s.my_body = 0;
    s.bougu_pow = 0;
    s.buki_ex = 0;
    s.class_now = cls::kNovice;
    s.my_state = 0;
    s.e_id = 10;
    s.e_name = "テスト";
    s.e_lv = 9;
    s.e_hp_max = 120;
    s.e_hp = 60;
    s.e_state = 0;
    s.e_buf_atk = s.e_buf_def = 0;
    s.buf_atk() = s.buf_def() = s.buf_beast() = 0;
  }

  // Queues draws; burst() stands for the draws of screen effect 6 or 7.
  EnemyRig& draw(std::initializer_list<int32_t> v) {
    rng.push(v);
    queued += v.size();
    return *this;
  }
  EnemyRig& burst() {
    for (int k = 0; k < kBurstDraws; ++k) rng.push({0});
    queued += kBurstDraws;
    return *this;
  }
  // Draws queued so far; a run that leaves some unused took another road.
  size_t queued = 0;

  // The message lines ("put: ..." and "add: ..."), in order.
  std::vector<std::string> messages() const {
    std::vector<std::string> v;
    std::istringstream in(out.str());
    for (std::string l; std::getline(in, l);)
      if (l.rfind("put: ", 0) == 0 || l.rfind("add: ", 0) == 0) v.push_back(l);
    return v;
  }
  // The messages begin with `lines` (the player's turn may add more after them).
  void expect_messages_begin(const std::vector<std::string>& lines) const {
    const std::vector<std::string> got = messages();
    ASSERT_GE(got.size(), lines.size()) << out.str();
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + static_cast<long>(lines.size())), lines)
        << out.str();
  }
  // The draws begin with these ranges (n of each random(n)), bursts left out.
  std::vector<int32_t> draws_without_bursts() const {
    std::vector<int32_t> v;
    for (size_t i = 0; i < rng.draws.size(); ++i) {
      if (rng.draws[i] == 129 && i + kBurstDraws <= rng.draws.size()) {
        i += kBurstDraws - 1;
        continue;
      }
      v.push_back(rng.draws[i]);
    }
    return v;
  }
  void expect_draws_begin(const std::vector<int32_t>& ns) const {
    const std::vector<int32_t> got = draws_without_bursts();
    ASSERT_GE(got.size(), ns.size());
    EXPECT_EQ(std::vector<int32_t>(got.begin(), got.begin() + static_cast<long>(ns.size())), ns);
  }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
};

}  // namespace z2::test
