// make_icon: draws the game's desktop icon (a sword over a round arena
// shield) as square PNGs, one per size: make_icon OUT_DIR SIZE...
// writes OUT_DIR/SIZExSIZE/zando2.png. Only shapes, no text: the same bytes
// on every machine with the same Qt.
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

QImage draw_icon(int size) {
  QImage img(size, size, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(size / 64.0, size / 64.0);  // drawn on a 64 x 64 grid

  // The arena: a round shield, red rim, dark sand inside.
  p.setPen(QPen(QColor(0x30, 0x10, 0x10), 2.0));
  p.setBrush(QColor(0xB0, 0x20, 0x20));
  p.drawEllipse(QRectF(4, 4, 56, 56));
  p.setBrush(QColor(0xD8, 0xB0, 0x60));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(11, 11, 42, 42));
  p.setBrush(QColor(0xC0, 0x94, 0x48));
  p.drawEllipse(QRectF(20, 20, 24, 24));

  // The sword, corner to corner: blade, guard, grip, pommel.
  p.translate(32, 32);
  p.rotate(-45);
  QPainterPath blade;
  blade.moveTo(0, -27);
  blade.lineTo(4, -21);
  blade.lineTo(4, 10);
  blade.lineTo(-4, 10);
  blade.lineTo(-4, -21);
  blade.closeSubpath();
  p.setPen(QPen(QColor(0x20, 0x20, 0x30), 1.5));
  p.setBrush(QColor(0xE8, 0xEC, 0xF4));
  p.drawPath(blade);
  p.setPen(QPen(QColor(0xA0, 0xA8, 0xC0), 1.0));
  p.drawLine(QPointF(0, -23), QPointF(0, 8));
  p.setPen(QPen(QColor(0x20, 0x20, 0x30), 1.5));
  p.setBrush(QColor(0xF0, 0xC0, 0x30));
  p.drawRoundedRect(QRectF(-12, 10, 24, 5), 2, 2);
  p.setBrush(QColor(0x50, 0x30, 0x20));
  p.drawRect(QRectF(-2.5, 15, 5, 9));
  p.setBrush(QColor(0xF0, 0xC0, 0x30));
  p.drawEllipse(QRectF(-4, 23, 8, 7));
  p.end();
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_icon OUT_DIR SIZE...\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "make_icon: a size from 16 to 1024, not %s\n", argv[i]);
      return 2;
    }
    const QString dir = QStringLiteral("%1/%2x%2").arg(out).arg(size);
    if (!QDir().mkpath(dir) || !draw_icon(size).save(dir + QStringLiteral("/zando2.png"), "PNG")) {
      std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(dir));
      return 1;
    }
  }
  return 0;
}
