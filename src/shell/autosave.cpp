#include "shell/autosave.h"

#include <filesystem>

#include "data/cp932.h"
#include "data/report.h"
#include "data/save.h"
#include "data/save_history.h"
#include "shell/status.h"

namespace z2 {

std::string report_bytes(Game& g) {
  // A panel that was never drawn has no score label yet: write what it would show.
  const std::string& label = g.ui.score_l.text;
  const std::string caption = label.empty() ? "点数：" + score_text(g.s.score) + "点" : label;
  return utf8_to_cp932(report_text(g.s, g.t, caption));
}

std::string report_path(const Game& g) { return (g.user_dir.empty() ? g.root : g.user_dir) + "投稿.txt"; }

SaveOutcome save_all(Game& g) {
  SaveOutcome r;
  if (!g.user_dir.empty()) {
    // The data folder is made on the first save; a failure shows as the save's.
    std::error_code ec;
    std::filesystem::create_directories(g.user_dir, ec);
  }
  // A linked save is written to the link's target; the file it replaces is
  // kept among the backups first.
  std::string target;
  if (!save_target(g.save_path(), &target, &r.why)) return r;
  SaveHistory history(g.save_path(), target);
  history.begin();
  if (!write_file_atomic(target, save_bytes(g.s), &r.why)) {
    history.abandon();
    return r;
  }
  history.finish();
  r.saved = true;
  r.report_written = write_file_atomic(report_path(g), report_bytes(g), &r.why);
  return r;
}

}  // namespace z2
