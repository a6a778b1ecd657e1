// zando2-autoplay: plays the game by machine, without a window or pauses.
//   zando2-autoplay [--policy careful|newcomer] [--root DIR] [--seed N] [--floors N] [--runs K] [--jobs N]
//                   [--report FILE] [--plot FILE.png]
//   zando2-autoplay --chaos [--steps N] [--seed N] [--root DIR]
// The policy run exits 0 when every run won every floor asked for, 1 when
// some did not (the report says which and why), 2 for a bad command line.
#include <QGuiApplication>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
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
  int jobs = 1;
  z2::autoplay::Policy policy = z2::autoplay::Policy::Careful;
  long long steps = 1000;
  std::string report;
  std::string plot;
  bool log = false;
  std::string transcript;
};

int usage(const std::string& why) {
  std::cerr << "zando2-autoplay: " << why << "\n"
            << "usage: zando2-autoplay [--policy careful|newcomer] [--root DIR] [--seed N] [--floors N] [--runs K]\n"
            << "                       [--jobs N] [--report FILE] [--plot FILE.png] [--log] [--transcript FILE]\n"
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

void progress(const z2::autoplay::RunResult& r) {
  std::ostringstream line;
  line << "seed " << r.seed << ": " << (r.finished ? "won" : "NOT won") << ", " << r.hours << " h\n";
  std::cerr << line.str() << std::flush;
}

// Plays runs first..first+runs-1 on `jobs` worker processes. Each worker has
// its own copy of the program folder and its own application and games; it
// takes the next run from a shared queue (a pipe of run numbers) and leaves
// each result in a file of its own. The results come back in seed order, so
// the report is the same as one process would write. False, with the reason
// on standard error, when a worker could not be started or failed.
bool play_on_workers(const z2::autoplay::RunOptions& run, uint32_t first, int runs, int jobs, int argc, char** argv,
                     std::vector<z2::autoplay::RunResult>& results) {
  namespace ap = z2::autoplay;
  namespace fs = std::filesystem;
  std::error_code ec;
  std::string base_name = (fs::temp_directory_path(ec) / "zando2-autoplay-XXXXXX").string();
  if (ec || !mkdtemp(base_name.data())) {
    std::cerr << "zando2-autoplay: cannot make a work folder: " << std::strerror(errno) << "\n";
    return false;
  }
  const fs::path base = base_name;
  struct Cleanup {
    fs::path p;
    ~Cleanup() {
      std::error_code e;
      fs::remove_all(p, e);
    }
  } cleanup{base};
  jobs = std::min(jobs, runs);
  for (int w = 0; w < jobs; ++w) {
    // The worker's own program folder: everything copied but the pictures,
    // which the game only reads: a link to them where the system allows.
    const fs::path mine = base / ("root" + std::to_string(w));
    fs::create_directory(mine, ec);
    for (fs::directory_iterator it(run.root, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path to = mine / it->path().filename();
      if (it->path().filename() == "cg") {
        fs::create_directory_symlink(fs::absolute(it->path(), ec), to, ec);
        if (!ec) continue;
      }
      fs::copy(it->path(), to, fs::copy_options::recursive, ec);
    }
    if (ec) {
      std::cerr << "zando2-autoplay: cannot copy " << run.root << " for a worker: " << ec.message() << "\n";
      return false;
    }
  }
  const auto result_file = [&](int k) { return base / ("run" + std::to_string(k)); };
  int queue[2];
  if (pipe(queue) != 0) {
    std::cerr << "zando2-autoplay: cannot make a pipe: " << std::strerror(errno) << "\n";
    return false;
  }
  std::cout.flush();
  std::cerr.flush();
  std::vector<pid_t> workers;
  for (int w = 0; w < jobs; ++w) {
    const pid_t pid = fork();
    if (pid < 0) {
      std::cerr << "zando2-autoplay: cannot start a worker: " << std::strerror(errno) << "\n";
      break;
    }
    if (pid == 0) {
      close(queue[1]);
      QGuiApplication app(argc, argv);
      ap::RunOptions mine = run;
      mine.root = (base / ("root" + std::to_string(w))).string();
      int k = 0;
      // A pipe hands each whole run number to one reader.
      while (read(queue[0], &k, sizeof k) == static_cast<ssize_t>(sizeof k)) {
        const ap::RunResult r = ap::play_run(mine, first + static_cast<uint32_t>(k));
        std::ofstream f(result_file(k), std::ios::binary);
        f << ap::encode_run(r);
        f.close();
        if (!f) _exit(3);
        progress(r);
      }
      std::cerr.flush();
      _exit(0);
    }
    workers.push_back(pid);
  }
  close(queue[0]);
  // Workers that died early close the queue: a write then fails instead of killing this process.
  std::signal(SIGPIPE, SIG_IGN);
  bool ok = static_cast<int>(workers.size()) == jobs;
  for (int k = 0; ok && k < runs; ++k)
    if (write(queue[1], &k, sizeof k) != static_cast<ssize_t>(sizeof k)) ok = false;
  close(queue[1]);
  for (pid_t pid : workers) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::cerr << "zando2-autoplay: a worker failed (status " << status << ")\n";
      ok = false;
    }
  }
  if (!ok) return false;
  for (int k = 0; k < runs; ++k) {
    std::ifstream f(result_file(k), std::ios::binary);
    std::stringstream text;
    text << f.rdbuf();
    ap::RunResult r;
    if (!f || !ap::decode_run(text.str(), r)) {
      std::cerr << "zando2-autoplay: the result of run " << k + 1 << " was lost\n";
      return false;
    }
    results.push_back(r);
  }
  return true;
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
    } else if (a == "--jobs") {
      if (!value() || !parse_number(v, 1, 64, n)) return usage("--jobs needs a count 1..64");
      o.jobs = static_cast<int>(n);
    } else if (a == "--policy") {
      if (!value() || (v != "careful" && v != "newcomer")) return usage("--policy needs careful or newcomer");
      o.policy = v == "newcomer" ? z2::autoplay::Policy::Newcomer : z2::autoplay::Policy::Careful;
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
  if (o.jobs > 1 && (o.log || !o.transcript.empty() || o.chaos))
    return usage("--jobs plays several runs at once: not with --log, --transcript or --chaos");

  namespace ap = z2::autoplay;
  ap::RunOptions run;
  run.root = o.root;
  run.floors = o.floors;
  run.policy = o.policy;
  std::vector<ap::RunResult> results;
  if (o.jobs > 1 && o.runs > 1) {
    // The workers start before this process makes its own application.
    if (!play_on_workers(run, o.seed, o.runs, o.jobs, argc, argv, results)) return 2;
  }
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
  if (o.log) run.log = &std::cerr;
  std::ofstream transcript;
  if (!o.transcript.empty()) {
    transcript.open(o.transcript, std::ios::binary);
    if (!transcript) return usage("cannot write the transcript " + o.transcript);
    run.transcript = &transcript;
  }
  const int last = o.floors >= z2::kTopFloor ? ap::kGauntlet : o.floors;
  if (results.empty()) {
    for (int k = 0; k < o.runs; ++k) {
      results.push_back(ap::play_run(run, o.seed + static_cast<uint32_t>(k)));
      progress(results.back());
    }
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
