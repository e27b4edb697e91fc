// The window's twip grid: cell (x, y) has its top-left corner at
// X = 1300 + 615·x, Y = 100 + 690·y. Board cells are 1..10; the hands, the
// captions and the clocks sit on cells outside the board, at fractions too.
#pragma once

#include "model/position.h"

namespace qz::grid {

constexpr double Left = 1300, Top = 100;
constexpr double CellWidth = 615, CellHeight = 690;

// Top-left corner of a (possibly fractional) cell position, in twips.
constexpr double TwipsX(double x) { return Left + CellWidth * x; }
constexpr double TwipsY(double y) { return Top + CellHeight * y; }

// Centre of a whole cell in twips, as a press would hit it.
constexpr int CentreX(int x) { return static_cast<int>(Left + CellWidth * x) + 307; }
constexpr int CentreY(int y) { return static_cast<int>(Top + CellHeight * y) + 345; }

// Rounds towards minus infinity: a press one twip left of the grid is column -1.
constexpr int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The cell a press at (X, Y) twips falls in.
constexpr Square CellOfPress(int X, int Y) {
  return Square{FloorDiv(X - static_cast<int>(Left), static_cast<int>(CellWidth)),
                FloorDiv(Y - static_cast<int>(Top), static_cast<int>(CellHeight))};
}

}  // namespace qz::grid
