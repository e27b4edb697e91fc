// Stepping forward and back through the history, back to the start, and
// reversing the board.
#include "flow_fixture.h"

namespace qz::flow_test {
namespace {

class FlowReplay : public FlowTest {
 protected:
  void playTwoMoves() {
    g->Menu(MenuCommand::START);
    move(3, 8, 3, 7);
    std::memcpy(afterFirst, g->pos.Board, sizeof afterFirst);
    move(3, 3, 3, 4);
    clearLog();
  }
  PieceCode afterFirst[11][11];
};

TEST_F(FlowReplay, ForwardWithoutAGameIsRefused) {
  g->Menu(MenuCommand::AFTER);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("開始", "「対局」で始めて下さい"));
}

TEST_F(FlowReplay, BackWithNoMoveIsRefusedEvenWithoutAGame) {
  g->Menu(MenuCommand::REPLAY);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("戻る", "できません"));
  EXPECT_EQ(g->flags.ResumePending, 1);
}

TEST_F(FlowReplay, BackThenForwardReturnsToTheNewestPosition) {
  g->Menu(MenuCommand::START);
  PieceCode start[11][11];
  std::memcpy(start, g->pos.Board, sizeof start);
  rp.time.now += 6;
  move(3, 8, 3, 7);
  PieceCode newest[11][11];
  std::memcpy(newest, g->pos.Board, sizeof newest);
  clearLog();
  g->Menu(MenuCommand::REPLAY);
  EXPECT_TRUE(SameBoard(start, g->pos.Board));
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  EXPECT_NEAR(g->clocks.LowerClock, 0, 1e-9);  // the before-values
  EXPECT_EQ(pieceSounds(), 1);
  EXPECT_FALSE(g->clocks.Timer1Enabled);

  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_EQ(forbidden(), 0);
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(SameBoard(newest, g->pos.Board));
  EXPECT_EQ(g->hist.MoveCount, 1);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->flags.Turn, TurnGote);
  EXPECT_NEAR(g->clocks.LowerClock, 6, 0.01);  // the total once the move was made
  auto texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "七"), texts.end());

  // Beyond the newest position there is nothing.
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("進む", "できません"));
  EXPECT_TRUE(SameBoard(newest, g->pos.Board));
}

TEST_F(FlowReplay, TwoBackTwoForwardShowsBothMoves) {
  playTwoMoves();
  PieceCode newest[11][11];
  std::memcpy(newest, g->pos.Board, sizeof newest);
  g->Menu(MenuCommand::REPLAY);
  g->Menu(MenuCommand::REPLAY);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(SameBoard(afterFirst, g->pos.Board));
  EXPECT_EQ(g->hist.MoveCount, 1);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->flags.Turn, TurnGote);
  EXPECT_EQ(pieceSounds(), 1);
  // The lower side's move text: file 8, rank 七, the pawn.
  auto texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "８"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "七"), texts.end());

  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(SameBoard(newest, g->pos.Board));
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  // The upper side's move text (rank 四) and no longer a refusal.
  texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "四"), texts.end());
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(said("進む", "できません"));
}

TEST_F(FlowReplay, BackErasesTheTextOfTheSideThatMoved) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  clearLog();
  g->Menu(MenuCommand::REPLAY);
  // The lower side's area is repainted with background tiles.
  EXPECT_TRUE(paintedPictureAt(14, 4));
  EXPECT_TRUE(paintedPictureAt(15, 4));
  EXPECT_TRUE(paintedPictureAt(16, 4));
  EXPECT_TRUE(rp.canvas.textsIn(Tx(14), Ty(4), Tx(17), Ty(5)).empty());

  // After the upper side's move only its own area is touched.
  move(3, 8, 3, 7);
  move(3, 3, 3, 4);
  clearLog();
  g->Menu(MenuCommand::REPLAY);
  EXPECT_FALSE(paintedPictureAt(14, 4));
  EXPECT_TRUE(paintedPictureAt(-1, 10));
  EXPECT_FALSE(rp.canvas.textsIn(Tx(14), Ty(4), Tx(17), Ty(5)).empty());
}

TEST_F(FlowReplay, StepsHidTheRecordPanel) {
  playTwoMoves();
  rp.panel.driveVisible = rp.panel.ioVisible = true;
  g->Menu(MenuCommand::REPLAY);
  EXPECT_FALSE(rp.panel.driveVisible);
  EXPECT_FALSE(rp.panel.ioVisible);
  rp.panel.fileVisible = true;
  g->Menu(MenuCommand::AFTER);
  EXPECT_FALSE(rp.panel.fileVisible);
}

TEST_F(FlowReplay, ClocksFollowTheStoredValues) {
  g->Menu(MenuCommand::START);
  rp.time.now += 10;
  move(3, 8, 3, 7);
  rp.time.now += 20;
  move(3, 3, 3, 4);
  g->Menu(MenuCommand::REPLAY);  // back to after move 1: before-values of entry 1
  EXPECT_NEAR(g->clocks.LowerClock, 10, 0.01);
  EXPECT_NEAR(g->clocks.UpperClock, 0, 0.01);
  g->Menu(MenuCommand::REPLAY);
  EXPECT_NEAR(g->clocks.LowerClock, 0, 0.01);
  g->Menu(MenuCommand::AFTER);  // after-values of entry 1
  EXPECT_NEAR(g->clocks.LowerClock, 10, 0.01);
  EXPECT_NEAR(g->clocks.UpperClock, 20, 0.01);
}

TEST_F(FlowReplay, ResumingAgainstTheComputerLetsItMoveFirst) {
  g->Menu(MenuCommand::SENTE);
  move(3, 8, 3, 7);              // the computer answers: move 2
  g->Menu(MenuCommand::REPLAY);  // the computer's move taken back
  ASSERT_EQ(g->flags.Turn, g->flags.UpperSideToken);
  clearLog();
  press(4, 8);
  ASSERT_FALSE(shown().empty());
  EXPECT_EQ(shown()[0].title, "再開(COM)");
  EXPECT_EQ(shown()[0].text, "OKですか？");
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_EQ(g->input.InputState, PieceSelected);  // the press then selects
}

TEST_F(FlowReplay, BackToTheStartResetsEverything) {
  playTwoMoves();
  g->Menu(MenuCommand::REVERSE);
  clearLog();
  g->Menu(MenuCommand::CANCEL);
  EXPECT_EQ(pieceSounds(), 1);
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(g->flags.Turn, NoTurn);
  EXPECT_EQ(g->flags.Reversed, 0);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
  EXPECT_EQ(g->pos.at(3, 3), HU);
  EXPECT_FALSE(g->clocks.Timer1Enabled);
}

TEST_F(FlowReplay, ReversalRotatesAndSwapsSides) {
  g->Menu(MenuCommand::START);
  g->pos.at(10, 10) = -SYA - 1;
  g->pos.Hand[SITA][1] = 3;
  g->pos.HandTotal[SITA] = 3;
  g->pos.Hand[UE][8] = 1;
  g->pos.HandTotal[UE] = 1;
  g->hist.LastSnapshot = 4;
  g->hist.MoveCount = 2;
  PieceCode before[11][11];
  std::memcpy(before, g->pos.Board, sizeof before);
  clearLog();
  g->Menu(MenuCommand::REVERSE);

  EXPECT_EQ(g->pos.at(1, 1), SYA + 1);
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) EXPECT_EQ(g->pos.at(11 - x, 11 - y), -before[x][y]);
  EXPECT_EQ(g->pos.Hand[UE][1], 3);
  EXPECT_EQ(g->pos.Hand[SITA][8], 1);
  EXPECT_EQ(g->pos.HandTotal[UE], 3);
  EXPECT_EQ(g->pos.HandTotal[SITA], 1);
  EXPECT_EQ(g->flags.Turn, TurnGote);
  EXPECT_EQ(g->flags.Reversed, 1);
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_EQ(g->hist.LastSnapshot, 0);
  EXPECT_EQ(pieceSounds(), 1);

  g->Menu(MenuCommand::REVERSE);
  EXPECT_TRUE(SameBoard(before, g->pos.Board));
  EXPECT_EQ(g->pos.Hand[SITA][1], 3);
  EXPECT_EQ(g->flags.Turn, TurnSente);
}

TEST_F(FlowReplay, ReversalNegatesASetHandicap) {
  g->Menu(MenuCommand::LEBEL_DOWN);
  g->Menu(MenuCommand::LEBEL_DOWN);
  ASSERT_EQ(g->flags.HandicapLevel, -2);
  g->Menu(MenuCommand::REVERSE);
  EXPECT_EQ(g->flags.HandicapLevel, 2);
}

TEST_F(FlowReplay, ReversalRefusedInRecordMode) {
  g->flags.RecordMode = 1;
  g->Menu(MenuCommand::REVERSE);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("反転", "棋譜ﾓｰﾄﾞではできません"));
  EXPECT_EQ(g->flags.Reversed, 0);
}

}  // namespace
}  // namespace qz::flow_test
