// qzreishogi-cli matecom / matman: whether the upper or the lower king of a
// stored position is checkmated, after a control-map pass on it.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/mate_com.h"

namespace qz::cli {

namespace {

using MateTest = bool (*)(Position& pos, ControlMaps& maps);

int RunMateTest(const char* command, const std::vector<std::string>& argsIn, MateTest mated) {
  std::vector<std::string> args = argsIn;
  static Position pos;
  static ControlMaps maps;
  if (!LoadPositionArgument(command, args, pos)) return 2;
  maps = ControlMaps{};
  勢力調査(pos, maps);
  std::printf("%d\n", mated(pos, maps) ? 1 : 0);
  return 0;
}

int RunMateCom(const std::vector<std::string>& args) {
  return RunMateTest("matecom", args,
                     [](Position& pos, ControlMaps& maps) { return 詰めかCOM(pos, maps) == 1; });
}

int RunMatMan(const std::vector<std::string>& args) {
  return RunMateTest("matman", args, [](Position& pos, ControlMaps& maps) {
    ComputerPlayer player(pos, maps);
    return player.詰めかMAN();
  });
}

const RegisterCommand kMateCom({
    "matecom",
    "  matecom [--entry K] FILE\n"
    "      1 when the upper king of history entry K (default the last) is checkmated, else 0",
    RunMateCom,
});

const RegisterCommand kMatMan({
    "matman",
    "  matman [--entry K] FILE\n"
    "      1 when the lower king of history entry K (default the last) is checkmated, else 0",
    RunMatMan,
});

}  // namespace

}  // namespace qz::cli
