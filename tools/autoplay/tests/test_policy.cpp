// The machine player's decisions on small hand-made states.
#include <gtest/gtest.h>

#include <memory>

#include "policy.h"
#include "report.h"
#include "shell/game.h"
#include "unit/game_fixture.h"

namespace z2::autoplay {
namespace {

// A level-5 player on floor 0 with a few goods in small tables.
struct Hand {
  Hand() : t(std::make_unique<Tables>()) {
    s.my_lv = 5;
    s.my_hp = s.my_hp_max = 40;
    s.my_mp = s.my_mp_max = 4;
    s.can_punch = s.can_magic = s.can_beast = s.can_item = true;
    s.buki_name = "木の棒";
    s.buki_pow = 10;
    s.bougu_name = "布の服";
    s.bougu_pow = 10;
    item(1, "ばんそうこう", 0, 15);
    item(2, "やくそう団子", 0, 30);
    item(3, "焼きおにぎり", 0, 60);
    item(4, "鉄の剣", 400, 30);
    item(5, "鎖かたびら", 450, 25);
    item(6, "力の種", 9, 1);
    item(7, "命の木の実", 7, 5);
    item(8, "呪いの剣", 400, 90, ex::kNoPunch);
    item(9, "爆竹", 53, 13);
    t->ex_names[ex::kNoPunch] = "拳封じ";
    t->ex_names[ex::kTower] = "塔の一撃";
    t->item_table[item::kFloor7Key].it_name = "塔の鍵";
    t->item_table[item::kFloor7Key].it_kind = 96;
    monster(3, "ドロだんご", 0, 20, 2);
    monster(4, "ねこパンチ", 40, 0, 3);
  }
  void item(int id, const char* name, int kind, int pow, int extra = 0) {
    ItemRecord& it = t->item_table[static_cast<size_t>(id)];
    it.it_name = name;
    it.it_kind = kind;
    it.it_pow = pow;
    it.it_ex = extra;
  }
  void monster(int id, const char* name, int kind, int pow, int mp) {
    MonsterRecord& m = t->monster_table[static_cast<size_t>(id)];
    m.mo_name = name;
    m.mo_kind = kind;
    m.mo_pow = pow;
    m.mo_mp = mp;
  }
  // An ordinary opponent that hits for about ten.
  void opponent(int lv = 6, int hp = 30) {
    s.in_battle = true;
    s.e_lv = lv;
    s.e_hp = s.e_hp_max = hp;
  }
  GameState s;
  std::unique_ptr<Tables> t;
  Plan plan;
};

View battle_view() {
  View v;
  v.battle = v.punch = v.monsters = v.items = v.magic = v.escape = true;
  return v;
}

View map_view() {
  View v;
  v.map = v.monster_room = v.shop = v.clinic = v.colosseum = v.items_menu = v.equipment_menu = true;
  return v;
}

TEST(AutoplayStats, AttackFirstThenHitPointsAndBodyAndTheNortherner) {
  GameState s;
  s.my_hp_max = 20;
  EXPECT_EQ(choose_stat(s, false), Stat::Attack);
  s.my_atk = 1;  // attack ahead of the other two: hit points next, then body
  EXPECT_EQ(choose_stat(s, false), Stat::MaxHp);
  s.my_hp_max = 26;
  EXPECT_EQ(choose_stat(s, false), Stat::Body);
  s.my_body = 1;
  s.my_atk = 2;
  EXPECT_EQ(choose_stat(s, false), Stat::Attack);
  // The far northerner's cents while poor, the stat rule once rich.
  EXPECT_EQ(choose_stat(s, true), Stat::Cents);
  s.cent = 20000;
  EXPECT_EQ(choose_stat(s, true), Stat::Attack);
  EXPECT_STREQ(stat_button(Stat::Cents), "lv3_b");
  EXPECT_STREQ(stat_button(Stat::Body), "Button31");
}

TEST(AutoplayBattle, HealsWhenTwoHitsCouldKillAndRunsOnlyFromOrdinaryFights) {
  Hand h;
  h.opponent();
  const int hit = expected_enemy_hit(h.s);
  ASSERT_GT(hit, 1);
  h.s.my_hp = h.s.my_hp_max;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan), BattleAction{BattleAction::Punch});

  // Two hits from death: the good that best fits the 28 missing hit points.
  h.s.my_hp = 2 * hit;
  h.s.item_have[1] = 2;
  h.s.item_have[2] = 1;
  h.s.item_have[3] = 1;
  const int missing = h.s.my_hp_max - h.s.my_hp;
  const BattleAction heal = decide_battle(h.s, *h.t, battle_view(), h.plan);
  EXPECT_EQ(heal.kind, BattleAction::Item);
  EXPECT_EQ(heal.id, missing > 30 ? 3 : missing > 15 ? 2 : 1);

  // Items sealed, one hit from death: run from an ordinary fight...
  h.s.can_item = false;
  h.s.my_hp = hit;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan).kind, BattleAction::Escape);
  // ... but a colosseum cannot be run from: fight on.
  h.s.no_escape = true;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan).kind, BattleAction::Punch);
}

TEST(AutoplayBattle, TowerStrikeMonstersWhenThePunchIsForbiddenAndTheLevelOneRite) {
  Hand h;
  h.opponent(6, 300);
  View v = battle_view();
  v.tower = true;
  EXPECT_EQ(decide_battle(h.s, *h.t, v, h.plan).kind, BattleAction::Tower);

  // Floor 20 forbids the punch: the monster that hits hardest within the MP.
  v = battle_view();
  v.punch = false;
  h.s.monster_have[3] = 1;  // 体当たり 20: 80 + ..., 2 MP
  h.s.monster_have[4] = 1;  // レーザー 30: 120 + ..., 3 MP
  EXPECT_EQ(decide_battle(h.s, *h.t, v, h.plan), (BattleAction{BattleAction::Monster, 4}));
  h.s.my_mp = 2;
  EXPECT_EQ(decide_battle(h.s, *h.t, v, h.plan), (BattleAction{BattleAction::Monster, 3}));
  // No MP at all and nothing to throw: run.
  h.s.my_mp = 0;
  EXPECT_EQ(decide_battle(h.s, *h.t, v, h.plan).kind, BattleAction::Escape);

  // The level-one colosseum ahead: the rite that resets the level, but only
  // once the odds at level one are good...
  h.t->magic_table[21].mg_name = "はじまりの儀";
  h.t->magic_table[21].mg_kind = 21;
  h.t->magic_table[21].mg_ark = 5;
  h.s.magic_have[21] = 1;
  h.s.ark = 5;
  h.plan.want_level_one = true;
  h.plan.odds = 0.2;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan).kind, BattleAction::Punch);
  h.plan.odds = 0.9;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan), (BattleAction{BattleAction::Magic, 21}));
  h.s.ark = 4;  // not enough ARK: the fight goes on as usual
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan).kind, BattleAction::Punch);
  // ... and at level one, away before a victory raises the level again.
  h.s.my_lv = 1;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan).kind, BattleAction::Escape);
}

TEST(AutoplayBattle, ABossWithMuchToGoMeetsTheShareGoodsFirst) {
  Hand h;
  h.opponent(8, 400);
  h.s.no_escape = true;
  h.s.item_have[9] = 1;  // takes a half of the opponent's HP
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan), (BattleAction{BattleAction::Item, 9}));
  h.s.e_hp = 10;  // almost down: the fist finishes it
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan).kind, BattleAction::Punch);
}

TEST(AutoplayOffers, StrongerPiecesWithoutHarmfulEffects) {
  Hand h;
  EXPECT_TRUE(accept_offer(h.s, *h.t, "武器【ネズミ剣】△12を奪いますか？\r\r装備中の武器：【木の棒】△10\r(★なし)"));
  EXPECT_FALSE(accept_offer(h.s, *h.t, "武器【ネズミ剣】△9を奪いますか？\r\r装備中の武器：【木の棒】△10\r(★なし)"));
  // A phantom sword that forbids the punch is refused however strong.
  EXPECT_FALSE(accept_offer(h.s, *h.t, "武器【ネズミ幻剣】△99\r(追加効果 > ★拳封じ)\r\rを奪いますか？\r\r装備中の武器：【木の棒】△10\r(★なし)"));
  EXPECT_TRUE(accept_offer(h.s, *h.t, "武器【ネズミ幻剣】△99\r(追加効果 > ★塔の一撃)\r\rを奪いますか？\r\r装備中の武器：【木の棒】△10\r(★なし)"));
  // A good effect worn is kept unless the new weapon is far stronger.
  h.s.buki_ex = ex::kTower;
  EXPECT_FALSE(accept_offer(h.s, *h.t, "武器【ネズミ剣】△15を奪いますか？\r\r装備中の武器：【木の棒】△10\r(★塔の一撃)"));
  EXPECT_TRUE(accept_offer(h.s, *h.t, "武器【ネズミ剣】△21を奪いますか？\r\r装備中の武器：【木の棒】△10\r(★塔の一撃)"));
  EXPECT_TRUE(accept_offer(h.s, *h.t, "防具【ネズミの鎧】△11を奪いますか？\r\r装備中の防具：【布の服】△10"));
  EXPECT_FALSE(accept_offer(h.s, *h.t, "防具【ネズミの鎧】△10を奪いますか？\r\r装備中の防具：【布の服】△10"));
  // Any other question is answered yes: the player asked for it.
  EXPECT_TRUE(accept_offer(h.s, *h.t, "治療には4ｾﾝﾄ必要です。治療をうけますか？"));
}

TEST(AutoplayShop, KeyFirstThenHealingGearAndSeedsWithinThePurse) {
  Hand h;
  const std::vector<Offer> offers = {{1, 8}, {2, 20}, {3, 45}, {4, 120}, {5, 130}, {6, 250}, {7, 200}, {8, 50}};
  h.s.cent = 100;
  std::vector<int> buy = shopping_list(h.s, *h.t, offers, 0);
  long long spent = 0;
  for (int id : buy)
    for (const Offer& o : offers)
      if (o.item == id) spent += o.price;
  EXPECT_LE(spent, h.s.cent - 3 * h.s.my_mp_max);  // the clinic's reserve stays
  // Three healing goods of a quarter of the maximum (10) or more: the cheapest per point.
  EXPECT_EQ(std::count(buy.begin(), buy.end(), 1), 3);
  EXPECT_EQ(std::count(buy.begin(), buy.end(), 8), 0);  // never the cursed sword

  h.s.cent = 2000;
  buy = shopping_list(h.s, *h.t, offers, 0);
  EXPECT_NE(std::find(buy.begin(), buy.end(), 4), buy.end());  // the iron sword
  EXPECT_NE(std::find(buy.begin(), buy.end(), 5), buy.end());  // the mail
  EXPECT_NE(std::find(buy.begin(), buy.end(), 6), buy.end());  // seeds with the rest

  // On floor 7, won, without the key: only the key, or nothing while saving for it.
  h.s.floor = 7;
  h.s.floor_clear[7] = kWonMark;
  std::vector<Offer> with_key = offers;
  with_key.push_back({item::kFloor7Key, 3000});
  EXPECT_TRUE(shopping_list(h.s, *h.t, with_key, 8).empty());
  h.s.cent = 3000;
  EXPECT_EQ(shopping_list(h.s, *h.t, with_key, 8), std::vector<int>{item::kFloor7Key});
  // Trained down on floor 5: the key is bought there too, and nothing else meanwhile.
  h.s.floor = 5;
  EXPECT_EQ(shopping_list(h.s, *h.t, with_key, 8), std::vector<int>{item::kFloor7Key});
  h.s.cent = 2999;
  EXPECT_TRUE(shopping_list(h.s, *h.t, with_key, 8).empty());
}

TEST(AutoplayMap, ChestClinicGoodsStairsOddsAndTraining) {
  Hand h;
  View v = map_view();
  v.chest = true;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::OpenChest);
  h.s.my_hp = h.s.my_hp_max / 2 + 1;  // a trap could kill: leave it, heal first
  h.s.cent = 100;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::Clinic);
  v.chest = false;
  h.s.my_hp = h.s.my_hp_max;

  h.s.item_have[6] = 1;  // a seed: use it
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::UseItem);
  h.s.item_have[6] = 0;
  h.s.item_have[5] = 1;  // mail 25 over cloth 10: wear it
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::Equip);
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).id, 5);
  h.s.item_have[5] = 0;

  v.shop = false;  // nothing to shop for here
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::CheckOdds);
  h.plan.odds = 0.9;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, true).kind, MapAction::Colosseum);
  h.plan.odds = 0.4;
  h.plan.train_left = 10;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, true).kind, MapAction::MonsterRoom);

  // The target floor above: sample it from here, climb when the odds are good.
  h.plan.train_left = 0;
  h.plan.target = 1;
  v.stairs_up = true;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::CheckOdds);
  h.plan.odds = 0.9;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, true).kind, MapAction::Climb);
  // Floor 20's door wants 3000 cents: no sample before them, train for them.
  h.s.floor = h.plan.target = 20;
  h.plan.has_fight_room[18] = true;
  h.s.cent = 2999;
  View shut = map_view();
  shut.monster_room = shut.shop = false;
  EXPECT_EQ(decide_map(h.s, *h.t, shut, h.plan, false).kind, MapAction::StartTraining);
  EXPECT_EQ(decide_map(h.s, *h.t, shut, h.plan, false).id, 18);
  h.s.cent = 3000;
  EXPECT_EQ(decide_map(h.s, *h.t, shut, h.plan, false).kind, MapAction::CheckOdds);
  EXPECT_EQ(decide_map(h.s, *h.t, shut, h.plan, true).kind, MapAction::Colosseum);

  // Standing on a target floor without a fight room: walk down to train.
  h.s.floor = 9;
  h.plan.target = 9;
  h.plan.has_fight_room[8] = true;
  h.plan.train_floor = training_floor(h.plan);
  EXPECT_EQ(h.plan.train_floor, 8);
  h.plan.train_left = 25;
  View tower = map_view();
  tower.monster_room = tower.shop = false;
  tower.stairs_down = true;
  EXPECT_EQ(decide_map(h.s, *h.t, tower, h.plan, true).kind, MapAction::Descend);
  // On floor 7, won, without the key and with the rooms of floor 7 too deadly
  // to train in: the key's price is earned lower down.
  h.s.floor = 7;
  h.s.floor_clear[7] = kWonMark;
  h.plan.target = 8;
  h.plan.train_left = 0;
  h.plan.odds = 0.9;
  h.plan.has_fight_room[5] = true;
  h.plan.train_cap = 6;
  View shut_key = map_view();
  shut_key.colosseum = shut_key.shop = false;
  shut_key.stairs_down = true;
  const MapAction lower = decide_map(h.s, *h.t, shut_key, h.plan, true);
  EXPECT_EQ(lower.kind, MapAction::StartTraining);
  EXPECT_EQ(lower.id, 5);
  h.plan.train_cap = kTopFloor;
  // The gauntlet is fought on floor 0 and trained for on the highest room of all.
  h.plan.target = kTopFloor + 1;
  h.plan.has_fight_room[23] = true;
  EXPECT_EQ(boss_floor(h.plan), 0);
  EXPECT_EQ(training_floor(h.plan), 23);
}

// The newcomer never samples the colosseum: it tries it after ten wins with
// full hit points, tops them up at the clinic first, and picks attack.
TEST(AutoplayNewcomer, TenWinsAndFullHitPointsNoSampleAndAlwaysAttack) {
  Hand h;
  h.plan.policy = Policy::Newcomer;
  h.plan.visited[0] = true;
  h.s.cent = 100;
  View v = map_view();
  v.shop = false;
  h.plan.wins_since_try = 9;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::MonsterRoom);
  h.plan.wins_since_try = 10;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::Colosseum);
  h.s.my_hp = h.s.my_hp_max - 1;  // not full: the clinic first, although the careful player would not bother
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::Clinic);
  h.s.cent = 0;  // and without its fee, more fights
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::MonsterRoom);
  h.s.my_hp = h.s.my_hp_max;
  h.s.cent = 100;

  // The floor above, once open, is seen before any try and trained on.
  h.s.floor_clear[0] = kWonMark;
  h.plan.target = 1;
  h.plan.wins_since_try = 0;
  v.stairs_up = true;
  v.colosseum = false;
  EXPECT_EQ(decide_map(h.s, *h.t, v, h.plan, false).kind, MapAction::Climb);

  // In a fight: no look at the odds, no run, no call; a good below a third.
  h.opponent();
  h.s.monster_have[4] = 1;
  h.s.item_have[1] = 1;
  h.s.my_hp = h.s.my_hp_max / 3;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan), (BattleAction{BattleAction::Item, 1}));
  h.s.item_have[1] = 0;
  h.s.my_hp = 1;
  EXPECT_EQ(decide_battle(h.s, *h.t, battle_view(), h.plan).kind, BattleAction::Punch);

  // Every level-up: attack, also with the far northerner's gifts on offer.
  h.s.my_atk = 40;
  EXPECT_EQ(choose_stat(h.s, true, Policy::Newcomer), Stat::Attack);
  EXPECT_EQ(choose_stat(h.s, false, Policy::Newcomer), Stat::Attack);

  // Shopping: the strongest gear the purse pays, then three healing goods; no seeds.
  const std::vector<Offer> offers = {{1, 8}, {4, 120}, {5, 130}, {6, 250}};
  h.s.cent = 300;
  EXPECT_EQ(shopping_list(h.s, *h.t, offers, 1, Policy::Newcomer), (std::vector<int>{4, 5, 1, 1, 1}));
}

TEST(AutoplayMap, TheOddsWantedFallAsTrainingStopsPaying) {
  EXPECT_GT(wanted_odds(0), wanted_odds(200));
  EXPECT_GT(wanted_odds(200), wanted_odds(1000));
  EXPECT_GT(wanted_odds(1000), 0.0);
}

// The player's idea of the shop's rows is the list the game fills.
TEST(AutoplayShop, OffersMatchTheRowsOfTheShop) {
  test::MapGame m("mini");
  Game& g = m.g;
  for (int lv : {1, 6, 30}) {
    g.s.my_lv = lv;
    g.ui.map_box.visible = true;
    g.ui.list_box.visible = false;
    timer_fire(g, 1);
    ASSERT_TRUE(click(g, "s_shop"));
    const std::vector<Offer> offers = shop_offers(g.s, g.t);
    ASSERT_EQ(g.ui.list_l.rows.size(), offers.size()) << "at LV" << lv;
    for (size_t i = 0; i < offers.size(); ++i)
      EXPECT_EQ(g.ui.list_l.rows[i], g.t.item_table[static_cast<size_t>(offers[i].item)].it_name);
    ASSERT_TRUE(click(g, "cancel_b"));
  }
}

TEST(AutoplayReport, MedianAndPercentilesByNearestRank) {
  const Spread s = spread({5, 1, 4, 2, 3, 10, 6, 7, 9, 8});
  EXPECT_DOUBLE_EQ(s.median, 5.5);
  EXPECT_DOUBLE_EQ(s.p10, 1);
  EXPECT_DOUBLE_EQ(s.p90, 9);
  EXPECT_DOUBLE_EQ(spread({}).median, 0);
  EXPECT_DOUBLE_EQ(spread({7}).p90, 7);
}

}  // namespace
}  // namespace z2::autoplay
