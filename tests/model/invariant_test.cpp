// The invariants of the fast position hold the make/unmake contract in
// debug and sanitizer builds: a wrong undo or a move of the wrong army stops
// the program where it happens. In a release build they are off.
#include "model/invariant.h"

#include <gtest/gtest.h>

#include "model/fast_position.h"
#include "model/movegen.h"
#include "model/placement.h"

namespace qz {
namespace {

FastPosition Start() {
  Position start;
  SetUpStartingPosition(start, false);
  FastPosition pos;
  pos.Set(start, SITA);
  return pos;
}

TEST(InvariantDeathTest, AnUndoOfAnotherPositionIsCaught) {
  if (!QZ_ASSERTIONS_ON) GTEST_SKIP() << "assertions are off in this build";
  FastPosition pos = Start();
  Move moves[kMaxMoves];
  ASSERT_GT(GenerateMoves(pos, moves), 0);
  Undo undo;
  pos.Make(moves[0], undo);
  undo.key ^= 1;  // the key of some other position
  EXPECT_DEATH(pos.Unmake(moves[0], undo), "invariant broken: key_ == ComputeKey");
}

TEST(InvariantDeathTest, AMoveOfTheArmyNotToMoveIsCaught) {
  if (!QZ_ASSERTIONS_ON) GTEST_SKIP() << "assertions are off in this build";
  FastPosition pos = Start();
  Move moves[kMaxMoves];
  ASSERT_GT(GenerateMoves(pos, moves), 0);
  pos.MakeNull();  // now the upper army is to move
  Undo undo;
  EXPECT_DEATH(pos.Make(moves[0], undo), "invariant broken");
}

}  // namespace
}  // namespace qz
