// The three short sounds: a soft chime, the refusal buzz and the click of a
// piece set down on the board.
#pragma once

#include <vector>

namespace assetgen {

constexpr int kSampleRate = 22050;

std::vector<double> SoftChime();
std::vector<double> RefusalBuzz();
std::vector<double> PieceClick();

// A two-pole resonant band-pass filter (constant peak gain).
class BandPass {
 public:
  BandPass(double centreHz, double q, int sampleRate);
  double operator()(double x);

 private:
  double b0_, b2_, a1_, a2_;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace assetgen
