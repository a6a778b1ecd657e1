// The one palette every picture of the game is drawn with, and the shading ramps built on it.
#pragma once
#include <array>
#include <cstdint>

namespace cggen {

// Palette indices. 32 colours; kClear marks an empty pixel of a sprite layer.
inline constexpr uint8_t K = 0;  // ink
inline constexpr uint8_t D1 = 1, D2 = 2, VI = 3, LV = 4;           // night purple .. lavender
inline constexpr uint8_t MG = 5, PK = 6;                           // magenta, pink
inline constexpr uint8_t RD = 7, R = 8, OR = 9, YL = 10, CR = 11;  // dark red .. cream
inline constexpr uint8_t BR = 12, BN = 13, TN = 14, SK = 15;       // dark brown .. skin
inline constexpr uint8_t DG = 16, G = 17, LG = 18, OL = 19;        // greens, olive
inline constexpr uint8_t TE = 20, CY = 21;                         // teal, cyan
inline constexpr uint8_t NB = 22, B = 23, LB = 24, SY = 25;        // navy .. pale sky
inline constexpr uint8_t G1 = 26, G2 = 27, G3 = 28, W = 29;        // greys, white
inline constexpr uint8_t SN = 30, GD = 31;                         // sand, gold
inline constexpr int kPaletteSize = 32;
inline constexpr uint8_t kClear = 255;

uint32_t rgb_of(uint8_t index);
// Perceived brightness 0..1.
float luma(uint8_t index);

// Four tones, dark to light: contour, shadow, base, light.
struct Ramp {
    uint8_t c[4];
    uint8_t contour() const { return c[0]; }
    uint8_t shadow() const { return c[1]; }
    uint8_t base() const { return c[2]; }
    uint8_t light() const { return c[3]; }
};

namespace ramps {
inline constexpr Ramp red{{D1, RD, R, OR}};
inline constexpr Ramp orange{{RD, R, OR, YL}};
inline constexpr Ramp gold{{BR, GD, YL, CR}};
inline constexpr Ramp yellow{{BN, GD, YL, CR}};
inline constexpr Ramp brown{{D1, BR, BN, TN}};
inline constexpr Ramp tan{{BR, BN, TN, SK}};
inline constexpr Ramp skin{{BN, TN, SK, CR}};
inline constexpr Ramp sand{{BN, TN, SN, CR}};
inline constexpr Ramp green{{K, DG, G, LG}};
inline constexpr Ramp lime{{DG, G, LG, CR}};
inline constexpr Ramp olive{{K, DG, OL, SN}};
inline constexpr Ramp teal{{K, NB, TE, CY}};
inline constexpr Ramp cyan{{NB, TE, CY, SY}};
inline constexpr Ramp blue{{K, NB, B, LB}};
inline constexpr Ramp sky{{NB, B, LB, SY}};
inline constexpr Ramp purple{{K, D2, VI, LV}};
inline constexpr Ramp lavender{{D2, VI, LV, W}};
inline constexpr Ramp magenta{{D1, D2, MG, PK}};
inline constexpr Ramp pink{{D2, MG, PK, CR}};
inline constexpr Ramp gray{{K, G1, G2, G3}};
inline constexpr Ramp silver{{G1, G2, G3, W}};
inline constexpr Ramp white{{G2, G3, W, W}};
inline constexpr Ramp dark{{K, K, G1, G2}};
inline constexpr Ramp night{{K, K, D1, D2}};
inline constexpr Ramp ink{{K, K, K, G1}};
}  // namespace ramps

}  // namespace cggen
