// The window's view: zoom, full screen, sound, fast-forward, screenshots and
// the keys that change them.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <filesystem>

#include "platform/qt/help.h"
#include "platform/qt/settings_window.h"
#include "platform/qt/widgets.h"
#include "platform/qt/window.h"
#include "shell/game.h"

namespace z2 {

int MainWindow::max_zoom() const {
  const QRect room = screen_room ? screen_room() : QRect();
  if (!room.isValid()) return kZoomMax;
  // The frame the desktop draws around the window counts too.
  const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
  int z = kZoomMax;
  while (z > kZoomMin && (kPlayWidth * z + frame.width() > room.width() || kPlayHeight * z + frame.height() > room.height()))
    --z;
  return z;
}

void MainWindow::apply(const WindowPrefs& p) {
  // A zoom remembered on a larger screen starts at the largest that fits
  // here; the remembered one stays for that screen.
  zoom_ = std::min(clamp_zoom(p.zoom), max_zoom());
  muted_ = p.mute;
  fullscreen_ = p.fullscreen;
  music_volume_ = p.music_volume;
  effect_volume_ = p.effect_volume;
  if (platform_) platform_->volumes_changed();
  fast_on_ = p.fast_forward;
  tips_.apply(p.tips, p.tips_seen);
  if (game_) {
    resize(kPlayWidth * zoom_, kPlayHeight * zoom_);
    layout_area();
  }
}

void MainWindow::show_as_chosen() {
  if (fullscreen_) {
    enter_full_screen();
  } else {
    show();
  }
  layout_area();
  // A game that starts fast says so.
  if (fast_on_) title_note(QStringLiteral("早送り オン (F でオフ)"));
}

void MainWindow::enter_full_screen() {
  normal_geo_ = geometry();
  set_window_colour(this, qRgb(0, 0, 0));
  showFullScreen();
  // Without a window manager nobody makes the window as large as the screen,
  // so the window asks for the screen's size itself (a window manager gives
  // a full-screen window that size anyway).
  if (QScreen* s = screen(); s && size() != s->geometry().size()) setGeometry(s->geometry());
}

QPoint MainWindow::area_offset() const { return area_->pos(); }

QSize MainWindow::full_area() const {
  int right = kPlayWidth, bottom = kPlayHeight;
  if (game_)
    for (const Control* c : game_->ui.all())
      if (!c->parent && c->visible) {
        right = std::max(right, c->left + c->width);
        bottom = std::max(bottom, c->top + c->height);
      }
  return QSize(right, bottom);
}

void MainWindow::layout_area() {
  if (fullscreen_) {
    const QSize a = full_area();
    const int s = fit_scale(size(), a);
    const QSize shown = a * s;
    // A screen too small for the area keeps its top-left corner, the play area, in sight.
    const QPoint at(std::max(0, (width() - shown.width()) / 2), std::max(0, (height() - shown.height()) / 2));
    area_->setGeometry(QRect(at, shown));
    rescale(s);
    place_note();
    return;
  }
  // In a window the area covers it all, as far as the player enlarges it,
  // and holds every control, also those beyond the window's edge.
  int right = kPlayWidth, bottom = kPlayHeight;
  if (game_)
    for (const Control* c : game_->ui.all())
      if (!c->parent) {
        right = std::max(right, c->left + c->width);
        bottom = std::max(bottom, c->top + c->height);
      }
  area_->setGeometry(0, 0, std::max(width(), right * zoom_), std::max(height(), bottom * zoom_));
  rescale(zoom_);
  place_note();
}

void MainWindow::rescale(int s) {
  if (s == scale_) return;
  scale_ = s;
  set_fonts();
  place_note();
  for (auto& m : mirrors_) {
    // Everything is placed and filled again at the new size.
    m->geo = QRect();
    m->rows.clear();
    m->rows.push_back(std::string("\x01"));
    if (m->c->kind == Kind::Picture || m->c->kind == Kind::Label) m->w->update();
  }
  sync();
}

void MainWindow::set_fonts() {
  setFont(game_font(13 * scale_, true, false));
  area_->setFont(game_font(13 * scale_, true, false));
  for (auto& m : mirrors_)
    if (m->own_font) m->w->setFont(game_font(m->c->font_px * scale_, m->c->bold, m->c->italic));
  // Fitted again at the new size.
  for (auto& m : mirrors_) m->fitted_px = 0;
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  layout_area();
}

void MainWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  // The desktop may take the window out of full screen by itself.
  if (e->type() == QEvent::WindowStateChange && fullscreen_ && isVisible() && !isFullScreen() &&
      !windowState().testFlag(Qt::WindowMinimized)) {
    fullscreen_ = false;
    set_window_colour(this, kSilver);
    layout_area();
  }
}

void MainWindow::set_zoom(int zoom, bool remember) {
  zoom = std::min(clamp_zoom(zoom), max_zoom());
  if (zoom == zoom_) return;
  if (fullscreen_) {
    // Full screen keeps its fit; the window takes the zoom when it comes back.
    if (normal_geo_.isValid()) normal_geo_.setSize(normal_geo_.size() * zoom / zoom_);
    zoom_ = zoom;
  } else {
    // A window the player enlarged stays as much larger.
    const QSize to = size() * zoom / zoom_;
    zoom_ = zoom;
    resize_for_zoom(to);
    layout_area();
  }
  if (remember) remember_zoom(zoom_);
  title_note(QStringLiteral("表示 %1倍").arg(zoom_));
}

void MainWindow::set_full_screen(bool on, bool remember) {
  if (on == fullscreen_) return;
  fullscreen_ = on;
  if (on) {
    if (isVisible()) {
      enter_full_screen();
    } else {
      normal_geo_ = geometry();
      set_window_colour(this, qRgb(0, 0, 0));
    }
  } else {
    set_window_colour(this, kSilver);
    if (isVisible()) showNormal();
    if (normal_geo_.isValid()) setGeometry(normal_geo_);
  }
  layout_area();
  if (remember) remember_fullscreen(on);
}

void MainWindow::set_muted(bool on, bool remember) {
  if (on == muted_) return;
  muted_ = on;
  if (platform_) platform_->mute_changed(on);
  if (remember) remember_mute(on);
  title_note(on ? QStringLiteral("ミュート") : QStringLiteral("サウンド オン"));
}

void MainWindow::set_volumes(int music, int effects, bool remember) {
  music = std::clamp(music, 0, kVolumeMax);
  effects = std::clamp(effects, 0, kVolumeMax);
  if (music == music_volume_ && effects == effect_volume_) return;
  music_volume_ = music;
  effect_volume_ = effects;
  if (platform_) platform_->volumes_changed();
  if (remember) remember_volumes(music, effects);
}

void MainWindow::set_fast_forward(bool on, bool remember) {
  if (on == fast_on_) return;
  fast_on_ = on;
  // The opening show changes its pace at once.
  if (game_) sync_timers();
  if (remember) remember_fast_forward(on);
  title_note(on ? QStringLiteral("早送り オン (F でオフ)") : QStringLiteral("早送り オフ"));
}

void MainWindow::resize_for_zoom(QSize to) {
  const QRect room = screen_room ? screen_room() : QRect();
  if (!isVisible() || !room.isValid()) {
    resize(to);
    return;
  }
  const QSize frame = frameGeometry().size() - size();
  QRect r(QPoint(0, 0), to + frame);
  r.moveCenter(frameGeometry().center());
  // Kept inside the room; a window larger than the room keeps its top-left
  // corner, where the play area begins, in sight.
  r.moveLeft(std::max(room.left(), std::min(r.left(), room.right() + 1 - r.width())));
  r.moveTop(std::max(room.top(), std::min(r.top(), room.bottom() + 1 - r.height())));
  resize(to);
  move(r.topLeft());
}

void MainWindow::title_note(const QString& text) {
  setWindowTitle(kCaption + QStringLiteral(" - ") + text);
  title_timer_.start(2000);
  if (!note_) {
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("window_note"));
    note_->setAttribute(Qt::WA_TransparentForMouseEvents);
    note_->setAlignment(Qt::AlignCenter);
    note_->setStyleSheet(QStringLiteral("QLabel { color: white; background-color: rgba(0, 0, 0, 190); }"));
  }
  note_->setText(text);
  // A box in front has the word; the note would only hide behind it.
  if (boxes_open_ > 0) return;
  place_note();
  note_->show();
  note_->raise();
}

void MainWindow::hide_note() {
  if (note_) note_->hide();
}

void MainWindow::place_note() {
  tips_.place(area_offset(), scale_);
  if (!note_) return;
  note_->setFont(game_font(12 * scale_, true, false));
  const QSize text = note_->fontMetrics().size(0, note_->text());
  const QSize box(std::min(text.width() + 16 * scale_, kPlayWidth * scale_), text.height() + 6 * scale_);
  // At the top of the middle picture, where the game's own pictures come and
  // go; a long note reaches further right.
  constexpr int kMiddle = 232;
  const int left = std::max(4 * scale_, std::min(kMiddle * scale_ - box.width() / 2, kPlayWidth * scale_ - box.width()));
  note_->setGeometry(QRect(area_offset() + QPoint(left, 6 * scale_), box));
}

QString MainWindow::screenshot() {
  if (!game_) return {};
  const QString dir =
      QString::fromStdString(std::filesystem::path(game_->save_path()).parent_path().string()) +
      QStringLiteral("/screenshots");
  const QDateTime now = QDateTime::currentDateTime();
  QString path;
  // Two pictures within one second get numbers; a bounded search.
  for (int n = 1; n <= 100; ++n) {
    path = QDir(dir).filePath(screenshot_name(now, n));
    if (!QFileInfo::exists(path)) break;
  }
  const QImage img = area_->grab(QRect(0, 0, kPlayWidth * scale_, kPlayHeight * scale_)).toImage();
  if (!QDir().mkpath(dir) || QFileInfo::exists(path) || !img.save(path, "PNG")) {
    title_note(QStringLiteral("スクリーンショットを保存できません: ") + dir);
    return {};
  }
  title_note(QStringLiteral("スクリーンショット ") + QFileInfo(path).fileName());
  return path;
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
  // Only keys nobody else took come here: a letter typed into the naming
  // field stays a letter. Shift is the fast-forward, so it may be held.
  const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  const int key = e->key();
  const bool once = !e->isAutoRepeat();
  // A key puts a tip away first; Shift may be held for the fast-forward.
  if (tips_.strip()->isVisible() && key != Qt::Key_Shift) {
    if (once) tips_.dismiss();
    return;
  }
  if (mods == Qt::NoModifier && key == Qt::Key_F1) {
    if (once) help();
  } else if (mods == Qt::NoModifier && key == Qt::Key_F2) {
    if (once) settings();
  } else if (mods == Qt::NoModifier && key == Qt::Key_F) {
    if (once) set_fast_forward(!fast_on_);
  } else if (mods == Qt::NoModifier && key == Qt::Key_F11) {
    if (once) set_full_screen(!fullscreen_);
  } else if (mods == Qt::NoModifier && key == Qt::Key_Escape && fullscreen_) {
    set_full_screen(false);
  } else if (mods == Qt::NoModifier && key == Qt::Key_F12) {
    if (once) screenshot();
  } else if (mods == Qt::NoModifier && key == Qt::Key_M) {
    if (once) set_muted(!muted_);
  } else if (mods == Qt::ControlModifier && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
    if (zoom_ >= max_zoom() && zoom_ < kZoomMax) {
      title_note(QStringLiteral("表示 %1倍 (画面に収まる最大)").arg(zoom_));
    } else {
      set_zoom(zoom_ + 1);
    }
  } else if (mods == Qt::ControlModifier && key == Qt::Key_Minus) {
    set_zoom(zoom_ - 1);
  } else if (key == Qt::Key_Shift) {
    // Held through the game's pauses; said once, when pressed.
    if (once) title_note(QStringLiteral("早送り (Shift を押している間)"));
  } else {
    QWidget::keyPressEvent(e);
  }
}

}  // namespace z2

namespace z2 {

QWidget* MainWindow::help() { return show_help(this, options_help); }

QWidget* MainWindow::settings() { return show_settings(*this); }

void MainWindow::contextMenuEvent(QContextMenuEvent* e) {
  // The window's own choices, where a player looks for them.
  QMenu menu(this);
  connect(menu.addAction(QStringLiteral("設定 (F2)")), &QAction::triggered, this, [this] { settings(); });
  QAction* tips = menu.addAction(QStringLiteral("新人向けヒント"));
  tips->setCheckable(true);
  tips->setChecked(tips_.enabled());
  connect(tips, &QAction::toggled, this, [this](bool on) { tips_.set_enabled(on); });
  connect(menu.addAction(QStringLiteral("ヘルプ (F1)")), &QAction::triggered, this, [this] { help(); });
  menu.exec(e->globalPos());
}

}  // namespace z2
