// The computer's scores compared with a second, deliberately plain writing
// of the move evaluation and the whole-board assessment, on positions reached
// by random play from both starting placements, at every level. The
// reference reads the same board, maps and turn variables and uses the
// player's small probes, but every rule row, comparison, return and the order
// of the terms is written out again here, term by term, so that a changed
// sign, bound, map or order of addition in the player shows up as a score
// that differs in the last bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/placement.h"
#include "model/rules.h"
#include "random_play.h"

namespace qz {
namespace {

using test::PlayRandomMove;

class Reference {
 public:
  Reference(Position& pos, ControlMaps& maps, ComputerPlayer& player)
      : pos_(pos), m_(maps), p_(player) {}

  double Evaluate(PieceCode cap, PieceCode pc, int fx, int fy, int tx, int ty) {
    const int kx = K().x, ky = K().y;
    const int cx = C().x, cy = C().y;
    const bool drop = fx == -1;
    double s = 0;
    if (cap == -950) return 9999;
    if (S(cx, cy) >= 1) return -9998;
    if (U(kx, ky) > 0) {
      if (p_.詰めかMAN()) return pc == 10 ? -9998 : 9998;
      if (SA(tx, ty) == -950 && U(tx, ty) > 0) s += 100;
      if (S(tx, ty) <= 2 && UD(tx, ty) == 901 && tx != kx && ty != ky && Abs(tx - kx) < 2 &&
          Abs(ty - ky) < 2 && (UDsq(tx, ty).x == kx || UDsq(tx, ty).y == ky))
        s += 900;
      if (S(tx, ty) == 0) s += 10;
    }
    if (drop) {
      s += -5;
    } else if (pc > p_.MovingPiece) {
      s += 10;
    }
    s += Assess(pc, tx, ty);
    {
      const int d = std::max(Abs(tx - kx), Abs(ty - ky));
      if (d < p_.OriginDistance) {
        if (Abs(tx - kx) > Abs(ty - ky)) {
          s += 1;
        } else {
          s += 0.1;
        }
      }
    }
    {
      const int ax = SAsq(tx, ty).x, ay = SAsq(tx, ty).y;
      if (OnBoard(ax, ay) && S(ax, ay) > 0 && p_.PinnedFlag[SITA][ax][ay] == 1 &&
          (S(tx, ty) == 1 || (S(tx, ty) == 2 && U(kx, ky) > 0 && U(tx, ty) > 0))) {
        const bool line = (ax == kx && tx != kx) || (ay == ky && ty != ky) ||
                          ((tx == kx || ty == ky) && ax != kx && ay != ky);
        if (line && 移動チェック(pos_, tx, ty, ax, ay, p_.MovingPiece) == 1) {
          if (drop) {
            s += Abs(B(ax, ay));
          } else {
            const Square q = p_.PreMoveUeAttackerSquare[ax][ay];
            if (pos_.Board[q.x][q.y] != 0) s += Abs(B(ax, ay));
          }
        }
      }
    }
    if (S(tx, ty) == 0) {
      if (pc != 800 && pc != 801 && pc != 950 && pc != 10) s -= p_.盤評価_自角注意_COM(tx, ty, pc);
      if ((pc >= 800 && pc <= 901) || pc == 20 || (Abs(kx - tx) < 3 && Abs(ky - ty) < 3)) {
        const int n = p_.調査_自王逃道();
        if (p_.EscapesBefore > n) s += p_.EscapesBefore - n;
      }
    } else if (U(tx, ty) > 0) {
      if ((LH(4) > 0 || LH(5) > 0) && 1 < tx && tx < 10) {
        const bool left = (B(tx - 1, ty) == -900 || B(tx - 1, ty) == -901) && B(tx + 1, ty) == 950;
        const bool right = (B(tx + 1, ty) == -900 || B(tx + 1, ty) == -901) && B(tx - 1, ty) == 950;
        if (left || right) s -= pc;
      }
      if (pc > Abs(SA(tx, ty))) s += Abs(SA(tx, ty)) - pc;
      if (SA(tx, ty) == -950 && ty < ky && U(kx, ky) > 0) s += pc;
    } else if (drop) {
      s -= pc + 50;
    }
    if (B(tx, 10) == -20 && (tx == 1 || tx == 10) && pc != 20 && pc != 900 && pc != 901 && fx != tx)
      s += -0.1;
    if (cap != 0) {
      if ((cap == -800 || cap == -801 || cap == -900 || cap == -901) && pc <= 110) s += Abs(cap);
      if (p_.Level == 1) return s;
      if (S(tx, ty) > 0) {
        if (U(tx, ty) > 0) {
          if (pc < Abs(SA(tx, ty))) s += Abs(cap);
        } else {
          if (PS(fx, fy) > 0 && p_.調査_移動可場所数(fx, fy, pc) == 0) s += Abs(cap);
        }
      }
      if (S(tx, ty) == 0) {
        s += Abs(cap);
        if (cap == -11 || cap == -21 || cap == -31) s += 50;
      }
    }
    if (p_.Level == 2) return s;
    return Positional(s, cap, pc, fx, fy, tx, ty);
  }

  double Assess(PieceCode pc, int tx, int ty) {
    const int cx = C().x, cy = C().y;
    double acc = 0;
    int forkCount = 0;
    int forkMin = 9999;
    for (int x = 1; x <= 10; ++x) {
      for (int y = 1; y <= 10; ++y) {
        const PieceCode q = B(x, y);
        if (q == 0) {
          if (S(x, y) > 0) {
            if (Abs(x - cx) < 2 && Abs(y - cy) < 2) {
              acc -= 0.5 * S(x, y);
              if (U(x, y) == 1 && S(x, y) > 1) acc -= 10;
              if (LH(4) > 0 || LH(5) > 0) acc -= 10;
            }
            if (U(x, y) == 0 && y < 4) {
              acc -= 0.1;
              if (p_.調査_自守駒MAN_直進駒(x, y)) acc -= 10;
            }
            if (y < 4 && B(x, y + 1) == -10 && S(x, y) >= U(x, y)) {
              acc -= 30;
              if (p_.調査_自守駒MAN_直進駒(x, y + 1)) acc -= 70;
            }
          }
          if (pos_.HandTotal[SITA] > 0) {
            if (LH(2) > 0 && y > 2 && B(x, y - 1) > 20 && (S(x, y) > 0 || U(x, y) == 0)) {
              int w = y - 2;
              while (w >= 1 && B(x, w) == 0) --w;
              if (w >= 1 && B(x, w) > 20) acc -= 100 + B(x, w) / 2.0;
            }
            if (LH(3) > 0 && (U(x, y) == 0 || (S(x, y) > 0 && m_.UeAttackerCode[x][y] > 30)) &&
                y > 2 && 2 <= x && x <= 9) {
              if (B(x - 1, y - 2) > 10 && B(x + 1, y - 2) > 10) acc -= 20;
            }
            if ((LH(5) > 0 || LH(4) > 0) && U(x, y) <= 1) {
              if (p_.調査_周辺状況(x, y) < -1) acc -= 5;
              if (U(x, y) == 0) {
                if (p_.調査_周辺状況(x, y) < 0) {
                  acc -= 1;
                  if (y < 4) acc -= 10;
                }
              }
            }
            if (U(x, y) == 0) {
              if (y == 2 && B(x, 1) == 30) acc -= 5;
              if (y < 4) acc -= 0.1;
              if (LH(4) > 0 && 1 < y && y < 10 && 2 <= x && x <= 9) {
                if (B(x - 1, y - 1) >= 10 && B(x + 1, y + 1) >= 10 && U(x - 1, y - 1) == 0 &&
                    U(x + 1, y + 1) == 0)
                  acc -= 20;
                if (B(x - 1, y + 1) >= 10 && B(x + 1, y - 1) >= 10 && U(x - 1, y + 1) == 0 &&
                    U(x + 1, y - 1) == 0)
                  acc -= 20;
              }
            }
          }
        } else if (q >= 10) {
          const PieceCode P = q;
          if (P == 950 && y == 1 && S(x, 2) > 0) {
            acc -= 50;
            if (S(x, 2) >= U(x, 2)) acc -= 250;
            if (LH(4) > 0 || LH(5) > 0) acc -= 700;
          }
          if (P == 10 && SA(x, y) == -900 && LH(1) > 0 && S(x, y) >= U(x, y) && y < 10 &&
              U(x, y + 1) == 1)
            acc -= 5;
          if (S(x, y) > 0) {
            const Square a = SAsq(x, y);
            const int pin = p_.PinnedFlag[SITA][a.x][a.y];
            if (UD(x, y) == 950 && (S(x, y) > 1 || P > Abs(SA(x, y)))) acc -= 100;
            if (pin == 0 && P > Abs(SA(x, y))) acc += Abs(SA(x, y)) - P;
            if (U(x, y) > 0 && pin == 0) {
              if (S(x, y) > U(x, y) && UD(x, y) >= Abs(SA(x, y))) acc -= P;
              if (y <= 3 && U(x, y) == S(x, y) && B(x, y + 1) != 0 &&
                  p_.調査_自守駒MAN_直進駒(x, y + 1))
                acc -= P + Abs(SA(x, y + 1));
            }
            if (U(x, y) == 0) {
              acc -= P;
              if (y <= 3) acc -= 10;
              if (p_.PreMoveBoard[x][y] <= -10) acc += Abs(p_.PreMoveBoard[x][y]);
              if (y < 4 && (SA(x, y) == -10 || SA(x, y) == -20)) acc -= 20;
            }
          }
        } else {
          const PieceCode Q = q;
          if (PU(x, y) == 0 && U(x, y) > 0) {
            if (y > 2 && Q == -30 && S(x, y - 1) == 0 &&
                (B(x, y - 1) == 100 || B(x, y - 1) == 901 || B(x, y - 1) == 801))
              acc += 1;
            if (Abs(x - cx) < 3 && Abs(y - cy) < 3) acc += 15;
          }
          if (Q == -30) {
            if (y > 4 && B(x, y - 4) >= 100) {
              if (x > 1 && B(x - 1, y - 2) >= 0 && U(x - 1, y - 2) == 0) acc -= 1;
              if (x < 10 && B(x + 1, y - 2) >= 0 && U(x + 1, y - 2) == 0) acc -= 1;
            }
          } else if ((Q == -900 || Q == -901 || Q == -20) && x == cx) {
            acc -= 1;
          }
          if (S(tx, ty) == 0 && (S(x, y) == 0 || Q == -950) &&
              移動チェック(pos_, tx, ty, x, y, pc) == 1) {
            acc += 0.1;
            forkCount += 1;
            forkMin = std::min(forkMin, Abs(Q));
          }
        }
      }
    }
    if (forkCount > 1) acc += forkMin;
    return acc;
  }

 private:
  double Positional(double s, PieceCode cap, PieceCode pc, int fx, int fy, int tx, int ty) {
    const int kx = K().x, ky = K().y;
    const bool drop = fx == -1;
    if (pc == 10) {
      if (UH(2) > 0) s += p_.調査_香狙い(tx, ty);
      if (UH(3) > 0) s += p_.調査_桂狙い(tx, ty);
      if (ty < 10 && B(tx, ty + 1) == 110) s += 0.5;
      if (ty < 10 && B(tx, ty + 1) == 900) s += -1;
      if (ty < 10 && B(tx, ty + 1) < -10 && p_.調査_移動可場所数(tx, ty + 1, B(tx, ty + 1)) == 0)
        s += Abs(B(tx, ty + 1));
      if (U(tx, ty) > 0 && 1 < tx && tx < 10 && (B(tx + 1, ty) == 900 || B(tx - 1, ty) == 900))
        s += -1;
      if (drop) {
        if (U(tx, ty) == 0 && ty > 1 && B(tx, ty - 1) >= 100 && (LH(1) > 0 || LH(2) > 0)) s += 6;
        if (B(2, 9) == -800 && tx == 2 && ty == 8 && (S(2, 8) != 0 || U(2, 8) > 0)) s += 30;
        const int ax = SAsq(tx, ty).x, ay = SAsq(tx, ty).y;
        if (!(S(ax, ay) == 0 && PU(ax, ay) > 0) && U(tx, ty) > 0 && ax == tx &&
            (SA(tx, ty) == -20 || SA(tx, ty) == -900) && ty < ay)
          return s + 120;
        return s;
      }
      s += -0.1;
      if (UD(tx, ty) == 110 || UD(tx, ty) == 100) s += 0.6;
      if (ty < 8 && UD(tx, ty) == 20) s += 1;
      if (ty < 8 && UD(tx, ty) == 900 && UDsq(tx, ty).x == tx && U(tx, ty) >= S(tx, ty) &&
          UDsq(tx, ty).y < ty)
        s += 2;
      if (ty < 8 && S(tx, ty + 1) == 0 && B(tx, ty + 2) <= -30) s += 1;
      if (ty < 7 && B(tx, ty + 1) == -10 && S(tx, ty + 1) > 0) s += -5;
      if (ty < 7 && tx < 10 && B(tx + 1, ty) == 800) {
        s += 0.5;
        if (B(tx + 1, ty + 2) == -10) s += 5;
      }
      if (ty < 7 && tx > 1 && tx == 7 && ty == 4 && B(8, 2) == 800) s += 10;
      if (ty < 7 && tx > 1 && B(tx - 1, ty) == 800) {
        s += 0.5;
        if (B(tx - 1, ty + 2) == -10) s += 5;
      }
      if (ty < 8 && cap <= -10 && U(fx, fy) == 1) {
        if (ty > 2 && SA(tx, ty) == -20 && B(tx, ty - 2) == 800) {
          s += -5;
        } else {
          s += 5;
        }
        if (cap == -10 && (SA(tx, ty) == -20 || SA(tx, ty) == -900)) s += 50;
      }
      if (ty < 8 && B(tx, ty + 1) <= -10) {
        if (U(tx, ty) > S(tx, ty)) return s + 1;
        if (B(tx, ty + 1) == -10) return s + -5;
        if (U(tx, ty) > 0) {
          if (PS(tx, ty + 1) == 0 && PU(tx, ty + 1) > 0) return s + -1;
          if (U(tx, ty) >= S(tx, ty)) return s + 5;
        } else if (S(tx, ty) == 0) {
          return s + 1;
        }
      }
      return s;
    }
    if (pc == 11) {
      if (U(tx, ty) >= S(tx, ty)) return s + 1;
      return s;
    }
    if (pc == 20) {
      if (UH(3) > 0) s += p_.調査_桂狙い(tx, ty);
      if (drop && ty < 8 && LH(1) > 0 && S(tx, ty + 1) > 0 && S(tx, ty) == 0) s += -10;
      if (drop && ty < 8 && B(tx, ty + 1) <= -20 && (S(tx, ty) == 0 || U(tx, ty) >= S(tx, ty))) {
        int y = ty + 2;
        while (y <= 10 && B(tx, y) == 0) ++y;
        if (y <= 10 && 移動チェック(pos_, tx, ty + 1, tx, y, 20) == 1 && B(tx, y) < -20)
          return s + Abs(B(tx, y));
      }
      if (!drop && cap == 0) return s + -0.9;
      if (!drop && cap == -20) {
        s += 10;
        if (S(tx, ty) >= 1) return s + 10;
      }
      return s;
    }
    if (pc == 30) {
      s += -0.1;
      if (S(tx, ty + 1) > 0) s += -1;
      if (ty < 9 && 1 < tx && tx < 10) {
        if (S(tx - 1, ty + 2) > 0 && S(tx + 1, ty + 2) > 0) s += -1;
        if (tx == 8 && ty == 3 && B(9, 4) == 800) return s + -5;
      }
      return s;
    }
    if (pc == 100) {
      if (ty > 1) {
        const bool silverAhead = B(7, 5) == -100 || B(8, 5) == -100 || B(9, 5) == -100;
        if (ty > fy && fx == tx && silverAhead) s += 5;
        if (ty > fy && fx == tx && !silverAhead) s += -0.1;
        if (B(tx, ty - 1) == 30) s += -0.5;
        if (tx == 7 && ty == 3 && B(8, 3) == 10 && B(8, 5) == -10) return s + 115;
      }
      return s;
    }
    if (pc == 110) {
      if (ty > fy && fx != tx) s += -0.5;
      if (ty == 4 && B(6, 4) == 800 && S(6, 4) > 0) return s + -5;
      if (ty == 2 && B(8, 3) == 10 && B(8, 6) == -10 && tx == 7 && SD(8, 6) == -900) s += 10;
      if (ty == 2 && LH(6) > 0 && PU(tx, ty + 1) == 0 && B(tx, ty + 1) >= 10) {
        s += 2;
        if (PU(tx, ty + 2) == 1 && B(tx, ty + 2) == 800) return s + 125;
      }
      return s;
    }
    if (pc == 800) {
      s += p_.調査_周辺状況(tx, ty);
      if (ty == 3 && tx == 10 && B(9, 4) == 10 && B(9, 6) == -10 && B(10, 10) == -20) s += -10;
      if (ty == 3 && tx == 7 && B(8, 5) == -10 && SD(8, 5) == -900) s += 9;
      if (ty < 10 && S(tx, ty + 1) > 0) {
        if (p_.調査_移動可場所数(tx, ty, 800) == 0) s += -100;
        if (ty < 8 && B(tx, ty + 2) == -10) s += -1;
      }
      if (fy == 3 && fx == 9 && B(9, 4) == 10 && B(9, 6) == -10 && SD(9, 6) == -20) s += 10;
      if (fy == 3 && fx == 7 && B(8, 5) == -10 && SD(8, 5) == -900 && PU(8, 4) > U(8, 4)) s += -10;
      if (drop) {
        if (ty > 6) {
          if (p_.調査_移動可場所数(tx, ty, 800) <= 3) return s + -20;
        } else {
          if (ty == 5 && (tx == 1 || tx == 9) && B(tx, 7) == -10) s += -10;
          if (tx == 4 && ty == 5 && B(5, 8) == -110) return s + -10;
        }
      }
      return s;
    }
    if (pc == 801) return s + p_.調査_周辺状況(tx, ty);
    if (pc == 900) {
      s += p_.調査_周辺状況(tx, ty);
      if (drop) {
        if (ty == 9 && B(tx, 8) == -100 && 1 < tx && tx < 10 &&
            ((B(tx + 1, 8) == -110 && B(tx - 1, 9) != 0) ||
             (B(tx - 1, 8) == -110 && B(tx + 1, 9) != 0)))
          return s + -1;
        return s;
      }
      if (S(tx, ty) == 0 && tx == 3 && ty == 4 && B(3, 7) == -800 && B(3, 6) == -10 && B(3, 5) == 0)
        s += 7;
      if (ty < 8 && S(tx, ty + 1) > 0) {
        s += -1;
        if (B(tx, ty + 2) == -10 && ty == fy) s += -5;
      }
      if (ty < 8 && fy < 10 && B(8, fy + 1) == -10 && SD(8, fy + 1) == -900) {
        if (U(8, fy) < PU(8, fy)) s += -11;
        if (B(7, fy) == 10 && ty != fy) s += -11;
      }
      if (ty < 8 && S(fx, fy) == 0 && fx == 2 && fy == 2 && tx == 2 && ty == 3) s += -1;
      if (S(tx, ty) == 0 || (SA(tx, ty) == -950 && U(tx, ty) > 0)) {
        if (p_.調査_移動可場所数(tx, ty, 900) <= 1) return s + -35;
        if ((tx == kx || ty == ky) && Abs(tx - kx) < 3 && Abs(ty - ky) < 3) return s + 100;
      }
      return s;
    }
    if (pc == 901) {
      s += p_.調査_周辺状況(tx, ty);
      const PieceCode above = ty >= 2 ? B(tx, ty - 1) : 0;
      const PieceCode aboveRight = ty >= 2 && tx < 10 ? B(tx + 1, ty - 1) : 0;
      const PieceCode aboveLeft = ty >= 2 && tx > 1 ? B(tx - 1, ty - 1) : 0;
      if (above == -100 && 1 < tx && tx < 10 &&
          ((aboveRight == -110 && B(tx - 1, ty) != 0) || (aboveLeft == -110 && B(tx + 1, ty) != 0)))
        s += -10;
      if (fy == 10 && B(fx, 9) == -100) {
        if (fx > 1 && B(fx - 1, 9) == -110) s += 2;
        if (fx < 10 && B(fx + 1, 9) == -110) s += 2;
      }
      if (ty == 10 && B(tx, 9) <= -10 && tx == 3 && B(2, 10) <= -10 && B(4, 8) == -110) s += -150;
      if (ty == 10 && B(tx, 9) <= -10 && tx == 7 && B(8, 10) <= -10 && B(6, 8) == -110) s += -150;
      if ((S(tx, ty) == 0 || (SA(tx, ty) == -950 && U(tx, ty) > 0)) && (tx == kx || ty == ky) &&
          Abs(tx - kx) < 3 && Abs(ty - ky) < 3)
        return s + 100;
      return s;
    }
    if (pc == 950) {
      if (ty > 3) s -= 15 + ty;
      if (tx != 5) s += 1;
      if (p_.AnyUePinned) s += 10;
      if (U(tx, ty) > PU(tx, ty)) s += 1;
      if (p_.調査_移動可場所数(tx, ty, 950) < 2) return s + -20;
      return s;
    }
    return s;
  }

  PieceCode B(int x, int y) const {
    EXPECT_TRUE(OnBoard(x, y)) << "read off the board at (" << x << "," << y << ")";
    return OnBoard(x, y) ? pos_.Board[x][y] : 0;
  }
  int S(int x, int y) const { return m_.ControlCount[SITA][x][y]; }
  int U(int x, int y) const { return m_.ControlCount[UE][x][y]; }
  int PS(int x, int y) const { return p_.PreMoveControlCount[SITA][x][y]; }
  int PU(int x, int y) const { return p_.PreMoveControlCount[UE][x][y]; }
  int SA(int x, int y) const { return m_.SitaAttackerCode[x][y]; }
  Square SAsq(int x, int y) const { return m_.SitaAttackerSquare[x][y]; }
  int UD(int x, int y) const { return m_.UeDefenderCode[x][y]; }
  Square UDsq(int x, int y) const { return m_.UeDefenderSquare[x][y]; }
  int SD(int x, int y) const { return m_.SitaDefenderCode[x][y]; }
  int LH(int k) const { return pos_.Hand[SITA][k]; }
  int UH(int k) const { return pos_.Hand[UE][k]; }
  Square K() const { return pos_.KingSquare[SITA]; }
  Square C() const { return pos_.KingSquare[UE]; }

  Position& pos_;
  ControlMaps& m_;
  ComputerPlayer& p_;
};

// Checks each evaluation of the search against the reference while the
// candidate still stands on the board.
class Comparer : public SearchObserver {
 public:
  Comparer(Position& pos, ControlMaps& maps, ComputerPlayer& player)
      : pos_(pos), player_(player), ref_(pos, maps, player) {}
  void candidate(int fx, int fy, int tx, int ty, PieceCode code, double score) override {
    ++count;
    const PieceCode cap = fx == UeHandColumn ? EMPTY : player_.PreMoveBoard[tx][ty];
    const Position before = pos_;
    const double want = ref_.Evaluate(cap, code, fx, fy, tx, ty);
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y) ASSERT_EQ(pos_.Board[x][y], before.Board[x][y]);
    if (want != score && mismatches.size() < 5) {
      std::ostringstream s;
      s << "candidate (" << fx << "," << fy << ")->(" << tx << "," << ty << ") code " << code
        << " level " << player_.Level << ": player " << score << " reference " << want;
      mismatches.push_back(s.str());
    }
  }
  int count = 0;
  std::vector<std::string> mismatches;

 private:
  Position& pos_;
  ComputerPlayer& player_;
  Reference ref_;
};

bool BothKingsOnBoard(const Position& pos) {
  bool sita = false, ue = false;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) {
      sita = sita || pos.Board[x][y] == -OU;
      ue = ue || pos.Board[x][y] == OU;
    }
  return sita && ue;
}

TEST(EvaluationAgainstReference, EveryCandidateOfRandomGamesAtEveryLevel) {
  std::mt19937 rng(8122026);
  auto pos = std::make_unique<Position>();
  auto maps = std::make_unique<ControlMaps>();
  auto player = std::make_unique<ComputerPlayer>(*pos, *maps);
  int positions = 0, candidates = 0;
  for (int game = 0; game < 150; ++game) {
    *pos = Position{};
    SetUpStartingPosition(*pos, game % 2 == 1);
    const int plies = std::uniform_int_distribution<int>(0, 70)(rng);
    for (int ply = 0; ply < plies; ++ply) {
      const Position keep = *pos;
      if (!PlayRandomMove(*pos, ply % 2 == 0 ? SITA : UE, rng) || !BothKingsOnBoard(*pos)) {
        *pos = keep;
        break;
      }
    }
    for (int level = 1; level <= 3; ++level) {
      player->Level = level;
      Comparer comparer(*pos, *maps, *player);
      player->Search(&comparer);
      candidates += comparer.count;
      for (const std::string& m : comparer.mismatches)
        ADD_FAILURE() << "game " << game << ": " << m;
    }
    ++positions;
  }
  EXPECT_EQ(positions, 150);
  EXPECT_GT(candidates, 150 * 3 * 20);
}

// Hand-made scenes for the rows that random play seldom reaches: the opening
// squares of the silver, gold, bishop, knight and rook rules, the rook drop
// beside a silver and gold, the promoted rook on the lower back rows, the
// pawn and lance drops in front of a lower lance or rook. Each scene is
// searched at every level with every candidate compared; a scene's variants
// add pieces to the lower hand, which many rows read.
struct Edit {
  int x, y;
  PieceCode code;
};
struct Scene {
  const char* name;
  bool fromStart;  // edits applied to the 左嶺 starting position, else to an empty board
  std::vector<Edit> edits;
  std::vector<int> upperHand;  // HandIndex list, one entry per piece
};

const std::vector<Scene>& Scenes() {
  static const std::vector<Scene> scenes = {
      {"silver to (7, 3) beside the pawn",
       true,
       {{7, 3, 0},
        {7, 4, 10},
        {7, 1, 0},
        {7, 2, 100},
        {8, 8, 0},
        {8, 5, -10},
        {8, 10, 0},
        {9, 5, -100}},
       {}},
      {"pawn to (7, 4) with the bishop on (8, 2)", true, {{9, 2, 0}, {8, 2, 800}}, {}},
      {"gold to (7, 2) with the lower rook behind its pawn",
       true,
       {{8, 8, 0}, {8, 6, -10}, {9, 9, 0}, {8, 9, -900}},
       {}},
      {"gold to (7, 2) above the bishop on (7, 4)", true, {{9, 2, 0}, {7, 4, 800}, {8, 1, 0}}, {}},
      {"rook leaving a row that guarded the lower rook's pawn",
       true,
       {{9, 9, 0},
        {8, 9, -900},
        {8, 8, 0},
        {8, 6, -10},
        {2, 2, 0},
        {9, 5, 900},
        {7, 3, 0},
        {7, 5, 10}},
       {}},
      {"rook on (2, 2) to (2, 3)", true, {{2, 3, 0}, {2, 5, 10}}, {}},
      {"rook to (3, 4) against the lower bishop's column",
       true,
       {{2, 2, 0}, {3, 2, 900}, {3, 3, 0}, {2, 9, 0}, {3, 7, -800}, {3, 8, 0}, {3, 6, -10}},
       {}},
      {"bishop to (10, 3)",
       true,
       {{10, 3, 0}, {10, 4, 10}, {9, 3, 0}, {9, 4, 10}, {9, 8, 0}, {9, 6, -10}},
       {}},
      {"bishop from (9, 3)",
       true,
       {{10, 3, 0},
        {10, 4, 10},
        {9, 3, 0},
        {9, 4, 10},
        {9, 8, 0},
        {9, 6, -10},
        {9, 2, 0},
        {9, 3, 800},
        {9, 9, 0},
        {9, 10, -20}},
       {}},
      {"bishop to and from (7, 3)",
       true,
       {{9, 2, 0},
        {8, 2, 800},
        {7, 3, 0},
        {7, 4, 10},
        {8, 8, 0},
        {8, 5, -10},
        {9, 9, 0},
        {8, 9, -900}},
       {}},
      {"bishop standing on (7, 3)",
       true,
       {{9, 2, 0},
        {7, 3, 800},
        {8, 3, 0},
        {8, 4, 10},
        {8, 8, 0},
        {8, 5, -10},
        {9, 9, 0},
        {8, 9, -900}},
       {}},
      {"bishop drops near the lower pawns",
       true,
       {{9, 8, 0}, {9, 7, -10}, {5, 8, -110}, {6, 10, 0}, {10, 9, -950}},
       {8}},
      {"knight to (8, 3) beside the bishop",
       true,
       {{8, 3, 0}, {8, 4, 10}, {9, 2, 0}, {9, 4, 800}},
       {}},
      {"pawn drops on (2, 8) and in front of a rook",
       true,
       {{2, 8, 0},
        {2, 3, 0},
        {3, 9, -110},
        {9, 9, 0},
        {5, 9, -900},
        {5, 8, 0},
        {5, 3, 0},
        {5, 5, 110}},
       {1, 1}},
      {"lance drop above a silver with the rook behind",
       false,
       {{1, 1, 950}, {5, 4, 110}, {5, 6, -100}, {5, 9, -900}, {10, 10, -950}},
       {2, 1}},
      {"rook drop beside a silver and gold",
       false,
       {{5, 1, 950}, {4, 8, -100}, {5, 8, -110}, {3, 9, -10}, {6, 10, -950}},
       {9}},
      {"promoted rook along the lower back rows",
       false,
       {{5, 1, 950},
        {1, 8, -950},
        {2, 10, -30},
        {5, 10, 901},
        {8, 10, -30},
        {3, 9, -10},
        {4, 9, -110},
        {5, 9, -100},
        {7, 9, -10},
        {4, 8, -110},
        {6, 8, -110}},
       {}},
      {"promoted rook under a silver and gold",
       false,
       {{5, 1, 950}, {4, 8, -100}, {5, 8, -110}, {3, 9, -10}, {8, 9, 901}, {10, 10, -950}},
       {}},
      {"check beside the lower king, backed by a promoted rook",
       false,
       {{5, 1, 950}, {5, 10, -950}, {4, 8, 110}, {4, 10, 901}},
       {}},
      {"taking the pinned attacker of the destination",
       false,
       {{1, 1, 950}, {5, 10, -950}, {5, 2, 900}, {5, 8, -110}, {6, 9, -100}, {4, 6, 100}},
       {5}},
      {"gold between the lower rook and the upper king",
       false,
       {{6, 2, 950}, {4, 2, -900}, {5, 1, 110}, {10, 10, -950}},
       {}},
      {"lower pawn in the camp with the rook behind it",
       false,
       {{8, 1, 950}, {8, 10, -950}, {3, 4, -10}, {3, 9, -900}, {1, 1, 20}},
       {}},
      {"pawn advancing beside bishops with lower pawns ahead",
       true,
       {{5, 4, 800}, {3, 4, 800}, {9, 2, 0}, {5, 8, 0}, {5, 6, -10}, {3, 8, 0}, {3, 6, -10}},
       {}},
      {"pawn taking in front of a lower lance under its bishop",
       false,
       {{1, 1, 950},
        {10, 10, -950},
        {5, 4, 10},
        {5, 5, -10},
        {5, 9, -20},
        {5, 3, 800},
        {6, 3, 110}},
       {}},
      {"lance taking a lance that is then attacked",
       false,
       {{1, 1, 950}, {10, 10, -950}, {5, 3, 20}, {5, 6, -20}, {5, 7, -110}},
       {}},
      {"rook closing on the lower king's file",
       false,
       {{1, 1, 950}, {5, 10, -950}, {1, 8, 900}},
       {}},
      {"gold to row 4 beside an attacked bishop",
       false,
       {{5, 1, 950}, {5, 3, 110}, {6, 4, 800}, {6, 9, -900}, {1, 10, -950}},
       {}},
  };
  return scenes;
}

TEST(EvaluationAgainstReference, HandMadeScenesAtEveryLevel) {
  auto pos = std::make_unique<Position>();
  auto maps = std::make_unique<ControlMaps>();
  auto player = std::make_unique<ComputerPlayer>(*pos, *maps);
  // Lower hands: empty, one of each kind, and pawns with a lance.
  const int lowerHands[3][10] = {
      {0}, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {0, 2, 1, 0, 0, 0, 0, 0, 0, 0}};
  for (const Scene& scene : Scenes()) {
    for (const auto& lower : lowerHands) {
      *pos = Position{};
      if (scene.fromStart) SetUpStartingPosition(*pos, false);
      for (const Edit& e : scene.edits) pos->Board[e.x][e.y] = e.code;
      for (int k : scene.upperHand) pos->Hand[UE][k] += 1;
      for (int k = 1; k <= HandKinds; ++k) pos->Hand[SITA][k] = lower[k];
      pos->HandTotal[SITA] = 調査_持駒数(*pos, SITA);
      pos->HandTotal[UE] = 調査_持駒数(*pos, UE);
      const Position start = *pos;
      for (int level = 1; level <= 3; ++level) {
        *pos = start;
        player->Level = level;
        Comparer comparer(*pos, *maps, *player);
        player->Search(&comparer);
        EXPECT_GT(comparer.count, 0) << scene.name;
        for (const std::string& m : comparer.mismatches) ADD_FAILURE() << scene.name << ": " << m;
      }
    }
  }
}

}  // namespace
}  // namespace qz
