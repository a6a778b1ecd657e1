#include "shell/autosave.h"

#include <unistd.h>

#include "data/cp932.h"
#include "data/report.h"
#include "data/save.h"
#include "shell/status.h"

namespace z2 {

std::string report_bytes(Game& g) {
  // A panel that was never drawn has no score label yet: write what it would show.
  const std::string& label = g.ui.score_l.text;
  const std::string caption = label.empty() ? "点数：" + score_text(g.s.score) + "点" : label;
  return utf8_to_cp932(report_text(g.s, g.t, caption));
}

std::string report_path(const Game& g) { return g.root + "投稿.txt"; }

bool save_all(Game& g, std::string* why) {
  const std::string save_path = g.save_path();
  const std::string report = report_path(g);
  std::string save_tmp, report_tmp;
  if (!write_temp(save_path, save_bytes(g.s), &save_tmp, why)) return false;
  if (!write_temp(report, report_bytes(g), &report_tmp, why)) {
    ::unlink(save_tmp.c_str());
    return false;
  }
  if (!commit(save_tmp, save_path, why)) {
    ::unlink(report_tmp.c_str());
    return false;
  }
  return commit(report_tmp, report, why);
}

}  // namespace z2
