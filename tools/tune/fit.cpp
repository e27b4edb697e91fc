#include "tune/fit.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>
#include <thread>

namespace qz::tune {

bool IsFitted(int weightIndex) {
  const std::string name = search::WeightName(weightIndex);
  for (const std::string_view fixed :
       {"attackWeight.", "dropThreat.", "attackUnitsMax", "trappedByAdvance.", "ringAttacked",
        "ringWeak", "dropCheck."})
    if (name.rfind(fixed, 0) == 0) return false;
  return true;
}

Features Extract(const std::vector<Sample>& samples, const search::EvalWeights& weights,
                 int threads) {
  const int count = search::WeightCount();
  std::vector<char> fitted(static_cast<std::size_t>(count));
  for (int j = 0; j < count; ++j) fitted[j] = IsFitted(j);
  const search::Evaluator eval(weights);
  threads = std::clamp(threads, 1, 16);
  // Each thread counts a slice; the slices are joined in order.
  std::vector<Features> parts(static_cast<std::size_t>(threads));
  auto work = [&](int t) {
    Features& part = parts[t];
    std::vector<double> counts(static_cast<std::size_t>(count));
    FastPosition fast;
    fast.SetTable(&eval.table());
    Position pos;
    Side side;
    std::string problem;
    const std::size_t from = samples.size() * t / threads, to = samples.size() * (t + 1) / threads;
    part.begin.push_back(0);
    for (std::size_t i = from; i < to; ++i) {
      if (!ToPosition(samples[i], pos, side, problem)) continue;
      fast.Set(pos, side);
      const int forMover = eval.Evaluate(fast);
      const double lower = side == SITA ? forMover : -forMover;
      std::fill(counts.begin(), counts.end(), 0.0);
      eval.AddCounts(fast, counts.data());
      double rest = lower;
      for (int j = 0; j < count; ++j) {
        if (!fitted[j] || counts[j] == 0) continue;
        rest -= counts[j] * search::WeightAt(weights, j);
        part.index.push_back(static_cast<std::uint16_t>(j));
        part.count.push_back(static_cast<float>(counts[j]));
      }
      part.begin.push_back(static_cast<std::uint32_t>(part.index.size()));
      part.rest.push_back(static_cast<float>(rest));
      part.result.push_back(samples[i].result * 0.5f);
      part.score.push_back(samples[i].score);
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) helpers.emplace_back(work, t);
  work(0);
  for (std::thread& h : helpers) h.join();
  Features all = std::move(parts[0]);
  for (int t = 1; t < threads; ++t) {
    const std::uint32_t base = static_cast<std::uint32_t>(all.index.size());
    for (std::size_t i = 1; i < parts[t].begin.size(); ++i)
      all.begin.push_back(base + parts[t].begin[i]);
    all.index.insert(all.index.end(), parts[t].index.begin(), parts[t].index.end());
    all.count.insert(all.count.end(), parts[t].count.begin(), parts[t].count.end());
    all.rest.insert(all.rest.end(), parts[t].rest.begin(), parts[t].rest.end());
    all.result.insert(all.result.end(), parts[t].result.begin(), parts[t].result.end());
    all.score.insert(all.score.end(), parts[t].score.begin(), parts[t].score.end());
  }
  return all;
}

double Sigmoid(double k, double e) { return 1.0 / (1.0 + std::exp(-k * e)); }

double LinearEval(const Features& f, std::size_t i, const std::vector<double>& w) {
  double e = f.rest[i];
  for (std::uint32_t n = f.begin[i]; n < f.begin[i + 1]; ++n) e += f.count[n] * w[f.index[n]];
  return e;
}

double MeanError(const std::vector<double>& evals, const std::vector<float>& targets, double k,
                 const std::vector<char>& use) {
  double sum = 0;
  std::size_t n = 0;
  for (std::size_t i = 0; i < evals.size(); ++i) {
    if (!use[i]) continue;
    const double d = Sigmoid(k, evals[i]) - targets[i];
    sum += d * d;
    ++n;
  }
  return n ? sum / static_cast<double>(n) : 0;
}

double FindK(const std::vector<double>& evals, const std::vector<float>& results,
             const std::vector<char>& use) {
  // Golden section over a range wide enough for any scale of hundredths.
  double lo = 1e-5, hi = 0.1;
  const double phi = (std::sqrt(5.0) - 1) / 2;
  double a = hi - phi * (hi - lo), b = lo + phi * (hi - lo);
  double fa = MeanError(evals, results, a, use), fb = MeanError(evals, results, b, use);
  for (int i = 0; i < 60; ++i) {
    if (fa < fb) {
      hi = b, b = a, fb = fa;
      a = hi - phi * (hi - lo);
      fa = MeanError(evals, results, a, use);
    } else {
      lo = a, a = b, fa = fb;
      b = lo + phi * (hi - lo);
      fb = MeanError(evals, results, b, use);
    }
  }
  return (lo + hi) / 2;
}

search::EvalWeights Fit(const Features& f, const search::EvalWeights& start,
                        const std::vector<char>& use, const FitSettings& settings,
                        FitReport& report, std::vector<float>& targets,
                        void (*progress)(int, double)) {
  const int count = search::WeightCount();
  std::vector<double> w(static_cast<std::size_t>(count)), w0(w.size());
  for (int j = 0; j < count; ++j) w[j] = w0[j] = search::WeightAt(start, j);
  const std::size_t n = f.size();
  std::vector<double> evals(n);
  for (std::size_t i = 0; i < n; ++i) evals[i] = LinearEval(f, i, w);
  report.k = FindK(evals, f.result, use);
  const double k = report.k;
  targets.resize(n);
  for (std::size_t i = 0; i < n; ++i)
    targets[i] = static_cast<float>(settings.resultShare * f.result[i] +
                                    (1 - settings.resultShare) * Sigmoid(k, f.score[i]));
  report.errorBefore = MeanError(evals, targets, k, use);

  std::vector<char> seen(w.size());
  for (std::uint16_t j : f.index) seen[j] = 1;
  for (int j = 0; j < count; ++j)
    for (const std::string& prefix : settings.fixed)
      if (search::WeightName(j).rfind(prefix, 0) == 0) seen[j] = 0;
  std::size_t used = 0;
  for (std::size_t i = 0; i < n; ++i) used += use[i] != 0;
  std::vector<double> grad(w.size()), m(w.size()), v(w.size());
  const double beta1 = 0.9, beta2 = 0.999;
  for (int it = 1; it <= settings.iterations; ++it) {
    // Adam's step never shrinks by itself, so with thousands of weights
    // each keeps jittering by about the step: the step falls on a cosine
    // from rate to finalRate times rate, and the weights settle.
    const double progressShare = static_cast<double>(it - 1) / std::max(1, settings.iterations - 1);
    const double floor = std::clamp(settings.finalRate, 0.0, 1.0);
    const double rate =
        settings.rate *
        (floor + (1 - floor) * 0.5 * (1 + std::cos(std::numbers::pi * progressShare)));
    std::fill(grad.begin(), grad.end(), 0.0);
    double error = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (!use[i]) continue;
      const double s = Sigmoid(k, LinearEval(f, i, w));
      const double d = s - targets[i];
      error += d * d;
      const double g = 2 * d * s * (1 - s) * k;
      for (std::uint32_t e = f.begin[i]; e < f.begin[i + 1]; ++e)
        grad[f.index[e]] += g * f.count[e];
    }
    error /= static_cast<double>(used ? used : 1);
    for (std::size_t j = 0; j < w.size(); ++j) {
      if (!seen[j]) continue;
      const double g =
          grad[j] / static_cast<double>(used ? used : 1) + 2 * settings.pull * (w[j] - w0[j]);
      m[j] = beta1 * m[j] + (1 - beta1) * g;
      v[j] = beta2 * v[j] + (1 - beta2) * g * g;
      const double mh = m[j] / (1 - std::pow(beta1, it)), vh = v[j] / (1 - std::pow(beta2, it));
      w[j] -= rate * mh / (std::sqrt(vh) + 1e-12);
    }
    if (progress && (it % 25 == 0 || it == settings.iterations)) progress(it, error);
  }
  search::EvalWeights out = start;
  for (int j = 0; j < count; ++j)
    if (seen[j]) search::WeightAt(out, j) = static_cast<int>(std::lround(w[j]));
  std::vector<double> rounded(w.size());
  for (int j = 0; j < count; ++j) rounded[j] = search::WeightAt(out, j);
  for (std::size_t i = 0; i < n; ++i) evals[i] = LinearEval(f, i, rounded);
  report.errorAfter = MeanError(evals, targets, k, use);
  return out;
}

}  // namespace qz::tune
