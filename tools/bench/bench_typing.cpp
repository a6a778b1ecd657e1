// One typing step in the real window: set the message line, mirror it onto
// the map's line, repaint. Typing does this every 10 ms, so it must stay far
// below that. Runs offscreen unless a display is chosen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/cp932.h"
#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "state/random.h"
#include "bench_game.h"

namespace {

struct Window {
  Window() : plat(w), g(plat, rng, QDir::tempPath().toStdString() + "/zando2_bench_none/") {
    bind_handlers(g);
    w.attach(g);
    // The map screen: both message lines are on show.
    g.ui.start_box.visible = false;
    g.ui.map_box.visible = true;
    w.show();
    // Let the window be exposed, or repaints would not paint.
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    w.sync();
    w.repaint();
    w.widget_of("moji_l2")->installEventFilter(&line_paints);
    qApp->installEventFilter(&all_paints);
  }
  ~Window() { qApp->removeEventFilter(&all_paints); }
  // Paint events of the map's message line, and of every widget.
  struct PaintCounter : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++n;
      return false;
    }
  } line_paints, all_paints;
  z2::MainWindow w;
  z2::QtPlatform plat;
  z2::SeededRandom rng{1};
  z2::Game g;
};

void BM_TypingStep(benchmark::State& state) {
  Window win;
  // The steps of a typical message, as typing shows them.
  const std::string sj = z2::utf8_to_cp932("モンスターが出現!!　ＨＰ１２３のダメージを与えた");
  std::vector<std::string> steps;
  for (size_t i = 1; i <= sj.size(); ++i) steps.push_back(z2::cp932_bytes_prefix(sj, 2 * i));
  size_t i = 0;
  for (auto _ : state) {
    win.g.ui.moji_l.text = steps[i];
    win.g.ui.moji_l2.text = steps[i];
    i = (i + 1) % steps.size();
    win.plat.repaint();
  }
  // Each step should paint the changed lines, not the whole window.
  state.counters["line_paints"] = benchmark::Counter(win.line_paints.n, benchmark::Counter::kAvgIterations);
  state.counters["widget_paints"] = benchmark::Counter(win.all_paints.n, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TypingStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A whole message: "あいう" typed and shown, without the sleeps.
class NoSleepPlatform : public z2::QtPlatform {
 public:
  using z2::QtPlatform::QtPlatform;
  void pause(int) override {}
};

void BM_MessagePut(benchmark::State& state) {
  z2::MainWindow w;
  NoSleepPlatform plat(w);
  z2::SeededRandom rng{1};
  z2::Game g(plat, rng, QDir::tempPath().toStdString() + "/zando2_bench_none/");
  z2::bind_handlers(g);
  w.attach(g);
  g.ui.start_box.visible = false;
  g.ui.map_box.visible = true;
  w.show();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  w.sync();
  for (auto _ : state) z2::msg_put(g, "モンスターが出現!!");
}
BENCHMARK(BM_MessagePut)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return z2::bench::run_benchmarks<QApplication>(argc, argv); }
