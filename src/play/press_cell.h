// The cell of a mouse press given in twips.
#pragma once

#include "model/position.h"

namespace qz {

constexpr int BoardLeft = 1300, BoardTop = 100, CellWidth = 615, CellHeight = 690;

// Rounds towards minus infinity: a press one twip left of the grid is column -1.
constexpr int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

constexpr Square CellOfPress(int X, int Y) {
  return Square{FloorDiv(X - BoardLeft, CellWidth), FloorDiv(Y - BoardTop, CellHeight)};
}

}  // namespace qz
