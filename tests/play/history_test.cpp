#include "play/history.h"

#include <gtest/gtest.h>

#include "model/make_move.h"
#include "model/placement.h"

namespace qz {
namespace {

Position StartingPosition() {
  Position pos;
  SetUpStartingPosition(pos, false);
  return pos;
}

bool SamePosition(const HistoryEntry& e, const Position& pos) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (e.Board[x][y] != pos.Board[x][y]) return false;
  for (int i = 1; i <= 9; ++i)
    if (e.Hand[SITA][i] != pos.Hand[SITA][i] || e.Hand[UE][i] != pos.Hand[UE][i]) return false;
  return true;
}

// Snapshot, apply, advance the cursor, keep the position reached: what a
// mover does.
void PlayMove(History& h, Position& pos, int fx, int fy, int tx, int ty, PieceCode c) {
  ASSERT_TRUE(h.手順保存(pos, 1, 2, 3, 4));
  駒移動(pos, fx, fy, tx, ty, c);
  ++h.MoveCount;
  ASSERT_TRUE(h.KeepPosition(pos, 2, 4));
}

TEST(History, SnapshotCopiesBoardHandsAndClocksWithoutMovingTheCursor) {
  History h;
  Position pos = StartingPosition();
  pos.Hand[SITA][1] = 3;
  pos.Hand[UE][9] = 1;
  h.MoveCount = 7;
  h.LastSnapshot = 30;
  ASSERT_TRUE(h.手順保存(pos, 10.5, 12.25, 20, 20));
  EXPECT_TRUE(SamePosition(h.entries[7], pos));
  EXPECT_EQ(h.entries[7].SitaBefore, 10.5);
  EXPECT_EQ(h.entries[7].SitaAfter, 12.25);
  EXPECT_EQ(h.entries[7].UeBefore, 20);
  EXPECT_EQ(h.entries[7].UeAfter, 20);
  EXPECT_EQ(h.MoveCount, 7);
  EXPECT_EQ(h.LastSnapshot, 7);  // later entries are cut off
}

TEST(History, CursorAndExtentAfterMovesAndStepBack) {
  History h;
  Position pos = StartingPosition();
  PlayMove(h, pos, 4, 8, 4, 7, -10);
  EXPECT_EQ(h.LastSnapshot, 1);
  EXPECT_EQ(h.MoveCount, 1);
  // The position after the latest move is kept at once, its clocks those
  // of the moment it was reached.
  EXPECT_TRUE(SamePosition(h.entries[1], pos));
  EXPECT_EQ((std::tuple{h.entries[1].SitaBefore, h.entries[1].SitaAfter, h.entries[1].UeBefore,
                        h.entries[1].UeAfter}),
            (std::tuple{2.0, 2.0, 4.0, 4.0}));
  PlayMove(h, pos, 4, 3, 4, 4, 10);
  EXPECT_EQ(h.LastSnapshot, 2);
  EXPECT_EQ(h.MoveCount, 2);
  // The next move overwrote the kept entry with its own clocks.
  EXPECT_EQ(h.entries[1].SitaBefore, 1);
  EXPECT_EQ(h.entries[1].UeAfter, 4);
  auto first = h.調査_移動結果(1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->x, 4);
  EXPECT_EQ(first->y, 7);
  EXPECT_EQ(first->code, -10);
  auto second = h.調査_移動結果(2);
  ASSERT_TRUE(second);
  EXPECT_EQ((std::tuple{second->x, second->y, second->code}), (std::tuple{4, 4, 10}));
  // Step back once: the newest position still lies beyond the cursor.
  --h.MoveCount;
  EXPECT_LT(h.MoveCount, h.LastSnapshot);
}

TEST(History, MoveResultOfCaptureDropPromotionAndNoChange) {
  History h;
  Position pos;
  pos.at(5, 5) = -100;  // SITA silver
  pos.at(5, 4) = 10;    // UE pawn
  pos.at(3, 4) = -10;   // SITA pawn about to promote
  pos.Hand[SITA][1] = 1;

  PlayMove(h, pos, 5, 5, 5, 4, -100);  // capture
  PlayMove(h, pos, 12, 2, 7, 7, -10);  // drop of the captured pawn
  PlayMove(h, pos, 3, 4, 3, 3, -11);   // promotion
  ASSERT_TRUE(h.手順保存(pos, 0, 0, 0, 0));

  auto capture = h.調査_移動結果(1);
  ASSERT_TRUE(capture);
  EXPECT_EQ((std::tuple{capture->x, capture->y, capture->code}), (std::tuple{5, 4, -100}));
  auto drop = h.調査_移動結果(2);
  ASSERT_TRUE(drop);
  EXPECT_EQ((std::tuple{drop->x, drop->y, drop->code}), (std::tuple{7, 7, -10}));
  auto promotion = h.調査_移動結果(3);
  ASSERT_TRUE(promotion);
  EXPECT_EQ((std::tuple{promotion->x, promotion->y, promotion->code}), (std::tuple{3, 3, -11}));

  h.entries[5] = h.entries[4];
  EXPECT_FALSE(h.調査_移動結果(5));
  EXPECT_FALSE(h.調査_移動結果(0));
  EXPECT_FALSE(h.調査_移動結果(501));
  EXPECT_FALSE(h.調査_移動結果(-3));
}

TEST(History, MoveResultTakesTheFirstChangedSquareInColumnMajorOrder) {
  History h;
  h.entries[1].Board[6][2] = 30;
  h.entries[1].Board[2][9] = -30;
  h.entries[1].Board[2][1] = EMPTY;  // vacated squares never count
  h.entries[0].Board[2][1] = 20;
  auto r = h.調査_移動結果(1);
  ASSERT_TRUE(r);
  EXPECT_EQ((std::tuple{r->x, r->y, r->code}), (std::tuple{2, 9, -30}));
}

TEST(History, RestoreEntryCopiesPositionRecomputesTotalsAndPicksClocks) {
  History h;
  Position pos = StartingPosition();
  pos.Hand[SITA][1] = 2;
  pos.Hand[SITA][8] = 1;
  pos.Hand[UE][3] = 4;
  ASSERT_TRUE(h.手順保存(pos, 1.5, 9.5, 100, 100));
  const Position saved = pos;

  Position other;
  other.at(1, 1) = 950;
  other.HandTotal[SITA] = 77;
  double lower = -1, upper = -1;
  h.RestoreEntry(other, 0, true, lower, upper);
  EXPECT_TRUE(SamePosition(h.entries[0], saved));
  EXPECT_EQ(other.at(1, 1), saved.at(1, 1));
  EXPECT_EQ(other.HandTotal[SITA], 3);
  EXPECT_EQ(other.HandTotal[UE], 4);
  EXPECT_EQ(lower, 9.5);
  EXPECT_EQ(upper, 100);

  h.RestoreEntry(other, 0, false, lower, upper);
  EXPECT_EQ(lower, 1.5);

  // Out of range: nothing changes.
  other.at(1, 1) = 950;
  h.RestoreEntry(other, 501, true, lower, upper);
  h.RestoreEntry(other, -1, true, lower, upper);
  EXPECT_EQ(other.at(1, 1), 950);
  EXPECT_EQ(lower, 1.5);
}

TEST(History, SnapshotRefusedBeyondIndex500) {
  History h;
  Position pos = StartingPosition();
  h.MoveCount = 499;  // the 500th move: room for the positions before and after it
  EXPECT_FALSE(h.Full());
  EXPECT_TRUE(h.手順保存(pos, 0, 0, 0, 0));
  h.MoveCount = 500;
  EXPECT_TRUE(h.KeepPosition(pos, 0, 0));
  EXPECT_EQ(h.LastSnapshot, 500);
  EXPECT_TRUE(h.Full());  // a 501st move could not keep the position after it

  h.MoveCount = 501;
  pos.at(1, 1) = EMPTY;
  EXPECT_FALSE(h.手順保存(pos, 0, 0, 0, 0));
  EXPECT_FALSE(h.KeepPosition(pos, 0, 0));
  EXPECT_EQ(h.LastSnapshot, 500);
  EXPECT_EQ(h.MoveCount, 501);

  h.MoveCount = -1;
  EXPECT_FALSE(h.手順保存(pos, 0, 0, 0, 0));
  EXPECT_EQ(h.LastSnapshot, 500);
}

TEST(History, SetEntryCopiesThePositionWithZeroClocks) {
  History h;
  h.entries[0].SitaAfter = 55;
  Position pos = StartingPosition();
  pos.Hand[UE][7] = 1;
  h.SetEntry(0, pos);
  EXPECT_TRUE(SamePosition(h.entries[0], pos));
  EXPECT_EQ(h.entries[0].SitaAfter, 0);
  h.SetEntry(501, pos);  // ignored, no write past the end
  EXPECT_EQ(h.LastSnapshot, 0);
}

}  // namespace
}  // namespace qz
