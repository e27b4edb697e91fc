#include "sound_effects.h"

#include <cmath>
#include <numbers>

#include "deterministic_random.h"

namespace assetgen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

std::vector<double> Silence(double seconds) {
  return std::vector<double>(static_cast<std::size_t>(seconds * kSampleRate), 0.0);
}

// A decaying sine starting at `start` seconds.
void AddPartial(std::vector<double>& out, double start, double hz, double amplitude,
                double decaySeconds, double attackSeconds) {
  const std::size_t first = static_cast<std::size_t>(start * kSampleRate);
  for (std::size_t i = first; i < out.size(); ++i) {
    const double t = static_cast<double>(i - first) / kSampleRate;
    const double attack = t < attackSeconds ? t / attackSeconds : 1.0;
    out[i] += amplitude * attack * std::exp(-t / decaySeconds) * std::sin(kTwoPi * hz * t);
  }
}

// Brings the last few milliseconds smoothly to zero so that no sound ends in a click.
void FadeOut(std::vector<double>& out, double seconds) {
  const std::size_t n = std::min(out.size(), static_cast<std::size_t>(seconds * kSampleRate));
  for (std::size_t k = 0; k < n; ++k) {
    const double g = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(k) / n);
    out[out.size() - 1 - k] *= g;
  }
}

void Normalise(std::vector<double>& out, double peak) {
  double max = 0.0;
  for (double s : out) max = std::max(max, std::abs(s));
  if (max > 0.0) {
    for (double& s : out) s *= peak / max;
  }
}

}  // namespace

BandPass::BandPass(double centreHz, double q, int sampleRate) {
  const double w = kTwoPi * centreHz / sampleRate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  b0_ = alpha / a0;
  b2_ = -alpha / a0;
  a1_ = -2.0 * std::cos(w) / a0;
  a2_ = (1.0 - alpha) / a0;
}

double BandPass::operator()(double x) {
  const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

std::vector<double> SoftChime() {
  // Two bell strikes a fourth apart; the partials of a small bell are not
  // harmonic, which gives the chime its glassy colour.
  std::vector<double> out = Silence(1.6);
  const double ratios[] = {1.0, 2.0, 2.76, 5.40};
  const double levels[] = {1.0, 0.35, 0.22, 0.06};
  const double decays[] = {0.55, 0.35, 0.22, 0.08};
  const double notes[] = {783.99, 1046.50};  // G5, C6
  for (int n = 0; n < 2; ++n) {
    for (int k = 0; k < 4; ++k) {
      AddPartial(out, 0.16 * n, notes[n] * ratios[k], levels[k] * (n == 0 ? 0.8 : 1.0),
                 decays[k] * (n == 0 ? 0.8 : 1.4), 0.004);
    }
  }
  FadeOut(out, 0.2);
  Normalise(out, 0.5);
  return out;
}

std::vector<double> RefusalBuzz() {
  // Two short low beeps of a mellowed square wave (odd harmonics only).
  std::vector<double> out = Silence(0.30);
  const double hz = 150.0;
  const double beepStart[] = {0.0, 0.15}, beepLength = 0.11, edge = 0.008;
  for (double start : beepStart) {
    const std::size_t first = static_cast<std::size_t>(start * kSampleRate);
    const std::size_t count = static_cast<std::size_t>(beepLength * kSampleRate);
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
      const double t = static_cast<double>(i) / kSampleRate;
      double gate = 1.0;
      if (t < edge) gate = t / edge;
      if (t > beepLength - edge) gate = (beepLength - t) / edge;
      double wave = 0.0;
      for (int h = 1; h <= 15; h += 2) wave += std::sin(kTwoPi * hz * h * t) / (h * std::sqrt(h));
      out[first + i] += gate * wave;
    }
  }
  Normalise(out, 0.45);
  return out;
}

std::vector<double> PieceClick() {
  // The sharp contact: a few milliseconds of noise, band-passed high.
  std::vector<double> out = Silence(0.22);
  DeterministicRandom random(0x50414348);  // "PACH"
  BandPass contact(2600.0, 1.2, kSampleRate);
  BandPass knock(900.0, 2.0, kSampleRate);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double noise = random.range(-1.0, 1.0) * std::exp(-t / 0.0025);
    out[i] = 1.4 * contact(noise) + 0.8 * knock(noise);
  }
  // The body: a few wooden modes of the piece and the board, the lowest one
  // ringing longest.
  AddPartial(out, 0.0, 190.0, 0.30, 0.035, 0.0008);
  AddPartial(out, 0.0, 420.0, 0.22, 0.025, 0.0005);
  AddPartial(out, 0.0, 1180.0, 0.16, 0.018, 0.0003);
  AddPartial(out, 0.0, 2350.0, 0.08, 0.010, 0.0002);
  FadeOut(out, 0.05);
  Normalise(out, 0.8);
  return out;
}

}  // namespace assetgen
