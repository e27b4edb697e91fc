// qzreishogi-cli bench: the deep search on a fixed set of positions to a fixed
// depth with one thread. The total of nodes is the signature of the search:
// a change that keeps the search's behaviour keeps it, one that changes the
// behaviour names the new figure ("Bench: N") in its commit message.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/uci_notation.h"
#include "search/evaluation.h"
#include "search/searcher.h"

namespace qz::cli {

namespace {

constexpr int kDefaultDepth = 9;
constexpr int kDefaultHashMb = 16;

// Both placements, then positions of games the search played against itself:
// openings, middle games with pieces in hand, and attacks on a king.
constexpr const char* kPositions[] = {
    "lnsgkgsmnl/1r2c3b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B3C2R1/LNMSGKGSNL[] w - - 0 1",
    "lnmsgkgsnl/1r3c2b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B2C3R1/LNSGKGSMNL[] w - - 0 1",
    "ln1gkg1mnl/1r1scs4/p1ppppppp1/1p6bp/10/10/P1P3P3/1P1PPP1PPP/1B2SCS2R/LNM1GKG1NL[] w - - 0 7",
    "ln1gk2m2/3scsg2l/p1pppppppn/9p/5rP3/1p6P1/P1P6P/1PNPPP1P2/4SCS1R1/L1M1GKG1NL[Bb] w - - 0 16",
    "lr1gk1sm+B1/3sc1lg2/p1pppppppn/9p/6P3/1N3M2P1/P1P6P/1P1PPPSP2/1+b2SK2R1/L3G1G1NL[NPc] w - - 0 "
    "26",
    "l3k5/1+L1sc2+Nc1/p1pppp2pn/7p1p/3M2P3/8r1/P1P2P3P/1P1PP1SP2/1+b2S2R2/L3GKG1NL[GGSMPPbnp] b - "
    "- 0 38",
    "l1m1gkg1n1/1r2scs1bl/1pnppppppp/p1p7/8P1/10/7P2/PPPPPPPN1P/1B1SCS2R1/LN1GKG1M1L[] b - - 0 7",
    "2m1gkg1n1/1r3cs1bl/l1n1pppppp/ppsp6/2p5PP/7P2/6R3/PPPPPPPN2/1B1SCS4/LN1GKG1M1L[] b - - 0 16",
    "4gkgbn1/5cs2+S/l1n1pppp1p/pm1p4p1/1rp6P/P2P1P1P2/6R3/1+pP1P1PN2/LB1SCS4/1N1GKG1M1L[Lpp] b - - "
    "0 26",
    "+Rp1l1kgs2/1+R1g1c4/3bpppp1p/p2p4p1/2p6P/P2P1P1P2/10/2P1P1PN2/1+p1SCS4/1+m1GKG1M1L[NLPbsnnl] "
    "w - - 0 39",
    "lnsgkg1mnl/1r2cs4/ppp1pp2pp/3p3p2/5bp3/10/PPP7/2NPPPPPPP/1B2SC2R1/L1M1GKGSNL[] w - - 0 8",
    "ln1gkg1m1l/3scs4/p1p1pp1npp/2r4p2/1p1p6/P3bPp1P1/1PP4R2/2NPP1PP1P/LB2SCS3/2M1GKG1NL[] w - - 0 "
    "17",
    "ln1gk1g2l/3scs4/pBp1pp2pp/3r2Mp2/1p1p1Sn1P1/P4P4/1PP5r1/2NPP1PP1P/LB1G1CS3/2M2KG1NL[P] w - - "
    "0 27",
    "1+B1gk1g2+P/3scs4/p1p1pp3p/3r2ppp1/1p1p1Sn3/P2+r6/1PP2m4/Bl1PP1PP1P/L2G1CS1G1/2M2K2N+n[NLlp] "
    "b - - 0 39",
    "l1m1gkgsnl/1r2sc4/n1ppppppp1/pp7p/7bP1/2R7/1P8/P1PPPPPP1P/1B1SCS4/LN1GKG1MNL[] b - - 0 8",
    "l1m1gkg1+Ml/2r1scs3/n1ppppp1p1/p6R2/1p3b2np/1P8/7P1P/P1PPPPPN2/1B1SCS4/LN1GKG3L[Pp] b - - 0 "
    "17",
    "l1m1gk2+Ml/3rscgp2/nSpppp2p1/pr4p3/1p7p/1P2B5/2P6P/P2PPPPN2/3SCS4/LN1GKG3+n[Blpp] b - - 0 27",
    "l1m1gkg1+R+M/4sc1p2/n1pppp4/p5p3/9p/10/2P6P/P1NPPPPN2/3SCS4/+r2GKG3+n[BLPbsllpppp] w - - 0 40",
    "ln1gkg1mnl/1r1scs4/p1pppp2p1/1p4pp1p/7b2/2P7/P2B4P1/1PNPPPPP1P/4SCS1R1/L1M1GKG1NL[] w - - 0 9",
    "ln1gkg1m1l/3scs4/2p1p2np1/p2p1ppp1p/2P4bP1/1r8/P2B5P/1PNPPPPP2/4SCS3/L1M1GKG1NL[Pr] w - - 0 "
    "18",
    "l2g1g3l/3sks4/n1p1pc2p1/B2p1pp+R1p/2P5P1/1N1l6/P8b/1P1PPPPP2/4SCS3/L1M1GKGN1+r[PPPPmn] w - - "
    "0 28",
    "l2gg4+R/5s4/n1pSpc2p1/3p1pp2p/2P1k3P1/1N3m4/P2l2P3/1P1PPP1P2/4SCS+r2/L2G1K1N2[PPPPbbgmnl] b - "
    "- 0 40",
    "l1msgkg1nl/5cs1b1/p1np1ppppp/2p1p5/10/1r8/P2P2P3/2P1PP1PPP/1BGSCSR3/LN2KG1MNL[Pp] b - - 0 9",
    "l1m1gkg1nl/4scs1b1/p1np1ppppp/2p1p5/10/10/P1CP2P3/N1P1PP1PPP/1P+rSK1R3/L1B1SG1MNL[gp] b - - 0 "
    "18",
    "l3gkg1nl/1+N2scs1b1/p1np1ppppp/4p5/10/3C6/P1mP1+bP3/4P2PPP/1P+rS1G2R1/L4K1MNL[GPPspp] b - - 0 "
    "28",
};

int Usage(const std::string& problem) {
  std::fprintf(stderr, "bench: %s\n", problem.c_str());
  return 2;
}

int RunBench(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  int depth = kDefaultDepth;
  if (auto v = TakeOption(args, "--depth")) {
    auto n = ParseInt(*v);
    if (!n || *n < 1 || *n > 64) return Usage("--depth takes a whole number from 1 to 64");
    depth = *n;
  }
  const std::optional<int> threadsGiven = TakeThreads(args);
  if (!threadsGiven) return Usage("--threads takes a whole number from 1 to 64");
  const int threads = *threadsGiven;
  search::SearchParams params;
  if (auto v = TakeOption(args, "--search")) {
    // name=value,... : a variant of the search's numbers, for measuring it.
    if (!search::SetSearchParams(params, *v))
      return Usage("--search takes name=value,... with the names of the search's numbers");
  }
  search::EvalWeights weights = search::DefaultWeights();
  if (auto v = TakeOption(args, "--eval")) {
    // name=value,... : a variant of the evaluation's weights, likewise.
    std::string problem;
    if (!search::ParseWeights(*v, weights, problem)) return Usage("--eval: " + problem);
  }
  if (!args.empty()) return Usage("unexpected argument '" + args[0] + "'");

  auto searcher = std::make_unique<search::Searcher>(kDefaultHashMb, weights, params);
  searcher->SetThreads(threads);
  std::uint64_t total = 0;
  const auto start = std::chrono::steady_clock::now();
  int index = 0;
  for (const char* fen : kPositions) {
    ++index;
    Position pos;
    Side toMove = SITA;
    if (!FromFen(fen, pos, toMove)) return Usage(std::string("unreadable position ") + fen);
    searcher->NewGame(0);
    search::Limits limits;
    limits.depth = depth;
    const search::Result r = searcher->Think(pos, toMove, 100, limits);
    std::printf("position %d depth %d score %d nodes %llu best %s\n", index, r.depth, r.score,
                static_cast<unsigned long long>(r.nodes),
                r.found ? MoveToUci(pos, r.best).c_str() : "none");
    total += r.nodes;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto nps = static_cast<unsigned long long>(seconds > 0 ? total / seconds : 0);
  std::printf("bench %llu nodes %llu nps\n", static_cast<unsigned long long>(total), nps);
  return 0;
}

const RegisterCommand kRegister({
    "bench",
    "  bench [--depth D] [--threads N] [--search NAME=VALUE,...] [--eval NAME=VALUE,...]\n"
    "      the deep search, one thread, on a fixed set of positions to depth D\n"
    "      (default 9): one line per position, then 'bench NODES nodes NPS nps';\n"
    "      NODES is the signature of the search; --search changes the search's\n"
    "      numbers (names as in docs/search.md), --eval the evaluation's weights\n"
    "      (names as in a weights file), for measuring a variant; with\n"
    "      --threads N the nodes differ from run to run (the speed is the point)",
    RunBench,
});

}  // namespace

}  // namespace qz::cli
