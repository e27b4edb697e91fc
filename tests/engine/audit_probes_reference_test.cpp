// The tactical probes compared, on many random positions, with plain
// reference versions written from their rules: pins, bishop-check squares,
// the bishop-fork exposure, escapes, safe mobility, column attacks, big pieces
// around a square, the knight and lance follow-ups and the lower king's mate
// test. Each probe must also leave the board exactly as it found it.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/rules.h"

namespace qz {
namespace {

constexpr PieceCode kKinds[] = {10,  11,  20,  21,  30,  31,  40,  41, 100,
                                101, 110, 210, 211, 800, 801, 900, 901};

void RandomPosition(std::mt19937& rng, Position& pos) {
  pos = Position{};
  std::uniform_int_distribution<int> coord(1, 10);
  std::uniform_int_distribution<int> kindPick(0, static_cast<int>(std::size(kKinds)) - 1);
  std::uniform_int_distribution<int> coin(0, 1);
  std::uniform_int_distribution<int> hand(0, 2);
  auto freeSquare = [&](int& x, int& y) {
    do {
      x = coord(rng);
      y = coord(rng);
    } while (pos.Board[x][y] != EMPTY);
  };
  int x, y;
  freeSquare(x, y);
  pos.Board[x][y] = OU;
  freeSquare(x, y);
  pos.Board[x][y] = -OU;
  const int n = std::uniform_int_distribution<int>(4, 45)(rng);
  for (int i = 0; i < n; ++i) {
    freeSquare(x, y);
    const PieceCode k = kKinds[kindPick(rng)];
    pos.Board[x][y] = coin(rng) ? k : -k;
  }
  for (int s = 0; s < 2; ++s) {
    for (int k = 1; k <= HandKinds; ++k) pos.Hand[s][k] = coin(rng) ? 0 : hand(rng);
    pos.HandTotal[s] = 0;
    for (int k = 1; k <= HandKinds; ++k) pos.HandTotal[s] += pos.Hand[s][k];
  }
}

struct Fixture {
  Position pos;
  ControlMaps maps;
};

int S(const Fixture& f, int x, int y) { return f.maps.ControlCount[SITA][x][y]; }
int U(const Fixture& f, int x, int y) { return f.maps.ControlCount[UE][x][y]; }

// Whether piece c standing on (x, y) could legally move to (tx, ty).
int Can(const Position& pos, int x, int y, int tx, int ty, PieceCode c) {
  return 移動チェック(pos, x, y, tx, ty, c);
}

int RefEscapes(const Fixture& f) {
  const Square k = f.pos.KingSquare[SITA];
  int n = 0;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) {
      const int x = k.x + dx, y = k.y + dy;
      if ((dx || dy) && OnBoard(x, y) && f.pos.Board[x][y] == EMPTY && U(f, x, y) == 0) ++n;
    }
  return n;
}

// Pinned flags for both sides; every piece, kings included, is lifted in turn.
void RefPins(Fixture& f, int (&pin)[2][11][11], bool& anyUe) {
  anyUe = false;
  const Square k = f.pos.KingSquare[SITA], c = f.pos.KingSquare[UE];
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) {
      pin[SITA][x][y] = pin[UE][x][y] = 0;
      const PieceCode q = f.pos.Board[x][y];
      if (q == EMPTY) continue;
      Position lifted = f.pos;
      lifted.Board[x][y] = EMPTY;
      for (int i = 1; i <= 10; ++i)
        for (int j = 1; j <= 10; ++j) {
          const PieceCode r = lifted.Board[i][j];
          if (q < 0 && (r == 20 || r == 800 || r == 801 || r == 900 || r == 901) &&
              Can(lifted, i, j, k.x, k.y, r))
            pin[SITA][x][y] = 1;
          if (q > 0 && (r == -20 || r == -800 || r == -801 || r == -900 || r == -901) &&
              Can(lifted, i, j, c.x, c.y, r)) {
            pin[UE][x][y] = 1;
            anyUe = true;
          }
        }
    }
}

bool RefBishopSquares(const Fixture& f, int (&marks)[11][11]) {
  const Square k = f.pos.KingSquare[SITA], c = f.pos.KingSquare[UE];
  bool answer = false;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) {
      marks[x][y] = 0;
      if (f.pos.Board[x][y] != EMPTY) continue;
      if (S(f, x, y) == 0 && Can(f.pos, x, y, k.x, k.y, 800)) answer = true;
      if (U(f, x, y) == 0 && Can(f.pos, x, y, c.x, c.y, -800)) marks[x][y] = 1;
    }
  return answer;
}

PieceCode RefBishopFork(const Fixture& f, const int (&marks)[11][11], int x, int y, PieceCode pc) {
  for (int i = 1; i <= 10; ++i)
    for (int j = 1; j <= 10; ++j) {
      if (marks[i][j] != 1) continue;
      // A diagonal, open between the two squares.
      if (Abs(i - x) != Abs(j - y) || (i == x && j == y)) continue;
      bool open = true;
      const int sx = i > x ? 1 : -1, sy = j > y ? 1 : -1;
      for (int s = 1; s < Abs(i - x); ++s)
        if (f.pos.Board[x + s * sx][y + s * sy] != EMPTY) open = false;
      if (!open) continue;
      for (int a = 1; a <= 10; ++a)
        for (int b = 1; b <= 10; ++b) {
          const PieceCode r = f.pos.Board[a][b];
          if ((r == -800 || r == -801) && Can(f.pos, a, b, i, j, r)) return pc;
        }
      if (f.pos.Hand[SITA][8] > 0 && Can(f.pos, SitaHandColumn, 9, i, j, -800)) return pc;
      return 0;
    }
  return 0;
}

int RefMobility(const Fixture& f, int x, int y, PieceCode piece) {
  int n = 0;
  for (int a = 1; a <= 10; ++a)
    for (int b = 1; b <= 10; ++b) {
      const int other = piece >= 10 ? S(f, a, b) : U(f, a, b);
      if (other == 0 && Can(f.pos, x, y, a, b, piece)) ++n;
    }
  return n;
}

bool RefColumnAttacker(const Fixture& f, int x, int y) {
  Position lifted = f.pos;
  lifted.Board[x][y] = EMPTY;
  for (int yy = y + 1; yy <= 10; ++yy) {
    const PieceCode r = lifted.Board[x][yy];
    if (r >= 10) return false;
    if (r == -20 || r == -900 || r == -901) return Can(lifted, x, yy, x, y, r) == 1;
  }
  return false;
}

int RefAround(const Fixture& f, int x, int y) {
  int n = 0;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if ((dx || dy) && OnBoard(x + dx, y + dy) && f.pos.Board[x + dx][y + dy] >= 800) n -= 1;
  return n;
}

double RefKnightFollowUp(const Fixture& f, int x, int y) {
  const int sa = f.maps.SitaAttackerCode[x][y];
  const Square a = f.maps.SitaAttackerSquare[x][y];
  double r = 0;
  if (sa >= -901 && sa <= -800 && y > 5) {
    if (x > 2 && S(f, x - 1, y - 2) == 0 && f.pos.Board[x - 1][y - 2] == EMPTY &&
        f.pos.Board[x - 2][y] <= -800 && a.x != x - 2)
      r += Abs(f.pos.Board[x - 2][y]);
    if (x < 9 && S(f, x + 1, y - 2) == 0 && f.pos.Board[x + 1][y - 2] == EMPTY &&
        f.pos.Board[x + 2][y] <= -800 && a.x != x + 2)
      r += Abs(f.pos.Board[x + 2][y]);
  }
  return r;
}

double RefLanceFollowUp(const Fixture& f, int x, int y) {
  const int sa = f.maps.SitaAttackerCode[x][y];
  if (!(y > 6 && U(f, x, y - 1) > 0 && S(f, x, y - 1) == 0 && sa >= -901 && sa <= -800)) return 0;
  for (int yy = y + 1; yy <= 10; ++yy) {
    if (f.pos.Board[x][yy] == EMPTY) continue;
    return Can(f.pos, x, y, x, yy, 20) == 1 ? Abs(f.pos.Board[x][yy]) : 0;
  }
  return 0;
}

bool RefUeReachesKing(const Position& pos) {
  const Square k = pos.KingSquare[SITA];
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (pos.Board[x][y] >= 10 && Can(pos, x, y, k.x, k.y, pos.Board[x][y])) return true;
  return false;
}

bool RefMatMan(const Fixture& f) {
  const Square k = f.pos.KingSquare[SITA];
  if (U(f, k.x, k.y) == 0) return false;
  for (int x = k.x - 1; x <= k.x + 1; ++x)
    for (int y = k.y - 1; y <= k.y + 1; ++y)
      if (OnBoard(x, y) && Can(f.pos, k.x, k.y, x, y, -950) && U(f, x, y) == 0) return false;
  for (int x1 = 1; x1 <= 10; ++x1)
    for (int y1 = 1; y1 <= 10; ++y1) {
      const PieceCode q = f.pos.Board[x1][y1];
      if (q < -901 || q > -10) continue;
      for (int x2 = 1; x2 <= 10; ++x2)
        for (int y2 = 1; y2 <= 10; ++y2) {
          if ((x2 == x1 && y2 == y1) || !Can(f.pos, x1, y1, x2, y2, q) ||
              f.maps.CheckLine[UE][x2][y2] <= 0)
            continue;
          Position moved = f.pos;
          moved.Board[x2][y2] = q;
          moved.Board[x1][y1] = EMPTY;
          if (!RefUeReachesKing(moved)) return false;
        }
    }
  return true;
}

std::string Picture(const Position& pos) {
  std::ostringstream s;
  for (int y = 1; y <= 10; ++y) {
    for (int x = 1; x <= 10; ++x) s << pos.Board[x][y] << ' ';
    s << '\n';
  }
  s << "lower hand";
  for (int k = 1; k <= HandKinds; ++k) s << ' ' << pos.Hand[SITA][k];
  return s.str();
}

void ExpectBoardUnchanged(const Position& now, const Position& before, const char* probe) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      ASSERT_EQ(now.Board[x][y], before.Board[x][y])
          << probe << " left (" << x << "," << y << ") changed";
}

TEST(ProbesAgainstReference, RandomPositions) {
  std::mt19937 rng(1208);
  auto f = std::make_unique<Fixture>();
  auto player = std::make_unique<ComputerPlayer>(f->pos, f->maps);
  static int pins[2][11][11];
  int marks[11][11];
  int mates = 0;
  for (int round = 0; round < 600; ++round) {
    RandomPosition(rng, f->pos);
    player->StartTurn();  // fresh maps, escapes, bishop-check squares and pins
    const Position before = f->pos;
    SCOPED_TRACE("round " + std::to_string(round) + "\n" + Picture(before));

    ASSERT_EQ(player->EscapesBefore, RefEscapes(*f));
    bool anyUe = false;
    RefPins(*f, pins, anyUe);
    ASSERT_EQ(player->AnyUePinned, anyUe);
    const bool bishopAnswer = RefBishopSquares(*f, marks);
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y) {
        ASSERT_EQ(player->PinnedFlag[SITA][x][y], pins[SITA][x][y]) << "(" << x << "," << y << ")";
        ASSERT_EQ(player->PinnedFlag[UE][x][y], pins[UE][x][y]) << "(" << x << "," << y << ")";
        ASSERT_EQ(player->BishopCheckSquares[x][y], marks[x][y]) << "(" << x << "," << y << ")";
      }
    ASSERT_EQ(player->調査_持角狙座標(), bishopAnswer);
    ExpectBoardUnchanged(f->pos, before, "pins");

    for (int x = 1; x <= 10; ++x) {
      for (int y = 1; y <= 10; ++y) {
        const PieceCode q = f->pos.Board[x][y];
        ASSERT_EQ(player->盤評価_自角注意_COM(x, y, 110), RefBishopFork(*f, marks, x, y, 110))
            << "(" << x << "," << y << ")";
        if (q != EMPTY)
          ASSERT_EQ(player->調査_移動可場所数(x, y, q), RefMobility(*f, x, y, q))
              << "(" << x << "," << y << ")";
        ASSERT_EQ(player->調査_移動可場所数(x, y, 950), RefMobility(*f, x, y, 950))
            << "(" << x << "," << y << ")";
        ASSERT_EQ(player->調査_自守駒MAN_直進駒(x, y), RefColumnAttacker(*f, x, y))
            << "(" << x << "," << y << ")";
        ExpectBoardUnchanged(f->pos, before, "調査_自守駒MAN_直進駒");
        ASSERT_EQ(player->調査_周辺状況(x, y), RefAround(*f, x, y)) << "(" << x << "," << y << ")";
        ASSERT_EQ(player->調査_桂狙い(x, y), RefKnightFollowUp(*f, x, y))
            << "(" << x << "," << y << ")";
        ASSERT_EQ(player->調査_香狙い(x, y), RefLanceFollowUp(*f, x, y))
            << "(" << x << "," << y << ")";
      }
    }
    const bool mate = RefMatMan(*f);
    ASSERT_EQ(player->詰めかMAN(), mate);
    ExpectBoardUnchanged(f->pos, before, "詰めかMAN");
    mates += mate ? 1 : 0;
  }
  EXPECT_GT(mates, 0);
}

}  // namespace
}  // namespace qz
