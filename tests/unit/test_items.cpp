// Using items and equipping from the list panel through its OK button: the
// spent copy and what is given back, the refresh of the list, the fight-only
// types, the draws of the ailment items and of the activation booster, and
// the caps that keep the numbers sound.
#include <gtest/gtest.h>

#include <sstream>

#include "data/tables.h"
#include "lists/list_panel.h"
#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/ids.h"
#include "state/item_kinds.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

namespace {

constexpr int kId = 20;  // the item under test

struct ItemRig : test::NewGame {
  ItemRig() : test::NewGame("mini") {
    g.s.can_punch = g.s.can_magic = g.s.can_beast = g.s.can_item = true;
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
    g.t.item_table.fill({});
  }
  ~ItemRig() { EXPECT_LT(rng.draws.size(), 1000u); }
  void item(int kind, int pow, int count = 1, int id = kId, const std::string& name = "試薬") {
    ItemRecord& r = g.t.item_table[static_cast<size_t>(id)];
    r.it_name = name;
    r.it_about = "説明";
    r.it_kind = kind;
    r.it_pow = pow;
    g.s.item_have[static_cast<size_t>(id)] = count;
  }
  // A fight in progress against a plain opponent.
  void fight(int e_hp = 100) {
    g.s.in_battle = true;
    g.s.e_name = "ゴブリン";
    g.s.e_hp = g.s.e_hp_max = e_hp;
    g.s.e_lv = 5;
    g.ui.map_box.visible = false;
    g.ui.menu_com.visible = false;
    g.ui.battle_com.visible = true;
  }
  // Opens the item list as the player would, chooses `name` and presses OK.
  void use(const std::string& name = "試薬") {
    ASSERT_TRUE(click(g, g.s.in_battle ? "b3" : "m1"));
    choose(name);
    ASSERT_TRUE(click(g, "OK"));
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
  i32 have(int id = kId) const { return g.s.item_have[static_cast<size_t>(id)]; }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
  bool saw_part(const std::string& text) const { return out.str().find(text) != std::string::npos; }
};

}  // namespace

TEST(ItemUse, TheLastCopyLeavesTheListAndOneOfSeveralOnlyRedescribes) {
  ItemRig r;
  r.item(0, 15, 2);
  r.g.s.my_hp = 3;
  r.use();
  EXPECT_TRUE(r.saw("se: item.wav"));
  EXPECT_TRUE(r.saw("put: 【試薬】を使った!!"));
  EXPECT_TRUE(r.saw("add: HPが15回復した!"));
  EXPECT_EQ(r.have(), 1);
  EXPECT_EQ(r.g.ui.list_l.rows, (std::vector<std::string>{"試薬"}));
  EXPECT_EQ(r.g.ui.about_l.text, "◎試薬\r所持 > 1個\r\r説明");
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_EQ(r.have(), 0);
  EXPECT_TRUE(r.g.ui.list_l.rows.empty());
  EXPECT_EQ(r.g.ui.about_l.text, "");
  // The status refresh has clamped the healing to the maximum.
  EXPECT_EQ(r.g.s.my_hp, r.g.s.my_hp_max);
  // Nothing selected any more: OK only sounds.
  const std::string before = r.out.str();
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_EQ(r.out.str(), before + "se: item.wav\n");
}

TEST(ItemUse, FightOnlyTypesOutsideAFightAreGivenBack) {
  int tried = 0;
  for (int kind = 0; kind <= kinds::kLastUsable; ++kind) {
    if (!kinds::fight_only(kind)) continue;
    ++tried;
    ItemRig r;
    r.item(kind, 5, 1);
    r.g.s.my_lv = 4;
    r.g.s.wild = 200;
    r.use();
    EXPECT_EQ(r.have(), 1) << kind;
    EXPECT_TRUE(r.saw("moji_l2: 戦闘中以外使用不可能")) << kind;
    EXPECT_EQ(r.g.s.my_lv, 4) << kind;
    EXPECT_EQ(r.g.s.wild, 200) << kind;
    EXPECT_EQ(r.g.ui.list_l.rows.size(), 1u) << kind;
  }
  EXPECT_GT(tried, 0);
}

TEST(ItemUse, AntidoteOnASleeperIsGivenBackButTheTurnStillPasses) {
  ItemRig r;
  r.item(29, 0, 1);
  r.fight();
  r.g.s.my_state = 2;
  r.use();
  EXPECT_TRUE(r.saw("add: なにも起きなかった"));
  EXPECT_EQ(r.have(), 1);
  // The opponent has had its turn and handed the commands back.
  EXPECT_TRUE(r.g.s.in_battle);
  EXPECT_TRUE(r.g.ui.battle_com.visible);
  EXPECT_FALSE(r.g.ui.list_box.visible);
  EXPECT_TRUE(r.saw("se: 1.wav"));

  // Poison of every kind is cured.
  r.g.s.item_have[kId] = 4;
  for (int state : {1, 6, 10}) {
    r.g.s.my_state = state;
    r.use();
    EXPECT_EQ(r.g.s.my_state, 0);
    EXPECT_TRUE(r.saw("add: 毒がなおった!"));
  }
  EXPECT_EQ(r.have(), 1);
}

TEST(ItemUse, MultiplyingThePowerStopsAtTheCap) {
  ItemRig r;
  r.item(30, 3, 2, kId, "三倍の書");
  r.g.s.buki_name = "鉄の剣";
  r.g.s.buki_pow = 400000000;
  r.use("三倍の書");
  EXPECT_TRUE(r.saw("add: 武器【鉄の剣】△400000000の威力を3倍!!"));
  EXPECT_EQ(r.g.s.buki_pow, 999999999);
  EXPECT_EQ(r.g.s.buki_name, "三倍の書");
  r.item(31, 2000000000, 1, kId + 1, "防具の書");
  r.g.s.bougu_pow = 2000000000;
  r.use("防具の書");
  EXPECT_EQ(r.g.s.bougu_pow, 999999999);
  EXPECT_EQ(r.g.s.bougu_name, "防具の書");
}

// Found by the chaos run: a level item took the level past 999, and the next
// level-up then dropped it back to 999.
TEST(ItemUse, LevelItemsStopAtTheTopLevel) {
  ItemRig r;
  r.item(25, 30, 3, kId, "秘薬");
  r.g.s.my_lv = 980;
  r.use("秘薬");
  EXPECT_TRUE(r.saw("add: LVが30上がった!"));
  EXPECT_EQ(r.g.s.my_lv, 999);
  r.use("秘薬");
  EXPECT_EQ(r.g.s.my_lv, 999);
  EXPECT_EQ(r.have(), 1);
  // A level already past the top (set by hand) is not lowered by an item.
  r.g.s.my_lv = 1049;
  r.item(89, 5, 1, kId + 1, "巻物");
  r.use("巻物");
  EXPECT_EQ(r.g.s.my_lv, 1049);
  r.g.s.my_lv = 995;
  r.item(98, 0, 1, kId + 2, "大秘薬");
  r.use("大秘薬");
  EXPECT_EQ(r.g.s.my_lv, 999);
  EXPECT_EQ(r.g.s.my_atk, 10);
}

TEST(ItemUse, WildFarewellDealsTenTimesWhatIsLeftOfNineHundredNinetyNine) {
  for (auto [wild, damage] : {std::pair{999, 0}, {0, 9990}}) {
    ItemRig r;
    r.item(72, 0, 1);
    r.fight(100000);
    r.g.s.wild = wild;
    r.use();
    EXPECT_TRUE(r.saw("put: ＞ＷＩＬＤこんにちは!!"));
    EXPECT_TRUE(r.saw("add: " + std::to_string(damage) + "ダメージ与えた!!"));
    EXPECT_TRUE(r.saw("add: 【WILD】が0になった!!"));
    EXPECT_EQ(r.g.s.e_hp, 100000 - damage);
    EXPECT_EQ(r.g.s.wild, 0);
  }
}

TEST(ItemUse, AilmentItemsRollByTheirPower) {
  struct Case {
    int k;
    int out_of;   // the draw's range
    int hit;      // a draw that succeeds
    int miss;     // a draw that fails
    int state;
  };
  const Case cases[] = {{0, 3, 1, 2, 2}, {1, 2, 0, 1, 3}, {2, 4, 2, 3, 1}, {3, 3, 0, 2, 4}, {4, 2, 0, 1, 5},
                        {5, 2, 0, 1, 8}, {6, 3, 1, 2, 6}, {7, 2, 0, 1, 7}, {8, 2, 0, 1, 9}, {9, 3, 0, 2, 10}};
  for (const Case& c : cases) {
    for (bool hit : {true, false}) {
      ItemRig r;
      r.item(53, c.k, 1);
      r.fight();
      r.g.s.e_hp = 1000;
      // The roll; the burst pictures (effect 6) draw four corners a step.
      // Then the opponent's turn: its recovery roll fails, the ailment stays.
      r.rng.push({hit ? c.hit : c.miss, 99});
      r.use();
      ASSERT_FALSE(r.rng.draws.empty());
      EXPECT_EQ(r.rng.draws[0], c.out_of) << "K=" << c.k;
      EXPECT_EQ(r.g.s.e_state, hit ? c.state : 0) << "K=" << c.k;
      EXPECT_EQ(r.saw("add: Miss!!"), !hit) << "K=" << c.k;
      EXPECT_EQ(r.have(), 0);
    }
  }
}

TEST(ItemUse, SureCutsOfTheOpponentsHitPoints) {
  const std::pair<int, int> cuts[] = {{10, 7}, {11, 6}, {12, 5}, {13, 4}, {14, 3}};
  for (auto [k, left] : cuts) {
    ItemRig r;
    r.item(53, k, 1);
    r.fight(7);
    r.use();
    // Seven hit points less a tenth, a fifth, a third, a half, two thirds,
    // each rounded down, with no roll.
    EXPECT_EQ(r.g.s.e_hp, left) << "K=" << k;
    // No roll of the item's own: the first draw is the opponent's pick.
    ASSERT_FALSE(r.rng.draws.empty()) << "K=" << k;
    EXPECT_EQ(r.rng.draws[0], 15) << "K=" << k;
  }
  // A power past the table does nothing but the use.
  ItemRig r;
  r.item(53, 15, 1);
  r.fight(7);
  r.use();
  EXPECT_EQ(r.g.s.e_hp, 7);
  EXPECT_EQ(r.have(), 0);
}

TEST(ItemUse, AnUnknownTypeIsSpentWithOnlyTheUseMessage) {
  ItemRig r;
  r.item(600, 40, 1, kId, "謎の札");
  r.g.s.my_hp = 5;
  r.use("謎の札");
  EXPECT_EQ(r.have(), 0);
  EXPECT_TRUE(r.saw("put: 【謎の札】を使った!!"));
  EXPECT_FALSE(r.saw_part("add:"));
  EXPECT_EQ(r.g.s.my_hp, 5);
}

TEST(ItemUse, ActivationBoosterNeedsAnOwnedMonsterBelowTwoFiftyFour) {
  ItemRig r;
  r.item(24, 50, 3);
  // The menu shows monsters, but the only one owned is out of the draw's reach.
  r.g.ui.m2.visible = true;
  r.g.s.monster_have[300] = 1;
  r.use();
  EXPECT_TRUE(r.saw("add: なにも起きなかった"));
  EXPECT_EQ(r.have(), 3);
  EXPECT_TRUE(r.rng.draws.empty());

  // With one owned monster the draws go on until they find it; the count stops at 98.
  r.g.s.monster_have[0] = 1;
  r.g.s.monster_lv[0] = 60;
  r.rng.push({10, 200, 0});
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{254, 254, 254}));
  EXPECT_EQ(r.g.s.monster_lv[0], 98);
  EXPECT_TRUE(r.saw("add: モンスター「スライム」の発動回数が50上がった!"));
  EXPECT_EQ(r.have(), 2);

  // Without the menu's monster button nothing happens either.
  r.g.ui.m2.visible = false;
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_EQ(r.have(), 2);
}

TEST(ItemUse, AnEntryNotOwnedIsNotSpent) {
  ItemRig r;
  r.item(0, 10, 1, 12, "薬草");
  r.item(0, 99, 0, 40, "薬草");  // same name, not owned: the list's click names it
  r.fight();
  r.g.s.my_hp = 5;
  r.use("薬草");
  EXPECT_EQ(r.g.s.list_sel, 40);
  EXPECT_EQ(r.have(40), 0);
  EXPECT_EQ(r.have(12), 1);
  EXPECT_EQ(r.g.s.my_hp, 5);
  EXPECT_FALSE(r.saw_part("を使った"));
  // The turn is not lost: the commands and the list come back.
  EXPECT_TRUE(r.g.ui.battle_com.visible);
  EXPECT_TRUE(r.g.ui.list_box.visible);
}

TEST(ItemUse, NamingItemsOpenTheNamingBox) {
  ItemRig r;
  r.item(38, 0, 1);
  r.g.ui.name_l.text = "古い名";
  r.use();
  EXPECT_TRUE(r.g.ui.name_box.visible);
  EXPECT_FALSE(r.g.ui.list_box.visible);
  EXPECT_EQ(r.g.ui.name_l.text, "");
  EXPECT_EQ(r.g.ui.name_b.caption, "防具にネーミング");
  EXPECT_TRUE(r.saw("moji_l2: 防具の名前を入力してください"));
  EXPECT_EQ(r.have(), 0);
}

TEST(Equip, WeaponsBringTheirEffectArmourKeepsTheWeapons) {
  ItemRig r;
  r.item(410, 25, 1, 30, "鋼の剣");
  r.g.t.item_table[30].it_ex = 1;
  r.item(455, 12, 2, 31, "鎖帷子");
  ASSERT_TRUE(click(r.g, "m4"));
  EXPECT_EQ(r.g.ui.list_l.rows, (std::vector<std::string>{"鋼の剣", "鎖帷子"}));

  r.choose("鋼の剣");
  r.plat.queue_answer(false);
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_TRUE(r.saw("ask: 装備すると今装備している物は消滅します。よろしいですか？ -> no"));
  EXPECT_EQ(r.have(30), 1);
  EXPECT_EQ(r.g.s.buki_name, "名も無き杖");

  r.g.s.buki_ex = 0;
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_TRUE(r.saw("put: 武器【鋼の剣】△25を装備した!!"));
  EXPECT_TRUE(r.saw("se: soubi.wav"));
  EXPECT_EQ(r.g.s.buki_name, "鋼の剣");
  EXPECT_EQ(r.g.s.buki_pow, 25);
  EXPECT_EQ(r.g.s.buki_ex, 1);
  EXPECT_EQ(r.have(30), 0);
  EXPECT_EQ(r.g.ui.list_l.rows, (std::vector<std::string>{"鎖帷子"}));

  r.choose("鎖帷子");
  ASSERT_TRUE(click(r.g, "OK"));
  EXPECT_TRUE(r.saw("put: 防具【鎖帷子】△12を装備した!!"));
  EXPECT_EQ(r.g.s.bougu_name, "鎖帷子");
  EXPECT_EQ(r.g.s.bougu_pow, 12);
  EXPECT_EQ(r.g.s.buki_ex, 1);
  EXPECT_EQ(r.have(31), 1);
  EXPECT_EQ(r.g.ui.about_l.text, "◎鎖帷子 △12\r所持 > 1個\r\r防具、説明");
}
