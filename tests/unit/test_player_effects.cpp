// What rides on a punch: the class effects and the weapon's extra effects,
// one case per family, each with the draw it makes and the message it shows.
#include <gtest/gtest.h>

#include <functional>

#include "battle/extra_effects.h"
#include "battle/player_commands.h"
#include "state/ids.h"
#include "test_player_rig.h"

using namespace z2;
using z2::test::PlayerRig;
using Lines = std::vector<std::string>;

TEST(PlayerClassEffects, HealArkAndTheSecondPunch) {
  PlayerRig r;
  r.g.s.class_now = cls::kHealingFist;
  r.g.s.my_hp = 50;
  class_punch_effect(r.g);
  EXPECT_EQ(r.g.s.my_hp, 58);  // 100 / 13 + 1

  r.g.s.class_now = cls::kStar;
  class_punch_effect(r.g);
  EXPECT_EQ(r.g.s.ark, 15);

  r.g.s.class_now = cls::kDoublePunch;
  r.rng.push({1, 0});
  class_punch_effect(r.g);
  EXPECT_EQ(r.lines(), Lines{"add: 40ダメージ与えた!"});
  EXPECT_EQ(r.rng.draws, (std::vector<int32_t>{2, 40}));

  // Classes without a punch effect draw nothing.
  for (int c : {cls::kNovice, cls::kGambler, cls::kLastStand, cls::kWildStyle}) {
    PlayerRig none;
    none.g.s.class_now = c;
    class_punch_effect(none.g);
    EXPECT_TRUE(none.rng.draws.empty()) << c;
    EXPECT_TRUE(none.lines().empty()) << c;
  }
}

TEST(PlayerClassEffects, HexFistInflictsOnlyOnAHealthyOpponent) {
  struct Case {
    int roll;
    int state;
    std::string said;
  };
  const Case cases[] = {
      {0, ail::kStone, "add: 敵を石化させた!!"},
      {2, ail::kPoison, "add: 敵を毒化させた!!"},
      {8, ail::kMCurse, "add: 敵をＭ呪化させた!!"},
      {9, ail::kLeech, "add: 敵を毒吸化させた!!"},
  };
  for (const Case& c : cases) {
    PlayerRig r;
    r.g.s.class_now = cls::kHexFist;
    r.rng.push({c.roll});
    class_punch_effect(r.g);
    EXPECT_EQ(r.g.s.e_state, c.state) << c.roll;
    EXPECT_EQ(r.lines(), Lines{c.said}) << c.roll;
    // The poisons flash a green burst (44 corner draws) on the opponent.
    const bool green = c.state == 1 || c.state == 6 || c.state == 7 || c.state == 10;
    EXPECT_EQ(r.rng.draws.size(), green ? 45u : 1u) << c.roll;
  }
  PlayerRig miss;
  miss.g.s.class_now = cls::kHexFist;
  miss.rng.push({10});
  class_punch_effect(miss.g);
  EXPECT_EQ(miss.g.s.e_state, 0);
  EXPECT_TRUE(miss.lines().empty());

  PlayerRig sick;  // an opponent with an ailment is left alone, without a draw
  sick.g.s.class_now = cls::kHexFist;
  sick.g.s.e_state = ail::kSleep;
  class_punch_effect(sick.g);
  EXPECT_EQ(sick.g.s.e_state, ail::kSleep);
  EXPECT_TRUE(sick.rng.draws.empty());
}

TEST(PlayerClassEffects, VampireEaterHalverAndThief) {
  PlayerRig r;
  r.g.s.my_hp = 50;
  r.g.s.my_mp = 10;
  r.g.s.e_hp = 999;
  r.g.s.e_item = 1;  // やくそう
  r.g.s.item_have[1] = 3;

  r.g.s.class_now = cls::kVampire;
  r.rng.push({1, 0});  // the first punch passes, the second drains
  class_punch_effect(r.g);
  class_punch_effect(r.g);
  EXPECT_EQ(r.g.s.my_hp, 70);
  EXPECT_EQ(r.g.s.e_hp, 979);

  r.g.s.class_now = cls::kMagicEater;
  r.rng.push({0});
  class_punch_effect(r.g);
  EXPECT_EQ(r.g.s.my_mp, 16);  // 60 / 12 + 1

  r.g.s.class_now = cls::kHalver;
  r.rng.push({0});
  class_punch_effect(r.g);
  EXPECT_EQ(r.g.s.e_hp, 489);

  r.g.s.class_now = cls::kThief;
  r.rng.push({0, 0});  // robbed twice: the second time there is nothing left
  class_punch_effect(r.g);
  class_punch_effect(r.g);
  EXPECT_EQ(r.g.s.item_have[1], 4);
  EXPECT_EQ(r.g.s.e_item, -1);

  EXPECT_EQ(r.lines(), (Lines{"add: ＞吸血", "add: ＞喰う", "add: ＞Ｍ法", "add: HPが半分にさせた!!", "add: ＞泥棒",
                              "add: やくそうを盗んだ!!", "add: ＞泥棒", "add: なにももっていない"}));
}

TEST(PlayerClassEffects, StealGarbageFullStocksAndIdsOutsideTheTables) {
  PlayerRig r;
  r.g.s.e_item = 1003;  // garbage 3, 空き缶
  steal(r.g, false);
  EXPECT_EQ(r.g.s.gomi_have[3], 1);
  r.g.s.e_item = 1;
  r.g.s.item_have[1] = 99;
  steal(r.g, false);
  EXPECT_EQ(r.g.s.item_have[1], 99);
  r.g.s.e_item = 1;
  r.g.s.item_have[1] = 150;  // a prize above the cap is not cut back
  steal(r.g, false);
  EXPECT_EQ(r.g.s.item_have[1], 150);
  // Ids that name nothing (past the item table, an empty record, past the
  // garbage table) are nothing to steal.
  for (int id : {700, 7, 1600, 20000, -5}) {
    r.g.s.e_item = id;
    steal(r.g, false);
    EXPECT_EQ(r.g.s.e_item, -1);
  }
  EXPECT_EQ(r.lines(), (Lines{"add: 空き缶を盗んだ!!", "add: やくそうを盗んだ!!", "add: やくそうを盗んだ!!",
                              "add: なにももっていない", "add: なにももっていない", "add: なにももっていない",
                              "add: なにももっていない", "add: なにももっていない"}));
  // Effect 39 robs without a word when nothing is left.
  steal(r.g, true);
  EXPECT_EQ(r.count("add: なにももっていない"), 5);
}

namespace {

struct ExCase {
  int ex;
  std::vector<int32_t> draws;  // the draws pushed (and their sizes expected first)
  std::vector<int32_t> sizes;
  Lines said;
  std::function<void(GameState&)> before;
  std::function<void(const GameState&)> check;
};

void run(const ExCase& c) {
  PlayerRig r;
  r.g.s.buki_ex = c.ex;
  if (c.before) c.before(r.g.s);
  for (int32_t d : c.draws) r.rng.push({d});
  punch_extra_effect(r.g);
  EXPECT_EQ(r.draws(c.sizes.size()), c.sizes) << "effect " << c.ex;
  EXPECT_EQ(r.lines(), c.said) << "effect " << c.ex;
  if (c.check) c.check(r.g.s);
}

}  // namespace

TEST(PlayerExtraEffects, GaugesPointsAndMaxima) {
  const ExCase cases[] = {
      {1, {0}, {7}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kZando], 1); }},
      {7, {0}, {7}, {}, [](GameState& s) { s.floor_clear[fc::kLa] = 5; },
       [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kLa], 4); }},
      {10, {0}, {2}, {}, [](GameState& s) { s.my_hp = 50; }, [](const GameState& s) { EXPECT_EQ(s.my_hp, 67); }},
      {14, {0}, {2}, {}, [](GameState& s) { s.my_mp = 10; }, [](const GameState& s) { EXPECT_EQ(s.my_mp, 26); }},
      {15, {0}, {2}, {}, [](GameState& s) { s.my_hp = 50; s.my_mp = 30; },
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 60); EXPECT_EQ(s.my_mp, 34); }},
      {18, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_hp, 66); }},
      {19, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_mp, 56); }},
      {22, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_hp, 90); EXPECT_EQ(s.my_mp, 56); }},
      {24, {0}, {4}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_hp_max, 99); }},
      {25, {0}, {7}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_mp_max, 61); }},
      // A chance that does not come up changes nothing.
      {10, {1}, {2}, {}, [](GameState& s) { s.my_hp = 50; }, [](const GameState& s) { EXPECT_EQ(s.my_hp, 50); }},
  };
  for (const ExCase& c : cases) run(c);
}

TEST(PlayerExtraEffects, HitPointTricksDrainsAndTheSecondPunch) {
  const ExCase cases[] = {
      {27, {0}, {3}, {"add: ＞HP1/2"}, [](GameState& s) { s.my_hp = 81; },
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 40); }},
      {30, {0}, {3}, {"add: ＞HPダメージ×2"}, [](GameState& s) { s.my_hp = 80; },
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 60); }},
      {32, {0}, {3}, {"add: ＞HP1/3"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_hp, 333); }},
      {33, {0}, {3}, {"add: ＞HP×2"}, [](GameState& s) { s.e_hp = 300; },
       [](const GameState& s) { EXPECT_EQ(s.e_hp, 600); }},
      {34, {0}, {3}, {"add: ＞HPダメージ×2"}, [](GameState& s) { s.e_hp = 900; },
       [](const GameState& s) { EXPECT_EQ(s.e_hp, 800); }},
      {35, {0}, {4}, {"add: ＞竜言語魔法"}, [](GameState& s) { s.my_hp = 70; },
       [](const GameState& s) { EXPECT_EQ(s.e_hp, 970); }},
      {36, {0}, {4}, {"add: ＞劉言語魔法"}, [](GameState& s) { s.my_hp = 70; },
       [](const GameState& s) { EXPECT_EQ(s.e_hp, 930); }},
      {37, {0}, {3}, {"add: ＞吸血"}, [](GameState& s) { s.my_hp = 50; },
       [](const GameState& s) { EXPECT_EQ(s.my_hp, 151); EXPECT_EQ(s.e_hp, 899); }},
      {38, {0}, {3}, {"add: ＞吸心"}, [](GameState& s) { s.my_mp = 30; },
       [](const GameState& s) { EXPECT_EQ(s.my_mp, 37); EXPECT_EQ(s.e_hp, 899); }},
      {39, {0}, {5}, {"add: どくけしを盗んだ!!"}, [](GameState& s) { s.e_item = 2; },
       [](const GameState& s) { EXPECT_EQ(s.item_have[2], 1); EXPECT_EQ(s.e_item, -1); }},
      {39, {0}, {5}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_item, -1); }},
      {40, {0, 1, 0}, {3, 2, 40}, {"add: ２回攻撃＞", "add: 40ダメージ与えた!"}, nullptr,
       [](const GameState& s) { EXPECT_EQ(s.e_hp, 960); }},
  };
  for (const ExCase& c : cases) run(c);
}

TEST(PlayerExtraEffects, CuresAndAilments) {
  const ExCase cases[] = {
      {48, {}, {}, {}, [](GameState& s) { s.my_state = ail::kSleep; },
       [](const GameState& s) { EXPECT_EQ(s.my_state, 0); }},
      {49, {}, {}, {}, [](GameState& s) { s.e_state = ail::kConfused; },
       [](const GameState& s) { EXPECT_EQ(s.e_state, 0); }},
      {50, {0}, {2, 129}, {"add: ＞毒"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_state, 1); }},
      {52, {0}, {4}, {"add: ＞石化"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_state, 3); }},
      {53, {0}, {3}, {"add: ＞混乱"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_state, 4); }},
      {57, {0}, {4}, {"add: ＞呪い"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_state, 8); }},
      {60, {0}, {2, 129}, {"add: ＞毒"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_state, 1); }},
      {66, {0}, {3, 129}, {"add: ＞感染"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_state, 7); }},
      {67, {0}, {4}, {"add: ＞呪い"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_state, 8); }},
      {69, {1}, {3}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_state, 0); }},
  };
  for (const ExCase& c : cases) run(c);
  // A cure with nothing to cure flashes nothing.
  PlayerRig r;
  r.g.s.buki_ex = 48;
  const uint64_t before = r.g.ui.my_cg.image_rev;
  punch_extra_effect(r.g);
  EXPECT_EQ(r.g.ui.my_cg.image_rev, before);
}

TEST(PlayerExtraEffects, ExperienceLevelsAttributeAndEquipment) {
  const ExCase cases[] = {
      {70, {0, 2}, {3, 5}, {"add: 経験値+3 UP!"}, [](GameState& s) { s.my_exp = 2; },
       [](const GameState& s) { EXPECT_EQ(s.my_exp, 5); }},
      {71, {0, 4}, {3, 5}, {"add: 経験値+5 DOWN!"}, [](GameState& s) { s.my_exp = 2; },
       [](const GameState& s) { EXPECT_EQ(s.my_exp, -3); }},
      {72, {0}, {7}, {"add: LV +1"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_lv, 6); }},
      // The top level is the level-up's own: the effect stops there.
      {72, {0}, {7}, {"add: LV +1"}, [](GameState& s) { s.my_lv = kMaxLevel; },
       [](const GameState& s) { EXPECT_EQ(s.my_lv, kMaxLevel); }},
      {73, {0}, {7}, {"add: LV -1"}, [](GameState& s) { s.my_lv = 1; },
       [](const GameState& s) { EXPECT_EQ(s.my_lv, 1); }},
      {74, {0}, {6}, {"add: 敵のLV +1"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_lv, 4); }},
      {75, {0}, {6}, {"add: 敵のLV -1"}, [](GameState& s) { s.e_lv = 1; },
       [](const GameState& s) { EXPECT_EQ(s.e_lv, 1); }},
      {78, {0}, {3}, {"add: 敵の属性→【ＬＡ】"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_zoku, 3); }},
      {80, {0}, {3}, {"add: 敵の属性→【無】"}, [](GameState& s) { s.e_zoku = 2; },
       [](const GameState& s) { EXPECT_EQ(s.e_zoku, 0); }},
      {83, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.buki_pow, 23); }},
      {84, {0}, {3}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.buki_pow, 0); }},
      {87, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.bougu_pow, 10); }},
      {88, {0}, {3}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.bougu_pow, 0); }},
      {89, {0}, {7}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_atk, 11); }},
      {96, {0}, {7}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.my_body, 2); }},
  };
  for (const ExCase& c : cases) run(c);
}

TEST(PlayerExtraEffects, BonusesMoneyAndRecords) {
  const ExCase cases[] = {
      {97, {0}, {2}, {"add: 腕力51up!!"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBufAtk], 51); }},
      {101, {0}, {2}, {"add: 守備力6down!!"}, nullptr,
       [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBufDef], -6); }},
      {99, {0}, {2}, {"add: 獣操力51up!!"}, nullptr,
       [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBufBeast], 51); }},
      {103, {0}, {2}, {"add: 敵の腕力6up!!"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_buf_atk, 6); }},
      {106, {0}, {2}, {"add: 敵の守備力51down!!"}, nullptr, [](const GameState& s) { EXPECT_EQ(s.e_buf_def, -51); }},
      {116, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.cent, 1051); }},
      {117, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.cent, 949); }},
      {118, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.ark, 11); }},
      {119, {0}, {2}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.ark, 9); }},
      {121, {0}, {3}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kDeaths], 1); }},
      {122, {0}, {4}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kEscapes], 1); }},
      {123, {0}, {3}, {}, nullptr, [](const GameState& s) { EXPECT_EQ(s.floor_clear[fc::kBattles], 1); }},
  };
  for (const ExCase& c : cases) run(c);
}

TEST(PlayerExtraEffects, NumbersThatActElsewhereOrNowhereDrawNothing) {
  for (int ex : {0, 41, 43, 46, 81, 82, 85, 86, 107, 110, 111, 113, 120, 124, 255, 1000, -3}) {
    PlayerRig r;
    r.g.s.buki_ex = ex;
    const GameState before = r.g.s;
    punch_extra_effect(r.g);
    EXPECT_TRUE(r.rng.draws.empty()) << ex;
    EXPECT_TRUE(r.lines().empty()) << ex;
    EXPECT_EQ(r.g.s.buki_pow, before.buki_pow) << ex;
    EXPECT_EQ(r.g.s.my_hp, before.my_hp) << ex;
  }
}
