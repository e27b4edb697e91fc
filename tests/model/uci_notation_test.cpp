// Positions and moves in the text that UCI engines for this game speak.
#include "model/uci_notation.h"

#include <gtest/gtest.h>

#include "model/placement.h"

namespace qz {
namespace {

Position Start(bool 右嶺) {
  Position pos;
  SetUpStartingPosition(pos, 右嶺);
  return pos;
}

TEST(UciNotation, StartingPositionsAsEnginesWriteThem) {
  EXPECT_EQ(ToFen(Start(false), SITA),
            "lnsgkgsmnl/1r2c3b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B3C2R1/LNMSGKGSNL[] w - - 0 1");
  EXPECT_EQ(ToFen(Start(true), UE, 7),
            "lnmsgkgsnl/1r3c2b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B2C3R1/LNSGKGSMNL[] b - - 0 7");
}

TEST(UciNotation, FenRoundTripKeepsPromotionsHandsAndSide) {
  const std::string fen =
      "lnsgkgsmnl/1r2c3b1/ppppppppp1/10/10/4+B5/3+P6/PPP1PPPPPP/1B3C2R1/LNMSGKGSN+r[RPPn] b - - 0 "
      "1";
  Position pos;
  Side side = SITA;
  ASSERT_TRUE(FromFen(fen, pos, side));
  EXPECT_EQ(side, UE);
  EXPECT_EQ(pos.Board[5][6], -801);   // +B: the lower army's promoted bishop
  EXPECT_EQ(pos.Board[4][7], -11);    // +P
  EXPECT_EQ(pos.Board[10][10], 901);  // +r: the upper army's promoted rook
  EXPECT_EQ(pos.Hand[SITA][9], 1);
  EXPECT_EQ(pos.Hand[SITA][1], 2);
  EXPECT_EQ(pos.Hand[UE][3], 1);
  EXPECT_EQ(pos.HandTotal[SITA], 3);
  EXPECT_EQ(pos.KingSquare[UE], (Square{5, 1}));
  EXPECT_EQ(pos.PawnColumns[UE][10], 0);
  EXPECT_EQ(pos.PawnColumns[SITA][4], 0);  // a promoted pawn does not count
  EXPECT_EQ(ToFen(pos, side), fen);
  // The letters of their own read the same, and are written in the form an
  // engine takes for promoted pieces that go to the hand unpromoted.
  Position lettered;
  ASSERT_TRUE(FromFen(
      "lnsgkgsmnl/1r2c3b1/ppppppppp1/10/10/4H5/3+P6/PPP1PPPPPP/1B3C2R1/LNMSGKGSNd[RPPn] b - - 0 1",
      lettered, side));
  EXPECT_EQ(ToFen(lettered, side), fen);
}

TEST(UciNotation, MalformedFenIsRefused) {
  Position pos;
  Side side;
  for (const char* bad :
       {"", "10/10", "11/10/10/10/10/10/10/10/10/10[] w",
        "lnsgkgsmnl/1r2c3b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B3C2R1/LNMSGKGSNLX[] w",
        "10/10/10/10/10/10/10/10/10/10[K] w", "10/10/10/10/10/10/10/10/10/10[P w",
        "10/10/10/10/10/10/10/10/10/+K9[] w", "10/10/10/10/10/10/10/10/10/10[] x"})
    EXPECT_FALSE(FromFen(bad, pos, side)) << bad;
}

TEST(UciNotation, MovesBothWays) {
  Position pos = Start(false);
  pos.Hand[UE][1] = 1;
  pos.Hand[SITA][8] = 1;
  struct Case {
    Side mover;
    const char* text;
    GameMove move;
  } cases[] = {
      {SITA, "c3c4", {3, 8, 3, 7, -10}},
      {UE, "a10a9", {1, 1, 1, 2, 20}},
      {SITA, "B@e5", {12, 9, 5, 6, -800}},
      {UE, "P@j2", {-1, 1, 10, 9, 10}},
  };
  for (const Case& c : cases) {
    auto m = MoveFromUci(pos, c.mover, c.text);
    ASSERT_TRUE(m.has_value()) << c.text;
    EXPECT_EQ(*m, c.move) << c.text;
    EXPECT_EQ(MoveToUci(pos, *m), c.text);
  }
  // Promotion is told by the code on the target.
  pos.Board[3][3] = -10;
  const GameMove promoting{3, 3, 3, 2, -11};
  EXPECT_EQ(MoveToUci(pos, promoting), "c8c9+");
  EXPECT_EQ(MoveFromUci(pos, SITA, "c8c9+"), promoting);
  // Wrong side, empty start, unpromotable piece, stray text.
  for (const char* bad : {"a10a9", "e5e4", "e1e2+", "c3c4x", "K@e5", "P@k5", "c11c10", "c3"})
    EXPECT_FALSE(MoveFromUci(pos, SITA, bad).has_value()) << bad;
}

TEST(UciNotation, ALineOfMovesIsWrittenAsItIsPlayed) {
  // The second move promotes only because the first put the pawn there, and
  // the drop is of the pawn it took.
  Position pos = Start(false);
  pos.Board[3][5] = -HU;
  const GameMove line[] = {{3, 5, 3, 4, -HU}, {3, 4, 3, 3, -(HU + 1)}, {12, 2, 3, 6, -HU}};
  EXPECT_EQ(MovesToUci(pos, line, 3), "c6c7 c7c8+ P@c5");
  EXPECT_EQ(MovesToUci(pos, line, 0), "");
}

}  // namespace
}  // namespace qz
