#include "model/reversal.h"

#include <utility>

namespace qz {

void ReverseArmies(Position& pos) {
  PieceCode old[11][11];
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) old[x][y] = pos.Board[x][y];
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) pos.Board[11 - x][11 - y] = -old[x][y];
  for (int i = 1; i <= HandKinds; ++i) std::swap(pos.Hand[SITA][i], pos.Hand[UE][i]);
  std::swap(pos.HandTotal[SITA], pos.HandTotal[UE]);
}

GameMove ReversedMove(const GameMove& m) {
  if (const int hand = HandIndexOfDropOrigin(m.fromX, m.fromY); hand != 0) {
    const Square origin = DropOrigin(m.fromX == SitaHandColumn ? UE : SITA, hand);
    return GameMove{origin.x, origin.y, 11 - m.toX, 11 - m.toY, -m.code};
  }
  return GameMove{11 - m.fromX, 11 - m.fromY, 11 - m.toX, 11 - m.toY, -m.code};
}

}  // namespace qz
