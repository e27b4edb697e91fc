// Whether a win the mate solver claims holds: the attacker plays the
// solver's move, the defender tries every answer, and so on to the king's
// capture. Shared by the solver's tests and the mate suite's --verify.
#pragma once

#include <cstdint>
#include <functional>

#include "model/movegen.h"
#include "search/mate_solver.h"

namespace qz::test {

// pos: the attacker to move; limit: plies of the attacker's own within which
// it must win; lists: room for kMaxMoves a ply. onEscape, when set, hears of
// the first answer that escapes (its ply and index).
inline bool ProofHolds(FastPosition& pos, search::MateSolver& solver, int limit, int ply,
                       Move* lists, std::uint64_t nodeLimit = 1000000,
                       const std::function<void(int, int)>& onEscape = {}) {
  const search::MateSolver::Answer a = solver.Solve(pos, true, limit, nodeLimit);
  if (!a.proven) return false;
  if (KindOf(CapturedPiece(a.move)) == King) return true;
  Undo undo;
  pos.Make(a.move, undo);
  Move* replies = lists + ply * kMaxMoves;
  const int n = GenerateMoves(pos, replies);
  bool holds = !pos.CanCaptureKing();
  int escapes = 0;
  for (int i = 0; i < n && holds; ++i) {
    if (KindOf(CapturedPiece(replies[i])) == King) holds = false;
    Undo u;
    pos.Make(replies[i], u);
    if (holds && !pos.CanCaptureKing()) {
      ++escapes;
      holds = limit > 2 && ProofHolds(pos, solver, limit - 2, ply + 2, lists, nodeLimit, onEscape);
      if (!holds && onEscape) onEscape(ply + 1, i);
    }
    pos.Unmake(replies[i], u);
  }
  // A win whose last move is an unpromoted pawn's would be a pawn mate.
  if (holds && escapes == 0 && KindOf(MovingPiece(a.move)) == Pawn && !IsPromotion(a.move))
    holds = false;
  pos.Unmake(a.move, undo);
  return holds;
}

}  // namespace qz::test
