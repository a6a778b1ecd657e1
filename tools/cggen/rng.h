// Seeded randomness: every picture draws from a generator seeded by its own name, never the clock.
#pragma once
#include <cstdint>
#include <string_view>

namespace cggen {

inline uint64_t hash_str(std::string_view s) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

inline uint64_t mix(uint64_t a, uint64_t b) {
    uint64_t z = a ^ (b + 0x9e3779b97f4a7c15ull + (a << 6) + (a >> 2));
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint64_t next() {
        uint64_t z = (s_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // 0..n-1, 0 when n <= 0
    int range(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }
    int between(int lo, int hi) { return lo + range(hi - lo + 1); }
    float unit() { return static_cast<float>(next() >> 40) / 16777216.0f; }
    float between(float lo, float hi) { return lo + (hi - lo) * unit(); }
    bool chance(int n) { return range(n) == 0; }
    template <class T, std::size_t N>
    const T& pick(const T (&arr)[N]) { return arr[range(static_cast<int>(N))]; }

private:
    uint64_t s_;
};

}  // namespace cggen
