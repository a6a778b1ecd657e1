// The platform of the real window: paints and sleeps on the window's thread,
// asks in modal boxes, and plays through the sound device.
#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "platform/qt/recorder.h"
#include "platform/qt/widgets.h"
#include "platform/qt/window.h"
#include "shell/game.h"

namespace z2 {
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
  w.hide_note();
  const int answer = box.exec();
  // The game goes on at once, sleeping between its steps without serving the
  // window's events. Without a compositor the area the box uncovered shows
  // the window again only once the window has served the exposure the
  // closing caused, so that is served now; the box served the window's
  // events all the while it was open, and this is one turn more of the same
  // (a timer that comes due waits for the handler, as it did in the box).
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return answer;
}

}  // namespace

QtPlatform::QtPlatform(MainWindow& w)
    : QtPlatform(w, make_audio([&w](std::function<void()> f) {
                   QMetaObject::invokeMethod(&w, std::move(f), Qt::QueuedConnection);
                 },
                 [&w] { return w.isVisible(); })) {}

QtPlatform::QtPlatform(MainWindow& w, std::unique_ptr<Audio> audio) : w_(w), audio_(std::move(audio)) {
  w_.platform_ = this;
  volumes_changed();
}

QtPlatform::~QtPlatform() {
  if (w_.platform_ == this) w_.platform_ = nullptr;
}

void QtPlatform::repaint() {
  // Nobody watches a session that is ending.
  if (w_.unattended()) return;
  w_.sync();
  // Paint what the sync marked dirty, now: the game sleeps next. Only that
  // update request is served (no input, no timers), and a typing step repaints
  // its message lines rather than the whole window.
  QCoreApplication::sendPostedEvents(&w_, QEvent::UpdateRequest);
}

void QtPlatform::pause(int ms) {
  // A session that ends waits for nothing: what is left of a pause (of a
  // message typing out, say) passes at once, so the save comes within
  // moments of a termination signal whatever the game is doing.
  run_pause(ms, [this] { return w_.fast(); }, [this](long long us) {
    if (!w_.unattended()) w_.sleep_us(us);
  });
}

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
    w_.tips().asking(text);
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
void QtPlatform::volumes_changed() { audio_->set_volumes(w_.music_volume(), w_.effect_volume()); }

void QtPlatform::sound_hold(const std::string& path, int count) { audio_->hold(path, count); }
void QtPlatform::sound_release_held() { audio_->release_held(); }

}  // namespace z2
