#pragma once
// Answers the modal boxes the game opens in the real window, from a timer
// that runs inside their event loops, and notes what each box showed.
#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <string>
#include <vector>

namespace z2::test {

class Boxes {
 public:
  Boxes() {
    timer_.setInterval(15);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  // The answer to the next box, in order.
  void expect(QMessageBox::StandardButton b) { answers_.push_back(b); }
  // The answer to every box without an expected one. Without either a box
  // gets its default button (else OK, else its first).
  void answer_all(QMessageBox::StandardButton b) { fallback_ = b; }
  // Leaves the boxes open, as a player who has walked away does.
  void hold() { hold_ = true; }

  std::vector<std::string> seen;  // every box's text, in order
  std::vector<double> fonts;      // every box's font size, in points or else pixels
  QImage last_box;                // what the last box looked like

 private:
  void poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (hold_ || !box || !box->isVisible()) return;
    seen.push_back(box->text().toStdString());
    fonts.push_back(box->font().pointSizeF() > 0 ? box->font().pointSizeF() : box->font().pixelSize());
    last_box = box->grab().toImage();
    QAbstractButton* b = nullptr;
    if (!answers_.empty()) {
      b = box->button(answers_.front());
      answers_.pop_front();
    } else if (fallback_ != QMessageBox::NoButton) {
      b = box->button(fallback_);
    }
    if (!b) b = box->defaultButton();
    if (!b) b = box->button(QMessageBox::Ok);
    if (!b) b = box->buttons().value(0);
    if (b) b->click();
  }

  bool hold_ = false;
  QMessageBox::StandardButton fallback_ = QMessageBox::NoButton;
  std::deque<QMessageBox::StandardButton> answers_;
  QTimer timer_;
};

}  // namespace z2::test
