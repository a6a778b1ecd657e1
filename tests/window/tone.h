#pragma once
// A short square tone as a mono 16-bit wave at 22.05 kHz, for the window
// tests that need an effect that is really heard.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace z2::test {

inline void write_tone(const std::filesystem::path& p, int ms) {
  const int rate = 22050, n = rate * ms / 1000;
  std::string pcm;
  for (int i = 0; i < n; ++i) {
    const int16_t v = (i / 25) % 2 ? 8000 : -8000;
    pcm.append(reinterpret_cast<const char*>(&v), 2);
  }
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  std::ofstream(p, std::ios::binary) << "RIFF" + u32(36 + static_cast<uint32_t>(pcm.size())) + "WAVEfmt " + u32(16) +
                                            u16(1) + u16(1) + u32(rate) + u32(rate * 2) + u16(2) + u16(16) + "data" +
                                            u32(static_cast<uint32_t>(pcm.size())) + pcm;
}

}  // namespace z2::test
