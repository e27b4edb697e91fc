// The game's command line: --help and --version end at once, Qt's options
// pass, anything else is refused.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace qz::app::testing {
namespace {

CommandLine Read(std::initializer_list<const char*> args) {
  std::vector<const char*> argv = {"qzreishogi"};
  argv.insert(argv.end(), args);
  return ReadCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, AnswersHelpAndVersionAndPassesQtOptions) {
  EXPECT_EQ(Read({}).action, CommandLine::Run);
  EXPECT_EQ(Read({"--help"}).action, CommandLine::Help);
  EXPECT_EQ(Read({"-platform", "offscreen", "-h"}).action, CommandLine::Help);
  EXPECT_EQ(Read({"--version"}).action, CommandLine::Version);
  EXPECT_EQ(
      Read({"-platform", "offscreen", "-style=Fusion", "--reverse", "-qwindowtitle", "x"}).action,
      CommandLine::Run);
  EXPECT_NE(HelpText().find("--version"), std::string::npos);
  EXPECT_EQ(VersionText().rfind("qzreishogi (QZ 嶺将棋) ", 0), 0u);
}

TEST(CommandLine, RefusesWhatItDoesNotKnow) {
  const CommandLine unknown = Read({"--fullscreen"});
  EXPECT_EQ(unknown.action, CommandLine::Error);
  EXPECT_NE(unknown.error.find("--fullscreen"), std::string::npos);
  EXPECT_EQ(Read({"game.棋譜"}).action, CommandLine::Error);
  EXPECT_EQ(Read({"-platform"}).action, CommandLine::Error);  // value missing
  EXPECT_EQ(Read({"-reverse=1"}).action, CommandLine::Error);
  EXPECT_EQ(Read({"-"}).action, CommandLine::Error);
}

}  // namespace
}  // namespace qz::app::testing
