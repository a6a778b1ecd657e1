// The shops: who gets in, what the counters offer, buying with its checks
// (money, the special ぼうやの声, the cap of 99) and selling.
#include <gtest/gtest.h>

#include <sstream>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/ids.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct ShopRig : test::NewGame {
  ShopRig() : test::NewGame("mini") {
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
    g.t.item_table.fill({});
    g.t.shop_table.fill({});
    g.t.wild_table.fill({});
    item(10, "薬", 0, 30);
    item(11, "剣", 400, 20);
    item(12, "ぼうやの声", 78, 0);
    g.t.shop_table[0] = {10, 25};
    g.t.shop_table[1] = {11, 70};
    g.t.shop_table[2] = {12, 5};
    g.t.wild_table[0] = {11, 40};
    g.t.wild_table[1] = {10, 60};
  }
  void item(int id, const std::string& name, int kind, int pow) {
    ItemRecord& r = g.t.item_table[static_cast<size_t>(id)];
    r.it_name = name;
    r.it_about = name + "です";
    r.it_kind = kind;
    r.it_pow = pow;
  }
  void choose(const std::string& name) {
    const auto& rows = g.ui.list_l.rows;
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == name) {
        g.ui.list_l.selected = static_cast<int>(i);
        ASSERT_TRUE(click(g, "list_l"));
        return;
      }
    FAIL() << "no row " << name;
  }
  void buy(const std::string& name, bool yes = true) {
    choose(name);
    plat.queue_answer(yes);
    ASSERT_TRUE(click(g, "OK"));
  }
  i32 have(int id) const { return g.s.item_have[static_cast<size_t>(id)]; }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
};

}  // namespace

TEST(Shop, EnteringPutsTheShopkeeperInTheOpponentsPlaceAndOpensTheStock) {
  ShopRig r;
  r.g.ui.takara.visible = true;
  ASSERT_TRUE(click(r.g, "s_shop"));
  const GameState& s = r.g.s;
  EXPECT_TRUE(s.host_mode);
  EXPECT_EQ(s.e_name, "タンホイザー");
  EXPECT_EQ(s.e_lv, 15);
  EXPECT_EQ(s.e_hp, 100);
  EXPECT_EQ(s.e_hp_max, 100);
  EXPECT_FALSE(r.g.ui.takara.visible);
  EXPECT_FALSE(r.g.ui.map_box.visible);
  EXPECT_FALSE(r.g.ui.menu_com.visible);
  EXPECT_TRUE(r.g.ui.shop_box.visible);
  EXPECT_TRUE(r.g.ui.list_box.visible);
  EXPECT_EQ(r.g.ui.list_box.caption, "買う");
  EXPECT_EQ(r.g.ui.cancel_b.caption, "部屋を出る");
  EXPECT_EQ(r.g.ui.moji_l.text, "何が欲しい？");
  EXPECT_EQ(r.g.ui.list_l.rows, (std::vector<std::string>{"薬", "剣", "ぼうやの声"}));

  // The sell counter lists what is owned and not worn.
  r.g.s.item_have[10] = 2;
  r.g.s.item_have[11] = 1;
  ASSERT_TRUE(click(r.g, "Button42"));
  EXPECT_EQ(r.g.ui.list_box.caption, "売る");
  EXPECT_EQ(r.g.ui.moji_l.text, "どれを売る？");
  EXPECT_EQ(r.g.ui.list_l.rows, (std::vector<std::string>{"薬"}));
  ASSERT_TRUE(click(r.g, "Button41"));
  EXPECT_EQ(r.g.ui.list_box.caption, "買う");

  // Leaving says goodbye and returns to the map.
  ASSERT_TRUE(click(r.g, "cancel_b"));
  EXPECT_TRUE(r.saw("put: 『また来てね』"));
  EXPECT_FALSE(r.g.s.host_mode);
  EXPECT_FALSE(r.g.ui.shop_box.visible);
  EXPECT_FALSE(r.g.ui.list_box.visible);
  EXPECT_TRUE(r.g.ui.map_box.visible);
  EXPECT_EQ(r.g.ui.cancel_b.caption, "Cancel");
}

TEST(Shop, BuyingChecksTheAnswerAndTheMoneyAndStopsCountingAtNinetyNine) {
  ShopRig r;
  r.g.s.cent = 100;
  click(r.g, "s_shop");
  r.buy("剣", false);
  EXPECT_TRUE(r.saw("ask: 剣を買いますか？ -> no"));
  EXPECT_EQ(r.g.s.cent, 100);
  r.buy("剣");
  EXPECT_EQ(r.g.s.cent, 30);
  EXPECT_EQ(r.have(11), 1);
  EXPECT_TRUE(r.saw("se: buy.wav"));
  EXPECT_EQ(r.g.ui.moji_l.text, "剣を買った!!\r\r他にはなにかいるかい？");
  EXPECT_EQ(r.g.ui.about_l.text, "◎剣\r所持 > 1個\r値段 > 70ｾﾝﾄ\r\r剣です");
  r.buy("剣");
  EXPECT_TRUE(r.saw("put: セントがたらないようだね"));
  EXPECT_EQ(r.g.s.cent, 30);
  EXPECT_EQ(r.have(11), 1);

  // A full stack is refused before the question, and the money is kept;
  // a count that a prize took past 99 is not cut back either.
  for (i32 full : {99, 150}) {
    r.g.s.item_have[10] = full;
    r.choose("薬");
    ASSERT_TRUE(click(r.g, "OK"));
    EXPECT_TRUE(r.saw("put: それ以上は持てないようだね"));
    EXPECT_TRUE(r.saw("se: miss.wav"));
    EXPECT_FALSE(r.saw("ask: 薬を買いますか？ -> yes"));
    EXPECT_EQ(r.g.s.cent, 30);
    EXPECT_EQ(r.have(10), full);
  }
  r.g.s.item_have[10] = 98;
  r.buy("薬");
  EXPECT_EQ(r.g.s.cent, 5);
  EXPECT_EQ(r.have(10), 99);
}

TEST(Shop, TheVoiceOfBoyaNeedsTheSevenPiecesAndNoBoya) {
  ShopRig r;
  GameState& s = r.g.s;
  s.cent = 100;
  for (int i = item::kSevenSetFirst; i <= item::kSevenSetLast; ++i) s.item_have[static_cast<size_t>(i)] = 2;
  s.monster_have[monster::kBoya] = 1;
  click(r.g, "s_shop");
  r.buy("ぼうやの声");
  EXPECT_EQ(r.g.ui.moji_l.text, "すまないが、それは特別なんだ、君には売れないよ");
  EXPECT_EQ(s.cent, 100);
  EXPECT_EQ(r.have(12), 0);
  EXPECT_EQ(r.have(item::kSevenSetFirst), 2);

  // One piece missing: refused too.
  s.monster_have[monster::kBoya] = 0;
  s.item_have[item::kSevenSetLast] = 0;
  r.buy("ぼうやの声");
  EXPECT_EQ(r.have(12), 0);
  EXPECT_EQ(r.have(item::kSevenSetFirst), 2);

  s.item_have[item::kSevenSetLast] = 1;
  r.buy("ぼうやの声");
  EXPECT_EQ(r.have(12), 1);
  EXPECT_EQ(s.cent, 95);
  for (int i = item::kSevenSetFirst; i < item::kSevenSetLast; ++i) EXPECT_EQ(r.have(i), 1) << i;
  EXPECT_EQ(r.have(item::kSevenSetLast), 0);
}

TEST(Shop, SellingPaysAFifthOfThePowerAndTheLastCopyLeavesTheList) {
  ShopRig r;
  GameState& s = r.g.s;
  r.item(13, "小石", 0, 4);
  s.item_have[13] = 1;
  s.item_have[10] = 2;
  click(r.g, "s_shop");
  click(r.g, "Button42");
  r.buy("薬");
  EXPECT_TRUE(r.saw("ask: 薬を6ｾﾝﾄで売りますか？ -> yes"));
  EXPECT_EQ(s.cent, 6);
  EXPECT_EQ(r.have(10), 1);
  EXPECT_EQ(r.g.ui.moji_l.text, "薬を売った!!\r\r他に何か売りたいかい？");
  EXPECT_EQ(r.g.ui.about_l.text, "◎薬\r所持 > 1個\r売値 > 6ｾﾝﾄ\r\r薬です");
  r.buy("小石");
  EXPECT_EQ(s.cent, 6);
  EXPECT_EQ(r.have(13), 0);
  EXPECT_EQ(r.g.ui.list_l.rows, (std::vector<std::string>{"薬"}));
  EXPECT_EQ(r.g.ui.about_l.text, "");
  r.buy("薬", false);
  EXPECT_EQ(r.have(10), 1);

  // A same-named record that is not owned cannot be sold.
  r.item(14, "薬", 0, 500);
  r.buy("薬");
  EXPECT_EQ(s.list_sel, 14);
  EXPECT_EQ(s.cent, 6);
  EXPECT_EQ(r.have(10), 1);
  EXPECT_EQ(r.have(14), 0);
}

TEST(WildShop, TheDoorOpensAtFiftyWildAndTheShopTakesCentsOnly) {
  ShopRig r;
  GameState& s = r.g.s;
  s.wild = 49;
  ASSERT_TRUE(click(r.g, "s_wild"));
  EXPECT_TRUE(r.saw("moji_l2: 【WILD】が低すぎて入店を断られました。"));
  EXPECT_FALSE(s.host_mode);
  EXPECT_FALSE(r.g.ui.list_box.visible);

  s.wild = 50;
  s.cent = 50;
  ASSERT_TRUE(click(r.g, "s_wild"));
  EXPECT_EQ(s.e_name, "ザクレブ");
  EXPECT_EQ(s.e_lv, 1500);
  EXPECT_EQ(s.e_hp_max, 15000);
  EXPECT_FALSE(r.g.ui.shop_box.visible);
  EXPECT_EQ(r.g.ui.list_box.caption, "WILD SHOP");
  EXPECT_EQ(r.g.ui.moji_l.text, "よく来たな！ここは真の闘士のみが集う場所だぜ");
  EXPECT_EQ(r.g.ui.list_l.rows, (std::vector<std::string>{"剣"}));
  r.buy("剣");
  EXPECT_TRUE(r.saw("ask: 剣を買うかい？ -> yes"));
  EXPECT_EQ(s.cent, 10);
  EXPECT_EQ(s.wild, 50);
  EXPECT_EQ(r.have(11), 1);
  r.buy("剣");
  EXPECT_TRUE(r.saw("put: セントがたらないようだぜ、出なおしてきな"));
  EXPECT_EQ(r.have(11), 1);

  s.cent = 500;
  s.item_have[11] = 99;
  r.choose("剣");
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_TRUE(r.saw("put: それ以上は持てねえぜ"));
  EXPECT_EQ(s.cent, 500);
  EXPECT_EQ(r.have(11), 99);
}
