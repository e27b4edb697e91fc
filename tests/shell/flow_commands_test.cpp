// The start commands in every state of a game, and the choice of placement.
#include "flow_fixture.h"
#include "model/placement.h"
#include "play/cp932.h"

namespace qz::flow_test {
namespace {

using FlowCommands = FlowTest;

TEST_F(FlowCommands, StartAtStartUpLetsTheLowerSideOpen) {
  g->Menu(MenuCommand::START);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].title, " ");
  EXPECT_EQ(shown()[0].text, "先手の番です");
  EXPECT_EQ(g->flags.GameMode, ModeTwoHumans);
  EXPECT_EQ(g->flags.LowerSideToken, TurnSente);
  EXPECT_EQ(g->flags.UpperSideToken, TurnGote);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  EXPECT_TRUE(g->clocks.Timer1Enabled);
  EXPECT_FLOAT_EQ(g->clocks.TurnStartTime, static_cast<float>(rp.time.now));
  // The level caption's corner is painted over.
  EXPECT_TRUE(paintedPictureAt(-2, 0));
  EXPECT_TRUE(paintedPictureAt(-1, 0));
  EXPECT_TRUE(paintedPictureAt(0, 0));
}

TEST_F(FlowCommands, StartLeavesTheTimerAloneWithTheClockOff) {
  g->Menu(MenuCommand::KEIKA);  // off
  ASSERT_FALSE(g->checks.KEIKA);
  g->Menu(MenuCommand::START);
  EXPECT_FALSE(g->clocks.Timer1Enabled);
}

TEST_F(FlowCommands, StartInAGameOnlyRepeatsWhoseTurnItIs) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  clearLog();
  g->Menu(MenuCommand::START);
  EXPECT_TRUE(said(" ", "後手の番です"));
  EXPECT_EQ(g->flags.Turn, TurnGote);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->pos.at(3, 7), -HU);
}

TEST_F(FlowCommands, StartAfterAFinishedGameSetsUpAFreshOne) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  g->flags.Winner = TurnSente;
  clearLog();
  g->Menu(MenuCommand::START);
  EXPECT_EQ(g->flags.Winner, NoTurn);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
  EXPECT_TRUE(said(" ", "先手の番です"));
}

TEST_F(FlowCommands, SenteFreshAlwaysStartsTheTimer) {
  g->Menu(MenuCommand::KEIKA);  // off
  g->Menu(MenuCommand::SENTE);
  EXPECT_TRUE(said(" ", "MANの番です"));
  EXPECT_TRUE(g->clocks.Timer1Enabled);
  EXPECT_EQ(g->flags.GameMode, ModeComputer);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_EQ(g->flags.LowerSideToken, TurnSente);
  EXPECT_EQ(g->flags.MoveNumber, 0);
}

TEST_F(FlowCommands, SenteWithTheLowerSideToMoveHandsOverToTheComputer) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  move(3, 3, 3, 4);
  g->flags.ResumePending = 1;
  clearLog();
  g->Menu(MenuCommand::SENTE);
  EXPECT_TRUE(said("対局", "MANの番です"));
  EXPECT_EQ(g->flags.GameMode, ModeComputer);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  EXPECT_EQ(g->flags.ResumePending, 0);
  EXPECT_EQ(g->flags.MoveNumber, 2);
}

TEST_F(FlowCommands, SenteWithTheUpperSideToMoveLetsTheComputerMoveAtOnce) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  clearLog();
  g->Menu(MenuCommand::SENTE);
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_EQ(pieceSounds(), 1);
}

TEST_F(FlowCommands, SenteAfterAFinishedGameStartsFresh) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  g->flags.Winner = TurnGote;
  clearLog();
  g->Menu(MenuCommand::SENTE);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
  EXPECT_TRUE(said(" ", "MANの番です"));
}

TEST_F(FlowCommands, GoteWithTheLowerSideToMoveOnlyAnnounces) {
  g->Menu(MenuCommand::SENTE);
  move(3, 8, 3, 7);  // the computer answers
  clearLog();
  g->Menu(MenuCommand::GOTE);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_TRUE(said("対局", "MANの番です"));
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(pieceSounds(), 0);
}

TEST_F(FlowCommands, GoteAfterAFinishedGameLetsTheComputerOpenAFreshGame) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  g->flags.Winner = TurnSente;
  clearLog();
  g->Menu(MenuCommand::GOTE);
  EXPECT_EQ(g->flags.Winner, NoTurn);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->flags.UpperSideToken, TurnSente);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
}

TEST_F(FlowCommands, ContinuingAfterStepsBackCutsTheHistoryHere) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  move(3, 3, 3, 4);
  move(4, 8, 4, 7);
  move(4, 3, 4, 4);
  g->Menu(MenuCommand::REPLAY);
  g->Menu(MenuCommand::REPLAY);
  ASSERT_EQ(g->hist.MoveCount, 2);
  ASSERT_EQ(g->flags.Turn, TurnSente);
  g->Menu(MenuCommand::SENTE);
  EXPECT_EQ(g->hist.LastSnapshot, 2);
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(said("進む", "できません"));
}

TEST_F(FlowCommands, ContinuingFromTheLatestMoveKeepsItReachable) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  move(3, 3, 3, 4);
  PieceCode newest[11][11];
  std::memcpy(newest, g->pos.Board, sizeof newest);
  g->Menu(MenuCommand::SENTE);  // the lower side to move: no computer move
  ASSERT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->hist.LastSnapshot, 2);
  g->Menu(MenuCommand::REPLAY);
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(SameBoard(newest, g->pos.Board));
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(said("進む", "できません"));
  EXPECT_TRUE(SameBoard(newest, g->pos.Board));
}

TEST_F(FlowCommands, AfterAReversalTheHistoryIsCutAtTheCursorNotTheMoveNumber) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  move(3, 3, 3, 4);
  move(4, 8, 4, 7);
  g->Menu(MenuCommand::REVERSE);
  ASSERT_EQ(g->hist.MoveCount, 0);
  ASSERT_EQ(g->flags.MoveNumber, 3);
  // The army that was to move (後手) now plays the lower side.
  g->Menu(MenuCommand::GOTE);
  EXPECT_EQ(g->hist.LastSnapshot, 0);
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(said("進む", "できません"));
}

class FlowPlacement : public FlowTest {};

TEST_F(FlowPlacement, SwitchingBackAndForthGivesExactStartingPositions) {
  ASSERT_TRUE(g->checks.UREI);
  g->Menu(MenuCommand::SAREI);
  Position left;
  SetUpStartingPosition(left, false);
  EXPECT_TRUE(SameBoard(left.Board, g->pos.Board));
  EXPECT_TRUE(g->checks.SAREI);
  EXPECT_FALSE(g->checks.UREI);
  EXPECT_NE(readFile((dir / SettingsFileName).string()).find(*Utf8ToCp932("初期配置=左嶺")),
            std::string::npos);

  g->Menu(MenuCommand::UREI);
  Position right;
  SetUpStartingPosition(right, true);
  EXPECT_TRUE(SameBoard(right.Board, g->pos.Board));
  EXPECT_NE(readFile((dir / SettingsFileName).string()).find(*Utf8ToCp932("初期配置=右嶺")),
            std::string::npos);
}

TEST_F(FlowPlacement, ChoosingTheCheckedEntryDoesNothing) {
  const std::string settings = (dir / SettingsFileName).string();
  writeFile(settings, "marker");
  g->Menu(MenuCommand::UREI);
  EXPECT_TRUE(rp.canvas.ops.empty());
  EXPECT_EQ(readFile(settings), "marker");
}

TEST_F(FlowPlacement, RefusedDuringAGameAndAfterAReversal) {
  const std::string reason2 = "対局途中ではできません\r\r局面→最初にして下さい";
  const std::string reason3 = "反転後ではできません\r\r局面→最初にして下さい";
  g->Menu(MenuCommand::REVERSE);
  clearLog();
  g->Menu(MenuCommand::SAREI);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("初期配置", reason3));
  EXPECT_TRUE(g->checks.UREI);

  g->Menu(MenuCommand::CANCEL);
  g->Menu(MenuCommand::START);
  g->Menu(MenuCommand::REVERSE);  // the upper army is now to move
  move(3, 3, 3, 4);               // both conditions: the game goes first
  ASSERT_EQ(g->hist.MoveCount, 1);
  clearLog();
  g->Menu(MenuCommand::SAREI);
  EXPECT_TRUE(said("初期配置", reason2));
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(g->checks.UREI);
}

TEST_F(FlowPlacement, RefusedAfterAMove) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  clearLog();
  g->Menu(MenuCommand::SAREI);
  EXPECT_EQ(forbidden(), 1);
  EXPECT_TRUE(said("初期配置", "対局途中ではできません\r\r局面→最初にして下さい"));
  EXPECT_TRUE(g->checks.UREI);
  EXPECT_EQ(g->pos.at(5, 9), -DOU);
}

TEST_F(FlowPlacement, NewGameUsesTheCheckedPlacement) {
  g->Menu(MenuCommand::SAREI);
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  g->Menu(MenuCommand::CANCEL);
  EXPECT_EQ(g->pos.at(6, 9), -DOU);
  EXPECT_EQ(g->pos.at(3, 10), -REI);
  EXPECT_EQ(g->pos.at(3, 8), -HU);
  EXPECT_EQ(g->hist.LastSnapshot, 0);
}

}  // namespace
}  // namespace qz::flow_test
