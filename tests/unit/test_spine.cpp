#include <gtest/gtest.h>

#include "data/cp932.h"
#include "data/save.h"
#include "data/tables.h"
#include "game_fixture.h"
#include "shell/messages.h"
#include "shell/title.h"
#include "state/vars.h"
#include "state/ids.h"

namespace z2 {
namespace {

TEST(SaveLayout, HasTheFixedOrderAndLength) {
  EXPECT_EQ(save_line_count(), 4160);
  const auto& runs = save_layout();
  EXPECT_EQ(runs.front().var->name, "my_name");
  EXPECT_EQ(runs.back().var->name, "ark_max");
  // floor_clear is saved in two runs around the equipment: 0..99 and 101..107.
  int line = 1;
  int fc_runs = 0;
  for (const SaveRun& r : save_layout()) {
    if (r.var->name == "floor_clear") {
      ++fc_runs;
      if (r.first == 0) {
        EXPECT_EQ(line, 2016);
        EXPECT_EQ(r.count, 100);
      } else {
        EXPECT_EQ(line, 2120);
        EXPECT_EQ(r.first, 101);
        EXPECT_EQ(r.count, 7);
      }
    }
    if (r.var->name == "text_speed") {
      EXPECT_EQ(line, 3640);
    }
    if (r.var->name == "wata_out") {
      EXPECT_EQ(line, 4154);
    }
    line += r.count;
  }
  EXPECT_EQ(fc_runs, 2);
}

TEST(Vars, KeyHaveIsPartOfItemHave) {
  GameState s;
  auto k8 = parse_var_ref("key_have[8]");
  ASSERT_TRUE(k8);
  ASSERT_TRUE(var_set(s, *k8, "1"));
  EXPECT_EQ(s.item_have[item::kFloor7Key], 1);
  EXPECT_EQ(s.key_have(key::kFloor7Key), 1);
  s.item_have[item::kFaustVoice] = 3;
  EXPECT_EQ(s.key_have(key::kFaustVoice), 3);
  EXPECT_FALSE(parse_var_ref("key_have[253]"));  // past item 499
  EXPECT_FALSE(parse_var_ref("item_have"));        // an array needs an index
  EXPECT_FALSE(parse_var_ref("my_lv[1]"));
  EXPECT_FALSE(parse_var_ref("nothing"));
  auto bad_index = parse_var_ref("item_have[500]");
  ASSERT_TRUE(bad_index);
  EXPECT_FALSE(var_set(s, *bad_index, "1"));
  auto lv = parse_var_ref("my_lv");
  EXPECT_FALSE(var_set(s, *lv, "12x"));
}

TEST(NewGame, SetsEverySavedValueAndLeavesTheFightAlone) {
  test::TestGame t;
  GameState& s = t.g.s;
  s.floor_clear.fill(7);
  s.e_name = "誰か";
  s.msg_wait = 1100;
  s.item_have[3] = 9;
  new_game(t.g);
  EXPECT_EQ(s.my_name, "アレク");
  EXPECT_EQ(s.my_lv, 1);
  EXPECT_EQ(s.my_hp, 20);
  EXPECT_EQ(s.my_hp_max, 20);
  EXPECT_EQ(s.my_mp, 2);
  EXPECT_EQ(s.ark, 5);
  EXPECT_EQ(s.ark_max, 99);
  EXPECT_EQ(s.buki_name, "名も無き杖");
  EXPECT_EQ(s.bougu_name, "名も無きマント");
  EXPECT_EQ(s.item_have[3], 0);
  EXPECT_EQ(s.text_speed, 3);
  EXPECT_EQ(t.g.ui.sp_l.value, 3);
  EXPECT_EQ(s.msg_wait, 400);
  for (int i = 0; i <= 107; ++i) {
    if (i != 100) {
      EXPECT_EQ(s.floor_clear[static_cast<size_t>(i)], 0) << i;
    }
  }
  EXPECT_EQ(s.floor_clear[fc::kUnused], 7);
  EXPECT_EQ(s.floor_clear[fc::kBufAtk], 7);
  EXPECT_EQ(s.e_name, "誰か");
}

TEST(LoadAll, TakesTheTextSpeedFromTheSave) {
  test::TestGame t;
  new_game(t.g);
  t.g.s.text_speed = 7;
  t.g.s.my_name = "ｱﾚｸ 二世";
  std::string bytes = save_bytes(t.g.s);
  FILE* f = std::fopen(t.g.save_path().c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  new_game(t.g);
  load_all(t.g);
  EXPECT_EQ(t.g.s.text_speed, 7);
  EXPECT_EQ(t.g.s.msg_wait, 800);
  EXPECT_EQ(t.g.ui.sp_l.value, 7);
  EXPECT_EQ(t.g.s.my_name, "ｱﾚｸ 二世");
  EXPECT_EQ(t.g.t.map_names[0], "砂の闘技場");
  EXPECT_EQ(t.g.t.item_table[6].it_name, "ｶﾀｶﾅｱｲﾃﾑ");
}

int count_not_black(const QImage& img, QRect r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFFu) != 0) ++n;
  return n;
}

TEST(Opening, DrawsTheSecondLineAtTheTenthStepAndEndsAtTheEndLine) {
  test::TestGame t;
  ASSERT_TRUE(click(t.g, "Button45"));
  EXPECT_TRUE(t.g.timer3.enabled);
  for (int i = 0; i < 9; ++i) timer_fire(t.g, 3);
  EXPECT_EQ(count_not_black(t.g.ui.open1.image, QRect(0, 0, 393, 281)), 0);
  timer_fire(t.g, 3);
  // The text was written at 10, 250 and has moved up one row since.
  EXPECT_GT(count_not_black(t.g.ui.open1.image, QRect(0, 230, 393, 40)), 20);
  for (int i = 0; i < 9; ++i) timer_fire(t.g, 3);
  EXPECT_TRUE(t.g.ui.open_box.visible);
  timer_fire(t.g, 3);
  EXPECT_FALSE(t.g.ui.open_box.visible);
  EXPECT_FALSE(t.g.timer3.enabled);
  EXPECT_EQ(t.g.s.open_page, 0);
  timer_fire(t.g, 3);  // a stopped timer does not fire
  EXPECT_EQ(t.g.s.open_page, 0);
}

TEST(Opening, WithoutAnEndLineStopsAfterItsLastText) {
  test::TestGame t;
  load_opening_texts(t.g.s, t.g.dat_dir());
  ASSERT_TRUE(click(t.g, "Button45"));
  t.g.s.open_text.fill("まだ続く");
  for (int i = 0; i < 1999; ++i) timer_fire(t.g, 3);
  EXPECT_TRUE(t.g.ui.open_box.visible);
  timer_fire(t.g, 3);  // step 2000 would read text 200
  EXPECT_FALSE(t.g.ui.open_box.visible);
  EXPECT_NE(t.transcript().find("bgm: open.mid"), std::string::npos);
}

TEST(Opening, MissingTextsDoNotStartTheShow) {
  test::TestGame t;
  std::filesystem::remove(t.g.dat_dir() + "staff.dat");
  ASSERT_TRUE(click(t.g, "Button45"));
  EXPECT_FALSE(t.g.ui.open_box.visible);
  EXPECT_FALSE(t.g.timer3.enabled);
  EXPECT_NE(t.transcript().find("error: "), std::string::npos);
  EXPECT_NE(t.transcript().find("staff.dat"), std::string::npos);
}

TEST(Title, NewGameWorksWithoutASaveAndPastADamagedOne) {
  test::TestGame t;
  {
    FILE* f = std::fopen(t.g.save_path().c_str(), "wb");
    std::fputs("壊れた\r\nabc\r\n", f);
    std::fclose(f);
  }
  ASSERT_TRUE(click(t.g, "Button12"));
  EXPECT_EQ(t.g.s.my_lv, 1);
  EXPECT_EQ(t.g.t.map_names[1], "草の回廊");
  EXPECT_EQ(t.transcript().find("error:"), std::string::npos);
  // COUNTINUE reads the damaged save, says what is wrong with it and takes none of it.
  test::TestGame u;
  {
    FILE* f = std::fopen(u.g.save_path().c_str(), "wb");
    std::fputs(utf8_to_cp932("名前\r\nabc\r\n").c_str(), f);
    std::fclose(f);
  }
  ASSERT_TRUE(click(u.g, "Button11"));
  EXPECT_NE(u.transcript().find("error: "), std::string::npos);
  EXPECT_NE(u.transcript().find("z.wav"), std::string::npos);
  EXPECT_EQ(u.g.s.my_name, "");
  EXPECT_TRUE(u.g.ui.start_box.visible);
}

TEST(Title, ContinueFallsBackToTheDefaultBackground) {
  test::TestGame t;
  new_game(t.g);
  t.g.s.floor = 5;  // no haikei5.bmp in the set
  std::string bytes = save_bytes(t.g.s);
  FILE* f = std::fopen(t.g.save_path().c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  ASSERT_TRUE(click(t.g, "Button11"));
  EXPECT_EQ(t.transcript().find("error:"), std::string::npos);
  EXPECT_EQ(t.g.ui.haikei.image.pixel(0, 0) & 0xFFFFFFu, 0x3C3C3Cu);  // haikei-1.bmp
}

TEST(Ui, EveryControlHasItsNameAndPanelsSitAtTheirPlaces) {
  test::TestGame t;
  Ui& ui = t.g.ui;
  for (Control* c : ui.all()) {
    EXPECT_FALSE(c->name.empty());
    EXPECT_EQ(ui.find(c->name), c);
  }
  for (Control* c : {&ui.battle_com, &ui.menu_com, &ui.shop_box, &ui.gousei_box, &ui.name_box, &ui.lv_box}) {
    EXPECT_EQ(c->left, 260);
    EXPECT_EQ(c->top, 276);
    EXPECT_FALSE(c->visible);
  }
  EXPECT_TRUE(ui.start_box.visible);
  EXPECT_FALSE(ui.debug_box.visible);
  EXPECT_EQ(ui.debug_box.left, 660);
  EXPECT_EQ(ui.debug_box.top, -4);
  // A control inside a hidden panel cannot be clicked.
  EXPECT_FALSE(click(t.g, "s_battle"));
  EXPECT_FALSE(click(t.g, "no_such_control"));
}

}  // namespace
}  // namespace z2
