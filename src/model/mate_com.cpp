#include "model/mate_com.h"

#include "model/make_move.h"
#include "model/rules.h"

namespace qz {

namespace {

// Whether any piece marked as a checker can still reach the UE king.
bool AnyCheckerReaches(const Position& pos, const ControlMaps& maps, int kx, int ky) {
  for (int i = 1; i <= 10; ++i) {
    for (int j = 1; j <= 10; ++j) {
      if (maps.CheckLine[SITA][i][j] == 9 &&
          移動チェック(pos, i, j, kx, ky, pos.Board[i][j]) == 1) {
        return true;
      }
    }
  }
  return false;
}

// Interposition by dropping a pawn on each square of the checking lines.
// True when every line can be blocked (not mated), false when the test must
// go on to the king's escapes.
bool EveryLineBlockedByDrop(Position& pos, const ControlMaps& maps, int kx, int ky) {
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const int line = maps.CheckLine[SITA][x][y];
      if (line == 9 && Abs(x - kx) <= 1 && Abs(y - ky) <= 1) return false;
      if (line != 1) continue;
      const bool onlyPawns = pos.HandTotal[UE] == pos.Hand[UE][1];
      const bool refused = onlyPawns && 移動チェック(pos, UeHandColumn, 0, x, y, HU) == 0;
      if (!refused) pos.Board[x][y] = HU;
      const bool stillChecked = AnyCheckerReaches(pos, maps, kx, ky);
      pos.Board[x][y] = EMPTY;
      if (stillChecked) return false;
    }
  }
  return true;
}

}  // namespace

int 詰めかCOM(Position& pos, ControlMaps& maps) {
  // The drop rule reads PawnColumns; recount it here so the answer depends
  // on this position and not on whenever the columns were last rebuilt.
  調査_2歩フラグ設定(pos);

  const int kx = pos.KingSquare[UE].x;
  const int ky = pos.KingSquare[UE].y;
  if (!OnBoard(kx, ky)) return 0;  // no UE king on the board to mate
  if (maps.ControlCount[SITA][kx][ky] == 0) return 0;

  if (pos.HandTotal[UE] > 0 && EveryLineBlockedByDrop(pos, maps, kx, ky)) return 0;

  for (int x = kx - 1; x <= kx + 1; ++x) {
    for (int y = ky - 1; y <= ky + 1; ++y) {
      if (!OnBoard(x, y)) continue;
      if (移動チェック(pos, kx, ky, x, y, OU) == 1 && maps.ControlCount[SITA][x][y] == 0) return 0;
    }
  }

  // Each defending move is tried on the board and judged by a fresh pass;
  // the checking squares are read from whatever pass ran last.
  for (int a = 1; a <= 10; ++a) {
    for (int b = 1; b <= 10; ++b) {
      const PieceCode piece = pos.Board[a][b];
      if (piece < 10 || piece > 901) continue;
      for (int i = 1; i <= 10; ++i) {
        for (int j = 1; j <= 10; ++j) {
          if (maps.CheckLine[SITA][i][j] <= 0) continue;
          if (移動チェック(pos, a, b, i, j, pos.Board[a][b]) != 1) continue;
          const PieceCode saved = pos.Board[i][j];
          pos.Board[i][j] = pos.Board[a][b];
          pos.Board[a][b] = EMPTY;
          勢力調査(pos, maps);
          pos.Board[a][b] = pos.Board[i][j];
          pos.Board[i][j] = saved;
          const Square k = pos.KingSquare[UE];
          if (maps.ControlCount[SITA][k.x][k.y] == 0) return 0;
        }
      }
    }
  }
  return 1;
}

}  // namespace qz
