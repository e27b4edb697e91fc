// Snapshots of whole positions, one per move, in fixed storage.
#include "play/history.h"

#include "model/make_move.h"

namespace qz {

namespace {

bool ValidIndex(int k) { return k >= 0 && k < History::Capacity; }

// Board x outer, y inner; hands SITA and UE alternately per kind. The record
// file lists the fields in this same order.
void CopyPosition(const Position& from, HistoryEntry& to) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) to.Board[x][y] = from.Board[x][y];
  for (int i = 1; i <= HandKinds; ++i) {
    to.Hand[SITA][i] = from.Hand[SITA][i];
    to.Hand[UE][i] = from.Hand[UE][i];
  }
}

}  // namespace

bool History::手順保存(const Position& pos, double sitaBefore, double sitaAfter, double ueBefore,
                       double ueAfter) {
  if (!ValidIndex(MoveCount)) return false;
  HistoryEntry& e = entries[MoveCount];
  CopyPosition(pos, e);
  e.SitaBefore = sitaBefore;
  e.SitaAfter = sitaAfter;
  e.UeBefore = ueBefore;
  e.UeAfter = ueAfter;
  LastSnapshot = MoveCount;
  return true;
}

bool History::KeepPosition(const Position& pos, double lowerClock, double upperClock) {
  return 手順保存(pos, lowerClock, lowerClock, upperClock, upperClock);
}

void CopyBoardAndHands(const HistoryEntry& e, Position& pos) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) pos.Board[x][y] = e.Board[x][y];
  for (int i = 1; i <= HandKinds; ++i) {
    pos.Hand[SITA][i] = e.Hand[SITA][i];
    pos.Hand[UE][i] = e.Hand[UE][i];
  }
  pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
  pos.HandTotal[UE] = 調査_持駒数(pos, UE);
}

void History::RestoreEntry(Position& pos, int k, bool afterValues, double& lowerClock,
                           double& upperClock) const {
  if (!ValidIndex(k)) return;
  const HistoryEntry& e = entries[k];
  CopyBoardAndHands(e, pos);
  lowerClock = afterValues ? e.SitaAfter : e.SitaBefore;
  upperClock = afterValues ? e.UeAfter : e.UeBefore;
}

std::optional<MoveResult> History::調査_移動結果(int k) const {
  if (k < 1 || !ValidIndex(k)) return std::nullopt;
  const HistoryEntry& now = entries[k];
  const HistoryEntry& before = entries[k - 1];
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (now.Board[x][y] != before.Board[x][y] && now.Board[x][y] != EMPTY)
        return MoveResult{x, y, now.Board[x][y]};
  return std::nullopt;
}

void History::SetEntry(int k, const Position& pos) {
  if (!ValidIndex(k)) return;
  HistoryEntry& e = entries[k];
  CopyPosition(pos, e);
  e.SitaBefore = e.SitaAfter = e.UeBefore = e.UeAfter = 0;
}

}  // namespace qz
