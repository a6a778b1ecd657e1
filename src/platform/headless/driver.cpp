#include <signal.h>

#include <charconv>
#include <istream>
#include <ostream>
#include <string_view>

#include "platform/headless/headless.h"
#include "shell/game.h"
#include "shell/messages.h"
#include "shell/text_entry.h"
#include "shell/title.h"
#include "state/random.h"
#include "state/vars.h"

namespace z2 {

namespace {

volatile sig_atomic_t g_end_signal = 0;

extern "C" void on_end_signal(int) { g_end_signal = 1; }

std::string escape_cr(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

bool parse_int(std::string_view t, int& v) {
  auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && p == t.data() + t.size();
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

void show_control(HeadlessPlatform& p, const Control& c) {
  p.line(c.name + " visible=" + (c.visible ? "1" : "0") + " shown=" + (c.shown() ? "1" : "0") +
         " enabled=" + (c.enabled ? "1" : "0") + " caption=" + c.caption + " text=" + c.text);
  if (c.kind == Kind::List) {
    for (size_t i = 0; i < c.rows.size(); ++i) p.line("row " + std::to_string(i) + ": " + c.rows[i]);
    p.line("selected=" + std::to_string(c.selected));
  }
}

void dump(Game& g, HeadlessPlatform& p) {
  for (const SaveRun& run : save_layout()) {
    const Var& v = *run.var;
    if (v.type != Var::Type::Array) {
      p.line(std::string(v.name) + "=" + var_get(g.s, {&v, -1}));
      continue;
    }
    auto a = v.arr(g.s);
    for (int i = run.first; i < run.first + run.count; ++i)
      if (a[static_cast<size_t>(i)] != 0)
        p.line(std::string(v.name) + "[" + std::to_string(i) + "]=" + std::to_string(a[static_cast<size_t>(i)]));
  }
}

bool select_row(Game& g, int row) {
  Control& l = g.ui.list_l;
  if (!l.usable() || row < 0 || static_cast<size_t>(row) >= l.rows.size()) return false;
  l.selected = row;
  run_handler(g, l.on_click);
  return true;
}

enum class Step { Go, Exit };

Step command(Game& g, HeadlessPlatform& p, std::string_view raw) {
  // Only the line end is cut: texts keep their trailing blanks.
  std::string_view line = raw;
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  if (trim(line).empty() || line.front() == '#') return Step::Go;
  const size_t sp = line.find(' ');
  const std::string_view cmd = line.substr(0, sp);
  // Strings keep their blanks: the argument is the rest of the line after one blank.
  std::string_view arg = sp == std::string_view::npos ? std::string_view{} : line.substr(sp + 1);
  const auto bad = [&] { p.line("bad: " + std::string(line)); };

  if (cmd == "click" || cmd == "press") {
    std::string_view name = trim(arg);
    bool ok = cmd == "click" ? click(g, name) : press(g, name);
    if (!ok) p.line("refused: " + std::string(name));
  } else if (cmd == "select") {
    auto& rows = g.ui.list_l.rows;
    int row = -1;
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == arg) {
        row = static_cast<int>(i);
        break;
      }
    if (!select_row(g, row)) p.line("refused: select " + std::string(arg));
  } else if (cmd == "select#") {
    int row = -1;
    if (!parse_int(trim(arg), row)) {
      bad();
    } else if (!select_row(g, row)) {
      p.line("refused: select# " + std::string(trim(arg)));
    }
  } else if (cmd == "answer") {
    std::string_view a = trim(arg);
    if (a == "yes" || a == "no") {
      p.queue_answer(a == "yes");
    } else {
      bad();
    }
  } else if (cmd == "type") {
    edit_typed(g, g.ui.name_l, std::string(arg));
  } else if (cmd == "slide") {
    int n = 0;
    if (!parse_int(trim(arg), n)) {
      bad();
    } else {
      set_speed_slider(g, n);
    }
  } else if (cmd == "tick") {
    std::string_view rest = trim(arg);
    const size_t s2 = rest.find(' ');
    std::string_view timer = rest.substr(0, s2);
    int count = 1;
    if (s2 != std::string_view::npos && !parse_int(trim(rest.substr(s2 + 1)), count)) return bad(), Step::Go;
    int which = timer == "Timer1" ? 1 : timer == "Timer2" ? 2 : timer == "Timer3" ? 3 : 0;
    if (which == 0 || count < 0) return bad(), Step::Go;
    for (int i = 0; i < count && !g_end_signal; ++i) timer_fire(g, which);
  } else if (cmd == "set") {
    const size_t s2 = arg.find(' ');
    if (s2 == std::string_view::npos) return bad(), Step::Go;
    auto ref = parse_var_ref(arg.substr(0, s2));
    if (!ref || !var_set(g.s, *ref, arg.substr(s2 + 1))) bad();
  } else if (cmd == "get") {
    auto ref = parse_var_ref(trim(arg));
    if (!ref) return bad(), Step::Go;
    p.line(std::string(trim(arg)) + "=" + var_get(g.s, *ref));
  } else if (cmd == "dump") {
    dump(g, p);
  } else if (cmd == "show") {
    const Control* c = g.ui.find(trim(arg));
    if (!c) return bad(), Step::Go;
    show_control(p, *c);
  } else if (cmd == "elapsed") {
    p.line("time: " + std::to_string(p.elapsed_ms));
    p.elapsed_ms = 0;
  } else if (cmd == "close") {
    if (close_request(g)) {
      destroy(g);
      return Step::Exit;
    }
  } else if (cmd == "seed") {
    // A recorded session names the seed its window used.
    const std::string_view t = trim(arg);
    uint32_t n = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    auto* seeded = dynamic_cast<SeededRandom*>(&g.rng);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !seeded) return bad(), Step::Go;
    seeded->reseed(n);
  } else if (cmd == "quit") {
    return Step::Exit;
  } else {
    bad();
  }
  return Step::Go;
}

}  // namespace

void HeadlessPlatform::pause(int ms) {
  if (ms <= 0) return;
  if (!fast) {
    elapsed_ms += ms;
    return;
  }
  // The leftovers add up, so a run of 5 ms steps still counts a tenth of its whole time.
  fast_rest_ += ms % 10;
  elapsed_ms += ms / 10 + fast_rest_ / 10;
  fast_rest_ %= 10;
}

bool HeadlessPlatform::ask(const std::string& text) {
  bool yes = default_answer_;
  if (!answers_.empty()) {
    yes = answers_.front();
    answers_.pop_front();
  }
  line("ask: " + text + (yes ? " -> yes" : " -> no"));
  box_opened();
  return yes;
}

void HeadlessPlatform::notice(const std::string& text) {
  line("notice: " + text);
  box_opened();
}

void HeadlessPlatform::error(const std::string& text) {
  line("error: " + text);
  box_opened();
}

// One tick of the status refresh while the box is read. A box opened by that
// refresh itself does not tick again.
void HeadlessPlatform::box_opened() {
  if (!game_ || in_box_) return;
  in_box_ = true;
  timer_fire(*game_, 1);
  in_box_ = false;
}

void HeadlessPlatform::report_unused_answers() {
  for (bool yes : answers_) line(yes ? "bad: unused answer yes" : "bad: unused answer no");
  answers_.clear();
}
void HeadlessPlatform::trace(const char* tag, const std::string& text) { line(std::string(tag) + ": " + text); }
void HeadlessPlatform::line(const std::string& text) {
  // A write that a signal cut short leaves the stream failed: the lines after it still count.
  if (!out_) out_.clear();
  out_ << escape_cr(text) << '\n';
}

void catch_end_signals() {
  struct sigaction sa = {};
  sa.sa_handler = on_end_signal;
  sigemptyset(&sa.sa_mask);
  // No SA_RESTART: a read of standard input that waits for the next command
  // returns, so the run ends at once.
  sa.sa_flags = 0;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
}

int run_script(Game& g, HeadlessPlatform& p, std::istream& in) {
  p.attach(&g);
  std::string line;
  bool closed = false;
  while (!g_end_signal && std::getline(in, line)) {
    if (command(g, p, line) == Step::Exit) {
      closed = true;
      break;
    }
    if (p.close_pending) {
      p.close_pending = false;
      if (close_request(g)) {
        destroy(g);
        closed = true;
        break;
      }
    }
  }
  int status = 0;
  if (g_end_signal && !closed) {
    // As the window's session ends: the game saves, nobody answers a box.
    if (close_request(g, true)) destroy(g);
    status = g.left_unsaved ? 1 : 0;
  }
  p.report_unused_answers();
  p.attach(nullptr);
  return status;
}

}  // namespace z2
