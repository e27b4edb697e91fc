// Random pseudo-legal play for the comparison tests: games that reach many
// kinds of positions, hands included.
#pragma once

#include <random>

#include "model/make_move.h"
#include "model/movegen.h"

namespace qz::test {

// Plays one random pseudo-legal move of `side`, board move or drop; false
// when it has none. Each promotion choice is a move of its own.
inline bool PlayRandomMove(Position& pos, Side side, std::mt19937& rng) {
  static GameMove moves[kMaxMoves];
  const int n = ListMoves(pos, side, moves);
  if (n == 0) return false;
  // Captures are taken more often than chance would give, so hands fill.
  std::uniform_int_distribution<int> pick(0, n - 1);
  GameMove mv = moves[pick(rng)];
  for (int tries = 0; tries < 3 && pos.Board[mv.toX][mv.toY] == EMPTY; ++tries)
    mv = moves[pick(rng)];
  駒移動(pos, mv.fromX, mv.fromY, mv.toX, mv.toY, mv.code);
  return true;
}

}  // namespace qz::test
