// Headless encounters per second: the monster room's click on a game loaded
// from the shipped content, and whole fights where the punch can end them.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

// The program folder: the one the build lays out, or ZANDO_BENCH_ROOT.
std::string game_root() {
  const char* r = std::getenv("ZANDO_BENCH_ROOT");
  return r ? r : ZANDO_GAME_DIR;
}

// A new game on the shipped content, standing on the map of floor 0.
struct Bench {
  std::ostringstream sink;
  HeadlessPlatform plat{sink};
  SeededRandom rng{1};
  Game g{plat, rng, game_root()};
  std::string why;

  Bench() {
    if (!fs::exists(game_root() + "/dat/enemy.dat")) {
      why = "no content in " + game_root() + "/dat (build with ZANDO_GENERATE=ON)";
      return;
    }
    if (!g.ui.s_battle.on_click) {
      why = "the monster room is not built yet";
      return;
    }
    startup(g);
    plat.queue_answer(true);
    click(g, "Button12");
    timer_fire(g, 1);
  }
  // Back on the map as the end of a fight leaves it.
  void to_map() {
    g.s.in_battle = false;
    g.s.host_mode = false;
    g.s.my_hp = g.s.my_hp_max;
    g.ui.battle_com.visible = false;
    g.ui.lv_box.visible = false;
    g.ui.list_box.visible = false;
    g.ui.map_box.visible = true;
    g.ui.menu_com.visible = true;
    sink.str({});
  }
};

void BM_MonsterRoomEncounter(benchmark::State& state) {
  Bench b;
  if (!b.why.empty()) {
    state.SkipWithError(b.why.c_str());
    return;
  }
  for (auto _ : state) {
    b.to_map();
    if (!click(b.g, "s_battle")) {
      state.SkipWithError("the monster room refused the click");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["virtual_ms"] = benchmark::Counter(static_cast<double>(b.plat.elapsed_ms) / state.iterations());
}
BENCHMARK(BM_MonsterRoomEncounter)->Unit(benchmark::kMicrosecond);

// A whole fight: the encounter, then punches until the fight is over.
void BM_MonsterRoomFight(benchmark::State& state) {
  Bench b;
  if (!b.why.empty()) {
    state.SkipWithError(b.why.c_str());
    return;
  }
  b.g.s.my_atk = 999;  // short fights: the benchmark measures turns, not balance
  long long punches = 0;
  for (auto _ : state) {
    b.to_map();
    click(b.g, "s_battle");
    int n = 0;
    while (b.g.s.in_battle && n < 200 && click(b.g, "b1")) ++n;
    if (b.g.s.in_battle) {
      state.SkipWithError("a fight does not end by punching yet");
      return;
    }
    punches += n;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["punches"] = benchmark::Counter(static_cast<double>(punches) / state.iterations());
}
BENCHMARK(BM_MonsterRoomFight)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
