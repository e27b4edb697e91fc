// The sound layer leaves the process's signals alone: a SIGTERM (logout,
// shutdown, kill) or a Ctrl+C must still end the game.
#include <gtest/gtest.h>

#include <csignal>

#include "app/sdl_sound.h"

namespace qz::app::testing {
namespace {

// The handler that is in force for a signal now.
void (*HandlerOf(int signal))(int) {
  struct sigaction now {};
  sigaction(signal, nullptr, &now);
  return now.sa_handler;
}

// Puts a signal to its default action for the test's length, whatever the
// test runner chose, and gives the runner's choice back afterwards.
class DefaultAction {
 public:
  explicit DefaultAction(int signal) : signal_(signal) {
    struct sigaction def {};
    def.sa_handler = SIG_DFL;
    sigemptyset(&def.sa_mask);
    sigaction(signal_, &def, &saved_);
  }
  ~DefaultAction() { sigaction(signal_, &saved_, nullptr); }

 private:
  int signal_;
  struct sigaction saved_ {};
};

TEST(QaSignals, OpeningTheSoundSystemKeepsTheDefaultTerminationSignals) {
  DefaultAction term(SIGTERM), interrupt(SIGINT);
  SdlSound sound;
  const std::int32_t system = sound.dsInitialize(0);
  ASSERT_NE(system, 0) << "needs SDL_AUDIODRIVER=dummy";
  EXPECT_EQ(HandlerOf(SIGTERM), SIG_DFL);
  EXPECT_EQ(HandlerOf(SIGINT), SIG_DFL);
  sound.dsTerminate(system);
  EXPECT_EQ(HandlerOf(SIGTERM), SIG_DFL);
  EXPECT_EQ(HandlerOf(SIGINT), SIG_DFL);
}

}  // namespace
}  // namespace qz::app::testing
