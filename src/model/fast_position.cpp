#include "model/fast_position.h"

#include "model/geometry.h"
#include "model/invariant.h"

namespace qz {

namespace {

constexpr std::uint64_t SplitMix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

struct ZobristKeys {
  std::uint64_t piece[PieceIndexCount][kSquareCount] = {};
  std::uint64_t hand[2][10][32] = {};
  std::uint64_t side = 0;
};

constexpr ZobristKeys MakeKeys() {
  ZobristKeys k;
  std::uint64_t state = 0x5A0B1C2D3E4F6071ULL;
  for (auto& row : k.piece)
    for (auto& v : row) v = SplitMix(state);
  for (auto& s : k.hand)
    for (auto& kind : s)
      for (auto& v : kind) v = SplitMix(state);
  k.side = SplitMix(state);
  return k;
}

constexpr ZobristKeys kKeys = MakeKeys();

// Game magnitude of a kind (the material value of Position codes).
constexpr int kMagnitude[KindCount] = {0,       HU,      KYOU, KEI,     REI,      GIN,      KIN,
                                       DOU,     KAKU,    SYA,  OU,      HU + 1,   KYOU + 1, KEI + 1,
                                       REI + 1, GIN + 1, 0,    DOU + 1, KAKU + 1, SYA + 1};

int KindOfMagnitude(int m) {
  for (int k = 1; k < KindCount; ++k)
    if (k != 16 && kMagnitude[k] == m) return k;
  if (m == KIN + 1) return Gold;  // a promoted gold never arises; it stands as a gold
  return NoKind;
}

void SetBit(std::uint64_t occ[2], int sq) {
  const int i = IndexOf(sq);
  occ[i >> 6] |= 1ULL << (i & 63);
}
void ClearBit(std::uint64_t occ[2], int sq) {
  const int i = IndexOf(sq);
  occ[i >> 6] &= ~(1ULL << (i & 63));
}

}  // namespace

PieceCode CodeOfPiece(Piece p) {
  if (p == 0 || p == Wall) return EMPTY;
  const int m = kMagnitude[KindOf(p)];
  return SideOf(p) == SITA ? -m : m;
}

Piece PieceOfCode(PieceCode c) {
  if (c == EMPTY) return 0;
  const int kind = KindOfMagnitude(Abs(c));
  if (kind == NoKind) return 0;
  return MakePiece(c < 0 ? SITA : UE, kind);
}

std::uint64_t FastPosition::SideKey() { return kKeys.side; }

FastPosition::FastPosition() {
  for (auto& b : board_) b = Wall;
  for (int y = 1; y <= 10; ++y)
    for (int x = 1; x <= 10; ++x) board_[Sq(x, y)] = 0;
  for (auto& s : hand_)
    for (auto& v : s) v = 0;
  for (auto& s : pawnCount_)
    for (auto& v : s) v = 0;
  kingSq_[0] = kingSq_[1] = 0;
  Recount();
}

void FastPosition::Set(const Position& pos, Side toMove) {
  for (int y = 1; y <= 10; ++y)
    for (int x = 1; x <= 10; ++x) board_[Sq(x, y)] = PieceOfCode(pos.Board[x][y]);
  for (int s = 0; s < 2; ++s) {
    hand_[s][0] = 0;
    for (int k = 1; k <= HandKinds; ++k) {
      const int n = pos.Hand[s][k];
      hand_[s][k] = static_cast<std::uint8_t>(n < 0 ? 0 : n > kMaxHandCount ? kMaxHandCount : n);
    }
  }
  stm_ = toMove;
  Recount();
}

void FastPosition::ToPosition(Position& pos) const {
  for (int y = 1; y <= 10; ++y)
    for (int x = 1; x <= 10; ++x) pos.Board[x][y] = CodeOfPiece(board_[Sq(x, y)]);
  for (int s = 0; s < 2; ++s) {
    pos.HandTotal[s] = 0;
    for (int k = 1; k <= HandKinds; ++k) {
      pos.Hand[s][k] = hand_[s][k];
      pos.HandTotal[s] += hand_[s][k];
    }
    pos.KingSquare[s] = kingSq_[s] != 0 ? Square{XOf(kingSq_[s]), YOf(kingSq_[s])} : Square{};
    for (int x = 1; x <= 10; ++x) pos.PawnColumns[s][x] = pawnCount_[s][x] != 0 ? 1 : 0;
  }
  pos.winner = kingSq_[UE] == 0 && kingSq_[SITA] != 0   ? Victor::Sita
               : kingSq_[SITA] == 0 && kingSq_[UE] != 0 ? Victor::Ue
                                                        : Victor::None;
}

void FastPosition::SetTable(const IncrementalTable* table) {
  table_ = table;
  incremental_ = ComputeIncremental();
}

void FastPosition::Recount() {
  for (auto& s : pawnCount_)
    for (auto& v : s) v = 0;
  kingSq_[0] = kingSq_[1] = 0;
  material_[0] = material_[1] = 0;
  occ_[0][0] = occ_[0][1] = occ_[1][0] = occ_[1][1] = 0;
  for (auto& side : kindOcc_)
    for (auto& kind : side) kind[0] = kind[1] = 0;
  for (int y = 1; y <= 10; ++y)
    for (int x = 1; x <= 10; ++x) {
      const int sq = Sq(x, y);
      const Piece p = board_[sq];
      if (p == 0) continue;
      const Side s = SideOf(p);
      SetBit(occ_[s], sq);
      SetBit(kindOcc_[s][KindOf(p)], sq);
      if (KindOf(p) == King) {
        if (kingSq_[s] == 0) kingSq_[s] = sq;
      } else {
        material_[s] += kMagnitude[KindOf(p)];
      }
      if (KindOf(p) == Pawn) ++pawnCount_[s][x];
    }
  for (int s = 0; s < 2; ++s)
    for (int k = 1; k <= HandKinds; ++k) material_[s] += hand_[s][k] * kMagnitude[k];
  key_ = ComputeKey();
  incremental_ = ComputeIncremental();
}

std::uint64_t FastPosition::ComputeKey() const {
  std::uint64_t key = stm_ == UE ? kKeys.side : 0;
  for (int y = 1; y <= 10; ++y)
    for (int x = 1; x <= 10; ++x) {
      const Piece p = board_[Sq(x, y)];
      if (p != 0) key ^= kKeys.piece[p][Sq(x, y)];
    }
  for (int s = 0; s < 2; ++s)
    for (int k = 1; k <= HandKinds; ++k) key ^= kKeys.hand[s][k][hand_[s][k]];
  return key;
}

int FastPosition::ComputeIncremental() const {
  if (table_ == nullptr) return 0;
  int sum = 0;
  for (int y = 1; y <= 10; ++y)
    for (int x = 1; x <= 10; ++x) {
      const Piece p = board_[Sq(x, y)];
      if (p != 0) sum += table_->board[p][Sq(x, y)];
    }
  for (int s = 0; s < 2; ++s)
    for (int k = 1; k <= HandKinds; ++k) sum += table_->hand[s][k][hand_[s][k]];
  return sum;
}

int FastPosition::handTotal(Side s) const {
  int n = 0;
  for (int k = 1; k <= HandKinds; ++k) n += hand_[s][k];
  return n;
}

inline void FastPosition::Put(int sq, Piece p) {
  QZ_ASSERT(board_[sq] == 0 && p != 0 && p != Wall && KindOf(p) != NoKind);
  board_[sq] = p;
  key_ ^= kKeys.piece[p][sq];
  if (table_) incremental_ += table_->board[p][sq];
  const Side s = SideOf(p);
  const int kind = KindOf(p);
  SetBit(occ_[s], sq);
  SetBit(kindOcc_[s][kind], sq);
  if (kind == Pawn) ++pawnCount_[s][XOf(sq)];
  QZ_ASSERT(pawnCount_[s][XOf(sq)] <= 10);
  if (kind == King) kingSq_[s] = sq;
}

inline void FastPosition::Remove(int sq, Piece p) {
  QZ_ASSERT(board_[sq] == p && p != 0 && p != Wall);
  board_[sq] = 0;
  key_ ^= kKeys.piece[p][sq];
  if (table_) incremental_ -= table_->board[p][sq];
  const Side s = SideOf(p);
  const int kind = KindOf(p);
  ClearBit(occ_[s], sq);
  ClearBit(kindOcc_[s][kind], sq);
  if (kind == Pawn) --pawnCount_[s][XOf(sq)];
  if (kind == King && kingSq_[s] == sq) kingSq_[s] = 0;
}

inline void FastPosition::AddToHand(Side s, int kind) {
  const int n = hand_[s][kind];
  if (n >= kMaxHandCount) return;  // Make notes it in the undo
  key_ ^= kKeys.hand[s][kind][n] ^ kKeys.hand[s][kind][n + 1];
  if (table_) incremental_ += table_->hand[s][kind][n + 1] - table_->hand[s][kind][n];
  hand_[s][kind] = static_cast<std::uint8_t>(n + 1);
}

inline void FastPosition::TakeFromHand(Side s, int kind) {
  const int n = hand_[s][kind];
  QZ_ASSERT(n > 0);
  key_ ^= kKeys.hand[s][kind][n] ^ kKeys.hand[s][kind][n - 1];
  if (table_) incremental_ += table_->hand[s][kind][n - 1] - table_->hand[s][kind][n];
  hand_[s][kind] = static_cast<std::uint8_t>(n - 1);
}

void FastPosition::Make(Move m, Undo& undo) {
  undo.key = key_;
  undo.incremental = incremental_;
  undo.material[0] = material_[0];
  undo.material[1] = material_[1];
  const int to = MoveTo(m);
  const Piece moving = MovingPiece(m);
  const Side s = stm_;
  const Side o = Opponent(s);
  QZ_ASSERT(m != 0 && (moving & 0x60) == SideBit(s));
  if (IsDrop(m)) {
    QZ_ASSERT(board_[to] == 0 && KindOf(moving) >= Pawn && KindOf(moving) <= Rook);
    undo.captured = 0;
    undo.handFull = false;
    TakeFromHand(s, KindOf(moving));
    Put(to, moving);
  } else {
    const Piece captured = board_[to];
    QZ_ASSERT(board_[MoveFrom(m)] == moving && (captured & SideBit(s)) == 0);
    undo.captured = captured;
    undo.handFull = captured != 0 && KindOf(captured) != King &&
                    hand_[s][BaseKind(KindOf(captured))] >= kMaxHandCount;
    Remove(MoveFrom(m), moving);
    if (captured != 0) {
      Remove(to, captured);
      const int kind = KindOf(captured);
      if (kind != King) {
        const int base = BaseKind(kind);
        AddToHand(s, base);
        material_[o] -= kMagnitude[kind];
        material_[s] += kMagnitude[base];
      }
    }
    if (IsPromotion(m)) {
      Put(to, static_cast<Piece>(moving + 10));
      material_[s] += 1;
    } else {
      Put(to, moving);
    }
  }
  stm_ = o;
  key_ ^= kKeys.side;
  QZ_ASSERT(material_[SITA] >= 0 && material_[UE] >= 0);
}

void FastPosition::Unmake(Move m, const Undo& undo) {
  const int to = MoveTo(m);
  const Piece moving = MovingPiece(m);
  stm_ = Opponent(stm_);
  const Side s = stm_;
  if (IsDrop(m)) {
    Remove(to, moving);
    hand_[s][KindOf(moving)] += 1;
  } else {
    Remove(to, board_[to]);
    Put(MoveFrom(m), moving);
    const Piece captured = undo.captured;
    if (captured != 0) {
      Put(to, captured);
      const int kind = KindOf(captured);
      if (kind != King && !undo.handFull && hand_[s][BaseKind(kind)] > 0)
        hand_[s][BaseKind(kind)] -= 1;
    }
  }
  key_ = undo.key;
  incremental_ = undo.incremental;
  material_[0] = undo.material[0];
  material_[1] = undo.material[1];
  // Taking the move back restores the position the key and sums describe.
  QZ_ASSERT(key_ == ComputeKey());
  QZ_ASSERT(incremental_ == ComputeIncremental());
}

template <unsigned Kinds>
bool FastPosition::Attacked(int sq, Side by) const {
  const Piece bit = SideBit(by);
  const ArmyGeometry& g = Geometry(by);
  auto reaches = [&](Piece p, unsigned kinds) {
    return (p & 0x60) == bit && (((kinds & Kinds) >> KindOf(p)) & 1u) != 0;
  };
  // Jumps and steps: the attacker stands one move away.
  for (int i = 0; i < 4; ++i)
    if (reaches(board_[sq - g.jump[i]], g.jumpKinds[i])) return true;
  for (int i = 0; i < 8; ++i)
    if (reaches(board_[sq - g.neighbour[i]], g.neighbourKinds[i])) return true;
  // Slides: the first piece on each line.
  for (int i = 0; i < 8; ++i) {
    const int d = g.line[i];
    int t = sq + d;
    while (board_[t] == 0) t += d;
    if (reaches(board_[t], g.lineKinds[i])) return true;
  }
  return false;
}
template bool FastPosition::Attacked<~0u>(int sq, Side by) const;
template bool FastPosition::Attacked<~KindBit(King)>(int sq, Side by) const;

std::string PositionProblem(const Position& pos) {
  int kings[2] = {0, 0};
  int ofKind[HandKinds + 1] = {};
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) {
      const Piece p = PieceOfCode(pos.Board[x][y]);
      if (p == 0) continue;
      if (KindOf(p) == King)
        ++kings[SideOf(p)];
      else
        ++ofKind[BaseKind(KindOf(p))];
    }
  if (kings[SITA] > 1) return "two kings of the lower army";
  if (kings[UE] > 1) return "two kings of the upper army";
  for (int k = 1; k <= HandKinds; ++k) {
    for (int s = 0; s < 2; ++s)
      if (pos.Hand[s][k] < 0) return "a hand count below zero";
    // Summed wide: a crafted hand may hold any int.
    const long long all = static_cast<long long>(ofKind[k]) + pos.Hand[SITA][k] + pos.Hand[UE][k];
    if (all > kMaxHandCount)
      return "more than " + std::to_string(kMaxHandCount) + " pieces of one kind";
  }
  return {};
}

GameMove ToGameMove(Move m) {
  const Piece moving = MovingPiece(m);
  const Side s = SideOf(moving);
  const int to = MoveTo(m);
  if (IsDrop(m)) {
    const Square origin = DropOrigin(s, KindOf(moving));
    return GameMove{origin.x, origin.y, XOf(to), YOf(to), CodeOfPiece(moving)};
  }
  const int from = MoveFrom(m);
  return GameMove{XOf(from), YOf(from), XOf(to), YOf(to), CodeOfPiece(PieceAfter(m))};
}

Move FromGameMove(const FastPosition& pos, const GameMove& gm) {
  if (!OnBoard(gm.toX, gm.toY)) return 0;
  const int to = Sq(gm.toX, gm.toY);
  const Piece captured = pos.at(to);
  if (const int k = HandIndexOfDropOrigin(gm.fromX, gm.fromY); k != 0) {
    const Side s = gm.fromX == SitaHandColumn ? SITA : UE;
    if (gm.code != UnpromotedCode(s, k)) return 0;
    return MakeDrop(to, MakePiece(s, k));
  }
  if (!OnBoard(gm.fromX, gm.fromY)) return 0;
  const int from = Sq(gm.fromX, gm.fromY);
  const Piece moving = pos.at(from);
  if (moving == 0) return 0;
  const PieceCode code = CodeOfPiece(moving);
  if (gm.code == code) return MakeMove(from, to, moving, captured, false);
  if (!IsPromotedKind(KindOf(moving)) && KindOf(moving) != Gold && KindOf(moving) != King &&
      gm.code == (code < 0 ? code - 1 : code + 1))
    return MakeMove(from, to, moving, captured, true);
  return 0;
}

}  // namespace qz
