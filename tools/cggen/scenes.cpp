#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "creature.h"
#include "font.h"
#include "portraits.h"
#include "rng.h"

namespace cggen {

using namespace ramps;

namespace {

constexpr float kPi = 3.14159265f;
// Floor backgrounds are drawn at half size and doubled, so their pixels match the portraits'.
constexpr int kW = 163, kH = 97;

float fx(int v) { return static_cast<float>(v); }

// ------------------------------------------------------------------ building blocks

void stars(Canvas& c, Rng& r, int n, int y1) {
    for (int k = 0; k < n; ++k) {
        const int x = r.range(c.width()), y = r.range(y1);
        c.put(x, y, r.chance(4) ? W : (r.chance(2) ? LB : LV));
        if (r.chance(12)) {
            c.put(x - 1, y, LB);
            c.put(x + 1, y, LB);
            c.put(x, y - 1, LB);
            c.put(x, y + 1, LB);
            c.put(x, y, W);
        }
    }
}

void sun(Canvas& c, float x, float y, float r, uint8_t core, uint8_t halo) {
    for (int j = static_cast<int>(y - r * 2); j <= static_cast<int>(y + r * 2); ++j)
        for (int i = static_cast<int>(x - r * 2); i <= static_cast<int>(x + r * 2); ++i) {
            const float d = std::hypot(fx(i) + 0.5f - x, fx(j) + 0.5f - y) / r;
            if (d <= 1.0f) c.put(i, j, core);
            else if (d <= 2.0f && dither_on(i, j, (2.0f - d) * 0.7f)) c.put(i, j, halo);
        }
}

void moon(Canvas& c, float x, float y, float r, uint8_t lit, uint8_t sky) {
    c.oval(x, y, r, r, lit);
    c.oval(x + r * 0.45f, y - r * 0.25f, r * 0.85f, r * 0.85f, sky);
}

void full_moon(Canvas& c, float x, float y, float r) {
    sun(c, x, y, r, CR, SN);
    c.oval(x - r * 0.3f, y + r * 0.2f, r * 0.25f, r * 0.2f, SN);
    c.oval(x + r * 0.35f, y - r * 0.25f, r * 0.18f, r * 0.15f, SN);
}

void cloud(Canvas& c, float x, float y, float w, uint8_t body, uint8_t shade) {
    c.oval(x, y, w, w * 0.32f, shade);
    c.oval(x - w * 0.35f, y - w * 0.12f, w * 0.45f, w * 0.3f, body);
    c.oval(x + w * 0.25f, y - w * 0.2f, w * 0.5f, w * 0.38f, body);
    c.oval(x, y - w * 0.05f, w * 0.85f, w * 0.25f, body);
    for (int i = static_cast<int>(x - w); i <= static_cast<int>(x + w); ++i) c.put(i, static_cast<int>(y + w * 0.2f), shade);
}

// Ridge line by midpoint displacement, filled down to the bottom.
void ridge(Canvas& c, Rng& r, int base, int amp, uint8_t col, int rough, uint8_t cap = kClear, int cap_depth = 0) {
    const int w = c.width();
    std::vector<float> h(static_cast<size_t>(w + 1), 0.0f);
    int step = 64;
    while (step > w) step /= 2;
    for (int x = 0; x <= w; x += step) h[static_cast<size_t>(x)] = static_cast<float>(r.range(2 * amp + 1) - amp);
    float spread = static_cast<float>(amp) * 0.6f;
    for (; step > 1; step /= 2) {
        for (int x = step / 2; x <= w; x += step) {
            const int a = x - step / 2, b = std::min(w, x + step / 2);
            h[static_cast<size_t>(x)] = (h[static_cast<size_t>(a)] + h[static_cast<size_t>(b)]) / 2 +
                                        (r.unit() - 0.5f) * spread * static_cast<float>(rough) / 4.0f;
        }
        spread *= 0.55f;
    }
    for (int x = 0; x < w; ++x) {
        const int top = base + static_cast<int>(h[static_cast<size_t>(x)]);
        c.vline(x, top, c.height() - 1, col);
        if (cap != kClear) c.vline(x, top, top + cap_depth + (x * 7 % 3), cap);
    }
}

void hills(Canvas& c, int base, float amp, float freq, float phase, uint8_t col, uint8_t rim) {
    for (int x = 0; x < c.width(); ++x) {
        const int top = base - static_cast<int>(amp * (0.6f * std::sin(fx(x) * freq + phase) + 0.4f * std::sin(fx(x) * freq * 2.3f + phase * 1.7f)));
        c.vline(x, top, c.height() - 1, col);
        if (rim != kClear) c.put(x, top, rim);
    }
}

void round_tree(Canvas& c, int x, int base, int r, uint8_t trunk, uint8_t dark, uint8_t mid, uint8_t light) {
    c.rect(x - 1, base - r, x + 2, base, trunk);
    const float cy = fx(base - r - r / 2);
    c.oval(fx(x) + 0.5f, cy, fx(r), fx(r) * 0.9f, dark);
    c.oval(fx(x) - fx(r) * 0.15f, cy - 1, fx(r) * 0.8f, fx(r) * 0.7f, mid);
    c.oval(fx(x) - fx(r) * 0.35f, cy - fx(r) * 0.35f, fx(r) * 0.35f, fx(r) * 0.3f, light);
}

void pine(Canvas& c, int x, int base, int h, uint8_t dark, uint8_t mid, uint8_t snow = kClear) {
    c.rect(x, base - 2, x + 1, base, BR);
    for (int k = 0; k < 3; ++k) {
        const float top = fx(base - h + k * h / 4), bot = fx(base - 2 - (2 - k) * h / 6);
        const float w = fx(h) * (0.22f + 0.1f * fx(k));
        c.polygon({fx(x) + 0.5f, top, fx(x) + 0.5f + w, bot, fx(x) + 0.5f - w, bot}, dark);
        c.polygon({fx(x) + 0.5f, top + 1, fx(x) + 0.5f, bot, fx(x) + 0.5f - w + 1, bot}, mid);
        if (snow != kClear) c.polygon({fx(x) + 0.5f, top, fx(x) + 0.5f + w * 0.4f, top + 2, fx(x) + 0.5f - w * 0.4f, top + 2}, snow);
    }
}

void palm(Canvas& c, int x, int base, int h, uint8_t col) {
    for (int k = 0; k < h; ++k) {
        const int xx = x + static_cast<int>(std::sin(fx(k) / fx(h) * 1.4f) * 4);
        c.rect(xx, base - k, xx + 2, base - k + 1, col);
    }
    const int tx = x + static_cast<int>(std::sin(1.4f) * 4) + 1, ty = base - h;
    for (int k = 0; k < 6; ++k) {
        const float ang = -kPi + fx(k) * kPi / 5.0f;
        for (int s = 0; s < 11; ++s) {
            const float t = fx(s);
            c.put(tx + static_cast<int>(std::cos(ang) * t), ty + static_cast<int>(std::sin(ang) * t * 0.5f + t * t * 0.05f), col);
            c.put(tx + static_cast<int>(std::cos(ang) * t), ty + 1 + static_cast<int>(std::sin(ang) * t * 0.5f + t * t * 0.05f), col);
        }
    }
}

void house(Canvas& c, int x, int base, int w, int h, uint8_t wall, uint8_t wall_dark, uint8_t roof, uint8_t roof_dark,
           bool lit, Rng& r) {
    c.rect(x, base - h, x + w, base, wall);
    c.rect(x + w - 2, base - h, x + w, base, wall_dark);
    c.polygon({fx(x - 2), fx(base - h), fx(x + w + 2), fx(base - h), fx(x + w / 2) + 0.5f, fx(base - h - w / 2 - 2)}, roof);
    c.hline(x - 2, x + w + 1, base - h, roof_dark);
    for (int wy = base - h + 3; wy < base - 4; wy += 6)
        for (int wx = x + 2; wx < x + w - 3; wx += 5) c.rect(wx, wy, wx + 2, wy + 3, lit && r.chance(2) ? YL : wall_dark);
    c.rect(x + w / 2 - 1, base - 5, x + w / 2 + 2, base, roof_dark);
}

void tower_block(Canvas& c, int x, int top, int w, uint8_t body, uint8_t edge, uint8_t win_on, uint8_t win_off, Rng& r) {
    c.rect(x, top, x + w, c.height(), body);
    c.vline(x, top, c.height() - 1, edge);
    for (int y = top + 3; y < c.height(); y += 4)
        for (int wx = x + 2; wx < x + w - 1; wx += 3) c.put(wx, y, r.chance(3) ? win_on : win_off);
}

void lantern(Canvas& c, int x, int y, uint8_t body, uint8_t glow) {
    c.vline(x, y - 3, y - 1, K);
    c.oval(fx(x) + 0.5f, fx(y) + 2.5f, 2.5f, 3.0f, body);
    c.vline(x, y + 1, y + 4, glow);
    c.hline(x - 1, x + 1, y, K);
    c.hline(x - 1, x + 1, y + 5, K);
}

void torch(Canvas& c, int x, int y) {
    c.rect(x, y, x + 2, y + 6, BN);
    c.oval(fx(x) + 1, fx(y) - 2, 2.5f, 3.5f, OR);
    c.oval(fx(x) + 1, fx(y) - 1.5f, 1.2f, 2.0f, YL);
}

// Glow: lighten pixels round a point by swapping toward a warm colour on a dither.
void glow_spot(Canvas& c, float x, float y, float r, uint8_t col) {
    for (int j = static_cast<int>(y - r); j <= static_cast<int>(y + r); ++j)
        for (int i = static_cast<int>(x - r); i <= static_cast<int>(x + r); ++i) {
            const float d = std::hypot(fx(i) + 0.5f - x, fx(j) + 0.5f - y) / r;
            if (d < 1 && dither_on(i, j, (1 - d) * 0.9f - 0.1f)) c.put(i, j, col);
        }
}

void bricks(Canvas& c, int x0, int y0, int x1, int y1, uint8_t face, uint8_t mortar, int bw, int bh) {
    c.rect(x0, y0, x1, y1, face);
    for (int y = y0; y < y1; y += bh) {
        c.hline(x0, x1 - 1, y, mortar);
        const int off = ((y - y0) / bh) % 2 ? bw / 2 : 0;
        for (int x = x0 + off; x < x1; x += bw) c.vline(x, y, std::min(y1 - 1, y + bh - 1), mortar);
    }
}

void ground_speckle(Canvas& c, Rng& r, int y0, int y1, uint8_t a, uint8_t b, int n) {
    for (int k = 0; k < n; ++k) {
        const int x = r.range(c.width()), y = y0 + r.range(std::max(1, y1 - y0));
        c.put(x, y, r.chance(2) ? a : b);
    }
}

void pillar(Canvas& c, int x, int top, int bottom, int w, uint8_t dark, uint8_t mid, uint8_t light) {
    c.rect(x, top, x + w, bottom, mid);
    c.rect(x, top, x + 1, bottom, light);
    c.rect(x + w - 2, top, x + w, bottom, dark);
    c.rect(x - 1, top, x + w + 1, top + 2, light);
    c.rect(x - 1, bottom - 2, x + w + 1, bottom, dark);
}

// Perspective floor of tiles from the horizon down; far rows melt into an even mix.
void tile_floor(Canvas& c, int horizon, uint8_t a, uint8_t b, uint8_t line, int cols) {
    const float H = fx(c.height() - horizon);
    const float cx = fx(c.width()) / 2;
    const float zmin = 2.0f;
    const float focal = (fx(c.width()) / 2) * zmin / (fx(cols) / 2);
    for (int y = horizon; y < c.height(); ++y) {
        const float dy = fx(y - horizon) + 1.0f;
        const float z = zmin * H / dy;
        for (int x = 0; x < c.width(); ++x) {
            if (z > 14.0f) {
                c.put(x, y, ((x + y) & 1) ? a : b);
                continue;
            }
            const float X = (fx(x) + 0.5f - cx) * z / focal;
            const int col = static_cast<int>(std::floor(X)), row = static_cast<int>(std::floor(z));
            c.put(x, y, ((row + col) % 2 == 0) ? a : b);
        }
    }
    if (line != kClear) c.hline(0, c.width() - 1, horizon, line);
}

void rain(Canvas& c, Rng& r, int n, uint8_t col) {
    for (int k = 0; k < n; ++k) {
        const int x = r.range(c.width()), y = r.range(c.height());
        c.line(x, y, x - 2, y + 4, col);
    }
}

void bolt(Canvas& c, Rng& r, int x, int y0, int y1) {
    int px = x, py = y0;
    while (py < y1) {
        const int nx = px + r.range(9) - 4, ny = py + 4 + r.range(5);
        c.line(px, py, nx, ny, W);
        c.line(px + 1, py, nx + 1, ny, YL);
        px = nx;
        py = ny;
    }
}

void pagoda(Canvas& c, int x, int base, int levels, int w, uint8_t wall, uint8_t roof, uint8_t trim) {
    int y = base;
    for (int k = 0; k < levels; ++k) {
        const int ww = w - k * 3, hh = 6;
        c.rect(x - ww / 2 + 2, y - hh, x + ww / 2 - 1, y, wall);
        for (int wx = x - ww / 2 + 4; wx < x + ww / 2 - 3; wx += 3) c.vline(wx, y - hh + 1, y - 1, trim);
        c.polygon({fx(x - ww / 2 - 3), fx(y - hh + 1), fx(x + ww / 2 + 3), fx(y - hh + 1), fx(x + ww / 2 - 1), fx(y - hh - 3),
                   fx(x - ww / 2 + 1), fx(y - hh - 3)},
                  roof);
        c.put(x - ww / 2 - 3, y - hh, roof);
        c.put(x + ww / 2 + 2, y - hh, roof);
        y -= hh + 3;
    }
    c.vline(x, y - 5, y, trim);
}

void torii(Canvas& c, int x, int base, int w, int h, uint8_t red_, uint8_t dark) {
    c.rect(x - w / 2 + 3, base - h, x - w / 2 + 6, base, red_);
    c.rect(x + w / 2 - 6, base - h, x + w / 2 - 3, base, red_);
    c.rect(x - w / 2, base - h - 2, x + w / 2, base - h + 1, red_);
    c.polygon({fx(x - w / 2 - 3), fx(base - h - 4), fx(x + w / 2 + 3), fx(base - h - 4), fx(x + w / 2), fx(base - h - 1), fx(x - w / 2), fx(base - h - 1)}, dark);
    c.rect(x - w / 2 + 2, base - h + 4, x + w / 2 - 2, base - h + 6, red_);
}

void castle_jp(Canvas& c, int x, int base, uint8_t wall, uint8_t roof, uint8_t stone) {
    c.polygon({fx(x - 26), fx(base), fx(x + 26), fx(base), fx(x + 20), fx(base - 10), fx(x - 20), fx(base - 10)}, stone);
    int y = base - 10;
    const int widths[] = {36, 28, 20};
    for (int k = 0; k < 3; ++k) {
        const int w = widths[k];
        c.rect(x - w / 2, y - 8, x + w / 2, y, wall);
        for (int wx = x - w / 2 + 3; wx < x + w / 2 - 2; wx += 4) c.rect(wx, y - 5, wx + 2, y - 3, K);
        c.polygon({fx(x - w / 2 - 5), fx(y - 7), fx(x + w / 2 + 5), fx(y - 7), fx(x + w / 2 - 1), fx(y - 12), fx(x - w / 2 + 1), fx(y - 12)}, roof);
        c.polygon({fx(x - 4), fx(y - 11), fx(x + 4), fx(y - 11), fx(x), fx(y - 15)}, roof);
        y -= 13;
    }
    c.rect(x - 3, y - 1, x + 3, y + 1, GD);
}

void castle_eu(Canvas& c, int x, int base, uint8_t wall, uint8_t dark, uint8_t roof) {
    c.rect(x - 22, base - 18, x + 22, base, wall);
    for (int k = -22; k < 22; k += 4) c.rect(x + k, base - 21, x + k + 2, base - 18, wall);
    const int tx[] = {-24, -8, 8, 22};
    const int th[] = {28, 38, 34, 26};
    for (int k = 0; k < 4; ++k) {
        c.rect(x + tx[k] - 3, base - th[k], x + tx[k] + 4, base, wall);
        c.rect(x + tx[k] + 2, base - th[k], x + tx[k] + 4, base, dark);
        c.polygon({fx(x + tx[k] - 4), fx(base - th[k]), fx(x + tx[k] + 5), fx(base - th[k]), fx(x + tx[k]) + 0.5f, fx(base - th[k] - 9)}, roof);
        c.vline(x + tx[k], base - th[k] - 14, base - th[k] - 9, K);
        c.rect(x + tx[k] + 1, base - th[k] - 14, x + tx[k] + 5, base - th[k] - 11, R);
        c.rect(x + tx[k], base - th[k] + 4, x + tx[k] + 1, base - th[k] + 7, K);
    }
    c.rect(x - 3, base - 9, x + 3, base, K);
    c.oval(fx(x), fx(base - 9), 3, 3, K);
}

// ------------------------------------------------------------------ floors

Canvas floor0() {  // the humble sand arena
    Canvas c(kW, kH);
    Rng r(100);
    c.gradient(0, 0, kW, 45, {B, LB, SY});
    sun(c, 132, 14, 6, CR, YL);
    cloud(c, 30, 14, 14, W, SY);
    cloud(c, 95, 22, 10, W, SY);
    // The arena's curved wall with arches.
    for (int x = 0; x < kW; ++x) {
        const int top = 34 + static_cast<int>(8 * std::pow((fx(x) - 81) / 81, 2.0f));
        c.vline(x, top, 62, TN);
        c.put(x, top, SN);
        c.put(x, top + 1, SN);
        for (int tier = 0; tier < 3; ++tier) c.put(x, top + 7 + tier * 7, BN);
    }
    for (int x = 6; x < kW; x += 12) {
        const int top = 34 + static_cast<int>(8 * std::pow((fx(x) - 81) / 81, 2.0f));
        c.rect(x, top + 9, x + 5, top + 14, BR);
        c.oval(fx(x) + 2.5f, fx(top + 9), 2.5f, 2, BR);
    }
    // Banners on poles.
    for (int x : {22, 62, 100, 140}) {
        c.vline(x, 18, 40, BR);
        c.rect(x + 1, 19, x + 8, 27, x % 3 ? R : B);
        c.polygon({fx(x + 1), 27, fx(x + 8), 27, fx(x + 4) + 0.5f, 30}, x % 3 ? R : B);
    }
    // Sand floor with raked lines and a wooden palisade.
    c.gradient(0, 62, kW, kH, {SN, SN, TN});
    for (int k = 0; k < 9; ++k) c.hline(r.range(kW), r.range(kW), 66 + k * 3 + r.range(2), TN);
    ground_speckle(c, r, 63, kH, CR, TN, 200);
    for (int x = 0; x < kW; x += 4) {
        c.rect(x, 55, x + 3, 63, BN);
        c.put(x + 1, 54, BN);
        c.vline(x, 55, 62, TN);
    }
    c.hline(0, kW - 1, 58, BR);
    // A training dummy.
    c.rect(118, 64, 120, 84, BR);
    c.rect(114, 68, 125, 70, BR);
    c.oval(119, 63, 3.5f, 3.5f, SN);
    c.rect(116, 70, 123, 79, TN);
    c.oval(119, 85, 6, 1.5f, TN);
    return c;
}

Canvas floor1() {  // meadow and old stones
    Canvas c(kW, kH);
    Rng r(101);
    c.gradient(0, 0, kW, 50, {B, LB, SY});
    cloud(c, 40, 16, 16, W, SY);
    cloud(c, 120, 10, 12, W, SY);
    ridge(c, r, 44, 6, LB, 4);
    ridge(c, r, 50, 5, TE, 3);
    hills(c, 60, 5, 0.05f, 1.0f, G, LG);
    hills(c, 72, 4, 0.035f, 2.5f, LG, kClear);
    c.gradient(0, 80, kW, kH, {G, G, DG});
    // The path.
    for (int y = 62; y < kH; ++y) {
        const float t = fx(y - 62) / fx(kH - 62);
        const int cx = 90 - static_cast<int>(t * 25), w = 2 + static_cast<int>(t * 16);
        c.hline(cx - w, cx + w, y, y % 3 ? SN : TN);
    }
    // Ruined columns.
    pillar(c, 28, 48, 76, 7, G2, G3, W);
    c.rect(27, 44, 36, 48, G3);
    pillar(c, 130, 58, 80, 6, G2, G3, W);
    c.rect(129, 56, 131, 58, G3);
    c.rect(136, 78, 146, 81, G3);
    for (int k = 0; k < 40; ++k) {
        const int x = r.range(kW), y = 66 + r.range(30);
        c.put(x, y, r.chance(3) ? YL : (r.chance(2) ? PK : W));
        c.put(x, y + 1, DG);
    }
    return c;
}

Canvas floor2() {  // edge of the forest
    Canvas c(kW, kH);
    Rng r(102);
    c.gradient(0, 0, kW, 40, {LB, SY, CR});
    for (int x = -5; x < kW + 10; x += 9) round_tree(c, x + r.range(4), 50, 9 + r.range(4), BR, DG, G, G);
    for (int x = 0; x < kW + 10; x += 14) round_tree(c, x + r.range(6), 62, 11 + r.range(5), BR, DG, G, LG);
    c.gradient(0, 60, kW, kH, {G, G, DG});
    ground_speckle(c, r, 62, kH, LG, DG, 300);
    for (int y = 60; y < kH; ++y) {
        const float t = fx(y - 60) / fx(kH - 60);
        const int cx = 70 + static_cast<int>(t * 18), w = 2 + static_cast<int>(t * 14);
        c.hline(cx - w, cx + w, y, (y + cx) % 4 ? BN : TN);
    }
    // Big trees in front on both sides.
    c.rect(4, 10, 14, kH, BR);
    c.rect(4, 10, 6, kH, BN);
    c.oval(9, 8, 20, 14, DG);
    c.oval(6, 5, 14, 9, G);
    c.rect(146, 14, 156, kH, BR);
    c.rect(146, 14, 148, kH, BN);
    c.oval(153, 10, 22, 15, DG);
    c.oval(150, 7, 15, 9, G);
    c.rect(40, 80, 44, 84, G1);
    c.oval(42, 80, 4, 2, G2);
    return c;
}

Canvas floor3() {  // the deep wood
    Canvas c(kW, kH);
    Rng r(103);
    c.gradient(0, 0, kW, kH, {DG, DG, K});
    for (int k = 0; k < 14; ++k) {
        const int x = r.range(kW), w = 3 + r.range(4);
        c.rect(x, 0, x + w, kH, k % 2 ? D1 : K);
    }
    // Shafts of light through the canopy.
    for (int k = 0; k < 4; ++k) {
        const int x0 = 20 + k * 38;
        for (int y = 0; y < 80; ++y)
            for (int x = x0 + y / 3; x < x0 + y / 3 + 6; ++x)
                if (dither_on(x, y, 0.35f - fx(y) * 0.003f)) c.put(x, y, G);
    }
    for (int k = 0; k < 6; ++k) {
        const int x = 8 + k * 28 + r.range(8), w = 7 + r.range(5);
        c.rect(x, 0, x + w, kH, BR);
        c.rect(x, 0, x + 2, kH, BN);
        c.rect(x - 3, 80, x + w + 3, 84, BR);
    }
    for (int x = 0; x < kW; ++x) c.vline(x, 0, 6 + static_cast<int>(4 * std::sin(fx(x) * 0.3f)), K);
    c.gradient(0, 82, kW, kH, {DG, K});
    for (int k = 0; k < 8; ++k) {
        const int x = r.range(kW), y = 84 + r.range(10);
        c.rect(x, y, x + 1, y + 3, CR);
        c.oval(fx(x) + 0.5f, fx(y), 2.5f, 1.5f, k % 2 ? TE : CY);
    }
    for (int k = 0; k < 25; ++k) c.put(r.range(kW), 10 + r.range(70), LG);
    return c;
}

Canvas floor4() {  // misty swamp
    Canvas c(kW, kH);
    Rng r(104);
    c.gradient(0, 0, kW, 60, {D1, OL, TE});
    moon(c, 30, 14, 6, SN, D1);
    ridge(c, r, 50, 5, DG, 3);
    // Dead trees.
    for (int x : {20, 70, 128}) {
        c.rect(x, 30, x + 3, 66, K);
        c.line(x + 1, 42, x - 9, 34, K);
        c.line(x + 2, 38, x + 12, 28, K);
        c.line(x - 9, 34, x - 12, 36, K);
        c.line(x + 12, 28, x + 15, 30, K);
    }
    c.gradient(0, 62, kW, kH, {TE, NB, D1});
    for (int k = 0; k < 30; ++k) {
        const int x = r.range(kW), y = 64 + r.range(30);
        c.hline(x, x + 3 + r.range(6), y, TE);
    }
    // Reeds and fog.
    for (int k = 0; k < 40; ++k) {
        const int x = r.range(kW), y = 70 + r.range(27);
        c.vline(x, y - 5 - r.range(5), y, OL);
        c.put(x, y - 8, BN);
    }
    for (int y = 50; y < 74; ++y)
        for (int x = 0; x < kW; ++x)
            if (dither_on(x, y, 0.35f - std::abs(fx(y) - 62) * 0.03f)) c.put(x, y, SY);
    for (int k = 0; k < 16; ++k) c.put(r.range(kW), 20 + r.range(60), LG);
    return c;
}

Canvas floor5() {  // cave mouth
    Canvas c(kW, kH);
    Rng r(105);
    c.fill(K);
    // Daylight through the opening.
    c.oval(81, 50, 40, 34, LB);
    c.gradient(50, 15, 112, 60, {LB, SY});
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = std::hypot((fx(x) - 81) / 46, (fx(y) - 52) / 40);
            if (d > 1.0f) c.put(x, y, d > 1.25f ? G1 : G2);
            if (d > 1.0f && d < 1.08f) c.put(x, y, K);
        }
    ridge(c, r, 62, 3, G, 3);
    hills(c, 70, 3, 0.1f, 0.0f, DG, kClear);
    // Rock texture and stalactites.
    for (int k = 0; k < 120; ++k) {
        const int x = r.range(kW), y = r.range(kH);
        if (c.at(x, y) == G1 || c.at(x, y) == G2) c.put(x, y, r.chance(2) ? K : G3);
    }
    for (int x = 0; x < kW; x += 6) {
        const int h = 4 + r.range(10);
        c.polygon({fx(x), 0, fx(x + 6), 0, fx(x + 3), fx(h)}, G1);
    }
    c.gradient(0, 78, kW, kH, {BR, K});
    torch(c, 24, 44);
    torch(c, 136, 44);
    glow_spot(c, 25, 42, 12, OR);
    glow_spot(c, 137, 42, 12, OR);
    torch(c, 24, 44);
    torch(c, 136, 44);
    return c;
}

Canvas floor6() {  // crystal cave
    Canvas c(kW, kH);
    Rng r(106);
    c.gradient(0, 0, kW, kH, {K, D1, D2});
    for (int x = 0; x < kW; x += 5) {
        const int h = 5 + r.range(14);
        c.polygon({fx(x), 0, fx(x + 5), 0, fx(x + 2) + 0.5f, fx(h)}, K);
    }
    for (int k = 0; k < 18; ++k) {
        const float x = fx(r.range(kW)), y = fx(60 + r.range(37));
        const float h = fx(10 + r.range(22)), w = fx(3 + r.range(4));
        const float lean = fx(r.range(9) - 4);
        const uint8_t body = k % 3 == 0 ? TE : (k % 3 == 1 ? VI : B);
        const uint8_t lite = k % 3 == 0 ? CY : (k % 3 == 1 ? LV : LB);
        glow_spot(c, x + lean, y - h / 2, h * 0.6f, k % 2 ? D2 : VI);
        c.polygon({x - w, y, x + lean, y - h, x + w, y}, body);
        c.polygon({x - w + 1, y, x + lean, y - h + 1, x, y}, lite);
        c.line(static_cast<int>(x + lean), static_cast<int>(y - h), static_cast<int>(x + lean), static_cast<int>(y - h + 3), W);
    }
    c.gradient(0, 88, kW, kH, {D1, K});
    for (int k = 0; k < 30; ++k) {
        const int x = r.range(kW), y = r.range(kH);
        c.put(x, y, r.chance(2) ? CY : LV);
    }
    return c;
}

Canvas floor7() {  // magma cavern and the sealed gate
    Canvas c(kW, kH);
    Rng r(107);
    c.gradient(0, 0, kW, kH, {K, RD, R});
    for (int x = 0; x < kW; x += 7) {
        const int h = 6 + r.range(16);
        c.polygon({fx(x), 0, fx(x + 7), 0, fx(x + 3) + 0.5f, fx(h)}, K);
    }
    // The great gate.
    c.rect(60, 14, 104, 66, BR);
    c.rect(64, 18, 100, 66, K);
    c.rect(66, 20, 81, 66, G1);
    c.rect(83, 20, 98, 66, G1);
    for (int y = 24; y < 66; y += 8) {
        c.hline(66, 80, y, G2);
        c.hline(83, 97, y, G2);
    }
    c.rect(78, 38, 86, 47, GD);
    c.rect(80, 40, 84, 44, YL);
    c.put(82, 42, K);
    c.vline(82, 43, 45, K);
    // Ledges and the lava river.
    c.polygon({0, 66, fx(kW), 66, fx(kW), 75, 0, 75}, BR);
    c.hline(0, kW - 1, 66, BN);
    c.gradient(0, 75, kW, kH, {YL, OR, R, RD});
    for (int k = 0; k < 40; ++k) {
        const int x = r.range(kW), y = 76 + r.range(20);
        c.hline(x, x + 2 + r.range(5), y, k % 3 ? YL : CR);
    }
    for (int y = 55; y < 75; ++y)
        for (int x = 0; x < kW; ++x)
            if (!c.opaque(x, y) || (c.at(x, y) == BR && dither_on(x, y, fx(y - 66) * 0.06f))) c.put(x, y, RD);
    for (int k = 0; k < 30; ++k) c.put(r.range(kW), r.range(70), k % 2 ? OR : YL);
    return c;
}

Canvas floor8() {  // drowned ruins
    Canvas c(kW, kH);
    Rng r(108);
    c.gradient(0, 0, kW, 60, {K, NB, TE});
    for (int x = 0; x < kW; x += 5) {
        const int h = 3 + r.range(12);
        c.polygon({fx(x), 0, fx(x + 5), 0, fx(x + 2) + 0.5f, fx(h)}, K);
    }
    for (int k = 0; k < 5; ++k) {
        const int x = 10 + k * 34, h = 20 + r.range(25);
        pillar(c, x, 62 - h, 62, 8, G1, G2, G3);
        if (k % 2) c.rect(x - 2, 62 - h - 3, x + 10, 62 - h, G2);
        for (int m = 0; m < 5; ++m) c.put(x + r.range(8), 62 - r.range(h), LG);
    }
    c.rect(0, 60, kW, 62, G1);
    c.gradient(0, 62, kW, kH, {TE, NB, K});
    // Reflections.
    for (int y = 62; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int sy = 2 * 62 - y;
            if ((y + x / 7) % 3 == 0) continue;
            const uint8_t above = c.at(x, sy);
            if (above == G2 || above == G3) c.put(x, y, TE);
        }
    for (int k = 0; k < 20; ++k) {
        const int x = r.range(kW), y = 64 + r.range(30);
        c.hline(x, x + 3, y, CY);
    }
    for (int k = 0; k < 12; ++k) c.put(r.range(kW), 20 + r.range(40), CY);
    return c;
}

Canvas floor9() {  // frontier town at dusk
    Canvas c(kW, kH);
    Rng r(109);
    c.gradient(0, 0, kW, 62, {D2, MG, OR, YL});
    sun(c, 120, 54, 8, CR, YL);
    ridge(c, r, 56, 5, D2, 3);
    // Water tower.
    c.rect(138, 30, 140, 64, BR);
    c.rect(150, 30, 152, 64, BR);
    c.rect(134, 20, 156, 32, BN);
    c.polygon({132, 20, 158, 20, 145, 13}, BR);
    c.rect(0, 62, kW, kH, BN);
    // False-fronted shops.
    const int xs[] = {2, 34, 66, 98};
    const uint8_t walls[] = {TN, BN, SN, TN};
    for (int k = 0; k < 4; ++k) {
        const int x = xs[k], w = 28, h = 24 + (k % 2) * 6;
        c.rect(x, 64 - h, x + w, 66, walls[k]);
        c.rect(x, 64 - h, x + w, 64 - h + 3, BR);
        for (int wx = x + 3; wx < x + w - 4; wx += 8) c.rect(wx, 64 - h + 7, wx + 4, 64 - h + 12, r.chance(2) ? YL : K);
        c.rect(x + 10, 54, x + 18, 66, BR);
        c.rect(x - 1, 52, x + w + 1, 54, BR);
        for (int px = x; px <= x + w; px += 7) c.vline(px, 54, 65, BR);
    }
    c.gradient(0, 66, kW, kH, {TN, BN, BR});
    ground_speckle(c, r, 68, kH, SN, BR, 150);
    // A tumbleweed and a hitching rail.
    c.oval(120, 84, 4, 3.5f, BN);
    c.oval(120, 84, 2.5f, 2, TN);
    c.hline(20, 50, 74, BR);
    c.vline(20, 74, 80, BR);
    c.vline(50, 74, 80, BR);
    return c;
}

Canvas floor10() {  // castle town
    Canvas c(kW, kH);
    Rng r(110);
    c.gradient(0, 0, kW, 50, {B, LB, SY});
    cloud(c, 30, 12, 12, W, SY);
    cloud(c, 140, 18, 10, W, SY);
    hills(c, 46, 5, 0.04f, 0.3f, G, LG);
    castle_eu(c, 90, 42, G3, G2, B);
    for (int k = 0; k < 9; ++k) house(c, -4 + k * 19, 70 + (k % 2) * 3, 14, 12 + (k % 3) * 3, k % 2 ? SN : CR, TN, k % 3 ? R : RD, RD, false, r);
    c.gradient(0, 72, kW, kH, {G2, G3, G2});
    for (int y = 74; y < kH; y += 4)
        for (int x = (y / 4) % 2 * 3; x < kW; x += 6) c.put(x, y, G1);
    // Market stall.
    c.rect(20, 76, 48, 86, BN);
    for (int x = 18; x < 50; x += 4) c.rect(x, 72, x + 2, 76, R);
    for (int x = 20; x < 50; x += 4) c.rect(x, 72, x + 2, 76, W);
    c.oval(28, 76, 2, 1.5f, OR);
    c.oval(34, 76, 2, 1.5f, LG);
    c.oval(40, 76, 2, 1.5f, R);
    return c;
}

Canvas floor11() {  // harbour by night
    Canvas c(kW, kH);
    Rng r(111);
    c.gradient(0, 0, kW, 58, {K, NB, B});
    stars(c, r, 60, 45);
    full_moon(c, 118, 18, 7);
    c.gradient(0, 58, kW, kH, {NB, NB, K});
    for (int y = 60; y < kH; y += 2) {
        const int w = 3 + (y - 58) / 3;
        c.hline(118 - w + r.range(3), 118 + w - r.range(3), y, y % 4 ? CR : SN);
    }
    for (int k = 0; k < 30; ++k) {
        const int x = r.range(kW), y = 60 + r.range(36);
        c.hline(x, x + 4, y, B);
    }
    // Lighthouse with its beam.
    c.polygon({14, 58, 24, 58, 22, 24, 16, 24}, W);
    for (int y = 28; y < 58; y += 8) c.rect(15, y, 24, y + 4, R);
    c.rect(15, 18, 23, 24, YL);
    c.polygon({13, 18, 25, 18, 19, 13}, RD);
    for (int y = 0; y < kH; ++y)
        for (int x = 24; x < 90; ++x) {
            const float t = fx(x - 24) / 66;
            if (std::abs(fx(y) - 21 + t * 8) < 1 + t * 6 && dither_on(x, y, 0.5f - t * 0.4f)) c.put(x, y, CR);
        }
    // Ships.
    for (int k = 0; k < 2; ++k) {
        const int x = 60 + k * 50, y = 62 - k * 2;
        c.polygon({fx(x - 16), fx(y - 4), fx(x + 16), fx(y - 4), fx(x + 12), fx(y + 2), fx(x - 12), fx(y + 2)}, K);
        c.vline(x - 4, y - 28, y - 4, K);
        c.vline(x + 6, y - 22, y - 4, K);
        c.polygon({fx(x - 3), fx(y - 27), fx(x + 6), fx(y - 8), fx(x - 3), fx(y - 8)}, G3);
        c.put(x + 10, y - 6, YL);
    }
    c.rect(120, 70, kW, 74, BR);
    for (int x = 122; x < kW; x += 8) c.rect(x, 74, x + 2, kH, BR);
    return c;
}

Canvas floor12() {  // misty peaks
    Canvas c(kW, kH);
    Rng r(112);
    c.gradient(0, 0, kW, kH, {SY, LB, TE});
    sun(c, 40, 18, 6, W, CR);
    auto peak = [&](int x, int top, int w, uint8_t col, uint8_t lite) {
        for (int y = top; y < kH; ++y) {
            const float t = fx(y - top) / fx(kH - top);
            const int hw = static_cast<int>(fx(w) * (0.45f + 0.55f * std::sqrt(t)));
            c.hline(x - hw, x + hw, y, col);
            c.hline(x - hw, x - hw + 1, y, lite);
        }
        c.oval(fx(x), fx(top), fx(w) * 0.5f, 2, col);
        // A pine clinging to the top.
        c.rect(x, top - 5, x + 1, top, BR);
        c.oval(fx(x) + 1.5f, fx(top - 5), 3, 1.5f, DG);
    };
    peak(20, 30, 10, TE, CY);
    peak(70, 20, 11, TE, CY);
    peak(130, 26, 12, TE, CY);
    for (int y = 50; y < 70; ++y)
        for (int x = 0; x < kW; ++x)
            if (dither_on(x, y, 0.6f - std::abs(fx(y) - 60) * 0.05f)) c.put(x, y, SY);
    peak(45, 46, 13, NB, TE);
    peak(108, 40, 12, NB, TE);
    pagoda(c, 108, 40, 4, 22, RD, TE, YL);
    peak(150, 58, 14, K, NB);
    peak(6, 62, 12, K, NB);
    for (int y = 80; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (dither_on(x, y, 0.3f + fx(y - 80) * 0.04f)) c.put(x, y, SY);
    // Cranes.
    for (int k = 0; k < 3; ++k) {
        const int x = 78 + k * 9, y = 12 + (k % 2) * 4;
        c.line(x - 3, y - 1, x, y, W);
        c.line(x, y, x + 3, y - 1, W);
    }
    return c;
}

Canvas floor13() {  // red temple court
    Canvas c(kW, kH);
    Rng r(113);
    c.gradient(0, 0, kW, 40, {B, LB, SY});
    // Great hall.
    c.rect(20, 24, 143, 64, RD);
    c.polygon({8, 26, 155, 26, 140, 12, 23, 12}, TE);
    c.polygon({4, 27, 12, 22, 20, 27}, TE);
    c.polygon({143, 27, 151, 22, 159, 27}, TE);
    c.hline(8, 155, 26, GD);
    c.rect(50, 6, 113, 12, TE);
    c.polygon({44, 12, 119, 12, 113, 4, 50, 4}, TE);
    c.hline(44, 119, 12, GD);
    for (int x = 24; x < 143; x += 14) pillar(c, x, 28, 64, 5, RD, R, OR);
    c.rect(70, 40, 93, 64, K);
    c.rect(72, 42, 91, 64, BR);
    c.rect(73, 30, 90, 36, GD);
    c.rect(75, 32, 88, 34, K);
    // Stone court and lanterns.
    c.gradient(0, 64, kW, kH, {G3, G2, G1});
    for (int y = 66; y < kH; y += 5) c.hline(0, kW - 1, y, G2);
    for (int x : {30, 133}) {
        c.rect(x - 1, 70, x + 2, 86, G2);
        c.rect(x - 4, 62, x + 5, 70, G3);
        c.rect(x - 2, 64, x + 3, 68, YL);
        c.polygon({fx(x - 6), 62, fx(x + 7), 62, fx(x) + 0.5f, 57}, G2);
        c.rect(x - 5, 86, x + 6, 88, G2);
    }
    for (int k = 0; k < 3; ++k) lantern(c, 50 + k * 32, 30, R, YL);
    return c;
}

Canvas floor14() {  // lantern festival
    Canvas c(kW, kH);
    Rng r(114);
    c.gradient(0, 0, kW, kH, {K, D1, D2});
    stars(c, r, 30, 30);
    // Fireworks.
    for (int k = 0; k < 2; ++k) {
        const int cx = 40 + k * 80, cy = 16 + k * 4;
        const uint8_t col = k ? LG : PK;
        for (int a = 0; a < 16; ++a) {
            const float ang = fx(a) * kPi / 8;
            for (int d = 3; d < 11; d += 2) c.put(cx + static_cast<int>(std::cos(ang) * fx(d)), cy + static_cast<int>(std::sin(ang) * fx(d)), d > 8 ? YL : col);
        }
    }
    // Rooftops with upturned eaves.
    for (int k = 0; k < 5; ++k) {
        const int x = -6 + k * 36, w = 34, top = 48 + (k % 2) * 6;
        c.rect(x + 3, top, x + w - 3, kH, K);
        c.polygon({fx(x - 2), fx(top + 2), fx(x + w + 2), fx(top + 2), fx(x + w - 4), fx(top - 6), fx(x + 4), fx(top - 6)}, D1);
        c.put(x - 3, top + 1, D1);
        c.put(x + w + 2, top + 1, D1);
        for (int wx = x + 7; wx < x + w - 6; wx += 7) c.rect(wx, top + 6, wx + 3, top + 11, OR);
    }
    // Strings of lanterns.
    for (int row = 0; row < 3; ++row) {
        const int y0 = 28 + row * 12;
        for (int x = 0; x < kW; x += 2) c.put(x, y0 + static_cast<int>(4 * std::sin(fx(x) * 0.04f + fx(row))), G1);
        for (int x = 6 + row * 5; x < kW; x += 16) {
            const int y = y0 + static_cast<int>(4 * std::sin(fx(x) * 0.04f + fx(row)));
            glow_spot(c, fx(x), fx(y + 3), 6, RD);
            lantern(c, x, y + 1, R, YL);
        }
    }
    c.gradient(0, 88, kW, kH, {BR, K});
    return c;
}

Canvas floor15() {  // sunset boulevard
    Canvas c(kW, kH);
    Rng r(115);
    c.gradient(0, 0, kW, 60, {D1, D2, MG, OR, YL});
    // Striped sun sinking into the sea.
    for (int y = 22; y < 60; ++y)
        for (int x = 56; x < 108; ++x) {
            const float d = std::hypot(fx(x) - 81.5f, fx(y) - 48.0f);
            if (d <= 24 && !(y > 40 && (y - 40) % 4 < (y - 40) / 6 + 1)) c.put(x, y, y < 38 ? YL : (y < 48 ? OR : PK));
        }
    c.gradient(0, 58, kW, 68, {MG, D2});
    for (int k = 0; k < 24; ++k) {
        const int x = 60 + r.range(44), y = 59 + r.range(8);
        c.hline(x, x + 3, y, PK);
    }
    // The boulevard with its grid.
    c.rect(0, 68, kW, kH, K);
    for (int x = -200; x < kW + 200; x += 14) c.line(81, 68, x, kH - 1, MG);
    for (int y = 68, s = 1; y < kH; y += s, ++s) c.hline(0, kW - 1, y, MG);
    palm(c, 16, 80, 40, K);
    palm(c, 138, 84, 46, K);
    palm(c, 118, 74, 26, D1);
    return c;
}

Canvas floor16() {  // neon downtown
    Canvas c(kW, kH);
    Rng r(116);
    c.gradient(0, 0, kW, kH, {K, D1, D2});
    stars(c, r, 20, 20);
    tower_block(c, 0, 20, 22, D1, D2, YL, K, r);
    tower_block(c, 24, 8, 18, K, D1, CY, K, r);
    tower_block(c, 46, 26, 26, D1, D2, PK, K, r);
    tower_block(c, 76, 4, 20, K, D1, LG, K, r);
    tower_block(c, 100, 18, 28, D1, D2, YL, K, r);
    tower_block(c, 132, 12, 31, K, D1, CY, K, r);
    // Neon signs.
    auto sign = [&](int x, int y, const char* text, uint8_t col) {
        const int w = text_cells(text) + 4;
        c.rect(x, y, x + w, y + 11, K);
        c.frame(x, y, x + w, y + 11, col);
        draw_text(c, x + 2, y + 2, text, 1, col);
    };
    sign(4, 40, "BAR", PK);
    sign(48, 34, "HOTEL", CY);
    sign(102, 28, "24H", LG);
    sign(134, 46, "ZAN", YL);
    c.rect(0, 74, kW, kH, K);
    c.hline(0, kW - 1, 74, MG);
    for (int y = 76; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const uint8_t above = c.at(x, 2 * 74 - y);
            if ((above == PK || above == CY || above == LG || above == YL) && (y % 2)) c.put(x, y, above == PK ? MG : (above == CY ? TE : (above == LG ? G : GD)));
        }
    for (int x = 6; x < kW; x += 18) c.hline(x, x + 8, 85, YL);
    // A car with lit headlights.
    c.rect(110, 78, 138, 86, MG);
    c.rect(115, 73, 132, 79, D2);
    c.rect(117, 74, 130, 78, CY);
    c.oval(116, 87, 3, 3, K);
    c.oval(133, 87, 3, 3, K);
    c.rect(109, 80, 111, 82, YL);
    return c;
}

Canvas floor17() {  // freeway
    Canvas c(kW, kH);
    Rng r(117);
    c.gradient(0, 0, kW, 60, {K, D1, D2, VI});
    // Searchlights.
    for (int k = 0; k < 2; ++k) {
        const float bx = fx(40 + k * 80), ang = -kPi / 2 + (k ? 0.35f : -0.3f);
        for (int t = 0; t < 70; ++t) {
            const float x = bx + std::cos(ang) * fx(t), y = 60 + std::sin(ang) * fx(t);
            for (int w = -t / 10; w <= t / 10; ++w)
                if (dither_on(static_cast<int>(x) + w, static_cast<int>(y), 0.5f - fx(t) * 0.006f)) c.put(static_cast<int>(x) + w, static_cast<int>(y), LV);
        }
    }
    for (int k = 0; k < 12; ++k) tower_block(c, k * 14, 24 + r.range(28), 12, k % 2 ? K : D1, D2, k % 3 ? YL : CY, D1, r);
    // The elevated road and streaks of car lights.
    c.rect(0, 60, kW, 68, G1);
    c.hline(0, kW - 1, 60, G2);
    for (int x = 10; x < kW; x += 30) c.rect(x, 68, x + 5, kH, G1);
    for (int x = 0; x < kW; x += 3) c.put(x, 62, x % 9 < 5 ? R : kClear);
    for (int x = 0; x < kW; x += 4) c.put(x, 65, x % 12 < 8 ? W : kClear);
    c.gradient(0, 68, kW, kH, {D1, K});
    for (int k = 0; k < 6; ++k) {
        const int y = 78 + k * 3;
        c.hline(r.range(40), 40 + r.range(120), y, k % 2 ? R : YL);
    }
    return c;
}

Canvas floor18() {  // castle among blossoms
    Canvas c(kW, kH);
    Rng r(118);
    c.gradient(0, 0, kW, 60, {B, LB, SY});
    cloud(c, 130, 14, 13, W, SY);
    ridge(c, r, 48, 4, LB, 3);
    castle_jp(c, 81, 60, W, NB, G2);
    hills(c, 62, 2, 0.05f, 0.0f, G, kClear);
    c.gradient(0, 64, kW, kH, {G, G, DG});
    auto sakura = [&](int x, int base, int s) {
        c.rect(x, base - s, x + 2, base, BR);
        c.line(x + 1, base - s, x - s / 2, base - s - s / 3, BR);
        c.line(x + 1, base - s, x + s / 2, base - s - s / 2, BR);
        for (int k = 0; k < 6; ++k) c.oval(fx(x + r.range(s) - s / 2), fx(base - s - s / 3 - r.range(s / 2 + 1)), fx(s) * 0.35f, fx(s) * 0.28f, k % 2 ? PK : CR);
    };
    sakura(18, 84, 16);
    sakura(146, 88, 18);
    sakura(40, 70, 10);
    sakura(126, 70, 10);
    for (int k = 0; k < 60; ++k) c.put(r.range(kW), r.range(kH), PK);
    for (int y = 70; y < kH; ++y) {
        const int w = 4 + (y - 70) / 2;
        c.hline(81 - w, 81 + w, y, SN);
    }
    return c;
}

Canvas floor19() {  // shrine at night
    Canvas c(kW, kH);
    Rng r(119);
    c.gradient(0, 0, kW, kH, {K, NB, D1});
    stars(c, r, 40, 50);
    full_moon(c, 81, 26, 14);
    for (int x = 0; x < kW; x += 5) pine(c, x + r.range(3), 68, 18 + r.range(12), K, D1);
    // Stone steps up to the gate.
    for (int k = 0; k < 8; ++k) {
        const int y = 66 + k * 4, w = 18 + k * 5;
        c.rect(81 - w, y, 81 + w, y + 4, k % 2 ? G1 : G2);
        c.hline(81 - w, 81 + w, y, G3);
    }
    torii(c, 81, 66, 52, 34, R, RD);
    for (int x : {34, 128}) {
        c.rect(x - 1, 74, x + 2, 88, G2);
        c.rect(x - 4, 66, x + 5, 74, G3);
        c.rect(x - 2, 68, x + 3, 72, YL);
        c.polygon({fx(x - 6), 66, fx(x + 7), 66, fx(x) + 0.5f, 60}, G2);
        glow_spot(c, fx(x) + 0.5f, 70, 8, D2);
        c.rect(x - 2, 68, x + 3, 72, YL);
    }
    for (int k = 0; k < 10; ++k) {
        const int x = r.range(kW), y = 40 + r.range(40);
        c.put(x, y, CY);
        c.put(x, y - 1, TE);
    }
    return c;
}

Canvas floor20() {  // snow peak at dawn
    Canvas c(kW, kH);
    Rng r(120);
    c.gradient(0, 0, kW, 60, {B, LB, PK, CR});
    // The great mountain.
    for (int y = 14; y < kH; ++y) {
        const float t = fx(y - 14) / 50;
        const int hw = 8 + static_cast<int>(t * 70);
        c.hline(81 - hw, 81 + hw, y, B);
        if (y < 30) c.hline(81 - hw, 81 + hw, y, W);
        else if (y < 36) for (int x = 81 - hw; x <= 81 + hw; ++x) if ((x * 5 + y * 3) % 7 < 4) c.put(x, y, W);
        c.hline(81 - hw, 81 - hw + 2, y, y < 36 ? SY : LB);
    }
    ridge(c, r, 62, 4, NB, 3);
    c.gradient(0, 70, kW, kH, {W, SY, LB});
    for (int k = 0; k < 5; ++k) {
        const int x = 6 + k * 32;
        house(c, x, 80 + (k % 2) * 4, 16, 9, BN, BR, NB, K, true, r);
        c.polygon({fx(x - 2), fx(80 + (k % 2) * 4 - 9), fx(x + 18), fx(80 + (k % 2) * 4 - 9), fx(x + 8), fx(80 + (k % 2) * 4 - 9 - 10)}, W);
    }
    for (int x = 2; x < kW; x += 23) pine(c, x, 96, 16, DG, G, W);
    for (int k = 0; k < 80; ++k) c.put(r.range(kW), r.range(kH), W);
    return c;
}

Canvas floor21() {  // above the clouds
    Canvas c(kW, kH);
    Rng r(121);
    c.gradient(0, 0, kW, 70, {NB, B, LB, SY});
    sun(c, 120, 22, 9, W, CR);
    for (int a = 0; a < 12; ++a) {
        const float ang = fx(a) * kPi / 6;
        for (int d = 20; d < 40; ++d)
            if (d % 3) c.put(120 + static_cast<int>(std::cos(ang) * fx(d)), 22 + static_cast<int>(std::sin(ang) * fx(d)), CR);
    }
    for (int k = 0; k < 14; ++k) cloud(c, fx(r.range(kW)), fx(64 + r.range(10)), fx(14 + r.range(10)), W, SY);
    c.gradient(0, 78, kW, kH, {W, SY});
    for (int k = 0; k < 10; ++k) cloud(c, fx(r.range(kW)), fx(80 + r.range(14)), fx(12 + r.range(10)), W, SY);
    for (int k = 0; k < 4; ++k) {
        const int x = 30 + k * 12, y = 30 + (k % 2) * 5;
        c.line(x - 3, y - 2, x, y, NB);
        c.line(x, y, x + 3, y - 2, NB);
    }
    return c;
}

Canvas floor22() {  // floating isles
    Canvas c(kW, kH);
    Rng r(122);
    c.gradient(0, 0, kW, kH, {B, LB, PK, OR});
    for (int k = 0; k < 6; ++k) cloud(c, fx(r.range(kW)), fx(70 + r.range(24)), fx(12 + r.range(10)), CR, PK);
    auto isle = [&](int x, int y, int w) {
        c.polygon({fx(x - w), fx(y), fx(x + w), fx(y), fx(x + w / 3), fx(y + w), fx(x - w / 4), fx(y + w + 3)}, BN);
        c.polygon({fx(x - w), fx(y), fx(x), fx(y), fx(x - w / 4), fx(y + w + 3)}, BR);
        c.rect(x - w, y - 2, x + w, y + 1, G);
        c.hline(x - w, x + w - 1, y - 2, LG);
        for (int k = 0; k < w / 4; ++k) round_tree(c, x - w + 3 + k * 8, y - 1, 3 + r.range(2), BR, DG, G, LG);
        // A waterfall off the edge.
        for (int yy = y; yy < y + w + 14; ++yy) c.put(x + w - 3 + (yy % 2), yy, yy % 3 ? SY : W);
    };
    isle(40, 34, 20);
    isle(120, 54, 16);
    isle(86, 18, 9);
    isle(150, 20, 6);
    return c;
}

Canvas floor23() {  // the storm and the strange tower ahead
    Canvas c(kW, kH);
    Rng r(123);
    c.gradient(0, 0, kW, kH, {K, D1, G1});
    // The tower, far off, lit from within.
    for (int y = 6; y < kH; ++y) {
        const int hw = 3 + (y - 6) / 10;
        c.hline(120 - hw, 120 + hw, y, D2);
        if (y % 6 == 0) c.hline(120 - hw, 120 + hw, y, MG);
    }
    glow_spot(c, 120, 6, 8, MG);
    for (int k = 0; k < 10; ++k) cloud(c, fx(r.range(kW)), fx(10 + r.range(30)), fx(16 + r.range(14)), G1, K);
    bolt(c, r, 40, 20, 80);
    bolt(c, r, 90, 30, 70);
    ridge(c, r, 80, 5, K, 4);
    rain(c, r, 90, G2);
    return c;
}

Canvas floor24() {  // the strange tower's summit
    Canvas c(kW, kH);
    Rng r(124);
    c.gradient(0, 0, kW, 60, {K, D1, D2, MG});
    stars(c, r, 50, 55);
    // A spiral in the sky.
    for (int t = 0; t < 600; ++t) {
        const float a = fx(t) * 0.05f, rad = fx(t) * 0.06f;
        c.put(81 + static_cast<int>(std::cos(a) * rad * 1.4f), 24 + static_cast<int>(std::sin(a) * rad), t % 3 ? VI : LV);
    }
    // An eye watching from above.
    c.oval(81, 24, 9, 5, W);
    c.oval(81, 24, 4, 4, MG);
    c.oval(81, 24, 1.5f, 3, K);
    tile_floor(c, 60, D2, K, MG, 6);
    // Floating shapes.
    c.polygon({20, 30, 28, 22, 36, 30, 28, 38}, LG);
    c.polygon({20, 30, 28, 22, 28, 38}, G);
    c.oval(140, 34, 7, 7, CY);
    c.oval(138, 32, 3, 3, W);
    c.polygon({120, 50, 132, 50, 126, 40}, YL);
    // Stairs that lead nowhere.
    for (int k = 0; k < 8; ++k) c.rect(10 + k * 5, 86 - k * 4, 20 + k * 5, 90 - k * 4, k % 2 ? LV : VI);
    return c;
}

Canvas floor_default() {  // a plain stone hall
    Canvas c(kW, kH);
    Rng r(99);
    bricks(c, 0, 0, kW, 70, G1, K, 12, 6);
    for (int k = 0; k < 40; ++k) c.put(r.range(kW), r.range(70), G2);
    pillar(c, 30, 0, 70, 10, G1, G2, G3);
    pillar(c, 123, 0, 70, 10, G1, G2, G3);
    tile_floor(c, 70, G2, G1, K, 8);
    torch(c, 80, 30);
    glow_spot(c, 81, 28, 14, BN);
    torch(c, 80, 30);
    return c;
}

// ------------------------------------------------------------------ rooms (64 x 64)

Canvas room_monster() {
    Canvas c(64, 64);
    Rng r(200);
    bricks(c, 0, 0, 64, 40, G1, K, 8, 4);
    for (int k = 0; k < 20; ++k) c.put(r.range(64), r.range(40), G2);
    tile_floor(c, 40, G2, G1, K, 5);
    for (int x : {12, 50}) {
        glow_spot(c, fx(x) + 1, 14, 10, BN);
        torch(c, x, 16);
    }
    // Chains and a door.
    for (int y = 4; y < 24; y += 2) c.put(31, y, G3);
    c.rect(24, 18, 40, 40, K);
    c.oval(32, 18, 8, 6, K);
    c.rect(26, 20, 38, 40, BR);
    c.oval(32, 20, 6, 5, BR);
    for (int x = 28; x < 38; x += 3) c.vline(x, 17, 39, K);
    c.oval(18, 50, 3, 2.5f, W);
    c.put(17, 50, K);
    c.put(19, 50, K);
    return c;
}

Canvas room_colosseum() {
    Canvas c(64, 64);
    Rng r(201);
    c.gradient(0, 0, 64, 10, {B, LB});
    // Crowd on three tiers.
    for (int tier = 0; tier < 3; ++tier) {
        const int y0 = 8 + tier * 8;
        c.rect(0, y0, 64, y0 + 8, tier % 2 ? BN : TN);
        c.hline(0, 63, y0 + 7, BR);
        for (int x = 1 + tier % 2; x < 64; x += 3) {
            const uint8_t shirt[] = {R, B, YL, G, W, MG, OR};
            c.rect(x, y0 + 3, x + 2, y0 + 7, shirt[r.range(7)]);
            c.rect(x, y0 + 1, x + 2, y0 + 3, r.chance(4) ? BN : SK);
            if (r.chance(5)) c.put(x + (r.chance(2) ? -1 : 2), y0, SK);  // a raised arm
        }
    }
    c.rect(0, 32, 64, 37, SN);
    for (int x = 0; x < 64; x += 8) c.rect(x + 1, 33, x + 6, 36, TN);
    c.hline(0, 63, 32, CR);
    c.hline(0, 63, 37, BR);
    c.gradient(0, 38, 64, 64, {SN, SN, TN});
    ground_speckle(c, r, 39, 64, CR, TN, 60);
    c.oval(32, 52, 16, 5, TN);
    c.oval(32, 52, 14, 4, SN);
    for (int x : {4, 59}) {
        c.vline(x, 1, 31, BR);
        c.rect(x + 1, 2, x + 5 - (x > 30 ? 9 : 0), 8, R);
    }
    return c;
}

Canvas room_final_hall() {
    Canvas c(64, 64);
    c.gradient(0, 0, 64, 42, {K, D1, D2});
    // Windows of light high up.
    for (int x : {14, 30, 46}) {
        c.rect(x, 4, x + 5, 16, VI);
        c.oval(fx(x) + 2.5f, 4, 2.5f, 2.5f, VI);
        c.rect(x + 1, 5, x + 4, 15, LV);
    }
    tile_floor(c, 42, RD, K, GD, 6);
    // Red carpet to the throne.
    for (int y = 42; y < 64; ++y) {
        const int w = 2 + (y - 42) / 2;
        c.hline(32 - w, 31 + w, y, R);
        c.put(32 - w, y, GD);
        c.put(31 + w, y, GD);
    }
    c.rect(27, 26, 37, 42, RD);
    c.rect(25, 20, 39, 28, GD);
    c.rect(27, 22, 37, 26, R);
    c.rect(25, 38, 39, 42, GD);
    for (int x : {3, 55}) pillar(c, x, 0, 64, 7, BR, GD, YL);
    for (int x : {14, 44}) {
        c.rect(x, 18, x + 6, 34, VI);
        c.polygon({fx(x), 34, fx(x + 6), 34, fx(x + 3), 37}, VI);
        c.rect(x + 2, 22, x + 4, 28, GD);
    }
    return c;
}

Canvas room_shop() {
    Canvas c(64, 64);
    Rng r(203);
    c.fill(BN);
    for (int x = 0; x < 64; x += 6) c.vline(x, 0, 63, BR);
    // Shelves full of wares.
    for (int y : {14, 28}) {
        c.rect(2, y, 62, y + 2, BR);
        c.hline(2, 61, y, TN);
        for (int x = 4; x < 60; x += 5) {
            const uint8_t cols[] = {R, B, LG, YL, PK, CY};
            const uint8_t col = cols[r.range(6)];
            if (r.chance(3)) {
                c.rect(x, y - 6, x + 3, y, G3);  // a jar
                c.rect(x, y - 4, x + 3, y, col);
            } else {
                c.rect(x + 1, y - 7, x + 2, y - 5, G3);  // a potion
                c.oval(fx(x) + 1.5f, fx(y) - 2.5f, 2, 2.5f, col);
                c.put(x + 1, y - 4, W);
            }
        }
    }
    // A sword and shield on the wall.
    c.line(44, 34, 56, 46, G3);
    c.line(45, 34, 57, 46, W);
    c.line(46, 44, 50, 40, GD);
    c.oval(14, 40, 5, 6, B);
    c.oval(14, 40, 2, 3, GD);
    // Counter and sign.
    c.rect(0, 48, 64, 64, BR);
    c.rect(0, 48, 64, 51, TN);
    c.hline(0, 63, 48, SN);
    c.rect(40, 44, 48, 48, GD);
    c.oval(44, 44, 4, 1.5f, YL);
    c.rect(20, 1, 44, 11, BR);
    c.frame(20, 1, 44, 11, GD);
    draw_text(c, 22, 3, "SHOP", 1, YL);
    return c;
}

Canvas room_wild() {
    Canvas c(64, 64);
    c.gradient(0, 0, 64, 64, {D1, D2, D1});
    // Tent drapes.
    for (int x = 0; x < 64; x += 8) {
        c.polygon({fx(x), 0, fx(x + 8), 0, fx(x + 4), 12}, x % 16 ? MG : VI);
    }
    for (int side = 0; side < 2; ++side) {
        const float x0 = side ? 64.0f : 0.0f, dir = side ? -1.0f : 1.0f;
        c.polygon({x0, 0, x0 + dir * 16, 0, x0 + dir * 7, 64, x0, 64}, MG);
        c.polygon({x0, 0, x0 + dir * 8, 0, x0 + dir * 3, 64, x0, 64}, D2);
    }
    lantern(c, 22, 14, OR, YL);
    lantern(c, 42, 12, OR, YL);
    glow_spot(c, 22, 18, 8, D2);
    glow_spot(c, 42, 16, 8, D2);
    lantern(c, 22, 14, OR, YL);
    lantern(c, 42, 12, OR, YL);
    // Odd goods: a skull, a crystal ball, gold.
    c.rect(6, 46, 58, 64, BR);
    c.hline(6, 57, 46, BN);
    c.oval(20, 41, 4, 4, W);
    c.rect(18, 41, 20, 43, K);
    c.rect(21, 41, 23, 43, K);
    c.oval(34, 40, 5, 5, CY);
    c.oval(32, 38, 2, 2, W);
    c.rect(30, 44, 39, 46, GD);
    c.oval(47, 44, 4, 2, YL);
    c.oval(48, 42, 3, 2, GD);
    c.rect(20, 24, 44, 34, K);
    c.frame(20, 24, 44, 34, PK);
    draw_text(c, 22, 26, "WILD", 1, PK);
    return c;
}

Canvas room_church() {
    Canvas c(64, 64);
    c.fill(G1);
    bricks(c, 0, 0, 64, 44, G1, D1, 8, 4);
    // The arched stained window.
    c.rect(20, 8, 44, 36, K);
    c.oval(32, 8, 12, 8, K);
    const uint8_t glass[] = {R, B, YL, LG, VI, CY, PK};
    for (int y = 2; y < 35; ++y)
        for (int x = 21; x < 43; ++x) {
            if (!c.inside(x, y) || c.at(x, y) != K) continue;
            if (y < 8 && std::hypot(fx(x) - 31.5f, fx(y) - 8) > 10.5f) continue;
            if ((x - 21) % 5 == 0 || (y - 2) % 6 == 0) continue;
            c.put(x, y, glass[static_cast<size_t>(((x - 21) / 5 + (y - 2) / 6 * 3) % 7)]);
        }
    c.oval(32, 10, 5, 5, YL);
    c.oval(32, 10, 3, 3, W);
    // Light falling from it.
    for (int y = 36; y < 64; ++y)
        for (int x = 18; x < 46; ++x)
            if (dither_on(x, y, 0.25f)) c.put(x, y, LV);
    tile_floor(c, 44, G2, G1, K, 4);
    for (int y = 44; y < 64; ++y)
        for (int x = 18 - (y - 44) / 2; x < 46 + (y - 44) / 2; ++x)
            if (dither_on(x, y, 0.3f)) c.put(x, y, LV);
    // Altar and candles.
    c.rect(22, 38, 42, 46, W);
    c.rect(22, 38, 42, 40, GD);
    for (int x : {10, 15, 49, 54}) {
        c.rect(x, 30, x + 2, 40, CR);
        c.oval(fx(x) + 1, 28, 1.2f, 2, YL);
    }
    // Pews.
    for (int k = 0; k < 2; ++k) {
        c.rect(2, 50 + k * 7, 24, 54 + k * 7, BR);
        c.rect(40, 50 + k * 7, 62, 54 + k * 7, BR);
        c.hline(2, 23, 50 + k * 7, BN);
        c.hline(40, 61, 50 + k * 7, BN);
    }
    return c;
}

Canvas room_garbage() {
    Canvas c(64, 64);
    Rng r(206);
    c.gradient(0, 0, 64, 40, {K, DG, OL});
    // Pipes on the wall.
    c.rect(0, 6, 64, 10, G2);
    c.hline(0, 63, 6, G3);
    c.rect(48, 0, 52, 40, G2);
    c.vline(48, 0, 39, G3);
    for (int y = 12; y < 40; y += 3) c.put(50, y, LG);  // a drip
    tile_floor(c, 40, G1, OL, K, 5);
    // Heaps of junk.
    for (int k = 0; k < 3; ++k) {
        const float x = fx(10 + k * 22), y = 50;
        c.oval(x, y, 14, 10, k % 2 ? BR : OL);
        for (int m = 0; m < 10; ++m) {
            const int jx = static_cast<int>(x) - 10 + r.range(20), jy = 42 + r.range(12);
            const uint8_t junk[] = {G3, R, B, YL, W, BN, TE};
            c.rect(jx, jy, jx + 2 + r.range(3), jy + 1 + r.range(2), junk[r.range(7)]);
        }
    }
    // A dented bin and a fishbone.
    c.rect(52, 44, 62, 60, G2);
    c.rect(51, 42, 63, 44, G3);
    c.vline(55, 45, 59, G1);
    c.vline(59, 45, 59, G1);
    c.hline(24, 32, 58, W);
    for (int x = 25; x < 32; x += 2) {
        c.put(x, 57, W);
        c.put(x, 59, W);
    }
    // Flies.
    for (int k = 0; k < 5; ++k) {
        const int x = r.range(64), y = 20 + r.range(24);
        c.put(x, y, K);
        c.put(x - 1, y - 1, G3);
        c.put(x + 1, y - 1, G3);
    }
    return c;
}

Canvas room_workshop() {
    Canvas c(64, 64);
    Rng r(207);
    c.gradient(0, 0, 64, 44, {K, TE, DG});
    bricks(c, 0, 0, 64, 44, DG, K, 10, 5);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 64; ++x)
            if (dither_on(x, y, 0.5f) && c.at(x, y) == DG) c.put(x, y, TE);
    tile_floor(c, 44, G1, K, kClear, 5);
    // The great vat, bubbling.
    c.rect(18, 26, 46, 56, G2);
    c.rect(18, 26, 20, 56, G3);
    c.rect(44, 26, 46, 56, G1);
    c.oval(32, 26, 14, 4, G3);
    c.oval(32, 26, 12, 3, LG);
    c.oval(32, 26, 9, 2, G);
    for (int k = 0; k < 6; ++k) c.oval(fx(22 + r.range(20)), fx(14 + r.range(10)), 1.5f, 1.5f, LG);
    c.oval(28, 23, 1.5f, 1.5f, CR);
    c.rect(24, 34, 40, 48, K);
    c.rect(25, 35, 39, 47, TE);
    c.oval(32, 41, 4, 4, LG);
    c.put(31, 40, W);
    // Flasks on a shelf and a cage.
    c.rect(2, 16, 16, 18, BR);
    for (int x : {4, 9, 13}) {
        c.rect(x, 10, x + 1, 12, G3);
        c.oval(fx(x) + 0.5f, 14, 2, 2, x == 9 ? PK : CY);
    }
    c.frame(50, 30, 62, 46, G3);
    for (int x = 52; x < 62; x += 3) c.vline(x, 30, 45, G3);
    c.oval(56, 40, 2, 2, R);
    c.put(55, 39, YL);
    c.put(57, 39, YL);
    return c;
}

// Pixel-style title letters: gradient fill, bevel, outline and a deep shadow.
void fancy_text(Canvas& c, int x, int y, const char* text, int cell, const std::vector<uint8_t>& fill, uint8_t outline,
                uint8_t shadow, int depth) {
    Canvas mask(c.width(), c.height());
    draw_text(mask, x, y, text, cell, W, true);
    const int h = 7 * cell;
    Canvas body(c.width(), c.height());
    for (int j = 0; j < c.height(); ++j)
        for (int i = 0; i < c.width(); ++i) {
            if (!mask.opaque(i, j)) continue;
            const float t = fx(j - y) / fx(h) * fx(fill.size() - 1);
            const int k = std::clamp(static_cast<int>(t), 0, static_cast<int>(fill.size()) - 2);
            uint8_t col = dither_on(i, j, t - fx(k)) ? fill[static_cast<size_t>(k + 1)] : fill[static_cast<size_t>(k)];
            if (!mask.opaque(i - 1, j) || !mask.opaque(i, j - 1)) col = W;
            else if (!mask.opaque(i + 1, j) || !mask.opaque(i, j + 1)) col = fill.back() == RD ? D1 : RD;
            body.put(i, j, col);
        }
    body.outline(outline, true);
    // Extrusion down and to the right.
    for (int d = depth; d >= 1; --d)
        for (int j = 0; j < c.height(); ++j)
            for (int i = 0; i < c.width(); ++i)
                if (body.opaque(i - d, j - d)) c.put(i, j, d == depth ? K : shadow);
    c.blit(body, 0, 0);
}

}  // namespace

Canvas floor_background(int floor) {
    Canvas small;
    switch (floor) {
        case 0: small = floor0(); break;
        case 1: small = floor1(); break;
        case 2: small = floor2(); break;
        case 3: small = floor3(); break;
        case 4: small = floor4(); break;
        case 5: small = floor5(); break;
        case 6: small = floor6(); break;
        case 7: small = floor7(); break;
        case 8: small = floor8(); break;
        case 9: small = floor9(); break;
        case 10: small = floor10(); break;
        case 11: small = floor11(); break;
        case 12: small = floor12(); break;
        case 13: small = floor13(); break;
        case 14: small = floor14(); break;
        case 15: small = floor15(); break;
        case 16: small = floor16(); break;
        case 17: small = floor17(); break;
        case 18: small = floor18(); break;
        case 19: small = floor19(); break;
        case 20: small = floor20(); break;
        case 21: small = floor21(); break;
        case 22: small = floor22(); break;
        case 23: small = floor23(); break;
        case 24: small = floor24(); break;
        default: small = floor_default(); break;
    }
    return small.scaled(2).crop(0, 0, 325, 193);
}

Canvas room_picture(const char* name) {
    const std::string n = name;
    Canvas c;
    if (n == "map0") c = room_monster();
    else if (n == "map-1") c = room_colosseum();
    else if (n == "map-2") c = room_final_hall();
    else if (n == "shop") c = room_shop();
    else if (n == "wild") c = room_wild();
    else if (n == "s_Ch") c = room_church();
    else if (n == "gomiroom") c = room_garbage();
    else c = room_workshop();
    return c;
}

Canvas title_picture() {
    // Drawn at half size and doubled, like the floors.
    constexpr int w = 319, h = 195;
    Canvas c(w, h);
    Rng r(300);
    c.gradient(0, 0, w, 130, {K, D1, D2, MG, OR});
    stars(c, r, 120, 80);
    // The tower of twenty-five floors, rising out of the clouds.
    const int tx = 250;
    for (int y = 8; y < 170; ++y) {
        const int hw = 9 + (y - 8) / 9;
        c.hline(tx - hw, tx + hw, y, D1);
        c.hline(tx - hw, tx - hw + 2, y, D2);
        c.hline(tx + hw - 2, tx + hw, y, K);
    }
    for (int k = 0; k < 25; ++k) {
        const int y = 168 - k * 6 - k * k / 10;
        if (y < 12) break;
        const int hw = 9 + (y - 8) / 9;
        c.hline(tx - hw - 1, tx + hw + 1, y, G1);
        for (int x = tx - hw + 3; x < tx + hw - 2; x += 4) c.put(x, y + 2, (k * 7 + x) % 3 ? YL : D2);
    }
    glow_spot(c, fx(tx), 6, 14, MG);
    c.polygon({fx(tx - 9), 9, fx(tx + 9), 9, fx(tx), -4}, D2);
    c.oval(fx(tx), 2, 3, 3, YL);
    c.put(tx, 2, W);
    for (int k = 0; k < 6; ++k) cloud(c, fx(tx - 40 + r.range(80)), fx(60 + r.range(60)), fx(14 + r.range(12)), D2, D1);
    // Hills and the old arena at the foot of the tower.
    ridge(c, r, 138, 8, D1, 4);
    ridge(c, r, 150, 6, K, 3);
    for (int x = 20; x < 120; ++x) {
        const int top = 140 + static_cast<int>(10 * std::pow((fx(x) - 70) / 50, 2.0f));
        c.vline(x, top, 170, D2);
        if (x % 8 < 3) c.vline(x, top + 4, top + 9, K);
        else if (x % 8 == 5) c.put(x, top + 6, YL);
    }
    c.gradient(0, 165, w, h, {K, D1, K});
    // Title.
    const char* title = "ZANDO ARENA";
    const int cell = 4;
    const int tw = text_cells(title, true) * cell;
    const int ty = 18;
    fancy_text(c, (w - tw) / 2 - 2, ty, title, cell, {CR, YL, OR, R}, K, RD, 4);
    // The big 2 on a shield with crossed swords.
    const int bx = w / 2, by = 92;
    Canvas emblem(w, h);
    Painter p(emblem, 1.0f, 0.0f, 0.0f);
    p.capsule(fx(bx - 40), fx(by + 34), 2.6f, fx(bx + 34), fx(by - 30), 1.8f, silver);
    p.capsule(fx(bx + 40), fx(by + 34), 2.6f, fx(bx - 34), fx(by - 30), 1.8f, silver);
    p.capsule(fx(bx - 35), fx(by + 24), 2.0f, fx(bx - 25), fx(by + 34), 2.0f, gold);
    p.capsule(fx(bx + 35), fx(by + 24), 2.0f, fx(bx + 25), fx(by + 34), 2.0f, gold);
    p.poly({fx(bx - 24), fx(by - 30), fx(bx + 24), fx(by - 30), fx(bx + 24), fx(by + 6), fx(bx), fx(by + 32), fx(bx - 24), fx(by + 6)}, red,
           Shade::Flat);
    p.poly({fx(bx - 20), fx(by - 26), fx(bx + 20), fx(by - 26), fx(bx + 20), fx(by + 4), fx(bx), fx(by + 27), fx(bx - 20), fx(by + 4)},
           {D1, D2, D1, D2}, Shade::Plain);
    emblem.outline(K);
    c.blit(emblem, 0, 0);
    fancy_text(c, bx - 10, by - 22, "2", 4, {W, CR, YL, GD}, K, D2, 2);
    sparkle(c, bx + 18, by - 26, 3, W);
    sparkle(c, 40, 30, 2, W);
    sparkle(c, 290, 54, 2, YL);
    return c.scaled(2).crop(0, 0, 637, 389);
}

}  // namespace cggen
