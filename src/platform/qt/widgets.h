#pragma once
// The widgets that stand for the game's controls, the mirror that keeps each
// one in step with its control, and the small helpers the window's files share.
#include <QColor>
#include <QFont>
#include <QMouseEvent>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/window.h"
#include "shell/ui.h"

namespace z2 {

inline const QString kCaption = QStringLiteral("ZANDO ARENA 2");

inline QString q(const std::string& s) { return QString::fromStdString(s); }
// Labels break lines at CR.
QString q_lines(const std::string& s);
QFont game_font(int px, bool bold, bool italic);
void set_window_colour(QWidget* w, QRgb colour);
// The pixel size at which every line of `text` fits into `room` pixels of
// width: `px`, or a pixel smaller at a time down to two thirds of it.
int fitting_px(const QString& text, int room, int px, bool bold, bool italic);

// A label: word-wrapped text at the game's tight line pitch (one pixel less
// than the font's size), so the gauges laid over the status texts fall on
// their empty lines.
class LabelWidget : public QWidget {
 public:
  LabelWidget(QWidget* parent, const Control& c, const int& scale);
  void set_text(const QString& t);
  const QString& text() const { return text_; }
  void paintEvent(QPaintEvent*) override;

 private:
  const Control& c_;
  const int& scale_;
  QString text_;
};

// A picture control: the model's surface, drawn at the model's size and
// magnified by the zoom with nearest-neighbour, so its pixels stay crisp.
class PictureWidget : public QWidget {
 public:
  PictureWidget(QWidget* parent, Control& c, const int& scale);
  void paintEvent(QPaintEvent*) override;
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
  int fitted_px = 0;      // the pixel size fit_text gave it, 0 for none
  std::string fitted;     // the text it was fitted for
};

}  // namespace z2
