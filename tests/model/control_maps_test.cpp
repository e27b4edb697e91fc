// The control-map pass: counts, attacker and defender maps, check lines.
#include "model/control_maps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "model/board_picture.h"
#include "model/placement.h"

namespace qz {
namespace {

using test::BoardDifferences;
using test::Describe;
using test::FromPicture;

struct Pass {
  explicit Pass(Position p) : pos(p), maps(std::make_unique<ControlMaps>()) {
    勢力調査(pos, *maps);
  }
  Position pos;
  std::unique_ptr<ControlMaps> maps;
  ControlMaps& m() { return *maps; }
};

// Squares where a map holds a non-zero value, scan order.
std::string Marked(const int (&map)[11][11]) {
  std::string s;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (map[x][y] != 0)
        s += "(" + std::to_string(x) + "," + std::to_string(y) + ")=" + std::to_string(map[x][y]) +
             " ";
  return s;
}

TEST(ControlMaps, EmptyBoardHoldsTheNothingAppliesValues) {
  Pass p{Position{}};
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      for (int s = 0; s < 2; ++s) {
        EXPECT_EQ(p.m().ControlCount[s][x][y], 0);
        EXPECT_EQ(p.m().CheckLine[s][x][y], 0);
      }
      EXPECT_EQ(p.m().SitaDefenderCode[x][y], 999);
      EXPECT_EQ(p.m().UeDefenderCode[x][y], 999);
      EXPECT_EQ(p.m().SitaAttackerCode[x][y], -999);
      EXPECT_EQ(p.m().UeAttackerCode[x][y], 999);
    }
  }
}

TEST(ControlMaps, RookCheckLineAndCountsReachBehindTheKing) {
  Pass p{FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . k . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . R . . . . .
    . . . . . . . . . .)")};
  EXPECT_EQ(Marked(p.m().CheckLine[SITA]), "(5,4)=1 (5,5)=1 (5,6)=1 (5,7)=1 (5,8)=1 (5,9)=9 ");
  EXPECT_EQ(Marked(p.m().CheckLine[UE]), "");
  for (int y = 1; y <= 10; ++y) EXPECT_EQ(p.m().ControlCount[SITA][5][y], y == 9 ? 0 : 1) << y;
  EXPECT_EQ(p.m().ControlCount[SITA][4][9], 1);
  EXPECT_EQ(p.m().SitaAttackerCode[5][3], -SYA);
  EXPECT_EQ(p.m().SitaAttackerSquare[5][3], (Square{5, 9}));
  EXPECT_EQ(p.pos.KingSquare[UE], (Square{5, 3}));

  // A UE lance looks down its file only.
  Position lance;
  lance.Board[3][2] = KYOU;
  lance.Board[3][6] = -OU;
  lance.Board[3][1] = -HU;
  Pass q{lance};
  EXPECT_EQ(Marked(q.m().CheckLine[UE]), "(3,2)=9 (3,3)=1 (3,4)=1 (3,5)=1 ");
  EXPECT_EQ(q.m().ControlCount[UE][3][10], 1);
  EXPECT_EQ(q.m().ControlCount[UE][3][1], 0);
}

TEST(ControlMaps, RaysStopAtAnyPieceButTheEnemyKing) {
  // UE rook on (1, 2): down the file through the SITA king on (1, 8) to the
  // edge, and along row 2 until the UE pawn on (4, 2).
  Position pos;
  pos.Board[1][2] = SYA;
  pos.Board[1][8] = -OU;
  pos.Board[4][2] = HU;
  pos.Board[1][10] = -HU;
  Pass q{pos};
  for (int y = 3; y <= 10; ++y) EXPECT_EQ(q.m().ControlCount[UE][1][y], 1) << y;
  EXPECT_EQ(q.m().ControlCount[UE][1][1], 1);
  EXPECT_EQ(q.m().ControlCount[UE][2][2], 1);
  EXPECT_EQ(q.m().ControlCount[UE][3][2], 1);
  EXPECT_EQ(q.m().ControlCount[UE][4][2], 1);
  EXPECT_EQ(q.m().ControlCount[UE][5][2], 0) << "the own pawn stops the ray";
  EXPECT_EQ(q.m().UeDefenderCode[4][2], SYA);
  EXPECT_EQ(q.m().UeDefenderSquare[4][2], (Square{1, 2}));
  EXPECT_EQ(q.m().UeAttackerCode[1][10], SYA) << "the pawn behind the king is attacked";
  EXPECT_EQ(q.m().UeAttackerSquare[1][10], (Square{1, 2}));
  EXPECT_EQ(Marked(q.m().CheckLine[UE]), "(1,2)=9 (1,3)=1 (1,4)=1 (1,5)=1 (1,6)=1 (1,7)=1 ");

  // An enemy piece that is not the king stops the ray after it.
  pos.Board[1][5] = -KIN;
  Pass r{pos};
  EXPECT_EQ(r.m().ControlCount[UE][1][5], 1);
  EXPECT_EQ(r.m().ControlCount[UE][1][6], 0);
  EXPECT_EQ(Marked(r.m().CheckLine[UE]), "");
}

TEST(ControlMaps, StrongestSitaDefenderAndWeakestSitaAttacker) {
  Pass p{FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . p . . . . . . .
    . . P P . . . . . .
    R . R K . . . . . .
    . . . . . . . . . .)")};
  // (3, 8): guarded by the rook below it and the king; the king wins.
  EXPECT_EQ(p.m().SitaDefenderCode[3][8], -OU);
  EXPECT_EQ(p.m().SitaDefenderCode[4][8], -OU);
  // The rooks on row 9 guard each other; the king also guards (3, 9).
  EXPECT_EQ(p.m().SitaDefenderCode[3][9], -OU);
  EXPECT_EQ(p.m().SitaDefenderCode[1][9], -SYA);
  EXPECT_EQ(p.m().SitaDefenderCode[4][9], -SYA) << "the king is guarded by the rook beside it";
  // The UE pawn on (3, 7) is attacked only by the pawn on (3, 8): the rook
  // behind that pawn is blocked.
  EXPECT_EQ(p.m().ControlCount[SITA][3][7], 1);
  EXPECT_EQ(p.m().SitaAttackerCode[3][7], -HU);
  EXPECT_EQ(p.m().SitaAttackerSquare[3][7], (Square{3, 8}));
  EXPECT_EQ(p.m().UeAttackerCode[3][8], HU);

  // A UE pawn attacked by a SITA rook (scanned first) and a SITA pawn.
  Position pos;
  pos.Board[2][5] = -SYA;
  pos.Board[5][5] = HU;
  pos.Board[5][6] = -HU;
  Pass q{pos};
  EXPECT_EQ(q.m().SitaAttackerCode[5][5], -HU);
  EXPECT_EQ(q.m().SitaAttackerSquare[5][5], (Square{5, 6}));
  // Seen the other way round, the rook scanned first keeps the square until
  // a weaker attacker replaces it; a stronger one later does not.
  pos.Board[5][6] = EMPTY;
  pos.Board[8][5] = -KIN;
  pos.Board[6][4] = -GIN;
  Pass r{pos};
  EXPECT_EQ(r.m().SitaAttackerCode[5][5], -GIN);
  EXPECT_EQ(r.m().SitaAttackerSquare[5][5], (Square{6, 4}));
}

TEST(ControlMaps, EqualCodesKeepTheFirstPieceInScanOrder) {
  Position pos;
  pos.Board[5][5] = KIN;
  pos.Board[4][6] = -GIN;
  pos.Board[6][6] = -GIN;
  pos.Board[5][3] = -KIN;
  pos.Board[4][4] = GIN;
  pos.Board[6][4] = GIN;
  pos.Board[4][2] = KYOU;
  pos.Board[6][2] = KYOU;
  Pass p{pos};
  EXPECT_EQ(p.m().ControlCount[SITA][5][5], 2);
  EXPECT_EQ(p.m().SitaAttackerCode[5][5], -GIN);
  EXPECT_EQ(p.m().SitaAttackerSquare[5][5], (Square{4, 6}));
  EXPECT_EQ(p.m().UeDefenderCode[5][5], GIN);
  EXPECT_EQ(p.m().ControlCount[UE][5][5], 2);
  // Both UE silvers step back diagonally onto the SITA gold on (5, 3).
  EXPECT_EQ(p.m().ControlCount[UE][5][3], 2);
  EXPECT_EQ(p.m().UeAttackerCode[5][3], GIN);
}

TEST(ControlMaps, StepPiecesCountOwnNeighboursAsDefendedAndRestoreTheBoard) {
  const Position pos = FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . P P P . . . .
    . . . P G P . . . .
    . . . P P P . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .)");
  Pass p{pos};
  EXPECT_EQ(Describe(BoardDifferences(pos, p.pos)), "");
  // The SITA gold on (5, 5) reaches (4..6, 4), (4, 5), (6, 5), (5, 6).
  for (Square q :
       {Square{4, 4}, Square{5, 4}, Square{6, 4}, Square{4, 5}, Square{6, 5}, Square{5, 6}}) {
    EXPECT_EQ(p.m().SitaDefenderCode[q.x][q.y], -KIN) << q.x << "," << q.y;
  }
  EXPECT_EQ(p.m().SitaDefenderCode[4][6], 999);
  EXPECT_EQ(p.m().SitaDefenderCode[6][6], 999);
  EXPECT_EQ(p.m().ControlCount[SITA][4][6], 0);
  // Pawns attack forward only: the pawn on (5, 6) guards the gold.
  EXPECT_EQ(p.m().SitaDefenderCode[5][5], -HU);
  EXPECT_EQ(p.m().ControlCount[SITA][5][3], 1);
}

TEST(ControlMaps, UpperPawnAndStepPiecesRecordTheAttackerCodeButNotItsSquare) {
  Position pos;
  pos.Board[2][5] = SYA;  // scanned first: records code and square
  pos.Board[5][4] = HU;   // scanned later: better code, square untouched
  pos.Board[5][5] = -KIN;
  pos.Board[8][8] = DOU;
  pos.Board[8][9] = -GIN;
  Pass p{pos};
  EXPECT_EQ(p.m().UeAttackerCode[5][5], HU);
  EXPECT_EQ(p.m().UeAttackerSquare[5][5], (Square{2, 5}));
  EXPECT_EQ(p.m().UeAttackerCode[8][9], DOU);
  EXPECT_EQ(p.m().UeAttackerSquare[8][9], (Square{0, 0}));
  EXPECT_EQ(p.m().SitaAttackerCode[5][4], -KIN);
  EXPECT_EQ(p.m().SitaAttackerSquare[5][4], (Square{5, 5}));
  // The SITA silver on (8, 9) attacks the copper on (8, 8).
  EXPECT_EQ(p.m().SitaAttackerCode[8][8], -GIN);
}

TEST(ControlMaps, UpperJumpersRecordDefenceWithSquareButNoAttack) {
  Position pos;
  pos.Board[4][3] = KEI;
  pos.Board[3][5] = GIN;   // defended by the knight
  pos.Board[5][5] = -GIN;  // attacked by the knight
  pos.Board[6][4] = REI;
  pos.Board[7][7] = KIN;  // defended by the 嶺
  pos.Board[5][7] = -HU;  // attacked by the 嶺
  Pass p{pos};
  EXPECT_EQ(p.m().UeDefenderCode[3][5], KEI);
  EXPECT_EQ(p.m().UeDefenderSquare[3][5], (Square{4, 3}));
  EXPECT_EQ(p.m().UeDefenderCode[7][7], REI);
  EXPECT_EQ(p.m().UeDefenderSquare[7][7], (Square{6, 4}));
  EXPECT_EQ(p.m().ControlCount[UE][5][5], 1);
  EXPECT_EQ(p.m().UeAttackerCode[5][5], 999);
  EXPECT_EQ(p.m().UeAttackerSquare[5][5], (Square{0, 0}));
  EXPECT_EQ(p.m().ControlCount[UE][5][7], 1);
  EXPECT_EQ(p.m().UeAttackerCode[5][7], 999);
  // A SITA knight records its attack with the square.
  Position s;
  s.Board[4][8] = -KEI;
  s.Board[5][6] = KIN;
  s.Board[3][6] = -KIN;
  Pass q{s};
  EXPECT_EQ(q.m().SitaAttackerCode[5][6], -KEI);
  EXPECT_EQ(q.m().SitaAttackerSquare[5][6], (Square{4, 8}));
  EXPECT_EQ(q.m().SitaDefenderCode[3][6], -KEI);
}

TEST(ControlMaps, KingsDefendButTheUpperKingRecordsNoAttack) {
  Position pos;
  pos.Board[5][5] = OU;
  pos.Board[5][6] = KIN;
  pos.Board[4][4] = -HU;
  pos.Board[5][8] = -OU;
  pos.Board[5][7] = -HU;
  pos.Board[6][7] = GIN;  // steps back onto (5, 6) and (7, 6): it guards the gold
  Pass p{pos};
  EXPECT_EQ(p.m().UeDefenderCode[5][6], GIN) << "silver below the king";
  EXPECT_EQ(p.m().ControlCount[UE][4][4], 1);
  EXPECT_EQ(p.m().UeAttackerCode[4][4], 999);
  EXPECT_EQ(p.m().SitaDefenderCode[5][7], -OU);
  EXPECT_EQ(p.m().SitaAttackerCode[6][7], -OU);
  EXPECT_EQ(p.m().SitaAttackerSquare[6][7], (Square{5, 8}));
  EXPECT_EQ(p.pos.KingSquare[UE], (Square{5, 5}));
  EXPECT_EQ(p.pos.KingSquare[SITA], (Square{5, 8}));
  // The UE gold on (5, 6) steps straight back onto the king's square.
  EXPECT_EQ(p.m().UeDefenderCode[5][5], KIN);
}

TEST(ControlMaps, KingsNextToEachOtherGiveNoCheckLine) {
  Position pos;
  pos.Board[5][5] = OU;
  pos.Board[5][6] = -OU;
  Pass p{pos};
  EXPECT_EQ(p.m().ControlCount[SITA][5][5], 1);
  EXPECT_EQ(p.m().ControlCount[UE][5][6], 1);
  EXPECT_EQ(Marked(p.m().CheckLine[SITA]), "");
  EXPECT_EQ(Marked(p.m().CheckLine[UE]), "");
  EXPECT_EQ(p.m().SitaAttackerCode[5][5], -OU);
}

TEST(ControlMaps, PromotedBishopAndRookCodesPerKindOfAttack) {
  Position pos;
  pos.Board[5][5] = -(KAKU + 1);
  pos.Board[7][7] = KIN;  // diagonal
  pos.Board[5][4] = KIN;  // orthogonal step
  pos.Board[6][6] = -HU;  // own piece on the diagonal: blocks (7, 7)
  Pass p{pos};
  EXPECT_EQ(p.m().SitaAttackerCode[5][4], -(KAKU + 1));
  EXPECT_EQ(p.m().SitaDefenderCode[6][6], -KAKU) << "SITA diagonals record a plain bishop";
  EXPECT_EQ(p.m().ControlCount[SITA][7][7], 0);
  pos.Board[6][6] = EMPTY;
  Pass q{pos};
  EXPECT_EQ(q.m().SitaAttackerCode[7][7], -KAKU);
  EXPECT_EQ(q.m().SitaAttackerSquare[7][7], (Square{5, 5}));

  Position ue;
  ue.Board[5][5] = KAKU + 1;
  ue.Board[7][7] = -KIN;  // diagonal: recorded as 801
  ue.Board[5][6] = -KIN;  // orthogonal step: counted, nothing recorded
  ue.Board[5][4] = GIN;   // orthogonal step on own piece: no defender code
  ue.Board[3][3] = GIN;   // diagonal on own piece
  Pass r{ue};
  EXPECT_EQ(r.m().UeAttackerCode[7][7], KAKU + 1);
  EXPECT_EQ(r.m().UeAttackerSquare[7][7], (Square{5, 5}));
  EXPECT_EQ(r.m().ControlCount[UE][5][6], 1);
  EXPECT_EQ(r.m().UeAttackerCode[5][6], 999);
  EXPECT_EQ(r.m().ControlCount[UE][5][4], 1);
  EXPECT_EQ(r.m().UeDefenderCode[5][4], 999);
  EXPECT_EQ(r.m().UeDefenderCode[3][3], KAKU + 1);
  EXPECT_EQ(r.m().UeDefenderSquare[3][3], (Square{5, 5}));

  Position dragon;
  dragon.Board[5][5] = SYA + 1;
  dragon.Board[6][6] = -KIN;  // diagonal step
  dragon.Board[4][4] = KIN;   // diagonal step on own piece
  dragon.Board[5][9] = -GIN;  // ray
  Pass d{dragon};
  EXPECT_EQ(d.m().UeAttackerCode[6][6], SYA + 1);
  EXPECT_EQ(d.m().UeAttackerSquare[6][6], (Square{5, 5}));
  EXPECT_EQ(d.m().UeDefenderCode[4][4], SYA + 1);
  EXPECT_EQ(d.m().UeDefenderSquare[4][4], (Square{5, 5}));
  EXPECT_EQ(d.m().UeAttackerCode[5][9], SYA + 1);
  dragon.Board[5][5] = -(SYA + 1);
  dragon.Board[6][6] = KIN;
  Pass e{dragon};
  EXPECT_EQ(e.m().SitaAttackerCode[6][6], -(SYA + 1));
}

TEST(ControlMaps, JumpersMarkTheKingsSquareOnTheCheckLine) {
  // UE 嶺 on row 7 attacks row 10 and checks the SITA king there.
  Position pos;
  pos.Board[5][7] = REI;
  pos.Board[6][10] = -OU;
  pos.Board[3][8] = KEI;
  Pass p{pos};
  EXPECT_EQ(p.m().ControlCount[UE][4][10], 2) << "嶺 and knight";
  EXPECT_EQ(p.m().ControlCount[UE][6][10], 1);
  EXPECT_EQ(p.m().ControlCount[UE][2][10], 1) << "a UE knight on row 8 reaches row 10";
  EXPECT_EQ(Marked(p.m().CheckLine[UE]), "(5,7)=9 (6,10)=9 ");

  // SITA pawn and silver checks: 9 on their own squares only.
  Position s;
  s.Board[5][3] = OU;
  s.Board[5][4] = -HU;
  s.Board[4][2] = -GIN;
  Pass q{s};
  EXPECT_EQ(Marked(q.m().CheckLine[SITA]), "(4,2)=9 (5,4)=9 ");
  EXPECT_EQ(q.m().ControlCount[SITA][5][3], 2);
}

TEST(ControlMaps, StartingPositionKingsAndSampleCounts) {
  Position pos;
  SetUpStartingPosition(pos, false);
  Pass p{pos};
  EXPECT_EQ(p.pos.KingSquare[UE], (Square{5, 1}));
  EXPECT_EQ(p.pos.KingSquare[SITA], (Square{6, 10}));
  EXPECT_EQ(Marked(p.m().CheckLine[SITA]), "");
  EXPECT_EQ(Marked(p.m().CheckLine[UE]), "");
  // Every square of row 7 is attacked by the pawn in front of it, and (1, 7)
  // ... (10, 7) by nothing else; the 嶺 on (3, 10) reaches (2, 7) and (4, 7).
  for (int x = 1; x <= 10; ++x) {
    EXPECT_EQ(p.m().ControlCount[SITA][x][7], (x == 2 || x == 4) ? 2 : 1) << x;
  }
  // And symmetrically for UE with its 嶺 on (8, 1).
  for (int x = 1; x <= 10; ++x) {
    EXPECT_EQ(p.m().ControlCount[UE][x][4], (x == 7 || x == 9) ? 2 : 1) << x;
  }
  EXPECT_EQ(Describe(BoardDifferences(pos, p.pos)), "");
}

// A middle-game position with pieces of every kind for the map comparisons.
const char* const kBusy = R"(
  l . . g . . . . n l
  . r s . k c g . . .
  p . n p p p s e p p
  . p p . . . p b . .
  . . . +B . P . . . .
  . . P P . . . . P .
  P P . . P . P P . P
  . . S E . C G S . .
  . . K G . . . R . .
  L N . . . . . . N L)";

void ExpectSameMaps(const ControlMaps& a, const ControlMaps& b) {
  EXPECT_EQ(0, std::memcmp(a.ControlCount, b.ControlCount, sizeof a.ControlCount));
  EXPECT_EQ(0, std::memcmp(a.CheckLine, b.CheckLine, sizeof a.CheckLine));
  EXPECT_EQ(0, std::memcmp(a.SitaDefenderCode, b.SitaDefenderCode, sizeof a.SitaDefenderCode));
  EXPECT_EQ(0, std::memcmp(a.UeDefenderCode, b.UeDefenderCode, sizeof a.UeDefenderCode));
  EXPECT_EQ(0, std::memcmp(a.SitaAttackerCode, b.SitaAttackerCode, sizeof a.SitaAttackerCode));
  EXPECT_EQ(0, std::memcmp(a.UeAttackerCode, b.UeAttackerCode, sizeof a.UeAttackerCode));
  for (int x = 0; x <= 10; ++x) {
    for (int y = 0; y <= 10; ++y) {
      EXPECT_EQ(a.UeDefenderSquare[x][y], b.UeDefenderSquare[x][y])
          << "UeDefenderSquare " << x << "," << y;
      EXPECT_EQ(a.UeAttackerSquare[x][y], b.UeAttackerSquare[x][y])
          << "UeAttackerSquare " << x << "," << y;
      EXPECT_EQ(a.SitaAttackerSquare[x][y], b.SitaAttackerSquare[x][y])
          << "SitaAttackerSquare " << x << "," << y;
    }
  }
}

TEST(ControlMaps, MapsDependOnlyOnTheBoardNotOnEarlierPasses) {
  // In A the UE pawn on (4, 3) and the SITA gold on (4, 5) get their square
  // entries from rooks; in B the same squares are guarded by the UE king and
  // attacked by a UE gold, kinds that record no square.
  const Position a = FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . p . . . . . r
    . . . . . . . . . .
    . . . G . . . . . r
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . K . . . .
    . . . . . . . . . .)");
  const Position b = FromPicture(R"(
    . . . . . . . . . .
    . . . . k . . . . .
    . . . p . p s . . .
    . . P . g . . . . .
    . . . G . c . . . .
    . . P . . P . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . K . . . .
    . . . . . . . . . .)");
  Position busy = FromPicture(kBusy), pa = a, pb = b;
  auto earlier = std::make_unique<ControlMaps>();
  勢力調査(busy, *earlier);
  勢力調査(pa, *earlier);
  EXPECT_EQ(earlier->UeAttackerSquare[4][5], (Square{10, 5}));
  EXPECT_EQ(earlier->UeDefenderSquare[4][3], (Square{10, 3}));
  勢力調査(pb, *earlier);

  auto alone = std::make_unique<ControlMaps>();
  std::memset(alone.get(), 0x5A, sizeof *alone);  // garbage from before
  Position pb2 = b;
  勢力調査(pb2, *alone);
  ExpectSameMaps(*earlier, *alone);
  EXPECT_EQ(alone->UeAttackerCode[4][5], KIN);
  EXPECT_EQ(alone->UeAttackerSquare[4][5], (Square{0, 0}));
  EXPECT_EQ(alone->UeDefenderCode[4][3], OU);
  EXPECT_EQ(alone->UeDefenderSquare[4][3], (Square{0, 0}));
  EXPECT_EQ(alone->SitaAttackerCode[6][5], -HU);
  EXPECT_EQ(alone->SitaAttackerSquare[6][5], (Square{6, 6}));
}

TEST(ControlMaps, PassLeavesTheBoardExactlyAsItWas) {
  Position pos = FromPicture(kBusy);
  for (int i = 0; i <= 10; ++i) {
    pos.Board[0][i] = 0;
    pos.Board[i][0] = 0;
  }
  const Position before = pos;
  auto maps = std::make_unique<ControlMaps>();
  勢力調査(pos, *maps);
  EXPECT_EQ(Describe(BoardDifferences(before, pos)), "");
  EXPECT_EQ(std::memcmp(before.Hand, pos.Hand, sizeof pos.Hand), 0);
}

}  // namespace
}  // namespace qz
