// qzreishogi-cli show: prints a stored position or a starting placement as
// ten rows of codes and the two hands.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/placement.h"

namespace qz::cli {

namespace {

void PrintPosition(const Position& pos) {
  for (int y = 1; y <= 10; ++y) {
    for (int x = 1; x <= 10; ++x) std::printf("%5d", pos.Board[x][y]);
    std::printf("\n");
  }
  const char* const names[2] = {"SITA", "UE"};
  for (int s = 0; s < 2; ++s) {
    std::printf("hand %s", names[s]);
    for (int i = 1; i <= HandKinds; ++i) std::printf(" %d", pos.Hand[s][i]);
    std::printf("\n");
  }
}

int RunShow(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  static Position pos;
  pos = Position{};

  if (auto placement = TakeOption(args, "--placement")) {
    if (!args.empty()) {
      std::fprintf(stderr, "show: --placement takes no record FILE or other options\n");
      return 2;
    }
    if (*placement != "左嶺" && *placement != "右嶺") {
      std::fprintf(stderr, "show: unknown placement '%s' (左嶺 or 右嶺)\n", placement->c_str());
      return 2;
    }
    SetUpStartingPosition(pos, *placement == "右嶺");
    PrintPosition(pos);
    return 0;
  }

  if (!LoadPositionArgument("show", args, pos)) return 2;
  PrintPosition(pos);
  return 0;
}

static RegisterCommand reg{{
    "show",
    "  show [--entry K] FILE | show --placement 左嶺|右嶺\n"
    "      print a position: history entry K (default the last) of a record, or a\n"
    "      starting placement; ten rows y = 1..10 of the codes of x = 1..10, then\n"
    "      the nine hand counts of SITA and of UE (pawn .. rook)",
    &RunShow,
}};

}  // namespace

}  // namespace qz::cli
