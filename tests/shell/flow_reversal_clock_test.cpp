// The clocks across 反転: the side that was thinking keeps its time, the
// turn's timing starts again, and no clock shown ever goes back.
#include "flow_fixture.h"

namespace qz::flow_test {
namespace {

class ReversalClock : public FlowTest {
 protected:
  // Whole seconds of every hh:mm:ss text painted at a clock's main position.
  std::vector<int> shownSeconds(double x) const {
    std::vector<int> seconds;
    for (const PaintOp& op : rp.canvas.ops) {
      if (op.kind != PaintOp::Text || std::lround(op.x) != std::lround(Tx(x)) ||
          std::lround(op.y) != std::lround(Ty(11.2)) || op.text.size() != 8)
        continue;
      seconds.push_back(std::stoi(op.text.substr(0, 2)) * 3600 +
                        std::stoi(op.text.substr(3, 2)) * 60 + std::stoi(op.text.substr(6, 2)));
    }
    return seconds;
  }
  std::vector<int> upperShown() const { return shownSeconds(-1.6); }
  std::vector<int> lowerShown() const { return shownSeconds(14); }

  // The 50 ms timer running for a while on the fake clock.
  void wait(double seconds) {
    for (double t = 0; t < seconds; t += 0.05) {
      rp.time.advance(0.05);
      g->TimerTick();
    }
  }
};

bool NeverDecreases(const std::vector<int>& v) { return std::is_sorted(v.begin(), v.end()); }

TEST_F(ReversalClock, AgainstTheComputerTheHumansWaitIsNotTheComputersTime) {
  ASSERT_TRUE(g->checks.KEIKA);
  g->Menu(MenuCommand::SENTE);
  wait(2);
  move(3, 8, 3, 7);  // the computer answers within the same press
  ASSERT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  const double lower = g->clocks.LowerClock, upper = g->clocks.UpperClock;
  ASSERT_GT(upper, 1.0);

  wait(10);
  g->Menu(MenuCommand::REVERSE);
  EXPECT_NEAR(g->clocks.LowerClock, lower + 10, 0.1);
  EXPECT_DOUBLE_EQ(g->clocks.UpperClock, upper);
  ASSERT_EQ(g->flags.Turn, g->flags.UpperSideToken);
  EXPECT_FALSE(g->clocks.Timer1Enabled);

  // Nobody thinks until the press that sets the computer going.
  const auto upperBeforeWait = upperShown().size();
  wait(10);
  EXPECT_EQ(upperShown().size(), upperBeforeWait);

  press(5, 5);
  ASSERT_TRUE(said("再開(COM)", "OKですか？"));
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  // Its clock is charged the blinks and the pause of its own turn only.
  EXPECT_NEAR(g->clocks.UpperClock, upper + 1.3, 0.2);
  EXPECT_NEAR(g->clocks.LowerClock, lower + 10, 0.1);
  wait(3);

  EXPECT_TRUE(NeverDecreases(upperShown()));
  EXPECT_TRUE(NeverDecreases(lowerShown()));
  EXPECT_GE(lowerShown().back(), static_cast<int>(lower + 12));
}

TEST_F(ReversalClock, BetweenTwoHumansEachSideIsChargedItsOwnThinking) {
  g->Menu(MenuCommand::START);
  wait(4);
  move(3, 8, 3, 7);
  ASSERT_NEAR(g->clocks.LowerClock, 4, 0.1);
  wait(7);  // the upper side thinks
  g->Menu(MenuCommand::REVERSE);
  EXPECT_NEAR(g->clocks.UpperClock, 7, 0.1);
  EXPECT_NEAR(g->clocks.LowerClock, 4, 0.1);
  ASSERT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_TRUE(g->clocks.Timer1Enabled);

  // The army still to move now thinks on the lower side's clock.
  wait(5);
  move(8, 8, 8, 7);
  EXPECT_NEAR(g->clocks.LowerClock, 9, 0.1);
  EXPECT_NEAR(g->clocks.UpperClock, 7, 0.1);
  EXPECT_TRUE(NeverDecreases(upperShown()));
  EXPECT_TRUE(NeverDecreases(lowerShown()));

  // After a step back the turn is not timed until play resumes: a reversal
  // then charges nobody.
  g->Menu(MenuCommand::REPLAY);
  const double lowerAfterStep = g->clocks.LowerClock, upperAfterStep = g->clocks.UpperClock;
  wait(20);
  g->Menu(MenuCommand::REVERSE);
  EXPECT_DOUBLE_EQ(g->clocks.LowerClock, lowerAfterStep);
  EXPECT_DOUBLE_EQ(g->clocks.UpperClock, upperAfterStep);
}

}  // namespace
}  // namespace qz::flow_test
