// zando2-autoplay: plays the game by machine, without a window or pauses.
//   zando2-autoplay [--root DIR] [--seed N] [--floors N] [--runs K] [--report FILE] [--plot FILE.png]
//   zando2-autoplay --chaos [--steps N] [--seed N] [--root DIR]
// The policy run exits 0 when every run won every floor asked for, 1 when
// some did not (the report says which and why), 2 for a bad command line.
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "chaos.h"
#include "player.h"
#include "report.h"

namespace {

struct Options {
  bool chaos = false;
  std::string root;
  uint32_t seed = 1;
  int floors = 0;
  int runs = 1;
  long long steps = 1000;
  std::string report;
  std::string plot;
  bool log = false;
  std::string transcript;
};

int usage(const std::string& why) {
  std::cerr << "zando2-autoplay: " << why << "\n"
            << "usage: zando2-autoplay [--root DIR] [--seed N] [--floors N] [--runs K] [--report FILE] [--plot FILE.png] [--log] [--transcript FILE]\n"
            << "       zando2-autoplay --chaos [--steps N] [--seed N] [--root DIR]\n";
  return 2;
}

bool parse_number(const std::string& text, long long lo, long long hi, long long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long n = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || n < lo || n > hi) return false;
  out = n;
  return true;
}

// The program folder: beside the tool when it holds dat/, else the folder the build laid out.
std::string default_root() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path exe = fs::canonical("/proc/self/exe", ec);
  if (!ec && fs::is_directory(exe.parent_path() / "dat")) return exe.parent_path().string();
  return ZANDO_GAME_DIR;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    std::string v;
    auto value = [&] {
      if (i + 1 >= argc) return false;
      v = argv[++i];
      return true;
    };
    long long n = 0;
    if (a == "--chaos") {
      o.chaos = true;
    } else if (a == "--root") {
      if (!value() || v.empty()) return usage("--root needs a folder");
      o.root = v;
    } else if (a == "--seed") {
      if (!value() || !parse_number(v, 0, 4294967295LL, n)) return usage("--seed needs a number 0..4294967295");
      o.seed = static_cast<uint32_t>(n);
    } else if (a == "--floors") {
      if (!value() || !parse_number(v, 0, 24, n)) return usage("--floors needs a floor 0..24");
      o.floors = static_cast<int>(n);
    } else if (a == "--runs") {
      if (!value() || !parse_number(v, 1, 100000, n)) return usage("--runs needs a count 1..100000");
      o.runs = static_cast<int>(n);
    } else if (a == "--steps") {
      if (!value() || !parse_number(v, 0, 1000000000LL, n)) return usage("--steps needs a count");
      o.steps = n;
    } else if (a == "--transcript") {
      if (!value() || v.empty()) return usage("--transcript needs a file");
      o.transcript = v;
    } else if (a == "--log") {
      o.log = true;
    } else if (a == "--report") {
      if (!value() || v.empty()) return usage("--report needs a file");
      o.report = v;
    } else if (a == "--plot") {
      if (!value() || v.empty()) return usage("--plot needs a file");
      o.plot = v;
    } else {
      return usage("unknown option " + a);
    }
  }
  if (o.root.empty()) o.root = default_root();
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);

  if (o.chaos) {
#if ZANDO_HAVE_CHAOS
    z2::autoplay::ChaosOptions c;
    c.root = o.root;
    c.seed = o.seed;
    c.steps = o.steps;
    return z2::autoplay::run_chaos(c);
#else
    std::cerr << "zando2-autoplay: this build has no chaos run\n";
    return 2;
#endif
  }
  namespace ap = z2::autoplay;
  ap::RunOptions run;
  run.root = o.root;
  run.floors = o.floors;
  if (o.log) run.log = &std::cerr;
  std::ofstream transcript;
  if (!o.transcript.empty()) {
    transcript.open(o.transcript, std::ios::binary);
    if (!transcript) return usage("cannot write the transcript " + o.transcript);
    run.transcript = &transcript;
  }
  const int last = o.floors >= z2::kTopFloor ? ap::kGauntlet : o.floors;
  std::vector<ap::RunResult> results;
  for (int k = 0; k < o.runs; ++k) {
    const uint32_t seed = o.seed + static_cast<uint32_t>(k);
    results.push_back(ap::play_run(run, seed));
    const ap::RunResult& r = results.back();
    std::cerr << "seed " << seed << ": " << (r.finished ? "won" : "NOT won") << ", " << r.hours << " h\n";
  }
  const std::string md = ap::markdown_report(results, run, o.seed, last);
  std::cout << md;
  if (!o.report.empty()) {
    std::ofstream f(o.report, std::ios::binary);
    f << md;
    if (!f) {
      std::cerr << "zando2-autoplay: cannot write the report " << o.report << "\n";
      return 2;
    }
  }
  if (!o.plot.empty() && !ap::write_plot(ap::summarize(results, last), o.plot)) {
    std::cerr << "zando2-autoplay: cannot write the plot " << o.plot << "\n";
    return 2;
  }
  for (const ap::RunResult& r : results)
    if (!r.finished) return 1;
  return 0;
}
