// The judgement stays below the search's decided band for every position
// the program accepts, and positions of the game's own pieces are untouched.
#include <gtest/gtest.h>

#include "model/fast_position.h"
#include "search/evaluation.h"
#include "search/searcher.h"

namespace qz::search {
namespace {

static_assert(Evaluator::kLimit < kMate - kMaxPly, "a judgement must never read as a decided game");

TEST(EvaluationLimit, FullHandsStayBelowTheDecidedBand) {
  // Both kings alone on the board, one army with as many of every kind in
  // hand as a hand holds.
  Evaluator eval;
  for (const Side holder : {SITA, UE}) {
    Position pos;
    pos.Board[5][10] = -OU;
    pos.Board[6][1] = OU;
    for (int k = 1; k <= HandKinds; ++k) pos.Hand[holder][k] = kMaxHandCount;
    for (const Side toMove : {SITA, UE}) {
      FastPosition fast;
      fast.Set(pos, toMove);
      fast.SetTable(&eval.table());
      const int sign = toMove == holder ? 1 : -1;
      EXPECT_EQ(eval.Evaluate(fast), sign * Evaluator::kLimit);
      EXPECT_EQ(eval.Quick(fast), sign * Evaluator::kLimit);
      EXPECT_EQ(eval.Evaluate(fast, -kInfinity, kInfinity), sign * Evaluator::kLimit);
    }
  }
}

TEST(EvaluationLimit, EveryPieceOfTheGameOnOneSideIsStillJudgedInFull) {
  // The lower army with all 44 pieces, each as its best: 20 tokins and the
  // promoted lances, knights, 嶺, silvers and 銅, two dragons and two horses
  // on the board, the golds in hand. The upper king stands alone.
  Position pos;
  pos.Board[5][10] = -OU;
  pos.Board[5][1] = OU;
  int x = 1, y = 9;
  auto place = [&](PieceCode c, int n) {
    for (int i = 0; i < n; ++i) {
      if (pos.Board[x][y] != EMPTY) ++x;
      pos.Board[x][y] = c;
      if (++x > 10) {
        x = 1;
        --y;
      }
    }
  };
  place(-(HU + 1), 20);
  place(-(KYOU + 1), 4);
  place(-(KEI + 1), 4);
  place(-(REI + 1), 2);
  place(-(GIN + 1), 4);
  place(-(DOU + 1), 2);
  place(-(KAKU + 1), 2);
  place(-(SYA + 1), 2);
  pos.Hand[SITA][6] = 4;
  ASSERT_EQ(PositionProblem(pos), "");
  Evaluator eval;
  FastPosition fast;
  fast.Set(pos, SITA);
  fast.SetTable(&eval.table());
  const int v = eval.Evaluate(fast);
  EXPECT_GT(v, 20000);
  EXPECT_LT(v, Evaluator::kLimit);
}

}  // namespace
}  // namespace qz::search
