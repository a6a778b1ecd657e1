#include "portraits.h"

#include <algorithm>
#include <cmath>

#include "rng.h"

namespace cggen {

namespace {

constexpr float kPi = 3.14159265f;

struct Scheme {
    uint8_t top, low, glow, ground, ground_hi;
    int motif;  // 0 none, 1 bricks, 2 leaves, 3 rock, 4 crystals, 5 windows, 6 lattice, 7 neon grid,
                // 8 paper screens, 9 clouds, 10 checker, 11 stars
};

const Scheme kSchemes[26] = {
    {BN, BR, TN, SN, CR, 1},   // 0 sand arena
    {B, NB, LB, G, LG, 9},     // 1 meadow
    {DG, K, G, BN, TN, 2},     // 2 forest edge
    {DG, K, TE, DG, G, 2},     // 3 deep forest
    {OL, D1, TE, DG, OL, 2},   // 4 swamp
    {G1, K, G2, BR, BN, 3},    // 5 cave mouth
    {D2, K, VI, D1, D2, 4},    // 6 crystal cave
    {RD, K, OR, BR, RD, 3},    // 7 magma
    {NB, K, TE, NB, TE, 3},    // 8 underground lake
    {OR, RD, YL, BN, TN, 5},   // 9 frontier town
    {B, NB, LB, G1, G2, 1},    // 10 castle town
    {NB, K, B, BR, BN, 11},    // 11 harbour night
    {TE, NB, SY, G1, G2, 9},   // 12 misty peaks
    {RD, D1, R, BR, BN, 6},    // 13 red temple
    {D1, K, RD, BR, RD, 6},    // 14 lantern night
    {MG, D2, OR, D1, MG, 7},   // 15 sunset boulevard
    {D1, K, MG, K, VI, 7},     // 16 neon downtown
    {D2, K, VI, G1, G2, 7},    // 17 freeway
    {B, NB, PK, BN, TN, 8},    // 18 castle and blossoms
    {NB, K, D2, G1, G2, 11},   // 19 shrine night
    {LB, B, SY, G3, W, 9},     // 20 snow peak
    {LB, B, SY, LB, W, 9},     // 21 above the clouds
    {B, NB, LB, G, LG, 9},     // 22 floating isles
    {D1, K, VI, G1, G2, 11},   // 23 storm
    {D2, K, MG, K, D2, 10},    // 24 strange tower
    {K, K, D2, K, D1, 11},     // 25 beyond
};

void fade_below(Canvas& sp, float from_px) {
    if (from_px >= static_cast<float>(sp.height())) return;
    const float span = std::max(1.0f, static_cast<float>(sp.height()) - from_px);
    for (int y = static_cast<int>(std::max(0.0f, from_px)); y < sp.height(); ++y) {
        const float t = (static_cast<float>(y) - from_px) / span;
        for (int x = 0; x < sp.width(); ++x)
            if (sp.opaque(x, y) && dither_on(x, y, t * 1.3f)) sp.put(x, y, kClear);
    }
}

void motif(Canvas& c, const Scheme& s, int x0, int y0, int x1, int y1, uint64_t seed, int cell) {
    Rng r(seed);
    const uint8_t line = s.low;
    switch (s.motif) {
        case 1:  // bricks
            for (int y = y0; y < y1; y += 3 * cell) {
                c.hline(x0, x1 - 1, y, line);
                const int off = ((y - y0) / (3 * cell)) % 2 ? 3 * cell : 0;
                for (int x = x0 + off; x < x1; x += 6 * cell) c.vline(x, y, std::min(y1 - 1, y + 3 * cell - 1), line);
            }
            break;
        case 2:  // leaves
            for (int k = 0; k < (x1 - x0) * (y1 - y0) / (40 * cell * cell); ++k) {
                const int x = x0 + r.range(x1 - x0), y = y0 + r.range(y1 - y0);
                c.oval(static_cast<float>(x), static_cast<float>(y), 2.5f * static_cast<float>(cell), 1.5f * static_cast<float>(cell), k % 3 ? s.low : s.glow);
            }
            break;
        case 3:  // rock teeth from the top
            for (int x = x0; x < x1; x += 5 * cell) {
                const int h = (2 + r.range(7)) * cell;
                c.polygon({static_cast<float>(x), static_cast<float>(y0), static_cast<float>(x + 5 * cell), static_cast<float>(y0),
                           static_cast<float>(x + 2 * cell + 1), static_cast<float>(y0 + h)},
                          s.low);
            }
            break;
        case 4:  // crystals
            for (int k = 0; k < 5; ++k) {
                const float x = static_cast<float>(x0 + r.range(x1 - x0)), y = static_cast<float>(y0 + (y1 - y0) / 2 + r.range((y1 - y0) / 2));
                const float h = static_cast<float>((6 + r.range(10)) * cell), w = static_cast<float>((2 + r.range(2)) * cell);
                c.polygon({x - w, y, x, y - h, x + w, y, x, y + 2}, k % 2 ? s.glow : VI);
                c.line(static_cast<int>(x), static_cast<int>(y - h + 1), static_cast<int>(x), static_cast<int>(y), LV);
            }
            break;
        case 5:  // far houses with lit windows
            for (int x = x0; x < x1; x += 9 * cell) {
                const int h = (8 + r.range(8)) * cell;
                c.rect(x, y1 - h, x + 8 * cell, y1, s.low);
                for (int wy = y1 - h + 2 * cell; wy < y1 - cell; wy += 4 * cell)
                    if (r.chance(2)) c.rect(x + 2 * cell, wy, x + 4 * cell, wy + 2 * cell, YL);
            }
            break;
        case 6:  // lattice
            for (int y = y0; y < y1; y += 6 * cell) c.hline(x0, x1 - 1, y, s.low);
            for (int x = x0; x < x1; x += 6 * cell) c.vline(x, y0, y1 - 1, s.low);
            for (int y = y0 + 3 * cell; y < y1; y += 6 * cell)
                for (int x = x0 + 3 * cell; x < x1; x += 6 * cell) c.rect(x - cell / 2, y - cell / 2, x + cell / 2 + 1, y + cell / 2 + 1, s.glow);
            break;
        case 7:  // neon grid floor lines
            for (int x = x0 - (x1 - x0); x < x1 * 2; x += 8 * cell) c.line((x0 + x1) / 2, y0 + (y1 - y0) / 3, x, y1, s.glow);
            for (int y = y0 + (y1 - y0) / 3; y < y1; y += std::max(2, (y - y0) / 3)) c.hline(x0, x1 - 1, y, s.glow);
            break;
        case 8:  // paper screens
            for (int x = x0; x < x1; x += 8 * cell) c.vline(x, y0, y1 - 1, s.low);
            for (int y = y0; y < y1; y += 10 * cell) c.hline(x0, x1 - 1, y, s.low);
            break;
        case 9:  // clouds
            for (int k = 0; k < 4; ++k) {
                const float x = static_cast<float>(x0 + r.range(x1 - x0)), y = static_cast<float>(y0 + r.range((y1 - y0) * 2 / 3));
                const float w = static_cast<float>((6 + r.range(6)) * cell);
                c.oval(x, y, w, w * 0.35f, s.glow);
                c.oval(x - w * 0.4f, y - w * 0.15f, w * 0.45f, w * 0.3f, s.glow);
                c.oval(x + w * 0.3f, y - w * 0.2f, w * 0.5f, w * 0.35f, s.glow);
            }
            break;
        case 10: {  // checker
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    if ((((x - x0) / (6 * cell)) + ((y - y0) / (6 * cell))) % 2) c.set(x, y, s.low);
            break;
        }
        case 11:  // stars
            for (int k = 0; k < (x1 - x0) * (y1 - y0) / (60 * cell * cell); ++k) {
                const int x = x0 + r.range(x1 - x0), y = y0 + r.range(y1 - y0);
                c.rect(x, y, x + cell, y + cell, r.chance(3) ? W : LB);
            }
            break;
        default:
            break;
    }
}

// Backdrop of a creature picture: wall or sky, a soft spotlight and the ground.
void backdrop(Canvas& c, int floor, uint64_t seed, int ground_y, int cell, float spot_cx, float spot_cy, float spot_r) {
    const Scheme& s = kSchemes[std::clamp(floor, 0, 25)];
    c.gradient(0, 0, c.width(), ground_y, {s.top, s.top, s.low});
    motif(c, s, 0, 0, c.width(), ground_y, seed, cell);
    // Spotlight: a dithered disc a shade lighter than the wall.
    for (int y = 0; y < ground_y; ++y)
        for (int x = 0; x < c.width(); ++x) {
            const float dx = (static_cast<float>(x) - spot_cx) / spot_r, dy = (static_cast<float>(y) - spot_cy) / spot_r;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < 1.0f && dither_on(x / cell, y / cell, (1.0f - d) * 1.6f - 0.3f)) c.put(x, y, s.glow);
        }
    c.gradient(0, ground_y, c.width(), c.height(), {s.ground_hi, s.ground, s.ground});
    c.hline(0, c.width() - 1, ground_y, s.low);
}

void ground_shadow(Canvas& c, float cx, float cy, float rx, float ry) {
    for (int y = static_cast<int>(cy - ry); y <= static_cast<int>(cy + ry); ++y)
        for (int x = static_cast<int>(cx - rx); x <= static_cast<int>(cx + rx); ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / rx, dy = (static_cast<float>(y) + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f && ((x + y) % 2 == 0 || dx * dx + dy * dy < 0.45f)) c.put(x, y, K);
        }
}

}  // namespace

int floor_culture(int floor) {
    if (floor <= 0) return kPlain;
    if (floor <= 4) return kNature;
    if (floor <= 8) return kCave;
    if (floor <= 11) return kTown;
    if (floor <= 14) return kChina;
    if (floor <= 17) return kLA;
    if (floor <= 20) return kJapan;
    if (floor <= 23) return kSky;
    return kTower;
}

void rays(Canvas& c, float cx, float cy, uint8_t a, uint8_t b, uint8_t edge, int count, float twist) {
    const float maxd = std::sqrt(static_cast<float>(c.width() * c.width() + c.height() * c.height()));
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const float dx = static_cast<float>(x) + 0.5f - cx, dy = static_cast<float>(y) + 0.5f - cy;
            const float d = std::sqrt(dx * dx + dy * dy);
            float ang = std::atan2(dy, dx) + twist * d / maxd;
            const int wedge = static_cast<int>(std::floor((ang + kPi) / (2 * kPi) * static_cast<float>(count) * 2));
            uint8_t col = (wedge % 2) ? a : b;
            if (dither_on(x, y, d / (maxd * 0.55f) - 0.25f)) col = edge;
            c.put(x, y, col);
        }
}

void sparkle(Canvas& c, int x, int y, int r, uint8_t col) {
    for (int k = -r; k <= r; ++k) {
        c.set(x + k, y, col);
        c.set(x, y + k, col);
    }
    c.set(x, y, W);
}

Canvas render_sprite(const Genome& g, int w, int h, float scale, float ox, float oy, Anchors* anchors) {
    Canvas sp(w, h);
    Painter p(sp, scale, ox, oy);
    Anchors a = draw_creature(p, g);
    draw_regalia(p, g, a);
    sp.outline(K);
    if (g.rank == kRare) sp.glow(YL, 1, false);
    if (g.rank == kApostle) sp.glow(LV, scale > 1.5f ? 3 : 2, true);
    if (g.rank == kBoss) sp.glow(g.accent.light(), scale > 1.5f ? 2 : 1, true);
    fade_below(sp, p.to_py(a.fade_y));
    if (anchors) *anchors = a;
    return sp;
}

Genome portrait_genome(const Genome& genome, int floor) {
    Genome g = genome;
    if (g.rank == kNormal || g.rank == kMaster) {
        const Scheme& s = kSchemes[std::clamp(floor, 0, 25)];
        ensure_contrast(g, g.rank == kMaster ? luma(R) : (luma(s.top) + luma(s.glow)) / 2);
    }
    return g;
}

Canvas enemy_portrait(const Genome& genome, int floor, uint64_t seed) {
    Canvas c(64, 64);
    const Genome g = portrait_genome(genome, floor);
    Anchors a;
    Canvas sp = render_sprite(g, 64, 64, 1.0f, 0.0f, 0.0f, &a);
    if (g.rank == kNormal && keeps_its_colours(g)) {
        // A dark animal on a dark floor: a thin rim of light keeps its shape.
        const Scheme& s = kSchemes[std::clamp(floor, 0, 25)];
        const float bg = (luma(s.top) + luma(s.glow)) / 2;
        if (bg < 0.45f && luma(g.body.base()) < bg + 0.2f) sp.glow(G3, 1, false);
    }
    switch (g.rank) {
        case kRare:
            rays(c, 32, 30, GD, BN, BR, 10, 0.0f);
            break;
        case kMaster:
            rays(c, 32, 30, R, RD, D1, 8, 0.0f);
            c.gradient(0, 56, 64, 64, {RD, D1});
            break;
        case kApostle:
            rays(c, 32, 30, D2, D1, K, 6, 2.5f);
            break;
        default:
            backdrop(c, floor, seed, 55, 1, 32, a.head_y + 6, 30);
            break;
    }
    if (a.grounded) ground_shadow(c, 32, 59.5f, a.ground_w * g.size + 2, 2.5f);
    c.blit(sp, 0, 0);
    if (g.rank == kRare) {
        Rng r(seed);
        for (int k = 0; k < 5; ++k) sparkle(c, 4 + r.range(56), 4 + r.range(40), 1 + r.range(2), YL);
    }
    if (g.rank == kApostle) {
        Rng r(seed);
        for (int k = 0; k < 8; ++k) c.set(2 + r.range(60), 2 + r.range(60), PK);
    }
    c.frame(0, 0, 64, 64, K);
    if (g.rank == kMaster) c.frame(1, 1, 63, 63, GD);
    if (g.rank == kApostle) c.frame(1, 1, 63, 63, VI);
    return c;
}

Canvas boss_portrait(const Genome& genome, int floor, uint64_t) {
    Canvas c(64, 64);
    const Scheme& s = kSchemes[std::clamp(floor, 0, 25)];
    Genome g = genome;
    ensure_contrast(g, (luma(s.top) + luma(s.glow)) / 2);
    Anchors a;
    // A quarter larger than an ordinary foe, standing on the frame's lower edge.
    Canvas sp = render_sprite(g, 64, 64, 1.25f, 6.4f, 4.0f, &a);
    rays(c, 32, (a.head_y - 4.0f) * 1.25f, s.glow, s.top, s.low, 9, 0.6f);
    c.gradient(0, 57, 64, 64, {s.ground_hi, s.ground});
    if (a.grounded) ground_shadow(c, 32, 67.5f, (a.ground_w * g.size + 3) * 1.25f, 2.5f);
    c.blit(sp, 0, 0);
    // Gilded frame with corner studs.
    c.frame(0, 0, 64, 64, K);
    c.frame(1, 1, 63, 63, GD);
    c.frame(2, 2, 62, 62, BR);
    for (int k = 0; k < 4; ++k) {
        const int x = k % 2 ? 59 : 2, y = k / 2 ? 59 : 2;
        c.rect(x, y, x + 3, y + 3, YL);
        c.put(x + 1, y + 1, W);
    }
    return c;
}

Canvas boss_big(const Genome& genome, int floor, uint64_t seed) {
    Canvas c(100, 200);
    const Scheme& s = kSchemes[std::clamp(floor, 0, 25)];
    Genome g = genome;
    ensure_contrast(g, (luma(s.top) + luma(s.glow)) / 2);
    Anchors a;
    // Twice the portrait size: head and chest fill the upper square that the game blows up.
    Canvas sp = render_sprite(g, 100, 200, 2.0f, 7.0f, 0.0f, &a);
    rays(c, 50, a.head_y * 2, s.glow, s.top, s.low, 11, 0.8f);
    Rng r(seed);
    // The stage below: stone steps, braziers and a hanging banner.
    const int stage = 120;
    c.gradient(0, stage, 100, 200, {s.ground_hi, s.ground, s.low, K});
    for (int k = 0; k < 5; ++k) {
        const int y = stage + 8 + k * 15;
        c.hline(0, 99, y, K);
        c.hline(0, 99, y + 1, s.ground_hi);
    }
    if (a.grounded) ground_shadow(c, 50, 120, (a.ground_w * g.size + 2) * 2, 5);
    c.blit(sp, 0, 0);
    // Braziers.
    for (int side = 0; side < 2; ++side) {
        const int x = side ? 86 : 14;
        c.rect(x - 3, 150, x + 4, 190, G1);
        c.rect(x - 2, 150, x, 190, G2);
        c.rect(x - 7, 144, x + 8, 151, G2);
        c.hline(x - 7, x + 7, 144, G3);
        c.oval(static_cast<float>(x) + 0.5f, 138, 6, 8, R);
        c.oval(static_cast<float>(x) + 0.5f, 140, 4, 5, OR);
        c.oval(static_cast<float>(x) + 0.5f, 142, 2, 3, YL);
    }
    // Banner in the champion's colours.
    c.rect(40, 150, 60, 186, g.accent.base());
    c.rect(40, 150, 42, 186, g.accent.shadow());
    c.rect(58, 150, 60, 186, g.accent.shadow());
    c.polygon({40, 186, 60, 186, 50, 196}, g.accent.base());
    c.rect(38, 148, 62, 151, GD);
    c.oval(50, 166, 5, 5, GD);
    c.oval(50, 166, 3, 3, g.body.base());
    c.frame(0, 0, 100, 200, K);
    return c;
}

Canvas monster_picture(const Genome& genome, uint64_t seed) {
    Canvas c(20, 20);
    Rng r(seed);
    // A plain field and one thin ring: at 20 x 20 anything busier fights the creature. The
    // creature keeps its colours; the field is dark behind a light creature and light behind a
    // dark one.
    const Genome& g = genome;
    static const uint8_t dark_fields[][2] = {{NB, B}, {D1, VI}, {K, TE}, {BR, RD}, {K, G1}, {DG, G}, {D2, MG}, {NB, TE}};
    static const uint8_t light_fields[][2] = {{SY, LB}, {CR, SN}, {G3, W}, {LV, W}, {SK, CR}, {LG, CR}};
    const bool light_body = luma(g.body.base()) >= 0.45f;
    const uint8_t* f = light_body ? dark_fields[r.range(8)] : light_fields[r.range(6)];
    c.fill(f[0]);
    c.oval(10, 10, 9.5f, 9.5f, f[1]);
    c.oval(10, 10, 8.6f, 8.6f, f[0]);
    // Fit the creature's own extent into the frame, so small creatures are not lost; the body's
    // axis stays on the middle pixel edge so both halves match.
    Canvas probe(64, 64);
    Painter pp(probe, 1.0f, 0.0f, 0.0f);
    draw_creature(pp, g);
    int x0 = 64, y0 = 64, x1 = -1, y1 = -1;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (probe.opaque(x, y)) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    float scale = 20.0f / 56.0f, ox = 4.0f, oy = 6.0f;
    if (x1 >= x0) {
        const float half = std::max(32.0f - static_cast<float>(x0), static_cast<float>(x1 + 1) - 32.0f);
        const float tall = static_cast<float>(y1 + 1 - y0);
        scale = std::clamp(std::min(18.0f / (2.0f * half), 18.0f / tall), 0.28f, 0.5f);
        ox = 32.0f - 10.0f / scale;
        oy = (static_cast<float>(y0) + static_cast<float>(y1 + 1)) / 2.0f - 10.0f / scale;
    }
    Anchors a;
    Canvas sp = render_sprite(g, 20, 20, scale, ox, oy, &a);
    // A second, diagonal ink line makes the silhouette bold enough to read at this size.
    sp.outline(K, true);
    c.blit(sp, 0, 0);
    return c;
}

Canvas default_boss_big() {
    Canvas c(100, 200);
    rays(c, 50, 40, RD, D1, K, 12, 1.2f);
    Genome g = genome_from("", "", 0x0202ull, kTower, -1, -1);
    g.arch = Arch::Human;
    g.sub = human::Demon;
    g.size = 1.05f;
    g.wings = 2;
    g.weapon = 0;
    g.eye_col = PK;
    Canvas sp(100, 200);
    Painter p(sp, 2.0f, 7.0f, 0.0f);
    draw_creature(p, g);
    // A silhouette: only the burning eyes keep their colour.
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 100; ++x) {
            const uint8_t v = sp.at(x, y);
            if (v == kClear) continue;
            sp.put(x, y, (v == PK || v == W) ? v : D1);
        }
    sp.outline(K);
    sp.glow(RD, 2, true);
    c.gradient(0, 120, 100, 200, {D1, K});
    c.blit(sp, 0, 0);
    c.frame(0, 0, 100, 200, K);
    return c;
}

}  // namespace cggen
