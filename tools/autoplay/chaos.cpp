// The chaos run: plays the game through the same calls as the headless
// driver, one random action a step, and stops at the first step after which
// the game no longer holds together. Every action is written as a line of a
// headless script, so the run so far replays with
//   zando2 --headless --seed S --debug-panel --script FILE
#include "chaos.h"

#include <stdlib.h>
#include <cstdlib>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include "chaos_checks.h"
#include "chaos_names.h"
#include "data/save.h"
#include "platform/headless/headless.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/text_entry.h"
#include "shell/title.h"

namespace z2::autoplay {

namespace {

namespace fs = std::filesystem;

// Thrown out of the game's own calls when a step passes one of its bounds:
// not a std::exception, so no handler of the game catches it.
struct StepBound {
  std::string why;
};

class ChaosPlatform : public HeadlessPlatform {
 public:
  ChaosPlatform(std::ostream& out, const ChaosOptions& o) : HeadlessPlatform(out, true), o_(o) {}

  void repaint() override {
    HeadlessPlatform::repaint();
    if (++step_repaints > o_.max_pauses)
      throw StepBound{"more than " + std::to_string(o_.max_pauses) + " repaints in one step"};
  }
  void pause(int ms) override {
    HeadlessPlatform::pause(ms);
    step_ms += ms > 0 ? ms : 0;
    if (++step_pauses > o_.max_pauses)
      throw StepBound{"more than " + std::to_string(o_.max_pauses) + " pauses in one step"};
    if (step_ms > o_.max_virtual_ms)
      throw StepBound{"more than " + std::to_string(o_.max_virtual_ms) + " ms of virtual time in one step"};
  }
  bool ask(const std::string& text) override {
    box();
    return HeadlessPlatform::ask(text);
  }
  void notice(const std::string& text) override {
    box();
    HeadlessPlatform::notice(text);
  }
  void error(const std::string& text) override {
    box();
    HeadlessPlatform::error(text);
  }

  void begin_step() {
    step_pauses = step_repaints = step_ms = step_boxes = 0;
  }

  long long step_pauses = 0, step_repaints = 0, step_ms = 0, step_boxes = 0;

 private:
  const ChaosOptions& o_;

  void box() {
    if (++step_boxes > o_.max_boxes)
      throw StepBound{"more than " + std::to_string(o_.max_boxes) + " message boxes in one step"};
  }
};

// The loader of the save check: no window, no transcript.
class QuietPlatform : public Platform {
 public:
  void repaint() override {}
  void pause(int) override {}
  bool ask(const std::string&) override { return true; }
  void notice(const std::string&) override {}
  void error(const std::string&) override {}
  void sound_play(const std::string&) override {}
  void music_play(const std::string&) override {}
  void music_stop() override {}
};

enum class Act { Click, Press, Select, Answer, Type, Slide, Tick };

struct Action {
  Act kind = Act::Click;
  std::string name;  // control or timer
  int n = 0;         // row, slider position, tick count
  bool yes = false;
  std::string text;

  std::string line() const {
    switch (kind) {
      case Act::Click: return "click " + name;
      case Act::Press: return "press " + name;
      case Act::Select: return "select# " + std::to_string(n);
      case Act::Answer: return yes ? "answer yes" : "answer no";
      case Act::Type: return "type " + text;
      case Act::Slide: return "slide " + std::to_string(n);
      case Act::Tick: return "tick " + name + " " + std::to_string(n);
    }
    return {};
  }
};

bool inside(const Control* c, const Control& panel) {
  for (; c; c = c->parent)
    if (c == &panel) return true;
  return false;
}

// The developer panel's buttons that set values by hand rather than run one
// of the game's operations.
bool sets_by_hand(const std::string& name) {
  static const char* const kByHand[] = {"Button18", "Button19", "Button21", "Button22", "Button24", "Button25",
                                        "Button26", "Button32", "Button33", "Button34", "Button38", "Button39",
                                        "Button40", "Button43", "Button47", "Button48", "Button49", "Button50",
                                        "Button52", "Button53", "Button54", "Button55"};
  for (const char* n : kByHand)
    if (name == n) return true;
  return false;
}

// What the player may act on now, as the window would allow it.
struct Offer {
  std::vector<const Control*> clicks;  // outside the developer panel
  std::vector<const Control*> presses;
  std::vector<const Control*> debug;
  bool list = false;
  bool name_field = false;
  bool slider = false;
};

Offer offer(Game& g) {
  Offer o;
  for (const Control* c : g.ui.all()) {
    if (!c->usable()) continue;
    if (c->on_press) o.presses.push_back(c);
    if (!c->on_click || c == &g.ui.list_l) continue;
    if (inside(c, g.ui.debug_box)) {
      // "セーブせず終了" ends the program: the run would end with it.
      if (c != &g.ui.Button20) o.debug.push_back(c);
    } else {
      o.clicks.push_back(c);
    }
  }
  o.list = g.ui.list_l.usable() && !g.ui.list_l.rows.empty();
  o.name_field = g.ui.name_l.usable();
  o.slider = g.ui.sp_l.usable();
  return o;
}

class Run {
 public:
  Run(const ChaosOptions& o, std::string root, std::string source_root)
      : o_(o), root_(std::move(root)), source_root_(std::move(source_root)), pick_(o.seed ^ 0x9e3779b97f4a7c15ULL),
        plat_(transcript_, o), rng_(o.seed), g_(plat_, rng_, root_) { bind_handlers(g_); }

  int play();
  uint32_t seed() const { return o_.seed; }

  // The watchdog's view: the step under way and the report it would print.
  std::atomic<long long> step_no{0};
  std::atomic<long long> step_started_ms{0};
  std::mutex script_mutex;
  std::string failure_report(long long step, const std::vector<std::string>& why);
  // The run so far as a replay script; the caller holds script_mutex.
  void print_script(long long step, const std::vector<std::string>& why);

 private:
  const ChaosOptions& o_;
  std::string root_, source_root_;
  std::mt19937_64 pick_;
  std::ostringstream transcript_;
  std::string last_transcript_;
  ChaosPlatform plat_;
  SeededRandom rng_;
  Game g_;
  std::vector<std::string> script_;  // guarded by script_mutex while the watchdog runs
  long long saves_checked_ = 0;
  long long worst_pauses_ = 0, worst_ms_ = 0, worst_boxes_ = 0;

  int below(int n) { return n <= 0 ? 0 : static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(pick_)); }
  bool chance(int percent) { return below(100) < percent; }
  const Control* any(const std::vector<const Control*>& v) { return v[static_cast<size_t>(below(static_cast<int>(v.size())))]; }

  std::vector<Action> next_step();
  void apply(const Action& a);
  void record(long long step, const std::vector<Action>& acts);
  std::vector<std::string> check_save();
  int fail(long long step, const std::vector<std::string>& why);
};

std::vector<Action> Run::next_step() {
  const Offer o = offer(g_);
  std::vector<Action> acts;
  auto click = [&](const Control* c) {
    // Queued answers wait for the next box, as the driver's do.
    while (chance(30)) acts.push_back({Act::Answer, {}, 0, chance(50), {}});
    acts.push_back({Act::Click, c->name, 0, false, {}});
  };
  // Each kind of action has its share; one that is not offered now falls to a click.
  const int r = below(100);
  if (r < 12 && o.list) {
    const int rows = static_cast<int>(g_.ui.list_l.rows.size());
    acts.push_back({Act::Select, {}, below(rows), false, {}});
  } else if (r >= 12 && r < 17 && o.name_field) {
    acts.push_back({Act::Type, {}, 0, false, random_name(pick_)});
  } else if (r >= 17 && r < 19 && o.slider) {
    acts.push_back({Act::Slide, {}, below(16) - 3, false, {}});
  } else if (r >= 19 && r < 26) {
    const int t = below(10);
    if (t < 3) {
      acts.push_back({Act::Tick, "Timer1", 1 + below(3), false, {}});
    } else if (t < 8) {
      acts.push_back({Act::Tick, "Timer2", 1 + below(120), false, {}});
    } else {
      acts.push_back({Act::Tick, "Timer3", 1 + below(30), false, {}});
    }
  } else if (r >= 26 && r < 29 && !o.presses.empty()) {
    acts.push_back({Act::Press, any(o.presses)->name, 0, false, {}});
  } else if (r >= 29 && r < 35 && !o.debug.empty()) {
    click(any(o.debug));
  } else if (r >= 35 && r < 38) {
    acts.push_back({Act::Answer, {}, 0, chance(50), {}});
  } else if (!o.clicks.empty()) {
    click(any(o.clicks));
  } else if (!o.presses.empty()) {
    acts.push_back({Act::Press, any(o.presses)->name, 0, false, {}});
  } else {
    acts.push_back({Act::Tick, "Timer1", 1, false, {}});
  }
  // The 50 ms refresh runs between any two of the player's actions.
  acts.push_back({Act::Tick, "Timer1", 1, false, {}});
  return acts;
}

// The driver's own handling of each command.
void Run::apply(const Action& a) {
  Game& g = g_;
  switch (a.kind) {
    case Act::Click: click(g, a.name); break;
    case Act::Press: press(g, a.name); break;
    case Act::Select: {
      Control& l = g.ui.list_l;
      if (l.usable() && a.n >= 0 && static_cast<size_t>(a.n) < l.rows.size()) {
        l.selected = a.n;
        run_handler(g, l.on_click);
      }
      break;
    }
    case Act::Answer: plat_.queue_answer(a.yes); break;
    case Act::Type: edit_typed(g, g.ui.name_l, a.text); break;
    case Act::Slide: set_speed_slider(g, a.n); break;
    case Act::Tick: {
      const int which = a.name == "Timer1" ? 1 : a.name == "Timer2" ? 2 : 3;
      for (int i = 0; i < a.n; ++i) timer_fire(g, which);
      break;
    }
  }
}

void Run::record(long long step, const std::vector<Action>& acts) {
  std::lock_guard<std::mutex> lock(script_mutex);
  script_.push_back("# step " + std::to_string(step));
  for (const Action& a : acts) script_.push_back(a.line());
}

std::vector<std::string> Run::check_save() {
  ++saves_checked_;
  std::string why;
  if (!write_file_atomic(g_.save_path(), save_bytes(g_.s), &why)) return {"the save could not be written: " + why};
  QuietPlatform quiet;
  SeededRandom unused(0);
  Game reader(quiet, unused, root_);
  bind_handlers(reader);
  LoadedGame loaded;
  try {
    loaded = read_all(reader);
  } catch (const std::exception& e) {
    return {std::string("the save written here does not load: ") + e.what()};
  }
  std::vector<std::string> diff = dump_differences(dump_lines(g_.s), dump_lines(*loaded.s));
  if (!diff.empty()) diff.insert(diff.begin(), "the save written here loads back to other values:");
  return diff;
}

std::string Run::failure_report(long long step, const std::vector<std::string>& why) {
  std::ostringstream r;
  r << "chaos: seed " << o_.seed << ", step " << step << " of " << o_.steps << ":\n";
  for (const std::string& w : why) r << "chaos:   " << w << "\n";
  r << "chaos: the last lines of the transcript:\n";
  std::string tail = last_transcript_ + transcript_.str();
  size_t from = tail.size();
  for (int lines = 0; from > 0 && lines < 25; --from)
    if (tail[from - 1] == '\n' && from != tail.size()) ++lines;
  r << tail.substr(from);
  r << "chaos: the run so far as a headless script (stdout); replay it with\n"
    << "chaos:   zando2 --headless --seed " << o_.seed << " --debug-panel --root " << source_root_
    << " --script FILE\n";
  return r.str();
}

void Run::print_script(long long step, const std::vector<std::string>& why) {
  std::cout << "# chaos run, seed " << o_.seed << ": broke at step " << step << "\n";
  for (const std::string& w : why) std::cout << "# " << w << "\n";
  std::cout << "# zando2 --headless --seed " << o_.seed << " --debug-panel --root " << source_root_
            << " --script FILE\n";
  for (const std::string& l : script_) std::cout << l << "\n";
  std::cout.flush();
}

int Run::fail(long long step, const std::vector<std::string>& why) {
  std::cerr << failure_report(step, why);
  std::lock_guard<std::mutex> lock(script_mutex);
  print_script(step, why);
  return 1;
}

long long now_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int Run::play() {
  plat_.attach(&g_);
  startup(g_);
  g_.ui.debug_box.visible = true;

  // From NEW GAME.
  const std::vector<Action> start = {{Act::Answer, {}, 0, true, {}}, {Act::Click, "Button12", 0, false, {}}};
  record(0, start);
  for (const Action& a : start) apply(a);
  if (!g_.ui.map_box.visible) {
    std::cerr << "chaos: NEW GAME did not start a game in " << source_root_ << ":\n" << transcript_.str();
    return 2;
  }

  for (long long step = 1; step <= o_.steps; ++step) {
    std::vector<Action> acts = next_step();
    record(step, acts);
    last_transcript_ = transcript_.str();
    if (last_transcript_.size() > 16384) last_transcript_.erase(0, last_transcript_.size() - 16384);
    transcript_.str("");
    transcript_.clear();

    const GameState before = g_.s;
    StepFacts facts;
    plat_.begin_step();
    step_started_ms = now_ms();
    step_no = step;
    try {
      for (const Action& a : acts) {
        if (a.kind == Act::Tick && a.name == "Timer1" && &a == &acts.back()) facts.refreshed = g_.timer1.enabled;
        if (a.kind == Act::Click && inside(g_.ui.find(a.name), g_.ui.debug_box) && sets_by_hand(a.name))
          facts.by_hand = true;
        apply(a);
      }
    } catch (const StepBound& b) {
      return fail(step, {"the step does not end: " + b.why});
    }
    worst_pauses_ = std::max({worst_pauses_, plat_.step_pauses, plat_.step_repaints});
    worst_ms_ = std::max(worst_ms_, plat_.step_ms);
    worst_boxes_ = std::max(worst_boxes_, plat_.step_boxes);
    if (plat_.close_pending) return fail(step, {"the game asked to close the window"});

    std::vector<std::string> why = check_step(before, g_.s, facts);
    // Without the developer panel the player must always have something to click.
    const Offer now = offer(g_);
    if (now.clicks.empty() && now.presses.empty() && !now.list)
      why.push_back("nothing outside the developer panel can be clicked: the game is stuck");
    const bool saving = (o_.save_every > 0 && step % o_.save_every == 0) || step == o_.steps;
    if (why.empty() && saving) why = check_save();
    if (!why.empty()) return fail(step, why);
  }
  step_no = -1;
  if (std::getenv("ZANDO_CHAOS_SCRIPT")) print_script(o_.steps, {"(no fault: the whole run)"});
  std::cout << "chaos: seed " << o_.seed << ": " << o_.steps << " steps, " << saves_checked_
            << " saves loaded back, every invariant held (the longest step: " << worst_pauses_
            << " pauses or repaints, " << worst_ms_ << " ms of virtual time, " << worst_boxes_ << " boxes)\n";
  return 0;
}

// Stops the run when one step takes longer than the bound in real time: a
// loop that never waits cannot be caught from inside.
class Watchdog {
 public:
  Watchdog(Run& run, int seconds) : run_(run), seconds_(seconds), thread_([this] { watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(m_);
      done_ = true;
    }
    cv_.notify_one();
    thread_.join();
  }

 private:
  Run& run_;
  int seconds_;
  std::mutex m_;
  std::condition_variable cv_;
  bool done_ = false;
  std::thread thread_;

  void watch() {
    std::unique_lock<std::mutex> lock(m_);
    while (!cv_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; })) {
      const long long step = run_.step_no;
      if (step <= 0 || now_ms() - run_.step_started_ms > seconds_ * 1000LL) {
        if (step <= 0) continue;
        std::lock_guard<std::mutex> script(run_.script_mutex);
        const std::string why = "the step has run for more than " + std::to_string(seconds_) + " s: the game hangs";
        std::cerr << "chaos: seed " << run_.seed() << ", step " << step << ": " << why << "\n";
        std::cerr.flush();
        // The main thread is stuck inside the game: no transcript, the script is all there is.
        run_.print_script(step, {why});
        std::_Exit(1);
      }
    }
  }
};

}  // namespace

int run_chaos(const ChaosOptions& options) {
  const fs::path source = fs::absolute(options.root);
  if (!fs::is_directory(source / "dat")) {
    std::cerr << "chaos: " << source.string() << " holds no dat/ folder\n";
    return 2;
  }
  // The run plays in a copy: the game may save, and the original is never written.
  std::string pattern = (fs::temp_directory_path() / "zando2-chaos-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::cerr << "chaos: cannot make a temporary folder\n";
    return 2;
  }
  const fs::path copy = pattern;
  std::error_code ec;
  fs::copy(source, copy, fs::copy_options::recursive, ec);
  if (ec) {
    std::cerr << "chaos: cannot copy " << source.string() << ": " << ec.message() << "\n";
    fs::remove_all(copy, ec);
    return 2;
  }
  int rc = 0;
  {
    auto run = std::make_unique<Run>(options, copy.string(), source.string());
    Watchdog dog(*run, options.max_wall_seconds);
    rc = run->play();
  }
  fs::remove_all(copy, ec);
  return rc;
}

}  // namespace z2::autoplay
