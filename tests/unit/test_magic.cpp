// Casting magic: the ARK, the resources the spells use up, the immune
// attributes, the weapon's new name and the escape spell.
#include <gtest/gtest.h>

#include "fight_list_rig.h"
#include "lists/list_actions.h"
#include "lists/list_modes.h"
#include "state/ids.h"

using namespace z2;
using z2::test::FightListRig;
using z2::test::hit_line;

namespace {

using Lines = std::vector<std::string>;

struct CastRig : FightListRig {
  CastRig() : FightListRig(caption::kMagic) {}
  // Spell 5 of the table, of the given kind and cost, chosen in the list.
  void spell(int kind, int ark = 1, const std::string& name = "呪文") {
    MagicRecord& m = g.t.magic_table[5];
    m.mg_name = name;
    m.mg_kind = kind;
    m.mg_ark = ark;
    g.s.magic_have[5] = 1;
    g.s.list_sel = 5;
  }
  bool cast() { return cast_magic(g); }
};

}  // namespace

TEST(MagicCast, CostEqualToArkLeavesNoneAndMysticArkHitsWithIt) {
  CastRig r;
  r.spell(15, 30, "ミスティックアーク");
  r.g.s.ark = 30;
  EXPECT_TRUE(r.cast());
  EXPECT_EQ(r.g.s.ark, 0);
  EXPECT_EQ(r.lines()[0], "se: m.wav");
  EXPECT_EQ(r.said(), (Lines{"put: 【ミスティックアーク】を唱えた!!", "put: ＞ﾐｽﾃｨｯｸｱｰｸ", hit_line(0)}));
  EXPECT_EQ(r.g.s.e_hp, 5000 - 15);

  // With ARK left over after paying, the spell takes all of it.
  r.clear();
  r.g.s.ark = 30;
  r.spell(15, 10);
  EXPECT_TRUE(r.cast());
  EXPECT_TRUE(r.saw(hit_line(20)));
  EXPECT_EQ(r.g.s.ark, 0);
}

TEST(MagicCast, TooLittleArkRefusesAndSpendsNothing) {
  CastRig r;
  r.spell(0, 31);
  r.g.s.ark = 30;
  EXPECT_FALSE(r.cast());
  EXPECT_EQ(r.lines(), (Lines{"moji_l: ＡＲＫが足りません", "se: miss.wav"}));
  EXPECT_EQ(r.g.s.ark, 30);
  EXPECT_TRUE(r.g.ui.battle_com.visible);
  EXPECT_TRUE(r.g.ui.list_box.visible);
}

TEST(MagicCast, ShockAtLowAndHighHitPoints) {
  struct Case {
    int hp, hp_after, arg;
  };
  for (const Case& k : {Case{50, 50, 6}, Case{900, 90, 91}, Case{100, 100, 11}, Case{101, 10, 11}}) {
    CastRig r;
    r.g.s.my_hp_max = 1000;
    r.g.s.my_hp = k.hp;
    r.spell(14);
    EXPECT_TRUE(r.cast());
    EXPECT_EQ(r.g.s.my_hp, k.hp_after) << k.hp;
    EXPECT_TRUE(r.saw(hit_line(k.arg))) << k.hp;
  }
  CastRig r;
  r.g.s.my_hp_max = 1000;
  r.g.s.my_hp = 900;
  r.g.s.e_zoku = 1;  // immune: the hit is halved, the HP still go
  r.spell(14);
  EXPECT_TRUE(r.cast());
  EXPECT_TRUE(r.saw(hit_line(0)));
  EXPECT_EQ(r.g.s.my_hp, 90);
}

TEST(MagicCast, ForYouRaisesTheWeaponByATenthOfTheCentsAndRenamesIt) {
  struct Case {
    std::string name, renamed;
  };
  const Case cases[] = {
      {"ABCDEFGHIJKL", "ABCDEFGHIJ４Ｕ"},
      {"あいうえおかき", "あいうえお４Ｕ"},
      {"Aあいうえおか", "Aあいうえ４Ｕ"},  // the 10th byte starts お: no half character is kept
      {"ｶﾀﾅｶﾞｶﾀﾅｶﾞｶﾀ", "ｶﾀﾅｶﾞｶﾀﾅｶﾞ４Ｕ"},
      {"短剣", "短剣４Ｕ"},
  };
  for (const Case& k : cases) {
    CastRig r;
    r.g.s.cent = 9;
    r.g.s.buki_pow = 100;
    r.g.s.buki_name = k.name;
    r.spell(19);
    EXPECT_TRUE(r.cast());
    EXPECT_EQ(r.g.s.buki_name, k.renamed);
    EXPECT_EQ(r.g.s.buki_pow, 100);
    EXPECT_EQ(r.g.s.cent, 9);
    EXPECT_EQ(r.said().back(), "add: 武器の強さが\\r△100→△100になった!!");
  }
  CastRig r;
  r.g.s.cent = 12345;
  r.g.s.buki_pow = 100;
  r.g.s.buki_name = "ABCDEFGHIJ４Ｕ";
  r.spell(19);
  EXPECT_TRUE(r.cast());
  EXPECT_EQ(r.g.s.buki_pow, 1334);
  EXPECT_EQ(r.g.s.buki_name, "ABCDEFGHIJ４Ｕ");  // casting again keeps the same name
  EXPECT_EQ(r.g.s.cent, 12345);
}

TEST(MagicCast, ExperienceTwoNeverGoesBelowLevelOne) {
  for (int lv : {1, 2, 7}) {
    CastRig r;
    r.g.s.my_lv = lv;
    r.spell(13);
    EXPECT_TRUE(r.cast());
    EXPECT_EQ(r.g.s.my_lv, lv == 7 ? 6 : 1);
  }
}

TEST(MagicCast, RunAwayEndsTheFightWithoutTheClosingStep) {
  CastRig r;
  r.spell(20, 3, "ラナウェイ");
  EXPECT_FALSE(r.cast());
  EXPECT_EQ(r.lines(), (Lines{"se: m.wav", "put: 【ラナウェイ】を唱えた!!", "put: ＞ラナウェイ", "se: walk.wav",
                              "put: 逃亡成功!!", "moji_l2: "}));
  EXPECT_FALSE(r.g.s.in_battle);
  EXPECT_TRUE(r.g.ui.map_box.visible);
  EXPECT_EQ(r.g.s.ark, 27);
}

TEST(MagicCast, WeaknessIsStrengthAtEveryHitPointCount) {
  struct Case {
    int hp, arg;
  };
  // my_hp_max 300: 300 / (hp / 2), doubled; at 0 and 1 HP the whole maximum.
  for (const Case& k : {Case{0, 600}, Case{1, 600}, Case{2, 600}, Case{10, 120}, Case{300, 4}}) {
    CastRig r;
    r.g.s.my_hp = k.hp;
    r.spell(8);
    EXPECT_TRUE(r.cast());
    EXPECT_TRUE(r.saw(hit_line(k.arg))) << k.hp;
  }
}

TEST(MagicCast, SpellsThatUseUpAResource) {
  struct Case {
    int kind;
    int zoku;
    int arg;
  };
  // exp 600, mp 50, weapon 240, armour 100, cents 5000, LA gauge 40
  const Case cases[] = {
      {9, 0, 101}, {9, 1, 0},  {10, 0, 11}, {10, 2, 0}, {11, 0, 21}, {12, 0, 11},
      {12, 1, 0},  {16, 0, 50}, {4, 0, 9},  {4, 3, 0},  {7, 4, 21}, {7, 1, 0},
  };
  for (const Case& k : cases) {
    CastRig r;
    GameState& s = r.g.s;
    s.my_exp = 600;
    s.buki_pow = 240;
    s.bougu_pow = 100;
    s.cent = 5000;
    s.floor_clear[fc::kLa] = 40;
    s.e_zoku = k.zoku;
    r.spell(k.kind);
    EXPECT_TRUE(r.cast());
    EXPECT_TRUE(r.saw(hit_line(k.arg))) << k.kind << " " << k.zoku;
    const int left = k.kind == 9 ? s.my_exp : k.kind == 10 ? s.my_mp : k.kind == 11 ? s.buki_pow
                   : k.kind == 12 ? s.bougu_pow : k.kind == 16 ? s.cent : s.floor_clear[fc::kLa];
    const int expected = k.kind == 11 || k.kind == 12 ? 1 : k.kind == 4 || k.kind == 7 ? 40 : 0;
    EXPECT_EQ(left, expected) << k.kind;  // used up, or the gauge kept
  }
}

TEST(MagicCast, StealingAndTheResets) {
  {
    CastRig r;
    r.spell(22);
    r.g.s.e_item = 2;
    r.rng.push({0});
    EXPECT_TRUE(r.cast());
    EXPECT_EQ(r.said().back(), "add: どくけしを盗んだ!!");
    EXPECT_EQ(r.g.s.item_have[2], 1);
    EXPECT_EQ(r.g.s.e_item, -1);
    r.clear();
    r.g.s.e_item = 2;
    r.rng.push({1});
    EXPECT_TRUE(r.cast());
    EXPECT_EQ(r.said().back(), "add: Miss!!");
    EXPECT_EQ(r.g.s.e_item, 2);
  }
  {
    CastRig r;
    r.g.s.buf_atk() = 5;
    r.g.s.buf_def() = 6;
    r.g.s.buf_beast() = 7;
    r.g.s.e_buf_atk = 8;
    r.g.s.e_buf_def = -9;
    r.spell(23);
    EXPECT_TRUE(r.cast());
    EXPECT_EQ(r.g.s.buf_atk() + r.g.s.buf_def() + r.g.s.buf_beast(), 0);
    EXPECT_EQ(r.g.s.e_buf_atk, 8);
    r.spell(24);
    EXPECT_TRUE(r.cast());
    EXPECT_EQ(r.g.s.e_buf_atk, 0);
    EXPECT_EQ(r.g.s.e_buf_def, 0);
    EXPECT_EQ(r.said().back(), "put: 敵の腕力・守備力が元に戻った!!");
  }
}

TEST(MagicCast, UnknownKindStillCostsTheArk) {
  CastRig r;
  r.spell(25, 4);
  EXPECT_TRUE(r.cast());
  EXPECT_EQ(r.said(), (Lines{"put: 【呪文】を唱えた!!"}));
  EXPECT_EQ(r.g.s.ark, 26);
}
