// The history of whole positions before every move of the current game.
#pragma once

#include <optional>

#include "model/position.h"

namespace qz {

struct HistoryEntry {
  PieceCode Board[11][11] = {};  // [x][y], 1..10 used
  int Hand[2][10] = {};          // [side][HandIndex], 1..9 used
  // Clock values in seconds: SITA before/after move k+1, UE before/after.
  double SitaBefore = 0, SitaAfter = 0, UeBefore = 0, UeAfter = 0;
};

struct MoveResult {
  int x = 0, y = 0;
  PieceCode code = EMPTY;
};

class History {
 public:
  static constexpr int Capacity = 501;  // indexes 0..500

  // Copies the position into entry MoveCount and sets LastSnapshot to it.
  // Returns false (and stores nothing) when MoveCount is beyond the last index.
  bool 手順保存(const Position& pos, double sitaBefore, double sitaAfter, double ueBefore,
                double ueAfter);

  // Copies entry k back into pos (board, hands, HandTotal) and hands back the
  // clock values: the after-values when stepping forward, else the before-values.
  // An index outside 0..500 changes nothing.
  void RestoreEntry(Position& pos, int k, bool afterValues, double& lowerClock,
                    double& upperClock) const;

  // Destination and arriving code of move k (k >= 1): the first square, in
  // scan order, that differs from entry k-1 and is not empty in entry k.
  std::optional<MoveResult> 調査_移動結果(int k) const;

  // Fills entry k from a position (used for entry 0 and by record reading).
  // A position carries no clocks, so the entry's four clock values become 0.
  void SetEntry(int k, const Position& pos);

  bool Full() const { return MoveCount >= Capacity; }

  HistoryEntry entries[Capacity];
  int MoveCount = 0;
  int LastSnapshot = 0;
};

}  // namespace qz
