// The status refresh runs twenty times a second; this measures one call on a
// well-stocked player. Uses the real content when the program folder has it,
// otherwise tables made up here.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <sstream>

#include "data/tables.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/status.h"
#include "state/random.h"
#include "state/ids.h"
#include "bench_game.h"

// Heap allocations made by the program, to report them per refresh.
std::atomic<long> g_allocs{0};

void* operator new(size_t n) {
  ++g_allocs;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

using namespace z2;

void synthetic_tables(Tables& t) {
  for (size_t i = 0; i < t.item_table.size(); ++i) {
    auto& it = t.item_table[i];
    it.it_name = "アイテム" + std::to_string(i);
    it.it_kind = i % 5 == 0 ? 400 + static_cast<int>(i % 100) : static_cast<int>(i % 50);
    it.it_rare = static_cast<int>(i % 4);
  }
  for (size_t i = 0; i < t.gomi_table.size(); ++i) t.gomi_table[i].gm_name = "ゴミ" + std::to_string(i);
  for (size_t i = 0; i < t.job_table.size(); ++i) t.job_table[i].jb_name = "クラス" + std::to_string(i);
  for (size_t i = 0; i < t.map_names.size(); ++i) t.map_names[i] = "フロア" + std::to_string(i);
  for (size_t i = 0; i < t.ex_names.size(); ++i) t.ex_names[i] = i == 0 ? "なし" : "効果" + std::to_string(i);
}

// A player late in the game, owning little of the early ids so the scans of
// the menu buttons run long.
void rich_state(GameState& s) {
  new_game_values(s);
  s.my_name = "アレクサンドロス";
  s.my_lv = 456;
  s.my_exp = 42;
  s.my_hp = 3000;
  s.my_hp_max = 9999;
  s.my_mp = 400;
  s.my_mp_max = 999;
  s.my_atk = 1234;
  s.my_body = 987;
  s.my_int = 555;
  s.my_beast = 321;
  s.my_state = 6;
  s.can_magic = false;
  s.cent = 123456789;
  s.ark = 80;
  s.wild = 777;
  s.combo = 42;
  s.buki_name = "伝説の大剣エクスカリバー";
  s.buki_pow = 999;
  s.buki_ex = 7;
  s.bougu_name = "天空の鎧";
  s.bougu_pow = 888;
  s.class_now = cls::kBully;
  s.class_exp[12] = 33;
  s.play_time = 4321;
  s.score = 987654321;
  s.floor = 16;
  for (int i = 0; i < 17; ++i) s.floor_clear[static_cast<size_t>(i)] = 100;
  s.floor_clear[fc::kZando] = 55;
  s.floor_clear[fc::kBattles] = 123456;
  s.item_have[480] = 3;  // one ordinary item near the end
  s.monster_have[490] = 1;
  s.gomi_have[495] = 2;
  s.md_have[99] = 1;
  s.e_name = "古代竜バハムート";
  s.e_lv = 350;
  s.e_hp = 45000;
  s.e_hp_max = 60000;
  s.e_item = 1042;
  s.e_zoku = 3;
  s.e_state = 2;
}

void BM_StatusRefresh(benchmark::State& state) {
  std::ostringstream out;
  HeadlessPlatform plat(out);
  ScriptedRandom rng;
  auto g = std::make_unique<Game>(plat, rng, bench::game_root());
  bind_handlers(*g);
  bool real = false;
  if (std::filesystem::exists(g->dat_dir() + "item.dat")) {
    try {
      load_tables(g->t, g->dat_dir());
      real = true;
    } catch (const std::exception&) {
    }
  }
  if (!real) synthetic_tables(g->t);
  rich_state(g->s);
  g->ui.start_box.visible = false;
  g->ui.map_box.visible = true;
  status_refresh(*g);  // the label buffers reach their size once
  const long allocs_before = g_allocs.load();
  for (auto _ : state) {
    status_refresh(*g);
    benchmark::DoNotOptimize(g->ui.my_l.text.data());
    benchmark::ClobberMemory();
  }
  state.counters["allocs_per_call"] =
      benchmark::Counter(static_cast<double>(g_allocs.load() - allocs_before) / static_cast<double>(state.iterations()));
  state.SetLabel(real ? "real content" : "synthetic tables");
}
BENCHMARK(BM_StatusRefresh)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
