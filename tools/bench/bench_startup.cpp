// Start-up to the title screen: the whole headless program as a process
// (exec, Qt, start-up, end of input), and the window face in process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "platform/qt/window.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"
#include "bench_game.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

// zando2 beside the benchmarks in the build tree, unless ZANDO2 names another.
std::string zando2_path() {
  if (const char* p = std::getenv("ZANDO2")) return p;
  std::error_code ec;
  const fs::path self = fs::canonical("/proc/self/exe", ec);
  return (self.parent_path().parent_path().parent_path() / "app" / "zando2").string();
}

// Runs zando2 --headless with no input: it starts, shows the title and ends.
void BM_HeadlessProcessToTitle(benchmark::State& state) {
  const std::string exe = zando2_path();
  if (!fs::exists(exe)) {
    state.SkipWithError(("no program at " + exe).c_str());
    return;
  }
  const std::string root = z2::bench::game_root();
  const char* argv[] = {exe.c_str(), "--headless", "--seed", "1", "--root", root.c_str(), nullptr};
  posix_spawn_file_actions_t io;
  posix_spawn_file_actions_init(&io);
  posix_spawn_file_actions_addopen(&io, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&io, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&io, 2, "/dev/null", O_WRONLY, 0);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, exe.c_str(), &io, nullptr, const_cast<char**>(argv), environ) != 0) {
      state.SkipWithError("spawn failed");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const auto t1 = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("zando2 failed");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  posix_spawn_file_actions_destroy(&io);
}
BENCHMARK(BM_HeadlessProcessToTitle)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The real program with its window (offscreen), from the spawn until the
// window's first paint is done: the program says so on a pipe
// (ZANDO_FIRST_PAINT_FD) and ends. Also reports the program's peak resident
// memory and its processor time, which by then include the sound device
// opened beside the paint.
void BM_WindowProcessToFirstPaint(benchmark::State& state) {
  const std::string exe = zando2_path();
  const std::string root = z2::bench::game_root();
  if (!fs::exists(exe)) {
    state.SkipWithError(("no program at " + exe).c_str());
    return;
  }
  if (!fs::exists(root + "/cg/my.bmp")) {
    state.SkipWithError(("no pictures in " + root + "/cg (build with ZANDO_GENERATE=ON)").c_str());
    return;
  }
  const char* argv[] = {exe.c_str(), "--root", root.c_str(), nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("ZANDO_FIRST_PAINT_FD", "3", 1);
  double rss_kb = 0, cpu_s = 0;
  for (auto _ : state) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
      state.SkipWithError("no pipe");
      break;
    }
    posix_spawn_file_actions_t io;
    posix_spawn_file_actions_init(&io);
    posix_spawn_file_actions_addopen(&io, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&io, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&io, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&io, fds[1], 3);
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, exe.c_str(), &io, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&io);
    close(fds[1]);
    if (spawned != 0) {
      close(fds[0]);
      state.SkipWithError("spawn failed");
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    char line[16] = {};
    const bool painted = poll(&p, 1, 20000) == 1 && read(fds[0], line, sizeof line) > 0;
    const auto t1 = std::chrono::steady_clock::now();
    close(fds[0]);
    if (!painted) kill(pid, SIGKILL);
    int status = 0;
    rusage ru{};
    wait4(pid, &status, 0, &ru);
    if (!painted || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("zando2 did not paint its title and end");
      break;
    }
    rss_kb += static_cast<double>(ru.ru_maxrss);
    cpu_s += static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
             static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  unsetenv("ZANDO_FIRST_PAINT_FD");
  state.counters["peak_rss_mb"] = benchmark::Counter(rss_kb / 1024.0, benchmark::Counter::kAvgIterations);
  // The program's processor time, all threads, to its end: on a busy machine
  // the wall time above includes waiting for a processor.
  state.counters["cpu_ms"] = benchmark::Counter(cpu_s * 1000.0, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WindowProcessToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The window face inside this process: window, widgets, start-up, first paint.
void BM_WindowToTitle(benchmark::State& state) {
  // Without the player's picture the start-up opens an error box and waits for it.
  const std::string root = z2::bench::game_root();
  if (!fs::exists(root + "/cg/my.bmp")) {
    state.SkipWithError(("no pictures in " + root + "/cg (build with ZANDO_GENERATE=ON)").c_str());
    return;
  }
  for (auto _ : state) {
    z2::MainWindow w;
    z2::QtPlatform platform(w);
    z2::SeededRandom rng(1);
    z2::Game g(platform, rng, root);
    z2::bind_handlers(g);
    w.attach(g);
    z2::startup(g);
    w.sync();
    w.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(w.grab().width());
    g.closed = true;
  }
}
BENCHMARK(BM_WindowToTitle)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return z2::bench::run_benchmarks<QApplication>(argc, argv); }
