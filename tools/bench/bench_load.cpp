// Loading the shipped content: every master file (what NEW GAME and
// COUNTINUE read), the save file, and one boss file.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "data/save.h"
#include "data/tables.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "bench_game.h"

namespace fs = std::filesystem;
using namespace z2;

namespace {

const std::string kRoot = bench::game_root() + "/";

bool have_content(benchmark::State& state) {
  if (fs::exists(kRoot + "dat/enemy.dat")) return true;
  state.SkipWithError(("no content in " + kRoot + "dat (build with ZANDO_GENERATE=ON)").c_str());
  return false;
}

void BM_LoadTables(benchmark::State& state) {
  if (!have_content(state)) return;
  Tables t;
  for (auto _ : state) {
    load_tables(t, kRoot + "dat/");
    benchmark::DoNotOptimize(t.item_table[0].it_name.data());
  }
}
BENCHMARK(BM_LoadTables)->Unit(benchmark::kMillisecond);

// The same files as NEW GAME and COUNTINUE read them: unchanged since the last
// read, they are not parsed again.
void BM_ReadTables(benchmark::State& state) {
  if (!have_content(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(read_tables(kRoot + "dat/")->item_table[0].it_name.data());
}
BENCHMARK(BM_ReadTables)->Unit(benchmark::kMillisecond);

// load_all as COUNTINUE runs it: the save file, then every master file.
void BM_LoadAll(benchmark::State& state) {
  if (!have_content(state)) return;
  std::ostringstream sink;
  HeadlessPlatform plat(sink);
  SeededRandom rng(1);
  // A copy of the program folder with a full save in it.
  const fs::path root = fs::temp_directory_path() / "zando-bench-load";
  fs::remove_all(root);
  fs::create_directories(root / "dat");
  for (const auto& e : fs::directory_iterator(kRoot + "dat"))
    if (e.path().extension() == ".dat") fs::copy_file(e.path(), root / "dat" / e.path().filename());
  Game g(plat, rng, root.string());
  bind_handlers(g);
  new_game(g);
  std::ofstream(root / "dat" / "z.wav", std::ios::binary) << save_bytes(g.s);
  // As a player's folder is: written more than two seconds ago, so the
  // master files are parsed once and then kept.
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  for (auto _ : state) {
    load_all(g);
    benchmark::DoNotOptimize(g.s.my_lv);
  }
  fs::remove_all(root);
}
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMillisecond);

void BM_LoadSave(benchmark::State& state) {
  GameState s;
  new_game_values(s);
  const fs::path file = fs::temp_directory_path() / "zando-bench-save.wav";
  std::ofstream(file, std::ios::binary) << save_bytes(s);
  for (auto _ : state) {
    load_save(s, file.string());
    benchmark::DoNotOptimize(s.my_lv);
  }
  fs::remove(file);
}
BENCHMARK(BM_LoadSave)->Unit(benchmark::kMicrosecond);

void BM_LoadBoss(benchmark::State& state) {
  if (!have_content(state)) return;
  GameState s;
  for (auto _ : state) {
    load_boss(s, kRoot + "dat/", 0);
    benchmark::DoNotOptimize(s.boss_lv);
  }
}
BENCHMARK(BM_LoadBoss)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
