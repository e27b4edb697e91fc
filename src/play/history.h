// The history of whole positions of the current game: the position before
// every move, and the position on the board after the latest one.
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

// The board and hands of an entry into pos, HandTotal recomputed (the pawn
// columns and king squares are the caller's).
void CopyBoardAndHands(const HistoryEntry& entry, Position& pos);

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

  // Keeps the position reached by the latest move in entry MoveCount (the
  // caller has counted the move), so that stepping back and forth, and a
  // record saved now, reach it; LastSnapshot becomes MoveCount. Until the
  // next move overwrites the entry with its own clocks, the before- and
  // after-values are the clocks of the moment the position was reached.
  // Returns false (and stores nothing) when MoveCount is beyond the last index.
  bool KeepPosition(const Position& pos, double lowerClock, double upperClock);

  // Fills entry k from a position (used for entry 0 and by record reading).
  // A position carries no clocks, so the entry's four clock values become 0.
  void SetEntry(int k, const Position& pos);

  // No room for a further move: neither the position before it nor the
  // one after it could be kept, entry 500 being the last.
  bool Full() const { return MoveCount >= Capacity - 1; }

  HistoryEntry entries[Capacity];
  int MoveCount = 0;
  int LastSnapshot = 0;
};

}  // namespace qz
