// Short mates seen without a search, and the search on several threads.
#include "search/mate.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/random_play.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "search/searcher.h"

namespace qz::search {
namespace {

FastPosition FastFen(const char* fen) {
  Position pos;
  Side side = SITA;
  EXPECT_TRUE(FromFen(fen, pos, side)) << fen;
  FastPosition fast;
  fast.Set(pos, side);
  return fast;
}

struct Buffers {
  std::unique_ptr<Move[]> moves = std::make_unique<Move[]>(kMaxMoves);
  std::unique_ptr<Move[]> replies = std::make_unique<Move[]>(kMaxMoves);
  std::unique_ptr<Move[]> more = std::make_unique<Move[]>(kMaxMoves);
};

// Whether the side to move has a move after which every answer leaves its
// king to be taken, tried move by move and answer by answer.
bool MateInOneByHand(FastPosition& pos, bool banPawnMates, Buffers& b) {
  const int n = GenerateMoves(pos, b.moves.get());
  for (int i = 0; i < n; ++i) {
    const Move m = b.moves[i];
    if (KindOf(CapturedPiece(m)) == King) return true;
    if (banPawnMates && KindOf(MovingPiece(m)) == Pawn && !IsPromotion(m)) continue;
    Undo undo;
    pos.Make(m, undo);
    bool mate = !pos.CanCaptureKing();
    const int r = mate ? GenerateMoves(pos, b.more.get()) : 0;
    for (int j = 0; j < r && mate; ++j) {
      const Move reply = b.more[j];
      if (KindOf(CapturedPiece(reply)) == King) {
        mate = false;
        break;
      }
      Undo u;
      pos.Make(reply, u);
      if (!pos.CanCaptureKing()) mate = false;
      pos.Unmake(reply, u);
    }
    pos.Unmake(m, undo);
    if (mate) return true;
  }
  return false;
}

TEST(MateInOne, FindsDropAndStepMatesAndKeepsThePawnBan) {
  Buffers b;
  // The upper king in the corner a10 with its knight beside it; the lower
  // gold on b8 covers a9 and b9.
  FastPosition gold = FastFen("kn8/10/1G2pppppp/10/10/10/10/10/10/9K[G] w - - 0 1");
  const std::uint64_t key = gold.key();
  EXPECT_TRUE(MateInOne(gold, true, b.moves.get(), b.replies.get()));
  EXPECT_EQ(gold.key(), key) << "the position is as before";

  // A pawn dropped on a9 mates as well, unless pawn mates are banned.
  FastPosition pawn = FastFen("kn8/10/1G2pppppp/10/10/10/10/10/10/9K[P] w - - 0 1");
  EXPECT_TRUE(MateInOne(pawn, false, b.moves.get(), b.replies.get()));
  EXPECT_FALSE(MateInOne(pawn, true, b.moves.get(), b.replies.get()));
  // Stepping there promoted is no pawn mate.
  FastPosition step = FastFen("kn8/10/PG2pppppp/10/10/10/10/10/10/9K[] w - - 0 1");
  EXPECT_TRUE(MateInOne(step, true, b.moves.get(), b.replies.get()));

  // Without the gold on b8 the king escapes to b9: no mate.
  FastPosition open = FastFen("kn8/10/4pppppp/10/10/10/10/10/10/9K[G] w - - 0 1");
  EXPECT_FALSE(MateInOne(open, false, b.moves.get(), b.replies.get()));
  // A king left to be taken is taken.
  FastPosition enPrise = FastFen("k9/10/10/10/10/10/10/10/R9/9K[] w - - 0 1");
  EXPECT_TRUE(MateInOne(enPrise, true, b.moves.get(), b.replies.get()));
}

TEST(MateInOne, NeverClaimsAMateThatIsNotThereAlongRandomGames) {
  Buffers b;
  std::mt19937 rng(11);
  int claimed = 0, positions = 0;
  for (int game = 0; game < 40; ++game) {
    Position pos;
    SetUpStartingPosition(pos, game % 2 == 1);
    Side side = SITA;
    for (int ply = 0; ply < 160 && test::PlayRandomMove(pos, side, rng); ++ply) {
      side = Opponent(side);
      FastPosition fast;
      fast.Set(pos, side);
      if (fast.Over()) break;
      ++positions;
      const std::uint64_t key = fast.key();
      const bool ban = (ply & 1) != 0;
      if (MateInOne(fast, ban, b.moves.get(), b.replies.get())) {
        ++claimed;
        ASSERT_TRUE(MateInOneByHand(fast, ban, b)) << ToFen(pos, side);
      }
      ASSERT_EQ(fast.key(), key);
    }
  }
  EXPECT_GT(positions, 1000);
  EXPECT_GT(claimed, 0) << "random games leave kings to be taken often enough";
}

TEST(GivesDirectCheck, SeesStepsJumpsAndClearLinesAndNothingElse) {
  // The upper king on e10; the lower army holds a gold, a knight and a lance.
  FastPosition pos = FastFen("4k5/10/10/10/10/10/10/4p5/10/K9[GNL] w - - 0 1");
  const int king = Sq(5, 1);
  auto drop = [&](int kind, int x, int y) { return MakeDrop(Sq(x, y), MakePiece(SITA, kind)); };
  EXPECT_TRUE(GivesDirectCheck(pos, drop(Gold, 5, 2)));     // in front of the king
  EXPECT_TRUE(GivesDirectCheck(pos, drop(Gold, 4, 1)));     // beside it
  EXPECT_FALSE(GivesDirectCheck(pos, drop(Gold, 4, 3)));    // two rows off
  EXPECT_TRUE(GivesDirectCheck(pos, drop(Knight, 4, 3)));   // a jump onto the king
  EXPECT_FALSE(GivesDirectCheck(pos, drop(Knight, 5, 3)));  // straight below: no
  EXPECT_TRUE(GivesDirectCheck(pos, drop(Lance, 5, 5)));    // the file is clear
  EXPECT_FALSE(GivesDirectCheck(pos, drop(Lance, 5, 9)));   // the pawn on e3 blocks it
  EXPECT_EQ(pos.kingSquare(UE), king);

  // Along random games, a move said to check leaves the king attacked.
  Buffers b;
  std::mt19937 rng(5);
  int checks = 0;
  for (int game = 0; game < 20; ++game) {
    Position p;
    SetUpStartingPosition(p, game % 2 == 0);
    Side side = SITA;
    for (int ply = 0; ply < 150 && test::PlayRandomMove(p, side, rng); ++ply) {
      side = Opponent(side);
      FastPosition fast;
      fast.Set(p, side);
      if (fast.Over()) break;
      const int n = GenerateMoves(fast, b.moves.get());
      for (int i = 0; i < n; ++i) {
        const Move m = b.moves[i];
        if (!GivesDirectCheck(fast, m)) continue;
        ++checks;
        Undo undo;
        fast.Make(m, undo);
        ASSERT_TRUE(fast.InCheck()) << ToFen(p, side);
        fast.Unmake(m, undo);
      }
    }
  }
  EXPECT_GT(checks, 100);
}

TEST(SearchThreads, SeveralThreadsFindWhatOneFindsAndOneThreadRepeatsAfterThem) {
  Position pos;
  Side side = SITA;
  ASSERT_TRUE(FromFen("kn8/10/1G2pppppp/10/10/10/10/10/10/9K[G] w - - 0 1", pos, side));
  Searcher searcher(8);
  searcher.SetThreads(2);
  ASSERT_EQ(searcher.threads(), 2);
  Limits limits;
  limits.nodes = 200000;
  const Result mate = searcher.Think(pos, side, 40, limits);
  EXPECT_EQ(mate.best, (GameMove{SitaHandColumn, 7, 1, 2, -KIN}));
  EXPECT_EQ(mate.score, kMate - 3);

  // From the start, a move of the lower army within its budget.
  Position start;
  SetUpStartingPosition(start, false);
  const Result two = searcher.Think(start, SITA, 40, limits);
  ASSERT_TRUE(two.found);
  EXPECT_GE(two.nodes, limits.nodes / 2);

  // Back to one thread, a node limit gives what a new searcher gives.
  searcher.SetThreads(1);
  searcher.NewGame(0);
  Searcher fresh(8);
  fresh.NewGame(0);
  limits.nodes = 30000;
  const Result a = searcher.Think(start, SITA, 40, limits);
  const Result b = fresh.Think(start, SITA, 40, limits);
  EXPECT_EQ(a.best, b.best);
  EXPECT_EQ(a.score, b.score);
  EXPECT_EQ(a.nodes, b.nodes);
}

}  // namespace
}  // namespace qz::search
