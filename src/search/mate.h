// Short mates seen without a search: whether the side to move has a move
// after which the opponent has no answer that saves its king.
#pragma once

#include "model/fast_position.h"

namespace qz::search {

// The side to move has an answer that takes the other side's king or leaves
// its own king safe (when it is in check: an escape). replies: room for
// kMaxMoves.
bool EscapesCheck(FastPosition& pos, Move* replies);

// Whether m (not yet made) attacks the enemy king with the piece it moves or
// drops: a step, a jump or a slide along a clear line (checks uncovered by
// the move are not seen).
bool GivesDirectCheck(const FastPosition& pos, Move m);

// The side to move has a move that takes the enemy king, or a check from a
// square next to the enemy king or by a jump (board move or drop) that leaves
// no answer. Other mates (by a distant slider, or of a king with more than
// three squares open to it) are not looked for: true is always right, false
// may miss a mate. banPawnMates: mates by an unpromoted pawn do not count.
// moves and replies: room for kMaxMoves each. pos is as before on return.
bool MateInOne(FastPosition& pos, bool banPawnMates, Move* moves, Move* replies);

}  // namespace qz::search
