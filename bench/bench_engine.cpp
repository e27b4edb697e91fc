// Whole computer turns: the opening position and a middle game in which the
// computer holds one piece of every kind (many drops to score).
#include <benchmark/benchmark.h>

#include "allocation_counter.h"
#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/placement.h"

namespace {

using namespace qz;

void OpeningPosition(Position& pos) {
  pos = Position{};
  SetUpStartingPosition(pos, true);
}

// 右嶺 with the lower side's lance, knight, 嶺, silver, gold, 銅, bishop, rook
// and one pawn captured into the computer's hand, and a few pawns advanced.
void MiddleGamePosition(Position& pos) {
  OpeningPosition(pos);
  pos.Board[3][8] = EMPTY;   // pawn
  pos.Board[1][10] = EMPTY;  // lance
  pos.Board[2][10] = EMPTY;  // knight
  pos.Board[8][10] = EMPTY;  // 嶺
  pos.Board[3][10] = EMPTY;  // silver
  pos.Board[4][10] = EMPTY;  // gold
  pos.Board[5][9] = EMPTY;   // 銅
  pos.Board[2][9] = EMPTY;   // bishop
  pos.Board[9][9] = EMPTY;   // rook
  for (int k = 1; k <= HandKinds; ++k) pos.Hand[UE][k] = 1;
  pos.Board[3][3] = EMPTY;
  pos.Board[3][5] = HU;
  pos.Board[7][3] = EMPTY;
  pos.Board[7][4] = HU;
  pos.Board[7][8] = EMPTY;
  pos.Board[7][6] = -HU;
  pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
  pos.HandTotal[UE] = 調査_持駒数(pos, UE);
}

void RunSearch(benchmark::State& state, void (*setUp)(Position&)) {
  static Position pos;
  static ControlMaps maps;
  setUp(pos);
  ComputerPlayer player(pos, maps);
  player.Level = static_cast<int>(state.range(0));
  const long before = qz::bench::AllocationCount();
  for (auto _ : state) {
    benchmark::DoNotOptimize(player.Search());
    benchmark::DoNotOptimize(player.BestScore);
  }
  const long allocations = qz::bench::AllocationCount() - before;
  state.counters["allocations"] = static_cast<double>(allocations);
  if (allocations != 0) state.SkipWithError("the search allocated memory");
}

void BM_SearchOpening(benchmark::State& state) { RunSearch(state, OpeningPosition); }
void BM_SearchMiddleGameWithFullHand(benchmark::State& state) {
  RunSearch(state, MiddleGamePosition);
}

BENCHMARK(BM_SearchOpening)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchMiddleGameWithFullHand)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
