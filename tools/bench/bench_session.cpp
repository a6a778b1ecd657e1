// Memory of a long headless session: one new game, then fight after fight in
// the monster room (with the status refresh and the clock ticking between
// them), on the shipped content. Reports the
// resident memory after the first hundred fights and at the end, and the
// peak: a session must not grow with its length.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_game.h"

using namespace z2;

namespace {

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double status_mb(const char* field) {
  std::ifstream in("/proc/self/status");
  const std::string key = std::string(field) + ":";
  for (std::string line; std::getline(in, line);)
    if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + key.size()) / 1024.0;
  return 0;
}

void BM_LongSession(benchmark::State& state) {
  const int fights = static_cast<int>(state.range(0));
  for (auto _ : state) {
    bench::HeadlessGame b;
    if (!b.why.empty()) {
      state.SkipWithError(b.why.c_str());
      return;
    }
    double after_100 = 0;
    long long failed = 0;
    for (int i = 1; i <= fights; ++i) {
      if (b.fight() < 0) ++failed;
      timer_fire(b.g, 1);
      if (i % 50 == 0) timer_fire(b.g, 2);
      if (i == 100) after_100 = status_mb("VmRSS");
    }
    state.counters["rss_after_100_mb"] = after_100;
    state.counters["rss_end_mb"] = status_mb("VmRSS");
    state.counters["growth_mb"] = status_mb("VmRSS") - after_100;
    state.counters["peak_mb"] = status_mb("VmHWM");
    state.counters["fights_cut_short"] = static_cast<double>(failed);
    state.counters["level"] = b.g.s.my_lv;
  }
}
BENCHMARK(BM_LongSession)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) { return z2::bench::run_benchmarks<QGuiApplication>(argc, argv); }
