// The encounter: who comes, at which level and with how many hit points, what
// it carries, the rare visitors, the boss-file opponent, and the first move.
#include <gtest/gtest.h>

#include <sstream>

#include "battle/encounter.h"
#include "data/tables.h"
#include "platform/headless/headless.h"
#include "shell/game.h"
#include "data/picture.h"
#include "shell/title.h"
#include "state/int32.h"
#include "state/random.h"
#include "state/ids.h"
#include "game_fixture.h"

using namespace z2;

namespace {

struct FightRig : test::MapGame {
  FightRig() {
    g.ui.menu_com.visible = false;
    // The commands are unsealed, as after start-up: the player's turn then draws nothing.
    g.s.can_punch = g.s.can_magic = g.s.can_beast = g.s.can_item = true;
  }
  // No test here should lean on the safety cap of the draws.
  ~FightRig() { EXPECT_LT(rng.draws.size(), 1000u); }
  std::vector<int32_t> draws() const { return rng.draws; }
  void boss(const std::string& name, int lv, int hp) {
    g.s.boss_name = name;
    g.s.boss_pic = "gol0.bmp";
    g.s.boss_big_pic = "gol0big.bmp";
    g.s.boss_lv = lv;
    g.s.boss_hp = hp;
    g.s.boss_talk[0] = "いざ";
  }
  // The draws of a boss encounter: no rare visitor, the slot's hit-point
  // roll, an ordinary carried item (1), no rare item, and the boss's roll.
  void boss_rolls(int hp_roll = 0) { rng.push({1, 1, 1, 0, 1, 1, 1, hp_roll}); }
};

// Rolls that bring no rare visitor.
constexpr int kNoRare = 1;

}  // namespace

TEST(Encounter, OrdinaryEnemyOfFloorThreeAtLevelTen) {
  for (int hp_roll : {0, 1}) {
    FightRig r;
    r.g.s.floor = 3;
    r.g.s.my_lv = 10;
    r.g.s.my_hp = r.g.s.my_hp_max = 500;
    // slot 0; no rare visitor; hit-point roll; the player opens
    r.rng.push({0, kNoRare, kNoRare, kNoRare, hp_roll, 1});
    enemy_appear(r.g, 0);
    EXPECT_EQ(r.g.s.e_id, 30);
    EXPECT_EQ(r.g.s.e_name, "鉄アリ");
    EXPECT_EQ(r.g.s.e_lv, 18);
    EXPECT_EQ(r.g.s.e_hp_max, 91 + hp_roll);
    EXPECT_EQ(r.g.s.e_hp, 91 + hp_roll);
    EXPECT_EQ(r.g.s.e_item, -1);  // the record carries nothing: no item draws
    EXPECT_EQ(r.draws(), (std::vector<int32_t>{7, 30, 60, 100, 2, 10}));
    EXPECT_TRUE(r.g.s.in_battle);
    EXPECT_TRUE(r.saw("put: 鉄アリが出現!!"));
    EXPECT_TRUE(r.g.ui.battle_com.visible);
    EXPECT_EQ(r.g.ui.moji_l.text, "アレクの攻撃");
    EXPECT_TRUE(r.saw("se: 1.wav"));
    EXPECT_FALSE(r.saw_part("先手"));
  }
}

TEST(Encounter, FloorMasterOfFloorThree) {
  FightRig r;
  r.g.s.floor = 3;
  r.g.s.my_lv = 10;
  r.g.s.room_battle = true;
  r.rng.push({4, 1, 0, 1, 0, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 38);
  EXPECT_EQ(r.g.s.e_lv, 23);
  EXPECT_TRUE(r.saw("put: フロアマスター・鉄の王が出現!!"));
}

TEST(Encounter, PhantomApostleOfFloorZeroWinsOverTheOthers) {
  FightRig r;
  r.g.s.room_battle = true;
  r.rng.push({2, 0, 0, 0, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 9);
  EXPECT_EQ(r.g.s.e_lv, 12);  // 1 + 0 + 10 + 0 + 1
  // Its record sets 500 hit points and poison: no hit-point roll.
  EXPECT_EQ(r.g.s.e_hp_max, 500);
  EXPECT_EQ(r.g.s.e_hp, 500);
  EXPECT_EQ(r.g.s.e_state, 1);
  EXPECT_EQ(r.g.s.e_zoku, 4);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{7, 30, 60, 100, 10}));
  EXPECT_TRUE(r.saw("put: ファントムからの使徒・影の使いが出現!!"));
}

TEST(Encounter, ExtraEnemyAlone) {
  FightRig r;
  r.g.s.room_battle = true;
  r.rng.push({2, 0, 1, 1, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 7);
  EXPECT_EQ(r.g.s.e_lv, 1 + 0 + 2 + 0 + 1);
  EXPECT_TRUE(r.saw("put: エクストラエネミー・黒い泥人形が出現!!"));
}

TEST(Encounter, NoRareVisitorOutsideTheMonsterRoom) {
  FightRig r;
  r.g.s.room_battle = false;
  r.rng.push({2, 0, 0, 0, 0, 1, 1, 1, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 2);
  EXPECT_EQ(r.g.s.e_lv, 1);
  // The three rolls are made all the same.
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{7, 30, 60, 100, 2, 499, 30, 100, 10}));
  EXPECT_TRUE(r.saw("put: さびた兵士が出現!!"));
}

TEST(Encounter, RareVisitorMissingFromTheDataDoesNotCome) {
  FightRig r;
  r.g.s.room_battle = true;
  r.g.t.enemy(9).en_name.clear();
  r.rng.push({2, 1, 1, 0, 0, 1, 1, 1, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 2);
}

TEST(Encounter, RecordHitPointsAreTaken) {
  FightRig r;
  r.g.s.floor = 3;
  r.g.t.enemy(31).en_hp = 500;
  r.rng.push({kNoRare, kNoRare, kNoRare, 1});
  enemy_appear(r.g, 31);
  EXPECT_EQ(r.g.s.e_hp_max, 500);
  EXPECT_EQ(r.g.s.e_hp, 500);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{30, 60, 100, 10}));
}

TEST(Encounter, EmptyRecordGivesAnEnemyOfTheFloor) {
  FightRig r;
  r.g.t.enemy(7).en_name.clear();
  r.rng.push({3, kNoRare, kNoRare, kNoRare, 0, 1, 1, 1, 1});
  enemy_appear(r.g, 7);
  EXPECT_EQ(r.g.s.e_id, 3);
  EXPECT_EQ(r.g.s.e_name, "泥人形");
  EXPECT_EQ(r.draws().front(), 7);
}

TEST(Encounter, BandDrawSkipsBlankNamesAndMissingPictures) {
  FightRig r;
  r.g.s.floor = 1;
  // slot 2 is named " ", slot 3 has no picture
  r.rng.push({2, 3, 5, kNoRare, kNoRare, kNoRare, 0, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 15);
  EXPECT_EQ(r.g.s.e_name, "青い風");
}

TEST(Encounter, AdvancedRoomRaisesWeakEnemiesToThePlayer) {
  for (int roll : {0, 1, 2}) {
    FightRig r;
    r.g.s.floor = 1;
    r.g.s.my_lv = 50;
    r.g.s.hard_room = true;
    // 0 + 25 + 0 + 4 + 1 = 30 is below 50
    r.rng.push({kNoRare, kNoRare, kNoRare, roll, 0, 1});
    enemy_appear(r.g, 10);
    EXPECT_EQ(r.g.s.e_lv, 50 + roll);
    EXPECT_EQ(r.draws(), (std::vector<int32_t>{30, 60, 100, 3, 2, 10}));
  }
  // An enemy already as strong keeps its level, and nothing more is drawn.
  FightRig r;
  r.g.s.floor = 1;
  r.g.s.my_lv = 2;
  r.g.s.hard_room = true;
  r.rng.push({kNoRare, kNoRare, kNoRare, 0, 1});
  enemy_appear(r.g, 10);
  EXPECT_EQ(r.g.s.e_lv, 0 + 1 + 0 + 4 + 1);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{30, 60, 100, 2, 10}));
}

TEST(Encounter, LevelAndHitPointsNeverOverflow) {
  FightRig r;
  r.g.s.floor = 3;
  r.g.s.my_lv = 2000000000;
  r.rng.push({0, kNoRare, kNoRare, kNoRare, 1, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_lv, 999999999);
  EXPECT_EQ(r.g.s.e_hp_max, kIntMax);
  EXPECT_GT(r.g.s.e_hp, 0);
}

TEST(Encounter, CarriedItemDraws) {
  FightRig r;
  // Record 1 carries a random item. Item 0 has no name and item 3 is rare:
  // both are drawn past; then the 1-in-30 rare roll succeeds.
  r.rng.push({1, kNoRare, kNoRare, kNoRare, 0, 0, 3, 2, 0, 1, 3, 1, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 1);
  EXPECT_EQ(r.g.s.e_item, 3);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{7, 30, 60, 100, 2, 499, 499, 499, 30, 499, 499, 100, 10}));
}

TEST(Encounter, PhantomTierCarriedItem) {
  FightRig r;
  r.rng.push({1, kNoRare, kNoRare, kNoRare, 0, 1, 1, 0, 4, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_item, 4);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{7, 30, 60, 100, 2, 499, 30, 100, 499, 10}));
}

TEST(Encounter, CarriedItemOfAnEmptyTierIsNothing) {
  FightRig r;
  r.g.t.item_table[4].it_rare = 0;  // no item of the phantom tier is left
  r.rng.push({1, kNoRare, kNoRare, kNoRare, 0, 1, 1, 0, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_item, -1);
  // The roll is made, the tier is not drawn from.
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{7, 30, 60, 100, 2, 499, 30, 100, 10}));

  FightRig none;
  for (auto& it : none.g.t.item_table) it.it_rare = 3;
  none.rng.push({1, kNoRare, kNoRare, kNoRare, 0, 1, 1, 1});
  enemy_appear(none.g, 0);
  EXPECT_EQ(none.g.s.e_item, -1);
  EXPECT_EQ(none.draws(), (std::vector<int32_t>{7, 30, 60, 100, 2, 30, 100, 10}));
}

TEST(Encounter, BossFileOpponent) {
  FightRig r;
  r.boss("門番ゴル", 10, 0);
  r.g.t.enemy(-1).en_zoku = 3;
  r.g.t.enemy(-1).en_item = 7;
  r.g.s.e_buf_atk = 4;
  // hit-point roll of the slot, an ordinary item, no rare rolls, then the boss roll
  r.rng.push({kNoRare, kNoRare, kNoRare, 1, 2, 1, 1, 2});
  enemy_appear(r.g, -1);
  EXPECT_EQ(r.g.s.e_id, -1);
  EXPECT_EQ(r.g.s.e_name, "門番ゴル");
  EXPECT_EQ(r.g.s.e_lv, 10);
  EXPECT_EQ(r.g.s.e_hp_max, 29);
  EXPECT_EQ(r.g.s.e_hp, 29);
  EXPECT_EQ(r.g.s.e_state, 0);
  EXPECT_EQ(r.g.s.e_zoku, 1);
  EXPECT_EQ(r.g.s.e_item, 2);
  EXPECT_EQ(r.g.s.e_buf_atk, 4);  // the rooms reset it, not the encounter
  EXPECT_EQ(r.g.t.enemy(-1).en_item, 0);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{30, 60, 100, 2, 499, 30, 100, 3}));
  EXPECT_TRUE(r.saw("put: 対戦相手・門番ゴルが出現!!"));
  EXPECT_TRUE(r.saw("big: 門番ゴル\\r『いざ』"));
  EXPECT_TRUE(r.g.ui.moji_l3.visible);
  EXPECT_TRUE(r.g.ui.battle_com.visible);
  EXPECT_FALSE(r.saw_part("先手"));
  // The portrait is the boss's; the large picture has given way to the room.
  QImage pic;
  ASSERT_TRUE(load_picture(pic, r.g.cg_dir() + "gol0.bmp"));
  EXPECT_EQ(r.g.e_bak, pic);
  ASSERT_TRUE(load_picture(pic, r.g.cg_dir() + "gol0big.bmp"));
  EXPECT_EQ(r.g.boss_cg_bak, pic);
  ASSERT_TRUE(load_picture(pic, r.g.cg_dir() + "map-1.bmp"));
  EXPECT_EQ(r.g.map_bak, pic);
}

TEST(Encounter, BossHitPointsFromItsLevel) {
  for (int roll : {0, 2}) {
    FightRig r;
    r.boss("門番ゴル", 10, 0);
    r.rng.push({kNoRare, kNoRare, kNoRare, 0, 1, 1, 1, roll});
    enemy_appear(r.g, -1);
    EXPECT_EQ(r.g.s.e_hp_max, 27 + roll);
  }
}

TEST(Encounter, BossOfLevelZeroStaysAtZero) {
  FightRig r;
  r.boss("見習い", 0, 40);
  r.rng.push({kNoRare, kNoRare, kNoRare, 0, 1, 1, 1});
  enemy_appear(r.g, -1);
  EXPECT_EQ(r.g.s.e_lv, 0);
  EXPECT_EQ(r.g.s.e_hp_max, 40);
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{30, 60, 100, 2, 499, 30, 100}));
}

TEST(Encounter, HugeBossLevelDoesNotOverflow) {
  FightRig r;
  r.boss("巨人", kIntMax, 0);
  r.rng.push({kNoRare, kNoRare, kNoRare, 0, 1, 1, 1, 2});
  enemy_appear(r.g, -1);
  EXPECT_EQ(r.g.s.e_lv, kIntMax);
  EXPECT_EQ(r.g.s.e_hp_max, kIntMax);
}

TEST(Encounter, BossWithoutLargePictureUsesTheCommonOne) {
  FightRig r;
  r.boss("門番ゴル", 10, 30);
  r.boss_rolls();
  r.g.s.boss_big_pic.clear();
  enemy_appear(r.g, -1);
  QImage pic;
  ASSERT_TRUE(load_picture(pic, r.g.cg_dir() + "0_2.bmp"));
  EXPECT_EQ(r.g.boss_cg_bak, pic);

  FightRig missing;
  missing.boss("門番ゴル", 10, 30);
  missing.boss_rolls();
  missing.g.s.boss_big_pic = "nowhere.bmp";
  enemy_appear(missing.g, -1);
  EXPECT_EQ(missing.g.boss_cg_bak, pic);
  EXPECT_FALSE(missing.saw_part("error:"));
}

TEST(Encounter, BossSlidesInOverTwoHundredAndOneFrames) {
  FightRig r;
  r.boss("門番ゴル", 10, 30);
  r.boss_rolls();
  enemy_appear(r.g, -1);
  FightRig plain;
  plain.rng.push({0, 1, 1, 1, 0, 1});
  enemy_appear(plain.g, 0);
  // 201 frames of 5 ms each on top of an ordinary entrance.
  EXPECT_GE(r.plat.elapsed_ms - plain.plat.elapsed_ms, 201 * 5);
}

TEST(Encounter, FloorTwentyThreeBossCostsHitPoints) {
  FightRig r;
  r.g.s.floor = 23;
  r.g.s.my_hp = r.g.s.my_hp_max = 500;
  r.boss("番人", 50, 100);
  r.boss_rolls();
  enemy_appear(r.g, -1);
  EXPECT_EQ(r.g.s.my_hp, 401);

  FightRig seasoned;
  seasoned.g.s.floor = 23;
  seasoned.g.s.my_hp = seasoned.g.s.my_hp_max = 500;
  seasoned.g.s.floor_clear[fc::kDeaths] = 999;
  seasoned.boss("番人", 50, 100);
  seasoned.boss_rolls();
  enemy_appear(seasoned.g, -1);
  EXPECT_EQ(seasoned.g.s.my_hp, 500);

  // Elsewhere the entrance is free.
  FightRig other;
  other.g.s.floor = 22;
  other.g.s.my_hp = other.g.s.my_hp_max = 500;
  other.boss("番人", 50, 100);
  other.boss_rolls();
  enemy_appear(other.g, -1);
  EXPECT_EQ(other.g.s.my_hp, 500);
}

TEST(Encounter, ClassFiveAndTwentyEnterWeakened) {
  FightRig five;
  five.g.s.class_now = cls::kLastStand;
  five.g.s.my_hp = five.g.s.my_hp_max = 100;
  five.rng.push({0, 1, 1, 1, 0, 1});
  enemy_appear(five.g, 0);
  EXPECT_EQ(five.g.s.my_hp, 11);

  FightRig twenty;
  twenty.g.s.class_now = cls::kPrisoner;
  twenty.g.s.my_hp = twenty.g.s.my_hp_max = 100;
  twenty.g.s.my_mp = twenty.g.s.my_mp_max = 30;
  twenty.boss("門番ゴル", 10, 30);
  twenty.boss_rolls();
  enemy_appear(twenty.g, -1);
  EXPECT_EQ(twenty.g.s.my_hp, 1);
  EXPECT_EQ(twenty.g.s.my_mp, 1);
}

TEST(Encounter, ClassTwelveHalvesWeakerEnemies) {
  FightRig r;
  r.g.s.class_now = cls::kBully;
  r.g.s.my_lv = 10;
  // ほねネズミ: level 0 + 5 + 0 + 0 + 1 = 6, hit points 0 + 18 + 0 + 10 = 28
  r.rng.push({1, 1, 1, 1, 0, 1, 1, 1, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_lv, 6);
  EXPECT_EQ(r.g.s.e_hp_max, 28);
  EXPECT_EQ(r.g.s.e_hp, 15);

  FightRig equal;
  equal.g.s.class_now = cls::kBully;
  equal.g.s.my_lv = 2;  // level 0 + 1 + 0 + 0 + 1 = 2: not weaker
  equal.rng.push({1, 1, 1, 1, 0, 1, 1, 1, 1});
  enemy_appear(equal.g, 0);
  EXPECT_EQ(equal.g.s.e_hp, equal.g.s.e_hp_max);
}

TEST(Encounter, EnemyMayStrikeFirst) {
  FightRig r;
  r.rng.push({0, 1, 1, 1, 0, 0});
  enemy_appear(r.g, 0);
  EXPECT_TRUE(r.saw("add: コケ玉に先手をとられた!!"));
  // The fight still comes back to the player's commands.
  EXPECT_TRUE(r.g.ui.battle_com.visible);
}

TEST(Encounter, BossNeverStrikesFirst) {
  FightRig r;
  r.boss("門番ゴル", 10, 30);
  r.boss_rolls();
  enemy_appear(r.g, -1);  // every further draw is 0
  EXPECT_FALSE(r.saw_part("先手"));
  EXPECT_TRUE(r.g.ui.battle_com.visible);
}

TEST(Encounter, CountsBattlesAndShowsMagicOnlyWhenKnown) {
  FightRig r;
  r.g.s.floor_clear[fc::kBattles] = 4;
  r.g.ui.b4.visible = true;
  r.rng.push({0, 1, 1, 1, 0, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.floor_clear[fc::kBattles], 5);
  EXPECT_FALSE(r.g.ui.b4.visible);

  FightRig mage;
  mage.g.s.magic_have[200] = 1;
  mage.rng.push({0, 1, 1, 1, 0, 1});
  enemy_appear(mage.g, 0);
  EXPECT_TRUE(mage.g.ui.b4.visible);
}

TEST(Encounter, MissingEnemyPictureShowsTheCommonOne) {
  FightRig r;
  r.g.s.floor = 3;
  r.rng.push({0, 1, 1, 1, 0, 1});
  enemy_appear(r.g, 0);
  QImage pic;
  ASSERT_TRUE(load_picture(pic, r.g.cg_dir() + "e0.bmp"));
  EXPECT_EQ(r.g.e_bak, pic);
  EXPECT_FALSE(r.saw_part("error:"));
  EXPECT_TRUE(r.g.ui.battle_com.visible);
}

TEST(Encounter, EmptyFloorBorrowsTheFirstUsableEnemy) {
  FightRig r;
  r.g.s.floor = 2;  // nobody lives on floor 2
  r.rng.push({1, 1, 1, 0, 1});
  enemy_appear(r.g, 0);
  EXPECT_EQ(r.g.s.e_id, 0);
  EXPECT_EQ(r.g.s.e_name, "コケ玉");
  EXPECT_EQ(r.draws(), (std::vector<int32_t>{30, 60, 100, 2, 10}));
}

TEST(Encounter, NoEnemyAnywhereMeansNoFight) {
  FightRig r;
  for (int n = 0; n <= 254; ++n) r.g.t.enemy(n).en_name.clear();
  r.g.s.floor_clear[fc::kBattles] = 3;
  enemy_appear(r.g, 0);
  EXPECT_FALSE(r.g.s.in_battle);
  EXPECT_EQ(r.g.s.floor_clear[fc::kBattles], 3);
  EXPECT_TRUE(r.draws().empty());
  EXPECT_TRUE(r.saw("se: miss.wav"));
  EXPECT_TRUE(r.saw("moji_l2: この階には出現する敵がいません"));
  EXPECT_FALSE(r.g.ui.battle_com.visible);
}

TEST(Encounter, NextEnemyOnlyInTheMonsterRoom) {
  FightRig r;
  next_enemy(r.g);
  EXPECT_FALSE(r.g.s.in_battle);
  EXPECT_TRUE(r.out.str().empty());

  r.g.s.room_battle = true;
  r.g.ui.list_box.visible = true;
  r.rng.push({5, 1, 1, 1, 0, 1, 1, 1, 1});
  next_enemy(r.g);
  EXPECT_FALSE(r.g.ui.map_box.visible);
  EXPECT_FALSE(r.g.ui.list_box.visible);
  EXPECT_TRUE(r.saw("put: 次の敵がすかさず襲ってきた!!"));
  EXPECT_TRUE(r.saw("put: 石頭が出現!!"));
  EXPECT_TRUE(r.g.s.in_battle);
}

TEST(Encounter, DebugButtonCallsAnEnemy) {
  FightRig r;
  EXPECT_FALSE(click(r.g, "Button3"));  // the developer panel is hidden
  r.g.ui.debug_box.visible = true;
  r.rng.push({4, 1, 1, 1, 0, 1, 1, 1, 1});
  EXPECT_TRUE(click(r.g, "Button3"));
  EXPECT_EQ(r.g.s.e_name, "火吹きトカゲ");
}
