// The deep search's judgement of a position, in hundredths of a pawn on the
// board: material on the board and in hand (a piece in hand valued on its
// own), promotion, piece placement per kind, king safety, and the particular
// reach of the 嶺 and the 銅. Material and placement are summed as moves are
// made (through the position's incremental table); the rest is computed when
// a position is judged, from the board around the two kings.
#pragma once

#include "model/fast_position.h"

namespace qz::search {

// The weights, kept together so that measurement can change them.
struct EvalWeights {
  int board[KindCount];   // value of a piece on the board, by kind
  int hand[10];           // value of a piece in hand, by hand kind
  int handPawnAfterFour;  // each pawn in hand after the fourth
  int tempo;              // for the side to move
  int defenderGold, defenderSilver, defenderDou, defenderOther;  // next to the own king
  int attackUnitsMax;
  int kingDangerScale;  // danger units squared, times this, over 16
  int reiTargetPiece, reiTargetKing, reiPromotionThreat, reiStuck;
  int douForwardAttack, douGuard;
  int sliderMobility;
  int reiTrapped, knightTrapped;  // no jump target that an enemy pawn does not guard
};

const EvalWeights& DefaultWeights();

class Evaluator {
 public:
  explicit Evaluator(const EvalWeights& weights = DefaultWeights());

  // What the position sums as moves are made: material and placement.
  const IncrementalTable& table() const { return table_; }

  // No judgement goes past this, so that a position with hands far fuller
  // than a game can bring (the fast position holds 31 of a kind) is never
  // taken for a decided game: the search's decided band begins at 29872.
  // Every position of the game's own pieces stays below it (one army with
  // all 44 pieces, promoted where it can, comes to about 28,400).
  static constexpr int kLimit = 29000;

  // Score for the side to move. The position must use table().
  int Evaluate(const FastPosition& pos) const;
  // The same where it matters: when material and placement alone lie so far
  // outside (alpha, beta) that the other terms cannot bring the score back,
  // they are the answer.
  int Evaluate(const FastPosition& pos, int alpha, int beta) const {
    const int quick = Quick(pos);
    if (quick - kLazyMargin >= beta || quick + kLazyMargin <= alpha) return quick;
    return Evaluate(pos);
  }
  // Material and placement alone, for the side to move.
  int Quick(const FastPosition& pos) const {
    const int v =
        (pos.sideToMove() == SITA ? pos.incremental() : -pos.incremental()) + weights_.tempo;
    return v > kLimit ? kLimit : v < -kLimit ? -kLimit : v;
  }
  static constexpr int kLazyMargin = 450;

  // What taking piece p wins: its value on the board and the same kind's
  // value in the captor's hand (for ordering captures and for pruning).
  int CaptureGain(Piece p) const { return captureGain_[KindOf(p)]; }
  int BoardValue(Piece p) const { return weights_.board[KindOf(p)]; }

 private:
  int KingSafety(const FastPosition& pos, Side owner) const;
  int PieceTerms(const FastPosition& pos, Side s) const;

  EvalWeights weights_;
  IncrementalTable table_;
  int captureGain_[KindCount] = {};
};

}  // namespace qz::search
