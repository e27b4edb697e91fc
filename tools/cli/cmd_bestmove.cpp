// qzreishogi-cli bestmove: the computer's choice for one stored position.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "engine/computer_player.h"
#include "model/make_move.h"
#include "model/uci_notation.h"
#include "players/deep_player.h"
#include "search/searcher.h"

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

// One line per finished depth, the principal variation in UCI text.
class InfoPrinter : public search::DepthObserver {
 public:
  explicit InfoPrinter(const Position& root) : root_(root) {}
  void onDepth(const search::DepthReport& r) override {
    std::printf("info depth %d score %d nodes %llu nps %llu pv", r.depth, r.score,
                static_cast<unsigned long long>(r.nodes), static_cast<unsigned long long>(r.nps));
    Position pos = root_;
    for (int i = 0; i < r.pvLength; ++i) {
      const GameMove& m = r.pv[i];
      std::printf(" %s", MoveToUci(pos, m).c_str());
      駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
    }
    std::printf("\n");
    std::fflush(stdout);
  }

 private:
  Position root_;
};

std::optional<std::uint64_t> ParseCount(const std::string& text) {
  std::uint64_t value = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || p != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// The deep levels: iterative deepening within the level's time, or the
// given move time and node budget.
int RunDeepLevel(int level, std::vector<std::string>& args) {
  PlayLimits given;
  const auto movetime = TakeOption(args, "--movetime");
  const auto nodes = TakeOption(args, "--nodes");
  Side side = UE;
  if (auto v = TakeOption(args, "--side")) {
    if (*v != "lower" && *v != "upper") return Usage("--side takes lower or upper");
    side = *v == "upper" ? UE : SITA;
  }
  if (movetime) {
    auto n = ParseInt(*movetime);
    if (!n || *n < 1) return Usage("--movetime takes a number of milliseconds");
    given.movetimeMs = *n;
    given.exactTime = true;
  }
  if (nodes) {
    auto n = ParseCount(*nodes);
    if (!n || *n < 1) return Usage("--nodes takes a positive whole number");
    given.nodes = *n;
  }
  // The level's own time unless told otherwise; LEVEL4 to LEVEL6 weakened.
  const search::Limits limits = DeepLevelLimits(level, given);
  const std::optional<int> threadsGiven = TakeThreads(args);
  if (!threadsGiven) return Usage("--threads takes a whole number from 1 to 64");
  const int threads = *threadsGiven;

  static Position pos;
  if (!LoadPositionArgument("bestmove", args, pos)) return 2;
  static search::Searcher searcher;
  searcher.SetThreads(threads);
  searcher.NewGame(0);  // seed 0: the same move on every run
  InfoPrinter printer(pos);
  const search::Result r = searcher.Think(pos, side, 0, limits, nullptr, &printer);
  if (!r.found) {
    std::printf("best none\n");
    return 0;
  }
  std::printf("best %d %d %d %d %d %.4f\n", r.best.fromX, r.best.fromY, r.best.toX, r.best.toY,
              r.best.code, static_cast<double>(r.score));
  return 0;
}

int RunBestMove(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  int level = 3;
  if (auto v = TakeOption(args, "--level")) {
    auto n = ParseInt(*v);
    if (!n || *n < 1 || *n > search::kHighestLevel)
      return Usage("--level takes a whole number from 1 to 8");
    level = *n;
  }
  if (level >= search::kFirstDeepLevel) return RunDeepLevel(level, args);
  for (const char* deepOnly : {"--movetime", "--nodes", "--side", "--threads"})
    if (TakeOption(args, deepOnly))
      return Usage("--movetime, --nodes, --threads and --side are for levels 4 to 8");
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
    "  bestmove [--level 1|2|3] [--entry K] [--candidates] FILE\n"
    "      the computer's move (upper side) for history entry K (default the last)\n"
    "  bestmove --level 4..8 [--movetime MS] [--nodes N] [--threads N] [--side lower|upper]\n"
    "           [--entry K] FILE\n"
    "      the deep search's move (upper side unless --side lower): 'info depth D\n"
    "      score S nodes N nps R pv MOVES' per finished depth, then the best line;\n"
    "      the level's own time unless --movetime or --nodes is given (levels 4 to 6\n"
    "      search at most their own node budget and choose among their best moves)",
    RunBestMove,
});

}  // namespace

}  // namespace qz::cli
