#include "shell/title.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <sys/stat.h>

#include <algorithm>

#include "data/reader.h"
#include "data/save.h"
#include "data/save_history.h"
#include "shell/autosave.h"
#include "data/tables.h"
#include "shell/messages.h"
#include "shell/pictures.h"
#include "shell/status.h"
#include "state/int32.h"
#include "state/ids.h"
#include "state/vars.h"

namespace z2 {

LoadedGame read_all(const Game& g, bool with_save, const std::string& save_file) {
  // The copy keeps what the save does not hold (the seals set at start-up,
  // the opening texts) just as loading over the running state would.
  LoadedGame l{std::make_unique<GameState>(g.s), nullptr};
  if (with_save) {
    // Whatever a short save does not reach reads 0 or empty, not what the
    // title's clock and refresh left there.
    for (const SaveRun& run : save_layout()) {
      const Var& v = *run.var;
      switch (v.type) {
        case Var::Type::Str: (*l.s).*(v.sp) = std::string(); break;
        case Var::Type::Int: (*l.s).*(v.ip) = 0; break;
        case Var::Type::Bool: (*l.s).*(v.bp) = false; break;
        case Var::Type::Array: {
          auto a = v.arr(*l.s);
          std::fill_n(a.begin() + run.first, run.count, 0);
          break;
        }
      }
    }
    load_save(*l.s, save_file.empty() ? g.save_path() : save_file);
  }
  l.t = read_tables(g.dat_dir());
  return l;
}

void adopt(Game& g, LoadedGame&& loaded) {
  g.s = std::move(*loaded.s);
  g.t = *loaded.t;
  // The slider puts a damaged speed back into its range right after.
  g.s.msg_wait = sat_add(sat_mul(g.s.text_speed, 100), 100);
  set_speed_slider(g, g.s.text_speed);
}

void load_all(Game& g, bool with_save) { adopt(g, read_all(g, with_save)); }

void new_game(Game& g) {
  new_game_values(g.s);
  g.s.text_speed = 3;
  set_speed_slider(g, 3);
}

void startup(Game& g) {
  g.plat.sound_hold(g.dat_dir() + "1.wav", 2);
  // The title picture; the title screen works without it.
  load_picture(g.ui.Image1.image, g.cg_dir() + "title.bmp");
  g.ui.Image1.touched();
  if (load_picture(g.my_bak, g.cg_dir() + "my.bmp")) {
    stretch_copy(g.ui.my_cg.image, {0, 0, 129, 129}, g.my_bak, {0, 0, 64, 64});
    g.ui.my_cg.touched();
  } else {
    // Reported, and the start-up goes on: the game is playable without the portrait.
    g.my_bak = blank_picture(64, 64);
    g.plat.error("画像を読み込めません: " + g.cg_dir() + "my.bmp");
  }
  g.s.can_punch = g.s.can_magic = g.s.can_beast = g.s.can_item = true;
  play_bgm(g, "open.mid");
}

namespace {

void load_floor_background(Game& g, bool with_fallback) {
  load_cg(g, g.ui.haikei.image, "haikei" + std::to_string(g.s.floor) + ".bmp",
          with_fallback ? "haikei-1.bmp" : "");
  g.ui.haikei.touched();
}

// "NEW GAME"
void Button12Click(Game& g) {
  play_se(g, "key.wav");
  if (!g.plat.ask("これまでのデータがある場合は消去されます。よろしいですか？")) return;
  // The new-game values replace everything a save holds, so a new game does
  // not need one: it starts on a fresh install and past a damaged save. The
  // master files must all read, or the title stays (the error reaches the
  // error box) and nothing has changed.
  LoadedGame loaded = read_all(g, false);
  play_se(g, "get2.wav");
  g.ui.start_box.visible = false;
  g.ui.map_box.visible = true;
  play_bgm(g, "not");
  adopt(g, std::move(loaded));
  new_game(g);
  load_floor_background(g, false);
}

// COUNTINUE's last step: the game read is the running game now.
void continue_with(Game& g, LoadedGame&& loaded) {
  play_bgm(g, "not");
  g.ui.start_box.visible = false;
  g.ui.map_box.visible = true;
  adopt(g, std::move(loaded));
  load_floor_background(g, true);
}

// A save that cannot be continued (missing or damaged, `why` says which) is
// not the end of the game while an older copy reads cleanly: the newest such
// copy is offered. Yes sets the damaged save aside and continues from the
// copy; no changes nothing. False when there is no copy to offer.
bool offer_backup(Game& g, const std::string& why, bool damaged) {
  for (const SaveCopy& c : save_copies(g.save_path())) {
    LoadedGame l;
    try {
      l = read_all(g, true, c.path);
    } catch (const DataError& e) {
      if (e.file() != c.path) throw;  // a master file: reported as any other
      continue;
    }
    const GameState& s = *l.s;
    if (!g.plat.ask(why + "バックアップから続けますか？\r" + c.when + " のセーブ: " + s.my_name + " LV" +
                    std::to_string(s.my_lv) + " " + std::to_string(s.floor) + "階"))
      return true;
    std::string aside_why;
    if (damaged && !set_damaged_save_aside(g.save_path(), &aside_why)) {
      g.plat.error(aside_why);
      return true;
    }
    continue_with(g, std::move(l));
    return true;
  }
  return false;
}

// "COUNTINUE"
void Button11Click(Game& g) {
  play_se(g, "key.wav");
  struct stat st {};
  if (::lstat(g.save_path().c_str(), &st) != 0) {
    if (!offer_backup(g, "セーブデータがありません。", false))
      g.plat.notice("セーブデータがありません。「NEW GAME」で始めてください。");
    return;
  }
  // A damaged save or data file stops here with the title and its music as
  // they were: the player's save must not be replaced by half a game at close.
  LoadedGame loaded;
  try {
    loaded = read_all(g);
  } catch (const DataError& e) {
    if (e.file() != g.save_path()) throw;
    g.plat.error(e.what());
    offer_backup(g, "", true);
    return;
  }
  continue_with(g, std::move(loaded));
}

void paint_black(Control& c) {
  c.image.fill(qRgb(0, 0, 0));
  c.touched();
}

// "OPENING" (title and developer panel)
void Button45Click(Game& g) {
  load_opening_texts(g.s, g.dat_dir());
  play_se(g, "next.wav");
  play_bgm(g, "new.mid");
  paint_black(g.ui.open1);
  paint_black(g.ui.open2);
  g.ui.open_box.visible = true;
  g.timer3.enabled = true;
  g.s.open_page = 0;
}

void draw_opening_text(Control& c, int x, int y, int px, const std::string& text) {
  QPainter p(&c.image);
  QFont f(QStringLiteral("IPAPGothic"));
  f.setPixelSize(px);
  f.setBold(true);
  f.setItalic(true);
  p.setFont(f);
  p.setPen(QColor(41, 254, 217));
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setBackground(QColor(0, 0, 0));
  p.drawText(x, y + QFontMetrics(f).ascent(), QString::fromStdString(text));
  c.touched();
}

}  // namespace

void opening_end(Game& g) {
  g.timer3.enabled = false;
  g.s.open_page = 0;
  g.ui.open_box.visible = false;
  play_bgm(g, "open.mid");
}

void opening_step(Game& g) {
  const int p = ++g.s.open_page;
  if (p % 10 == 0) {
    const int k = p / 10;
    // Without an "end" line the show ends after its last text.
    if (k >= static_cast<int>(g.s.open_text.size()) || g.s.open_text[static_cast<size_t>(k)] == "end") {
      opening_end(g);
      return;
    }
    draw_opening_text(g.ui.open1, 10, 250, 21, g.s.open_text[static_cast<size_t>(k)]);
  }
  if (p % 50 == 0 && p / 50 < static_cast<int>(g.s.staff_text.size()))
    draw_opening_text(g.ui.open2, 10, 2, 24, g.s.staff_text[static_cast<size_t>(p / 50)]);
  Control& o1 = g.ui.open1;
  Control& o2 = g.ui.open2;
  stretch_copy(o1.image, {0, -1, 393, 277}, o1.image, {0, 0, 393, 281});
  stretch_copy(o2.image, {1, 1, 402, 104}, o2.image, {0, 0, 401, 101});
  for (int i = 0; i <= 10; ++i) {
    hline(o2.image, 0, 401, 80 + 6 * i, qRgb(0, 0, 0));
    hline(o2.image, 0, 401, 90 + 3 * i, qRgb(0, 0, 0));
  }
  o1.touched();
  o2.touched();
}

void minute_tick(Game& g) {
  const int before = g.s.play_time;
  // A damaged save may hold any number here.
  g.s.play_time = sat_add(before, 1);
  if (before == 5999) {
    g.s.item_have[item::kPlayTimeGift] = 1;
    g.s.play_time = 6001;
    msg_put(g, "英雄馬を入手した!!");
  }
  if (g.s.play_time > 9999) g.s.play_time = 9999;
}

bool close_request(Game& g, bool unattended) {
  if (g.ui.start_box.visible) return true;
  play_se(g, "key.wav");
  SaveOutcome r;
  try {
    r = save_all(g);
  } catch (const std::exception& e) {
    r.why = error_text(e);
  }
  if (r.saved) {
    // The report is only a summary for sharing: the game itself is safe.
    if (!r.report_written)
      g.plat.error(r.why + "\r投稿.txtは書けなかったけど、ゲームはちゃんとセーブしたよ。");
    if (!unattended) g.plat.notice("オートセーブ完了。また遊んでね★");
    return true;
  }
  // The save on disk is still the previous one.
  g.plat.error(r.why);
  // Nobody is there to answer when unattended; keeping the window open helps no one.
  // Otherwise "no" keeps the game open.
  g.left_unsaved = unattended || g.plat.ask("セーブできませんでした。セーブせずに終了しますか？");
  return g.left_unsaved;
}

void destroy(Game& g) { g.plat.sound_release_held(); }

void bind_title(Game& g) {
  g.ui.Button11.on_click = Button11Click;
  g.ui.Button12.on_click = Button12Click;
  g.ui.Button45.on_click = Button45Click;
  g.ui.Button46.on_click = Button45Click;
  g.ui.open_box.on_press = opening_end;
  g.ui.open1.on_press = opening_end;
  g.ui.open2.on_press = opening_end;
}

}  // namespace z2
