// Turning the board round: positions and moves seen from the other camp.
#include "model/reversal.h"

#include <gtest/gtest.h>

#include "model/make_move.h"
#include "model/placement.h"

namespace qz {
namespace {

bool SameBoardAndHands(const Position& a, const Position& b) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (a.Board[x][y] != b.Board[x][y]) return false;
  for (int s = 0; s < 2; ++s) {
    if (a.HandTotal[s] != b.HandTotal[s]) return false;
    for (int i = 1; i <= HandKinds; ++i)
      if (a.Hand[s][i] != b.Hand[s][i]) return false;
  }
  return true;
}

// Playing a move and then reversing gives the same as reversing first and
// playing the reversed move: board moves, promotions, captures and drops of
// both armies.
TEST(Reversal, MovesCommuteWithTurningTheBoard) {
  Position start;
  SetUpStartingPosition(start, true);
  start.Board[5][5] = 30;  // an upper knight to capture and to move
  start.Hand[SITA][8] = 1;
  start.Hand[UE][3] = 2;
  start.HandTotal[SITA] = 1;
  start.HandTotal[UE] = 2;
  const GameMove moves[] = {
      {3, 8, 3, 7, -10},                       // lower pawn
      {4, 8, 4, 7, -10},   {5, 5, 4, 7, 30},   // upper knight captures
      {5, 5, 6, 7, 30},    {9, 2, 4, 7, 800},  // upper bishop slides and captures
      {12, 9, 5, 6, -800},                     // lower bishop drop
      {-1, 3, 7, 6, 30},                       // upper knight drop
      {5, 5, 4, 7, 31},                        // promoting capture (the rules are not asked here)
  };
  for (const GameMove& m : moves) {
    Position played = start;
    駒移動(played, m.fromX, m.fromY, m.toX, m.toY, m.code);
    ReverseArmies(played);
    Position reversed = start;
    ReverseArmies(reversed);
    const GameMove r = ReversedMove(m);
    駒移動(reversed, r.fromX, r.fromY, r.toX, r.toY, r.code);
    EXPECT_TRUE(SameBoardAndHands(played, reversed))
        << m.fromX << "," << m.fromY << "->" << m.toX << "," << m.toY;
    EXPECT_EQ(ReversedMove(r), m);
  }
  Position twice = start;
  ReverseArmies(twice);
  ReverseArmies(twice);
  EXPECT_TRUE(SameBoardAndHands(twice, start));
}

}  // namespace
}  // namespace qz
