// The fit finds weights that are known: positions judged by other weights
// are fitted starting from the defaults.
#include "tune/fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "tune_positions.h"

namespace qz::tune {
namespace {

TEST(TuneFit, RecoversTheWeightsThatJudgedThePositions) {
  std::vector<Sample> samples;
  for (const FastPosition& pos : RandomGamePositions(60, 21))
    samples.push_back(SampleOf(pos, 1, 0));
  ASSERT_GT(samples.size(), 2000u);
  search::EvalWeights truth = search::DefaultWeights();
  truth.tempo = 60;
  truth.sliderMobility = 8;
  truth.defenderGold = 50;
  truth.placement[Pawn][4] = 40;
  const Features counted = Extract(samples, search::DefaultWeights(), 2);
  ASSERT_EQ(counted.size(), samples.size());
  std::vector<double> w(static_cast<std::size_t>(search::WeightCount()));
  for (int j = 0; j < search::WeightCount(); ++j) w[j] = search::WeightAt(truth, j);
  // The results drawn from the true judgement, the search's score the judgement itself.
  std::mt19937_64 rng(4);
  std::vector<double> evals;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double e = std::clamp(LinearEval(counted, i, w), -3000.0, 3000.0);
    evals.push_back(e);
    samples[i].score = static_cast<std::int16_t>(std::lround(e));
    const double p = Sigmoid(0.004, e), u = std::uniform_real_distribution<double>(0, 1)(rng);
    samples[i].result = u < p ? 2 : 0;
  }
  Features f = Extract(samples, search::DefaultWeights(), 1);
  // Positions judged far off are decided: the sigmoid tells nothing there.
  std::vector<char> use(f.size());
  for (std::size_t i = 0; i < f.size(); ++i) use[i] = std::abs(evals[i]) < 2000;
  // The results alone find k near the one they were drawn with.
  EXPECT_NEAR(FindK(evals, f.result, use), 0.004, 0.0015);

  FitSettings settings;
  settings.iterations = 1500;
  settings.pull = 0;
  settings.resultShare = 0;  // the scores: the truth without noise
  FitReport report;
  std::vector<float> targets;
  const search::EvalWeights fitted =
      Fit(f, search::DefaultWeights(), use, settings, report, targets);
  EXPECT_LT(report.errorAfter, report.errorBefore / 20);
  EXPECT_NEAR(fitted.tempo, 60, 3);
  EXPECT_NEAR(fitted.sliderMobility, 8, 1);
  // A gold next to the king counts for its kind and for its square in the
  // king's zone as well: those two may share the change, the judgement not.
  std::vector<double> got(w.size());
  for (int j = 0; j < search::WeightCount(); ++j) got[j] = search::WeightAt(fitted, j);
  double off = 0, n = 0;
  for (std::size_t i = 0; i < f.size(); ++i)
    if (std::abs(evals[i]) < 1000) off += std::abs(LinearEval(f, i, got) - evals[i]), n += 1;
  ASSERT_GT(n, 500);
  EXPECT_LT(off / n, 3.0);
  // Weights the positions gave no reason to change stay.
  EXPECT_NEAR(fitted.reiStuck, search::DefaultWeights().reiStuck, 5);

  // Weights held fixed by name stay as they start.
  settings.fixed = {"tempo", "placement."};
  const search::EvalWeights held = Fit(f, search::DefaultWeights(), use, settings, report, targets);
  EXPECT_EQ(held.tempo, search::DefaultWeights().tempo);
  EXPECT_EQ(held.placement[Pawn][4], search::DefaultWeights().placement[Pawn][4]);
  EXPECT_NEAR(held.sliderMobility, 8, 2);
  for (int j = 0; j < search::WeightCount(); ++j) {
    if (!IsFitted(j)) {
      EXPECT_EQ(search::WeightAt(fitted, j), search::WeightAt(search::DefaultWeights(), j));
    }
  }
}

}  // namespace
}  // namespace qz::tune

namespace qz::tune {
namespace {

// Counting in slices on several threads joins them in the samples' order.
TEST(TuneFit, CountsOnTwoThreadsAreTheCountsOnOne) {
  std::vector<Sample> samples;
  int i = 0;
  for (const FastPosition& pos : RandomGamePositions(8, 3))
    samples.push_back(SampleOf(pos, i % 3, i)), ++i;
  const Features one = Extract(samples, search::DefaultWeights(), 1);
  const Features two = Extract(samples, search::DefaultWeights(), 3);
  ASSERT_EQ(one.size(), samples.size());
  EXPECT_EQ(one.begin, two.begin);
  EXPECT_EQ(one.index, two.index);
  EXPECT_EQ(one.count, two.count);
  EXPECT_EQ(one.rest, two.rest);
  EXPECT_EQ(one.result, two.result);
  EXPECT_EQ(one.score, two.score);
  EXPECT_FLOAT_EQ(one.result[2], 1.0f);
}

}  // namespace
}  // namespace qz::tune
