// Movement, drop and promotion rules.
#include "model/rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/board_picture.h"
#include "model/make_move.h"

namespace qz {
namespace {

using test::Describe;
using test::FromPicture;
using test::Targets;

std::vector<Square> Sorted(std::vector<Square> v) {
  std::sort(v.begin(), v.end(),
            [](Square a, Square b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  return v;
}

void ExpectTargets(const Position& pos, int x, int y, PieceCode c, std::vector<Square> expected) {
  const auto got = Targets(pos, x, y, c);
  EXPECT_EQ(Describe(got), Describe(Sorted(expected)))
      << "piece " << c << " on (" << x << "," << y << ")";
}

// Every square on the lines from (x, y) in the given directions, up to the edge.
std::vector<Square> Lines(int x, int y, std::vector<Square> dirs) {
  std::vector<Square> out;
  for (Square d : dirs) {
    for (int tx = x + d.x, ty = y + d.y; OnBoard(tx, ty); tx += d.x, ty += d.y)
      out.push_back({tx, ty});
  }
  return out;
}

const std::vector<Square> kOrtho = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
const std::vector<Square> kDiag = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

TEST(MovementOnEmptyBoard, StepAndJumpPiecesOfBothSides) {
  const Position empty;
  // SITA moves towards row 1.
  ExpectTargets(empty, 5, 5, -HU, {{5, 4}});
  ExpectTargets(empty, 5, 5, -KEI, {{4, 3}, {6, 3}});
  ExpectTargets(empty, 5, 5, -REI, {{4, 2}, {6, 2}});
  ExpectTargets(empty, 5, 5, -GIN, {{4, 4}, {5, 4}, {6, 4}, {4, 6}, {6, 6}});
  ExpectTargets(empty, 5, 5, -KIN, {{4, 4}, {5, 4}, {6, 4}, {4, 5}, {6, 5}, {5, 6}});
  ExpectTargets(empty, 5, 5, -DOU, {{4, 4}, {5, 4}, {6, 4}, {5, 6}});
  ExpectTargets(empty, 5, 5, -OU, {{4, 4}, {5, 4}, {6, 4}, {4, 5}, {6, 5}, {4, 6}, {5, 6}, {6, 6}});
  // UE moves towards row 10.
  ExpectTargets(empty, 5, 5, HU, {{5, 6}});
  ExpectTargets(empty, 5, 5, KEI, {{4, 7}, {6, 7}});
  ExpectTargets(empty, 5, 5, REI, {{4, 8}, {6, 8}});
  ExpectTargets(empty, 5, 5, GIN, {{4, 6}, {5, 6}, {6, 6}, {4, 4}, {6, 4}});
  ExpectTargets(empty, 5, 5, KIN, {{4, 6}, {5, 6}, {6, 6}, {4, 5}, {6, 5}, {5, 4}});
  ExpectTargets(empty, 5, 5, DOU, {{4, 6}, {5, 6}, {6, 6}, {5, 4}});
  ExpectTargets(empty, 5, 5, OU, {{4, 4}, {5, 4}, {6, 4}, {4, 5}, {6, 5}, {4, 6}, {5, 6}, {6, 6}});
}

TEST(MovementOnEmptyBoard, PromotedSmallPiecesMoveAsGold) {
  const Position empty;
  for (PieceCode c : {11, 21, 31, 41, 101, 211}) {
    ExpectTargets(empty, 5, 5, -c, {{4, 4}, {5, 4}, {6, 4}, {4, 5}, {6, 5}, {5, 6}});
    ExpectTargets(empty, 5, 5, c, {{4, 6}, {5, 6}, {6, 6}, {4, 5}, {6, 5}, {5, 4}});
  }
}

TEST(MovementOnEmptyBoard, SlidersAndTheirPromotions) {
  const Position empty;
  ExpectTargets(empty, 5, 5, -KYOU, {{5, 1}, {5, 2}, {5, 3}, {5, 4}});
  ExpectTargets(empty, 5, 5, KYOU, {{5, 6}, {5, 7}, {5, 8}, {5, 9}, {5, 10}});
  for (PieceCode sign : {-1, 1}) {
    ExpectTargets(empty, 4, 7, sign * KAKU, Lines(4, 7, kDiag));
    ExpectTargets(empty, 4, 7, sign * SYA, Lines(4, 7, kOrtho));
    auto horse = Lines(4, 7, kDiag);
    horse.insert(horse.end(), {{4, 6}, {4, 8}, {3, 7}, {5, 7}});
    ExpectTargets(empty, 4, 7, sign * (KAKU + 1), horse);
    auto dragon = Lines(4, 7, kOrtho);
    dragon.insert(dragon.end(), {{3, 6}, {5, 6}, {3, 8}, {5, 8}});
    ExpectTargets(empty, 4, 7, sign * (SYA + 1), dragon);
  }
}

TEST(MovementOnEmptyBoard, PiecesAtTheEdgeKeepTheirTargetsOnTheBoard) {
  const Position empty;
  ExpectTargets(empty, 1, 1, -OU, {{2, 1}, {1, 2}, {2, 2}});
  ExpectTargets(empty, 1, 3, -KEI, {{2, 1}});
  ExpectTargets(empty, 10, 2, -KEI, {});
  ExpectTargets(empty, 10, 7, REI, {{9, 10}});
  ExpectTargets(empty, 5, 1, -HU, {});
  ExpectTargets(empty, 5, 10, HU, {});
}

TEST(MovementWithPieces, SlidesStopAtTheFirstPieceWhichMayBeCapturedIfEnemy) {
  Position pos = FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . p . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . L . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .)");
  // SITA lance on (5, 7), UE pawn on (5, 3).
  ExpectTargets(pos, 5, 7, -KYOU, {{5, 6}, {5, 5}, {5, 4}, {5, 3}});
  // Own piece blocks and may not be taken.
  pos.Board[5][3] = -HU;
  ExpectTargets(pos, 5, 7, -KYOU, {{5, 6}, {5, 5}, {5, 4}});
  EXPECT_EQ(移動チェック(pos, 5, 7, 5, 2, -KYOU), 0);

  Position rook = FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . k . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . P . R . . s . .
    . . . . . . . . . .
    . . . . . . . . . .)");
  ExpectTargets(rook, 5, 8, -SYA,
                {{5, 5}, {5, 6}, {5, 7}, {5, 9}, {5, 10}, {4, 8}, {6, 8}, {7, 8}, {8, 8}});
  EXPECT_EQ(移動チェック(rook, 5, 8, 5, 4, -SYA), 0) << "no passing through the king";
  EXPECT_EQ(移動チェック(rook, 5, 8, 9, 8, -SYA), 0);
  EXPECT_EQ(移動チェック(rook, 5, 8, 3, 8, -SYA), 0);
  EXPECT_EQ(移動チェック(rook, 5, 8, 6, 7, -SYA), 0) << "a plain rook has no diagonal step";
  EXPECT_EQ(移動チェック(rook, 5, 8, 6, 7, -(SYA + 1)), 1);

  Position bishop = FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . p . .
    . . . . . . . . . .
    . . . . . b . . . .
    . . . . . . . . . .
    . . . . . . . . . .)");
  // UE bishop on (6, 8) blocked by the own pawn on (8, 6).
  EXPECT_EQ(移動チェック(bishop, 6, 8, 7, 7, KAKU), 1);
  EXPECT_EQ(移動チェック(bishop, 6, 8, 8, 6, KAKU), 0);
  EXPECT_EQ(移動チェック(bishop, 6, 8, 9, 5, KAKU), 0);
  EXPECT_EQ(移動チェック(bishop, 6, 8, 2, 4, KAKU), 1);
  EXPECT_EQ(移動チェック(bishop, 6, 8, 6, 7, KAKU + 1), 1) << "promoted bishop steps straight";
  EXPECT_EQ(移動チェック(bishop, 6, 8, 6, 6, KAKU + 1), 0);
}

TEST(MovementWithPieces, JumpersIgnoreWhatStandsBetween) {
  Position pos = FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . P P P . . . .
    . . . P E P . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .)");
  ExpectTargets(pos, 5, 4, -REI, {{4, 1}, {6, 1}});
  PieceCode promoted = 0;
  EXPECT_EQ(調査_駒成(5, 4, 4, 1, -REI, promoted), 1);
  EXPECT_EQ(移動後チェック(1, -REI), 0);
  // Knight on (5, 3) reaches row 1 and must promote there.
  Position knight;
  knight.Board[5][3] = -KEI;
  knight.Board[5][2] = HU;
  ExpectTargets(knight, 5, 3, -KEI, {{4, 1}, {6, 1}});
  EXPECT_EQ(移動後チェック(1, -KEI), 0);
}

TEST(MovementWithPieces, TargetsAndSquaresThatAreNeverLegal) {
  Position pos;
  pos.Board[5][5] = -OU;
  pos.Board[5][4] = OU;
  EXPECT_EQ(移動チェック(pos, 5, 5, 5, 4, -OU), 1) << "capturing the king is a move";
  EXPECT_EQ(移動チェック(pos, 5, 5, 5, 5, -OU), 0);
  EXPECT_EQ(移動チェック(pos, 1, 1, 0, 1, -OU), 0);
  EXPECT_EQ(移動チェック(pos, 10, 10, 11, 10, -OU), 0);
  EXPECT_EQ(移動チェック(pos, 5, 1, 5, 0, -HU), 0);
  // The moving code decides the side, not what stands on the start square.
  EXPECT_EQ(移動チェック(pos, 5, 6, 5, 5, -HU), 0);
  EXPECT_EQ(移動チェック(pos, 5, 6, 5, 5, KIN), 1);
  // A code with no movement rule passes once the target is not its own.
  EXPECT_EQ(移動チェック(pos, 1, 1, 9, 9, 111), 1);
  EXPECT_EQ(移動チェック(pos, 1, 1, 5, 4, 111), 0);
}

TEST(Drops, RowLimitsOfEachKindForBothSides) {
  const Position empty;
  struct Case {
    PieceCode c;
    std::vector<int> refusedRows;
  };
  const Case cases[] = {
      {-HU, {1}},   {-KYOU, {1}},   {-KEI, {1, 2}},    {-REI, {1, 2, 3}}, {-GIN, {}},
      {-KIN, {}},   {-DOU, {}},     {-KAKU, {}},       {-SYA, {}},        {HU, {10}},
      {KYOU, {10}}, {KEI, {9, 10}}, {REI, {8, 9, 10}}, {GIN, {}},         {KIN, {}},
      {DOU, {}},    {KAKU, {}},     {SYA, {}},
  };
  for (const Case& k : cases) {
    const int hand = k.c < 0 ? SitaHandColumn : UeHandColumn;
    for (int y = 1; y <= 10; ++y) {
      const bool refused =
          std::find(k.refusedRows.begin(), k.refusedRows.end(), y) != k.refusedRows.end();
      EXPECT_EQ(移動チェック(empty, hand, 3, 4, y, k.c), refused ? 0 : 1)
          << "code " << k.c << " row " << y;
    }
  }
  // The hand column alone marks a drop; its side is not compared with the code.
  EXPECT_EQ(移動チェック(empty, UeHandColumn, 0, 4, 1, -HU), 0);
  EXPECT_EQ(移動チェック(empty, SitaHandColumn, 2, 4, 10, KEI), 0);
  // A king or a promoted code never enters a hand, so it cannot be dropped.
  EXPECT_EQ(移動チェック(empty, SitaHandColumn, 2, 4, 5, -OU), 0);
  EXPECT_EQ(移動チェック(empty, UeHandColumn, 1, 4, 5, 11), 0);
}

TEST(Drops, OccupiedSquaresAndTheTwoPawnRule) {
  Position pos = FromPicture(R"(
    . . . . . . . . . .
    . . . . . . . . . .
    . . . p . . . +P . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . P . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .)");
  調査_2歩フラグ設定(pos);
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 4, 3, -GIN), 0) << "occupied by an enemy piece";
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 3, 8, -KIN), 0) << "occupied by an own piece";
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 3, 5, -HU), 0) << "second SITA pawn in column 3";
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 3, 5, -KYOU), 1) << "only pawns are limited";
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 4, 5, -HU), 1) << "a UE pawn does not count";
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 8, 5, -HU), 1) << "a と does not count";
  EXPECT_EQ(移動チェック(pos, UeHandColumn, 1, 4, 5, HU), 0);
  EXPECT_EQ(移動チェック(pos, UeHandColumn, 1, 3, 5, HU), 1);
  // The rule reads the flags, not the board: until they are recounted a
  // newly placed pawn does not block its column.
  pos.Board[6][6] = -HU;
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 6, 5, -HU), 1);
  調査_2歩フラグ設定(pos);
  EXPECT_EQ(移動チェック(pos, SitaHandColumn, 2, 6, 5, -HU), 0);
}

TEST(Promotion, OptionsOnEnteringLeavingOrMovingInsideTheZone) {
  PieceCode promoted = 12345;
  EXPECT_EQ(調査_駒成(2, 7, 2, 5, SYA, promoted), 0);
  EXPECT_EQ(promoted, 12345) << "left alone when no promotion";
  EXPECT_EQ(調査_駒成(2, 8, 2, 5, SYA, promoted), 1);
  EXPECT_EQ(promoted, SYA + 1);
  EXPECT_EQ(調査_駒成(9, 3, 9, 6, -SYA, promoted), 1);
  EXPECT_EQ(promoted, -(SYA + 1));
  EXPECT_EQ(調査_駒成(5, 5, 5, 4, -HU, promoted), 0);
  EXPECT_EQ(調査_駒成(5, 4, 5, 3, -HU, promoted), 1);
  EXPECT_EQ(promoted, -11);
  // Pawn, lance, knight and 嶺 only promote by arriving in the zone.
  EXPECT_EQ(調査_駒成(5, 3, 5, 4, -KYOU, promoted), 0);
  EXPECT_EQ(調査_駒成(5, 8, 6, 6, 30, promoted), 0);
  EXPECT_EQ(調査_駒成(5, 7, 6, 8, 30, promoted), 1);
  EXPECT_EQ(promoted, 31);
  // Silver, copper, bishop and rook also promote when leaving the zone.
  for (PieceCode c : {GIN, DOU, KAKU, SYA}) {
    EXPECT_EQ(調査_駒成(5, 3, 5, 4, -c, promoted), 1) << c;
    EXPECT_EQ(promoted, -c - 1);
    EXPECT_EQ(調査_駒成(5, 8, 5, 7, c, promoted), 1) << c;
    EXPECT_EQ(promoted, c + 1);
    EXPECT_EQ(調査_駒成(5, 7, 5, 4, c, promoted), 0) << c;
  }
  // Never for drops, gold, king or promoted pieces.
  promoted = 0;
  EXPECT_EQ(調査_駒成(SitaHandColumn, 2, 5, 2, -HU, promoted), 0);
  EXPECT_EQ(調査_駒成(UeHandColumn, 9, 5, 9, SYA, promoted), 0);
  for (PieceCode c : {KIN, OU, 11, 101, 801, 901}) {
    EXPECT_EQ(調査_駒成(5, 4, 5, 2, -c, promoted), 0) << c;
    EXPECT_EQ(調査_駒成(5, 7, 5, 9, c, promoted), 0) << c;
  }
  EXPECT_EQ(promoted, 0);
}

TEST(Promotion, CompulsoryRows) {
  struct Case {
    PieceCode c;
    std::vector<int> forcedRows;
  };
  const Case cases[] = {
      {HU, {10}},   {KYOU, {10}},   {KEI, {9, 10}},    {REI, {8, 9, 10}}, {-HU, {1}},
      {-KYOU, {1}}, {-KEI, {1, 2}}, {-REI, {1, 2, 3}}, {GIN, {}},         {-GIN, {}},
      {SYA, {}},    {-KAKU, {}},    {11, {}},
  };
  for (const Case& k : cases) {
    for (int y = 1; y <= 10; ++y) {
      const bool forced =
          std::find(k.forcedRows.begin(), k.forcedRows.end(), y) != k.forcedRows.end();
      EXPECT_EQ(移動後チェック(y, k.c), forced ? 0 : 1) << "code " << k.c << " row " << y;
    }
  }
}

TEST(PathTests, RookAndBishopPathsAloneIgnoreTheTarget) {
  Position pos;
  pos.Board[5][5] = HU;
  EXPECT_EQ(移動チェック飛車(pos, 5, 2, 5, 5), 1);
  EXPECT_EQ(移動チェック飛車(pos, 5, 2, 5, 6), 0);
  EXPECT_EQ(移動チェック飛車(pos, 2, 5, 8, 5), 0);
  EXPECT_EQ(移動チェック飛車(pos, 8, 5, 6, 5), 1);
  EXPECT_EQ(移動チェック飛車(pos, 2, 2, 3, 3), 0);
  EXPECT_EQ(移動チェック角(pos, 2, 2, 5, 5), 1);
  EXPECT_EQ(移動チェック角(pos, 2, 2, 6, 6), 0);
  EXPECT_EQ(移動チェック角(pos, 8, 2, 2, 8), 0) << "(5, 5) lies on this anti-diagonal";
  EXPECT_EQ(移動チェック角(pos, 2, 2, 4, 5), 0);
}

}  // namespace
}  // namespace qz
