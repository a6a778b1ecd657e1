// The opponent's turn: its ailments, its choice of action, the colosseum's
// sets, its ordinary hit and the hand-back. Every draw is scripted; a draw
// list names the n of each random(n) in order (screen bursts left out).
#include <gtest/gtest.h>

#include "battle/enemy_actions.h"
#include "battle/turns.h"
#include "enemy_rig.h"
#include "state/ids.h"

using namespace z2;
using test::EnemyRig;

namespace {

// An opponent whose five fields all say "でこぴん" (a flick, action 0) has a
// quiet, predictable turn: the pick (15), not critical (20), one hit.
constexpr int kPickFirst = 14;
constexpr int kNoCrit = 1;

void flicker(EnemyRig& r) { r.g.t.enemy(r.g.s.e_id).en_act = {0, 0, 0, 0, 0}; }

}  // namespace

// ---- the ailment step ----

struct AilmentCase {
  const char* what;
  int e_state;
  std::vector<int32_t> draws;  // the step's own draws (bursts added where the step shows one)
  bool burst;
  std::vector<std::string> lines;
  bool acts;
  int e_state_after;
  int e_hp_after;  // before the opponent's action; e_hp starts at 60 of 120
  int my_hp_after;  // my_hp starts at 600
};

TEST(EnemyAilments, EveryCodeWithItsMessagesAndAmounts) {
  const std::vector<AilmentCase> cases = {
      {"healthy", 0, {}, false, {}, true, 0, 60, 600},
      {"poison", 1, {}, true, {"put: テストは毒に苦しんでいる", "add: 13の毒ダメージ"}, true, 1, 47, 600},
      {"wakes", 2, {0}, false, {"put: テストは目を覚ました!"}, true, 0, 60, 600},
      {"sleeps", 2, {1}, false, {"put: テストは眠っている", "add: zzZZZ"}, false, 2, 60, 600},
      {"stone lifts", 3, {0}, false, {"put: テストの石化が解けた!"}, true, 0, 60, 600},
      {"stone stays", 3, {6}, false, {"put: テストは石化している"}, false, 3, 60, 600},
      {"confusion lifts", 4, {0}, false, {"put: テストの混乱が解けた!"}, true, 0, 60, 600},
      {"hits itself", 4, {1, 0}, false, {"put: テストは混乱している", "add: テストは自分を攻撃した", "add: 9のダメージ"},
       false, 4, 51, 600},
      {"dazed", 4, {1, 1}, false, {"put: テストは混乱している", "add: テストはぼーっとしている..."}, false, 4, 60, 600},
      {"idle", 4, {1, 2}, false, {"put: テストは混乱している", "add: テストは何もしなかった..."}, false, 4, 60, 600},
      // A power-1 hit: 1000/20 + 3 + 9 - 1 = 61.
      {"strikes out", 4, {1, 3, 0, 1, 1}, false,
       {"put: テストは混乱している", "add: テストは攻撃してきた!", "add: 61ダメージくらった!"}, false, 4, 60, 539},
      {"rampage ends", 5, {0}, false, {"put: テストの暴走が解けた!"}, true, 0, 60, 600},
      {"rampages", 5, {1, 0, 1, 1}, false, {"put: テストは暴走している", "add: 64ダメージくらった!"}, false, 5, 60, 536},
      {"venom", 6, {}, true, {"put: テストは猛毒に苦しんでいる", "add: 16の猛毒ダメージ"}, true, 6, 44, 600},
      // Nothing at the start; its own (missed) hit then costs it an eighth.
      {"infected", 7, {}, false, {}, true, 7, 45, 600},
      {"curse turns to venom", 8, {0}, false, {"put: テストの呪いが解け、猛毒状態となった!"}, true, 6, 60, 600},
      {"curse holds", 8, {1}, false, {"put: テストは呪いによって動けない"}, false, 8, 60, 600},
      {"M curse lifts", 9, {0}, false, {"put: テストのＭ呪が解けた!"}, true, 0, 60, 600},
      {"M curse bites", 9, {1}, false, {"put: テストはＭ呪によってHPの１／３が無くなった"}, true, 9, 39, 600},
      {"leech", 10, {}, true, {"put: テストは毒に苦しんでいる", "add: アレクは13吸収した。"}, true, 10, 47, 613},
      {"unknown code", 42, {}, false, {}, true, 42, 60, 600},
  };
  for (const AilmentCase& c : cases) {
    SCOPED_TRACE(c.what);
    EnemyRig r;
    flicker(r);
    r.g.s.e_state = c.e_state;
    if (c.burst) r.burst();
    for (int32_t d : c.draws) r.draw({d});
    // The opponent's action, if it comes to one: a flick that misses, so
    // that nothing but the step changes the hit points. An opponent still
    // ailing rolls for its cure first.
    if (c.acts) {
      r.draw({kPickFirst});
      if (c.e_state_after != 0) r.draw({6});
      r.draw({kNoCrit, 26, 1, 1});
    }
    enemy_turn(r.g);

    std::vector<std::string> lines = c.lines;
    if (c.acts) {
      lines.push_back("put: テストの攻撃");
      lines.push_back("put: ＞でこぴん");
      lines.push_back("add: Miss!!");
    }
    r.expect_messages_begin(lines);
    // A skipped turn goes straight to the player: the opponent's line never shows.
    EXPECT_EQ(r.saw("put: テストの攻撃"), c.acts);
    EXPECT_EQ(r.g.s.e_state, c.e_state_after);
    EXPECT_EQ(r.g.s.e_hp, c.e_hp_after);
    EXPECT_EQ(r.g.s.my_hp, c.my_hp_after);
    EXPECT_TRUE(r.g.ui.battle_com.visible);
  }
}

TEST(EnemyAilments, VenomAtThreeHitPointsTakesOne) {
  EnemyRig r;
  flicker(r);
  r.g.s.e_state = ail::kVenom;
  r.g.s.e_hp = 3;
  r.burst().draw({kPickFirst, 6, kNoCrit, 26, 1, 1});
  enemy_turn(r.g);
  r.expect_messages_begin({"put: テストは猛毒に苦しんでいる", "add: 1の猛毒ダメージ", "put: テストの攻撃"});
  EXPECT_EQ(r.g.s.e_hp, 2);
}

TEST(EnemyAilments, PoisonThatFellsTheOpponentEndsTheFightBeforeItActs) {
  EnemyRig r;
  flicker(r);
  r.g.s.e_state = ail::kPoison;
  r.g.s.e_hp = 5;
  r.burst();
  enemy_turn(r.g);
  EXPECT_FALSE(r.g.s.in_battle);
  EXPECT_FALSE(r.saw("put: テストの攻撃"));
}

TEST(EnemyAilments, ASelfInflictedFallIsJudgedOnlyInThePlayersTurn) {
  EnemyRig r;
  r.g.s.e_state = ail::kConfused;
  r.g.s.e_hp = 5;
  r.g.s.my_state = ail::kPoison;
  // Stays confused, hits itself for 9; then the player's poison bites first.
  r.draw({1, 0});
  enemy_turn(r.g);
  const std::string t = r.out.str();
  const size_t fall = t.find("add: 9のダメージ");
  const size_t poison = t.find("put: アレクは毒に苦しんでいる");
  ASSERT_NE(fall, std::string::npos);
  ASSERT_NE(poison, std::string::npos);
  EXPECT_LT(fall, poison);
  EXPECT_FALSE(r.saw("put: テストの攻撃"));
  EXPECT_FALSE(r.g.s.in_battle);
}

// ---- the top floor and ファウスト ----

TEST(EnemyTurn, TopFloorOpponentShakesOffItsAilmentOneTimeInThree) {
  for (int roll : {0, 1}) {
    SCOPED_TRACE(roll);
    EnemyRig r;
    flicker(r);
    r.g.s.floor = kTopFloor;
    r.g.s.e_state = ail::kStone;
    // The purge roll; then, when the stone stays, its recovery roll (fails).
    r.draw({roll});
    if (roll == 0) r.draw({kPickFirst, kNoCrit, 26, 1, 1});
    else r.draw({1});
    enemy_turn(r.g);
    if (roll == 0) {
      r.expect_messages_begin({"put: テストは異常状態を解除した!!", "put: テストの攻撃"});
      EXPECT_EQ(r.g.s.e_state, 0);
    } else {
      r.expect_messages_begin({"put: テストは石化している"});
      EXPECT_EQ(r.g.s.e_state, ail::kStone);
    }
    r.expect_draws_begin({3, roll == 0 ? 15 : 7});
  }
}

TEST(EnemyTurn, FaustHandsItsAilmentToThePlayer) {
  EnemyRig r;
  flicker(r);
  r.g.s.e_name = "ファウスト";
  r.g.s.e_state = ail::kInfected;
  // The transfer, then the action pick with nothing left to suffer.
  r.draw({0, kPickFirst, kNoCrit, 26, 1, 1});
  enemy_turn(r.g);
  r.expect_messages_begin({"put: ファウストは異常状態をこちらに転換させた!!", "put: ファウストの攻撃"});
  EXPECT_EQ(r.g.s.my_state, ail::kInfected);
  EXPECT_EQ(r.g.s.e_state, 0);
}

TEST(EnemyTurn, FaustOnTheTopFloorRollsTwice) {
  EnemyRig r;
  flicker(r);
  r.g.s.floor = kTopFloor;
  r.g.s.e_name = "ファウスト";
  r.g.s.e_state = ail::kSleep;
  // The purge fails, the transfer fails, it sleeps on.
  r.draw({1, 1, 1});
  enemy_turn(r.g);
  r.expect_draws_begin({3, 3, 4});
  r.expect_messages_begin({"put: ファウストは眠っている", "add: zzZZZ"});
  EXPECT_EQ(r.g.s.my_state, 0);
}

// ---- the choice ----

TEST(PickAction, WeightsFiveFourThreeTwoOne) {
  EnemyRig r;
  for (int roll = 0; roll < 15; ++roll) r.draw({roll});
  std::vector<int> got;
  for (int roll = 0; roll < 15; ++roll) got.push_back(pick_action(r.g, 11, 12, 13, 14, 15));
  EXPECT_EQ(got, (std::vector<int>{15, 14, 14, 13, 13, 13, 12, 12, 12, 12, 11, 11, 11, 11, 11}));
}

TEST(PickAction, AnyActionAndTheSecondChanceOfSelfDestruction) {
  EnemyRig r;
  r.draw({14, 92});
  EXPECT_EQ(pick_action(r.g, 99, 99, 99, 99, 99), 92);
  // 67 is drawn once more, and the second draw stands even when it is 67 again.
  r.draw({3, 67, 40});
  EXPECT_EQ(pick_action(r.g, 1, 1, 99, 1, 1), 40);
  r.draw({3, 67, 67});
  EXPECT_EQ(pick_action(r.g, 1, 1, 99, 1, 1), 67);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{15, 93, 15, 93, 93, 15, 93, 93}));
  // All fives give five, with nothing more drawn.
  r.rng.draws.clear();
  for (int roll = 0; roll < 15; ++roll) {
    r.draw({roll});
    EXPECT_EQ(pick_action(r.g, 5, 5, 5, 5, 5), 5);
  }
  EXPECT_EQ(r.rng.draws.size(), 15u);
}

TEST(PickAction, AFlickOfAnAilingOpponentMayCureItInstead) {
  EnemyRig r;
  // Healthy: no cure roll.
  r.draw({14});
  EXPECT_EQ(pick_action(r.g, 0, 1, 1, 1, 1), 0);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{15}));
  r.g.s.e_state = ail::kPoison;
  r.draw({14, 0, 14, 6});
  EXPECT_EQ(pick_action(r.g, 0, 1, 1, 1, 1), kCureSelf);
  EXPECT_EQ(pick_action(r.g, 0, 1, 1, 1, 1), 0);
  // A 0 that came from 99 counts as a flick too.
  r.draw({14, 0, 0});
  EXPECT_EQ(pick_action(r.g, 99, 1, 1, 1, 1), kCureSelf);
  // Other codes never roll for the cure.
  r.rng.draws.clear();
  r.draw({0});
  EXPECT_EQ(pick_action(r.g, 0, 1, 1, 1, 4), 4);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{15}));
}

TEST(PickAction, AnyActionNeverGivesTheLastThree) {
  EnemyRig r;
  for (int v = 0; v < 200; ++v) r.draw({14, v});
  for (int v = 0; v < 200; ++v) {
    const int c = pick_action(r.g, 99, 0, 0, 0, 0);
    EXPECT_GE(c, 0);
    EXPECT_LE(c, 92);
  }
}

// ---- the colosseum ----

TEST(ColosseumSets, FloorsWithAndWithoutASet) {
  ASSERT_NE(colosseum_set(0), nullptr);
  EXPECT_EQ(*colosseum_set(0), (ActionSet{0, 1, 5, 25, 31}));
  EXPECT_EQ(*colosseum_set(21), (ActionSet{0, 90, 91, 92, 99}));
  EXPECT_EQ(*colosseum_set(24), (ActionSet{99, 84, 45, 81, 92}));
  for (int f : {13, 18, 22, 25, -1, 1000}) EXPECT_EQ(colosseum_set(f), nullptr) << f;
}

TEST(ColosseumSets, EveryPickDrawsAndTheSetWins) {
  EnemyRig r;
  r.g.s.no_escape = true;
  r.g.s.floor = kTopFloor;
  r.g.t.enemy(r.g.s.e_id).en_act = {59, 59, 59, 59, 59};
  // The record's pick (59), then the set's: 14 gives 99, then 45 (死神の鎌), which misses.
  r.draw({14, 14, 45, 1});
  enemy_turn(r.g);
  r.expect_draws_begin({15, 15, 93, 2});
  r.expect_messages_begin({"put: テストの攻撃", "put: ＞死神の鎌", "add: Miss!!"});
}

TEST(ColosseumSets, FloorThirteenKeepsTheBossSlotsFlicks) {
  EnemyRig r;
  r.g.s.no_escape = true;
  r.g.s.floor = 13;
  r.g.s.e_id = -1;
  r.g.s.e_state = ail::kPoison;
  // Poison, the pick (0), the cure roll (0 gives 39).
  r.burst().draw({7, 0});
  enemy_turn(r.g);
  r.expect_draws_begin({15, 7});
  r.expect_messages_begin({"put: テストは毒に苦しんでいる", "add: 13の毒ダメージ", "put: テストの攻撃",
                           "put: ＞ユージュアル", "add: テストのステータスが通常に戻った"});
  EXPECT_EQ(r.g.s.e_state, 0);
}

TEST(ColosseumSets, FaustUsesItsOwnSetAfterTheFloorsPick) {
  EnemyRig r;
  r.g.s.no_escape = true;
  r.g.s.floor = 2;
  r.g.s.e_name = "ファウスト";
  // Record pick, floor-2 pick, then Faust's: 10..14 gives 84.
  r.draw({0, 0, 12});
  enemy_turn(r.g);
  r.expect_draws_begin({15, 15, 15});
  r.expect_messages_begin({"put: ファウストの攻撃", "add: ファウストは何かの呪文を唱えている...."});
  // Outside the colosseum the name alone changes nothing.
  EnemyRig free;
  flicker(free);
  free.g.s.e_name = "ファウスト";
  free.draw({kPickFirst, kNoCrit, 26, 1, 1});
  enemy_turn(free.g);
  free.expect_draws_begin({15, 20, 28, 3, 3});
  free.expect_messages_begin({"put: ファウストの攻撃", "put: ＞でこぴん", "add: Miss!!"});
}

TEST(EnemyTurn, ActionsOutsideTheTableOnlyShowTheOpponentsLine) {
  for (int code : {96, 98, 100, -1, 1000}) {
    SCOPED_TRACE(code);
    EnemyRig r;
    r.g.t.enemy(r.g.s.e_id).en_act = {code, code, code, code, code};
    r.draw({0});
    enemy_turn(r.g);
    r.expect_messages_begin({"put: テストの攻撃"});
    for (const std::string& l : r.messages()) {
      EXPECT_NE(l.rfind("put: ＞", 0), 0u) << l;
      EXPECT_NE(l.rfind("add: ", 0), 0u) << l;
    }
    r.expect_draws_begin({15});
    EXPECT_EQ(r.g.s.my_hp, 600);
    EXPECT_TRUE(r.g.s.in_battle);
  }
}

TEST(EnemyTurn, AnOpponentWithoutARecordOnlyFlicks) {
  EnemyRig r;
  r.g.s.e_id = 4000;
  r.draw({kPickFirst, kNoCrit, 26, 1, 1});
  enemy_turn(r.g);
  r.expect_messages_begin({"put: テストの攻撃", "put: ＞でこぴん", "add: Miss!!"});
}

TEST(EnemyTurn, TheFightEndsWhenTheActionFellsThePlayer) {
  EnemyRig r;
  flicker(r);
  r.g.s.my_hp = 10;
  r.draw({kPickFirst, kNoCrit, 0, 1, 1});
  enemy_turn(r.g);
  EXPECT_FALSE(r.g.s.in_battle);
}

// ---- the ordinary hit ----

TEST(EnemyAttack, MinimalValuesFallBackToASmallRandomHit) {
  EnemyRig r;
  GameState& s = r.g.s;
  s.my_hp_max = 20;
  s.my_hp = 20;
  s.e_lv = 1;
  // 1 + 0 + 1 + 0 - 0 - 1 - 0 = 1: the damage becomes random(20 / 20) + 1.
  enemy_attack(r.g, 0);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{1, 28, 3, 3}));
  r.expect_messages_begin({"add: 1ダメージくらった!"});
  EXPECT_EQ(s.my_hp, 19);

  // Armour can push a stronger hit down to the same fallback.
  s.my_hp_max = s.my_hp = 100;
  s.bougu_pow = 40;
  r.rng.draws.clear();
  r.draw({4});
  enemy_attack(r.g, 0);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{5, 28, 3, 3}));
  EXPECT_EQ(s.my_hp, 95);
}

TEST(EnemyAttack, DamageFormulaGuardAndMiss) {
  EnemyRig r;
  GameState& s = r.g.s;
  s.my_body = 3;
  s.bougu_pow = 40;
  s.e_buf_atk = 7;
  s.buf_def() = -4;
  // 50 + 30 + 9 + 7 - 10 - 7 + 4 = 83
  r.draw({0, 1, 1});
  enemy_attack(r.g, 10);
  EXPECT_EQ(s.my_hp, 517);
  // Guarded: half plus one.
  r.draw({27, 1, 1});
  enemy_attack(r.g, 10);
  EXPECT_EQ(s.my_hp, 517 - 42);
  // Missed.
  r.draw({26, 1, 1});
  enemy_attack(r.g, 10);
  EXPECT_EQ(s.my_hp, 475);
  EXPECT_EQ(r.messages(), (std::vector<std::string>{"add: 83ダメージくらった!", "add: アレクは防御した!!",
                                                     "add: 42ダメージくらった!", "add: Miss!!"}));
}

TEST(EnemyAttack, TheAsceticTakesHalfAndWearsEvenOnAMiss) {
  EnemyRig r;
  GameState& s = r.g.s;
  s.class_now = cls::kAscetic;
  r.draw({26, 1, 1});
  enemy_attack(r.g, 0);
  EXPECT_EQ(s.my_hp_max, 1000 - 10);
  EXPECT_EQ(s.my_hp, 600);
  // A hit: the line keeps the whole number, the hit points lose half of it.
  r.draw({0, 1, 1});
  enemy_attack(r.g, 1);  // 49 + 3 + 9 - 1 = 60
  r.expect_messages_begin({"add: Miss!!", "add: 60ダメージくらった!"});
  EXPECT_EQ(s.my_hp, 570);
  EXPECT_EQ(s.my_hp_max, 990 - 10);
}

TEST(EnemyAttack, ArmourWearWithExtraEffectsEightyFiveAndEightySix) {
  struct Case {
    int buki_ex;
    int wear, extra;
    int bougu_after;
  };
  const Case cases[] = {
      {0, 0, 0, 80 - 11}, {0, 1, 0, 80},        {85, 0, 0, 80},        {85, 1, 1, 80},
      {86, 0, 0, 55},     {86, 1, 0, 80 - 17},  {86, 0, 1, 80 - 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.buki_ex) + " " + std::to_string(c.wear) + std::to_string(c.extra));
    EnemyRig r;
    r.g.s.bougu_pow = 80;
    r.g.s.buki_ex = c.buki_ex;
    r.draw({26, c.wear, c.extra});
    enemy_attack(r.g, 1);
    EXPECT_EQ(r.g.s.bougu_pow, c.bougu_after);
    // Both rolls are made whatever the weapon.
    EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{28, 3, 3}));
  }
  // Worn armour stops at 0.
  EnemyRig r;
  r.g.s.bougu_pow = 0;
  r.g.s.buki_ex = 86;
  r.draw({26, 0, 0});
  enemy_attack(r.g, 1);
  EXPECT_EQ(r.g.s.bougu_pow, 0);
}

TEST(EnemyAttack, AnInfectedOpponentHurtsItselfWithEveryHit) {
  EnemyRig r;
  r.g.s.e_state = ail::kInfected;
  r.g.s.e_hp = 100;
  // Three hits of 「３・スペシャリスト」, the middle one missed: it pays three times.
  r.draw({0, 1, 1, 26, 1, 1, 0, 1, 1});
  enemy_action(r.g, 50);
  EXPECT_EQ(r.g.s.e_hp, 100 - 3 * 15);
  r.expect_messages_begin({"put: ＞３・スペシャリスト", "add: 178ダメージくらった!",
                           "put: テストは感染によって15のダメージを受けている", "add: Miss!!",
                           "put: テストは感染によって15のダメージを受けている", "add: 178ダメージくらった!",
                           "put: テストは感染によって15のダメージを受けている"});
}
