// The player's weapon hit and the punch: the damage formula and its outcome
// draw, the classes and weapons that change it, the tower's ten, the
// infection, and the punch's order of steps and weapon wear. (Refusals, the
// tower strike and escapes are in the fight_commands transcript.)
// With the rig's numbers a punch is random(2) + 3*10 + 5 + 20/5 = 39 or 40.
#include <gtest/gtest.h>

#include "battle/player_commands.h"
#include "state/ids.h"
#include "test_player_rig.h"

using namespace z2;
using z2::test::PlayerRig;
using Lines = std::vector<std::string>;

TEST(PlayerAttack, OutcomeDrawDecidesTheHit) {
  struct Case {
    int r;
    Lines said;
    int e_hp;
  };
  const Case cases[] = {
      {0, {"add: 40ダメージ与えた!"}, 960},
      {34, {"add: 40ダメージ与えた!"}, 960},
      {35, {"add: SUPERｸﾘﾃｨｶﾙ!!", "add: 130ダメージ与えた!"}, 870},
      {36, {"add: ｸﾘﾃｨｶﾙ!!", "add: 85ダメージ与えた!"}, 915},
      {37, {"add: ｸﾘﾃｨｶﾙ!!", "add: 85ダメージ与えた!"}, 915},
      {38, {"add: Miss!!"}, 1000},
      {39, {"add: 敵は防御した!!", "add: 21ダメージ与えた!"}, 979},
  };
  for (const Case& c : cases) {
    PlayerRig r;
    r.rng.push({1, c.r});
    attack(r.g, 1);
    EXPECT_EQ(r.lines(), c.said) << "r = " << c.r;
    EXPECT_EQ(r.g.s.e_hp, c.e_hp) << "r = " << c.r;
    EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{2, 40})) << "r = " << c.r;
  }
}

TEST(PlayerAttack, StrengthFactorBonusesAndTheFloorOfOne) {
  {
    PlayerRig r;  // a rampage strikes with six times the attack
    r.rng.push({0, 0});
    attack(r.g, 2);
    EXPECT_EQ(r.lines(), Lines{"add: 69ダメージ与えた!"});
  }
  {
    PlayerRig r;  // the fight's bonuses count, the opponent's guard takes off
    r.g.s.buf_atk() = 7;
    r.g.s.e_buf_def = 3;
    r.rng.push({0, 0});
    attack(r.g, 1);
    EXPECT_EQ(r.lines(), Lines{"add: 43ダメージ与えた!"});
  }
  {
    PlayerRig r;  // however weak the punch, it deals 1; a guard then still deals 1
    r.g.s.my_atk = 0;
    r.g.s.my_lv = 0;
    r.g.s.buki_pow = 0;
    r.g.s.e_buf_def = 50;
    r.rng.push({1, 0, 1, 39});
    attack(r.g, 1);
    attack(r.g, 1);
    EXPECT_EQ(r.lines(), (Lines{"add: 1ダメージ与えた!", "add: 敵は防御した!!", "add: 1ダメージ与えた!"}));
    EXPECT_EQ(r.g.s.e_hp, 998);
  }
}

TEST(PlayerAttack, TowerTenComeUnshownAndEvenOnAMiss) {
  PlayerRig r;
  r.g.ui.tower_b.visible = true;
  r.rng.push({1, 0});
  attack(r.g, 1);
  EXPECT_EQ(r.lines(), Lines{"add: 40ダメージ与えた!"});
  EXPECT_EQ(r.g.s.e_hp, 950);
  EXPECT_FALSE(r.g.ui.tower_b.visible);

  r.g.ui.tower_b.visible = true;
  r.rng.push({1, 38});
  attack(r.g, 1);
  EXPECT_EQ(r.g.s.e_hp, 940);
  // Once the button is gone a hit gets no more tens.
  r.rng.push({1, 38});
  attack(r.g, 1);
  EXPECT_EQ(r.g.s.e_hp, 940);
}

TEST(PlayerAttack, ClassesThatChangeTheHit) {
  struct Case {
    int cls;
    std::vector<int32_t> draws;  // after random(2) = 1
    std::string said;
    int my_hp;
  };
  const Case cases[] = {
      {cls::kWildStyle, {0}, "add: 48ダメージ与えた!", 100},   // 40 + (40 / 9) * (250 / 100)
      {cls::kGambler, {0, 0}, "add: 120ダメージ与えた!", 100},  // one in three: triple
      {cls::kGambler, {1, 0}, "add: 0ダメージ与えた!", 100},    // otherwise nothing
      {cls::kLastStand, {0}, "add: 80ダメージ与えた!", 100},
      {cls::kBerserker, {0}, "add: 80ダメージ与えた!", 90},     // and a tenth of the hit points
  };
  for (const Case& c : cases) {
    PlayerRig r;
    r.g.s.class_now = c.cls;
    r.g.s.wild = 250;
    r.rng.push({1});
    for (int32_t d : c.draws) r.rng.push({d});
    attack(r.g, 1);
    EXPECT_EQ(r.lines(), Lines{c.said}) << "class " << c.cls;
    EXPECT_EQ(r.g.s.my_hp, c.my_hp) << "class " << c.cls;
  }
}

TEST(PlayerAttack, WeaponMultipliersEachWithItsOwnDraw) {
  struct Case {
    int ex;
    int chance;
    std::string text;
    int damage;
  };
  const Case cases[] = {
      {ex::kZeroHalf, 2, "add: ＞0倍", 0},    {ex::kZeroThird, 3, "add: ＞0倍", 0},
      {ex::kTimes15, 3, "add: ＞1.5倍", 60},  {ex::kTimes2, 3, "add: ＞2倍", 80},
      {ex::kHalf, 3, "add: ＞0.5倍", 20},     {ex::kTimes3, 3, "add: ＞3倍", 120},
  };
  for (const Case& c : cases) {
    PlayerRig hit;
    hit.g.s.buki_ex = c.ex;
    hit.rng.push({1, 0, 0});
    attack(hit.g, 1);
    EXPECT_EQ(hit.lines(), (Lines{c.text, "add: " + std::to_string(c.damage) + "ダメージ与えた!"})) << c.ex;
    EXPECT_EQ(hit.rng.draws, (std::vector<int32_t>{2, c.chance, 40})) << c.ex;

    PlayerRig pass;
    pass.g.s.buki_ex = c.ex;
    pass.rng.push({1, 1, 0});
    attack(pass.g, 1);
    EXPECT_EQ(pass.lines(), Lines{"add: 40ダメージ与えた!"}) << c.ex;
  }
  // The multiplier comes before the last-stand class doubles.
  PlayerRig r;
  r.g.s.buki_ex = ex::kTimes15;
  r.g.s.class_now = cls::kLastStand;
  r.rng.push({1, 0, 0});
  attack(r.g, 1);
  EXPECT_TRUE(r.saw("add: 120ダメージ与えた!"));
}

TEST(PlayerAttack, InfectionBitesAfterWeaponHitsOnly) {
  PlayerRig r;
  r.g.s.my_state = ail::kInfected;
  r.rng.push({1, 0});
  attack(r.g, 1);
  EXPECT_EQ(r.lines(), (Lines{"add: 40ダメージ与えた!", "put: アレクは感染によって25のダメージを受けた"}));
  EXPECT_EQ(r.g.s.my_hp, 75);

  // Beasts and magic: 4a + 3 * stat + level / 2 + 1 (+ the beast bonus); a = 0 halves.
  r.g.s.buf_beast() = 2;
  beast_hit(r.g, 1);
  beast_hit(r.g, 0);
  magic_hit(r.g, 1);
  EXPECT_EQ(r.lines(), (Lines{"add: 40ダメージ与えた!", "put: アレクは感染によって25のダメージを受けた",
                              "add: 27ダメージ与えた!", "add: 11ダメージ与えた!", "add: 19ダメージ与えた!"}));
  EXPECT_EQ(r.g.s.my_hp, 75);
  EXPECT_EQ(r.g.s.e_hp, 1000 - 40 - 27 - 11 - 19);
}

TEST(PlayerPunch, HitWearClassAndWeaponInThatOrder) {
  PlayerRig r;
  r.no_opponent_turn();
  r.g.s.class_now = cls::kHealingFist;
  r.g.s.buki_ex = 9;  // heals a little, one punch in two
  r.g.s.my_hp = 50;
  r.g.ui.tower_b.visible = true;
  r.g.ui.moji_l3.visible = true;
  // hit, outcome, wear, extra wear, the weapon's chance, the next opponent's chance
  r.rng.push({1, 0, 0, 0, 0, 1});
  ASSERT_TRUE(click(r.g, "b1"));
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{2, 40, 3, 3, 2, 17}));
  EXPECT_EQ(r.lines(), (Lines{"se: punch.wav", "add: 40ダメージ与えた!"}));
  EXPECT_EQ(r.g.s.e_hp, 960);  // the punch hid the tower first: no tens
  EXPECT_EQ(r.g.s.buki_pow, 17);
  EXPECT_EQ(r.g.s.my_hp, 50 + 8 + 10);
  EXPECT_FALSE(r.g.ui.battle_com.visible);
  EXPECT_FALSE(r.g.ui.tower_b.visible);
  EXPECT_FALSE(r.g.ui.moji_l3.visible);
}

TEST(PlayerPunch, WeaponWear) {
  struct Case {
    int ex;
    int pow;
    int wear, extra;
    int after;
  };
  const Case cases[] = {
      {0, 20, 1, 1, 20},
      {0, 20, 0, 0, 17},
      {ex::kNoWear, 20, 0, 0, 20},
      {ex::kExtraWear, 20, 0, 0, 13},  // 20 - 3, then 17 - 4
      {ex::kExtraWear, 20, 1, 0, 15},
      {0, 0, 0, 0, 0},  // a worn-out weapon stays at 0
  };
  for (const Case& c : cases) {
    PlayerRig r;
    r.no_opponent_turn();
    r.g.s.buki_ex = c.ex;
    r.g.s.buki_pow = c.pow;
    r.rng.push({0, 0, c.wear, c.extra, 0, 1});
    ASSERT_TRUE(click(r.g, "b1"));
    EXPECT_EQ(r.g.s.buki_pow, c.after) << c.ex << " " << c.wear << c.extra;
  }
}
