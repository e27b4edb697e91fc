// qzreishogi-cli: the headless companion of the game.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"

namespace {

void PrintHelp() {
  std::printf("usage: qzreishogi-cli COMMAND [options]\n\ncommands:\n");
  for (const auto& c : qz::cli::Commands()) std::printf("%s\n", c.usage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h" ||
      std::string(argv[1]) == "help") {
    PrintHelp();
    return argc < 2 ? 2 : 0;
  }
  const std::string name = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& c : qz::cli::Commands()) {
    if (name == c.name) return c.run(args);
  }
  std::fprintf(stderr, "qzreishogi-cli: unknown command '%s' (see --help)\n", name.c_str());
  return 2;
}
