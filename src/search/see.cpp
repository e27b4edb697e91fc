#include "search/see.h"

#include <algorithm>
#include <cstring>

namespace qz::search {

namespace {

constexpr unsigned Bit(int kind) { return 1u << kind; }
constexpr unsigned kGoldLike =
    Bit(Gold) | Bit(Tokin) | Bit(PLance) | Bit(PKnight) | Bit(PRei) | Bit(PSilver) | Bit(PDou);
// Kinds that step onto a square from the neighbour at -d, by the step d as
// the attacker sees it (forward, forward diagonal, sideways, back, back diagonal).
constexpr unsigned kForward =
    kGoldLike | Bit(Silver) | Bit(Dou) | Bit(King) | Bit(Pawn) | Bit(Horse) | Bit(Dragon);
constexpr unsigned kForwardDiagonal =
    kGoldLike | Bit(Silver) | Bit(Dou) | Bit(King) | Bit(Horse) | Bit(Dragon);
constexpr unsigned kSideways = kGoldLike | Bit(King) | Bit(Horse) | Bit(Dragon);
constexpr unsigned kBack = kGoldLike | Bit(Dou) | Bit(King) | Bit(Horse) | Bit(Dragon);
constexpr unsigned kBackDiagonal = Bit(Silver) | Bit(King) | Bit(Horse) | Bit(Dragon);

// The square of the cheapest piece of `by` that attacks sq on board b, or 0.
int Cheapest(const Piece* b, int sq, Side by, const Evaluator& eval) {
  const Piece bit = SideBit(by);
  const int f = Forward(by);
  int best = 0, bestValue = 1 << 30;
  auto consider = [&](int from) {
    const int v = eval.CaptureGain(b[from]);
    if (v < bestValue) bestValue = v, best = from;
  };
  auto own = [&](Piece p) { return (p & 0x60) == bit; };
  for (const int from : {sq - 2 * f - 1, sq - 2 * f + 1})
    if (b[from] == MakePiece(by, Knight)) consider(from);
  for (const int from : {sq - 3 * f - 1, sq - 3 * f + 1})
    if (b[from] == MakePiece(by, Rei)) consider(from);
  const struct {
    int d;
    unsigned kinds;
  } steps[] = {{f, kForward},           {f - 1, kForwardDiagonal}, {f + 1, kForwardDiagonal},
               {1, kSideways},          {-1, kSideways},           {-f, kBack},
               {-f - 1, kBackDiagonal}, {-f + 1, kBackDiagonal}};
  for (const auto& s : steps) {
    const Piece p = b[sq - s.d];
    if (own(p) && ((s.kinds >> KindOf(p)) & 1u) != 0) consider(sq - s.d);
  }
  auto slide = [&](int d, unsigned kinds) {
    int t = sq + d;
    while (b[t] == 0) t += d;
    if (own(b[t]) && ((kinds >> KindOf(b[t])) & 1u) != 0) consider(t);
  };
  slide(-f, Bit(Rook) | Bit(Dragon) | Bit(Lance));
  slide(f, Bit(Rook) | Bit(Dragon));
  slide(1, Bit(Rook) | Bit(Dragon));
  slide(-1, Bit(Rook) | Bit(Dragon));
  for (const int d : {kRowWidth + 1, kRowWidth - 1, -kRowWidth + 1, -kRowWidth - 1})
    slide(d, Bit(Bishop) | Bit(Horse));
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
