// The outcome of a fight: what a victory pays and in which order it draws,
// the offers, the level-up branch, the death with its revivals and losses,
// the end of battle and the random item gift.
#include <gtest/gtest.h>

#include <sstream>

#include "battle/outcome.h"
#include "data/tables.h"
#include "platform/headless/headless.h"
#include "rooms/chest.h"
#include "rooms/errand_girl.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/ids.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct OutcomeRig : test::NewGame {
  GameState& s = g.s;

  OutcomeRig() : test::NewGame("mini") {
    // Offers are left out unless a test asks for them.
    s.buki_pow = s.bougu_pow = 100000;
  }
  ~OutcomeRig() { EXPECT_LT(rng.draws.size(), 2000u); }

  // The player stands in a fight against a fallen opponent.
  void fallen(const std::string& name, int lv, int hp_max, int id = 0) {
    s.in_battle = true;
    s.e_name = name;
    s.e_lv = lv;
    s.e_hp_max = hp_max;
    s.e_hp = 0;
    s.e_id = id;
    s.e_item = -1;
    g.ui.map_box.visible = false;
  }
  bool saw(const std::string& line) const { return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos; }
  bool saw_part(const std::string& text) const { return out.str().find(text) != std::string::npos; }
  std::vector<int32_t> draws() const { return rng.draws; }
};

}  // namespace

// Every draw of an ordinary victory, in order, with both offers taken.
TEST(Victory, OrdinaryVictoryDrawsInOrderAndPays) {
  OutcomeRig r;
  r.s.my_lv = 3;
  r.s.buki_pow = 1;
  r.s.bougu_pow = 1;
  r.s.cent = 10;
  r.s.ark = 5;
  r.fallen("ゴブリン1", 3, 40, 1);
  // experience 2 + 3 -> equal level 15 + 4; cents 4 + 5; ark 2 + 0;
  // loot 2: garbage roll 5 (none), disc roll 0 -> disc 1;
  // weapon 12 (great sword); armour 17 (cloak); no monster; no chest
  r.rng.push({3, 4, 5, 2, 2, 5, 0, 1, 12, 17, 1, 1});
  death_check(r.g);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{5, 6, 6, 3, 4, 20, 10, 255, 20, 20, 30, 19}));
  EXPECT_TRUE(r.saw("put: ゴブリン1を倒した!!"));
  EXPECT_TRUE(r.saw("add: 経験値19を入手!"));
  EXPECT_TRUE(r.saw("add: 9ｾﾝﾄ入手!"));
  EXPECT_TRUE(r.saw("add: 2Ark入手!"));
  EXPECT_TRUE(r.saw("put: MD【テストの歌】を見つけた!"));
  EXPECT_TRUE(r.saw("ask: 武器【ゴブリン1大剣】△5を奪いますか？\\r\\r装備中の武器：【名も無き杖】△1\\r(★なし) -> yes"));
  EXPECT_TRUE(r.saw("moji_l: 武器【ゴブリン1大剣】△5を装備した!!"));
  EXPECT_TRUE(r.saw("ask: 防具【ゴブリン1マント】△12を奪いますか？\\r\\r装備中の防具：【名も無きマント】△1 -> yes"));
  EXPECT_EQ(r.s.my_exp, 19);
  EXPECT_EQ(r.s.cent, 19);
  EXPECT_EQ(r.s.ark, 7);
  EXPECT_EQ(r.s.wild, 1);
  EXPECT_EQ(r.s.md_have[1], 1);
  EXPECT_EQ(r.s.buki_name, "ゴブリン1大剣");
  EXPECT_EQ(r.s.buki_pow, 5);
  EXPECT_EQ(r.s.bougu_name, "ゴブリン1マント");
  EXPECT_EQ(r.s.bougu_pow, 12);
  EXPECT_EQ(r.s.class_exp[0], 1);
  EXPECT_EQ(r.s.combo, 1);
  // The end of battle: on the map, rested, the opponent's name gone.
  EXPECT_FALSE(r.s.in_battle);
  EXPECT_TRUE(r.g.ui.map_box.visible);
  EXPECT_TRUE(r.g.ui.menu_com.visible);
  EXPECT_FALSE(r.g.ui.takara.visible);
  EXPECT_EQ(r.s.e_name, "");
  // Sounds of the offers: the call, then the equipping.
  const std::string t = r.out.str();
  EXPECT_LT(t.find("se: 1.wav"), t.find("se: soubi.wav"));
}

TEST(Victory, ExperienceFollowsTheLevelDifference) {
  struct Case {
    int diff;  // e_lv - my_lv
    int low, high;
  };
  const Case cases[] = {{-9, 2, 6},  {-3, 2, 6},   {-2, 6, 10},  {-1, 9, 13}, {0, 15, 20},
                        {1, 20, 27}, {2, 33, 42}, {3, 39, 50}, {4, 50, 61}, {40, 50, 61}};
  for (const Case& c : cases) {
    for (int extreme : {0, 99}) {
      OutcomeRig r;
      r.s.my_lv = 50;
      r.fallen("スライム", 50 + c.diff, 10);
      r.rng.push({extreme, extreme, 1, 1, 1, 1, 1, 1, 1});
      death_check(r.g);
      EXPECT_EQ(r.s.my_exp, extreme ? c.high : c.low) << "difference " << c.diff;
    }
  }
}

TEST(Victory, ColosseumWinPaysTheBossRewardsAndClimbs) {
  for (int klass : {cls::kNovice, cls::kPilgrim}) {
    OutcomeRig r;
    r.s.class_now = klass;
    r.s.my_lv = 10;
    r.s.no_escape = true;
    r.s.boss_name = "ボス太郎";
    r.s.boss_talk[4] = "やられた";
    r.fallen("ボス太郎", 10, 28, -1);
    // experience 0 + equal level 5; ark 0; loot 1: garbage roll 0 (but no
    // garbage in the colosseum), disc roll 1; no monster; no chest
    r.rng.push({0, 5, 0, 0, 1, 0, 1, 1, 1});
    death_check(r.g);
    EXPECT_EQ(r.draws(), (std::vector<int32_t>{5, 6, 6, 3, 4, 20, 10, 30, 19}));
    EXPECT_TRUE(r.saw("big: ボス太郎\\r『やられた』"));
    EXPECT_TRUE(r.saw("add: 経験値75を入手!"));
    EXPECT_TRUE(r.saw("add: 500ｾﾝﾄ入手!"));
    EXPECT_EQ(r.s.ark, 5 + (klass == cls::kPilgrim ? 16 : 14));
    EXPECT_EQ(r.s.gomi_have[3], 0);
    // The boss armour is always offered.
    EXPECT_TRUE(r.saw("ask: 防具【ボス太郎の躯】△15を奪いますか？\\r\\r装備中の防具：【名も無きマント】△100000 -> yes"));
    EXPECT_EQ(r.s.bougu_name, "ボス太郎の鎧");
    EXPECT_EQ(r.s.bougu_pow, 15);
    // The floor is won and the player moves up with the notice naming floor 1.
    EXPECT_EQ(r.s.floor_clear[0], 100);
    EXPECT_EQ(r.s.floor, 1);
    EXPECT_TRUE(r.saw("notice: 次のフロア・1階、草の回廊へと勝ち進んだ!!"));
    EXPECT_TRUE(r.saw("bgm: not"));
    EXPECT_FALSE(r.s.no_escape);
    EXPECT_FALSE(r.g.ui.moji_l3.visible);
  }
}

TEST(Victory, RareVariantOfSlotNineAlwaysOffersItsWeapon) {
  for (int klass : {cls::kNovice, cls::kMonk}) {
    OutcomeRig r;
    r.s.class_now = klass;
    r.s.my_lv = 2;
    r.fallen("ファントム君", 12, 500, 9);
    // experience draws (the level rule is overruled), the monk's bonus,
    // cents 4 then 549, ark, loot 1, no garbage, no disc, no armour needed,
    // no monster, no chest
    std::vector<int32_t> seq = {0, 0};
    if (klass == cls::kMonk) seq.push_back(1);
    for (int v : {0, 49, 0, 1, 1, 1, 1, 1}) seq.push_back(v);
    r.rng = ScriptedRandom(seq);
    r.s.my_exp = klass == cls::kMonk ? -6 : 0;  // keep the victory below a level-up
    death_check(r.g);
    EXPECT_TRUE(r.saw(klass == cls::kMonk ? "add: 経験値104を入手!" : "add: 経験値99を入手!"));
    EXPECT_TRUE(r.saw("add: 549ｾﾝﾄ入手!"));
    EXPECT_TRUE(r.saw("add: 22Ark入手!"));
    // (9 - 6) x 2 x 3 + 9 in the dialog; (9 - 6) x 2 x 4 + 18 taken.
    EXPECT_TRUE(r.saw(
        "ask: 武器【ファントム君ｳｪﾎﾟﾝ】△27を奪いますか？\\r\\r装備中の武器：【名も無き杖】△100000\\r(★なし) -> yes"));
    EXPECT_EQ(r.s.buki_pow, 42);
    EXPECT_EQ(r.s.buki_ex, 0);
    EXPECT_EQ(r.s.buki_name, "ファントム君ｳｪﾎﾟﾝ");
  }
}

TEST(Victory, PhantomSwordShowsItsEffectAndDeclinedOffersChangeNothing) {
  OutcomeRig r;
  r.s.buki_pow = 1;
  r.s.buki_ex = 1;
  r.fallen("ゴブリン2", 7, 10, 2);
  r.plat.queue_answer(true);
  // experience, cents, ark, loot 1 (no garbage, no disc), phantom sword with
  // effect 1, no monster, no chest
  r.rng.push({0, 0, 0, 0, 1, 1, 1, 0, 1, 1, 1});
  death_check(r.g);
  EXPECT_TRUE(r.saw("ask: 武器【ゴブリン2幻剣】△7\\r(追加効果 > ★毒の刃)\\r\\rを奪いますか？\\r\\r装備中の武器：【名も無き杖】△1"
                    "\\r(★毒の刃) -> yes"));
  EXPECT_TRUE(r.saw("moji_l: 武器【ゴブリン2幻剣】△7\\r(★毒の刃)\\r\\rを装備した!!"));
  EXPECT_EQ(r.s.buki_ex, 1);

  OutcomeRig no;
  no.s.buki_pow = 1;
  no.s.bougu_pow = 0;
  no.fallen("ゴブリン2", 7, 10, 2);
  no.plat.queue_answer(false);
  no.plat.queue_answer(false);
  no.rng.push({0, 0, 0, 0, 1, 1, 1, 19, 19, 1, 1});
  death_check(no.g);
  EXPECT_TRUE(no.saw("ask: 武器【ゴブリン2魔剣】△7を奪いますか？\\r\\r装備中の武器：【名も無き杖】△1\\r(★なし) -> no"));
  EXPECT_TRUE(no.saw("ask: 防具【ゴブリン2フレア】△70を奪いますか？\\r\\r装備中の防具：【名も無きマント】△0 -> no"));
  EXPECT_EQ(no.s.buki_pow, 1);
  EXPECT_EQ(no.s.buki_name, "名も無き杖");
  EXPECT_EQ(no.s.bougu_pow, 0);
  EXPECT_FALSE(no.saw_part("を装備した"));
}

TEST(Victory, OwnItemGarbageAndTheJoiningMonster) {
  // The opponent's own garbage (1000 + id), then the monster of its name joins.
  OutcomeRig r;
  r.fallen("スライム", 1, 5, 0);
  r.s.e_item = 1003;
  r.s.monster_have[0] = 0;
  r.g.t.monster_table[7].mo_name = "スライム";
  r.s.monster_have[7] = 99;
  // exp, cents, ark, loot 0, own item (random(3) = 0), monster joins, no chest
  r.rng.push({0, 0, 0, 0, 0, 0, 0, 1});
  death_check(r.g);
  EXPECT_TRUE(r.saw("put: 【空き缶】を手に入れた!"));
  EXPECT_EQ(r.s.gomi_have[3], 1);
  EXPECT_TRUE(r.saw("notice: なんとスライムが仲間になった!"));
  EXPECT_EQ(r.s.monster_have[7], 99);  // an ordinary gift stops at 99
  EXPECT_EQ(r.s.monster_have[0], 0);

  // A carried id past the tables is no item: a random gift instead.
  OutcomeRig bad;
  bad.fallen("スライム", 1, 5, 0);
  bad.s.e_item = 777;
  bad.rng.push({0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1});
  death_check(bad.g);
  EXPECT_TRUE(bad.saw("put: 【やくそう】を手に入れた!"));
}

// Prizes take counts past 99; every ordinary gift of one more then leaves
// them as they are instead of cutting them back to 99.
TEST(Victory, GiftsNeverCutACountAboveNinetyNine) {
  OutcomeRig r;
  r.g.t.monster_table[7].mo_name = "スライム";
  r.s.item_have[1] = 150;    // やくそう
  r.s.gomi_have[3] = 160;    // 空き缶
  r.s.md_have[1] = 170;      // テストの歌
  r.s.monster_have[7] = 180;
  r.s.monster_have[monster::kErrandGirl] = 190;

  // The opponent's own garbage, then it joins.
  r.fallen("スライム", 1, 5, 0);
  r.s.e_item = 1003;
  r.rng.push({0, 0, 0, 0, 0, 0, 0, 1});
  death_check(r.g);
  EXPECT_TRUE(r.saw("put: 【空き缶】を手に入れた!"));
  EXPECT_TRUE(r.saw("notice: なんとスライムが仲間になった!"));
  // Its own item.
  r.fallen("スライム", 1, 5, 0);
  r.s.e_item = 1;
  r.rng.push({0, 0, 0, 0, 0, 0, 1, 1});
  death_check(r.g);
  EXPECT_TRUE(r.saw("put: 【やくそう】を手に入れた!"));
  // Garbage of the floor and a disc.
  r.fallen("スライム", 1, 5, 0);
  r.rng.push({0, 0, 0, 0, 1, 0, 3, 0, 1, 1, 1});
  death_check(r.g);
  EXPECT_TRUE(r.saw("put: ゴミ【空き缶】を見つけた!"));
  EXPECT_TRUE(r.saw("put: MD【テストの歌】を見つけた!"));
  // The chest's random item.
  r.out.str("");
  r.rng.push({0, 0, 15, 1, 1, 1});
  takaraClick(r.g);
  EXPECT_TRUE(r.saw("put: 【やくそう】を手に入れた!"));
  // The errand girl's garbage and her joining, and a bundle while she is out.
  r.s.host_mode = true;
  r.s.wata_out = 1;
  r.s.wata = 98;
  r.rng.push({6, 3, 1, 1, 1, 2});
  wataClick(r.g);
  EXPECT_TRUE(r.saw("put: ゴミ【空き缶】を入手した!!"));
  EXPECT_TRUE(r.saw("notice: 【わたっ娘】が仲間になった!!"));
  r.s.wata_out = 1;
  item_random_get(r.g);
  EXPECT_TRUE(r.saw("put: 【やくそう】を3コ手に入れた!"));

  EXPECT_EQ(r.s.item_have[1], 150);
  EXPECT_EQ(r.s.gomi_have[3], 160);
  EXPECT_EQ(r.s.md_have[1], 170);
  EXPECT_EQ(r.s.monster_have[7], 180);
  EXPECT_EQ(r.s.monster_have[monster::kErrandGirl], 190);
}

TEST(Victory, FloorGarbageIsFoundOnlyBeforeTheLastRedraw) {
  for (int redraws : {0, 499, 500}) {
    OutcomeRig r;
    r.fallen("スライム", 1, 5, 0);
    std::vector<int32_t> seq = {0, 0, 0, 0, 1, 0};
    for (int i = 0; i < redraws; ++i) seq.push_back(0);  // garbage 0 has no name
    seq.push_back(3);                                     // the floor's 空き缶
    for (int v : {1, 1, 1}) seq.push_back(v);
    r.rng = ScriptedRandom(seq);
    death_check(r.g);
    EXPECT_EQ(r.s.gomi_have[3], redraws < 500 ? 1 : 0) << redraws;
    EXPECT_EQ(r.saw("put: ゴミ【空き缶】を見つけた!"), redraws < 500);
  }
}

TEST(Victory, LevelUpVictoryStopsBeforeClassComboAndWeaponEffects) {
  OutcomeRig r;
  r.s.my_exp = 95;
  r.s.combo = 4;
  r.s.buki_ex = ex::kDeathBlow;
  r.s.my_hp = 7;
  r.fallen("スライム", 1, 5, 0);
  r.rng.push({0, 0, 0, 0, 1, 1, 1, 1});
  death_check(r.g);
  EXPECT_EQ(r.s.my_lv, 2);
  EXPECT_EQ(r.s.my_exp, 0);
  EXPECT_EQ(r.s.combo, 4);
  EXPECT_EQ(r.s.class_exp[0], 0);
  EXPECT_EQ(r.s.my_hp, 7);
  EXPECT_FALSE(r.s.in_battle);
  EXPECT_TRUE(r.g.ui.lv_box.visible);
  EXPECT_FALSE(r.g.ui.map_box.visible);  // the box ends the fight
  EXPECT_TRUE(r.saw("put: レベルアップ!!"));
  EXPECT_TRUE(r.saw("add: \\rどれか１つ上昇させるパラメーターを選んでください。"));
  EXPECT_TRUE(r.saw("se: lv.wav"));
  EXPECT_FALSE(r.saw_part("死んでしまった"));
}

TEST(Victory, WeaponEffectsAfterAVictory) {
  {
    OutcomeRig r;
    r.s.buki_ex = ex::kVictoryHp;
    r.s.my_hp = 3;
    r.s.my_hp_max = 40;
    r.fallen("スライム", 1, 5, 0);
    r.rng.push({0, 0, 0, 1, 1, 1, 1, 1});
    death_check(r.g);
    EXPECT_EQ(r.s.my_hp, 40);
  }
  {
    OutcomeRig r;
    r.s.buki_ex = ex::kVictoryMp;
    r.s.my_hp = 30;
    r.s.my_hp_max = 40;
    r.s.my_mp_max = 6;
    r.fallen("スライム", 1, 5, 0);
    r.rng.push({0, 0, 0, 1, 1, 1, 1, 1});
    death_check(r.g);
    EXPECT_EQ(r.s.my_hp, 6 + 10);  // then rested by a quarter of the maximum
  }
  {
    // Effect 113: the victory is followed by the whole death part.
    OutcomeRig r;
    r.s.buki_ex = ex::kDeathBlow;
    r.s.my_hp_max = 40;
    r.s.cent = 100;
    r.s.ark = 30;
    r.s.combo = 5;
    r.fallen("スライム", 1, 5, 0);
    // victory (no chest drawn: the end of battle is skipped), then the
    // armour is lost, then the end of battle, no chest
    r.rng.push({0, 0, 0, 0, 1, 1, 1, 1, 1, 1});
    death_check(r.g);
    EXPECT_TRUE(r.saw("put: アレクは死んでしまった...."));
    EXPECT_TRUE(r.saw("add: セントとARKが半減した..."));
    EXPECT_EQ(r.s.combo, 0);
    EXPECT_EQ(r.s.cent, (100 + 4) / 2);
    EXPECT_EQ(r.s.floor_clear[fc::kDeaths], 1);
    EXPECT_EQ(r.s.bougu_name, "気力");
    EXPECT_EQ(r.s.my_hp, 40 / 6 + 1 + 40 / 4);
    EXPECT_FALSE(r.s.in_battle);
    EXPECT_EQ(r.draws(), (std::vector<int32_t>{5, 6, 6, 3, 4, 20, 10, 30, 2, 19}));
  }
}

TEST(Victory, RevivalAfterADeathBlowEndsTheWonFight) {
  OutcomeRig r;
  r.s.buki_ex = ex::kDeathBlow;
  r.s.class_now = cls::kUndying;
  r.s.my_hp_max = 50;
  r.fallen("スライム", 1, 5, 0);
  r.rng.push({0, 0, 0, 0, 1, 1, 1, 1, 0, 1});
  death_check(r.g);
  EXPECT_TRUE(r.saw("put: アレクは復活した!!!"));
  // The fallen opponent gets no turn and pays nothing twice.
  EXPECT_FALSE(r.s.in_battle);
  EXPECT_EQ(r.s.wild, 1);
  EXPECT_EQ(r.s.my_hp, 50 / 10 + 1 + 50 / 4);
  EXPECT_TRUE(r.g.ui.map_box.visible);
}

TEST(Death, LossesByClass) {
  struct Case {
    int klass;
    int cent, ark;
    const char* line;
  };
  for (const Case& c : {Case{cls::kMerchant, 100, 15, "add: ARKが半減した.."},
                        Case{cls::kPilgrim, 50, 30, "add: セントが半減した.."},
                        Case{cls::kNovice, 50, 15, "add: セントとARKが半減した..."}}) {
    OutcomeRig r;
    r.s.class_now = c.klass;
    r.s.cent = 100;
    r.s.ark = 30;
    r.s.ark_max = 99;
    r.s.wild = 3;
    r.s.in_battle = true;
    r.s.e_hp = 5;
    r.s.my_hp = 0;
    r.rng.push({0, 1});  // the weapon crumbles; no chest
    death_check(r.g);
    EXPECT_TRUE(r.saw(c.line));
    EXPECT_EQ(r.s.cent, c.cent);
    EXPECT_EQ(r.s.ark, c.ark);
    EXPECT_TRUE(r.saw("add: 武器【名も無き杖】は崩れ落ちた。"));
    EXPECT_EQ(r.s.buki_name, "気力");
    EXPECT_EQ(r.s.buki_pow, 1);
    EXPECT_EQ(r.s.wild, 0);
  }
}

TEST(Death, HitPointsAfterADeathOnTheMapAndInAHostRoom) {
  OutcomeRig map;
  map.s.my_hp_max = 100;
  map.s.my_hp = -4;
  map.s.my_state = 3;
  map.rng.push({1, 1});
  death_check(map.g);
  EXPECT_EQ(map.s.my_hp, 100 / 6 + 1 + 100 / 4);
  EXPECT_EQ(map.s.my_state, 0);
  EXPECT_TRUE(map.saw("add: 防具【名も無きマント】は崩れ落ちた。"));

  OutcomeRig host;
  host.s.my_hp_max = 100;
  host.s.my_hp = 0;
  host.s.host_mode = true;
  host.rng.push({1, 1});
  death_check(host.g);
  EXPECT_EQ(host.s.my_hp, 100 / 6 + 1);
  EXPECT_TRUE(host.s.host_mode);  // the visit's own end clears it
}

TEST(Death, EveryRouteOfRevival) {
  struct Case {
    int klass, buki_ex, guard;
    std::vector<int32_t> seq;
    std::vector<int32_t> draws;
  };
  const Case cases[] = {
      {cls::kUndying, 0, 0, {0}, {2}},
      {cls::kUndying, ex::kRevive1, 0, {1, 0}, {2, 2}},
      {cls::kNovice, ex::kRevive2, 0, {0}, {10}},
      {cls::kNovice, 0, 4, {0}, {4}},
      {cls::kUndying, ex::kRevive2, 3, {1, 5, 0}, {2, 10, 3}},
  };
  for (const Case& c : cases) {
    OutcomeRig r;
    r.s.class_now = c.klass;
    r.s.buki_ex = c.buki_ex;
    r.s.death_guard = c.guard;
    r.s.my_hp_max = 90;
    r.s.my_hp = 0;
    r.s.cent = 10;
    r.s.in_battle = true;
    r.s.e_hp = 9;
    r.rng = ScriptedRandom(c.seq);
    death_check(r.g);
    EXPECT_EQ(r.draws(), c.draws);
    EXPECT_TRUE(r.saw("put: アレクは復活した!!!"));
    EXPECT_EQ(r.s.my_hp, 90 / 10 + 1);
    EXPECT_EQ(r.s.death_guard, 0);
    EXPECT_EQ(r.s.cent, 10);
    EXPECT_TRUE(r.s.in_battle);  // the fight goes on
    EXPECT_EQ(r.s.floor_clear[fc::kDeaths], 0);
  }
  // A guard that does not save the player is kept for the next death.
  OutcomeRig r;
  r.s.death_guard = 5;
  r.s.my_hp = 0;
  r.rng.push({1, 0, 1});
  death_check(r.g);
  EXPECT_EQ(r.s.death_guard, 5);
  EXPECT_EQ(r.s.floor_clear[fc::kDeaths], 1);
}

TEST(Death, CountPrizesRiseAgainAndTheThousandthDeath) {
  OutcomeRig r;
  r.s.floor_clear[fc::kDeaths] = 98;
  r.s.item_have[238] = 150;
  r.g.t.item_table[238].it_name = "地獄の土産";
  r.s.class_now = cls::kRiseAgain;
  r.s.my_hp = 0;
  r.rng.push({0, 1});
  death_check(r.g);
  EXPECT_EQ(r.s.floor_clear[fc::kDeaths], 99);
  EXPECT_TRUE(r.saw("put: 地獄の土産を地獄より持ちかえった!!"));
  EXPECT_EQ(r.s.item_have[238], 151);  // a prize is not capped
  EXPECT_TRUE(r.saw("put: 攻撃力が上がった!!!"));
  EXPECT_EQ(r.s.my_atk, 1);

  OutcomeRig last;
  last.s.floor_clear[fc::kDeaths] = 1000;
  last.s.my_hp = 0;
  last.rng.push({0, 1});
  death_check(last.g);
  EXPECT_EQ(last.s.floor_clear[fc::kDeaths], 1000);
  EXPECT_FALSE(last.saw_part("地獄より"));
}

TEST(BattleEnd, RestsClearsTheFightAndMayLayTheChest) {
  OutcomeRig r;
  r.s.in_battle = r.s.no_escape = r.s.room_battle = r.s.hard_room = true;
  r.s.colo_count = 4;
  r.s.can_punch = r.s.can_magic = false;
  r.s.my_hp = 10;
  r.s.my_hp_max = 100;
  r.s.my_state = 2;
  r.s.e_name = "スライム";
  r.s.e_hp = 3;
  r.s.e_hp_max = 10;
  r.s.combo = 7;
  r.s.wild = 9;
  r.s.death_guard = 2;
  r.g.ui.lv2_b.visible = r.g.ui.lv3_b.visible = r.g.ui.list_box.visible = true;
  r.g.ui.moji_l3.visible = true;
  r.g.ui.moji_l3.text = "ボス";
  r.rng.push({0});
  battle_end(r.g);
  EXPECT_EQ(r.s.my_hp, 35);
  EXPECT_EQ(r.s.my_state, 0);
  EXPECT_FALSE(r.s.in_battle || r.s.no_escape || r.s.room_battle || r.s.hard_room);
  EXPECT_EQ(r.s.colo_count, 0);
  EXPECT_TRUE(r.s.can_punch && r.s.can_magic && r.s.can_beast && r.s.can_item);
  EXPECT_FALSE(r.g.ui.lv2_b.visible || r.g.ui.lv3_b.visible || r.g.ui.list_box.visible || r.g.ui.moji_l3.visible);
  EXPECT_EQ(r.g.ui.moji_l3.text, "");
  EXPECT_TRUE(r.g.ui.takara.visible);
  EXPECT_EQ(r.s.e_name, "");
  EXPECT_EQ(r.s.e_hp, 3);
  EXPECT_EQ(r.s.combo, 7);
  EXPECT_EQ(r.s.wild, 9);
  EXPECT_EQ(r.s.death_guard, 2);
  EXPECT_TRUE(r.saw("moji_l2: "));
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{19}));
  EXPECT_EQ(r.plat.elapsed_ms, r.s.msg_wait);
}

TEST(ItemRandomGet, TiersTheLastIdAndTheErrandGirlsBundle) {
  {
    // 1/30 brings a rarity-1 item, 1/100 a rarity-2 one, which wins.
    OutcomeRig r;
    r.rng.push({0, 2, 0, 6, 0, 3});
    item_random_get(r.g);
    EXPECT_EQ(r.draws(), (std::vector<int32_t>{499, 499, 30, 499, 100, 499}));
    EXPECT_TRUE(r.saw("put: 【金の林檎】を手に入れた!"));
    EXPECT_EQ(r.s.item_have[3], 1);
  }
  {
    OutcomeRig r;
    r.rng.push({0, 1, 0, 6, 1});
    item_random_get(r.g);
    EXPECT_EQ(r.s.item_have[6], 1);
  }
  {
    // Item 499 is never drawn, nor a rarity-3 item.
    OutcomeRig r;
    r.g.t.item_table[499] = {"禁断", "", 1, 1, 0, 0};
    r.g.t.item_table[2].it_rare = 3;
    r.rng.push({498, 2, 1, 1, 1});
    item_random_get(r.g);
    EXPECT_EQ(r.s.item_have[499], 0);
    EXPECT_EQ(r.s.item_have[2], 0);
    EXPECT_EQ(r.s.item_have[1], 1);
  }
  {
    // While she is out and the shop is open, one to three of it, capped at 99.
    OutcomeRig r;
    r.s.wata_out = 1;
    r.s.host_mode = true;
    r.s.item_have[1] = 98;
    r.rng.push({1, 1, 1, 2});
    item_random_get(r.g);
    EXPECT_TRUE(r.saw("put: 【やくそう】を3コ手に入れた!"));
    EXPECT_EQ(r.s.item_have[1], 99);
  }
}

TEST(ItemRandomGet, ThinDataEndsEverySearch) {
  OutcomeRig r;
  for (ItemRecord& it : r.g.t.item_table) it.it_name.clear();
  for (MdRecord& md : r.g.t.md_table) md.md_name.clear();
  r.fallen("スライム", 1, 5, 0);
  // loot 1: no garbage, a disc roll that finds no disc to draw
  r.rng.push({0, 0, 0, 0, 1, 1, 0, 1, 1});
  death_check(r.g);
  EXPECT_FALSE(r.saw_part("MD【"));
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{5, 6, 6, 3, 4, 20, 10, 30, 19}));

  r.rng = ScriptedRandom({0});
  item_random_get(r.g);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{30, 100}));
  EXPECT_TRUE(r.saw("put: 何も見つからなかった..."));
}
