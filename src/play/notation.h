// The texts of a move beside the board: file numeral, rank numeral, name.
#pragma once

#include <string>

#include "model/pieces.h"

namespace qz {

// Text for a numeral code (2001..2010 files, 1001..1010 ranks) or a piece
// code; empty for anything else.
std::string 文字列変換(int code);

struct MoveTexts {
  std::string file, rank, name;
};

// The three texts of a piece `code` arriving on (toX, toY).
MoveTexts TextsOfMove(int toX, int toY, PieceCode code);

}  // namespace qz
