// The mate figure: how many positions of a suite, each with a forced king
// capture for the side to move, the deep search reports as decided (a win)
// within its time. Not part of the test suite: it runs for seconds a position.
//
//   qz_mate_suite --suite FILE [--movetime MS] [--nodes N] [--threads T]
//                 [--search P] [--verbose 1]
//
// FILE holds one FEN a line (as `uci` reads them); '#' starts a comment,
// also after a FEN. P changes the search's numbers as in the duel, e.g.
// "qsCheckPlies=2". One line a position (HIT or MISS, the deepest finished
// depth, the score, the time to the first decided score, the move), then
// "decided H of N".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "model/movegen.h"
#include "model/uci_notation.h"
#include "search/mate_solver.h"
#include "search/searcher.h"
#include "support/mate_proof.h"

namespace {

using namespace qz;

// Notes the first decided win and the deepest finished depth.
class MateWatch : public search::DepthObserver {
 public:
  explicit MateWatch(std::chrono::steady_clock::time_point start) : start_(start) {}
  void onDepth(const search::DepthReport& r) override {
    depth = r.depth;
    score = r.score;
    if (r.score > search::kMate - search::kMaxPly && firstMs < 0)
      firstMs = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start_)
                                     .count());
  }
  int depth = 0, score = 0, firstMs = -1;

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string suite, searchItems;
  int movetimeMs = 1000, threads = 1;
  bool verbose = false, verify = false;
  std::uint64_t nodes = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i], v = argv[i + 1];
    if (k == "--suite")
      suite = v;
    else if (k == "--movetime")
      movetimeMs = std::atoi(v.c_str());
    else if (k == "--nodes")
      nodes = std::strtoull(v.c_str(), nullptr, 10);
    else if (k == "--threads")
      threads = std::atoi(v.c_str());
    else if (k == "--search")
      searchItems = v;
    else if (k == "--verify")
      verify = v == "1";
    else if (k == "--verbose")
      verbose = v == "1";
    else {
      std::fprintf(stderr, "unknown option %s\n", k.c_str());
      return 2;
    }
  }
  search::SearchParams params;
  if (!search::SetSearchParams(params, searchItems)) {
    std::fprintf(stderr, "bad search numbers\n");
    return 2;
  }
  std::ifstream in(suite);
  if (suite.empty() || !in) {
    std::fprintf(stderr, "--suite FILE: cannot be read\n");
    return 2;
  }
  search::Searcher searcher(64, search::DefaultWeights(), params);
  searcher.SetThreads(threads);
  int hits = 0, total = 0;
  std::string line;
  for (int lineNo = 1; std::getline(in, line); ++lineNo) {
    const std::string fen = line.substr(0, line.find('#'));
    if (fen.find_first_not_of(" \t\r") == std::string::npos) continue;
    Position pos;
    Side toMove = SITA;
    std::string problem;
    if (!FromFen(fen, pos, toMove, &problem)) {
      std::fprintf(stderr, "line %d: %s\n", lineNo, problem.c_str());
      return 2;
    }
    searcher.NewGame(0);
    search::Limits limits;
    limits.movetimeMs = nodes > 0 ? 0 : movetimeMs;
    limits.nodes = nodes;
    const auto start = std::chrono::steady_clock::now();
    MateWatch watch(start);
    const search::Result r = searcher.Think(pos, toMove, 60, limits, nullptr, &watch);
    const bool hit = r.found && watch.firstMs >= 0;
    hits += hit;
    ++total;
    if (verbose || !hit)
      std::printf("line %d %s depth %d score %d first %d ms nodes %llu best %s\n", lineNo,
                  hit ? "HIT" : "MISS", watch.depth, r.score, watch.firstMs,
                  static_cast<unsigned long long>(r.nodes),
                  r.found ? MoveToUci(pos, r.best).c_str() : "none");
    if (verify) {
      // Every win the solver claims is replayed against every answer.
      static search::MateSolver solver;
      static const auto lists = std::make_unique<Move[]>(kMaxMoves * 40);
      FastPosition fast;
      fast.Set(pos, toMove);
      const search::MateSolver::Answer a = solver.Solve(fast, true, 15, 2000000);
      if (a.proven)
        std::printf("line %d solver %d plies: %s\n", lineNo, a.plies,
                    test::ProofHolds(fast, solver, a.plies, 0, lists.get(), 2000000,
                                     [](int ply, int answer) {
                                       std::printf("  ply %d: answer %d escapes\n", ply, answer);
                                     })
                        ? "holds"
                        : "FAILS");
    }
    std::fflush(stdout);
  }
  std::printf("decided %d of %d\n", hits, total);
  return 0;
}
