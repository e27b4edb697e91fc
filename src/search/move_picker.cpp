#include "search/move_picker.h"

#include "search/see.h"

namespace qz::search {

namespace {
// Quiet moves after the first ones are taken as generated: by then the
// reductions decide more than their order.
constexpr int kSortedQuiets = 12;
}  // namespace

Move MovePicker::PickBest(int end) {
  int best = index_;
  for (int i = index_ + 1; i < end; ++i)
    if (scores_[i] > scores_[best]) best = i;
  const Move m = moves_[best];
  const int s = scores_[best];
  moves_[best] = moves_[index_];
  scores_[best] = scores_[index_];
  moves_[index_] = m;
  scores_[index_] = s;
  ++index_;
  return m;
}

Move MovePicker::Next() {
  for (;;) {
    switch (stage_) {
      case kHashMove:
        stage_ = kGenerateCaptures;
        if (ttMove_ != 0) return ttMove_;
        break;
      case kGenerateCaptures:
        end_ = GenerateCaptures(pos_, moves_);
        for (int i = 0; i < end_; ++i) scores_[i] = CaptureScore(moves_[i]);
        index_ = 0;
        stage_ = kCaptures;
        break;
      case kCaptures:
        while (index_ < end_) {
          const Move m = PickBest(end_);
          if (m == ttMove_) continue;
          if (mode_ == AllMoves && KindOf(CapturedPiece(m)) != King &&
              !ExchangeAtLeast(pos_, eval_, m, 0)) {
            moves_[badEnd_++] = m;  // a slot already handed out
            continue;
          }
          return m;
        }
        stage_ = mode_ == CapturesOnly ? kDone : kKillers;
        break;
      case kKillers:
        while (specialIndex_ < 3) {
          const Move k = special_[specialIndex_++];
          if (k != 0 && k != ttMove_ && !IsCapture(k) && IsListedMove(pos_, k)) return k;
        }
        stage_ = kGenerateQuiets;
        break;
      case kGenerateQuiets: {
        // Quiet moves go after the captures in the same buffer.
        index_ = end_;
        end_ += GenerateQuiets(pos_, moves_ + end_);
        // Moves with a good history go first and are picked best first; the
        // others (most drops) follow as generated.
        promising_ = index_;
        for (int i = index_; i < end_; ++i) {
          const Move m = moves_[i];
          const int score =
              order_.history->Score(m, order_.cont1, order_.cont2) + (IsPromotion(m) ? 8000 : 0);
          if (score > 0) {
            moves_[i] = moves_[promising_];
            moves_[promising_] = m;
            scores_[i] = scores_[promising_];
            scores_[promising_++] = score;
          } else {
            scores_[i] = score;
          }
        }
        sorted_ = 0;
        stage_ = kQuiets;
        break;
      }
      case kQuiets:
        while (index_ < end_) {
          const Move m = index_ < promising_ && sorted_ < kSortedQuiets ? PickBest(promising_)
                                                                        : moves_[index_++];
          ++sorted_;
          if (!Skip(m)) return m;
        }
        index_ = 0;
        stage_ = kBadCaptures;
        break;
      case kBadCaptures:
        while (index_ < badEnd_) {
          const Move m = moves_[index_++];
          if (!Skip(m)) return m;
        }
        stage_ = kDone;
        break;
      case kDone: return 0;
    }
  }
}

}  // namespace qz::search
