// Calling a monster: the MP, the activation count and the evolution, and the
// skills whose rules are easy to get wrong (attribute voids, chances, the
// consuming skills, theft and the gifts to the opponent).
#include <gtest/gtest.h>

#include "fight_list_rig.h"
#include "lists/list_actions.h"
#include "lists/list_modes.h"
#include "lists/monsters.h"
#include "state/ids.h"

using namespace z2;
using z2::test::FightListRig;
using z2::test::hit_line;

namespace {

using Lines = std::vector<std::string>;

struct CallRig : FightListRig {
  CallRig() : FightListRig(caption::kMonsters) {}
  // A monster record and one copy of it, chosen in the list.
  void monster(int id, const std::string& name, int kind, int pow = 0, int mp = 0) {
    MonsterRecord& m = g.t.monster_table[static_cast<size_t>(id)];
    m.mo_name = name;
    m.mo_pic = "mo000.bmp";
    m.mo_kind = kind;
    m.mo_pow = pow;
    m.mo_mp = mp;
    g.s.monster_have[static_cast<size_t>(id)] = 1;
    g.s.list_sel = id;
  }
  bool call() { return call_monster(g); }
};

}  // namespace

TEST(MonsterCall, CostEqualToMpIsPaidAndTooLittleMpRefuses) {
  CallRig r;
  r.monster(3, "コウモリ", 53, 0, 7);
  r.g.s.my_mp = 6;
  EXPECT_FALSE(r.call());
  EXPECT_EQ(r.said(), (Lines{"moji_l: MPが足りません"}));
  EXPECT_TRUE(r.g.ui.battle_com.visible);
  EXPECT_TRUE(r.g.ui.list_box.visible);
  EXPECT_EQ(r.g.s.my_mp, 6);
  EXPECT_EQ(r.g.s.monster_lv[3], 0);  // no activation counted

  r.clear();
  r.g.s.my_mp = 7;
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.g.s.my_mp, 0);
  EXPECT_EQ(r.g.s.monster_lv[3], 1);
  EXPECT_EQ(r.said(), (Lines{"put: 「コウモリ」を放った!!", "put: ＞泣く", "add: えーんえーん"}));
}

TEST(MonsterCall, NinetyNinthCallOfThirtyEvolvesAndUsesTheNewSkill) {
  CallRig r;
  r.monster(30, "オクタビー", 0, 3);
  r.monster(83, "オクタビー王", 83, 50);
  r.g.s.monster_have[83] = 0;
  r.g.s.monster_have[30] = 2;
  r.g.s.monster_lv[30] = 98;
  r.g.s.monster_lv[83] = 40;
  r.g.s.list_sel = 30;
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.g.s.monster_have[30], 1);
  EXPECT_EQ(r.g.s.monster_have[83], 1);
  EXPECT_EQ(r.g.s.monster_lv[30], 0);
  EXPECT_EQ(r.g.s.monster_lv[83], 40);  // the evolved form keeps its own count
  EXPECT_EQ(r.g.s.list_sel, 83);
  // Skill 83 hits with ten per copy of monster 30 left after the evolution.
  EXPECT_EQ(r.said(), (Lines{"notice: なんとオクタビーが【オクタビー王】に進化した!!", "put: 「オクタビー王」を放った!!",
                             "put: ＞オクタビーの代弁", hit_line(10)}));
  EXPECT_EQ(r.g.s.e_hp, 5000 - (4 * 10 + 31));
}

TEST(MonsterCall, FortyOneAndFortyTwoBothBecomeFortyThreeWithTheOldPower) {
  for (int from : {41, 42}) {
    CallRig r;
    r.monster(43, "大天使", 0, 99);  // skill 0 hits with the power read before evolving
    r.g.s.monster_have[43] = 3;
    r.monster(from, from == 41 ? "天使" : "堕天使", 0, from == 41 ? 7 : 9);
    r.g.s.monster_lv[static_cast<size_t>(from)] = 98;
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.g.s.monster_have[static_cast<size_t>(from)], 0);
    EXPECT_EQ(r.g.s.monster_have[43], 4);
    EXPECT_EQ(r.g.s.list_sel, 43);
    EXPECT_TRUE(r.saw("put: 「大天使」を放った!!"));
    EXPECT_TRUE(r.saw(hit_line(from == 41 ? 7 : 9)));
  }
  EXPECT_EQ(evolution_of(41), 43);
  EXPECT_EQ(evolution_of(42), 43);
  EXPECT_EQ(evolution_of(80), 79);
  EXPECT_EQ(evolution_of(2), -1);
}

TEST(MonsterCall, WithoutAnEvolutionTheCountStaysAtNinetyNine) {
  CallRig r;
  r.monster(2, "岩", 53);
  r.g.s.monster_lv[2] = 98;
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.g.s.monster_lv[2], 99);
    EXPECT_EQ(r.g.s.monster_have[2], 1);
  }
  for (const std::string& l : r.lines()) EXPECT_EQ(l.rfind("notice:", 0), std::string::npos) << l;
}

TEST(MonsterCall, EvolvedFormMissingFromTheDataKeepsTheMonster) {
  CallRig r;
  r.monster(7, "子鬼", 53);
  r.g.t.monster_table[6].mo_name.clear();
  r.g.s.monster_lv[7] = 98;
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.g.s.monster_have[7], 1);
  EXPECT_EQ(r.g.s.monster_have[6], 0);
  EXPECT_EQ(r.g.s.monster_lv[7], 99);
  EXPECT_EQ(r.g.s.list_sel, 7);
}

TEST(MonsterCall, ScytheNeedsTheRollAndAFitOpponent) {
  struct Case {
    int roll, e_id, zoku;
    bool no_escape, works;
  };
  const Case cases[] = {
      {0, 16, 0, false, true},  {1, 16, 0, false, false}, {0, 17, 0, false, false}, {0, 19, 1, false, false},
      {0, 26, 2, false, false}, {0, 26, 3, false, true},  {0, 6, 0, true, false},
  };
  for (const Case& k : cases) {
    CallRig r;
    r.monster(39, "死神", 39);
    r.g.s.e_id = k.e_id;
    r.g.s.e_zoku = k.zoku;
    r.g.s.no_escape = k.no_escape;
    r.rng.push({k.roll});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{4})) << k.e_id;  // the roll is made in every case
    if (k.works) {
      EXPECT_EQ(r.g.s.e_hp, 1);
      EXPECT_TRUE(r.saw("add: ゴブリンの魂を切り刻んだ"));
      EXPECT_TRUE(r.saw("add: HPを1にした!!"));
    } else {
      EXPECT_EQ(r.g.s.e_hp, 5000) << k.e_id << " " << k.zoku;
      EXPECT_TRUE(r.saw("add: Miss!!"));
    }
  }
}

TEST(MonsterCall, AttributeVoidsAndTheirOpposites) {
  struct Case {
    int kind, zoku;
    Lines hits;
  };
  const Case cases[] = {
      {48, 0, {hit_line(0)}},
      {48, 4, {hit_line(155)}},
      {78, 0, {hit_line(180)}},
      {78, 2, {hit_line(60)}},
      {42, 1, {hit_line(0)}},
      {44, 1, {hit_line(0), hit_line(0), hit_line(0)}},
      {44, 3, {hit_line(77), hit_line(77), hit_line(77)}},
      {51, 2, {hit_line(0), hit_line(0)}},
      {49, 3, {hit_line(0), hit_line(0), hit_line(0)}},
      {71, 0, {hit_line(1), hit_line(5), hit_line(15)}},
  };
  for (const Case& k : cases) {
    CallRig r;
    r.monster(10, "虫", k.kind);
    r.g.s.e_zoku = k.zoku;
    EXPECT_TRUE(r.call());
    Lines hits;
    for (const std::string& l : r.said())
      if (l.find("ダメージ与えた!") != std::string::npos) hits.push_back(l);
    EXPECT_EQ(hits, k.hits) << "skill " << k.kind << " attribute " << k.zoku;
  }
}

TEST(MonsterCall, DoublePainIsVoidAgainstZndo) {
  for (int zoku : {1, 0}) {
    CallRig r;
    r.monster(11, "双子", 63);
    r.g.s.e_zoku = zoku;
    r.g.s.e_hp = 4800;
    EXPECT_TRUE(r.call());
    const int d = zoku == 1 ? 0 : 400;
    EXPECT_EQ(r.said(), (Lines{"put: 「双子」を放った!!", "put: ＞ダブルペイン", "add: ゴブリンのダメージ分×２のダメージ",
                               "add: " + std::to_string(d) + "のダメージを与えた!!"}));
    EXPECT_EQ(r.g.s.e_hp, 4800 - d);
  }
}

TEST(MonsterCall, MischiefSwapsHitPoints) {
  CallRig r;
  r.monster(12, "小悪魔", 54);
  r.g.s.my_hp = 5;
  r.g.s.e_hp = 900;
  EXPECT_TRUE(r.call());
  EXPECT_TRUE(r.saw("add: ゴブリンとアレクのHPが入れ替わってしまった!!"));
  EXPECT_EQ(r.g.s.my_hp, 300);  // 900, cut to the maximum by the refresh
  EXPECT_EQ(r.g.s.e_hp, 5);
}

TEST(MonsterCall, ConsumingSkillsUseUpTheMonster) {
  {
    CallRig r;
    r.monster(59, "爆弾岩", 59);
    r.g.s.my_hp = 20;
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said(), (Lines{"put: 「爆弾岩」を放った!!", "put: ＞自爆", "add: 爆弾岩は吹っ飛んだ!!", hit_line(20)}));
    EXPECT_EQ(r.g.s.monster_have[59], 0);
  }
  {
    CallRig r;
    r.monster(79, "パンダ", 79);
    r.g.s.monster_have[79] = 2;
    r.g.s.floor_clear[fc::kChina] = 4;
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said(), (Lines{"put: 「パンダ」を放った!!", "put: ＞チャイナup!!", "add: 【中国】が1上がった!!",
                               "add: パンダは消滅してしまった!!"}));
    EXPECT_EQ(r.g.s.floor_clear[fc::kChina], 5);
    EXPECT_EQ(r.g.s.monster_have[79], 1);
  }
  {
    CallRig r;
    r.monster(87, "宝石", 87);
    r.g.s.ark_max = 40;
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said(),
              (Lines{"put: 「宝石」を放った!!", "put: ＞MAX ARK 9up", "add: 最大ARKが9上昇した!!", "add: 宝石は消滅した!!"}));
    EXPECT_EQ(r.g.s.ark_max, 49);
    EXPECT_EQ(r.g.s.monster_have[87], 0);
    // A count that is already 0 stays there.
    r.g.s.monster_have[87] = 0;
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.g.s.monster_have[87], 0);
  }
}

TEST(MonsterCall, ChancesDrawOnceAndSayMissOnFailure) {
  {
    CallRig r;
    r.monster(6, "鎖", 6);
    r.rng.push({1});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{3}));
    EXPECT_EQ(r.g.s.e_state, 0);
    EXPECT_TRUE(r.saw("add: Miss!!"));
  }
  {
    CallRig r;
    r.monster(10, "河", 10);
    r.rng.push({0});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{4}));
    EXPECT_EQ(r.g.s.e_state, 8);
    EXPECT_TRUE(r.saw("add: 敵を呪いにさせた!!"));
  }
  {
    // Halving puts its miss in place of the message.
    CallRig r;
    r.monster(34, "法師", 34);
    r.rng.push({2});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said().back(), "put: Miss!!");
    EXPECT_EQ(r.g.s.e_hp, 5000);
  }
  {
    // The ailment after a hit says nothing when it fails.
    CallRig r;
    r.monster(67, "ピンク", 67);
    r.rng.push({1});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said(), (Lines{"put: 「ピンク」を放った!!", "put: ＞PINKボム", hit_line(10)}));
    r.clear();
    r.rng.push({0});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said().back(), "add: ゴブリンは混乱した!!");
    EXPECT_EQ(r.g.s.e_state, 4);
  }
  {
    // The lullaby heals and cures too.
    CallRig r;
    r.monster(13, "人魚", 13);
    r.g.s.my_hp = 10;
    r.g.s.my_state = 6;
    r.rng.push({0});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said(), (Lines{"put: 「人魚」を放った!!", "put: ＞うたえ、生命の河の詩", "add: 敵を眠らせた!!",
                               "add: 更に、HPが299回復した!"}));
    EXPECT_EQ(r.g.s.e_state, 2);
    EXPECT_EQ(r.g.s.my_state, 0);
    EXPECT_EQ(r.g.s.my_hp, 300);
  }
}

TEST(MonsterCall, RaisesAddTheirShareButSayTheirOwnNumber) {
  CallRig r;
  r.monster(20, "壁", 20);
  r.g.s.my_hp_max = 330;
  r.g.s.my_hp = 330;
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.g.s.buf_def(), 30);
  EXPECT_TRUE(r.saw("add: 守備力が110上がった!"));
  r.monster(32, "賢者", 32);
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.g.s.buf_beast(), 5000 / 7);
  EXPECT_TRUE(r.saw("add: 獣操力が100上がった!"));
}

TEST(MonsterCall, TheftTakesWhatTheOpponentCarries) {
  struct Case {
    int e_item, have_before, have_after;
    std::string line;
  };
  const Case cases[] = {
      {-1, 0, 0, "add: なにももっていない"},
      {1, 0, 1, "add: やくそうを盗んだ!!"},
      {1, 99, 99, "add: やくそうを盗んだ!!"},
      {1, 120, 120, "add: やくそうを盗んだ!!"},  // a milestone count is not cut back to 99
      {1003, 2, 3, "add: 空き缶を盗んだ!!"},
      {777, 0, 0, "add: なにももっていない"},
  };
  for (const Case& k : cases) {
    CallRig r;
    r.monster(57, "盗賊", 57);
    r.g.s.e_item = k.e_item;
    i32& have = k.e_item >= 1000 ? r.g.s.gomi_have[3] : r.g.s.item_have[1];
    have = k.have_before;
    r.rng.push({0});
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.said().back(), k.line);
    EXPECT_EQ(have, k.have_after) << k.e_item;
    EXPECT_EQ(r.g.s.e_item, -1);
  }
}

TEST(MonsterCall, GiftsOnDataWithNothingToGiveEndInMiss) {
  {
    CallRig r;
    for (ItemRecord& it : r.g.t.item_table) it.it_rare = 3;
    r.monster(84, "迷子", 84);
    EXPECT_TRUE(r.call());
    // the 1/2 roll, the first draw, 500 redraws, one more; no endless search
    EXPECT_EQ(r.rng.draws.size(), 1u + 1u + 500u + 1u);
    EXPECT_EQ(r.said().back(), "add: Miss!!");
    EXPECT_EQ(r.g.s.e_item, -1);
  }
  {
    CallRig r;
    for (GomiRecord& gm : r.g.t.gomi_table) gm.gm_name.clear();
    r.monster(85, "ゴミ箱", 85);
    EXPECT_TRUE(r.call());
    EXPECT_EQ(r.rng.draws.size(), 1u + 1u + 500u + 1u);
    EXPECT_EQ(r.said().back(), "add: Miss!!");
    EXPECT_EQ(r.g.s.e_item, -1);
  }
}

TEST(MonsterCall, GiftsPreferWhatThePlayerLacks) {
  CallRig r;
  r.monster(84, "迷子", 84);
  r.g.s.item_have[1] = 1;  // owned: redrawn
  // roll, item 1 (owned), item 0 (no name), item 2
  r.rng.push({0, 1, 0, 2});
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{2, 499, 499, 499}));
  EXPECT_EQ(r.said().back(), "add: どくけしを敵に持たせた!!");
  EXPECT_EQ(r.g.s.e_item, 2);

  // Garbage: a 3 in 4 chance; the gift is 1000 plus its id.
  r.clear();
  r.monster(85, "ゴミ箱", 85);
  r.rng.push({2, 3});
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.said().back(), "add: 空き缶を敵に持たせた!!");
  EXPECT_EQ(r.g.s.e_item, 1003);
  r.clear();
  r.rng.push({3});
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.said().back(), "add: Miss!!");
}

TEST(MonsterCall, OwnedMonstersCannotBeCalledOutsideAFight) {
  CallRig r;
  owned_monster_refused(r.g);
  EXPECT_EQ(r.said(), (Lines{"moji_l2: ここでモンスターを放つことはできません。"}));
}

TEST(MonsterCall, SkillCodesBeyondTheTableOnlyAnnounceTheCall) {
  CallRig r;
  r.monster(9, "謎", 91);
  EXPECT_TRUE(r.call());
  EXPECT_EQ(r.said(), (Lines{"put: 「謎」を放った!!"}));
  r.clear();
  r.g.s.list_sel = 500;  // names no monster
  EXPECT_FALSE(r.call());
  EXPECT_TRUE(r.g.ui.battle_com.visible);
}
