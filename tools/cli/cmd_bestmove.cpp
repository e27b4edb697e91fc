// qzreishogi-cli bestmove: the computer's choice for one stored position.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "engine/computer_player.h"

namespace qz::cli {

namespace {

class CandidatePrinter : public SearchObserver {
 public:
  void candidate(int fx, int fy, int tx, int ty, PieceCode code, double score) override {
    std::printf("candidate %d %d %d %d %d %.4f\n", fx, fy, tx, ty, code, score);
  }
};

int Usage(const char* problem) {
  std::fprintf(stderr, "bestmove: %s\n", problem);
  return 2;
}

int RunBestMove(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  int level = 3;
  if (auto v = TakeOption(args, "--level")) {
    auto n = ParseInt(*v);
    if (!n || *n < 1 || *n > 3) return Usage("--level takes 1, 2 or 3");
    level = *n;
  }
  const bool candidates = TakeFlag(args, "--candidates");

  static Position pos;
  static ControlMaps maps;
  if (!LoadPositionArgument("bestmove", args, pos)) return 2;
  maps = ControlMaps{};
  ComputerPlayer player(pos, maps);
  player.Level = level;
  CandidatePrinter printer;
  SearchObserver quiet;
  const bool found = player.Search(candidates ? &printer : &quiet);
  if (!found) {
    std::printf("best none\n");
    return 0;
  }
  const BestMoveRecord& m = player.BestMove;
  std::printf("best %d %d %d %d %d %.4f\n", m.fromX, m.fromY, m.toX, m.toY, m.after,
              player.BestScore);
  return 0;
}

const RegisterCommand kRegister({
    "bestmove",
    "  bestmove [--level N] [--entry K] [--candidates] FILE\n"
    "      the computer's move (upper side) for history entry K (default the last)",
    RunBestMove,
});

}  // namespace

}  // namespace qz::cli
