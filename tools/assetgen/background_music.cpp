#include "background_music.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "deterministic_random.h"
#include "sound_effects.h"

namespace assetgen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 10;
constexpr int kSamplesPerBeat = kSampleRate * 60 / 75;  // 75 beats a minute, exact
constexpr int kLoopSamples = kSamplesPerBeat * kBeatsPerBar * kBars;

double MidiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// One plucked string (Karplus-Strong): a burst of noise circulating in a delay
// line whose averaging filter makes the high partials die first, as on a koto.
std::vector<double> Pluck(double hz, double seconds, double ringSeconds, std::uint64_t seed) {
  const double period = static_cast<double>(kSampleRate) / hz;
  // The averaging filter delays by half a sample; a first-order all-pass
  // supplies the rest of the fractional period so that the pitch is exact.
  const int length = static_cast<int>(std::floor(period - 0.5));
  const double fraction = period - 0.5 - length;
  const double c = (1.0 - fraction) / (1.0 + fraction);
  std::vector<double> line(static_cast<std::size_t>(length));
  DeterministicRandom random(seed);
  double smooth = 0.0, mean = 0.0;
  for (double& s : line) {
    // A slightly softened pick: bright, but not harsh.
    smooth = 0.45 * random.range(-1.0, 1.0) + 0.55 * smooth;
    s = smooth;
    mean += s;
  }
  mean /= length;
  for (double& s : line) s -= mean;

  const double loss = std::pow(0.001, 1.0 / (hz * ringSeconds));
  std::vector<double> out(static_cast<std::size_t>(seconds * kSampleRate));
  double previous = 0.0, apIn = 0.0, apOut = 0.0;
  std::size_t pos = 0;
  for (double& o : out) {
    const double current = line[pos];
    const double averaged = loss * 0.5 * (current + previous);
    previous = current;
    const double tuned = c * averaged + apIn - c * apOut;
    apIn = averaged;
    apOut = tuned;
    line[pos] = tuned;
    o = current;
    pos = (pos + 1) % line.size();
  }
  // Damp the very end so that the note leaves no step behind.
  const std::size_t tail = std::min<std::size_t>(out.size(), kSampleRate / 20);
  for (std::size_t k = 0; k < tail; ++k) {
    out[out.size() - 1 - k] *= static_cast<double>(k) / tail;
  }
  return out;
}

struct Note {
  double beat;  // from the start of the loop
  int midi;
  double velocity;
};

// Hirajoshi-like tuning on D: D E F A B-flat.
std::vector<Note> Melody() {
  struct BarNote {
    int bar;
    double beat;
    int midi;
    double velocity;
  };
  const BarNote notes[] = {
      {0, 0.0, 69, 0.9}, {0, 1.5, 70, 0.6}, {0, 2.0, 69, 0.7}, {0, 3.0, 65, 0.7}, {1, 0.0, 64, 0.8},
      {1, 1.0, 65, 0.5}, {1, 2.0, 62, 0.8}, {2, 0.0, 62, 0.7}, {2, 0.5, 64, 0.5}, {2, 1.0, 65, 0.6},
      {2, 2.0, 69, 0.8}, {2, 3.0, 70, 0.7}, {3, 0.0, 74, 0.9}, {3, 1.5, 70, 0.6}, {3, 2.0, 69, 0.7},
      {3, 3.5, 65, 0.5}, {4, 0.0, 69, 0.8}, {4, 2.0, 64, 0.7}, {4, 2.5, 65, 0.5}, {4, 3.0, 64, 0.6},
      {5, 0.0, 62, 0.8}, {5, 3.0, 57, 0.6}, {6, 0.0, 58, 0.7}, {6, 1.0, 62, 0.6}, {6, 2.0, 64, 0.7},
      {6, 2.5, 65, 0.5}, {6, 3.0, 69, 0.7}, {7, 0.0, 70, 0.9}, {7, 1.0, 69, 0.6}, {7, 1.5, 65, 0.5},
      {7, 2.0, 64, 0.7}, {7, 3.0, 62, 0.6}, {8, 0.0, 64, 0.7}, {8, 1.0, 65, 0.6}, {8, 2.5, 64, 0.5},
      {8, 3.0, 62, 0.6}, {9, 0.0, 62, 0.9}, {9, 3.0, 65, 0.4}, {9, 3.5, 69, 0.5},
  };
  // Low plucks on beats 1 and 3 of every bar: the root and its fifth.
  const int roots[kBars] = {50, 46, 50, 46, 45, 50, 46, 45, 46, 50};
  std::vector<Note> all;
  for (const BarNote& n : notes) {
    all.push_back({n.bar * kBeatsPerBar + n.beat, n.midi, n.velocity});
  }
  for (int bar = 0; bar < kBars; ++bar) {
    all.push_back({bar * kBeatsPerBar + 0.0, roots[bar], 0.55});
    all.push_back({bar * kBeatsPerBar + 2.0, roots[bar] + 7, 0.35});
  }
  return all;
}

// Sine drone whose frequency is rounded so that it completes a whole number of
// cycles in one loop, so that it joins itself seamlessly.
void AddDrone(std::vector<double>& loop, double hz, double level) {
  const double cycles = std::round(hz * kLoopSamples / kSampleRate);
  const double swellCycles = 5.0;  // slow breathing, also whole cycles per loop
  for (std::size_t i = 0; i < loop.size(); ++i) {
    const double phase = static_cast<double>(i) / kLoopSamples;
    const double swell = 0.75 + 0.25 * std::sin(kTwoPi * swellCycles * phase);
    loop[i] += level * swell * std::sin(kTwoPi * cycles * phase);
  }
}

// A small Schroeder reverberator; run over the loop twice and keep the second
// pass, so that the echoes of the end of the loop fall on its beginning.
std::vector<double> Reverberate(const std::vector<double>& loop, double wet) {
  struct Comb {
    std::vector<double> line;
    std::size_t pos = 0;
    double feedback;
  };
  struct AllPass {
    std::vector<double> line;
    std::size_t pos = 0;
  };
  Comb combs[] = {{std::vector<double>(1116 / 2), 0, 0.83},
                  {std::vector<double>(1188 / 2), 0, 0.82},
                  {std::vector<double>(1277 / 2), 0, 0.81},
                  {std::vector<double>(1356 / 2), 0, 0.80}};
  AllPass passes[] = {{std::vector<double>(556 / 2)}, {std::vector<double>(441 / 2)}};
  std::vector<double> out(loop.size());
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < loop.size(); ++i) {
      const double x = loop[i];
      double sum = 0.0;
      for (Comb& c : combs) {
        const double y = c.line[c.pos];
        c.line[c.pos] = x + c.feedback * y;
        c.pos = (c.pos + 1) % c.line.size();
        sum += y;
      }
      sum *= 0.25;
      for (AllPass& a : passes) {
        const double delayed = a.line[a.pos];
        const double y = -0.5 * sum + delayed;
        a.line[a.pos] = sum + 0.5 * y;
        a.pos = (a.pos + 1) % a.line.size();
        sum = y;
      }
      out[i] = x + wet * sum;
    }
  }
  return out;
}

}  // namespace

std::vector<double> BackgroundMusic() {
  std::vector<double> loop(kLoopSamples, 0.0);
  std::uint64_t seed = 0x4B4F544F;  // "KOTO"
  for (const Note& n : Melody()) {
    const double hz = MidiHz(n.midi);
    const double ring = n.midi < 55 ? 3.2 : 2.2;
    const std::vector<double> pluck = Pluck(hz, ring + 0.5, ring, seed++);
    const std::size_t start = static_cast<std::size_t>(std::llround(n.beat * kSamplesPerBeat));
    // Tails that run past the end of the loop wrap around to its beginning.
    for (std::size_t k = 0; k < pluck.size(); ++k) {
      loop[(start + k) % loop.size()] += n.velocity * pluck[k];
    }
  }
  AddDrone(loop, MidiHz(50), 0.05);
  AddDrone(loop, MidiHz(57), 0.03);
  AddDrone(loop, MidiHz(38), 0.04);
  std::vector<double> wet = Reverberate(loop, 0.35);

  // Raise the quiet passages and round off the pluck attacks, so that the
  // music stays soft but audible under the sound effects.
  double power = 0.0;
  for (double s : wet) power += s * s;
  const double rms = std::sqrt(power / wet.size());
  for (double& s : wet) s = 0.7 * std::tanh(s * (0.075 / rms) / 0.7);

  // Start the file a moment before the first downbeat, where the wave crosses
  // zero upwards with the smallest step, so that the first and the last
  // sample are both nearly silent. The loop keeps its length: only its
  // starting point moves, by a few milliseconds.
  const std::size_t n = wet.size();
  std::size_t best = 0;
  double bestStep = 1e9;
  for (std::size_t i = n - kSamplesPerBeat / 4; i < n; ++i) {
    if (wet[i - 1] < 0.0 && wet[i] >= 0.0) {
      const double step = wet[i] - wet[i - 1];
      if (step < bestStep) {
        bestStep = step;
        best = i;
      }
    }
  }
  std::vector<double> out(wet.size());
  for (std::size_t i = 0; i < wet.size(); ++i) out[i] = wet[(best + i) % wet.size()];
  return out;
}

}  // namespace assetgen
