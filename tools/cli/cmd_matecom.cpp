// qzreishogi-cli matecom: whether the upper king of a stored position is mated.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/control_maps.h"
#include "model/mate_com.h"

namespace qz::cli {

namespace {

int RunMateCom(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  std::optional<int> entry;
  if (auto v = TakeOption(args, "--entry")) {
    auto n = ParseInt(*v);
    if (!n) {
      std::fprintf(stderr, "matecom: --entry takes a whole number\n");
      return 2;
    }
    entry = *n;
  }
  if (args.size() != 1 || args[0].starts_with("--")) {
    std::fprintf(stderr, "matecom: expected one record FILE\n");
    return 2;
  }
  static Position pos;
  static ControlMaps maps;
  std::string error;
  if (!LoadRecordEntry(args[0], entry, pos, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  maps = ControlMaps{};
  勢力調査(pos, maps);
  std::printf("%d\n", 詰めかCOM(pos, maps));
  return 0;
}

static RegisterCommand reg{{
    "matecom",
    "  matecom [--entry K] FILE\n"
    "      1 when the upper king of history entry K (default the last) is checkmated, else 0",
    &RunMateCom,
}};

}  // namespace

}  // namespace qz::cli
