// The keyboard's focus over the game's controls, and the ring that shows it.
#include "platform/qt/focus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QSlider>
#include <algorithm>
#include <climits>
#include <filesystem>

#include "platform/qt/widgets.h"
#include "platform/qt/window.h"
#include "shell/game.h"

namespace z2 {

namespace {

const Control* root_of(const Control* c) {
  while (c->parent) c = c->parent;
  return c;
}

// Where a control is in the play area, in the model's pixels.
QRect place_of(const Control* c) {
  QRect r(c->left, c->top, c->width, c->height);
  for (const Control* up = c->parent; up; up = up->parent) r.translate(up->left, up->top);
  return r;
}

// The panels that take the focus when they come up, the most pressing first:
// the one a player must answer before the others.
constexpr const char* kPanelOrder[] = {"open_box", "start_box", "list_box", "name_box",  "lv_box",   "gousei_box",
                                       "shop_box", "battle_com", "map_box", "menu_com", "debug_box"};

bool can_focus(const Control* c) {
  if (!c->usable()) return false;
  switch (c->kind) {
    case Kind::Button:
    case Kind::List:
    case Kind::Edit:
    case Kind::Slider:
      return true;
    case Kind::Picture:
      return c->on_click || c->on_press;
    default:
      return false;
  }
}

// How far `to` lies from `from` in direction `m`, rows and columns first;
// INT_MAX when it does not lie that way at all.
int distance(QRect from, QRect to, Focus::Move m) {
  const QPoint a = from.center(), b = to.center();
  int along = 0, across = 0;
  auto gap = [](int lo1, int hi1, int lo2, int hi2) { return std::max(0, std::max(lo1, lo2) - std::min(hi1, hi2)); };
  switch (m) {
    case Focus::Move::Left:
      along = a.x() - b.x();
      across = gap(from.top(), from.bottom(), to.top(), to.bottom());
      break;
    case Focus::Move::Right:
      along = b.x() - a.x();
      across = gap(from.top(), from.bottom(), to.top(), to.bottom());
      break;
    case Focus::Move::Up:
      along = a.y() - b.y();
      across = gap(from.left(), from.right(), to.left(), to.right());
      break;
    case Focus::Move::Down:
      along = b.y() - a.y();
      across = gap(from.left(), from.right(), to.left(), to.right());
      break;
    default:
      return INT_MAX;
  }
  if (along <= 0) return INT_MAX;
  return along + 3 * across;
}

}  // namespace

FocusRing::FocusRing(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("focus_ring"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void FocusRing::frame(QRect target, int scale) {
  scale_ = std::max(1, scale);
  // Half outside the control, half inside: neighbours three pixels apart
  // keep their own edges.
  const int out = 2 * scale_;
  const QRect at = target.adjusted(-out, -out, out, out);
  // Repainted only when it moves: an idle screen paints nothing.
  if (at == geometry()) return;
  setGeometry(at);
  update();
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int s = scale_;
  // Yellow between two black lines: seen on the silver panels, the white
  // message boxes and the black list alike.
  auto band = [&](QRect r, int t, QColor c) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), t), c);
    p.fillRect(QRect(r.left(), r.bottom() - t + 1, r.width(), t), c);
    p.fillRect(QRect(r.left(), r.top(), t, r.height()), c);
    p.fillRect(QRect(r.right() - t + 1, r.top(), t, r.height()), c);
  };
  const QRect r = rect();
  band(r, s, Qt::black);
  band(r.adjusted(s, s, -s, -s), 2 * s, QColor(255, 224, 0));
  band(r.adjusted(3 * s, 3 * s, -3 * s, -3 * s), s, Qt::black);
}

Focus::Focus(MainWindow& w) : w_(w) {
  // The keys of the window and of its naming field, the arrows of its boxes
  // and the mouse presses that put the ring away.
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow_box_focus(now); });
}

std::vector<const Control*> Focus::candidates() const {
  std::vector<const Control*> out;
  Game* g = w_.game();
  if (!g) return out;
  // The opening and the title cover the game: only their controls count.
  const Control* cover = g->ui.open_box.shown() ? &g->ui.open_box : g->ui.start_box.shown() ? &g->ui.start_box : nullptr;
  for (const Control* c : g->ui.all()) {
    if (!can_focus(c)) continue;
    const Control* root = root_of(c);
    if (cover && root != cover) continue;
    const QWidget* wd = w_.widget_of(c->name);
    if (!wd || wd->isHidden()) continue;
    out.push_back(c);
  }
  // Reading order: the play area's panels, then what lies below or beside
  // it; inside each, row by row.
  auto key = [](const Control* c) {
    const QRect root = place_of(root_of(c));
    const QRect at = place_of(c);
    const bool aside = root.left() >= kPlayWidth || root.top() >= kPlayHeight;
    return std::make_tuple(aside, root.top(), root.left(), at.top(), at.left());
  };
  std::stable_sort(out.begin(), out.end(), [&](const Control* a, const Control* b) { return key(a) < key(b); });
  return out;
}

const Control* Focus::first_of(const std::vector<const Control*>& cs, const Control* panel) const {
  Game* g = w_.game();
  if (panel == &g->ui.start_box) {
    // COUNTINUE when there is a save to continue, else NEW GAME.
    std::error_code ec;
    const Control* c = std::filesystem::exists(g->save_path(), ec) ? &g->ui.Button11 : &g->ui.Button12;
    if (std::find(cs.begin(), cs.end(), c) != cs.end()) return c;
  }
  for (const Control* c : cs)
    if (root_of(c) == panel) return c;
  return nullptr;
}

void Focus::sync() {
  Game* g = w_.game();
  if (!g) return;
  const auto cs = candidates();
  auto has = [&](const Control* c) { return c && std::find(cs.begin(), cs.end(), c) != cs.end(); };
  // A panel that has just come up (or just got a control to focus) takes
  // the focus from a panel that matters less; when it goes, the focus goes
  // back where it was.
  auto rank = [&](const Control* c) {
    const Control* root = c ? root_of(c) : nullptr;
    for (size_t i = 0; i < std::size(kPanelOrder); ++i)
      if (root && root->name == kPanelOrder[i]) return i;
    return std::size(kPanelOrder);
  };
  const size_t now = has(current_) ? rank(current_) : std::size(kPanelOrder) + 1;
  std::vector<const Control*> panels;
  const Control* to = nullptr;
  for (const char* name : kPanelOrder) {
    const Control* p = g->ui.find(name);
    const Control* first = p->shown() ? first_of(cs, p) : nullptr;
    if (!first) continue;
    panels.push_back(p);
    if (!to && rank(p) < now && std::find(panels_.begin(), panels_.end(), p) == panels_.end()) to = first;
  }
  panels_ = std::move(panels);
  if (to) {
    if (has(current_) && to != current_) before_ = current_;
    set(to);
  } else if (!has(current_)) {
    if (has(before_)) to = before_;
    for (const char* name : kPanelOrder) {
      if (to) break;
      const Control* p = g->ui.find(name);
      if (p->shown()) to = first_of(cs, p);
    }
    if (!to && !cs.empty()) to = cs.front();
    before_ = nullptr;
    set(to);
  }
  place_ring();
}

void Focus::set(const Control* c) {
  current_ = c;
  QWidget* wd = c ? w_.widget_of(c->name) : nullptr;
  if (c && c->kind == Kind::Edit) {
    // Typed keys go into the field.
    if (!wd->hasFocus()) wd->setFocus(Qt::OtherFocusReason);
  } else if (QWidget* f = QApplication::focusWidget(); f && f != &w_ && f->window() == &w_) {
    // Keys come to the window again.
    f->clearFocus();
  }
  place_ring();
}

void Focus::show_ring() {
  shown_ = true;
  place_ring();
}

void Focus::place_ring() {
  QWidget* wd = current_ ? w_.widget_of(current_->name) : nullptr;
  if (!shown_ || !wd || !wd->isVisibleTo(&w_)) {
    if (ring_) ring_->hide();
    return;
  }
  if (!ring_) {
    // Over every control, made after them all.
    ring_ = new FocusRing(w_.area());
    ring_->raise();
  }
  ring_->frame(QRect(wd->mapTo(w_.area(), QPoint(0, 0)), wd->size()), w_.scale());
  ring_->show();
}

bool Focus::push(const Control* c) {
  if (!c || !can_focus(c)) return false;
  QWidget* wd = w_.widget_of(c->name);
  if (c->kind == Kind::Button) {
    // The button's own click: the same path as the mouse's.
    static_cast<QAbstractButton*>(wd)->click();
    return true;
  }
  if (c->kind == Kind::Picture) {
    // A press, then the click of the release, as the mouse gives them.
    auto* p = static_cast<PictureWidget*>(wd);
    if (p->on_press) p->on_press();
    if (p->on_click && c->usable()) p->on_click();
    return true;
  }
  return false;
}

bool Focus::activate() {
  Game* g = w_.game();
  if (!g || !current_) return false;
  switch (current_->kind) {
    case Kind::Button:
    case Kind::Picture:
      return push(current_);
    case Kind::List:
      return push(&g->ui.OK);
    case Kind::Edit: {
      // The field's button: the name is done.
      for (const Control* c : candidates())
        if (c->parent == current_->parent && c->kind == Kind::Button) return push(c);
      return false;
    }
    default:
      return false;
  }
}

bool Focus::back() {
  Game* g = w_.game();
  if (!g) return false;
  if (g->ui.open_box.shown()) return push(&g->ui.open1);
  if (g->ui.list_box.shown() && push(&g->ui.cancel_b)) return true;
  // A choice with its own Cancel (which weapon to fuse into).
  for (const Control* c : candidates())
    if (c->kind == Kind::Button && c->caption == "Cancel") return push(c);
  return false;
}

bool Focus::shortcut(int key) {
  Game* g = w_.game();
  if (!g) return false;
  Ui& ui = g->ui;
  const Control* c = nullptr;
  if (ui.start_box.shown() && !ui.open_box.shown()) {
    if (key == Qt::Key_C) c = &ui.Button11;
    if (key == Qt::Key_N) c = &ui.Button12;
    if (key == Qt::Key_O) c = &ui.Button45;
  } else if (ui.battle_com.shown()) {
    const Control* keys[] = {&ui.b1, &ui.b2, &ui.b3, &ui.b4, &ui.tower_b};
    if (key >= Qt::Key_1 && key <= Qt::Key_5) c = keys[key - Qt::Key_1];
  }
  if (!c || !can_focus(c)) return false;
  set(c);
  return push(c);
}

bool Focus::step_list(int delta) {
  const Control& l = *current_;
  const int rows = static_cast<int>(l.rows.size());
  const int row = l.selected < 0 ? 0 : l.selected + delta;
  if (row < 0 || row >= rows || row == l.selected) return false;
  auto* lw = static_cast<QListWidget*>(w_.widget_of(l.name));
  QListWidgetItem* item = lw->item(row);
  if (!item) return false;
  // What a click on the row runs.
  emit lw->itemClicked(item);
  return true;
}

bool Focus::move(Move m) {
  const auto cs = candidates();
  if (cs.empty()) return false;
  auto at = std::find(cs.begin(), cs.end(), current_);
  if (at == cs.end()) {
    set(cs.front());
    return true;
  }
  if (m == Move::Next || m == Move::Prev) {
    const long n = static_cast<long>(cs.size());
    const long i = ((at - cs.begin()) + (m == Move::Next ? 1 : n - 1)) % n;
    set(cs[static_cast<size_t>(i)]);
    return true;
  }
  if (current_->kind == Kind::List && (m == Move::Up || m == Move::Down) && step_list(m == Move::Up ? -1 : 1))
    return true;
  if (current_->kind == Kind::Slider && (m == Move::Left || m == Move::Right)) {
    auto* s = static_cast<QSlider*>(w_.widget_of(current_->name));
    const int v = std::clamp(s->value() + (m == Move::Left ? -1 : 1), s->minimum(), s->maximum());
    if (v == s->value()) return false;
    // The slider's own change: the same path as dragging it.
    s->setValue(v);
    return true;
  }
  const QRect from = place_of(current_);
  const Control* best = nullptr;
  int best_d = INT_MAX;
  for (const Control* c : cs) {
    if (c == current_) continue;
    const int d = distance(from, place_of(c), m);
    if (d < best_d) {
      best_d = d;
      best = c;
    }
  }
  if (!best) return false;
  set(best);
  return true;
}

bool Focus::key(QObject* o, QKeyEvent* e) {
  Game* g = w_.game();
  if (!g || g->closed) return false;
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  // A tip on show takes the first key.
  if (w_.tips().strip()->isVisible()) return false;
  const bool in_edit = qobject_cast<QLineEdit*>(o) != nullptr;
  const bool once = !e->isAutoRepeat();
  const int k = e->key();
  // The first key after the mouse only brings the ring back.
  auto navigate = [&](auto&& what) {
    if (!shown_) {
      show_ring();
    } else {
      what();
    }
    return true;
  };
  switch (k) {
    case Qt::Key_Tab:
      return navigate([&] { move(Move::Next); });
    case Qt::Key_Backtab:
      return navigate([&] { move(Move::Prev); });
    case Qt::Key_Left:
    case Qt::Key_Right:
      // In the naming field they move the cursor.
      if (in_edit) return false;
      return navigate([&] { move(k == Qt::Key_Left ? Move::Left : Move::Right); });
    case Qt::Key_Up:
      return navigate([&] { move(Move::Up); });
    case Qt::Key_Down:
      return navigate([&] { move(Move::Down); });
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return navigate([&] {
        if (once) activate();
      });
    case Qt::Key_Space:
      if (in_edit) return false;
      return navigate([&] {
        if (once) activate();
      });
    case Qt::Key_Escape:
      // Nothing to cancel: the window's own Esc (leaving full screen).
      return once && back();
    default:
      return !in_edit && once && shortcut(k);
  }
}

void Focus::follow_box_focus(QWidget* now) {
  auto* box = now ? qobject_cast<QMessageBox*>(now->window()) : nullptr;
  if (!box || !qobject_cast<QAbstractButton*>(now) || box->parentWidget() != &w_) return;
  if (!box_ring_ || box_ring_->parentWidget() != box) {
    delete box_ring_;
    box_ring_ = new FocusRing(box);
  }
  box_ring_->frame(QRect(now->mapTo(box, QPoint(0, 0)), now->size()), w_.scale());
  box_ring_->show();
  box_ring_->raise();
}

bool Focus::eventFilter(QObject* o, QEvent* e) {
  const QEvent::Type t = e->type();
  if (t == QEvent::MouseButtonPress) {
    auto* wd = qobject_cast<QWidget*>(o);
    if (shown_ && wd && wd->window() == &w_) {
      shown_ = false;
      place_ring();
    }
    return false;
  }
  if (t != QEvent::KeyPress) return false;
  auto* ke = static_cast<QKeyEvent*>(e);
  if (auto* box = qobject_cast<QMessageBox*>(o); box && box->parentWidget() == &w_) {
    // Up and down move between the box's buttons as left and right do.
    if (ke->key() != Qt::Key_Up && ke->key() != Qt::Key_Down) return false;
    auto buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(),
              [box](QWidget* a, QWidget* b) { return a->mapTo(box, QPoint(0, 0)).x() < b->mapTo(box, QPoint(0, 0)).x(); });
    const qsizetype i = buttons.indexOf(QApplication::focusWidget());
    const qsizetype j = i < 0 ? 0 : std::clamp<qsizetype>(i + (ke->key() == Qt::Key_Up ? -1 : 1), 0, buttons.size() - 1);
    if (j < buttons.size()) buttons[j]->setFocus(Qt::TabFocusReason);
    return true;
  }
  // The window, or its naming field before the field sees the key (a key
  // the field leaves comes to the window as well).
  auto* edit = qobject_cast<QLineEdit*>(o);
  if (o != &w_ && !(edit && edit->window() == &w_)) return false;
  return key(o, ke);
}

}  // namespace z2
