// The search: scan order, early ends, promotion choice, ties, the position
// left as it was, and independence from whatever an earlier turn left.
#include <cstring>

#include "engine_fixture.h"

namespace qz::test {
namespace {

class SearchTest : public EngineTest {};

TEST_F(SearchTest, KingCaptureReplacesAnEarlierMateAndEndsTheSearch) {
  // The lower king is already in check from (10, 1) and every escape is
  // covered, so even the computer king's first step scores as a mate.
  Put(1, 1, OU);
  Put(9, 1, SYA);
  Put(10, 1, SYA);
  Put(10, 10, -OU);
  GiveHand(UE, 6, 1);
  CandidateLog log;
  ASSERT_TRUE(player.Search(&log));
  ASSERT_FALSE(log.seen.empty());
  EXPECT_EQ(log.seen.front(), (SeenCandidate{1, 1, 1, 2, OU, 9998}));
  EXPECT_EQ(player.BestScore, 9999);
  EXPECT_EQ(player.BestMove.fromX, 10);
  EXPECT_EQ(player.BestMove.fromY, 1);
  EXPECT_EQ(player.BestMove.toX, 10);
  EXPECT_EQ(player.BestMove.toY, 10);
  EXPECT_EQ(player.BestMove.after, SYA + 1);  // a rook that may promote does
  EXPECT_EQ(player.BestMove.before, SYA);
  // The capture is the last thing evaluated: no later board move, no drop.
  EXPECT_EQ(log.seen.back(), (SeenCandidate{10, 1, 10, 10, SYA + 1, 9999}));
  EXPECT_EQ(log.ticks, 10);
}

TEST_F(SearchTest, MatingBoardMoveDoesNotEndTheScan) {
  Put(1, 1, OU);
  Put(1, 5, SYA);  // (1, 5) to (10, 5) checks down the file and mates
  Put(9, 1, SYA);  // covers the ninth file
  Put(10, 10, -OU);
  GiveHand(UE, 6, 1);
  CandidateLog log;
  ASSERT_TRUE(player.Search(&log));
  EXPECT_EQ(player.BestScore, 9998);
  EXPECT_EQ(player.BestMove.fromX, 1);
  EXPECT_EQ(player.BestMove.fromY, 5);
  EXPECT_EQ(player.BestMove.toX, 10);
  EXPECT_EQ(player.BestMove.toY, 5);
  // Board moves of the other rook and the drops were still tried.
  EXPECT_NE(log.find(9, 1, 10, 1, SYA), nullptr);
  EXPECT_EQ(log.seen.back().fx, UeHandColumn);
  EXPECT_EQ(log.ticks, 19);
}

TEST_F(SearchTest, MatingDropEndsTheSearch) {
  Put(1, 1, OU);
  Put(9, 1, SYA);
  Put(10, 10, -OU);
  GiveHand(UE, 9, 1);
  CandidateLog log;
  ASSERT_TRUE(player.Search(&log));
  EXPECT_EQ(player.BestScore, 9998);
  EXPECT_EQ(log.seen.back(), (SeenCandidate{UeHandColumn, 9, 10, 1, SYA, 9998}));
  EXPECT_EQ(player.BestMove.fromX, UeHandColumn);
  EXPECT_EQ(player.BestMove.fromY, 9);
  EXPECT_EQ(player.BestMove.after, SYA);
}

TEST_F(SearchTest, PawnPromotesEvenWhenStayingUnpromotedScoresHigher) {
  // In front of the pawn's destination stands a lower gold with no safe
  // square: only the unpromoted pawn earns its value.
  Put(1, 1, OU);
  Put(5, 6, KYOU);
  Put(5, 7, HU);
  Put(5, 9, -KIN);
  Put(4, 8, -HU);
  Put(6, 8, -HU);
  Put(4, 9, -GIN);
  Put(6, 9, -GIN);
  Put(5, 10, -OU);
  CandidateLog log;
  ASSERT_TRUE(player.Search(&log));
  const SeenCandidate* plain = log.find(5, 7, 5, 8, HU);
  const SeenCandidate* raised = log.find(5, 7, 5, 8, HU + 1);
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(raised, nullptr);
  ASSERT_GT(plain->score, raised->score);
  EXPECT_EQ(player.BestMove.fromX, 5);
  EXPECT_EQ(player.BestMove.fromY, 7);
  EXPECT_EQ(player.BestMove.toY, 8);
  EXPECT_EQ(player.BestMove.after, HU + 1);
  EXPECT_EQ(player.BestScore, plain->score);
}

TEST_F(SearchTest, SilverKeepsTheBetterFormAndForcedFormsAreEvaluatedOnce) {
  Put(1, 1, OU);
  Put(5, 7, GIN);
  Put(3, 7, KEI);  // must promote on rows 9 and 10
  Put(10, 10, -OU);
  CandidateLog log;
  ASSERT_TRUE(player.Search(&log));
  // A silver entering the zone is evaluated both ways.
  EXPECT_NE(log.find(5, 7, 5, 8, GIN), nullptr);
  EXPECT_NE(log.find(5, 7, 5, 8, GIN + 1), nullptr);
  // A knight landing on row 9 is evaluated only promoted.
  EXPECT_EQ(log.find(3, 7, 4, 9, KEI), nullptr);
  EXPECT_NE(log.find(3, 7, 4, 9, KEI + 1), nullptr);
}

TEST_F(SearchTest, TieGoesToTheFirstCandidateInScanOrder) {
  // Every king move stays on a rook's file: all score -9998.
  Put(1, 1, OU);
  Put(1, 10, -SYA);
  Put(2, 10, -SYA);
  Put(10, 5, -OU);
  CandidateLog log;
  ASSERT_TRUE(player.Search(&log));
  ASSERT_EQ(log.seen.size(), 3u);
  for (const auto& c : log.seen) EXPECT_EQ(c.score, -9998);
  EXPECT_EQ(player.BestMove.toX, 1);
  EXPECT_EQ(player.BestMove.toY, 2);
  EXPECT_EQ(player.BestScore, -9998);
}

TEST_F(SearchTest, NoCandidateAtAll) {
  // King in the corner walled in by pieces that cannot move, empty hand.
  Put(10, 10, OU);
  Put(9, 9, KEI);
  Put(10, 9, KEI);
  Put(9, 10, KYOU);
  Put(5, 1, -OU);
  CandidateLog log;
  EXPECT_FALSE(player.Search(&log));
  EXPECT_TRUE(log.seen.empty());
  EXPECT_EQ(player.BestScore, -99999);
  EXPECT_EQ(log.ticks, 10);  // no drop loop with an empty hand
  EXPECT_EQ(log.repaints, 1);
}

TEST_F(SearchTest, BoardAndHandsAreRestored) {
  SetUpStartingPosition(pos, true);
  Put(3, 3, EMPTY);
  Put(7, 8, EMPTY);
  Put(5, 5, HU);
  Put(6, 6, -GIN);
  Put(7, 1, EMPTY);
  for (int k = 1; k <= HandKinds; ++k) GiveHand(UE, k, 1);
  GiveHand(SITA, 6, 1);
  GiveHand(SITA, 1, 1);
  const Position before = pos;
  CandidateLog log;
  ASSERT_TRUE(player.Search(&log));
  EXPECT_EQ(std::memcmp(pos.Board, before.Board, sizeof pos.Board), 0);
  EXPECT_EQ(std::memcmp(pos.Hand, before.Hand, sizeof pos.Hand), 0);
  EXPECT_EQ(pos.HandTotal[SITA], before.HandTotal[SITA]);
  EXPECT_EQ(pos.HandTotal[UE], before.HandTotal[UE]);
  EXPECT_EQ(pos.winner, Victor::None);
}

TEST_F(SearchTest, SameResultWhateverMapsWereLeftBehind) {
  // Maps of another position (a rook covering the ninth file, which takes
  // two escapes from the lower king) must not leak into this turn.
  Put(1, 1, OU);
  Put(5, 5, KIN);
  Put(10, 10, -OU);
  Put(9, 1, SYA);
  勢力調査(pos, maps);
  Put(9, 1, EMPTY);
  CandidateLog stale;
  ASSERT_TRUE(player.Search(&stale));
  EXPECT_EQ(player.EscapesBefore, 3);

  ControlMaps freshMaps{};
  ComputerPlayer fresh(pos, freshMaps);
  CandidateLog clean;
  ASSERT_TRUE(fresh.Search(&clean));
  EXPECT_EQ(stale.seen, clean.seen);
  EXPECT_EQ(player.BestScore, fresh.BestScore);
}

TEST_F(SearchTest, DropsDoNotInheritTheDistanceOfAnEarlierTurn) {
  // First a turn with board moves, which leaves a distance behind.
  Put(1, 1, OU);
  Put(5, 5, KIN);
  Put(10, 10, -OU);
  ASSERT_TRUE(player.Search());
  ASSERT_NE(player.OriginDistance, 0);

  // Then a turn with drops only.
  pos = Position{};
  Put(10, 10, OU);
  Put(9, 9, KEI);
  Put(10, 9, KEI);
  Put(9, 10, KYOU);
  Put(5, 1, -OU);
  GiveHand(UE, 6, 1);
  CandidateLog after;
  ASSERT_TRUE(player.Search(&after));

  ControlMaps freshMaps{};
  ComputerPlayer fresh(pos, freshMaps);
  CandidateLog clean;
  ASSERT_TRUE(fresh.Search(&clean));
  EXPECT_EQ(after.seen, clean.seen);
  EXPECT_EQ(player.BestMove.toX, fresh.BestMove.toX);
  EXPECT_EQ(player.BestMove.toY, fresh.BestMove.toY);
}

}  // namespace
}  // namespace qz::test
