// The control-map pass compared, on many random positions, with a plain
// reference built square by square from the movement rules and the table of
// what each kind records. The reference shares no code with the pass except
// 移動チェック, so a wrong flag, a wrong recorded code or a ray that stops or
// runs on wrongly shows up as a differing square.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "model/control_maps.h"
#include "model/rules.h"

namespace qz {
namespace {

struct Records {
  bool defenderCode = false;
  bool defenderSquare = false;  // UE only
  bool attackerCode = false;
  bool attackerSquare = false;
  bool checkOwn = false;
  bool checkTarget = false;
};

enum class Reach { Step, Ray };

// What one attack of a kind writes, by side and by whether it is a step or a
// sliding attack (promoted bishop and rook have both).
Records RecordsOf(PieceCode code, Reach reach) {
  const int kind = Abs(code);
  const bool jumper = kind == 30 || kind == 40;
  const bool king = kind == 950;
  if (reach == Reach::Ray) return {true, true, true, true, true, false};
  if (code < 0) {
    if (king) return {true, false, true, true, false, false};
    return {true, false, true, true, true, jumper};
  }
  if (king) return {true, false, false, false, false, false};
  if (jumper) return {true, true, false, false, true, true};
  if (kind == 801) return {false, false, false, false, true, false};
  if (kind == 901) return {true, true, true, true, true, false};
  return {true, false, true, false, true, false};
}

bool IsSlidingKind(int kind) {
  return kind == 20 || kind == 800 || kind == 801 || kind == 900 || kind == 901;
}

struct Reference {
  ControlMaps m;
  Square king[2] = {};
};

// Builds every map the slow way: for each piece in scan order and each square
// of the board, decide from the movement rules whether the piece attacks it.
void BuildReference(Position pos, Reference& r) {
  ControlMaps& m = r.m;
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
      m.SitaAttackerSquare[x][y] = {};
      m.UeAttackerSquare[x][y] = {};
      m.UeDefenderSquare[x][y] = {};
    }
  }
  const Position original = pos;
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const PieceCode p = original.Board[x][y];
      if (p == EMPTY) continue;
      const Side side = p < 0 ? SITA : UE;
      const PieceCode enemyKing = side == SITA ? OU : -OU;
      const int kind = Abs(p);
      if (kind == 950) r.king[side] = {x, y};
      for (int tx = 1; tx <= 10; ++tx) {
        for (int ty = 1; ty <= 10; ++ty) {
          if (tx == x && ty == y) continue;
          const int adx = Abs(tx - x), ady = Abs(ty - y);
          const bool neighbour = adx <= 1 && ady <= 1;
          const bool diagonal = adx == ady;
          const bool orthogonal = tx == x || ty == y;

          // Which movement decides, and with which code the attack records.
          bool attacks = false;
          Reach reach = Reach::Step;
          PieceCode recorded = p;
          pos = original;
          pos.Board[tx][ty] = EMPTY;
          if (IsSlidingKind(kind)) {
            // Sliding part: the path may pass the enemy king.
            PieceCode slider = EMPTY;
            if (kind == 20) slider = p;
            if ((kind == 800 || kind == 801) && diagonal) slider = p < 0 ? -800 : 800;
            if ((kind == 900 || kind == 901) && orthogonal) slider = p < 0 ? -900 : 900;
            if (slider != EMPTY) {
              for (int i = 1; i <= 10; ++i)
                for (int j = 1; j <= 10; ++j)
                  if (pos.Board[i][j] == enemyKing) pos.Board[i][j] = EMPTY;
              attacks = 移動チェック(pos, x, y, tx, ty, slider) == 1;
              reach = Reach::Ray;
              if (p == -801) recorded = -800;
            } else if ((kind == 801 || kind == 901) && neighbour) {
              attacks = true;  // the king step the slide does not cover
            }
          } else {
            attacks = 移動チェック(pos, x, y, tx, ty, p) == 1;
          }
          if (!attacks) continue;

          const Records rec = RecordsOf(p, reach);
          m.ControlCount[side][tx][ty] += 1;
          const PieceCode t = original.Board[tx][ty];
          if (t == EMPTY) continue;
          const bool own = (t < 0) == (p < 0);
          if (own) {
            if (!rec.defenderCode) continue;
            if (side == SITA) {
              if (recorded < m.SitaDefenderCode[tx][ty]) m.SitaDefenderCode[tx][ty] = recorded;
            } else if (recorded < m.UeDefenderCode[tx][ty]) {
              m.UeDefenderCode[tx][ty] = recorded;
              if (rec.defenderSquare) m.UeDefenderSquare[tx][ty] = {x, y};
            }
            continue;
          }
          if (rec.attackerCode) {
            if (side == SITA) {
              if (recorded > m.SitaAttackerCode[tx][ty]) {
                m.SitaAttackerCode[tx][ty] = recorded;
                m.SitaAttackerSquare[tx][ty] = {x, y};
              }
            } else if (recorded < m.UeAttackerCode[tx][ty]) {
              m.UeAttackerCode[tx][ty] = recorded;
              if (rec.attackerSquare) m.UeAttackerSquare[tx][ty] = {x, y};
            }
          }
          if (t == enemyKing) {
            if (rec.checkOwn) m.CheckLine[side][x][y] = 9;
            if (rec.checkTarget) m.CheckLine[side][tx][ty] = 9;
            if (reach == Reach::Ray) {
              const int sx = (tx > x) - (tx < x), sy = (ty > y) - (ty < y);
              for (int bx = x + sx, by = y + sy; bx != tx || by != ty; bx += sx, by += sy)
                m.CheckLine[side][bx][by] = 1;
            }
          }
        }
      }
    }
  }
}

constexpr PieceCode kKinds[] = {10,  11,  20,  21,  30,  31,  40,  41, 100,
                                101, 110, 210, 211, 800, 801, 900, 901};

Position RandomPosition(std::mt19937& rng) {
  Position pos{};
  std::uniform_int_distribution<int> coord(1, 10);
  std::uniform_int_distribution<int> kindPick(0, static_cast<int>(std::size(kKinds)) - 1);
  std::uniform_int_distribution<int> count(4, 40);
  std::uniform_int_distribution<int> coin(0, 1);
  pos.Board[coord(rng)][coord(rng)] = OU;
  for (;;) {
    const int x = coord(rng), y = coord(rng);
    if (pos.Board[x][y] == EMPTY) {
      pos.Board[x][y] = -OU;
      break;
    }
  }
  const int n = count(rng);
  for (int i = 0; i < n; ++i) {
    const int x = coord(rng), y = coord(rng);
    if (pos.Board[x][y] != EMPTY) continue;
    const PieceCode k = kKinds[kindPick(rng)];
    pos.Board[x][y] = coin(rng) ? k : -k;
  }
  return pos;
}

std::string Picture(const Position& pos) {
  std::ostringstream s;
  for (int y = 1; y <= 10; ++y) {
    for (int x = 1; x <= 10; ++x) s << pos.Board[x][y] << ' ';
    s << '\n';
  }
  return s.str();
}

// First differing entry, or empty when the maps agree.
std::string FirstDifference(const ControlMaps& a, const ControlMaps& b) {
  std::ostringstream s;
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const auto at = [&](const char* name, int got, int want) {
        if (got != want && s.tellp() == 0)
          s << name << "(" << x << "," << y << ") pass " << got << " reference " << want;
      };
      for (int side = 0; side < 2; ++side) {
        at(side == SITA ? "ControlCount S" : "ControlCount U", a.ControlCount[side][x][y],
           b.ControlCount[side][x][y]);
        at(side == SITA ? "CheckLine S" : "CheckLine U", a.CheckLine[side][x][y],
           b.CheckLine[side][x][y]);
      }
      at("SitaDefenderCode", a.SitaDefenderCode[x][y], b.SitaDefenderCode[x][y]);
      at("UeDefenderCode", a.UeDefenderCode[x][y], b.UeDefenderCode[x][y]);
      at("SitaAttackerCode", a.SitaAttackerCode[x][y], b.SitaAttackerCode[x][y]);
      at("UeAttackerCode", a.UeAttackerCode[x][y], b.UeAttackerCode[x][y]);
      at("SitaAttackerSquare.x", a.SitaAttackerSquare[x][y].x, b.SitaAttackerSquare[x][y].x);
      at("SitaAttackerSquare.y", a.SitaAttackerSquare[x][y].y, b.SitaAttackerSquare[x][y].y);
      at("UeAttackerSquare.x", a.UeAttackerSquare[x][y].x, b.UeAttackerSquare[x][y].x);
      at("UeAttackerSquare.y", a.UeAttackerSquare[x][y].y, b.UeAttackerSquare[x][y].y);
      at("UeDefenderSquare.x", a.UeDefenderSquare[x][y].x, b.UeDefenderSquare[x][y].x);
      at("UeDefenderSquare.y", a.UeDefenderSquare[x][y].y, b.UeDefenderSquare[x][y].y);
    }
  }
  return s.str();
}

TEST(ControlMapsAgainstReference, RandomPositionsAgreeOnEveryMap) {
  std::mt19937 rng(20261208);
  auto maps = std::make_unique<ControlMaps>();
  auto ref = std::make_unique<Reference>();
  for (int round = 0; round < 1500; ++round) {
    Position pos = RandomPosition(rng);
    const Position before = pos;
    勢力調査(pos, *maps);
    BuildReference(before, *ref);
    const std::string diff = FirstDifference(*maps, ref->m);
    ASSERT_EQ(diff, "") << "round " << round << "\n" << Picture(before);
    ASSERT_EQ(pos.KingSquare[SITA], ref->king[SITA]) << "round " << round;
    ASSERT_EQ(pos.KingSquare[UE], ref->king[UE]) << "round " << round;
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y) ASSERT_EQ(pos.Board[x][y], before.Board[x][y]);
  }
}

}  // namespace
}  // namespace qz
