// Runs a game script against the real game with recording ports and writes
// the transcript: what a player would see and hear, step by step.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace qz {

enum class MenuCommand;

// The game's menu command of a canonical script menu name.
std::optional<MenuCommand> ScriptMenuCommand(std::string_view name);

// Builds the ports and the game in workDir (settings, wave files and records
// are real files there), starts the game, runs the steps and writes the
// transcript to out. Returns 0; 2 when the script does not parse (the
// message names the line; nothing is run then); 1 when the game fails with
// an exception (the transcript says so).
int RunScript(std::string_view scriptText, const std::string& workDir, std::ostream& out);

}  // namespace qz
