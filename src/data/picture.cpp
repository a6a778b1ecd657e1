#include "data/picture.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

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
  const int src_w = s.width(), src_h = s.height();
  const int x0 = std::max(dr.l, 0), x1 = std::min(dr.r, dst.width());
  const int y0 = std::max(dr.t, 0), y1 = std::min(dr.b, dst.height());
  if (x0 >= x1 || y0 >= y1) return;

  // Each target pixel samples the source at its centre. The source column
  // grows with the target column, so the columns that land inside the source
  // form one span [xa, xb); only that span is written.
  auto source_of = [](int64_t d, int64_t from, int64_t span, int64_t len) {
    return from + (2 * d + 1) * span / (2 * len);
  };
  thread_local std::vector<int> column;
  column.resize(static_cast<size_t>(x1 - x0));
  int xa = x1, xb = x0;
  for (int x = x0; x < x1; ++x) {
    const int64_t sx = source_of(x - dr.l, sr.l, sw, w);
    const bool inside = sx >= 0 && sx < src_w;
    column[static_cast<size_t>(x - x0)] = inside ? static_cast<int>(sx) : -1;
    if (inside) {
      xa = std::min(xa, x);
      xb = x + 1;
    }
  }
  if (xa >= xb) return;
  // At one to one across, the span is a straight run of the source row.
  const bool straight = sw == w;
  const int first = column[static_cast<size_t>(xa - x0)];
  const size_t run = static_cast<size_t>(xb - xa) * sizeof(QRgb);

  const uchar* in_bits = s.constBits();
  const qsizetype in_pitch = s.bytesPerLine();
  uchar* out_bits = dst.bits();
  const qsizetype out_pitch = dst.bytesPerLine();
  int64_t last_sy = -1;
  QRgb* last_row = nullptr;
  for (int y = y0; y < y1; ++y) {
    const int64_t sy = source_of(y - dr.t, sr.t, sh, h);
    if (sy < 0 || sy >= src_h) continue;
    QRgb* out = reinterpret_cast<QRgb*>(out_bits + y * out_pitch);
    if (sy == last_sy) {
      // The row above sampled the same source row: its span is this row's.
      std::memcpy(out + xa, last_row + xa, run);
    } else {
      const QRgb* in = reinterpret_cast<const QRgb*>(in_bits + sy * in_pitch);
      if (straight) {
        std::memcpy(out + xa, in + first, run);
      } else {
        const int* col = column.data() - x0;
        for (int x = xa; x < xb; ++x) out[x] = in[col[x]];
      }
    }
    last_sy = sy;
    last_row = out;
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
