// qz_tune: positions by self-play, and the evaluation's weights fitted to
// them (Texel's method).
//
//   qz_tune gen --games N --nodes K --out FILE [--seed S] [--threads T]
//               [--random-plies R] [--skip-plies P] [--minutes M]
//   qz_tune fit --data FILE [--data FILE2 ...] --out WEIGHTS [--iterations N]
//               [--weights START] [--rate R] [--final-rate F] [--pull L] [--result-share F]
//               [--threads T]
//               [--fixed NAME-PREFIX ...]
//
// fit holds every tenth position out of the fit and reports the error on
// both parts, first of the linear model, then of the evaluation itself
// with the weights before and after.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "search/evaluation.h"
#include "tune/fit.h"
#include "tune/generate.h"
#include "tune/tune_data.h"

namespace {

using namespace qz;
using namespace qz::tune;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool ReadText(const std::string& path, std::string& text) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return false;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0 && text.size() < (1 << 20);)
    text.append(chunk, n);
  std::fclose(in);
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: qz_tune gen --games N --nodes K --out FILE [--seed S] [--threads T]\n"
               "       qz_tune fit --data FILE [--data FILE ...] --out WEIGHTS [--iterations N]\n");
  return 2;
}

bool Number(const std::string& text, long long lo, long long hi, long long& out) {
  char* end = nullptr;
  out = std::strtoll(text.c_str(), &end, 10);
  return !text.empty() && *end == 0 && out >= lo && out <= hi;
}

bool Real(const std::string& text, double& out) {
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == 0;
}

int Gen(int argc, char** argv) {
  GenerateSettings s;
  std::string out;
  for (int i = 2; i < argc; i += 2) {
    const std::string k = argv[i];
    if (i + 1 >= argc) return Usage();
    const std::string v = argv[i + 1];
    long long n = 0;
    bool ok = true;
    if (k == "--games")
      ok = Number(v, 1, 10000000, n), s.games = static_cast<int>(n);
    else if (k == "--nodes")
      ok = Number(v, 1, 1000000000, n), s.nodes = static_cast<std::uint64_t>(n);
    else if (k == "--seed")
      ok = Number(v, 0, 1LL << 62, n), s.seed = static_cast<std::uint64_t>(n);
    else if (k == "--threads")
      ok = Number(v, 1, 64, n), s.threads = static_cast<int>(n);
    else if (k == "--random-plies")
      ok = Number(v, 0, 40, n), s.randomPlies = static_cast<int>(n);
    else if (k == "--minutes")
      ok = Number(v, 0, 10000, n), s.minutes = static_cast<int>(n);
    else if (k == "--skip-plies")
      ok = Number(v, 0, 1000, n), s.skipPlies = static_cast<int>(n);
    else if (k == "--out")
      out = v;
    else
      ok = false;
    if (!ok) {
      std::fprintf(stderr, "qz_tune gen: bad option %s %s\n", k.c_str(), v.c_str());
      return 2;
    }
  }
  if (out.empty()) return Usage();
  const auto start = std::chrono::steady_clock::now();
  std::vector<Sample> samples;
  const GenerateReport r = Generate(s, samples, [](int games, std::size_t positions) {
    if (games % 100 == 0) std::fprintf(stderr, "%d games, %zu positions\n", games, positions);
  });
  std::string problem;
  if (!WriteSamples(out, samples, problem)) {
    std::fprintf(stderr, "qz_tune gen: %s\n", problem.c_str());
    return 1;
  }
  std::printf("%d games (lower %d, upper %d, unfinished %d), %llu plies, %zu positions, %.0f s\n",
              r.games, r.lowerWins, r.upperWins, r.unfinished,
              static_cast<unsigned long long>(r.plies), samples.size(), Seconds(start));
  return 0;
}

// The evaluation's own error (lower army's view, its limit applied).
void TrueErrors(const std::vector<Sample>& samples, const search::EvalWeights& w,
                const std::vector<float>& targets, double k, double& fitted, double& held) {
  const search::Evaluator eval(w);
  FastPosition fast;
  fast.SetTable(&eval.table());
  Position pos;
  Side side;
  std::string problem;
  double sum[2] = {}, n[2] = {};
  std::size_t t = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (!ToPosition(samples[i], pos, side, problem)) continue;
    fast.Set(pos, side);
    const int e = eval.Evaluate(fast);
    const double d = Sigmoid(k, side == SITA ? e : -e) - targets[t];
    const int part = t % 10 == 9 ? 1 : 0;
    sum[part] += d * d;
    n[part] += 1;
    ++t;
  }
  fitted = n[0] ? sum[0] / n[0] : 0;
  held = n[1] ? sum[1] / n[1] : 0;
}

int FitCommand(int argc, char** argv) {
  std::vector<std::string> data;
  std::string out, startFile;
  FitSettings s;
  int threads = 2;
  for (int i = 2; i < argc; i += 2) {
    const std::string k = argv[i];
    if (i + 1 >= argc) return Usage();
    const std::string v = argv[i + 1];
    long long n = 0;
    bool ok = true;
    if (k == "--data")
      data.push_back(v);
    else if (k == "--out")
      out = v;
    else if (k == "--weights")
      startFile = v;
    else if (k == "--iterations")
      ok = Number(v, 1, 100000, n), s.iterations = static_cast<int>(n);
    else if (k == "--threads")
      ok = Number(v, 1, 16, n), threads = static_cast<int>(n);
    else if (k == "--rate")
      ok = Real(v, s.rate) && s.rate > 0;
    else if (k == "--final-rate")
      ok = Real(v, s.finalRate) && s.finalRate >= 0 && s.finalRate <= 1;
    else if (k == "--pull")
      ok = Real(v, s.pull) && s.pull >= 0;
    else if (k == "--fixed")
      s.fixed.push_back(v);
    else if (k == "--result-share")
      ok = Real(v, s.resultShare) && s.resultShare >= 0 && s.resultShare <= 1;
    else
      ok = false;
    if (!ok) {
      std::fprintf(stderr, "qz_tune fit: bad option %s %s\n", k.c_str(), v.c_str());
      return 2;
    }
  }
  if (data.empty() || out.empty()) return Usage();
  search::EvalWeights start = search::DefaultWeights();
  std::string problem;
  if (!startFile.empty()) {
    std::string text;
    if (!ReadText(startFile, text) || !search::ParseWeights(text, start, problem)) {
      std::fprintf(stderr, "qz_tune fit: %s: %s\n", startFile.c_str(),
                   problem.empty() ? "cannot be read" : problem.c_str());
      return 1;
    }
  }
  auto clock = std::chrono::steady_clock::now();
  std::vector<Sample> samples;
  for (const std::string& file : data)
    if (!ReadSamples(file, samples, problem)) {
      std::fprintf(stderr, "qz_tune fit: %s\n", problem.c_str());
      return 1;
    }
  std::printf("%zu positions read in %.1f s\n", samples.size(), Seconds(clock));
  clock = std::chrono::steady_clock::now();
  const Features f = Extract(samples, start, threads);
  std::printf("counted in %.1f s, %.1f counts a position\n", Seconds(clock),
              f.size() ? static_cast<double>(f.index.size()) / static_cast<double>(f.size()) : 0);
  std::vector<char> use(f.size()), held(f.size());
  for (std::size_t i = 0; i < f.size(); ++i) use[i] = i % 10 != 9, held[i] = !use[i];
  clock = std::chrono::steady_clock::now();
  FitReport report;
  std::vector<float> targets;
  const search::EvalWeights fitted = Fit(
      f, start, use, s, report, targets,
      [](int it, double error) { std::fprintf(stderr, "iteration %d error %.6f\n", it, error); });
  std::printf("k %.6f, fitted in %.1f s (%d iterations)\n", report.k, Seconds(clock), s.iterations);
  std::printf("linear model: error %.6f before, %.6f after\n", report.errorBefore,
              report.errorAfter);
  double before[2], after[2];
  TrueErrors(samples, start, targets, report.k, before[0], before[1]);
  TrueErrors(samples, fitted, targets, report.k, after[0], after[1]);
  std::printf("evaluation, fitted positions: error %.6f before, %.6f after\n", before[0], after[0]);
  std::printf("evaluation, held-out positions: error %.6f before, %.6f after\n", before[1],
              after[1]);
  std::FILE* o = std::fopen(out.c_str(), "wb");
  const std::string text = search::FormatWeights(fitted);
  if (!o || std::fwrite(text.data(), 1, text.size(), o) != text.size() || std::fclose(o) != 0) {
    std::fprintf(stderr, "qz_tune fit: %s: cannot be written\n", out.c_str());
    return 1;
  }
  int changed = 0;
  for (int j = 0; j < search::WeightCount(); ++j)
    if (search::WeightAt(fitted, j) != search::WeightAt(start, j)) ++changed;
  std::printf("%d weights changed, written to %s\n", changed, out.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "gen") return Gen(argc, argv);
  if (command == "fit") return FitCommand(argc, argv);
  return Usage();
}
