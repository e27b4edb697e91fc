// Tactical probes: pins, bishop-check squares, escapes, the lower king's
// mate test and the column and neighbourhood probes.
#include <cstring>

#include "engine_fixture.h"

namespace qz::test {
namespace {

class ProbesTest : public EngineTest {};

TEST_F(ProbesTest, PinnedPiecesOfBothSides) {
  Put(5, 10, -OU);
  Put(5, 8, -KIN);  // between the lower king and the rook: pinned
  Put(7, 8, -GIN);  // off the line
  Put(5, 2, SYA);
  Put(1, 1, OU);
  Put(3, 3, GIN);  // between the computer's king and the bishop: pinned
  Put(2, 1, KIN);
  Put(6, 6, -KAKU);
  player.StartTurn();
  EXPECT_EQ(player.PinnedFlag[SITA][5][8], 1);
  EXPECT_EQ(player.PinnedFlag[SITA][7][8], 0);
  EXPECT_EQ(player.PinnedFlag[UE][3][3], 1);
  EXPECT_EQ(player.PinnedFlag[UE][2][1], 0);
  EXPECT_TRUE(player.AnyUePinned);

  // A second piece on the line means neither is pinned.
  Put(5, 6, -HU);
  Put(4, 4, KIN);
  player.StartTurn();
  EXPECT_EQ(player.PinnedFlag[SITA][5][8], 0);
  EXPECT_EQ(player.PinnedFlag[SITA][5][6], 0);
  EXPECT_EQ(player.PinnedFlag[UE][3][3], 0);
  EXPECT_FALSE(player.AnyUePinned);
}

TEST_F(ProbesTest, BishopCheckSquaresAreFreeOpenDiagonalSquares) {
  Put(5, 1, OU);
  Put(8, 4, HU);  // closes the right diagonal from (8, 4) on
  Put(10, 10, -OU);
  player.StartTurn();
  int marked = 0;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) marked += player.BishopCheckSquares[x][y];
  EXPECT_EQ(marked, 4);
  EXPECT_EQ(player.BishopCheckSquares[3][3], 1);
  EXPECT_EQ(player.BishopCheckSquares[2][4], 1);
  EXPECT_EQ(player.BishopCheckSquares[1][5], 1);
  EXPECT_EQ(player.BishopCheckSquares[7][3], 1);
  // Next to the king the computer controls the square.
  EXPECT_EQ(player.BishopCheckSquares[4][2], 0);
  EXPECT_EQ(player.BishopCheckSquares[9][5], 0);
}

TEST_F(ProbesTest, BishopThreatNeedsABishopThatCanGetThere) {
  Put(5, 1, OU);
  Put(5, 5, KIN);
  Put(10, 10, -OU);
  player.StartTurn();
  // (3, 3) is on an open diagonal from (5, 5) and sees the king.
  EXPECT_EQ(player.盤評価_自角注意_COM(5, 5, KIN), 0);
  GiveHand(SITA, 8, 1);
  player.StartTurn();
  EXPECT_EQ(player.盤評価_自角注意_COM(5, 5, KIN), KIN);
  GiveHand(SITA, 8, 0);
  Put(1, 1, -KAKU);  // reaches (3, 3) over (2, 2)
  player.StartTurn();
  EXPECT_EQ(player.盤評価_自角注意_COM(5, 5, KIN), KIN);
}

TEST_F(ProbesTest, EscapeSquaresCountEdgesAndSkipOccupiedOrControlled) {
  Put(1, 1, OU);
  Put(10, 10, -OU);
  勢力調査(pos, maps);
  EXPECT_EQ(player.調査_自王逃道(), 3);
  Put(9, 1, SYA);  // covers (9, 9) and (9, 10)
  勢力調査(pos, maps);
  EXPECT_EQ(player.調査_自王逃道(), 1);
  Put(10, 9, -HU);
  勢力調査(pos, maps);
  EXPECT_EQ(player.調査_自王逃道(), 0);
}

TEST_F(ProbesTest, BigPiecesAroundASquare) {
  Put(2, 1, SYA);
  Put(1, 2, KAKU);
  Put(2, 2, OU);
  Put(3, 3, KIN);
  Put(5, 5, -SYA);  // lower pieces never count
  EXPECT_EQ(player.調査_周辺状況(1, 1), -3);
  EXPECT_EQ(player.調査_周辺状況(3, 2), -2);
  EXPECT_EQ(player.調査_周辺状況(4, 4), 0);
}

// The lower king on (10, 10) in check down the tenth file; knights cover
// (9, 9) and (9, 10), and the rook's line covers (10, 9).
void PlaceFileMate(Position& pos) {
  pos.Board[1][1] = OU;
  pos.Board[10][1] = SYA;
  pos.Board[8][7] = KEI;
  pos.Board[8][8] = KEI;
  pos.Board[10][10] = -OU;
}

TEST_F(ProbesTest, MateOfTheLowerKing) {
  PlaceFileMate(pos);
  GiveHand(SITA, 6, 2);  // a drop in between is not considered
  勢力調査(pos, maps);
  EXPECT_TRUE(player.詰めかMAN());
}

TEST_F(ProbesTest, InterpositionByABoardPieceIsNotMate) {
  PlaceFileMate(pos);
  Put(9, 5, -GIN);  // can step back onto (10, 6)
  勢力調査(pos, maps);
  const Position before = pos;
  EXPECT_FALSE(player.詰めかMAN());
  EXPECT_EQ(std::memcmp(pos.Board, before.Board, sizeof pos.Board), 0);
}

TEST_F(ProbesTest, AFreeEscapeSquareIsNotMate) {
  PlaceFileMate(pos);
  Put(8, 8, EMPTY);
  勢力調査(pos, maps);
  EXPECT_FALSE(player.詰めかMAN());
}

TEST_F(ProbesTest, NoCheckIsNoMate) {
  Put(1, 1, OU);
  Put(10, 10, -OU);
  勢力調査(pos, maps);
  EXPECT_FALSE(player.詰めかMAN());
}

TEST_F(ProbesTest, LowerLanceOrRookBehindASquare) {
  Put(5, 3, GIN);
  Put(5, 9, -KYOU);
  Put(1, 1, OU);
  Put(10, 10, -OU);
  EXPECT_TRUE(player.調査_自守駒MAN_直進駒(5, 3));
  EXPECT_EQ(pos.Board[5][3], GIN);  // put back
  Put(5, 6, -HU);                   // passed over, but it blocks the lance
  EXPECT_FALSE(player.調査_自守駒MAN_直進駒(5, 3));
  Put(5, 6, HU);  // a computer piece ends the walk
  EXPECT_FALSE(player.調査_自守駒MAN_直進駒(5, 3));
}

TEST_F(ProbesTest, SafeDestinationsOfAPiece) {
  Put(5, 5, KIN);
  Put(4, 7, -HU);  // controls (4, 6)
  Put(1, 1, OU);
  Put(10, 10, -OU);
  勢力調査(pos, maps);
  EXPECT_EQ(player.調査_移動可場所数(5, 5, KIN), 5);
  // The lower pawn's only square is attacked by the gold.
  EXPECT_EQ(player.調査_移動可場所数(4, 7, -HU), 0);
}

TEST_F(ProbesTest, DropFollowUpsAfterABigPieceTakesAPawn) {
  // The lower rook takes the pawn on (5, 7); a knight dropped on (4, 5) then
  // forks it and the bishop on (3, 7), and a lance on (5, 7) would reach the
  // rook on (5, 9).
  Put(1, 1, OU);
  Put(5, 5, KIN);
  Put(5, 7, HU);
  Put(5, 9, -SYA);
  Put(3, 7, -KAKU);
  Put(10, 10, -OU);
  勢力調査(pos, maps);
  ASSERT_EQ(maps.SitaAttackerCode[5][7], -900);
  EXPECT_EQ(player.調査_桂狙い(5, 7), 800);
  EXPECT_EQ(player.調査_香狙い(5, 7), 900);
  // Without a computer piece covering the square in front, no lance threat.
  Put(5, 5, EMPTY);
  勢力調査(pos, maps);
  EXPECT_EQ(player.調査_香狙い(5, 7), 0);
}

}  // namespace
}  // namespace qz::test
