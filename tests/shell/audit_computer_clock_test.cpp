// The computer's clock: what its turn is charged, and that the history keeps
// the same figure the live clock shows.
#include "flow_fixture.h"

namespace qz::flow_test {
namespace {

// Message boxes that stay open for a while on the game's clock, as a player
// reading them would keep them.
class SlowReader : public RecordingDialogs {
 public:
  SlowReader(FakeTime& time, double seconds) : time_(time), seconds_(seconds) {}
  void message(std::string_view title, std::string_view text, MessageIcon icon) override {
    RecordingDialogs::message(title, text, icon);
    time_.advance(seconds_);
  }

 private:
  FakeTime& time_;
  double seconds_;
};

using AuditComputerClock = FlowTest;

// The computer drops a gold next to the lower king in the corner: mate, so
// the announcement box opens after its move.
void SetUpMateInOne(Game& g) {
  g.pos.at(5, 10) = EMPTY;
  g.pos.at(1, 10) = -OU;
  g.pos.at(1, 8) = HU;
  g.pos.Hand[UE][6] = 1;
  g.pos.HandTotal[UE] = 1;
  g.flags.Turn = g.flags.UpperSideToken;
}

TEST_F(AuditComputerClock, ReadingTheAnnouncementIsNotChargedToTheComputer) {
  g->Menu(MenuCommand::SENTE);
  emptyBoard();
  SetUpMateInOne(*g);
  SlowReader reader(rp.time, 30.0);
  g->ports.dialogs = &reader;
  const double t0 = rp.time.now;
  g->com_ban();
  ASSERT_EQ(g->pos.at(1, 9), KIN);
  ASSERT_FALSE(reader.shown.empty());
  EXPECT_EQ(reader.shown.front().text, "よし！!");
  // The blinks and the pause after the move (1.3 s) belong to the computer's
  // turn; the 30 s the box stayed open do not.
  EXPECT_NEAR(g->clocks.UpperClock, 1.3, 0.11);
  // The human's turn starts when the box is closed.
  EXPECT_FLOAT_EQ(g->clocks.TurnStartTime, static_cast<float>(rp.time.now));
  EXPECT_GT(rp.time.now - t0, 30.0);
  // The record of the move holds the same total.
  EXPECT_NEAR(g->hist.entries[0].UeAfter, g->clocks.UpperClock, 0.01);
}

TEST_F(AuditComputerClock, HistoryAfterValueOfAComputerMoveMatchesTheNextBeforeValue) {
  g->Menu(MenuCommand::GOTE);
  ASSERT_EQ(g->hist.MoveCount, 1);
  ASSERT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  const double charged = g->clocks.UpperClock;
  EXPECT_GE(charged, 1.3);
  EXPECT_NEAR(g->hist.entries[0].UeBefore, 0, 0.01);
  EXPECT_NEAR(g->hist.entries[0].UeAfter, charged, 0.01);

  // The human answers; the entry of that move starts from the computer's
  // total as the clock holds it.
  rp.time.now += 2;
  move(3, 8, 3, 7);
  ASSERT_GE(g->hist.MoveCount, 2);
  EXPECT_NEAR(g->hist.entries[1].UeBefore, g->hist.entries[0].UeAfter, 0.01);
  EXPECT_NEAR(g->hist.entries[1].UeAfter, g->hist.entries[1].UeBefore, 0.01);
  // And the computer's reply is recorded with what it was charged for it.
  ASSERT_EQ(g->hist.MoveCount, 3);
  EXPECT_NEAR(g->hist.entries[2].UeAfter, g->clocks.UpperClock, 0.01);
}

}  // namespace
}  // namespace qz::flow_test
