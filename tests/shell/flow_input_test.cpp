// The human's presses: refusals, selection and guidance, moves, promotion,
// drops and the hand-over between two humans.
#include "flow_fixture.h"

namespace qz::flow_test {
namespace {

class FlowInput : public FlowTest {
 protected:
  void startTwoHumans() {
    g->Menu(MenuCommand::START);
    clearLog();
  }
};

TEST_F(FlowInput, PressBeforeAnyGameIsRefusedWithSound) {
  press(3, 8);
  EXPECT_EQ(forbidden(), 1);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].title, "開始");
  EXPECT_EQ(shown()[0].text, "「対局」で始めて下さい");
  EXPECT_EQ(g->input.InputState, Idle);
}

TEST_F(FlowInput, ButtonsOtherThanLeftAndRightAreIgnoredEntirely) {
  startTwoHumans();
  rp.panel.driveVisible = rp.panel.ioVisible = true;
  g->MouseDown(4, 0, static_cast<int>(Tx(3)) + 300, static_cast<int>(Ty(8)) + 300);
  EXPECT_TRUE(rp.panel.driveVisible);
  EXPECT_TRUE(rp.panel.ioVisible);
  EXPECT_EQ(g->input.InputState, Idle);
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(rp.canvas.ops.empty());
}

TEST_F(FlowInput, PressHidesTheRecordPanel) {
  startTwoHumans();
  rp.panel.driveVisible = rp.panel.fileVisible = rp.panel.ioVisible = true;
  rp.panel.texts[1] = "abc";
  press(0, 0);
  EXPECT_FALSE(rp.panel.driveVisible);
  EXPECT_FALSE(rp.panel.fileVisible);
  EXPECT_FALSE(rp.panel.ioVisible);
  EXPECT_EQ(rp.panel.texts[1], "");
}

TEST_F(FlowInput, SelectionFramesAndGuidance) {
  g->Menu(MenuCommand::SIDOU);  // guidance on
  startTwoHumans();
  press(3, 8);  // own pawn
  EXPECT_EQ(g->input.InputState, PieceSelected);
  EXPECT_EQ(outlineAt(3, 8), ColourLightRed);
  EXPECT_EQ(outlineAt(3, 7), ColourWhite);  // its one step
  EXPECT_EQ(outlineAt(3, 6), ColourGreen);

  // Pressing another own piece moves the selection.
  press(4, 8);
  EXPECT_EQ(g->input.InputState, PieceSelected);
  EXPECT_EQ(g->input.SelFromX, 4);
  EXPECT_EQ(outlineAt(3, 8), ColourGreen);
  EXPECT_EQ(outlineAt(4, 8), ColourLightRed);
  EXPECT_EQ(outlineAt(4, 7), ColourWhite);
  EXPECT_EQ(outlineAt(3, 7), ColourGreen);
}

TEST_F(FlowInput, OpponentPieceIsShownButNotSelected) {
  g->Menu(MenuCommand::SIDOU);
  startTwoHumans();
  press(3, 3);  // upper pawn while the lower side is to move
  EXPECT_EQ(g->input.InputState, Idle);
  EXPECT_EQ(outlineAt(3, 3), ColourWhite);
  EXPECT_EQ(outlineAt(3, 4), ColourWhite);
}

TEST_F(FlowInput, WithoutGuidanceOnlyTheRedFrameShows) {
  startTwoHumans();
  press(3, 8);
  EXPECT_EQ(outlineAt(3, 8), ColourLightRed);
  EXPECT_EQ(outlineAt(3, 7), ColourGreen);
}

TEST_F(FlowInput, EmptySquareWhileIdleDoesNothing) {
  startTwoHumans();
  press(5, 5);
  EXPECT_EQ(g->input.InputState, Idle);
  EXPECT_EQ(forbidden(), 0);
  EXPECT_TRUE(shown().empty());
}

TEST_F(FlowInput, TwoHumansAlternateAndTheMoveIsRecorded) {
  startTwoHumans();
  move(3, 8, 3, 7);
  EXPECT_EQ(g->pos.at(3, 7), -HU);
  EXPECT_EQ(g->pos.at(3, 8), EMPTY);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->hist.MoveCount, 1);
  EXPECT_EQ(g->hist.LastSnapshot, 1);
  EXPECT_EQ(g->hist.entries[0].Board[3][8], -HU);  // the position before the move
  EXPECT_EQ(g->hist.entries[1].Board[3][7], -HU);  // and the one after it
  EXPECT_EQ(g->flags.Turn, TurnGote);
  EXPECT_EQ(g->input.InputState, Idle);
  EXPECT_EQ(pieceSounds(), 1);
  auto texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "七"), texts.end());

  // The lower side may not move again; its press is a look only.
  press(4, 8);
  EXPECT_EQ(g->input.InputState, Idle);

  move(3, 3, 3, 4);
  EXPECT_EQ(g->pos.at(3, 4), HU);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->hist.LastSnapshot, 2);
  EXPECT_EQ(g->hist.entries[2].Board[3][4], HU);
}

TEST_F(FlowInput, IllegalDestinationRefusedWithSoundOnly) {
  startTwoHumans();
  move(3, 8, 3, 5);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(g->input.InputState, Idle);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
  EXPECT_EQ(g->flags.MoveNumber, 0);
}

TEST_F(FlowInput, CompulsoryPromotionNeedsTheRightButton) {
  startTwoHumans();
  emptyBoard();
  g->pos.at(2, 2) = -HU;
  move(2, 2, 2, 1);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("成り", "マウスの右をクリックして下さい"));
  EXPECT_EQ(g->input.InputState, PieceSelected);
  EXPECT_EQ(g->pos.at(2, 2), -HU);

  press(2, 1, RightButton);
  EXPECT_EQ(g->pos.at(2, 1), -HU - 1);
  EXPECT_EQ(g->pos.at(2, 2), EMPTY);
}

TEST_F(FlowInput, OptionalPromotionFollowsTheButton) {
  startTwoHumans();
  emptyBoard();
  g->pos.at(2, 4) = -GIN;
  g->pos.at(8, 4) = -GIN;
  move(2, 4, 2, 3, RightButton);
  EXPECT_EQ(g->pos.at(2, 3), -GIN - 1);
  move(6, 1, 6, 2);  // the upper side answers
  move(8, 4, 8, 3, LeftButton);
  EXPECT_EQ(g->pos.at(8, 3), -GIN);
}

TEST_F(FlowInput, DropsFromBothHands) {
  startTwoHumans();
  g->pos.Hand[SITA][6] = 1;  // gold, drawn on row 7
  g->pos.HandTotal[SITA] = 1;
  g->pos.Hand[UE][5] = 2;  // silver, drawn on row 5
  g->pos.HandTotal[UE] = 2;

  press(12, 7);
  EXPECT_EQ(g->input.InputState, PieceSelected);
  EXPECT_EQ(g->input.SelPiece, -KIN);
  EXPECT_EQ(outlineAt(12, 7), ColourLightRed);
  press(5, 5, RightButton);  // a drop never promotes
  EXPECT_EQ(g->pos.at(5, 5), -KIN);
  EXPECT_EQ(g->pos.Hand[SITA][6], 0);
  EXPECT_EQ(g->pos.HandTotal[SITA], 0);
  EXPECT_EQ(g->hist.entries[0].Hand[SITA][6], 1);

  press(-1, 5);
  EXPECT_EQ(g->input.SelPiece, GIN);
  press(6, 5, RightButton);
  EXPECT_EQ(g->pos.at(6, 5), GIN);
  EXPECT_EQ(g->pos.Hand[UE][5], 1);
  EXPECT_EQ(g->flags.Turn, TurnSente);
}

TEST_F(FlowInput, PieceFromTheOtherSidesHandIsDroppedOnTheNextBoardPress) {
  startTwoHumans();
  g->pos.Hand[UE][1] = 1;
  g->pos.HandTotal[UE] = 1;
  press(-1, 9);
  EXPECT_EQ(g->input.InputState, PieceSelected);
  EXPECT_EQ(outlineAt(-1, 9), g->screen.GuidanceColour);
  press(5, 5);
  EXPECT_EQ(g->input.InputState, Idle);
  EXPECT_EQ(g->pos.at(5, 5), EMPTY);
  EXPECT_EQ(g->pos.Hand[UE][1], 1);
  EXPECT_EQ(g->flags.MoveNumber, 0);
}

TEST_F(FlowInput, EmptyHandCellIsIgnored) {
  startTwoHumans();
  press(12, 2);
  EXPECT_EQ(g->input.InputState, Idle);
  EXPECT_EQ(forbidden(), 0);
}

TEST_F(FlowInput, PressOutsideKeepsTheSelection) {
  startTwoHumans();
  press(3, 8);
  press(0, 5);
  EXPECT_EQ(g->input.InputState, PieceSelected);
  EXPECT_EQ(outlineAt(3, 8), ColourGreen);
  press(3, 7);
  EXPECT_EQ(g->pos.at(3, 7), -HU);
}

TEST_F(FlowInput, CellMappingRoundsTowardsMinusInfinity) {
  startTwoHumans();
  g->pos.Hand[UE][9] = 1;  // rook, drawn on row 1
  g->pos.HandTotal[UE] = 1;
  // One twip left of the grid is column -1, the upper hand.
  g->MouseDown(LeftButton, 0, 1299, static_cast<int>(Ty(1)) + 10);
  EXPECT_EQ(g->input.SelPiece, SYA);
  EXPECT_EQ(g->input.InputState, PieceSelected);
}

TEST_F(FlowInput, KingCaptureBetweenHumansNamesTheWinnerByToken) {
  startTwoHumans();
  emptyBoard();
  g->pos.at(6, 5) = -SYA;
  rp.time.now = g->clocks.TurnStartTime + 7;
  move(6, 5, 6, 1);
  EXPECT_EQ(g->flags.Winner, TurnSente);
  EXPECT_TRUE(said("終了", "先手の勝ちです"));
  EXPECT_EQ(g->flags.Turn, TurnGote);
  EXPECT_NEAR(g->clocks.LowerClock, 7, 0.01);
  EXPECT_NEAR(g->clocks.UpperClock, 0, 0.01);

  clearLog();
  press(3, 8);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].title, "終局");
  EXPECT_EQ(shown()[0].text, "新規に対局してください");
}

TEST_F(FlowInput, LowerSideHolding後手WinsAs後手AndIsCharged) {
  // As after reading a record in which the upper side moved first.
  startTwoHumans();
  emptyBoard();
  g->flags.LowerSideToken = TurnGote;
  g->flags.UpperSideToken = TurnSente;
  g->flags.Turn = TurnGote;
  g->pos.at(6, 5) = -SYA;
  rp.time.now = g->clocks.TurnStartTime + 5;
  move(6, 5, 6, 1);
  EXPECT_EQ(g->flags.Winner, TurnGote);
  EXPECT_TRUE(said("終了", "後手の勝ちです"));
  EXPECT_FALSE(saidText("先手の勝ちです"));
  EXPECT_NEAR(g->clocks.LowerClock, 5, 0.01);
  EXPECT_NEAR(g->clocks.UpperClock, 0, 0.01);
  EXPECT_NEAR(g->hist.entries[0].SitaAfter, 5, 0.01);
  EXPECT_NEAR(g->hist.entries[0].UeAfter, 0, 0.01);
}

TEST_F(FlowInput, UpperMoveBetweenHumansChargesTheUpperClock) {
  startTwoHumans();
  move(3, 8, 3, 7);
  rp.time.now = g->clocks.TurnStartTime + 4;
  move(3, 3, 3, 4);
  EXPECT_NEAR(g->clocks.UpperClock, 4, 0.01);
  EXPECT_NEAR(g->hist.entries[1].UeBefore, 0, 0.01);
  EXPECT_NEAR(g->hist.entries[1].UeAfter, 4, 0.01);
  EXPECT_NEAR(g->hist.entries[1].SitaAfter, g->hist.entries[1].SitaBefore, 1e-9);
}

TEST_F(FlowInput, MoveAtTheInstantTheTurnStartedCostsNoTime) {
  // The start time is kept in single precision and may round above now;
  // that must not read as a turn that ran past midnight.
  rp.time.now = 36018.3;
  startTwoHumans();
  ASSERT_GT(static_cast<double>(g->clocks.TurnStartTime), rp.time.now);
  move(3, 8, 3, 7);
  EXPECT_LT(g->clocks.LowerClock, 1.0);
  EXPECT_LT(g->hist.entries[0].SitaAfter, 1.0);
}

TEST_F(FlowInput, ResumeAnnouncesWhoseTurnItIs) {
  startTwoHumans();
  move(3, 8, 3, 7);
  g->flags.ResumePending = 1;
  clearLog();
  press(3, 3);
  EXPECT_TRUE(said("対局", "後手の番です"));
  EXPECT_EQ(g->flags.ResumePending, 0);
  EXPECT_EQ(g->input.InputState, PieceSelected);  // the same press still selects
}

TEST_F(FlowInput, RecordModeAsksAndNoStartsOver) {
  startTwoHumans();
  move(3, 8, 3, 7);
  g->flags.RecordMode = 1;
  clearLog();
  press(3, 3);  // Yes: nothing more
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].kind, RecordingDialogs::Shown::Question);
  EXPECT_EQ(shown()[0].title, "棋譜");
  EXPECT_EQ(shown()[0].text, "棋譜を '進 'で進めて下さい");
  EXPECT_EQ(g->pos.at(3, 7), -HU);

  rp.dialogs.answers.push_back(false);
  press(3, 3);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_EQ(g->flags.RecordMode, 0);
  EXPECT_EQ(g->flags.Turn, NoTurn);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
}

TEST_F(FlowInput, MoveIntoAFullHistoryIsRefusedAndChangesNothing) {
  startTwoHumans();
  // Entry 500 is the last: it may hold the position after a move, but no
  // move may be made from it, since the position after that could not be kept.
  g->hist.MoveCount = History::Capacity - 2;
  move(4, 8, 4, 7);
  EXPECT_EQ(g->hist.MoveCount, History::Capacity - 1);
  EXPECT_EQ(g->hist.LastSnapshot, History::Capacity - 1);
  EXPECT_EQ(g->hist.entries[History::Capacity - 1].Board[4][7], -HU);
  EXPECT_EQ(forbidden(), 0);

  g->flags.Turn = TurnSente;
  g->flags.MoveNumber = 600;
  press(3, 8);
  press(3, 7);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("対局", "これ以上記録できません"));
  EXPECT_EQ(g->pos.at(3, 8), -HU);
  EXPECT_EQ(g->pos.at(3, 7), EMPTY);
  EXPECT_EQ(g->flags.MoveNumber, 600);
  EXPECT_EQ(g->hist.MoveCount, History::Capacity - 1);
  EXPECT_EQ(g->flags.Turn, TurnSente);
}

}  // namespace
}  // namespace qz::flow_test
