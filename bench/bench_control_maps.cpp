// Cost of one control-map pass on a crowded middle-game position, and a
// check that the pass allocates nothing.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "model/control_maps.h"
#include "model/position.h"

namespace {

// Counts every allocation made through the global operator new in this
// binary; the replacement only counts and forwards to malloc, so the other
// benchmarks behave exactly as with the library's own operator.
std::atomic<long> g_allocations{0};

void* CountedAlloc(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace qz;

// Rows y = 1..10, columns x = 1..10: pieces of every kind on both sides,
// promoted sliders among them, both kings, many step pieces (whose
// neighbour tests dominate the cost).
constexpr PieceCode kRows[10][10] = {
    {20, 30, 0, 110, 0, 950, 0, 100, 30, 20},
    {0, 900, 100, 0, 210, 0, 110, 0, 0, 0},
    {10, 0, 30, 10, 10, 0, 10, 40, 10, 10},
    {0, 10, 10, 0, 0, 0, 0, 800, -801, 0},
    {0, 0, 0, 0, -10, 10, 0, 0, 0, 0},
    {0, 0, -10, -10, 0, -20, 0, 11, 0, -10},
    {-10, -10, 0, 0, 0, 0, -10, -10, 0, 0},
    {0, 0, -100, -40, 0, -210, -110, -100, 901, 0},
    {0, 0, -950, -110, 0, 0, 0, -900, 0, 0},
    {-20, -30, 0, 0, 0, 0, 0, 0, -30, -20},
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
  const long before = g_allocations.load();
  for (auto _ : state) {
    勢力調査(pos, maps);
    benchmark::DoNotOptimize(maps);
    benchmark::ClobberMemory();
  }
  const long allocations = g_allocations.load() - before;
  state.counters["allocations"] = static_cast<double>(allocations);
  if (allocations != 0) state.SkipWithError("the control-map pass allocated memory");
}
BENCHMARK(BM_ControlMapsPass);

}  // namespace
