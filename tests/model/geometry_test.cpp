// The one description of how pieces move, seen from its three readers: the
// attack test must find exactly the squares the generator moves to, and a
// drop gives check from a neighbour exactly for the kinds DropCheckers names.
#include "model/geometry.h"

#include <gtest/gtest.h>

#include <random>

#include "model/movegen.h"
#include "model/placement.h"

namespace qz {
namespace {

// Along random games (captures and promotions preferred, so that hands fill and pieces
// promote), every square not held by `by` is attacked by `by` exactly when
// one of its board moves goes there; leaving the king out, exactly when one
// of the other pieces' moves goes there.
TEST(Geometry, TheAttackTestSeesTheSquaresTheGeneratorMovesTo) {
  std::mt19937 rng(17);
  static Move moves[kMaxMoves];
  int checked = 0;
  bool kindsSeen[KindCount] = {};
  for (int game = 0; game < 40; ++game) {
    Position start;
    SetUpStartingPosition(start, game % 2 == 1);
    FastPosition pos;
    pos.Set(start, SITA);
    for (int ply = 0; ply < 200 && !pos.Over(); ++ply) {
      for (const Side by : {SITA, UE}) {
        FastPosition view = pos;
        if (view.sideToMove() != by) view.MakeNull();
        bool reached[kSquareCount] = {}, reachedButKing[kSquareCount] = {};
        const int n = GenerateBoardMoves(view, moves);
        for (int i = 0; i < n; ++i) {
          reached[MoveTo(moves[i])] = true;
          if (KindOf(MovingPiece(moves[i])) != King) reachedButKing[MoveTo(moves[i])] = true;
          kindsSeen[KindOf(MovingPiece(moves[i]))] = true;
        }
        for (int y = 1; y <= 10; ++y)
          for (int x = 1; x <= 10; ++x) {
            const int sq = Sq(x, y);
            if (view.at(sq) != 0 && SideOf(view.at(sq)) == by) continue;
            ASSERT_EQ(view.Attacked(sq, by), reached[sq])
                << "game " << game << " ply " << ply << " square " << x << "," << y;
            ASSERT_EQ(view.Attacked<~KindBit(King)>(sq, by), reachedButKing[sq])
                << "without the king: game " << game << " ply " << ply << " square " << x << ","
                << y;
            ++checked;
          }
      }
      const int n = GenerateMoves(pos, moves);
      if (n == 0) break;
      Move m = moves[rng() % static_cast<unsigned>(n)];
      for (int i = 0; i < n; ++i)
        if ((IsCapture(moves[i]) || IsPromotion(moves[i])) && rng() % 3 == 0) m = moves[i];
      Undo undo;
      pos.Make(m, undo);
    }
  }
  EXPECT_GT(checked, 100000);
  // The games moved every kind but the promoted gold that never arises.
  for (int kind = Pawn; kind < KindCount; ++kind) {
    if (kind != 16) {
      EXPECT_TRUE(kindsSeen[kind]) << "kind " << kind;
    }
  }
}

// A piece dropped next to the king gives check exactly when its kind is
// among the drop checkers of that direction, for both armies.
TEST(Geometry, DropCheckersAreTheDropsThatGiveCheck) {
  const Direction around[8] = {{0, 1},  {-1, 1}, {1, 1},   {1, 0},
                               {-1, 0}, {0, -1}, {-1, -1}, {1, -1}};
  for (const Side us : {SITA, UE}) {
    Position board;  // the enemy king in the middle, ours in a far corner
    board.Board[5][5] = us == SITA ? OU : -OU;
    board.Board[10][us == SITA ? 10 : 1] = us == SITA ? -OU : OU;
    for (int kind = Pawn; kind <= Rook; ++kind) board.Hand[us][kind] = 1;
    for (const Direction d : around)
      for (int kind = Pawn; kind <= Rook; ++kind) {
        FastPosition pos;
        pos.Set(board, us);
        const int king = Sq(5, 5);
        Undo undo;
        pos.Make(MakeDrop(king - Offset(d, us), MakePiece(us, kind)), undo);
        EXPECT_EQ(pos.Attacked(king, us), ((DropCheckers(d) >> kind) & 1u) != 0)
            << "side " << us << " kind " << kind << " direction " << d.dx << "," << d.forward;
      }
  }
}

// A kind may be dropped on a row exactly when, standing there alone, it
// still has a move.
TEST(Geometry, TheForbiddenDropRowsAreThoseWithoutAMove) {
  static Move moves[kMaxMoves];
  for (const Side s : {SITA, UE})
    for (int kind = Pawn; kind <= Rook; ++kind)
      for (int farRow = 1; farRow <= 10; ++farRow) {
        Position board;
        board.Board[1][s == SITA ? 10 : 1] = s == SITA ? -OU : OU;
        board.Board[10][s == SITA ? 1 : 10] = s == SITA ? OU : -OU;
        const int x = 5, y = s == SITA ? farRow : 11 - farRow;
        board.Board[x][y] = UnpromotedCode(s, kind);
        FastPosition pos;
        pos.Set(board, s);
        ASSERT_EQ(FarRow(s, Sq(x, y)), farRow);
        const int n = GenerateBoardMoves(pos, moves);
        bool movesOn = false;
        for (int i = 0; i < n; ++i) movesOn = movesOn || MoveFrom(moves[i]) == Sq(x, y);
        EXPECT_EQ(movesOn, farRow > ForbiddenDropRows(kind))
            << "side " << s << " kind " << kind << " row " << farRow;
      }
}

}  // namespace
}  // namespace qz
