#pragma once
// 32-bit arithmetic with defined results. The game's numbers are 32-bit
// signed; C++ overflow is undefined, so every place that can overflow goes
// through one of these.
#include <cstdint>
#include <limits>

namespace z2 {

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

// Two's-complement wrap, as the original 32-bit arithmetic behaves.
inline int32_t wrap_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrap_sub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t wrap_mul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// Saturating forms, for sums that must never turn negative by overflow.
inline int32_t sat(int64_t v) {
  if (v > kIntMax) return kIntMax;
  if (v < kIntMin) return kIntMin;
  return static_cast<int32_t>(v);
}
inline int32_t sat_add(int32_t a, int32_t b) { return sat(int64_t{a} + b); }
inline int32_t sat_sub(int32_t a, int32_t b) { return sat(int64_t{a} - b); }
inline int32_t sat_mul(int32_t a, int32_t b) { return sat(int64_t{a} * b); }

// Division that drops the fraction; kIntMin / -1 and division by zero are
// given defined results instead of trapping.
inline int32_t div0(int32_t a, int32_t b) {
  if (b == 0) return 0;
  if (b == -1) return wrap_sub(0, a);
  return a / b;
}
inline int32_t mod0(int32_t a, int32_t b) {
  if (b == 0 || b == -1) return 0;
  return a % b;
}

inline int32_t clamp_i(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace z2
