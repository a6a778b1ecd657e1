// The developer panel: every button once, by its caption, with what it must
// leave behind in the game.
#include <gtest/gtest.h>

#include <functional>

#include "data/tables.h"
#include "game_fixture.h"
#include "shell/status.h"
#include "shell/title.h"
#include "state/ids.h"

using namespace z2;

namespace {

struct Panel : test::TestGame {
  Panel() : TestGame("rooms") {
    load_tables(g.t, g.dat_dir());
    new_game(g);
    g.ui.start_box.visible = false;
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
    g.ui.debug_box.visible = true;
  }
  bool saw(const std::string& line) const {
    return ("\n" + transcript()).find("\n" + line + "\n") != std::string::npos;
  }
};

struct Case {
  const char* button;
  const char* caption;
  std::function<void(Panel&)> before;
  std::function<void(Panel&)> check;
};

void nothing(Panel&) {}

const std::vector<Case>& cases() {
  static const std::vector<Case> kCases = {
      {"Button3", "敵出現", nothing, [](Panel& p) { EXPECT_TRUE(p.g.s.in_battle); }},
      {"Button5", "自分の攻撃",
       [](Panel& p) {
         p.g.s.in_battle = true;
         p.g.s.e_hp = p.g.s.e_hp_max = 10;
       },
       [](Panel& p) {
         EXPECT_TRUE(p.g.ui.battle_com.visible);
         EXPECT_TRUE(p.saw("moji_l: アレクの攻撃"));
       }},
      {"Button9", "画面効果", nothing, [](Panel& p) { EXPECT_GT(p.g.ui.e_cg.image_rev, 0u); }},
      {"Button13", "戦闘終了",
       [](Panel& p) {
         p.g.s.in_battle = true;
         p.g.ui.map_box.visible = false;
       },
       [](Panel& p) {
         EXPECT_FALSE(p.g.s.in_battle);
         EXPECT_TRUE(p.g.ui.map_box.visible);
       }},
      {"Button17", "cg_load", nothing,
       [](Panel& p) {
         EXPECT_GT(p.g.ui.cg.image_rev, 0u);
         EXPECT_EQ(p.transcript().find("error:"), std::string::npos);
       }},
      {"Button18", "ゴミ全部所持", [](Panel& p) { p.g.s.gomi_have[0] = 5; },
       [](Panel& p) {
         EXPECT_EQ(p.g.s.gomi_have[0], 6);
         EXPECT_EQ(p.g.s.gomi_have[1], 1);
         EXPECT_EQ(p.g.s.gomi_have[2], 0);  // no garbage 2
       }},
      {"Button23", "クリーナー",
       [](Panel& p) {
         p.g.s.monster_have[3] = 1;
         status_refresh(p.g);
       },
       [](Panel& p) {
         // No garbage: the room stays shut, but the book fills.
         EXPECT_EQ(p.g.s.monster_book[3], 1);
         EXPECT_TRUE(p.saw("moji_l2: 閉まっていて入れません"));
       }},
      {"Button19", "クリーナー", nothing, [](Panel& p) { EXPECT_EQ(p.g.s.monster_have[102], 1); }},
      {"Button20", "セーブせず終了", nothing,
       [](Panel& p) {
         EXPECT_TRUE(p.g.ui.start_box.visible);
         EXPECT_TRUE(p.plat.close_pending);
       }},
      {"Button21", "EXP=99", nothing, [](Panel& p) { EXPECT_EQ(p.g.s.my_exp, 99); }},
      {"Button22", "MP,HP最強", nothing,
       [](Panel& p) {
         EXPECT_EQ(p.g.s.my_mp_max, 999);
         EXPECT_EQ(p.g.s.my_mp, 999);
         EXPECT_EQ(p.g.s.my_hp_max, 9999);
         EXPECT_EQ(p.g.s.my_hp, 9999);
         EXPECT_EQ(p.g.s.ark, 999);
       }},
      {"Button24", "MONSTER_lv:99", nothing,
       [](Panel& p) {
         EXPECT_EQ(p.g.s.monster_lv[0], 98);
         EXPECT_EQ(p.g.s.monster_lv[254], 98);
         EXPECT_EQ(p.g.s.monster_lv[255], 0);
       }},
      {"Button25", "LVUP", nothing,
       [](Panel& p) {
         EXPECT_EQ(p.g.s.my_lv, 51);
         EXPECT_EQ(p.g.s.cent, 1000000);
       }},
      {"Button26", "ぼうやシリーズ", [](Panel& p) { p.g.s.key_have(6) = 2; },
       [](Panel& p) {
         EXPECT_EQ(p.g.s.key_have(0), 1);
         EXPECT_EQ(p.g.s.key_have(6), 3);
         EXPECT_EQ(p.g.s.key_have(7), 0);
       }},
      {"Button32", "武器アップ", [](Panel& p) { p.g.s.buki_pow = 5; },
       [](Panel& p) { EXPECT_EQ(p.g.s.buki_pow, 10005); }},
      {"Button33", "モンスター全所持", nothing,
       [](Panel& p) {
         EXPECT_EQ(p.g.s.monster_have[0], 1);
         EXPECT_EQ(p.g.s.monster_have[499], 1);
       }},
      {"Button34", "魔法全て所持", nothing,
       [](Panel& p) {
         EXPECT_EQ(p.g.s.magic_have[0], 1);
         EXPECT_EQ(p.g.s.magic_have[1], 0);  // no spell 1
       }},
      {"Button38", "逃げる１００", nothing, [](Panel& p) { EXPECT_EQ(p.g.s.floor_clear[fc::kEscapes], 98); }},
      {"Button39", "ファントムキー", nothing, [](Panel& p) { EXPECT_EQ(p.g.s.item_have[item::kFloor7Key], 1); }},
      {"Button40", "７階までクリア", nothing,
       [](Panel& p) {
         EXPECT_EQ(p.g.s.floor_clear[0], kWonMark);
         EXPECT_EQ(p.g.s.floor_clear[23], kWonMark);
         EXPECT_EQ(p.g.s.floor_clear[24], 0);
       }},
      {"Button43", "敵をころす", [](Panel& p) { p.g.s.e_hp = 50; }, [](Panel& p) { EXPECT_EQ(p.g.s.e_hp, 0); }},
      {"Button47", "ＭＤ", [](Panel& p) { p.g.s.md_have[1] = 1; },
       [](Panel& p) {
         EXPECT_EQ(p.g.s.md_have[0], 1);
         EXPECT_EQ(p.g.s.md_have[1], 2);
         EXPECT_EQ(p.g.s.md_have[2], 0);
       }},
      {"Button46", "OPENING", nothing, [](Panel& p) { EXPECT_TRUE(p.g.ui.open_box.visible); }},
      {"Button48", "ITEM", nothing,
       [](Panel& p) {
         EXPECT_EQ(p.g.s.item_have[0], 1);
         EXPECT_EQ(p.g.s.item_have[499], 1);
       }},
      {"Button49", "しぬ", nothing, [](Panel& p) { EXPECT_EQ(p.g.s.my_hp, 0); }},
      {"Button50", "わたっこ", nothing, [](Panel& p) { EXPECT_EQ(p.g.s.wata, 97); }},
      {"Button52", "わたっこ出現", [](Panel& p) { p.g.ui.wata.visible = false; },
       [](Panel& p) { EXPECT_TRUE(p.g.ui.wata.visible); }},
      {"Button53", "WILD", [](Panel& p) { p.g.s.wild = 7; }, [](Panel& p) { EXPECT_EQ(p.g.s.wild, 107); }},
      {"Button54", "COMBO", [](Panel& p) { p.g.s.combo = 1; }, [](Panel& p) { EXPECT_EQ(p.g.s.combo, 10); }},
      {"Button55", "たから", [](Panel& p) { p.g.ui.takara.visible = false; },
       [](Panel& p) { EXPECT_TRUE(p.g.ui.takara.visible); }},
  };
  return kCases;
}

}  // namespace

TEST(DebugPanel, EveryButtonDoesWhatItsCaptionSays) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.caption);
    Panel p;
    Control* b = p.g.ui.find(c.button);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->caption, c.caption);
    c.before(p);
    ASSERT_TRUE(click(p.g, c.button));
    c.check(p);
    // None of them refreshes the status by itself.
    EXPECT_EQ(p.transcript().find("error:"), std::string::npos) << p.transcript();
  }
}

TEST(DebugPanel, FightButtonsReachTheFight) {
  Panel p;
  p.g.s.my_hp = p.g.s.my_hp_max = 9999;
  ASSERT_TRUE(click(p.g, "Button3"));
  ASSERT_TRUE(p.g.s.in_battle);
  for (const char* b : {"Button4", "Button6", "Button10", "Button8"}) {
    SCOPED_TRACE(b);
    EXPECT_NE(p.g.ui.find(b)->on_click, nullptr);
    EXPECT_TRUE(click(p.g, b));
  }
  // The outcome check ends a fight whose opponent has no hit points left.
  if (p.g.s.in_battle) {
    ASSERT_TRUE(click(p.g, "Button43"));
    ASSERT_TRUE(click(p.g, "Button8"));
    EXPECT_FALSE(p.g.s.in_battle);
  }
}

TEST(DebugPanel, ListModeFillsTheListButTouchesNothingElse) {
  Panel p;
  p.g.ui.list_box.caption = "ＭＤ";
  p.g.ui.list_box.visible = false;
  ASSERT_TRUE(click(p.g, "Button14"));
  EXPECT_EQ(p.g.ui.list_box.caption, "ＭＤ");
  EXPECT_FALSE(p.g.ui.list_box.visible);
  for (const char* b : {"Button15", "Button16"}) EXPECT_TRUE(click(p.g, b));
}

TEST(DebugPanel, HiddenPanelRefusesClicks) {
  Panel p;
  p.g.ui.debug_box.visible = false;
  EXPECT_FALSE(click(p.g, "Button21"));
  EXPECT_EQ(p.g.s.my_exp, 0);
}
