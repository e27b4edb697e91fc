#include "play/move_notation.h"

#include <gtest/gtest.h>

#include "model/make_move.h"

namespace qz {
namespace {

// A board holding only what a case puts on it.
Position Board(std::initializer_list<std::tuple<int, int, PieceCode>> pieces) {
  Position pos;
  for (auto [x, y, c] : pieces) pos.Board[x][y] = c;
  調査_2歩フラグ設定(pos);
  return pos;
}

TEST(MoveNotation, BoardMovesNamePieceSquarePromotionAndOrigin) {
  // Hand-checked: file = 11 - x, rank = y, origin (file rank).
  const Position pawn = Board({{4, 4, -HU}});
  EXPECT_EQ(MoveNotation(pawn, {4, 4, 4, 3, -HU - 1}), "▲７三歩成(74)");
  EXPECT_EQ(MoveNotation(pawn, {4, 4, 4, 3, -HU}), "▲７三歩不成(74)");

  // Outside the zone no suffix; a silver leaving the zone may promote.
  const Position silver = Board({{5, 7, -GIN}, {5, 3, -GIN}});
  EXPECT_EQ(MoveNotation(silver, {5, 7, 5, 6, -GIN}), "▲６六銀(67)");
  EXPECT_EQ(MoveNotation(silver, {5, 3, 4, 4, -GIN}), "▲７四銀不成(63)");
  EXPECT_EQ(MoveNotation(silver, {5, 3, 4, 4, -GIN - 1}), "▲７四銀成(63)");

  // The upper army: its zone is rows 8 to 10.
  const Position upper = Board({{2, 7, SYA}, {6, 9, KIN}});
  EXPECT_EQ(MoveNotation(upper, {2, 7, 2, 8, SYA + 1}), "△９八飛成(97)");
  EXPECT_EQ(MoveNotation(upper, {6, 9, 6, 10, KIN}), "△５十金(59)");

  // A 嶺 entering the zone must promote: still written 成.
  const Position rei = Board({{5, 6, -REI}});
  EXPECT_EQ(MoveNotation(rei, {5, 6, 4, 3, -REI - 1}), "▲７三嶺成(66)");
}

TEST(MoveNotation, SquaresOnFileTenAndRankTenReadApart) {
  const Position pos = Board({{1, 1, KAKU + 1}, {2, 10, -KYOU}, {10, 9, -KIN}});
  EXPECT_EQ(MoveNotation(pos, {1, 1, 3, 3, KAKU + 1}), "△８三馬(101)");
  EXPECT_EQ(MoveNotation(pos, {2, 10, 2, 9, -KYOU}), "▲９九香(910)");
  EXPECT_EQ(MoveNotation(pos, {10, 9, 10, 10, -KIN}), "▲１十金(19)");
  const Position corners = Board({{1, 10, -KIN}, {10, 10, -KIN}});
  EXPECT_EQ(MoveNotation(corners, {1, 10, 1, 9, -KIN}), "▲10九金(1010)");
  EXPECT_EQ(MoveNotation(corners, {10, 10, 10, 9, -KIN}), "▲１九金(110)");
}

TEST(MoveNotation, RecaptureIsWrittenSameSquare) {
  const Position pos = Board({{4, 3, -HU - 1}, {5, 2, GIN}, {3, 2, GIN + 1}});
  const Square last{4, 3};
  EXPECT_EQ(MoveNotation(pos, {5, 2, 4, 3, GIN}, last), "△同　銀(62)");
  // Two-character names follow 同 at once.
  EXPECT_EQ(MoveNotation(pos, {3, 2, 4, 3, GIN + 1}, last), "△同成銀(82)");
  // Another square is written out.
  EXPECT_EQ(MoveNotation(pos, {5, 2, 5, 3, GIN}, last), "△６三銀(62)");
}

TEST(MoveNotation, DropIsMarkedOnlyWhenABoardPieceCouldGoThere) {
  Position pos = Board({});
  pos.Hand[SITA][4] = 1;
  const Square origin = DropOrigin(SITA, 4);
  const GameMove drop{origin.x, origin.y, 6, 5, -REI};
  EXPECT_EQ(MoveNotation(pos, drop), "▲５五嶺");
  // A lower 嶺 on (5, 8) jumps to (6, 5): the drop needs 打.
  pos.Board[5][8] = -REI;
  EXPECT_EQ(MoveNotation(pos, drop), "▲５五嶺打");
  // An upper 嶺 does not count for the lower army's drop.
  pos.Board[5][8] = REI;
  EXPECT_EQ(MoveNotation(pos, drop), "▲５五嶺");
}

TEST(MoveNotation, EveryPromotedPieceHasANameOfItsOwn) {
  const std::pair<PieceCode, const char*> names[] = {
      {HU + 1, "と"},    {KYOU + 1, "成香"}, {KEI + 1, "成桂"}, {REI + 1, "成嶺"},
      {GIN + 1, "成銀"}, {DOU + 1, "成銅"},  {KAKU + 1, "馬"},  {SYA + 1, "龍"},
      {HU, "歩"},        {DOU, "銅"},        {OU, "王"}};
  for (auto [code, name] : names) {
    EXPECT_EQ(NotationPieceName(code), name);
    EXPECT_EQ(NotationPieceName(-code), name);
  }
  EXPECT_EQ(NotationPieceName(EMPTY), "");
  EXPECT_EQ(NotationPieceName(5000), "");
  // A promoted lance moving is never mistaken for a lance promoting.
  const Position pos = Board({{3, 3, -KYOU - 1}, {4, 4, -KYOU}});
  EXPECT_EQ(MoveNotation(pos, {3, 3, 3, 2, -KYOU - 1}), "▲８二成香(83)");
  EXPECT_EQ(MoveNotation(pos, {4, 4, 4, 2, -KYOU - 1}), "▲７二香成(74)");
}

TEST(MoveBetween, FindsBoardMovesCapturesPromotionsAndDrops) {
  const Position before = [] {
    Position p = Board({{4, 4, -HU}, {4, 3, GIN}, {5, 5, -KAKU}});
    p.Hand[UE][1] = 1;
    return p;
  }();
  for (const GameMove& m : {GameMove{4, 4, 4, 3, -HU - 1}, GameMove{4, 4, 4, 3, -HU},
                            GameMove{5, 5, 8, 2, -KAKU - 1}, GameMove{-1, 1, 6, 6, HU}}) {
    Position after = before;
    駒移動(after, m.fromX, m.fromY, m.toX, m.toY, m.code);
    const auto found = MoveBetween(before, after);
    ASSERT_TRUE(found.has_value()) << m.fromX << m.fromY << m.toX << m.toY;
    EXPECT_EQ(*found, m);
  }
}

TEST(MoveBetween, RefusesWhatIsNotOneMove) {
  const Position before = Board({{4, 4, -HU}, {5, 5, -KAKU}, {8, 2, GIN}});
  EXPECT_FALSE(MoveBetween(before, before));  // nothing moved
  Position two = before;
  駒移動(two, 4, 4, 4, 3, -HU);
  駒移動(two, 8, 2, 8, 3, GIN);
  EXPECT_FALSE(MoveBetween(before, two));
  Position jump = before;  // a pawn cannot move two squares
  jump.Board[4][4] = EMPTY;
  jump.Board[4][2] = -HU;
  EXPECT_FALSE(MoveBetween(before, jump));
  Position gift = before;  // a capture whose piece did not reach the hand
  gift.Board[5][5] = EMPTY;
  gift.Board[8][2] = -KAKU;
  EXPECT_FALSE(MoveBetween(before, gift));
  Position fromNowhere = before;  // a drop from an empty hand
  fromNowhere.Board[6][6] = -GIN;
  EXPECT_FALSE(MoveBetween(before, fromNowhere));
  Position turned = before;  // a piece that changed its kind
  turned.Board[4][4] = EMPTY;
  turned.Board[4][3] = -KIN;
  EXPECT_FALSE(MoveBetween(before, turned));
}

// Snapshot, apply, advance the cursor: what a mover does.
void PlayMove(History& h, Position& pos, const GameMove& m) {
  ASSERT_TRUE(h.手順保存(pos, 0, 0, 0, 0));
  駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
  ++h.MoveCount;
}

TEST(MoveList, ListsTheLineOfPlayWithNumbersAndRecaptures) {
  static History h;
  h = History{};
  Position pos = Board({{4, 6, -HU}, {4, 3, HU}, {6, 10, -OU}, {6, 1, OU}});
  PlayMove(h, pos, {4, 6, 4, 5, -HU});
  PlayMove(h, pos, {4, 3, 4, 4, HU});
  PlayMove(h, pos, {4, 5, 4, 4, -HU});  // takes the pawn
  ASSERT_EQ(h.MoveCount, 3);
  ASSERT_EQ(h.LastSnapshot, 2);

  // Right after a move the board holds the position the history lacks.
  const std::vector<Position> line = PositionsOfLine(h, pos);
  ASSERT_EQ(line.size(), 4u);
  const std::vector<ListedMove> list = MoveList(line, 1);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].text, "▲７五歩(76)");
  EXPECT_EQ(list[1].text, "△７四歩(73)");
  EXPECT_EQ(list[2].text, "▲同　歩(75)");
  EXPECT_EQ(list[0].mover, SITA);
  EXPECT_EQ(list[1].mover, UE);
  EXPECT_EQ(list[2].number, 3);
  EXPECT_EQ(line[3].Hand[SITA][1], 1);

  // Stepped back one move: the line is the stored entries alone.
  h.MoveCount = 2;
  EXPECT_EQ(PositionsOfLine(h, pos).size(), 3u);
  // Numbering may start later (a game continued after a reversal).
  EXPECT_EQ(MoveList(line, 41)[2].number, 43);
  EXPECT_EQ(NumberedMoveNotation(3, line[2], list[2].move, Square{4, 4}), "3 ▲同　歩(75)");
}

TEST(MoveList, MarksPositionsThatAreNotOneMoveApart) {
  Position a = Board({{4, 4, -HU}});
  Position b = Board({{9, 9, GIN}});
  Position c = b;
  駒移動(c, 9, 9, 9, 10, GIN + 1);
  const std::vector<ListedMove> list = MoveList({a, b, c});
  ASSERT_EQ(list.size(), 2u);
  EXPECT_FALSE(list[0].known);
  EXPECT_EQ(list[0].text, "不明");
  EXPECT_TRUE(list[1].known);
  EXPECT_EQ(list[1].text, "△２十銀成(29)");  // no 同 after an unknown move
}

}  // namespace
}  // namespace qz
