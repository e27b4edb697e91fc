// qzreishogi-cli uci: the computer as a UCI engine on standard input and
// output, in the conventions of the engines for this game (FEN with hands,
// the lower army as white moving first, moves c3c4, c8c9+, P@e5). A search
// runs on a worker thread so that stop and quit are read while it thinks.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/uci_session.h"

namespace qz::cli {

namespace {

int RunUci(const std::vector<std::string>& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "uci: takes no arguments\n");
    return 2;
  }
  auto session = std::make_unique<UciSession>([](const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  });
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!session->Handle(line)) return 0;
  }
  // Nobody is left to send stop: whatever runs ends now.
  session->FinishInput();
  return 0;
}

const RegisterCommand kRegister({
    "uci",
    "  uci\n"
    "      the computer as a UCI engine on standard input and output: uci, isready,\n"
    "      ucinewgame, setoption (Level 1 to 8, default 8, Hash, Threads, UCI_Variant =\n"
    "      reishogi), position\n"
    "      startpos|fen FEN [moves ...] (startpos = 左嶺, FEN with hands in brackets,\n"
    "      the lower army as white moving first), go movetime|nodes|depth|wtime btime\n"
    "      winc binc|infinite|perft D (1 to 20), stop, d (the FEN), quit; the end of\n"
    "      the input ends a search or perft at once",
    RunUci,
});

}  // namespace

}  // namespace qz::cli
