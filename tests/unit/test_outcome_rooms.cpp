// The chest on the map, the errand girl in the shop and the choice box.
#include <gtest/gtest.h>

#include <sstream>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "rooms/chest.h"
#include "rooms/errand_girl.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/ids.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct RoomRig : test::NewGame {
  GameState& s = g.s;

  RoomRig() : test::NewGame("mini") {
    g.ui.map_box.visible = true;
  }
  // Standing in the shop, as its entry leaves things.
  void in_shop() {
    s.host_mode = true;
    g.ui.map_box.visible = false;
    g.ui.shop_box.visible = true;
    g.ui.wata_b.visible = false;
  }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
  bool saw_part(const std::string& t) const { return out.str().find(t) != std::string::npos; }
};

}  // namespace

TEST(Chest, OpeningMovesItAndGivesOneOfFourThings) {
  RoomRig item;
  item.g.ui.takara.visible = true;
  item.rng.push({299, 249, 15, 1, 1, 1});
  ASSERT_TRUE(click(item.g, "takara"));
  EXPECT_FALSE(item.g.ui.takara.visible);
  EXPECT_EQ(item.g.ui.takara.left, 309);
  EXPECT_EQ(item.g.ui.takara.top, 259);
  EXPECT_TRUE(item.saw("se: item.wav"));
  EXPECT_TRUE(item.saw("put: 宝箱を開いた!!"));
  EXPECT_TRUE(item.saw("put: 【やくそう】を手に入れた!"));
  EXPECT_EQ(item.rng.draws, (std::vector<int32_t>{300, 250, 20, 499, 30, 100}));

  RoomRig empty;
  empty.rng.push({0, 0, 16});
  takaraClick(empty.g);
  EXPECT_TRUE(empty.saw("put: 何も入っていなかった..."));

  RoomRig cents;
  cents.s.cent = 5;
  cents.rng.push({0, 0, 18, 499});
  takaraClick(cents.g);
  EXPECT_TRUE(cents.saw("put: 499セントはいっていた!!"));
  EXPECT_EQ(cents.s.cent, 504);

  RoomRig dodge;
  dodge.s.my_hp = 20;
  dodge.rng.push({0, 0, 19, 0});
  takaraClick(dodge.g);
  EXPECT_TRUE(dodge.saw("put: 罠だ!!"));
  EXPECT_TRUE(dodge.saw("add: 咄嗟に避けた。"));
  EXPECT_EQ(dodge.s.my_hp, 20);
}

TEST(Chest, TheTrapHurtsAndCanKillThroughTheOutcomeCheck) {
  RoomRig hurt;
  hurt.s.my_hp = 20;
  hurt.s.my_hp_max = 20;
  hurt.rng.push({0, 0, 19, 1});
  takaraClick(hurt.g);
  EXPECT_TRUE(hurt.saw("add: 11ダメージ食らった!!"));
  EXPECT_EQ(hurt.s.my_hp, 9);
  EXPECT_FALSE(hurt.saw_part("死んでしまった"));

  // A player of 1 maximum HP loses exactly 1 and dies outside any fight.
  RoomRig dead;
  dead.s.my_hp = 1;
  dead.s.my_hp_max = 1;
  dead.s.cent = 40;
  dead.rng.push({0, 0, 19, 4, 1, 1});
  takaraClick(dead.g);
  EXPECT_TRUE(dead.saw("add: 1ダメージ食らった!!"));
  EXPECT_TRUE(dead.saw("put: アレクは死んでしまった...."));
  EXPECT_EQ(dead.s.cent, 20);
  EXPECT_EQ(dead.s.floor_clear[fc::kDeaths], 1);
  EXPECT_EQ(dead.s.my_hp, 1);  // rested on the map, at most the maximum
  EXPECT_TRUE(dead.g.ui.map_box.visible);
}

TEST(ErrandGirl, ArrivalChances) {
  for (int out : {0, 1}) {
    RoomRig r;
    r.s.wata_out = out;
    r.g.ui.wata.left = 3;
    r.rng.push({0});
    wata_arrival(r.g);
    EXPECT_TRUE(r.g.ui.wata.visible);
    EXPECT_EQ(r.g.ui.wata.left, 145);
    EXPECT_EQ(r.g.ui.wata.top, 152);
    EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{out ? 6 : 15}));
  }
  RoomRig away;
  away.g.ui.wata.visible = true;
  away.rng.push({1});
  wata_arrival(away.g);
  EXPECT_FALSE(away.g.ui.wata.visible);
}

TEST(ErrandGirl, OfferAndSendingForFiftyOneCents) {
  RoomRig r;
  r.in_shop();
  r.g.ui.wata.visible = true;
  ASSERT_TRUE(click(r.g, "wata"));
  EXPECT_TRUE(r.saw("moji_l: 『わたっ娘だよっ。51ｾﾝﾄでお手伝いするよ。\\r\\r51ｾﾝﾄの内1ｾﾝﾄはわた税だよ。』"));
  EXPECT_FALSE(r.g.ui.wata.visible);
  EXPECT_TRUE(r.g.ui.wata_b.shown());

  r.s.cent = 50;
  ASSERT_TRUE(click(r.g, "wata_b"));
  EXPECT_TRUE(r.saw("moji_l: ｾﾝﾄが足りないよ"));
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_EQ(r.s.cent, 50);
  EXPECT_EQ(r.s.wata_out, 0);
  EXPECT_TRUE(r.g.ui.wata_b.visible);

  r.s.cent = 51;
  ASSERT_TRUE(click(r.g, "wata_b"));
  EXPECT_EQ(r.s.cent, 0);
  EXPECT_EQ(r.s.wata_out, 1);
  EXPECT_EQ(r.s.wata, 1);
  EXPECT_FALSE(r.g.ui.wata_b.visible);
  EXPECT_TRUE(r.saw("put: ちょっと行ってくるから、まっててね"));
  EXPECT_TRUE(r.saw("add: わたっ娘は旅だって行った。"));
}

TEST(ErrandGirl, ReportsOfHerErrand) {
  struct Case {
    std::vector<int32_t> seq;
    const char* line;
    int cent, ark;
  };
  const Case cases[] = {
      {{0, 123}, "add: 123ｾﾝﾄ入手した", 223, 5},
      {{3, 1, 1, 1, 0}, "put: 【やくそう】を1コ手に入れた!", 100, 5},
      {{6, 0, 3}, "put: ゴミ【空き缶】を入手した!!", 100, 5},
      {{8}, "put: 『なにもなかったよ、ゴメンね。』", 100, 5},
      {{9}, "add: 80ｾﾝﾄ失った。", 20, 5},
      {{10}, "add: 200ｾﾝﾄ失った。", 0, 5},
      {{11, 4}, "add: 7Ark入手した", 100, 12},
  };
  for (const Case& c : cases) {
    RoomRig r;
    r.in_shop();
    r.s.wata_out = 1;
    r.s.wata = 5;
    r.s.cent = 100;
    r.g.ui.wata.visible = true;
    r.rng = ScriptedRandom(c.seq);
    wataClick(r.g);
    EXPECT_TRUE(r.saw("put: 『わたっ娘だよっ。アイテム探しに行ってきたよ。』"));
    EXPECT_TRUE(r.saw(c.line)) << c.line;
    EXPECT_EQ(r.s.cent, c.cent) << c.line;
    EXPECT_EQ(r.s.ark, c.ark) << c.line;
    EXPECT_TRUE(r.saw("add: 『じゃあね～』"));
    EXPECT_EQ(r.s.wata_out, 0);
    EXPECT_FALSE(r.g.ui.wata.visible);
    EXPECT_FALSE(r.saw_part("仲間"));
  }
  // Garbage that cannot be found named falls back to garbage 87, and without
  // that one she brings nothing.
  RoomRig fb;
  fb.in_shop();
  fb.s.wata_out = 1;
  fb.g.t.gomi_table[87].gm_name = "古タイヤ";
  fb.rng.push({7});
  wataClick(fb.g);
  EXPECT_EQ(fb.rng.draws.size(), 1u + 500u);
  EXPECT_TRUE(fb.saw("put: ゴミ【古タイヤ】を入手した!!"));
  EXPECT_EQ(fb.s.gomi_have[87], 1);

  RoomRig none;
  none.in_shop();
  none.s.wata_out = 1;
  none.rng.push({7});
  wataClick(none.g);
  EXPECT_TRUE(none.saw("put: 『なにもなかったよ、ゴメンね。』"));
  EXPECT_EQ(none.s.gomi_have[87], 0);
}

TEST(ErrandGirl, TheNinetyEighthErrandJoinsHerOnce) {
  RoomRig r;
  r.in_shop();
  r.s.wata = 97;
  r.s.cent = 1000;
  r.g.ui.wata_b.visible = true;
  ASSERT_TRUE(click(r.g, "wata_b"));
  EXPECT_EQ(r.s.wata, 98);
  r.g.ui.wata.visible = true;
  r.rng.push({8});
  ASSERT_TRUE(click(r.g, "wata"));
  EXPECT_TRUE(r.saw("put: 『あ、あと、えとね、えとね"));
  EXPECT_TRUE(r.saw("add: な、な、仲間に･･･"));
  EXPECT_TRUE(r.saw("add: して？』"));
  EXPECT_TRUE(r.saw("notice: 【わたっ娘】が仲間になった!!"));
  EXPECT_EQ(r.s.monster_have[monster::kErrandGirl], 1);

  for (int errand = 0; errand < 3; ++errand) {
    r.g.ui.wata_b.visible = true;
    ASSERT_TRUE(click(r.g, "wata_b"));
    r.g.ui.wata.visible = true;
    r.rng.push({8});
    ASSERT_TRUE(click(r.g, "wata"));
  }
  EXPECT_EQ(r.s.wata, 99);
  EXPECT_EQ(r.s.monster_have[monster::kErrandGirl], 1);
}

TEST(ChoiceBox, EveryButtonAfterALevelUp) {
  struct Case {
    const char* button;
    std::vector<int32_t> seq;
    const char* line;
    i32 GameState::*value;
    int raise;
  };
  const Case cases[] = {
      {"Button27", {3}, "put: 最大HPが7上がった!!", &GameState::my_hp_max, 7},
      {"Button28", {1}, "put: 最大MPが2上がった!!", &GameState::my_mp_max, 2},
      {"Button29", {}, "put: 攻撃力が1上がった!!", &GameState::my_atk, 1},
      {"Button30", {}, "put: 知力が1上がった!!", &GameState::my_int, 1},
      {"Button31", {}, "put: 体力が1上がった!!", &GameState::my_body, 1},
      {"Button51", {}, "put: 獣力が1上がった!!", &GameState::my_beast, 1},
  };
  for (const Case& c : cases) {
    RoomRig r;
    r.g.ui.map_box.visible = false;
    r.g.ui.lv_box.visible = true;
    r.s.my_hp = 1;
    const i32 before = r.s.*c.value;
    std::vector<int32_t> seq = c.seq;
    seq.push_back(1);  // no chest
    r.rng = ScriptedRandom(seq);
    ASSERT_TRUE(click(r.g, c.button));
    EXPECT_TRUE(r.saw("se: lvup.wav"));
    EXPECT_TRUE(r.saw(c.line)) << c.button;
    EXPECT_EQ(r.s.*c.value, before + c.raise) << c.button;
    EXPECT_FALSE(r.g.ui.lv_box.visible);
    EXPECT_TRUE(r.g.ui.map_box.visible);
    // After a fight the player rests: no visitor says goodbye.
    EXPECT_GT(r.s.my_hp, 1);
    EXPECT_FALSE(r.saw_part("『"));
    EXPECT_FALSE(click(r.g, "Button27"));
  }
}

TEST(ChoiceBox, TheFarNorthernersGiftsAndFarewells) {
  struct Case {
    const char* button;
    const char* line;
    const char* farewell;
  };
  const Case cases[] = {
      {"Button27", "put: 最大HPが4上がった!!", "put: 『よかったネ、バイバイ☆』"},
      {"Button28", "put: 最大MPが1上がった!!", "put: 『ＭＰ重要ダネ、チャオ♪』"},
      {"Button29", "put: 攻撃力が1上がった!!", "put: 『強くなったゾ、See YA!!』"},
      {"Button30", "put: 知力が1上がった!!", "put: 『賢くなったソ、サイチェン♪』"},
      {"Button31", "put: 体力が1上がった!!", "put: 『やったネ、またね！』"},
      {"Button51", "put: 獣力が1上がった!!", "put: 『やったネ、またね！』"},
      {"lv2_b", "put: ARKが20上がった!!", "put: 『ARK重要ダネ、チャオ♪』"},
      {"lv3_b", "put: セントが1000pｾﾝﾄ上がった!!", "put: 『セント重要ダネ、チャオ♪』"},
  };
  for (const Case& c : cases) {
    RoomRig r;
    r.g.ui.map_box.visible = false;
    r.s.host_mode = true;
    r.s.e_name = "極北人";
    r.s.my_hp = 3;
    r.s.ark = 10;
    r.g.ui.lv_box.visible = r.g.ui.lv2_b.visible = r.g.ui.lv3_b.visible = true;
    r.rng.push({0, 1});
    ASSERT_TRUE(click(r.g, c.button));
    EXPECT_TRUE(r.saw(c.line)) << c.button;
    EXPECT_TRUE(r.saw(c.farewell)) << c.button;
    EXPECT_FALSE(r.s.host_mode);
    EXPECT_FALSE(r.g.ui.lv2_b.visible);
    EXPECT_FALSE(r.g.ui.lv3_b.visible);
    EXPECT_TRUE(r.g.ui.map_box.visible);
    EXPECT_EQ(r.s.my_hp, 3);  // a visit is no fight: no rest
  }
  RoomRig cents;
  cents.s.host_mode = true;
  cents.g.ui.lv_box.visible = cents.g.ui.lv3_b.visible = true;
  cents.rng.push({1});
  click(cents.g, "lv3_b");
  EXPECT_EQ(cents.s.cent, 1000);
}
