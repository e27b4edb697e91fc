// The game's command line: it has no options of its own beyond --help and
// --version, which answer on the terminal before any window or display is
// touched; Qt's own options (-platform, -style, ...) pass through.
#pragma once

#include <string>

namespace qz::app {

struct CommandLine {
  enum Action { Run, Help, Version, Error } action = Run;
  std::string error;  // for Error: what was wrong, one line
};

CommandLine ReadCommandLine(int argc, const char* const* argv);

std::string HelpText();
std::string VersionText();

// Answers --help, --version or a bad option on the terminal. Returns the
// exit status when the program must end now, -1 when the game should start.
int AnswerCommandLine(int argc, const char* const* argv);

}  // namespace qz::app
