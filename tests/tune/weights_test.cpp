// The weights by name, and the evaluation as a sum of weights times counts.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "search/evaluation.h"
#include "tune/fit.h"
#include "tune_positions.h"

namespace qz::search {
namespace {

EvalWeights Scrambled(std::uint64_t seed) {
  EvalWeights w = DefaultWeights();
  std::mt19937_64 rng(seed);
  for (int i = 0; i < WeightCount(); ++i) WeightAt(w, i) = static_cast<int>(rng() % 2001) - 1000;
  return w;
}

bool Same(const EvalWeights& a, const EvalWeights& b) {
  for (int i = 0; i < WeightCount(); ++i)
    if (WeightAt(a, i) != WeightAt(b, i)) return false;
  return true;
}

TEST(EvalWeightsText, EveryWeightHasOneNameAndEveryValueComesBack) {
  std::set<std::string> names;
  for (int i = 0; i < WeightCount(); ++i) {
    const std::string name = WeightName(i);
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_EQ(WeightIndex(name), i) << name;
  }
  EXPECT_EQ(WeightAt(DefaultWeights(), WeightIndex("placement.35")),
            DefaultWeights().placement[3][5]);
  EXPECT_EQ(WeightAt(DefaultWeights(), WeightIndex("kingFile.1")), 12);
  EXPECT_EQ(WeightAt(DefaultWeights(), WeightIndex("tempo")), DefaultWeights().tempo);

  const EvalWeights scrambled = Scrambled(3);
  EvalWeights read = DefaultWeights();
  std::string problem;
  ASSERT_TRUE(ParseWeights(FormatWeights(scrambled), read, problem)) << problem;
  EXPECT_TRUE(Same(read, scrambled));
  // The command line's form: commas, spaces, a comment line.
  ASSERT_TRUE(ParseWeights("# start\n tempo=7 ,board.9=-1200\r\n\n", read, problem)) << problem;
  EXPECT_EQ(read.tempo, 7);
  EXPECT_EQ(read.board[Rook], -1200);
}

TEST(EvalWeightsText, UnknownNamesAndBadNumbersAreRefusedAndChangeNothing) {
  for (const char* bad :
       {"tempo=1\nnosuch=3", "board=5", "board.20=5", "tempo.0=1", "placement.x=1",
        "tempo=", "tempo=12a", "tempo=9999999", "tempo", "=4", "board.-1=2"}) {
    EvalWeights w = DefaultWeights();
    std::string problem;
    EXPECT_FALSE(ParseWeights(bad, w, problem)) << bad;
    EXPECT_FALSE(problem.empty()) << bad;
    EXPECT_TRUE(Same(w, DefaultWeights())) << bad;
  }
  std::string problem;
  EvalWeights w = DefaultWeights();
  EXPECT_FALSE(ParseWeights("tempo=3\nnosuch=1", w, problem));
  EXPECT_NE(problem.find("line 2"), std::string::npos) << problem;
}

TEST(EvalWeightsTable, TheIncrementalTableFollowsThePlacementWeights) {
  EvalWeights w = DefaultWeights();
  w.placement[Silver][3] += 17;
  w.kingFile[2] += 9;
  const Evaluator base, changed(w);
  // The lower silver three rows up (row 7), the upper one mirrored.
  EXPECT_EQ(changed.table().board[MakePiece(SITA, Silver)][Sq(4, 7)] -
                base.table().board[MakePiece(SITA, Silver)][Sq(4, 7)],
            17);
  EXPECT_EQ(changed.table().board[MakePiece(UE, Silver)][Sq(7, 4)] -
                base.table().board[MakePiece(UE, Silver)][Sq(7, 4)],
            -17);
  EXPECT_EQ(changed.table().board[MakePiece(SITA, King)][Sq(2, 10)] -
                base.table().board[MakePiece(SITA, King)][Sq(2, 10)],
            9);
  EXPECT_EQ(changed.table().board[MakePiece(SITA, Silver)][Sq(4, 6)],
            base.table().board[MakePiece(SITA, Silver)][Sq(4, 6)]);
}

// The counts taken with the defaults, times other weights, plus the rest,
// give the evaluation with those weights: every linear term is counted
// where the evaluation adds it, with the right sign for each army.
TEST(EvalCounts, CountsTimesWeightsAreTheEvaluation) {
  const auto positions = tune::RandomGamePositions(6, 5);
  ASSERT_GT(positions.size(), 200u);
  std::mt19937_64 rng(9);
  EvalWeights other = DefaultWeights();
  // Everything linear whose change leaves what is not linear alone: not
  // the material (a 嶺's target below the cap counts what it wins), nor the
  // scales of the danger and the trapped pieces, which the rest rounds.
  for (int i = 0; i < WeightCount(); ++i) {
    const std::string name = WeightName(i);
    if (!tune::IsFitted(i) || name.rfind("board", 0) == 0 || name.rfind("hand", 0) == 0 ||
        name == "kingDangerScale" || name == "reiTrapped" || name == "knightTrapped" ||
        name == "reiTargetPiece")
      continue;
    WeightAt(other, i) += static_cast<int>(rng() % 61) - 30;
  }
  // The big pieces' values may grow: what they are compared with stays below.
  for (const int kind : {Silver, Gold, Bishop, Rook, Horse, Dragon}) other.board[kind] += 11;
  for (const int kind : {Silver, Gold, Bishop, Rook}) other.hand[kind] += 13;
  other.handPawnAfterFour -= 9;

  const Evaluator base, changed(other);
  std::vector<double> counts(static_cast<std::size_t>(WeightCount()));
  int checked = 0;
  for (FastPosition pos : positions) {
    pos.SetTable(&base.table());
    const int side = pos.sideToMove() == SITA ? 1 : -1;
    const int before = side * base.Evaluate(pos);
    if (std::abs(before) >= Evaluator::kLimit - 2000) continue;
    std::fill(counts.begin(), counts.end(), 0.0);
    base.AddCounts(pos, counts.data());
    double rest = before, sum = 0;
    for (int i = 0; i < WeightCount(); ++i) {
      rest -= counts[i] * WeightAt(DefaultWeights(), i);
      sum += counts[i] * WeightAt(other, i);
    }
    pos.SetTable(&changed.table());
    const int after = side * changed.Evaluate(pos);
    ASSERT_NEAR(sum + rest, after, 1e-6) << "position " << checked;
    ++checked;
  }
  EXPECT_GT(checked, 200);
}

}  // namespace
}  // namespace qz::search
