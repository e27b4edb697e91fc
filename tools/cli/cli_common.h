// Shared plumbing of qzreishogi-cli: the command registry, argument helpers
// and loading a position from a record file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/position.h"

namespace qz::cli {

// A command gets its own arguments (without the command name) and returns
// the exit status: 0 success, 1 a failed check, 2 bad input.
using CommandFn = int (*)(const std::vector<std::string>& args);

struct CommandInfo {
  const char* name;
  const char* usage;  // one or more lines for --help
  CommandFn run;
};

// Registers a command at static-initialisation time.
struct RegisterCommand {
  explicit RegisterCommand(CommandInfo info);
};

const std::vector<CommandInfo>& Commands();

// Value of "--name VALUE" (removed from args), or nullopt.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name);
// Presence of the flag "--name" (removed from args).
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// "--threads N" (removed from args): 1 when absent, nullopt when N is not a
// whole number from 1 to the search's most threads.
std::optional<int> TakeThreads(std::vector<std::string>& args);
// Whole number in text, or nullopt.
std::optional<int> ParseInt(const std::string& text);

// Loads history entry `entry` (1-based among the entry lines; nullopt = the
// last) of a record file into pos, with HandTotal recomputed. On failure
// returns false and fills error with "FILE: problem". A record longer than
// the history is read up to its 500th entry, with a note on stderr
// ("FILE: only the first 500 of N entries were read").
bool LoadRecordEntry(const std::string& path, std::optional<int> entry, Position& pos,
                     std::string& error);

// The common tail of the position commands: "[--entry K] FILE" (the
// command's own options already taken from args). Loads the position, or
// prints the problem on stderr prefixed by the command name and returns false.
bool LoadPositionArgument(const char* command, std::vector<std::string>& args, Position& pos);

}  // namespace qz::cli
