// The player's weapon hit and the commands around it: the damage formula and
// its outcome draw, the classes and weapons that change it, the tower's ten,
// the infection, the punch's wear and refusals, the tower strike and escape.
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

TEST(PlayerPunch, RefusalsKeepTheTurnAndTheTowerIgnoresTheSeal) {
  PlayerRig r;
  r.g.s.buki_ex = ex::kNoPunch;
  ASSERT_TRUE(click(r.g, "b1"));
  r.g.s.buki_ex = 0;
  r.g.s.can_punch = false;
  ASSERT_TRUE(click(r.g, "b1"));
  EXPECT_EQ(r.lines(), (Lines{"se: miss.wav", "moji_l: 追加効果により攻撃できません", "se: miss.wav",
                              "moji_l: 敵の魔法によって攻撃できません"}));
  EXPECT_TRUE(r.rng.draws.empty());
  EXPECT_TRUE(r.g.ui.battle_com.visible);
  EXPECT_EQ(r.g.s.e_hp, 1000);
  EXPECT_EQ(r.g.s.buki_pow, 20);

  // The tower strike: five times the attack plus ten, a fifth of the weapon,
  // and neither the class nor the weapon's effect.
  r.no_opponent_turn();
  r.g.s.class_now = cls::kDoublePunch;
  r.g.s.buki_ex = 9;
  r.g.ui.tower_b.visible = true;
  r.rng.push({0, 0, 1});
  ASSERT_TRUE(click(r.g, "tower_b"));
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{2, 40, 14}));
  EXPECT_TRUE(r.saw("se: tower.wav"));
  EXPECT_EQ(r.count("add: 159ダメージ与えた!"), 1);
  EXPECT_EQ(r.g.s.e_hp, 1000 - 169);
  EXPECT_EQ(r.g.s.buki_pow, 15);
  EXPECT_FALSE(r.g.ui.tower_b.visible);
}

TEST(PlayerEscape, CountsCostsAndOutcomes) {
  {
    PlayerRig r;  // success: the fight ends, no reward
    r.g.s.wild = 100;
    r.g.s.combo = 3;
    r.rng.push({2});
    ASSERT_TRUE(click(r.g, "Button7"));
    EXPECT_EQ(r.first(2), (Lines{"se: walk.wav", "put: 逃亡成功!!"}));
    EXPECT_FALSE(r.g.s.in_battle);
    EXPECT_EQ(r.g.s.floor_clear[fc::kEscapes], 1);
    EXPECT_EQ(r.g.s.wild, 95);
    EXPECT_EQ(r.g.s.combo, 3);
  }
  for (auto [draw, text] : {std::pair{0, "put: ずっこけた!!"}, std::pair{1, "put: 逃亡失敗!!"}}) {
    PlayerRig r;
    r.rng.push({draw});
    ASSERT_TRUE(click(r.g, "Button7"));
    EXPECT_EQ(r.first(2), (Lines{"se: miss.wav", text}));
    EXPECT_EQ(r.g.s.floor_clear[fc::kEscapes], 1);
  }
  {
    PlayerRig r;  // a colosseum fight cannot be left, but the try still counts and costs
    r.g.s.wild = 100;
    r.g.s.no_escape = true;
    ASSERT_TRUE(click(r.g, "Button7"));
    EXPECT_EQ(r.first(1), (Lines{"put: 逃走不可能!!"}));
    EXPECT_TRUE(r.rng.draws.empty() || r.rng.draws[0] != 4);
    EXPECT_EQ(r.g.s.floor_clear[fc::kEscapes], 1);
    EXPECT_EQ(r.g.s.wild, 95);
  }
  {
    PlayerRig r;  // the weapon forbids it: nothing counted, nothing paid
    r.g.s.wild = 100;
    r.g.s.buki_ex = ex::kNoEscape;
    ASSERT_TRUE(click(r.g, "Button7"));
    EXPECT_EQ(r.lines(), (Lines{"se: miss.wav", "moji_l: 追加効果によって使用不可"}));
    EXPECT_EQ(r.g.s.floor_clear[fc::kEscapes], 0);
    EXPECT_EQ(r.g.s.wild, 100);
    EXPECT_TRUE(r.g.ui.battle_com.visible);
  }
}

TEST(PlayerEscape, TheNinetyNinthEscapeTeachesRunAwayOnce) {
  PlayerRig r;
  r.g.s.floor_clear[fc::kEscapes] = 98;
  r.rng.push({2});
  ASSERT_TRUE(click(r.g, "Button7"));
  EXPECT_EQ(r.first(1), Lines{"add: 魔法【ラナウェイ】を覚えた!!"});
  EXPECT_EQ(r.g.s.magic_have[magic::kRunAway], 1);
  EXPECT_EQ(r.g.s.floor_clear[fc::kEscapes], 99);

  // The next escape stays at 99 and teaches nothing more.
  r.g.s.in_battle = true;
  r.g.ui.battle_com.visible = true;
  r.g.ui.map_box.visible = false;
  r.rng.push({2});
  ASSERT_TRUE(click(r.g, "Button7"));
  EXPECT_EQ(r.count("add: 魔法【ラナウェイ】を覚えた!!"), 1);
  EXPECT_EQ(r.g.s.floor_clear[fc::kEscapes], 99);
}
