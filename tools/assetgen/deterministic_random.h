// A small seeded generator: the assets must come out byte for byte the same on
// every run, so nothing here depends on the standard library's distributions.
#pragma once

#include <cstdint>

namespace assetgen {

class DeterministicRandom {
 public:
  explicit DeterministicRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Uniform in [0, 1).
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

  // Uniform in [lo, hi).
  double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

  // Uniform integer in [0, n).
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

}  // namespace assetgen
