// Speed of the move generator with make/unmake: perft from both starting
// placements and from a middle game with pieces of many kinds in hand.
#include <benchmark/benchmark.h>

#include "allocation_counter.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/uci_notation.h"

namespace {

using namespace qz;

void RunPerft(benchmark::State& state, const Position& start, Side side) {
  static FastPosition pos;
  pos.Set(start, side);
  const int depth = static_cast<int>(state.range(0));
  std::uint64_t nodes = 0;
  const long before = qz::bench::AllocationCount();
  for (auto _ : state) nodes += Perft(pos, depth);
  const long allocations = qz::bench::AllocationCount() - before;
  state.counters["nodes/s"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["allocations"] = static_cast<double>(allocations);
  if (allocations != 0) state.SkipWithError("perft allocated memory");
}

void BM_Perft左嶺(benchmark::State& state) {
  Position start;
  SetUpStartingPosition(start, false);
  RunPerft(state, start, SITA);
}
void BM_Perft右嶺(benchmark::State& state) {
  Position start;
  SetUpStartingPosition(start, true);
  RunPerft(state, start, SITA);
}
// Both hands hold pieces of many kinds: drops dominate the count.
void BM_PerftMiddleGameWithHands(benchmark::State& state) {
  Position start;
  Side side = SITA;
  FromFen(
      "ln2g5/1r2s4H/1pp1ppH3/p2p2n2r/4G5/P5kPpp/7m2/1P1PPPP1PP/3SCS4/+m2GKG3L[CNLPPsnlp] w - - 0 1",
      start, side);
  RunPerft(state, start, side);
}

BENCHMARK(BM_Perft左嶺)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Perft右嶺)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerftMiddleGameWithHands)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
