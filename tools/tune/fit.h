// Texel's method over the evaluation's weights. Most of the judgement is a
// sum of weights times counts (Evaluator::AddCounts): the counts of every
// position are taken once, with what no fitted weight scales kept as the
// position's rest, and the fit is a logistic regression of the results (and,
// mixed in, the search's scores) on that linear model, by full-batch
// gradient descent (Adam) with a pull towards the starting weights so that
// rare squares stay near them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/evaluation.h"
#include "tune/tune_data.h"

namespace qz::tune {

// Weights the linear model leaves as they are: the danger units (of the
// pieces near a king, the enemy hand, the squares next to a king and the
// drops attacking it), their cap and the trapped quarters (they enter
// through products or a square).
bool IsFitted(int weightIndex);

// The positions as counts of the fitted weights.
struct Features {
  std::vector<std::uint32_t> begin;  // positions + 1 offsets into index/count
  std::vector<std::uint16_t> index;
  std::vector<float> count;
  std::vector<float> rest;    // the judgement (lower army's view) less the fitted terms
  std::vector<float> result;  // 0, 0.5, 1 for the lower army
  std::vector<float> score;   // the search's, lower army's view
  std::size_t size() const { return rest.size(); }
};

// Counts every sample with the given weights (samples that are no position
// are left out; they were refused on reading).
Features Extract(const std::vector<Sample>& samples, const search::EvalWeights& weights,
                 int threads = 1);

// sigmoid(k * e) for an evaluation e in hundredths of a pawn.
double Sigmoid(double k, double e);

// The linear model's evaluation of position i with the weights w (by index).
double LinearEval(const Features& f, std::size_t i, const std::vector<double>& w);

// The mean squared error of sigmoid(k * eval) against the targets, over the
// positions [from, to) for which keep(i) holds; evals[i] the evaluation.
double MeanError(const std::vector<double>& evals, const std::vector<float>& targets, double k,
                 const std::vector<char>& use);

// The k that makes the sigmoid of the evaluations fit the results best.
double FindK(const std::vector<double>& evals, const std::vector<float>& results,
             const std::vector<char>& use);

struct FitSettings {
  int iterations = 400;
  double rate = 1.0;         // Adam's first step, hundredths of a pawn
  double finalRate = 0.05;   // the step at the last iteration, as a share of rate
  double pull = 1e-7;        // times the squared distance from the start, per weight
  double resultShare = 0.5;  // the target: this share of the result, the rest the search's score
  // Weights whose names begin so are left as they start (e.g. "kingZone").
  std::vector<std::string> fixed;
};

struct FitReport {
  double k = 0;
  double errorBefore = 0, errorAfter = 0;  // of the linear model, on the fitted positions
};

// Fits the fitted weights of start over the positions with use[i] set;
// targets per position as settings say (k found first on the results).
search::EvalWeights Fit(const Features& f, const search::EvalWeights& start,
                        const std::vector<char>& use, const FitSettings& settings,
                        FitReport& report, std::vector<float>& targets,
                        void (*progress)(int iteration, double error) = nullptr);

}  // namespace qz::tune
