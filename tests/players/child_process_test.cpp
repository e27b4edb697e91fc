// The pipes to an outside engine: a reply deadline that holds while the
// engine floods its output, and an engine that has ended while something it
// started keeps the pipe open.
#include "players/child_process.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace qz {
namespace {

using Clock = ChildProcess::Clock;

double SecondsSince(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

TEST(ChildProcess, ThePassedDeadlineHoldsWhateverWaitsInThePipe) {
  ChildProcess child;
  std::string problem;
  ASSERT_TRUE(child.Start("exec yes flood", problem)) << problem;
  std::string line;
  ASSERT_EQ(child.ReadLine(line, Clock::now() + std::chrono::seconds(10)),
            ChildProcess::ReadResult::Line);
  EXPECT_EQ(line, "flood");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the pipe fills up
  // Past the deadline only what was already taken from the pipe is given;
  // the pipe itself, full as it is, is not read again.
  const auto deadline = Clock::now();
  const auto start = Clock::now();
  int lines = 0;
  while (child.ReadLine(line, deadline) == ChildProcess::ReadResult::Line && lines < 100000)
    ++lines;
  EXPECT_LT(lines, 4096);
  EXPECT_LT(SecondsSince(start), 1.0);
  child.Kill();
}

TEST(ChildProcess, AnEndedChildIsSeenThoughItsOwnChildHoldsThePipe) {
  ChildProcess child;
  std::string problem;
  // The shell answers, leaves a sleeper holding its output and ends.
  ASSERT_TRUE(child.Start("echo last words; sleep 30 & exit 3", problem)) << problem;
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::seconds(8);
  std::string line;
  ASSERT_EQ(child.ReadLine(line, deadline), ChildProcess::ReadResult::Line);
  EXPECT_EQ(line, "last words");
  EXPECT_EQ(child.ReadLine(line, deadline), ChildProcess::ReadResult::Closed);
  EXPECT_LT(SecondsSince(start), 4.0);
  EXPECT_TRUE(child.HasEnded());
  child.Kill();  // and the sleeper with it: its group is ended
  EXPECT_EQ(child.ExitDescription(), "exit status 3");

  // A child that lives on is still waited for until the deadline.
  ASSERT_TRUE(child.Start("exec sleep 30", problem)) << problem;
  const auto before = Clock::now();
  EXPECT_EQ(child.ReadLine(line, before + std::chrono::milliseconds(300)),
            ChildProcess::ReadResult::TimedOut);
  EXPECT_GT(SecondsSince(before), 0.25);
  child.Kill();
}

}  // namespace
}  // namespace qz
