#pragma once
// Answers the modal boxes the game opens in the real window with key
// presses, as a player without a mouse does, and notes what each box showed.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <deque>
#include <string>
#include <vector>

namespace z2::test {

class KeyBoxes {
 public:
  KeyBoxes() {
    timer_.setInterval(15);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  using Keys = std::vector<Qt::Key>;
  // The keys for the next box, in order.
  void expect(Keys k) { answers_.push_back(std::move(k)); }
  // The keys for every box without expected ones.
  void answer_all(Keys k) { fallback_ = std::move(k); }
  // Saves a picture of the next box before its last key.
  void shoot_as(std::string file) { shot_ = std::move(file); }

  std::vector<std::string> seen;           // every box's text
  std::vector<std::string> focus_at_open;  // the button with the focus as each box opened
  std::vector<std::string> pressed;        // the button with the focus at the last key
  bool ring_missing = false;               // a focused button without its ring

 private:
  static std::string name(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    return b ? b->text().remove(QLatin1Char('&')).toStdString() : std::string();
  }
  void poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || busy_) return;
    // Keys go where the focus is: once the box has it.
    QWidget* f = QApplication::focusWidget();
    if (!f || f->window() != box) {
      box->activateWindow();
      return;
    }
    Keys keys = fallback_;
    if (!answers_.empty()) {
      keys = answers_.front();
      answers_.pop_front();
    }
    if (keys.empty()) return;
    busy_ = true;
    seen.push_back(box->text().toStdString());
    focus_at_open.push_back(name(QApplication::focusWidget()));
    for (size_t i = 0; i < keys.size(); ++i) {
      if (i + 1 == keys.size()) {
        pressed.push_back(name(QApplication::focusWidget()));
        check_ring(box);
        if (!shot_.empty()) {
          box->grab().save(QString::fromStdString(std::string(ZANDO_SHOTS) + "/" + shot_), "PNG");
          shot_.clear();
        }
      }
      QTest::keyClick(box->windowHandle(), keys[i]);
    }
    busy_ = false;
  }
  void check_ring(QMessageBox* box) {
    QWidget* f = QApplication::focusWidget();
    auto* ring = box->findChild<QWidget*>(QStringLiteral("focus_ring"));
    if (!f || !ring || !ring->isVisible() || !ring->geometry().contains(QRect(f->mapTo(box, QPoint(0, 0)), f->size())))
      ring_missing = true;
  }

  bool busy_ = false;
  std::string shot_;
  Keys fallback_;
  std::deque<Keys> answers_;
  QTimer timer_;
};

}  // namespace z2::test
