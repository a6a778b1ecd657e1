// The chaos run's checks on hand-made states: each rule catches the fault it
// is there for and lets the game's own rules pass (prizes past 99, values set
// by hand on the developer panel, values the refresh has not yet clamped).
#include <gtest/gtest.h>

#include <algorithm>

#include "chaos_checks.h"
#include "state/ids.h"

using namespace z2;
using z2::autoplay::StepFacts;

namespace {

// A sound state between two steps, as a new game leaves it.
GameState sound() {
  GameState s;
  s.my_name = "アレク";
  s.my_lv = 1;
  s.my_hp = s.my_hp_max = 20;
  s.my_mp = s.my_mp_max = 2;
  s.ark = 5;
  s.ark_max = 99;
  s.text_speed = 3;
  s.e_item = -1;
  return s;
}

bool mentions(const std::vector<std::string>& why, const std::string& text) {
  return std::any_of(why.begin(), why.end(), [&](const std::string& w) { return w.find(text) != std::string::npos; });
}

constexpr StepFacts kRefreshed{true, false};
constexpr StepFacts kByHand{true, true};

}  // namespace

TEST(ChaosChecks, OwnedCountsStayBetweenZeroAndTheCapUnlessAPrizeOrTheDeveloperRaisesThem) {
  GameState before = sound();
  before.item_have[20] = 99;
  before.gomi_have[3] = 99;
  GameState after = before;
  EXPECT_TRUE(autoplay::check_step(before, after, kRefreshed).empty());

  // A gift that forgets the cap.
  after.item_have[20] = 100;
  auto why = autoplay::check_step(before, after, kRefreshed);
  ASSERT_EQ(why.size(), 1u);
  EXPECT_EQ(why[0], "item_have[20]=100: above 99 (was 99)");

  // A sale or a use that takes one too many.
  after = before;
  after.monster_have[7] = -1;
  EXPECT_TRUE(mentions(autoplay::check_step(before, after, kRefreshed), "monster_have[7]=-1: below 0"));

  // The streak prize of 10 wins (item 8) is added without the cap, one at a time.
  before.item_have[8] = 99;
  after = before;
  after.item_have[8] = 100;
  EXPECT_TRUE(autoplay::check_step(before, after, kRefreshed).empty());
  after.item_have[8] = 101;
  EXPECT_FALSE(autoplay::check_step(before, after, kRefreshed).empty());

  // The floor-14 prize adds the cleaner the same way.
  before.monster_have[monster::kCleaner] = 99;
  after = before;
  after.monster_have[monster::kCleaner] = 100;
  EXPECT_TRUE(autoplay::check_step(before, after, kRefreshed).empty());

  // "ゴミ全部所持" adds one of each without a cap; a count already past 99
  // that only falls is no fault either.
  after = before;
  after.gomi_have[3] = 100;
  EXPECT_TRUE(autoplay::check_step(before, after, kByHand).empty());
  GameState later = after;
  later.gomi_have[3] = 50;
  EXPECT_TRUE(autoplay::check_step(after, later, kRefreshed).empty());
  // Below 0 is a fault even on the developer panel.
  later.md_have[1] = -2;
  EXPECT_FALSE(autoplay::check_step(after, later, kByHand).empty());
}

TEST(ChaosChecks, ValuesKeptByTheirOwnRulesMayNotLeaveTheirRangesOrGoFurtherOut) {
  GameState before = sound();
  GameState after = before;
  after.my_lv = 1000;
  EXPECT_EQ(autoplay::check_step(before, after, kRefreshed),
            std::vector<std::string>{"my_lv=1000: left 1..999 (was 1)"});
  // Set by hand: allowed, and a later step may bring it back but not raise it.
  EXPECT_TRUE(autoplay::check_step(before, after, kByHand).empty());
  GameState later = after;
  later.my_lv = 999;
  EXPECT_TRUE(autoplay::check_step(after, later, kRefreshed).empty());
  later.my_lv = 1001;
  EXPECT_FALSE(autoplay::check_step(after, later, kRefreshed).empty());

  after = before;
  after.floor = kTopFloor + 1;
  after.my_state = 11;
  after.class_exp[4] = 42;
  after.monster_lv[9] = 100;
  after.floor_clear[5] = 101;
  after.e_item = 500;
  auto why = autoplay::check_step(before, after, kRefreshed);
  for (const char* v : {"floor=25", "my_state=11", "class_exp[4]=42", "monster_lv[9]=100", "floor_clear[5]=101",
                        "e_item=500"})
    EXPECT_TRUE(mentions(why, v)) << v;

  // Experience is no such value: "不幸の音" may take it below 0, items past 99.
  after = before;
  after.my_exp = -5;
  EXPECT_TRUE(autoplay::check_step(before, after, kRefreshed).empty());
  after.my_exp = 130;
  EXPECT_TRUE(autoplay::check_step(before, after, kRefreshed).empty());
}

TEST(ChaosChecks, AfterARefreshEveryClampedValueIsInRange) {
  GameState before = sound();
  GameState after = before;
  after.my_hp = 21;  // above my_hp_max
  after.my_mp = -1;
  after.cent = 1000000000;
  after.wild = 1000;
  after.ark = 100;  // above ark_max
  after.floor_clear[fc::kChina] = 100;
  after.my_body = -3;
  after.e_hp = 5;  // no opponent: e_hp_max is 0
  auto why = autoplay::check_step(before, after, kRefreshed);
  for (const char* v : {"my_hp=21", "my_mp=-1", "cent=1000000000", "wild=1000", "ark=100", "floor_clear[102]=100",
                        "my_body=-3", "e_hp=5"})
    EXPECT_TRUE(mentions(why, v)) << v;
  // Before a refresh these may stand out of range for a moment.
  EXPECT_TRUE(autoplay::check_step(before, after, StepFacts{false, false}).empty());

  // A maximum of 0 is raised to 1 by the refresh; a negative ark_max wins over 0.
  after = before;
  after.my_hp_max = 0;
  after.my_hp = 0;
  EXPECT_TRUE(mentions(autoplay::check_step(before, after, kRefreshed), "my_hp_max=0"));
  after = before;
  after.ark_max = -4;
  after.ark = -4;
  EXPECT_TRUE(autoplay::check_step(before, after, kRefreshed).empty());
}

TEST(ChaosChecks, DumpsListSavedValuesAndTheirDifferences) {
  GameState s = sound();
  s.item_have[5] = 2;
  const auto a = autoplay::dump_lines(s);
  EXPECT_NE(std::find(a.begin(), a.end(), "my_name=アレク"), a.end());
  EXPECT_NE(std::find(a.begin(), a.end(), "item_have[5]=2"), a.end());
  EXPECT_EQ(std::find(a.begin(), a.end(), "item_have[6]=0"), a.end());
  // Transient values are not saved.
  EXPECT_EQ(std::count_if(a.begin(), a.end(), [](const std::string& l) { return l.rfind("e_item=", 0) == 0; }), 0);

  EXPECT_TRUE(autoplay::dump_differences(a, a).empty());
  s.item_have[5] = 3;
  s.my_name = "アレ";
  const auto b = autoplay::dump_lines(s);
  const auto d = autoplay::dump_differences(a, b);
  EXPECT_NE(std::find(d.begin(), d.end(), "before: my_name=アレク"), d.end());
  EXPECT_NE(std::find(d.begin(), d.end(), "after: item_have[5]=3"), d.end());
}
