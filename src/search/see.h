// Static exchange evaluation: what a capture wins once both armies have
// taken back on its square with their cheapest pieces for as long as it
// pays. A captured piece counts its value on the board plus what it is worth
// in the captor's hand.
#pragma once

#include "model/fast_position.h"
#include "model/geometry.h"  // who attacks a square, for the exchange and its callers
#include "search/evaluation.h"

namespace qz::search {

// The exchange's result for the mover of m (a board move or a drop), in the
// evaluation's units. Promotions along the exchange are not counted.
int StaticExchange(const FastPosition& pos, const Evaluator& eval, Move m);

// Whether the exchange started by m wins at least threshold (stops as soon
// as that is settled).
bool ExchangeAtLeast(const FastPosition& pos, const Evaluator& eval, Move m, int threshold);

}  // namespace qz::search
