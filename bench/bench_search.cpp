// The deep search: nodes per second on middle-game positions with pieces in
// hand, time to a fixed depth from both starting placements, and a check
// that thinking allocates nothing.
#include <benchmark/benchmark.h>

#include <memory>

#include "allocation_counter.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "search/searcher.h"

namespace {

using namespace qz;

// Positions of deep-search games, 50 to 70 plies in, both hands holding pieces.
constexpr const char* kMiddleGames[] = {
    "1G2kg3l/3scs4/3pppp1pn/6npmp/3n6/1p5m2/2P1PPS3/dP4PPPP/h3SC3R/4GKG1NL[Pbllppp] w - - 0 1",
    "1G3g3l/3kcs4/3pppp1pn/7pmp/10/1p8/2P1nP4/dP3CPP+nP/h3S1R1l1/4GKG1NL[SPbsmlppppp] w - - 0 1",
    "ln2g5/1r2sc1H1H/1pp1ppp1S1/p2p3p2/5k4/P6Ppp/7m2/1P1PPPP1PP/3SCS4/L+m1GKG3L[GNLrnnp] w - - 0 1",
    "1GS1kg3l/4cs2P1/2spppp1pn/2N4pmp/4l5/1p5m2/2P1CP4/dP4PP+nP/h3SR4/4GKG1+lL[bnppppp] w - - 0 1",
    "lnsgkg3+P/4csb3/2pppppp+Mp/p9/10/10/7m2/PPPPPPPPdP/1G2SCS2L/LNr1BKG1+p1[NLnp] w - - 0 1",
};

std::unique_ptr<search::Searcher>& SharedSearcher() {
  static std::unique_ptr<search::Searcher> searcher = std::make_unique<search::Searcher>(64);
  return searcher;
}

void BM_SearchNodesPerSecond(benchmark::State& state) {
  search::Searcher& searcher = *SharedSearcher();
  Position pos;
  Side side = SITA;
  FromFen(kMiddleGames[state.range(0)], pos, side);
  search::Limits limits;
  limits.nodes = 1000000;
  std::uint64_t nodes = 0;
  long allocations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    searcher.NewGame(0);
    state.ResumeTiming();
    const long before = qz::bench::AllocationCount();
    const search::Result r = searcher.Think(pos, side, 40, limits);
    allocations += qz::bench::AllocationCount() - before;
    nodes += r.nodes;
    benchmark::DoNotOptimize(r.best);
  }
  state.counters["nps"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["allocations"] = static_cast<double>(allocations);
  if (allocations != 0) state.SkipWithError("the search allocated memory");
}
BENCHMARK(BM_SearchNodesPerSecond)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void TimeToDepth(benchmark::State& state, bool 右嶺) {
  search::Searcher& searcher = *SharedSearcher();
  Position pos;
  SetUpStartingPosition(pos, 右嶺);
  search::Limits limits;
  limits.depth = static_cast<int>(state.range(0));
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    searcher.NewGame(0);
    state.ResumeTiming();
    const search::Result r = searcher.Think(pos, SITA, 0, limits);
    nodes += r.nodes;
    benchmark::DoNotOptimize(r.best);
  }
  state.counters["nps"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nodes"] = static_cast<double>(nodes) / static_cast<double>(state.iterations());
}
void BM_TimeToDepth左嶺(benchmark::State& state) { TimeToDepth(state, false); }
void BM_TimeToDepth右嶺(benchmark::State& state) { TimeToDepth(state, true); }
BENCHMARK(BM_TimeToDepth左嶺)->Arg(10)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimeToDepth右嶺)->Arg(10)->Arg(12)->Unit(benchmark::kMillisecond);

}  // namespace
