#include "shell/text_entry.h"

#include "data/cp932.h"
#include "shell/messages.h"

namespace z2 {

bool edit_typed(Game& g, Control& field, const std::string& text) {
  const std::string foreign = cp932_first_foreign(text);
  if (!foreign.empty()) {
    play_se(g, "miss.wav");
    msg_put(g, "「" + foreign + "」は使えない文字です");
    return false;
  }
  // Some characters have two forms and the files keep one of them (the
  // wave dash 〜 is saved as ～): the field holds the one that a save
  // brings back, so a name never changes between a save and a load.
  const std::string sj = utf8_to_cp932(text);
  field.text = cp932_bytes_prefix(sj, kNameBytes);
  if (sj.size() <= kNameBytes) return true;
  play_se(g, "miss.wav");
  msg_put(g, "名前は全角" + std::to_string(kNameBytes / 2) + "文字（半角" + std::to_string(kNameBytes) + "文字）までです");
  return false;
}

}  // namespace z2
