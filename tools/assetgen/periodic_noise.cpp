#include "periodic_noise.h"

#include <cmath>
#include <numbers>

#include "deterministic_random.h"

namespace assetgen {

PeriodicNoise::PeriodicNoise(int width, int height, int waves, int maxCyclesX, int maxCyclesY,
                             std::uint64_t seed)
    : width_(width), height_(height) {
  DeterministicRandom random(seed);
  double total = 0.0;
  for (int i = 0; i < waves; ++i) {
    Wave w;
    // Integer cycles per tile keep the sum periodic; either may be zero but not both.
    do {
      w.kx = random.below(2 * maxCyclesX + 1) - maxCyclesX;
      w.ky = random.below(maxCyclesY + 1);
    } while (w.kx == 0 && w.ky == 0);
    const double frequency = std::sqrt(w.kx * w.kx + w.ky * w.ky);
    w.amplitude = random.range(0.5, 1.0) / frequency;
    w.phase = random.range(0.0, 2.0 * std::numbers::pi);
    total += w.amplitude;
    waves_.push_back(w);
  }
  // A sum of independent waves rarely reaches its bound; scaling by about half
  // of it keeps the typical value near the unit range.
  for (Wave& w : waves_) w.amplitude /= total * 0.5;
}

double PeriodicNoise::at(double x, double y) const {
  double sum = 0.0;
  for (const Wave& w : waves_) {
    sum += w.amplitude *
           std::sin(2.0 * std::numbers::pi * (w.kx * x / width_ + w.ky * y / height_) + w.phase);
  }
  return sum;
}

}  // namespace assetgen
