#include "search/mate_solver.h"

#include <algorithm>

#include "model/geometry.h"
#include "model/movegen.h"
#include "search/mate.h"

namespace qz::search {

namespace {

constexpr std::uint32_t kInf = 100000000;
// Mixed into the key of a defender's position reached by an unpromoted pawn
// move of the attacker: there, having no answer is no win for it.
constexpr std::uint64_t kAfterPawnKey = 0x9C3B5E7A1D2F4863ULL;

bool IsUnpromotedPawnMove(Move m) { return KindOf(MovingPiece(m)) == Pawn && !IsPromotion(m); }

std::uint32_t Add(std::uint32_t a, std::uint32_t b) { return std::min<std::uint32_t>(a + b, kInf); }

}  // namespace

struct MateSolver::Entry {
  std::uint64_t key;
  std::uint32_t pn, dn;
  Move move;
  std::uint16_t plies;     // of a proof: to the king's capture
  std::uint8_t remaining;  // of a disproof: the plies it was searched with
  std::uint8_t generation;
};

struct MateSolver::Ply {
  Move moves[kMaxMoves];
  std::uint64_t keys[kMaxMoves];  // of the position after each move
  Move scratch[kMaxMoves];
};

MateSolver::MateSolver(int tableBits)
    : table_(std::make_unique<Entry[]>(std::size_t{1} << tableBits)),
      mask_((std::uint64_t{1} << tableBits) - 1),
      plies_(std::make_unique<Ply[]>(kMaxPlies + 1)) {}

MateSolver::~MateSolver() = default;

MateSolver::Entry* MateSolver::Find(std::uint64_t key) const {
  Entry* bucket = &table_[key & mask_ & ~std::uint64_t{1}];
  for (int i = 0; i < 2; ++i)
    if (bucket[i].key == key && bucket[i].generation == generation_) return &bucket[i];
  return nullptr;
}

void MateSolver::Store(std::uint64_t key, std::uint32_t pn, std::uint32_t dn, Move move, int plies,
                       int remaining) {
  Entry* bucket = &table_[key & mask_ & ~std::uint64_t{1}];
  Entry* slot = nullptr;
  for (int i = 0; i < 2 && slot == nullptr; ++i)
    if (bucket[i].key == key && bucket[i].generation == generation_) slot = &bucket[i];
  // Otherwise a stale or unsolved entry goes before a solved one.
  auto solved = [&](const Entry& e) {
    return e.generation == generation_ && (e.pn == 0 || e.dn == 0);
  };
  if (slot == nullptr) slot = solved(bucket[0]) && !solved(bucket[1]) ? &bucket[1] : &bucket[0];
  *slot = Entry{key,
                pn,
                dn,
                move,
                static_cast<std::uint16_t>(plies),
                static_cast<std::uint8_t>(std::max(remaining, 0)),
                generation_};
}

void MateSolver::Numbers(std::uint64_t key, int remaining, std::uint32_t& pn,
                         std::uint32_t& dn) const {
  pn = dn = 1;
  const Entry* e = Find(key);
  if (e == nullptr) return;
  // A disproof within fewer plies than are left now says nothing.
  if (e->dn == 0 && e->remaining < remaining) return;
  pn = e->pn;
  dn = e->dn;
}

int MateSolver::ProofPlies(std::uint64_t key) const {
  const Entry* e = Find(key);
  return e != nullptr && e->pn == 0 ? e->plies : 1;
}

bool MateSolver::OutOfBudget() {
  if (stopped_) return true;
  if (nodes_ >= nodeLimit_) return stopped_ = true;
  if ((nodes_ & 255) == 0) {
    if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) return stopped_ = true;
    if (deadline_ != std::chrono::steady_clock::time_point{} &&
        std::chrono::steady_clock::now() >= deadline_)
      return stopped_ = true;
  }
  return false;
}

int MateSolver::GenerateChecks(Ply& p) {
  FastPosition& pos = *pos_;
  const Side us = pos.sideToMove(), them = Opponent(us);
  const int king = pos.kingSquare(them);
  if (king == 0) return 0;
  int n = 0;
  // Board moves: each is made, as it may uncover a line onto the king.
  const int boardCount = GenerateBoardMoves(pos, p.scratch);
  for (int i = 0; i < boardCount; ++i) {
    const Move m = p.scratch[i];
    if (KindOf(CapturedPiece(m)) == King) {
      p.moves[0] = m;
      return -1;
    }
    Undo undo;
    pos.Make(m, undo);
    if (pos.InCheck() && !pos.CanCaptureKing()) {
      p.moves[n] = m;
      p.keys[n] = pos.key() ^ (banPawnMates_ && IsUnpromotedPawnMove(m) ? kAfterPawnKey : 0);
      ++n;
    }
    pos.Unmake(m, undo);
  }
  // Drops: only on squares from which a piece can attack the king: next to
  // it, a jump away, or further along one of its lines.
  bool anyInHand = false;
  for (int kind = Pawn; kind <= HandKinds; ++kind) anyInHand = anyInHand || pos.hand(us, kind) > 0;
  if (!anyInHand) return n;
  int squares[96];
  int count = 0;
  static constexpr int kAround[8] = {-kRowWidth - 1, -kRowWidth, -kRowWidth + 1, -1, 1,
                                     kRowWidth - 1,  kRowWidth,  kRowWidth + 1};
  for (const int d : kAround)
    for (int sq = king + d; pos.at(sq) == 0; sq += d) squares[count++] = sq;
  const int f = Forward(us);
  for (const int sq : {king - 2 * f - 1, king - 2 * f + 1, king - 3 * f - 1, king - 3 * f + 1})
    if (pos.at(sq) == 0) squares[count++] = sq;
  for (int kind = Pawn; kind <= HandKinds; ++kind) {
    if (pos.hand(us, kind) == 0) continue;
    const Piece piece = MakePiece(us, kind);
    for (int i = 0; i < count; ++i) {
      const Move m = MakeDrop(squares[i], piece);
      if (!GivesDirectCheck(pos, m) || !IsListedMove(pos, m)) continue;
      Undo undo;
      pos.Make(m, undo);
      p.moves[n] = m;
      p.keys[n] = pos.key() ^ (banPawnMates_ && kind == Pawn ? kAfterPawnKey : 0);
      ++n;
      pos.Unmake(m, undo);
    }
  }
  return n;
}

int MateSolver::GenerateEvasions(Ply& p, bool& anyMove) {
  FastPosition& pos = *pos_;
  const Side us = pos.sideToMove(), them = Opponent(us);
  int n = 0;
  auto keep = [&](Move m) {
    Undo undo;
    pos.Make(m, undo);
    if (!pos.CanCaptureKing()) {
      p.moves[n] = m;
      p.keys[n++] = pos.key();
    }
    pos.Unmake(m, undo);
  };
  const int boardCount = GenerateBoardMoves(pos, p.scratch);
  bool anyInHand = false;
  for (int kind = Pawn; kind <= HandKinds; ++kind) anyInHand = anyInHand || pos.hand(us, kind) > 0;
  anyMove = boardCount > 0 || anyInHand;
  for (int i = 0; i < boardCount; ++i) {
    if (KindOf(CapturedPiece(p.scratch[i])) == King) return -1;
    keep(p.scratch[i]);
  }
  if (!anyInHand) return n;
  const int king = pos.kingSquare(us);
  if (!pos.InCheck()) {
    // Not attacked (the attacker's move was no check): every drop counts.
    const int dropCount = GenerateDrops(pos, p.scratch);
    for (int i = 0; i < dropCount; ++i) keep(p.scratch[i]);
    return n;
  }
  // A drop only helps between the king and a piece that attacks it along a
  // line; not at all against a piece next to it or a jump.
  const ArmyGeometry& g = Geometry(them);
  const Piece theirs = SideBit(them);
  for (int i = 0; i < 8; ++i) {
    const Piece q = pos.at(king - g.neighbour[i]);
    if (q != 0 && q != Wall && (q & 0x60) == theirs && ((g.neighbourKinds[i] >> KindOf(q)) & 1u))
      return n;
  }
  for (int i = 0; i < 4; ++i) {
    const Piece q = pos.at(king - g.jump[i]);
    if (q != 0 && q != Wall && (q & 0x60) == theirs && ((g.jumpKinds[i] >> KindOf(q)) & 1u))
      return n;
  }
  for (int i = 0; i < 8; ++i) {
    int between[10];
    int count = 0;
    int sq = king + g.line[i];
    for (; pos.at(sq) == 0; sq += g.line[i]) between[count++] = sq;
    const Piece q = pos.at(sq);
    if (count == 0 || q == Wall || (q & 0x60) != theirs || !((g.lineKinds[i] >> KindOf(q)) & 1u))
      continue;
    for (int kind = Pawn; kind <= HandKinds; ++kind) {
      if (pos.hand(us, kind) == 0) continue;
      for (int j = 0; j < count; ++j) {
        const Move m = MakeDrop(between[j], MakePiece(us, kind));
        if (IsListedMove(pos, m)) keep(m);
      }
    }
  }
  return n;
}

void MateSolver::Expand(int ply, bool attacker, bool afterPawn, int remaining, std::uint32_t thPn,
                        std::uint32_t thDn) {
  ++nodes_;
  if (OutOfBudget()) return;
  FastPosition& pos = *pos_;
  Ply& p = plies_[ply];
  const std::uint64_t key = pos.key() ^ (afterPawn ? kAfterPawnKey : 0);
  int n;
  if (attacker) {
    if (remaining <= 0 || ply >= kMaxPlies) {
      Store(key, kInf, 0, 0, 0, remaining);
      return;
    }
    n = GenerateChecks(p);
    if (n < 0) {
      Store(key, 0, kInf, p.moves[0], 1, remaining);
      return;
    }
    if (n == 0) {
      Store(key, kInf, 0, 0, 0, kMaxPlies);
      return;
    }
  } else {
    bool anyMove = false;
    n = GenerateEvasions(p, anyMove);
    if (n < 0) {
      Store(key, kInf, 0, 0, 0, kMaxPlies);
      return;
    }
    if (n == 0) {
      // Every answer gives the king away (it falls two plies on), or there
      // is none: a win, unless by a pawn mate the attacker does not choose.
      if (afterPawn)
        Store(key, kInf, 0, 0, 0, kMaxPlies);
      else
        Store(key, 0, kInf, 0, anyMove ? 2 : 0, remaining);
      return;
    }
  }

  std::uint32_t pn = 0, dn = 0;
  int best = 0;
  for (;;) {
    // The node's numbers from its children's; the child to look at next.
    std::uint32_t bestPn = kInf, bestDn = kInf, second = kInf;
    std::uint32_t sum = 0;
    best = 0;
    for (int i = 0; i < n; ++i) {
      std::uint32_t cpn, cdn;
      Numbers(p.keys[i], remaining - 1, cpn, cdn);
      const std::uint32_t mine = attacker ? cpn : cdn;
      const std::uint32_t bestMine = attacker ? bestPn : bestDn;
      if (mine < bestMine) {
        second = bestMine;
        best = i;
        bestPn = cpn;
        bestDn = cdn;
      } else if (mine < second) {
        second = mine;
      }
      sum = Add(sum, attacker ? cdn : cpn);
    }
    if (attacker) {
      pn = bestPn;
      dn = sum;
    } else {
      pn = sum;
      dn = bestDn;
    }
    if (pn >= thPn || dn >= thDn || stopped_) break;
    std::uint32_t childPn, childDn;
    if (attacker) {
      childPn = std::min(thPn, second == kInf ? kInf : second + 1);
      childDn = static_cast<std::uint32_t>(
          std::min<std::uint64_t>(std::uint64_t{thDn} - dn + bestDn, kInf));
    } else {
      childDn = std::min(thDn, second == kInf ? kInf : second + 1);
      childPn = static_cast<std::uint32_t>(
          std::min<std::uint64_t>(std::uint64_t{thPn} - pn + bestPn, kInf));
    }
    const Move m = p.moves[best];
    Undo undo;
    pos.Make(m, undo);
    Expand(ply + 1, !attacker, attacker && banPawnMates_ && IsUnpromotedPawnMove(m), remaining - 1,
           childPn, childDn);
    pos.Unmake(m, undo);
    if (stopped_) return;
  }
  if (stopped_) return;
  int plies = 0;
  if (pn == 0) {
    if (attacker) {
      plies = 1 + ProofPlies(p.keys[best]);
    } else {
      for (int i = 0; i < n; ++i) plies = std::max(plies, 1 + ProofPlies(p.keys[i]));
    }
  }
  Store(key, pn, dn, p.moves[best], plies, remaining);
}

MateSolver::Answer MateSolver::Solve(FastPosition& pos, bool banPawnMates, int maxPlies,
                                     std::uint64_t nodeLimit,
                                     std::chrono::steady_clock::time_point deadline,
                                     const std::atomic<bool>* stop) {
  pos_ = &pos;
  banPawnMates_ = banPawnMates;
  nodes_ = 0;
  nodeLimit_ = nodeLimit;
  deadline_ = deadline;
  stop_ = stop;
  stopped_ = false;
  // A new generation leaves the entries of earlier searches behind.
  if (++generation_ == 0) {
    for (std::uint64_t i = 0; i <= mask_; ++i) table_[i] = Entry{};
    generation_ = 1;
  }
  // Deepening by the attacker's moves, so that the proof found first is
  // among the shortest: a win is then played out without wandering. The
  // table keeps what each round proved.
  Answer answer;
  maxPlies = std::clamp(maxPlies, 1, kMaxPlies);
  for (int limit = 1; limit <= maxPlies && !stopped_; limit += 2) {
    Expand(0, true, false, limit, kInf - 1, kInf - 1);
    const Entry* root = Find(pos.key());
    if (!stopped_ && root != nullptr && root->pn == 0 && root->move != 0) {
      answer.proven = true;
      answer.move = root->move;
      answer.plies = root->plies;
      break;
    }
  }
  answer.nodes = nodes_;
  return answer;
}

}  // namespace qz::search
