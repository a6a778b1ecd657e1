#include "canvas.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace cggen {

namespace {
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool point_in_poly(const std::vector<float>& xy, float x, float y) {
    bool in = false;
    const size_t n = xy.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

void poly_bounds(const std::vector<float>& xy, float& x0, float& y0, float& x1, float& y1) {
    x0 = y0 = 1e9f;
    x1 = y1 = -1e9f;
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        x0 = std::min(x0, xy[i]);
        x1 = std::max(x1, xy[i]);
        y0 = std::min(y0, xy[i + 1]);
        y1 = std::max(y1, xy[i + 1]);
    }
}

// Light comes from the upper left, slightly in front.
constexpr float kLx = -0.47f, kLy = -0.62f, kLz = 0.63f;
}  // namespace

float bayer(int x, int y) { return (static_cast<float>(kBayer[y & 3][x & 3]) + 0.5f) / 16.0f; }

void Canvas::fill(uint8_t c) { std::fill(px_.begin(), px_.end(), c); }

void Canvas::rect(int x0, int y0, int x1, int y1, uint8_t c) {
    for (int y = std::max(0, y0); y < std::min(h_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(w_, x1); ++x) set(x, y, c);
}

void Canvas::frame(int x0, int y0, int x1, int y1, uint8_t c) {
    hline(x0, x1 - 1, y0, c);
    hline(x0, x1 - 1, y1 - 1, c);
    vline(x0, y0, y1 - 1, c);
    vline(x1 - 1, y0, y1 - 1, c);
}

void Canvas::hline(int x0, int x1, int y, uint8_t c) {
    if (x0 > x1) std::swap(x0, x1);
    for (int x = x0; x <= x1; ++x) set(x, y, c);
}

void Canvas::vline(int x, int y0, int y1, uint8_t c) {
    if (y0 > y1) std::swap(y0, y1);
    for (int y = y0; y <= y1; ++y) set(x, y, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, uint8_t c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::disc(float cx, float cy, float r, uint8_t c) { oval(cx, cy, r, r, c); }

void Canvas::oval(float cx, float cy, float rx, float ry, uint8_t c) {
    if (rx <= 0 || ry <= 0) return;
    const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / rx, dy = (static_cast<float>(y) + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) set(x, y, c);
        }
}

void Canvas::polygon(const std::vector<float>& xy, uint8_t c) {
    float x0, y0, x1, y1;
    poly_bounds(xy, x0, y0, x1, y1);
    for (int y = static_cast<int>(std::floor(y0)); y <= static_cast<int>(std::ceil(y1)); ++y)
        for (int x = static_cast<int>(std::floor(x0)); x <= static_cast<int>(std::ceil(x1)); ++x)
            if (point_in_poly(xy, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f)) set(x, y, c);
}

void Canvas::dither_rect(int x0, int y0, int x1, int y1, uint8_t a, uint8_t b, float t) {
    for (int y = std::max(0, y0); y < std::min(h_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(w_, x1); ++x) set(x, y, dither_on(x, y, t) ? b : a);
}

void Canvas::gradient(int x0, int y0, int x1, int y1, const std::vector<uint8_t>& stops) {
    if (stops.empty() || y1 <= y0) return;
    if (stops.size() == 1) {
        rect(x0, y0, x1, y1, stops[0]);
        return;
    }
    const float span = static_cast<float>(stops.size() - 1);
    for (int y = y0; y < y1; ++y) {
        const float t = span * static_cast<float>(y - y0) / static_cast<float>(std::max(1, y1 - y0 - 1));
        const int i = std::min(static_cast<int>(t), static_cast<int>(stops.size()) - 2);
        const float f = t - static_cast<float>(i);
        for (int x = x0; x < x1; ++x) set(x, y, dither_on(x, y, f) ? stops[static_cast<size_t>(i + 1)] : stops[static_cast<size_t>(i)]);
    }
}

void Canvas::blit(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.h_; ++y)
        for (int x = 0; x < src.w_; ++x) set(x + dx, y + dy, src.at(x, y));
}

void Canvas::blit_mirror(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.h_; ++y)
        for (int x = 0; x < src.w_; ++x) set(dx + src.w_ - 1 - x, y + dy, src.at(x, y));
}

void Canvas::recolor(uint8_t from, uint8_t to) {
    for (auto& p : px_)
        if (p == from) p = to;
}

void Canvas::swap_map(const uint8_t (&map)[kPaletteSize]) {
    for (auto& p : px_)
        if (p < kPaletteSize) p = map[p];
}

Canvas Canvas::scaled(int k) const {
    Canvas out(w_ * k, h_ * k);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) out.put(x, y, at(x / k, y / k));
    return out;
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.put(i, j, at(x + i, y + j));
    return out;
}

Canvas Canvas::mirrored() const {
    Canvas out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) out.put(w_ - 1 - x, y, at(x, y));
    return out;
}

void Canvas::outline(uint8_t ink, bool diagonal) {
    Canvas src = *this;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            if (src.opaque(x, y)) continue;
            bool edge = src.opaque(x - 1, y) || src.opaque(x + 1, y) || src.opaque(x, y - 1) || src.opaque(x, y + 1);
            if (!edge && diagonal)
                edge = src.opaque(x - 1, y - 1) || src.opaque(x + 1, y - 1) || src.opaque(x - 1, y + 1) ||
                       src.opaque(x + 1, y + 1);
            if (edge) put(x, y, ink);
        }
}

void Canvas::glow(uint8_t c, int radius, bool dithered) {
    Canvas src = *this;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            if (src.opaque(x, y)) continue;
            int best = 1 << 20;
            for (int j = -radius; j <= radius; ++j)
                for (int i = -radius; i <= radius; ++i)
                    if (src.opaque(x + i, y + j)) best = std::min(best, i * i + j * j);
            if (best > radius * radius) continue;
            if (dithered && best > 2 && ((x + y) & 1)) continue;
            put(x, y, c);
        }
}

QImage Canvas::to_image() const {
    QImage img(w_, h_, QImage::Format_RGB32);
    for (int y = 0; y < h_; ++y) {
        auto* line = reinterpret_cast<uint32_t*>(img.scanLine(y));
        for (int x = 0; x < w_; ++x) {
            const uint8_t p = at(x, y);
            line[x] = 0xff000000u | rgb_of(p == kClear ? K : p);
        }
    }
    return img;
}

// ---------------------------------------------------------------- Painter

int Painter::px(float u) const { return static_cast<int>(std::floor(to_px(u))); }
int Painter::py(float v) const { return static_cast<int>(std::floor(to_py(v))); }

void Painter::part(float x0, float y0, float x1, float y1, const InsideFn& inside, const NormalFn& normal,
                   const Ramp& ramp, Shade mode) {
    part_once(x0, y0, x1, y1, inside, normal, ramp, mode);
    if (!sym_) return;
    const float a2 = 2.0f * axis_;
    InsideFn mi = [&](float u, float v) { return inside(a2 - u, v); };
    NormalFn mn;
    if (normal)
        mn = [&](float u, float v) {
            Vec3 n = normal(a2 - u, v);
            n.x = -n.x;
            return n;
        };
    part_once(a2 - x1, y0, a2 - x0, y1, mi, mn, ramp, mode);
}

void Painter::part_once(float x0, float y0, float x1, float y1, const InsideFn& inside, const NormalFn& normal,
                        const Ramp& ramp, Shade mode) {
    const int i0 = std::max(0, px(x0) - 1), i1 = std::min(cv_.width() - 1, px(x1) + 1);
    const int j0 = std::max(0, py(y0) - 1), j1 = std::min(cv_.height() - 1, py(y1) + 1);
    if (i1 < i0 || j1 < j0) return;
    const int mw = i1 - i0 + 3, mh = j1 - j0 + 3;
    std::vector<uint8_t> mask(static_cast<size_t>(mw * mh), 0);
    auto M = [&](int i, int j) -> bool {
        const int a = i - i0 + 1, b = j - j0 + 1;
        if (a < 0 || b < 0 || a >= mw || b >= mh) return false;
        return mask[static_cast<size_t>(b * mw + a)] != 0;
    };
    bool any = false;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i)
            if (inside(ux(i), uy(j))) {
                mask[static_cast<size_t>((j - j0 + 1) * mw + (i - i0 + 1))] = 1;
                any = true;
            }
    if (!any) return;
    const Canvas before = cv_;  // contours look at what was there before this part
    const float span = std::max(1e-3f, y1 - y0);
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i) {
            if (!M(i, j)) continue;
            int tone = 2;
            switch (mode) {
                case Shade::Round: {
                    if (!normal) break;
                    const Vec3 n = normal(ux(i), uy(j));
                    const float d = n.x * kLx + n.y * kLy + n.z * kLz;
                    const float jitter = dither_ && !small() ? (bayer(i, j) - 0.5f) * 0.16f : 0.0f;
                    if (d + jitter > 0.80f) tone = 3;
                    else if (d + jitter > 0.32f) tone = 2;
                    else tone = 1;
                    break;
                }
                case Shade::Flat: {
                    if (!M(i + 1, j) || !M(i, j + 1)) tone = 1;
                    else if (!M(i - 1, j) || !M(i, j - 1)) tone = 3;
                    break;
                }
                case Shade::Vertical: {
                    const float t = (uy(j) - y0) / span;
                    const float jitter = dither_ && !small() ? (bayer(i, j) - 0.5f) * 0.2f : 0.0f;
                    if (t + jitter < 0.22f) tone = 3;
                    else if (t + jitter > 0.68f) tone = 1;
                    break;
                }
                case Shade::Plain:
                    break;
            }
            if (contour_) {
                const bool edge_over = (!M(i - 1, j) && before.opaque(i - 1, j)) || (!M(i + 1, j) && before.opaque(i + 1, j)) ||
                                       (!M(i, j - 1) && before.opaque(i, j - 1)) || (!M(i, j + 1) && before.opaque(i, j + 1));
                if (edge_over) tone = 0;
            }
            cv_.put(i, j, ramp.c[tone]);
        }
}

void Painter::ellipse(float cx, float cy, float rx, float ry, const Ramp& r, Shade mode) {
    // Keep tiny parts at least one pixel wide.
    rx = std::max(rx, 0.55f / s_);
    ry = std::max(ry, 0.55f / s_);
    part(
        cx - rx, cy - ry, cx + rx, cy + ry,
        [=](float u, float v) {
            const float dx = (u - cx) / rx, dy = (v - cy) / ry;
            return dx * dx + dy * dy <= 1.0f;
        },
        [=](float u, float v) {
            const float dx = (u - cx) / rx, dy = (v - cy) / ry;
            return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
        },
        r, mode);
}

namespace {
// Nearest point on a segment and the interpolated radius there.
inline void seg_near(float u, float v, float x1, float y1, float r1, float x2, float y2, float r2, float& d,
                     float& rad, float& nx, float& ny) {
    const float ax = x2 - x1, ay = y2 - y1;
    const float len2 = ax * ax + ay * ay;
    float t = len2 > 0 ? ((u - x1) * ax + (v - y1) * ay) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float qx = x1 + ax * t, qy = y1 + ay * t;
    nx = u - qx;
    ny = v - qy;
    d = std::sqrt(nx * nx + ny * ny);
    rad = r1 + (r2 - r1) * t;
}
}  // namespace

void Painter::capsule(float x1, float y1, float r1, float x2, float y2, float r2, const Ramp& r, Shade mode) {
    r1 = std::max(r1, 0.55f / s_);
    r2 = std::max(r2, 0.55f / s_);
    const float m = std::max(r1, r2);
    part(
        std::min(x1, x2) - m, std::min(y1, y2) - m, std::max(x1, x2) + m, std::max(y1, y2) + m,
        [=](float u, float v) {
            float d, rad, nx, ny;
            seg_near(u, v, x1, y1, r1, x2, y2, r2, d, rad, nx, ny);
            return d <= rad;
        },
        [=](float u, float v) {
            float d, rad, nx, ny;
            seg_near(u, v, x1, y1, r1, x2, y2, r2, d, rad, nx, ny);
            const float k = rad > 0 ? 1.0f / rad : 0.0f;
            const float dx = nx * k, dy = ny * k;
            return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
        },
        r, mode);
}

void Painter::tube(float ax, float ay, float bx, float by, float cx, float cy, float r0, float r1, const Ramp& r,
                   int steps) {
    std::vector<float> pts;
    for (int k = 0; k <= steps; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(steps);
        const float a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, c = t * t;
        pts.push_back(a * ax + b * bx + c * cx);
        pts.push_back(a * ay + b * by + c * cy);
    }
    const float m = std::max(std::max(r0, r1), 0.55f / s_);
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (size_t k = 0; k < pts.size(); k += 2) {
        x0 = std::min(x0, pts[k]);
        x1 = std::max(x1, pts[k]);
        y0 = std::min(y0, pts[k + 1]);
        y1 = std::max(y1, pts[k + 1]);
    }
    const float minr = 0.55f / s_;
    auto nearest = [=](float u, float v, float& dd, float& rr, float& nx, float& ny) {
        dd = 1e9f;
        for (int k = 0; k < steps; ++k) {
            const float ra = std::max(minr, r0 + (r1 - r0) * static_cast<float>(k) / static_cast<float>(steps));
            const float rb = std::max(minr, r0 + (r1 - r0) * static_cast<float>(k + 1) / static_cast<float>(steps));
            float d, rad, ex, ey;
            seg_near(u, v, pts[2 * k], pts[2 * k + 1], ra, pts[2 * k + 2], pts[2 * k + 3], rb, d, rad, ex, ey);
            if (d - rad < dd - rr || dd > 1e8f) {
                dd = d;
                rr = rad;
                nx = ex;
                ny = ey;
            }
        }
    };
    part(
        x0 - m, y0 - m, x1 + m, y1 + m,
        [=](float u, float v) {
            float d, rad = 0, nx, ny;
            nearest(u, v, d, rad, nx, ny);
            return d <= rad;
        },
        [=](float u, float v) {
            float d, rad = 0, nx = 0, ny = 0;
            nearest(u, v, d, rad, nx, ny);
            const float k = rad > 0 ? 1.0f / rad : 0.0f;
            const float dx = nx * k, dy = ny * k;
            return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
        },
        r, Shade::Round);
}

void Painter::poly(const std::vector<float>& xy, const Ramp& r, Shade mode) {
    float x0, y0, x1, y1;
    poly_bounds(xy, x0, y0, x1, y1);
    part(
        x0, y0, x1, y1, [xy](float u, float v) { return point_in_poly(xy, u, v); },
        [](float, float) { return Vec3{0, 0, 1}; }, r, mode);
}

void Painter::rrect(float x0, float y0, float x1, float y1, float rad, const Ramp& r, Shade mode) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    part(
        x0, y0, x1, y1,
        [=](float u, float v) {
            const float qx = std::max(std::abs(u - cx) - (hx - rad), 0.0f);
            const float qy = std::max(std::abs(v - cy) - (hy - rad), 0.0f);
            return std::abs(u - cx) <= hx && std::abs(v - cy) <= hy && qx * qx + qy * qy <= rad * rad;
        },
        [=](float u, float v) {
            // A pillow: flat in the middle, curving toward the sides.
            const float dx = std::clamp((u - cx) / hx, -1.0f, 1.0f), dy = std::clamp((v - cy) / hy, -1.0f, 1.0f);
            const float ex = dx * dx * dx, ey = dy * dy * dy;
            return Vec3{ex * 0.9f, ey * 0.9f, std::sqrt(std::max(0.05f, 1.0f - 0.8f * (ex * ex + ey * ey)))};
        },
        r, mode);
}

void Painter::dot(float x, float y, float r, uint8_t c) {
    auto one = [&](float cx) {
        const float pr = std::max(0.5f, r * s_);
        const float fx = to_px(cx), fy = to_py(y);
        if (pr <= 0.75f) {
            cv_.set(static_cast<int>(std::floor(fx)), static_cast<int>(std::floor(fy)), c);
            return;
        }
        cv_.oval(fx, fy, pr, pr, c);
    };
    one(x);
    if (sym_ && std::abs(x - axis_) > 0.01f) one(2 * axis_ - x);
}

void Painter::mark_poly(const std::vector<float>& xy, uint8_t c) {
    auto one = [&](bool mirror) {
        std::vector<float> p(xy.size());
        for (size_t k = 0; k + 1 < xy.size(); k += 2) {
            p[k] = to_px(mirror ? 2 * axis_ - xy[k] : xy[k]);
            p[k + 1] = to_py(xy[k + 1]);
        }
        cv_.polygon(p, c);
    };
    one(false);
    if (sym_) one(true);
}

void Painter::mark_line(float x1, float y1, float x2, float y2, uint8_t c) {
    cv_.line(px(x1), py(y1), px(x2), py(y2), c);
    if (sym_) cv_.line(px(2 * axis_ - x1), py(y1), px(2 * axis_ - x2), py(y2), c);
}

void Painter::eye(float x, float y, float r, int style, uint8_t iris) {
    auto one = [&](float cx, bool right) {
        const float fx = to_px(cx), fy = to_py(y);
        const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
        const float pr = r * s_;
        if (pr < 1.3f) {
            // Tiny eyes: a white eye gets its pupil beside it, toward the nose; a glowing one is a
            // single bright pixel, which reads better than a dark one at this size.
            if (style == 1 || style == 4 || style == 5) {
                cv_.put(ix, iy, W);
                cv_.put(ix + (right ? -1 : 1), iy, K);
            } else {
                cv_.put(ix, iy, iris);
            }
            return;
        }
        if (pr < 2.3f) {
            switch (style) {
                case 1:
                case 4:
                    cv_.rect(ix - 1, iy - 1, ix + 1, iy + 1, W);
                    cv_.put(right ? ix - 1 : ix, iy, K);
                    if (style == 4) cv_.hline(ix - 1, ix, iy - 2, K);
                    break;
                case 5:
                    cv_.rect(ix - 1, iy - 1, ix + 1, iy + 1, K);
                    cv_.put(ix - 1, iy - 1, W);
                    break;
                case 3:
                    cv_.rect(ix - 1, iy - 1, ix + 1, iy + 1, iris);
                    cv_.vline(ix, iy - 1, iy, K);
                    break;
                default:
                    cv_.rect(ix - 1, iy - 1, ix + 1, iy + 1, iris);
                    cv_.put(ix - 1, iy - 1, W);
                    break;
            }
            return;
        }
        switch (style) {
            case 0:
                cv_.oval(fx, fy, pr, pr, K);
                cv_.oval(fx - pr * 0.3f, fy - pr * 0.3f, pr * 0.35f, pr * 0.35f, W);
                break;
            case 1:
            case 4: {
                cv_.oval(fx, fy, pr, pr * 1.05f, K);
                cv_.oval(fx, fy, pr - 1.0f, pr * 1.05f - 1.0f, W);
                const float pdx = right ? -pr * 0.25f : pr * 0.25f;
                cv_.oval(fx + pdx, fy + pr * 0.1f, pr * 0.5f, pr * 0.6f, iris);
                cv_.oval(fx + pdx, fy + pr * 0.15f, pr * 0.28f, pr * 0.35f, K);
                cv_.put(static_cast<int>(std::floor(fx + pdx - pr * 0.3f)), static_cast<int>(std::floor(fy - pr * 0.25f)), W);
                if (style == 4) {
                    // Brow slanting down toward the nose.
                    const int x0 = static_cast<int>(fx - pr - 1), x1 = static_cast<int>(fx + pr + 1);
                    const int ya = static_cast<int>(fy - pr - 1);
                    for (int xx = x0; xx <= x1; ++xx) {
                        const float t = static_cast<float>(xx - x0) / static_cast<float>(std::max(1, x1 - x0));
                        const int dy = static_cast<int>(std::round((right ? 1.0f - t : t) * pr * 0.9f));
                        cv_.put(xx, ya + dy, K);
                        cv_.put(xx, ya + dy - 1, K);
                    }
                }
                break;
            }
            case 2:
                cv_.oval(fx, fy, pr + 0.6f, pr + 0.6f, K);
                cv_.oval(fx, fy, pr, pr, iris);
                cv_.oval(fx, fy, pr * 0.45f, pr * 0.45f, W);
                break;
            case 3:
                cv_.oval(fx, fy, pr + 0.6f, pr + 0.6f, K);
                cv_.oval(fx, fy, pr, pr, iris);
                cv_.oval(fx, fy, std::max(0.6f, pr * 0.22f), pr * 0.85f, K);
                cv_.put(static_cast<int>(fx - pr * 0.5f), static_cast<int>(fy - pr * 0.5f), W);
                break;
            default:  // 5 cute
                cv_.oval(fx, fy, pr * 0.85f, pr * 1.1f, K);
                cv_.oval(fx, fy + pr * 0.35f, pr * 0.55f, pr * 0.45f, iris);
                cv_.oval(fx - pr * 0.3f, fy - pr * 0.4f, std::max(0.7f, pr * 0.3f), std::max(0.7f, pr * 0.3f), W);
                break;
        }
    };
    one(x, false);
    if (sym_ && std::abs(x - axis_) > 0.01f) one(2 * axis_ - x, true);
}

void Painter::mouth(float x, float y, float w, int style) {
    const float fx = to_px(x), fy = to_py(y);
    const float pw = std::max(1.0f, w * s_);
    const int x0 = static_cast<int>(std::floor(fx - pw)), x1 = static_cast<int>(std::floor(fx + pw));
    const int iy = static_cast<int>(std::floor(fy));
    if (small()) {
        if (style == 1 || style == 3) {
            cv_.hline(x0, x1, iy, K);
            if (pw >= 2) cv_.hline(x0 + 1, x1 - 1, iy + 1, style == 3 ? RD : K);
        } else if (style == 2) {
            cv_.hline(x0, x1, iy, K);
            cv_.put(x0 + 1, iy + 1, W);
            cv_.put(x1 - 1, iy + 1, W);
        } else {
            cv_.hline(x0 + (style == 4 ? 1 : 0), x1 - (style == 4 ? 1 : 0), iy, K);
            if (style == 4) {
                cv_.put(x0, iy - 1, K);
                cv_.put(x1, iy - 1, K);
            }
        }
        return;
    }
    switch (style) {
        case 0:
            cv_.hline(x0, x1, iy, K);
            break;
        case 1: {
            const float h = std::max(2.0f, pw * 0.45f);
            for (int yy = 0; yy <= static_cast<int>(h); ++yy) {
                const float f = 1.0f - static_cast<float>(yy) / (h + 1.0f);
                const int half = static_cast<int>(std::round(pw * std::sqrt(f)));
                cv_.hline(static_cast<int>(fx) - half, static_cast<int>(fx) + half, iy + yy, K);
            }
            for (int xx = x0 + 1; xx < x1; xx += 2) cv_.put(xx, iy, W);
            for (int xx = x0 + 2; xx < x1 - 1; xx += 2) cv_.put(xx, iy + static_cast<int>(h) - 1, W);
            break;
        }
        case 2:
            cv_.hline(x0, x1, iy, K);
            cv_.polygon({static_cast<float>(x0) + 1, fy + 0.5f, static_cast<float>(x0) + 3.2f, fy + 0.5f,
                         static_cast<float>(x0) + 2.0f, fy + 3.5f}, W);
            cv_.polygon({static_cast<float>(x1) - 2.2f, fy + 0.5f, static_cast<float>(x1), fy + 0.5f,
                         static_cast<float>(x1) - 1.0f, fy + 3.5f}, W);
            break;
        case 3: {
            const float h = std::max(3.0f, pw * 0.8f);
            cv_.oval(fx, fy + h * 0.5f, pw, h * 0.6f, K);
            cv_.oval(fx, fy + h * 0.75f, pw * 0.6f, h * 0.3f, RD);
            cv_.polygon({fx - pw + 1, fy - h * 0.05f, fx - pw + 3, fy - h * 0.05f, fx - pw + 2, fy + h * 0.4f}, W);
            cv_.polygon({fx + pw - 3, fy - h * 0.05f, fx + pw - 1, fy - h * 0.05f, fx + pw - 2, fy + h * 0.4f}, W);
            break;
        }
        default: {  // smile
            for (int xx = x0; xx <= x1; ++xx) {
                const float t = (static_cast<float>(xx) + 0.5f - fx) / pw;
                cv_.put(xx, iy + static_cast<int>(std::round((1.0f - t * t) * std::min(3.0f, pw * 0.4f))), K);
            }
            break;
        }
    }
}

}  // namespace cggen
