#pragma once
// 32-bit arithmetic with defined results. The game's numbers are 32-bit
// signed; C++ overflow is undefined, so every place that can overflow goes
// through one of these.
#include <cstdint>
#include <limits>

namespace z2 {

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

// Sums and products stop at the 32-bit limits instead of wrapping: a huge
// total stays huge and never turns negative.
inline int32_t sat(int64_t v) {
  if (v > kIntMax) return kIntMax;
  if (v < kIntMin) return kIntMin;
  return static_cast<int32_t>(v);
}
inline int32_t sat_add(int32_t a, int32_t b) { return sat(int64_t{a} + b); }
inline int32_t sat_sub(int32_t a, int32_t b) { return sat(int64_t{a} - b); }
inline int32_t sat_mul(int32_t a, int32_t b) { return sat(int64_t{a} * b); }

// Division that drops the fraction; kIntMin / -1 saturates and division by
// zero gives 0 instead of trapping.
inline int32_t div0(int32_t a, int32_t b) {
  if (b == 0) return 0;
  if (b == -1) return sat_sub(0, a);
  return a / b;
}
inline int32_t mod0(int32_t a, int32_t b) {
  if (b == 0 || b == -1) return 0;
  return a % b;
}

inline int32_t clamp_i(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The cap of an ordinary gift to an owned count (and of the escape counter).
inline constexpr int32_t kCountCap = 99;

// An ordinary gift: the count grows by n and stops at the cap. A count that a
// prize already took past the cap keeps its value: a gift never lowers it.
inline void give_capped(int32_t& have, int32_t n) {
  if (have >= kCountCap) return;
  have = sat_add(have, n) > kCountCap ? kCountCap : have + n;
}

}  // namespace z2
