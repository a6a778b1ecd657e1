// Headless fights per second on the shipped content: the monster room's
// encounter alone, and whole fights from a new game state to the outcome.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "bench_game.h"

using namespace z2;

namespace {

void BM_MonsterRoomEncounter(benchmark::State& state) {
  bench::HeadlessGame b;
  if (!b.why.empty()) {
    state.SkipWithError(b.why.c_str());
    return;
  }
  for (auto _ : state) {
    b.to_map();
    b.sink.str({});
    if (!click(b.g, "s_battle")) {
      state.SkipWithError("the monster room refused the click");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["virtual_ms"] = benchmark::Counter(static_cast<double>(b.plat.elapsed_ms) / state.iterations());
}
BENCHMARK(BM_MonsterRoomEncounter)->Unit(benchmark::kMicrosecond);

// A whole seeded fight: the new-game values, the monster room, punches until
// one side falls, the outcome (spoils, offers answered yes, the way back to
// the map, a level-up's choice).
void BM_WholeFight(benchmark::State& state) {
  bench::HeadlessGame b;
  if (!b.why.empty()) {
    state.SkipWithError(b.why.c_str());
    return;
  }
  long long punches = 0, won = 0;
  for (auto _ : state) {
    new_game(b.g);
    const int n = b.fight();
    if (n < 0) {
      state.SkipWithError("a fight did not end by punching");
      return;
    }
    punches += n;
    won += b.g.s.my_hp > 0 ? 1 : 0;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["punches"] = benchmark::Counter(static_cast<double>(punches) / state.iterations());
  state.counters["won"] = benchmark::Counter(static_cast<double>(won) / state.iterations());
}
BENCHMARK(BM_WholeFight)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return z2::bench::run_benchmarks<QGuiApplication>(argc, argv); }
