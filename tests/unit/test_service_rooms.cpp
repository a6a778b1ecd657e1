// The service rooms and the list actions they lead to: the garbage room and
// feeding, the monster workshop and fusion, discs, the church, the clinic and
// the naming box. The fixture set "rooms" pairs garbage and monsters:
//   garbage 0 紙くず  -> monster 0 スライム (fusion 3, hatchable: x10)
//   garbage 1 空き缶  -> monster 1 has no name (nothing hatches)
//   monster 2 ドラゴンナイト (fusion 5, extra effect 1 毒の刃, no garbage 2: x100)
//   monster 3 ゴブ (fusion 2), monster 4 Aカエル (fusion 1)
//   classes 0 見習い (free), 1 戦士 (1000), 2 賢者 (2000); discs 0 and 1.
#include <gtest/gtest.h>

#include "data/tables.h"
#include "game_fixture.h"
#include "lists/list_actions.h"
#include "lists/list_modes.h"
#include "rooms/service_rooms.h"
#include "shell/status.h"
#include "shell/title.h"
#include "state/int32.h"

using namespace z2;

namespace {

struct Rooms : test::TestGame {
  explicit Rooms(std::vector<int32_t> draws = {}) : TestGame("rooms", std::move(draws)) {
    load_tables(g.t, g.dat_dir());
    new_game(g);
    g.ui.start_box.visible = false;
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
    // Floor 7 has every service room.
    g.s.floor = 7;
    status_refresh(g);
  }
  bool saw(const std::string& line) const {
    return ("\n" + transcript()).find("\n" + line + "\n") != std::string::npos;
  }
  bool saw_part(const std::string& text) const { return transcript().find(text) != std::string::npos; }
  // The workshop with monster m chosen and the fusion box open.
  void fusion_box(int m) {
    g.s.monster_have[static_cast<size_t>(m)] = std::max(g.s.monster_have[static_cast<size_t>(m)], 1);
    status_refresh(g);
    ASSERT_TRUE(click(g, "s_monster"));
    g.s.list_sel = m;
    choose_fusion(g);
  }
};

}  // namespace

TEST(Fusion, NameTakesSixBytesOfEachNameAndNeverHalfACharacter) {
  EXPECT_EQ(fusion_name("ドラゴンナイト", "名も無き杖", true), "ドラゴ名も無剣");
  // Shorter than six bytes: the whole name.
  EXPECT_EQ(fusion_name("ゴブ", "名も無きマント", false), "ゴブ名も無服");
  // A cut inside a double-byte character leaves that character out.
  EXPECT_EQ(fusion_name("Aカエル", "xyzカエル", true), "Aカエxyzカ剣");
  EXPECT_EQ(fusion_name("", "", true), "剣");
}

TEST(Fusion, ValueIsTenfoldForHatchableMonstersElseHundredfold) {
  Rooms r;
  EXPECT_EQ(fusion_value(r.g.t, 0), 30);   // garbage 0 exists
  EXPECT_EQ(fusion_value(r.g.t, 2), 500);  // garbage 2 has no name
  EXPECT_EQ(fusion_value(r.g.t, 4), 100);  // past the garbage file's end
  EXPECT_EQ(fusion_value(r.g.t, -1), 0);
  EXPECT_EQ(fusion_value(r.g.t, 500), 0);
  r.g.t.monster_table[2].mo_gousei = 2000000000;
  EXPECT_EQ(fusion_value(r.g.t, 2), kIntMax);
}

TEST(Fusion, WeaponNeedsAHundredCentsAndThenTakesThemAll) {
  // 99 cents: refused, the box stays open and nothing changes.
  {
    Rooms r;
    r.fusion_box(2);
    r.g.s.cent = 99;
    ASSERT_TRUE(click(r.g, "Button37"));
    EXPECT_EQ(r.g.s.cent, 99);
    EXPECT_EQ(r.g.ui.moji_l.text, "セントがたりないよ");
    EXPECT_TRUE(r.saw("se: miss.wav"));
    EXPECT_TRUE(r.g.ui.gousei_box.visible);
    EXPECT_FALSE(r.g.ui.OK.visible);
    EXPECT_EQ(r.g.s.monster_have[2], 1);
    EXPECT_EQ(r.g.s.buki_name, "名も無き杖");
    EXPECT_TRUE(r.rng.draws.empty());
  }
  // Exactly 100: fused, the monster's cry drawn (words 3, shown: 1 in 6 hits).
  {
    Rooms r({3, 0});
    r.fusion_box(2);
    r.g.s.monster_have[2] = 2;
    r.g.s.cent = 100;
    r.g.s.buki_pow = 40;
    ASSERT_TRUE(click(r.g, "Button37"));
    EXPECT_EQ(r.g.s.cent, 0);
    EXPECT_EQ(r.g.s.monster_have[2], 1);
    EXPECT_EQ(r.g.s.buki_name, "ドラゴ名も無剣");
    EXPECT_EQ(r.g.s.buki_pow, 540);
    EXPECT_EQ(r.g.s.buki_ex, 1);
    EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{12, 6}));
    EXPECT_TRUE(r.saw("put: ドラゴンナイト「嘘ダヨネ････？グフッ･･･」"));
    EXPECT_TRUE(r.saw("notice: 【名も無き杖】△40 ＋ 【ドラゴンナイト】\\r↓\\rNEW>\\r【ドラゴ名も無剣】△540\\r(★毒の刃)"
                      "\\r\\rができた!!"));
    EXPECT_TRUE(r.saw("se: gousei.wav"));
    EXPECT_TRUE(r.saw("se: key.wav"));
    EXPECT_EQ(r.g.ui.moji_l.text, "他に合成させたいモンスターはいる？");
    EXPECT_FALSE(r.g.ui.gousei_box.visible);
    EXPECT_TRUE(r.g.ui.OK.visible);
    EXPECT_TRUE(r.g.ui.cancel_b.visible);
    EXPECT_TRUE(r.g.ui.list_l.enabled);
  }
}

TEST(Fusion, QuietMonsterKeepsTheWeaponsEffectAndPowerStopsAtTheCap) {
  Rooms r({0, 5});
  r.fusion_box(0);
  r.g.s.cent = 500;
  r.g.s.buki_ex = 1;
  r.g.s.buki_pow = kNineNines - 10;
  ASSERT_TRUE(click(r.g, "Button37"));
  EXPECT_EQ(r.g.s.buki_ex, 1);  // スライム has no effect of its own
  EXPECT_EQ(r.g.s.buki_pow, kNineNines);
  EXPECT_FALSE(r.saw_part("put: スライム「"));  // the 1-in-6 draw missed
  EXPECT_TRUE(r.saw_part("△999999999\\r(★毒の刃)"));
  EXPECT_EQ(r.g.s.cent, 400);
}

TEST(Fusion, ArmourCostsFiftyDrawsNothingAndShowsNoEffect) {
  Rooms r;
  r.fusion_box(3);
  r.g.s.cent = 50;
  r.g.s.bougu_pow = 7;
  r.g.s.buki_ex = 0;
  ASSERT_TRUE(click(r.g, "Button35"));
  EXPECT_EQ(r.g.s.cent, 0);
  EXPECT_EQ(r.g.s.bougu_name, "ゴブ名も無服");
  EXPECT_EQ(r.g.s.bougu_pow, 207);
  EXPECT_EQ(r.g.s.buki_ex, 0);
  EXPECT_EQ(r.g.s.buki_name, "名も無き杖");
  EXPECT_TRUE(r.rng.draws.empty());
  EXPECT_TRUE(r.saw("notice: 【名も無きマント】△7 ＋ 【ゴブ】\\r↓\\rNEW>\\r【ゴブ名も無服】△207ができた!!"));
  // The last ゴブ is gone.
  EXPECT_EQ(r.g.s.monster_have[3], 0);
}

TEST(Fusion, CancelGivesTheListBackAndAStaleChoiceFusesNothing) {
  Rooms r;
  r.fusion_box(2);
  ASSERT_TRUE(click(r.g, "Button36"));
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_FALSE(r.g.ui.gousei_box.visible);
  EXPECT_TRUE(r.g.ui.OK.visible);
  EXPECT_TRUE(r.g.ui.list_l.enabled);
  EXPECT_EQ(r.g.ui.moji_l.text, "どのモンスターを武具に合成させたい？\r\r(※追加効果は武器に合成した時のみ追加されます)");

  // The monster went away while the box was open: no weapon out of nothing.
  r.g.s.list_sel = 2;
  choose_fusion(r.g);
  r.g.s.monster_have[2] = 0;
  r.g.s.cent = 1000;
  ASSERT_TRUE(click(r.g, "Button37"));
  EXPECT_EQ(r.g.s.cent, 1000);
  EXPECT_EQ(r.g.s.buki_name, "名も無き杖");
  EXPECT_FALSE(r.g.ui.gousei_box.visible);
}

TEST(Workshop, OpensOnlyWithAMonsterAndAsksWhichOne) {
  Rooms r;
  status_refresh(r.g);
  ASSERT_TRUE(click(r.g, "s_monster"));
  EXPECT_TRUE(r.saw("moji_l2: 閉まっていて入れません"));
  EXPECT_FALSE(r.g.s.host_mode);

  r.g.s.monster_have[4] = 1;
  status_refresh(r.g);
  ASSERT_TRUE(click(r.g, "s_monster"));
  EXPECT_TRUE(r.g.s.host_mode);
  EXPECT_EQ(r.g.ui.list_box.caption, "合成");
  EXPECT_TRUE(r.g.ui.list_box.visible);
  r.g.s.list_sel = 4;
  choose_fusion(r.g);
  EXPECT_EQ(r.g.ui.moji_l.text,
            "Aカエルを\r武器に合成させる？それとも防具？\r\r※武器に合成する場合はそのモンスターが持つ特殊効果が追加されます");
  EXPECT_TRUE(r.g.ui.gousei_box.visible);
  EXPECT_FALSE(r.g.ui.OK.visible);
  EXPECT_FALSE(r.g.ui.cancel_b.visible);
  EXPECT_FALSE(r.g.ui.list_l.enabled);
}

TEST(GarbageRoom, ShutWithoutGarbageButTheBookStillFills) {
  Rooms r;
  r.g.s.monster_have[2] = 3;
  r.g.s.monster_have[499] = 1;
  r.g.ui.takara.visible = true;
  status_refresh(r.g);
  ASSERT_FALSE(r.g.ui.m3.visible);
  ASSERT_TRUE(click(r.g, "s_gomi"));
  EXPECT_EQ(r.g.s.monster_book[2], 1);
  EXPECT_EQ(r.g.s.monster_book[499], 1);
  EXPECT_EQ(r.g.s.monster_book[0], 0);
  EXPECT_FALSE(r.g.ui.takara.visible);
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_TRUE(r.saw("moji_l2: 閉まっていて入れません"));
  EXPECT_FALSE(r.g.s.host_mode);
  EXPECT_FALSE(r.g.ui.list_box.visible);
}

TEST(GarbageRoom, OpensOnTheFeedingList) {
  Rooms r;
  r.g.s.gomi_have[1] = 1;
  status_refresh(r.g);
  ASSERT_TRUE(click(r.g, "s_gomi"));
  EXPECT_TRUE(r.g.s.host_mode);
  EXPECT_TRUE(r.saw("put: クリーナーヤムヤムが出現した！"));
  EXPECT_TRUE(r.saw("add: 『ゴミありますかぁ? ヤムヤム』\\r\\r＊どのゴミを食べさせますか?"));
  EXPECT_EQ(r.g.ui.list_box.caption, "どれを食べさせますか？");
  EXPECT_TRUE(r.g.ui.list_box.visible);
}

TEST(Feeding, GarbageWithoutAMonsterIsStillEaten) {
  Rooms r;
  r.g.s.gomi_have[1] = 2;
  r.g.s.list_sel = 1;
  r.g.ui.list_box.caption = "どれを食べさせますか？";
  feed_garbage(r.g);
  EXPECT_EQ(r.g.s.gomi_have[1], 1);
  EXPECT_EQ(r.g.s.monster_have[1], 0);
  EXPECT_TRUE(r.saw("se: taberu.wav"));
  EXPECT_TRUE(r.saw("put: 【空き缶】をあげた。"));
  EXPECT_TRUE(r.saw("add: 『むしゃむしゃ・・・・まじゅっっ、ヤックヤック!!』"));
  EXPECT_TRUE(r.saw("notice: なにも生まれなかった。"));
  EXPECT_FALSE(r.saw_part("仲間になった"));
}

TEST(Feeding, PairedGarbageHatchesItsMonster) {
  Rooms r;
  r.g.s.gomi_have[0] = 1;
  r.g.s.monster_have[0] = 4;
  r.g.s.list_sel = 0;
  r.g.ui.list_box.caption = "どれを食べさせますか？";
  const long long before = r.plat.elapsed_ms;
  feed_garbage(r.g);
  EXPECT_EQ(r.g.s.gomi_have[0], 0);
  EXPECT_EQ(r.g.s.monster_have[0], 5);
  EXPECT_TRUE(r.saw("add: 『むしゃむしゃ・・・・ウグググ、なにかうまれル!!』"));
  EXPECT_TRUE(r.saw("add: モンスター【スライム】が生まれた!"));
  EXPECT_TRUE(r.saw("notice: モンスター【スライム】が仲間になった!"));
  EXPECT_EQ(r.g.ui.moji_l.text, "『もっともっとちょうだい？』\r\r＊どれを食べさせますか？");
  EXPECT_FALSE(r.saw_part("error:"));
  // The zoom: thirteen quick frames and four slow ones.
  EXPECT_GE(r.plat.elapsed_ms - before, 13 * 2 + 4 * 10);
}

TEST(Feeding, MissingMonsterPictureFallsBackAndNothingOwnedIsNotFed) {
  Rooms r;
  r.g.t.monster_table[1].mo_name = "まぼろし";  // mo001.bmp is not in the set
  r.g.s.gomi_have[1] = 1;
  r.g.s.list_sel = 1;
  feed_garbage(r.g);
  EXPECT_EQ(r.g.s.monster_have[1], 1);
  EXPECT_FALSE(r.saw_part("error:"));

  // Nothing left of it: the count stays at 0 and nothing hatches.
  feed_garbage(r.g);
  EXPECT_EQ(r.g.s.gomi_have[1], 0);
  EXPECT_EQ(r.g.s.monster_have[1], 1);
}

TEST(Discs, PlayingUsesTheDiscAndTheMusicPlaysOn) {
  Rooms r;
  r.g.s.md_have[1] = 1;
  r.g.s.list_sel = 1;
  r.g.ui.list_box.caption = "ＭＤ";
  play_disc(r.g);
  EXPECT_EQ(r.g.s.md_have[1], 0);
  EXPECT_TRUE(r.saw("moji_l2: 【夜の曲】の曲が流れ出した・・・・"));
  EXPECT_TRUE(r.saw("bgm: md02.mid"));
  EXPECT_FALSE(r.saw("bgm: not"));

  // The disc is gone while the choice stays: nothing plays and nothing is counted.
  r.out.str("");
  play_disc(r.g);
  EXPECT_EQ(r.g.s.md_have[1], 0);
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_FALSE(r.saw_part("bgm:"));
  EXPECT_FALSE(r.saw_part("流れ出した"));
}

TEST(Church, ClassChangeChecksMoneyAsksAndChargesEveryTime) {
  Rooms r;
  r.g.ui.list_box.caption = "クラスチェンジ";
  r.g.s.list_sel = 1;
  r.g.s.cent = 999;
  change_class(r.g);
  EXPECT_EQ(r.g.ui.moji_l.text, "セントが足りません");
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_FALSE(r.saw_part("ask:"));
  EXPECT_EQ(r.g.s.class_now, 0);

  r.g.s.cent = 2500;
  r.plat.queue_answer(false);
  change_class(r.g);
  EXPECT_TRUE(r.saw("ask: 戦士にチェンジしますか？ -> no"));
  EXPECT_EQ(r.g.s.cent, 2500);
  EXPECT_EQ(r.g.s.class_now, 0);

  r.g.s.item_have[1] = 0;
  change_class(r.g);
  EXPECT_TRUE(r.saw("se: class.wav"));
  EXPECT_TRUE(r.saw("se: 1.wav"));
  EXPECT_EQ(r.g.ui.moji_l.text, "戦士にクラスチェンジした!!\r\rどうしますか？");
  EXPECT_EQ(r.g.s.cent, 1500);
  EXPECT_EQ(r.g.s.class_now, 1);
  EXPECT_EQ(r.g.s.item_have[1], 0);  // items are not part of the bargain

  // The class already held costs its price again.
  change_class(r.g);
  EXPECT_EQ(r.g.s.cent, 500);
  EXPECT_EQ(r.g.s.class_now, 1);
}

TEST(Church, OpensTheClassList) {
  Rooms r;
  ASSERT_TRUE(click(r.g, "s_ch"));
  EXPECT_TRUE(r.g.s.host_mode);
  EXPECT_EQ(r.g.ui.moji_l.text, "モンスターの力を引き出して、あなたの力としてあげます。\r\rどのクラスにチェンジしたいですか？");
  EXPECT_EQ(r.g.ui.list_box.caption, "クラスチェンジ");
  EXPECT_TRUE(r.g.ui.list_box.visible);
}

TEST(Clinic, ExactFeeHealsAndLeavesNothing) {
  Rooms r;
  GameState& s = r.g.s;
  s.my_mp_max = 30;
  s.my_mp = 1;
  s.my_hp = 3;
  s.my_state = 6;
  s.cent = 30;
  r.g.ui.takara.visible = true;
  ASSERT_TRUE(click(r.g, "s_er"));
  EXPECT_TRUE(r.saw("ask: 治療には30ｾﾝﾄ必要です。治療をうけますか？ -> yes"));
  EXPECT_EQ(s.cent, 0);
  EXPECT_EQ(s.my_hp, s.my_hp_max);
  EXPECT_EQ(s.my_mp, 30);
  EXPECT_EQ(s.my_state, 0);
  EXPECT_TRUE(r.saw("moji_l2: 完全回復!!"));
  EXPECT_TRUE(r.saw("se: magic.wav"));
  EXPECT_FALSE(r.g.ui.takara.visible);
}

TEST(Clinic, ShortOfMoneyOrSayingNoChangesNothing) {
  Rooms r;
  GameState& s = r.g.s;
  s.my_mp_max = 30;
  s.my_hp = 3;
  s.cent = 29;
  ASSERT_TRUE(click(r.g, "s_er"));
  EXPECT_TRUE(r.saw("moji_l2: セントが足りません"));
  EXPECT_EQ(s.cent, 29);
  EXPECT_EQ(s.my_hp, 3);

  s.cent = 100;
  r.plat.queue_answer(false);
  ASSERT_TRUE(click(r.g, "s_er"));
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_EQ(s.cent, 100);
  EXPECT_EQ(s.my_hp, 3);
}

TEST(Naming, EmptyNameKeepsTheBoxAndLineBreaksNeverGetIn) {
  Rooms r;
  Ui& ui = r.g.ui;
  ui.name_box.visible = true;
  ui.name_b.caption = "武器にネーミング";
  ui.name_l.text = "";
  ASSERT_TRUE(click(r.g, "name_b"));
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_TRUE(ui.name_box.visible);
  EXPECT_EQ(r.g.s.buki_name, "名も無き杖");

  // Only line breaks: as empty.
  ui.name_l.text = "\r\n";
  ASSERT_TRUE(click(r.g, "name_b"));
  EXPECT_TRUE(ui.name_box.visible);

  ui.name_l.text = "光の\r\n剣";
  ASSERT_TRUE(click(r.g, "name_b"));
  EXPECT_FALSE(ui.name_box.visible);
  EXPECT_EQ(r.g.s.buki_name, "光の剣");
  EXPECT_TRUE(r.saw("moji_l2: 武器【光の剣】が誕生した!!"));
  EXPECT_TRUE(r.saw("se: gousei.wav"));

  ui.name_box.visible = true;
  ui.name_b.caption = "防具にネーミング";
  ui.name_l.text = "鉄の服";
  ASSERT_TRUE(click(r.g, "name_b"));
  EXPECT_EQ(r.g.s.bougu_name, "鉄の服");
  EXPECT_EQ(r.g.s.buki_name, "光の剣");
  EXPECT_TRUE(r.saw("moji_l2: 防具【鉄の服】が誕生した!!"));
}

TEST(Garbage, LookingIsAllItDoes) {
  Rooms r;
  r.g.s.gomi_have[0] = 2;
  r.g.s.list_sel = 0;
  look_garbage(r.g);
  EXPECT_TRUE(r.saw("moji_l2: ただのゴミのようだが・・・・"));
  EXPECT_EQ(r.g.s.gomi_have[0], 2);
}
