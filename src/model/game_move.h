// A move as the game plays it through 駒移動, and where drops come from.
#pragma once

#include "model/position.h"

namespace qz {

// A move as 駒移動 takes it: code is what stands on the target afterwards
// (the promoted code when promoting). A drop comes from the mover's hand
// column: (12, HandIndex + 1) for the lower army, (-1, HandIndex) for the
// upper army, and code is the unpromoted code of the dropped kind.
struct GameMove {
  int fromX = 0, fromY = 0, toX = 0, toY = 0;
  PieceCode code = EMPTY;
  friend bool operator==(const GameMove&, const GameMove&) = default;
};

// The hand pseudo-square a side drops kind `handIndex` from.
constexpr Square DropOrigin(Side side, int handIndex) {
  return side == SITA ? Square{SitaHandColumn, handIndex + 1} : Square{UeHandColumn, handIndex};
}
// HandIndex of a drop origin, or 0 when (fromX, fromY) is not one.
constexpr int HandIndexOfDropOrigin(int fromX, int fromY) {
  if (fromX == SitaHandColumn) return fromY - 1 >= 1 && fromY - 1 <= HandKinds ? fromY - 1 : 0;
  if (fromX == UeHandColumn) return fromY >= 1 && fromY <= HandKinds ? fromY : 0;
  return 0;
}

}  // namespace qz
