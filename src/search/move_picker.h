// Hands out the moves of a node best first, generating them in stages so
// that a cut by the hash move or a capture spares the quiet moves and drops:
// the hash move, captures by the value they win (the cheaper attacker
// first), the two killers, then the quiet moves by their history.
#pragma once

#include "model/movegen.h"
#include "search/evaluation.h"

namespace qz::search {

// History score of a quiet move: [drop][piece][target].
inline int HistoryIndex(Move m) {
  return (IsDrop(m) ? PieceIndexCount * kSquareCount : 0) + MovingPiece(m) * kSquareCount + MoveTo(m);
}
constexpr int kHistorySize = 2 * PieceIndexCount * kSquareCount;

class MovePicker {
 public:
  enum Mode { AllMoves, CapturesOnly };

  // moves and scores have room for kMaxMoves. The hash move and killers are
  // taken only when they are moves of this position.
  MovePicker(const FastPosition& pos, const Evaluator& eval, Move* moves, int* scores, Mode mode,
             Move ttMove, Move killer1, Move killer2, const int* history)
      : pos_(pos), eval_(eval), moves_(moves), scores_(scores), mode_(mode), ttMove_(ttMove),
        history_(history) {
    killers_[0] = killer1;
    killers_[1] = killer2 != killer1 ? killer2 : 0;
    stage_ = mode == CapturesOnly ? kGenerateCaptures : kHashMove;
  }

  // The next move, or 0 when there are no more.
  Move Next();

 private:
  enum Stage { kHashMove, kGenerateCaptures, kCaptures, kKillers, kGenerateQuiets, kQuiets, kDone };

  int CaptureScore(Move m) const {
    int s = eval_.CaptureGain(CapturedPiece(m)) * 8 - eval_.BoardValue(MovingPiece(m)) / 16;
    if (IsPromotion(m)) s += eval_.BoardValue(PieceAfter(m)) - eval_.BoardValue(MovingPiece(m));
    return s;
  }
  // Selection of the best remaining move of [index_, end).
  Move PickBest(int end);
  bool Skip(Move m) const { return m == ttMove_ || m == killers_[0] || m == killers_[1]; }

  const FastPosition& pos_;
  const Evaluator& eval_;
  Move* moves_;
  int* scores_;
  Mode mode_;
  Move ttMove_;
  Move killers_[2];
  const int* history_;
  Stage stage_;
  int index_ = 0, end_ = 0, promising_ = 0, killerIndex_ = 0, sorted_ = 0;
};

}  // namespace qz::search
