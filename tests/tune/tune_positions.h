// Positions of random games for the fitting tests: every ply from the
// tenth to the sixtieth of a few games from the two starting placements.
#pragma once

#include <random>
#include <vector>

#include "model/fast_position.h"
#include "model/movegen.h"
#include "model/placement.h"

namespace qz::tune {

inline std::vector<FastPosition> RandomGamePositions(int games, std::uint64_t seed) {
  std::vector<FastPosition> out;
  std::mt19937_64 rng(seed);
  std::vector<Move> moves(kMaxMoves);
  for (int g = 0; g < games; ++g) {
    Position start;
    SetUpStartingPosition(start, g % 2 == 1);
    FastPosition pos;
    pos.Set(start, SITA);
    for (int ply = 0; ply < 60 && !pos.Over(); ++ply) {
      const int n = GenerateMoves(pos, moves.data());
      if (n == 0) break;
      // A move that does not leave the own king to be taken, when one is found.
      Undo undo;
      Move m = 0;
      for (int tries = 0; tries < 20 && m == 0; ++tries) {
        const Move c = moves[rng() % static_cast<unsigned>(n)];
        pos.Make(c, undo);
        const bool safe = !pos.CanCaptureKing();
        pos.Unmake(c, undo);
        if (safe) m = c;
      }
      if (m == 0) break;
      pos.Make(m, undo);
      if (ply >= 10 && !pos.Over()) out.push_back(pos);
    }
  }
  return out;
}

}  // namespace qz::tune
