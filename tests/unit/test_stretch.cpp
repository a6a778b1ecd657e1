// The stretching copy against a plain per-pixel version of the same sampling
// rule, over random sizes, offsets, clips, formats and copies onto itself.
#include <gtest/gtest.h>

#include <random>

#include "data/picture.h"

using namespace z2;

namespace {

// Every target pixel inside both pictures takes the source pixel under its centre.
void reference_stretch(QImage& dst, Rect dr, const QImage& src_in, Rect sr) {
  const int w = dr.r - dr.l, h = dr.b - dr.t;
  const int sw = sr.r - sr.l, sh = sr.b - sr.t;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || dst.isNull() || src_in.isNull()) return;
  const QImage s = src_in.copy().convertToFormat(QImage::Format_RGB32);
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  for (int y = std::max(dr.t, 0); y < std::min(dr.b, dst.height()); ++y) {
    const int64_t sy = sr.t + (int64_t{2} * (y - dr.t) + 1) * sh / (2 * int64_t{h});
    if (sy < 0 || sy >= s.height()) continue;
    for (int x = std::max(dr.l, 0); x < std::min(dr.r, dst.width()); ++x) {
      const int64_t sx = sr.l + (int64_t{2} * (x - dr.l) + 1) * sw / (2 * int64_t{w});
      if (sx < 0 || sx >= s.width()) continue;
      dst.setPixel(x, y, s.pixel(static_cast<int>(sx), static_cast<int>(sy)));
    }
  }
}

QImage noise(std::mt19937& rng, int w, int h, QImage::Format f) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  return f == QImage::Format_RGB32 ? img : img.convertToFormat(f);
}

Rect random_rect(std::mt19937& rng, int w, int h) {
  auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
  const int l = pick(-w / 2, w), t = pick(-h / 2, h);
  // Mostly real rectangles, now and then an empty or inverted one.
  return {l, t, l + pick(-2, 2 * w), t + pick(-2, 2 * h)};
}

}  // namespace

TEST(StretchCopy, SamePixelsAsThePlainVersion) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 3000; ++round) {
    const int dw = 1 + static_cast<int>(rng() % 90), dh = 1 + static_cast<int>(rng() % 90);
    const int sw = 1 + static_cast<int>(rng() % 90), sh = 1 + static_cast<int>(rng() % 90);
    const QImage::Format f = rng() % 4 == 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    QImage dst = noise(rng, dw, dh, QImage::Format_RGB32);
    const QImage src = noise(rng, sw, sh, f);
    Rect dr = random_rect(rng, dw, dh);
    Rect sr = random_rect(rng, sw, sh);
    switch (rng() % 4) {
      case 0:  // one to one across
        sr.r = sr.l + (dr.r - dr.l);
        break;
      case 1:  // one to one both ways
        sr.r = sr.l + (dr.r - dr.l);
        sr.b = sr.t + (dr.b - dr.t);
        break;
      default: break;
    }
    QImage want = dst.copy();
    reference_stretch(want, dr, src, sr);
    stretch_copy(dst, dr, src, sr);
    ASSERT_EQ(dst, want) << "round " << round;
  }
}

TEST(StretchCopy, OntoItselfReadsTheOldPixels) {
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    const int w = 2 + static_cast<int>(rng() % 60), h = 2 + static_cast<int>(rng() % 60);
    QImage img = noise(rng, w, h, rng() % 5 == 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    Rect dr = random_rect(rng, w, h), sr = random_rect(rng, w, h);
    if (round % 2 == 0) {
      // A scroll as the opening show does it: the picture moved a row or
      // two, a column or two, and stretched a little or not at all.
      auto small = [&] { return static_cast<int>(rng() % 7) - 3; };
      sr = {0, 0, w, h};
      dr = {small(), small(), 0, 0};
      dr.r = dr.l + w + (rng() % 3 == 0 ? small() : 0);
      dr.b = dr.t + h + small();
    }
    // Another picture sharing the pixels keeps the old ones.
    const QImage alias = img;
    const QImage before = img.copy();
    QImage want = img.copy();
    reference_stretch(want, dr, img.copy(), sr);
    stretch_copy(img, dr, img, sr);
    ASSERT_EQ(img, want) << "round " << round;
    ASSERT_EQ(alias, before) << "round " << round;
  }
}
