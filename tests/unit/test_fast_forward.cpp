// Fast-forward changes nothing but the time: the golden fights replayed with
// it held give the same transcript and the same state, and their pauses take
// a tenth of the time.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "game_fixture.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

using namespace z2;

namespace {

struct Replay {
  std::string transcript;        // without the time lines
  std::vector<long long> times;  // every `time:` line, in order
};

// One scenario script through the driver, as the scenario tests run it, with
// `elapsed` after every command and the whole state at the end.
Replay replay(const std::string& script_name, bool fast) {
  std::ifstream in(std::string(ZANDO_SOURCE_DIR) + "/tests/scenario/" + script_name + ".script");
  EXPECT_TRUE(in) << script_name;
  std::string fixture = "mini", line, script;
  uint32_t seed = 1;
  bool debug_panel = false;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_match(line, m, std::regex("# fixture: *(.+)"))) fixture = m[1];
    if (std::regex_match(line, m, std::regex("# seed: *([0-9]+)"))) seed = static_cast<uint32_t>(std::stoul(m[1]));
    if (line.find("# options:") == 0 && line.find("--debug-panel") != std::string::npos) debug_panel = true;
    if (line.empty() || line[0] == '#') continue;
    if (line == "quit" || line == "close") break;
    script += line + "\nelapsed\n";
  }
  script += "dump\nquit\n";

  test::FixtureCopy copy(fixture);
  std::ostringstream out;
  HeadlessPlatform plat(out);
  plat.fast = fast;
  SeededRandom rng(seed);
  Game g(plat, rng, copy.root);
  bind_handlers(g);
  startup(g);
  if (debug_panel) g.ui.debug_box.visible = true;
  std::istringstream cmds(script);
  run_script(g, plat, cmds);

  Replay r;
  std::istringstream lines(out.str());
  while (std::getline(lines, line)) {
    if (line.rfind("time: ", 0) == 0) {
      r.times.push_back(std::stoll(line.substr(6)));
    } else {
      r.transcript += line + "\n";
    }
  }
  return r;
}

long long sum(const std::vector<long long>& v) {
  long long s = 0;
  for (long long x : v) s += x;
  return s;
}

}  // namespace

TEST(FastForward, FightsRunTheSameInATenthOfTheirPauses) {
  for (const char* name : {"fight_monster_room", "enemy_turns", "outcome_colosseum", "fight_monsters_magic"}) {
    SCOPED_TRACE(name);
    const Replay slow = replay(name, false);
    const Replay fast = replay(name, true);
    EXPECT_EQ(fast.transcript, slow.transcript) << "the same events, draws and end state";
    ASSERT_EQ(fast.times.size(), slow.times.size());
    const long long total = sum(slow.times);
    EXPECT_GT(total, 1000) << "the fight has pauses to speed up";
    // The tenths of short pauses add up: the whole is a tenth to the millisecond.
    EXPECT_EQ(sum(fast.times), total / 10);
    for (size_t i = 0; i < slow.times.size(); ++i) {
      EXPECT_LE(fast.times[i], slow.times[i] / 10 + 1) << "command " << i;
      EXPECT_GE(fast.times[i], slow.times[i] / 10 - 1) << "command " << i;
    }
  }
}

TEST(FastForward, ShortPausesAreNotLost) {
  std::ostringstream out;
  HeadlessPlatform p(out);
  p.fast = true;
  // The boss's slide: 201 steps of 5 ms.
  for (int i = 0; i < 201; ++i) p.pause(5);
  EXPECT_EQ(p.elapsed_ms, 100);
  p.pause(0);
  p.pause(-20);
  EXPECT_EQ(p.elapsed_ms, 100) << "no time for nothing";
  p.pause(1000);
  EXPECT_EQ(p.elapsed_ms, 200);
  p.fast = false;
  p.pause(7);
  EXPECT_EQ(p.elapsed_ms, 207);
}
