// The game's own rules as a referee for games between players that are not
// the game itself: which moves an army has, and whether a move it names is
// one of them.
#pragma once

#include <string>

#include "model/game_move.h"
#include "model/position.h"

namespace qz {

// Every move the rules allow `side`, each promotion choice its own move, as
// the move generator lists them. Fixed storage: listing allocates nothing.
struct MoveBuffer {
  static constexpr int Capacity = 4096;
  GameMove moves[Capacity];
  int size = 0;
};

// A position whose king has been captured is over: it has no moves.
bool KingCaptured(const Position& pos);

void ListMoves(const Position& pos, Side side, MoveBuffer& out);

// Why the rules refuse `move` by `side` in pos, or an empty text when they
// allow it: a piece of the mover on the start (or one in its hand), a target
// that 移動チェック accepts, and a promotion 調査_駒成 and 移動後チェック allow.
std::string RefusalOf(const Position& pos, Side side, const GameMove& move);

}  // namespace qz
