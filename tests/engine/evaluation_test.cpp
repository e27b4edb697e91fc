// Move evaluation: the reserved scores, the level cuts and a few terms that
// decide games.
#include "engine_fixture.h"

namespace qz::test {
namespace {

class EvaluationTest : public EngineTest {};

TEST_F(EvaluationTest, CapturingTheKingScores9999) {
  Put(1, 1, OU);
  Put(5, 2, SYA);
  Put(5, 9, -OU);
  EXPECT_EQ(Evaluate(5, 2, 5, 9, SYA), 9999);
}

TEST_F(EvaluationTest, LeavingOwnKingAttackedScoresMinus9998EvenWhenCapturing) {
  Put(1, 1, OU);
  Put(1, 5, KIN);  // shields the king from the rook
  Put(1, 9, -SYA);
  Put(2, 6, -KAKU);
  Put(10, 10, -OU);
  EXPECT_EQ(Evaluate(1, 5, 2, 6, KIN), -9998);
  // Capturing with the king's shield still in place is an ordinary score.
  Put(1, 4, KIN);
  EXPECT_GT(Evaluate(1, 5, 2, 6, KIN), 0);
}

// The lower king on (10, 10); (9, 9) and (10, 9) are covered by a silver, and
// (9, 10) by a knight, so a defended piece checking from (10, 9) mates.
void PlaceMateNet(Position& pos) {
  pos.Board[1][1] = OU;
  pos.Board[9][8] = GIN;
  pos.Board[8][8] = KEI;
  pos.Board[10][10] = -OU;
}

TEST_F(EvaluationTest, MateScores9998ButNotWithAnUnpromotedPawn) {
  PlaceMateNet(pos);
  GiveHand(UE, 1, 1);
  GiveHand(UE, 6, 1);
  EXPECT_EQ(Evaluate(UeHandColumn, 6, 10, 9, KIN), 9998);
  EXPECT_EQ(Evaluate(UeHandColumn, 1, 10, 9, HU), -9998);
}

TEST_F(EvaluationTest, PawnMoveMateIsAvoidedButItsPromotionIsAMate) {
  PlaceMateNet(pos);
  Put(10, 8, HU);
  EXPECT_EQ(Evaluate(10, 8, 10, 9, HU), -9998);
  EXPECT_EQ(Evaluate(10, 8, 10, 9, HU + 1), 9998);
}

TEST_F(EvaluationTest, CheckWithAnEscapeIsNotAMate) {
  PlaceMateNet(pos);
  Put(9, 8, EMPTY);  // the dropped gold is undefended now
  GiveHand(UE, 6, 1);
  EXPECT_LT(Evaluate(UeHandColumn, 6, 10, 9, KIN), 9998);
}

// A gold takes an undefended rook diagonally forward, one step closer to
// the lower king.
void PlaceGoldTakesRook(Position& pos, bool withRook) {
  pos.Board[1][1] = OU;
  pos.Board[4][5] = KIN;
  pos.Board[10][10] = -OU;
  if (withRook) pos.Board[5][6] = -SYA;
}

TEST_F(EvaluationTest, LevelsCutTheEvaluationOfACapture) {
  PlaceGoldTakesRook(pos, true);
  // Approach +1, rook taken by a gold +900; level 1 stops there.
  player.Level = 1;
  EXPECT_DOUBLE_EQ(Evaluate(4, 5, 5, 6, KIN), 901);
  // Level 2 adds the safe capture +900 and stops before the positional rules.
  player.Level = 2;
  EXPECT_DOUBLE_EQ(Evaluate(4, 5, 5, 6, KIN), 1801);
  // Level 3 adds the gold's sideways advance -0.5.
  player.Level = 3;
  EXPECT_DOUBLE_EQ(Evaluate(4, 5, 5, 6, KIN), 1800.5);
}

TEST_F(EvaluationTest, LevelOneKeepsThePositionalRulesForAQuietMove) {
  PlaceGoldTakesRook(pos, false);
  player.Level = 1;
  EXPECT_DOUBLE_EQ(Evaluate(4, 5, 5, 6, KIN), 0.5);
  player.Level = 2;
  EXPECT_DOUBLE_EQ(Evaluate(4, 5, 5, 6, KIN), 1);
  player.Level = 3;
  EXPECT_DOUBLE_EQ(Evaluate(4, 5, 5, 6, KIN), 0.5);
}

TEST_F(EvaluationTest, TakingTheRookOfAPinnedAttackerCountsItsValue) {
  // The lower gold on (5, 8), defended by its king, shields it from the rook
  // on (5, 2). A silver dropped on (4, 7) is attacked only by that gold,
  // which may not leave the file; the silver can take it.
  Put(1, 1, OU);
  Put(5, 2, SYA);
  Put(5, 8, -KIN);
  Put(5, 9, -OU);
  GiveHand(UE, 5, 1);
  player.StartTurn();
  ASSERT_EQ(player.PinnedFlag[SITA][5][8], 1);
  const double withPin = Evaluate(UeHandColumn, 5, 4, 7, GIN);
  Put(5, 2, EMPTY);
  Put(2, 5, SYA);  // same rook, no longer behind the gold
  const double withoutPin = Evaluate(UeHandColumn, 5, 4, 7, GIN);
  EXPECT_GT(withPin - withoutPin, 100);
}

TEST_F(EvaluationTest, TakingEscapeSquaresFromTheLowerKingCounts) {
  // The rook moves to the ninth file: the lower king keeps one of its three
  // free squares. Approach +0.1 (closer, but more rows than columns away),
  // escapes 3 - 1.
  Put(1, 1, OU);
  Put(1, 5, SYA);
  Put(10, 10, -OU);
  EXPECT_DOUBLE_EQ(Evaluate(1, 5, 9, 5, SYA), 0.1 + 2);
}

}  // namespace
}  // namespace qz::test
