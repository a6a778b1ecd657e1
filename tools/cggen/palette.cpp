#include "palette.h"

namespace cggen {

namespace {
constexpr std::array<uint32_t, kPaletteSize> kRgb = {
    0x140f1e,  // K
    0x2b1d3f, 0x4d2b5e, 0x6b45b5, 0xb08ae6,
    0xa8327e, 0xec6fa8,
    0x7d1f2c, 0xcc3a3a, 0xec7d2f, 0xf7d051, 0xfff4c4,
    0x4a2c20, 0x8b5634, 0xc98f5e, 0xf2c29a,
    0x1d4a31, 0x3b8c3e, 0x93d04f, 0x6e6b2c,
    0x1d6470, 0x48c4cb,
    0x1d2858, 0x3360be, 0x6ea8f0, 0xbfe4f7,
    0x3a3a4a, 0x6b6b7e, 0xa9a9b8, 0xf7f7ee,
    0xdcc08a, 0xb5861f,
};
}  // namespace

uint32_t rgb_of(uint8_t index) {
    return index < kPaletteSize ? kRgb[index] : 0xff00ff;
}

float luma(uint8_t index) {
    const uint32_t c = rgb_of(index);
    const float r = static_cast<float>((c >> 16) & 255), g = static_cast<float>((c >> 8) & 255), b = static_cast<float>(c & 255);
    return (0.299f * r + 0.587f * g + 0.114f * b) / 255.0f;
}

}  // namespace cggen
