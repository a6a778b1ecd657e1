#pragma once
// What an opponent carries (e_item, and en_item of its record): -1 nothing,
// 0 a random item, 1..499 that item, 1000 + id that garbage. Every rule that
// reads or writes it goes through this one decoder.
#include <cstdint>

namespace z2::carried {

inline constexpr int32_t kNothing = -1;
inline constexpr int32_t kRandom = 0;
inline constexpr int32_t kGarbageBase = 1000;  // garbage id g is carried as kGarbageBase + g
inline constexpr int32_t kIds = 500;           // item and garbage ids 0..499

enum class Kind : uint8_t { Nothing, Random, Item, Garbage };

struct Thing {
  Kind kind;
  int32_t id;  // the item or garbage id; -1 otherwise
};

// Anything else than the forms above (a damaged record) carries nothing.
constexpr Thing decode(int32_t e) {
  if (e == kRandom) return {Kind::Random, -1};
  if (e >= 1 && e < kIds) return {Kind::Item, e};
  if (e >= kGarbageBase && e < kGarbageBase + kIds) return {Kind::Garbage, e - kGarbageBase};
  return {Kind::Nothing, -1};
}

constexpr int32_t garbage(int32_t id) { return kGarbageBase + id; }

}  // namespace z2::carried
