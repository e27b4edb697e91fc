#include "search/see.h"

#include <algorithm>
#include <cstring>

namespace qz::search {

namespace {

// The square of the cheapest piece of `by` that attacks sq on board b, or 0;
// of equal attackers the first in the order of the geometry's attack view.
int Cheapest(const Piece* b, int sq, Side by, const Evaluator& eval) {
  const Piece bit = SideBit(by);
  const ArmyGeometry& g = Geometry(by);
  int best = 0, bestValue = 1 << 30;
  auto consider = [&](int from, unsigned kinds) {
    const Piece p = b[from];
    if ((p & 0x60) != bit || ((kinds >> KindOf(p)) & 1u) == 0) return;
    const int v = eval.CaptureGain(p);
    if (v < bestValue) bestValue = v, best = from;
  };
  for (int i = 0; i < 4; ++i) consider(sq - g.jump[i], g.jumpKinds[i]);
  for (int i = 0; i < 8; ++i) consider(sq - g.neighbour[i], g.neighbourKinds[i]);
  for (int i = 0; i < 8; ++i) {
    const int d = g.line[i];
    int t = sq + d;
    while (b[t] == 0) t += d;
    consider(t, g.lineKinds[i]);
  }
  return best;
}

}  // namespace

int StaticExchange(const FastPosition& pos, const Evaluator& eval, Move m) {
  Piece b[kSquareCount];
  std::memcpy(b, pos.squares(), sizeof b);
  const int to = MoveTo(m);
  int gain[40];
  gain[0] = IsCapture(m) ? eval.CaptureGain(CapturedPiece(m)) : 0;
  if (!IsDrop(m)) b[MoveFrom(m)] = 0;
  Piece onSquare = PieceAfter(m);
  b[to] = onSquare;
  Side side = Opponent(SideOf(MovingPiece(m)));
  int d = 0;
  while (d < 39) {
    const int from = Cheapest(b, to, side, eval);
    if (from == 0) break;
    ++d;
    // Taking what stands on the square, against what was gained so far.
    gain[d] = eval.CaptureGain(onSquare) - gain[d - 1];
    if (std::max(-gain[d - 1], gain[d]) < 0) break;
    if (KindOf(onSquare) == King) break;
    onSquare = b[from];
    b[to] = onSquare;
    b[from] = 0;
    side = Opponent(side);
  }
  for (; d > 0; --d) gain[d - 1] = -std::max(-gain[d - 1], gain[d]);
  return gain[0];
}

bool ExchangeAtLeast(const FastPosition& pos, const Evaluator& eval, Move m, int threshold) {
  const int captured = IsCapture(m) ? eval.CaptureGain(CapturedPiece(m)) : 0;
  if (captured < threshold) return false;
  // Even losing the moving piece keeps the threshold.
  if (captured - eval.CaptureGain(PieceAfter(m)) >= threshold) return true;
  return StaticExchange(pos, eval, m) >= threshold;
}

}  // namespace qz::search
