// qzreishogi-cli perft: counts the move sequences of a number of plies, with
// the count after each first move (a "divide") before the total.
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/uci_notation.h"

namespace qz::cli {

namespace {

int Usage(const char* problem) {
  std::fprintf(stderr, "perft: %s\n", problem);
  return 2;
}

int RunPerft(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  Side side = SITA;
  if (auto v = TakeOption(args, "--side")) {
    if (*v != "lower" && *v != "upper") return Usage("--side takes lower or upper");
    side = *v == "upper" ? UE : SITA;
  }
  if (args.empty()) return Usage("expected DEPTH");
  const std::optional<int> depth = ParseInt(args.back());
  if (!depth || *depth < 0 || *depth > 20) return Usage("DEPTH takes a whole number 0..20");
  args.pop_back();

  // Off the stack (the generator's lists are deep enough as they are), and
  // nothing kept from one call to the next.
  auto position = std::make_unique<Position>();
  if (auto placement = TakeOption(args, "--placement")) {
    if (!args.empty()) return Usage("--placement takes no record FILE");
    if (*placement != "左嶺" && *placement != "右嶺") {
      std::fprintf(stderr, "perft: unknown placement '%s' (左嶺 or 右嶺)\n", placement->c_str());
      return 2;
    }
    SetUpStartingPosition(*position, *placement == "右嶺");
  } else if (!LoadPositionArgument("perft", args, *position)) {
    return 2;
  }

  auto pos = std::make_unique<FastPosition>();
  pos->Set(*position, side);
  // The root as the generator sees it, for the text of the first moves.
  pos->ToPosition(*position);
  const auto start = std::chrono::steady_clock::now();
  const std::uint64_t total = PerftDivide(*pos, *depth, [&](Move m, std::uint64_t count) {
    std::printf("%s %llu\n", MoveToUci(*position, ToGameMove(m)).c_str(),
                static_cast<unsigned long long>(count));
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fprintf(stderr, "perft: %.3f s, %.0f nodes/s\n", seconds,
               seconds > 0 ? static_cast<double>(total) / seconds : 0.0);
  std::printf("perft %d %llu\n", *depth, static_cast<unsigned long long>(total));
  return 0;
}

const RegisterCommand kRegister({
    "perft",
    "  perft [--side lower|upper] (--placement 左嶺|右嶺 | [--entry K] FILE) DEPTH\n"
    "      the number of move sequences of DEPTH plies (lower army to move unless\n"
    "      --side upper): one line 'MOVE COUNT' per first move in UCI text, then\n"
    "      'perft DEPTH NODES' (time and speed go to stderr)",
    RunPerft,
});

}  // namespace

}  // namespace qz::cli
