// The floor map: which rooms stand on which floor, the stairs and their
// rules, the commands and handicaps of the floors, the encyclopedia summary.
#include <gtest/gtest.h>

#include <sstream>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "rooms/floor_map.h"
#include "shell/game.h"
#include "data/picture.h"
#include "shell/title.h"
#include "state/random.h"
#include "state/ids.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct MapRig : test::MapGame {
  void stand_on(int floor, bool cleared = false) {
    g.s.floor = floor;
    g.s.floor_clear[static_cast<size_t>(floor)] = cleared ? 100 : 0;
    // Two refreshes: a rest floor marks itself cleared in the first one.
    for (int i = 0; i < 2; ++i) {
      apply_stairs(g);
      apply_colosseum_button(g);
      apply_floor_rules(g);
    }
  }
};

// s_battle, s_shop, s_monster, s_gomi, s_ch, s_wild, rand_b, p_b
const char* const kExpectedRooms[25] = {
    "11000000", "11010000", "10000000", "11101000", "10010000", "11010000", "11100100", "11111000",
    "00000010", "00000000", "00000100", "00000000", "00000000", "11111000", "00000000", "00000000",
    "00000101", "00000000", "11111100", "00000000", "00000000", "00000000", "11111000", "00000111",
    "00000000",
};

std::string rooms_shown(Game& g) {
  std::string r;
  for (const Control* c : {&g.ui.s_battle, &g.ui.s_shop, &g.ui.s_monster, &g.ui.s_gomi, &g.ui.s_ch, &g.ui.s_wild,
                           &g.ui.rand_b, &g.ui.p_b})
    r += c->visible ? '1' : '0';
  return r;
}

}  // namespace

TEST(FloorMap, EveryFloorShowsItsOwnRooms) {
  MapRig r;
  for (int f = 0; f <= 24; ++f) {
    // Start from the opposite of the table so that every button is really set.
    for (Control* c : {&r.g.ui.s_battle, &r.g.ui.s_shop, &r.g.ui.s_monster, &r.g.ui.s_gomi, &r.g.ui.s_ch,
                       &r.g.ui.s_wild, &r.g.ui.rand_b, &r.g.ui.p_b})
      c->visible = !c->visible;
    r.stand_on(f);
    EXPECT_EQ(rooms_shown(r.g), kExpectedRooms[f]) << "floor " << f;
    EXPECT_TRUE(r.g.ui.s_er.visible) << "floor " << f;
  }
}

TEST(FloorMap, ColosseumAndStairsFollowTheClearedFlag) {
  MapRig r;
  for (int f = 0; f <= 24; ++f) {
    r.g.s.key_have(key::kFloor7Key) = 1;
    r.stand_on(f, false);
    const bool rest_floor = f == 13 || f == 18 || f == 22;  // cleared by standing there
    EXPECT_EQ(r.g.ui.colosiam_b.visible, !rest_floor) << "floor " << f;
    EXPECT_EQ(r.g.ui.st_b1.visible, f > 0) << "floor " << f;
    if (f > 0) {
      EXPECT_EQ(r.g.ui.st_b1.caption, "▼" + std::to_string(f - 1) + "階へ");
    }

    r.stand_on(f, true);
    EXPECT_FALSE(r.g.ui.colosiam_b.visible) << "floor " << f;
    EXPECT_EQ(r.g.ui.st_b2.visible, f < 24) << "floor " << f;
    if (f < 24) {
      EXPECT_EQ(r.g.ui.st_b2.caption, "▲" + std::to_string(f + 1) + "階へ");
    }
  }
}

TEST(FloorMap, UpStairHiddenWhileTheFloorIsNotCleared) {
  MapRig r;
  r.stand_on(5, false);
  EXPECT_FALSE(r.g.ui.st_b2.visible);
  r.stand_on(5, true);
  EXPECT_TRUE(r.g.ui.st_b2.visible);
}

TEST(FloorMap, FloorSevenNeedsItsKey) {
  MapRig r;
  r.g.s.key_have(key::kFloor7Key) = 0;
  r.stand_on(7, true);
  EXPECT_FALSE(r.g.ui.st_b2.visible);
  EXPECT_TRUE(r.g.ui.st_b1.visible);
  r.g.s.key_have(key::kFloor7Key) = 1;
  r.stand_on(7, true);
  EXPECT_TRUE(r.g.ui.st_b2.visible);
  EXPECT_EQ(r.g.ui.st_b2.caption, "▲8階へ");
  // The key is the one at item 255.
  EXPECT_EQ(r.g.s.item_have[item::kFloor7Key], 1);
}

TEST(FloorMap, RestFloorsCountAsClearedOnArrival) {
  MapRig r;
  for (int f : {13, 18, 22}) {
    r.g.s.floor = f;
    r.g.s.floor_clear[static_cast<size_t>(f)] = 0;
    apply_floor_rules(r.g);
    EXPECT_EQ(r.g.s.floor_clear[static_cast<size_t>(f)], 100);
    apply_stairs(r.g);
    apply_colosseum_button(r.g);
    EXPECT_FALSE(r.g.ui.colosiam_b.visible);
    EXPECT_TRUE(r.g.ui.st_b2.visible);
  }
  // Other floors are not won by standing on them.
  r.g.s.floor = 14;
  apply_floor_rules(r.g);
  EXPECT_EQ(r.g.s.floor_clear[14], 0);
}

TEST(FloorMap, GauntletButtonOnlyOnFloorZeroAfterTheTopIsWon) {
  MapRig r;
  r.g.s.floor_clear[24] = 100;
  r.stand_on(0);
  EXPECT_TRUE(r.g.ui.gouketu_b.visible);
  r.g.s.floor_clear[fc::kGouketu] = 1;
  apply_floor_rules(r.g);
  EXPECT_FALSE(r.g.ui.gouketu_b.visible);
  r.g.s.floor_clear[fc::kGouketu] = 0;
  r.stand_on(1);
  EXPECT_FALSE(r.g.ui.gouketu_b.visible);
  r.g.s.floor_clear[24] = 99;
  r.stand_on(0);
  EXPECT_FALSE(r.g.ui.gouketu_b.visible);
}

TEST(FloorMap, FloorsDisableBattleCommands) {
  MapRig r;
  struct Row {
    int floor;
    const char* on;  // b1 b2 b3 b4
  };
  for (const Row& row : {Row{0, "1111"}, Row{8, "1111"}, Row{9, "1101"}, Row{10, "1110"}, Row{11, "1010"},
                         Row{12, "1100"}, Row{13, "1111"}, Row{19, "1111"}, Row{20, "0111"}, Row{21, "1111"},
                         Row{24, "1111"}}) {
    r.stand_on(row.floor);
    std::string on;
    for (const Control* c : {&r.g.ui.b1, &r.g.ui.b2, &r.g.ui.b3, &r.g.ui.b4}) on += c->enabled ? '1' : '0';
    EXPECT_EQ(on, row.on) << "floor " << row.floor;
  }
}

TEST(FloorMap, HandicapsCutHitAndMagicPoints) {
  MapRig r;
  auto at = [&](int floor, int hp, int hp_max, int mp, int mp_max) {
    r.g.s.floor = floor;
    r.g.s.my_hp = hp;
    r.g.s.my_hp_max = hp_max;
    r.g.s.my_mp = mp;
    r.g.s.my_mp_max = mp_max;
    apply_floor_rules(r.g);
  };
  at(14, 100, 100, 20, 20);
  EXPECT_EQ(r.g.s.my_hp, 50);
  EXPECT_EQ(r.g.s.my_mp, 20);
  at(14, 30, 100, 20, 20);
  EXPECT_EQ(r.g.s.my_hp, 30);
  at(15, 99, 99, 21, 21);
  EXPECT_EQ(r.g.s.my_hp, 49);
  EXPECT_EQ(r.g.s.my_mp, 10);
  at(17, 99, 99, 21, 21);
  EXPECT_EQ(r.g.s.my_hp, 24);
  EXPECT_EQ(r.g.s.my_mp, 21);
  at(16, 99, 99, 21, 21);
  EXPECT_EQ(r.g.s.my_hp, 99);
  EXPECT_EQ(r.g.s.my_mp, 21);
}

TEST(FloorMap, StairsMoveAndLoadTheBackground) {
  MapRig r;
  r.g.s.floor_clear[0] = 100;
  r.g.ui.takara.visible = true;
  st_b2Click(r.g);
  EXPECT_EQ(r.g.s.floor, 1);
  EXPECT_FALSE(r.g.ui.takara.visible);
  EXPECT_TRUE(r.saw("se: walk.wav"));
  EXPECT_TRUE(r.saw("moji_l2: 1階、砂の回廊に到着しました。"));
  EXPECT_EQ(r.g.ui.moji_l2.text, "1階、砂の回廊に到着しました。");
  QImage want;
  ASSERT_TRUE(load_picture(want, r.g.cg_dir() + "haikei1.bmp"));
  EXPECT_EQ(r.g.ui.haikei.image, want);

  // No haikei2.bmp: the common background, without a word.
  st_b2Click(r.g);
  EXPECT_EQ(r.g.s.floor, 2);
  ASSERT_TRUE(load_picture(want, r.g.cg_dir() + "haikei-1.bmp"));
  EXPECT_EQ(r.g.ui.haikei.image, want);
  EXPECT_EQ(r.out.str().find("error:"), std::string::npos);

  st_b1Click(r.g);
  st_b1Click(r.g);
  EXPECT_EQ(r.g.s.floor, 0);
  EXPECT_TRUE(r.saw("moji_l2: 0階、苔むす入口に到着しました。"));
  ASSERT_TRUE(load_picture(want, r.g.cg_dir() + "haikei0.bmp"));
  EXPECT_EQ(r.g.ui.haikei.image, want);
  // There is nothing below floor 0.
  st_b1Click(r.g);
  EXPECT_EQ(r.g.s.floor, 0);
}

TEST(FloorMap, StairButtonsAreBound) {
  MapRig r;
  r.g.s.floor_clear[0] = 100;
  r.stand_on(0, true);
  ASSERT_TRUE(click(r.g, "st_b2"));
  EXPECT_EQ(r.g.s.floor, 1);
  r.stand_on(1, false);
  ASSERT_TRUE(click(r.g, "st_b1"));
  EXPECT_EQ(r.g.s.floor, 0);
}

TEST(FloorMap, StatusButtonSumsUpTheEncyclopedias) {
  MapRig r;
  r.g.s.item_book[1] = 1;
  r.g.s.item_book[4] = 1;
  r.g.s.item_book[5] = 2;  // only a 1 counts
  r.g.s.md_book[0] = 1;
  r.g.s.magic_have[0] = 1;
  r.g.s.magic_have[7] = 1;  // a spell the table does not name still counts as known
  ASSERT_TRUE(click(r.g, "Button44"));
  EXPECT_TRUE(r.saw("se: but.wav"));
  EXPECT_EQ(r.g.ui.moji_l2.text,
            "◆ITEM図鑑：2/5\r◆ＭＤ図鑑：1/2\r◆ﾓﾝｽﾀｰ図鑑：0/1\r◆魔法図鑑：2/1");
}
