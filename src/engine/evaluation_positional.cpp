// Positional rules by the moved piece: small nudges, a few tied to opening
// squares. Each function takes the score reached so far and gives the final
// score; a rule that settles the matter returns at once.
#include "engine/computer_player.h"
#include "model/rules.h"

namespace qz {

namespace {

bool IsLowerLanceOrRook(PieceCode c) { return c == -20 || c == -900; }

}  // namespace

double ComputerPlayer::PositionalRules(double score, PieceCode cap, PieceCode pc, int fx, int fy,
                                       int tx, int ty) {
  switch (pc) {
    case 10: return PawnRules(score, cap, fx, fy, tx, ty);
    case 11: return U(tx, ty) >= S(tx, ty) ? score + 1 : score;
    case 20: return LanceRules(score, cap, fx, tx, ty);
    case 30: return KnightRules(score, tx, ty);
    case 100: return SilverRules(score, fx, fy, tx, ty);
    case 110: return GoldRules(score, fx, fy, tx, ty);
    case 800: return BishopRules(score, fx, fy, tx, ty);
    case 801: return score + 調査_周辺状況(tx, ty);
    case 900: return RookRules(score, fx, fy, tx, ty);
    case 901: return PromotedRookRules(score, fx, fy, tx, ty);
    case 950: return KingRules(score, tx, ty);
    default: return score;  // the other kinds have no positional rules
  }
}

double ComputerPlayer::PawnRules(double score, PieceCode cap, int fx, int fy, int tx, int ty) {
  if (UH(2) > 0) score += 調査_香狙い(tx, ty);
  if (UH(3) > 0) score += 調査_桂狙い(tx, ty);
  if (ty < 10 && B(tx, ty + 1) == 110) score += 0.5;
  if (ty < 10 && B(tx, ty + 1) == 900) score += -1;
  if (ty < 10 && B(tx, ty + 1) < -10 && 調査_移動可場所数(tx, ty + 1, B(tx, ty + 1)) == 0)
    score += Abs(B(tx, ty + 1));
  if (U(tx, ty) > 0 && tx > 1 && tx < 10 && (B(tx + 1, ty) == 900 || B(tx - 1, ty) == 900))
    score += -1;

  if (fx == UeHandColumn) {
    if (U(tx, ty) == 0 && ty > 1 && B(tx, ty - 1) >= 100 && (LH(1) > 0 || LH(2) > 0)) score += 6;
    if (B(2, 9) == -800 && tx == 2 && ty == 8 && (S(2, 8) != 0 || U(2, 8) > 0)) score += 30;
    const Square a = SAsq(tx, ty);
    if (!(S(a.x, a.y) == 0 && PU(a.x, a.y) > 0) && U(tx, ty) > 0 && a.x == tx &&
        IsLowerLanceOrRook(SA(tx, ty)) && ty < a.y)
      return score + 120;
    return score;
  }

  score += -0.1;
  if (UD(tx, ty) == 110 || UD(tx, ty) == 100) score += 0.6;
  if (ty < 8 && UD(tx, ty) == 20) score += 1;
  {
    const Square d = UDsq(tx, ty);
    if (ty < 8 && UD(tx, ty) == 900 && d.x == tx && U(tx, ty) >= S(tx, ty) && d.y < ty) score += 2;
  }
  if (ty < 8 && S(tx, ty + 1) == 0 && B(tx, ty + 2) <= -30) score += 1;
  if (ty < 7 && B(tx, ty + 1) == -10 && S(tx, ty + 1) > 0) score += -5;
  if (ty < 7 && tx < 10 && B(tx + 1, ty) == 800) {
    score += 0.5;
    if (B(tx + 1, ty + 2) == -10) score += 5;
  }
  if (ty < 7 && tx > 1 && tx == 7 && ty == 4 && B(8, 2) == 800) score += 10;
  if (ty < 7 && tx > 1 && B(tx - 1, ty) == 800) {
    score += 0.5;
    if (B(tx - 1, ty + 2) == -10) score += 5;
  }
  if (ty < 8 && cap <= -10 && U(fx, fy) == 1) {
    if (ty > 2 && SA(tx, ty) == -20 && B(tx, ty - 2) == 800) {
      score += -5;
    } else {
      score += 5;
    }
    if (cap == -10 && IsLowerLanceOrRook(SA(tx, ty))) score += 50;
  }
  if (ty < 8 && B(tx, ty + 1) <= -10) {
    if (U(tx, ty) > S(tx, ty)) return score + 1;
    if (B(tx, ty + 1) == -10) return score + -5;
    if (U(tx, ty) > 0 && PS(tx, ty + 1) == 0 && PU(tx, ty + 1) > 0) return score + -1;
    if (U(tx, ty) > 0 && U(tx, ty) >= S(tx, ty)) return score + 5;
    if (U(tx, ty) == 0 && S(tx, ty) == 0) return score + 1;
  }
  return score;
}

double ComputerPlayer::LanceRules(double score, PieceCode cap, int fx, int tx, int ty) {
  const bool drop = fx == UeHandColumn;
  if (UH(3) > 0) score += 調査_桂狙い(tx, ty);
  if (drop && ty < 8 && LH(1) > 0 && S(tx, ty + 1) > 0 && S(tx, ty) == 0) score += -10;
  if (drop && ty < 8 && B(tx, ty + 1) <= -20 && (S(tx, ty) == 0 || U(tx, ty) >= S(tx, ty))) {
    // Skewer: the piece in front would be taken with the one behind it exposed.
    for (int y = ty + 2; y <= 10; ++y) {
      if (B(tx, y) == EMPTY) continue;
      if (移動チェック(pos_, tx, ty + 1, tx, y, 20) == 1 && B(tx, y) < -20)
        return score + Abs(B(tx, y));
      break;
    }
  }
  if (!drop && cap == EMPTY) return score + -0.9;
  if (!drop && cap == -20) {
    score += 10;
    if (S(tx, ty) >= 1) return score + 10;
  }
  return score;
}

double ComputerPlayer::KnightRules(double score, int tx, int ty) {
  score += -0.1;
  // An unpromoted knight never stands on row 10; the guard only keeps the
  // read on the board.
  if (ty < 10 && S(tx, ty + 1) > 0) score += -1;
  if (ty < 9 && tx > 1 && tx < 10) {
    if (S(tx - 1, ty + 2) > 0 && S(tx + 1, ty + 2) > 0) score += -1;
    if (tx == 8 && ty == 3 && B(9, 4) == 800) return score + -5;
  }
  return score;
}

double ComputerPlayer::SilverRules(double score, int fx, int fy, int tx, int ty) {
  if (ty <= 1) return score;
  const bool lowerSilverAhead = B(7, 5) == -100 || B(8, 5) == -100 || B(9, 5) == -100;
  if (ty > fy && fx == tx && lowerSilverAhead) score += 5;
  if (ty > fy && fx == tx && !lowerSilverAhead) score += -0.1;
  if (B(tx, ty - 1) == 30) score += -0.5;
  if (tx == 7 && ty == 3 && B(8, 3) == 10 && B(8, 5) == -10) return score + 115;
  return score;
}

double ComputerPlayer::GoldRules(double score, int fx, int fy, int tx, int ty) {
  if (ty > fy && fx != tx) score += -0.5;
  if (ty == 4 && B(6, 4) == 800 && S(6, 4) > 0) return score + -5;
  if (ty == 2 && B(8, 3) == 10 && B(8, 6) == -10 && tx == 7 && SD(8, 6) == -900) score += 10;
  if (ty == 2 && LH(6) > 0 && PU(tx, ty + 1) == 0 && B(tx, ty + 1) >= 10) {
    score += 2;
    if (PU(tx, ty + 2) == 1 && B(tx, ty + 2) == 800) return score + 125;
  }
  return score;
}

double ComputerPlayer::BishopRules(double score, int fx, int fy, int tx, int ty) {
  const bool drop = fx == UeHandColumn;
  score += 調査_周辺状況(tx, ty);
  if (ty == 3 && tx == 10 && B(9, 4) == 10 && B(9, 6) == -10 && B(10, 10) == -20) score += -10;
  if (ty == 3 && tx == 7 && B(8, 5) == -10 && SD(8, 5) == -900) score += 9;
  if (ty < 10 && S(tx, ty + 1) > 0) {
    if (調査_移動可場所数(tx, ty, 800) == 0) score += -100;
    if (ty < 8 && B(tx, ty + 2) == -10) score += -1;
  }
  if (fy == 3 && fx == 9 && B(9, 4) == 10 && B(9, 6) == -10 && SD(9, 6) == -20) score += 10;
  if (fy == 3 && fx == 7 && B(8, 5) == -10 && SD(8, 5) == -900 && PU(8, 4) > U(8, 4)) score += -10;
  if (drop && ty > 6 && 調査_移動可場所数(tx, ty, 800) <= 3) return score + -20;
  if (drop && ty <= 6 && ty == 5 && (tx == 1 || tx == 9) && B(tx, 7) == -10) score += -10;
  if (drop && ty <= 6 && tx == 4 && ty == 5 && B(5, 8) == -110) return score + -10;
  return score;
}

double ComputerPlayer::RookRules(double score, int fx, int fy, int tx, int ty) {
  const bool drop = fx == UeHandColumn;
  score += 調査_周辺状況(tx, ty);
  if (drop) {
    if (ty == 9 && B(tx, 8) == -100 && tx > 1 && tx < 10 &&
        ((B(tx + 1, 8) == -110 && B(tx - 1, 9) != EMPTY) ||
         (B(tx - 1, 8) == -110 && B(tx + 1, 9) != EMPTY)))
      return score + -1;
    return score;
  }
  if (S(tx, ty) == 0 && tx == 3 && ty == 4 && B(3, 7) == -800 && B(3, 6) == -10 && B(3, 5) == EMPTY)
    score += 7;
  if (ty < 8 && S(tx, ty + 1) > 0) {
    score += -1;
    if (B(tx, ty + 2) == -10 && ty == fy) score += -5;
  }
  if (ty < 8 && fy < 10 && B(8, fy + 1) == -10 && SD(8, fy + 1) == -900) {
    if (U(8, fy) < PU(8, fy)) score += -11;
    if (B(7, fy) == 10 && ty != fy) score += -11;
  }
  if (ty < 8 && S(fx, fy) == 0 && fx == 2 && fy == 2 && tx == 2 && ty == 3) score += -1;
  if (S(tx, ty) == 0 || (SA(tx, ty) == -OU && U(tx, ty) > 0)) {
    if (調査_移動可場所数(tx, ty, 900) <= 1) return score + -35;
    const Square k = K();
    if ((tx == k.x || ty == k.y) && Abs(tx - k.x) < 3 && Abs(ty - k.y) < 3) return score + 100;
  }
  return score;
}

double ComputerPlayer::PromotedRookRules(double score, int fx, int fy, int tx, int ty) {
  score += 調査_周辺状況(tx, ty);
  // Above row 1 lies off the board, which reads as empty.
  const PieceCode above = ty > 1 ? B(tx, ty - 1) : EMPTY;
  if (above == -100 && tx > 1 && tx < 10 &&
      ((ty > 1 && B(tx + 1, ty - 1) == -110 && B(tx - 1, ty) != EMPTY) ||
       (ty > 1 && B(tx - 1, ty - 1) == -110 && B(tx + 1, ty) != EMPTY)))
    score += -10;
  if (fy == 10 && B(fx, 9) == -100) {
    if (fx > 1 && B(fx - 1, 9) == -110) score += 2;
    if (fx < 10 && B(fx + 1, 9) == -110) score += 2;
  }
  if (ty == 10 && B(tx, 9) <= -10 && tx == 3 && B(2, 10) <= -10 && B(4, 8) == -110) score += -150;
  if (ty == 10 && B(tx, 9) <= -10 && tx == 7 && B(8, 10) <= -10 && B(6, 8) == -110) score += -150;
  const Square k = K();
  if ((S(tx, ty) == 0 || (SA(tx, ty) == -OU && U(tx, ty) > 0)) && (tx == k.x || ty == k.y) &&
      Abs(tx - k.x) < 3 && Abs(ty - k.y) < 3)
    return score + 100;
  return score;
}

double ComputerPlayer::KingRules(double score, int tx, int ty) {
  if (ty > 3) score -= 15 + ty;
  if (tx != 5) score += 1;
  if (AnyUePinned) score += 10;
  if (U(tx, ty) > PU(tx, ty)) score += 1;
  if (調査_移動可場所数(tx, ty, 950) < 2) return score + -20;
  return score;
}

}  // namespace qz
