// Movement, drop and promotion rules compared with a table-driven reference
// for every piece code, every origin and target, on random boards; and the
// promotion predicates over every code, origin row and target row.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "model/make_move.h"
#include "model/rules.h"

namespace qz {
namespace {

constexpr PieceCode kKinds[] = {10,  11,  20,  21,  30,  31,  40,  41,  100,
                                101, 110, 210, 211, 800, 801, 900, 901, 950};

bool PathClear(const Position& pos, int fx, int fy, int tx, int ty) {
  const int sx = (tx > fx) - (tx < fx), sy = (ty > fy) - (ty < fy);
  for (int x = fx + sx, y = fy + sy; x != tx || y != ty; x += sx, y += sy)
    if (pos.Board[x][y] != EMPTY) return false;
  return true;
}

int ReferenceMove(const Position& pos, int fx, int fy, int tx, int ty, PieceCode c) {
  if (!OnBoard(tx, ty) || (tx == fx && ty == fy)) return 0;
  const PieceCode t = pos.Board[tx][ty];
  if ((c >= 10 && t >= 10) || (c < 10 && t <= -10)) return 0;
  const int dx = tx - fx, dy = ty - fy;
  const int f = c < 0 ? -dy : dy;
  const int adx = Abs(dx), ady = Abs(dy);
  const bool gold = (adx <= 1 && f == 1) || (adx == 1 && f == 0) || (dx == 0 && f == -1);
  const bool king = adx <= 1 && ady <= 1;
  switch (Abs(c)) {
    case 10: return dx == 0 && f == 1;
    case 20: return dx == 0 && f >= 1 && PathClear(pos, fx, fy, tx, ty);
    case 30: return adx == 1 && f == 2;
    case 40: return adx == 1 && f == 3;
    case 100: return (adx <= 1 && f == 1) || (adx == 1 && f == -1);
    case 110:
    case 11:
    case 21:
    case 31:
    case 41:
    case 101:
    case 211: return gold;
    case 210: return (adx <= 1 && f == 1) || (dx == 0 && f == -1);
    case 800: return adx == ady && PathClear(pos, fx, fy, tx, ty);
    case 900: return (dx == 0 || dy == 0) && PathClear(pos, fx, fy, tx, ty);
    case 801: return king || (adx == ady && PathClear(pos, fx, fy, tx, ty));
    case 901: return king || ((dx == 0 || dy == 0) && PathClear(pos, fx, fy, tx, ty));
    case 950: return king;
    default: return 1;
  }
}

int ReferenceDrop(const Position& pos, int tx, int ty, PieceCode c) {
  if (!OnBoard(tx, ty) || pos.Board[tx][ty] != EMPTY) return 0;
  if (c == -10 && pos.PawnColumns[SITA][tx] == 1) return 0;
  if (c == 10 && pos.PawnColumns[UE][tx] == 1) return 0;
  switch (c) {
    case -10:
    case -20: return ty != 1;
    case -30: return ty >= 3;
    case -40: return ty >= 4;
    case 10:
    case 20: return ty != 10;
    case 30: return ty <= 8;
    case 40: return ty <= 7;
    default: return 1;
  }
}

TEST(RulesAgainstReference, EveryCodeFromEverySquareOnRandomBoards) {
  std::mt19937 rng(77);
  std::uniform_int_distribution<int> kindPick(0, static_cast<int>(std::size(kKinds)) - 1);
  std::uniform_int_distribution<int> coin(0, 3);
  auto pos = std::make_unique<Position>();
  for (int round = 0; round < 15; ++round) {
    *pos = Position{};
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y)
        if (coin(rng) == 0) pos->Board[x][y] = (coin(rng) < 2 ? -1 : 1) * kKinds[kindPick(rng)];
    調査_2歩フラグ設定(*pos);
    for (PieceCode kind : kKinds) {
      for (PieceCode c : {kind, -kind}) {
        for (int fx = 1; fx <= 10; ++fx)
          for (int fy = 1; fy <= 10; ++fy)
            for (int tx = 0; tx <= 11; ++tx)
              for (int ty = 0; ty <= 11; ++ty) {
                ASSERT_EQ(移動チェック(*pos, fx, fy, tx, ty, c),
                          ReferenceMove(*pos, fx, fy, tx, ty, c))
                    << "round " << round << " code " << c << " (" << fx << "," << fy << ")->(" << tx
                    << "," << ty << ")";
              }
      }
    }
    for (int k = 1; k <= HandKinds; ++k)
      for (Side s : {SITA, UE}) {
        const PieceCode c = UnpromotedCode(s, k);
        const int column = s == SITA ? SitaHandColumn : UeHandColumn;
        for (int tx = 1; tx <= 10; ++tx)
          for (int ty = 1; ty <= 10; ++ty)
            ASSERT_EQ(移動チェック(*pos, column, 0, tx, ty, c), ReferenceDrop(*pos, tx, ty, c))
                << "round " << round << " drop " << c << " on (" << tx << "," << ty << ")";
      }
  }
}

TEST(RulesAgainstReference, PromotionPredicatesForEveryCodeAndRow) {
  for (PieceCode kind : kKinds) {
    for (PieceCode c : {kind, -kind}) {
      const bool mayPromote = kind == 10 || kind == 20 || kind == 30 || kind == 40 || kind == 100 ||
                              kind == 210 || kind == 800 || kind == 900;
      const bool fromCounts = kind == 100 || kind == 210 || kind == 800 || kind == 900;
      for (int fy = 1; fy <= 10; ++fy) {
        for (int ty = 1; ty <= 10; ++ty) {
          const bool inZone = c < 0 ? ty <= 3 : ty >= 8;
          const bool fromZone = c < 0 ? fy <= 3 : fy >= 8;
          const int want = mayPromote && (inZone || (fromCounts && fromZone)) ? 1 : 0;
          PieceCode promoted = 12345;
          ASSERT_EQ(調査_駒成(5, fy, 5, ty, c, promoted), want) << c << " " << fy << "->" << ty;
          ASSERT_EQ(promoted, want ? (c < 0 ? c - 1 : c + 1) : 12345);
          PieceCode untouched = 12345;
          ASSERT_EQ(調査_駒成(c < 0 ? SitaHandColumn : UeHandColumn, fy, 5, ty, c, untouched), 0);
          ASSERT_EQ(untouched, 12345);
        }
      }
      for (int ty = 1; ty <= 10; ++ty) {
        const int row = c < 0 ? 11 - ty : ty;  // rows counted from the mover's side
        int forced = 0;
        if (kind == 10 || kind == 20) forced = row == 10;
        if (kind == 30) forced = row >= 9;
        if (kind == 40) forced = row >= 8;
        ASSERT_EQ(移動後チェック(ty, c), forced ? 0 : 1) << c << " on row " << ty;
      }
    }
  }
}

}  // namespace
}  // namespace qz
