// Whole fights in the monster room, many seeds, every class and weapon effect:
// whatever happens, the player is never left in a fight without the command
// box, and every fight comes to an end.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "game_fixture.h"

using namespace z2;

TEST(PlayerFights, EveryFightEndsAndTheTurnAlwaysComesBack) {
  std::mt19937 pick(2026);
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    std::ostringstream out;
    HeadlessPlatform plat(out);
    SeededRandom rng(seed);
    test::FixtureCopy floors("floors");
    Game g(plat, rng, floors.root);
    bind_handlers(g);
    load_tables(g.t, g.dat_dir());
    new_game(g);
    GameState& s = g.s;
    s.can_punch = s.can_magic = s.can_beast = s.can_item = true;
    g.ui.start_box.visible = false;
    g.ui.map_box.visible = true;
    s.my_hp = s.my_hp_max = 60;
    s.my_atk = 2;
    s.class_now = static_cast<int>(pick() % 23);
    // (A weapon that forbids running, with a sealed punch, leaves only the
    // lists, which this test does not use.)
    do s.buki_ex = static_cast<int>(pick() % 126);
    while (s.buki_ex == 110);
    const std::string who = "seed " + std::to_string(seed) + " class " + std::to_string(s.class_now) + " effect " +
                            std::to_string(s.buki_ex);

    ASSERT_TRUE(click(g, "s_battle")) << who;
    int clicks = 0;
    while (s.in_battle && clicks < 400) {
      ASSERT_TRUE(g.ui.battle_com.shown()) << who << " after " << clicks << " clicks";
      ASSERT_EQ(g.turn_depth, 0) << who;
      // Strike with the tower when offered, punch otherwise; a refused punch
      // (sealed, or a weapon that cannot punch) tries to run instead.
      if (g.ui.tower_b.shown()) {
        ASSERT_TRUE(click(g, "tower_b")) << who;
      } else {
        ASSERT_TRUE(click(g, "b1")) << who;
        const std::string& said = g.ui.moji_l.text;
        if (said == "追加効果により攻撃できません" || said == "敵の魔法によって攻撃できません") {
          ASSERT_TRUE(click(g, "Button7")) << who;
        }
      }
      ++clicks;
    }
    EXPECT_FALSE(s.in_battle) << who << ": still fighting after " << clicks << " clicks";
    EXPECT_EQ(g.turn_depth, 0) << who;
  }
}
