#include "data/picture.h"

#include <QPainter>
#include <algorithm>

namespace z2 {

QImage blank_picture(int w, int h, QRgb fill) {
  QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

void stretch_copy(QImage& dst, Rect dr, const QImage& src_in, Rect sr) {
  const int w = dr.r - dr.l, h = dr.b - dr.t;
  const int sw = sr.r - sr.l, sh = sr.b - sr.t;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || dst.isNull() || src_in.isNull()) return;
  // Copying a picture onto itself must read the old pixels.
  const QImage src = (&src_in == &dst) ? dst.copy() : src_in;
  const QImage s = src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const int x0 = std::max(dr.l, 0), x1 = std::min(dr.r, dst.width());
  const int y0 = std::max(dr.t, 0), y1 = std::min(dr.b, dst.height());
  for (int y = y0; y < y1; ++y) {
    // Sample the centre of each target pixel.
    const int64_t sy = sr.t + (int64_t{2} * (y - dr.t) + 1) * sh / (2 * int64_t{h});
    if (sy < 0 || sy >= s.height()) continue;
    const QRgb* in = reinterpret_cast<const QRgb*>(s.constScanLine(static_cast<int>(sy)));
    QRgb* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
    for (int x = x0; x < x1; ++x) {
      const int64_t sx = sr.l + (int64_t{2} * (x - dr.l) + 1) * sw / (2 * int64_t{w});
      if (sx < 0 || sx >= s.width()) continue;
      out[x] = in[sx];
    }
  }
}

void fill_rect(QImage& dst, Rect r, QRgb color) {
  const int x0 = std::max(r.l, 0), x1 = std::min(r.r, dst.width());
  const int y0 = std::max(r.t, 0), y1 = std::min(r.b, dst.height());
  for (int y = y0; y < y1; ++y) {
    QRgb* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
    std::fill(out + x0, out + std::max(x0, x1), color);
  }
}

void fill_ellipse(QImage& dst, Rect r, QRgb color) {
  // The ellipse fills its box up to, not including, the right and bottom edges.
  if (dst.isNull() || r.r == r.l || r.b == r.t) return;
  QPainter p(&dst);
  p.setPen(QColor::fromRgb(color));
  p.setBrush(QColor::fromRgb(color));
  const int l = std::min(r.l, r.r), t = std::min(r.t, r.b);
  p.drawEllipse(l, t, std::abs(r.r - r.l) - 1, std::abs(r.b - r.t) - 1);
}

void hline(QImage& dst, int x0, int x1, int y, QRgb color) { fill_rect(dst, {x0, y, x1, y + 1}, color); }

bool load_picture(QImage& out, const std::string& path) {
  QImage img;
  if (!img.load(QString::fromStdString(path))) return false;
  out = img.convertToFormat(QImage::Format_RGB32);
  return true;
}

}  // namespace z2
