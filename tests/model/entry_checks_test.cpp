// Positions that arrive from outside (a FEN, a crafted record): what the
// fast position can hold, what is refused, and a perft that can be stopped.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "model/fast_position.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/uci_notation.h"

namespace qz {
namespace {

constexpr const char* kBoard =
    "lnsgkgsmnl/1r2c3b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B3C2R1/LNMSGKGSNL";

TEST(EntryChecks, AFullHandSurvivesACaptureAndItsUndo) {
  // Only the kings and one upper pawn on the board; the lower hand is full
  // of pawns. Taking the pawn cannot add to the hand; taking it back must
  // leave the hand and the key as they were.
  Position pos;
  pos.Board[5][10] = -OU;
  pos.Board[5][1] = OU;
  pos.Board[3][5] = HU;
  pos.Board[3][6] = -KIN;
  pos.Hand[SITA][1] = kMaxHandCount;
  FastPosition fast;
  fast.Set(pos, SITA);
  Move moves[kMaxMoves];
  const int n = GenerateMoves(fast, moves);
  int captures = 0;
  for (int i = 0; i < n; ++i) {
    if (!IsCapture(moves[i]) || KindOf(CapturedPiece(moves[i])) != Pawn) continue;
    ++captures;
    const std::uint64_t key = fast.key();
    Undo undo;
    fast.Make(moves[i], undo);
    EXPECT_EQ(fast.hand(SITA, Pawn), kMaxHandCount);
    EXPECT_EQ(fast.key(), fast.ComputeKey());
    fast.Unmake(moves[i], undo);
    EXPECT_EQ(fast.hand(SITA, Pawn), kMaxHandCount);
    EXPECT_EQ(fast.key(), key);
    EXPECT_EQ(fast.key(), fast.ComputeKey());
  }
  EXPECT_GT(captures, 0);
}

TEST(EntryChecks, PositionsThatCannotBePlayedAreNamed) {
  Position pos;
  SetUpStartingPosition(pos, false);
  EXPECT_EQ(PositionProblem(pos), "");
  Position two = pos;
  two.Board[1][5] = -OU;
  EXPECT_EQ(PositionProblem(two), "two kings of the lower army");
  two = pos;
  two.Board[1][5] = OU;
  EXPECT_EQ(PositionProblem(two), "two kings of the upper army");
  // 20 pawns on the board: 11 more in the hands are as many as a hand holds.
  Position pawns = pos;
  pawns.Hand[SITA][1] = 6;
  pawns.Hand[UE][1] = 5;
  EXPECT_EQ(PositionProblem(pawns), "");
  pawns.Hand[UE][1] = 6;
  EXPECT_EQ(PositionProblem(pawns), "more than 31 pieces of one kind");
  // Promoted pieces count as their kind; a huge count does not overflow.
  Position tokins = pos;
  tokins.Board[1][5] = -(HU + 1);
  tokins.Hand[UE][1] = 11;
  EXPECT_NE(PositionProblem(tokins), "");
  tokins.Hand[UE][1] = 2147483647;
  tokins.Hand[SITA][1] = 2147483647;
  EXPECT_NE(PositionProblem(tokins), "");
  tokins.Hand[SITA][1] = -1;
  EXPECT_NE(PositionProblem(tokins), "");
}

TEST(EntryChecks, FenRefusesOverflowsAndUnplayablePositions) {
  Position pos;
  Side side = SITA;
  std::string problem;
  ASSERT_TRUE(FromFen(std::string(kBoard) + "[6P5p] w - - 0 1", pos, side, &problem));
  EXPECT_EQ(pos.Hand[SITA][1], 6);
  EXPECT_EQ(problem, "");
  // A run of digits that wraps an int to 10 is no row of 10.
  for (const char* board :
       {"4294967306/10/10/10/10/10/10/10/10/10", "99999999999999999999/10/10/10/10/10/10/10/10/10"})
    EXPECT_FALSE(FromFen(std::string(board) + "[] w - - 0 1", pos, side)) << board;

  EXPECT_FALSE(FromFen("k8k/10/10/10/10/10/10/10/10/4K5[] w - - 0 1", pos, side, &problem));
  EXPECT_EQ(problem, "two kings of the upper army");
  problem.clear();
  EXPECT_FALSE(FromFen(std::string(kBoard) + "[6P6p] w - - 0 1", pos, side, &problem));
  EXPECT_EQ(problem, "more than 31 pieces of one kind");
  problem.clear();
  // Counts repeated past any hand, as a 50 MB line could: refused early.
  std::string many = "4k5/10/10/10/10/10/10/10/10/4K5[";
  for (int i = 0; i < 100000; ++i) many += "99P";
  EXPECT_FALSE(FromFen(many + "] w - - 0 1", pos, side, &problem));
  EXPECT_EQ(problem, "more than 31 pieces of one kind");
  // Malformed text says nothing more.
  problem.clear();
  EXPECT_FALSE(FromFen("nonsense", pos, side, &problem));
  EXPECT_EQ(problem, "");
}

TEST(EntryChecks, PerftDividesAndStopsBeforeItsDeepSubtrees) {
  Position start;
  SetUpStartingPosition(start, false);
  FastPosition pos;
  pos.Set(start, SITA);
  const std::uint64_t key = pos.key();
  std::vector<std::uint64_t> counts;
  const auto collect = [&](Move, std::uint64_t c) { counts.push_back(c); };
  std::atomic<bool> stop{false};
  bool stopped = true;
  const std::uint64_t total = PerftDivide(pos, 3, collect, &stop, &stopped);
  EXPECT_FALSE(stopped);
  EXPECT_EQ(total, Perft(pos, 3));
  std::uint64_t sum = 0;
  for (const std::uint64_t c : counts) sum += c;
  EXPECT_EQ(sum, total);
  EXPECT_EQ(static_cast<int>(counts.size()), 28);

  // Told to stop, a count of three plies ends before its first subtree; one
  // of two plies finishes all the same.
  stop = true;
  counts.clear();
  PerftDivide(pos, 3, collect, &stop, &stopped);
  EXPECT_TRUE(stopped);
  EXPECT_TRUE(counts.empty());
  EXPECT_EQ(PerftDivide(pos, 2, collect, &stop, &stopped), Perft(pos, 2));
  EXPECT_FALSE(stopped);
  EXPECT_EQ(PerftDivide(pos, 0, collect, &stop, &stopped), 1u);
  EXPECT_EQ(pos.key(), key);
  EXPECT_EQ(pos.key(), pos.ComputeKey());
}

}  // namespace
}  // namespace qz
