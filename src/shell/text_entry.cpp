#include "shell/text_entry.h"

#include "data/cp932.h"
#include "shell/messages.h"

namespace z2 {

bool edit_typed(Game& g, Control& field, const std::string& text) {
  const std::string foreign = cp932_first_foreign(text);
  if (foreign.empty()) {
    field.text = text;
    return true;
  }
  play_se(g, "miss.wav");
  msg_put(g, "「" + foreign + "」は使えない文字です");
  return false;
}

}  // namespace z2
