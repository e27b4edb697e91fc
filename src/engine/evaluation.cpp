// Score of one candidate of the computer, read off the board and maps as the
// move leaves them. Terms are added one by one in a fixed order so that equal
// positions always give bit-identical scores.
#include "engine/computer_player.h"
#include "model/rules.h"

namespace qz {

namespace {

bool IsBigLowerPiece(PieceCode c) { return c == -800 || c == -801 || c == -900 || c == -901; }
bool IsLowerRook(PieceCode c) { return c == -900 || c == -901; }

}  // namespace

double ComputerPlayer::盤評価(PieceCode cap, PieceCode pc, int fx, int fy, int tx, int ty) {
  const Square k = K();
  const Square c = C();
  const bool drop = fx == UeHandColumn;
  double score = 0;

  // Reserved scores first: taking the king, leaving our own king en prise.
  if (cap == -OU) return 9999;
  if (S(c.x, c.y) >= 1) return -9998;

  // Check and mate.
  if (U(k.x, k.y) > 0) {
    // A mate by an unpromoted pawn is forbidden in the game, so it is avoided.
    if (詰めかMAN()) return pc == HU ? -9998 : 9998;
    if (SA(tx, ty) == -OU && U(tx, ty) > 0) score += 100;
    const Square d = UDsq(tx, ty);
    if (S(tx, ty) <= 2 && UD(tx, ty) == 901 && tx != k.x && ty != k.y && Abs(tx - k.x) < 2 &&
        Abs(ty - k.y) < 2 && (d.x == k.x || d.y == k.y))
      score += 900;
    if (S(tx, ty) == 0) score += 10;
  }

  if (drop) {
    score += -5;
  } else if (pc > MovingPiece) {
    score += 10;
  }

  score += 盤評価_COM危険座標(pc, tx, ty);

  // Approach to the human's king.
  {
    const int ax = Abs(tx - k.x);
    const int ay = Abs(ty - k.y);
    const int dist = ax > ay ? ax : ay;
    if (dist < OriginDistance) score += ax > ay ? 1 : 0.1;
  }

  // The cheapest attacker of the destination is pinned and the moved piece
  // can take it.
  {
    const Square a = SAsq(tx, ty);
    if (OnBoard(a.x, a.y) && S(a.x, a.y) > 0 && PinS(a) == 1 &&
        (S(tx, ty) == 1 || (S(tx, ty) == 2 && U(k.x, k.y) > 0 && U(tx, ty) > 0)) &&
        ((a.x == k.x && tx != k.x) || (a.y == k.y && ty != k.y) ||
         ((tx == k.x || ty == k.y) && a.x != k.x && a.y != k.y)) &&
        移動チェック(pos_, tx, ty, a.x, a.y, MovingPiece) == 1) {
      if (drop) {
        score += Abs(B(a.x, a.y));
      } else {
        const Square p = PreMoveUeAttackerSquare[a.x][a.y];
        if (B(p.x, p.y) != EMPTY) score += Abs(B(a.x, a.y));
      }
    }
  }

  // Safety of the destination.
  if (S(tx, ty) == 0) {
    if (pc != 800 && pc != 801 && pc != 950 && pc != 10) score -= 盤評価_自角注意_COM(tx, ty, pc);
    if ((pc >= 800 && pc <= 901) || pc == 20 || (Abs(k.x - tx) < 3 && Abs(k.y - ty) < 3)) {
      const int n = 調査_自王逃道();
      if (EscapesBefore > n) score += EscapesBefore - n;
    }
  } else if (U(tx, ty) > 0) {
    if ((LH(4) > 0 || LH(5) > 0) && tx > 1 && tx < 10) {
      if ((IsLowerRook(B(tx - 1, ty)) && B(tx + 1, ty) == 950) ||
          (IsLowerRook(B(tx + 1, ty)) && B(tx - 1, ty) == 950))
        score -= pc;
    }
    const int attacker = Abs(SA(tx, ty));
    if (pc > attacker) score += attacker - pc;
    if (SA(tx, ty) == -OU && ty < k.y && U(k.x, k.y) > 0) score += pc;
  } else if (drop) {
    // A board move's loss is charged by the assessment.
    score -= pc + 50;
  }

  // Edge lance.
  if (B(tx, 10) == -20 && (tx == 1 || tx == 10) && pc != 20 && pc != 900 && pc != 901 && fx != tx)
    score += -0.1;

  // Captures.
  if (cap != EMPTY) {
    if (IsBigLowerPiece(cap) && pc <= 110) score += Abs(cap);
    if (Level == 1) return score;
    if (S(tx, ty) > 0) {
      if (U(tx, ty) > 0) {
        if (pc < Abs(SA(tx, ty))) score += Abs(cap);
      } else if (PS(fx, fy) > 0 && 調査_移動可場所数(fx, fy, pc) == 0) {
        score += Abs(cap);
      }
    }
    if (S(tx, ty) == 0) {
      score += Abs(cap);
      if (cap == -11 || cap == -21 || cap == -31) score += 50;
    }
  }

  if (Level == 2) return score;
  return PositionalRules(score, cap, pc, fx, fy, tx, ty);
}

}  // namespace qz
