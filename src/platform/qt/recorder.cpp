#include "platform/qt/recorder.h"

#include <utility>

namespace z2 {

Recorder::Recorder(const std::string& path) : out_(path, std::ios::binary | std::ios::trunc) {
  ok_ = static_cast<bool>(out_);
  put("# a session of the window, for zando2 --headless --script");
}

void Recorder::seed(uint32_t s) { put("seed " + std::to_string(s)); }

void Recorder::note(const std::string& text) { put("# " + text); }

void Recorder::begin(std::string line) {
  if (open_) return;  // an action inside an action belongs to the outer one
  open_ = true;
  line_ = std::move(line);
  answers_.clear();
}

void Recorder::answer(bool yes) {
  if (open_) answers_.push_back(yes);
}

void Recorder::end() {
  if (!open_ || holding_) return;
  write_pending();
}

void Recorder::hold_for_close() {
  if (open_) holding_ = true;
}

void Recorder::closed() {
  if (!open_) begin("close");
  const bool held = holding_;
  holding_ = false;
  write_pending();
  flush_ticks();
  if (held) put("close");
}

void Recorder::close_refused() {
  holding_ = false;
  if (open_) write_pending();
}

void Recorder::write_pending() {
  open_ = false;
  if (answers_.empty() && line_.rfind("tick ", 0) == 0) {
    const std::string timer = line_.substr(5);
    if (timer != last_tick_) flush_ticks();
    last_tick_ = timer;
    ++tick_count_;
    return;
  }
  flush_ticks();
  for (bool yes : answers_) put(yes ? "answer yes" : "answer no");
  answers_.clear();
  put(line_);
}

void Recorder::flush_ticks() {
  if (tick_count_ == 1) put("tick " + last_tick_);
  if (tick_count_ > 1) put("tick " + last_tick_ + " " + std::to_string(tick_count_));
  last_tick_.clear();
  tick_count_ = 0;
}

void Recorder::put(const std::string& line) {
  out_ << line << '\n';
  // Kept on disk as it goes: a session that crashes is the one worth replaying.
  out_.flush();
}

}  // namespace z2
