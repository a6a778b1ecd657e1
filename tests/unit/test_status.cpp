#include <gtest/gtest.h>

#include <memory>

#include "game_fixture.h"
#include "shell/status.h"
#include "shell/title.h"
#include "state/int32.h"
#include "state/ids.h"

namespace z2 {
namespace {

// A new game over the small fixture set, with its tables read.
struct StatusGame : test::TestGame {
  StatusGame() {
    load_all(g, false);
    new_game(g);
    g.s.can_punch = g.s.can_magic = g.s.can_beast = g.s.can_item = true;
  }
};

TEST(ScoreText, GroupsOfTenThousand) {
  EXPECT_EQ(score_text(0), "0");
  EXPECT_EQ(score_text(7), "7");
  EXPECT_EQ(score_text(9999), "9999");
  EXPECT_EQ(score_text(10000), "1万0000");
  EXPECT_EQ(score_text(120003), "12万0003");
  EXPECT_EQ(score_text(99999999), "9999万9999");
  EXPECT_EQ(score_text(100000000), "1億0000万0000");
  EXPECT_EQ(score_text(100050007), "1億0005万0007");
  EXPECT_EQ(score_text(999999999), "9億9999万9999");
  EXPECT_EQ(score_text(2147483647), "21億4748万3647");
}

TEST(ScoreText, NegativeScoresDoNotBreakIt) {
  EXPECT_EQ(score_text(-5), "-5");
  EXPECT_EQ(score_text(-123456), "-12万3456");
  EXPECT_EQ(score_text(kIntMin), "-21億4748万3648");
}

TEST(StatusRefresh, ScoreLabel) {
  StatusGame t;
  t.g.s.score = 10000;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.score_l.text, "点数：1万0000点");
  t.g.s.score = 0;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.score_l.text, "点数：0点");
}

TEST(StatusRefresh, NewGameTexts) {
  StatusGame t;
  status_refresh(t.g);
  const Ui& ui = t.g.ui;
  EXPECT_EQ(ui.my_l.text,
            "▼アレク \rLV:1 (exp.0/99)\r\rHP:20/20\r\rMP:2/2\r\r攻:0 知:0\r体:0 獣:0\r\rｸﾗｽ:見習い(Lv:0)");
  EXPECT_EQ(ui.buki_l.text, "武器：名も無き杖 △0\r防具：名も無きマント △0");
  EXPECT_EQ(ui.state_l.text, "ARK：5  ｾﾝﾄ：0セント\r\r戦：0 死：0 逃：0 TIME：0");
  EXPECT_EQ(ui.map_box.caption, "0階【砂の闘技場】");
  EXPECT_EQ(ui.wild_l.text, "WILD:0");
  EXPECT_EQ(ui.combo_l.text, "0Combo");
  EXPECT_FALSE(ui.combo_l.visible);
  EXPECT_EQ(ui.ex_l.text, "");  // extra effect 0 is "なし"
  EXPECT_EQ(ui.score_l.text, "点数：0点");
  EXPECT_EQ(ui.my_l.fore, qRgb(41, 254, 217));
  EXPECT_EQ(ui.exp_l.max, 100);
  EXPECT_EQ(ui.my_hp_l.max, 20);
  EXPECT_EQ(ui.my_hp_l.value, 20);
  EXPECT_EQ(ui.my_mp_l.max, 2);
  EXPECT_EQ(ui.my_mp_l.value, 2);
  // The opponent slot of a new game is empty; it carries "random" (0).
  EXPECT_EQ(ui.e_l.text, "▼\rLV:0\r\r\rHP:0\r   /0\r\r所持:random\r\r属性:<無> ");
}

TEST(StatusRefresh, NeverPlaysASoundNorWrites) {
  StatusGame t;
  const std::string before = t.transcript();
  t.g.s.my_hp = -4;
  t.g.s.e_state = 3;
  status_refresh(t.g);
  EXPECT_EQ(t.transcript(), before);
  EXPECT_EQ(t.plat.elapsed_ms, 0);
}

TEST(StatusRefresh, PoisonedAndSealedPlayer) {
  StatusGame t;
  auto& s = t.g.s;
  s.my_state = 1;
  s.can_punch = s.can_magic = s.can_beast = s.can_item = false;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.my_l.text,
            "▼アレク <毒>\rLV:1 (exp.0/99)\r\rHP:20/20\r\rMP:2/2\r\r攻:0 知:0\r体:0 獣:0\r"
            ">攻封>魔封>獣封>ア封\rｸﾗｽ:見習い(Lv:0)");
  s.can_punch = s.can_item = true;
  s.my_state = 10;
  status_refresh(t.g);
  EXPECT_NE(t.g.ui.my_l.text.find("▼アレク <毒吸>\r"), std::string::npos);
  EXPECT_NE(t.g.ui.my_l.text.find("\r>魔封>獣封\r"), std::string::npos);
}

TEST(StatusRefresh, AilmentAndAttributeLabels) {
  const char* ail[] = {"", "毒", "眠", "石", "混", "暴", "猛毒", "感染", "呪い", "Ｍ呪", "毒吸"};
  for (int i = 0; i <= 10; ++i) EXPECT_STREQ(ailment_label(i), ail[i]);
  EXPECT_STREQ(ailment_label(11), "");
  EXPECT_STREQ(ailment_label(-1), "");
  const char* attr[] = {"無", "Zndo", "中国", "ＬＡ", "日本"};
  for (int i = 0; i <= 4; ++i) EXPECT_STREQ(attribute_label(i), attr[i]);
  EXPECT_STREQ(attribute_label(5), "");
  EXPECT_STREQ(attribute_label(kIntMin), "");

  StatusGame t;
  t.g.s.my_state = 99;
  t.g.s.e_state = 6;
  t.g.s.e_zoku = 3;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.my_l.text.substr(0, t.g.ui.my_l.text.find('\r')), "▼アレク ");
  EXPECT_NE(t.g.ui.e_l.text.find("\r属性:<ＬＡ> <猛毒>"), std::string::npos);
  t.g.s.e_zoku = 77;
  t.g.s.e_state = -3;
  status_refresh(t.g);
  EXPECT_NE(t.g.ui.e_l.text.find("\r属性:<> "), std::string::npos);
}

std::string carry_line(StatusGame& t, int e_item) {
  t.g.s.e_item = e_item;
  status_refresh(t.g);
  const std::string& txt = t.g.ui.e_l.text;
  // Line 8 of the opponent text.
  size_t p = 0;
  for (int i = 0; i < 7; ++i) p = txt.find('\r', p) + 1;
  return txt.substr(p, txt.find('\r', p) - p);
}

TEST(StatusRefresh, OpponentCarriedThing) {
  StatusGame t;
  ASSERT_EQ(t.g.t.item_table[1].it_name, "やくそう");
  ASSERT_EQ(t.g.t.item_table[3].it_rare, 2);
  ASSERT_EQ(t.g.t.gomi_table[3].gm_name, "空き缶");
  EXPECT_EQ(carry_line(t, 0), "所持:random");
  EXPECT_EQ(carry_line(t, -1), "所持:なし");
  EXPECT_EQ(carry_line(t, 1), "所持:やくそう");
  EXPECT_EQ(carry_line(t, 3), "所持:幻？？？？");
  EXPECT_EQ(carry_line(t, 1003), "所持:空き缶");
  // Ids outside the tables read as nameless.
  EXPECT_EQ(carry_line(t, 777), "所持:");
  EXPECT_EQ(carry_line(t, -9), "所持:");
  EXPECT_EQ(carry_line(t, kIntMax), "所持:");
  EXPECT_EQ(carry_line(t, kIntMin), "所持:");
}

TEST(StatusRefresh, OpponentText) {
  StatusGame t;
  auto& s = t.g.s;
  s.e_name = "スライム";
  s.e_lv = 12;
  s.e_hp = 30;
  s.e_hp_max = 45;
  s.e_item = -1;
  s.e_zoku = 1;
  s.e_state = 2;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.e_l.text, "▼スライム\rLV:12\r\r\rHP:30\r   /45\r\r所持:なし\r\r属性:<Zndo> <眠>");
  EXPECT_EQ(t.g.ui.e_hp_l.max, 45);
  EXPECT_EQ(t.g.ui.e_hp_l.value, 30);
}

TEST(StatusRefresh, RedAtATenthOfTheHitPoints) {
  StatusGame t;
  t.g.s.my_hp_max = 100;
  t.g.s.my_hp = 10;
  status_refresh(t.g);
  EXPECT_TRUE(t.g.ui.my_l.has_fore);
  EXPECT_EQ(t.g.ui.my_l.fore, qRgb(255, 0, 0));
  t.g.s.my_hp = 11;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.my_l.fore, qRgb(41, 254, 217));
  // The colour is taken after the clamps: 0 hit points of a maximum of 0 (made 1).
  t.g.s.my_hp_max = 0;
  t.g.s.my_hp = 5;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.my_l.fore, qRgb(255, 0, 0));
}

TEST(StatusRefresh, ClassLevel) {
  StatusGame t;
  auto& s = t.g.s;
  s.class_now = cls::kNovice;
  s.class_exp[0] = 39;
  status_refresh(t.g);
  EXPECT_NE(t.g.ui.my_l.text.find("\rｸﾗｽ:見習い(Lv:3)"), std::string::npos);
  s.class_exp[0] = 40;
  status_refresh(t.g);
  EXPECT_NE(t.g.ui.my_l.text.find("\rｸﾗｽ:見習い(Lv:M)"), std::string::npos);
  s.class_exp[0] = 41;
  status_refresh(t.g);
  EXPECT_NE(t.g.ui.my_l.text.find("(Lv:M)"), std::string::npos);
  // An unknown class shows no name and level 0.
  s.class_now = 256;
  status_refresh(t.g);
  const std::string& txt = t.g.ui.my_l.text;
  EXPECT_EQ(txt.substr(txt.rfind('\r')), "\rｸﾗｽ:(Lv:0)");
  s.class_now = -1;
  status_refresh(t.g);
  EXPECT_EQ(txt.substr(txt.rfind('\r')), "\rｸﾗｽ:(Lv:0)");
}

TEST(StatusRefresh, ExtraEffectLine) {
  StatusGame t;
  t.g.s.buki_ex = 1;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.ex_l.text, "追加効果：毒の刃");
  t.g.s.buki_ex = 0;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.ex_l.text, "");
  t.g.s.buki_ex = 900;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.ex_l.text, "追加効果：");
}

TEST(StatusRefresh, ComboShowsAboveFour) {
  StatusGame t;
  t.g.s.combo = 4;
  status_refresh(t.g);
  EXPECT_FALSE(t.g.ui.combo_l.visible);
  t.g.s.combo = 5;
  status_refresh(t.g);
  EXPECT_TRUE(t.g.ui.combo_l.visible);
  EXPECT_EQ(t.g.ui.combo_l.text, "5Combo");
}

TEST(StatusRefresh, TextsShowTheValueBeforeItsClamp) {
  StatusGame t;
  auto& s = t.g.s;
  s.wild = 1000;
  s.cent = 1000000000;
  s.score = 1000000005;
  s.my_hp = 25;
  s.e_hp_max = 10;
  s.e_hp = 12;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.wild_l.text, "WILD:1000");
  EXPECT_NE(t.g.ui.state_l.text.find("ｾﾝﾄ：1000000000セント"), std::string::npos);
  EXPECT_EQ(t.g.ui.score_l.text, "点数：10億0000万0005点");
  EXPECT_NE(t.g.ui.my_l.text.find("HP:25/20"), std::string::npos);
  EXPECT_EQ(t.g.ui.my_hp_l.value, 25);
  EXPECT_EQ(t.g.ui.e_hp_l.value, 12);
  EXPECT_EQ(s.wild, 999);
  EXPECT_EQ(s.cent, 999999999);
  EXPECT_EQ(s.score, 999999999);
  EXPECT_EQ(s.my_hp, 20);
  EXPECT_EQ(s.e_hp, 10);
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.wild_l.text, "WILD:999");
  EXPECT_EQ(t.g.ui.score_l.text, "点数：9億9999万9999点");
}

TEST(StatusRefresh, Clamps) {
  StatusGame t;
  auto& s = t.g.s;
  auto& fc = s.floor_clear;
  s.wild = -3;
  s.my_atk = -1;
  s.my_body = -2;
  s.my_beast = -3;
  s.my_int = -4;
  fc[101] = -1;
  fc[102] = 100;
  fc[103] = 99;
  fc[104] = 50;
  s.floor = -2;
  s.cent = -10;
  s.ark = -5;
  fc[106] = kIntMax;
  fc[105] = 5000;    // deaths: no refresh clamp
  fc[107] = -8;      // escapes: no refresh clamp
  s.combo = 5000;    // no refresh clamp
  s.my_mp = -1;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.zando_l.value, -1);
  EXPECT_EQ(t.g.ui.china_l.value, 100);
  EXPECT_EQ(t.g.ui.zando_l.max, 100);
  EXPECT_EQ(s.wild, 0);
  EXPECT_EQ(s.my_atk, 0);
  EXPECT_EQ(s.my_body, 0);
  EXPECT_EQ(s.my_beast, 0);
  EXPECT_EQ(s.my_int, 0);
  EXPECT_EQ(fc[101], 0);
  EXPECT_EQ(fc[102], 99);
  EXPECT_EQ(fc[103], 99);
  EXPECT_EQ(fc[104], 50);
  EXPECT_EQ(s.floor, 0);
  EXPECT_EQ(s.cent, 0);
  EXPECT_EQ(s.ark, 0);
  EXPECT_EQ(fc[106], 999999999);
  EXPECT_EQ(fc[105], 5000);
  EXPECT_EQ(fc[107], -8);
  EXPECT_EQ(s.combo, 5000);
  EXPECT_EQ(s.my_mp, 0);
  s.ark = 150;
  s.wild = 1000;
  status_refresh(t.g);
  EXPECT_EQ(s.ark, 99);
  EXPECT_EQ(s.wild, 999);
  // A negative score is left to the score update; the refresh only cuts the top.
  s.score = -7;
  status_refresh(t.g);
  EXPECT_EQ(s.score, -7);
}

TEST(StatusRefresh, HitPointClampsRunUpperBoundFirst) {
  StatusGame t;
  auto& s = t.g.s;
  s.my_hp_max = 0;
  s.my_hp = 5;
  status_refresh(t.g);
  EXPECT_EQ(s.my_hp_max, 1);
  EXPECT_EQ(s.my_hp, 0);  // cut to 0 by the maximum, then the maximum raised
  // A negative maximum: the upper bound makes it negative, the lower bound 0.
  s.my_hp_max = -3;
  s.my_hp = 5;
  s.my_mp_max = -9;
  s.my_mp = 4;
  status_refresh(t.g);
  EXPECT_EQ(s.my_hp, 0);
  EXPECT_EQ(s.my_mp, 0);
  EXPECT_EQ(s.my_hp_max, 1);
  EXPECT_EQ(s.my_mp_max, 1);
  EXPECT_EQ(t.g.ui.my_hp_l.max, -3);  // the gauge took the values before the clamps
  EXPECT_EQ(t.g.ui.my_mp_l.value, 4);
  s.my_mp_max = 30;
  s.my_mp = 31;
  status_refresh(t.g);
  EXPECT_EQ(s.my_mp, 30);
}

TEST(StatusRefresh, ArkLowerBoundFirstAndOpponentUpperBoundFirst) {
  StatusGame t;
  auto& s = t.g.s;
  s.ark_max = -4;
  s.ark = 3;
  status_refresh(t.g);
  EXPECT_EQ(s.ark, -4);  // raised to 0 first, then cut to the (negative) cap
  s.e_hp_max = -2;
  s.e_hp = 5;
  status_refresh(t.g);
  EXPECT_EQ(s.e_hp, 0);
  s.e_hp_max = 40;
  s.e_hp = -6;
  status_refresh(t.g);
  EXPECT_EQ(s.e_hp, 0);
}

TEST(StatusRefresh, MenuButtons) {
  StatusGame t;
  auto& s = t.g.s;
  auto& ui = t.g.ui;
  ui.map_box.visible = true;
  status_refresh(t.g);
  EXPECT_TRUE(ui.menu_com.visible);
  for (Control* c : {&ui.m1, &ui.m2, &ui.m3, &ui.m4, &ui.md_b, &ui.b2, &ui.b3}) EXPECT_FALSE(c->visible) << c->name;

  s.item_have[499] = 1;  // an ordinary item, but 499 is never looked at
  s.md_have[150] = 1;    // discs above 100 neither
  s.monster_have[499] = 2;
  s.gomi_have[499] = 2;
  status_refresh(t.g);
  for (Control* c : {&ui.m1, &ui.m2, &ui.m3, &ui.m4, &ui.md_b, &ui.b2, &ui.b3}) EXPECT_FALSE(c->visible) << c->name;

  ASSERT_EQ(t.g.t.item_table[4].it_kind, 400);
  s.item_have[4] = 1;  // a weapon
  status_refresh(t.g);
  EXPECT_TRUE(ui.m4.visible);
  EXPECT_FALSE(ui.m1.visible);
  EXPECT_FALSE(ui.b3.visible);
  s.item_have[1] = 1;
  s.md_have[100] = 1;
  s.monster_have[498] = 1;
  s.gomi_have[0] = 1;
  status_refresh(t.g);
  for (Control* c : {&ui.m1, &ui.m2, &ui.m3, &ui.m4, &ui.md_b, &ui.b2, &ui.b3}) EXPECT_TRUE(c->visible) << c->name;
  s.item_have[4] = -1;
  s.item_have[1] = 0;
  status_refresh(t.g);
  EXPECT_FALSE(ui.m1.visible);
  EXPECT_FALSE(ui.m4.visible);

  ui.map_box.visible = false;
  status_refresh(t.g);
  EXPECT_FALSE(ui.menu_com.visible);
}

TEST(StatusRefresh, UnknownFloorHasNoName) {
  StatusGame t;
  t.g.s.floor = 300;
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.map_box.caption, "300階【】");
}

TEST(ScoreUpdate, FillsTheEncyclopedias) {
  StatusGame t;
  auto& s = t.g.s;
  s.monster_have[7] = 1;
  s.monster_have[8] = -1;
  s.md_have[255] = 3;
  s.item_have[499] = 2;
  s.item_book[10] = 1;  // seen before, no longer owned: stays seen
  score_update(t.g);
  EXPECT_EQ(s.monster_book[7], 1);
  EXPECT_EQ(s.monster_book[8], 0);
  EXPECT_EQ(s.md_book[255], 1);
  EXPECT_EQ(s.item_book[499], 1);
  EXPECT_EQ(s.item_book[10], 1);
  int books = 0;
  for (auto v : s.item_book) books += v;
  EXPECT_EQ(books, 2);
}

TEST(ScoreUpdate, Formula) {
  auto tables = std::make_unique<Tables>();
  Tables& t = *tables;
  t.item_table[1].it_rare = 0;
  t.item_table[2].it_rare = 1;
  t.item_table[3].it_rare = 2;
  t.item_table[4].it_rare = 3;
  t.item_table[5].it_rare = 4;  // no weight
  auto state = std::make_unique<GameState>();
  GameState& s = *state;
  s.play_time = 125;      // 12
  s.my_lv = 3;            // 15
  s.item_have[1] = 4;     // 4
  s.item_have[2] = 3;     // 6
  s.item_have[3] = 2;     // 20
  s.item_have[4] = 5;     // 10
  s.item_have[5] = 100;   // 0
  s.item_have[6] = -7;    // rarity 0 but not positive: 0
  s.md_have[5] = 3;       // 3
  s.md_have[6] = -3;
  s.monster_have[10] = 2; // 10
  s.gomi_have[3] = 6;     // 6
  s.magic_have[1] = 1;    // 10
  s.floor_clear[fc::kDeaths] = 7; // deaths
  s.floor_clear[fc::kEscapes] = 2; // escapes
  s.wata = 4;             // base = 12+15+4+6+20+10+3+10+6+10+7+2+4 = 109
  s.class_exp[0] = 25;
  s.class_exp[1] = -4;    // 5 * 25
  s.floor_clear[0] = 100;
  s.floor_clear[fc::kZando] = 50;
  s.floor_clear[fc::kChina] = 3;
  s.floor_clear[fc::kBattles] = 40;
  s.floor_clear[fc::kUnused] = 8;
  s.floor_clear[fc::kBufAtk] = 30;
  s.floor_clear[fc::kBufDef] = -20;  // fl = (100+7+2+50+3+40+8+30)/10 = 24
  s.my_atk = 11;
  s.my_body = 12;
  s.my_int = 13;
  s.my_beast = 1000;  // not counted
  s.cent = 5000;
  s.wild = 300;
  s.combo = 9;
  s.monster_book[3] = 1;
  EXPECT_EQ(compute_score(s, t), 10900 + 125 + 24 + 53 + 36);
}

TEST(ScoreUpdate, HugeCountsStopAtTheCapAndNeverWrap) {
  auto tables = std::make_unique<Tables>();
  auto state = std::make_unique<GameState>();
  GameState& s = *state;
  s.item_have.fill(kIntMax);
  s.monster_have.fill(kIntMax);
  s.class_exp.fill(kIntMax);
  s.floor_clear.fill(kIntMax);
  s.my_lv = kIntMax;
  EXPECT_EQ(compute_score(s, *tables), 999999999);
  s = GameState{};
  s.my_lv = kIntMin;
  s.play_time = kIntMin;
  EXPECT_EQ(compute_score(s, *tables), 0);
  s = GameState{};
  s.my_lv = 1;
  EXPECT_EQ(compute_score(s, *tables), 500);
}

TEST(ScoreUpdate, NewGameScoresItsLevel) {
  StatusGame t;
  score_update(t.g);
  EXPECT_EQ(t.g.s.score, 500);
  status_refresh(t.g);
  EXPECT_EQ(t.g.ui.score_l.text, "点数：500点");
}

}  // namespace
}  // namespace z2
