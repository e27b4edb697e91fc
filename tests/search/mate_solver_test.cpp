// The mate solver: every win it claims holds against every answer, it finds
// the mates of one move that trying every move finds, it keeps the ban on
// pawn mates, and the search plays its wins.
#include "search/mate_solver.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/random_play.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "search/searcher.h"
#include "support/mate_proof.h"

namespace qz::search {
namespace {

using test::ProofHolds;

FastPosition FastFen(const char* fen) {
  Position pos;
  Side side = SITA;
  EXPECT_TRUE(FromFen(fen, pos, side)) << fen;
  FastPosition fast;
  fast.Set(pos, side);
  return fast;
}

// A check after which no answer keeps the king, tried move by move.
bool CheckMateInOneByHand(FastPosition& pos, Move* moves, Move* replies) {
  const int n = GenerateMoves(pos, moves);
  for (int i = 0; i < n; ++i) {
    const Move m = moves[i];
    if (KindOf(CapturedPiece(m)) == King) return true;
    if (KindOf(MovingPiece(m)) == Pawn && !IsPromotion(m)) continue;
    Undo undo;
    pos.Make(m, undo);
    bool mate = pos.InCheck() && !pos.CanCaptureKing();
    const int r = mate ? GenerateMoves(pos, replies) : 0;
    for (int j = 0; j < r && mate; ++j) {
      if (KindOf(CapturedPiece(replies[j])) == King) mate = false;
      Undo u;
      pos.Make(replies[j], u);
      if (!pos.CanCaptureKing()) mate = false;
      pos.Unmake(replies[j], u);
    }
    pos.Unmake(m, undo);
    if (mate) return true;
  }
  return false;
}

TEST(MateSolver, ProvesMatesOfSeveralMovesThatHoldAgainstEveryAnswer) {
  MateSolver solver(16);
  const auto lists = std::make_unique<Move[]>(kMaxMoves * (MateSolver::kMaxPlies + 2));
  // Positions from games against another engine, each a forced win of two
  // to five moves for the side to move.
  for (const char* fen : {
           "ln1gkg1m2/3sc5/p1ppp1p3/1r2bp2p+B/1p6np/P9/10/1P1PPPPP1P/3GSC4/LNM2GKS+rL[SLPPnp] b - "
           "- 0 1",
           "+P5km2/GP2+Bg3+R/+B1+Sp1pp3/3g4pp/7+r2/4p3M1/P2P2Pp2/4SP2PP/1p4SL2/"
           "6K1NL[CNNNLLPPPcgsp] "
           "w - - 0 1",
           "s2g1g2rl/5r4/1pp3p1pp/3pks4/1n3p4/6CpPK/4P1P+bS1/p2P1P3P/3GS2+b2/P1M6L[MLLPcgnnnppp] "
           "b - - 0 1",
       }) {
    FastPosition pos = FastFen(fen);
    const std::uint64_t key = pos.key();
    const MateSolver::Answer a = solver.Solve(pos, true, 15, 1000000);
    EXPECT_TRUE(a.proven) << fen;
    EXPECT_EQ(pos.key(), key) << "the position is as before";
    EXPECT_GE(a.plies, 1);
    EXPECT_LE(a.plies, 11) << fen;
    EXPECT_TRUE(ProofHolds(pos, solver, 15, 0, lists.get())) << fen;
  }
  // The upper army to move with nothing to check with.
  FastPosition bare = FastFen("k9/10/10/10/10/10/10/10/10/9K[R] b - - 0 1");
  EXPECT_FALSE(solver.Solve(bare, true, 15, 100000).proven);
}

TEST(MateSolver, KeepsTheBanOnPawnMates) {
  MateSolver solver(12);
  // A pawn dropped on a9 mates the cornered king: not chosen under the ban.
  FastPosition pawn = FastFen("kn8/10/1G2pppppp/10/10/10/10/10/10/9K[P] w - - 0 1");
  EXPECT_FALSE(solver.Solve(pawn, true, 1, 10000).proven);
  EXPECT_TRUE(solver.Solve(pawn, false, 1, 10000).proven);
  // A gold dropped there is no pawn mate.
  FastPosition gold = FastFen("kn8/10/1G2pppppp/10/10/10/10/10/10/9K[G] w - - 0 1");
  const MateSolver::Answer a = solver.Solve(gold, true, 1, 10000);
  ASSERT_TRUE(a.proven);
  EXPECT_EQ(a.move, MakeDrop(Sq(1, 2), MakePiece(SITA, Gold)));
  EXPECT_EQ(a.plies, 3) << "the king moves, and is taken";
}

TEST(MateSolver, AgreesWithTryingEveryMoveAlongRandomGamesAndItsWinsHold) {
  MateSolver solver(16);
  const auto lists = std::make_unique<Move[]>(kMaxMoves * (MateSolver::kMaxPlies + 2));
  const auto moves = std::make_unique<Move[]>(kMaxMoves);
  const auto replies = std::make_unique<Move[]>(kMaxMoves);
  std::mt19937 rng(23);
  int positions = 0, mates = 0, longer = 0;
  for (int game = 0; game < 30; ++game) {
    Position pos;
    SetUpStartingPosition(pos, game % 2 == 1);
    Side side = SITA;
    for (int ply = 0; ply < 160 && test::PlayRandomMove(pos, side, rng); ++ply) {
      side = Opponent(side);
      FastPosition fast;
      fast.Set(pos, side);
      if (fast.Over()) break;
      ++positions;
      const bool byHand = CheckMateInOneByHand(fast, moves.get(), replies.get());
      const MateSolver::Answer one = solver.Solve(fast, true, 1, 1000000);
      ASSERT_EQ(one.proven, byHand) << ToFen(pos, side);
      mates += byHand;
      if (ply % 4 != 0) continue;
      const MateSolver::Answer deep = solver.Solve(fast, true, 5, 20000);
      if (deep.proven) {
        ++longer;
        ASSERT_TRUE(ProofHolds(fast, solver, 5, 0, lists.get())) << ToFen(pos, side);
      }
    }
  }
  EXPECT_GT(positions, 1000);
  EXPECT_GT(mates, 10) << "random games leave kings open often enough";
  EXPECT_GT(longer, mates / 8);
}

TEST(MateSolver, TheSearchPlaysTheWinItProves) {
  SearchParams params;
  params.solverPlies = 15;
  Searcher searcher(8, DefaultWeights(), params);
  Position pos;
  Side side = SITA;
  ASSERT_TRUE(
      FromFen("ln1gkg1m2/3sc5/p1ppp1p3/1r2bp2p+B/1p6np/P9/10/1P1PPPPP1P/3GSC4/"
              "LNM2GKS+rL[SLPPnp] b - - 0 1",
              pos, side));
  Limits limits;
  limits.nodes = 20000;
  const Result r = searcher.Think(pos, side, 60, limits);
  ASSERT_TRUE(r.found);
  EXPECT_GT(r.score, kMate - kMaxPly) << "a decided score";
  EXPECT_LE(r.nodes, limits.nodes) << "within the share of the budget it was given";
}

}  // namespace
}  // namespace qz::search
