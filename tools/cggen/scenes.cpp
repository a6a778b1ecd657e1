#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>

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

// A row of seated spectators whose laps rest on the line y = base(x).
template <class Base>
void crowd_row(Canvas& c, Rng& r, int x0, int x1, Base base, int gap = 0) {
    static constexpr uint8_t kShirts[] = {R, B, YL, G, W, MG, OR, CY, PK, LG};
    for (int x = x0; x < x1; x += 2 + r.range(2)) {
        if (gap > 0 && r.chance(gap)) continue;
        const int y = base(x);
        c.rect(x, y - 3, x + 2, y, kShirts[r.range(static_cast<int>(std::size(kShirts)))]);
        const uint8_t skin = r.chance(4) ? BN : SK;
        c.hline(x, x + 1, y - 4, skin);
        if (r.chance(3)) c.hline(x, x + 1, y - 5, r.chance(2) ? BR : K);  // hair
        if (r.chance(6)) c.put(x + (r.chance(2) ? -1 : 2), y - 5, skin);  // a raised arm
    }
}

// A cog wheel turned by `phase` radians.
void gear(Canvas& c, float cx, float cy, float rad, int teeth, float phase, uint8_t dark, uint8_t body, uint8_t light) {
    const float step = 2 * kPi / fx(teeth);
    for (int t = 0; t < teeth; ++t) {
        const float a = phase + fx(t) * step, h0 = step * 0.28f, h1 = step * 0.2f;
        const float r0 = rad - 1.0f, r1 = rad + std::max(1.5f, rad * 0.16f);
        c.polygon({cx + std::cos(a - h0) * r0, cy + std::sin(a - h0) * r0, cx + std::cos(a - h1) * r1, cy + std::sin(a - h1) * r1,
                   cx + std::cos(a + h1) * r1, cy + std::sin(a + h1) * r1, cx + std::cos(a + h0) * r0, cy + std::sin(a + h0) * r0},
                  dark);
    }
    c.oval(cx, cy, rad, rad, dark);
    c.oval(cx - 0.5f, cy - 0.5f, rad - 1.0f, rad - 1.0f, body);
    if (rad >= 6) {
        for (int k = 0; k < 4; ++k) {
            const float a = phase + fx(k) * kPi / 2 + kPi / 4;
            c.oval(cx + std::cos(a) * rad * 0.55f, cy + std::sin(a) * rad * 0.55f, rad * 0.2f, rad * 0.2f, dark);
        }
    }
    c.oval(cx, cy, std::max(1.2f, rad * 0.28f), std::max(1.2f, rad * 0.28f), dark);
    c.oval(cx - 0.5f, cy - 0.5f, std::max(0.8f, rad * 0.16f), std::max(0.8f, rad * 0.16f), light);
    for (int k = 0; k < static_cast<int>(rad); ++k) {  // a lit rim on the upper left
        const float a = kPi + 0.3f + fx(k) / rad * 1.0f;
        c.put(static_cast<int>(cx + std::cos(a) * (rad - 1.5f)), static_cast<int>(cy + std::sin(a) * (rad - 1.5f)), light);
    }
}

// A training dummy: a post, a crossbar and a stuffed sack.
void dummy(Canvas& c, int x, int base) {
    c.rect(x - 1, base - 20, x + 1, base, BR);
    c.rect(x - 5, base - 16, x + 6, base - 14, BR);
    c.oval(fx(x), fx(base - 21), 3.5f, 3.5f, SN);
    c.put(x - 1, base - 22, BR);
    c.put(x + 1, base - 22, BR);
    c.rect(x - 3, base - 14, x + 4, base - 5, TN);
    c.hline(x - 3, x + 3, base - 10, BN);
    c.oval(fx(x), fx(base + 1), 6, 1.5f, TN);
}

// A fluffy yellow chick, facing right.
void chick(Canvas& c, int x, int y, int s) {
    c.oval(fx(x), fx(y), fx(s) * 1.2f, fx(s), YL);
    c.oval(fx(x + s), fx(y - s), fx(s) * 0.8f, fx(s) * 0.8f, YL);
    c.put(x + s + 1, y - s - 1, K);
    c.put(x + s * 2, y - s, OR);
    c.put(x + s * 2 + 1, y - s, OR);
    c.put(x - 1, y, GD);
    c.put(x, y + 1, GD);
}

// Posts and a rope round an oval ring of earth; `post` tall.
void rope_ring(Canvas& c, float cx, float cy, float rx, float ry, int posts, int post, uint8_t earth, uint8_t edge,
               uint8_t wood, uint8_t rope, bool front) {
    if (!front) {
        c.oval(cx, cy + 1, rx + 2, ry + 1.5f, edge);
        c.oval(cx, cy, rx, ry, earth);
    }
    std::vector<std::pair<int, int>> tops;
    for (int k = 0; k <= posts; ++k) {
        const float a = fx(k) * 2 * kPi / fx(posts);
        tops.push_back({static_cast<int>(cx + std::cos(a) * (rx + 1)), static_cast<int>(cy + std::sin(a) * (ry + 1))});
    }
    for (int k = 0; k < posts; ++k) {
        const auto [x0, y0] = tops[static_cast<size_t>(k)];
        const auto [x1, y1] = tops[static_cast<size_t>(k + 1)];
        const bool near = (y0 + y1) / 2 > static_cast<int>(cy);
        if (near != front) continue;
        const int h = post + (near ? 1 : 0);
        c.line(x0, y0 - h + 1, x1, y1 - h + 1, rope);
        c.rect(x0, y0 - h, x0 + 2, y0 + 1, wood);
        c.put(x0, y0 - h, edge);
        c.rect(x1, y1 - h, x1 + 2, y1 + 1, wood);
        c.put(x1, y1 - h, edge);
    }
}

// A paper charm that keeps something shut: a white slip with red strokes.
void seal_slip(Canvas& c, int x, int y, int h) {
    c.rect(x, y, x + 3, y + h, CR);
    c.vline(x + 3, y + 1, y + h, TN);
    c.vline(x + 1, y + 2, y + h - 2, R);
    c.put(x, y + 3, R);
    c.put(x + 2, y + 3, R);
    c.put(x + 2, y + h - 3, R);
}

// A weathercock on a pole: compass arms, and the bird turned by the wind.
void weather_vane(Canvas& c, int x, int top, int base, int dir, uint8_t metal, uint8_t accent) {
    c.vline(x, top + 4, base, metal);
    const int arms = top + 9;
    c.hline(x - 5, x + 5, arms, metal);
    c.put(x - 6, arms, accent);
    c.put(x + 6, arms, accent);
    c.put(x, arms - 5, accent);
    c.put(x, arms + 4, accent);
    // The bird.
    const float bx = fx(x) + 0.5f, by = fx(top + 2);
    c.oval(bx, by, 3.5f, 2.0f, metal);
    c.polygon({bx - fx(dir) * 2, by, bx - fx(dir) * 6, by - 4, bx - fx(dir) * 6, by + 1}, metal);
    c.oval(bx + fx(dir) * 3, by - 2.5f, 1.4f, 1.6f, metal);
    c.put(x + dir * 3, top - 2, accent);
    c.put(x + dir * 5, top, accent);
    // The arrow under it.
    c.hline(x - 7, x + 7, top + 5, metal);
    c.polygon({fx(x + dir * 10), fx(top + 5) + 0.5f, fx(x + dir * 6), fx(top + 2), fx(x + dir * 6), fx(top + 9)}, metal);
    c.rect(dir > 0 ? x - 9 : x + 7, top + 3, dir > 0 ? x - 6 : x + 10, top + 8, accent);
}

// A bookcase crammed with volumes of every colour.
void bookcase(Canvas& c, Rng& r, int x0, int y0, int x1, int y1, int shelf) {
    static constexpr uint8_t kSpines[] = {R, RD, B, NB, G, DG, TE, BN, VI, OL, D2, CR};
    c.rect(x0, y0, x1, y1, BR);
    c.vline(x0, y0, y1 - 1, BN);
    for (int y = y0 + 2; y + shelf <= y1 - 1; y += shelf) {
        c.rect(x0 + 2, y, x1 - 2, y + shelf - 1, K);
        for (int x = x0 + 2; x < x1 - 2;) {
            const int w = std::min(x1 - 2 - x, 1 + r.range(3));
            const int h = shelf - 2 - r.range(3);
            if (r.chance(14)) {  // a gap, or a book lying flat
                if (r.chance(2)) c.rect(x, y + shelf - 3, x + 4, y + shelf - 1, kSpines[r.range(12)]);
                x += 4;
                continue;
            }
            const uint8_t col = kSpines[r.range(12)];
            c.rect(x, y + shelf - 1 - h, x + w, y + shelf - 1, col);
            if (h > 3 && r.chance(3)) c.put(x, y + shelf - h + 1, GD);
            x += w;
        }
        c.hline(x0 + 1, x1 - 2, y + shelf - 1, BN);
    }
}

// A two-storey inn of the old highway: paper windows, a short curtain and a lantern.
void inn(Canvas& c, int x, int base, int w, uint8_t wall, uint8_t beam, uint8_t roof, uint8_t roof_lit, uint8_t paper,
         uint8_t curtain, bool lantern_lit) {
    const int h1 = 11, h2 = 9;
    c.rect(x, base - h1, x + w, base, wall);
    for (int px = x; px <= x + w; px += 6) c.vline(px, base - h1, base - 1, beam);
    c.rect(x + 2, base - h1 + 2, x + w - 2, base - 5, paper);
    for (int px = x + 3; px < x + w - 2; px += 2) c.vline(px, base - h1 + 2, base - 6, beam);
    c.rect(x + w / 2 - 4, base - 6, x + w / 2 + 4, base, K);
    c.rect(x + w / 2 - 4, base - 6, x + w / 2 + 4, base - 3, curtain);
    c.vline(x + w / 2, base - 6, base - 3, K);
    // Lower eave, then the upper storey with its rail.
    c.polygon({fx(x - 3), fx(base - h1 + 1), fx(x + w + 3), fx(base - h1 + 1), fx(x + w), fx(base - h1 - 3), fx(x), fx(base - h1 - 3)}, roof);
    c.hline(x - 3, x + w + 2, base - h1, roof_lit);
    const int top = base - h1 - 3;
    c.rect(x + 2, top - h2, x + w - 2, top, wall);
    c.rect(x + 4, top - h2 + 2, x + w - 4, top - 2, lantern_lit ? YL : paper);
    for (int px = x + 5; px < x + w - 4; px += 3) c.vline(px, top - h2 + 2, top - 3, beam);
    c.hline(x + 2, x + w - 3, top - 2, beam);
    c.polygon({fx(x - 3), fx(top - h2 + 1), fx(x + w + 3), fx(top - h2 + 1), fx(x + w - 3), fx(top - h2 - 5), fx(x + 3), fx(top - h2 - 5)}, roof);
    for (int px = x - 1; px < x + w + 2; px += 3) c.vline(px, top - h2 - 3, top - h2, roof_lit);
    c.hline(x + 2, x + w - 2, top - h2 - 5, roof_lit);
    lantern(c, x + 3, base - h1 + 3, R, lantern_lit ? YL : OR);
}

// Heat shimmer: rows slide sideways by a wave that grows toward `peak`.
void shimmer(Canvas& c, int y0, int y1, int peak, float amp) {
    for (int y = y0; y < y1; ++y) {
        const float t = 1.0f - std::min(1.0f, std::abs(fx(y - peak)) / fx(std::max(peak - y0, y1 - peak)));
        const int off = static_cast<int>(std::lround(amp * t * std::sin(fx(y) * 0.55f)));
        if (off == 0) continue;
        std::vector<uint8_t> row(static_cast<size_t>(c.width()));
        for (int x = 0; x < c.width(); ++x) row[static_cast<size_t>(x)] = c.at(std::clamp(x - off, 0, c.width() - 1), y);
        for (int x = 0; x < c.width(); ++x) c.put(x, y, row[static_cast<size_t>(x)]);
    }
}

// Sprinkle thin diagonal streaks of colour (wind, rain, dust).
void streaks(Canvas& c, Rng& r, int n, int len, int drop, const std::vector<uint8_t>& cols, int y0 = 0, int y1 = -1) {
    if (y1 < 0) y1 = c.height();
    for (int k = 0; k < n; ++k) {
        const int x = r.range(c.width() + len) - len, y = y0 + r.range(std::max(1, y1 - y0));
        const int l = len / 2 + r.range(len / 2 + 1);
        c.line(x, y, x + l, y + drop * l / std::max(1, len), cols[static_cast<size_t>(r.range(static_cast<int>(cols.size())))]);
    }
}

// True inside a round-topped opening: straight sides from `spring` down to `bottom`.
bool in_arch(int x, int y, int x0, int x1, int spring, int bottom) {
    if (x < x0 || x >= x1 || y >= bottom) return false;
    if (y >= spring) return true;
    const float rx = fx(x1 - x0) / 2, cx = fx(x0) + rx;
    const float dx = (fx(x) + 0.5f - cx) / rx, dy = (fx(y) + 0.5f - fx(spring)) / (rx * 0.9f);
    return dx * dx + dy * dy <= 1.0f;
}

// Fills a round-topped opening with a vertical gradient.
void arch_fill(Canvas& c, int x0, int x1, int spring, int bottom, const std::vector<uint8_t>& stops) {
    const int top = spring - static_cast<int>(fx(x1 - x0) / 2 * 0.9f) - 1;
    Canvas g(c.width(), c.height());
    g.gradient(x0, std::max(0, top), x1, bottom, stops);
    for (int y = std::max(0, top); y < bottom; ++y)
        for (int x = x0; x < x1; ++x)
            if (in_arch(x, y, x0, x1, spring, bottom)) c.put(x, y, g.at(x, y));
}

// A gust: a wavy line that ends in a curl.
void gust(Canvas& c, int x0, int y0, int len, float amp, uint8_t col) {
    for (int t = 0; t < len; ++t)
        if (t % 11 != 10) c.put(x0 + t, y0 + static_cast<int>(std::lround(amp * std::sin(fx(t) * 0.2f))), col);
    const int ex = x0 + len, ey = y0 + static_cast<int>(std::lround(amp * std::sin(fx(len) * 0.2f)));
    for (int s = 0; s < 12; ++s) {
        const float a = kPi / 2 - fx(s) * 0.5f;
        c.put(ex + static_cast<int>(std::lround(std::cos(a) * 2.5f)), ey - 2 + static_cast<int>(std::lround(std::sin(a) * 2.5f)), col);
    }
}

// The outline of an ellipse, one pixel wide; `dash` > 0 leaves gaps.
void ellipse_line(Canvas& c, float cx, float cy, float rx, float ry, uint8_t col, int dash = 0) {
    const int n = static_cast<int>(8 * (rx + ry));
    for (int k = 0; k < n; ++k) {
        if (dash > 0 && (k / dash) % 2) continue;
        const float a = fx(k) * 2 * kPi / fx(n);
        c.put(static_cast<int>(std::floor(cx + std::cos(a) * rx)), static_cast<int>(std::floor(cy + std::sin(a) * ry)), col);
    }
}

// A glowing shop sign: a framed board with lettering.
void neon_sign(Canvas& c, int x, int y, const char* text, uint8_t col) {
    const int w = text_cells(text) + 4;
    c.rect(x, y, x + w, y + 11, K);
    c.frame(x, y, x + w, y + 11, col);
    draw_text(c, x + 2, y + 2, text, 1, col);
}

// A pointed leaf from (x, y) along `ang`, `len` long and `w` wide, with a midrib.
void leaf(Canvas& c, float x, float y, float ang, float len, float w, uint8_t body, uint8_t rib) {
    const float dx = std::cos(ang), dy = std::sin(ang);
    for (int s = 0; s <= static_cast<int>(len * 2); ++s) {
        const float t = fx(s) / 2, half = std::sin(kPi * t / len) * w;
        for (float q = -half; q <= half; q += 0.5f)
            c.put(static_cast<int>(x + dx * t - dy * q), static_cast<int>(y + dy * t + dx * q), body);
        c.put(static_cast<int>(x + dx * t), static_cast<int>(y + dy * t), rib);
    }
}

// ------------------------------------------------------------------ floors

Canvas sand_ring() {  // a roped ring of sand in a meadow, where the chicks start out
    Canvas c(kW, kH);
    Rng r(100);
    c.gradient(0, 0, kW, 50, {B, LB, SY});
    sun(c, 138, 12, 5, CR, YL);
    cloud(c, 34, 14, 13, W, SY);
    cloud(c, 100, 9, 9, W, SY);
    ridge(c, r, 42, 4, LB, 3);
    hills(c, 50, 3, 0.05f, 1.3f, G, LG);
    c.gradient(0, 52, kW, kH, {G, G, DG});
    ground_speckle(c, r, 52, kH, LG, DG, 260);
    house(c, 8, 54, 14, 8, TN, BN, R, RD, false, r);
    round_tree(c, 30, 54, 5, BR, DG, G, LG);
    round_tree(c, 150, 53, 6, BR, DG, G, LG);
    // Bunting strung between two poles.
    c.vline(24, 30, 60, BR);
    c.vline(140, 30, 60, BR);
    for (int x = 24; x <= 140; ++x) {
        const int y = 31 + static_cast<int>(9 * std::sin(kPi * fx(x - 24) / 116));
        c.put(x, y, BR);
        if ((x - 26) % 8 == 0 && x < 138) {
            const uint8_t col = ((x - 26) / 8) % 3 == 0 ? R : (((x - 26) / 8) % 3 == 1 ? YL : B);
            c.polygon({fx(x), fx(y), fx(x + 5), fx(y), fx(x) + 2.5f, fx(y + 5)}, col);
        }
    }
    // The ring: raked sand inside a rope on short stakes.
    rope_ring(c, 84, 74, 56, 13, 14, 6, SN, TN, BN, CR, false);
    for (int k = 0; k < 5; ++k)
        for (int x = 40; x < 130; ++x) {
            const float t = (fx(x) - 84) / 48;
            const int y = 68 + k * 3 + static_cast<int>(2 * t * t);
            if (c.at(x, y) == SN && (x + k) % 5) c.put(x, y, TN);
        }
    for (int k = 0; k < 120; ++k) {
        const int x = 30 + r.range(110), y = 62 + r.range(26);
        if (c.at(x, y) == SN) c.put(x, y, r.chance(2) ? CR : TN);
    }
    dummy(c, 112, 76);
    rope_ring(c, 84, 74, 56, 13, 14, 6, SN, TN, BN, CR, true);
    // Hay bales and the hand-painted sign with its chick.
    for (auto [x, y] : {std::pair{4, 92}, std::pair{16, 92}, std::pair{10, 85}, std::pair{146, 94}}) {
        c.rect(x, y - 7, x + 12, y, SN);
        c.hline(x, x + 11, y - 7, CR);
        c.rect(x, y - 1, x + 12, y, TN);
        c.vline(x + 4, y - 6, y - 1, TN);
        c.vline(x + 8, y - 6, y - 1, TN);
    }
    c.rect(138, 70, 140, 88, BR);
    c.rect(152, 70, 154, 88, BR);
    c.rect(134, 60, 158, 74, TN);
    c.frame(134, 60, 158, 74, BN);
    chick(c, 145, 68, 3);
    chick(c, 44, 92, 1);
    chick(c, 52, 93, 1);
    chick(c, 60, 91, 1);
    return c;
}

Canvas mud_ring() {  // a boxing ring sunk in mud under a grey drizzle
    Canvas c(kW, kH);
    Rng r(101);
    c.gradient(0, 0, kW, 52, {G1, G2, G3});
    for (int k = 0; k < 7; ++k) cloud(c, fx(r.range(kW)), fx(6 + r.range(22)), fx(14 + r.range(10)), G2, G1);
    for (int x = -4; x < kW + 8; x += 11) round_tree(c, x + r.range(4), 50, 5 + r.range(3), K, D1, OL, OL);
    c.gradient(0, 48, kW, kH, {BR, BN, BN, BR});
    ground_speckle(c, r, 50, kH, TN, BR, 300);
    // A broken fence behind.
    for (int x = 2; x < kW; x += 9) c.rect(x, 42 + (x % 3), x + 2, 50, BR);
    c.line(0, 44, kW, 45, BR);
    // The ring's platform.
    auto along = [](float a, float b, float t) { return a + (b - a) * t; };
    c.polygon({40, 52, 122, 52, 146, 76, 16, 76}, SN);
    for (int y = 52; y < 76; ++y)
        for (int x = 16; x < 147; ++x)
            if (c.at(x, y) == SN && dither_on(x, y, 0.15f + 0.3f * fx(y - 52) / 24)) c.put(x, y, TN);
    for (int k = 0; k < 14; ++k) {
        const float x = fx(30 + r.range(100)), y = fx(56 + r.range(18));
        c.oval(x, y, fx(2 + r.range(5)), fx(1 + r.range(2)), r.chance(2) ? BN : BR);
    }
    c.rect(16, 76, 147, 85, NB);
    c.hline(16, 146, 76, G3);
    for (int k = 0; k < 50; ++k) {
        const int x = 16 + r.range(131), y = 76 + r.range(10);
        c.vline(x, y, y + r.range(4), r.chance(3) ? BR : BN);
    }
    // Posts and ropes.
    struct Post {
        int x, base, h;
    };
    const Post bl{40, 52, 14}, br{122, 52, 14}, fl{16, 76, 20}, fr{146, 76, 20};
    const uint8_t ropes[] = {W, R, W};
    auto rope = [&](const Post& a, const Post& b, int k, float sag) {
        const float f = 0.35f + 0.3f * fx(k);
        const float ya = fx(a.base) - fx(a.h) * f, yb = fx(b.base) - fx(b.h) * f;
        for (int s = 0; s <= 200; ++s) {
            const float t = fx(s) / 200;
            c.put(static_cast<int>(along(fx(a.x) + 1, fx(b.x) + 1, t)), static_cast<int>(along(ya, yb, t) + sag * 4 * t * (1 - t)), ropes[k]);
        }
    };
    auto post = [&](const Post& p, uint8_t pad) {
        const int w = p.h > 16 ? 3 : 2;
        c.rect(p.x, p.base - p.h, p.x + w, p.base + 1, G3);
        c.vline(p.x + w - 1, p.base - p.h, p.base, G2);
        c.rect(p.x - 1, p.base - p.h - 1, p.x + w + 1, p.base - p.h + 4, pad);
    };
    post(bl, R);
    post(br, B);
    for (int k = 0; k < 3; ++k) rope(bl, br, k, 1.5f);
    for (int k = 0; k < 3; ++k) {
        rope(bl, fl, k, 1.0f);
        rope(br, fr, k, 1.0f);
    }
    post(fl, B);
    post(fr, R);
    for (int k = 0; k < 3; ++k) rope(fl, fr, k, 3.0f);
    // Puddles holding the grey sky, and splashes.
    for (auto [x, y, w] : {std::tuple{20, 90, 14}, std::tuple{96, 93, 18}, std::tuple{150, 88, 9}}) {
        c.oval(fx(x), fx(y), fx(w) + 1, 3.5f, BR);
        c.oval(fx(x), fx(y), fx(w), 2.5f, G2);
        c.hline(x - w / 2, x, y - 1, G3);
        c.put(x + w / 3, y + 1, W);
    }
    for (int k = 0; k < 30; ++k) {
        const int x = r.range(kW), y = 60 + r.range(37);
        c.put(x, y, BR);
        c.put(x + 1, y - 1, BN);
    }
    streaks(c, r, 80, 4, 8, {G3, G2});
    return c;
}

Canvas alley_stadium() {  // a fight ring painted on the asphalt of a back street
    Canvas c(kW, kH);
    Rng r(102);
    c.gradient(0, 0, kW, 44, {D2, MG, OR});
    tower_block(c, 46, 14, 14, D1, D2, YL, K, r);
    tower_block(c, 64, 6, 18, K, D1, OR, K, r);
    tower_block(c, 86, 18, 12, D1, D2, YL, K, r);
    tower_block(c, 100, 10, 16, K, D1, YL, K, r);
    // The chain-link fence across the end of the alley.
    for (int y = 30; y < 64; ++y)
        for (int x = 40; x < 124; ++x)
            if ((x + y) % 4 == 0 || (x - y + 400) % 4 == 0) c.put(x, y, G2);
    for (int x = 40; x < 124; x += 21) c.rect(x, 28, x + 2, 64, G1);
    c.hline(40, 123, 29, G3);
    c.rect(62, 34, 102, 44, BR);
    c.frame(62, 34, 102, 44, BN);
    draw_text(c, 64, 36, "STADIUM", 1, YL);
    // Brick buildings crowding in from both sides, the near faces and the receding ones.
    bricks(c, 0, 0, 30, kH, RD, BR, 6, 3);
    c.polygon({30, 0, 44, 18, 44, 66, 30, kH}, BR);
    for (int y = 6; y < 64; y += 14) c.polygon({33, fx(y) * 0.8f + 6, 41, fx(y) * 0.66f + 12, 41, fx(y) * 0.66f + 18, 33, fx(y) * 0.8f + 14}, K);
    bricks(c, 133, 0, kW, kH, BN, BR, 6, 3);
    c.polygon({133, 0, 119, 18, 119, 66, 133, kH}, BR);
    for (int y = 6; y < 64; y += 14)
        c.polygon({130, fx(y) * 0.8f + 6, 122, fx(y) * 0.66f + 12, 122, fx(y) * 0.66f + 18, 130, fx(y) * 0.8f + 14}, y == 20 ? YL : K);
    for (int y = 6; y < 70; y += 16) {
        c.rect(4, y, 12, y + 9, y % 32 ? YL : K);
        c.frame(3, y - 1, 13, y + 10, BR);
        c.rect(150, y + 4, 158, y + 13, y % 48 ? K : YL);
        c.frame(149, y + 3, 159, y + 14, RD);
    }
    // Fire escape on the left, an air conditioner on the right.
    for (int y = 20; y < 76; y += 18) {
        c.rect(14, y, 30, y + 2, G1);
        for (int x = 14; x < 30; x += 3) c.vline(x, y - 5, y, G1);
        c.hline(14, 29, y - 5, G2);
        c.line(16, y + 2, 28, y + 16, G2);
    }
    c.rect(136, 30, 146, 38, G3);
    c.frame(136, 30, 146, 38, G1);
    c.oval(141, 34, 2.5f, 2.5f, G1);
    // Graffiti.
    draw_text(c, 136, 48, "ZAN", 1, PK);
    for (int x = 136; x < 156; ++x) c.put(x, 57 + static_cast<int>(2 * std::sin(fx(x) * 0.6f)), CY);
    // Laundry across the gap and a string of bare bulbs.
    for (int x = 30; x < 133; ++x) {
        const float t = fx(x - 30) / 103;
        c.put(x, 8 + static_cast<int>(8 * t * (1 - t) * 4 / 2), G3);
    }
    for (int k = 0; k < 6; ++k) {
        const int x = 40 + k * 14;
        const float t = fx(x - 30) / 103;
        const int y = 9 + static_cast<int>(8 * t * (1 - t) * 2);
        const uint8_t cloth[] = {W, B, R, YL, LG, PK};
        c.rect(x, y, x + 6, y + 5 + k % 2 * 2, cloth[k]);
    }
    for (int x = 30; x < 133; ++x) {
        const float t = fx(x - 30) / 103;
        c.put(x, 24 + static_cast<int>(24 * t * (1 - t)), K);
    }
    for (int x = 38; x < 130; x += 13) {
        const float t = fx(x - 30) / 103;
        const int y = 25 + static_cast<int>(24 * t * (1 - t));
        glow_spot(c, fx(x) + 0.5f, fx(y + 1), 5, OR);
        c.put(x, y, YL);
        c.put(x, y + 1, W);
    }
    // The asphalt, the painted ring and crates for seats.
    c.polygon({44, 64, 119, 64, 133, kH, 30, kH}, G1);
    for (int y = 64; y < kH; ++y)
        for (int x = 30; x < 134; ++x)
            if (c.at(x, y) == G1 && dither_on(x, y, fx(y - 64) / 40)) c.put(x, y, K);
    for (int k = 0; k < 360; ++k) {
        const float a = fx(k) * kPi / 180;
        if (k % 20 < 13) c.put(static_cast<int>(81 + std::cos(a) * 36), static_cast<int>(80 + std::sin(a) * 9), W);
    }
    c.hline(78, 84, 80, W);
    c.oval(58, 92, 8, 1.8f, G2);
    c.hline(54, 60, 92, PK);
    for (auto [x, y] : {std::pair{32, 84}, std::pair{32, 74}, std::pair{42, 90}, std::pair{122, 88}, std::pair{126, 78}}) {
        c.rect(x, y, x + 10, y + 8, BN);
        c.frame(x, y, x + 10, y + 8, BR);
        c.line(x, y, x + 9, y + 7, BR);
    }
    // Onlookers along the fence.
    for (int x = 48; x < 118; x += 5 + (x % 3)) {
        if (x > 76 && x < 88) continue;
        const int h = 8 + (x * 7) % 3;
        c.rect(x, 64 - h + 3, x + 3, 64, K);
        c.oval(fx(x) + 1.5f, fx(64 - h + 1), 1.6f, 1.8f, K);
        if (x % 4 == 0) c.put(x + (x % 8 ? -1 : 3), 64 - h + 1, K);
    }
    c.rect(112, 70, 118, 80, G2);
    c.rect(111, 69, 119, 71, G3);
    c.vline(114, 72, 79, G1);
    return c;
}

Canvas moon_theatre() {  // stone tiers of an old amphitheatre under the full moon
    Canvas c(kW, kH);
    Rng r(103);
    c.gradient(0, 0, kW, 44, {K, NB, B});
    stars(c, r, 60, 34);
    full_moon(c, 128, 15, 8);
    // A broken colonnade along the top rim.
    for (int k = 0; k < 16; ++k) {
        const int x = 2 + k * 10;
        const float t = (fx(x) - 81) / 81;
        const int base = 34 + static_cast<int>(6 * t * t);
        const int h = (k == 4 || k == 11) ? 5 : ((k == 7) ? 9 : 16);
        c.rect(x, base - h, x + 4, base, G2);
        c.vline(x, base - h, base - 1, G3);
        c.vline(x + 3, base - h, base - 1, G1);
        if (h == 16 && k % 3 != 1) c.rect(x - 1, base - h - 2, x + 5, base - h, G2);
    }
    c.rect(11, 16, 48, 18, G2);
    c.rect(120, 16, 150, 18, G2);
    // The tiers, each a ring of steps round the stage: a lit edge, the seat, the shadowed riser.
    for (int k = 0; k < 10; ++k) {
        const float rx = 168 - fx(k) * 12, ry = 64 - fx(k) * 5.4f;
        c.oval(81, 98, rx, ry, G3);
        c.oval(81, 99, rx, ry - 1, G2);
        c.oval(81, 101, rx - 1, ry - 3, G1);
    }
    // Aisles of steps running down between the wedges of seats.
    for (int a = 0; a < 4; ++a) {
        const float ang = kPi + kPi * (0.2f + 0.2f * fx(a));
        for (int s = 0; s <= 400; ++s) {
            const float t = fx(s) / 400 * 0.96f;
            const float rx = 168 - 108 * t, ry = 64 - 48.6f * t;
            const int x = static_cast<int>(81 + std::cos(ang) * rx), y = static_cast<int>(98 + std::sin(ang) * ry);
            if (y >= 84) break;
            for (int w = -1; w <= 1; ++w) {
                const uint8_t at = c.at(x + w, y);
                c.put(x + w, y, at == G3 ? W : (at == G1 ? K : G1));
            }
        }
    }
    // Moonlight washing the right side of the bowl.
    for (int y = 30; y < 86; ++y)
        for (int x = 0; x < kW; ++x)
            if (c.at(x, y) == G2 && dither_on(x, y, 0.5f * (fx(x) - 50) / 113)) c.put(x, y, LV);
    // The stage.
    c.rect(0, 84, kW, kH, BN);
    for (int y = 86; y < kH; y += 3) c.hline(0, kW - 1, y, BR);
    c.hline(0, kW - 1, 84, TN);
    for (int y = 85; y < kH; ++y)
        for (int x = 100; x < 150; ++x)
            if (std::abs(fx(x) - 125 - fx(y - 85) * 0.6f) < 12 && dither_on(x, y, 0.45f)) c.put(x, y, TN);
    for (int x : {24, 136}) {
        c.rect(x - 1, 80, x + 2, 92, G1);
        c.rect(x - 4, 78, x + 5, 81, G2);
        glow_spot(c, fx(x) + 0.5f, 74, 8, BN);
        c.oval(fx(x) + 0.5f, 75, 3, 3.5f, OR);
        c.oval(fx(x) + 0.5f, 76, 1.5f, 2, YL);
    }
    return c;
}

Canvas sandstorm_arena() {  // an arena wall half drowned in a storm of sand
    Canvas c(kW, kH);
    Rng r(104);
    c.gradient(0, 0, kW, 56, {BN, OR, TN, SN});
    sun(c, 38, 16, 6, CR, SN);
    // The curved wall with its arches.
    for (int x = 0; x < kW; ++x) {
        const int top = 30 + static_cast<int>(8 * std::pow((fx(x) - 81) / 81, 2.0f));
        c.vline(x, top, 64, TN);
        c.put(x, top, SN);
        c.put(x, top + 1, SN);
        for (int tier = 0; tier < 4; ++tier) c.put(x, top + 7 + tier * 7, BN);
        if (x % 6 < 2) c.put(x, top - 1, TN);  // battlements
    }
    for (int x = 4; x < kW; x += 11) {
        const int top = 30 + static_cast<int>(8 * std::pow((fx(x) - 81) / 81, 2.0f));
        for (int tier = 0; tier < 2; ++tier) {
            c.rect(x, top + 10 + tier * 12, x + 5, top + 16 + tier * 12, BR);
            c.oval(fx(x) + 2.5f, fx(top + 10 + tier * 12), 2.5f, 2, BR);
        }
    }
    // Banners torn by the wind, streaming to the right.
    for (int x : {16, 60, 104, 146}) {
        const int top = 30 + static_cast<int>(8 * std::pow((fx(x) - 81) / 81, 2.0f));
        c.vline(x, top - 16, top, BR);
        for (int k = 0; k < 16; ++k) {
            const int y = top - 15 + static_cast<int>(std::sin(fx(k) * 0.8f) * 1.5f);
            c.vline(x + 1 + k, y, y + 5 - k / 5 - (k % 3 == 2 ? 1 : 0), x == 60 || x == 146 ? R : RD);
        }
    }
    // The floor under drifting sand.
    c.gradient(0, 64, kW, kH, {SN, SN, TN});
    hills(c, 70, 4, 0.06f, 0.3f, SN, CR);
    hills(c, 84, 3, 0.045f, 2.1f, TN, SN);
    for (int x = 0; x < kW; ++x) {
        const int top = 64 - static_cast<int>(3 + 3 * std::sin(fx(x) * 0.07f));
        c.vline(x, top, 66, SN);
    }
    // A half-buried weapon rack and a skull.
    c.line(120, 76, 126, 66, BR);
    c.line(126, 76, 132, 66, BR);
    c.hline(118, 134, 72, BR);
    c.oval(44, 86, 3.5f, 3, W);
    c.rect(42, 86, 44, 88, K);
    c.put(45, 86, K);
    c.hline(40, 48, 88, SN);
    // The storm itself: a haze that thickens in bands, and flying grit.
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float t = 0.12f + 0.16f * std::sin(fx(x) * 0.05f + fx(y) * 0.12f) + 0.07f * std::sin(fx(x) * 0.13f - fx(y) * 0.3f);
            if (dither_on(x, y, t)) c.put(x, y, (y > 60) ? CR : SN);
        }
    streaks(c, r, 140, 12, 3, {CR, SN, TN, W});
    for (int k = 0; k < 3; ++k) {
        const float cx = fx(30 + k * 50), cy = fx(20 + (k % 2) * 10);
        for (int s = 0; s < 40; ++s) {
            const float a = fx(s) * 0.25f, d = 4 + fx(s) * 0.3f;
            c.put(static_cast<int>(cx + std::cos(a) * d * 1.6f), static_cast<int>(cy + std::sin(a) * d * 0.5f), CR);
        }
    }
    return c;
}

Canvas golden_stands() {  // packed gilded tiers, the royal box and confetti
    Canvas c(kW, kH);
    Rng r(105);
    c.gradient(0, 0, kW, 14, {B, LB});
    auto tier_top = [](int x, int k) { return 8 + k * 9 + static_cast<int>(5 * std::pow((fx(x) - 81) / 81, 2.0f)); };
    for (int k = 0; k < 7; ++k)
        for (int x = 0; x < kW; ++x) {
            const int y = tier_top(x, k);
            c.vline(x, y, y + 8, k % 2 ? BN : BR);
            c.put(x, y + 8, GD);
            c.put(x, y + 7, x % 6 == 0 ? YL : GD);
        }
    for (int k = 0; k < 7; ++k) crowd_row(c, r, 0, kW, [&](int x) { return tier_top(x, k) + 7; }, 12);
    // Gilded rails between the tiers.
    for (int k = 0; k < 7; ++k)
        for (int x = 0; x < kW; ++x) c.put(x, tier_top(x, k) + 8, x % 4 ? YL : GD);
    // Banners hanging from the top.
    for (int x : {14, 44, 118, 148}) {
        c.rect(x - 4, 0, x + 5, 30, R);
        c.rect(x - 4, 0, x - 3, 30, GD);
        c.rect(x + 4, 0, x + 5, 30, GD);
        c.polygon({fx(x - 4), 30, fx(x + 5), 30, fx(x) + 0.5f, 35}, R);
        c.oval(fx(x) + 0.5f, 15, 2.5f, 2.5f, YL);
        c.put(x, 15, GD);
    }
    // The royal box with its canopy.
    c.rect(62, 18, 101, 52, RD);
    c.frame(62, 18, 101, 52, GD);
    for (int x : {62, 98}) pillar(c, x, 18, 56, 4, GD, YL, CR);
    for (int x = 58; x < 106; ++x) c.vline(x, 10, 16 + (x % 6 < 3 ? 1 : 0) + static_cast<int>(2 * std::sin(fx(x) * 0.52f)), R);
    c.hline(58, 105, 10, GD);
    for (int x = 58; x < 106; x += 2) c.put(x, 18 + static_cast<int>(2 * std::sin(fx(x) * 0.52f)), YL);
    c.polygon({76, 10, 88, 10, 82, 4}, GD);
    c.oval(82, 7, 1.5f, 1.5f, R);
    c.rect(76, 30, 88, 46, GD);
    c.rect(78, 26, 86, 32, YL);
    c.rect(78, 32, 86, 44, R);
    c.polygon({77, 26, 79, 22, 81, 26, 83, 22, 85, 26, 87, 22, 87, 26}, YL);
    crowd_row(c, r, 66, 76, [](int) { return 46; });
    crowd_row(c, r, 89, 98, [](int) { return 46; });
    c.rect(62, 46, 102, 52, GD);
    for (int x = 64; x < 100; x += 3) c.vline(x, 47, 51, BR);
    c.hline(62, 101, 46, YL);
    // The gilded balustrade and the sand below.
    c.rect(0, 66, kW, 76, GD);
    for (int x = 2; x < kW; x += 4) {
        c.rect(x, 68, x + 2, 75, YL);
        c.put(x, 68, CR);
    }
    c.hline(0, kW - 1, 66, CR);
    c.hline(0, kW - 1, 67, YL);
    c.hline(0, kW - 1, 75, BR);
    c.gradient(0, 76, kW, kH, {SN, SN, TN});
    ground_speckle(c, r, 77, kH, CR, TN, 160);
    // Confetti everywhere.
    for (int k = 0; k < 150; ++k) {
        const int x = r.range(kW), y = r.range(kH);
        const uint8_t bits[] = {YL, PK, CY, W, LG, R, CR};
        c.put(x, y, bits[r.range(7)]);
        if (r.chance(2)) c.put(x + 1, y + (r.chance(2) ? 1 : 0), bits[r.range(7)]);
    }
    for (auto [x, y] : {std::pair{30, 70}, std::pair{82, 6}, std::pair{131, 71}, std::pair{65, 21}}) sparkle(c, x, y, 2, W);
    return c;
}

Canvas champion_lounge() {  // the champion's room: trophies, the belt, a mirror ringed with bulbs
    Canvas c(kW, kH);
    Rng r(106);
    c.fill(RD);
    for (int y = 2; y < 58; y += 6)
        for (int x = (y / 6) % 2 * 6; x < kW; x += 12) {
            c.put(x, y, R);
            c.put(x - 1, y + 1, R);
            c.put(x + 1, y + 1, R);
            c.put(x, y + 2, R);
        }
    c.rect(0, 0, kW, 3, BR);
    c.hline(0, kW - 1, 3, GD);
    // Wainscot and the floor.
    c.rect(0, 56, kW, 70, BN);
    c.hline(0, kW - 1, 56, TN);
    for (int x = 4; x < kW; x += 16) c.frame(x, 59, x + 12, 68, BR);
    c.gradient(0, 70, kW, kH, {BN, BR});
    for (int y = 72; y < kH; y += 4) c.hline(0, kW - 1, y, BR);
    for (int x = 0; x < kW; x += 2) c.put(x + (x / 2 % 7), 70 + (x * 7) % 24, TN);
    c.rect(38, 78, 126, 96, R);
    c.frame(38, 78, 126, 96, GD);
    c.frame(40, 80, 124, 94, YL);
    for (int y = 82; y < 93; ++y)
        for (int x = 42; x < 123; ++x)
            if (dither_on(x, y, 0.15f)) c.put(x, y, RD);
    // The trophy cabinet.
    c.rect(4, 10, 44, 70, BR);
    c.rect(6, 12, 42, 68, D1);
    for (int y : {28, 46, 66}) c.rect(6, y, 42, y + 2, BN);
    auto cup = [&](int x, int base, int s) {
        c.rect(x - s / 2 - 1, base - 2, x + s / 2 + 2, base, GD);
        c.rect(x, base - 2 - s / 2, x + 1, base - 2, GD);
        c.oval(fx(x) + 0.5f, fx(base - s - 2), fx(s) * 0.6f, fx(s) * 0.55f, GD);
        c.rect(x - s / 2, base - s - 5, x + s / 2 + 2, base - s - 2, GD);
        c.vline(x - s / 2 + 1, base - s - 5, base - s, YL);
        c.put(x - s / 2 - 1, base - s - 3, GD);
        c.put(x + s / 2 + 2, base - s - 3, GD);
        c.put(x - 1, base - s - 4, CR);
    };
    cup(14, 28, 8);
    cup(30, 28, 10);
    cup(12, 46, 6);
    cup(23, 46, 9);
    cup(35, 46, 6);
    for (int x : {12, 22, 32}) {
        c.line(x - 2, 52, x, 58, x == 22 ? B : R);
        c.line(x + 2, 52, x, 58, x == 22 ? B : R);
        c.oval(fx(x) + 0.5f, 61, 2.5f, 2.5f, x == 32 ? G3 : GD);
        c.put(x, 60, CR);
    }
    for (int y = 12; y < 68; y += 3) c.put(7 + (y % 9), y, SY);
    // The belt on the wall, under a spotlight.
    for (int y = 4; y < 50; ++y)
        for (int x = 50; x < 114; ++x)
            if (std::abs(fx(x) - 82) < 8 + fx(y) * 0.45f && dither_on(x, y, 0.3f)) c.put(x, y, R);
    c.rect(56, 14, 108, 44, BR);
    c.rect(58, 16, 106, 42, NB);
    c.frame(56, 14, 108, 44, GD);
    for (int x = 60; x < 105; ++x) {
        const int y = 29 + static_cast<int>(std::pow((fx(x) - 82) / 22, 2.0f) * -4);
        c.vline(x, y, y + 4, K);
        c.put(x, y, G1);
        if (x % 5 == 0) c.put(x, y + 2, GD);
    }
    c.oval(82, 29, 11, 9, BR);
    c.oval(82, 29, 10, 8, GD);
    c.oval(82, 29, 7.5f, 6, YL);
    c.oval(82, 29, 3, 3, R);
    c.put(81, 28, PK);
    c.oval(66, 28, 4, 4, GD);
    c.oval(98, 28, 4, 4, GD);
    c.put(66, 28, CR);
    c.put(98, 28, CR);
    c.rect(68, 46, 96, 54, BN);
    c.frame(68, 46, 96, 54, GD);
    draw_text(c, 70, 47, "CHAMP", 1, YL);
    // The mirror with its bulbs, a stool and gloves hanging on a hook.
    c.rect(118, 10, 156, 48, BN);
    c.rect(122, 14, 152, 44, LB);
    for (int y = 14; y < 44; ++y)
        for (int x = 122; x < 152; ++x) {
            const int d = (x - y + 200) % 14;
            if (d < 2) c.put(x, y, SY);
            else if (d == 3) c.put(x, y, W);
            else if (y > 32 && dither_on(x, y, 0.25f)) c.put(x, y, B);
        }
    for (int x = 121; x < 156; x += 5) {
        c.put(x, 12, YL);
        c.put(x, 46, YL);
    }
    for (int y = 17; y < 44; y += 5) {
        c.put(120, y, YL);
        c.put(154, y, YL);
    }
    c.rect(116, 48, 158, 52, BR);
    c.hline(116, 157, 48, TN);
    c.rect(126, 60, 146, 64, BR);
    c.rect(128, 64, 130, 78, BR);
    c.rect(142, 64, 144, 78, BR);
    c.rect(126, 58, 146, 61, W);
    c.vline(110, 52, 54, G3);
    c.oval(108, 60, 3, 3.5f, R);
    c.oval(113, 62, 3, 3.5f, R);
    c.line(110, 53, 108, 57, G3);
    c.line(110, 53, 113, 59, G3);
    c.put(107, 59, OR);
    c.put(112, 61, OR);
    return c;
}

Canvas grand_arena() {  // the great arena of Zando at the height of a festival night
    Canvas c(kW, kH);
    Rng r(107);
    c.gradient(0, 0, kW, 40, {K, D1, D2, MG});
    stars(c, r, 30, 18);
    // Searchlights and fireworks.
    for (int k = 0; k < 2; ++k) {
        const float bx = fx(34 + k * 96), ang = -kPi / 2 + (k ? 0.4f : -0.35f);
        for (int t = 0; t < 50; ++t) {
            const float x = bx + std::cos(ang) * fx(t), y = 34 + std::sin(ang) * fx(t);
            for (int w = -t / 9; w <= t / 9; ++w)
                if (dither_on(static_cast<int>(x) + w, static_cast<int>(y), 0.45f - fx(t) * 0.007f))
                    c.put(static_cast<int>(x) + w, static_cast<int>(y), LV);
        }
    }
    for (int k = 0; k < 3; ++k) {
        const int cx = 30 + k * 52, cy = 10 + (k % 2) * 5;
        const uint8_t col = k == 1 ? YL : (k ? LG : PK);
        for (int a = 0; a < 16; ++a) {
            const float ang = fx(a) * kPi / 8;
            for (int d = 2; d < 9; d += 2)
                c.put(cx + static_cast<int>(std::cos(ang) * fx(d)), cy + static_cast<int>(std::sin(ang) * fx(d)), d > 6 ? W : col);
        }
    }
    // Three storeys of lit arches round the bowl.
    auto rim = [](int x) { return 20 + static_cast<int>(6 * std::pow((fx(x) - 81) / 81, 2.0f)); };
    for (int x = 0; x < kW; ++x) {
        const int top = rim(x);
        c.vline(x, top, 66, SN);
        c.put(x, top, CR);
        for (int s = 0; s < 3; ++s) {
            c.put(x, top + 1 + s * 10, GD);
            c.put(x, top + 10 + s * 10, TN);
        }
    }
    for (int s = 0; s < 3; ++s)
        for (int x = 3 + s * 3; x < kW - 2; x += 8) {
            const int top = rim(x) + 3 + s * 10;
            c.rect(x, top + 2, x + 4, top + 7, BR);
            c.oval(fx(x) + 2, fx(top + 2), 2, 1.6f, BR);
            for (int y = top + 2; y < top + 7; ++y)
                for (int i = x; i < x + 4; ++i)
                    if (dither_on(i, y, 0.55f)) c.put(i, y, s == 0 ? OR : (s == 1 ? YL : OR));
        }
    for (int x = 2; x < kW; x += 12) {
        const int top = rim(x);
        c.vline(x, top - 9, top, G3);
        const uint8_t col = (x / 12) % 3 == 0 ? R : ((x / 12) % 3 == 1 ? YL : B);
        c.polygon({fx(x + 1), fx(top - 9), fx(x + 7), fx(top - 7), fx(x + 1), fx(top - 5)}, col);
    }
    // The packed lower stands.
    for (int k = 0; k < 2; ++k)
        for (int x = 0; x < kW; ++x) c.vline(x, 52 + k * 6, 57 + k * 6, k ? BN : TN);
    crowd_row(c, r, 0, kW, [](int) { return 57; });
    crowd_row(c, r, 0, kW, [](int) { return 63; });
    // The podium wall, the great gate and its banner.
    c.rect(0, 64, kW, 72, TN);
    c.hline(0, kW - 1, 64, GD);
    c.hline(0, kW - 1, 65, YL);
    c.hline(0, kW - 1, 71, BR);
    c.rect(66, 38, 98, 72, SN);
    c.frame(66, 38, 98, 72, GD);
    c.rect(70, 48, 94, 72, K);
    c.oval(82, 48, 12, 8, K);
    for (int x = 72; x < 94; x += 3) c.vline(x, 44, 71, G1);
    for (int y = 50; y < 72; y += 4) c.hline(71, 93, y, G1);
    c.rect(62, 30, 102, 40, R);
    c.frame(62, 30, 102, 40, GD);
    draw_text(c, 67, 32, "ZANDO", 1, YL);
    for (int x : {8, 40, 122, 154}) {
        c.rect(x - 2, 58, x + 3, 64, BR);
        c.rect(x - 3, 56, x + 4, 58, GD);
        glow_spot(c, fx(x) + 0.5f, 52, 9, OR);
        c.oval(fx(x) + 0.5f, 53, 2.5f, 3.5f, OR);
        c.oval(fx(x) + 0.5f, 54, 1.2f, 2, YL);
    }
    // The sand, with the crest of the arena laid into it.
    c.gradient(0, 72, kW, kH, {SN, SN, TN});
    ground_speckle(c, r, 73, kH, CR, TN, 160);
    c.oval(82, 86, 46, 9, R);
    c.oval(82, 86, 43, 7.8f, SN);
    c.oval(82, 86, 30, 5.5f, GD);
    c.oval(82, 86, 27, 4.5f, SN);
    c.polygon({82, 80, 86, 86, 82, 92, 78, 86}, R);
    c.polygon({70, 86, 82, 84, 94, 86, 82, 88}, GD);
    return c;
}

Canvas vane_hall() {  // the tower's entrance hall, open to the wind, full of weathercocks
    Canvas c(kW, kH);
    Rng r(108);
    bricks(c, 0, 0, kW, 70, G2, G1, 10, 5);
    for (int k = 0; k < 70; ++k) c.put(r.range(kW), r.range(70), r.chance(2) ? G3 : G1);
    // The great doorway and the windy land beyond it.
    arch_fill(c, 53, 111, 34, 70, {G1});
    arch_fill(c, 57, 107, 36, 70, {B, LB, SY, SY});
    cloud(c, 70, 22, 8, W, SY);
    cloud(c, 98, 34, 6, W, SY);
    for (int x = 57; x < 107; ++x) {
        const int top = 56 + static_cast<int>(3 * std::sin(fx(x) * 0.09f));
        c.vline(x, top, 69, G);
        c.put(x, top, LG);
    }
    for (int y = 58; y < 70; ++y) c.hline(80 - (y - 58) / 2, 83 + (y - 58) / 2, y, SN);
    weather_vane(c, 96, 40, 57, 1, K, K);
    for (int x = 52; x < 112; ++x)
        for (int y = 0; y < 70; ++y)
            if (in_arch(x, y, 53, 111, 34, 70) && !in_arch(x, y, 57, 107, 36, 70) && (x + y * 3) % 9 == 0) c.put(x, y, G2);
    // High slit windows.
    for (int x : {14, 140}) {
        arch_fill(c, x - 1, x + 8, 12, 30, {G1});
        arch_fill(c, x, x + 7, 12, 29, {LB, SY});
    }
    // Long pennants streaming in the draught.
    for (int x : {30, 116}) {
        c.vline(x, 4, 40, BR);
        c.put(x, 3, GD);
        for (int k = 0; k < 22; ++k) {
            const int y = 6 + static_cast<int>(std::sin(fx(k) * 0.45f) * 2.0f);
            const int h = 7 - k * 7 / 22;
            c.vline(x + 1 + k, y, y + h, x < 80 ? B : TE);
            if (h > 2) c.put(x + 1 + k, y, x < 80 ? LB : CY);
        }
    }
    // The floor, with a compass rose laid in it and the light from outside.
    tile_floor(c, 70, G3, G2, G1, 6);
    for (int y = 70; y < kH; ++y) {
        const int hw = 26 + (y - 70);
        for (int x = 82 - hw; x < 82 + hw; ++x)
            if (dither_on(x, y, 0.4f - fx(y - 70) * 0.012f)) c.put(x, y, SY);
    }
    c.oval(82, 84, 31, 7.5f, GD);
    c.oval(82, 84, 29, 6.5f, BN);
    c.oval(82, 84, 27, 5.8f, G3);
    c.polygon({82, 77, 85, 84, 82, 91, 79, 84}, R);
    c.polygon({82, 77, 85, 84, 82, 84}, YL);
    c.polygon({53, 84, 82, 82.5f, 111, 84, 82, 85.5f}, GD);
    c.polygon({62, 80, 84, 84, 102, 88, 80, 84}, BN);
    c.polygon({62, 88, 84, 84, 102, 80, 80, 84}, BN);
    c.oval(82, 84, 2, 1, W);
    // Weathercocks on pedestals, all turned by the same wind.
    for (int x : {20, 143}) {
        c.rect(x - 6, 62, x + 7, 80, G3);
        c.rect(x - 7, 60, x + 8, 63, W);
        c.rect(x - 7, 79, x + 8, 82, G2);
        c.vline(x + 6, 63, 78, G2);
        weather_vane(c, x, 34, 60, 1, GD, R);
    }
    weather_vane(c, 82, 2, 9, 1, GD, R);
    // Gusts and leaves riding them.
    gust(c, 0, 46, 40, 2.0f, W);
    gust(c, 60, 16, 34, 1.5f, W);
    gust(c, 106, 58, 38, 2.0f, W);
    gust(c, 24, 76, 30, 1.5f, W);
    for (int k = 0; k < 18; ++k) {
        const int x = r.range(kW), y = 10 + r.range(80);
        const uint8_t col = k % 3 == 0 ? OR : (k % 3 == 1 ? LG : G);
        c.put(x, y, col);
        c.put(x + 1, y + (k % 2 ? 1 : -1), col);
    }
    return c;
}

Canvas mirror_corridor() {  // a gilded corridor of mirrors running to an endless reflection
    Canvas c(kW, kH);
    Rng r(109);
    const float vx = 81, vy = 44;
    auto X = [&](float s, int side) { return vx + fx(side) * 84 * s; };
    auto Y = [&](float s, float v) { return vy + (-48 + 102 * v) * s; };  // v: 0 at the cornice, 1 at the floor
    auto quad = [&](float a, float b, float v0, float v1, int side, uint8_t col) {
        c.polygon({X(a, side), Y(a, v0), X(b, side), Y(b, v0), X(b, side), Y(b, v1), X(a, side), Y(a, v1)}, col);
    };
    c.gradient(0, 0, kW, static_cast<int>(vy), {K, D1, D2});
    tile_floor(c, static_cast<int>(vy), W, LV, kClear, 7);
    std::vector<std::pair<float, float>> mirrors, pillars;
    float s = 1.1f;
    while (s > 0.2f) {
        const float m = s * 0.8f;
        mirrors.push_back({s, m});
        pillars.push_back({m, m * 0.92f});
        s = m * 0.92f;
    }
    const float end = s;
    // A runner down the middle of the floor.
    c.polygon({vx - 18, Y(1.1f, 1), vx + 18, Y(1.1f, 1), vx + 18 * end, Y(end, 1), vx - 18 * end, Y(end, 1)}, MG);
    c.polygon({vx - 14, Y(1.1f, 1), vx + 14, Y(1.1f, 1), vx + 14 * end, Y(end, 1), vx - 14 * end, Y(end, 1)}, D2);
    for (int side : {-1, 1}) {
        for (auto [a, b] : mirrors) {
            const float u = (a - b) * 0.08f;
            quad(a, b, 0, 1, side, VI);
            quad(a - u, b + u, 0.06f, 0.86f, side, GD);
            quad(a - 2 * u, b + 2 * u, 0.1f, 0.82f, side, LB);
        }
        for (auto [a, b] : pillars) {
            quad(a, b, -0.05f, 1, side, LV);
            quad(a, b + (a - b) * 0.5f, -0.05f, 1, side, W);
        }
    }
    // Sheen across the glass.
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (c.at(x, y) != LB) continue;
            const int d = ((x < vx ? x : -x) - y + 400) % 13;
            if (d < 2) c.put(x, y, W);
            else if (d == 3) c.put(x, y, SY);
            else if (dither_on(x, y, 0.2f)) c.put(x, y, B);
        }
    // Ribs over the ceiling at each pair of pillars.
    for (const auto& bay : pillars) {
        const float a = bay.first;
        for (int k = 0; k <= 100; ++k) {
            const float t = kPi + kPi * fx(k) / 100;
            c.put(static_cast<int>(vx + std::cos(t) * 84 * a), static_cast<int>(Y(a, -0.05f) + std::sin(t) * 16 * a), LV);
        }
    }
    // The end wall: a mirror facing us, holding the corridor again and again.
    float x0 = X(end, -1), x1 = X(end, 1), y0 = Y(end, 0), y1 = Y(end, 1);
    for (int k = 0; k < 7; ++k) {
        c.rect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1) + 1, static_cast<int>(y1) + 1, k % 2 ? SY : GD);
        const float cx = (x0 + x1) / 2, cy = vy + 2;
        x0 = cx + (x0 - cx) * 0.72f;
        x1 = cx + (x1 - cx) * 0.72f;
        y0 = cy + (y0 - cy) * 0.72f;
        y1 = cy + (y1 - cy) * 0.72f;
    }
    c.put(static_cast<int>(vx), static_cast<int>(vy + 2), W);
    for (int k = 0; k < 6; ++k) sparkle(c, 8 + r.range(26) + (k % 2) * 120, 14 + r.range(50), 1 + k % 2, W);
    return c;
}

Canvas dragon_library() {  // bookcases two storeys high and a jade dragon wound round the central pillar
    Canvas c(kW, kH);
    Rng r(110);
    c.gradient(0, 0, kW, 76, {K, D1, BR});
    arch_fill(c, 54, 108, 24, 76, {BR});
    arch_fill(c, 57, 105, 26, 76, {NB, B, TE});
    for (int k = 0; k < 24; ++k) {
        const int x = 58 + r.range(46), y = 4 + r.range(50);
        if (in_arch(x, y, 57, 105, 26, 76)) c.put(x, y, k % 3 ? LB : W);
    }
    bookcase(c, r, 0, 2, 54, 76, 12);
    bookcase(c, r, 108, 2, kW, 76, 12);
    for (auto [x0, x1] : {std::pair{0, 54}, std::pair{108, kW}}) {
        c.rect(x0, 38, x1, 42, BN);
        c.hline(x0, x1 - 1, 38, TN);
        for (int x = x0 + 1; x < x1; x += 4) c.vline(x, 31, 38, BN);
        c.hline(x0, x1 - 1, 31, TN);
    }
    // A ladder on its rail.
    c.line(40, 76, 47, 2, TN);
    c.line(46, 76, 53, 2, TN);
    for (int y = 6; y < 74; y += 5) c.hline(40 + (76 - y) * 7 / 74, 46 + (76 - y) * 7 / 74, y, BN);
    // The dragon: the coils behind the pillar, the pillar, then the coils in front.
    auto at = [](float t) { return std::pair{81 + 19 * std::cos(t), 72 - t * 4.3f}; };
    const float t_end = 14.0f;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            pillar(c, 74, 0, 78, 14, G1, G2, G3);
            for (int y = 8; y < 76; y += 12) c.hline(75, 86, y, G1);
        }
        for (float t = 0.3f; t <= t_end; t += 0.04f) {
            const bool front = std::sin(t) > 0;
            if (front != (pass == 1)) continue;
            const auto [x, y] = at(t);
            const float rr = 1.5f + std::min(1.0f, t / 5) * 2.5f;
            c.oval(x, y, rr, rr * 0.9f, front ? DG : K);
            c.oval(x - 0.5f, y - 0.6f, rr - 0.8f, rr * 0.9f - 0.8f, front ? G : DG);
            if (front && rr > 2.5f) c.put(static_cast<int>(x), static_cast<int>(y - rr * 0.5f), LG);
            if (front) c.put(static_cast<int>(x), static_cast<int>(y + rr * 0.6f), SN);
        }
        for (float t = 1.0f; t <= t_end; t += 0.55f) {
            if ((std::sin(t) > 0) != (pass == 1)) continue;
            const auto [x, y] = at(t);
            const float rr = 1.5f + std::min(1.0f, t / 5) * 2.5f;
            c.put(static_cast<int>(x), static_cast<int>(y - rr - 0.5f), R);
        }
    }
    // The head, turned toward us from the top of the pillar, with horns and whiskers.
    const auto [hx, hy] = at(t_end);
    const float x = hx + 3, y = hy - 1;
    c.line(static_cast<int>(x) - 3, static_cast<int>(y) - 3, static_cast<int>(x) - 9, static_cast<int>(y) - 9, GD);
    c.line(static_cast<int>(x) - 2, static_cast<int>(y) - 4, static_cast<int>(x) - 5, static_cast<int>(y) - 11, GD);
    c.oval(x, y, 6, 4.5f, DG);
    c.oval(x - 0.5f, y - 0.8f, 5, 3.6f, G);
    c.rect(static_cast<int>(x) + 3, static_cast<int>(y) - 2, static_cast<int>(x) + 11, static_cast<int>(y) + 2, G);
    c.hline(static_cast<int>(x) + 3, static_cast<int>(x) + 10, static_cast<int>(y) - 2, LG);
    c.rect(static_cast<int>(x) + 3, static_cast<int>(y) + 2, static_cast<int>(x) + 10, static_cast<int>(y) + 4, DG);
    c.hline(static_cast<int>(x) + 4, static_cast<int>(x) + 10, static_cast<int>(y) + 2, R);
    c.put(static_cast<int>(x) + 10, static_cast<int>(y) + 1, W);
    c.put(static_cast<int>(x) + 10, static_cast<int>(y) - 1, K);
    c.rect(static_cast<int>(x), static_cast<int>(y) - 2, static_cast<int>(x) + 3, static_cast<int>(y), YL);
    c.put(static_cast<int>(x) + 1, static_cast<int>(y) - 1, K);
    for (int k = 0; k < 14; ++k) {
        c.put(static_cast<int>(x) + 11 + k, static_cast<int>(y) + static_cast<int>(3 * std::sin(fx(k) * 0.4f)), CR);
        c.put(static_cast<int>(x) + 9 + k, static_cast<int>(y) + 5 + static_cast<int>(2 * std::sin(fx(k) * 0.5f + 1)), CR);
    }
    for (int k = 0; k < 5; ++k) c.put(static_cast<int>(x) - 5 + k, static_cast<int>(y) - 5 + (k % 2), R);
    // The floor, a reading desk with its candle, and scrolls.
    c.gradient(0, 76, kW, kH, {BN, BR});
    for (int y = 79; y < kH; y += 4) c.hline(0, kW - 1, y, BR);
    c.hline(0, kW - 1, 76, TN);
    c.rect(10, 82, 52, 86, BN);
    c.hline(10, 51, 82, TN);
    c.rect(12, 86, 14, kH, BR);
    c.rect(48, 86, 50, kH, BR);
    c.polygon({22, 82, 30, 79, 31, 82}, W);
    c.polygon({31, 82, 32, 79, 40, 82}, CR);
    c.rect(44, 75, 46, 82, CR);
    glow_spot(c, 45, 72, 12, BN);
    c.oval(45, 73, 1.5f, 2.5f, OR);
    c.put(45, 73, YL);
    for (int k = 0; k < 6; ++k) {
        const float sx = fx(122 + (k % 3) * 9 + (k / 3) * 4), sy = fx(92 - (k / 3) * 4);
        c.oval(sx, sy, 5, 2, TN);
        c.oval(sx, sy, 4, 1.5f, CR);
        c.oval(sx - 4, sy, 1, 2, SN);
        c.vline(static_cast<int>(sx), static_cast<int>(sy) - 1, static_cast<int>(sy) + 1, R);
    }
    for (int k = 0; k < 5; ++k) c.rect(60 + k % 2, 92 - k * 2, 72 - k % 2, 94 - k * 2, k % 2 ? B : RD);
    for (int k = 0; k < 20; ++k) c.put(r.range(kW), r.range(76), CR);
    return c;
}

Canvas sealed_dungeon() {  // a stone cell bound with rope and paper seals; something watches from inside
    Canvas c(kW, kH);
    Rng r(111);
    bricks(c, 0, 0, kW, 72, G1, K, 12, 6);
    for (int k = 0; k < 140; ++k) {
        const int x = r.range(kW), y = r.range(72);
        c.put(x, y, y > 56 && r.chance(2) ? DG : (r.chance(2) ? G2 : D1));
    }
    // The cell and the eyes in its dark.
    c.rect(42, 10, 122, 72, K);
    for (int y = 14; y < 72; ++y)
        for (int x = 44; x < 120; ++x)
            if (dither_on(x, y, 0.12f)) c.put(x, y, D1);
    glow_spot(c, 81, 40, 14, RD);
    for (int ex : {73, 87}) {
        c.hline(ex - 2, ex + 2, 40, R);
        c.hline(ex - 1, ex + 1, 41, OR);
        c.put(ex, 40, YL);
    }
    for (int x = 44; x < 122; x += 7) {
        c.rect(x, 12, x + 3, 72, G2);
        c.vline(x, 12, 71, G3);
        c.vline(x + 2, 12, 71, G1);
    }
    for (int y : {24, 58}) {
        c.rect(42, y, 122, y + 3, G2);
        c.hline(42, 121, y, G3);
        c.hline(42, 121, y + 2, G1);
    }
    c.rect(40, 8, 124, 12, G1);
    // Paper seals on the bars and the walls.
    for (auto [x, y] : {std::pair{47, 30}, std::pair{61, 44}, std::pair{75, 28}, std::pair{89, 48}, std::pair{103, 30},
                        std::pair{117, 42}, std::pair{54, 60}, std::pair{96, 62}, std::pair{8, 22}, std::pair{150, 26},
                        std::pair{30, 50}, std::pair{136, 58}})
        seal_slip(c, x, y, 9);
    // The sacred rope across the top, with its paper streamers.
    for (int x = 36; x < 128; ++x) {
        const int y = 11 + static_cast<int>(5 * std::sin(kPi * fx(x - 36) / 92));
        for (int d = -2; d <= 2; ++d) c.put(x, y + d, ((x + d * 2) / 2) % 3 == 0 ? TN : SN);
        c.put(x, y + 2, BN);
    }
    for (int x = 44; x < 124; x += 13) {
        const int y = 14 + static_cast<int>(5 * std::sin(kPi * fx(x - 36) / 92));
        for (int k = 0; k < 4; ++k) {
            c.hline(x + (k % 2) * 2, x + 2 + (k % 2) * 2, y + k * 3, W);
            c.vline(x + 2, y + k * 3, y + k * 3 + 3, W);
        }
    }
    // Chains and shackles.
    for (int x : {14, 24, 140, 150}) {
        for (int y = 4; y < 40 + (x % 3) * 4; y += 2) c.put(x + (y / 2) % 2, y, (y / 2) % 2 ? G3 : G2);
        const int y = 40 + (x % 3) * 4;
        c.oval(fx(x) + 0.5f, fx(y + 2), 2.5f, 2.5f, G3);
        c.oval(fx(x) + 0.5f, fx(y + 2), 1.2f, 1.2f, G1);
    }
    for (auto x : {28, 132}) {
        glow_spot(c, fx(x) + 1, 30, 12, BN);
        torch(c, x, 32);
    }
    // The floor and the binding circle drawn on it.
    tile_floor(c, 72, G1, K, G2, 6);
    for (int y = 74; y < kH; ++y)
        for (int x = 30; x < 134; ++x) {
            const float d = std::hypot((fx(x) - 82) / 44, (fx(y) - 86) / 10);
            if (d > 0.8f && d < 1.25f && dither_on(x, y, 0.35f * (1 - std::abs(d - 1) * 4))) c.put(x, y, D2);
        }
    ellipse_line(c, 82, 86, 42, 9, MG);
    ellipse_line(c, 82, 86, 37, 7.8f, PK);
    std::vector<std::pair<int, int>> star;
    for (int k = 0; k < 5; ++k) {
        const float a = -kPi / 2 + fx(k) * 2 * kPi / 5;
        star.push_back({static_cast<int>(82 + std::cos(a) * 36), static_cast<int>(86 + std::sin(a) * 7.6f)});
    }
    for (int k = 0; k < 5; ++k) {
        const auto [ax, ay] = star[static_cast<size_t>(k)];
        const auto [bx, by] = star[static_cast<size_t>((k + 2) % 5)];
        c.line(ax, ay, bx, by, MG);
    }
    for (int k = 0; k < 16; ++k) {
        const float a = fx(k) * 2 * kPi / 16;
        c.put(static_cast<int>(82 + std::cos(a) * 39.5f), static_cast<int>(86 + std::sin(a) * 8.4f), W);
    }
    return c;
}

Canvas clockwork_keep() {  // a castle keep driven by great brass gears
    Canvas c(kW, kH);
    Rng r(112);
    c.gradient(0, 0, kW, 74, {B, LB, SY, CR});
    cloud(c, 20, 12, 10, W, SY);
    cloud(c, 146, 20, 8, W, SY);
    gear(c, 81, 40, 33, 18, 0.1f, BR, BN, TN);
    gear(c, 24, 52, 17, 12, 0.25f, BR, GD, YL);
    gear(c, 47, 27, 9, 8, 0.05f, BR, GD, YL);
    gear(c, 139, 46, 15, 11, 0.2f, BR, GD, YL);
    gear(c, 152, 70, 8, 8, 0.5f, BR, GD, YL);
    // A chain belt between two wheels.
    for (int k = 0; k < 60; ++k) {
        const float t = fx(k) / 60;
        c.put(static_cast<int>(24 + (139 - 24) * t), static_cast<int>(36 + (31 - 36) * t + 3 * std::sin(kPi * t)), k % 2 ? G1 : G3);
    }
    castle_jp(c, 81, 74, W, NB, G2);
    // A clock set in the keep's gable.
    c.oval(81, 28, 5, 5, GD);
    c.oval(81, 28, 4, 4, W);
    c.vline(81, 25, 28, K);
    c.hline(81, 83, 28, K);
    // Pipes and puffs of steam.
    c.rect(36, 58, 60, 61, BN);
    c.hline(36, 59, 58, TN);
    c.rect(36, 34, 39, 61, BN);
    c.vline(36, 34, 60, TN);
    c.rect(108, 54, 128, 57, BN);
    c.hline(108, 127, 54, TN);
    c.rect(124, 20, 127, 57, BN);
    c.vline(124, 20, 56, TN);
    cloud(c, 38, 28, 5, W, G3);
    cloud(c, 44, 20, 4, W, G3);
    cloud(c, 126, 14, 5, W, G3);
    cloud(c, 120, 7, 4, W, G3);
    // The stone base, with gears set into it.
    c.rect(0, 74, kW, kH, G2);
    for (int y = 74; y < kH; y += 5)
        for (int x = (y / 5) % 2 * 5 - 5; x < kW; x += 10 + (x * 3 + y) % 5) {
            c.rect(x, y, x + 9, y + 4, (x + y) % 3 ? G2 : G3);
            c.hline(x, x + 8, y, G3);
            c.vline(x + 9, y, y + 4, G1);
            c.hline(x, x + 9, y + 4, G1);
        }
    gear(c, 26, 90, 10, 9, 0.0f, BR, GD, YL);
    gear(c, 136, 92, 12, 10, 0.3f, BR, GD, YL);
    c.hline(0, kW - 1, 74, G3);
    return c;
}

Canvas cloud_inns() {  // an old highway town of inns standing on the clouds
    Canvas c(kW, kH);
    Rng r(113);
    c.gradient(0, 0, kW, 62, {B, LB, SY});
    sun(c, 24, 12, 5, W, CR);
    // Far inns, pale with the distance.
    for (int k = 0; k < 7; ++k) cloud(c, fx(6 + k * 26), fx(44 + (k % 2) * 2), fx(12 + (k % 3) * 2), W, SY);
    for (int k = 0; k < 8; ++k) house(c, 6 + k * 20 + (k % 2) * 3, 42 - (k % 3), 9 + (k % 2) * 2, 5 + (k % 3) * 2, LV, VI, B, NB, false, r);
    for (int k = 0; k < 9; ++k) cloud(c, fx(k * 20), fx(52 + (k % 2) * 3), fx(10 + (k % 3) * 3), W, SY);
    // The near row along the street.
    const uint8_t curtains[] = {NB, R, TE, NB, D2};
    for (int k = 0; k < 5; ++k) inn(c, 3 + k * 32, 76, 26, TN, BR, G1, G2, CR, curtains[k], true);
    for (int k = 0; k < 5; ++k) {
        const int x = 3 + k * 32 + 20;
        c.rect(x, 54, x + 4, 64, BR);
        c.rect(x + 1, 55, x + 3, 63, CR);
        c.vline(x + 2, 56, 62, K);
    }
    // The cloud road in front, with stepping stones.
    for (int k = 0; k < 12; ++k) cloud(c, fx(r.range(kW)), fx(80 + r.range(14)), fx(12 + r.range(10)), W, SY);
    c.gradient(0, 88, kW, kH, {SY, W});
    for (int k = 0; k < 10; ++k) cloud(c, fx(k * 18 + r.range(6)), fx(90 + r.range(6)), fx(10 + r.range(6)), W, SY);
    for (int k = 0; k < 6; ++k) {
        const float x = 70 + fx(k) * 6 - fx(k * k) * 0.4f, y = 80 + fx(k) * 3;
        c.oval(x, y + 0.6f, 4 + fx(k) * 0.5f, 1.4f + fx(k) * 0.2f, G2);
        c.oval(x, y, 4 + fx(k) * 0.5f, 1.2f + fx(k) * 0.2f, G3);
    }
    // A tall lantern post at the town's edge.
    c.rect(150, 56, 153, 90, BR);
    c.rect(147, 50, 156, 58, CR);
    c.frame(147, 50, 156, 58, BR);
    c.polygon({145, 50, 158, 50, 151.5f, 45}, G1);
    glow_spot(c, 151.5f, 54, 8, YL);
    c.rect(148, 51, 155, 57, CR);
    // Birds.
    for (int k = 0; k < 3; ++k) {
        const int x = 96 + k * 10, y = 14 + (k % 2) * 4;
        c.line(x - 2, y - 1, x, y, G1);
        c.line(x, y, x + 2, y - 1, G1);
    }
    return c;
}

Canvas waning_moon_hall() {  // a round window holding a waning moon, and the phases carved above it
    Canvas c(kW, kH);
    Rng r(114);
    c.gradient(0, 0, kW, 72, {K, D1, D2});
    bricks(c, 0, 0, kW, 72, D1, K, 16, 8);
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < kW; ++x)
            if (c.at(x, y) == D1 && dither_on(x, y, fx(y) / 120)) c.put(x, y, D2);
    // The window.
    c.oval(81, 42, 31, 29, G1);
    c.oval(81, 42, 29, 27, G2);
    Canvas sky(kW, kH);
    sky.gradient(0, 13, kW, 72, {K, NB, B});
    stars(sky, r, 40, 72);
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < kW; ++x)
            if (std::hypot((fx(x) + 0.5f - 81) / 27, (fx(y) + 0.5f - 42) / 25) <= 1) c.put(x, y, sky.at(x, y));
    c.oval(76, 38, 11, 11, CR);
    for (int y = 20; y < 60; ++y)
        for (int x = 60; x < 110; ++x)
            if (std::hypot(fx(x) + 0.5f - 84, fx(y) + 0.5f - 35) < 10.5f && std::hypot((fx(x) + 0.5f - 81) / 27, (fx(y) + 0.5f - 42) / 25) <= 1)
                c.put(x, y, sky.at(x, y) == K ? NB : sky.at(x, y));
    c.oval(71, 40, 1.5f, 1.2f, SN);
    c.oval(74, 46, 1.2f, 1, SN);
    for (int k = 0; k < 8; ++k) {
        const float a = fx(k) * kPi / 4;
        for (int d = 0; d < 27; ++d) {
            const int x = static_cast<int>(81 + std::cos(a) * fx(d)), y = static_cast<int>(42 + std::sin(a) * fx(d) * 0.93f);
            if (d > 8 && (k % 2 == 0 || d > 18)) c.put(x, y, G1);
        }
    }
    ellipse_line(c, 81, 42, 8, 7.5f, G1);
    // The phases, full to dark, along the top.
    for (int k = 0; k < 7; ++k) {
        const float x = 33 + fx(k) * 16;
        c.oval(x, 6, 4.5f, 4.5f, K);
        c.oval(x, 6, 3.6f, 3.6f, CR);
        if (k > 0) c.oval(x + 7.2f * (1 - fx(k) / 6), 6, 3.6f, 3.6f, D2);
        for (int y = 0; y < 13; ++y)
            for (int i = static_cast<int>(x) - 5; i < static_cast<int>(x) + 6; ++i)
                if (std::hypot(fx(i) + 0.5f - x, fx(y) + 0.5f - 6) > 3.6f && c.at(i, y) == D2) c.put(i, y, K);
    }
    // Pillars with crescent banners.
    pillar(c, 4, 0, 76, 12, D1, D2, VI);
    pillar(c, 147, 0, 76, 12, D1, D2, VI);
    for (int x : {22, 134}) {
        c.rect(x, 12, x + 9, 40, NB);
        c.frame(x, 12, x + 9, 40, GD);
        c.polygon({fx(x), 40, fx(x + 9), 40, fx(x) + 4.5f, 44}, NB);
        c.oval(fx(x) + 4.5f, 24, 3, 3, YL);
        c.oval(fx(x) + 6, 23, 2.6f, 2.6f, NB);
    }
    // The floor, and the moonlight that falls on it in the same shape.
    tile_floor(c, 72, D2, D1, VI, 6);
    for (int y = 56; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float t = fx(y - 56) / 41;
            const float l = 62 - t * 24, rr = 90 + t * 14;
            if (fx(x) > l && fx(x) < rr && dither_on(x, y, 0.18f) && y >= 70) c.put(x, y, VI);
        }
    for (int y = 80; y < kH; ++y)
        for (int x = 40; x < 124; ++x) {
            const bool in = std::hypot((fx(x) - 76) / 26, (fx(y) - 88) / 6) < 1;
            const bool cut = std::hypot((fx(x) - 84) / 22, (fx(y) - 87) / 5.5f) < 1;
            if (in && !cut) c.put(x, y, dither_on(x, y, 0.6f) ? CR : LV);
        }
    return c;
}

Canvas haze_hall() {  // a sun-baked hall whose far end wavers in the heat; mayflies drift
    Canvas c(kW, kH);
    Rng r(115);
    c.gradient(0, 0, kW, 62, {BR, BN, TN});
    bricks(c, 0, 0, kW, 62, TN, BN, 14, 7);
    for (int y = 0; y < 62; ++y)
        for (int x = 0; x < kW; ++x)
            if (c.at(x, y) == TN && dither_on(x, y, fx(y) / 90)) c.put(x, y, SN);
    // The doorway onto the blazing desert.
    arch_fill(c, 58, 104, 36, 62, {BN});
    arch_fill(c, 61, 101, 38, 62, {OR, YL, CR});
    for (int y = 0; y < 62; ++y)
        for (int x = 61; x < 101; ++x) {
            if (!in_arch(x, y, 61, 101, 38, 62)) continue;
            const float d = std::hypot(fx(x) - 81, fx(y) - 40);
            if (d < 6) c.put(x, y, W);
            else if (d < 12 && dither_on(x, y, (12 - d) / 8)) c.put(x, y, CR);
            if (y > 55 + static_cast<int>(2 * std::sin(fx(x) * 0.2f))) c.put(x, y, y > 58 ? TN : SN);
        }
    // Hot stone floor with a mirage lying on it.
    tile_floor(c, 62, SN, TN, BN, 6);
    for (int y = 62; y < 70; ++y)
        for (int x = 40; x < 124; ++x)
            if (std::hypot((fx(x) - 82) / 40, fx(y - 62) / 8) < 1 && dither_on(x, y, 0.6f - fx(y - 62) * 0.06f))
                c.put(x, y, (x + y) % 3 ? CR : YL);
    // Rows of pillars.
    pillar(c, 46, 12, 66, 6, BN, TN, SN);
    pillar(c, 111, 12, 66, 6, BN, TN, SN);
    pillar(c, 27, 5, 78, 9, BN, TN, SN);
    pillar(c, 127, 5, 78, 9, BN, TN, SN);
    pillar(c, 2, 0, kH, 14, BR, BN, TN);
    pillar(c, 147, 0, kH, 14, BR, BN, TN);
    // Everything wavers, most of all near the floor line.
    shimmer(c, 24, 80, 62, 2.0f);
    for (int k = 0; k < 9; ++k) {
        const int x0 = 20 + k * 15;
        for (int y = 64; y < 92; ++y)
            if ((y / 3) % 2) c.put(x0 + static_cast<int>(2 * std::sin(fx(y) * 0.5f + fx(k))), y, CR);
    }
    // Mayflies, wings like glass.
    for (auto [x, y] : {std::pair{38, 28}, std::pair{72, 18}, std::pair{122, 36}, std::pair{98, 80}, std::pair{52, 74}}) {
        c.oval(fx(x) + 1, fx(y) - 4, 2, 4, SY);
        c.oval(fx(x) + 3.5f, fx(y) - 3.5f, 1.5f, 3, W);
        c.line(x - 2, y, x + 5, y - 1, BR);
        c.put(x + 6, y - 2, BR);
        c.line(x - 2, y, x - 9, y + 1, CR);
        c.line(x - 2, y, x - 8, y + 4, CR);
        c.line(x - 2, y, x - 9, y - 2, CR);
    }
    return c;
}

Canvas neon_market() {  // a night market of awnings under neon signs
    Canvas c(kW, kH);
    Rng r(116);
    c.gradient(0, 0, kW, 60, {K, D1, D2});
    stars(c, r, 14, 14);
    tower_block(c, 0, 14, 24, D1, D2, YL, K, r);
    tower_block(c, 26, 4, 22, K, D1, CY, K, r);
    tower_block(c, 50, 18, 28, D1, D2, PK, K, r);
    tower_block(c, 80, 8, 26, K, D1, LG, K, r);
    tower_block(c, 108, 16, 22, D1, D2, YL, K, r);
    tower_block(c, 132, 6, 31, K, D1, CY, K, r);
    neon_sign(c, 28, 14, "MARKET", CY);
    neon_sign(c, 84, 18, "EAT", PK);
    neon_sign(c, 136, 14, "ZAN", YL);
    neon_sign(c, 4, 26, "24H", LG);
    // Strings of coloured bulbs.
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < kW; ++x) {
            const int y = 34 + row * 6 + static_cast<int>(4 * std::sin(fx(x) * 0.05f + fx(row) * 2));
            c.put(x, y, G1);
            if (x % 6 == 0) c.put(x, y + 1, (x / 6) % 3 == 0 ? PK : ((x / 6) % 3 == 1 ? YL : CY));
        }
    // Stalls.
    const uint8_t stripe[][2] = {{R, W}, {CY, W}, {YL, MG}, {LG, W}};
    for (int k = 0; k < 4; ++k) {
        const int x = 2 + k * 40, w = 38;
        c.rect(x + 1, 52, x + w - 1, 72, D1);
        glow_spot(c, fx(x + w / 2), 58, 14, D2);
        c.rect(x + 1, 52, x + w - 1, 53, kClear);
        c.rect(x + 1, 52, x + 3, 74, BN);
        c.rect(x + w - 3, 52, x + w - 1, 74, BN);
        for (int xx = x - 1; xx < x + w + 1; ++xx) {
            const uint8_t col = stripe[k][((xx - x + 8) / 4) % 2];
            c.vline(xx, 44, 51, col);
            if ((xx - x) % 4 != 0) c.put(xx, 52, col);
        }
        c.hline(x - 1, x + w, 44, W);
        lantern(c, x + 8, 56, R, YL);
        lantern(c, x + w - 9, 56, OR, YL);
        // Wares on the counter.
        c.rect(x + 2, 66, x + w - 2, 74, BR);
        c.hline(x + 2, x + w - 3, 66, TN);
        for (int g = 0; g < 7; ++g) {
            const int gx = x + 6 + g * 4;
            switch (k) {
                case 0: c.oval(fx(gx), 64.5f, 1.8f, 1.8f, g % 2 ? OR : R); break;
                case 1:
                    c.hline(gx - 1, gx + 2, 64, SY);
                    c.put(gx + 3, 63, SY);
                    c.put(gx + 3, 65, SY);
                    break;
                case 2:
                    c.oval(fx(gx), 63.5f, 1.7f, 2.2f, W);
                    c.put(gx - 1, 63, K);
                    c.put(gx + 1, 63, K);
                    break;
                default: c.rect(gx - 1, 62, gx + 2, 66, g % 2 ? LG : G); break;
            }
        }
    }
    // The wet street reflecting the lights.
    c.rect(0, 74, kW, kH, K);
    c.hline(0, kW - 1, 74, D2);
    for (int y = 76; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const uint8_t above = c.at(x, 2 * 74 - y);
            if (y % 2 == 0) continue;
            if (above == PK || above == MG) c.put(x, y, MG);
            else if (above == CY) c.put(x, y, TE);
            else if (above == YL || above == OR) c.put(x, y, GD);
            else if (above == LG) c.put(x, y, G);
            else if (above == R) c.put(x, y, RD);
        }
    // Long smears of the signs' colours across the wet stones.
    for (auto [x0, x1, col] : {std::tuple{28, 66, TE}, std::tuple{84, 104, MG}, std::tuple{136, 156, GD}, std::tuple{4, 24, G}}) {
        for (int x = x0 + 2; x < x1 - 2; ++x) {
            if ((x * 7) % 3 == 0) continue;
            const int len = 6 + (x * 13) % 15;
            for (int y = 77 + (x % 2); y < std::min(kH, 77 + len); y += 2) c.put(x, y, col);
        }
    }
    // Shoppers passing.
    for (auto [x, h] : {std::pair{18, 16}, std::pair{30, 14}, std::pair{74, 17}, std::pair{110, 15}, std::pair{146, 16}}) {
        c.rect(x - 3, 92 - h + 5, x + 3, 92, K);
        c.oval(fx(x), fx(92 - h + 3), 2.5f, 2.8f, K);
        c.hline(x - 3, x + 2, 92 - h + 5, D2);
    }
    return c;
}

Canvas worn_canyon() {  // banded canyon walls worn by wind and water, and a frayed rope bridge
    Canvas c(kW, kH);
    Rng r(117);
    c.gradient(0, 0, kW, 56, {LB, SY, CR});
    // Far buttes in the haze, then a rock arch the wind has worn through.
    ridge(c, r, 46, 3, PK, 1);
    for (auto [x, w, top] : {std::tuple{48, 12, 34}, std::tuple{118, 16, 30}}) {
        c.rect(x - w / 2, top, x + w / 2, 50, PK);
        c.polygon({fx(x - w / 2 - 4), 50, fx(x - w / 2), fx(top + 4), fx(x - w / 2), 50}, PK);
        c.polygon({fx(x + w / 2 + 4), 50, fx(x + w / 2), fx(top + 4), fx(x + w / 2), 50}, PK);
        c.hline(x - w / 2, x + w / 2 - 1, top, CR);
    }
    {
        Canvas arch(kW, kH);
        arch.polygon({64, 58, 66, 36, 72, 29, 92, 29, 98, 36, 100, 58}, OR);
        for (int y = 0; y < 60; ++y)
            for (int x = 60; x < 104; ++x) {
                if (!arch.opaque(x, y) || std::hypot((fx(x) + 0.5f - 82) / 12, (fx(y) + 0.5f - 56) / 20) < 1) continue;
                uint8_t col = OR;
                if (y < 31 || (x < 68 && dither_on(x, y, 0.5f))) col = SN;
                else if (x > 94 || std::hypot((fx(x) + 0.5f - 82) / 13.5f, (fx(y) + 0.5f - 56) / 21.5f) < 1) col = R;
                if ((y + x / 8) % 6 == 0) col = col == SN ? TN : RD;
                c.put(x, y, col);
            }
    }
    ridge(c, r, 54, 3, OR, 2, PK, 0);
    // The river winding out toward us.
    c.gradient(0, 56, kW, kH, {R, RD, BN});
    for (int y = 56; y < kH; ++y) {
        const float t = fx(y - 56) / fx(kH - 56);
        const int cx = 82 + static_cast<int>(10 * std::sin(t * 4.0f)), w = 2 + static_cast<int>(t * t * 26);
        c.hline(cx - w, cx + w, y, (y % 3) ? TE : CY);
        c.put(cx - w, y, SY);
        c.put(cx + w, y, SY);
    }
    // The near walls, one worn ledge over another, in bands of coloured rock.
    const uint8_t bands[] = {R, OR, TN, RD, BN, OR, SN, R};
    auto wall = [&](int side) {
        for (int y = 0; y < kH; ++y) {
            const int ledge = (y / 9) % 2 ? 5 : 0;
            const int edge = 34 - y / 8 + ledge + static_cast<int>(3 * std::sin(fx(y) * 0.3f)) + (y > 70 ? (y - 70) / 2 : 0);
            for (int i = 0; i <= edge; ++i) {
                const int x = side ? kW - 1 - i : i;
                const int band = ((y + i / 6) / 5) % 8;
                uint8_t col = bands[band];
                if (i > edge - 2) col = side ? SN : BR;
                else if (side == 0 && dither_on(x, y, 0.3f)) col = band % 2 ? RD : BR;
                c.put(x, y, col);
            }
            if (y % 9 == 0 && ledge) {
                for (int i = 0; i < edge; ++i) c.put(side ? kW - 1 - i : i, y, side ? CR : TN);
            }
        }
    };
    wall(0);
    wall(1);
    for (int k = 0; k < 80; ++k) {
        const int x = r.range(kW), y = r.range(kH);
        const uint8_t at = c.at(x, y);
        if (at != TE && at != CY && at != SY && at != LB && at != CR && at != PK) c.put(x, y, r.chance(2) ? BR : SN);
    }
    // The bridge: rotten planks, and a gap where the ropes have worn through.
    const float x0 = 34, y0 = 26, x1 = 130, y1 = 24;
    auto deck = [&](float t) { return std::pair{x0 + (x1 - x0) * t, y0 + (y1 - y0) * t + 10 * 4 * t * (1 - t)}; };
    for (int s = 0; s <= 300; ++s) {
        const float t = fx(s) / 300;
        if (t > 0.52f && t < 0.66f) continue;
        const auto [x, y] = deck(t);
        c.put(static_cast<int>(x), static_cast<int>(y), BR);
        c.put(static_cast<int>(x), static_cast<int>(y) - 7, TN);
        if (s % 9 == 0 && !(s % 45 == 18)) {
            c.vline(static_cast<int>(x), static_cast<int>(y) - 1, static_cast<int>(y) + 1, BN);
            c.put(static_cast<int>(x) + 1, static_cast<int>(y), BN);
        }
        if (s % 30 == 0) c.vline(static_cast<int>(x), static_cast<int>(y) - 7, static_cast<int>(y), TN);
    }
    for (int side = 0; side < 2; ++side) {  // frayed ends hanging down
        const auto [x, y] = deck(side ? 0.66f : 0.52f);
        for (int k = 0; k < 18; ++k) {
            const int xx = static_cast<int>(x) + (side ? 1 : -1) * static_cast<int>(2 * std::sin(fx(k) * 0.4f)), yy = static_cast<int>(y) + k;
            c.put(xx, yy, TN);
            if (k < 12) c.put(xx + (side ? 2 : -2), yy - 5, BR);
        }
        c.put(static_cast<int>(x) - 1, static_cast<int>(y) + 18, SN);
        c.put(static_cast<int>(x) + 1, static_cast<int>(y) + 18, SN);
    }
    c.line(96, 44, 98, 49, BN);  // a plank falling away
    c.line(97, 44, 99, 49, BN);
    // Boulders in the water and a hawk overhead.
    for (auto [x, y] : {std::pair{70, 86}, std::pair{98, 90}, std::pair{84, 70}}) {
        c.oval(fx(x), fx(y), 4, 2.5f, BR);
        c.oval(fx(x) - 1, fx(y) - 1, 2.5f, 1.5f, BN);
        c.hline(x - 5, x + 5, y + 2, W);
    }
    c.line(74, 10, 78, 12, K);
    c.line(78, 12, 82, 10, K);
    c.line(72, 9, 74, 10, K);
    c.line(82, 10, 84, 9, K);
    return c;
}

Canvas stargazer_inn() {  // an inn on a hill with a dome for its telescope, under the river of stars
    Canvas c(kW, kH);
    Rng r(118);
    c.gradient(0, 0, kW, 80, {K, D1, NB, B});
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = std::abs(fx(y) - (66 - fx(x) * 0.42f)) / 1.09f;
            if (d < 16 && dither_on(x, y, (1 - d / 16) * 0.5f)) c.put(x, y, d < 6 ? LV : VI);
            if (d < 4 && dither_on(x + 1, y, (1 - d / 4) * 0.5f)) c.put(x, y, SY);
        }
    stars(c, r, 140, 74);
    for (int k = 0; k < 16; ++k) c.put(32 - k, 8 + k / 2, k < 5 ? W : (k < 10 ? SY : LB));
    // A constellation, joined up as the guests are shown it.
    const int cx[] = {104, 112, 121, 126, 134};
    const int cy[] = {10, 6, 9, 16, 13};
    for (int k = 0; k < 4; ++k) c.line(cx[k], cy[k], cx[k + 1], cy[k + 1], D2);
    for (int k = 0; k < 5; ++k) sparkle(c, cx[k], cy[k], 1, LB);
    // The hill, dark pines, the inn and its dome.
    hills(c, 72, 6, 0.03f, 0.5f, D1, D2);
    for (int x : {4, 12, 22, 146, 156}) pine(c, x, 76 + x % 3, 16 + x % 7, K, D1);
    inn(c, 86, 78, 34, BN, BR, D1, D2, YL, R, true);
    c.rect(97, 42, 111, 50, G2);
    c.hline(97, 110, 42, G3);
    for (int y = 30; y < 43; ++y)
        for (int x = 95; x < 114; ++x)
            if (std::hypot((fx(x) + 0.5f - 104) / 9, (fx(y) + 0.5f - 42) / 11) < 1) c.put(x, y, x < 101 ? W : G3);
    c.rect(103, 31, 106, 42, K);
    for (int k = 0; k < 4; ++k) c.line(104 - k, 34 - k, 99 - k, 26 - k, k < 2 ? GD : YL);
    c.rect(96, 26, 100, 28, GD);
    glow_spot(c, 89, 66, 8, D2);
    lantern(c, 89, 66, R, YL);
    // A stargazer and a small telescope on the slope.
    c.line(40, 84, 44, 76, K);
    c.line(48, 84, 44, 76, K);
    c.line(44, 76, 44, 84, K);
    c.rect(42, 72, 51, 75, G3);
    c.line(42, 72, 51, 66, G3);
    c.line(42, 73, 51, 67, GD);
    c.line(43, 74, 52, 68, G3);
    c.oval(33, 76, 2.5f, 2.5f, K);
    c.rect(30, 78, 36, 88, K);
    c.line(36, 80, 41, 74, K);
    // The path up, lit by small lanterns.
    c.gradient(0, 84, kW, kH, {D1, K});
    for (int y = 78; y < kH; ++y) {
        const float t = fx(y - 78) / fx(kH - 78);
        const int px = 94 - static_cast<int>(t * 30), w = 1 + static_cast<int>(t * 8);
        c.hline(px - w, px + w, y, y % 3 ? G1 : G2);
    }
    for (auto [x, y] : {std::pair{82, 84}, std::pair{112, 86}, std::pair{66, 92}}) {
        c.rect(x, y - 4, x + 3, y, G2);
        c.rect(x, y - 3, x + 3, y - 1, YL);
        c.put(x - 1, y - 5, G2);
        c.hline(x - 1, x + 3, y - 5, G2);
    }
    return c;
}

Canvas wild_gate() {  // a stone gate swallowed by the jungle, a beast's face on its lintel
    Canvas c(kW, kH);
    Rng r(119);
    c.gradient(0, 0, kW, kH, {K, DG, DG, K});
    for (int k = 0; k < 12; ++k) {
        const int x = r.range(kW), w = 3 + r.range(5);
        c.rect(x, 0, x + w, kH, k % 2 ? K : D1);
        c.vline(x, 0, kH - 1, k % 2 ? D1 : DG);
    }
    // Bright land through the gate.
    arch_fill(c, 56, 106, 44, 84, {LB, SY, LG, G});
    for (int y = 20; y < 84; ++y)
        for (int x = 56; x < 106; ++x) {
            if (!in_arch(x, y, 56, 106, 44, 84)) continue;
            if (y > 66 + static_cast<int>(2 * std::sin(fx(x) * 0.2f))) c.put(x, y, (x + y) % 4 ? G : LG);
            if (std::abs(fx(x) - 81 - fx(y - 40) * 0.3f) < 3 && dither_on(x, y, 0.5f)) c.put(x, y, CR);
        }
    round_tree(c, 66, 68, 5, BR, DG, G, LG);
    round_tree(c, 98, 67, 6, BR, DG, G, LG);
    // The pillars and the lintel.
    for (int x : {38, 106}) {
        c.rect(x, 24, x + 18, 88, OL);
        c.rect(x, 24, x + 2, 88, SN);
        c.rect(x + 15, 24, x + 18, 88, DG);
        for (int y = 34; y < 88; y += 10) c.hline(x, x + 17, y, DG);
        for (int y = 24; y < 88; y += 20) c.vline(x + 9, y, y + 9, DG);
    }
    c.rect(30, 10, 132, 26, OL);
    c.hline(30, 131, 10, SN);
    c.rect(30, 24, 132, 26, DG);
    for (int x = 34; x < 130; x += 12) c.vline(x, 11, 23, DG);
    // The beast's face.
    c.oval(81, 18, 14, 9, G1);
    c.oval(81, 17, 12, 7, G2);
    c.polygon({68, 12, 76, 14, 70, 16}, G1);
    c.polygon({94, 12, 86, 14, 92, 16}, G1);
    c.rect(74, 14, 78, 16, K);
    c.rect(84, 14, 88, 16, K);
    c.hline(75, 77, 15, R);
    c.hline(85, 87, 15, R);
    glow_spot(c, 76.5f, 15, 4, RD);
    glow_spot(c, 86.5f, 15, 4, RD);
    c.put(76, 15, YL);
    c.put(86, 15, YL);
    c.rect(72, 20, 91, 25, K);
    for (int x = 73; x < 91; x += 3) c.polygon({fx(x), 20, fx(x + 2), 20, fx(x) + 1, 23}, W);
    c.polygon({74, 25, 76, 25, 75, 21}, W);
    c.polygon({86, 25, 88, 25, 87, 21}, W);
    // Claw marks on the left pillar.
    for (int k = 0; k < 3; ++k) c.line(42 + k * 3, 44, 48 + k * 3, 58, K);
    // Moss over the stone, vines hanging from it, roots gripping its foot.
    for (int y = 8; y < 90; ++y)
        for (int x = 28; x < 134; ++x) {
            const uint8_t at = c.at(x, y);
            if ((at == OL || at == SN || at == DG) && dither_on(x, y, y < 14 ? 0.6f : 0.12f)) c.put(x, y, y < 14 ? G : DG);
        }
    for (int k = 0; k < 9; ++k) {
        const int x0 = 32 + k * 12 + r.range(4), len = 16 + r.range(40);
        for (int y = 24; y < 24 + len; ++y) {
            const int x = x0 + static_cast<int>(2 * std::sin(fx(y) * 0.18f + fx(k)));
            c.put(x, y, G);
            if (y % 6 == 0) {
                c.put(x + 1, y, LG);
                c.put(x + 2, y - 1, LG);
            }
        }
    }
    for (int k = 0; k < 6; ++k) {
        const int x = 36 + k * 18;
        c.line(x, 84, x - 4 + (k % 3) * 4, kH, BR);
        c.line(x + 1, 84, x - 3 + (k % 3) * 4, kH, BN);
    }
    // Great leaves and flowers in front, and eyes in the dark.
    c.gradient(0, 88, kW, kH, {DG, K});
    leaf(c, 0, 90, -0.6f, 30, 6, G, LG);
    leaf(c, 4, 96, -0.2f, 26, 5, DG, G);
    leaf(c, 163, 88, kPi + 0.6f, 30, 6, G, LG);
    leaf(c, 160, 97, kPi + 0.25f, 26, 5, DG, G);
    leaf(c, 0, 4, 0.5f, 26, 6, DG, G);
    leaf(c, 163, 6, kPi - 0.5f, 26, 6, DG, G);
    leaf(c, 20, 60, -1.2f, 20, 4, G, LG);
    leaf(c, 142, 62, kPi + 1.2f, 20, 4, G, LG);
    for (auto [x, y, col] : {std::tuple{14, 80, R}, std::tuple{26, 88, PK}, std::tuple{140, 84, YL}, std::tuple{150, 76, R}}) {
        for (int k = 0; k < 5; ++k) {
            const float a = fx(k) * 2 * kPi / 5;
            c.oval(fx(x) + std::cos(a) * 2, fx(y) + std::sin(a) * 2, 1.5f, 1.5f, col);
        }
        c.put(x, y, YL);
    }
    for (auto [x, y] : {std::pair{14, 40}, std::pair{146, 30}, std::pair{24, 22}}) {
        c.put(x, y, YL);
        c.put(x + 3, y, YL);
    }
    return c;
}

Canvas fistless_temple() {  // a quiet white temple: an open hand over its door, statues that lay down their fists
    Canvas c(kW, kH);
    Rng r(120);
    c.gradient(0, 0, kW, 64, {LB, SY, CR});
    cloud(c, 22, 12, 10, W, SY);
    cloud(c, 142, 8, 8, W, SY);
    c.rect(0, 64, kW, kH, G3);
    for (int y = 66; y < kH; y += 4) c.hline(0, kW - 1, y, G2);
    // Shafts of light.
    for (int y = 0; y < 64; ++y)
        for (int k = 0; k < 3; ++k) {
            const int x0 = 44 + k * 34 + y / 2;
            for (int x = x0; x < x0 + 8; ++x)
                if (dither_on(x, y, 0.2f)) c.put(x, y, W);
        }
    // The temple front.
    c.rect(26, 30, 138, 72, G2);
    c.gradient(30, 32, 134, 72, {G2, G3});
    arch_fill(c, 72, 92, 50, 72, {G1});
    arch_fill(c, 74, 90, 52, 72, {YL, CR});
    c.rect(78, 64, 86, 72, G3);
    c.rect(77, 63, 87, 65, W);
    c.oval(82, 60, 1.5f, 2, OR);
    for (int k = 0; k < 8; ++k) c.put(82 + static_cast<int>(std::sin(fx(k) * 0.9f) * 1.5f), 57 - k, G3);
    for (int x : {28, 46, 100, 118, 136}) pillar(c, x, 30, 72, 8, G3, W, W);
    for (int x : {28, 46, 100, 118, 136}) c.vline(x + 6, 32, 70, G3);
    c.rect(20, 24, 144, 31, W);
    c.hline(20, 143, 30, G3);
    for (int x = 22; x < 142; x += 6) c.rect(x, 26, x + 2, 29, G3);
    c.polygon({18, 24, 146, 24, 82, 4}, W);
    c.polygon({28, 22, 136, 22, 82, 7}, G3);
    c.hline(18, 145, 23, G2);
    // The open hand.
    c.oval(82, 18, 4.5f, 3.5f, GD);
    c.rect(78, 16, 87, 20, GD);
    for (int k = 0; k < 4; ++k) {
        const int x = 78 + k * 2 + (k > 1 ? 1 : 0), top = 10 + (k == 0 || k == 3 ? 2 : 0) - (k == 1 ? 1 : 0);
        c.rect(x, top, x + 2, 16, GD);
        c.put(x, top, YL);
    }
    c.line(77, 18, 75, 14, GD);
    c.line(78, 18, 76, 14, GD);
    c.vline(79, 16, 20, YL);
    // The steps.
    for (int k = 0; k < 6; ++k) {
        const int y = 72 + k * 4, w = 62 + k * 5;
        c.rect(82 - w, y, 82 + w, y + 4, k % 2 ? G3 : W);
        c.hline(82 - w, 82 + w, y + 3, G2);
    }
    // Two statues on plinths, their arms ending at the wrists.
    for (int x : {14, 150}) {
        c.rect(x - 6, 60, x + 7, 74, G3);
        c.rect(x - 7, 58, x + 8, 61, W);
        c.vline(x + 6, 61, 73, G2);
        c.oval(fx(x) + 0.5f, 39, 2.5f, 3, W);
        c.rect(x - 1, 41, x + 2, 44, G3);
        c.polygon({fx(x - 4), 44, fx(x + 5), 44, fx(x + 3), 52, fx(x - 2), 52}, W);
        c.polygon({fx(x - 2), 52, fx(x + 3), 52, fx(x + 5), 58, fx(x - 4), 58}, G3);
        c.line(x - 4, 45, x - 6, 49, W);
        c.line(x + 5, 45, x + 7, 49, G3);
        c.put(x - 6, 50, G2);
        c.put(x + 7, 50, G2);
        c.vline(x + 3, 45, 57, G3);
    }
    // Doves.
    for (auto [x, y] : {std::pair{56, 12}, std::pair{64, 8}, std::pair{110, 14}}) {
        c.line(x - 2, y - 2, x, y, W);
        c.line(x, y, x + 2, y - 2, W);
        c.put(x, y + 1, W);
    }
    return c;
}

Canvas gravity_well() {  // a bottomless well whose pull bends everything toward its throat
    Canvas c(kW, kH);
    Rng r(121);
    c.gradient(0, 0, kW, kH, {K, D1, D2});
    stars(c, r, 50, 40);
    // Stars near the lip pulled into arcs.
    for (int k = 0; k < 8; ++k) {
        const float rad = 60 + fx(r.range(30)), a0 = kPi + 0.3f + fx(r.range(20)) * 0.12f;
        for (int s = 0; s < 8; ++s) {
            const float a = a0 + fx(s) * 0.02f;
            c.put(static_cast<int>(81 + std::cos(a) * rad), static_cast<int>(60 + std::sin(a) * rad * 0.5f), s > 5 ? W : LB);
        }
    }
    // The funnel, ring within ring, sinking as it narrows.
    const uint8_t tones[] = {VI, D2, D2, D1, D1, K};
    for (int k = 0; k < 16; ++k) {
        const float f = std::pow(0.82f, fx(k));
        const float cy = 62 + (1 - f) * 8;
        c.oval(81, cy, 76 * f, 22 * f, tones[std::min(5, k / 3)]);
        ellipse_line(c, 81, cy, 76 * f, 22 * f, k < 6 ? LV : VI);
    }
    for (int a = 0; a < 16; ++a)
        for (int s = 0; s < 300; ++s) {
            const float t = fx(s) / 300 * 15;
            const float f = std::pow(0.82f, t), ang = fx(a) * kPi / 8 + t * 0.22f;
            c.put(static_cast<int>(81 + std::cos(ang) * 76 * f), static_cast<int>(62 + (1 - f) * 8 + std::sin(ang) * 22 * f), t < 6 ? VI : D2);
        }
    c.oval(81, 70, 4, 1.5f, K);
    ellipse_line(c, 81, 70, 6, 2, MG);
    ellipse_line(c, 81, 70, 8, 2.6f, D2);
    // The stone lip of the well.
    for (int y = 30; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float d = std::hypot((fx(x) + 0.5f - 81) / 78, (fx(y) + 0.5f - 62) / 24);
            if (d < 1 || d > 1.12f) continue;
            const float ang = std::atan2((fx(y) - 62) / 24, (fx(x) - 81) / 78);
            uint8_t col = d < 1.03f ? G3 : G2;
            if (static_cast<int>((ang + kPi) * 14) % 3 == 0) col = G1;
            if (y > 62 && d > 1.06f) col = col == G1 ? K : G1;
            c.put(x, y, col);
        }
    c.gradient(0, 88, kW, kH, {K, K});
    for (int y = 80; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (std::hypot((fx(x) + 0.5f - 81) / 78, (fx(y) + 0.5f - 62) / 24) > 1.12f && c.at(x, y) != G1) c.put(x, y, (x + y) % 5 ? K : D1);
    // Rocks, a bucket and its rope spiralling in.
    for (int k = 0; k < 8; ++k) {
        const float t = 1 + fx(k) * 1.6f, ang = fx(k) * 2.3f + t * 0.22f, f = std::pow(0.82f, t);
        const float x = 81 + std::cos(ang) * 76 * f, y = 62 + (1 - f) * 8 + std::sin(ang) * 22 * f - 6;
        for (int s = 1; s < 8; ++s) {
            const float a2 = ang - fx(s) * 0.05f, f2 = std::pow(0.82f, t - fx(s) * 0.06f);
            c.put(static_cast<int>(81 + std::cos(a2) * 76 * f2), static_cast<int>(62 + (1 - f2) * 8 + std::sin(a2) * 22 * f2 - 6), LV);
        }
        const float s = 2.5f * f + 0.8f;
        c.polygon({x - s, y, x, y - s, x + s, y - s * 0.3f, x + s * 0.6f, y + s * 0.8f}, G2);
        c.put(static_cast<int>(x - s * 0.3f), static_cast<int>(y - s * 0.5f), G3);
    }
    c.polygon({106, 42, 114, 42, 113, 50, 107, 50}, BN);
    c.hline(106, 113, 44, GD);
    c.hline(107, 112, 48, GD);
    c.oval(110, 42, 4, 1.2f, BR);
    for (int s = 0; s < 120; ++s) {
        const float t = fx(s) / 120;
        c.put(static_cast<int>(110 + std::cos(t * 5) * (12 - t * 10) * 1.6f - 16 * t), static_cast<int>(40 - std::sin(t * 5) * (12 - t * 10) * 0.5f + 24 * t), TN);
    }
    for (int k = 0; k < 6; ++k) {
        const int x = 20 + k * 25, y = 8 + (k * 13) % 20;
        c.rect(x, y, x + 3, y + 2, G1);
        c.put(x, y, G2);
        c.line(x + 4, y + 1, x + 7 + (81 - x) / 20, y + 4, D2);
    }
    return c;
}

Canvas silent_garden() {  // raked gravel, three stones, a lantern and a bamboo spout, all still
    Canvas c(kW, kH);
    Rng r(122);
    c.gradient(0, 0, kW, 40, {LB, SY, CR});
    // Trees over the wall and a maple turned red.
    for (int x = -4; x < kW; x += 14) round_tree(c, x + r.range(5), 34, 8 + r.range(3), BR, DG, G, G);
    c.rect(128, 14, 131, 32, BR);
    c.line(130, 18, 118, 10, BR);
    c.line(130, 20, 146, 12, BR);
    for (int k = 0; k < 40; ++k) {
        const int x = 112 + r.range(44), y = 2 + r.range(20);
        c.oval(fx(x), fx(y), 2, 1.5f, k % 3 ? R : OR);
    }
    // The earthen wall with its tiled cap.
    c.rect(0, 32, kW, 52, SN);
    for (int x = 0; x < kW; x += 2)
        for (int y = 33; y < 52; ++y)
            if (dither_on(x + (x * 7 % 5), y, 0.1f + fx(y - 33) * 0.012f)) c.put(x, y, TN);
    for (int x = 0; x < kW; x += 27) c.vline(x, 33, 51, TN);
    c.rect(0, 27, kW, 33, G1);
    c.hline(0, kW - 1, 27, G2);
    for (int x = 0; x < kW; x += 3) c.vline(x, 28, 32, G2);
    c.hline(0, kW - 1, 32, K);
    c.hline(0, kW - 1, 51, BN);
    // Raked gravel and the ripples round each stone.
    c.rect(0, 52, kW, kH, W);
    for (int y = 54; y < kH; y += 3) c.hline(0, kW - 1, y, G3);
    struct Stone {
        float x, y, rx, ry;
    };
    const Stone stones[] = {{46, 68, 9, 5}, {60, 72, 5, 3}, {118, 84, 11, 6}};
    for (const auto& s : stones) {
        c.oval(s.x, s.y + s.ry * 0.5f, s.rx + 14, (s.ry + 5) * 1.0f, W);
        for (int k = 1; k <= 4; ++k) ellipse_line(c, s.x, s.y + s.ry * 0.5f, s.rx + fx(k) * 3.2f, s.ry * 0.6f + fx(k) * 1.3f, G3);
    }
    for (const auto& s : stones) {
        c.oval(s.x, s.y, s.rx, s.ry, G1);
        c.oval(s.x - 1, s.y - 1, s.rx - 1.5f, s.ry - 1.2f, G2);
        c.oval(s.x - s.rx * 0.3f, s.y - s.ry * 0.5f, s.rx * 0.4f, s.ry * 0.3f, G3);
        c.oval(s.x + s.rx * 0.1f, s.y - s.ry * 0.7f, s.rx * 0.6f, s.ry * 0.35f, DG);
        c.oval(s.x, s.y - s.ry * 0.8f, s.rx * 0.4f, s.ry * 0.2f, G);
    }
    // A stone lantern.
    c.rect(16, 80, 30, 84, G2);
    c.rect(21, 66, 25, 80, G2);
    c.vline(21, 66, 79, G3);
    c.rect(16, 62, 30, 66, G2);
    c.rect(18, 54, 28, 62, G3);
    c.rect(20, 56, 26, 60, K);
    c.rect(21, 57, 25, 59, YL);
    c.polygon({12, 55, 34, 55, 28, 48, 18, 48}, G2);
    c.hline(12, 33, 54, G1);
    c.oval(23, 46, 2, 2.5f, G2);
    // A bamboo spout over a stone basin.
    c.oval(146, 78, 10, 4, G1);
    c.oval(146, 77, 8, 2.5f, TE);
    c.hline(141, 147, 76, CY);
    c.rect(134, 62, 136, 80, OL);
    c.rect(150, 62, 152, 74, OL);
    c.line(127, 58, 150, 66, OL);
    c.line(127, 57, 150, 65, LG);
    c.line(128, 59, 150, 67, OL);
    c.vline(150, 67, 75, SY);
    // One leaf falling, and nothing else moving.
    c.oval(86, 44, 1.5f, 1, R);
    c.put(87, 45, RD);
    return c;
}

Canvas abyss_attic() {  // a dusty attic whose floor has given way to a bottomless dark
    Canvas c(kW, kH);
    Rng r(123);
    c.fill(K);
    // The gable wall of planks and its round window.
    c.polygon({4, 74, 81, 4, 158, 74}, BR);
    for (int x = 6; x < 158; x += 6)
        for (int y = 0; y < 74; ++y)
            if (c.at(x, y) == BR) c.put(x, y, K);
    for (int y = 0; y < 74; ++y)
        for (int x = 0; x < kW; ++x)
            if (c.at(x, y) == BR && (x % 6 == 1) && dither_on(x, y, 0.5f)) c.put(x, y, BN);
    c.oval(81, 32, 9, 9, BN);
    c.oval(81, 32, 7, 7, NB);
    c.oval(78, 29, 3.5f, 3.5f, CR);
    c.oval(79.5f, 28, 3, 3, NB);
    c.hline(74, 88, 32, BN);
    c.vline(81, 25, 39, BN);
    // Moonlight falling from it, thick with dust.
    for (int y = 38; y < 86; ++y)
        for (int x = 0; x < kW; ++x) {
            const float t = fx(y - 38) / 48;
            if (std::abs(fx(x) - (79 - t * 22)) < 4 + t * 12 && dither_on(x, y, 0.22f)) c.put(x, y, D2);
        }
    // The slopes of the roof and their rafters, close overhead.
    c.polygon({0, 0, 76, 0, 0, 62}, BR);
    c.polygon({kW, 0, 86, 0, kW, 62}, BR);
    for (int k = 0; k < 6; ++k) {
        const float o = fx(k) * 14;
        c.line(static_cast<int>(76 - o), 0, 0, static_cast<int>(62 - o * 0.82f), BN);
        c.line(static_cast<int>(75 - o), 0, 0, static_cast<int>(61 - o * 0.82f), TN);
        c.line(static_cast<int>(86 + o), 0, kW, static_cast<int>(62 - o * 0.82f), BN);
        c.line(static_cast<int>(87 + o), 0, kW, static_cast<int>(61 - o * 0.82f), K);
    }
    c.rect(0, 0, kW, 3, BN);
    c.hline(0, kW - 1, 3, BR);
    // Cobwebs in the corners.
    for (auto [x, y, dx] : {std::tuple{24, 40, 1}, std::tuple{138, 40, -1}}) {
        for (int k = 0; k < 4; ++k) c.line(x, y, x + dx * (4 + k * 4), y + 12 - k * 4, G2);
        for (int k = 1; k < 4; ++k) c.line(x + dx * k * 3, y + 3 * k, x + dx * k * 4, y + k * 2 - 1, G3);
    }
    // A bare bulb on its cord.
    c.vline(81, 3, 14, G1);
    c.oval(81, 16, 2, 2.5f, G3);
    c.put(80, 15, W);
    // Floorboards running away from us.
    c.rect(0, 74, kW, kH, BN);
    for (int k = -12; k <= 12; ++k) c.line(81 + k * 4, 74, 81 + k * 16, kH - 1, BR);
    c.hline(0, kW - 1, 74, BR);
    // The hole, with splintered ends, and the dark that goes on below.
    std::vector<float> hole;
    for (int k = 0; k < 28; ++k) {
        const float a = fx(k) * 2 * kPi / 28, j = (k % 3 == 0) ? 0.82f : ((k % 3 == 1) ? 1.0f : 0.9f);
        hole.push_back(81 + std::cos(a) * 46 * j);
        hole.push_back(86 + std::sin(a) * 10 * j);
    }
    c.polygon(hole, K);
    for (int y = 74; y < kH; ++y)
        for (int x = 30; x < 134; ++x) {
            if (c.at(x, y) != K) continue;
            const float d = std::hypot((fx(x) - 81) / 40, (fx(y) - 88) / 8);
            if (d < 1 && dither_on(x, y, (1 - d) * 1.1f)) c.put(x, y, d < 0.35f ? (dither_on(x + 1, y, 0.5f) ? LV : VI) : (d < 0.65f ? D2 : D1));
        }
    for (int s = 0; s < 160; ++s) {  // a slow swirl far down
        const float a = fx(s) * 0.12f, d = fx(s) * 0.2f;
        const int x = static_cast<int>(81 + std::cos(a) * d * 1.2f), y = static_cast<int>(88 + std::sin(a) * d * 0.25f);
        if (c.at(x, y) == D1 || c.at(x, y) == D2) c.put(x, y, VI);
    }
    for (auto [x, y] : {std::pair{56, 86}, std::pair{104, 84}, std::pair{92, 91}}) {
        c.put(x, y, MG);
        c.put(x + 2, y, MG);
    }
    for (auto [x, y, len] : {std::tuple{48, 82, 6}, std::tuple{104, 77, 8}, std::tuple{78, 96, 5}, std::tuple{118, 88, 5}, std::tuple{62, 76, 5}}) {
        c.rect(x, y, x + 3, y + len, BN);
        c.put(x + 1, y + len, TN);
        c.vline(x, y, y + len - 1, TN);
    }
    // Forgotten things: crates, a trunk, a broken chair.
    for (auto [x, y] : {std::pair{6, 76}, std::pair{18, 76}, std::pair{12, 64}}) {
        c.rect(x, y, x + 12, y + 12, BN);
        c.frame(x, y, x + 12, y + 12, BR);
        c.line(x, y, x + 11, y + 11, BR);
    }
    c.rect(132, 70, 156, 84, BR);
    c.rect(132, 68, 156, 72, BN);
    c.hline(132, 155, 68, TN);
    for (int x : {136, 151}) c.vline(x, 68, 83, GD);
    c.rect(142, 73, 146, 76, GD);
    c.rect(118, 62, 121, 76, BR);
    c.rect(118, 70, 128, 72, BR);
    c.line(127, 72, 130, 80, BR);
    for (int k = 0; k < 30; ++k) {
        const int x = 40 + r.range(60), y = 40 + r.range(44);
        if (c.at(x, y) == D2 || c.at(x, y) == K) c.put(x, y, k % 3 ? G1 : CR);
    }
    return c;
}

Canvas first_summit() {  // dawn on the peak: the same humble ring as the first floor, above the clouds
    Canvas c(kW, kH);
    Rng r(124);
    c.gradient(0, 0, kW, 60, {NB, VI, PK, OR, YL});
    stars(c, r, 24, 14);
    sun(c, 128, 58, 10, CR, YL);
    for (int a = 0; a < 12; ++a) {
        const float ang = kPi + fx(a) * kPi / 11;
        for (int d = 16; d < 44; ++d)
            if (d % 4) c.put(128 + static_cast<int>(std::cos(ang) * fx(d)), 58 + static_cast<int>(std::sin(ang) * fx(d)), CR);
    }
    // The sea of clouds, and other peaks rising from it.
    c.polygon({10, 62, 24, 44, 38, 62}, LV);
    c.polygon({24, 44, 38, 62, 30, 62}, VI);
    c.polygon({140, 64, 152, 50, 163, 64}, LV);
    c.gradient(0, 58, kW, kH, {CR, PK, MG});
    for (int k = 0; k < 16; ++k) cloud(c, fx(r.range(kW)), fx(62 + r.range(30)), fx(12 + r.range(12)), k % 2 ? CR : W, PK);
    // The summit, lit from the side of the sunrise.
    c.polygon({-2, 98, 14, 86, 34, 76, 48, 67, 114, 67, 128, 74, 146, 86, 165, 98}, G1);
    for (int y = 67; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (c.at(x, y) != G1) continue;
            if (x > 104 - (y - 67) / 2 && dither_on(x, y, 0.5f)) c.put(x, y, TN);
            else if ((x + y * 2) % 13 == 0 || (x - y * 2 + 400) % 17 == 0) c.put(x, y, K);
        }
    c.hline(48, 113, 67, G2);
    // The first ring again: rope, stakes, a dummy, a flag and a chick.
    rope_ring(c, 80, 72, 27, 3.5f, 12, 4, SN, TN, BN, CR, false);
    dummy(c, 94, 73);
    c.vline(56, 50, 70, BR);
    c.polygon({57, 50, 68, 53, 57, 56}, R);
    rope_ring(c, 80, 72, 27, 3.5f, 12, 4, SN, TN, BN, CR, true);
    chick(c, 70, 72, 1);
    // A cairn of stones.
    for (int k = 0; k < 4; ++k) c.oval(126, fx(78 - k * 3), 4.5f - fx(k), 1.8f, k % 2 ? G2 : G3);
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

// The boss's lines are typed in pale green over the upper half of the room
// picture (rows 0..30 of these 64 x 64 pictures, once stretched), so both fight
// halls keep that band dark and quiet: the crowd sits in the shadow of the
// stands, the hall's vault is night. The bright arena starts below it.
constexpr int kSpeechRows = 31;

Canvas room_colosseum() {
    Canvas c(64, 64);
    Rng r(201);
    // Shadowed stands: a dark band with the crowd only as dim heads.
    c.gradient(0, 0, 64, kSpeechRows, {K, K, D1});
    for (int tier = 0; tier < 3; ++tier) {
        const int y0 = 9 + tier * 7;
        c.hline(0, 63, y0 + 6, tier == 2 ? D2 : D1);
        for (int x = 1 + tier % 2; x < 64; x += 3) {
            if (r.chance(3)) continue;
            c.rect(x, y0 + 3, x + 2, y0 + 6, tier == 2 ? D2 : D1);
            c.put(x, y0 + 2, D1);
        }
    }
    // Two lamps far up, small enough not to stand under a line of text.
    for (int x : {5, 58}) c.put(x, 3, NB);
    // The barrier wall with its banners, then the sand.
    c.rect(0, kSpeechRows, 64, 37, BR);
    for (int x = 0; x < 64; x += 8) c.rect(x + 1, 32, x + 6, 36, RD);
    c.hline(0, 63, kSpeechRows, K);
    c.hline(0, 63, 37, K);
    c.gradient(0, 38, 64, 64, {TN, SN, SN});
    ground_speckle(c, r, 39, 64, CR, TN, 60);
    c.oval(32, 52, 16, 5, TN);
    c.oval(32, 52, 14, 4, SN);
    return c;
}

Canvas room_final_hall() {
    Canvas c(64, 64);
    // A vault of night over the hall; the light comes from below.
    c.gradient(0, 0, 64, 42, {K, K, D1, D2});
    for (int x : {14, 30, 46}) {
        c.rect(x, 33, x + 5, 41, VI);
        c.rect(x + 1, 34, x + 4, 40, LV);
    }
    tile_floor(c, 42, RD, K, GD, 6);
    // Red carpet to the throne.
    for (int y = 42; y < 64; ++y) {
        const int w = 2 + (y - 42) / 2;
        c.hline(32 - w, 31 + w, y, R);
        c.put(32 - w, y, GD);
        c.put(31 + w, y, GD);
    }
    c.rect(27, kSpeechRows + 1, 37, 42, RD);
    c.rect(25, kSpeechRows, 39, kSpeechRows + 3, BR);
    c.rect(25, 38, 39, 42, GD);
    for (int x : {3, 55}) {
        c.rect(x, 0, x + 7, kSpeechRows, D1);
        pillar(c, x, kSpeechRows, 64, 7, BR, GD, YL);
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
    using Floor = Canvas (*)();
    static constexpr Floor kFloors[] = {
        sand_ring,        mud_ring,        alley_stadium,  moon_theatre,   sandstorm_arena, golden_stands,  champion_lounge,
        grand_arena,      vane_hall,       mirror_corridor, dragon_library, sealed_dungeon, clockwork_keep, cloud_inns,
        waning_moon_hall, haze_hall,       neon_market,    worn_canyon,    stargazer_inn,   wild_gate,      fistless_temple,
        gravity_well,     silent_garden,   abyss_attic,    first_summit};
    const Canvas small = floor >= 0 && floor < static_cast<int>(std::size(kFloors)) ? kFloors[floor]() : floor_default();
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
