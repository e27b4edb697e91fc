#include "search/mate.h"

#include "model/geometry.h"
#include "model/movegen.h"

namespace qz::search {

bool EscapesCheck(FastPosition& pos, Move* replies) {
  // Board moves first: against a check from next to the king or by a jump
  // only they can help; a drop can only block a line.
  for (int part = 0; part < 2; ++part) {
    const int n = part == 0 ? GenerateBoardMoves(pos, replies) : GenerateDrops(pos, replies);
    for (int i = 0; i < n; ++i) {
      if (KindOf(CapturedPiece(replies[i])) == King) return true;
      Undo undo;
      pos.Make(replies[i], undo);
      const bool safe = !pos.CanCaptureKing();
      pos.Unmake(replies[i], undo);
      if (safe) return true;
    }
  }
  return false;
}

namespace {
// The kinds in hand that attack a square next to them in each direction, as
// the attacker sees it (the model's geometry).
constexpr unsigned kChecksForward = DropCheckers({0, 1});
constexpr unsigned kChecksForwardDiagonal = DropCheckers({1, 1});
constexpr unsigned kChecksSideways = DropCheckers({1, 0});
constexpr unsigned kChecksBack = DropCheckers({0, -1});
constexpr unsigned kChecksBackDiagonal = DropCheckers({1, -1});
bool IsUnpromotedPawnMove(Move m) { return KindOf(MovingPiece(m)) == Pawn && !IsPromotion(m); }

}  // namespace

bool GivesDirectCheck(const FastPosition& pos, Move m) {
  const Side us = pos.sideToMove();
  const int king = pos.kingSquare(Opponent(us));
  if (king == 0) return false;
  const int to = MoveTo(m);
  const unsigned kind = KindBit(KindOf(PieceAfter(m)));
  const ArmyGeometry& g = Geometry(us);
  const int offset = king - to;
  if (offset >= -kMaxOffset && offset <= kMaxOffset && (g.steppers[offset + kMaxOffset] & kind))
    return true;
  // A slide: the king on a line from the target, the squares between empty
  // (the square the piece leaves counts as empty).
  const int dx = XOf(king) - XOf(to), dy = YOf(king) - YOf(to);
  if (dx != 0 && dy != 0 && dx != dy && dx != -dy) return false;
  const int step = (dx > 0) - (dx < 0) + ((dy > 0) - (dy < 0)) * kRowWidth;
  if ((g.sliders[step + kMaxOffset] & kind) == 0) return false;
  const Piece* board = pos.squares();
  const int from = IsDrop(m) ? -1 : MoveFrom(m);
  for (int sq = to + step; sq != king; sq += step)
    if (board[sq] != 0 && sq != from) return false;
  return true;
}

bool MateInOne(FastPosition& pos, bool banPawnMates, Move* moves, Move* replies) {
  const Side us = pos.sideToMove(), them = Opponent(us);
  const int king = pos.kingSquare(them);
  if (king == 0) return false;
  const Piece* board = pos.squares();
  // A king with several squares to go to is not mated by one move: look only
  // where at most a few of its neighbours are open to it.
  static constexpr int kAround[8] = {-kRowWidth - 1, -kRowWidth, -kRowWidth + 1, -1, 1,
                                     kRowWidth - 1,  kRowWidth,  kRowWidth + 1};
  int open = 0;
  for (const int d : kAround) {
    const Piece p = board[king + d];
    if (p == Wall || (p != 0 && SideOf(p) == them)) continue;
    if (!pos.Attacked(king + d, us) && ++open > 3) return false;
  }
  const bool banPawn = banPawnMates;
  // A move that gives check from next to the king, or by a jump, and leaves
  // no answer.
  auto mates = [&](Move m) {
    if (banPawn && IsUnpromotedPawnMove(m)) return false;
    Undo undo;
    pos.Make(m, undo);
    const bool mate = pos.InCheck() && !pos.CanCaptureKing() && !EscapesCheck(pos, replies);
    pos.Unmake(m, undo);
    return mate;
  };
  // Board moves only where a piece of ours reaches a square next to the king
  // that is not the enemy's.
  const int f = Forward(us);
  bool reached = false;
  auto reaches = [&](int sq) {
    const Piece p = board[sq];
    return p != Wall && (p == 0 || SideOf(p) != them) && pos.Attacked(sq, us);
  };
  for (const int d : kAround) reached = reached || reaches(king + d);
  for (const int sq : {king - 2 * f - 1, king - 2 * f + 1, king - 3 * f - 1, king - 3 * f + 1})
    reached = reached || reaches(sq);
  const int n = reached ? GenerateBoardMoves(pos, moves) : 0;
  for (int i = 0; i < n; ++i) {
    const Move m = moves[i];
    if (KindOf(CapturedPiece(m)) == King) return true;
    const int dx = XOf(MoveTo(m)) - XOf(king), dy = YOf(MoveTo(m)) - YOf(king);
    if (dx < -1 || dx > 1 || dy < -3 || dy > 3) continue;
    if (mates(m)) return true;
  }
  // Drops next to the king, and of a knight or 嶺 where it jumps onto it.
  for (int kind = Pawn; kind <= Rook; ++kind) {
    if (pos.hand(us, kind) == 0) continue;
    const Piece piece = MakePiece(us, kind);
    auto tryDrop = [&](int to) {
      const Move m = MakeDrop(to, piece);
      return board[to] == 0 && IsListedMove(pos, m) && mates(m);
    };
    if (kind == Knight) {
      if (tryDrop(king - 2 * f - 1) || tryDrop(king - 2 * f + 1)) return true;
    } else if (kind == Rei) {
      if (tryDrop(king - 3 * f - 1) || tryDrop(king - 3 * f + 1)) return true;
    } else {
      // The drop must give check: the kind steps (or slides) from its square
      // onto the king's.
      for (const int d : kAround) {
        const int step = -d;  // from the dropped piece to the king
        const unsigned kinds = step == f                        ? kChecksForward
                               : step == f - 1 || step == f + 1 ? kChecksForwardDiagonal
                               : step == 1 || step == -1        ? kChecksSideways
                               : step == -f                     ? kChecksBack
                                                                : kChecksBackDiagonal;
        if (((kinds >> kind) & 1u) != 0 && tryDrop(king + d)) return true;
      }
    }
  }
  return false;
}

}  // namespace qz::search
