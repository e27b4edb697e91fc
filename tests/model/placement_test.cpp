// The two starting set-ups and the placement switch.
#include "model/placement.h"

#include <gtest/gtest.h>

#include "model/board_picture.h"

namespace qz {
namespace {

using test::BoardDifferences;
using test::Describe;
using test::FromPicture;

const char* const k左嶺Picture = R"(
  l n s g k g s e n l
  . r . . c . . . b .
  p p p p p p p p p p
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  P P P P P P P P P P
  . B . . . C . . R .
  L N E S G K G S N L)";

const char* const k右嶺Picture = R"(
  l n e s g k g s n l
  . r . . . c . . b .
  p p p p p p p p p p
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  . . . . . . . . . .
  P P P P P P P P P P
  . B . . C . . . R .
  L N S G K G S E N L)";

// A position full of leftovers from an earlier game.
Position Littered() {
  Position pos;
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) pos.Board[x][y] = (x + y) % 3 == 0 ? -GIN : KAKU + 1;
  }
  for (int i = 1; i <= 9; ++i) {
    pos.Hand[SITA][i] = i;
    pos.Hand[UE][i] = 2;
  }
  pos.HandTotal[SITA] = 45;
  pos.HandTotal[UE] = 18;
  pos.winner = Victor::Ue;
  return pos;
}

TEST(StartingPosition, BothSetUpsSquareBySquareWithEmptyHands) {
  for (bool right : {false, true}) {
    Position pos = Littered();
    SetUpStartingPosition(pos, right);
    const Position expected = FromPicture(right ? k右嶺Picture : k左嶺Picture);
    EXPECT_EQ(Describe(BoardDifferences(pos, expected)), "") << (right ? "右嶺" : "左嶺");
    for (int s = 0; s < 2; ++s) {
      for (int i = 0; i <= 9; ++i) EXPECT_EQ(pos.Hand[s][i], 0);
      EXPECT_EQ(pos.HandTotal[s], 0);
    }
    EXPECT_EQ(pos.winner, Victor::None);
  }
}

TEST(StartingPosition, UpperArmyIsTheLowerTurnedAroundWith23PiecesEach) {
  for (bool right : {false, true}) {
    Position pos;
    SetUpStartingPosition(pos, right);
    int sita = 0, ue = 0;
    for (int x = 1; x <= 10; ++x) {
      for (int y = 1; y <= 10; ++y) {
        EXPECT_EQ(pos.Board[x][y], -pos.Board[11 - x][11 - y]) << x << "," << y;
        sita += IsSita(pos.Board[x][y]);
        ue += IsUe(pos.Board[x][y]);
      }
    }
    EXPECT_EQ(sita, 23);
    EXPECT_EQ(ue, 23);
  }
}

TEST(StartingPosition, IndexZeroOfTheBoardIsNeverWritten) {
  Position pos;
  for (int i = 0; i <= 10; ++i) {
    pos.Board[0][i] = 77;
    pos.Board[i][0] = 77;
  }
  SetUpStartingPosition(pos, true);
  設定_盤状態(pos, "左嶺");
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(pos.Board[0][i], 77);
    EXPECT_EQ(pos.Board[i][0], 77);
  }
}

TEST(PlacementSwitch, WritesOnlyItsSixteenSquares) {
  Position pos;
  SetUpStartingPosition(pos, false);
  // A handicap-like change: the rook, a lance and the 嶺 removed, a hand filled.
  pos.Board[2][2] = EMPTY;
  pos.Board[1][1] = EMPTY;
  pos.Board[8][1] = EMPTY;
  pos.Hand[UE][3] = 1;
  pos.HandTotal[UE] = 1;
  Position before = pos;

  設定_盤状態(pos, "右嶺");
  const auto changed = BoardDifferences(before, pos);
  for (const Square& q : changed) {
    const bool placementSquare = ((q.y == 1 || q.y == 10) && q.x >= 3 && q.x <= 8) ||
                                 ((q.y == 2 || q.y == 9) && (q.x == 5 || q.x == 6));
    EXPECT_TRUE(placementSquare) << "(" << q.x << "," << q.y << ")";
  }
  EXPECT_EQ(pos.Board[2][2], EMPTY);
  EXPECT_EQ(pos.Board[1][1], EMPTY);
  EXPECT_EQ(pos.Board[8][1], GIN) << "a removed back-row piece comes back";
  EXPECT_EQ(pos.Board[5][2], EMPTY) << "the other placement's copper is emptied";
  EXPECT_EQ(pos.Board[6][9], EMPTY);
  EXPECT_EQ(pos.Hand[UE][3], 1);
  EXPECT_EQ(pos.HandTotal[UE], 1);

  before = pos;
  設定_盤状態(pos, "中嶺");
  設定_盤状態(pos, "");
  EXPECT_EQ(Describe(BoardDifferences(before, pos)), "") << "unknown names change nothing";
}

TEST(PlacementSwitch, BackAndForthGivesTheChosenStart) {
  Position pos;
  SetUpStartingPosition(pos, false);
  設定_盤状態(pos, "右嶺");
  EXPECT_EQ(Describe(BoardDifferences(pos, FromPicture(k右嶺Picture))), "");
  設定_盤状態(pos, "左嶺");
  EXPECT_EQ(Describe(BoardDifferences(pos, FromPicture(k左嶺Picture))), "");
}

}  // namespace
}  // namespace qz
