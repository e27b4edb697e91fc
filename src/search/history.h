// What the search learns about quiet moves while it runs: a history score
// per moving piece and target (drops apart), a continuation score per pair
// of a move and the move one or two plies before it, and the move that last
// refuted each move (the counter move), and a capture score per moving piece,
// target and kind taken. Scores rise for a move that cut the search off and
// fall for the moves tried before it in vain.
#pragma once

#include <cstdint>
#include <memory>

#include "model/fast_position.h"

namespace qz::search {

// A move's piece (as it stands after the move, with its army) and target.
constexpr int kPieceToCount = 40 * 100;
inline int PieceTo(Move m) {
  const Piece p = PieceAfter(m);
  return ((SideOf(p) == UE ? 20 : 0) + KindOf(p)) * 100 + IndexOf(MoveTo(m));
}

class History {
 public:
  History();

  void Clear();

  int Main(Move m) const { return main_[MainIndex(m)]; }
  // The continuation scores after a move with the given PieceTo (-1: none).
  const std::int16_t* Continuation(int previous) const {
    return previous < 0 ? nullptr : &cont_[static_cast<std::size_t>(previous) * kPieceToCount];
  }
  Move Counter(int previous) const { return previous < 0 ? 0 : counter_[previous]; }

  // The sum the move ordering sorts quiet moves by.
  int Score(Move m, const std::int16_t* cont1, const std::int16_t* cont2) const {
    int s = Main(m);
    if (cont1 != nullptr) s += cont1[PieceTo(m)];
    if (cont2 != nullptr) s += cont2[PieceTo(m)];
    return s;
  }

  // best cut the search off at depth after the quiet moves tried (best may be
  // among them); previous1/2: PieceTo of the moves one and two plies before.
  void Reward(Move best, int depth, const Move* tried, int triedCount, int previous1,
              int previous2);

  // A capture's score, by the piece after the move, its target and the kind
  // it takes.
  int Capture(Move m) const { return capture_[CaptureIndex(m)]; }
  // best (a capture or not) cut the search off at depth after the captures
  // tried (best may be among them).
  void RewardCaptures(Move best, int depth, const Move* tried, int triedCount);

  static constexpr int kMax = 16384;

 private:
  static int MainIndex(Move m) {
    return (IsDrop(m) ? PieceIndexCount * kSquareCount : 0) + MovingPiece(m) * kSquareCount +
           MoveTo(m);
  }
  static int CaptureIndex(Move m) { return PieceTo(m) * KindCount + KindOf(CapturedPiece(m)); }
  void Update(Move m, int delta, int previous1, int previous2);

  std::unique_ptr<int[]> main_;
  std::unique_ptr<std::int16_t[]> cont_;
  std::unique_ptr<Move[]> counter_;
  std::unique_ptr<std::int16_t[]> capture_;
};

}  // namespace qz::search
