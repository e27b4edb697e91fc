// The mate test of the upper king: not in check, interposing pawn drops,
// escapes and defending board moves.
#include "model/mate_com.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "model/board_picture.h"
#include "model/control_maps.h"
#include "model/placement.h"

namespace qz {
namespace {

using test::BoardDifferences;
using test::Describe;
using test::FromPicture;

void GiveUeHand(Position& pos, int pawns, int golds = 0) {
  pos.Hand[UE][1] = pawns;
  pos.Hand[UE][6] = golds;
  pos.HandTotal[UE] = pawns + golds;
}

// Runs the pass and the test as the human input does, and checks that the
// board and hands come back untouched.
int MateAfterPass(Position& pos) {
  auto maps = std::make_unique<ControlMaps>();
  勢力調査(pos, *maps);
  const Position before = pos;
  const int answer = 詰めかCOM(pos, *maps);
  EXPECT_EQ(Describe(BoardDifferences(before, pos)), "");
  EXPECT_EQ(std::memcmp(before.Hand, pos.Hand, sizeof pos.Hand), 0);
  EXPECT_EQ(std::memcmp(before.HandTotal, pos.HandTotal, sizeof pos.HandTotal), 0);
  return answer;
}

// UE king on (5, 1) boxed in by lances and pawns that cannot reach column 5;
// a SITA rook on (5, 4) checks it along (5, 2) and (5, 3).
const char* const kRookTwoAway = R"(
  . . . l k l . . . .
  . . . p . p . . . .
  . . . . . . . . . .
  . . . . R . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . K)";

TEST(MateCom, NotInCheckAnswersAtOnceWithoutTouchingTheMaps) {
  Position pos;
  SetUpStartingPosition(pos, true);
  auto maps = std::make_unique<ControlMaps>();
  勢力調査(pos, *maps);
  auto copy = std::make_unique<ControlMaps>(*maps);
  EXPECT_EQ(詰めかCOM(pos, *maps), 0);
  EXPECT_EQ(std::memcmp(copy.get(), maps.get(), sizeof *maps), 0);
}

TEST(MateCom, RookCheckIsMateOnlyWithoutAUsablePawnDrop) {
  Position bare = FromPicture(kRookTwoAway);
  EXPECT_EQ(MateAfterPass(bare), 1);

  Position withPawn = FromPicture(kRookTwoAway);
  GiveUeHand(withPawn, 1);
  EXPECT_EQ(MateAfterPass(withPawn), 0) << "a pawn dropped on the file blocks the check";

  // A UE pawn already in column 5: with only pawns in hand the drop is
  // refused and nothing else saves the king.
  Position secondPawn = FromPicture(kRookTwoAway);
  secondPawn.Board[5][8] = HU;
  GiveUeHand(secondPawn, 2);
  EXPECT_EQ(MateAfterPass(secondPawn), 1);

  // With anything else in hand the test blocks with a pawn all the same.
  Position mixed = FromPicture(kRookTwoAway);
  mixed.Board[5][8] = HU;
  GiveUeHand(mixed, 1, 1);
  EXPECT_EQ(MateAfterPass(mixed), 0);

  // A promoted pawn in the column does not stop the drop.
  Position tokin = FromPicture(kRookTwoAway);
  tokin.Board[5][8] = HU + 1;
  GiveUeHand(tokin, 1);
  EXPECT_EQ(MateAfterPass(tokin), 0);
}

TEST(MateCom, PawnColumnsAreRecountedOnThePositionTested) {
  // Flags left from an older position claim a UE pawn in column 5.
  Position stale = FromPicture(kRookTwoAway);
  GiveUeHand(stale, 1);
  stale.PawnColumns[UE][5] = 1;
  EXPECT_EQ(MateAfterPass(stale), 0);
  EXPECT_EQ(stale.PawnColumns[UE][5], 0);

  // And the other way round: flags that miss the pawn now in column 5.
  Position missing = FromPicture(kRookTwoAway);
  missing.Board[5][8] = HU;
  GiveUeHand(missing, 1);
  for (int x = 0; x <= 10; ++x) missing.PawnColumns[UE][x] = 0;
  EXPECT_EQ(MateAfterPass(missing), 1);
}

TEST(MateCom, AdjacentOrJumpingCheckersSkipTheDropStep) {
  // An unprotected gold next to the king is simply taken.
  Position gold = FromPicture(kRookTwoAway);
  gold.Board[5][4] = EMPTY;
  gold.Board[5][2] = -KIN;
  GiveUeHand(gold, 3);
  EXPECT_EQ(MateAfterPass(gold), 0);
  // Protected by a pawn it mates, pawns in hand or not.
  gold.Board[5][3] = -HU;
  EXPECT_EQ(MateAfterPass(gold), 1);

  // A knight check marks the king's own square, so the drop step stops there.
  Position knight = FromPicture(R"(
    . . . n k n . . . .
    . . . n p n . . . .
    . . . N . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . K)");
  GiveUeHand(knight, 2);
  EXPECT_EQ(MateAfterPass(knight), 1);
}

TEST(MateCom, NoEscapeAlongTheLineOfACheckingRook) {
  Position pos = FromPicture(R"(
    . . . l . l . . . .
    . . . l k l . . . .
    . . . p . p . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . R . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . K)");
  EXPECT_EQ(MateAfterPass(pos), 1);
  // With the rook one file over, (5, 1) behind the king is a real escape.
  Position free = pos;
  free.Board[5][6] = EMPTY;
  free.Board[5][9] = -SYA;
  free.Board[5][4] = -HU;  // checks from the front; (5, 1) is not attacked
  EXPECT_EQ(MateAfterPass(free), 0);
}

TEST(MateCom, TwoCheckersDefeatASingleInterposition) {
  Position pos = FromPicture(R"(
    . . . l k l . . . .
    . . . p . . . . . .
    . . . . . . . . . .
    . . . . . . . B . .
    . . . . R . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . K)");
  GiveUeHand(pos, 1);
  EXPECT_EQ(MateAfterPass(pos), 1);
  // The rook alone is answered by the drop.
  pos.Board[8][4] = EMPTY;
  EXPECT_EQ(MateAfterPass(pos), 0);
}

TEST(MateCom, BoardMovesThatEndTheCheck) {
  // A UE rook takes the checking rook.
  Position capture = FromPicture(kRookTwoAway);
  capture.Board[1][4] = SYA;
  EXPECT_EQ(MateAfterPass(capture), 0);
  // A UE gold steps between.
  Position block = FromPicture(kRookTwoAway);
  block.Board[6][3] = KIN;
  EXPECT_EQ(MateAfterPass(block), 0);
  // A UE piece that can take the checker but leaves the king in check from
  // a second piece does not help.
  Position both = FromPicture(kRookTwoAway);
  both.Board[1][4] = SYA;
  both.Board[8][4] = -KAKU;
  both.Board[6][2] = EMPTY;  // the bishop's line: (7, 3), (6, 2)
  EXPECT_EQ(MateAfterPass(both), 1);
}

TEST(MateCom, AfterATriedMoveTheCheckingSquaresComeFromTheLastPass) {
  // The silver on (4, 2) shields the king from the bishop on (2, 4). It is
  // tried first, on (5, 3): that opens the bishop's line, so the checking
  // squares become the bishop's line. The gold on (6, 1) could have blocked
  // the rook on (5, 2), but (5, 2) is no longer among the squares tried.
  const char* const picture = R"(
    . . . l k g . . . .
    . . . s . p . . . .
    . . . . . . . . . .
    . B . . . . . . . .
    . . . . R . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . K)";
  Position pos = FromPicture(picture);
  EXPECT_EQ(MateAfterPass(pos), 1);
  // Without the bishop the silver's own interposition ends the check.
  Position noBishop = FromPicture(picture);
  noBishop.Board[2][4] = EMPTY;
  EXPECT_EQ(MateAfterPass(noBishop), 0);
  // Without the silver's try the gold is reached and blocks.
  Position noSilver = FromPicture(picture);
  noSilver.Board[4][2] = HU;
  EXPECT_EQ(MateAfterPass(noSilver), 0);
}

TEST(MateCom, LeavesTheMapsOfTheLastTriedPosition) {
  Position pos = FromPicture(kRookTwoAway);
  pos.Board[6][3] = KIN;
  auto maps = std::make_unique<ControlMaps>();
  勢力調査(pos, *maps);
  EXPECT_GT(maps->ControlCount[SITA][5][1], 0);
  EXPECT_EQ(詰めかCOM(pos, *maps), 0);
  // The maps describe the gold standing on (5, 3), not the board as it is.
  EXPECT_EQ(maps->ControlCount[SITA][5][1], 0);
  EXPECT_EQ(pos.Board[5][3], EMPTY);
  EXPECT_EQ(pos.Board[6][3], KIN);
}

}  // namespace
}  // namespace qz
