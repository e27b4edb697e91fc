// Mate test of the human's (lower) king. Simplified like its mirror for the
// computer's king: a check answered only by a drop in between counts as mate.
#include "engine/computer_player.h"
#include "model/rules.h"

namespace qz {

bool ComputerPlayer::詰めかMAN() {
  const Square k = K();
  if (U(k.x, k.y) == 0) return false;

  for (int x = k.x - 1; x <= k.x + 1; ++x) {
    for (int y = k.y - 1; y <= k.y + 1; ++y) {
      if (!OnBoard(x, y)) continue;
      if (移動チェック(pos_, k.x, k.y, x, y, -OU) == 1 && U(x, y) == 0) return false;
    }
  }

  // Capture the checker or step onto the checking line, then see whether
  // some computer piece still reaches the king.
  for (int x1 = 1; x1 <= 10; ++x1) {
    for (int y1 = 1; y1 <= 10; ++y1) {
      const PieceCode q = pos_.Board[x1][y1];
      if (q < -901 || q > -10) continue;
      for (int x2 = 1; x2 <= 10; ++x2) {
        for (int y2 = 1; y2 <= 10; ++y2) {
          if (maps_.CheckLine[UE][x2][y2] <= 0) continue;
          if (移動チェック(pos_, x1, y1, x2, y2, q) != 1) continue;
          const PieceCode saved = pos_.Board[x2][y2];
          pos_.Board[x2][y2] = q;
          pos_.Board[x1][y1] = EMPTY;
          const bool stillReached = 詰めかMAN_COM移動();
          pos_.Board[x1][y1] = q;
          pos_.Board[x2][y2] = saved;
          if (!stillReached) return false;
        }
      }
    }
  }
  return true;
}

bool ComputerPlayer::詰めかMAN_COM移動() {
  const Square k = K();
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const PieceCode p = pos_.Board[x][y];
      if (IsUe(p) && 移動チェック(pos_, x, y, k.x, k.y, p) == 1) return true;
    }
  }
  return false;
}

}  // namespace qz
