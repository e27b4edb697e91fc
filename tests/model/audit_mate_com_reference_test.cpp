// The upper king's mate test compared with a plain reference walk of its
// steps (pawn-drop interposition, escapes, defending board moves) on many
// random positions in which that king is in check, with hands of pawns only,
// of mixed pieces and empty.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/mate_com.h"
#include "model/rules.h"

namespace qz {
namespace {

constexpr PieceCode kKinds[] = {10,  11,  20,  21,  30,  31,  40,  41, 100,
                                101, 110, 210, 211, 800, 801, 900, 901};

int ReferenceMateCom(Position pos, ControlMaps& m) {
  調査_2歩フラグ設定(pos);
  const int kx = pos.KingSquare[UE].x, ky = pos.KingSquare[UE].y;
  if (m.ControlCount[SITA][kx][ky] == 0) return 0;

  if (pos.HandTotal[UE] > 0) {
    bool toEscapes = false;
    for (int x = 1; x <= 10 && !toEscapes; ++x) {
      for (int y = 1; y <= 10 && !toEscapes; ++y) {
        const int l = m.CheckLine[SITA][x][y];
        if (l == 9 && Abs(x - kx) <= 1 && Abs(y - ky) <= 1) {
          toEscapes = true;
        } else if (l == 1) {
          const bool onlyPawns = pos.HandTotal[UE] == pos.Hand[UE][1];
          if (!(onlyPawns && 移動チェック(pos, -1, 0, x, y, 10) == 0)) pos.Board[x][y] = 10;
          bool reaches = false;
          for (int i = 1; i <= 10; ++i)
            for (int j = 1; j <= 10; ++j)
              if (m.CheckLine[SITA][i][j] == 9 &&
                  移動チェック(pos, i, j, kx, ky, pos.Board[i][j]) == 1)
                reaches = true;
          pos.Board[x][y] = 0;
          if (reaches) toEscapes = true;
        }
      }
    }
    if (!toEscapes) return 0;
  }

  for (int x = kx - 1; x <= kx + 1; ++x)
    for (int y = ky - 1; y <= ky + 1; ++y)
      if (OnBoard(x, y) && 移動チェック(pos, kx, ky, x, y, 950) == 1 &&
          m.ControlCount[SITA][x][y] == 0)
        return 0;

  for (int a = 1; a <= 10; ++a)
    for (int b = 1; b <= 10; ++b) {
      if (pos.Board[a][b] < 10 || pos.Board[a][b] > 901) continue;
      for (int i = 1; i <= 10; ++i)
        for (int j = 1; j <= 10; ++j) {
          if (!(m.CheckLine[SITA][i][j] > 0)) continue;
          if (移動チェック(pos, a, b, i, j, pos.Board[a][b]) != 1) continue;
          const PieceCode saved = pos.Board[i][j];
          pos.Board[i][j] = pos.Board[a][b];
          pos.Board[a][b] = 0;
          勢力調査(pos, m);
          pos.Board[a][b] = pos.Board[i][j];
          pos.Board[i][j] = saved;
          const Square k = pos.KingSquare[UE];
          if (m.ControlCount[SITA][k.x][k.y] == 0) return 0;
        }
    }
  return 1;
}

std::string Picture(const Position& pos) {
  std::ostringstream s;
  for (int y = 1; y <= 10; ++y) {
    for (int x = 1; x <= 10; ++x) s << pos.Board[x][y] << ' ';
    s << '\n';
  }
  s << "upper hand";
  for (int k = 1; k <= HandKinds; ++k) s << ' ' << pos.Hand[UE][k];
  return s.str();
}

TEST(MateComAgainstReference, RandomPositionsWithTheUpperKingInCheck) {
  std::mt19937 rng(2026);
  std::uniform_int_distribution<int> coord(1, 10);
  std::uniform_int_distribution<int> kindPick(0, static_cast<int>(std::size(kKinds)) - 1);
  std::uniform_int_distribution<int> coin(0, 1);
  auto pos = std::make_unique<Position>();
  auto maps = std::make_unique<ControlMaps>();
  auto refMaps = std::make_unique<ControlMaps>();
  int checked = 0, mated = 0, notMated = 0;
  for (int round = 0; checked < 1500 && round < 100000; ++round) {
    *pos = Position{};
    // The king near the top, where the lower side's pieces crowd it.
    int kx = coord(rng), ky = std::uniform_int_distribution<int>(1, 4)(rng);
    pos->Board[kx][ky] = OU;
    int sx, sy;
    do {
      sx = coord(rng);
      sy = coord(rng);
    } while (pos->Board[sx][sy] != EMPTY);
    pos->Board[sx][sy] = -OU;
    const int n = std::uniform_int_distribution<int>(3, 30)(rng);
    for (int i = 0; i < n; ++i) {
      const int x = coord(rng), y = coord(rng);
      if (pos->Board[x][y] != EMPTY) continue;
      const PieceCode k = kKinds[kindPick(rng)];
      pos->Board[x][y] = coin(rng) ? -k : k;
    }
    switch (round % 3) {
      case 0: pos->Hand[UE][1] = 1 + coin(rng); break;
      case 1:
        pos->Hand[UE][1] = coin(rng);
        pos->Hand[UE][6] = 1;
        break;
      default: break;
    }
    pos->HandTotal[UE] = pos->Hand[UE][1] + pos->Hand[UE][6];
    勢力調査(*pos, *maps);
    if (maps->ControlCount[SITA][kx][ky] == 0) continue;
    ++checked;
    *refMaps = *maps;
    const Position before = *pos;
    const int want = ReferenceMateCom(before, *refMaps);
    const int got = 詰めかCOM(*pos, *maps);
    ASSERT_EQ(got, want) << "round " << round << "\n" << Picture(before);
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y) ASSERT_EQ(pos->Board[x][y], before.Board[x][y]);
    mated += got;
    notMated += got == 0 ? 1 : 0;
  }
  EXPECT_EQ(checked, 1500);
  EXPECT_GT(mated, 20);
  EXPECT_GT(notMated, 20);
}

}  // namespace
}  // namespace qz
