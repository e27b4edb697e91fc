// Whole-board assessment: attacked computer pieces, forks by the moved
// piece, and the drops the human's hand threatens. Expected values are worked
// out by hand, square by square.
#include "engine_fixture.h"

namespace qz::test {
namespace {

class AssessmentTest : public EngineTest {};

TEST_F(AssessmentTest, AttackedUndefendedPieceCostsItsValueTwice) {
  // Silver steps in front of a lower pawn with nothing defending it: the
  // cheap attacker wins 100 - 10 and the piece itself is lost.
  Put(1, 1, OU);
  Put(10, 10, -OU);
  Put(5, 5, GIN);
  Put(5, 7, -HU);
  EXPECT_DOUBLE_EQ(Assess(5, 5, 5, 6, GIN), -190);
  // Full score: the silver's straight advance with no lower silver on the
  // fifth row costs 0.1 more.
  EXPECT_DOUBLE_EQ(Evaluate(5, 5, 5, 6, GIN), -190 + -0.1);
}

TEST_F(AssessmentTest, DefendedPieceChargesOnlyTheExchange) {
  Put(1, 1, OU);
  Put(10, 10, -OU);
  Put(5, 5, KIN);
  Put(4, 5, GIN);  // moves in front of the gold, which defends it
  Put(5, 7, -HU);
  EXPECT_DOUBLE_EQ(Assess(4, 5, 5, 6, GIN), 10 - 100);
}

TEST_F(AssessmentTest, PieceDefendedOnlyByTheKing) {
  Put(5, 5, OU);
  Put(10, 10, -OU);
  Put(4, 5, GIN);
  Put(5, 7, -HU);
  // -100 for the king as the only defender, -90 for the exchange, +15 for
  // the pawn newly attacked within two squares of the computer's king.
  EXPECT_DOUBLE_EQ(Assess(4, 5, 5, 6, GIN), -100 + (10 - 100) + 15);
}

TEST_F(AssessmentTest, PieceThatJustCapturedIsCreditedTheCapturedValue) {
  Put(1, 1, OU);
  Put(10, 10, -OU);
  Put(5, 6, GIN);
  Put(5, 7, -HU);
  Put(5, 8, -KIN);  // defends the pawn, so the silver hangs after taking it
  EXPECT_DOUBLE_EQ(Assess(5, 6, 5, 7, GIN), -100 + 10);
  // The silver was attacked where it stood but had a safe square (4, 5), so
  // no capture bonus for a piece with nowhere to go; the straight advance
  // costs 0.1.
  EXPECT_DOUBLE_EQ(Evaluate(5, 6, 5, 7, GIN), -90 + -0.1);
}

// A knight jumps to (5, 6), attacking the lower king on (4, 8) and the
// undefended rook on (6, 8); the pawn on (6, 7) is defended by the rook.
void PlaceKnightFork(Position& pos, bool withKing) {
  pos.Board[1][1] = OU;
  pos.Board[4][4] = KEI;
  pos.Board[6][8] = -SYA;
  pos.Board[6][7] = -HU;
  if (withKing) {
    pos.Board[4][8] = -OU;
  } else {
    pos.Board[10][10] = -OU;
  }
}

TEST_F(AssessmentTest, ForkOfKingAndUndefendedRookAddsTheRook) {
  PlaceKnightFork(pos, true);
  double expected = 0;
  expected += 0.1;  // the king
  expected += 0.1;  // the rook
  expected += 900;  // the smaller of the two targets
  EXPECT_DOUBLE_EQ(Assess(4, 4, 5, 6, KEI), expected);
}

TEST_F(AssessmentTest, SingleUndefendedTargetIsOnlyATenth) {
  PlaceKnightFork(pos, false);
  EXPECT_DOUBLE_EQ(Assess(4, 4, 5, 6, KEI), 0.1);
}

TEST_F(AssessmentTest, DefendedTargetDoesNotCountForAFork) {
  PlaceKnightFork(pos, true);
  Put(7, 9, -KIN);  // now defends the rook
  EXPECT_DOUBLE_EQ(Assess(4, 4, 5, 6, KEI), 0.1);
}

// Bishop moves to (5, 5) under the rook on (5, 2); the lower side holds a
// lance. Thirteen empty camp squares are not controlled by the computer
// (-0.1 each), and the bishop checks the lower king (+0.1 fork target).
void PlaceLanceSkewer(Position& pos) {
  pos.Board[1][1] = OU;
  pos.Board[5][2] = SYA;
  pos.Board[6][4] = KAKU;
  pos.Board[10][10] = -OU;
  pos.Hand[SITA][2] = 1;
  pos.HandTotal[SITA] = 1;
}

TEST_F(AssessmentTest, LanceDropSkewerOfBishopAndRook) {
  PlaceLanceSkewer(pos);
  // A lance dropped on (5, 6) attacks the bishop with the rook behind it.
  EXPECT_NEAR(Assess(6, 4, 5, 5, KAKU), 13 * -0.1 - (100 + 900 / 2.0) + 0.1, 1e-9);
}

TEST_F(AssessmentTest, LanceSkewerWalkStopsAtTheFirstPieceOfEitherSide) {
  PlaceLanceSkewer(pos);
  Put(5, 3, HU);  // a pawn between bishop and rook hides the rook
  EXPECT_NEAR(Assess(6, 4, 5, 5, KAKU), 13 * -0.1 + 0.1, 1e-9);
}

TEST_F(AssessmentTest, LanceSkewerNeedsALanceInHand) {
  PlaceLanceSkewer(pos);
  pos.Hand[SITA][2] = 0;
  pos.HandTotal[SITA] = 0;
  // With an empty hand no drop term applies, not even the camp's -0.1s.
  EXPECT_DOUBLE_EQ(Assess(6, 4, 5, 5, KAKU), 0.1);
}

TEST_F(AssessmentTest, KnightDropForkOfTwoPieces) {
  Put(1, 1, OU);
  Put(4, 4, GIN);
  Put(6, 3, GIN);
  Put(10, 10, -OU);
  GiveHand(SITA, 3, 1);
  // (5, 6) is free of computer control and a knight there forks both silvers;
  // 23 empty camp squares are not controlled by the computer.
  EXPECT_NEAR(Assess(6, 3, 6, 4, GIN), -20 + 23 * -0.1, 1e-9);
}

}  // namespace
}  // namespace qz::test
