// The elapsed-time clocks: the hh:mm:ss text, the tick, and the 経過時間 switch.
#include "play/cp932.h"
#include "shell/present_fixture.h"

namespace qz::present_test {
namespace {

using ClockTest = PresentTest;

TEST(ClockText, FormatsHoursMinutesSeconds) {
  EXPECT_EQ(Game::調査_時間秒追加結果(0), "00:00:00");
  EXPECT_EQ(Game::調査_時間秒追加結果(59.7), "00:00:59");
  EXPECT_EQ(Game::調査_時間秒追加結果(59.99999999999999), "00:00:59");
  EXPECT_EQ(Game::調査_時間秒追加結果(60), "00:01:00");
  EXPECT_EQ(Game::調査_時間秒追加結果(3725), "01:02:05");
  EXPECT_EQ(Game::調査_時間秒追加結果(359999.5), "99:59:59");
  // 100 hours and more leave the hour field empty.
  EXPECT_EQ(Game::調査_時間秒追加結果(360000), ":00:00");
  EXPECT_EQ(Game::調査_時間秒追加結果(1e12), ":46:40");
  EXPECT_EQ(Game::変換_数字から文字(7), "07");
  EXPECT_EQ(Game::変換_数字から文字(42), "42");
  EXPECT_EQ(Game::変換_数字から文字(100), "");
}

TEST(ClockText, ElapsedSecondsAcrossMidnight) {
  EXPECT_DOUBLE_EQ(Game::調査_経過秒(100, 160.5), 60.5);
  EXPECT_DOUBLE_EQ(Game::調査_経過秒(86398, 3), 5);
  EXPECT_DOUBLE_EQ(Game::調査_経過秒(5, 5), 0);
}

TEST_F(ClockTest, TickDrawsTheRunningSideOncePerWholeSecond) {
  g->checks.KEIKA = true;
  g->screen.CurrentBackground = TATAMI;
  g->flags.Turn = g->flags.LowerSideToken;
  g->clocks.LowerClock = 3600;
  g->clocks.UpperClock = 7;
  rp.time.now = 86398;  // 23:59:58
  g->clocks.TurnStartTime = static_cast<float>(rp.time.now);
  g->SetTimer1(true);
  EXPECT_TRUE(rp.timer.enabled);

  rp.time.advance(0.5);
  g->Timer1_Timer();  // still second 0: nothing
  EXPECT_TRUE(ops().empty());

  rp.time.advance(4.7);  // 00:00:03.2
  g->Timer1_Timer();
  EXPECT_EQ(g->clocks.LastShownSecond, 5);
  EXPECT_EQ(textAt(14, 11.2).text, "01:00:05");
  EXPECT_EQ(textAt(14.1, 11.3).colour, ColourBlack);
  EXPECT_EQ(ops().back().kind, PaintOp::Refresh);
  EXPECT_EQ(ops().front().code, TATAMI);  // the clock cells are erased first
  EXPECT_EQ(ops().front().x, Tx(13));

  ops().clear();
  rp.time.advance(0.3);
  g->Timer1_Timer();
  EXPECT_TRUE(ops().empty());

  // The upper side's clock at the lower left; the totals are not changed.
  g->flags.Turn = g->flags.UpperSideToken;
  rp.time.advance(1);
  g->Timer1_Timer();
  EXPECT_EQ(textAt(-1.6, 11.2).text, "00:00:13");
  EXPECT_EQ(g->clocks.UpperClock, 7);
}

TEST_F(ClockTest, TickDoesNothingWhenStoppedDecidedOrHidden) {
  g->checks.KEIKA = true;
  g->flags.Turn = g->flags.LowerSideToken;
  g->clocks.TurnStartTime = static_cast<float>(rp.time.now);
  rp.time.advance(3);
  g->Timer1_Timer();  // timer disabled
  EXPECT_TRUE(ops().empty());

  g->SetTimer1(true);
  g->flags.Winner = g->flags.LowerSideToken;
  g->Timer1_Timer();
  EXPECT_TRUE(ops().empty());

  // With 経過時間 off the time still advances, but nothing is painted
  // except the refresh.
  g->flags.Winner = NoTurn;
  g->checks.KEIKA = false;
  g->Timer1_Timer();
  EXPECT_EQ(g->clocks.LastShownSecond, 3);
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(ops()[0].kind, PaintOp::Refresh);
}

TEST_F(ClockTest, KeikaSwitchShowsOrErasesBothClocksAndSaves) {
  g->screen.CurrentBackground = UCHU;
  g->clocks.UpperClock = 61;
  g->clocks.LowerClock = 3725;
  g->KEIKA_Click();  // on, even with no game running
  EXPECT_TRUE(g->checks.KEIKA);
  EXPECT_TRUE(g->clocks.Timer1Enabled);
  EXPECT_TRUE(rp.timer.enabled);
  EXPECT_EQ(textAt(-1.6, 11.2).text, "00:01:01");
  EXPECT_EQ(textAt(14, 11.2).text, "01:02:05");
  EXPECT_NE(readFile(settingsPath()).find(*Utf8ToCp932("\r\n経過時間=ON\r\n")), std::string::npos);

  g->KEIKA_Click();  // off
  EXPECT_FALSE(g->checks.KEIKA);
  EXPECT_FALSE(rp.timer.enabled);
  EXPECT_TRUE(rp.canvas.textsIn(Tx(-2), Ty(11), Tx(1), Ty(12)).empty());
  EXPECT_TRUE(rp.canvas.textsIn(Tx(13), Ty(11), Tx(16), Ty(12)).empty());
}

}  // namespace
}  // namespace qz::present_test
