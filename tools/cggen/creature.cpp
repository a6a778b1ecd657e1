#include "creature.h"

#include <algorithm>
#include <cmath>

#include "rng.h"

namespace cggen {

using namespace ramps;

namespace {

constexpr float kPi = 3.14159265f;

void sym(Painter& p, bool on) { p.set_symmetric(on, 32.0f); }

// Ellipse clipped from below (domes, caps).
void dome(Painter& p, float cx, float cy, float rx, float ry, float floor_v, const Ramp& r) {
    p.part(
        cx - rx, cy - ry, cx + rx, std::min(cy + ry, floor_v),
        [=](float u, float v) {
            const float dx = (u - cx) / rx, dy = (v - cy) / ry;
            return v <= floor_v && dx * dx + dy * dy <= 1.0f;
        },
        [=](float u, float v) {
            const float dx = (u - cx) / rx, dy = (v - cy) / ry;
            return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
        },
        r, Shade::Round);
}

// A fan of feathers or a bat's membrane, drawn on the left and mirrored.
void wings(Painter& p, float sx, float sy, float span, int style, const Ramp& r) {
    sym(p, true);
    if (style == 1) {
        const float lens[5] = {1.0f, 0.92f, 0.8f, 0.66f, 0.5f};
        for (int k = 4; k >= 0; --k) {
            const float ang = (140.0f + 17.0f * static_cast<float>(k)) * kPi / 180.0f;
            const float L = span * lens[k];
            const float tx = sx + std::cos(ang) * L, ty = sy - std::sin(ang) * L;
            p.capsule(sx, sy, 3.4f * span / 26, tx, ty, 1.7f * span / 26, r);
        }
    } else {
        const float k = span / 26.0f;
        std::vector<float> pts = {sx,          sy - 2 * k,  sx - 10 * k, sy - 15 * k, sx - 26 * k, sy - 11 * k,
                                  sx - 25 * k, sy + 4 * k,  sx - 19 * k, sy + 1 * k,  sx - 15 * k, sy + 9 * k,
                                  sx - 9 * k,  sy + 3 * k,  sx - 4 * k,  sy + 8 * k};
        p.poly(pts, r, Shade::Flat);
        p.set_contour(false);
        p.capsule(sx, sy - 2 * k, 1.3f * k, sx - 10 * k, sy - 15 * k, 1.1f * k, r);
        p.capsule(sx - 10 * k, sy - 15 * k, 1.1f * k, sx - 26 * k, sy - 11 * k, 0.7f * k, r);
        p.set_contour(true);
        p.mark_line(sx - 10 * k, sy - 15 * k, sx - 19 * k, sy + 1 * k, r.contour());
        p.mark_line(sx - 10 * k, sy - 15 * k, sx - 9 * k, sy + 3 * k, r.contour());
        p.mark_line(sx - 26 * k, sy - 11 * k, sx - 25 * k, sy + 4 * k, r.contour());
    }
    sym(p, false);
}

void horns(Painter& p, float hx, float htop, float hr, int style, const Ramp& r) {
    if (style <= 0) return;
    sym(p, true);
    const float bx = hx - hr * 0.55f, by = htop + hr * 0.35f;
    if (style == 1) {
        p.capsule(bx, by, hr * 0.28f, bx - hr * 0.25f, by - hr * 0.75f, hr * 0.08f, r);
    } else if (style == 2) {
        p.tube(bx, by, bx - hr * 1.2f, by - hr * 0.2f, bx - hr * 0.9f, by - hr * 1.2f, hr * 0.3f, hr * 0.07f, r);
    } else {
        p.tube(bx, by, bx - hr * 0.4f, by - hr * 1.3f, bx - hr * 0.2f, by - hr * 2.1f, hr * 0.28f, hr * 0.08f, r);
    }
    sym(p, false);
}

void tail(Painter& p, float x0, float y0, float x1, float y1, float r0, const Ramp& r, bool spade) {
    p.tube(x0, y0, x1 + 6, y0 + 6, x1, y1, r0, r0 * 0.35f, r);
    if (spade) p.poly({x1 - 3, y1 + 1, x1, y1 - 5, x1 + 3, y1 + 1, x1, y1 + 2}, r, Shade::Flat);
}

// ------------------------------------------------------------------ blobs

Anchors draw_frog(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    sym(p, true);
    p.ellipse(32 - 15 * z, 53, 7.5f * z, 6 * z, g.body);
    p.ellipse(32 - 19 * z, 59, 5 * z, 1.8f, g.body);
    sym(p, false);
    dome(p, 32, 47, 19 * z, 14 * z, 59, g.body);
    p.set_contour(false);
    p.ellipse(32, 52, 11 * z, 6.5f * z, g.belly, Shade::Plain);
    p.set_contour(true);
    if (g.pattern == 2) {
        p.dot(22, 42, 1.8f, g.body.shadow());
        p.dot(41, 40, 1.4f, g.body.shadow());
        p.dot(36, 45, 1.1f, g.body.shadow());
    }
    sym(p, true);
    p.capsule(32 - 8 * z, 50, 2.6f * z, 32 - 10 * z, 57.5f, 2.2f * z, g.body);
    p.ellipse(32 - 10.5f * z, 59, 4 * z, 1.6f, g.body);
    p.ellipse(32 - 9 * z, 34, 6.2f * z, 6 * z, g.body);
    p.eye(32 - 9 * z, 33.5f, 3.6f * z, g.eye_style == 3 ? 3 : (g.eye_style == 2 ? 2 : 1), g.eye_col);
    sym(p, false);
    // A wide grin from cheek to cheek.
    const int y = p.py(44.5f);
    for (int i = p.px(21); i <= p.px(43); ++i) {
        const float t = (p.ux(i) - 32) / 11;
        p.canvas().put(i, y + static_cast<int>(std::round((1 - t * t) * 2.0f * p.scale())), K);
    }
    p.dot(30, 40.5f, 0.6f, K);
    p.dot(34, 40.5f, 0.6f, K);
    a.head_x = 32;
    a.head_top = 28;
    a.head_y = 38;
    a.head_r = 12;
    a.ground_w = 20;
    horns(p, 32, 33, 12, g.horns, g.extra);
    return a;
}

// The garbage room's cleaner: a round gobbler in a cap, mouth wide open.
Anchors draw_gobbler(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    sym(p, false);
    dome(p, 32, 42, 20 * z, 18 * z, 59, g.body);
    p.ellipse(32, 47, 12 * z, 8 * z, dark, Shade::Plain);
    p.set_contour(false);
    p.ellipse(32, 51, 7 * z, 3.5f * z, red, Shade::Plain);
    p.set_contour(true);
    sym(p, true);
    p.mark_poly({32 - 9 * z, 40, 32 - 6 * z, 40, 32 - 7.5f * z, 43}, W);
    p.eye(32 - 6.5f * z, 34, 2.8f * z, 0, g.eye_col);
    sym(p, false);
    p.part(12, 16, 52, 31, [=](float u, float v) {
        const float dx = (u - 32) / (15 * z), dy = (v - 30) / (12 * z);
        return dx * dx + dy * dy <= 1.0f && v <= 29;
    }, nullptr, blue, Shade::Round);
    p.rrect(32 - 17 * z, 27, 32 + 12 * z, 30.5f, 1.2f, blue, Shade::Flat);
    a.head_top = 18;
    a.head_y = 36;
    a.head_r = 14;
    a.ground_w = 20;
    return a;
}

Anchors draw_blob(Painter& p, const Genome& g) {
    if (g.sub == 3) return draw_frog(p, g);
    if (g.sub == 4) return draw_gobbler(p, g);
    Anchors a;
    const float z = g.size;
    const float rx = 21 * z, ry = (g.sub == 2 ? 20 : 17) * z;
    const float cx = 32, cy = (g.sub == 2 ? 52 : 59) - ry * 0.86f;
    sym(p, false);
    if (g.sub == 1) {  // spiky
        for (int k = -3; k <= 3; ++k) {
            const float ang = -kPi / 2 + static_cast<float>(k) * 0.42f;
            const float bx = cx + std::cos(ang) * rx * 0.8f, by = cy + std::sin(ang) * ry * 0.8f;
            const float tx = cx + std::cos(ang) * (rx + 8 * z), ty = cy + std::sin(ang) * (ry + 8 * z);
            const float nx = -std::sin(ang) * 3.5f * z, ny = std::cos(ang) * 3.5f * z;
            p.poly({bx + nx, by + ny, tx, ty, bx - nx, by - ny}, g.accent, Shade::Flat);
        }
    }
    if (g.sub == 2) {  // jelly with hanging tentacles
        for (int k = 0; k < 4; ++k) {
            const float x = cx - 12 * z + static_cast<float>(k) * 8 * z;
            const float w = (k % 2 ? 3.0f : -3.0f);
            p.tube(x, cy + ry * 0.5f, x + w, 54, x - w * 0.5f, 60, 2.6f * z, 1.0f, g.body);
        }
    }
    dome(p, cx, cy, rx, ry, g.sub == 2 ? cy + ry * 0.75f : 59.0f, g.body);
    if (g.sub != 2) {
        p.ellipse(cx - rx * 0.55f, 58.2f, 3.5f * z, 1.8f, g.body);
        p.ellipse(cx + rx * 0.4f, 58.4f, 2.5f * z, 1.6f, g.body);
    }
    if (g.pattern == 2) {
        p.set_contour(false);
        p.ellipse(cx + rx * 0.45f, cy + ry * 0.15f, 3 * z, 2.5f * z, g.belly, Shade::Plain);
        p.ellipse(cx - rx * 0.2f, cy + ry * 0.55f, 2 * z, 1.6f * z, g.belly, Shade::Plain);
        p.set_contour(true);
    }
    // Gloss.
    p.dot(cx - rx * 0.5f, cy - ry * 0.45f, 2.2f * z, g.body.light());
    p.dot(cx - rx * 0.55f, cy - ry * 0.52f, 1.0f * z, W);
    if (g.sub == 2) {
        // Core inside the jelly.
        p.set_contour(false);
        p.ellipse(cx, cy + 2, 5 * z, 5 * z, g.accent);
        p.set_contour(true);
    }
    sym(p, true);
    const float ey = cy - (g.sub == 2 ? 4 : 0) * z;
    p.eye(cx - 6.5f * z, ey, 3.2f * z, g.eye_style, g.eye_col);
    sym(p, false);
    p.mouth(cx, ey + 7 * z, 4 * z, g.mouth);
    a.head_x = cx;
    a.head_top = cy - ry;
    a.head_y = cy;
    a.head_r = rx * 0.6f;
    a.ground_w = rx;
    if (g.sub == 2) a.grounded = false;
    horns(p, cx, cy - ry + 2, rx * 0.55f, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ beasts

Anchors draw_beast(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    const bool big_head = s == beast::Bear || s == beast::Elephant || s == beast::Monkey;
    const float hy = 28 - (z - 1) * 8, hr = (big_head ? 13.5f : s == beast::Deer ? 11.0f : 12.5f) * z;
    // Sheep are wool with a dark face; the face keeps the body colour's darkest tones.
    const Ramp wool = g.body;
    const Ramp face = s == beast::Sheep ? (luma(g.body.base()) > 0.55f ? ramps::dark : ramps::tan) : g.body;
    // Tail behind.
    sym(p, false);
    switch (s) {
        case beast::Rat: p.tube(42, 52, 58, 56, 55, 34, 1.6f * z, 0.8f, g.belly); break;
        case beast::Rabbit:
        case beast::Deer: p.ellipse(46, 51, 4.5f * z, 4 * z, ramps::white); break;
        case beast::Lion:
        case beast::Cat: p.tube(42, 50, 60, 52, 54, 32, 2.4f * z, 1.6f, g.body); break;
        case beast::Wolf:
            // A long bushy brush, held low.
            p.tube(42, 48, 60, 46, 60, 58, 4.6f * z, 2.4f, g.body);
            p.ellipse(59, 58, 2.6f, 2.2f, g.belly);
            break;
        case beast::Dog: p.tube(42, 48, 56, 48, 52, 34, 2.6f * z, 1.6f, g.body); break;  // wagging up
        case beast::Monkey: p.tube(42, 52, 62, 58, 58, 30, 1.8f * z, 1.2f, g.body); break;  // long curl
        case beast::Elephant: p.tube(44, 44, 50, 50, 49, 54, 1.0f, 0.8f, g.body); break;
        case beast::Sheep: p.ellipse(46, 46, 4 * z, 4 * z, wool); break;
        default: break;
    }
    if (g.wings) wings(p, 26, 38, 24 * z, g.wings, g.extra);
    // Haunches and body.
    sym(p, true);
    if (s == beast::Sheep) {
        // A fleece of round tufts.
        for (int k = 0; k < 3; ++k) p.ellipse(32 - 8 * z - k * 2.0f, 42 + k * 5.0f, 6.5f * z, 6 * z, wool);
        sym(p, false);
        p.ellipse(32, 45, 15 * z, 12 * z, wool);
        for (int k = 0; k < 5; ++k) {
            const float ang = static_cast<float>(k) * 2 * kPi / 5 + 0.3f;
            p.dot(32 + std::cos(ang) * 8 * z, 45 + std::sin(ang) * 6 * z, 1.1f, wool.shadow());
        }
    } else {
        p.ellipse(32 - 9 * z, 50, (s == beast::Elephant ? 9.5f : 8.0f) * z, 8 * z, g.body);
        sym(p, false);
        p.ellipse(32, 46, (s == beast::Elephant ? 17.0f : 15.0f) * z, (s == beast::Deer ? 10.0f : 12.0f) * z, g.body);
    }
    if (g.pattern == 1 && s != beast::Sheep && s != beast::Elephant) {
        for (int k = -1; k <= 1; ++k) p.mark_line(32 + 7.0f * k * z, 38, 32 + 6.0f * k * z, 44, g.body.contour());
    }
    if (s == beast::Deer) {
        // The fawn's spots.
        for (int k = 0; k < 6; ++k) p.dot(24 + (k % 3) * 8.0f + (k / 3) * 3.0f, 39 + (k / 3) * 4.0f, 1.1f, W);
    }
    p.set_contour(true);
    if (s != beast::Sheep && s != beast::Elephant) p.ellipse(32, 49, 7 * z, 8 * z, s == beast::Monkey ? ramps::skin : g.belly);
    // Front legs: thin for deer, pillars for elephants, dark stockings for sheep.
    sym(p, true);
    const float lx = 32 - 7.5f * z;
    const Ramp legs = s == beast::Sheep ? face : g.body;
    const float lw = (s == beast::Deer || s == beast::Sheep ? 2.4f : s == beast::Elephant ? 4.8f : 3.8f) * z;
    p.capsule(lx, 44, lw, lx - 0.5f, 56, lw * 0.9f, legs);
    if (s == beast::Deer || s == beast::Sheep) {
        p.ellipse(lx - 0.6f, 58.2f, 2.8f * z, 2.0f, ramps::dark);
    } else {
        p.ellipse(lx - 0.8f, 58.2f, (s == beast::Elephant ? 5.4f : 4.4f) * z, 2.4f, s == beast::Monkey ? ramps::skin : g.body);
    }
    if (s == beast::Elephant) {
        for (int k = 0; k < 3; ++k) p.dot(lx - 3 + k * 2.5f, 59.2f, 0.7f, W);
    } else if (s != beast::Bear && s != beast::Boar && s != beast::Deer && s != beast::Sheep) {
        p.mark_line(lx - 2.2f, 58.5f, lx - 2.2f, 59.5f, g.body.contour());
        p.mark_line(lx + 0.6f, 58.5f, lx + 0.6f, 59.5f, g.body.contour());
    }
    // Mane.
    if (s == beast::Lion) {
        sym(p, false);
        std::vector<float> pts;
        for (int k = 0; k < 18; ++k) {
            const float ang = static_cast<float>(k) * 2 * kPi / 18;
            const float rr = (k % 2 ? 15.5f : 20.0f) * z;
            pts.push_back(32 + std::cos(ang) * rr);
            pts.push_back(hy + 2 + std::sin(ang) * rr * 0.95f);
        }
        p.poly(pts, g.accent, Shade::Flat);
    }
    // Ears.
    sym(p, true);
    const float ex = 32 - hr * 0.62f, ey = hy - hr * 0.6f;
    switch (s) {
        case beast::Wolf:
            // Tall and set wide, with a ruff of fur at the cheeks.
            p.poly({ex - 5.5f * z, ey + 3, ex - 3 * z, ey - 11 * z, ex + 3.5f * z, ey + 1}, g.body, Shade::Flat);
            p.mark_poly({ex - 3.2f * z, ey + 1.5f, ex - 2.6f * z, ey - 7 * z, ex + 1.0f * z, ey + 0.5f}, g.belly.base());
            p.poly({32 - hr - 3, hy + 1, 32 - hr + 2, hy - 3, 32 - hr + 3, hy + 7, 32 - hr - 2, hy + 6}, g.body, Shade::Flat);
            break;
        case beast::Cat:
            // Small triangles on a round head.
            p.poly({ex - 3.5f * z, ey + 3, ex - 1.5f * z, ey - 6 * z, ex + 4.0f * z, ey + 1.5f}, g.body, Shade::Flat);
            p.mark_poly({ex - 1.8f * z, ey + 1.5f, ex - 1.2f * z, ey - 3 * z, ex + 1.5f * z, ey + 1.0f}, PK);
            break;
        case beast::Dog:
            // Floppy ears hanging by the cheeks.
            p.capsule(32 - hr * 0.8f, hy - hr * 0.5f, 3.2f * z, 32 - hr - 1.5f, hy + 4, 3.6f * z, g.extra.base() == K ? g.body : g.extra);
            break;
        case beast::Bear:
        case beast::Lion:
            p.ellipse(ex - 1, ey - 1, 4.2f * z, 4.2f * z, g.body);
            p.dot(ex - 1, ey - 0.5f, 1.8f * z, g.belly.shadow());
            break;
        case beast::Monkey:
            p.ellipse(32 - hr - 1, hy, 4.5f * z, 5 * z, g.body);
            p.ellipse(32 - hr - 0.5f, hy, 2.6f * z, 3 * z, ramps::skin, Shade::Plain);
            break;
        case beast::Elephant:
            // Great flapping ears.
            p.ellipse(32 - hr - 3, hy + 2, 9 * z, 11 * z, g.body);
            p.ellipse(32 - hr - 2, hy + 2, 6 * z, 8 * z, ramps::pink, Shade::Plain);
            break;
        case beast::Sheep:
            p.capsule(32 - hr * 0.7f, hy - 1, 1.8f * z, 32 - hr - 4, hy + 1, 1.6f * z, face);
            break;
        case beast::Deer:
            p.capsule(32 - hr * 0.6f, hy - hr * 0.4f, 2.2f * z, 32 - hr - 4, hy - hr * 0.8f, 1.6f * z, g.body);
            break;
        case beast::Rat:
            p.ellipse(ex - 3, ey - 2, 6.5f * z, 6.5f * z, g.body);
            p.ellipse(ex - 3, ey - 1.5f, 4.2f * z, 4.2f * z, pink, Shade::Plain);
            break;
        case beast::Rabbit:
            p.capsule(ex + 1, ey + 2, 3.4f * z, ex - 3, ey - 14 * z, 3.0f * z, g.body);
            p.capsule(ex + 1, ey + 1, 1.4f * z, ex - 2.6f, ey - 12 * z, 1.3f * z, pink, Shade::Plain);
            break;
        default:  // boar
            p.poly({ex - 4 * z, ey + 2, ex - 4 * z, ey - 6 * z, ex + 3 * z, ey + 1}, g.body, Shade::Flat);
            break;
    }
    // Antlers and the ram's curls.
    if (s == beast::Deer && g.rank != kNormal) {
        p.tube(32 - 3, hy - hr + 2, 32 - 8, hy - hr - 4, 32 - 6, hy - hr - 12, 1.0f, 0.6f, ramps::tan);
        p.tube(32 - 7, hy - hr - 5, 32 - 12, hy - hr - 6, 32 - 14, hy - hr - 10, 0.8f, 0.5f, ramps::tan);
    } else if (s == beast::Deer) {
        p.capsule(32 - 3, hy - hr + 2, 1.0f, 32 - 5, hy - hr - 3, 0.8f, ramps::tan);  // a fawn's buds
    }
    sym(p, false);
    // Head.
    p.ellipse(32, hy, hr, hr * 0.9f, face);
    if (s == beast::Sheep) {
        // A woolly cap and the ram's curled horns.
        p.ellipse(32, hy - hr * 0.7f, hr * 0.8f, hr * 0.45f, wool);
        sym(p, true);
        p.tube(32 - hr * 0.6f, hy - hr * 0.4f, 32 - hr - 5, hy - hr * 0.2f, 32 - hr - 1, hy + 4, 1.8f * z, 1.0f, ramps::sand);
        sym(p, false);
    }
    if (s == beast::Monkey) p.ellipse(32, hy + 2, hr * 0.72f, hr * 0.68f, ramps::skin);  // the bare face
    if (g.pattern == 1 && s != beast::Sheep && s != beast::Monkey) {
        sym(p, true);
        p.mark_line(32 - hr * 0.9f, hy - 2, 32 - hr * 0.55f, hy - 1, g.body.contour());
        p.mark_line(32 - hr * 0.9f, hy + 2, 32 - hr * 0.6f, hy + 2, g.body.contour());
        sym(p, false);
        p.mark_line(32, hy - hr * 0.85f, 32, hy - hr * 0.55f, g.body.contour());
    }
    // Muzzle.
    const float my = hy + hr * 0.38f;
    float mw = 5.8f * z;
    if (s == beast::Wolf) mw = 6.8f * z;
    if (s == beast::Boar) mw = 7.5f * z;
    if (s == beast::Cat) mw = 4.6f * z;
    if (s == beast::Dog) mw = 6.2f * z;
    if (s == beast::Deer) mw = 4.4f * z;
    if (s == beast::Elephant) {
        // The trunk hangs from between the eyes and curls at its tip.
        p.tube(32, hy + 1, 31, hy + 14, 36, hy + 20, 3.6f * z, 1.8f * z, g.body);
        sym(p, true);
        p.tube(32 - 4, my + 2, 32 - 7, my + 6, 32 - 5, my + 9, 1.4f * z, 0.6f, ramps::white);
        sym(p, false);
    } else if (s == beast::Monkey) {
        p.ellipse(32, my + 1, 4.2f * z, 3.0f * z, ramps::skin);
        p.dot(31, my, 0.6f, K);
        p.dot(33, my, 0.6f, K);
    } else {
        const float mh = s == beast::Wolf || s == beast::Deer ? mw * 0.95f : mw * 0.72f;
        const float mcy = s == beast::Wolf || s == beast::Deer ? my + 1.5f : my;
        p.ellipse(32, mcy, mw, mh, s == beast::Boar ? pink : s == beast::Sheep ? face : g.belly);
        if (s == beast::Boar) {
            sym(p, true);
            p.dot(32 - 2.2f * z, my, 1.1f * z, RD);
            sym(p, false);
        } else {
            p.ellipse(32, mcy - mh * 0.6f, (s == beast::Cat ? 1.4f : 2.4f) * z, (s == beast::Cat ? 1.0f : 1.6f) * z,
                      s == beast::Cat ? ramps::pink : dark, Shade::Round);
        }
    }
    if (s == beast::Cat) {
        // Whiskers.
        sym(p, true);
        p.mark_line(32 - mw - 0.5f, my - 0.5f, 32 - mw - 6, my - 2, K);
        p.mark_line(32 - mw - 0.5f, my + 1, 32 - mw - 6, my + 1.5f, K);
        sym(p, false);
    }
    // Eyes and mouth.
    sym(p, true);
    p.eye(32 - hr * 0.42f, hy - hr * 0.18f, 2.5f * z, g.eye_style, g.eye_col);
    sym(p, false);
    if (s == beast::Dog && g.mouth != 2 && g.mouth != 3) {
        p.ellipse(32, my + mw * 0.75f, 1.6f, 2.2f, ramps::pink, Shade::Plain);  // the tongue
    } else if (s != beast::Elephant && s != beast::Monkey) {
        p.mouth(32, my + mw * 0.45f, mw * 0.6f, g.mouth);
    } else if (s == beast::Monkey) {
        p.mouth(32, my + 3.4f, 2.4f, g.mouth);
    }
    // Tusks.
    if (s == beast::Boar) {
        sym(p, true);
        p.tube(32 - mw * 0.8f, my + 1, 32 - mw * 1.4f, my + 1, 32 - mw * 1.3f, my - 5 * z, 1.4f * z, 0.5f, white);
        sym(p, false);
    }
    a.head_x = 32;
    a.head_top = hy - hr * 0.9f;
    a.head_y = hy;
    a.head_r = hr;
    a.ground_w = 17 * z;
    horns(p, 32, a.head_top + 1, hr * 0.9f, s == beast::Sheep || s == beast::Deer ? 0 : g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ birds and bats

Anchors draw_bird(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    const float by = 40, hy = (s == bird::Owl || s == bird::Chick) ? 25.0f : 23.0f;
    sym(p, false);
    if (s != bird::Chick) wings(p, 25, 34, 25 * z, 1, g.body);
    // Tail feathers.
    if (s == bird::Phoenix) {
        for (int k = -2; k <= 2; ++k) p.tube(32, 50, 32 + static_cast<float>(k) * 5, 56, 32 + static_cast<float>(k) * 9, 62, 2.2f, 1.0f, g.accent);
    } else {
        p.poly({26, 50, 38, 50, 40, 61, 32, 58, 24, 61}, g.body, Shade::Flat);
    }
    // Legs.
    sym(p, true);
    p.capsule(29, 50, 1.4f, 28.5f, 57, 1.2f, yellow);
    p.poly({25, 58.5f, 32, 58.5f, 28.5f, 56}, yellow, Shade::Flat);
    sym(p, false);
    const float brx = (s == bird::Chick ? 15 : s == bird::Owl ? 13 : 11.5f) * z;
    p.ellipse(32, by, brx, 13 * z, g.body);
    if (s == bird::Chick) p.ellipse(32, by + 6, brx * 0.5f, 6 * z, g.belly);
    else p.ellipse(32, by + 3, brx * 0.62f, 9 * z, g.belly);
    if (g.pattern == 1 || s == bird::Owl) {
        for (int k = 0; k < 3; ++k) {
            sym(p, true);
            p.mark_line(29.5f - k * 0.5f, by + 1 + k * 3.5f, 30.5f, by + 2 + k * 3.5f, g.belly.shadow());
            sym(p, false);
        }
    }
    if (s == bird::Chick) {
        sym(p, true);
        p.ellipse(32 - brx * 0.95f, by + 1, 4 * z, 6 * z, g.body);
        sym(p, false);
    }
    // Head.
    const float hr = (s == bird::Owl ? 11.0f : s == bird::Chick ? 0.0f : 8.5f) * z;
    if (hr > 0) {
        if (s == bird::Owl) {
            sym(p, true);
            p.poly({32 - hr * 0.9f, hy - hr * 0.3f, 32 - hr * 0.95f, hy - hr * 1.35f, 32 - hr * 0.3f, hy - hr * 0.6f}, g.body,
                   Shade::Flat);
            sym(p, false);
        }
        p.ellipse(32, hy, hr, hr * 0.92f, g.body);
        if (s == bird::Owl) {
            sym(p, true);
            p.ellipse(32 - hr * 0.42f, hy, hr * 0.42f, hr * 0.42f, g.belly);
            sym(p, false);
        }
    }
    if (s == bird::Phoenix || s == bird::Hawk) {
        for (int k = -1; k <= 1; ++k)
            p.tube(32, hy - hr * 0.7f, 32 + k * 3.0f, hy - hr * 1.5f, 32 + k * 6.0f, hy - hr * 1.9f, 1.8f, 0.7f,
                   s == bird::Phoenix ? g.accent : g.body);
    }
    const float headc = hr > 0 ? hy : by - 3;
    const float er = (s == bird::Owl ? 3.4f : s == bird::Chick ? 3.0f : 2.2f) * z;
    sym(p, true);
    p.eye(32 - (hr > 0 ? hr * 0.45f : 6 * z), headc - (hr > 0 ? 1.0f : 4.0f), er, g.eye_style, g.eye_col);
    sym(p, false);
    // Beak.
    const float bw = 2.6f * z;
    const bool yellowish = g.body.base() == YL || g.body.base() == GD || g.body.base() == OR;
    p.poly({32 - bw, headc + 1.5f, 32 + bw, headc + 1.5f, 32, headc + 1.5f + (s == bird::Hawk ? 6.5f : 4.5f) * z},
           yellowish ? red : yellow, Shade::Flat);
    a.head_x = 32;
    a.head_top = hr > 0 ? hy - hr : by - 13 * z;
    a.head_y = headc;
    a.head_r = hr > 0 ? hr : 10;
    a.ground_w = 12;
    horns(p, 32, a.head_top + 1, a.head_r, g.horns, g.extra);
    return a;
}

Anchors draw_bat(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    wings(p, 28, 32, 27 * z, 2, g.body);
    sym(p, true);
    p.capsule(29, 44, 1.3f, 28, 50, 1.0f, g.body);
    sym(p, false);
    p.ellipse(32, 38, 8 * z, 10 * z, g.body);
    p.ellipse(32, 40, 5 * z, 6.5f * z, g.belly);
    sym(p, true);
    p.poly({32 - 7 * z, 24, 32 - 9 * z, 11, 32 - 2 * z, 21}, g.body, Shade::Flat);
    p.mark_poly({32 - 6.8f * z, 22, 32 - 7.8f * z, 15, 32 - 4.2f * z, 21}, pink.base());
    sym(p, false);
    p.ellipse(32, 25, 8 * z, 7 * z, g.body);
    sym(p, true);
    p.eye(32 - 3.3f * z, 24, 1.9f * z, 2, g.eye_col);
    sym(p, false);
    p.mouth(32, 28.5f, 2.6f * z, 2);
    a.head_top = 18;
    a.head_y = 25;
    a.head_r = 8;
    a.grounded = false;
    a.ground_w = 14;
    horns(p, 32, a.head_top, 7, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ insects

Anchors draw_bug(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    if (s == bug::Spider) {
        sym(p, true);
        for (int k = 0; k < 4; ++k) {
            const float ky = 34 + static_cast<float>(k) * 4;
            const float knee_x = 32 - (17 + static_cast<float>(k % 2) * 4) * z, knee_y = ky - 12 + static_cast<float>(k) * 3;
            const float foot_x = 32 - (24 - static_cast<float>(k) * 2) * z;
            p.capsule(32 - 6, ky, 1.8f * z, knee_x, knee_y, 1.6f * z, g.body);
            p.capsule(knee_x, knee_y, 1.6f * z, foot_x, 59, 1.0f * z, g.body);
        }
        sym(p, false);
        p.ellipse(32, 31, 16 * z, 13 * z, g.body);
        if (g.pattern) {
            p.set_contour(false);
            p.poly({32, 22, 35, 29, 32, 33, 29, 29}, g.accent, Shade::Plain);
            p.set_contour(true);
        }
        p.ellipse(32, 43, 10 * z, 8 * z, g.extra);
        sym(p, true);
        p.eye(32 - 3.5f * z, 41, 1.8f * z, 2, g.eye_col);
        p.eye(32 - 7.0f * z, 38.5f, 1.2f * z, 2, g.eye_col);
        p.capsule(32 - 2.5f, 47, 1.6f, 32 - 1.5f, 52, 0.8f, g.accent);
        sym(p, false);
        p.eye(32, 38, 1.3f * z, 2, g.eye_col);
        a.head_top = 18;
        a.head_y = 31;
        a.head_r = 14;
        a.ground_w = 24;
    } else if (s == bug::Beetle) {
        sym(p, true);
        for (int k = 0; k < 3; ++k) {
            const float ky = 36 + static_cast<float>(k) * 7;
            p.capsule(32 - 10, ky, 1.7f, 32 - 19, ky + 4, 1.4f, g.extra);
            p.capsule(32 - 19, ky + 4, 1.4f, 32 - 21, std::min(59.0f, ky + 13), 1.0f, g.extra);
        }
        sym(p, false);
        p.ellipse(32, 43, 15 * z, 15 * z, g.body);
        p.mark_line(32, 30, 32, 57, g.body.contour());
        p.dot(32 - 8 * z, 38, 1.8f * z, g.body.light());
        p.ellipse(32, 26, 9 * z, 6 * z, g.extra);
        p.tube(32, 24, 33, 14, 38, 8, 2.6f * z, 1.0f, g.extra);
        p.tube(33, 13, 30, 10, 28, 11, 1.2f, 0.7f, g.extra);
        sym(p, true);
        p.eye(32 - 5 * z, 27, 1.7f * z, 2, g.eye_col);
        sym(p, false);
        a.head_top = 20;
        a.head_y = 26;
        a.head_r = 8;
        a.ground_w = 20;
    } else if (s == bug::Bee) {
        sym(p, true);
        p.set_contour(false);
        p.ellipse(32 - 13, 22, 10 * z, 6 * z, white, Shade::Flat);
        p.ellipse(32 - 11, 31, 7 * z, 4 * z, white, Shade::Flat);
        p.set_contour(true);
        p.capsule(32 - 4, 38, 1.3f, 32 - 9, 48, 1.0f, dark);
        sym(p, false);
        p.ellipse(32, 46, 9 * z, 11 * z, g.body);
        for (int k = 0; k < 3; ++k) {
            const float y = 41 + static_cast<float>(k) * 5;
            p.set_contour(false);
            p.part(20, y, 44, y + 2,
                   [=](float u, float v) {
                       const float dx = (u - 32) / (9 * z), dy = (v - 46) / (11 * z);
                       return v >= y && v < y + 2.2f && dx * dx + dy * dy <= 0.96f;
                   },
                   nullptr, g.extra, Shade::Plain);
            p.set_contour(true);
        }
        p.poly({30, 55.5f, 34, 55.5f, 32, 61}, dark, Shade::Flat);
        p.ellipse(32, 33, 7.5f * z, 6.5f * z, g.accent);
        p.ellipse(32, 22, 7.5f * z, 6.5f * z, g.body);
        sym(p, true);
        p.ellipse(32 - 4 * z, 21, 3.2f * z, 4 * z, dark);
        p.dot(32 - 4.8f * z, 19.5f, 0.9f, W);
        p.tube(32 - 2, 16, 32 - 4, 10, 32 - 8, 8, 0.8f, 0.6f, dark);
        sym(p, false);
        p.mouth(32, 26, 2, 2);
        a.head_top = 15;
        a.head_y = 22;
        a.head_r = 7;
        a.grounded = false;
        a.ground_w = 10;
    } else {  // scorpion
        p.tube(36, 48, 58, 30, 38, 10, 3.2f * z, 1.8f * z, g.body, 10);
        p.poly({36, 6, 42, 11, 34, 13}, g.accent, Shade::Flat);
        sym(p, true);
        for (int k = 0; k < 3; ++k) {
            const float ky = 48 + static_cast<float>(k) * 3;
            p.capsule(32 - 8, ky, 1.4f, 32 - 16 - static_cast<float>(k) * 2, 58, 1.0f, g.body);
        }
        p.capsule(32 - 8, 44, 2.4f * z, 32 - 17, 36, 2.2f * z, g.body);
        p.capsule(32 - 17, 36, 2.2f * z, 32 - 17, 28, 2.4f * z, g.body);
        p.ellipse(32 - 18, 24, 5.5f * z, 6 * z, g.body);
        p.poly({32 - 16, 16, 32 - 13, 22, 32 - 17, 23}, g.body, Shade::Flat);
        sym(p, false);
        p.ellipse(32, 47, 12 * z, 8 * z, g.body);
        p.ellipse(32, 41, 8 * z, 5.5f * z, g.body);
        sym(p, true);
        p.eye(32 - 3 * z, 40, 1.5f * z, 2, g.eye_col);
        sym(p, false);
        p.mouth(32, 44, 3, 2);
        a.head_top = 35;
        a.head_y = 41;
        a.head_r = 8;
        a.ground_w = 20;
    }
    horns(p, 32, a.head_top + 1, a.head_r, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ serpents and dragons

Anchors draw_serpent(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    sym(p, false);
    if (s == serpent::Worm) {
        for (int k = 0; k < 6; ++k) {
            const float y = 58 - static_cast<float>(k) * 6.5f;
            const float x = 32 + std::sin(static_cast<float>(k) * 0.9f) * 3;
            p.ellipse(x, y, (12.5f - static_cast<float>(k) * 0.4f) * z, 5 * z, k % 2 ? g.body : g.belly);
        }
        const float hy = 18;
        p.ellipse(32, hy, 13 * z, 9 * z, g.body);
        p.ellipse(32, hy + 1, 9 * z, 6.5f * z, dark, Shade::Plain);
        p.set_contour(false);
        for (int k = 0; k < 10; ++k) {
            const float ang = static_cast<float>(k) * 2 * kPi / 10;
            const float x = 32 + std::cos(ang) * 7.5f * z, y = hy + 1 + std::sin(ang) * 5.5f * z;
            const float ix = 32 + std::cos(ang) * 4.5f * z, iy = hy + 1 + std::sin(ang) * 3.2f * z;
            p.poly({x - 1.3f, y, x + 1.3f, y, ix, iy}, white, Shade::Plain);
        }
        p.ellipse(32, hy + 1.5f, 2.5f * z, 2 * z, red, Shade::Plain);
        p.set_contour(true);
        a.head_top = hy - 9;
        a.head_y = hy;
        a.head_r = 12;
        a.ground_w = 14;
        return a;
    }
    if (s == serpent::Dragon && g.wings) wings(p, 26, 32, 27 * z, 2, g.extra);
    if (s == serpent::Eastern) {
        p.tube(4, 52, 20, 28, 40, 44, 4.8f * z, 4.5f * z, g.body, 12);
        p.tube(40, 44, 62, 58, 58, 30, 4.5f * z, 2.0f, g.body, 12);
        for (int k = 0; k < 5; ++k) {
            const float x = 10 + static_cast<float>(k) * 11, y = 36 + std::sin(static_cast<float>(k)) * 6;
            p.poly({x - 2, y - 3, x, y - 8, x + 2, y - 3}, g.accent, Shade::Flat);
        }
    }
    if (s == serpent::Snake) {
        p.ellipse(32, 56, 21 * z, 5.5f * z, g.body);
        p.ellipse(32, 50.5f, 17 * z, 5 * z, g.body);
        p.tube(40, 50, 44, 40, 32, 30, 5.0f * z, 4.5f * z, g.body);
        p.set_contour(false);
        p.tube(38.5f, 49, 42, 40, 31, 31, 2.4f * z, 2.2f * z, g.belly);
        p.set_contour(true);
    }
    if (s == serpent::Dragon) {
        p.tube(40, 52, 60, 56, 58, 40, 4.0f * z, 1.5f, g.body);
        sym(p, true);
        p.ellipse(32 - 9 * z, 50, 7 * z, 8 * z, g.body);
        p.ellipse(32 - 10 * z, 58, 5 * z, 2.5f, g.body);
        sym(p, false);
        p.ellipse(32, 43, 13 * z, 14 * z, g.body);
        p.ellipse(32, 45, 7.5f * z, 11 * z, g.belly);
        for (int k = 0; k < 4; ++k) p.mark_line(27, 38 + k * 4.5f, 37, 38 + k * 4.5f, g.belly.shadow());
        sym(p, true);
        p.capsule(32 - 11 * z, 38, 2.6f * z, 32 - 13 * z, 46, 2.2f * z, g.body);
        sym(p, false);
        p.capsule(32, 34, 5.5f * z, 32, 26, 5.0f * z, g.body);
    }
    // Head, front view.
    const float hy = s == serpent::Eastern ? 22.0f : 22.0f;
    const float hr = (s == serpent::Snake ? 10.0f : 9.5f) * z;
    if (s == serpent::Eastern) {
        sym(p, true);
        p.tube(32 - 4, hy + 5, 32 - 12, hy + 8, 32 - 18, hy + 14, 0.8f, 0.5f, g.accent);
        sym(p, false);
    }
    p.ellipse(32, hy, hr * 1.05f, hr * 0.85f, g.body);
    p.ellipse(32, hy + hr * 0.55f, hr * 0.62f, hr * 0.45f, s == serpent::Snake ? g.body : g.belly);
    sym(p, true);
    p.dot(32 - 2.0f * z, hy + hr * 0.35f, 0.8f * z, K);
    p.eye(32 - hr * 0.5f, hy - hr * 0.15f, 2.3f * z, s == serpent::Snake ? 3 : g.eye_style, g.eye_col);
    sym(p, false);
    if (s == serpent::Snake) {
        p.mark_line(32, hy + hr * 0.9f, 32, hy + hr * 1.35f, R);
        p.mark_line(32, hy + hr * 1.35f, 31, hy + hr * 1.6f, R);
        p.mark_line(32, hy + hr * 1.35f, 33, hy + hr * 1.6f, R);
    } else {
        p.mouth(32, hy + hr * 0.85f, hr * 0.45f, 2);
    }
    a.head_top = hy - hr * 0.85f;
    a.head_y = hy;
    a.head_r = hr;
    a.ground_w = 20;
    if (s != serpent::Snake) horns(p, 32, a.head_top + 1, hr, g.horns ? g.horns : 2, g.extra);
    else horns(p, 32, a.head_top + 1, hr, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ golems and machines

Anchors draw_golem(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    const bool robot = s == golem::Robot;
    sym(p, true);
    // Legs.
    p.rrect(32 - 11 * z, 44, 32 - 3 * z, 58, 2.0f, g.body);
    p.rrect(32 - 12.5f * z, 55, 32 - 2 * z, 60, 1.5f, g.extra);
    // Arms.
    p.capsule(32 - 15 * z, 28, 4.5f * z, 32 - 19 * z, 44, 4.0f * z, g.body);
    if (robot) {
        p.capsule(32 - 19 * z, 44, 2.5f * z, 32 - 22 * z, 50, 1.4f, g.extra);
        p.capsule(32 - 19 * z, 44, 2.5f * z, 32 - 16 * z, 51, 1.4f, g.extra);
    } else {
        p.ellipse(32 - 19.5f * z, 47, 6 * z, 5.5f * z, s == golem::Armour ? g.extra : g.body);
    }
    p.ellipse(32 - 15 * z, 26, 7 * z, 6 * z, s == golem::Armour || robot ? g.extra : g.body);
    sym(p, false);
    // Torso.
    p.rrect(32 - 13 * z, 22, 32 + 13 * z, 47, 5.0f * z, g.body);
    if (s == golem::Stone || s == golem::Statue) {
        p.mark_line(24, 28, 28, 33, g.body.contour());
        p.mark_line(28, 33, 26, 38, g.body.contour());
        p.mark_line(38, 38, 41, 43, g.body.contour());
        if (g.pattern) {
            p.dot(22, 24, 1.6f, G);
            p.dot(40, 23, 1.2f, LG);
            p.dot(24, 24, 1.0f, LG);
        }
        p.dot(32, 34, 2.8f * z, g.accent.base());
        p.dot(32, 34, 1.4f * z, W);
    } else if (robot) {
        p.rrect(26, 30, 38, 40, 1.0f, g.extra, Shade::Flat);
        p.dot(29, 33, 1.0f, R);
        p.dot(32, 33, 1.0f, YL);
        p.dot(35, 33, 1.0f, LG);
        p.mark_line(28, 37, 36, 37, g.extra.contour());
    } else {
        p.mark_line(32, 24, 32, 46, g.body.contour());
        p.rrect(24, 42, 40, 46, 1.0f, g.accent, Shade::Flat);
    }
    // Head.
    const float hy = 15;
    if (s == golem::Armour) {
        p.capsule(32, 8, 1.5f, 32, 2, 2.5f, g.accent);
        p.ellipse(32, hy, 8 * z, 8.5f * z, g.extra);
        p.rrect(26, hy - 1, 38, hy + 2, 1.0f, dark, Shade::Plain);
        sym(p, true);
        p.dot(29, hy + 0.5f, 1.0f, g.eye_col);
        sym(p, false);
    } else if (robot) {
        p.mark_line(32, hy - 8, 32, hy - 12, g.extra.base());
        p.dot(32, hy - 12.5f, 1.5f, R);
        p.rrect(24, hy - 7, 40, hy + 7, 3.0f, g.body);
        p.rrect(25.5f, hy - 2.5f, 38.5f, hy + 2.5f, 2.0f, dark, Shade::Plain);
        p.set_contour(false);
        p.rrect(27, hy - 1, 37, hy + 1, 0.8f, cyan, Shade::Plain);
        p.set_contour(true);
    } else {
        p.rrect(25, hy - 6, 39, hy + 7, 3.0f, g.body);
        p.set_contour(false);
        p.rrect(27, hy - 1, 37, hy + 1.5f, 0.5f, dark, Shade::Plain);
        p.set_contour(true);
        sym(p, true);
        p.dot(29.5f, hy + 0.2f, 1.1f, g.eye_col);
        sym(p, false);
    }
    a.head_top = hy - 8;
    a.head_y = hy;
    a.head_r = 8;
    a.ground_w = 18;
    horns(p, 32, a.head_top + 1, 8, g.horns, g.accent);
    return a;
}

// ------------------------------------------------------------------ plants

Anchors draw_plant(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    sym(p, false);
    if (s == plant::Flower || s == plant::Flytrap) {
        p.tube(32, 60, 36, 48, 32, 32, 2.4f * z, 2.0f * z, green);
        sym(p, true);
        p.poly({32, 52, 32 - 12 * z, 42, 32 - 17 * z, 47, 32 - 10 * z, 54}, green, Shade::Flat);
        p.ellipse(32 - 9 * z, 59, 8 * z, 2.2f, g.extra);
        sym(p, false);
        if (s == plant::Flower) {
            for (int k = 0; k < 8; ++k) {
                const float ang = static_cast<float>(k) * 2 * kPi / 8 + 0.2f;
                p.ellipse(32 + std::cos(ang) * 10 * z, 25 + std::sin(ang) * 10 * z, 6 * z, 6 * z, g.accent);
            }
            p.ellipse(32, 25, 9 * z, 9 * z, g.body);
            sym(p, true);
            p.eye(32 - 3.5f * z, 23, 2.2f * z, g.eye_style, g.eye_col);
            sym(p, false);
            p.mouth(32, 28, 3 * z, g.mouth);
            a.head_y = 25;
            a.head_top = 14;
            a.head_r = 9;
        } else {
            const float hy = 24;
            p.ellipse(32, hy - 6, 15 * z, 8.5f * z, g.body);
            p.ellipse(32, hy + 7, 13 * z, 6 * z, g.body);
            p.ellipse(32, hy + 1, 11 * z, 5 * z, red, Shade::Plain);
            p.set_contour(false);
            for (int k = 0; k < 6; ++k) {
                const float x = 32 - 9 * z + static_cast<float>(k) * 3.6f * z;
                p.poly({x - 1.2f, hy - 2, x + 1.2f, hy - 2, x, hy + 2}, white, Shade::Plain);
                p.poly({x - 1.2f + 1.8f, hy + 4, x + 1.2f + 1.8f, hy + 4, x + 1.8f, hy + 0.5f}, white, Shade::Plain);
            }
            p.set_contour(true);
            if (g.pattern) {
                p.dot(26, hy - 9, 1.5f, g.accent.base());
                p.dot(38, hy - 10, 1.5f, g.accent.base());
                p.dot(32, hy - 12, 1.2f, g.accent.base());
            }
            a.head_y = hy - 6;
            a.head_top = hy - 14;
            a.head_r = 12;
        }
    } else if (s == plant::Treant) {
        sym(p, true);
        p.tube(32 - 6, 54, 32 - 10, 58, 32 - 16, 60, 3.0f * z, 1.5f, g.extra);
        p.tube(32 - 9, 36, 32 - 18, 34, 32 - 22, 24, 2.8f * z, 1.4f, g.extra);
        sym(p, false);
        p.rrect(32 - 10 * z, 26, 32 + 10 * z, 60, 4.0f, g.extra);
        p.ellipse(32, 14, 20 * z, 11 * z, g.body);
        p.ellipse(18, 20, 9 * z, 7 * z, g.body);
        p.ellipse(46, 20, 9 * z, 7 * z, g.body);
        sym(p, true);
        p.ellipse(32 - 4.5f, 36, 3 * z, 3.5f * z, dark, Shade::Plain);
        p.dot(32 - 4.5f, 36.5f, 1.1f, g.eye_col);
        sym(p, false);
        p.ellipse(32, 45, 4 * z, 3 * z, dark, Shade::Plain);
        p.mark_line(25, 50, 26, 56, g.extra.contour());
        p.mark_line(39, 28, 38, 31, g.extra.contour());
        a.head_y = 36;
        a.head_top = 4;
        a.head_r = 10;
    } else if (s == plant::Mushroom) {
        p.rrect(32 - 8 * z, 30, 32 + 8 * z, 59, 5.0f * z, white);
        sym(p, true);
        p.ellipse(32 - 9 * z, 58, 6 * z, 2.5f, white);
        sym(p, false);
        dome(p, 32, 32, 23 * z, 20 * z, 32, g.body);
        p.part(10, 30, 54, 35, [=](float u, float v) { return v >= 30.5f && v <= 33.5f && std::abs(u - 32) <= 23 * z; },
               nullptr, g.body, Shade::Flat);
        if (g.pattern != 1) {
            p.set_contour(false);
            p.ellipse(24, 20, 4 * z, 3.2f * z, white, Shade::Plain);
            p.ellipse(39, 16, 3 * z, 2.5f * z, white, Shade::Plain);
            p.ellipse(44, 26, 2.5f * z, 2 * z, white, Shade::Plain);
            p.ellipse(31, 27, 2.2f * z, 1.8f * z, white, Shade::Plain);
            p.set_contour(true);
        }
        sym(p, true);
        p.eye(32 - 3.5f * z, 41, 2.2f * z, g.eye_style, g.eye_col);
        sym(p, false);
        p.mouth(32, 47, 2.5f * z, g.mouth);
        a.head_y = 24;
        a.head_top = 12;
        a.head_r = 14;
    } else if (s == plant::Pumpkin) {
        // A ribbed gourd with a carved, glowing face.
        const Ramp rind = g.body;
        p.tube(32, 22, 34, 16, 38, 13, 2.2f * z, 1.6f * z, green);
        p.tube(35, 18, 41, 15, 44, 19, 0.9f, 0.6f, green);
        sym(p, true);
        p.ellipse(32 - 10 * z, 42, 11 * z, 16 * z, rind);
        sym(p, false);
        p.ellipse(32, 42, 12 * z, 17 * z, rind);
        sym(p, true);
        p.mark_line(32 - 6 * z, 27, 32 - 7 * z, 57, rind.contour());
        p.mark_line(32 - 15 * z, 31, 32 - 16 * z, 53, rind.contour());
        p.set_contour(false);
        p.poly({32 - 9 * z, 40, 32 - 2.5f * z, 40, 32 - 5.5f * z, 33}, yellow, Shade::Plain);
        p.set_contour(true);
        sym(p, false);
        p.set_contour(false);
        p.poly({32 - 11 * z, 46, 32 - 7 * z, 49, 32 - 4 * z, 46, 32, 50, 32 + 4 * z, 46, 32 + 7 * z, 49, 32 + 11 * z, 46,
                32 + 8 * z, 54, 32 - 8 * z, 54},
               yellow, Shade::Plain);
        p.set_contour(true);
        a.head_y = 42;
        a.head_top = 25;
        a.head_r = 16;
    } else {  // cactus
        sym(p, true);
        p.tube(32 - 8, 42, 32 - 17, 44, 32 - 17, 30, 3.8f * z, 3.4f * z, g.body);
        sym(p, false);
        p.rrect(32 - 9 * z, 14, 32 + 9 * z, 60, 8.5f * z, g.body);
        for (int k = 0; k < 4; ++k) {
            p.mark_line(27, 20 + k * 10.0f, 27, 24 + k * 10.0f, g.body.contour());
            p.mark_line(37, 23 + k * 10.0f, 37, 27 + k * 10.0f, g.body.contour());
        }
        for (int k = 0; k < 5; ++k) p.ellipse(32 + std::cos(k * 1.256f) * 4, 13 + std::sin(k * 1.256f) * 3, 3, 3, g.accent);
        p.dot(32, 13, 1.4f, YL);
        sym(p, true);
        p.eye(32 - 3.5f * z, 28, 2.2f * z, g.eye_style, g.eye_col);
        sym(p, false);
        p.mouth(32, 34, 3 * z, g.mouth);
        a.head_y = 28;
        a.head_top = 10;
        a.head_r = 9;
    }
    a.ground_w = 18;
    horns(p, 32, a.head_top + 1, a.head_r, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ ghosts

Anchors draw_ghost(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    sym(p, false);
    a.grounded = false;
    if (s == ghost::Wisp) {
        // A flame: round below, three tongues above.
        std::vector<float> pts;
        for (int k = 0; k <= 12; ++k) {
            const float ang = static_cast<float>(k) * kPi / 12.0f;
            pts.push_back(32 + std::cos(ang) * 12 * z);
            pts.push_back(40 + std::sin(ang) * 11 * z);
        }
        const float tongue[] = {20, 36, 18, 27, 23, 31, 24, 19, 28.5f, 27, 32, 9, 35.5f, 26, 40, 18, 41, 30, 46, 26, 44, 36};
        for (size_t k = 0; k < sizeof tongue / sizeof tongue[0]; k += 2) {
            pts.push_back(32 + (tongue[k] - 32) * z);
            pts.push_back(40 + (tongue[k + 1] - 40) * z);
        }
        p.poly(pts, g.body, Shade::Vertical);
        p.set_contour(false);
        p.ellipse(32, 40, 8 * z, 9 * z, g.belly, Shade::Plain);
        p.set_contour(true);
        sym(p, true);
        p.ellipse(32 - 4 * z, 38, 2.2f * z, 3.2f * z, dark, Shade::Plain);
        sym(p, false);
        p.mouth(32, 44.5f, 2.5f * z, 0);
        a.head_y = 38;
        a.head_top = 14;
        a.head_r = 12;
        a.ground_w = 12;
        return a;
    }
    if (s == ghost::Wraith) {
        // Scythe behind.
        p.capsule(50, 8, 1.3f, 46, 60, 1.3f, brown);
        p.poly({50, 7, 30, 2, 18, 10, 34, 7, 49, 12}, silver, Shade::Flat);
        std::vector<float> robe = {32, 8, 44, 16, 47, 34, 50, 58, 44, 54, 40, 60, 34, 55, 28, 60, 22, 54, 14, 58, 17, 34, 20, 16};
        p.poly(robe, g.body, Shade::Vertical);
        p.ellipse(32, 22, 7 * z, 8 * z, dark, Shade::Plain);
        sym(p, true);
        p.eye(32 - 3 * z, 22, 1.8f * z, 2, g.eye_col);
        p.capsule(32 - 12, 28, 2.8f, 32 - 10, 40, 2.2f, g.body);
        sym(p, false);
        p.ellipse(21, 41, 2.6f, 2.2f, white);
        p.ellipse(44, 41, 2.6f, 2.2f, white);
        a.head_y = 22;
        a.head_top = 9;
        a.head_r = 9;
        a.fade_y = 50;
        a.ground_w = 14;
        return a;
    }
    std::vector<float> sheet = {32 - 15 * z, 30, 32 + 15 * z, 30, 32 + 17 * z, 54};
    for (int k = 5; k >= 0; --k) {
        sheet.push_back(32 - 17 * z + static_cast<float>(k) * 34 * z / 6 + 17 * z / 6);
        sheet.push_back(k % 2 ? 60.0f : 54.0f);
        sheet.push_back(32 - 17 * z + static_cast<float>(k) * 34 * z / 6);
        sheet.push_back(56.0f + (k % 2 ? -1.0f : 1.0f));
    }
    p.poly(sheet, g.body, Shade::Vertical);
    p.ellipse(32, 28, 15 * z, 15 * z, g.body);
    sym(p, true);
    p.capsule(32 - 15 * z, 36, 3.0f, 32 - 20 * z, 42, 2.0f, g.body);
    p.ellipse(32 - 5.5f * z, 26, 3 * z, 4.2f * z, dark, Shade::Plain);
    p.dot(32 - 5.5f * z, 27, 1.0f, g.eye_col);
    sym(p, false);
    p.ellipse(32, 35, 3.2f * z, 3.5f * z, dark, Shade::Plain);
    p.dot(30, 20, 2.0f, W);
    a.head_y = 28;
    a.head_top = 13;
    a.head_r = 14;
    a.fade_y = 48;
    a.ground_w = 14;
    horns(p, 32, a.head_top + 1, 14, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ floating eyes

Anchors draw_eye(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    a.grounded = false;
    sym(p, false);
    if (s == eye::Crystal) {
        p.ellipse(32, 34, 25 * z, 6 * z, g.extra);
        p.poly({32, 6, 46, 30, 32, 56, 18, 30}, g.body, Shade::Flat);
        p.mark_line(32, 6, 32, 56, g.body.light());
        p.set_contour(false);
        p.part(5, 33, 59, 41,
               [=](float u, float v) {
                   const float dx = (u - 32) / (25 * z), dy = (v - 34) / (6 * z);
                   return v > 34 && dx * dx + dy * dy <= 1.0f && dx * dx + dy * dy >= 0.55f;
               },
               nullptr, g.extra, Shade::Flat);
        p.set_contour(true);
        p.ellipse(32, 30, 6 * z, 4.5f * z, white, Shade::Plain);
        p.ellipse(32, 30, 3 * z, 3.5f * z, g.accent, Shade::Plain);
        p.dot(32, 30, 1.1f * z, K);
        a.head_y = 30;
        a.head_top = 6;
        a.head_r = 10;
        a.ground_w = 12;
        return a;
    }
    const float cy = s == eye::Cluster ? 36.0f : 28.0f;
    const float r = (s == eye::Cluster ? 16.0f : 15.5f) * z;
    if (s == eye::Orb) {
        for (int k = 0; k < 5; ++k) {
            const float x = 32 - 12 * z + static_cast<float>(k) * 6 * z;
            const float w = (k % 2 ? 3.0f : -3.0f);
            p.tube(x, cy + r * 0.6f, x + w * 2, 50, x - w, 60, 2.2f * z, 0.8f, g.extra);
        }
        for (int k = 0; k < 3; ++k) {
            const float x = 32 - 9 + static_cast<float>(k) * 9;
            p.tube(x, cy - r * 0.6f, x + (k - 1) * 5.0f, cy - r - 2, x + (k - 1) * 8.0f, cy - r - 8, 1.3f, 1.0f, g.body);
            p.ellipse(x + (k - 1) * 8.0f, cy - r - 9, 2.6f, 2.6f, white);
            p.dot(x + (k - 1) * 8.0f, cy - r - 9, 1.0f, K);
        }
    }
    p.ellipse(32, cy, r, r, g.body);
    if (s == eye::Cluster) {
        const float ex[5] = {24, 39, 31, 22, 42};
        const float ey[5] = {30, 28, 40, 42, 41};
        const float er[5] = {4.5f, 5, 5.5f, 3, 3};
        for (int k = 0; k < 5; ++k) {
            p.ellipse(ex[k], ey[k] - (36 - cy), er[k] * z, er[k] * z, white, Shade::Round);
            p.dot(ex[k] + 0.6f, ey[k] - (36 - cy) + 0.4f, er[k] * 0.55f * z, g.accent.base());
            p.dot(ex[k] + 0.6f, ey[k] - (36 - cy) + 0.4f, er[k] * 0.25f * z, K);
        }
        p.mouth(32, cy + r * 0.7f, 4, 2);
        a.ground_w = 16;
    } else {
        p.ellipse(32, cy + 1, r * 0.68f, r * 0.58f, white, Shade::Round);
        p.set_contour(false);
        p.ellipse(32, cy + 1.5f, r * 0.36f, r * 0.36f, g.accent, Shade::Round);
        p.set_contour(true);
        p.ellipse(32, cy + 1.5f, r * 0.1f, r * 0.3f, dark, Shade::Plain);
        p.dot(29.5f, cy - 1.5f, 1.2f * z, W);
        a.ground_w = 14;
    }
    a.head_y = cy;
    a.head_top = cy - r;
    a.head_r = r * 0.7f;
    horns(p, 32, a.head_top + 1, r * 0.7f, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ water folk

Anchors draw_fish(Painter& p, const Genome& g) {
    Anchors a;
    const float z = g.size;
    const int s = g.sub;
    sym(p, false);
    if (s == fish::Fish || s == fish::Shark) {
        a.grounded = false;
        const bool shark = s == fish::Shark;
        p.poly({46, 32, 62, 18, 58, 34, 62, 50, 46, 38}, g.body, Shade::Flat);
        p.poly({24, 26, 38, shark ? 6.0f : 14.0f, 44, 27}, g.body, Shade::Flat);
        p.ellipse(30, 34, 22 * z, (shark ? 11 : 13) * z, g.body);
        p.set_contour(false);
        p.part(8, 34, 52, 48,
               [=](float u, float v) {
                   const float dx = (u - 30) / (22 * z), dy = (v - 34) / ((shark ? 11 : 13) * z);
                   return v > 36 && dx * dx + dy * dy <= 0.9f;
               },
               nullptr, g.belly, Shade::Plain);
        p.set_contour(true);
        if (!shark && g.pattern != 1) {
            for (int k = 0; k < 3; ++k)
                for (int j = 0; j < 2; ++j) p.mark_line(26 + k * 5.0f, 29 + j * 5.0f, 28 + k * 5.0f, 31 + j * 5.0f, g.body.contour());
        }
        if (shark) {
            for (int k = 0; k < 3; ++k) p.mark_line(20 + k * 2.0f, 30, 20 + k * 2.0f, 35, g.body.contour());
        }
        p.poly({30, 40, 40, 48, 36, 40}, g.body, Shade::Flat);
        p.eye(14, 31, 3.0f * z, shark ? 0 : 1, g.eye_col);
        if (shark) {
            p.part(7, 36, 24, 43, [](float u, float v) { return v > 37 && v < 41.5f - (u - 8) * 0.1f && u > 8 && u < 22; }, nullptr, dark,
                   Shade::Plain);
            for (int k = 0; k < 5; ++k) {
                const float x = 9.5f + k * 2.6f;
                p.mark_poly({x, 37, x + 2, 37, x + 1, 39.5f}, W);
            }
        } else {
            p.mouth(10, 38, 2.5f, 0);
        }
        a.head_x = 18;
        a.head_y = 31;
        a.head_top = 21;
        a.head_r = 10;
        a.ground_w = 20;
    } else if (s == fish::Octopus) {
        for (int k = 0; k < 6; ++k) {
            const float bx = 32 - 11 * z + static_cast<float>(k) * 4.4f * z;
            const float dir = k < 3 ? -1.0f : 1.0f;
            const float tx = 32 + dir * (10 + std::abs(static_cast<float>(k) - 2.5f) * 7) * z;
            p.tube(bx, 38, bx + dir * 3, 56, tx, 52, 3.2f * z, 1.0f, g.body);
        }
        p.ellipse(32, 26, 16 * z, 17 * z, g.body);
        if (g.pattern) {
            p.dot(25, 16, 2.0f, g.body.light());
            p.dot(38, 12, 1.5f, g.body.light());
            p.dot(40, 20, 1.2f, g.body.light());
        }
        sym(p, true);
        p.eye(32 - 6 * z, 30, 3.6f * z, g.eye_style, g.eye_col);
        sym(p, false);
        p.ellipse(32, 38, 3 * z, 2.5f * z, g.belly);
        a.head_y = 26;
        a.head_top = 9;
        a.head_r = 15;
        a.ground_w = 22;
    } else {  // crab
        sym(p, true);
        for (int k = 0; k < 3; ++k) {
            const float ky = 44 + static_cast<float>(k) * 3;
            p.capsule(32 - 12, ky, 1.6f, 32 - 22 + static_cast<float>(k) * 2, ky + 4, 1.4f, g.body);
            p.capsule(32 - 22 + static_cast<float>(k) * 2, ky + 4, 1.4f, 32 - 24 + static_cast<float>(k) * 3, 59, 1.0f, g.body);
        }
        p.capsule(32 - 12, 40, 2.6f * z, 32 - 20, 32, 2.4f * z, g.body);
        p.ellipse(32 - 21, 22, 7 * z, 8 * z, g.body);
        p.poly({32 - 22, 12, 32 - 16, 18, 32 - 20, 21}, g.body, Shade::Flat);
        p.mark_line(32 - 22, 16, 32 - 19.5f, 20.5f, K);
        p.capsule(32 - 5, 34, 1.0f, 32 - 6, 27, 1.0f, g.body);
        p.eye(32 - 6, 26, 2.0f * z, 5, g.eye_col);
        sym(p, false);
        p.ellipse(32, 42, 16 * z, 10 * z, g.body);
        if (g.pattern) {
            p.dot(26, 38, 1.2f, g.body.light());
            p.dot(36, 37, 1.4f, g.body.light());
        }
        p.mouth(32, 45, 3, g.mouth == 3 ? 3 : 2);
        a.head_y = 40;
        a.head_top = 31;
        a.head_r = 12;
        a.ground_w = 22;
    }
    horns(p, a.head_x, a.head_top + 1, a.head_r, g.horns, g.extra);
    return a;
}

// ------------------------------------------------------------------ people and undead

struct Outfit {
    Ramp skin, cloth, pants, boots, hair, metal;
    int headgear;  // 0 bare, 1 helmet, 2 hood, 3 wizard hat, 4 headband, 5 kabuto, 6 cap, 7 straw hat,
                   // 8 turban, 9 horns only, 10 ninja hood, 11 bald, 12 long hair, 13 jiangshi hat, 14 crown, 15 skull
    int weapon;    // 0 none, 1 sword, 2 staff, 3 axe, 4 spear, 5 club, 6 katana, 7 gun, 8 bat, 9 claws, 10 scythe
    bool robe, shield, cape, muscle, wings_feather, wings_bat, tail, beard, shades, mask, tusks, pointy_ears;
    bool apron, shell, beak;
    int eye_style;
    int mouth;
};

Outfit outfit_for(const Genome& g, bool undead_kind) {
    Outfit o{};
    o.skin = skin;
    o.cloth = g.body;
    o.pants = g.extra;
    o.boots = brown;
    o.hair = g.accent;
    o.metal = silver;
    o.headgear = 0;
    o.weapon = 0;
    o.eye_style = 4;
    o.mouth = 0;
    Rng r(g.seed ^ 0x5eedull);
    if (undead_kind) {
        switch (g.sub) {
            case undead::Skeleton:
                o.skin = white;
                o.headgear = 15;
                o.weapon = r.chance(2) ? 1 : 3;
                o.shield = r.chance(2);
                break;
            case undead::Zombie:
                o.skin = green;
                o.headgear = 0;
                o.hair = dark;
                o.eye_style = 2;
                o.mouth = 3;
                break;
            case undead::Mummy:
                o.skin = sand;
                o.cloth = sand;
                o.pants = sand;
                o.boots = sand;
                o.headgear = 11;
                o.eye_style = 2;
                break;
            case undead::Jiangshi:
                o.skin = sky;
                o.cloth = g.body;
                o.headgear = 13;
                o.robe = true;
                o.eye_style = 2;
                break;
            default:  // lich
                o.skin = white;
                o.headgear = 14;
                o.robe = true;
                o.weapon = 2;
                o.cape = true;
                o.eye_style = 2;
                break;
        }
        if (g.sub == undead::Skeleton || g.sub == undead::Lich) o.eye_style = 2;
        return o;
    }
    switch (g.sub) {
        case human::Warrior:
            o.headgear = r.chance(2) ? 1 : 4;
            o.weapon = r.chance(3) ? 3 : 1;
            o.shield = r.chance(2);
            o.hair = brown;
            break;
        case human::Mage:
            o.headgear = r.chance(3) ? 2 : 3;
            o.weapon = 2;
            o.robe = true;
            o.beard = r.chance(2);
            o.hair = white;
            o.eye_style = 1;
            break;
        case human::Ninja:
            o.cloth = r.chance(3) ? g.body : dark;
            o.pants = o.cloth;
            o.headgear = 10;
            o.mask = true;
            o.weapon = r.chance(2) ? 6 : 0;
            o.boots = dark;
            break;
        case human::Monk:
            o.headgear = r.chance(2) ? 11 : 4;
            o.muscle = true;
            o.weapon = r.chance(3) ? 4 : 0;
            o.hair = dark;
            o.mouth = 1;
            break;
        case human::Thug:
            o.headgear = r.chance(2) ? 6 : 0;
            o.shades = r.chance(2);
            o.weapon = r.chance(2) ? 8 : 0;
            o.muscle = r.chance(2);
            o.hair = dark;
            o.mouth = 1;
            break;
        case human::Samurai:
            o.headgear = 5;
            o.weapon = 6;
            o.metal = g.accent;
            o.hair = dark;
            break;
        case human::Orc:
            o.skin = r.chance(2) ? green : olive;
            o.headgear = r.chance(2) ? 1 : 0;
            o.weapon = r.chance(2) ? 5 : 3;
            o.tusks = true;
            o.pointy_ears = true;
            o.muscle = true;
            o.hair = dark;
            break;
        case human::Oni:
            o.skin = r.chance(2) ? red : blue;
            o.headgear = 9;
            o.weapon = 5;
            o.tusks = true;
            o.muscle = true;
            o.cloth = yellow;
            o.pants = yellow;
            o.hair = dark;
            o.mouth = 2;
            break;
        case human::Knight:
            o.headgear = 1;
            o.weapon = r.chance(2) ? 4 : 1;
            o.shield = true;
            o.cape = r.chance(2);
            o.cloth = silver;
            o.metal = silver;
            break;
        case human::Girl:
            o.headgear = 12;
            o.robe = true;
            o.weapon = r.chance(2) ? 2 : 0;
            o.eye_style = 5;
            o.mouth = 4;
            o.hair = g.accent;
            break;
        case human::Gunman:
            o.headgear = 6;
            o.weapon = 7;
            o.shades = true;
            o.hair = dark;
            break;
        case human::Priest:
            o.headgear = 2;
            o.robe = true;
            o.weapon = 2;
            o.cloth = r.chance(2) ? white : g.body;
            o.eye_style = 1;
            break;
        case human::Angel:
            o.headgear = 12;
            o.robe = true;
            o.wings_feather = true;
            o.weapon = r.chance(2) ? 4 : 1;
            o.cloth = white;
            o.hair = yellow;
            o.eye_style = 1;
            break;
        case human::Boy:
            o.headgear = r.chance(2) ? 6 : 0;
            o.hair = r.chance(2) ? dark : brown;
            o.pants = r.chance(2) ? blue : brown;
            o.eye_style = 5;
            o.mouth = 4;
            break;
        case human::Townsman: {
            const int hats[] = {0, 0, 6, 7, 11, 12};
            o.headgear = r.pick(hats);
            o.apron = true;
            o.beard = o.headgear == 11 && r.chance(2);
            o.hair = r.chance(2) ? dark : (r.chance(2) ? brown : gray);
            o.eye_style = 1;
            o.mouth = 4;
            break;
        }
        case human::Kappa:
            o.skin = r.chance(2) ? green : lime;
            o.cloth = o.skin;
            o.pants = o.skin;
            o.boots = o.skin;
            o.hair = r.chance(2) ? olive : dark;
            o.headgear = 16;
            o.shell = true;
            o.beak = true;
            o.eye_style = 1;
            break;
        default:  // demon
            o.skin = r.chance(2) ? purple : red;
            o.headgear = 9;
            o.wings_bat = true;
            o.tail = true;
            o.weapon = r.chance(2) ? 9 : 4;
            o.cloth = dark;
            o.pants = dark;
            o.pointy_ears = true;
            o.eye_style = 2;
            o.mouth = 2;
            break;
    }
    if (g.culture == kChina && o.headgear == 0) o.headgear = 7;
    if (g.culture == kJapan && o.headgear == 0) o.headgear = 4;
    if (g.culture == kLA && o.headgear == 0) o.shades = true;
    if (g.headgear >= 0) o.headgear = g.headgear;
    if (g.weapon >= 0) o.weapon = g.weapon;
    if (g.rank == kBoss && !o.wings_feather) o.cape = true;
    if (g.wings == 1) o.wings_feather = true;
    if (g.wings == 2) o.wings_bat = true;
    if (g.tail) o.tail = true;
    return o;
}

void draw_weapon(Painter& p, int weapon, float hx, float hy, const Outfit& o, float z) {
    switch (weapon) {
        case 1:  // sword
            p.capsule(hx + 1, hy - 3, 1.6f * z, hx - 5, hy - 27, 0.9f * z, silver);
            p.capsule(hx - 3.5f, hy - 1.5f, 1.0f, hx + 4.5f, hy - 4.5f, 1.0f, gold);
            p.capsule(hx + 1.8f, hy + 1, 1.0f, hx + 0.8f, hy - 1, 1.0f, brown);
            break;
        case 2:  // staff
            p.capsule(hx + 1, hy + 15, 1.2f * z, hx - 1, hy - 26, 1.2f * z, brown);
            p.ellipse(hx - 1, hy - 28, 3.2f * z, 3.2f * z, o.hair.base() == YL ? cyan : magenta);
            p.dot(hx - 2, hy - 29, 1.0f, W);
            break;
        case 3:  // axe
            p.capsule(hx + 2, hy + 6, 1.2f * z, hx - 2, hy - 22, 1.2f * z, brown);
            p.poly({hx - 2, hy - 22, hx - 12, hy - 27, hx - 12, hy - 11, hx - 2, hy - 15}, silver, Shade::Flat);
            break;
        case 4:  // spear
            p.capsule(hx + 1, hy + 14, 1.0f * z, hx - 1, hy - 22, 1.0f * z, brown);
            p.poly({hx - 1, hy - 32, hx + 2.5f, hy - 22, hx - 1, hy - 20, hx - 4.5f, hy - 22}, silver, Shade::Flat);
            break;
        case 5:  // studded club
            p.capsule(hx + 1, hy + 2, 1.6f * z, hx - 4, hy - 22, 4.2f * z, dark);
            for (int k = 0; k < 4; ++k) p.dot(hx - 2.5f - k * 0.5f, hy - 8 - k * 4.0f, 0.8f, silver.light());
            break;
        case 6:  // katana
            p.tube(hx + 1, hy - 2, hx - 1, hy - 16, hx - 7, hy - 28, 1.2f * z, 0.7f * z, silver);
            p.ellipse(hx + 0.5f, hy - 2.5f, 2.8f, 1.2f, gold);
            break;
        case 7:  // pistol
            p.rrect(hx - 7, hy - 5, hx + 1, hy - 2, 0.5f, gray, Shade::Flat);
            p.rrect(hx - 1, hy - 3, hx + 2, hy + 2, 0.5f, dark, Shade::Flat);
            break;
        case 8:  // bat
            p.capsule(hx + 1, hy + 2, 1.0f * z, hx - 6, hy - 22, 2.8f * z, tan);
            break;
        case 9:  // claws
            for (int k = -1; k <= 1; ++k) p.poly({hx - 1 + k * 2.0f, hy + 2, hx + 1 + k * 2.0f, hy + 2, hx + k * 2.5f, hy + 7}, white, Shade::Flat);
            break;
        case 10:  // scythe
            p.capsule(hx + 1, hy + 14, 1.1f, hx - 2, hy - 26, 1.1f, brown);
            p.poly({hx - 2, hy - 27, hx + 16, hy - 24, hx + 22, hy - 16, hx + 12, hy - 22, hx - 2, hy - 23}, silver, Shade::Flat);
            break;
        default:
            break;
    }
}

Anchors draw_person(Painter& p, const Genome& g, bool undead_kind) {
    Anchors a;
    const float z = g.size;
    const Outfit o = outfit_for(g, undead_kind);
    const bool skeleton = undead_kind && (g.sub == undead::Skeleton || g.sub == undead::Lich);
    const float hx = 32, hy = 16.5f, hr = 7.8f * z;
    const float sw = (o.muscle ? 12.5f : 10.5f) * z;  // half shoulder width
    sym(p, false);
    if (o.wings_feather) wings(p, 26, 30, 24 * z, 1, white);
    if (o.wings_bat) wings(p, 27, 28, 26 * z, 2, g.extra.base() == K ? night : g.extra);
    if (o.cape) {
        const float flare = g.rank == kBoss ? 11.0f : 6.0f;
        p.poly({32 - sw + 1, 25, 32 + sw - 1, 25, 32 + sw + flare, 60, 32 + sw * 0.4f, 58, 32, 60, 32 - sw * 0.4f, 58, 32 - sw - flare, 60},
               g.accent, Shade::Vertical);
    }
    if (o.tail) tail(p, 38, 46, 52, 40, 1.6f, o.skin, true);
    if (o.shell) {
        // Seen from the front, the shell's rim shows round the shoulders and hips.
        p.ellipse(32, 33, 17.5f * z, 15.5f * z, olive);
        p.ellipse(32, 33, 14.5f * z, 12.5f * z, brown, Shade::Plain);
    }
    if (o.headgear == 12) {  // long hair falls behind the shoulders
        p.rrect(hx - hr - 1.5f, hy - 4, hx + hr + 1.5f, hy + 15, 4.0f, o.hair);
    }
    // Legs or robe.
    sym(p, true);
    if (o.robe) {
        sym(p, false);
        p.poly({32 - 8 * z, 36, 32 + 8 * z, 36, 32 + 13 * z, 59, 32 - 13 * z, 59}, o.cloth, Shade::Vertical);
        sym(p, true);
        p.ellipse(32 - 5, 59.2f, 3.5f, 1.8f, o.boots);
    } else if (skeleton) {
        p.capsule(32 - 4.5f, 44, 1.5f, 32 - 5, 57, 1.4f, o.skin);
        p.ellipse(32 - 5.5f, 58.5f, 3, 1.6f, o.skin);
    } else {
        p.capsule(32 - 4.8f * z, 42, 3.4f * z, 32 - 5.5f * z, 55, 3.0f * z, o.pants);
        p.ellipse(32 - 6 * z, 57.8f, 4.2f * z, 2.6f, o.boots);
    }
    // Arms.
    const float shx = 32 - sw + 1.5f, shy = 27.5f;
    const float ahx = 32 - sw - 3.5f * z, ahy = 42;
    if (skeleton) {
        p.capsule(shx, shy, 1.4f, ahx, ahy, 1.3f, o.skin);
    } else {
        p.capsule(shx, shy, (o.muscle ? 4.0f : 3.2f) * z, ahx, ahy, (o.muscle ? 3.4f : 2.8f) * z,
                  o.muscle || undead_kind ? o.skin : o.cloth);
    }
    sym(p, false);
    // Torso.
    if (skeleton) {
        p.capsule(32, 24, 1.3f, 32, 44, 1.3f, o.skin);
        for (int k = 0; k < 4; ++k) p.capsule(32 - 7 + k * 0.6f, 27 + k * 3.5f, 1.1f, 32 + 7 - k * 0.6f, 27 + k * 3.5f, 1.1f, o.skin);
        p.ellipse(32, 44, 6, 2.6f, o.skin);
        if (g.sub == undead::Lich) p.poly({32 - 9, 24, 32 + 9, 24, 32 + 8 * z, 40, 32 - 8 * z, 40}, o.cloth, Shade::Vertical);
    } else if (o.robe) {
        p.rrect(32 - sw + 1, 23, 32 + sw - 1, 40, 4.0f * z, o.cloth);
    } else {
        p.rrect(32 - sw, 23, 32 + sw, 44, 4.5f * z, o.muscle ? o.skin : o.cloth);
        if (o.muscle) {
            p.mark_line(32, 28, 32, 36, o.skin.shadow());
            p.mark_line(27, 33, 30, 34, o.skin.shadow());
            p.mark_line(37, 33, 34, 34, o.skin.shadow());
        }
        if (g.sub == human::Oni && !undead_kind) {
            p.rrect(32 - sw, 38, 32 + sw, 45, 2.0f, yellow, Shade::Flat);
            for (int k = 0; k < 4; ++k) p.mark_line(32 - sw + 2 + k * 6.0f, 39, 32 - sw + 4 + k * 6.0f, 44, K);
        } else {
            p.rrect(32 - sw + 0.5f, 40, 32 + sw - 0.5f, 44, 1.0f, g.accent, Shade::Flat);
            p.dot(32, 42, 1.2f, gold.base());
        }
        if (undead_kind && g.sub == undead::Mummy) {
            for (int k = 0; k < 5; ++k) p.mark_line(32 - sw + 1, 25 + k * 4.0f, 32 + sw - 1, 27 + k * 4.0f, sand.shadow());
        }
    }
    if (o.apron) {
        p.rrect(32 - sw + 3.0f, 33, 32 + sw - 3.0f, 46, 1.5f, white, Shade::Flat);
        p.mark_line(32 - sw + 3, 33, 32 + sw - 3, 33, g.accent.base());
        p.mark_line(32 - sw + 3.5f, 33, 32 - 2, 25, W);
        p.mark_line(32 + sw - 3.5f, 33, 32 + 2, 25, W);
    }
    if (g.rank == kBoss && !skeleton) {
        // Pauldrons and a clasp for a champion.
        sym(p, true);
        p.ellipse(32 - sw + 0.5f, 25.5f, 4.6f * z, 3.4f * z, gold);
        p.dot(32 - sw + 0.5f, 26, 1.2f, g.accent.base());
        sym(p, false);
        p.ellipse(32, 25, 2.2f, 2.0f, gold);
    } else if (o.headgear == 1 || o.headgear == 5 || g.sub == human::Knight) {
        sym(p, true);
        p.ellipse(32 - sw + 1, 25.5f, 5 * z, 4 * z, o.metal);
        sym(p, false);
    }
    // Hands.
    sym(p, true);
    if (!skeleton) p.ellipse(ahx, ahy + 1, 2.8f * z, 2.8f * z, o.skin);
    else p.ellipse(ahx, ahy + 1, 1.8f, 1.8f, o.skin);
    sym(p, false);
    // Head.
    if (o.headgear != 12 && o.headgear != 15 && o.headgear != 11 && o.headgear != 13 && o.headgear != 10 &&
        o.headgear != 2 && !skeleton) {
        // Hair behind the face shows above it.
        p.ellipse(hx, hy - 2, hr + 1, hr * 0.9f, o.hair);
    }
    if (o.pointy_ears) {
        sym(p, true);
        p.poly({hx - hr + 1, hy - 1, hx - hr - 5, hy - 5, hx - hr + 1, hy + 3}, o.skin, Shade::Flat);
        sym(p, false);
    }
    if (o.headgear == 2) {
        p.ellipse(hx, hy - 1, hr + 2.5f, hr + 3, o.cloth);
        p.ellipse(hx, hy + 1, hr - 0.5f, hr - 0.2f, dark, Shade::Plain);
    }
    p.ellipse(hx, hy, hr, hr * 1.02f, o.skin);
    const float ey = hy + 0.5f;
    // Hair and headgear.
    switch (o.headgear) {
        case 1:  // helmet
            p.part(hx - hr - 1.5f, hy - hr - 2, hx + hr + 1.5f, hy - 1,
                   [=](float u, float v) {
                       const float dx = (u - hx) / (hr + 1.5f), dy = (v - hy + 0.5f) / (hr + 2);
                       return v <= hy - 1.5f && dx * dx + dy * dy <= 1.0f;
                   },
                   [=](float u, float v) {
                       const float dx = (u - hx) / (hr + 1.5f), dy = (v - hy + 0.5f) / (hr + 2);
                       return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
                   },
                   o.metal, Shade::Round);
            p.capsule(hx, hy - 2, 1.0f, hx, hy + 3, 0.8f, o.metal);
            if (g.sub == human::Knight) p.tube(hx, hy - hr - 1, hx + 4, hy - hr - 7, hx + 9, hy - hr - 4, 1.8f, 1.0f, g.accent);
            break;
        case 3:  // wizard hat
            p.ellipse(hx, hy - hr * 0.55f, hr + 5, 2.2f, o.cloth.base() == W ? purple : o.cloth);
            p.poly({hx - hr + 1, hy - hr * 0.6f, hx + hr - 1, hy - hr * 0.6f, hx + 5, hy - hr - 12, hx + 9, hy - hr - 10}, o.cloth.base() == W ? purple : o.cloth,
                   Shade::Flat);
            p.dot(hx + 1, hy - hr - 2, 1.2f, YL);
            break;
        case 4:  // headband with tails
            p.rrect(hx - hr, hy - 4, hx + hr, hy - 2, 0.5f, g.accent, Shade::Flat);
            p.tube(hx + hr - 1, hy - 3, hx + hr + 4, hy - 1, hx + hr + 6, hy + 4, 1.0f, 0.6f, g.accent);
            sym(p, true);
            for (int k = 0; k < 3; ++k) p.poly({hx - 5 + k * 3.5f, hy - 4, hx - 3 + k * 3.5f, hy - 4, hx - 5.5f + k * 3.0f, hy - hr - 4}, o.hair, Shade::Flat);
            sym(p, false);
            break;
        case 5:  // kabuto
            p.part(hx - hr - 2.5f, hy - hr - 2, hx + hr + 2.5f, hy - 1,
                   [=](float u, float v) {
                       const float dx = (u - hx) / (hr + 2.5f), dy = (v - hy + 0.5f) / (hr + 2);
                       return v <= hy - 1.5f && dx * dx + dy * dy <= 1.0f;
                   },
                   nullptr, o.metal, Shade::Flat);
            p.poly({hx - hr - 4, hy - 2, hx - hr, hy - 4, hx - hr, hy + 3}, o.metal, Shade::Flat);
            p.poly({hx + hr + 4, hy - 2, hx + hr, hy - 4, hx + hr, hy + 3}, o.metal, Shade::Flat);
            sym(p, true);
            p.tube(hx - 1, hy - hr - 1, hx - 6, hy - hr - 3, hx - 9, hy - hr - 10, 1.1f, 0.6f, gold);
            sym(p, false);
            break;
        case 6:  // cap
            p.part(hx - hr - 1, hy - hr - 1, hx + hr + 1, hy - 2,
                   [=](float u, float v) {
                       const float dx = (u - hx) / (hr + 0.5f), dy = (v - hy + 1) / (hr + 1);
                       return v <= hy - 2.5f && dx * dx + dy * dy <= 1.0f;
                   },
                   nullptr, g.accent, Shade::Flat);
            p.rrect(hx - hr - 4, hy - 3.5f, hx + 1, hy - 1.5f, 0.8f, g.accent, Shade::Flat);
            break;
        case 7:  // straw hat
            p.poly({hx - hr - 9, hy - 3, hx + hr + 9, hy - 3, hx, hy - hr - 6}, yellow, Shade::Flat);
            p.mark_line(hx - hr - 5, hy - 4, hx + hr + 5, hy - 4, gold.shadow());
            break;
        case 8:  // turban
            p.ellipse(hx, hy - hr * 0.6f, hr + 2.5f, hr * 0.7f, white);
            p.dot(hx, hy - hr * 0.7f, 1.4f, R);
            break;
        case 9:  // horns and wild hair
            sym(p, true);
            p.poly({hx - hr - 1, hy - 1, hx - hr + 1, hy - hr - 3, hx - 2, hy - hr + 1}, o.hair, Shade::Flat);
            sym(p, false);
            horns(p, hx, hy - hr, hr, g.sub == human::Demon ? 2 : 1, g.sub == human::Demon ? dark : white);
            if (g.sub == human::Oni) {
                p.tube(hx, hy - hr + 1, hx - 1, hy - hr - 4, hx + 1, hy - hr - 7, 1.4f, 0.5f, white);
            }
            break;
        case 10:  // ninja hood
            p.ellipse(hx, hy, hr + 1, hr + 1.2f, o.cloth);
            p.rrect(hx - hr + 1, ey - 2.2f, hx + hr - 1, ey + 2.0f, 1.2f, o.skin, Shade::Plain);
            p.tube(hx + hr - 1, hy - 2, hx + hr + 5, hy, hx + hr + 6, hy + 6, 1.0f, 0.5f, o.cloth);
            break;
        case 11:  // bald
            p.dot(hx - 3, hy - hr * 0.6f, 1.2f, o.skin.light());
            if (g.sub == human::Monk) {
                sym(p, true);
                p.dot(hx - 1.5f, hy - hr * 0.55f, 0.6f, o.skin.shadow());
                sym(p, false);
            }
            if (undead_kind && g.sub == undead::Mummy) {
                for (int k = 0; k < 4; ++k) p.mark_line(hx - hr + 1, hy - 5 + k * 3.5f, hx + hr - 1, hy - 3 + k * 3.5f, sand.shadow());
            }
            break;
        case 12: {  // long hair fringe
            p.part(hx - hr - 1.5f, hy - hr - 1.5f, hx + hr + 1.5f, hy + 1,
                   [=](float u, float v) {
                       const float dx = (u - hx) / (hr + 1.5f), dy = (v - hy + 1) / (hr + 1.5f);
                       const bool fringe = v < hy - 3 + std::abs(std::sin((u - hx) * 1.1f)) * 2.0f;
                       return dx * dx + dy * dy <= 1.0f && (fringe || std::abs(u - hx) > hr - 1.5f);
                   },
                   [=](float u, float v) {
                       const float dx = (u - hx) / (hr + 1.5f), dy = (v - hy + 1) / (hr + 1.5f);
                       return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
                   },
                   o.hair, Shade::Round);
            if (g.sub == human::Angel) p.ellipse(hx, hy - hr - 5, 6, 1.6f, gold, Shade::Plain);
            break;
        }
        case 13: {  // jiangshi hat and talisman
            p.rrect(hx - hr - 1, hy - hr - 5, hx + hr + 1, hy - hr + 2, 1.0f, dark, Shade::Flat);
            p.rrect(hx - hr - 3, hy - hr + 1, hx + hr + 3, hy - hr + 3, 0.5f, dark, Shade::Flat);
            p.dot(hx, hy - hr - 1.5f, 1.2f, gold.base());
            break;
        }
        case 14:  // crown
            p.poly({hx - hr, hy - hr + 2, hx - hr, hy - hr - 5, hx - hr * 0.5f, hy - hr - 1, hx, hy - hr - 6, hx + hr * 0.5f, hy - hr - 1,
                    hx + hr, hy - hr - 5, hx + hr, hy - hr + 2},
                   gold, Shade::Flat);
            break;
        case 16:  // a kappa's dish in a ring of hair
            p.ellipse(hx, hy - hr + 1.5f, hr + 0.5f, 3.4f, o.hair);
            p.ellipse(hx, hy - hr + 1.0f, hr * 0.7f, 2.2f, sky, Shade::Plain);
            break;
        case 15:
        case 0:
        default:
            if (o.headgear == 0) {
                // Short hair cap.
                p.part(hx - hr - 1, hy - hr - 1.5f, hx + hr + 1, hy - 1,
                       [=](float u, float v) {
                           const float dx = (u - hx) / (hr + 0.8f), dy = (v - hy + 1) / (hr + 1.2f);
                           return v <= hy - 2.5f + std::abs(std::sin(u * 1.3f)) * 1.5f && dx * dx + dy * dy <= 1.0f;
                       },
                       nullptr, o.hair, Shade::Flat);
            }
            break;
    }
    // Face.
    if (skeleton) {
        sym(p, true);
        p.ellipse(hx - 3, ey - 0.5f, 2.4f, 2.6f, dark, Shade::Plain);
        p.dot(hx - 3, ey - 0.2f, 0.8f, g.eye_col);
        sym(p, false);
        p.dot(hx, ey + 3, 0.8f, K);
        for (int k = -2; k <= 2; ++k) p.mark_line(hx + k * 1.6f, hy + 5, hx + k * 1.6f, hy + 7, K);
    } else {
        sym(p, true);
        if (o.shades) {
            sym(p, false);
            p.rrect(hx - 6, ey - 2, hx + 6, ey + 1.2f, 0.6f, dark, Shade::Plain);
            p.dot(hx - 4, ey - 1, 0.6f, W);
            sym(p, true);
        } else {
            p.eye(hx - 3.0f * z, ey, 1.7f * z, g.eye_style >= 0 ? o.eye_style : 1, g.eye_col);
        }
        sym(p, false);
        if (o.mask) {
            p.rrect(hx - hr + 0.5f, ey + 2, hx + hr - 0.5f, hy + hr, 2.0f, o.cloth, Shade::Flat);
        } else if (o.headgear == 13) {
            p.rrect(hx - 2.5f, hy - hr + 1, hx + 2.5f, hy + 5, 0.5f, yellow, Shade::Plain);
            p.mark_line(hx, hy - hr + 2, hx, hy + 4, R);
            p.mark_line(hx - 1.5f, hy - 3, hx + 1.5f, hy - 3, R);
        } else if (o.beak) {
            p.poly({hx - 3, hy + 2.5f, hx + 3, hy + 2.5f, hx, hy + 7}, yellow, Shade::Flat);
        } else {
            p.mouth(hx, hy + 4.2f, 2.2f * z, o.mouth);
            if (o.beard) p.poly({hx - 5, hy + 3, hx + 5, hy + 3, hx, hy + 14}, white, Shade::Flat);
            if (o.tusks) {
                sym(p, true);
                p.mark_poly({hx - 2.8f, hy + 4.5f, hx - 1.6f, hy + 4.5f, hx - 2.4f, hy + 1.8f}, W);
                sym(p, false);
            }
        }
    }
    // Weapon in the hand on the viewer's left, shield on the right.
    draw_weapon(p, o.weapon, ahx, ahy, o, z);
    if (o.shield) {
        const float sx = 32 + sw + 3.5f * z;
        p.ellipse(sx, 40, 6 * z, 7.5f * z, o.metal);
        p.ellipse(sx, 40, 3.5f * z, 4.5f * z, g.accent);
        p.dot(sx, 40, 1.1f, gold.light());
    }
    a.head_x = hx;
    a.head_y = hy;
    a.head_top = hy - hr - (o.headgear == 1 ? 2.0f : 0.5f);
    a.head_r = hr;
    a.ground_w = 12;
    return a;
}

// A child is a person drawn at three quarters of the size, standing on the same ground.
Anchors draw_child(Painter& p, const Genome& g) {
    const float k = 0.76f;
    const float s = p.scale(), ox = -p.to_px(0.0f) / s, oy = -p.to_py(0.0f) / s;
    const float s2 = s * k;
    const float ox2 = 32.0f - (32.0f - ox) / k, oy2 = 60.0f - (60.0f - oy) / k;
    Painter child(p.canvas(), s2, ox2, oy2);
    Anchors a = draw_person(child, g, false);
    // Back into the caller's units.
    auto ux = [&](float u) { return ox + (u - ox2) * k; };
    auto uy = [&](float v) { return oy + (v - oy2) * k; };
    a.head_x = ux(a.head_x);
    a.head_y = uy(a.head_y);
    a.head_top = uy(a.head_top);
    a.head_r *= k;
    a.ground_w *= k;
    return a;
}

}  // namespace

Anchors draw_creature(Painter& p, const Genome& g) {
    switch (g.arch) {
        case Arch::Blob: return draw_blob(p, g);
        case Arch::Beast: return draw_beast(p, g);
        case Arch::Bird: return draw_bird(p, g);
        case Arch::Bat: return draw_bat(p, g);
        case Arch::Bug: return draw_bug(p, g);
        case Arch::Serpent: return draw_serpent(p, g);
        case Arch::Golem: return draw_golem(p, g);
        case Arch::Plant: return draw_plant(p, g);
        case Arch::Ghost: return draw_ghost(p, g);
        case Arch::Eye: return draw_eye(p, g);
        case Arch::Fish: return draw_fish(p, g);
        case Arch::Undead: return draw_person(p, g, true);
        case Arch::Human:
        default:
            if (g.sub == human::Boy) return draw_child(p, g);
            return draw_person(p, g, false);
    }
}

void draw_regalia(Painter& p, const Genome& g, const Anchors& a) {
    sym(p, false);
    const float hx = a.head_x, top = a.head_top, r = std::max(5.0f, a.head_r * 0.75f);
    if (g.crown) {
        const float w = std::min(r, 9.0f);
        p.poly({hx - w, top + 2, hx - w - 1, top - 5, hx - w * 0.45f, top - 1.5f, hx, top - 7, hx + w * 0.45f, top - 1.5f, hx + w + 1, top - 5,
                hx + w, top + 2},
               gold, Shade::Flat);
        p.dot(hx, top - 0.5f, 1.2f, R);
        p.set_symmetric(true, hx);
        p.dot(hx - w * 0.6f, top, 0.8f, CY);
        sym(p, false);
    }
    if (g.rank == kApostle) {
        // A broken halo floating above.
        const float w = std::min(r + 3, 12.0f);
        p.set_contour(false);
        p.part(hx - w - 1, top - 10, hx + w + 1, top - 2,
               [=](float u, float v) {
                   const float dx = (u - hx) / w, dy = (v - (top - 6)) / 2.6f;
                   const float d = dx * dx + dy * dy;
                   return d <= 1.0f && d >= 0.45f && !(u > hx + w * 0.2f && u < hx + w * 0.45f);
               },
               nullptr, lavender, Shade::Flat);
        p.set_contour(true);
    }
}

}  // namespace cggen
