// Cost of one control-map pass on a crowded middle-game position, and a
// check that the pass allocates nothing.
#include <benchmark/benchmark.h>

#include "allocation_counter.h"
#include "model/control_maps.h"
#include "model/position.h"

namespace {

using namespace qz;

// Rows y = 1..10, columns x = 1..10: pieces of every kind on both sides,
// promoted sliders among them, both kings, many step pieces (whose
// neighbour tests dominate the cost).
constexpr PieceCode kRows[10][10] = {
    {20, 30, 0, 110, 0, 950, 0, 100, 30, 20}, {0, 900, 100, 0, 210, 0, 110, 0, 0, 0},
    {10, 0, 30, 10, 10, 0, 10, 40, 10, 10},   {0, 10, 10, 0, 0, 0, 0, 800, -801, 0},
    {0, 0, 0, 0, -10, 10, 0, 0, 0, 0},        {0, 0, -10, -10, 0, -20, 0, 11, 0, -10},
    {-10, -10, 0, 0, 0, 0, -10, -10, 0, 0},   {0, 0, -100, -40, 0, -210, -110, -100, 901, 0},
    {0, 0, -950, -110, 0, 0, 0, -900, 0, 0},  {-20, -30, 0, 0, 0, 0, 0, 0, -30, -20},
};

Position Crowded() {
  Position pos;
  for (int y = 1; y <= 10; ++y)
    for (int x = 1; x <= 10; ++x) pos.Board[x][y] = kRows[y - 1][x - 1];
  return pos;
}

void BM_ControlMapsPass(benchmark::State& state) {
  static Position pos = Crowded();
  static ControlMaps maps;
  勢力調査(pos, maps);  // warm up outside the count
  const long before = qz::bench::AllocationCount();
  for (auto _ : state) {
    勢力調査(pos, maps);
    benchmark::DoNotOptimize(maps);
    benchmark::ClobberMemory();
  }
  const long allocations = qz::bench::AllocationCount() - before;
  state.counters["allocations"] = static_cast<double>(allocations);
  if (allocations != 0) state.SkipWithError("the control-map pass allocated memory");
}
BENCHMARK(BM_ControlMapsPass);

}  // namespace
