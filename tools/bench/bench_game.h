#pragma once
// What the benchmarks share: their main, the program folder, a game on the
// shipped content standing on the map of floor 0 after NEW GAME, and one whole
// monster-room fight.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

namespace z2::bench {

// The program folder: the one the build lays out, or ZANDO_BENCH_ROOT.
inline std::string game_root() {
  const char* r = std::getenv("ZANDO_BENCH_ROOT");
  return r ? r : ZANDO_GAME_DIR;
}

// The benchmarks' main: offscreen and silent, with the application object the
// pictures (QGuiApplication) or the window (QApplication) need.
template <class App>
int run_benchmarks(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  App app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

struct HeadlessGame {
  std::ostringstream sink;
  HeadlessPlatform plat{sink};
  SeededRandom rng;
  Game g;
  std::string why;  // empty when the game stands on the map

  explicit HeadlessGame(uint32_t seed = 1) : rng(seed), g(plat, rng, game_root()) {
    bind_handlers(g);
    if (!std::filesystem::exists(game_root() + "/dat/enemy.dat")) {
      why = "no content in " + game_root() + "/dat (build with ZANDO_GENERATE=ON)";
      return;
    }
    startup(g);
    plat.queue_answer(true);
    click(g, "Button12");
    timer_fire(g, 1);
    if (!g.ui.map_box.shown()) why = "NEW GAME did not reach the map";
  }

  // Back on the map as the end of a fight leaves it (for fights that a
  // benchmark cuts short).
  void to_map() {
    g.s.in_battle = false;
    g.s.host_mode = false;
    g.s.my_hp = g.s.my_hp_max;
    g.ui.battle_com.visible = false;
    g.ui.lv_box.visible = false;
    g.ui.list_box.visible = false;
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
  }

  // The monster room, then punches until one side falls and the outcome has
  // run (a level-up's choice box takes the attack). Returns the punches, or
  // -1 when the fight did not end within a bound (the game is put back on
  // the map then).
  int fight() {
    constexpr int kMaxPunches = 1000;
    if (!click(g, "s_battle")) {
      to_map();
      return -1;
    }
    int punches = 0;
    while (punches < kMaxPunches) {
      if (g.ui.lv_box.shown()) click(g, "Button29");
      if (!g.s.in_battle && !g.ui.lv_box.visible) break;
      if (!click(g, "b1")) {
        to_map();
        return -1;
      }
      ++punches;
    }
    // Transcripts are not read here: keep the sink from growing.
    sink.str({});
    if (punches == kMaxPunches) {
      to_map();
      return -1;
    }
    return punches;
  }
};

}  // namespace z2::bench
