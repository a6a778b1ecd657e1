#include "chaos_names.h"

#include <array>

namespace z2::autoplay {

namespace {

// Pieces a name is made of. Never a line break: the field has one line, and a
// script line could not hold it.
constexpr std::array kHeld = {
    "ア", "レ", "ク", "剣", "の", "ザ", "ン", "ド", "ｱ", "ｼﾞ", "ﾟ", "A", "z", "0", "9", " ", "-", "!", "☆", "★",
    "△", "Ω", "α", "～", "〜", "①", "髙", "﨑", "ー", "・", "\t", "\\", "%s", "\"", "#",
};
// Characters without a CP932 form.
constexpr std::array kForeign = {"é", "ß", "€", "😀", "한", "ẞ", "\u00a0", "\u200b", "\ufeff", "\U0001F9D9"};
// Bytes that are no whole character: a CP932 lead byte alone, a UTF-8
// sequence cut short, a trail byte alone, the game's own raw-byte
// characters (which stand for bytes read from a damaged file).
constexpr std::array kCut = {"\x82", "\x83\x41", "\xe3\x82", "\xe3", "\x80", "\xff", "\xef\x9e\x82", "\xc3"};

}  // namespace

std::string random_name(std::mt19937_64& pick) {
  auto below = [&](size_t n) { return static_cast<size_t>(std::uniform_int_distribution<size_t>(0, n - 1)(pick)); };
  const size_t kind = below(10);
  if (kind == 0) return {};
  const size_t length = kind == 1 ? 20 + below(60) : 1 + below(8);
  std::string name;
  for (size_t i = 0; i < length; ++i) {
    const size_t r = below(20);
    if (kind >= 7 && r == 0) {
      name += kForeign[below(kForeign.size())];
    } else if (kind >= 7 && r == 1) {
      name += kCut[below(kCut.size())];
    } else {
      name += kHeld[below(kHeld.size())];
    }
  }
  return name;
}

}  // namespace z2::autoplay
