#include "shell/messages.h"

#include <vector>

#include "data/cp932.h"

namespace z2 {

namespace {

void show_line(Game& g, const std::string& text) {
  g.ui.moji_l.text = text;
  g.ui.moji_l2.text = text;
  g.plat.repaint();
}

// The part of a text shown after each typing step, as byte lengths of one
// UTF-8 string: step i shows the first 2i CP932 bytes, less a character the
// cut would split (what cp932_bytes_prefix cuts). Worked out once per
// message, one character at a time, rather than by converting a longer
// prefix at every step.
struct TypingCuts {
  std::string shown;         // the whole text as typing shows it
  std::vector<size_t> upto;  // per CP932 byte count b: the UTF-8 length of the first b bytes' whole characters
};

void typing_cuts(const std::string& sj, TypingCuts& out) {
  out.shown.clear();
  out.upto.assign(sj.size() + 1, 0);
  std::string ch;
  for (size_t i = 0; i < sj.size();) {
    const size_t len = cp932_char_at(sj, i, &ch);
    out.upto[i + 1] = out.shown.size();  // a cut inside the character leaves it out
    out.shown += ch;
    i += len;
    out.upto[i] = out.shown.size();
  }
}

// Types `text` behind `head` two CP932 bytes a step, n steps for n bytes: the
// text is whole after about n/2 steps and the rest repeat it, which sets the
// pace. A step adds only the characters its two bytes complete, so typing a
// text costs in proportion to its length, however long it is.
void type_into(Game& g, Control& label, const std::string& head, const std::string& text, int step_ms,
               bool mirror) {
  const std::string sj = utf8_to_cp932(text);
  const size_t n = sj.size();
  // Kept between messages, so typing allocates nothing once they have grown.
  thread_local TypingCuts cuts;
  typing_cuts(sj, cuts);
  std::string* const lines[] = {&label.text, mirror ? &g.ui.moji_l2.text : nullptr};
  size_t typed = 0;  // the part of cuts.shown behind the head
  bool whole = false;
  for (size_t i = 1; i <= n; ++i) {
    if (!whole) {
      whole = 2 * i >= n;
      const size_t upto = cuts.upto[2 * i < n ? 2 * i : n];
      for (std::string* line : lines) {
        if (!line) continue;
        if (i == 1) line->assign(head);
        if (whole) {
          line->resize(head.size());
          *line += text;
        } else {
          line->append(cuts.shown, typed, upto - typed);
        }
      }
      typed = upto;
    }
    g.plat.repaint();
    g.plat.pause(step_ms);
  }
}

}  // namespace

void msg_put(Game& g, const std::string& text) {
  g.plat.trace("put", text);
  type_into(g, g.ui.moji_l, "", text, 10, true);
  show_line(g, text);
  g.plat.pause(g.s.msg_wait);
}

void msg_add(Game& g, const std::string& text) {
  g.plat.trace("add", text);
  const std::string head = g.ui.moji_l.text + "\r";
  type_into(g, g.ui.moji_l, head, text, 10, true);
  show_line(g, head + text);
  g.plat.pause(g.s.msg_wait);
}

void msg_big(Game& g, const std::string& text) {
  g.plat.trace("big", text);
  g.ui.moji_l3.visible = true;
  type_into(g, g.ui.moji_l3, "", text, 20, false);
  g.ui.moji_l3.text = text;
  g.plat.repaint();
}

// Only typing copies the message line onto the map's line.
void set_moji_l(Game& g, const std::string& text) {
  g.plat.trace("moji_l", text);
  g.ui.moji_l.text = text;
}

void set_moji_l2(Game& g, const std::string& text) {
  g.plat.trace("moji_l2", text);
  g.ui.moji_l2.text = text;
}

void play_se(Game& g, const std::string& file) {
  g.plat.trace("se", file);
  g.plat.sound_play(g.dat_dir() + file);
}

void play_bgm(Game& g, const std::string& file) {
  if (file.empty()) return;
  g.plat.trace("bgm", file);
  if (file == "not") {
    g.plat.music_stop();
  } else {
    g.plat.music_play(g.dat_dir() + file);
  }
}

void set_speed_slider(Game& g, int position) {
  Control& sp = g.ui.sp_l;
  sp.value = position < 0 ? 0 : (position > sp.max ? sp.max : position);
  if (sp.on_change) sp.on_change(g);
}

namespace {

void sp_lChange(Game& g) {
  g.s.text_speed = g.ui.sp_l.value;
  g.s.msg_wait = g.ui.sp_l.value * 100 + 100;
}

void BitBtn1Click(Game& g) { play_bgm(g, "not"); }

}  // namespace

void bind_messages(Game& g) {
  g.ui.sp_l.on_change = sp_lChange;
  g.ui.BitBtn1.on_click = BitBtn1Click;
}

}  // namespace z2
