#include "platform/qt/widgets.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QTextLayout>
#include <algorithm>

namespace z2 {

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

int fitting_px(const QString& text, int room, int px, bool bold, bool italic) {
  const int least = std::max(1, px * 2 / 3);
  const QStringList lines = text.split(QChar('\n'));
  // No glyph is narrower than a quarter of the font's size: a line longer
  // than that allows cannot fit, and is not measured at every size.
  for (const QString& line : lines)
    if (line.size() > 4 * room / least) return least;
  for (int at = px; at > least; --at) {
    const QFontMetrics fm(game_font(at, bold, italic));
    if (std::all_of(lines.begin(), lines.end(), [&](const QString& l) { return fm.horizontalAdvance(l) <= room; }))
      return at;
  }
  return least;
}

void set_window_colour(QWidget* w, QRgb colour) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(colour));
  w->setPalette(pal);
}

LabelWidget::LabelWidget(QWidget* parent, const Control& c, const int& scale) : QWidget(parent), c_(c), scale_(scale) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LabelWidget::set_text(const QString& t) {
  text_ = t;
  setProperty("text", t);  // what the window tests read back
  update();
}

void LabelWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (c_.has_back && !c_.transparent) p.fillRect(rect(), QColor::fromRgb(c_.back));
  p.setPen(palette().color(QPalette::WindowText));
  const QFont f = font();
  const int pitch = std::max(1, c_.font_px - 1) * scale_;
  QTextOption opt;
  opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  opt.setAlignment(c_.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft);
  // Only the lines the label has room for are laid out, so a text of a
  // megabyte paints as fast as its first lines. No character is narrower
  // than a pixel, so a line never holds more than its width in characters:
  // a paragraph is laid out up to that many for each line still in sight,
  // and one line more, so that the last line shown breaks where it would.
  const qsizetype per_line = width() + 1;
  qreal y = 0;
  for (qsizetype from = 0; from <= text_.size() && y < height();) {
    qsizetype end = text_.indexOf(QChar('\n'), from);
    if (end < 0) end = text_.size();
    const qsizetype lines = static_cast<qsizetype>((height() - y) / pitch) + 2;
    QTextLayout layout(text_.mid(from, std::min(end - from, lines * per_line)), f);
    layout.setTextOption(opt);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width());
      line.setPosition(QPointF(0, y));
      y += pitch;
      if (y >= height()) break;
    }
    layout.endLayout();
    layout.draw(&p, QPointF(0, 0));
    from = end + 1;
  }
}

PictureWidget::PictureWidget(QWidget* parent, Control& c, const int& scale) : QWidget(parent), c_(c), scale_(scale) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::paintEvent(QPaintEvent*) {
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

}  // namespace z2
