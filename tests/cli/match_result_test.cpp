// The closing line of a match, which other tools read: counts, score and
// Elo figures worked out by hand.
#include "cli/match_result.h"

#include <gtest/gtest.h>

namespace qz::cli {
namespace {

TEST(MatchResultLine, ScoreEloAndMarginAsWorkedOutByHand) {
  // 6 wins, 2 losses, 2 unfinished: score 0.7, Elo -400·log10(3/7) = 147.2;
  // per-game variance 0.16, standard error 0.4/√10, so the 95% interval
  // 0.452..0.948 spans -33.4..504.0 Elo, half of it 268.7.
  EXPECT_EQ(ResultLine({6, 2, 2}), "result a=6 b=2 unfinished=2 score=70.0% elo=+147.2±268.7");
  // Score 0.4, variance 0.19: -70.4 Elo, interval -135.3..-10.1.
  EXPECT_EQ(ResultLine({30, 50, 20}), "result a=30 b=50 unfinished=20 score=40.0% elo=-70.4±62.6");
  // An interval that reaches 100% has no upper Elo bound.
  EXPECT_EQ(ResultLine({3, 1, 0}), "result a=3 b=1 unfinished=0 score=75.0% elo=+190.8±inf");
}

TEST(MatchResultLine, OneSidedAndUndecidedMatches) {
  EXPECT_EQ(ResultLine({4, 0, 0}), "result a=4 b=0 unfinished=0 score=100.0% elo=+inf±inf");
  EXPECT_EQ(ResultLine({0, 7, 0}), "result a=0 b=7 unfinished=0 score=0.0% elo=-inf±inf");
  // Nothing decided: no difference and no spread (and never "-0.0").
  EXPECT_EQ(ResultLine({0, 0, 5}), "result a=0 b=0 unfinished=5 score=50.0% elo=+0.0±0.0");
  EXPECT_EQ(ResultLine({1, 1, 0}), "result a=1 b=1 unfinished=0 score=50.0% elo=+0.0±inf");
}

}  // namespace
}  // namespace qz::cli
