// Self-play for fitting the evaluation: games of the deep search at a fixed
// node budget, from a few random first plies. Of each position the search
// was asked about, the quiet end of its best capture line is kept (the
// position itself when quiet) with the game's result and the search's score.
#pragma once

#include <cstdint>
#include <vector>

#include "search/evaluation.h"
#include "tune/tune_data.h"

namespace qz::tune {

struct GenerateSettings {
  int games = 100;
  std::uint64_t nodes = 2000;  // a move
  std::uint64_t seed = 1;
  int threads = 1;
  int randomPlies = 6;  // chosen at random before the search plays
  int skipPlies = 12;   // the opening's positions are not kept
  int maxPlies = 300;   // then the game counts as drawn
  int maxScore = 2000;  // positions the search judges further off are decided
  int minutes = 0;      // when set, no game starts after this time
};

struct GenerateReport {
  int games = 0;
  int lowerWins = 0, upperWins = 0, unfinished = 0;
  std::uint64_t plies = 0;
};

// Whether no capture sequence improves on the position's static judgement
// (the side to move not in check). pos must use eval's table.
bool IsQuiet(FastPosition& pos, const search::Evaluator& eval, Move* scratch);
// The captures that lead from a position to the quiet end of its best
// capture line, made on it.
struct CaptureLine {
  static constexpr int kMax = 8;
  Move moves[kMax];
  Undo undos[kMax];
  int length = 0;
};
// Makes on pos the best capture line to a quiet position (none when pos is
// quiet); false when the line ends in check, at a king capture or runs
// longer than CaptureLine::kMax. TakeBack undoes the line either way.
bool ToQuietLeaf(FastPosition& pos, const search::Evaluator& eval, Move* scratch,
                 CaptureLine& line);
void TakeBack(FastPosition& pos, CaptureLine& line);
// Room IsQuiet and ToQuietLeaf need in scratch.
constexpr int kQuietScratch = 8 * 2048;

// Plays settings.games games and appends their positions to out; progress,
// when set, is told of each game's end (from any thread, one at a time).
GenerateReport Generate(const GenerateSettings& settings, std::vector<Sample>& out,
                        void (*progress)(int gamesDone, std::size_t positions) = nullptr);

}  // namespace qz::tune
