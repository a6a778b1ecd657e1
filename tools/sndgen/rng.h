#pragma once
// A small seeded generator (splitmix64): the same seed gives the same bytes on
// every machine and library, unlike the distributions of <random>.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace z2::sndgen {

class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed) {}

  uint64_t next() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 <= x < 1
  double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  // -1 <= x < 1
  double bipolar() { return uniform() * 2.0 - 1.0; }
  // 0..n-1, 0 when n <= 0
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  bool chance(double p) { return uniform() < p; }
  // Index drawn by the given weights (all >= 0); 0 when they sum to 0.
  size_t weighted(const std::vector<double>& w) {
    double sum = 0;
    for (double x : w) sum += x;
    if (sum <= 0) return 0;
    double r = uniform() * sum;
    for (size_t i = 0; i < w.size(); ++i) {
      if (r < w[i]) return i;
      r -= w[i];
    }
    return w.size() - 1;
  }

 private:
  uint64_t s_;
};

// Stable seed from a name, so each piece or part has its own stream.
inline uint64_t seed_of(std::string_view text, uint64_t salt = 0) {
  uint64_t h = 1469598103934665603ull ^ salt;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  return h;
}

}  // namespace z2::sndgen
