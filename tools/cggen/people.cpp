#include "people.h"

#include <cmath>
#include <cstring>

#include "creature.h"
#include "font.h"
#include "portraits.h"
#include "rng.h"

namespace cggen {

using namespace ramps;

namespace {

// The shadow tone of an iris colour.
uint8_t rgb_darker(uint8_t c) {
    switch (c) {
        case B: return NB;
        case LB: return B;
        case BN: return BR;
        case R: return RD;
        case LG: return G;
        case G: return DG;
        case VI: return D2;
        case CY: return TE;
        default: return K;
    }
}

enum Hair { kSpiky, kNeat, kLong, kTwinTails, kWildWhite, kBald, kHood, kVeil, kFurHood };
enum Face { kDetermined, kGrin, kHurt, kSmile, kSly, kSerene, kWink };

struct Bust {
    Ramp skin = ramps::skin, hair = brown, cloth = blue, cloth2 = brown;
    uint8_t iris = BN;
    int hair_style = kNeat;
    int face = kSmile;
    bool headband = false, mustache = false, beard = false, goggles = false, eyepatch = false, cap = false,
         ribbon = false, scarf = false, apron = false, bandage = false, sweat = false, blush = false, plump = false,
         gold_tooth = false, earrings = false, pendant = false;
    Ramp band = red;
};

void eye_pair(Canvas& c, const Bust& b, int y) {
    for (int side = 0; side < 2; ++side) {
        const int x = side ? 35 : 23;  // left edge of a 6-wide eye
        const bool closed = b.face == kSerene || (b.face == kWink && side == 1) || (b.face == kHurt && side == 1);
        if (b.eyepatch && side == 0) {
            c.rect(x - 1, y - 2, x + 7, y + 4, K);
            c.line(x - 1, y - 2, 18, y - 6, K);
            c.line(x + 6, y - 2, 46, y - 7, K);
            continue;
        }
        if (closed) {
            if (b.face == kSerene) {
                c.hline(x, x + 5, y + 1, K);
                c.put(x, y, K);
                c.put(x + 5, y, K);
                c.hline(x + 1, x + 4, y + 2, b.skin.shadow());
            } else {
                // Squeezed shut: a chevron.
                c.line(x, y - 1, x + 5, y + 1, K);
                c.line(x, y + 3, x + 5, y + 1, K);
            }
            continue;
        }
        c.rect(x, y - 1, x + 6, y + 4, W);
        const int ix = side ? x + 1 : x + 2;
        c.rect(ix, y - 1, ix + 3, y + 4, b.iris);
        c.rect(ix, y + 2, ix + 3, y + 4, rgb_darker(b.iris));
        c.rect(ix + 1, y, ix + 2, y + 3, K);
        c.put(ix, y - 1, W);
        c.put(ix, y, W);
        c.hline(x - 1, x + 6, y - 2, K);  // upper lid
        c.put(side ? x + 6 : x - 1, y - 1, K);
        c.hline(x + 1, x + 4, y + 4, b.skin.shadow());
    }
    // Brows.
    for (int side = 0; side < 2; ++side) {
        const int x = side ? 35 : 23;
        const uint8_t bc = b.hair.contour() == K ? K : b.hair.shadow();
        switch (b.face) {
            case kDetermined:
            case kHurt:
                // Slanting down toward the nose.
                c.line(side ? x + 6 : x - 1, y - 7, side ? x + 1 : x + 4, y - 4, bc);
                c.line(side ? x + 6 : x - 1, y - 6, side ? x + 1 : x + 4, y - 3, bc);
                break;
            case kSly:
                c.line(x - 1, side ? y - 6 : y - 4, x + 6, side ? y - 4 : y - 6, bc);
                break;
            default:
                c.hline(x, x + 5, y - 5, bc);
                c.put(side ? x + 6 : x - 1, y - 4, bc);
                break;
        }
    }
}

void mouth_for(Canvas& c, const Bust& b, int y) {
    switch (b.face) {
        case kGrin:
            c.rect(28, y - 1, 37, y + 2, K);
            c.hline(29, 35, y - 1, W);
            c.hline(30, 34, y + 1, RD);
            c.put(27, y - 2, K);
            c.put(37, y - 2, K);
            break;
        case kHurt:
            c.rect(28, y, 36, y + 3, K);
            for (int x = 29; x < 35; x += 2) c.vline(x, y, y + 2, W);
            c.hline(28, 35, y + 1, W);
            break;
        case kSmile:
        case kWink:
            c.hline(29, 34, y + 1, K);
            c.put(28, y, K);
            c.put(35, y, K);
            break;
        case kSly:
            c.hline(29, 35, y, K);
            c.put(36, y - 1, K);
            if (b.gold_tooth) c.put(33, y + 1, YL);
            break;
        case kSerene:
            c.hline(30, 33, y + 1, b.skin.contour());
            break;
        default:
            c.hline(29, 34, y, K);
            break;
    }
}

void draw_bust(Canvas& c, const Bust& b) {
    Canvas sp(64, 64);
    Painter p(sp, 1.0f, 0.0f, 0.0f);
    p.set_dither(false);  // faces read cleaner with flat tones
    // Hair that falls behind the shoulders.
    if (b.hair_style == kLong || b.hair_style == kVeil) p.rrect(14, 20, 50, 60, 8, b.hair_style == kVeil ? b.cloth2 : b.hair);
    if (b.hair_style == kTwinTails) {
        p.tube(17, 22, 9, 34, 12, 52, 5.0f, 3.0f, b.hair);
        p.tube(47, 22, 55, 34, 52, 52, 5.0f, 3.0f, b.hair);
    }
    if (b.hair_style == kFurHood) p.ellipse(32, 30, 23, 23, b.cloth);
    if (b.hair_style == kHood) p.ellipse(32, 28, 19, 20, b.cloth2);
    // Shoulders and chest.
    const float sw = b.plump ? 30.0f : 26.0f;
    p.part(
        32 - sw, 44, 32 + sw, 64,
        [=](float u, float v) {
            const float dx = (u - 32) / sw, dy = (v - 66) / 20;
            return dx * dx + dy * dy <= 1.0f;
        },
        [=](float u, float v) {
            const float dx = (u - 32) / sw, dy = (v - 66) / 20;
            return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
        },
        b.cloth, Shade::Round);
    if (b.apron) p.rrect(22, 50, 42, 66, 3, b.cloth2, Shade::Flat);
    if (b.scarf) {
        p.ellipse(32, 48, 13, 5, b.band);
        p.tube(40, 49, 46, 54, 44, 61, 2.6f, 2.0f, b.band);
    }
    if (b.hair_style == kFurHood) p.ellipse(32, 50, 18, 6, white);
    // Neck and head.
    p.rrect(26.5f, 38, 37.5f, 50, 3, b.skin);
    p.ellipse(19.5f, 31, 2.6f, 3.6f, b.skin);
    p.ellipse(44.5f, 31, 2.6f, 3.6f, b.skin);
    const float hw = b.plump ? 14.0f : 12.5f;
    p.part(
        32 - hw, 15, 32 + hw, 45,
        [=](float u, float v) {
            // Rounded skull narrowing to a chin.
            const float dy = (v - 29) / 14.5f;
            float half = hw * std::sqrt(std::max(0.0f, 1.0f - dy * dy));
            if (v > 31) half = std::min(half, hw - (v - 31) * (b.plump ? 0.45f : 0.75f));
            return std::abs(u - 32) <= half && v >= 14.5f && v <= 43.5f;
        },
        [=](float u, float v) {
            // Soft light on faces: only the far cheek and the jaw fall into shadow.
            const float dx = (u - 32) / hw, dy = (v - 29) / 15;
            const float sx = dx > 0.7f ? dx * 1.3f : dx * 0.3f, sy = dy > 0.75f ? dy : dy * 0.2f;
            return Vec3{sx, sy, std::sqrt(std::max(0.1f, 1.0f - sx * sx - sy * sy))};
        },
        b.skin, Shade::Round);
    // Hair.
    switch (b.hair_style) {
        case kSpiky: {
            std::vector<float> pts = {18, 33, 15, 25, 10, 21, 17, 18, 15, 9,  23, 13, 26, 3,  31, 11, 37, 3,  40, 12, 48, 7,
                                      46, 16, 54, 17, 47, 24, 46, 33, 44, 27, 41, 25, 38, 21, 35, 26, 32, 21, 29, 26, 26, 21, 23, 26, 20, 25};
            p.poly(pts, b.hair, Shade::Flat);
            p.mark_line(26, 8, 24, 15, b.hair.shadow());
            p.mark_line(37, 7, 36, 14, b.hair.shadow());
            p.mark_line(18, 13, 21, 18, b.hair.shadow());
            break;
        }
        case kNeat:
            p.part(17, 13, 47, 27, [](float u, float v) {
                const float dx = (u - 32) / 14.5f, dy = (v - 25) / 12;
                return dx * dx + dy * dy <= 1.0f && v <= 25 - (u > 30 ? (u - 30) * 0.15f : 0);
            }, nullptr, b.hair, Shade::Flat);
            break;
        case kLong:
        case kTwinTails:
            p.part(17, 12, 47, 34, [](float u, float v) {
                const float dx = (u - 32) / 15, dy = (v - 26) / 13.5f;
                const bool fringe = v < 22 + std::abs(std::sin(u * 0.7f)) * 3.0f;
                return dx * dx + dy * dy <= 1.0f && (fringe || std::abs(u - 32) > 11.5f);
            }, [](float u, float v) {
                const float dx = (u - 32) / 15, dy = (v - 26) / 13.5f;
                return Vec3{dx, dy, std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy))};
            }, b.hair, Shade::Round);
            break;
        case kWildWhite: {
            std::vector<float> pts = {15, 34, 10, 26, 15, 24, 11, 16, 19, 19, 20, 11, 26, 16, 32, 9, 37, 16, 44, 10, 45, 19, 53, 16, 49, 25, 54, 27, 49, 34, 45, 24, 19, 24};
            p.poly(pts, b.hair, Shade::Flat);
            p.ellipse(32, 21, 9, 4, b.skin);  // high forehead
            break;
        }
        case kBald:
            p.dot(27, 19, 1.5f, b.skin.light());
            break;
        case kHood:
            p.part(13, 8, 51, 30, [](float u, float v) {
                const float dx = (u - 32) / 19, dy = (v - 28) / 20;
                const float ix = (u - 32) / 12.5f, iy = (v - 30) / 15;
                return dx * dx + dy * dy <= 1.0f && !(ix * ix + iy * iy <= 1.0f && v > 19);
            }, nullptr, b.cloth2, Shade::Flat);
            break;
        case kVeil:
            p.part(13, 8, 51, 40, [](float u, float v) {
                const float dx = (u - 32) / 18, dy = (v - 28) / 20;
                const float ix = (u - 32) / 12.0f, iy = (v - 31) / 13.5f;
                return dx * dx + dy * dy <= 1.0f && !(ix * ix + iy * iy <= 1.0f && v > 21);
            }, nullptr, b.cloth2, Shade::Flat);
            p.part(18, 17, 46, 24, [](float u, float v) {
                const float dx = (u - 32) / 13, dy = (v - 25) / 8;
                return dx * dx + dy * dy <= 1.0f && v < 23 + std::abs(std::sin(u * 0.9f)) * 2.0f;
            }, nullptr, b.hair, Shade::Flat);
            p.rrect(17, 15, 47, 18, 1, gold, Shade::Flat);
            break;
        case kFurHood:
            p.part(11, 8, 53, 48, [](float u, float v) {
                const float dx = (u - 32) / 19, dy = (v - 30) / 20;
                const float ix = (u - 32) / 13.0f, iy = (v - 31) / 14.5f;
                return dx * dx + dy * dy <= 1.0f && !(ix * ix + iy * iy <= 1.0f);
            }, nullptr, white, Shade::Flat);
            break;
        default:
            break;
    }
    if (b.headband) {
        p.rrect(17, 17, 47, 20.5f, 1, b.band, Shade::Flat);
        p.tube(46, 18.5f, 52, 20, 56, 28, 1.6f, 1.0f, b.band);
        p.tube(46, 19, 51, 24, 52, 32, 1.4f, 0.9f, b.band);
    }
    if (b.cap) {
        p.part(17, 10, 47, 24, [](float u, float v) {
            const float dx = (u - 32) / 14.5f, dy = (v - 22) / 11;
            return dx * dx + dy * dy <= 1.0f && v <= 22;
        }, nullptr, b.cloth2, Shade::Round);
        p.rrect(16, 20, 48, 23.5f, 1.5f, b.cloth2, Shade::Flat);
        p.dot(32, 11, 1.6f, b.band.base());
    }
    if (b.goggles) {
        p.rrect(18, 17, 46, 20, 1, brown, Shade::Flat);
        p.ellipse(26, 17.5f, 4.5f, 3.5f, gold);
        p.ellipse(38, 17.5f, 4.5f, 3.5f, gold);
        p.ellipse(26, 17.5f, 3, 2.2f, cyan, Shade::Plain);
        p.ellipse(38, 17.5f, 3, 2.2f, cyan, Shade::Plain);
        p.dot(25, 16.6f, 0.7f, W);
        p.dot(37, 16.6f, 0.7f, W);
    }
    if (b.ribbon) {
        p.poly({44, 12, 52, 8, 52, 17}, b.band, Shade::Flat);
        p.poly({44, 12, 37, 7, 38, 16}, b.band, Shade::Flat);
        p.ellipse(44, 12, 2, 2, b.band);
    }
    if (b.pendant) {
        p.mark_line(27, 50, 32, 55, gold.base());
        p.mark_line(37, 50, 32, 55, gold.base());
        p.ellipse(32, 56.5f, 2.5f, 2.8f, cyan);
    }
    sp.outline(K);
    c.blit(sp, 0, 0);
    // Face details drawn straight on, after the outline.
    eye_pair(c, b, 31);
    c.put(32, 35, b.skin.shadow());
    c.put(32, 36, b.skin.shadow());
    c.put(31, 36, b.skin.shadow());
    mouth_for(c, b, 39);
    if (b.mustache) {
        c.polygon({24, 38, 31, 36.5f, 32, 38, 33, 36.5f, 40, 38, 38, 40.5f, 32, 38.8f, 26, 40.5f}, b.hair.base() == W ? G3 : b.hair.shadow());
    }
    if (b.beard) c.polygon({22, 37, 42, 37, 38, 47, 32, 50, 26, 47}, b.hair.base());
    if (b.blush) {
        c.hline(21, 24, 35, PK);
        c.hline(40, 43, 35, PK);
    }
    if (b.bandage) {
        c.rect(37, 33, 43, 36, CR);
        c.put(39, 34, SN);
        c.put(41, 34, SN);
    }
    if (b.sweat) {
        c.oval(47.5f, 24, 1.5f, 2.5f, LB);
        c.put(47, 23, W);
    }
    if (b.earrings) {
        c.rect(19, 35, 21, 38, YL);
        c.rect(43, 35, 45, 38, YL);
    }
}

void soft_backdrop(Canvas& c, uint8_t top, uint8_t low, uint8_t glow) {
    c.gradient(0, 0, 64, 64, {top, low});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float dx = (static_cast<float>(x) - 32) / 28, dy = (static_cast<float>(y) - 28) / 28;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < 1 && dither_on(x, y, (1 - d) * 1.5f - 0.2f)) c.put(x, y, glow);
        }
}

}  // namespace

Canvas hero_portrait(int mood) {
    Canvas c(64, 64);
    Bust b;
    b.skin = skin;
    b.hair = {BR, BN, OR, YL};
    b.cloth = teal;
    b.cloth2 = brown;
    b.iris = B;
    b.hair_style = kSpiky;
    b.headband = true;
    b.band = red;
    b.scarf = true;
    b.face = mood == 1 ? kGrin : mood == 2 ? kHurt : kDetermined;
    b.bandage = mood == 2;
    b.sweat = mood == 2;
    if (mood == 1) {
        rays(c, 32, 30, YL, OR, R, 10, 0.0f);
    } else if (mood == 2) {
        soft_backdrop(c, RD, D1, R);
    } else {
        soft_backdrop(c, B, NB, LB);
    }
    draw_bust(c, b);
    if (mood == 2) {
        // Scuffs on the tunic and a dark bruise.
        c.line(20, 56, 24, 60, K);
        c.line(41, 55, 44, 59, K);
        c.put(22, 33, D2);
        c.put(23, 34, D2);
    }
    if (mood == 1) {
        sparkle(c, 8, 10, 2, W);
        sparkle(c, 55, 8, 1, W);
        sparkle(c, 56, 44, 2, YL);
    }
    c.frame(0, 0, 64, 64, K);
    return c;
}

Canvas fallen_picture() {
    // A gravestone with a headband tied round it: whoever lost, it reads the same.
    Canvas c(64, 64);
    c.gradient(0, 0, 64, 50, {D1, D2, VI});
    for (int k = 0; k < 12; ++k) c.put((k * 37) % 60 + 2, (k * 23) % 30 + 2, k % 3 ? LB : W);
    c.oval(48, 12, 6, 6, CR);
    c.oval(50, 10, 5, 5, D1);
    c.gradient(0, 50, 64, 64, {DG, K});
    Canvas sp(64, 64);
    Painter p(sp, 1.0f, 0.0f, 0.0f);
    p.rrect(20, 20, 44, 58, 10, silver);
    p.rrect(16, 54, 48, 60, 2, gray, Shade::Flat);
    p.mark_line(29, 30, 35, 30, G1);
    p.mark_line(32, 27, 32, 40, G1);
    p.rrect(19, 36, 45, 39.5f, 1, red, Shade::Flat);
    p.tube(45, 37, 50, 40, 50, 48, 1.5f, 1.0f, red);
    // A sword stuck in the ground beside it.
    p.capsule(11, 32, 1.4f, 11, 57, 1.1f, silver);
    p.capsule(7, 33, 1.0f, 15, 33, 1.0f, gold);
    p.capsule(11, 27, 1.2f, 11, 32, 1.2f, brown);
    sp.outline(K);
    c.blit(sp, 0, 0);
    // A little soul drifting up.
    c.oval(36, 12, 3, 3, CY);
    c.polygon({33, 12, 36, 20, 39, 12}, CY);
    c.put(35, 11, W);
    c.frame(0, 0, 64, 64, K);
    return c;
}

Canvas placeholder_picture() {
    // A quiet tile pattern (its top-left 20 x 20 is one whole tile) with a question mark.
    Canvas c(64, 64);
    c.fill(G1);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int tx = x % 20, ty = y % 20;
            const int d = std::abs(tx - 10) + std::abs(ty - 10);
            if (d == 6 || d == 7) c.put(x, y, G2);
            if (d <= 1) c.put(x, y, G3);
        }
    c.oval(32, 32, 17, 17, K);
    c.oval(32, 32, 16, 16, D1);
    c.oval(32, 32, 14, 14, D2);
    Canvas mark(64, 64);
    draw_text(mark, 25, 22, "?", 3, YL);
    mark.outline(K);
    c.blit(mark, 0, 0);
    c.frame(0, 0, 64, 64, K);
    return c;
}

Canvas chest_picture() {
    // A small badge: the chest in a ring of golden light, framed so it reads on any floor.
    Canvas c(40, 40, K);
    rays(c, 20, 22, BN, BR, D1, 8, 0.0f);
    c.oval(20, 34, 15, 3.5f, K);
    Canvas sp(40, 40);
    Painter p(sp, 1.0f, 0.0f, 0.0f);
    p.rrect(5, 18, 35, 35, 1.5f, brown);
    p.part(5, 7, 35, 19, [](float u, float v) {
        const float dx = (u - 20) / 15, dy = (v - 19) / 11;
        return dx * dx + dy * dy <= 1.0f && v <= 19;
    }, [](float u, float v) {
        const float dx = (u - 20) / 15, dy = (v - 19) / 11;
        return Vec3{dx * 0.4f, dy, std::sqrt(std::max(0.0f, 1.0f - dy * dy))};
    }, brown, Shade::Round);
    p.rrect(4, 17, 36, 20.5f, 0.5f, gold, Shade::Flat);
    p.rrect(9, 8, 12, 35, 0.5f, gold, Shade::Flat);
    p.rrect(28, 8, 31, 35, 0.5f, gold, Shade::Flat);
    p.rrect(17, 16, 23, 24, 1, yellow, Shade::Flat);
    p.dot(20, 20.5f, 1.0f, K);
    sp.outline(K);
    c.blit(sp, 0, 0);
    sparkle(c, 33, 6, 2, W);
    sparkle(c, 7, 10, 1, YL);
    c.frame(0, 0, 40, 40, K);
    c.frame(1, 1, 39, 39, GD);
    return c;
}

Canvas host_portrait(const char* name) {
    Canvas c(64, 64);
    const std::string n = name;
    Bust b;
    if (n == "tan" || n == "tan2") {
        const bool wild = n == "tan2";
        b.plump = true;
        b.hair = wild ? dark : brown;
        b.hair_style = wild ? kHood : kBald;
        b.mustache = true;
        b.iris = wild ? R : BN;
        if (wild) {
            b.cloth = purple;
            b.cloth2 = night;
            b.face = kSly;
            b.eyepatch = true;
            b.gold_tooth = true;
            b.earrings = true;
            soft_backdrop(c, D2, D1, MG);
            Rng r(7);
            for (int k = 0; k < 10; ++k) c.put(r.range(64), r.range(40), YL);
        } else {
            b.cloth = green;
            b.cloth2 = sand;
            b.apron = true;
            b.cap = true;
            b.band = gold;
            b.face = kSmile;
            b.blush = true;
            soft_backdrop(c, TN, BN, SN);
            // Shelves behind the counter.
            for (int y : {14, 30}) {
                c.rect(0, y, 64, y + 2, BR);
                for (int x = 3; x < 64; x += 7) c.rect(x, y - 5, x + 3, y, x % 2 ? R : B);
            }
        }
    } else if (n == "luida") {
        b.skin = {BN, TN, SK, CR};
        b.hair = lavender;
        b.cloth = {K, D1, NB, B};
        b.cloth2 = {K, D1, NB, B};
        b.hair_style = kVeil;
        b.face = kSerene;
        b.pendant = true;
        // Stained glass behind her.
        c.fill(D1);
        const uint8_t glass[] = {R, B, YL, G, VI, CY};
        for (int y = 0; y < 64; y += 8)
            for (int x = 0; x < 64; x += 8) c.rect(x + 1, y + 1, x + 8, y + 8, glass[static_cast<size_t>((x / 8 * 5 + y / 8 * 3) % 6)]);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (dither_on(x, y, 0.45f)) c.put(x, y, D1);
    } else if (n == "mara") {
        b.hair = white;
        b.hair_style = kWildWhite;
        b.cloth = white;
        b.cloth2 = teal;
        b.goggles = true;
        b.face = kGrin;
        b.iris = LG;
        b.mustache = true;
        soft_backdrop(c, DG, K, TE);
        for (int k = 0; k < 6; ++k) c.oval(static_cast<float>(6 + k * 11), static_cast<float>(58 - (k % 3) * 9), 2, 2, LG);
    } else if (n == "hoku") {
        b.skin = skin;
        b.hair = white;
        b.cloth = {RD, R, OR, YL};
        b.hair_style = kFurHood;
        b.face = kWink;
        b.blush = true;
        b.iris = B;
        soft_backdrop(c, LB, B, SY);
        Rng r(11);
        for (int k = 0; k < 30; ++k) {
            const int x = r.range(64), y = r.range(64);
            c.put(x, y, W);
            if (k % 4 == 0) {
                c.put(x + 1, y, W);
                c.put(x, y + 1, W);
            }
        }
    } else if (n == "wata") {
        b.hair = pink;
        b.hair_style = kTwinTails;
        b.cloth = yellow;
        b.cloth2 = red;
        b.ribbon = true;
        b.band = red;
        b.face = kSmile;
        b.blush = true;
        b.iris = VI;
        soft_backdrop(c, PK, MG, CR);
        sparkle(c, 8, 9, 2, W);
        sparkle(c, 56, 40, 1, W);
    } else {  // the cleaner, yam or yam2
        const bool open = n == "yam2";
        soft_backdrop(c, OL, DG, G);
        Canvas sp(64, 64);
        Painter p(sp, 1.0f, 0.0f, 0.0f);
        // A round gobbler in a cleaner's cap with a mop.
        p.capsule(55, 12, 1.3f, 50, 58, 1.3f, brown);
        p.poly({46, 56, 55, 56, 57, 63, 44, 63}, white, Shade::Flat);
        p.ellipse(30, 40, 23, open ? 21.0f : 19.0f, purple);
        p.ellipse(30, 46, 14, 10, lavender);
        if (open) {
            p.ellipse(30, 45, 15, 11, dark, Shade::Plain);
            p.ellipse(30, 52, 9, 4, red, Shade::Plain);
            // Teeth and a half-eaten can.
            for (int k = 0; k < 5; ++k) p.mark_poly({19.0f + k * 5, 35, 23.0f + k * 5, 35, 21.0f + k * 5, 39}, W);
            p.rrect(33, 42, 40, 50, 1, silver, Shade::Flat);
            p.mark_line(33, 45, 40, 45, R);
            p.mark_line(22, 47, 28, 44, G3);
        } else {
            // Cheeks bulging, chewing.
            p.ellipse(13, 46, 7, 6, purple);
            p.ellipse(47, 46, 7, 6, purple);
            p.mark_line(21, 47, 39, 47, K);
            p.mark_line(21, 47, 23, 49, K);
            p.mark_line(39, 47, 37, 49, K);
        }
        p.part(12, 10, 48, 26, [](float u, float v) {
            const float dx = (u - 30) / 16, dy = (v - 26) / 13;
            return dx * dx + dy * dy <= 1.0f && v <= 25;
        }, nullptr, blue, Shade::Round);
        p.rrect(10, 22, 42, 26, 1.5f, blue, Shade::Flat);
        sp.outline(K);
        c.blit(sp, 0, 0);
        for (int side = 0; side < 2; ++side) {
            const int x = side ? 34 : 21;
            if (open) {
                c.line(x, 28, x + 5, 31, K);
                c.line(x, 33, x + 5, 31, K);
            } else {
                c.rect(x, 29, x + 5, 33, W);
                c.rect(x + 2, 30, x + 4, 33, K);
                c.put(x + 2, 30, W);
            }
        }
        if (!open) {
            c.put(8, 20, LG);
            c.put(52, 30, LG);
        } else {
            c.rect(6, 14, 9, 17, TN);
            c.rect(53, 30, 56, 32, G3);
        }
        c.frame(0, 0, 64, 64, K);
        return c;
    }
    draw_bust(c, b);
    c.frame(0, 0, 64, 64, K);
    return c;
}

}  // namespace cggen
