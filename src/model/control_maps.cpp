#include "model/control_maps.h"

#include "model/rules.h"

namespace qz {

namespace {

// Which maps one kind of attack writes besides the control count. The
// computer player's rules were tuned against exactly these asymmetries.
enum : unsigned {
  kDefenderCode = 1u << 0,    // SitaDefenderCode / UeDefenderCode
  kDefenderSquare = 1u << 1,  // UeDefenderSquare (UE only; SITA has no such map)
  kAttackerCode = 1u << 2,    // SitaAttackerCode / UeAttackerCode
  kAttackerSquare = 1u << 3,  // SitaAttackerSquare / UeAttackerSquare
  kCheckOwn = 1u << 4,        // 9 on the attacker's square when it hits the king
  kCheckTarget = 1u << 5,     // 9 on the king's square as well (jumpers)
};

constexpr unsigned kAll =
    kDefenderCode | kDefenderSquare | kAttackerCode | kAttackerSquare | kCheckOwn;

// SITA contributions.
constexpr unsigned kSitaStep = kDefenderCode | kAttackerCode | kAttackerSquare | kCheckOwn;
constexpr unsigned kSitaJump = kSitaStep | kCheckTarget;
constexpr unsigned kSitaKing = kDefenderCode | kAttackerCode | kAttackerSquare;

// UE contributions.
constexpr unsigned kUeStep = kDefenderCode | kAttackerCode | kCheckOwn;
constexpr unsigned kUeJump = kDefenderCode | kDefenderSquare | kCheckOwn | kCheckTarget;
constexpr unsigned kUeKing = kDefenderCode;
constexpr unsigned kUePromotedBishopStep = kCheckOwn;
constexpr unsigned kUePromotedRookStep = kAll;

constexpr unsigned kRay = kAll;

struct Pass {
  Position& pos;
  ControlMaps& m;

  // Records one attack of the piece `code` standing on (x, y) on (tx, ty).
  // Returns true when the attacked square holds the enemy king.
  bool Touch(Side s, PieceCode code, int x, int y, int tx, int ty, unsigned flags) {
    m.ControlCount[s][tx][ty] += 1;
    const PieceCode t = pos.Board[tx][ty];
    if (t == EMPTY) return false;
    const bool own = s == SITA ? IsSita(t) : IsUe(t);
    if (own) {
      if (flags & kDefenderCode) {
        if (s == SITA) {
          if (code < m.SitaDefenderCode[tx][ty]) m.SitaDefenderCode[tx][ty] = code;
        } else if (code < m.UeDefenderCode[tx][ty]) {
          m.UeDefenderCode[tx][ty] = code;
          if (flags & kDefenderSquare) m.UeDefenderSquare[tx][ty] = Square{x, y};
        }
      }
      return false;
    }
    if (flags & kAttackerCode) {
      if (s == SITA) {
        if (code > m.SitaAttackerCode[tx][ty]) {
          m.SitaAttackerCode[tx][ty] = code;
          m.SitaAttackerSquare[tx][ty] = Square{x, y};
        }
      } else if (code < m.UeAttackerCode[tx][ty]) {
        m.UeAttackerCode[tx][ty] = code;
        if (flags & kAttackerSquare) m.UeAttackerSquare[tx][ty] = Square{x, y};
      }
    }
    const bool king = t == (s == SITA ? OU : -OU);
    if (king) {
      if (flags & kCheckOwn) m.CheckLine[s][x][y] = 9;
      if (flags & kCheckTarget) m.CheckLine[s][tx][ty] = 9;
    }
    return king;
  }

  void TouchIfOnBoard(Side s, PieceCode code, int x, int y, int tx, int ty, unsigned flags) {
    if (OnBoard(tx, ty)) Touch(s, code, x, y, tx, ty, flags);
  }

  // A sliding line from next to (x, y) to the edge. It stops after the first
  // occupied square except the enemy king, so the king cannot step back
  // along the line of its own check.
  void Ray(Side s, PieceCode code, int x, int y, int dx, int dy) {
    int tx = x + dx, ty = y + dy;
    while (OnBoard(tx, ty)) {
      const bool king = Touch(s, code, x, y, tx, ty, kRay);
      if (king) {
        for (int bx = x + dx, by = y + dy; bx != tx || by != ty; bx += dx, by += dy) {
          m.CheckLine[s][bx][by] = 1;
        }
      } else if (pos.Board[tx][ty] != EMPTY) {
        return;
      }
      tx += dx;
      ty += dy;
    }
  }

  void 勢力確定上直進(PieceCode code, int x, int y) { Ray(SideOf(code), code, x, y, 0, -1); }
  void 勢力確定下直進(PieceCode code, int x, int y) { Ray(SideOf(code), code, x, y, 0, 1); }
  void 勢力確定右直進(PieceCode code, int x, int y) { Ray(SideOf(code), code, x, y, 1, 0); }
  void 勢力確定左直進(PieceCode code, int x, int y) { Ray(SideOf(code), code, x, y, -1, 0); }

  // SITA's diagonals always record a plain bishop, promoted or not.
  void 勢力確定自角(int x, int y) {
    constexpr PieceCode code = -KAKU;
    Ray(SITA, code, x, y, 1, 1);
    Ray(SITA, code, x, y, 1, -1);
    Ray(SITA, code, x, y, -1, 1);
    Ray(SITA, code, x, y, -1, -1);
  }
  void 勢力確定敵角(PieceCode code, int x, int y) {
    Ray(UE, code, x, y, 1, 1);
    Ray(UE, code, x, y, 1, -1);
    Ray(UE, code, x, y, -1, 1);
    Ray(UE, code, x, y, -1, -1);
  }

  void Diagonals(PieceCode code, int x, int y) {
    if (code < 0) {
      勢力確定自角(x, y);
    } else {
      勢力確定敵角(code, x, y);
    }
  }
  void Orthogonals(PieceCode code, int x, int y) {
    勢力確定上直進(code, x, y);
    勢力確定下直進(code, x, y);
    勢力確定右直進(code, x, y);
    勢力確定左直進(code, x, y);
  }

  static Side SideOf(PieceCode code) { return code < 0 ? SITA : UE; }

  // A step piece attacks a neighbour when it could move there were the
  // neighbour empty, so own pieces it guards count as defended.
  void StepPiece(Side s, PieceCode code, int x, int y, unsigned flags) {
    for (int nx = x - 1; nx <= x + 1; ++nx) {
      for (int ny = y - 1; ny <= y + 1; ++ny) {
        if ((nx == x && ny == y) || !OnBoard(nx, ny)) continue;
        const PieceCode saved = pos.Board[nx][ny];
        pos.Board[nx][ny] = EMPTY;
        const int reaches = 移動チェック(pos, x, y, nx, ny, code);
        pos.Board[nx][ny] = saved;
        if (reaches == 1) Touch(s, code, x, y, nx, ny, flags);
      }
    }
  }

  void Neighbours(Side s, PieceCode code, int x, int y, unsigned flags, bool orthogonal,
                  bool diagonal) {
    for (int nx = x - 1; nx <= x + 1; ++nx) {
      for (int ny = y - 1; ny <= y + 1; ++ny) {
        if (nx == x && ny == y) continue;
        const bool diag = nx != x && ny != y;
        if (diag ? !diagonal : !orthogonal) continue;
        TouchIfOnBoard(s, code, x, y, nx, ny, flags);
      }
    }
  }

  void Reset() {
    for (int x = 0; x <= 10; ++x) {
      for (int y = 0; y <= 10; ++y) {
        for (int s = 0; s < 2; ++s) {
          m.ControlCount[s][x][y] = 0;
          m.CheckLine[s][x][y] = 0;
        }
        m.SitaDefenderCode[x][y] = 999;
        m.UeDefenderCode[x][y] = 999;
        m.SitaAttackerCode[x][y] = -999;
        m.UeAttackerCode[x][y] = 999;
        // All three square maps start from (0, 0), so a pass never shows
        // squares left over from an earlier position.
        m.SitaAttackerSquare[x][y] = Square{};
        m.UeAttackerSquare[x][y] = Square{};
        m.UeDefenderSquare[x][y] = Square{};
      }
    }
  }

  void Piece(PieceCode code, int x, int y) {
    const Side s = SideOf(code);
    const bool sita = s == SITA;
    const int fwd = sita ? -1 : 1;
    switch (Abs(code)) {
      case HU: TouchIfOnBoard(s, code, x, y, x, y + fwd, sita ? kSitaStep : kUeStep); break;
      case KYOU:
        if (sita) {
          勢力確定上直進(code, x, y);
        } else {
          勢力確定下直進(code, x, y);
        }
        break;
      case KEI:
      case REI: {
        const int reach = Abs(code) == KEI ? 2 : 3;
        const unsigned flags = sita ? kSitaJump : kUeJump;
        TouchIfOnBoard(s, code, x, y, x - 1, y + reach * fwd, flags);
        TouchIfOnBoard(s, code, x, y, x + 1, y + reach * fwd, flags);
        break;
      }
      case GIN:
      case KIN:
      case DOU:
      case HU + 1:
      case KYOU + 1:
      case KEI + 1:
      case REI + 1:
      case GIN + 1:
      case DOU + 1: StepPiece(s, code, x, y, sita ? kSitaStep : kUeStep); break;
      case OU:
        pos.KingSquare[s] = Square{x, y};
        Neighbours(s, code, x, y, sita ? kSitaKing : kUeKing, true, true);
        break;
      case KAKU: Diagonals(code, x, y); break;
      case KAKU + 1:
        Diagonals(code, x, y);
        Neighbours(s, code, x, y, sita ? kSitaStep : kUePromotedBishopStep, true, false);
        break;
      case SYA: Orthogonals(code, x, y); break;
      case SYA + 1:
        Orthogonals(code, x, y);
        Neighbours(s, code, x, y, sita ? kSitaStep : kUePromotedRookStep, false, true);
        break;
      default: break;  // codes outside the piece table attack nothing
    }
  }
};

}  // namespace

void 勢力調査(Position& pos, ControlMaps& maps) {
  Pass pass{pos, maps};
  pass.Reset();
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const PieceCode code = pos.Board[x][y];
      if (code != EMPTY) pass.Piece(code, x, y);
    }
  }
}

}  // namespace qz
