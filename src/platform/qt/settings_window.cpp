#include "platform/qt/settings_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStandardItemModel>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>
#include <tuple>

#include "platform/qt/settings.h"
#include "platform/qt/window.h"
#include "shell/game.h"
#include "state/game_state.h"

namespace z2 {
namespace {

// The effect a moving volume slider plays, so the player hears the level.
constexpr char kPreviewEffect[] = "key.wav";
// At most one preview this often while the slider moves.
constexpr int kPreviewMs = 250;

QFont scaled_font(int scale) {
  QFont f = QApplication::font();
  if (f.pixelSize() > 0) {
    f.setPixelSize(f.pixelSize() * scale);
  } else {
    f.setPointSizeF(f.pointSizeF() * scale);
  }
  return f;
}

QString percent(int v) { return QStringLiteral("%1%").arg(v); }

// The application's style with its boxes, sliders, margins and spacings as
// many times larger as the text, so that a zoomed window looks as the plain
// one does, only larger.
class ScaledStyle : public QProxyStyle {
 public:
  ScaledStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
  int scale = 1;
  int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
    const int base = QProxyStyle::pixelMetric(m, o, w);
    switch (m) {
      case PM_IndicatorWidth:
      case PM_IndicatorHeight:
      case PM_ExclusiveIndicatorWidth:
      case PM_ExclusiveIndicatorHeight:
      case PM_CheckBoxLabelSpacing:
      case PM_RadioButtonLabelSpacing:
      case PM_SliderThickness:
      case PM_SliderLength:
      case PM_SliderControlThickness:
      case PM_SliderTickmarkOffset:
      case PM_LayoutLeftMargin:
      case PM_LayoutTopMargin:
      case PM_LayoutRightMargin:
      case PM_LayoutBottomMargin:
      case PM_LayoutHorizontalSpacing:
      case PM_LayoutVerticalSpacing:
      case PM_ButtonMargin:
      case PM_FocusFrameHMargin:
      case PM_FocusFrameVMargin:
        return base * scale;
      default:
        return base;
    }
  }
  // A slider with the keyboard's focus is framed, plainly enough to find it
  // when Tab moves on.
  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* o, QPainter* p,
                          const QWidget* w) const override {
    QProxyStyle::drawComplexControl(cc, o, p, w);
    if (cc != CC_Slider || !(o->state & State_HasFocus)) return;
    p->save();
    p->setPen(QPen(o->palette.color(QPalette::Highlight), scale));
    p->setBrush(Qt::NoBrush);
    const qreal in = scale / 2.0;
    p->drawRoundedRect(QRectF(o->rect).adjusted(in, in, -in, -in), 3 * scale, 3 * scale);
    p->restore();
  }
};

class SettingsWindow : public QDialog {
 public:
  explicit SettingsWindow(MainWindow& w);
  // Shows the choices as they are now.
  void refresh();
  // A font as large as the window's zoom, smaller where the screen has no room for it.
  void fit();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QSlider* volume_slider(const char* name);
  QSlider* game_slider() const;
  void volumes_moved();
  void speed_moved(int v);
  void preview();
  void restore_defaults();
  void choose_zoom(int i);

  MainWindow& w_;
  QSlider* music_;
  QLabel* music_pc_;
  QSlider* effects_;
  QLabel* effects_pc_;
  QCheckBox* mute_;
  QSlider* speed_;
  QRadioButton* fast_held_;
  QRadioButton* fast_on_;
  QCheckBox* tips_;
  QComboBox* zoom_;
  QCheckBox* full_;
  QPointer<ScaledStyle> style_;
  QTimer preview_timer_;
  bool preview_due_ = false;
  int fitted_ = 0;  // the zoom the font was fitted for
};

QSlider* SettingsWindow::volume_slider(const char* name) {
  auto* s = new QSlider(Qt::Horizontal, this);
  s->setObjectName(QString::fromLatin1(name));
  s->setRange(0, kVolumeMax);
  s->setSingleStep(5);
  s->setPageStep(10);
  s->setTickPosition(QSlider::TicksBelow);
  s->setTickInterval(10);
  connect(s, &QSlider::valueChanged, this, [this] { volumes_moved(); });
  return s;
}

SettingsWindow::SettingsWindow(MainWindow& w) : QDialog(&w), w_(w) {
  setObjectName(QStringLiteral("settings_window"));
  setWindowTitle(QStringLiteral("ZANDO ARENA 2 - 設定"));
  // The game waits while the player chooses; its clocks go on.
  setWindowModality(Qt::WindowModal);
  preview_timer_.setSingleShot(true);
  connect(&preview_timer_, &QTimer::timeout, this, [this] {
    if (!preview_due_) return;
    preview_due_ = false;
    preview();
  });

  // The sound.
  auto* sound = new QGroupBox(QStringLiteral("サウンド"), this);
  auto* sg = new QGridLayout(sound);
  music_ = volume_slider("music_volume");
  effects_ = volume_slider("effect_volume");
  music_pc_ = new QLabel(sound);
  effects_pc_ = new QLabel(sound);
  mute_ = new QCheckBox(QStringLiteral("ミュート（音を全部消す・M キー）"), sound);
  mute_->setObjectName(QStringLiteral("mute"));
  connect(mute_, &QCheckBox::toggled, this, [this](bool on) { w_.set_muted(on); });
  int row = 0;
  for (auto [text, slider, pc] : {std::tuple{"音楽の音量", music_, music_pc_}, std::tuple{"効果音の音量", effects_, effects_pc_}}) {
    auto* label = new QLabel(QString::fromUtf8(text), sound);
    label->setBuddy(slider);
    pc->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sg->addWidget(label, row, 0);
    sg->addWidget(slider, row, 1);
    sg->addWidget(pc, row, 2);
    ++row;
  }
  sg->addWidget(mute_, row, 0, 1, 3);
  sg->setColumnStretch(1, 1);

  // How the game runs.
  auto* play = new QGroupBox(QStringLiteral("ゲームの進み方"), this);
  auto* pg = new QGridLayout(play);
  speed_ = new QSlider(Qt::Horizontal, play);
  speed_->setObjectName(QStringLiteral("text_speed"));
  speed_->setTickPosition(QSlider::TicksBelow);
  speed_->setTickInterval(1);
  speed_->setPageStep(1);
  connect(speed_, &QSlider::valueChanged, this, [this](int v) { speed_moved(v); });
  auto* speed_label = new QLabel(QStringLiteral("文字スピード"), play);
  speed_label->setBuddy(speed_);
  auto* speed_row = new QHBoxLayout;
  speed_row->addWidget(new QLabel(QStringLiteral("速い"), play));
  speed_row->addWidget(speed_, 1);
  speed_row->addWidget(new QLabel(QStringLiteral("ゆっくり"), play));
  pg->addWidget(speed_label, 0, 0);
  pg->addLayout(speed_row, 0, 1);
  fast_held_ = new QRadioButton(QStringLiteral("Shift を押している間だけ"), play);
  fast_held_->setObjectName(QStringLiteral("fast_held"));
  fast_on_ = new QRadioButton(QStringLiteral("ずっと早送り（F キーでも切り替え）"), play);
  fast_on_->setObjectName(QStringLiteral("fast_on"));
  connect(fast_on_, &QRadioButton::toggled, this, [this](bool on) { w_.set_fast_forward(on); });
  pg->addWidget(new QLabel(QStringLiteral("早送り"), play), 1, 0);
  pg->addWidget(fast_held_, 1, 1);
  pg->addWidget(fast_on_, 2, 1);
  tips_ = new QCheckBox(QStringLiteral("新人向けヒントを出す"), play);
  tips_->setObjectName(QStringLiteral("tips"));
  connect(tips_, &QCheckBox::toggled, this, [this](bool on) { w_.tips().set_enabled(on); });
  pg->addWidget(tips_, 3, 0, 1, 2);
  pg->setColumnStretch(1, 1);

  // The window.
  auto* view = new QGroupBox(QStringLiteral("画面"), this);
  auto* vg = new QGridLayout(view);
  zoom_ = new QComboBox(view);
  zoom_->setObjectName(QStringLiteral("zoom"));
  for (int z = kZoomMin; z <= kZoomMax; ++z) zoom_->addItem(QStringLiteral("%1倍").arg(z), z);
  connect(zoom_, &QComboBox::activated, this, [this](int i) { choose_zoom(i); });
  auto* zoom_label = new QLabel(QStringLiteral("表示の大きさ"), view);
  zoom_label->setBuddy(zoom_);
  full_ = new QCheckBox(QStringLiteral("フルスクリーン（F11 キー）"), view);
  full_->setObjectName(QStringLiteral("fullscreen"));
  connect(full_, &QCheckBox::toggled, this, [this](bool on) {
    w_.set_full_screen(on);
    refresh();
  });
  vg->addWidget(zoom_label, 0, 0);
  vg->addWidget(zoom_, 0, 1, Qt::AlignLeft);
  vg->addWidget(full_, 1, 0, 1, 2);
  vg->setColumnStretch(1, 1);

  auto* note = new QLabel(
      QStringLiteral("変えるとすぐに反映されるよ。文字スピードはセーブデータに、ほかはこのパソコンに覚えておくね。"), this);
  note->setWordWrap(true);

  auto* defaults = new QPushButton(QStringLiteral("標準に戻す"), this);
  defaults->setObjectName(QStringLiteral("defaults"));
  connect(defaults, &QPushButton::clicked, this, [this] { restore_defaults(); });
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("close"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(defaults);
  buttons->addStretch(1);
  buttons->addWidget(close);

  auto* root = new QVBoxLayout(this);
  root->addWidget(sound);
  root->addWidget(play);
  root->addWidget(view);
  root->addWidget(note);
  root->addLayout(buttons);
  root->setSizeConstraint(QLayout::SetFixedSize);
  // A widget's style reaches none of its children by itself.
  style_ = new ScaledStyle;
  style_->setParent(this);
  setStyle(style_);
  for (QWidget* c : findChildren<QWidget*>()) {
    c->setStyle(style_);
    c->installEventFilter(this);
  }
  music_->setFocus();
}

QSlider* SettingsWindow::game_slider() const { return qobject_cast<QSlider*>(w_.widget_of("sp_l")); }

void SettingsWindow::refresh() {
  const QSignalBlocker b1(music_), b2(effects_), b3(mute_), b4(speed_), b5(fast_on_), b6(tips_), b7(zoom_), b8(full_);
  music_->setValue(w_.music_volume());
  effects_->setValue(w_.effect_volume());
  music_pc_->setText(percent(w_.music_volume()));
  effects_pc_->setText(percent(w_.effect_volume()));
  mute_->setChecked(w_.muted());
  (w_.fast_forward_on() ? fast_on_ : fast_held_)->setChecked(true);
  tips_->setChecked(w_.tips().enabled());
  full_->setChecked(w_.full_screen());
  // Zooms beyond what the screen holds cannot be chosen.
  auto* model = qobject_cast<QStandardItemModel*>(zoom_->model());
  for (int i = 0; i < zoom_->count(); ++i)
    if (model) model->item(i)->setEnabled(zoom_->itemData(i).toInt() <= w_.max_zoom());
  zoom_->setCurrentIndex(zoom_->findData(w_.zoom()));
  // The game's own slider: its range, its place, and whether the game lets
  // the player move it now.
  const Control* sp = w_.game() ? &w_.game()->ui.sp_l : nullptr;
  speed_->setEnabled(sp && sp->enabled && sp->visible && game_slider());
  if (sp) {
    speed_->setRange(0, sp->max);
    speed_->setValue(sp->value);
  }
  fit();
}

void SettingsWindow::fit() {
  const int scale = w_.scale();
  if (scale == fitted_) return;
  fitted_ = scale;
  const QRect room = w_.screen_room ? w_.screen_room() : QRect();
  for (int s = scale; s >= 1; --s) {
    style_->scale = s;
    // Every widget measures itself again with the new sizes.
    for (QWidget* c : findChildren<QWidget*>()) {
      QEvent changed(QEvent::StyleChange);
      QApplication::sendEvent(c, &changed);
    }
    setFont(scaled_font(s));
    // The sliders and the percentages grow with the text.
    const QFontMetrics fm(font());
    for (QSlider* sl : {music_, effects_, speed_}) sl->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("あ")) * 14);
    for (QLabel* pc : {music_pc_, effects_pc_}) pc->setMinimumWidth(fm.horizontalAdvance(percent(kVolumeMax)));
    layout()->activate();
    if (!room.isValid() || (sizeHint().width() <= room.width() && sizeHint().height() <= room.height())) break;
  }
}

void SettingsWindow::volumes_moved() {
  const int fx = effects_->value();
  const bool effects_moved = fx != w_.effect_volume();
  w_.set_volumes(music_->value(), fx);
  music_pc_->setText(percent(w_.music_volume()));
  effects_pc_->setText(percent(w_.effect_volume()));
  if (!effects_moved) return;
  if (preview_timer_.isActive()) {
    preview_due_ = true;
  } else {
    preview();
  }
}

void SettingsWindow::preview() {
  // The music, when it plays, is heard as its slider moves; an effect is
  // played to be heard.
  if (Game* g = w_.game()) g->plat.sound_play(g->dat_dir() + kPreviewEffect);
  preview_timer_.start(kPreviewMs);
}

void SettingsWindow::speed_moved(int v) {
  // As a click on the game's slider: the game's handler sets the text speed
  // and the pause between messages, and a recording keeps the move.
  if (QSlider* s = game_slider()) s->setValue(v);
  if (w_.game()) {
    const QSignalBlocker b(speed_);
    speed_->setValue(w_.game()->ui.sp_l.value);
  }
}

void SettingsWindow::restore_defaults() {
  const WindowPrefs d;
  w_.set_volumes(d.music_volume, d.effect_volume);
  w_.set_muted(d.mute);
  w_.set_fast_forward(d.fast_forward);
  w_.tips().set_enabled(d.tips);
  w_.set_full_screen(d.fullscreen);
  const int zoom = zoom_for_screen(w_.screen());
  w_.set_zoom(zoom);
  // Also when the zoom shown is only what this screen holds.
  remember_zoom(zoom);
  // The text speed of a new game.
  if (speed_->isEnabled()) {
    GameState fresh;
    new_game_values(fresh);
    speed_moved(fresh.text_speed);
  }
  refresh();
  w_.title_note(QStringLiteral("設定を標準に戻したよ"));
}

void SettingsWindow::choose_zoom(int i) {
  w_.set_zoom(zoom_->itemData(i).toInt());
  refresh();
}

bool SettingsWindow::eventFilter(QObject* o, QEvent* e) {
  // Up and down (a gamepad's D-pad) go from control to control in reading
  // order, as Tab does; left and right move a slider or the zoom.
  if (e->type() != QEvent::KeyPress) return false;
  const auto* k = static_cast<QKeyEvent*>(e);
  if ((k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
    focusNextPrevChild(k->key() == Qt::Key_Down);
    return true;
  }
  if (o == zoom_ && (k->key() == Qt::Key_Left || k->key() == Qt::Key_Right)) {
    const int i = zoom_->currentIndex() + (k->key() == Qt::Key_Right ? 1 : -1);
    if (i >= 0 && i < zoom_->count() && zoom_->itemData(i).toInt() <= w_.max_zoom()) choose_zoom(i);
    return true;
  }
  return false;
}

void SettingsWindow::keyPressEvent(QKeyEvent* e) {
  // The keys that bring the window up and switch the fast-forward work here
  // too: F2 closes it again. Enter (a gamepad's A) ticks the box or the
  // choice with the focus, as Space does; elsewhere it closes the window.
  const bool plain = (e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier;
  auto* choice = qobject_cast<QAbstractButton*>(focusWidget());
  if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && choice && choice->isCheckable()) {
    choice->click();
  } else if (plain && e->key() == Qt::Key_F2) {
    if (!e->isAutoRepeat()) accept();
  } else if (plain && e->key() == Qt::Key_F) {
    if (!e->isAutoRepeat()) {
      w_.set_fast_forward(!w_.fast_forward_on());
      refresh();
    }
  } else {
    QDialog::keyPressEvent(e);
  }
}

}  // namespace

QWidget* show_settings(MainWindow& w) {
  auto* page = w.findChild<SettingsWindow*>(QStringLiteral("settings_window"));
  if (!page) page = new SettingsWindow(w);
  page->refresh();
  page->show();
  page->raise();
  page->activateWindow();
  return page;
}

}  // namespace z2
