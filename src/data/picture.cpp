#include "data/picture.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <list>
#include <mutex>
#include <optional>
#include <vector>

#include "data/file_stamp.h"
#include "data/reader.h"

namespace z2 {

QImage blank_picture(int w, int h, QRgb fill) {
  QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

namespace {

// Each target pixel samples the source at its centre.
int64_t source_of(int64_t d, int64_t from, int64_t span, int64_t len) { return from + (2 * d + 1) * span / (2 * len); }

// A copy of a picture onto itself can work in place when every target row
// reads a source row that no earlier written row has changed: going down,
// rows that read at or below themselves; going up, at or above. A row that
// reads itself is safe only when it is copied straight (memmove).
// 0: not in place; 1: top down; -1: bottom up.
int in_place_order(Rect dr, Rect sr, int y0, int y1, int src_h, bool straight) {
  const int h = dr.b - dr.t, sh = sr.b - sr.t;
  bool down = true, up = true;
  for (int y = y0; y < y1 && (down || up); ++y) {
    const int64_t sy = source_of(y - dr.t, sr.t, sh, h);
    if (sy < 0 || sy >= src_h) continue;
    if (sy == y && !straight) return 0;
    down = down && sy >= y;
    up = up && sy <= y;
  }
  return down ? 1 : up ? -1 : 0;
}

}  // namespace

void stretch_copy(QImage& dst, Rect dr, const QImage& src_in, Rect sr) {
  const int w = dr.r - dr.l, h = dr.b - dr.t;
  const int sw = sr.r - sr.l, sh = sr.b - sr.t;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || dst.isNull() || src_in.isNull()) return;
  const bool self = &src_in == &dst;
  const bool straight = sw == w;  // one to one across
  const int x0 = std::max(dr.l, 0), x1 = std::min(dr.r, dst.width());
  const int y0 = std::max(dr.t, 0), y1 = std::min(dr.b, dst.height());
  const int order =
      self && dst.format() == QImage::Format_RGB32 ? in_place_order(dr, sr, y0, y1, dst.height(), straight) : 0;

  // Otherwise a copy onto itself must read the old pixels: the rows it can
  // read are copied aside first, into a buffer kept between calls (the
  // opening show scrolls two large pictures ten times a second).
  QImage src;
  if (self && order == 0) {
    thread_local QImage aside;
    if (aside.size() != dst.size() || aside.format() != dst.format()) aside = QImage(dst.size(), dst.format());
    const int r0 = std::max(sr.t, 0), r1 = std::min(sr.b, dst.height());
    const size_t line = static_cast<size_t>(dst.bytesPerLine());
    for (int y = r0; y < r1; ++y) std::memcpy(aside.scanLine(y), dst.constScanLine(y), line);
    src = aside;
  } else if (!self) {
    src = src_in;
  }
  QImage s;
  if (order == 0) s = src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  if (x0 >= x1 || y0 >= y1) return;
  uchar* out_bits = dst.bits();
  const qsizetype out_pitch = dst.bytesPerLine();
  const uchar* in_bits = order != 0 ? out_bits : s.constBits();
  const qsizetype in_pitch = order != 0 ? out_pitch : s.bytesPerLine();
  const int src_w = order != 0 ? dst.width() : s.width();
  const int src_h = order != 0 ? dst.height() : s.height();

  // The source column grows with the target column, so the columns that land
  // inside the source form one span [xa, xb); only that span is written.
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
  const int first = column[static_cast<size_t>(xa - x0)];
  const size_t run = static_cast<size_t>(xb - xa) * sizeof(QRgb);

  int64_t last_sy = -1;
  QRgb* last_row = nullptr;
  const int step = order < 0 ? -1 : 1;
  for (int y = order < 0 ? y1 - 1 : y0; y >= y0 && y < y1; y += step) {
    const int64_t sy = source_of(y - dr.t, sr.t, sh, h);
    if (sy < 0 || sy >= src_h) continue;
    QRgb* out = reinterpret_cast<QRgb*>(out_bits + y * out_pitch);
    if (sy == last_sy) {
      // The row before sampled the same source row: its span is this row's.
      std::memcpy(out + xa, last_row + xa, run);
    } else {
      const QRgb* in = reinterpret_cast<const QRgb*>(in_bits + sy * in_pitch);
      if (straight) {
        // In place, a row may read itself, shifted.
        std::memmove(out + xa, in + first, run);
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

namespace {

// Decoded bitmaps by path. A fight loads the same few pictures again and
// again (the room, the opponent, the player); decoding them is most of an
// encounter's time. An entry counts only while the file on disk is the one it
// was read from, so a picture replaced on disk is read again. A few dozen
// entries hold every picture of a floor and keep the memory of a long session
// flat.
struct CachedPicture {
  std::string path;
  FileStamp file;
  QImage image;
};

class PictureCache {
 public:
  static constexpr size_t kMaxEntries = 48;

  // The decoded picture, or nullopt when the file is missing or not a bitmap.
  std::optional<QImage> load(const std::string& path) {
    const std::optional<FileStamp> now = FileStamp::of(path);
    if (!now) return std::nullopt;
    std::lock_guard lock(mu_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->path != path) continue;
      if (now->vouches_for(it->file)) {
        // Most recently used first.
        entries_.splice(entries_.begin(), entries_, it);
        return entries_.front().image;
      }
      entries_.erase(it);
      break;
    }
    // Read as bytes: a path is what the system gave, in whatever encoding the
    // folder's name has, which a QString would not keep.
    QImage img;
    std::string bytes;
    try {
      bytes = read_file_bytes(path);
    } catch (const DataError&) {
      return std::nullopt;
    }
    if (!img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
      return std::nullopt;
    img = img.convertToFormat(QImage::Format_RGB32);
    entries_.push_front({path, *now, img});
    if (entries_.size() > kMaxEntries) entries_.pop_back();
    return img;
  }

  void clear() {
    std::lock_guard lock(mu_);
    entries_.clear();
  }

 private:
  std::mutex mu_;
  std::list<CachedPicture> entries_;
};

PictureCache& picture_cache() {
  static PictureCache cache;
  return cache;
}

}  // namespace

bool load_picture(QImage& out, const std::string& path) {
  std::optional<QImage> img = picture_cache().load(path);
  if (!img) return false;
  // Shared with the cache until someone draws on it: drawing copies first.
  out = std::move(*img);
  return true;
}

void forget_loaded_pictures() { picture_cache().clear(); }

}  // namespace z2
