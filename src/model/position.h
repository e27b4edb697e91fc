// The one current position: board, hands and the records derived from them.
#pragma once

#include "model/pieces.h"

namespace qz {

struct Square {
  int x = 0;
  int y = 0;
  friend bool operator==(const Square&, const Square&) = default;
};

// Who captured a king, as recorded by 駒取得.
enum class Victor : int { None = 0, Sita = 1, Ue = 2 };

struct Position {
  // Board[x][y], x column 1..10 left to right, y row 1..10 top to bottom.
  // Index 0 is never written, so Board[0][0] always reads as empty.
  PieceCode Board[11][11] = {};
  // Hand[side][HandIndex], HandIndex 1..9.
  int Hand[2][10] = {};
  int HandTotal[2] = {};
  Square KingSquare[2] = {};
  // PawnColumns[side][x]: 1 when that side has an unpromoted pawn in column x.
  int PawnColumns[2][11] = {};
  // Set when a king is captured.
  Victor winner = Victor::None;

  PieceCode& at(int x, int y) { return Board[x][y]; }
  PieceCode at(int x, int y) const { return Board[x][y]; }
};

constexpr bool OnBoard(int x, int y) { return x >= 1 && x <= 10 && y >= 1 && y <= 10; }

}  // namespace qz
