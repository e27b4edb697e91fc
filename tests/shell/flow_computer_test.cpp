// Games against the computer: its turn, the announcements, the ends of a game
// and the cases where it cannot play.
#include "flow_fixture.h"

namespace qz::flow_test {
namespace {

using FlowComputer = FlowTest;

int Differences(const PieceCode a[11][11], const PieceCode b[11][11]) {
  int n = 0;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (a[x][y] != b[x][y]) ++n;
  return n;
}

TEST_F(FlowComputer, GoteLetsTheComputerOpenAndHandsTheTurnBack) {
  PieceCode start[11][11];
  std::memcpy(start, g->pos.Board, sizeof start);
  const double t0 = rp.time.now;
  g->Menu(MenuCommand::GOTE);

  EXPECT_EQ(g->flags.GameMode, ModeComputer);
  EXPECT_EQ(g->flags.LowerSideToken, TurnGote);
  EXPECT_EQ(g->flags.UpperSideToken, TurnSente);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->hist.MoveCount, 1);
  EXPECT_EQ(g->hist.LastSnapshot, 1);  // the position after the computer's move is kept
  EXPECT_TRUE(SameBoard(g->hist.entries[0].Board, start));
  EXPECT_TRUE(SameBoard(g->hist.entries[1].Board, g->pos.Board));
  // Its clocks are the totals once the computer's turn is charged.
  EXPECT_DOUBLE_EQ(g->hist.entries[0].UeAfter, g->clocks.UpperClock);
  EXPECT_DOUBLE_EQ(g->hist.entries[1].UeBefore, g->clocks.UpperClock);
  EXPECT_DOUBLE_EQ(g->hist.entries[1].UeAfter, g->clocks.UpperClock);
  EXPECT_EQ(Differences(start, g->pos.Board), 2);  // one board move of the upper side
  EXPECT_EQ(pieceSounds(), 1);
  // Two blinks and the pause after the move take 1.3 seconds on the clock.
  EXPECT_GE(g->clocks.UpperClock, 1.3);
  EXPECT_NEAR(g->clocks.UpperClock, rp.time.now - t0, 0.06);
  EXPECT_TRUE(g->clocks.Timer1Enabled);  // the clock entry is checked by default
  EXPECT_TRUE(shown().empty());
  // The move's destination carries the mark.
  EXPECT_EQ(outlineAt(g->com.BestMove.toX, g->com.BestMove.toY), ColourLightRed);
}

TEST_F(FlowComputer, HumanMoveIsAnsweredInsideThePress) {
  g->Menu(MenuCommand::SENTE);
  EXPECT_TRUE(said(" ", "MANの番です"));
  EXPECT_EQ(g->flags.LowerSideToken, TurnSente);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  clearLog();
  rp.time.now += 3;
  move(3, 8, 3, 7);
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->hist.MoveCount, 2);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_NEAR(g->clocks.LowerClock, 3, 0.01);
  EXPECT_NEAR(g->hist.entries[0].SitaAfter, 3, 0.01);
  EXPECT_NEAR(g->hist.entries[1].SitaBefore, 3, 0.01);
  EXPECT_NEAR(g->hist.entries[1].UeBefore, 0, 0.01);
  EXPECT_EQ(pieceSounds(), 2);
  EXPECT_GE(Differences(g->hist.entries[1].Board, g->pos.Board), 2);
}

TEST_F(FlowComputer, CapturingTheComputersKingWins) {
  g->Menu(MenuCommand::SENTE);
  emptyBoard();
  g->pos.at(6, 5) = -SYA;
  clearLog();
  move(6, 5, 6, 1);
  EXPECT_EQ(g->flags.Winner, g->flags.LowerSideToken);
  EXPECT_TRUE(said("終了", "あなたの勝ちです"));
  EXPECT_EQ(g->flags.MoveNumber, 1);  // no reply
  EXPECT_FALSE(g->clocks.Timer1Enabled);
  clearLog();
  press(3, 3);
  EXPECT_TRUE(said("終局", "新規に対局してください"));
}

TEST_F(FlowComputer, MatingTheComputerWins) {
  g->Menu(MenuCommand::SENTE);
  emptyBoard();
  g->pos.at(6, 1) = EMPTY;
  g->pos.at(1, 1) = OU;
  g->pos.at(2, 3) = -KIN;
  g->pos.at(3, 3) = -GIN;
  clearLog();
  move(2, 3, 2, 2);
  EXPECT_EQ(g->flags.Winner, g->flags.LowerSideToken);
  EXPECT_TRUE(said("終了", "あなたの勝ちです"));
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->pos.at(1, 1), OU);
}

TEST_F(FlowComputer, KingCaptureIsAnnouncedAsTheComputersWinNotAsMate) {
  g->Menu(MenuCommand::SENTE);
  emptyBoard();
  g->pos.at(5, 10) = EMPTY;
  g->pos.at(5, 6) = -OU;
  g->pos.at(5, 1) = SYA;
  g->pos.at(1, 10) = -HU - 1;
  g->flags.Turn = g->flags.UpperSideToken;
  g->flags.ResumePending = 1;
  clearLog();
  press(1, 10);  // the computer is to move: it resumes first
  ASSERT_GE(shown().size(), 2u);
  EXPECT_EQ(shown()[0].title, "再開(COM)");
  EXPECT_EQ(shown()[0].text, "OKですか？");
  EXPECT_EQ(g->pos.at(5, 6), SYA);
  EXPECT_EQ(g->flags.Winner, g->flags.UpperSideToken);
  EXPECT_TRUE(said("終了", "ｺﾝﾋﾟｭｰﾀの勝ちです"));
  EXPECT_FALSE(saidText("よし！!"));
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_EQ(g->input.InputState, Idle);  // the finished game takes no selection
  clearLog();
  press(1, 10);
  EXPECT_TRUE(said("終局", "新規に対局してください"));
}

TEST_F(FlowComputer, MateByTheComputerIsAnnouncedAndPlayGoesOn) {
  g->Menu(MenuCommand::SENTE);
  emptyBoard();
  g->pos.at(5, 10) = EMPTY;
  g->pos.at(1, 10) = -OU;
  g->pos.at(1, 8) = HU;
  g->pos.Hand[UE][6] = 1;
  g->pos.HandTotal[UE] = 1;
  g->flags.Turn = g->flags.UpperSideToken;
  clearLog();
  g->com_ban();
  EXPECT_EQ(g->pos.at(1, 9), KIN);
  EXPECT_TRUE(said("詰め ?", "よし！!"));
  EXPECT_EQ(g->flags.Winner, NoTurn);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  // The drop blinked in the computer's hand slot: gold is hand kind 6, row 4.
  bool blinkedInHand = false;
  for (const PaintOp& op : rp.canvas.ops)
    if (op.kind == PaintOp::Picture && op.code == KIN && op.x == Tx(-1) && op.y == Ty(4))
      blinkedInHand = true;
  EXPECT_TRUE(blinkedInHand);
}

TEST_F(FlowComputer, NoCandidateLeavesTheTurnToTheHuman) {
  g->Menu(MenuCommand::SENTE);
  emptyBoard();
  g->pos.at(6, 1) = EMPTY;
  g->pos.at(3, 10) = HU;  // an upper pawn that cannot move on
  g->flags.Turn = g->flags.UpperSideToken;
  const double before = g->clocks.UpperClock;
  clearLog();
  rp.time.now += 2;
  g->com_ban();
  EXPECT_TRUE(said("対局", "ｺﾝﾋﾟｭｰﾀは指せる手がありません"));
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_EQ(g->pos.at(3, 10), HU);
  EXPECT_GE(g->clocks.UpperClock, before);
  EXPECT_FLOAT_EQ(g->clocks.TurnStartTime, static_cast<float>(rp.time.now));
  EXPECT_EQ(pieceSounds(), 0);
}

TEST_F(FlowComputer, FullHistoryStopsTheComputerWithAMessage) {
  g->Menu(MenuCommand::SENTE);
  g->flags.Turn = g->flags.UpperSideToken;
  g->hist.MoveCount = History::Capacity;
  PieceCode before[11][11];
  std::memcpy(before, g->pos.Board, sizeof before);
  clearLog();
  g->com_ban();
  EXPECT_TRUE(said("対局", "これ以上記録できません"));
  EXPECT_TRUE(SameBoard(before, g->pos.Board));
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
}

TEST_F(FlowComputer, NothingHappensOnceTheGameIsDecided) {
  g->Menu(MenuCommand::SENTE);
  g->flags.Winner = g->flags.LowerSideToken;
  g->flags.Turn = g->flags.UpperSideToken;
  const float start = g->clocks.TurnStartTime;
  clearLog();
  rp.time.now += 10;
  g->com_ban();
  EXPECT_TRUE(rp.canvas.ops.empty());
  EXPECT_TRUE(rp.sound.calls.empty());
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_FLOAT_EQ(g->clocks.TurnStartTime, start);
}

TEST_F(FlowComputer, WaitRunsAcrossMidnight) {
  rp.time.now = 86399.8;
  g->待ち時間(0.5);
  EXPECT_LT(rp.time.now, 1.0);
  EXPECT_GT(rp.time.now, 0.3);
}

TEST_F(FlowComputer, BlinkShowsEmptyThenPieceAndRefreshes) {
  const double t0 = rp.time.now;
  g->描画_駒点滅(SYA, 2, 2, 2);
  std::vector<int> pictures;
  int refreshes = 0;
  for (const PaintOp& op : rp.canvas.ops) {
    if (op.kind == PaintOp::Picture) pictures.push_back(op.code);
    if (op.kind == PaintOp::Refresh) ++refreshes;
  }
  EXPECT_EQ(pictures, (std::vector<int>{EMPTY, SYA, EMPTY, SYA}));
  EXPECT_EQ(refreshes, 4);
  EXPECT_GE(rp.time.now - t0, 0.8);
}

}  // namespace
}  // namespace qz::flow_test
