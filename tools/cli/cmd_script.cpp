// qzreishogi-cli script FILE: plays a game script in the current directory
// and prints what a player would see and hear.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "script/script_runner.h"

namespace qz::cli {

namespace {

// Scripts are small; refuse anything that is plainly not one.
constexpr std::uintmax_t kMaxScriptBytes = 4u << 20;

int RunScriptCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "usage: qzreishogi-cli script FILE\n";
    return 2;
  }
  const std::string& path = args[0];
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    std::cerr << path << ": cannot read the script\n";
    return 2;
  }
  if (size > kMaxScriptBytes) {
    std::cerr << path << ": too large for a script\n";
    return 2;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << path << ": cannot read the script\n";
    return 2;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string workDir = std::filesystem::current_path(ec).string();
  if (ec) {
    std::cerr << "cannot determine the current directory\n";
    return 2;
  }
  const int status = RunScript(text, workDir, std::cout);
  std::cout.flush();
  return status;
}

const RegisterCommand kRegister({"script",
                                 "  script FILE\n"
                                 "      plays a game script in the current directory and prints "
                                 "its transcript",
                                 &RunScriptCommand});

}  // namespace

}  // namespace qz::cli
