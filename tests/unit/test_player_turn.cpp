// The start of the player's turn: the ailment step with every code, the
// gravity of floor 21, the seals, the boss's words, the portrait, the command
// box and the tower button; the bound on a run of lost turns; and the boss
// that would have had no hit points.
#include <gtest/gtest.h>

#include "battle/encounter.h"
#include "game_handlers.h"
#include "battle/turns.h"
#include "data/picture.h"
#include "state/ids.h"
#include "test_player_rig.h"
#include "game_fixture.h"

using namespace z2;
using z2::test::PlayerRig;
using Lines = std::vector<std::string>;

namespace {

const Lines kCommandBox = {"moji_l: アレクの攻撃", "se: 1.wav"};

Lines then_box(Lines l) {
  l.insert(l.end(), kCommandBox.begin(), kCommandBox.end());
  return l;
}

}  // namespace

TEST(PlayerAilments, PoisonsBiteAndTheTurnGoesOn) {
  struct Case {
    int state;
    int hp;
    size_t draws;  // 44 for the player's green burst (before the first line); +1 for the tower at low HP
    Lines said;
    int hp_after;
    int e_hp_after;
  };
  const Case cases[] = {
      {ail::kPoison, 100, 44, {"put: アレクは毒に苦しんでいる", "add: 11の毒ダメージ"}, 89, 500},
      {ail::kVenom, 100, 44, {"put: アレクは猛毒に苦しんでいる", "add: 25の猛毒ダメージ"}, 75, 500},
      {ail::kVenom, 3, 45, {"put: アレクは猛毒に苦しんでいる", "add: 0の猛毒ダメージ"}, 3, 500},
      {ail::kLeech, 100, 44, {"put: アレクは毒に苦しんでいる", "add: スライムは11吸収した。"}, 89, 511},
      {ail::kInfected, 100, 0, {}, 100, 500},
      {11, 100, 0, {}, 100, 500},
  };
  for (const Case& c : cases) {
    PlayerRig r;
    r.g.s.my_state = c.state;
    r.g.s.my_hp = c.hp;
    r.g.s.e_hp = 500;
    r.g.ui.battle_com.visible = false;
    my_turn(r.g);
    EXPECT_EQ(r.lines(), then_box(c.said)) << "state " << c.state;
    EXPECT_EQ(r.g.s.my_hp, c.hp_after) << "state " << c.state;
    EXPECT_EQ(r.g.s.e_hp, c.e_hp_after) << "state " << c.state;
    EXPECT_EQ(r.rng.draws.size(), c.draws) << "state " << c.state;
    EXPECT_TRUE(r.g.ui.battle_com.visible);
    EXPECT_EQ(r.g.s.my_state, c.state);  // poisons never wear off by themselves
  }
}

TEST(PlayerAilments, AilmentsThatWearOffLetThePlayerAct) {
  struct Case {
    int state;
    int chance;
    std::string said;
    int state_after;
  };
  const Case cases[] = {
      {ail::kSleep, 3, "put: アレクは目を覚ました!", 0},
      {ail::kStone, 5, "put: アレクの石化が解けた!", 0},
      {ail::kConfused, 4, "put: アレクの混乱が解けた!", 0},
      {ail::kRampage, 4, "put: アレクの暴走が解けた!", 0},
      {ail::kCurse, 3, "put: アレクの呪いが解け、猛毒状態となった!", ail::kVenom},
      {ail::kMCurse, 8, "put: アレクのＭ呪が解けた!", 0},
  };
  for (const Case& c : cases) {
    PlayerRig r;
    r.g.s.my_state = c.state;
    r.g.ui.battle_com.visible = false;
    r.rng.push({0});
    my_turn(r.g);
    EXPECT_EQ(r.lines(), then_box({c.said})) << "state " << c.state;
    EXPECT_EQ(r.rng.draws, std::vector<int32_t>{c.chance}) << "state " << c.state;
    EXPECT_EQ(r.g.s.my_state, c.state_after);
    EXPECT_EQ(r.g.s.my_hp, 100);  // the new venom bites from the next turn on
    EXPECT_TRUE(r.g.ui.battle_com.visible);
  }
  // The M-curse that stays takes a third (plus one) and still lets the player act.
  PlayerRig r;
  r.g.s.my_state = ail::kMCurse;
  r.rng.push({1});
  my_turn(r.g);
  EXPECT_EQ(r.lines(), then_box({"put: アレクはＭ呪によってHPの１／３が無くなった"}));
  EXPECT_EQ(r.g.s.my_hp, 66);
  EXPECT_EQ(r.g.s.my_state, ail::kMCurse);
}

TEST(PlayerAilments, LostTurnsShowTheirLinesThenTheOpponentsTurn) {
  struct Case {
    int state;
    std::vector<int32_t> draws;
    Lines said;
  };
  const Case cases[] = {
      {ail::kSleep, {1}, {"put: アレクは眠っている", "add: zzZZZ"}},
      {ail::kStone, {1}, {"put: アレクは石化している"}},
      {ail::kCurse, {1}, {"put: アレクは呪いによって動けない"}},
      {ail::kConfused, {1, 0}, {"put: アレクは混乱している", "add: アレクは自分を攻撃した", "add: 7のダメージ"}},
      {ail::kConfused, {1, 1}, {"put: アレクは混乱している", "add: アレクはぼーっとしている..."}},
      {ail::kConfused, {1, 2}, {"put: アレクは混乱している", "add: アレクは何もしなかった..."}},
      {ail::kConfused, {1, 3, 1, 0}, {"put: アレクは混乱している", "add: アレクは攻撃した!", "add: 40ダメージ与えた!"}},
      {ail::kRampage, {1, 0, 0}, {"put: アレクは暴走している", "add: 69ダメージ与えた!"}},
  };
  for (const Case& c : cases) {
    PlayerRig r;
    r.g.s.my_state = c.state;
    r.g.ui.battle_com.visible = false;
    for (int32_t d : c.draws) r.rng.push({d});
    my_turn(r.g);
    const Lines l = r.lines();
    ASSERT_GT(l.size(), c.said.size()) << "state " << c.state;
    EXPECT_EQ(Lines(l.begin(), l.begin() + static_cast<long>(c.said.size())), c.said) << "state " << c.state;
    // The turn is lost: the opponent's turn follows, not the command box.
    EXPECT_NE(l[c.said.size()], kCommandBox[0]) << "state " << c.state;
  }
}

TEST(PlayerAilments, ALostTurnHasNoOutcomeCheckOfItsOwn) {
  // The confused player knocks itself down to 0; the fall is found only in a
  // later turn's check, not straight after the lost turn.
  PlayerRig r;
  r.g.s.my_state = ail::kConfused;
  r.g.s.my_hp = 7;
  // A poisoned opponent: its ailment step runs before its turn's check.
  r.g.s.e_state = ail::kPoison;
  r.rng.push({1, 0});
  my_turn(r.g);
  const Lines l = r.lines();
  ASSERT_GE(l.size(), 4u);
  EXPECT_EQ(l[2], "add: 7のダメージ");
  EXPECT_NE(l[3], "put: アレクは死んでしまった....");
}

TEST(PlayerTurn, GravityOfFloorTwentyOneOnlyOnTurnsThePlayerPlays) {
  PlayerRig r;
  r.g.s.floor = 21;
  my_turn(r.g);
  EXPECT_EQ(r.lines(), then_box({"put: ＞重力ダメージ", "add: 11ダメージ受けた"}));
  EXPECT_EQ(r.g.s.my_hp, 89);

  // Asleep: the lost turn has no gravity; the turn played after it has.
  PlayerRig asleep;
  asleep.g.s.floor = 21;
  asleep.g.s.my_state = ail::kSleep;
  asleep.rng.push({1});
  my_turn(asleep.g);
  const Lines l = asleep.lines();
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(l[0], "put: アレクは眠っている");
  EXPECT_EQ(l[1], "add: zzZZZ");
  EXPECT_NE(l[2], "put: ＞重力ダメージ");
  EXPECT_EQ(asleep.count("put: ＞重力ダメージ"), asleep.count("se: 1.wav"));
}

TEST(PlayerTurn, SealsComeBackOneDrawEachInOrder) {
  PlayerRig r;
  r.g.s.can_punch = r.g.s.can_magic = r.g.s.can_beast = r.g.s.can_item = false;
  r.rng.push({0, 1, 0, 1});
  my_turn(r.g);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{10, 10, 10, 10}));
  EXPECT_EQ(r.lines(), then_box({"put: 攻撃可能になった", "put: モンスター可能になった"}));
  EXPECT_TRUE(r.g.s.can_punch);
  EXPECT_FALSE(r.g.s.can_magic);
  EXPECT_TRUE(r.g.s.can_beast);
  EXPECT_FALSE(r.g.s.can_item);

  // Only the sealed ones draw.
  PlayerRig one;
  one.g.s.can_item = false;
  one.rng.push({0});
  my_turn(one.g);
  EXPECT_EQ(one.rng.draws, std::vector<int32_t>{10});
  EXPECT_EQ(one.lines(), then_box({"put: アイテム可能になった"}));
}

TEST(PlayerTurn, TheBossSpeaksAtTurnsThreeFiveAndSeven) {
  PlayerRig r;
  r.g.s.no_escape = true;
  r.g.s.boss_name = "番人";
  r.g.s.boss_talk = {"いざ", "まだまだ", "やるな", "これまでか", "見事"};
  for (int turn = 1; turn <= 8; ++turn) my_turn(r.g);
  EXPECT_EQ(r.g.s.colo_count, 8);
  const Lines l = r.lines();
  Lines big;
  for (const std::string& s : l)
    if (s.rfind("big: ", 0) == 0) big.push_back(s);
  EXPECT_EQ(big, (Lines{"big: 番人\\r『まだまだ』", "big: 番人\\r『やるな』", "big: 番人\\r『これまでか』"}));
  // The next turn clears the big label again.
  EXPECT_FALSE(r.g.ui.moji_l3.visible);
  EXPECT_TRUE(r.g.ui.moji_l3.text.empty());

  r.g.s.colo_count = 99;
  my_turn(r.g);
  EXPECT_EQ(r.g.s.colo_count, 99);
}

TEST(PlayerTurn, PortraitFollowsTheHitPoints) {
  // The mini set has my.bmp only: a missing picture keeps the one shown.
  const QRgb red = qRgb(255, 0, 0);
  PlayerRig r;
  r.g.my_bak = blank_picture(64, 64, red);
  my_turn(r.g);  // full: my1.bmp, missing
  EXPECT_EQ(r.g.my_bak.pixel(10, 10), red);
  EXPECT_EQ(r.g.ui.my_cg.image.pixel(64, 64), red);

  r.g.s.my_hp = 50;  // wounded: my.bmp
  my_turn(r.g);
  EXPECT_NE(r.g.my_bak.pixel(10, 10), red);
  EXPECT_EQ(r.g.ui.my_cg.image.pixel(64, 64), r.g.my_bak.pixel(32, 32));
}

TEST(PlayerTurn, TowerButtonAtDeathsDoorOrWithItsWeapon) {
  {
    PlayerRig r;
    r.g.s.my_hp = 9;
    r.rng.push({0});
    my_turn(r.g);
    EXPECT_EQ(r.rng.draws, std::vector<int32_t>{10});
    EXPECT_TRUE(r.g.ui.tower_b.visible);
  }
  {
    PlayerRig r;
    r.g.s.my_hp = 9;
    r.rng.push({1});
    my_turn(r.g);
    EXPECT_FALSE(r.g.ui.tower_b.visible);
  }
  {
    PlayerRig r;  // not low enough: no draw at all
    r.g.s.my_hp = 10;
    my_turn(r.g);
    EXPECT_TRUE(r.rng.draws.empty());
    EXPECT_FALSE(r.g.ui.tower_b.visible);
  }
  {
    PlayerRig r;
    r.g.s.buki_ex = ex::kTower;
    my_turn(r.g);
    EXPECT_TRUE(r.rng.draws.empty());
    EXPECT_TRUE(r.g.ui.tower_b.visible);
  }
}

namespace {

// Never lets an ailment go: every draw is the largest it can be.
class Stubborn : public Random {
 public:
  int32_t random(int32_t n) override {
    ++draws;
    return n > 0 ? n - 1 : 0;
  }
  long draws = 0;
};

}  // namespace

TEST(PlayerTurn, ARunOfLostTurnsEndsWithThePlayersTurn) {
  std::ostringstream out;
  HeadlessPlatform plat(out);
  Stubborn rng;
  test::FixtureCopy mini("mini");
  Game g(plat, rng, mini.root);
  bind_handlers(g);
  load_tables(g.t, g.dat_dir());
  new_game(g);
  g.s.can_punch = g.s.can_magic = g.s.can_beast = g.s.can_item = true;
  g.s.my_name = "アレク";
  g.s.my_hp = g.s.my_hp_max = 100;
  g.s.in_battle = true;
  g.s.e_name = "スライム";
  g.s.e_hp = g.s.e_hp_max = 100;
  g.s.my_state = ail::kStone;
  g.s.e_state = ail::kStone;

  my_turn(g);

  // Both sides stay stone; after the cap the player gets the command box, once.
  int lost = 0, boxes = 0;
  std::istringstream in(out.str());
  for (std::string l; std::getline(in, l);) {
    lost += l == "put: アレクは石化している";
    boxes += l == "se: 1.wav";
  }
  EXPECT_EQ(lost, kLostTurnCap);
  EXPECT_EQ(boxes, 1);
  EXPECT_TRUE(g.ui.battle_com.visible);
  EXPECT_EQ(g.s.my_state, ail::kStone);
  EXPECT_EQ(g.turn_depth, 0);

  // The next turn starts a fresh run.
  out.str("");
  my_turn(g);
  std::istringstream again(out.str());
  int lost_again = 0;
  for (std::string l; std::getline(again, l);) lost_again += l == "put: アレクは石化している";
  EXPECT_EQ(lost_again, kLostTurnCap);
}

TEST(PlayerTurn, ABossOfLevelZeroOrOneStillHasAHitPoint) {
  struct Case {
    int lv;
    int roll;
    int hp;
  };
  for (const Case& c : {Case{0, 2, 1}, Case{0, 0, 1}, Case{1, 0, 1}, Case{1, 2, 2}, Case{2, 0, 3}}) {
    PlayerRig r;
    r.g.s.in_battle = false;
    r.g.s.boss_name = "見習い";
    r.g.s.boss_pic = "boss0.bmp";
    r.g.s.boss_big_pic = "bossbig0.bmp";
    r.g.s.boss_lv = c.lv;
    r.g.s.boss_hp = 0;
    // no rare visitor; the slot's hit-point roll; item 1, no rarer item; the boss's roll
    r.rng.push({1, 1, 1, 0, 1, 1, 1, c.roll});
    enemy_appear(r.g, -1);
    EXPECT_EQ(r.g.s.e_hp_max, c.hp) << c.lv << " " << c.roll;
    EXPECT_EQ(r.g.s.e_hp, c.hp);
    EXPECT_TRUE(r.g.s.in_battle);
    EXPECT_TRUE(r.g.ui.battle_com.visible);  // the boss did not fall before it acted
  }
}
