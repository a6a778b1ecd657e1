// The list panel: what each mode lists and in which order, how a click picks
// a record by name, the about texts, the openers' refusals and leaving a room.
#include <gtest/gtest.h>

#include <sstream>

#include "data/tables.h"
#include "lists/list_panel.h"
#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/ids.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct PanelRig : test::NewGame {
  PanelRig() : test::NewGame("mini") {
    g.s.can_punch = g.s.can_magic = g.s.can_beast = g.s.can_item = true;
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
    // Tests write their own records; none of the set's is kept.
    g.t.item_table.fill({});
    g.t.shop_table.fill({});
    g.t.wild_table.fill({});
    g.t.job_table.fill({});
  }
  void item(int id, const std::string& name, int kind, int pow = 0, int ex = 0) {
    ItemRecord& r = g.t.item_table[static_cast<size_t>(id)];
    r.it_name = name;
    r.it_about = name + "の説明";
    r.it_kind = kind;
    r.it_pow = pow;
    r.it_ex = ex;
  }
  std::vector<std::string> rows() const { return g.ui.list_l.rows; }
  void caption(std::string_view c) { g.ui.list_box.caption = std::string(c); }
  void pick(int row) {
    g.ui.list_box.visible = true;
    g.ui.list_l.selected = row;
    ASSERT_TRUE(click(g, "list_l"));
  }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
};

using Rows = std::vector<std::string>;

}  // namespace

TEST(ListFill, ShopOffersGrowWithFloorAndEverySixthLevel) {
  PanelRig r;
  for (int i = 0; i < 12; ++i) {
    r.item(10 + i, "品" + std::to_string(i), 0);
    r.g.t.shop_table[static_cast<size_t>(i)] = {10 + i, 100 * i};
  }
  r.g.s.floor = 0;
  for (auto [lv, count] : {std::pair{1, 6}, {5, 6}, {6, 7}, {12, 8}}) {
    r.g.s.my_lv = lv;
    list_open(r.g, ListMode::Buy);
    EXPECT_EQ(r.rows().size(), static_cast<size_t>(count)) << "level " << lv;
  }
  r.g.s.my_lv = 1;
  r.g.s.floor = 3;
  list_open(r.g, ListMode::Buy);
  EXPECT_EQ(r.rows().size(), 9u);
  EXPECT_EQ(r.rows().back(), "品8");
  // Far beyond the table the offer is simply the whole table, and a
  // negative reach offers nothing.
  r.g.s.floor = 2000000000;
  r.g.s.my_lv = 2000000000;
  list_open(r.g, ListMode::Buy);
  EXPECT_EQ(r.rows().size(), 12u);
  r.g.s.floor = -20;
  r.g.s.my_lv = 1;
  list_open(r.g, ListMode::Buy);
  EXPECT_TRUE(r.rows().empty());
}

TEST(ListFill, ShopSkipsEmptyEntriesAndRowsTakeThePriceOfTheirPosition) {
  PanelRig r;
  r.item(3, "薬", 0);
  r.item(4, "傘", 0);
  r.item(5, "", 0);  // no such item
  r.g.t.shop_table[0] = {3, 10};
  r.g.t.shop_table[1] = {0, 20};  // an empty entry
  r.g.t.shop_table[2] = {4, 30};
  r.g.t.shop_table[3] = {5, 40};
  r.g.t.shop_table[4] = {600, 50};  // beyond the item table
  list_open(r.g, ListMode::Buy);
  EXPECT_EQ(r.rows(), (Rows{"薬", "傘"}));
  r.caption(caption::kBuy);
  r.pick(1);
  EXPECT_EQ(r.g.s.list_sel, 4);
  // 傘 stands in row 1, so it costs what entry 1 says, not entry 2.
  EXPECT_EQ(r.g.ui.about_l.text, "◎傘\r所持 > 0個\r値段 > 20ｾﾝﾄ\r\r傘の説明");
}

TEST(ListFill, WildShopOffersOneMoreEntryPerNinetyNineWild) {
  PanelRig r;
  r.item(7, "闘魂", 0);
  r.item(8, "覇気", 0);
  r.g.t.wild_table[0] = {7, 500};
  r.g.t.wild_table[1] = {8, 900};
  r.g.s.wild = 98;
  list_open(r.g, ListMode::WildShop);
  EXPECT_EQ(r.rows(), (Rows{"闘魂"}));
  r.g.s.wild = 99;
  list_open(r.g, ListMode::WildShop);
  EXPECT_EQ(r.rows(), (Rows{"闘魂", "覇気"}));
  r.caption(caption::kWildShop);
  r.pick(1);
  EXPECT_EQ(r.g.ui.about_l.text, "◎覇気\r所持 > 0個\r値段 > 900ｾﾝﾄ\r\r覇気の説明");
}

TEST(ListFill, ClassesOpenEveryFifteenLevelsAndModeNineIsEmpty) {
  PanelRig r;
  for (int i = 0; i < 5; ++i) r.g.t.job_table[static_cast<size_t>(i)].jb_name = "職" + std::to_string(i);
  r.g.s.my_lv = 14;
  list_open(r.g, ListMode::Classes);
  EXPECT_EQ(r.rows(), (Rows{"職0", "職1"}));
  r.g.s.my_lv = 15;
  list_open(r.g, ListMode::Classes);
  EXPECT_EQ(r.rows(), (Rows{"職0", "職1", "職2"}));
  r.g.s.item_have[1] = 1;
  r.item(1, "薬", 0);
  list_open(r.g, ListMode::Empty);
  EXPECT_TRUE(r.rows().empty());
}

TEST(ListFill, WeaponsComeBeforeArmourAndConsumablesLeaveBothOut) {
  PanelRig r;
  r.item(2, "鎧", 450);
  r.item(3, "剣", 400);
  r.item(4, "盾", 499);
  r.item(5, "斧", 449);
  r.item(6, "薬", 399);
  r.item(7, "札", 500);
  r.item(8, "槍", 400);  // not owned
  r.item(9, "", 0);     // owned but nameless
  for (int i = 2; i <= 7; ++i) r.g.s.item_have[static_cast<size_t>(i)] = 1;
  r.g.s.item_have[9] = 3;
  list_open(r.g, ListMode::Equipment);
  EXPECT_EQ(r.rows(), (Rows{"剣", "斧", "鎧", "盾"}));
  list_open(r.g, ListMode::Consumables);
  EXPECT_EQ(r.rows(), (Rows{"薬", "札"}));
  list_open(r.g, ListMode::Sell);
  EXPECT_EQ(r.rows(), (Rows{"薬", "札"}));
}

TEST(ListFill, RefillingClearsTheSelectionTheAboutTextAndThePicture) {
  PanelRig r;
  r.g.ui.list_l.rows = {"古い行"};
  r.g.ui.list_l.selected = 0;
  r.g.ui.about_l.text = "古い説明";
  r.g.ui.mon_pic.visible = true;
  r.g.ui.mon_pic.image = QImage(4, 4, QImage::Format_RGB32);
  list_open(r.g, ListMode::Magic);
  EXPECT_TRUE(r.rows().empty());
  EXPECT_EQ(r.g.ui.list_l.selected, -1);
  EXPECT_EQ(r.g.ui.about_l.text, "");
  EXPECT_FALSE(r.g.ui.mon_pic.visible);
  EXPECT_TRUE(r.g.ui.mon_pic.image.isNull());
}

TEST(ListSelect, SameNamePicksTheHigherRecordAndUnknownNamesKeepTheOldOne) {
  PanelRig r;
  r.item(12, "薬草", 0, 30);
  r.item(40, "薬草", 0, 50);
  r.g.s.item_have[12] = 2;
  r.g.s.item_have[40] = 1;
  r.caption(caption::kItems);
  list_open(r.g, ListMode::Consumables);
  ASSERT_EQ(r.rows(), (Rows{"薬草", "薬草"}));
  r.pick(0);
  EXPECT_EQ(r.g.s.list_sel, 40);
  EXPECT_EQ(r.g.ui.about_l.text, "◎薬草\r所持 > 1個\r\r薬草の説明");

  // A line whose name no record carries (the data changed under the list):
  // the previous choice stays and is described again.
  r.g.ui.list_l.rows.push_back("幻の品");
  r.g.ui.about_l.text.clear();
  r.pick(2);
  EXPECT_EQ(r.g.s.list_sel, 40);
  EXPECT_EQ(r.g.ui.about_l.text, "◎薬草\r所持 > 1個\r\r薬草の説明");

  // No row, an empty line, or a caption without a table: nothing at all.
  r.g.ui.about_l.text = "そのまま";
  r.g.ui.list_l.rows.push_back("");
  r.pick(3);
  r.pick(-1);
  r.caption("リスト");
  r.pick(0);
  EXPECT_EQ(r.g.ui.about_l.text, "そのまま");
  EXPECT_EQ(r.g.s.list_sel, 40);
}

TEST(ListAbout, EveryCaptionWritesItsOwnText) {
  PanelRig r;
  GameState& s = r.g.s;
  Tables& t = r.g.t;
  r.item(3, "剣", 420, 15, 1);
  r.item(4, "鎧", 460, 9);
  r.item(5, "石", 0, 24);
  s.item_have[3] = 2;
  s.item_have[4] = 1;
  s.item_have[5] = 7;
  auto about = [&](std::string_view cap, int sel) {
    r.caption(cap);
    s.list_sel = sel;
    list_about(r.g);
    return r.g.ui.about_l.text;
  };
  EXPECT_EQ(about(caption::kEquipment, 3), "◎剣 △15\r所持 > 2個\r追加 >★毒の刃\r\r武器、剣の説明");
  EXPECT_EQ(about(caption::kEquipment, 4), "◎鎧 △9\r所持 > 1個\r\r防具、鎧の説明");
  EXPECT_EQ(about(caption::kSell, 5), "◎石\r所持 > 7個\r売値 > 4ｾﾝﾄ\r\r石の説明");
  EXPECT_EQ(about(caption::kItems, 5), "◎石\r所持 > 7個\r\r石の説明");

  s.monster_have[0] = 3;
  s.monster_lv[0] = 12;
  EXPECT_EQ(about(caption::kOwnedMonsters, 0), "◎スライム\r所持 > 3匹 / 必要MP > 1\r\rぷるぷる\r発動回数:12");
  EXPECT_TRUE(r.g.ui.mon_pic.visible);
  EXPECT_FALSE(r.g.ui.mon_pic.image.isNull());
  EXPECT_EQ(about(caption::kMonsters, 0), "◎スライム\r所持 > 3匹 / 必要MP > 1\r\rぷるぷる\r発動回数:12");
  // The fusion value counts ten times more for a monster whose garbage twin is nameless.
  EXPECT_EQ(about(caption::kFusion, 0), "◎スライム ,3匹\r合成値 > 300p.\r追加 >★なし\r\rぷるぷる");
  t.gomi_table[0].gm_name = "燃えかす";
  EXPECT_EQ(about(caption::kFusion, 0), "◎スライム ,3匹\r合成値 > 30p.\r追加 >★なし\r\rぷるぷる");

  s.gomi_have[3] = 4;
  EXPECT_EQ(about(caption::kGarbage, 3), "◎空き缶\r所持 > 4個\r\rただの空き缶");
  EXPECT_EQ(about(caption::kFeed, 3), "◎空き缶\r所持 > 4個\r\rただの空き缶");
  EXPECT_EQ(about(caption::kMagic, 0), "◎ファイア\r必要ARK > 3\r\r火の玉");
  s.md_have[1] = 1;
  EXPECT_EQ(about(caption::kDiscs, 1), "◎テストの歌\r所持 > 1個\r\rテスト用の一枚");

  t.job_table[2] = {"剣士", "剣の道", 0, 12, 30};
  s.class_now = cls::kHealingFist;
  s.class_exp[cls::kHealingFist] = 39;
  EXPECT_EQ(about(caption::kClassChange, 2),
            "◎剣士\r必要セント > 12000セント\r必要WILD > 30\rYOUR CLASS Lv > 3\r剣の道");
  s.class_exp[cls::kHealingFist] = 40;
  EXPECT_EQ(about(caption::kClassChange, 2),
            "◎剣士\r必要セント > 12000セント\r必要WILD > 30\rYOUR CLASS Lv > M\r剣の道");

  // Any other caption leaves the text; an id from nowhere reads as nothing.
  r.g.ui.about_l.text = "前の説明";
  EXPECT_EQ(about("リスト", 3), "前の説明");
  EXPECT_EQ(about(caption::kItems, 9999), "◎\r所持 > 0個\r\r");
}

TEST(ListOpeners, MonstersRefuseForClassThenWeaponThenSealAnywhere) {
  PanelRig r;
  GameState& s = r.g.s;
  s.monster_have[0] = 1;
  r.g.ui.m2.visible = true;
  s.class_now = cls::kHalver;
  s.buki_ex = ex::kNoBeast;
  s.can_beast = false;
  ASSERT_TRUE(click(r.g, "m2"));
  EXPECT_EQ(r.g.ui.moji_l.text, "クラスによって使用不可");
  s.class_now = cls::kNovice;
  click(r.g, "m2");
  EXPECT_EQ(r.g.ui.moji_l.text, "追加効果によって使用不可");
  s.buki_ex = 0;
  click(r.g, "m2");
  EXPECT_EQ(r.g.ui.moji_l.text, "敵の魔法によって使用不可");
  EXPECT_FALSE(r.g.ui.list_box.visible);
  EXPECT_TRUE(r.saw("se: miss.wav"));
  s.can_beast = true;
  click(r.g, "m2");
  EXPECT_TRUE(r.g.ui.list_box.visible);
  EXPECT_EQ(r.g.ui.list_box.caption, caption::kOwnedMonsters);
  EXPECT_EQ(r.rows(), (Rows{"スライム"}));
  EXPECT_TRUE(r.g.ui.mon_pic.visible);
  EXPECT_TRUE(r.saw("se: key.wav"));

  // In a fight the same button names the list for calling.
  s.in_battle = true;
  r.g.ui.battle_com.visible = true;
  r.g.ui.tower_b.visible = true;
  ASSERT_TRUE(click(r.g, "b2"));
  EXPECT_EQ(r.g.ui.list_box.caption, caption::kMonsters);
  EXPECT_FALSE(r.g.ui.tower_b.visible);
}

TEST(ListOpeners, ItemSealsOnlyBindInAFight) {
  PanelRig r;
  GameState& s = r.g.s;
  r.item(1, "薬", 0);
  r.item(2, "剣", 400);
  s.item_have[1] = 1;
  s.item_have[2] = 1;
  s.buki_ex = ex::kNoItem;
  s.can_item = false;
  ASSERT_TRUE(click(r.g, "m1"));
  EXPECT_TRUE(r.g.ui.list_box.visible);
  EXPECT_EQ(r.g.ui.list_box.caption, caption::kItems);
  EXPECT_EQ(r.rows(), (Rows{"薬"}));
  // Every owned item enters the encyclopedia, weapons too.
  EXPECT_EQ(s.item_book[1], 1);
  EXPECT_EQ(s.item_book[2], 1);

  r.g.ui.list_box.visible = false;
  s.in_battle = true;
  r.g.ui.battle_com.visible = true;
  click(r.g, "b3");
  EXPECT_EQ(r.g.ui.moji_l.text, "追加効果によって使用不可");
  s.buki_ex = 0;
  click(r.g, "b3");
  EXPECT_EQ(r.g.ui.moji_l.text, "敵の魔法によって使用不可");
  EXPECT_FALSE(r.g.ui.list_box.visible);
  s.can_item = true;
  click(r.g, "b3");
  EXPECT_TRUE(r.g.ui.list_box.visible);
}

TEST(ListOpeners, MagicRefusesForWeaponThenSeal) {
  PanelRig r;
  GameState& s = r.g.s;
  s.in_battle = true;
  r.g.ui.battle_com.visible = true;
  s.magic_have[0] = 1;
  s.buki_ex = ex::kNoMagic;
  s.can_magic = false;
  click(r.g, "b4");
  EXPECT_EQ(r.g.ui.moji_l.text, "追加効果によって使用不可");
  s.buki_ex = 0;
  click(r.g, "b4");
  EXPECT_EQ(r.g.ui.moji_l.text, "敵の魔法によって使用不可");
  s.can_magic = true;
  r.g.ui.tower_b.visible = true;
  click(r.g, "b4");
  EXPECT_EQ(r.g.ui.list_box.caption, caption::kMagic);
  EXPECT_EQ(r.rows(), (Rows{"ファイア"}));
  EXPECT_FALSE(r.g.ui.tower_b.visible);
}

TEST(ListOpeners, MenuButtonsForGarbageEquipmentAndDiscs) {
  PanelRig r;
  GameState& s = r.g.s;
  s.gomi_have[3] = 1;
  s.md_have[1] = 2;
  r.item(6, "杖", 410);
  s.item_have[6] = 1;
  click(r.g, "m3");
  EXPECT_EQ(r.g.ui.list_box.caption, caption::kGarbage);
  EXPECT_EQ(r.rows(), (Rows{"空き缶"}));
  click(r.g, "m4");
  EXPECT_EQ(r.g.ui.list_box.caption, caption::kEquipment);
  EXPECT_EQ(r.rows(), (Rows{"杖"}));
  click(r.g, "md_b");
  EXPECT_EQ(r.g.ui.list_box.caption, caption::kDiscs);
  EXPECT_EQ(r.rows(), (Rows{"テストの歌"}));
  EXPECT_TRUE(r.g.ui.list_box.visible);
}

TEST(ListCancel, ClosesThePanelAndLeavesAHostRoom) {
  PanelRig r;
  r.g.ui.list_box.visible = true;
  r.g.ui.shop_box.visible = true;
  ASSERT_TRUE(click(r.g, "cancel_b"));
  EXPECT_FALSE(r.g.ui.list_box.visible);
  EXPECT_FALSE(r.g.ui.shop_box.visible);
  EXPECT_FALSE(r.saw("put: 『また来てね』"));

  r.g.s.host_mode = true;
  r.g.ui.map_box.visible = false;
  r.g.ui.list_box.visible = true;
  r.g.ui.cancel_b.caption = "部屋を出る";
  r.g.ui.wata_b.visible = true;
  click(r.g, "cancel_b");
  EXPECT_TRUE(r.saw("put: 『また来てね』"));
  EXPECT_EQ(r.g.ui.cancel_b.caption, "Cancel");
  EXPECT_FALSE(r.g.ui.wata_b.visible);
  EXPECT_FALSE(r.g.s.host_mode);
  EXPECT_TRUE(r.g.ui.map_box.visible);
}
