// The move list's way to a position (through 戻 and 進) and the hint's
// search limits and frames, against the real game.
#include "flow_fixture.h"

namespace qz::flow_test {
namespace {

using FlowKentou = FlowTest;

TEST_F(FlowKentou, ChoosingAMoveStepsThroughTheHistoryWithItsRules) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  move(3, 3, 3, 4);
  move(4, 8, 4, 7);
  ASSERT_EQ(g->hist.MoveCount, 3);

  g->ShowPositionAfterMove(1);
  EXPECT_EQ(g->hist.MoveCount, 1);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->pos.at(3, 7), -HU);
  EXPECT_EQ(g->pos.at(3, 3), HU);
  EXPECT_EQ(g->flags.Turn, TurnGote);  // each step negated the turn

  g->ShowPositionAfterMove(2);
  EXPECT_EQ(g->hist.MoveCount, 2);
  EXPECT_EQ(g->pos.at(3, 4), HU);
  // The position after the latest move is kept: the list reaches it as 進
  // does, and nothing lies beyond it.
  g->ShowPositionAfterMove(3);
  EXPECT_EQ(g->hist.MoveCount, 3);
  EXPECT_EQ(g->pos.at(4, 7), -HU);
  clearLog();
  g->ShowPositionAfterMove(4);
  EXPECT_EQ(g->hist.MoveCount, 3);
  EXPECT_TRUE(said("進む", "できません"));
  g->ShowPositionAfterMove(0);
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
}

TEST_F(FlowKentou, HintFramesTheHandCellOfADropAndClearsItOnThePress) {
  g->Menu(MenuCommand::START);
  g->deep.NodeLimit = 2000;
  // The upper king shut in its corner by its own lances: a rook dropped on
  // its file mates, and the lower army has nothing else.
  emptyBoard();
  g->pos.at(6, 1) = EMPTY;
  g->pos.at(1, 1) = OU;
  g->pos.at(2, 1) = KYOU;
  g->pos.at(2, 2) = KYOU;
  g->pos.Hand[SITA][9] = 1;
  g->pos.HandTotal[SITA] = 1;
  g->Menu(MenuCommand::HINT);
  ASSERT_TRUE(g->hint.Shown);
  EXPECT_EQ(g->hint.FromX, SitaHandColumn);
  EXPECT_EQ(g->hint.FromY, 10);  // the rook's hand cell, row 9 + 1
  EXPECT_EQ(g->hint.Code, -SYA);
  EXPECT_EQ(g->hint.ToX, 1);
  EXPECT_GE(g->hint.ToY, 3);
  EXPECT_EQ(outlineAt(SitaHandColumn, 10), 14);
  EXPECT_EQ(outlineAt(g->hint.ToX, g->hint.ToY), 14);
  press(8, 5);
  EXPECT_FALSE(g->hint.Shown);
  EXPECT_EQ(outlineAt(SitaHandColumn, 10), g->screen.GridColour);
}

}  // namespace
}  // namespace qz::flow_test
