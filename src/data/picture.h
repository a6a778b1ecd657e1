#pragma once
// Picture surfaces and the one stretching routine every copy goes through.
#include <QImage>
#include <string>

namespace z2 {

// left, top to right, bottom (right and bottom exclusive), as the game writes them.
struct Rect {
  int l, t, r, b;
};

QImage blank_picture(int w, int h, QRgb fill = 0xFF000000u);

// Nearest-neighbour stretching copy of `sr` of `src` onto `dr` of `dst`,
// clipped at both pictures' edges. `src` may be `dst` itself.
void stretch_copy(QImage& dst, Rect dr, const QImage& src, Rect sr);
void fill_rect(QImage& dst, Rect r, QRgb color);
void fill_ellipse(QImage& dst, Rect r, QRgb color);
// A one-pixel horizontal line from x0 to x1 (exclusive) at y.
void hline(QImage& dst, int x0, int x1, int y, QRgb color);

// Loads a bitmap; false (and `out` untouched) when the file is missing or
// unreadable. Decoded pictures are kept while their file stays the same.
bool load_picture(QImage& out, const std::string& path);
// Drops every decoded picture kept by load_picture.
void forget_loaded_pictures();

}  // namespace z2
