// Small analyses of the position used by the evaluation: escapes, pins,
// bishop-check squares, safe mobility, column attacks and drop follow-ups.
// Probes that lift a piece put it back before they return.
#include "engine/computer_player.h"
#include "model/rules.h"

namespace qz {

namespace {

bool IsUeSlider(PieceCode c) { return c == 20 || c == 800 || c == 801 || c == 900 || c == 901; }
bool IsSitaSlider(PieceCode c) {
  return c == -20 || c == -800 || c == -801 || c == -900 || c == -901;
}

}  // namespace

int ComputerPlayer::調査_自王逃道() {
  const Square k = K();
  int n = 0;
  for (int x = k.x - 1; x <= k.x + 1; ++x) {
    for (int y = k.y - 1; y <= k.y + 1; ++y) {
      if ((x == k.x && y == k.y) || !OnBoard(x, y)) continue;
      if (B(x, y) == EMPTY && U(x, y) == 0) ++n;
    }
  }
  return n;
}

void ComputerPlayer::調査_移動不可駒() {
  AnyUePinned = false;
  const Square k = K();
  const Square c = C();
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      PinnedFlag[SITA][x][y] = 0;
      PinnedFlag[UE][x][y] = 0;
      const PieceCode q = pos_.Board[x][y];
      if (q == EMPTY) continue;
      pos_.Board[x][y] = EMPTY;
      const bool lower = IsSita(q);
      const Square target = lower ? k : c;
      bool pinned = false;
      for (int i = 1; i <= 10 && !pinned; ++i) {
        for (int j = 1; j <= 10 && !pinned; ++j) {
          const PieceCode r = pos_.Board[i][j];
          if (lower ? IsUeSlider(r) : IsSitaSlider(r))
            pinned = 移動チェック(pos_, i, j, target.x, target.y, r) == 1;
        }
      }
      if (pinned) {
        PinnedFlag[lower ? SITA : UE][x][y] = 1;
        if (!lower) AnyUePinned = true;
      }
      pos_.Board[x][y] = q;
    }
  }
}

bool ComputerPlayer::調査_持角狙座標() {
  const Square k = K();
  const Square c = C();
  bool answer = false;
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      BishopCheckSquares[x][y] = 0;
      if (B(x, y) != EMPTY) continue;
      if (S(x, y) == 0 && 移動チェック(pos_, x, y, k.x, k.y, KAKU) == 1) answer = true;
      if (U(x, y) == 0 && 移動チェック(pos_, x, y, c.x, c.y, -KAKU) == 1)
        BishopCheckSquares[x][y] = 1;
    }
  }
  return answer;
}

PieceCode ComputerPlayer::盤評価_自角注意_COM(int x, int y, PieceCode pc) {
  int ti = 0, tj = 0;
  for (int i = 1; i <= 10 && ti == 0; ++i) {
    for (int j = 1; j <= 10; ++j) {
      if (BishopCheckSquares[i][j] == 1 && 移動チェック(pos_, x, y, i, j, -KAKU) == 1) {
        ti = i;
        tj = j;
        break;
      }
    }
  }
  if (ti == 0) return 0;
  for (int a = 1; a <= 10; ++a) {
    for (int b = 1; b <= 10; ++b) {
      const PieceCode r = B(a, b);
      if ((r == -800 || r == -801) && 移動チェック(pos_, a, b, ti, tj, r) == 1) return pc;
    }
  }
  if (LH(8) > 0 && 移動チェック(pos_, SitaHandColumn, 8 + 1, ti, tj, -KAKU) == 1) return pc;
  return 0;
}

int ComputerPlayer::調査_移動可場所数(int x, int y, PieceCode piece) {
  const Side other = IsUe(piece) ? SITA : UE;
  int n = 0;
  for (int a = 1; a <= 10; ++a) {
    for (int b = 1; b <= 10; ++b) {
      if (maps_.ControlCount[other][a][b] == 0 && 移動チェック(pos_, x, y, a, b, piece) == 1) ++n;
    }
  }
  return n;
}

bool ComputerPlayer::調査_自守駒MAN_直進駒(int x, int y) {
  const PieceCode saved = pos_.Board[x][y];
  pos_.Board[x][y] = EMPTY;
  bool answer = false;
  for (int yy = y + 1; yy <= 10; ++yy) {
    const PieceCode r = pos_.Board[x][yy];
    if (IsUe(r)) break;
    if (r == -20 || r == -900 || r == -901) {
      answer = 移動チェック(pos_, x, yy, x, y, r) == 1;
      break;
    }
  }
  pos_.Board[x][y] = saved;
  return answer;
}

int ComputerPlayer::調査_周辺状況(int x, int y) {
  int n = 0;
  for (int i = x - 1; i <= x + 1; ++i) {
    for (int j = y - 1; j <= y + 1; ++j) {
      if ((i == x && j == y) || !OnBoard(i, j)) continue;
      if (B(i, j) >= 800) --n;
    }
  }
  return n;
}

double ComputerPlayer::調査_桂狙い(int x, int y) {
  double gained = 0;
  if (SA(x, y) < -901 || SA(x, y) > -800 || y <= 5) return gained;
  const Square a = SAsq(x, y);
  if (x > 2 && S(x - 1, y - 2) == 0 && B(x - 1, y - 2) == EMPTY && B(x - 2, y) <= -800 &&
      a.x != x - 2)
    gained += Abs(B(x - 2, y));
  if (x < 9 && S(x + 1, y - 2) == 0 && B(x + 1, y - 2) == EMPTY && B(x + 2, y) <= -800 &&
      a.x != x + 2)
    gained += Abs(B(x + 2, y));
  return gained;
}

double ComputerPlayer::調査_香狙い(int x, int y) {
  if (y <= 6 || U(x, y - 1) <= 0 || S(x, y - 1) != 0 || SA(x, y) < -901 || SA(x, y) > -800)
    return 0;
  for (int yy = y + 1; yy <= 10; ++yy) {
    if (B(x, yy) == EMPTY) continue;
    if (移動チェック(pos_, x, y, x, yy, KYOU) == 1) return Abs(B(x, yy));
    return 0;
  }
  return 0;
}

}  // namespace qz
