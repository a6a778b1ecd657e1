// The rooms that start fights: the monster room and its rare visitor, both
// random rooms and their draws, the colosseum's entry rules and music, and
// the final gauntlet.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "rooms/fight_rooms.h"
#include "shell/game.h"
#include "data/picture.h"
#include "shell/title.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct RoomRig : test::MapGame {
  ~RoomRig() { EXPECT_LT(rng.draws.size(), 1000u); }
  bool on_map() const { return g.ui.map_box.visible && g.ui.menu_com.visible && !g.s.in_battle; }
};

// The draws of an encounter with record `slot` of floor 0 (no rare visitor,
// hit-point roll 0, item 1 when it carries a random one, the player opens).
void ordinary_rolls(ScriptedRandom& rng) { rng.push({1, 1, 1, 0, 1, 1, 1, 1}); }

}  // namespace

TEST(MonsterRoom, EntersAndStartsAFight) {
  RoomRig r;
  r.g.s.buf_atk() = 3;
  r.g.s.buf_beast() = 4;
  r.g.s.buf_def() = 5;
  r.g.s.e_buf_atk = 6;
  r.g.s.e_buf_def = 7;
  r.g.ui.takara.visible = true;
  r.g.ui.list_box.visible = true;
  r.rng.push({5, 4});
  ordinary_rolls(r.rng);
  ASSERT_TRUE(click(r.g, "s_battle"));
  EXPECT_TRUE(r.saw("se: battle.wav"));
  EXPECT_FALSE(r.g.ui.map_box.visible);
  EXPECT_FALSE(r.g.ui.menu_com.visible);
  EXPECT_FALSE(r.g.ui.list_box.visible);
  EXPECT_FALSE(r.g.ui.takara.visible);
  EXPECT_EQ(r.g.s.buf_atk(), 0);
  EXPECT_EQ(r.g.s.buf_beast(), 0);
  EXPECT_EQ(r.g.s.buf_def(), 0);
  EXPECT_EQ(r.g.s.e_buf_atk, 0);
  EXPECT_EQ(r.g.s.e_buf_def, 0);
  EXPECT_TRUE(r.g.s.room_battle);
  EXPECT_EQ(r.rng.draws.front(), 60);
  EXPECT_EQ(r.g.s.e_name, "火吹きトカゲ");
  EXPECT_TRUE(r.saw("put: 火吹きトカゲが出現!!"));
  EXPECT_TRUE(r.g.ui.battle_com.shown());
  QImage room;
  ASSERT_TRUE(load_picture(room, r.g.cg_dir() + "map0.bmp"));
  EXPECT_EQ(r.g.map_bak, room);
}

TEST(MonsterRoom, TheFarNortherner) {
  RoomRig r;
  r.rng.push({0});
  ASSERT_TRUE(click(r.g, "s_battle"));
  EXPECT_TRUE(r.g.s.host_mode);
  EXPECT_FALSE(r.g.s.in_battle);
  EXPECT_EQ(r.g.s.e_name, "極北人");
  EXPECT_EQ(r.g.s.e_lv, 0);
  EXPECT_EQ(r.g.s.e_hp, 777);
  EXPECT_EQ(r.g.s.e_hp_max, 777);
  EXPECT_TRUE(r.saw("put: 極北人が出現した!!"));
  EXPECT_TRUE(r.saw("add: \\r『どれか上げたげるヨ☆』"));
  EXPECT_EQ(r.g.ui.moji_l.text, "極北人が出現した!!\r\r『どれか上げたげるヨ☆』");
  EXPECT_FALSE(r.saw_part("が出現!!\n"));
  // The choice box with all eight gifts.
  for (const Control* c : {&r.g.ui.Button27, &r.g.ui.Button28, &r.g.ui.Button29, &r.g.ui.Button30,
                           &r.g.ui.Button31, &r.g.ui.Button51, &r.g.ui.lv2_b, &r.g.ui.lv3_b})
    EXPECT_TRUE(c->shown()) << c->name;
  EXPECT_FALSE(r.g.ui.battle_com.visible);
  QImage pic;
  ASSERT_TRUE(load_picture(pic, r.g.cg_dir() + "hoku.bmp"));
  EXPECT_EQ(r.g.e_bak, pic);
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{60}));
}

TEST(MonsterRoom, EmptyFloorRefusesUntouched) {
  RoomRig r;
  r.g.s.floor = 2;
  s_battleClick(r.g);
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_TRUE(r.saw("moji_l2: この階には出現する敵がいません"));
  EXPECT_FALSE(r.saw("se: battle.wav"));
  EXPECT_TRUE(r.on_map());
  EXPECT_FALSE(r.g.s.room_battle);
  EXPECT_TRUE(r.rng.draws.empty());
}

TEST(RandomRoom, FloorZeroPicksOnlyRecordsOneToSix) {
  RoomRig r;
  // Record 0 is never a random room's; the draw is made again.
  r.rng.push({0, 0, 4, 0});
  ordinary_rolls(r.rng);
  r.g.ui.rand_b.visible = true;
  ASSERT_TRUE(click(r.g, "rand_b"));
  EXPECT_EQ(r.g.ui.a_l.text, "4");
  EXPECT_EQ(r.g.s.e_id, 4);
  EXPECT_EQ(std::vector<int32_t>(r.rng.draws.begin(), r.rng.draws.begin() + 4),
            (std::vector<int32_t>{7, 0, 7, 0}));
  EXPECT_TRUE(r.saw("se: battle.wav"));
  EXPECT_FALSE(r.g.s.hard_room);
}

TEST(RandomRoom, FloorZeroOverManyVisits) {
  std::ostringstream out;
  HeadlessPlatform plat{out};
  SeededRandom rng(7);
  test::FixtureCopy floors("floors");
  Game g{plat, rng, floors.root};
  load_tables(g.t, g.dat_dir());
  new_game(g);
  std::set<int> seen;
  for (int i = 0; i < 150; ++i) {
    rand_bClick(g);
    const int a = std::stoi(g.ui.a_l.text);
    EXPECT_GE(a, 1);
    EXPECT_LE(a, 6);
    seen.insert(a);
  }
  EXPECT_EQ(seen.size(), 6u);
}

TEST(RandomRoom, BlankNamesAndMissingPicturesAreNeverPicked) {
  RoomRig r;
  r.g.s.floor = 2;  // bands 0 and 1
  // 12 is named " ", 13 has no picture, 14 will do
  r.rng.push({2, 1, 3, 1, 4, 1});
  ordinary_rolls(r.rng);
  rand_bClick(r.g);
  EXPECT_EQ(r.g.ui.a_l.text, "14");
  EXPECT_EQ(r.g.s.e_name, "岩ガニ");
  EXPECT_EQ(std::vector<int32_t>(r.rng.draws.begin(), r.rng.draws.begin() + 6),
            (std::vector<int32_t>{7, 2, 7, 2, 7, 2}));

  std::ostringstream out;
  HeadlessPlatform plat{out};
  SeededRandom rng(11);
  test::FixtureCopy floors("floors");
  Game g{plat, rng, floors.root};
  load_tables(g.t, g.dat_dir());
  new_game(g);
  g.s.floor = 2;
  for (int i = 0; i < 200; ++i) {
    rand_bClick(g);
    const int a = std::stoi(g.ui.a_l.text);
    EXPECT_NE(a, 12);
    EXPECT_NE(a, 13);
    EXPECT_NE(a, 0);
    EXPECT_LE(a % 10, 6);
  }
}

TEST(RandomRoom, NothingUsableRefusesUntouched) {
  RoomRig r;
  for (int n = 1; n <= 6; ++n) r.g.t.enemy(n).en_name = n % 2 ? " " : "";
  rand_bClick(r.g);
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_TRUE(r.saw("moji_l2: この階には出現する敵がいません"));
  EXPECT_FALSE(r.saw("se: battle.wav"));
  EXPECT_TRUE(r.on_map());
  EXPECT_TRUE(r.rng.draws.empty());
  EXPECT_EQ(r.g.ui.a_l.text, "");
}

TEST(RandomRoom, DebugButtonsAreTheRandomRooms) {
  RoomRig r;
  r.g.ui.debug_box.visible = true;
  r.rng.push({3, 0});
  ordinary_rolls(r.rng);
  ASSERT_TRUE(click(r.g, "Button56"));
  EXPECT_EQ(r.g.ui.a_l.text, "3");
  EXPECT_EQ(r.g.s.e_id, 3);

  RoomRig h;
  h.g.ui.debug_box.visible = true;
  h.rng.push({8, 0, 1, 1, 1, 1});
  ASSERT_TRUE(click(h.g, "Button57"));
  EXPECT_TRUE(h.g.s.hard_room);
  EXPECT_EQ(h.g.s.e_id, 8);
}

TEST(AdvancedRoom, FirstDrawReachesTheRareSlots) {
  RoomRig r;
  r.g.s.floor = 1;
  r.rng.push({8, 0, 1, 1, 1, 1});  // record 8 carries item 1: no item draws
  p_bClick(r.g);
  EXPECT_TRUE(r.g.s.hard_room);
  EXPECT_EQ(r.g.s.e_id, 8);
  EXPECT_EQ(r.g.s.e_name, "大泥人形");
  EXPECT_TRUE(r.saw("se: battle.wav"));
  // Below the player's level the room lifts the enemy: 1 + 0 + 0 + 4 + 1 = 6 >= 1.
  EXPECT_EQ(r.g.s.e_lv, 6);
  EXPECT_EQ(std::vector<int32_t>(r.rng.draws.begin(), r.rng.draws.begin() + 2), (std::vector<int32_t>{9, 1}));
}

TEST(AdvancedRoom, LaterDrawsStayWithTheOrdinarySlots) {
  RoomRig r;
  r.g.s.floor = 1;
  r.g.t.enemy(8).en_name.clear();
  r.rng.push({8, 0, 5, 0});
  ordinary_rolls(r.rng);
  p_bClick(r.g);
  EXPECT_EQ(r.g.s.e_id, 5);
  EXPECT_EQ(std::vector<int32_t>(r.rng.draws.begin(), r.rng.draws.begin() + 4),
            (std::vector<int32_t>{9, 1, 7, 1}));
}

TEST(AdvancedRoom, OnlyRareSlotsLeft) {
  // Records 7 and 8 only: the first draw may find them, a miss cannot be mended.
  RoomRig hit;
  for (int n = 1; n <= 6; ++n) hit.g.t.enemy(n).en_name.clear();
  hit.rng.push({7, 0, 1, 1, 1, 1});
  p_bClick(hit.g);
  EXPECT_EQ(hit.g.s.e_id, 7);

  RoomRig miss;
  for (int n = 1; n <= 6; ++n) miss.g.t.enemy(n).en_name.clear();
  miss.rng.push({3, 0});
  p_bClick(miss.g);
  EXPECT_TRUE(miss.saw("moji_l2: この階には出現する敵がいません"));
  EXPECT_FALSE(miss.saw("se: battle.wav"));
  EXPECT_TRUE(miss.on_map());
  EXPECT_FALSE(miss.g.s.hard_room);
  EXPECT_EQ(miss.rng.draws, (std::vector<int32_t>{9, 0}));
}

TEST(Colosseum, FloorZeroFight) {
  RoomRig r;
  r.g.s.buf_atk() = 2;
  r.g.s.e_buf_atk = 3;
  r.g.s.colo_count = 5;
  r.rng.push({1, 1, 1, 0, 1, 1, 1});
  ASSERT_TRUE(click(r.g, "colosiam_b"));
  EXPECT_TRUE(r.saw("se: punch.wav"));
  EXPECT_TRUE(r.saw("bgm: ere.mid"));
  EXPECT_EQ(r.g.s.e_id, -1);
  EXPECT_EQ(r.g.s.e_name, "門番ゴル");
  EXPECT_EQ(r.g.s.e_lv, 4);
  EXPECT_EQ(r.g.s.e_hp, 30);
  EXPECT_EQ(r.g.s.e_zoku, 1);
  EXPECT_TRUE(r.saw("put: 対戦相手・門番ゴルが出現!!"));
  EXPECT_TRUE(r.saw("big: 門番ゴル\\r『通りたければ俺を倒せ!』"));
  EXPECT_TRUE(r.g.s.no_escape);
  EXPECT_EQ(r.g.s.colo_count, 0);
  EXPECT_EQ(r.g.s.buf_atk(), 0);
  EXPECT_EQ(r.g.s.e_buf_atk, 3);  // the opponent's bonuses are kept here
  EXPECT_FALSE(r.g.s.room_battle);
  EXPECT_FALSE(r.g.ui.map_box.visible);
  EXPECT_FALSE(r.g.ui.menu_com.visible);
  EXPECT_TRUE(r.g.ui.battle_com.shown());
  // The music starts before the boss file is read.
  EXPECT_LT(r.out.str().find("bgm: ere.mid"), r.out.str().find("put: 対戦相手"));
}

TEST(Colosseum, WildGateOfFloorNineteen) {
  RoomRig r;
  r.g.s.floor = 19;
  r.g.s.wild = 299;
  colosiam_bClick(r.g);
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_TRUE(r.saw("moji_l2: ここには【WILD】が300以上ないと入れません"));
  EXPECT_FALSE(r.saw("se: punch.wav"));
  EXPECT_TRUE(r.on_map());

  RoomRig ok;
  ok.g.s.floor = 19;
  ok.g.s.wild = 300;
  ok.rng.push({1, 1, 1, 0, 1, 1, 1, 0});
  run_handler(ok.g, colosiam_bClick);
  EXPECT_TRUE(ok.saw("se: punch.wav"));
  EXPECT_TRUE(ok.saw("bgm: ending.mid"));
  EXPECT_EQ(ok.g.s.e_name, "野生の番人");
  EXPECT_EQ(ok.g.s.e_hp_max, 59 * 3);
  EXPECT_TRUE(ok.g.s.no_escape);
  EXPECT_EQ(ok.g.s.wild, 300);  // it is a condition, not a fee
}

TEST(Colosseum, MoneyGateOfFloorTwenty) {
  RoomRig r;
  r.g.s.floor = 20;
  r.g.s.cent = 2999;
  colosiam_bClick(r.g);
  EXPECT_TRUE(r.saw("moji_l2: ここにはセントが3000ｾﾝﾄ以上ないと入れません"));
  EXPECT_FALSE(r.saw("se: punch.wav"));
  EXPECT_EQ(r.g.s.cent, 2999);

  RoomRig ok;
  ok.g.s.floor = 20;
  ok.g.s.cent = 3000;
  run_handler(ok.g, colosiam_bClick);
  EXPECT_TRUE(ok.saw("se: punch.wav"));
  EXPECT_TRUE(ok.saw("bgm: dec05.mid"));
  EXPECT_EQ(ok.g.s.cent, 3000);  // it is a condition, not a fee
}

TEST(Colosseum, LevelGateOfTheTop) {
  RoomRig r;
  r.g.s.floor = 24;
  r.g.s.my_lv = 2;
  colosiam_bClick(r.g);
  EXPECT_TRUE(r.saw("moji_l2: ここにはＬＶ１でないと入れません"));
  EXPECT_FALSE(r.saw("se: punch.wav"));

  RoomRig ok;
  ok.g.s.floor = 24;
  ok.g.s.my_lv = 1;
  run_handler(ok.g, colosiam_bClick);
  EXPECT_TRUE(ok.saw("se: punch.wav"));
  EXPECT_TRUE(ok.saw("bgm: rworld.mid"));
}

TEST(Colosseum, GatesBelongToTheirFloors) {
  // Poor, tame and seasoned: only the gate of the floor counts.
  for (int f : {0, 18, 21, 23}) {
    RoomRig r;
    r.g.s.floor = f;
    r.g.s.my_lv = 5;
    r.rng.push({1, 1, 1, 0, 1, 1, 1});
    run_handler(r.g, colosiam_bClick);
    EXPECT_TRUE(r.saw("se: punch.wav")) << "floor " << f;
  }
}

TEST(Colosseum, UnreadableBossFileStopsBeforeTheFight) {
  RoomRig r;
  r.g.s.floor = 1;
  run_handler(r.g, colosiam_bClick);
  EXPECT_TRUE(r.saw("bgm: arm.mid"));
  EXPECT_TRUE(r.saw_part("error: "));
  EXPECT_TRUE(r.on_map());
  EXPECT_FALSE(r.g.s.no_escape);
  EXPECT_FALSE(r.g.ui.battle_com.visible);
}

TEST(Colosseum, MusicByFloor) {
  const char* const want[25] = {"ere.mid",  "arm.mid",    "sai.mid",   "11m.mid",   "gfsn.mid",   "end.mid",
                                "mayoi.mid", "vic.mid",   "always.mid", "dont.mid", "ere.mid",    "arm.mid",
                                "sai.mid",  "",           "11m.mid",   "gfsn.mid",  "best.mid",   "end.mid",
                                "mayoi.mid", "ending.mid", "dec05.mid", "dec06.mid", "best.mid",  "",
                                "rworld.mid"};
  for (int f = 0; f <= 24; ++f) EXPECT_EQ(colosseum_bgm(f), want[f]) << "floor " << f;
  EXPECT_EQ(colosseum_bgm(25), "");

  // Floor 13 keeps what plays.
  RoomRig r;
  r.g.s.floor = 13;
  run_handler(r.g, colosiam_bClick);
  EXPECT_TRUE(r.saw("se: punch.wav"));
  EXPECT_FALSE(r.saw_part("bgm: "));
}

TEST(Gauntlet, BossNinetyNine) {
  RoomRig r;
  r.g.s.floor_clear[24] = 100;
  r.g.ui.gouketu_b.visible = true;
  r.g.s.buf_def() = 9;
  r.rng.push({1, 1, 1, 0, 1, 1, 1, 2});
  ASSERT_TRUE(click(r.g, "gouketu_b"));
  EXPECT_TRUE(r.saw("se: punch.wav"));
  EXPECT_TRUE(r.saw("bgm: best.mid"));
  EXPECT_EQ(r.g.s.e_name, "豪傑の長");
  EXPECT_EQ(r.g.s.e_lv, 99);
  EXPECT_EQ(r.g.s.e_hp_max, 2 + 98 * 3);
  EXPECT_TRUE(r.g.s.no_escape);
  EXPECT_EQ(r.g.s.buf_def(), 0);
  EXPECT_TRUE(r.saw("big: 豪傑の長\\r『最後まで来たか』"));
  EXPECT_TRUE(r.g.ui.battle_com.shown());
  // It has no large picture of its own.
  QImage pic;
  ASSERT_TRUE(load_picture(pic, r.g.cg_dir() + "0_2.bmp"));
  EXPECT_EQ(r.g.boss_cg_bak, pic);
}
