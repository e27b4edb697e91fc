// The two starting set-ups, 左嶺 and 右嶺.
#pragma once

#include <string_view>

#include "model/position.h"

namespace qz {

// Writes the 16 placement-specific squares of "右嶺" or "左嶺"; any other
// name changes nothing. Hands, totals and the common squares stay as they are.
void 設定_盤状態(Position& pos, std::string_view name);

// The position part of a new game: hands emptied, board cleared, pawns and
// common pieces placed, the placement written, HandTotal recomputed, winner
// cleared. KingSquare and PawnColumns are left to the first control pass.
void SetUpStartingPosition(Position& pos, bool 右嶺);

}  // namespace qz
