#include "model/make_move.h"

namespace qz {

void 駒移動(Position& pos, int fromX, int fromY, int toX, int toY, PieceCode c, MoveView* view) {
  // A destination off the board would write outside the table; such a move
  // never passed the rules, so it is ignored rather than trusted.
  if (!OnBoard(toX, toY)) return;

  const PieceCode captured = pos.Board[toX][toY];
  if (IsSita(captured)) {
    駒取得(pos, captured);
    if (captured != -OU) pos.HandTotal[UE] += 1;
    if (view) view->drawHand(UE);
  } else if (IsUe(captured)) {
    駒取得(pos, captured);
    if (captured != OU) pos.HandTotal[SITA] += 1;
    if (view) view->drawHand(SITA);
  }

  if (view) {
    view->drawPicture(EMPTY, fromX, fromY);
    view->drawGridOutline(fromX, fromY);
  }

  pos.Board[toX][toY] = c;
  if (c == -OU) pos.KingSquare[SITA] = Square{toX, toY};

  if (fromX == UeHandColumn) {
    const int i = fromY;
    if (i >= 1 && i <= HandKinds) {
      pos.HandTotal[UE] -= 1;
      pos.Hand[UE][i] -= 1;
    }
    if (view) view->drawHand(UE);
  } else if (fromX == SitaHandColumn) {
    const int i = fromY - 1;
    if (i >= 1 && i <= HandKinds) {
      pos.HandTotal[SITA] -= 1;
      pos.Hand[SITA][i] -= 1;
    }
    if (view) view->drawHand(SITA);
  } else if (OnBoard(fromX, fromY)) {
    pos.Board[fromX][fromY] = EMPTY;
  }

  if (view) {
    view->drawPicture(c, toX, toY);
    view->drawGridOutline(toX, toY);
    view->drawGridOutline(toX, toY);
  }
}

void 駒取得(Position& pos, PieceCode captured) {
  if (captured == OU) {
    pos.winner = Victor::Sita;
  } else if (captured == -OU) {
    pos.winner = Victor::Ue;
  } else if (IsUe(captured)) {
    const int i = HandIndex(captured);
    if (i != 0) pos.Hand[SITA][i] += 1;
  } else if (IsSita(captured)) {
    const int i = HandIndex(captured);
    if (i != 0) pos.Hand[UE][i] += 1;
  }
}

void 調査_2歩フラグ設定(Position& pos) {
  for (int x = 1; x <= 10; ++x) {
    pos.PawnColumns[SITA][x] = 0;
    pos.PawnColumns[UE][x] = 0;
    for (int y = 1; y <= 10; ++y) {
      if (pos.Board[x][y] == -HU) pos.PawnColumns[SITA][x] = 1;
      if (pos.Board[x][y] == HU) pos.PawnColumns[UE][x] = 1;
    }
  }
}

int 調査_持駒数(const Position& pos, Side side) {
  int total = 0;
  for (int i = 1; i <= HandKinds; ++i) {
    if (pos.Hand[side][i] > 0) total += pos.Hand[side][i];
  }
  return total;
}

}  // namespace qz
