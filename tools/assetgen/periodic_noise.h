// Smooth noise that repeats exactly every width x height pixels, so that a
// tile built from it joins its neighbours without a seam.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

class PeriodicNoise {
 public:
  // Sums `waves` sinusoids whose wave numbers (cycles per tile) lie between
  // 1 and maxCyclesX / maxCyclesY; larger wave numbers get smaller amplitudes.
  PeriodicNoise(int width, int height, int waves, int maxCyclesX, int maxCyclesY,
                std::uint64_t seed);

  // Roughly in [-1, 1] at every point.
  double at(double x, double y) const;

 private:
  struct Wave {
    double kx, ky, amplitude, phase;
  };
  double width_, height_;
  std::vector<Wave> waves_;
};

}  // namespace assetgen
