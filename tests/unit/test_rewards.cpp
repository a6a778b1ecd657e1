// The progress rewards: floor clears with their notices and prizes, the
// level-up and its magic, class levels and mastery, combo prizes.
#include <gtest/gtest.h>

#include <sstream>

#include "battle/rewards.h"
#include "data/tables.h"
#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/ids.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct RewardRig : test::NewGame {
  GameState& s = g.s;

  RewardRig() : test::NewGame("mini") {
    for (int f = 0; f <= kTopFloor; ++f) g.t.map_names[static_cast<size_t>(f)] = "階" + std::to_string(f);
    g.t.item_table[item::kFaustVoice].it_name = "ファウストの声";
    g.t.item_table[274].it_name = "頂の鍵";
    g.t.magic_table[23].mg_name = "メテオ";
    g.t.job_table[20] = {"囚人", "", 0, 0, 0};
    g.t.job_table[21] = {"スター", "", 0, 0, 0};
  }
  std::string text() const { return out.str(); }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
  bool saw_part(const std::string& t) const { return out.str().find(t) != std::string::npos; }
};

}  // namespace

TEST(FloorClear, ClimbingFloorsSixAndBelow) {
  RewardRig r;
  r.s.floor = 6;
  r.s.e_name = "門番";
  floor_clear_reward(r.g);
  EXPECT_EQ(r.s.floor_clear[6], 100);
  EXPECT_EQ(r.s.floor, 7);
  EXPECT_EQ(r.text(), "bgm: not\nse: next.wav\nnotice: 次のフロア・7階、階7へと勝ち進んだ!!\nse: key.wav\n");
}

TEST(FloorClear, ChampionOfFloorSevenStays) {
  RewardRig r;
  r.s.floor = 7;
  r.s.e_name = "王者";
  floor_clear_reward(r.g);
  EXPECT_EQ(r.s.floor, 7);
  EXPECT_EQ(r.s.floor_clear[7], 100);
  EXPECT_EQ(r.text(),
            "bgm: not\nse: next.wav\nnotice: アレクはザンドコロシアム優勝者となった!!!\nse: key.wav\n"
            "notice: クリア！！！おめでとう。\nse: key.wav\n");
}

TEST(FloorClear, HigherFloorsOpenTheirDoorAndPayTheirPrize) {
  RewardRig r;
  r.s.floor = 11;
  r.s.e_name = "番人";
  r.s.item_have[274] = 2;
  floor_clear_reward(r.g);
  EXPECT_TRUE(r.saw("notice: 上への扉が開いた・・・"));
  EXPECT_TRUE(r.saw("put: 【頂の鍵】を入手した!!"));
  EXPECT_EQ(r.s.item_have[274], 1);  // set, not raised to 3
  EXPECT_EQ(r.s.floor, 11);

  RewardRig m;
  m.s.floor = 8;
  floor_clear_reward(m.g);
  EXPECT_TRUE(m.saw("put: 魔法【メテオ】を覚えた!!"));
  EXPECT_EQ(m.s.magic_have[23], 1);

  RewardRig c;
  c.s.floor = 14;
  c.s.monster_have[monster::kCleaner] = 150;
  floor_clear_reward(c.g);
  EXPECT_TRUE(c.saw("add: モンスター【ｸﾘｰﾅｰﾔﾑﾔﾑ】を入手した!!"));
  EXPECT_EQ(c.s.monster_have[monster::kCleaner], 151);

  RewardRig none;
  none.s.floor = 13;
  floor_clear_reward(none.g);
  EXPECT_FALSE(none.saw_part("入手した") || none.saw_part("覚えた"));
}

TEST(FloorClear, TheTopFloor) {
  RewardRig r;
  r.s.floor = kTopFloor;
  r.s.e_name = "最後の敵";
  r.g.t.item_table[275].it_name = "王冠";
  floor_clear_reward(r.g);
  EXPECT_EQ(r.text(),
            "bgm: not\nse: next.wav\nnotice: 完全クリアした・・・\nse: key.wav\nbgm: open.mid\nnotice: さようなら\n"
            "se: key.wav\nput: 【王冠】を入手した!!\n");
  EXPECT_EQ(r.s.floor_clear[kTopFloor], 100);
}

TEST(FloorClear, FaustOnFloorZero) {
  RewardRig r;
  r.s.floor = 0;
  r.s.e_name = "ファウスト";
  r.s.item_have[item::kFaustVoice] = 3;
  floor_clear_reward(r.g);
  EXPECT_EQ(r.s.floor, 0);
  EXPECT_EQ(r.s.floor_clear[fc::kGouketu], 100);
  EXPECT_EQ(r.s.item_have[item::kFaustVoice], 1);
  EXPECT_EQ(r.text(),
            "bgm: not\nse: next.wav\nnotice: ファウスト「アレク・・・その名、覚えておこう」\nse: key.wav\n"
            "notice: 声の主はどこかへと消えた・・・・\nse: key.wav\nput: 【ファウストの声】を入手した!!\n");
}

TEST(LevelUp, MagicOfTheLevelAndTheCeiling) {
  RewardRig r;
  r.g.t.magic_table[22].mg_name = "ヒール";
  r.s.my_lv = 9;
  r.s.my_exp = 130;
  level_up(r.g);
  EXPECT_EQ(r.s.my_lv, 10);
  EXPECT_EQ(r.s.my_exp, 0);
  EXPECT_EQ(r.s.magic_have[22], 1);
  EXPECT_EQ(r.text(),
            "put: レベルアップ!!\nadd: 魔法【ヒール】を覚えた!!\n"
            "add: \\rどれか１つ上昇させるパラメーターを選んでください。\nse: lv.wav\n");
  EXPECT_TRUE(r.g.ui.lv_box.visible);
  EXPECT_FALSE(r.g.ui.lv2_b.visible);

  RewardRig top;
  top.s.my_lv = 999;
  level_up(top.g);
  EXPECT_EQ(top.s.my_lv, 999);
  EXPECT_TRUE(top.g.ui.lv_box.visible);
  EXPECT_FALSE(top.saw_part("魔法"));
}

TEST(ClassExp, LevelsMasteryOnceAndThePrisonersUpgrade) {
  RewardRig r;
  r.s.class_now = cls::kPrisoner;
  r.s.class_exp[cls::kPrisoner] = 9;
  class_exp_step(r.g);
  EXPECT_TRUE(r.saw("put: クラス【囚人】のＬＶが1になった!!"));

  r.s.class_exp[cls::kPrisoner] = 39;
  r.s.cent = 5;
  r.s.ark = 1;
  class_exp_step(r.g);
  EXPECT_TRUE(r.saw("put: クラス【囚人】をマスターした!!"));
  EXPECT_TRUE(r.saw("add: BOUNS +1000ｾﾝﾄ +20ARK !!"));
  EXPECT_TRUE(r.saw("put: なんとクラス【スター】にクラスアップした!!"));
  EXPECT_EQ(r.s.cent, 1005);
  EXPECT_EQ(r.s.ark, 21);
  EXPECT_EQ(r.s.class_now, cls::kStar);
  EXPECT_EQ(r.s.class_exp[cls::kPrisoner], 40);

  // A mastered class stays at 41 and pays nothing more.
  RewardRig m;
  m.s.class_exp[0] = 40;
  for (int i = 0; i < 3; ++i) class_exp_step(m.g);
  EXPECT_EQ(m.s.class_exp[0], 41);
  EXPECT_EQ(m.s.cent, 0);
  EXPECT_EQ(m.text(), "");
}

TEST(Combo, PrizesAndTheCeiling) {
  RewardRig r;
  r.g.t.item_table[8].it_name = "十連の証";
  r.s.combo = 9;
  r.s.item_have[8] = 99;
  combo_step(r.g);
  EXPECT_EQ(r.s.combo, 10);
  EXPECT_EQ(r.text(), "put: GRAET > 10Combo!!\nadd: 賞品「十連の証」を入手!!\n");
  EXPECT_EQ(r.s.item_have[8], 100);  // a prize is not capped

  RewardRig top;
  top.s.combo = 997;
  top.g.t.item_table[497].it_name = "極みの証";
  for (int i = 0; i < 4; ++i) combo_step(top.g);
  EXPECT_EQ(top.s.combo, 999);
  EXPECT_EQ(top.s.item_have[497], 1);  // the prize for 998 once per streak
}
