#pragma once
#include <cstdint>
#include <random>
#include <vector>

namespace z2 {

// The safety cap of every "draw until usable": the draws first check that a
// match exists, so with usable data the cap is never reached.
inline constexpr int kDrawCap = 100000;

// The one random source of the game. random(n) gives 0..n-1, and 0 when n <= 0.
class Random {
 public:
  virtual ~Random() = default;
  virtual int32_t random(int32_t n) = 0;
};

class SeededRandom : public Random {
 public:
  explicit SeededRandom(uint32_t seed) : mt_(seed) {}
  int32_t random(int32_t n) override {
    if (n <= 0) return 0;
    return static_cast<int32_t>((uint64_t{mt_()} * static_cast<uint32_t>(n)) >> 32);
  }
  void reseed(uint32_t seed) { mt_.seed(seed); }

 private:
  std::mt19937 mt_;
};

// Plays back a fixed sequence (for tests): each draw takes the next value,
// reduced into range; when the sequence runs out every draw gives 0.
class ScriptedRandom : public Random {
 public:
  explicit ScriptedRandom(std::vector<int32_t> seq = {}) : seq_(std::move(seq)) {}
  int32_t random(int32_t n) override {
    draws.push_back(n);
    if (n <= 0) return 0;
    if (pos_ >= seq_.size()) return 0;
    int32_t v = seq_[pos_++];
    return v < 0 ? 0 : (v >= n ? n - 1 : v);
  }
  void push(std::initializer_list<int32_t> v) { seq_.insert(seq_.end(), v); }
  std::vector<int32_t> draws;  // the n of every draw, in order

 private:
  std::vector<int32_t> seq_;
  size_t pos_ = 0;
};

}  // namespace z2
