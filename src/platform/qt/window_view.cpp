// The window's view: zoom, full screen, mute, screenshots and the keys that
// change them.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>
#include <filesystem>

#include "platform/qt/widgets.h"
#include "platform/qt/window.h"
#include "shell/game.h"

namespace z2 {

void MainWindow::apply(const WindowPrefs& p) {
  zoom_ = clamp_zoom(p.zoom);
  muted_ = p.mute;
  fullscreen_ = p.fullscreen;
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
}

void MainWindow::rescale(int s) {
  if (s == scale_) return;
  scale_ = s;
  set_fonts();
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
  zoom = clamp_zoom(zoom);
  if (zoom == zoom_) return;
  if (fullscreen_) {
    // Full screen keeps its fit; the window takes the zoom when it comes back.
    if (normal_geo_.isValid()) normal_geo_.setSize(normal_geo_.size() * zoom / zoom_);
    zoom_ = zoom;
  } else {
    // A window the player enlarged stays as much larger.
    const QSize to = size() * zoom / zoom_;
    zoom_ = zoom;
    resize(to);
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

void MainWindow::title_note(const QString& text) {
  setWindowTitle(kCaption + QStringLiteral(" - ") + text);
  title_timer_.start(2000);
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
  if (mods == Qt::NoModifier && key == Qt::Key_F11) {
    if (once) set_full_screen(!fullscreen_);
  } else if (mods == Qt::NoModifier && key == Qt::Key_Escape && fullscreen_) {
    set_full_screen(false);
  } else if (mods == Qt::NoModifier && key == Qt::Key_F12) {
    if (once) screenshot();
  } else if (mods == Qt::NoModifier && key == Qt::Key_M) {
    if (once) set_muted(!muted_);
  } else if (mods == Qt::ControlModifier && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
    set_zoom(zoom_ + 1);
  } else if (mods == Qt::ControlModifier && key == Qt::Key_Minus) {
    set_zoom(zoom_ - 1);
  } else {
    QWidget::keyPressEvent(e);
  }
}

}  // namespace z2
