#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "data/cp932.h"
#include "data/report.h"
#include "shell/autosave.h"
#include "game_fixture.h"
#include "shell/status.h"
#include "shell/title.h"
#include "state/int32.h"
#include "state/ids.h"

namespace z2 {
namespace {

// A zeroed state at a level outside every band, so the statistics decide.
std::unique_ptr<GameState> stats_state() {
  auto s = std::make_unique<GameState>();
  s->my_lv = 60;
  return s;
}

TEST(ReportTitle, NothingStandsOut) {
  auto s = stats_state();
  EXPECT_EQ(report_title(*s), "????");
}

TEST(ReportTitle, NewGameIsWeak) {
  auto s = std::make_unique<GameState>();
  new_game_values(*s);
  EXPECT_EQ(report_title(*s), "弱っコ");
}

TEST(ReportTitle, ZeroBaseAndTenWildPassesAllThree) {
  auto s = stats_state();
  s->wild = 10;  // B = 0, X = 1
  EXPECT_EQ(report_title(*s), "ＷＩＬＤ ＳＴＹＬＥ");
}

TEST(ReportTitle, EachRowAndItsThresholds) {
  // B = 600 / 300 = 2 from the money; X = 3 passes B < X only.
  auto s = stats_state();
  s->cent = 600;
  EXPECT_EQ(report_title(*s), "金持ち");
  s->cent = 1200;  // B = 4, X = 6: 2B = 8 is not below 6
  EXPECT_EQ(report_title(*s), "金持ち");

  s = stats_state();
  s->my_atk = 400;  // B = 100: 100 < 400, 200 < 400, 300 < 400
  EXPECT_EQ(report_title(*s), "拳王");
  s->my_atk = 40;  // B = 10: 10, 20, 30 < 40
  EXPECT_EQ(report_title(*s), "拳王");

  s = stats_state();
  s->my_body = 8;  // B = 2: 2 < 8, 4 < 8, 6 < 8
  EXPECT_EQ(report_title(*s), "超々巨人");
  s = stats_state();
  s->my_int = 3;  // B = 0
  EXPECT_EQ(report_title(*s), "大魔導師");
  s = stats_state();
  s->my_beast = 2;
  EXPECT_EQ(report_title(*s), "猫殺し士");
  s = stats_state();
  s->floor_clear[fc::kDeaths] = 5;  // deaths / 6 = 0
  EXPECT_EQ(report_title(*s), "地獄の冥界王");
  s = stats_state();
  s->floor_clear[fc::kEscapes] = 1;
  EXPECT_EQ(report_title(*s), "逃亡士ガルボン");
  s = stats_state();
  s->floor_clear[fc::kEscapes] = 66;  // B = 11: 11 < 66, 22 < 66, 33 < 66
  EXPECT_EQ(report_title(*s), "逃亡士ガルボン");
  s->my_atk = 400;  // B = 100 + 11 = 111: escapes 66 pass nothing; attack 111, 222 < 400, 333 < 400
  EXPECT_EQ(report_title(*s), "拳王");
  s->my_atk = 300;  // B = 75 + 11 = 86: 86 < 300, 172 < 300, 258 < 300
  EXPECT_EQ(report_title(*s), "拳王");
  s->my_atk = 200;  // B = 50 + 11 = 61: 61 < 200, 122 < 200, 183 < 200; escapes 61 < 66
  EXPECT_EQ(report_title(*s), "逃げる者");
}

TEST(ReportTitle, LaterRowsOverrideEvenWithALowerTier) {
  auto s = stats_state();
  s->my_atk = 400;
  s->my_body = 150;  // B = 137: attack gives the second tier, body then the first
  EXPECT_EQ(report_title(*s), "大巨人");
  s->my_body = 100;  // B = 125: attack gives the third tier, body passes nothing
  EXPECT_EQ(report_title(*s), "拳王");
  s->wild = 10000;  // B = 500 + 125 = 625, X = 1000: wild passes once, the others no more
  EXPECT_EQ(report_title(*s), "冒険者");
  s->my_lv = 5;
  EXPECT_EQ(report_title(*s), "弱っコ");
}

TEST(ReportTitle, LevelBands) {
  struct Case {
    int lv;
    const char* title;
  };
  const Case cases[] = {
      {0, "弱っコ"},
      {5, "弱っコ"},
      {10, "弱っコ"},
      {11, "凡人"},
      {29, "凡人"},
      {30, "闘士"},
      {49, "闘士"},
      {50, "????"},
      {99, "????"},
      {100, "Lv100コロシアマー"},
      {110, "Lv100コロシアマー"},
      {111, "????"},
      {205, "Lv200コロシアマー"},
      {310, "Lv300コロシアマー"},
      {400, "Lv400コロシアマー"},
      {500, "Ａ級コロシアマー"},
      {610, "Ｓ級コロシアマー"},
      {700, "SS級コロシアマー"},
      {801, "SSS級コロシアマー"},
      {910, "ザンドコロシアマー"},
      {911, "????"},
      {998, "????"},
      {999, "ＷＩＬＤＥＲ"},
      {1000, "????"},
      {-1, "????"},
  };
  for (const Case& c : cases) {
    auto s = stats_state();
    s->my_lv = c.lv;
    EXPECT_EQ(report_title(*s), c.title) << "level " << c.lv;
  }
  // The bands win over the statistics.
  auto s = stats_state();
  s->my_lv = 5;
  s->my_atk = 10000;
  EXPECT_EQ(report_title(*s), "弱っコ");
  s->my_lv = 60;
  EXPECT_EQ(report_title(*s), "拳王");
  s->my_lv = 999;
  EXPECT_EQ(report_title(*s), "ＷＩＬＤＥＲ");
}

TEST(ReportTitle, TheVoiceOfFaustWinsAtAnyLevel) {
  for (int lv : {1, 60, 100, 999}) {
    auto s = stats_state();
    s->my_lv = lv;
    s->my_atk = 500;
    s->item_have[item::kFaustVoice] = 1;
    EXPECT_EQ(report_title(*s), "ﾌｧｳｽﾄの声を聞いた者") << lv;
  }
  auto s = stats_state();
  s->item_have[item::kFaustVoice] = 0;
  s->item_have[436] = 1;
  EXPECT_EQ(report_title(*s), "????");
}

TEST(ReportTitle, HugeStatisticsDoNotOverflow) {
  auto s = stats_state();
  s->my_atk = kIntMax;
  s->my_int = kIntMax;
  s->my_body = kIntMax;
  s->my_beast = kIntMax;  // B = 2^31 - 1 in 64 bits; no statistic passes
  EXPECT_EQ(report_title(*s), "????");
  s->my_beast = 0;
  s->my_int = 0;
  s->my_body = 0;
  EXPECT_EQ(report_title(*s), "拳王");
}

TEST(ReportText, NewGame) {
  test::TestGame t;
  load_all(t.g, false);
  new_game(t.g);
  status_refresh(t.g);
  int named = 0;
  for (const auto& it : t.g.t.item_table) named += !it.it_name.empty();
  ASSERT_GT(named, 0);
  const std::string expected =
      "★ザンドコロシアム２データ\r\n"
      "LV:1  攻:0 知:0 防:0 獣:0\r\n"
      "武器:名も無き杖△0\r\n"
      "防具:名も無きマント△0\r\n"
      "戦:0 死:0 逃:0 時:0\r\n"
      "ﾓﾝｽﾀｰ図鑑:0匹  魔法図鑑:0個  ITEM図鑑:0/" +
      std::to_string(named) +
      "\r\n"
      "現ﾌﾛｱ:0階  称号:【弱っコ】\r\n"
      "点数：0点\r\n";
  EXPECT_EQ(report_text(t.g.s, t.g.t, t.g.ui.score_l.text), expected);
  EXPECT_EQ(report_bytes(t.g), utf8_to_cp932(expected));
  EXPECT_EQ(report_path(t.g), t.root + "投稿.txt");
}

TEST(ReportText, Record) {
  test::TestGame t;
  load_all(t.g, false);
  new_game(t.g);
  auto& s = t.g.s;
  s.my_lv = 12;
  s.my_atk = 3;
  s.my_body = 5;
  s.my_beast = 6;
  s.buki_name = "鉄の 剣";
  s.buki_pow = -2;
  s.bougu_name = "ｶﾜﾉﾖﾛｲ";
  s.bougu_pow = 9;
  s.floor_clear[fc::kBattles] = 30;
  s.floor_clear[fc::kDeaths] = 2;
  s.floor_clear[fc::kEscapes] = 1;
  s.play_time = 77;
  s.monster_book[1] = 1;
  s.monster_book[2] = 1;
  s.monster_book[3] = 2;  // only the value 1 counts
  s.magic_have[0] = 1;
  s.item_book[1] = 1;
  s.item_book[2] = -1;
  s.floor = 3;
  s.score = 123456;
  status_refresh(t.g);
  s.my_int = -4;  // the report writes what it finds, unclamped
  const std::string text = report_text(s, t.g.t, t.g.ui.score_l.text);
  EXPECT_NE(text.find("\r\nLV:12  攻:3 知:-4 防:5 獣:6\r\n武器:鉄の 剣△-2\r\n防具:ｶﾜﾉﾖﾛｲ△9\r\n戦:30 死:2 逃:1 時:77\r\n"
                      "ﾓﾝｽﾀｰ図鑑:2匹  魔法図鑑:1個  ITEM図鑑:1/"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n現ﾌﾛｱ:3階  称号:【凡人】\r\n点数：12万3456点\r\n"), std::string::npos) << text;
  // Line 8 is the label as it stands, even before the refresh caught up.
  s.score = 5;
  EXPECT_NE(report_text(s, t.g.t, t.g.ui.score_l.text).find("点数：12万3456点"), std::string::npos);
}

TEST(ReportText, AScoreLabelNeverDrawnIsWrittenAsItWouldShow) {
  test::TestGame t;
  load_all(t.g, false);
  new_game(t.g);
  t.g.s.score = 10000;
  ASSERT_EQ(t.g.ui.score_l.text, "");
  const std::string text = cp932_to_utf8(report_bytes(t.g));
  EXPECT_EQ(text.substr(text.rfind("\r\n", text.size() - 3) + 2), "点数：1万0000点\r\n");
}

TEST(ReportText, AlwaysEightLines) {
  auto tables = std::make_unique<Tables>();
  auto s = stats_state();
  s->buki_name = "二\r行";
  s->bougu_name = "改\n行";
  const std::string text = report_text(*s, *tables, "点数：0点");
  size_t crlf = 0;
  for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos; p += 2) ++crlf;
  EXPECT_EQ(crlf, 8u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 8);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8);
  EXPECT_NE(text.find("武器:二 行△0"), std::string::npos);
}

}  // namespace
}  // namespace z2
