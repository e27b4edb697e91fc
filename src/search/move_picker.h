// Hands out the moves of a node best first, generating them in stages so
// that a cut by the hash move or a capture spares the quiet moves and drops:
// the hash move, captures by the value they win (the cheaper attacker
// first), the two killers and the counter move, the quiet moves by their
// history, and last the captures that lose material in the exchange that
// follows.
#pragma once

#include <cstdint>

#include "model/movegen.h"
#include "search/evaluation.h"
#include "search/history.h"

namespace qz::search {

// What orders the quiet moves of a node.
struct QuietOrder {
  const History* history = nullptr;
  const std::int16_t* cont1 = nullptr;  // continuation after the previous move
  const std::int16_t* cont2 = nullptr;  // after the own move before it
  Move killers[2] = {0, 0};
  Move counter = 0;
  // Captures: the capture history over this divisor is added to what they
  // win (0: not).
  int captureHistoryDivisor = 0;
};

class MovePicker {
 public:
  enum Mode { AllMoves, CapturesOnly };

  // moves and scores have room for kMaxMoves. The hash move, killers and
  // counter move are taken only when they are moves of this position.
  MovePicker(const FastPosition& pos, const Evaluator& eval, Move* moves, int* scores, Mode mode,
             Move ttMove, const QuietOrder& order)
      : pos_(pos),
        eval_(eval),
        moves_(moves),
        scores_(scores),
        mode_(mode),
        ttMove_(ttMove),
        order_(order) {
    special_[0] = order.killers[0];
    special_[1] = order.killers[1] != order.killers[0] ? order.killers[1] : 0;
    special_[2] = order.counter != special_[0] && order.counter != special_[1] ? order.counter : 0;
    stage_ = kHashMove;
  }

  // The next move, or 0 when there are no more.
  Move Next();

 private:
  enum Stage {
    kHashMove,
    kGenerateCaptures,
    kCaptures,
    kKillers,
    kGenerateQuiets,
    kQuiets,
    kBadCaptures,
    kDone
  };

  int CaptureScore(Move m) const {
    int s = eval_.CaptureGain(CapturedPiece(m)) * 8 - eval_.BoardValue(MovingPiece(m)) / 16;
    if (IsPromotion(m)) s += eval_.BoardValue(PieceAfter(m)) - eval_.BoardValue(MovingPiece(m));
    if (order_.captureHistoryDivisor > 0)
      s += order_.history->Capture(m) / order_.captureHistoryDivisor;
    return s;
  }
  // Selection of the best remaining move of [index_, end).
  Move PickBest(int end);
  bool Skip(Move m) const {
    return m == ttMove_ || m == special_[0] || m == special_[1] || m == special_[2];
  }

  const FastPosition& pos_;
  const Evaluator& eval_;
  Move* moves_;
  int* scores_;
  Mode mode_;
  Move ttMove_;
  const QuietOrder& order_;
  Move special_[3];  // killers and the counter move
  Stage stage_;
  int index_ = 0, end_ = 0, promising_ = 0, specialIndex_ = 0, sorted_ = 0;
  int badEnd_ = 0;  // losing captures, kept in the used front of moves_
};

}  // namespace qz::search
