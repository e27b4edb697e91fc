// The wood of the board and of the pieces. Every piece picture paints its
// corners with exactly the empty square's pixels, so that a piece sits on the
// board as if cut out of it.
#pragma once

#include <QColor>
#include <QImage>

namespace assetgen {

// The board's square colour (kaya) and the pieces' wood (boxwood).
QColor BoardWood();
QColor PieceWood();
QColor PieceEdge();  // the dark outline of a piece

// A width x height picture of the board's wood with a faint grain running
// top to bottom; the same arguments always give the same pixels.
QImage BoardWoodImage(int width, int height);

}  // namespace assetgen
