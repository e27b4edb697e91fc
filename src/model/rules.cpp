#include "model/rules.h"

namespace qz {

namespace {

// Gold-like step: forward three, sideways two, straight back one.
constexpr bool GoldStep(int dx, int f) {
  return (Abs(dx) <= 1 && f == 1) || (Abs(dx) == 1 && f == 0) || (dx == 0 && f == -1);
}

// Row restriction shared by drops of the pieces that cannot always stand.
int DropRowAllowed(int toY, PieceCode c) {
  switch (c) {
    case -10:
    case -20: return toY != 1 ? 1 : 0;
    case -30: return toY >= 3 ? 1 : 0;
    case -40: return toY >= 4 ? 1 : 0;
    case 10:
    case 20: return toY != 10 ? 1 : 0;
    case 30: return toY <= 8 ? 1 : 0;
    case 40: return toY <= 7 ? 1 : 0;
    default: return 0;  // kings and promoted codes are never in a hand
  }
}

int DropCheck(const Position& pos, int toX, int toY, PieceCode c) {
  if (pos.Board[toX][toY] != EMPTY) return 0;
  if (c == -10 && pos.PawnColumns[SITA][toX] == 1) return 0;
  if (c == 10 && pos.PawnColumns[UE][toX] == 1) return 0;
  switch (Abs(c)) {
    case GIN:
    case KIN:
    case DOU:
    case KAKU:
    case SYA: return 1;
    default: return DropRowAllowed(toY, c);
  }
}

int LancePathClear(const Position& pos, int x, int fromY, int toY) {
  const int step = toY > fromY ? 1 : -1;
  for (int y = fromY + step; y != toY; y += step) {
    if (pos.Board[x][y] != EMPTY) return 0;
  }
  return 1;
}

}  // namespace

int 移動チェック(const Position& pos, int fromX, int fromY, int toX, int toY, PieceCode c) {
  if (!OnBoard(toX, toY)) return 0;
  if (toX == fromX && toY == fromY) return 0;
  const PieceCode target = pos.Board[toX][toY];
  if (c >= 10 && target >= 10) return 0;
  if (c < 10 && target <= -10) return 0;

  if (IsDropOrigin(fromX)) return DropCheck(pos, toX, toY, c);

  const int dx = toX - fromX;
  const int dy = toY - fromY;
  const int f = c < 0 ? -dy : dy;
  switch (Abs(c)) {
    case 10: return (dx == 0 && f == 1) ? 1 : 0;
    case 20:
      if (dx != 0 || f < 1) return 0;
      return LancePathClear(pos, fromX, fromY, toY);
    case 30: return (Abs(dx) == 1 && f == 2) ? 1 : 0;
    case 40: return (Abs(dx) == 1 && f == 3) ? 1 : 0;
    case 100: return ((Abs(dx) <= 1 && f == 1) || (Abs(dx) == 1 && f == -1)) ? 1 : 0;
    case 11:
    case 21:
    case 31:
    case 41:
    case 101:
    case 110:
    case 211: return GoldStep(dx, f) ? 1 : 0;
    case 210: return ((Abs(dx) <= 1 && f == 1) || (dx == 0 && f == -1)) ? 1 : 0;
    case 800: return 移動チェック角(pos, fromX, fromY, toX, toY);
    case 900: return 移動チェック飛車(pos, fromX, fromY, toX, toY);
    case 950: return (Abs(dx) <= 1 && Abs(dy) <= 1) ? 1 : 0;
    case 801:
      if (Abs(dx) <= 1 && Abs(dy) <= 1) return 1;
      return 移動チェック角(pos, fromX, fromY, toX, toY);
    case 901:
      if (Abs(dx) <= 1 && Abs(dy) <= 1) return 1;
      return 移動チェック飛車(pos, fromX, fromY, toX, toY);
    default: return 1;  // no movement rule for this code (empty, promoted gold)
  }
}

int 移動チェック飛車(const Position& pos, int fromX, int fromY, int toX, int toY) {
  if (fromX != toX && fromY != toY) return 0;
  if (fromY != toY) {
    const int step = toY > fromY ? 1 : -1;
    for (int y = fromY + step; y != toY; y += step) {
      if (pos.Board[toX][y] != EMPTY) return 0;
    }
  }
  if (fromX != toX) {
    const int step = toX > fromX ? 1 : -1;
    for (int x = fromX + step; x != toX; x += step) {
      if (pos.Board[x][toY] != EMPTY) return 0;
    }
  }
  return 1;
}

int 移動チェック角(const Position& pos, int fromX, int fromY, int toX, int toY) {
  const int dx = toX - fromX;
  const int dy = toY - fromY;
  if (Abs(dx) != Abs(dy)) return 0;
  const int sx = dx > 0 ? 1 : -1;
  const int sy = dy > 0 ? 1 : -1;
  for (int k = 1; k < Abs(dx); ++k) {
    if (pos.Board[fromX + k * sx][fromY + k * sy] != EMPTY) return 0;
  }
  return 1;
}

int 調査_駒成(int fromX, int fromY, int toX, int toY, PieceCode c, PieceCode& promotedCode) {
  (void)toX;
  if (IsDropOrigin(fromX)) return 0;
  int may = 0;
  switch (c) {
    case -10:
    case -20:
    case -30:
    case -40: may = toY <= 3; break;
    case -100:
    case -210:
    case -800:
    case -900: may = toY <= 3 || fromY <= 3; break;
    case 10:
    case 20:
    case 30:
    case 40: may = toY >= 8; break;
    case 100:
    case 210:
    case 800:
    case 900: may = toY >= 8 || fromY >= 8; break;
    default: may = 0; break;
  }
  if (may) promotedCode = PromotedOf(c);
  return may ? 1 : 0;
}

int 移動後チェック(int toY, PieceCode c) {
  switch (c) {
    case 10:
    case 20: return toY == 10 ? 0 : 1;
    case 30: return toY >= 9 ? 0 : 1;
    case 40: return toY >= 8 ? 0 : 1;
    case -10:
    case -20: return toY == 1 ? 0 : 1;
    case -30: return toY <= 2 ? 0 : 1;
    case -40: return toY <= 3 ? 0 : 1;
    default: return 1;
  }
}

}  // namespace qz
