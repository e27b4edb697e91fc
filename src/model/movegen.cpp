#include "model/movegen.h"

#include "model/geometry.h"
#include "model/invariant.h"

namespace qz {

namespace {

// Iterates the set bits of a side's occupancy as mailbox squares.
template <typename F>
inline void ForEachSquare(std::uint64_t lo, std::uint64_t hi, F&& f) {
  while (lo) {
    f(SqOfIndex(__builtin_ctzll(lo)));
    lo &= lo - 1;
  }
  while (hi) {
    f(SqOfIndex(64 + __builtin_ctzll(hi)));
    hi &= hi - 1;
  }
}

template <Side S, bool Captures, bool Quiets, bool WithDrops = Quiets>
class Generator {
 public:
  // out holds room for capacity moves.
  Generator(const FastPosition& pos, Move* out, int capacity = kMaxMoves)
      : pos_(pos), out_(out), begin_(out), capacity_(capacity) {}

  int Run() {
    if (pos_.Over()) return 0;
    ForEachSquare(pos_.occupancy(S, 0), pos_.occupancy(S, 1), [&](int from) { PieceMoves(from); });
    if constexpr (WithDrops) Drops();
    return static_cast<int>(out_ - begin_);
  }

  // The moves of the piece on `from` only.
  int OnePiece(int from) {
    PieceMoves(from);
    return static_cast<int>(out_ - begin_);
  }

 private:
  static constexpr int F = Forward(S);
  static constexpr Piece kOwn = SideBit(S);

  // One target of a board move: every promotion choice the rules allow.
  inline void Target(int from, int to, Piece piece, int kind) {
    const Piece target = pos_.at(to);
    if (target & kOwn) return;  // own piece or wall
    if (target == 0 ? !Quiets : !Captures) return;
    switch (kind) {
      case Pawn:
      case Lance: {
        const int r = FarRow(S, to);
        if (r <= kPromotionRows) Push(MakeMove(from, to, piece, target, true));
        if (r != 1) Push(MakeMove(from, to, piece, target, false));
        return;
      }
      case Knight: {
        const int r = FarRow(S, to);
        if (r <= kPromotionRows) Push(MakeMove(from, to, piece, target, true));
        if (r > 2) Push(MakeMove(from, to, piece, target, false));
        return;
      }
      case Rei:
        // The whole zone is forbidden to an unpromoted 嶺: entering it promotes.
        Push(MakeMove(from, to, piece, target, FarRow(S, to) <= kPromotionRows));
        return;
      case Silver:
      case Dou:
      case Bishop:
      case Rook:
        if (FarRow(S, to) <= kPromotionRows || FarRow(S, from) <= kPromotionRows)
          Push(MakeMove(from, to, piece, target, true));
        Push(MakeMove(from, to, piece, target, false));
        return;
      default: Push(MakeMove(from, to, piece, target, false)); return;
    }
  }

  inline void Slide(int from, int d, Piece piece, int kind) {
    int to = from + d;
    while (pos_.at(to) == 0) {
      if constexpr (Quiets) Target(from, to, piece, kind);
      to += d;
    }
    Target(from, to, piece, kind);
  }

  // Every move of the piece on `from`, as the geometry describes its kind:
  // along its lines first, then its steps and jumps.
  void PieceMoves(int from) {
    const Piece piece = pos_.at(from);
    const int kind = KindOf(piece);
    const KindMoves& moves = Geometry(S).moves[kind];
    for (int i = 0; i < moves.slideCount; ++i) Slide(from, moves.slides[i], piece, kind);
    for (int i = 0; i < moves.stepCount; ++i) Target(from, from + moves.steps[i], piece, kind);
  }

  void Drops() {
    std::uint64_t emptyLo = ~(pos_.occupancy(SITA, 0) | pos_.occupancy(UE, 0));
    std::uint64_t emptyHi = ~(pos_.occupancy(SITA, 1) | pos_.occupancy(UE, 1)) & ((1ULL << 36) - 1);
    for (int kind = Pawn; kind <= Rook; ++kind) {
      if (pos_.hand(S, kind) == 0) continue;
      const Piece piece = MakePiece(S, kind);
      const int forbidden = ForbiddenDropRows(kind);
      ForEachSquare(emptyLo, emptyHi, [&](int to) {
        if (FarRow(S, to) <= forbidden) return;
        if (kind == Pawn && pos_.hasPawnInColumn(S, XOf(to))) return;
        Push(MakeDrop(to, piece));
      });
    }
  }

  // Every move goes to the list through here: the list never overflows.
  inline void Push(Move m) {
    QZ_ASSERT(out_ - begin_ < capacity_);
    *out_++ = m;
  }

  const FastPosition& pos_;
  Move* out_;
  Move* const begin_;
  [[maybe_unused]] const int capacity_;
};

template <bool Captures, bool Quiets, bool WithDrops = Quiets>
int Generate(const FastPosition& pos, Move* out) {
  return pos.sideToMove() == SITA ? Generator<SITA, Captures, Quiets, WithDrops>(pos, out).Run()
                                  : Generator<UE, Captures, Quiets, WithDrops>(pos, out).Run();
}

}  // namespace

int GenerateMoves(const FastPosition& pos, Move* out) { return Generate<true, true>(pos, out); }
int GenerateCaptures(const FastPosition& pos, Move* out) { return Generate<true, false>(pos, out); }
int GenerateQuiets(const FastPosition& pos, Move* out) { return Generate<false, true>(pos, out); }
int GenerateBoardMoves(const FastPosition& pos, Move* out) {
  return Generate<true, true, false>(pos, out);
}
int GenerateDrops(const FastPosition& pos, Move* out) {
  return Generate<false, false, true>(pos, out);
}

bool IsListedMove(const FastPosition& pos, Move m) {
  if (m == 0 || pos.Over()) return false;
  const Side s = pos.sideToMove();
  const Piece moving = MovingPiece(m);
  if ((moving & 0x60) != SideBit(s)) return false;
  const int to = MoveTo(m);
  if (to >= kSquareCount || MoveFrom(m) >= kSquareCount) return false;
  if (IsDrop(m)) {
    const int kind = KindOf(moving);
    if (kind < Pawn || kind > Rook || IsPromotion(m) || CapturedPiece(m) != 0) return false;
    if (pos.hand(s, kind) == 0 || pos.at(to) != 0) return false;
    if (FarRow(s, to) <= ForbiddenDropRows(kind)) return false;
    return kind != Pawn || !pos.hasPawnInColumn(s, XOf(to));
  }
  if (pos.at(MoveFrom(m)) != moving || pos.at(to) != CapturedPiece(m)) return false;
  Move moves[64];
  const int n = s == SITA ? Generator<SITA, true, true>(pos, moves, 64).OnePiece(MoveFrom(m))
                          : Generator<UE, true, true>(pos, moves, 64).OnePiece(MoveFrom(m));
  for (int i = 0; i < n; ++i)
    if (moves[i] == m) return true;
  return false;
}

namespace {

// Perft below the root; sets stopped (and gives up) once stop is seen.
std::uint64_t CountSequences(FastPosition& pos, int depth, const std::atomic<bool>* stop,
                             bool& stopped) {
  if (depth <= 0) return 1;
  Move moves[kMaxMoves];
  const int n = GenerateMoves(pos, moves);
  if (depth == 1) return static_cast<std::uint64_t>(n);
  const bool watch = stop != nullptr && depth >= 3;
  std::uint64_t total = 0;
  Undo undo;
  for (int i = 0; i < n; ++i) {
    if (watch && stop->load(std::memory_order_relaxed)) stopped = true;
    if (stopped) break;
    pos.Make(moves[i], undo);
    total += CountSequences(pos, depth - 1, stop, stopped);
    pos.Unmake(moves[i], undo);
  }
  return total;
}

}  // namespace

std::uint64_t Perft(FastPosition& pos, int depth) {
  bool stopped = false;
  return CountSequences(pos, depth, nullptr, stopped);
}

std::uint64_t PerftDivide(FastPosition& pos, int depth,
                          const std::function<void(Move, std::uint64_t)>& each,
                          const std::atomic<bool>* stop, bool* stopped) {
  if (stopped) *stopped = false;
  if (depth <= 0) return 1;
  Move moves[kMaxMoves];
  const int n = GenerateMoves(pos, moves);
  const bool watch = stop != nullptr && depth >= 3;
  std::uint64_t total = 0;
  Undo undo;
  for (int i = 0; i < n; ++i) {
    if (watch && stop->load(std::memory_order_relaxed)) {
      if (stopped) *stopped = true;
      return total;
    }
    bool cut = false;
    pos.Make(moves[i], undo);
    const std::uint64_t count = CountSequences(pos, depth - 1, stop, cut);
    pos.Unmake(moves[i], undo);
    if (cut) {
      if (stopped) *stopped = true;
      return total;
    }
    each(moves[i], count);
    total += count;
  }
  return total;
}

int ListMoves(const Position& position, Side side, GameMove* out) {
  FastPosition pos;
  pos.Set(position, side);
  Move moves[kMaxMoves];
  const int n = GenerateMoves(pos, moves);
  for (int i = 0; i < n; ++i) out[i] = ToGameMove(moves[i]);
  return n;
}

}  // namespace qz
