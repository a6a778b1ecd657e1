// Indexed pixel surfaces and the drawing primitives shared by every picture.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "palette.h"

class QImage;

namespace cggen {

class Canvas {
public:
    Canvas() = default;
    Canvas(int w, int h, uint8_t fill = kClear) : w_(w), h_(h), px_(static_cast<size_t>(w * h), fill) {}

    int width() const { return w_; }
    int height() const { return h_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    uint8_t at(int x, int y) const { return inside(x, y) ? px_[static_cast<size_t>(y * w_ + x)] : kClear; }
    bool opaque(int x, int y) const { return at(x, y) != kClear; }
    void set(int x, int y, uint8_t c) {
        if (inside(x, y) && c != kClear) px_[static_cast<size_t>(y * w_ + x)] = c;
    }
    void put(int x, int y, uint8_t c) {  // may also clear
        if (inside(x, y)) px_[static_cast<size_t>(y * w_ + x)] = c;
    }

    void fill(uint8_t c);
    // Filled rectangle, x0..x1-1 by y0..y1-1.
    void rect(int x0, int y0, int x1, int y1, uint8_t c);
    void frame(int x0, int y0, int x1, int y1, uint8_t c);
    void hline(int x0, int x1, int y, uint8_t c);
    void vline(int x, int y0, int y1, uint8_t c);
    void line(int x0, int y0, int x1, int y1, uint8_t c);
    void disc(float cx, float cy, float r, uint8_t c);
    void oval(float cx, float cy, float rx, float ry, uint8_t c);
    void polygon(const std::vector<float>& xy, uint8_t c);
    // Two-colour ordered dither: t = 0 all a, t = 1 all b.
    void dither_rect(int x0, int y0, int x1, int y1, uint8_t a, uint8_t b, float t);
    // Vertical gradient through a list of colours, ordered-dithered between neighbours.
    void gradient(int x0, int y0, int x1, int y1, const std::vector<uint8_t>& stops);
    void blit(const Canvas& src, int dx, int dy);
    void blit_mirror(const Canvas& src, int dx, int dy);
    // Replace every pixel of colour `from` with `to`.
    void recolor(uint8_t from, uint8_t to);
    void swap_map(const uint8_t (&map)[kPaletteSize]);
    Canvas scaled(int k) const;
    Canvas crop(int x, int y, int w, int h) const;
    Canvas mirrored() const;

    // Sprite helpers.
    void outline(uint8_t ink, bool diagonal = false);
    void glow(uint8_t c, int radius, bool dithered);

    QImage to_image() const;

private:
    int w_ = 0, h_ = 0;
    std::vector<uint8_t> px_;
};

// 4x4 Bayer threshold in [0,1).
float bayer(int x, int y);
inline bool dither_on(int x, int y, float t) { return t > bayer(x, y); }

struct Vec3 {
    float x, y, z;
};

enum class Shade {
    Round,     // from the part's own surface normal
    Flat,      // base with a lit top-left rim and a dark bottom-right rim
    Plain,     // base colour only
    Vertical,  // light at the top, dark at the bottom
};

// Draws parts given in unit coordinates onto a sprite layer, shading them and separating
// overlapping parts with a contour line, so creatures read clearly at any size.
class Painter {
public:
    Painter(Canvas& cv, float scale, float ox, float oy) : cv_(cv), s_(scale), ox_(ox), oy_(oy) {}

    Canvas& canvas() { return cv_; }
    float scale() const { return s_; }
    bool small() const { return s_ < 0.6f; }
    int px(float u) const;
    int py(float v) const;
    float to_px(float u) const { return (u - ox_) * s_; }
    float to_py(float v) const { return (v - oy_) * s_; }
    float ux(int i) const { return ox_ + (static_cast<float>(i) + 0.5f) / s_; }
    float uy(int j) const { return oy_ + (static_cast<float>(j) + 0.5f) / s_; }

    // When set, every part is drawn a second time, mirrored around the vertical line x = axis.
    void set_symmetric(bool on, float axis = 32.0f) {
        sym_ = on;
        axis_ = axis;
    }
    void set_contour(bool on) { contour_ = on; }
    void set_dither(bool on) { dither_ = on; }

    using InsideFn = std::function<bool(float, float)>;
    using NormalFn = std::function<Vec3(float, float)>;

    void part(float x0, float y0, float x1, float y1, const InsideFn& inside, const NormalFn& normal,
              const Ramp& ramp, Shade mode);

    void ellipse(float cx, float cy, float rx, float ry, const Ramp& r, Shade mode = Shade::Round);
    // Tapered round-ended segment.
    void capsule(float x1, float y1, float r1, float x2, float y2, float r2, const Ramp& r,
                 Shade mode = Shade::Round);
    // Quadratic curve tube from a to c bending toward b.
    void tube(float ax, float ay, float bx, float by, float cx, float cy, float r0, float r1, const Ramp& r,
              int steps = 8);
    void poly(const std::vector<float>& xy, const Ramp& r, Shade mode = Shade::Flat);
    void rrect(float x0, float y0, float x1, float y1, float rad, const Ramp& r, Shade mode = Shade::Round);

    // Single-colour marks (no shading), still mirrored when symmetric.
    void dot(float x, float y, float r, uint8_t c);
    void mark_poly(const std::vector<float>& xy, uint8_t c);
    void mark_line(float x1, float y1, float x2, float y2, uint8_t c);

    // Eyes: style 0 bright dot, 1 white with pupil, 2 glowing, 3 slit, 4 angry, 5 cute.
    void eye(float x, float y, float r, int style, uint8_t iris);
    // Mouths: 0 line, 1 grin with teeth, 2 fangs, 3 open roar, 4 smile.
    void mouth(float x, float y, float w, int style);

private:
    void part_once(float x0, float y0, float x1, float y1, const InsideFn& inside, const NormalFn& normal,
                   const Ramp& ramp, Shade mode);

    Canvas& cv_;
    float s_, ox_, oy_;
    bool sym_ = false;
    float axis_ = 32.0f;
    bool contour_ = true;
    bool dither_ = true;
};

}  // namespace cggen
