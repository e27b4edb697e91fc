// qzreishogi-cli fen: a stored position as FEN with hands, for other engines
// and programs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/uci_notation.h"

namespace qz::cli {

namespace {

int RunFen(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  Side side = SITA;
  if (auto v = TakeOption(args, "--side")) {
    if (*v != "lower" && *v != "upper") {
      std::fprintf(stderr, "fen: --side takes lower or upper\n");
      return 2;
    }
    side = *v == "upper" ? UE : SITA;
  }
  Position pos;
  if (!LoadPositionArgument("fen", args, pos)) return 2;
  std::printf("%s\n", ToFen(pos, side).c_str());
  return 0;
}

const RegisterCommand kRegister({
    "fen",
    "  fen [--side lower|upper] [--entry K] FILE\n"
    "      history entry K (default the last) of a record as FEN with hands, the\n"
    "      army to move given by --side (default lower), as the uci command reads it",
    RunFen,
});

}  // namespace

}  // namespace qz::cli
