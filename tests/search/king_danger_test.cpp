// The danger around a king from what attacks the squares next to it and from
// the drops that would attack it: which squares count as attacked, weak or a
// safe place for a drop.
#include <gtest/gtest.h>

#include "model/fast_position.h"
#include "model/pieces.h"
#include "search/evaluation.h"

namespace qz::search {
namespace {

// Weights whose only danger is the squared units of the terms under test,
// with the cap out of the way: the judgement's change is units², exactly.
EvalWeights OnlyTheseUnits(int ringAttacked, int ringWeak, int dropKind, int dropUnits) {
  EvalWeights w = DefaultWeights();
  for (int& v : w.attackWeight) v = 0;
  for (int& v : w.dropThreat) v = 0;
  w.kingDangerScale = 16;
  w.attackUnitsMax = 1000;
  w.ringAttacked = ringAttacked;
  w.ringWeak = ringWeak;
  for (int& v : w.dropCheck) v = 0;
  if (dropKind != 0) w.dropCheck[dropKind] = dropUnits;
  return w;
}

// The lower army's danger in units², as the change of its judgement that the
// weights bring over the same weights without them.
int LowerDanger(const Position& pos, const EvalWeights& with) {
  const Evaluator on(with), off(OnlyTheseUnits(0, 0, 0, 0));
  FastPosition a, b;
  a.Set(pos, SITA);
  b.Set(pos, SITA);
  a.SetTable(&on.table());
  b.SetTable(&off.table());
  return off.Evaluate(b) - on.Evaluate(a);
}

// The lower king at the middle of its back row, the upper king far away.
Position KingsApart() {
  Position pos;
  pos.Board[5][10] = -OU;
  pos.Board[5][1] = OU;
  return pos;
}

TEST(KingDanger, SquaresNextToTheKingAreAttackedAndWeakUnlessGuarded) {
  // An upper gold two squares in front attacks three squares next to the king.
  Position pos = KingsApart();
  pos.Board[5][8] = KIN;
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(1, 0, 0, 0)), 3 * 3);
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(0, 1, 0, 0)), 3 * 3);
  // A lower gold in front of the king guards two of them; the square it
  // stands on is still attacked, and only the king guards it.
  pos.Board[5][9] = -KIN;
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(1, 0, 0, 0)), 3 * 3);
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(0, 1, 0, 0)), 1 * 1);
  // The king guarding a square is no guard: an attacker there is defended.
  Position lone = KingsApart();
  lone.Board[4][9] = KIN;
  lone.Board[4][8] = KIN;
  EXPECT_EQ(LowerDanger(lone, OnlyTheseUnits(0, 1, 0, 0)), 3 * 3);
}

TEST(KingDanger, ADropAttackingTheKingCountsWhereItWouldStandSafe) {
  // A rook in the upper hand checks from the file in front, two squares up,
  // where nothing guards the square (next to the king, the king takes it).
  Position pos = KingsApart();
  pos.Hand[UE][9] = 1;
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(0, 0, 9, 2)), 2 * 2);
  // A piece of the kind on the board, not in hand, is no drop.
  Position board = KingsApart();
  board.Board[1][1] = SYA;
  EXPECT_EQ(LowerDanger(board, OnlyTheseUnits(0, 0, 9, 2)), 0);
  // In the corner with both lines closed by its own pieces the king is safe
  // from a rook drop; a bishop still finds the open diagonal.
  Position corner;
  corner.Board[1][10] = -OU;
  corner.Board[1][9] = -KYOU;
  corner.Board[2][10] = -KEI;
  corner.Board[5][1] = OU;
  corner.Hand[UE][9] = 1;
  EXPECT_EQ(LowerDanger(corner, OnlyTheseUnits(0, 0, 9, 2)), 0);
  corner.Hand[UE][8] = 1;
  EXPECT_EQ(LowerDanger(corner, OnlyTheseUnits(0, 0, 8, 3)), 3 * 3);
  // Closing the diagonal two squares off leaves only the square next to the
  // king, where the king takes the bishop.
  corner.Board[3][8] = -KIN;
  EXPECT_EQ(LowerDanger(corner, OnlyTheseUnits(0, 0, 8, 3)), 0);
}

TEST(KingDanger, APawnDropNeedsTheSquareAttackedAndItsFileFreeOfPawns) {
  Position pos = KingsApart();
  pos.Hand[UE][1] = 1;
  // In front of the king and unsupported, the king takes the pawn.
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(0, 0, 1, 3)), 0);
  // Supported by an upper gold it stands.
  pos.Board[5][8] = KIN;
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(0, 0, 1, 3)), 3 * 3);
  // Not with an upper pawn on the same file.
  pos.Board[5][3] = HU;
  EXPECT_EQ(LowerDanger(pos, OnlyTheseUnits(0, 0, 1, 3)), 0);
}

}  // namespace
}  // namespace qz::search
