// Making moves: captures into the hand, drops, promotion, the winner and
// the repaints reported on the way.
#include "model/make_move.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/board_picture.h"
#include "model/placement.h"

namespace qz {
namespace {

using test::BoardDifferences;
using test::Describe;

class RecordingView : public MoveView {
 public:
  void drawHand(Side side) override { log.push_back(side == SITA ? "hand SITA" : "hand UE"); }
  void drawPicture(PieceCode code, int x, int y) override {
    log.push_back("picture " + std::to_string(code) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  }
  void drawGridOutline(int x, int y) override {
    log.push_back("outline " + std::to_string(x) + "," + std::to_string(y));
  }
  std::vector<std::string> log;
};

TEST(MakeMove, CaptureOfAPromotedPieceGoesToTheHandUnpromoted) {
  Position pos;
  pos.Board[4][5] = -HU;
  pos.Board[4][4] = SYA + 1;
  RecordingView view;
  駒移動(pos, 4, 5, 4, 4, -HU, &view);
  EXPECT_EQ(pos.Board[4][4], -HU);
  EXPECT_EQ(pos.Board[4][5], EMPTY);
  EXPECT_EQ(pos.Hand[SITA][9], 1);
  EXPECT_EQ(pos.HandTotal[SITA], 1);
  EXPECT_EQ(pos.HandTotal[UE], 0);
  EXPECT_EQ(pos.winner, Victor::None);
  const std::vector<std::string> expected = {"hand SITA",       "picture 0 4,5", "outline 4,5",
                                             "picture -10 4,4", "outline 4,4",   "outline 4,4"};
  EXPECT_EQ(view.log, expected);
}

TEST(MakeMove, UeCaptureRedrawsUesHand) {
  Position pos;
  pos.Board[5][5] = KIN;
  pos.Board[5][6] = -(GIN + 1);
  RecordingView view;
  駒移動(pos, 5, 5, 5, 6, KIN, &view);
  EXPECT_EQ(pos.Hand[UE][5], 1);
  EXPECT_EQ(pos.HandTotal[UE], 1);
  EXPECT_EQ(view.log.front(), "hand UE");
}

TEST(MakeMove, PlainMoveWithPromotionAndNoCapture) {
  Position pos;
  SetUpStartingPosition(pos, false);
  pos.Board[3][8] = EMPTY;
  pos.Board[3][3] = EMPTY;
  const Position before = pos;
  RecordingView view;
  // The SITA bishop runs up the open diagonal into the zone and promotes.
  駒移動(pos, 2, 9, 7, 4, -KAKU, nullptr);
  駒移動(pos, 7, 4, 8, 3, -(KAKU + 1), &view);
  EXPECT_EQ(pos.Board[8][3], -(KAKU + 1));
  EXPECT_EQ(pos.Hand[SITA][1], 1) << "the UE pawn on (8, 3) was taken";
  EXPECT_EQ(Describe(BoardDifferences(before, pos)), "(2,9) (8,3)");
  const std::vector<std::string> expected = {"hand SITA",        "picture 0 7,4", "outline 7,4",
                                             "picture -801 8,3", "outline 8,3",   "outline 8,3"};
  EXPECT_EQ(view.log, expected);
}

TEST(MakeMove, DropsComeOutOfTheRightHandCounter) {
  Position pos;
  pos.Hand[SITA][6] = 2;
  pos.HandTotal[SITA] = 2;
  pos.Hand[UE][6] = 1;
  pos.Hand[UE][5] = 1;
  pos.HandTotal[UE] = 2;
  RecordingView view;
  駒移動(pos, SitaHandColumn, 7, 5, 5, -KIN, &view);
  EXPECT_EQ(pos.Board[5][5], -KIN);
  EXPECT_EQ(pos.Hand[SITA][6], 1);
  EXPECT_EQ(pos.HandTotal[SITA], 1);
  int occupied = 0;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) occupied += pos.Board[x][y] != EMPTY;
  EXPECT_EQ(occupied, 1);
  const std::vector<std::string> expected = {"picture 0 12,7",   "outline 12,7", "hand SITA",
                                             "picture -110 5,5", "outline 5,5",  "outline 5,5"};
  EXPECT_EQ(view.log, expected);

  view.log.clear();
  駒移動(pos, UeHandColumn, 6, 6, 6, KIN, &view);
  EXPECT_EQ(pos.Hand[UE][6], 0);
  EXPECT_EQ(pos.Hand[UE][5], 1);
  EXPECT_EQ(pos.HandTotal[UE], 1);
  EXPECT_EQ(pos.Board[6][6], KIN);
  EXPECT_EQ(view.log[2], "hand UE");
}

TEST(MakeMove, DropFromANonexistentHandRowLeavesTheHandsAlone) {
  Position pos;
  pos.Hand[UE][9] = 1;
  pos.HandTotal[UE] = 1;
  const Position before = pos;
  駒移動(pos, UeHandColumn, 10, 5, 5, SYA);
  駒移動(pos, SitaHandColumn, 1, 5, 6, -SYA);
  for (int s = 0; s < 2; ++s) {
    for (int i = 0; i <= 9; ++i) EXPECT_EQ(pos.Hand[s][i], before.Hand[s][i]);
    EXPECT_EQ(pos.HandTotal[s], before.HandTotal[s]);
  }
}

TEST(MakeMove, CapturingAKingRecordsTheWinnerAndNoHandChange) {
  Position pos;
  pos.Board[5][2] = OU;
  pos.Board[5][3] = -KIN;
  pos.Board[1][9] = -OU;
  pos.Board[1][8] = SYA;
  駒移動(pos, 5, 3, 5, 2, -KIN);
  EXPECT_EQ(pos.winner, Victor::Sita);
  EXPECT_EQ(pos.HandTotal[SITA], 0);
  for (int i = 0; i <= 9; ++i) EXPECT_EQ(pos.Hand[SITA][i], 0);
  EXPECT_EQ(pos.Board[5][2], -KIN);

  pos.winner = Victor::None;
  駒移動(pos, 1, 8, 1, 9, SYA);
  EXPECT_EQ(pos.winner, Victor::Ue);
  EXPECT_EQ(pos.HandTotal[UE], 0);
  for (int i = 0; i <= 9; ++i) EXPECT_EQ(pos.Hand[UE][i], 0);
}

TEST(MakeMove, OnlyTheLowerKingsSquareFollowsItsMoves) {
  Position pos;
  pos.Board[5][10] = -OU;
  pos.Board[6][1] = OU;
  pos.KingSquare[SITA] = {5, 10};
  pos.KingSquare[UE] = {6, 1};
  駒移動(pos, 5, 10, 4, 9, -OU);
  駒移動(pos, 6, 1, 6, 2, OU);
  EXPECT_EQ(pos.KingSquare[SITA], (Square{4, 9}));
  EXPECT_EQ(pos.KingSquare[UE], (Square{6, 1}));
}

TEST(Capture, EveryCodeMapsToItsHandKind) {
  const PieceCode codes[] = {10,  11,  20,  21,  30,  31,  40,  41,  100,
                             101, 110, 111, 210, 211, 800, 801, 900, 901};
  for (PieceCode c : codes) {
    Position pos;
    駒取得(pos, c);
    駒取得(pos, -c);
    const int expected = HandIndex(c);
    ASSERT_NE(expected, 0);
    for (int i = 1; i <= 9; ++i) {
      EXPECT_EQ(pos.Hand[SITA][i], i == expected ? 1 : 0) << c;
      EXPECT_EQ(pos.Hand[UE][i], i == expected ? 1 : 0) << -c;
    }
    EXPECT_EQ(pos.winner, Victor::None);
  }
  EXPECT_EQ(HandIndex(20), 2);
  EXPECT_EQ(HandIndex(801), 8);
  Position pos;
  駒取得(pos, EMPTY);
  EXPECT_EQ(調査_持駒数(pos, SITA) + 調査_持駒数(pos, UE), 0);
}

TEST(PawnColumns, RecountedFromTheWholeBoardIgnoringPromotedPawns) {
  Position pos;
  SetUpStartingPosition(pos, true);
  調査_2歩フラグ設定(pos);
  for (int x = 1; x <= 10; ++x) {
    EXPECT_EQ(pos.PawnColumns[SITA][x], 1);
    EXPECT_EQ(pos.PawnColumns[UE][x], 1);
  }
  pos.Board[4][8] = EMPTY;
  pos.Board[4][2] = -11;  // a SITA と only
  pos.Board[7][3] = EMPTY;
  pos.Board[7][9] = 10;  // a UE pawn deep in the camp still counts
  調査_2歩フラグ設定(pos);
  EXPECT_EQ(pos.PawnColumns[SITA][4], 0);
  EXPECT_EQ(pos.PawnColumns[UE][7], 1);
  pos.Board[7][9] = EMPTY;
  調査_2歩フラグ設定(pos);
  EXPECT_EQ(pos.PawnColumns[UE][7], 0) << "stale flags are cleared";
}

TEST(HandCount, SumsOnlyPositiveCounters) {
  Position pos;
  pos.Hand[SITA][1] = 3;
  pos.Hand[SITA][9] = 1;
  pos.Hand[SITA][4] = -2;
  pos.Hand[SITA][0] = 5;  // not a hand kind
  pos.Hand[UE][7] = 2;
  EXPECT_EQ(調査_持駒数(pos, SITA), 4);
  EXPECT_EQ(調査_持駒数(pos, UE), 2);
}

}  // namespace
}  // namespace qz
