// The deep search's judgement of a position, in hundredths of a pawn on the
// board: material on the board and in hand (a piece in hand valued on its
// own), promotion, piece placement per kind, king safety, and the particular
// reach of the 嶺 and the 銅. Material and placement are summed as moves are
// made (through the position's incremental table); the rest is computed when
// a position is judged, from the board around the two kings.
#pragma once

#include <string>
#include <string_view>

#include "model/fast_position.h"

namespace qz::search {

// Every number of the judgement, kept together so that measurement and
// fitting can change them. Rows ("advance") count from the own back row (0)
// to the far row (9); files from the own left (1) to the right (10); the
// upper army's squares are mirrored.
constexpr int kKingRelativeSquares = 19 * 10;

struct EvalWeights {
  int board[KindCount];          // value of a piece on the board, by kind
  int hand[10];                  // value of a piece in hand, by hand kind
  int handPawnAfterFour;         // each pawn in hand after the fourth
  int placement[KindCount][10];  // added to board[kind], by kind and advance
  int kingFile[11];              // the king's file, added to its placement
  int reiEdgeFile;               // off a 嶺 on an edge file (one jump instead of two)
  int tempo;                     // for the side to move
  int defenderGold, defenderSilver, defenderDou, defenderOther;  // next to the own king
  // Any piece within two squares of a king, by the square relative to that
  // king seen from its owner's side ((dy + 2) * 5 + dx + 2, dy < 0 towards
  // the enemy): own pieces and enemy pieces.
  int kingZoneOwn[25], kingZoneEnemy[25];
  int attackWeight[KindCount];  // danger units an enemy piece near the king brings
  int dropThreat[10];           // danger units of a kind in the enemy hand
  int attackUnitsMax;
  int kingDangerScale;  // danger units squared, times this, over 16
  // Danger units from what attacks the squares next to a king: each such
  // square the enemy attacks, and each of them no own piece but the king
  // guards; and, by kind in the enemy hand, a drop that would attack the king
  // from a square no own piece but the king guards (nor the king itself,
  // unless the enemy guards that square too).
  int ringAttacked, ringWeak;
  int dropCheck[10];
  int reiTargetPiece, reiTargetKing, reiPromotionThreat, reiStuck;
  int douForwardAttack, douGuard;
  int sliderMobility;
  int reiTrapped, knightTrapped;  // no jump target that an enemy pawn does not guard
  int trappedByAdvance[10];       // quarters of the trapped penalty, by advance
  // Every piece but the kings by kind and by its square relative to its own
  // king and to the enemy king, seen from the piece's owner: rows dy = -9..9
  // (dy < 0 towards the enemy) and files |dx| = 0..9, index (dy + 9) * 10 + |dx|.
  int kingRelativeOwn[KindCount][kKingRelativeSquares];
  int kingRelativeEnemy[KindCount][kKingRelativeSquares];
  // By kind: each step or jump of a piece onto a square not its own army's
  // (the sliders' lines are sliderMobility), and a piece in front of an
  // enemy pawn, which attacks it.
  int stepMobility[KindCount];
  int pawnAttacked[KindCount];
};

// The weights as numbered ints, for reading, writing and fitting them: a
// scalar is named as in the struct, an element of a table "name.index" (two
// dimensional tables flattened, placement.(kind * 10 + advance)).
int WeightCount();
std::string WeightName(int index);
int& WeightAt(EvalWeights& w, int index);
int WeightAt(const EvalWeights& w, int index);
// The index of a name, or -1.
int WeightIndex(std::string_view name);
// "name=value" lines of every weight.
std::string FormatWeights(const EvalWeights& w);
// Applies "name=value" items, separated by new lines or commas ('#' starts a
// comment line) onto w; false, with the problem (and w unchanged), on an
// unknown name or a value that is not a whole number.
bool ParseWeights(std::string_view text, EvalWeights& w, std::string& problem);

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

  // The judgement as a sum of weights times counts, for fitting them: adds to
  // counts (WeightCount() of them) how often each weight counts in Evaluate
  // of pos from the lower army's view, with these weights deciding what is
  // not linear (the danger units, what a 嶺 target or a way on is worth).
  // The danger's square and the trapped quarters come as fractions, so that
  // the sum may differ from Evaluate by the rounding of those terms; the
  // limit is not applied.
  void AddCounts(const FastPosition& pos, double* counts) const;

  // What taking piece p wins: its value on the board and the same kind's
  // value in the captor's hand (for ordering captures and for pruning).
  int CaptureGain(Piece p) const { return captureGain_[KindOf(p)]; }
  int BoardValue(Piece p) const { return weights_.board[KindOf(p)]; }

 private:
  // Counting: the terms' counts times sign go to counts as well.
  template <bool Counting>
  int KingSafety(const FastPosition& pos, Side owner, double* counts, double sign) const;
  template <bool Counting>
  int PerPiece(const FastPosition& pos, Side s, double* counts, double sign) const;
  template <bool Counting>
  int PieceTerms(const FastPosition& pos, Side s, double* counts, double sign) const;

  EvalWeights weights_;
  bool perPiece_ = false;   // any weight of PerPiece not zero
  bool ringTerms_ = false;  // any weight of the squares next to a king or of drops attacking it
  IncrementalTable table_;
  int captureGain_[KindCount] = {};
};

}  // namespace qz::search
