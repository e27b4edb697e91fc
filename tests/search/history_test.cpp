// What the search learns from cut-offs: quiet histories and capture histories
// move the right way, stay within their clamp, and keep captures apart by the
// kind they take.
#include "search/history.h"

#include <gtest/gtest.h>

#include <memory>

namespace qz::search {
namespace {

const Piece kSilver = MakePiece(SITA, Silver);
const Piece kRook = MakePiece(SITA, Rook);
const Piece kEnemyGold = MakePiece(UE, Gold);
const Piece kEnemyPawn = MakePiece(UE, Pawn);

TEST(CaptureHistory, RewardsTheCutAndPunishesTheCapturesTriedBefore) {
  auto h = std::make_unique<History>();
  const Move takeGold = MakeMove(Sq(5, 8), Sq(5, 7), kSilver, kEnemyGold, false);
  const Move takePawn = MakeMove(Sq(2, 8), Sq(2, 4), kRook, kEnemyPawn, false);
  const Move tried[] = {takePawn, takeGold};
  h->RewardCaptures(takeGold, 6, tried, 2);
  EXPECT_GT(h->Capture(takeGold), 0);
  EXPECT_LT(h->Capture(takePawn), 0);

  // The same piece and target taking another kind is another entry.
  const Move takePawnThere = MakeMove(Sq(5, 8), Sq(5, 7), kSilver, kEnemyPawn, false);
  EXPECT_EQ(h->Capture(takePawnThere), 0);
  // A promotion lands on the promoted piece's entry.
  const Move takeGoldPromoting = MakeMove(Sq(5, 8), Sq(5, 7), kSilver, kEnemyGold, true);
  EXPECT_EQ(h->Capture(takeGoldPromoting), 0);

  // A quiet move that cuts punishes the captures tried before it and gains
  // nothing itself in the capture table.
  const Move quiet = MakeMove(Sq(4, 8), Sq(4, 7), kSilver, 0, false);
  const int before = h->Capture(takeGold);
  h->RewardCaptures(quiet, 6, &takeGold, 1);
  EXPECT_LT(h->Capture(takeGold), before);

  h->Clear();
  EXPECT_EQ(h->Capture(takeGold), 0);
  EXPECT_EQ(h->Capture(takePawn), 0);
}

TEST(CaptureHistory, StaysWithinItsClampHoweverOftenItIsRewarded) {
  auto h = std::make_unique<History>();
  const Move take = MakeMove(Sq(5, 8), Sq(5, 7), kSilver, kEnemyGold, false);
  const Move other = MakeMove(Sq(2, 8), Sq(2, 4), kRook, kEnemyPawn, false);
  for (int i = 0; i < 2000; ++i) h->RewardCaptures(take, 40, &other, 1);
  EXPECT_LE(h->Capture(take), History::kMax);
  EXPECT_GT(h->Capture(take), History::kMax / 2);
  EXPECT_GE(h->Capture(other), -History::kMax);
  EXPECT_LT(h->Capture(other), -History::kMax / 2);
}

TEST(QuietHistory, ACutRaisesTheMoveAndItsCounterAndLowersTheOthers) {
  auto h = std::make_unique<History>();
  const Move good = MakeMove(Sq(4, 8), Sq(4, 7), kSilver, 0, false);
  const Move bad = MakeDrop(Sq(5, 5), MakePiece(SITA, Pawn));
  const Move previous = MakeMove(Sq(5, 3), Sq(5, 4), kEnemyPawn, 0, false);
  const Move tried[] = {bad, good};
  h->Reward(good, 5, tried, 2, PieceTo(previous), -1);
  EXPECT_GT(h->Main(good), 0);
  EXPECT_LT(h->Main(bad), 0);
  EXPECT_EQ(h->Counter(PieceTo(previous)), good);
  const std::int16_t* cont = h->Continuation(PieceTo(previous));
  ASSERT_NE(cont, nullptr);
  EXPECT_GT(h->Score(good, cont, nullptr), h->Main(good));
  EXPECT_EQ(h->Continuation(-1), nullptr);
  EXPECT_EQ(h->Counter(-1), 0u);
}

}  // namespace
}  // namespace qz::search
