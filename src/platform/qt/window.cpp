#include "platform/qt/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QGroupBox>
#include <QTextLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QThread>

#include <QApplication>
#include <QDialog>
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "platform/qt/recorder.h"
#include "shell/game.h"
#include "shell/text_entry.h"
#include "shell/title.h"

namespace z2 {
namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
// Labels break lines at CR.
QString q_lines(const std::string& s) {
  QString t = q(s);
  t.replace(QChar('\r'), QChar('\n'));
  return t;
}

QFont game_font(int px, bool bold, bool italic) {
  QFont f(QStringLiteral("IPAPGothic"));
  f.setPixelSize(px);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

// A label: word-wrapped text at the game's tight line pitch (one pixel less
// than the font's size), so the gauges laid over the status texts fall on
// their empty lines.
class LabelWidget : public QWidget {
 public:
  LabelWidget(QWidget* parent, const Control& c, const int& scale) : QWidget(parent), c_(c), scale_(scale) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  void set_text(const QString& t) {
    text_ = t;
    setProperty("text", t);  // what the window tests read back
    update();
  }
  const QString& text() const { return text_; }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (c_.has_back && !c_.transparent) p.fillRect(rect(), QColor::fromRgb(c_.back));
    p.setPen(palette().color(QPalette::WindowText));
    const QFont f = font();
    const int pitch = std::max(1, c_.font_px - 1) * scale_;
    qreal y = 0;
    for (const QString& para : text_.split(QChar('\n'))) {
      QTextLayout layout(para, f);
      QTextOption opt;
      opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
      opt.setAlignment(c_.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft);
      layout.setTextOption(opt);
      layout.beginLayout();
      for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width());
        line.setPosition(QPointF(0, y));
        y += pitch;
      }
      layout.endLayout();
      layout.draw(&p, QPointF(0, 0));
      if (y > height()) break;
    }
  }

 private:
  const Control& c_;
  const int& scale_;
  QString text_;
};

// A picture control: the model's surface, drawn at the model's size and
// magnified by the zoom with nearest-neighbour, so its pixels stay crisp.
class PictureWidget : public QWidget {
 public:
  PictureWidget(QWidget* parent, Control& c, const int& scale) : QWidget(parent), c_(c), scale_(scale) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (c_.image.isNull()) {
      p.fillRect(rect(), palette().window());
      return;
    }
    if (c_.stretch) {
      p.drawImage(rect(), c_.image);
    } else {
      p.fillRect(rect(), palette().window());
      p.drawImage(QRect(0, 0, c_.image.width() * scale_, c_.image.height() * scale_), c_.image);
    }
  }
  void mousePressEvent(QMouseEvent*) override {
    if (on_press) on_press();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (on_click && rect().contains(e->position().toPoint())) on_click();
  }
  std::function<void()> on_press, on_click;

 private:
  Control& c_;
  const int& scale_;
};

}  // namespace

struct MainWindow::Mirror {
  Control* c;
  QWidget* w;
  // What the widget shows now, to touch it only on change.
  bool visible = false, enabled = true;
  QRect geo;
  std::string caption, text;
  int max = -1, value = -1;
  std::vector<std::string> rows;
  int selected = -2;
  uint64_t image_rev = ~uint64_t{0};
  QRgb fore = 0;
  bool has_fore = false;
  bool own_font = false;  // a font of its own rather than the window's
};

namespace {

const QString kCaption = QStringLiteral("ZANDO ARENA 2");

void set_window_colour(QWidget* w, QRgb colour) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(colour));
  w->setPalette(pal);
}

}  // namespace

void run_pause(int ms, const std::function<bool()>& fast, const std::function<void(long long)>& sleep_us) {
  if (ms <= 0) return;
  // Game time between two looks at the key: short enough that a key pressed
  // in a long pause speeds up its rest at once.
  constexpr long long kSliceUs = 20000;
  long long left = static_cast<long long>(ms) * 1000;
  while (left > 0) {
    const long long slice = std::min(left, kSliceUs);
    sleep_us(fast && fast() ? slice / 10 : slice);
    left -= slice;
  }
}

MainWindow::MainWindow() {
  setWindowTitle(kCaption);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  set_window_colour(this, kSilver);
  setAutoFillBackground(true);
  setFont(game_font(13, true, false));
  // Every control lives in the area, which full screen centres on black.
  area_ = new QWidget(this);
  area_->setObjectName(QStringLiteral("play_area"));
  set_window_colour(area_, kSilver);
  area_->setAutoFillBackground(true);
  area_->setFont(game_font(13, true, false));
  fast_held = [] { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); };
  sleep_us = [](long long us) {
    if (us > 0) QThread::usleep(static_cast<unsigned long>(us));
  };
  title_timer_.setSingleShot(true);
  connect(&title_timer_, &QTimer::timeout, this, [this] { setWindowTitle(kCaption); });
  for (int i = 0; i < 3; ++i) {
    timers_[i].setTimerType(Qt::PreciseTimer);
    connect(&timers_[i], &QTimer::timeout, this, [this, i] { timer_due(i); });
  }
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::widget_of(const std::string& name) const {
  auto it = by_name_.find(name);
  return it == by_name_.end() ? nullptr : it->second->w;
}

void MainWindow::build(Control& c) {
  QWidget* parent = c.parent ? by_name_.at(c.parent->name)->w : area_;
  QWidget* w = nullptr;
  Game* g = game_;
  const std::string name = c.name;
  switch (c.kind) {
    case Kind::Panel: {
      // Panels are opaque: they hide whatever lies under them.
      auto* box = new QGroupBox(parent);
      box->setAutoFillBackground(true);
      if (c.has_back) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Window, QColor::fromRgb(c.back));
        box->setPalette(pal);
        // A style sheet replaces the palette's fill, so the colour goes in it too.
        box->setStyleSheet(QStringLiteral("QGroupBox { border: none; background-color: %1; }")
                               .arg(QColor::fromRgb(c.back).name()));
      }
      w = box;
      break;
    }
    case Kind::Button: {
      auto* b = new QPushButton(parent);
      b->setFocusPolicy(Qt::NoFocus);
      connect(b, &QPushButton::clicked, this, [this, g, name] { act("click " + name, [&] { click(*g, name); }); });
      w = b;
      break;
    }
    case Kind::Label:
      w = new LabelWidget(parent, c, scale_);
      break;
    case Kind::Gauge: {
      auto* p = new QProgressBar(parent);
      p->setTextVisible(false);
      w = p;
      break;
    }
    case Kind::Picture: {
      auto* p = new PictureWidget(parent, c, scale_);
      if (c.on_press || c.name == "open1" || c.name == "open2")
        p->on_press = [this, g, name] { act("press " + name, [&] { press(*g, name); }); };
      p->on_click = [this, g, name] { act("click " + name, [&] { click(*g, name); }); };
      w = p;
      break;
    }
    case Kind::Edit: {
      auto* e = new QLineEdit(parent);
      connect(e, &QLineEdit::textEdited, this, [this, g, name, e](const QString& t) {
        const std::string typed = t.toStdString();
        act("type " + typed, [&] {
          Control* ec = g->ui.find(name);
          // A refused character leaves the field as it was; a character with
          // two forms shows the one the game keeps.
          if (!edit_typed(*g, *ec, typed) || ec->text != typed) e->setText(q(ec->text));
        });
      });
      w = e;
      break;
    }
    case Kind::List: {
      auto* l = new QListWidget(parent);
      l->setFrameShape(QFrame::NoFrame);
      l->setFocusPolicy(Qt::NoFocus);
      l->setUniformItemSizes(true);
      l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      auto pick = [this, g, name, l](QListWidgetItem* item) {
        if (syncing_) return;
        // An item the last sync took away is no row of the list any more.
        const int row = l->row(item);
        if (row < 0) return;
        act("select# " + std::to_string(row), [&] {
          Control* lc = g->ui.find(name);
          lc->selected = row;
          run_handler(*g, lc->on_click);
        });
      };
      connect(l, &QListWidget::itemPressed, this, pick);
      connect(l, &QListWidget::itemClicked, this, pick);
      w = l;
      break;
    }
    case Kind::Slider: {
      auto* s = new QSlider(Qt::Horizontal, parent);
      s->setTickPosition(QSlider::TicksBelow);
      s->setTickInterval(1);
      s->setPageStep(1);
      s->setFocusPolicy(Qt::NoFocus);
      connect(s, &QSlider::valueChanged, this, [this, g, name](int v) {
        if (syncing_) return;
        act("slide " + std::to_string(v), [&] {
          Control* sc = g->ui.find(name);
          sc->value = v;
          run_handler(*g, sc->on_change);
        });
      });
      w = s;
      break;
    }
  }
  w->setObjectName(q(c.name));
  auto m = std::make_unique<Mirror>();
  m->c = &c;
  m->w = w;
  m->own_font = c.font_px != 13 || c.italic || !c.bold;
  if (m->own_font) w->setFont(game_font(c.font_px * scale_, c.bold, c.italic));
  by_name_[c.name] = m.get();
  mirrors_.push_back(std::move(m));
}

void MainWindow::attach(Game& g) {
  game_ = &g;
  for (Control* c : g.ui.all()) build(*c);
  // Later controls stack on top, as in the model.
  for (auto& m : mirrors_) m->w->raise();
  resize(kPlayWidth * zoom_, kPlayHeight * zoom_);
  layout_area();
  sync();
}

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

void MainWindow::sync_one(Mirror& m) {
  Control& c = *m.c;
  QWidget* w = m.w;
  const QRect geo(c.left * scale_, c.top * scale_, c.width * scale_, c.height * scale_);
  if (geo != m.geo) {
    w->setGeometry(geo);
    m.geo = geo;
  }
  if (c.has_fore != m.has_fore || c.fore != m.fore) {
    QPalette pal = w->palette();
    if (c.has_fore) {
      pal.setColor(QPalette::WindowText, QColor::fromRgb(c.fore));
      pal.setColor(QPalette::ButtonText, QColor::fromRgb(c.fore));
      pal.setColor(QPalette::Text, QColor::fromRgb(c.fore));
    }
    if (c.kind == Kind::List && c.has_back) pal.setColor(QPalette::Base, QColor::fromRgb(c.back));
    w->setPalette(pal);
    m.has_fore = c.has_fore;
    m.fore = c.fore;
  }
  switch (c.kind) {
    case Kind::Panel:
      if (c.caption != m.caption) static_cast<QGroupBox*>(w)->setTitle(q(m.caption = c.caption));
      break;
    case Kind::Button:
      if (c.caption != m.caption) static_cast<QPushButton*>(w)->setText(q(m.caption = c.caption));
      break;
    case Kind::Label:
      if (c.text != m.text) static_cast<LabelWidget*>(w)->set_text(q_lines(m.text = c.text));
      break;
    case Kind::Edit:
      if (c.text != m.text) {
        auto* e = static_cast<QLineEdit*>(w);
        m.text = c.text;
        if (e->text().toStdString() != c.text) e->setText(q(c.text));
      }
      break;
    case Kind::Gauge: {
      auto* p = static_cast<QProgressBar*>(w);
      const int max = c.max > 0 ? c.max : 1;
      const int v = c.value < 0 ? 0 : (c.value > max ? max : c.value);
      if (max != m.max) p->setRange(0, m.max = max);
      if (v != m.value) p->setValue(m.value = v);
      break;
    }
    case Kind::Slider: {
      auto* s = static_cast<QSlider*>(w);
      if (c.max != m.max) s->setRange(0, m.max = c.max);
      if (c.value != m.value) s->setValue(m.value = c.value);
      break;
    }
    case Kind::List: {
      auto* l = static_cast<QListWidget*>(w);
      if (c.rows != m.rows) {
        l->clear();
        // Rows as tall as the font: the panel packs its lines tight.
        for (const auto& r : c.rows) {
          auto* item = new QListWidgetItem(q(r));
          item->setSizeHint(QSize(c.width * scale_, c.font_px * scale_));
          l->addItem(item);
        }
        m.rows = c.rows;
        m.selected = -2;
      }
      if (c.selected != m.selected) {
        l->setCurrentRow(c.selected);
        m.selected = c.selected;
      }
      break;
    }
    case Kind::Picture:
      if (c.image_rev != m.image_rev) {
        m.image_rev = c.image_rev;
        w->update();
      }
      break;
  }
  if (c.enabled != m.enabled) w->setEnabled(m.enabled = c.enabled);
  if (c.visible != m.visible || w->isHidden() == c.visible) {
    w->setVisible(c.visible);
    m.visible = c.visible;
  }
}

void MainWindow::sync_timers() {
  const Timer* ts[3] = {&game_->timer1, &game_->timer2, &game_->timer3};
  for (int i = 0; i < 3; ++i) {
    int interval = ts[i]->interval_ms;
    // The opening show is an animation too: fast-forward runs it ten times
    // faster. The refresh and the play-time minutes keep their pace.
    if (i == 2 && ts[i]->enabled && fast_held && fast_held()) interval = std::max(1, interval / 10);
    if (ts[i]->enabled && !timers_[i].isActive()) {
      timers_[i].start(interval);
    } else if (!ts[i]->enabled && timers_[i].isActive()) {
      timers_[i].stop();
    } else if (ts[i]->enabled && timers_[i].interval() != interval) {
      timers_[i].setInterval(interval);
    }
  }
}

int MainWindow::timer_interval(int which) const {
  if (which < 1 || which > 3 || !timers_[which - 1].isActive()) return 0;
  return timers_[which - 1].interval();
}

void MainWindow::sync() {
  if (!game_) return;
  syncing_ = true;
  for (auto& m : mirrors_) sync_one(*m);
  syncing_ = false;
  sync_timers();
}

void MainWindow::act(std::string line, const std::function<void()>& run) {
  if (!game_) return;
  const bool outer = acting_ == 0;
  if (outer && recorder_) recorder_->begin(std::move(line));
  ++acting_;
  run();
  --acting_;
  if (!outer) return;
  if (recorder_) recorder_->end();
  sync();
  run_due_ticks();
}

void MainWindow::timer_due(int i) {
  if (!game_ || game_->closed) return;
  if (acting_ > 0) {
    tick_due_[i] = true;
    return;
  }
  const Timer* ts[3] = {&game_->timer1, &game_->timer2, &game_->timer3};
  if (!ts[i]->enabled) return;
  act("tick Timer" + std::to_string(i + 1), [&] { timer_fire(*game_, i + 1); });
}

void MainWindow::run_due_ticks() {
  // A close the action asked for comes before them.
  if (close_asked_) return;
  for (int i = 0; i < 3; ++i)
    if (tick_due_[i]) {
      tick_due_[i] = false;
      timer_due(i);
    }
}

void MainWindow::box_done(const bool* yes) {
  if (yes && recorder_) recorder_->answer(*yes);
  // The status refresh runs once while a box is read, and only then: the
  // headless driver does the same, so a recorded session replays exactly.
  if (!game_ || in_box_tick_) return;
  in_box_tick_ = true;
  timer_fire(*game_, 1);
  in_box_tick_ = false;
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!game_ || game_->closed) {
    e->accept();
    return;
  }
  const bool asked = close_asked_;
  close_asked_ = false;
  if (recorder_ && !recorder_->holding()) recorder_->begin("close");
  ++acting_;
  const bool closing = close_request(*game_, unattended_);
  --acting_;
  if (closing) {
    game_->closed = true;
    for (auto& t : timers_) t.stop();
    if (recorder_) recorder_->closed();
    z2::destroy(*game_);
    e->accept();
  } else {
    if (recorder_) asked ? recorder_->close_refused() : recorder_->end();
    sync();
    e->ignore();
    run_due_ticks();
  }
}

namespace {

// Dismisses the open modal boxes (a yes/no box answers "no"). Bounded: a box
// that refuses to go is left to the next try.
void dismiss_boxes() {
  for (int i = 0; i < 16; ++i) {
    QWidget* m = QApplication::activeModalWidget();
    if (!m) return;
    if (auto* d = qobject_cast<QDialog*>(m)) {
      d->reject();
    } else {
      m->close();
    }
  }
}

}  // namespace

void MainWindow::end_session() {
  if (unattended_) return;  // already on its way
  unattended_ = true;
  dismiss_boxes();
  // With no handler running the close can run now, which is what a session
  // manager waiting for the save needs; a handler that waited in a box
  // finishes first.
  if (boxes_open_ == 0 && !QApplication::activeModalWidget()) {
    finish_session();
  } else {
    QTimer::singleShot(0, this, [this] { finish_session(); });
  }
}

void MainWindow::finish_session() {
  if (boxes_open_ > 0 || QApplication::activeModalWidget()) {
    // A handler is still inside a box's event loop: let it finish first.
    dismiss_boxes();
    QTimer::singleShot(10, this, [this] { finish_session(); });
    return;
  }
  close();
  // Whatever else is open, the program ends here.
  QCoreApplication::quit();
}

// ---- platform ----

namespace {

// Counts a box of the platform while it is open.
struct BoxOpen {
  int& n;
  explicit BoxOpen(int& count) : n(count) { ++n; }
  ~BoxOpen() { --n; }
  BoxOpen(const BoxOpen&) = delete;
  BoxOpen& operator=(const BoxOpen&) = delete;
};

// A modal box over the window, its text as large as the window's zoom.
int run_box(MainWindow& w, QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, kCaption, q_lines(text), buttons, &w);
  if (w.scale() > 1) {
    QFont f = QApplication::font();
    if (f.pixelSize() > 0) {
      f.setPixelSize(f.pixelSize() * w.scale());
    } else {
      f.setPointSizeF(f.pointSizeF() * w.scale());
    }
    box.setFont(f);
  }
  return box.exec();
}

}  // namespace

QtPlatform::QtPlatform(MainWindow& w)
    : QtPlatform(w, make_audio([&w](std::function<void()> f) {
                   QMetaObject::invokeMethod(&w, std::move(f), Qt::QueuedConnection);
                 },
                 [&w] { return w.isVisible(); })) {}

QtPlatform::QtPlatform(MainWindow& w, std::unique_ptr<Audio> audio) : w_(w), audio_(std::move(audio)) {
  w_.platform_ = this;
}

QtPlatform::~QtPlatform() {
  if (w_.platform_ == this) w_.platform_ = nullptr;
}

void QtPlatform::repaint() {
  w_.sync();
  // Paint what the sync marked dirty, now: the game sleeps next. Only that
  // update request is served (no input, no timers), and a typing step repaints
  // its message lines rather than the whole window.
  QCoreApplication::sendPostedEvents(&w_, QEvent::UpdateRequest);
}

void QtPlatform::pause(int ms) { run_pause(ms, w_.fast_held, w_.sleep_us); }

void QtPlatform::close_window() {
  w_.close_asked_ = true;
  if (w_.recorder_) w_.recorder_->hold_for_close();
  // Queued, so that the handler that asked finishes first.
  QMetaObject::invokeMethod(&w_, [w = &w_] { w->close(); }, Qt::QueuedConnection);
}

bool QtPlatform::ask(const std::string& text) {
  // Nobody is there to answer: "no" is the answer that changes nothing.
  bool yes = false;
  if (!w_.unattended()) {
    w_.sync();
    BoxOpen open(w_.boxes_open_);
    yes = run_box(w_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  }
  w_.box_done(&yes);
  return yes;
}

void QtPlatform::notice(const std::string& text) {
  if (!w_.unattended()) {
    w_.sync();
    BoxOpen open(w_.boxes_open_);
    run_box(w_, QMessageBox::Information, text, QMessageBox::Ok);
  }
  w_.box_done(nullptr);
}

void QtPlatform::error(const std::string& text) {
  if (w_.unattended()) {
    // Still said, where a closing session leaves its messages.
    std::cerr << "zando2: " << text << std::endl;
  } else {
    w_.sync();
    BoxOpen open(w_.boxes_open_);
    run_box(w_, QMessageBox::Critical, text, QMessageBox::Ok);
  }
  w_.box_done(nullptr);
}

void QtPlatform::sound_play(const std::string& path) {
  if (!w_.muted()) audio_->play_effect(path);
}

void QtPlatform::music_play(const std::string& path) {
  // An empty name keeps whatever plays.
  if (path.empty()) return;
  music_ = path;
  if (!w_.muted()) audio_->music_play(path);
}

void QtPlatform::music_stop() {
  music_.clear();
  audio_->music_stop();
}

void QtPlatform::mute_changed(bool muted) {
  if (muted) {
    audio_->music_stop();
  } else if (!music_.empty()) {
    audio_->music_play(music_);
  }
}
void QtPlatform::sound_hold(const std::string& path, int count) { audio_->hold(path, count); }
void QtPlatform::sound_release_held() { audio_->release_held(); }

}  // namespace z2
