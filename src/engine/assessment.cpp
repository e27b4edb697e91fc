// Whole-board look at the dangers the human could use next: weak squares
// near the computer's camp, drops from the human's hand, attacked computer
// pieces, and forks by the piece just moved. The only place where the loss of
// an attacked computer piece is charged.
#include "engine/computer_player.h"
#include "model/rules.h"

namespace qz {

double ComputerPlayer::盤評価_COM危険座標(PieceCode pc, int tx, int ty) {
  double acc = 0;
  int forkCount = 0;
  int forkMin = 9999;
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const PieceCode q = B(x, y);
      if (q == EMPTY) {
        AssessEmpty(x, y, acc);
      } else if (IsUe(q)) {
        AssessOwnPiece(x, y, acc);
      } else {
        AssessEnemyPiece(x, y, pc, tx, ty, acc, forkCount, forkMin);
      }
    }
  }
  if (forkCount > 1) acc += forkMin;
  return acc;
}

// Each term goes straight into the running total, in its order, so the
// rounding of the sum is the same whatever the grouping of the code.
void ComputerPlayer::AssessEmpty(int x, int y, double& acc) {
  const Square c = C();
  if (S(x, y) > 0) {
    if (Abs(x - c.x) < 2 && Abs(y - c.y) < 2) {
      acc -= 0.5 * S(x, y);
      if (U(x, y) == 1 && S(x, y) > 1) acc -= 10;
      if (LH(4) > 0 || LH(5) > 0) acc -= 10;
    }
    if (U(x, y) == 0 && y < 4) {
      acc -= 0.1;
      if (調査_自守駒MAN_直進駒(x, y)) acc -= 10;
    }
    if (y < 4 && B(x, y + 1) == -10 && S(x, y) >= U(x, y)) {
      acc -= 30;
      if (調査_自守駒MAN_直進駒(x, y + 1)) acc -= 70;
    }
  }
  if (pos_.HandTotal[SITA] > 0) {
    if (LH(2) > 0 && y > 2 && B(x, y - 1) > 20 && (S(x, y) > 0 || U(x, y) == 0)) {
      for (int yy = y - 2; yy >= 1; --yy) {
        const PieceCode r = B(x, yy);
        if (r == EMPTY) continue;
        if (r > 20) acc -= 100 + r / 2.0;
        break;
      }
    }
    if (LH(3) > 0 && (U(x, y) == 0 || (S(x, y) > 0 && maps_.UeAttackerCode[x][y] > 30)) && y > 2 &&
        x >= 2 && x <= 9) {
      if (B(x - 1, y - 2) > 10 && B(x + 1, y - 2) > 10) acc -= 20;
    }
    if ((LH(5) > 0 || LH(4) > 0) && U(x, y) <= 1) {
      if (調査_周辺状況(x, y) < -1) acc -= 5;
      if (U(x, y) == 0 && 調査_周辺状況(x, y) < 0) {
        acc -= 1;
        if (y < 4) acc -= 10;
      }
    }
    if (U(x, y) == 0) {
      if (y == 2 && B(x, 1) == 30) acc -= 5;
      if (y < 4) acc -= 0.1;
      if (LH(4) > 0 && y > 1 && y < 10 && x >= 2 && x <= 9) {
        if (B(x - 1, y - 1) >= 10 && B(x + 1, y + 1) >= 10 && U(x - 1, y - 1) == 0 &&
            U(x + 1, y + 1) == 0)
          acc -= 20;
        if (B(x - 1, y + 1) >= 10 && B(x + 1, y - 1) >= 10 && U(x - 1, y + 1) == 0 &&
            U(x + 1, y - 1) == 0)
          acc -= 20;
      }
    }
  }
}

void ComputerPlayer::AssessOwnPiece(int x, int y, double& acc) {
  const PieceCode p = B(x, y);
  if (p == 950 && y == 1 && S(x, 2) > 0) {
    acc -= 50;
    if (S(x, 2) >= U(x, 2)) acc -= 250;
    if (LH(4) > 0 || LH(5) > 0) acc -= 700;
  }
  if (p == 10 && SA(x, y) == -900 && LH(1) > 0 && S(x, y) >= U(x, y) && y < 10 && U(x, y + 1) == 1)
    acc -= 5;
  if (S(x, y) > 0) {
    const int attacker = Abs(SA(x, y));
    const Square a = SAsq(x, y);
    if (UD(x, y) == 950 && (S(x, y) > 1 || p > attacker)) acc -= 100;
    if (PinS(a) == 0 && p > attacker) acc += attacker - p;
    if (U(x, y) > 0 && PinS(a) == 0) {
      if (S(x, y) > U(x, y) && UD(x, y) >= attacker) acc -= p;
      if (y <= 3 && U(x, y) == S(x, y) && B(x, y + 1) != EMPTY && 調査_自守駒MAN_直進駒(x, y + 1))
        acc -= p + Abs(SA(x, y + 1));
    }
    if (U(x, y) == 0) {
      acc -= p;
      if (y <= 3) acc -= 10;
      if (IsSita(PreMoveBoard[x][y])) acc += Abs(PreMoveBoard[x][y]);
      if (y < 4 && (SA(x, y) == -10 || SA(x, y) == -20)) acc -= 20;
    }
  }
}

void ComputerPlayer::AssessEnemyPiece(int x, int y, PieceCode pc, int tx, int ty, double& acc,
                                      int& forkCount, int& forkMin) {
  const PieceCode q = B(x, y);
  const Square c = C();
  if (PU(x, y) == 0 && U(x, y) > 0) {
    if (y > 2 && q == -30 && S(x, y - 1) == 0 &&
        (B(x, y - 1) == 100 || B(x, y - 1) == 901 || B(x, y - 1) == 801))
      acc += 1;
    if (Abs(x - c.x) < 3 && Abs(y - c.y) < 3) acc += 15;
  }
  if (q == -30) {
    if (y > 4 && B(x, y - 4) >= 100) {
      if (x > 1 && B(x - 1, y - 2) >= 0 && U(x - 1, y - 2) == 0) acc -= 1;
      if (x < 10 && B(x + 1, y - 2) >= 0 && U(x + 1, y - 2) == 0) acc -= 1;
    }
  } else if ((q == -900 || q == -901 || q == -20) && x == c.x) {
    acc -= 1;
  }
  if (S(tx, ty) == 0 && (S(x, y) == 0 || q == -OU) && 移動チェック(pos_, tx, ty, x, y, pc) == 1) {
    acc += 0.1;
    ++forkCount;
    if (Abs(q) < forkMin) forkMin = Abs(q);
  }
}

}  // namespace qz
