#include "search/searcher.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "model/invariant.h"
#include "search/mate.h"
#include "search/move_picker.h"
#include "search/see.h"
#include "search/worker.h"

namespace qz::search {

namespace {

// Mixed into the key while the upper army searches: the ban on pawn mates
// makes a score depend on which side the search plays for.
constexpr std::uint64_t kUpperRootKey = 0x7E3A9C5B1D2F4E61ULL;

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDULL;
  x ^= x >> 33;
  x *= 0xC4CEB9FE1A85EC53ULL;
  x ^= x >> 33;
  return x;
}

int ToTT(int score, int ply) {
  if (score >= kMate - kMaxPly) return score + ply;
  if (score <= -(kMate - kMaxPly)) return score - ply;
  return score;
}

int FromTT(int score, int ply) {
  if (score >= kMate - kMaxPly) return score - ply;
  if (score <= -(kMate - kMaxPly)) return score + ply;
  return score;
}

bool IsQuiet(Move m) { return !IsCapture(m) && !IsPromotion(m); }

bool IsUnpromotedPawnMove(Move m) { return KindOf(MovingPiece(m)) == Pawn && !IsPromotion(m); }

// Whether m, just made, may have left the mover's king attacked. Without a
// check before it, only a king move or a piece leaving a line through the
// king can do that; a drop never can.
bool LeftKingAttacked(const FastPosition& pos, Move m, bool wasInCheck) {
  const Side mover = Opponent(pos.sideToMove());
  if (!wasInCheck && KindOf(MovingPiece(m)) != King) {
    if (IsDrop(m)) return false;
    const int k = pos.kingSquare(mover);
    const int dx = XOf(MoveFrom(m)) - XOf(k), dy = YOf(MoveFrom(m)) - YOf(k);
    if (dx != 0 && dy != 0 && dx != dy && dx != -dy) return false;
  }
  return pos.CanCaptureKing();
}

}  // namespace

struct Worker::Ply {
  Move moves[kMaxMoves];
  int scores[kMaxMoves];
  Move quietsTried[64];
  Move capturesTried[32];
  int staticEval;
  int madeIndex = -1;  // PieceTo of the move made here, -1 for a pass
};

Worker::Worker(TranspositionTable& table, const EvalWeights& weights, const SearchParams& params)
    : params_(params),
      eval_(weights),
      tt_(table),
      plies_(std::make_unique<Ply[]>(kMaxPly + 1)),
      escapeMoves_(std::make_unique<Move[]>(kMaxMoves)),
      rootMoves_(std::make_unique<RootMove[]>(kMaxRootMoves)) {
  pos_.SetTable(&eval_.table());
  for (int d = 1; d < 64; ++d)
    for (int m = 1; m < 64; ++m)
      lmr_[d][m] = static_cast<int>(0.5 + std::log(d) * std::log(m) * 100 / params_.lmrDivisor);
  NewGame(0);
}

Worker::~Worker() = default;

void Worker::NewGame(std::uint64_t seed) {
  seed_ = seed;
  history_.Clear();
  std::memset(killers_, 0, sizeof killers_);
}

int Worker::PreviousMove(int ply, int back) const {
  return ply >= back ? plies_[ply - back].madeIndex : -1;
}

void Worker::RewardQuiet(int ply, Move m, int depth, const Move* tried, int triedCount) {
  if (killers_[ply][0] != m) {
    killers_[ply][1] = killers_[ply][0];
    killers_[ply][0] = m;
  }
  history_.Reward(m, depth, tried, triedCount, PreviousMove(ply, 1), PreviousMove(ply, 2));
}

bool Worker::TimeUp() {
  if (stopFlag_ != nullptr && stopFlag_->load(std::memory_order_relaxed)) return true;
  if (movetimeMs_ > 0) {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    if (elapsed >= std::chrono::milliseconds(movetimeMs_)) return true;
  }
  return false;
}

bool Worker::MustStop() {
  if (stopped_) return true;
  if (nodeLimit_ != 0 && nodes_ >= nodeLimit_) stopped_ = true;
  // The clock and the stop flag every few thousand nodes.
  else if ((nodes_ & 2047) == 0) {
    nodeCount_.store(nodes_, std::memory_order_relaxed);
    if (TimeUp()) stopped_ = true;
  }
  return stopped_;
}

void Worker::UpdatePv(int ply, Move m) {
  pv_[ply][ply] = m;
  const int childLength = ply + 1 < kMaxPly ? pvLength_[ply + 1] : ply + 1;
  for (int i = ply + 1; i < childLength; ++i) pv_[ply][i] = pv_[ply + 1][i];
  pvLength_[ply] = std::max(childLength, ply + 1);
}

bool Worker::IsForbiddenPawnMate(Move m, bool mustCheck) {
  if (pos_.sideToMove() == rootSide_ || !IsUnpromotedPawnMove(m)) return false;
  if (mustCheck && !pos_.InCheck()) return false;
  // The opponent escapes with any reply that takes our king or after which
  // its own king cannot be taken.
  return !EscapesCheck(pos_, escapeMoves_.get());
}

bool Worker::HasMateInOne() {
  return MateInOne(pos_, pos_.sideToMove() == rootSide_, plies_[kMaxPly - 1].moves,
                   escapeMoves_.get());
}

int Worker::Quiesce(int alpha, int beta, int ply, int qDepth, int check) {
  ++nodes_;
  pvLength_[ply] = ply;
  if (MustStop()) return 0;
  if (ply >= kMaxPly - 1) return eval_.Evaluate(pos_);

  const bool pvNode = beta - alpha > 1;
  const std::uint64_t key = Key();
  const TTEntry* entry = tt_.Probe(key);
  Move ttMove = 0;
  if (entry != nullptr) {
    const int score = FromTT(entry->score, ply);
    if (!pvNode &&
        (entry->bound() == BoundExact || (entry->bound() == BoundLower && score >= beta) ||
         (entry->bound() == BoundUpper && score <= alpha)))
      return score;
    ttMove = entry->move;
  }

  // In check near the horizon every reply is tried, so that a mate is seen;
  // further out the position is judged as it stands.
  const bool inCheck = qDepth < params_.qsCheckPlies && (check >= 0 ? check == 1 : pos_.InCheck());
  const int alphaIn = alpha;
  int best = -kInfinity;
  int standPat = 0;
  int judged = kNoEval;  // the whole evaluation, when it was made
  if (!inCheck) {
    if (entry != nullptr && entry->eval != kNoEval) {
      standPat = judged = entry->eval;
    } else {
      // Far outside the window material and placement are enough.
      standPat = eval_.Quick(pos_);
      if (standPat - Evaluator::kLazyMargin < beta && standPat + Evaluator::kLazyMargin > alpha)
        standPat = judged = eval_.Evaluate(pos_);
    }
    if (standPat >= beta) {
      if (entry == nullptr) tt_.Store(key, 0, ToTT(standPat, ply), judged, 0, BoundLower);
      return standPat;
    }
    // At the horizon a mate in one is not left to stand pat.
    if (qDepth == 0 && params_.mateOneQuiescence != 0 && HasMateInOne()) return kMate - ply - 3;
    if (standPat > alpha) alpha = standPat;
    best = standPat;
  }

  Ply& p = plies_[ply];
  if (ttMove != 0 &&
      (inCheck ? !IsListedMove(pos_, ttMove) : !IsCapture(ttMove) || !IsListedMove(pos_, ttMove)))
    ttMove = 0;
  QuietOrder order;
  order.history = &history_;
  order.captureHistoryDivisor = params_.captureHistoryDivisor;
  MovePicker picker(pos_, eval_, p.moves, p.scores,
                    inCheck ? MovePicker::AllMoves : MovePicker::CapturesOnly, ttMove, order);
  int legal = 0;
  bool anyMove = false;
  Move bestMove = 0;
  while (const Move m = picker.Next()) {
    anyMove = true;
    if (!inCheck) {
      // Captures that cannot lift the score to alpha, or that lose material
      // in the exchange that follows, are left out; past the first few, only
      // promotions are looked at.
      const int gain = eval_.CaptureGain(CapturedPiece(m));
      if (KindOf(CapturedPiece(m)) != King) {
        if (params_.qsMoveCount > 0 && legal >= params_.qsMoveCount && !IsPromotion(m)) continue;
        if (standPat + gain + params_.qsFutilityMargin < alpha && !IsPromotion(m)) continue;
        if (!ExchangeAtLeast(pos_, eval_, m, 0)) continue;
      }
    }
    Undo undo;
    pos_.Make(m, undo);
    tt_.Prefetch(Key());  // the child probes the table
    if (LeftKingAttacked(pos_, m, inCheck || qDepth >= params_.qsCheckPlies) ||
        IsForbiddenPawnMate(m, true)) {
      pos_.Unmake(m, undo);
      continue;
    }
    ++legal;
    p.madeIndex = PieceTo(m);
    const int v = -Quiesce(-beta, -alpha, ply + 1, qDepth + 1, kCheckUnknown);
    pos_.Unmake(m, undo);
    if (stopped_) return 0;
    if (v > best) {
      best = v;
      if (v > alpha) {
        alpha = v;
        bestMove = m;
        if (v >= beta) break;
      }
    }
  }
  if (inCheck && legal == 0) return anyMove ? -(kMate - ply - 2) : -(kMate - ply);
  const Bound bound = best >= beta                      ? BoundLower
                      : bestMove != 0 && best > alphaIn ? BoundExact
                                                        : BoundUpper;
  tt_.Store(key, bestMove, ToTT(best, ply), judged, 0, bound);
  return best;
}

int Worker::Search(int alpha, int beta, int depth, int ply, bool cutNode, bool allowNull,
                   bool inCheck, Move excluded) {
  QZ_ASSERT(alpha < beta);
  QZ_ASSERT(ply >= 0 && ply < kMaxPly);
  if (depth <= 0) return Quiesce(alpha, beta, ply, 0, inCheck ? 1 : 0);
  ++nodes_;
  pvLength_[ply] = ply;
  if (MustStop()) return 0;
  if (pos_.Over()) return -(kMate - ply);
  if (ply >= kMaxPly - 2) return eval_.Evaluate(pos_);
  const SearchParams& sp = params_;

  // Step 1. Mate distance pruning: a decided game no faster than one already
  // found needs no search.
  alpha = std::max(alpha, -(kMate - ply));
  beta = std::min(beta, kMate - ply - 1);
  if (alpha >= beta) return alpha;

  // Step 2. Transposition table lookup.
  const bool pvNode = beta - alpha > 1;
  const std::uint64_t key = Key();
  const TTEntry* entry = tt_.Probe(key);
  Move ttMove = 0;
  int ttEval = 0, ttScore = 0, ttDepth = -1;
  Bound ttBound = BoundNone;
  bool haveTtEval = false;
  if (entry != nullptr) {
    ttMove = entry->move;
    ttEval = entry->eval;
    haveTtEval = entry->eval != kNoEval;
    const int score = FromTT(entry->score, ply);
    ttScore = score;
    ttDepth = entry->depth;
    ttBound = entry->bound();
    if (!pvNode && excluded == 0 && entry->depth >= depth &&
        (entry->bound() == BoundExact || (entry->bound() == BoundLower && score >= beta) ||
         (entry->bound() == BoundUpper && score <= alpha)))
      return score;
  }

  // Step 3. Mate in one: a move after which the opponent cannot save its
  // king, seen before any move is searched.
  if (sp.mateOneMinDepth > 0 && depth >= sp.mateOneMinDepth && excluded == 0 && HasMateInOne()) {
    const int score = kMate - ply - 3;
    tt_.Store(key, 0, ToTT(score, ply), kNoEval, depth, BoundLower);
    return score;
  }

  // Step 3b. The mate solver at deep nodes, once a node: a forced win by
  // checks for either side, seen before any move is searched.
  if (sp.solverTreeDepth > 0 && depth >= sp.solverTreeDepth && excluded == 0 &&
      ttDepth < sp.solverTreeDepth) {
    const MateSolver::Answer answer =
        solver_.Solve(pos_, pos_.sideToMove() == rootSide_, sp.solverTreePlies, sp.solverTreeNodes);
    nodes_ += answer.nodes;
    if (answer.proven) {
      const int score = kMate - ply - answer.plies;
      tt_.Store(key, answer.move, ToTT(score, ply), kNoEval, depth, BoundLower);
      return score;
    }
  }

  // Step 4. Static evaluation, and whether it improved on two plies ago.
  Ply& p = plies_[ply];
  const int staticEval = inCheck ? -kInfinity : haveTtEval ? ttEval : eval_.Evaluate(pos_);
  p.staticEval = staticEval;
  const bool improving = !inCheck && ply >= 2 && staticEval > plies_[ply - 2].staticEval;

  // Step 5. Internal iterative reduction: without a stored move a node
  // expected to matter is searched a ply less; that search fills the table
  // for the next iteration.
  if (depth >= sp.iirMinDepth && ttMove == 0 && (pvNode || cutNode)) --depth;

  const bool usPlaysRoot = pos_.sideToMove() == rootSide_;
  if (!pvNode && !inCheck && excluded == 0) {
    // Step 6a. Razoring: far below alpha at the last plies, only a capture
    // can save the node; quiescence tells whether one does.
    if (depth <= sp.razorMaxDepth && staticEval + sp.razorMargin * depth < alpha &&
        !IsDecided(alpha)) {
      const int v = Quiesce(alpha - 1, alpha, ply, 0, 0);
      if (stopped_) return 0;
      if (v < alpha) return v;
    }
    // Step 6. Reverse futility pruning: far above beta at a shallow depth,
    // the opponent will not allow it.
    if (depth <= sp.rfpMaxDepth && staticEval - sp.rfpMargin * (depth - improving) >= beta &&
        !IsDecided(beta))
      return staticEval;
    // Step 7. Null move search: passing the move still keeps us above beta,
    // so will a real move.
    if (allowNull && depth >= sp.nullMinDepth &&
        staticEval >= beta + std::max(0, sp.nullMargin - sp.nullMarginPerDepth * depth) &&
        !IsDecided(beta)) {
      int r = sp.nullBase + depth / sp.nullDepthDivisor;
      if (sp.nullEvalDivisor > 0) r += std::min((staticEval - beta) / sp.nullEvalDivisor, 3);
      p.madeIndex = -1;
      pos_.MakeNull();
      const int v = -Search(-beta, -beta + 1, depth - 1 - r, ply + 1, !cutNode, false, false);
      pos_.UnmakeNull();
      if (stopped_) return 0;
      if (v >= beta) return IsDecided(v) ? beta : v;
    }
    // Step 7b. ProbCut: a good capture whose search at a reduced depth clears
    // beta by a margin would most likely clear beta at the full depth.
    const int probBeta = beta + sp.probCutMargin;
    if (sp.probCutMinDepth > 0 && depth >= sp.probCutMinDepth && !IsDecided(beta) &&
        !(ttDepth >= depth - 3 && ttScore < probBeta && ttBound != BoundNone)) {
      QuietOrder captureOrder;
      captureOrder.history = &history_;
      captureOrder.captureHistoryDivisor = sp.captureHistoryDivisor;
      MovePicker captures(
          pos_, eval_, p.moves, p.scores, MovePicker::CapturesOnly,
          ttMove != 0 && IsCapture(ttMove) && IsListedMove(pos_, ttMove) ? ttMove : 0,
          captureOrder);
      while (const Move m = captures.Next()) {
        if (!ExchangeAtLeast(pos_, eval_, m, probBeta - staticEval)) continue;
        Undo undo;
        pos_.Make(m, undo);
        tt_.Prefetch(Key());
        if (LeftKingAttacked(pos_, m, false) ||
            (usPlaysRoot && IsUnpromotedPawnMove(m) && IsForbiddenPawnMate(m, true))) {
          pos_.Unmake(m, undo);
          continue;
        }
        p.madeIndex = PieceTo(m);
        const bool givesCheck = pos_.InCheck();
        int v = -Quiesce(-probBeta, -probBeta + 1, ply + 1, 0, givesCheck ? 1 : 0);
        if (v >= probBeta)
          v = -Search(-probBeta, -probBeta + 1, depth - 4, ply + 1, !cutNode, true, givesCheck);
        pos_.Unmake(m, undo);
        if (stopped_) return 0;
        if (v >= probBeta) {
          tt_.Store(key, m, ToTT(v, ply), staticEval, depth - 3, BoundLower);
          return v;
        }
      }
    }
  }

  // Step 8. The moves, best first by the picker.
  if (ttMove != 0 && !IsListedMove(pos_, ttMove)) ttMove = 0;
  QuietOrder order;
  order.history = &history_;
  order.cont1 = history_.Continuation(PreviousMove(ply, 1));
  order.cont2 = history_.Continuation(PreviousMove(ply, 2));
  order.killers[0] = killers_[ply][0];
  order.killers[1] = killers_[ply][1];
  order.counter = history_.Counter(PreviousMove(ply, 1));
  order.captureHistoryDivisor = sp.captureHistoryDivisor;
  MovePicker picker(pos_, eval_, p.moves, p.scores, MovePicker::AllMoves, ttMove, order);

  const int alphaIn = alpha;
  int best = -kInfinity;
  Move bestMove = 0;
  int legal = 0, quietsTried = 0, capturesTried = 0;
  bool anyMove = false;
  while (const Move m = picker.Next()) {
    if (m == excluded) continue;
    anyMove = true;
    const bool quiet = IsQuiet(m);
    const int moveCount = legal + 1;
    const int baseR =
        depth >= sp.lmrMinDepth ? lmr_[std::min(depth, 63)][std::min(moveCount, 63)] : 0;
    const int lmrDepth = std::max(depth - 1 - baseR, 0);

    // Step 9. Pruning at shallow depth, once a move has been found that
    // does not lose at once.
    if (legal > 0 && !IsDecided(best)) {
      // A check, sacrifice or not, may be the start of a mating attack.
      const bool spared = quiet && !inCheck && sp.checksUnpruned != 0 && GivesDirectCheck(pos_, m);
      if (quiet && !pvNode && !inCheck && !(spared && sp.checksUnpruned >= 2)) {
        // Late quiet moves at the last plies are not worth their nodes.
        if (depth <= sp.lmpMaxDepth &&
            quietsTried >=
                (improving ? sp.lmpImprovingBase + 2 * depth * depth : sp.lmpBase + depth * depth))
          continue;
        // Futility: the move would need a large gain to reach alpha.
        if (depth <= sp.futilityMaxDepth &&
            staticEval + sp.futilityBase + sp.futilityPerDepth * depth <= alpha)
          continue;
        // History: the move has failed here often.
        if (lmrDepth < sp.historyPruneMaxDepth &&
            history_.Score(m, order.cont1, order.cont2) < -sp.historyPruneMargin * depth)
          continue;
      }
      // Exchange: the piece moved or dropped is lost for too little.
      if (quiet && !inCheck && !spared && lmrDepth < sp.seeQuietMaxDepth &&
          !ExchangeAtLeast(pos_, eval_, m, -sp.seeQuietMargin * lmrDepth * lmrDepth))
        continue;
      if (!quiet && !inCheck && depth <= sp.seeCaptureMaxDepth &&
          KindOf(CapturedPiece(m)) != King &&
          !ExchangeAtLeast(pos_, eval_, m, -sp.seeCaptureMargin * depth))
        continue;
    }

    Undo undo;
    pos_.Make(m, undo);
    tt_.Prefetch(Key());  // the child probes the table
    if (LeftKingAttacked(pos_, m, inCheck) ||
        (usPlaysRoot && IsUnpromotedPawnMove(m) && IsForbiddenPawnMate(m, true))) {
      pos_.Unmake(m, undo);
      continue;
    }
    ++legal;
    p.madeIndex = PieceTo(m);
    pvLength_[ply + 1] = ply + 1;
    const bool givesCheck = pos_.InCheck();
    if (quiet && quietsTried < 64) p.quietsTried[quietsTried++] = m;
    if (IsCapture(m) && capturesTried < 32) p.capturesTried[capturesTried++] = m;

    // Step 10. Check extension: a check the opponent cannot answer by taking
    // the checker is looked at one ply further, within twice the nominal depth.
    const bool extend = sp.checkExtension != 0 && givesCheck && ply < 2 * rootDepth_ &&
                        depth >= sp.checkExtensionMinDepth &&
                        (IsCapture(m) || !pos_.Attacked(MoveTo(m), pos_.sideToMove()));
    int extension = extend ? 1 : 0;
    // Step 10b. Singular extension: the stored move, when every other move
    // falls short of its score by a margin at half the depth, is searched a
    // ply further; when another move reaches beta too, the node is cut.
    if (m == ttMove && extension == 0 && excluded == 0 && sp.singularMinDepth > 0 &&
        depth >= sp.singularMinDepth && ttDepth >= depth - 3 && (ttBound & BoundLower) != 0 &&
        !IsDecided(ttScore) && ply < 2 * rootDepth_) {
      const int singularBeta = ttScore - sp.singularMargin * depth;
      pos_.Unmake(m, undo);
      const int sv =
          Search(singularBeta - 1, singularBeta, (depth - 1) / 2, ply, cutNode, false, inCheck, m);
      pos_.Make(m, undo);
      if (stopped_) {
        pos_.Unmake(m, undo);
        return 0;
      }
      if (sv < singularBeta)
        extension = 1;
      else if (singularBeta >= beta) {
        pos_.Unmake(m, undo);
        return singularBeta;
      }
      // The test searched this ply's lists again: the move is the first tried.
      p.madeIndex = PieceTo(m);
      if (quiet) p.quietsTried[0] = m;
      pvLength_[ply + 1] = ply + 1;
    }
    const int newDepth = depth - 1 + extension;

    // Step 11. Late-move reductions, then the principal variation search.
    int v;
    if (legal == 1) {
      v = -Search(-beta, -alpha, newDepth, ply + 1, !pvNode && !cutNode, true, givesCheck);
    } else {
      int r = 0;
      if (depth >= sp.lmrMinDepth && quiet && !inCheck && legal > 2 &&
          (!givesCheck || sp.lmrChecks != 0)) {
        r = lmr_[std::min(depth, 63)][std::min(legal, 63)];
        if (pvNode) r -= 1;
        if (cutNode) r += 1;
        if (givesCheck) r -= 1;
        if (m == killers_[ply][0] || m == killers_[ply][1]) r -= 1;
        r -= std::clamp(history_.Score(m, order.cont1, order.cont2) / sp.lmrHistoryDivisor, -2, 2);
        r = std::clamp(r, 0, newDepth - 1);
      }
      v = -Search(-alpha - 1, -alpha, newDepth - r, ply + 1, true, true, givesCheck);
      if (v > alpha && r > 0)
        v = -Search(-alpha - 1, -alpha, newDepth, ply + 1, !cutNode, true, givesCheck);
      if (v > alpha && v < beta)
        v = -Search(-beta, -alpha, newDepth, ply + 1, false, true, givesCheck);
    }
    pos_.Unmake(m, undo);
    if (stopped_) return 0;

    // Step 12. A new best move; a cut rewards it in the histories.
    if (v > best) {
      best = v;
      if (v > alpha) {
        alpha = v;
        bestMove = m;
        if (pvNode) UpdatePv(ply, m);
        if (v >= beta) {
          if (quiet) RewardQuiet(ply, m, depth, p.quietsTried, quietsTried);
          if (sp.captureHistoryDivisor > 0)
            history_.RewardCaptures(m, depth, p.capturesTried, capturesTried);
          break;
        }
      }
    }
  }

  // Step 13. Every move gives the king away (lost next ply), or there is none.
  if (legal == 0) {
    // With a move left out, the node has at least that one: not decided here.
    if (excluded != 0) return alpha;
    best = anyMove ? -(kMate - ply - 2) : -(kMate - ply);
  }
  if (excluded != 0) return best;
  const Bound bound = best >= beta                      ? BoundLower
                      : bestMove != 0 && best > alphaIn ? BoundExact
                                                        : BoundUpper;
  QZ_ASSERT(best > -kInfinity && best < kInfinity);
  QZ_ASSERT(legal == 0 || bestMove == 0 || best > alphaIn);
  tt_.Store(key, bestMove, ToTT(best, ply), inCheck ? kNoEval : staticEval, depth, bound);
  return best;
}

int Worker::SearchRoot(int alpha, int beta, int depth, int first) {
  ++nodes_;
  if (first == 0) pvLength_[0] = 0;
  int best = -kInfinity;
  for (int i = first; i < rootCount_; ++i) {
    const Move m = rootMoves_[i].move;
    const int bonus = rootMoves_[i].bonus;
    Undo undo;
    pos_.Make(m, undo);
    int v;
    pvLength_[1] = 1;
    plies_[0].madeIndex = PieceTo(m);
    if (pos_.CanCaptureKing()) {
      v = -(kMate - 2);
    } else {
      // The move's variety bonus shifts the window its reply is searched in.
      const int a = alpha - bonus, b = beta - bonus;
      const bool check = pos_.InCheck();
      if (i == first) {
        v = -Search(-b, -a, depth - 1, 1, false, true, check);
      } else {
        v = -Search(-a - 1, -a, depth - 1, 1, true, true, check);
        if (v > a && v < b) v = -Search(-b, -a, depth - 1, 1, false, true, check);
      }
      if (!IsDecided(v)) v += bonus;
    }
    pos_.Unmake(m, undo);
    if (stopped_) break;
    if (v > best) {
      best = v;
      if (v > alpha) {
        alpha = v;
        if (first == 0) {
          UpdatePv(0, m);
          bestRootMove_ = m;
          bestRootScore_ = v;
          iterationBest_ = m;
        }
        // The new best goes first, the others keep their order.
        const RootMove moved = rootMoves_[i];
        for (int j = i; j > first; --j) rootMoves_[j] = rootMoves_[j - 1];
        rootMoves_[first] = moved;
        rootMoves_[first].score = v;
        if (v >= beta) break;
      }
    }
  }
  return best;
}

void Worker::KeepLines() {
  // Each line was searched on its own: a later one may come out higher.
  for (int i = 0; i < lineCount_; ++i) {
    const RootLine line{ToGameMove(rootMoves_[i].move), rootMoves_[i].score};
    int j = i;
    for (; j > 0 && lines_[j - 1].score < line.score; --j) lines_[j] = lines_[j - 1];
    lines_[j] = line;
  }
}

// A game decided at the root is reported as one finished depth, so that the
// one who asked sees the decided score.
void Worker::ReportDecided(const Result& result, DepthObserver* observer) {
  if (observer == nullptr) return;
  DepthReport report{};
  report.depth = result.depth;
  report.score = result.score;
  report.nodes = result.nodes;
  report.pvLength = 1;
  report.pv[0] = result.best;
  observer->onDepth(report);
}

Result Worker::Think(const Position& position, Side toMove, int gamePly, const Limits& limits,
                     const std::atomic<bool>* stop, DepthObserver* observer, bool helper,
                     const std::unique_ptr<Worker>* peers, int peerCount) {
  start_ = std::chrono::steady_clock::now();
  nodes_ = 0;
  nodeCount_.store(0, std::memory_order_relaxed);
  helper_ = helper;
  peers_ = peers;
  peerCount_ = peerCount;
  completedDepth_ = 0;
  stopped_ = false;
  nodeLimit_ = limits.nodes;
  movetimeMs_ = limits.movetimeMs;
  exactTime_ = limits.exactTime;
  stopFlag_ = stop;
  pos_.Set(position, toMove);
  rootSide_ = toMove;
  rootKey_ = toMove == UE ? kUpperRootKey : 0;
  std::memset(killers_, 0, sizeof killers_);
  plies_[0].staticEval = pos_.InCheck() ? -kInfinity : eval_.Evaluate(pos_);
  plies_[1].staticEval = -kInfinity;

  Result result;
  // Root moves, without the pawn mates the search may not choose.
  Move* generated = plies_[kMaxPly].moves;
  const int n = GenerateMoves(pos_, generated);
  Move forbidden = 0;
  rootCount_ = 0;
  for (int i = 0; i < n; ++i) {
    const Move m = generated[i];
    if (KindOf(CapturedPiece(m)) == King) {
      result.found = true;
      result.best = ToGameMove(m);
      result.score = kMate - 1;
      result.depth = 1;
      result.nodes = 1;
      ReportDecided(result, observer);
      return result;
    }
    if (IsUnpromotedPawnMove(m)) {
      Undo undo;
      pos_.Make(m, undo);
      const bool banned = IsForbiddenPawnMate(m, false);
      pos_.Unmake(m, undo);
      if (banned) {
        if (forbidden == 0) forbidden = m;
        continue;
      }
    }
    rootMoves_[rootCount_++] = RootMove{m, 0, 0};
  }
  if (rootCount_ == 0) {
    // Only pawn mates are left: the game is won whichever is played.
    if (forbidden != 0) {
      result.found = true;
      result.best = ToGameMove(forbidden);
      result.score = kMate - 2;
      result.depth = 1;
      ReportDecided(result, observer);
    }
    return result;
  }

  // Step 0a. The mate solver: a forced win by checks is played at once.
  if (params_.solverPlies > 0 && !helper_ && limits.multiPv <= 1 && limits.weakness == 0) {
    std::uint64_t budget = static_cast<std::uint64_t>(params_.solverNodes);
    auto deadline = std::chrono::steady_clock::time_point{};
    if (limits.nodes != 0)
      budget = limits.nodes * static_cast<std::uint64_t>(params_.solverShare) / 1000;
    if (limits.movetimeMs > 0) {
      budget = ~std::uint64_t{0};
      deadline = start_ + std::chrono::microseconds(static_cast<std::int64_t>(limits.movetimeMs) *
                                                    params_.solverShare);
    }
    const MateSolver::Answer answer =
        solver_.Solve(pos_, true, params_.solverPlies, budget, deadline, stopFlag_);
    nodes_ += answer.nodes;
    if (answer.proven) {
      result.found = true;
      result.best = ToGameMove(answer.move);
      result.score = kMate - answer.plies;
      result.depth = answer.plies;
      result.nodes = nodes_;
      nodeCount_.store(nodes_, std::memory_order_relaxed);
      ReportDecided(result, observer);
      return result;
    }
  }

  // Opening variety: a seeded bonus per root move in the first plies.
  if (seed_ != 0 && gamePly < kVarietyPlies)
    for (int i = 0; i < rootCount_; ++i)
      rootMoves_[i].bonus =
          static_cast<int>(Mix(seed_ ^ Mix(pos_.key() + static_cast<std::uint64_t>(gamePly)) ^
                               Mix(rootMoves_[i].move)) %
                           (kVarietyMargin + 1));

  // First order: by a quiescence look at each reply.
  for (int i = 0; i < rootCount_; ++i) {
    Undo undo;
    pos_.Make(rootMoves_[i].move, undo);
    rootMoves_[i].score =
        pos_.CanCaptureKing() ? -kMate : -Quiesce(-kInfinity, kInfinity, 1, 0, kCheckUnknown);
    pos_.Unmake(rootMoves_[i].move, undo);
  }
  stopped_ = false;
  for (int i = 1; i < rootCount_; ++i) {
    const RootMove m = rootMoves_[i];
    int j = i;
    for (; j > 0 && rootMoves_[j - 1].score < m.score; --j) rootMoves_[j] = rootMoves_[j - 1];
    rootMoves_[j] = m;
  }

  // Before the first depth is done, the lines are those of the first look.
  multiPv_ = std::clamp(limits.multiPv, 1, kMaxLines);
  lineCount_ = multiPv_ > 1 ? std::min(multiPv_, rootCount_) : 0;
  KeepLines();

  bestRootMove_ = rootMoves_[0].move;
  bestRootScore_ = rootMoves_[0].score;
  int completedScore = bestRootScore_;
  Move completedMove = bestRootMove_;
  int completedDepth = 0;
  Move previousBest = 0;
  int stableDepths = 0;  // finished depths since the best move last changed
  const int maxDepth = limits.depth > 0 ? std::min(limits.depth, kMaxPly - 8) : kMaxPly - 8;
  for (int depth = 1; depth <= maxDepth; ++depth) {
    // Step 0. Helpers skip depths in a pattern of their own (as Stockfish's
    // Lazy SMP once did), so that the threads do not all search alike.
    if (helper_ && depth > 1 && peerCount_ > 1) {
      static constexpr int kSkipSize[20] = {1, 1, 2, 2, 2, 2, 3, 3, 3, 3,
                                            3, 3, 4, 4, 4, 4, 4, 4, 4, 4};
      static constexpr int kSkipPhase[20] = {0, 1, 0, 1, 2, 3, 0, 1, 2, 3,
                                             4, 5, 0, 1, 2, 3, 4, 5, 6, 7};
      int index = 0;
      while (index < peerCount_ && peers_[index].get() != this) ++index;
      const int i = (index - 1) % 20;
      if (((depth + kSkipPhase[i]) / kSkipSize[i]) % 2 != 0) continue;
    }
    rootDepth_ = depth;
    int score;
    if (depth >= params_.aspirationMinDepth && !IsDecided(completedScore)) {
      int window = params_.aspirationWindow;
      int alpha = completedScore - window, beta = completedScore + window;
      for (;;) {
        iterationBest_ = 0;
        score = SearchRoot(alpha, beta, depth);
        if (stopped_) break;
        if (score <= alpha) {
          alpha = std::max(score - window, -kInfinity);
        } else if (score >= beta) {
          beta = std::min(score + window, kInfinity);
        } else {
          break;
        }
        window *= 2;
        if (window > params_.aspirationFullPast) alpha = -kInfinity, beta = kInfinity;
      }
    } else {
      iterationBest_ = 0;
      score = SearchRoot(-kInfinity, kInfinity, depth);
    }
    // Step 0b. The further lines, each the best of the moves after the
    // lines before it, with a full window. A depth stopped among them is
    // unfinished: the lines stay those of the depth before.
    for (int line = 1; line < lineCount_ && !stopped_; ++line)
      SearchRoot(-kInfinity, kInfinity, depth, line);
    if (stopped_) {
      // The unfinished depth searched the previous best first: a move that
      // raised alpha since is better at this depth.
      if (iterationBest_ != 0) {
        completedMove = iterationBest_;
        completedScore = bestRootScore_;
      }
      break;
    }
    completedMove = bestRootMove_;
    completedScore = score;
    completedDepth = depth;
    KeepLines();

    completedDepth_ = depth;

    if (observer != nullptr) {
      DepthReport report{};
      report.depth = depth;
      report.score = score;
      report.nodes = nodes_;
      for (int i = 0; i < peerCount_; ++i)
        if (peers_[i].get() != this) report.nodes += peers_[i]->nodes();
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
      report.nps =
          seconds > 0 ? static_cast<std::uint64_t>(static_cast<double>(report.nodes) / seconds) : 0;
      report.pvLength = std::min(pvLength_[0], kMaxPv);
      if (report.pvLength == 0) {
        report.pvLength = 1;
        report.pv[0] = ToGameMove(completedMove);
      } else {
        for (int i = 0; i < report.pvLength; ++i) report.pv[i] = ToGameMove(pv_[0][i]);
      }
      observer->onDepth(report);
    }

    if (IsDecided(score) && depth >= kMate - std::abs(score) + 1) break;
    // Step 14. Time management by stability: while the best move keeps
    // changing, new depths are started until the time is up (an unfinished
    // depth still counts); a settled one starts a depth only before a share
    // of the move time, and one settled for long stops early.
    if (completedMove != previousBest)
      stableDepths = 0;
    else
      ++stableDepths;
    previousBest = completedMove;
    if (movetimeMs_ > 0) {
      const auto elapsed = std::chrono::steady_clock::now() - start_;
      const auto share = [&](int percent) {
        return elapsed * 100 > std::chrono::milliseconds(movetimeMs_) * percent;
      };
      if (!exactTime_ && stableDepths >= params_.timeSettledDepths &&
          share(params_.timeSettledPercent))
        break;
      if (stableDepths > 0 && share(params_.newDepthPercent)) break;
    }
    if (rootCount_ == 1 && depth >= 2 && limits.depth == 0 && limits.nodes == 0) break;
  }

  result.found = true;
  result.best = ToGameMove(completedMove);
  result.score = completedScore;
  result.depth = completedDepth;
  result.nodes = nodes_;
  result.lineCount = lineCount_;
  std::copy(lines_, lines_ + lineCount_, result.lines);
  if (limits.weakness > 0 && lineCount_ > 1) {
    // The same position in the same game draws the same way.
    const std::uint64_t draw =
        Mix(seed_ ^ Mix(pos_.key() + static_cast<std::uint64_t>(gamePly)) ^ 0x5D1C2B3A4F6E7081ULL);
    const RootLine& chosen = lines_[PickWeakerLine(lines_, lineCount_, limits.weakness, draw)];
    result.best = chosen.move;
    result.score = chosen.score;
  }
  nodeCount_.store(nodes_, std::memory_order_relaxed);
  return result;
}

int PickWeakerLine(const RootLine* lines, int count, int weakness, std::uint64_t draw) {
  if (count <= 1 || weakness <= 0 || IsDecided(lines[0].score)) return 0;
  weakness = std::min(weakness, kMaxWeakness);
  constexpr int kPawn = 100;
  const int top = lines[0].score;
  // The spread of the random part: the gap down to the last line, at most
  // a pawn.
  int last = 0;
  for (int i = 1; i < count && !IsDecided(lines[i].score); ++i) last = i;
  const int delta = std::clamp(top - lines[last].score, 0, kPawn);
  // Each line's score gains a share of its gap to the best (the larger the
  // weaker) and a random push; the highest total is played. A line that
  // loses by force is never chosen over one that does not.
  int chosen = 0, bestTotal = -kInfinity;
  for (int i = 0; i <= last; ++i) {
    draw = Mix(draw + 0x9E3779B97F4A7C15ULL);
    const int random = static_cast<int>(draw % static_cast<std::uint64_t>(weakness));
    const int push = (weakness * (top - lines[i].score) + delta * random) / 128;
    if (lines[i].score + push >= bestTotal) {
      bestTotal = lines[i].score + push;
      chosen = i;
    }
  }
  return chosen;
}

// The threads beside the caller's: each waits for a search, thinks on it
// with its worker until the main worker is done, and waits again.
struct Searcher::Helpers {
  std::vector<std::thread> threads;
  std::mutex mutex;
  std::condition_variable wake, done;
  std::uint64_t generation = 0;  // one more for each search
  int busy = 0;
  bool quit = false;
  std::atomic<bool> stop{false};
  // The search in hand.
  Position pos;
  Side toMove = SITA;
  int gamePly = 0;
  Limits limits;
  std::vector<Result> results;  // of each helper, [0] unused
};

Searcher::Searcher(std::size_t hashMegabytes) : Searcher(hashMegabytes, DefaultWeights()) {}

Searcher::Searcher(std::size_t hashMegabytes, const EvalWeights& weights,
                   const SearchParams& params)
    : weights_(weights), params_(params), tt_(hashMegabytes) {
  workers_.push_back(std::make_unique<Worker>(tt_, weights_, params_));
}

Searcher::~Searcher() { SetThreads(1); }

void Searcher::NewGame(std::uint64_t seed) {
  seed_ = seed;
  tt_.Clear();
  for (auto& w : workers_) w->NewGame(seed);
}

void Searcher::SetThreads(int threads) {
  threads = std::clamp(threads, 1, kMaxThreads);
  if (threads == this->threads()) return;
  if (helpers_) {
    {
      std::lock_guard<std::mutex> lock(helpers_->mutex);
      helpers_->quit = true;
    }
    helpers_->wake.notify_all();
    for (std::thread& t : helpers_->threads) t.join();
    helpers_.reset();
  }
  workers_.resize(1);
  for (int i = 1; i < threads; ++i) {
    workers_.push_back(std::make_unique<Worker>(tt_, weights_, params_));
    workers_.back()->NewGame(seed_);
  }
  if (threads == 1) return;
  helpers_ = std::make_unique<Helpers>();
  helpers_->results.resize(threads);
  for (int i = 1; i < threads; ++i)
    helpers_->threads.emplace_back([this, i, threads] {
      Helpers& h = *helpers_;
      std::uint64_t seen = 0;
      for (;;) {
        std::unique_lock<std::mutex> lock(h.mutex);
        h.wake.wait(lock, [&] { return h.quit || h.generation != seen; });
        if (h.quit) return;
        seen = h.generation;
        lock.unlock();
        const Result r = workers_[i]->Think(h.pos, h.toMove, h.gamePly, h.limits, &h.stop, nullptr,
                                            true, workers_.data(), threads);
        lock.lock();
        h.results[i] = r;
        if (--h.busy == 0) h.done.notify_all();
      }
    });
}

Result Searcher::Think(const Position& pos, Side toMove, int gamePly, const Limits& limits,
                       const std::atomic<bool>* stop, DepthObserver* observer) {
  tt_.NewSearch();
  const int n = threads();
  if (n == 1)
    return workers_[0]->Think(pos, toMove, gamePly, limits, stop, observer, false, workers_.data(),
                              1);

  // The helpers think without limits of their own until the main worker is
  // done; a node budget is shared out among the threads.
  Helpers& h = *helpers_;
  {
    std::lock_guard<std::mutex> lock(h.mutex);
    h.pos = pos;
    h.toMove = toMove;
    h.gamePly = gamePly;
    h.limits = Limits{0, 0, limits.depth};
    h.stop.store(false);
    h.busy = n - 1;
    ++h.generation;
  }
  h.wake.notify_all();
  Limits mainLimits = limits;
  if (mainLimits.nodes != 0) mainLimits.nodes = std::max<std::uint64_t>(1, limits.nodes / n);
  Result result = workers_[0]->Think(pos, toMove, gamePly, mainLimits, stop, observer, false,
                                     workers_.data(), n);
  h.stop.store(true);
  {
    std::unique_lock<std::mutex> lock(h.mutex);
    h.done.wait(lock, [&] { return h.busy == 0; });
  }
  // A helper that finished a deeper depth with a score no worse speaks for
  // the search.
  std::uint64_t nodes = result.nodes;
  for (int i = 1; i < n; ++i) {
    nodes += workers_[i]->nodes();
    const Result& r = h.results[i];
    if (limits.multiPv <= 1 && r.found && r.depth > result.depth && r.score >= result.score)
      result = r;
  }
  result.nodes = nodes;
  return result;
}

LevelSettings SettingsOfLevel(int level) {
  // The ladder, calibrated by node-budget matches of each level against the
  // one below (docs/search.md, "Levels"). LEVEL7 and LEVEL8: the budgets
  // that the 2-core build machine searches in 1 s and 5 s.
  static constexpr LevelSettings kLevels[kHighestLevel - kFirstDeepLevel + 1] = {
      {1000, 3000, 4, 118},    // LEVEL4
      {1000, 15000, 4, 124},   // LEVEL5
      {1000, 20000, 4, 121},   // LEVEL6
      {1000, 2000000, 1, 0},   // LEVEL7
      {5000, 10000000, 1, 0},  // LEVEL8
  };
  return kLevels[std::clamp(level, kFirstDeepLevel, kHighestLevel) - kFirstDeepLevel];
}

}  // namespace qz::search
