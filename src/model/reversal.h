// Turning the board round: each army continues from the other camp.
#pragma once

#include "model/game_move.h"
#include "model/position.h"

namespace qz {

// Rotates the board by 180 degrees with every piece changing sides and
// exchanges the hands and their totals. King squares and pawn columns are
// left to the next control pass or recount, as after any change of board.
void ReverseArmies(Position& pos);

// The same move seen on the reversed board: squares rotated, the code of the
// other army, a drop from the other army's hand column.
GameMove ReversedMove(const GameMove& move);

}  // namespace qz
