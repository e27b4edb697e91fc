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

TEST(QaSignals, OpeningTheSoundSystemKeepsTheDefaultTerminationSignals) {
  // Ctrl+C may be ignored by the shell that started the tests; what counts
  // is that the sound system does not change either signal.
  void (*const termBefore)(int) = HandlerOf(SIGTERM);
  void (*const intBefore)(int) = HandlerOf(SIGINT);
  ASSERT_EQ(termBefore, SIG_DFL);
  SdlSound sound;
  const std::int32_t system = sound.dsInitialize(0);
  ASSERT_NE(system, 0) << "needs SDL_AUDIODRIVER=dummy";
  EXPECT_EQ(HandlerOf(SIGTERM), termBefore);
  EXPECT_EQ(HandlerOf(SIGINT), intBefore);
  sound.dsTerminate(system);
  EXPECT_EQ(HandlerOf(SIGTERM), termBefore);
  EXPECT_EQ(HandlerOf(SIGINT), intBefore);
}

}  // namespace
}  // namespace qz::app::testing
