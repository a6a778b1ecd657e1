// The main window: builds a widget for every control of the model, mirrors
// the model onto them, turns clicks and timer ticks into the game's handlers,
// and closes as the game asks.
#include "platform/qt/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QPushButton>
#include <QSlider>
#include <QThread>
#include <algorithm>

#include "platform/qt/recorder.h"
#include "platform/qt/widgets.h"
#include "shell/game.h"
#include "shell/text_entry.h"
#include "shell/title.h"

namespace z2 {

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
  connect(&title_timer_, &QTimer::timeout, this, [this] {
    setWindowTitle(kCaption);
    hide_note();
  });
  screen_room = [this] {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
  };
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
      // A first bound for a paste; the game cuts at kNameBytes CP932 bytes.
      e->setMaxLength(static_cast<int>(kNameBytes));
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

void MainWindow::sync_one(Mirror& m) {
  Control& c = *m.c;
  QWidget* w = m.w;
  const QRect d = c.drawn();
  const QRect geo(d.topLeft() * scale_, d.size() * scale_);
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
  fit_text(m);
  if (c.enabled != m.enabled) w->setEnabled(m.enabled = c.enabled);
  if (c.visible != m.visible || w->isHidden() == c.visible) {
    w->setVisible(c.visible);
    m.visible = c.visible;
  }
}

void MainWindow::fit_text(Mirror& m) {
  const Control& c = *m.c;
  const bool button = c.kind == Kind::Button;
  // A label that keeps to its lines: a longer line would wrap out of sight
  // or onto the gauges laid over the next.
  if (!button && !(c.kind == Kind::Label && !c.wraps)) return;
  const std::string& text = button ? c.caption : c.text;
  if (m.fitted_px != 0 && text == m.fitted) return;
  m.fitted = text;
  // A button keeps its frame and a pixel of air on either side.
  const int room = (button ? c.width - 6 : c.width + c.spare) * scale_;
  const int px = fitting_px(button ? q(text) : q_lines(text), room, c.font_px * scale_, c.bold, c.italic);
  if (px == m.fitted_px) return;
  m.fitted_px = px;
  m.w->setFont(game_font(px, c.bold, c.italic));
}

void MainWindow::sync_timers() {
  const Timer* ts[3] = {&game_->timer1, &game_->timer2, &game_->timer3};
  for (int i = 0; i < 3; ++i) {
    int interval = ts[i]->interval_ms;
    // The opening show is an animation too: fast-forward runs it ten times
    // faster. The refresh and the play-time minutes keep their pace.
    if (i == 2 && ts[i]->enabled && fast()) interval = std::max(1, interval / 10);
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
  tips_.check(*game_);
  focus_.sync();
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
  // Whatever else is open, the program ends here: with status 1 when the
  // game could not be saved, so that whoever ended it learns so.
  QCoreApplication::exit(game_ && game_->left_unsaved ? 1 : 0);
}

}  // namespace z2
