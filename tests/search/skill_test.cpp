// The weakened levels: several exact root lines, the seeded choice among
// them, and the table of levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <tuple>

#include "engine/random_play.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "search/searcher.h"

namespace qz::search {
namespace {

RootLine Line(int score) {
  RootLine l;
  l.score = score;
  return l;
}

TEST(PickWeakerLine, ChoosesTheBestWhenItMustAndVariesWhenItMay) {
  const RootLine close[] = {Line(50), Line(40), Line(30), Line(20)};
  for (std::uint64_t draw = 0; draw < 200; ++draw) {
    EXPECT_EQ(PickWeakerLine(close, 4, 0, draw), 0);  // full strength
    EXPECT_EQ(PickWeakerLine(close, 1, 120, draw), 0);
  }
  // A weak pick takes the other lines often, and repeats for one draw.
  int others = 0;
  std::set<int> seen;
  for (std::uint64_t draw = 0; draw < 200; ++draw) {
    const int i = PickWeakerLine(close, 4, 120, draw);
    ASSERT_GE(i, 0);
    ASSERT_LT(i, 4);
    EXPECT_EQ(PickWeakerLine(close, 4, 120, draw), i);
    others += i != 0;
    seen.insert(i);
  }
  EXPECT_GT(others, 40);
  EXPECT_EQ(seen.size(), 4u);

  // A little weakness hardly ever gives up much: lines far below the best
  // are not played.
  const RootLine apart[] = {Line(300), Line(0), Line(-200)};
  for (std::uint64_t draw = 0; draw < 200; ++draw)
    EXPECT_EQ(PickWeakerLine(apart, 3, 20, draw), 0) << draw;
}

TEST(PickWeakerLine, NeverGivesAwayADecidedGame) {
  // The best line wins by force: it is played whatever the weakness.
  const RootLine winning[] = {Line(kMate - 5), Line(100), Line(90)};
  // The last lines lose by force: they are never chosen.
  const RootLine losing[] = {Line(20), Line(10), Line(-(kMate - 4)), Line(-(kMate - 2))};
  // Only the best escapes: it is the one move.
  const RootLine onlyOne[] = {Line(-50), Line(-(kMate - 4)), Line(-(kMate - 2))};
  for (std::uint64_t draw = 0; draw < 300; ++draw) {
    EXPECT_EQ(PickWeakerLine(winning, 3, kMaxWeakness, draw), 0);
    EXPECT_LT(PickWeakerLine(losing, 4, kMaxWeakness, draw), 2);
    EXPECT_EQ(PickWeakerLine(onlyOne, 3, kMaxWeakness, draw), 0);
  }
}

// Middle-game positions after random moves from both placements.
std::vector<std::pair<Position, Side>> MiddleGames(int count) {
  std::vector<std::pair<Position, Side>> out;
  std::mt19937 rng(7);
  while (static_cast<int>(out.size()) < count) {
    Position pos;
    SetUpStartingPosition(pos, out.size() % 2 == 0);
    Side side = SITA;
    bool alive = true;
    for (int ply = 0; ply < 16 && alive; ++ply) {
      alive = test::PlayRandomMove(pos, side, rng);
      side = Opponent(side);
    }
    if (alive) out.emplace_back(pos, side);
  }
  return out;
}

bool Legal(const Position& pos, Side side, const GameMove& m) {
  Position copy = pos;
  GameMove moves[kMaxMoves];
  const int n = ListMoves(copy, side, moves);
  return std::find(moves, moves + n, m) != moves + n;
}

TEST(MultiPv, LinesAreExactDistinctSortedAndLegal) {
  Searcher s(8);
  for (const auto& [pos, side] : MiddleGames(4)) {
    s.NewGame(0);
    Limits limits;
    limits.nodes = 20000;
    limits.multiPv = 4;
    const Result r = s.Think(pos, side, 20, limits);
    ASSERT_TRUE(r.found);
    ASSERT_EQ(r.lineCount, 4);
    std::set<std::tuple<int, int, int, int, int>> moves;
    for (int i = 0; i < r.lineCount; ++i) {
      const GameMove& m = r.lines[i].move;
      EXPECT_TRUE(Legal(pos, side, m));
      moves.insert({m.fromX, m.fromY, m.toX, m.toY, m.code});
      if (i > 0) EXPECT_LE(r.lines[i].score, r.lines[i - 1].score);
    }
    EXPECT_EQ(moves.size(), 4u);
    // Without weakness the search's best line is played.
    EXPECT_TRUE(std::any_of(r.lines, r.lines + r.lineCount,
                            [&](const RootLine& l) { return l.move == r.best; }));

    // One line is the plain search, which keeps no lines.
    s.NewGame(0);
    limits.multiPv = 1;
    EXPECT_EQ(s.Think(pos, side, 20, limits).lineCount, 0);
  }
}

TEST(MultiPv, AWeakSearchStraysFromItsBestLineAndRepeatsWithItsSeed) {
  Searcher s(8);
  int strayed = 0;
  const auto games = MiddleGames(12);
  for (std::size_t g = 0; g < games.size(); ++g) {
    const auto& [pos, side] = games[g];
    Limits limits;
    limits.nodes = 4000;
    limits.multiPv = 4;
    limits.weakness = 120;
    s.NewGame(g + 1);
    const Result a = s.Think(pos, side, 30, limits);
    s.NewGame(g + 1);
    const Result b = s.Think(pos, side, 30, limits);
    ASSERT_TRUE(a.found);
    EXPECT_TRUE(Legal(pos, side, a.best));
    EXPECT_EQ(std::tie(a.best, a.score, a.nodes), std::tie(b.best, b.score, b.nodes));
    strayed += !(a.best == a.lines[0].move);
  }
  EXPECT_GT(strayed, 0);
  EXPECT_LT(strayed, static_cast<int>(games.size()));
}

TEST(MultiPv, ALineCountAboveTheMovesLeftListsEachMoveOnce) {
  // Two kings alone: the upper one in the corner has three moves.
  Position pos;
  pos.Board[1][1] = -OU;
  pos.Board[10][10] = OU;
  GameMove moves[kMaxMoves];
  ASSERT_EQ(ListMoves(pos, UE, moves), 3);
  Searcher s(8);
  s.NewGame(0);
  Limits limits;
  limits.nodes = 3000;
  limits.multiPv = kMaxLines;
  limits.weakness = 100;
  const Result r = s.Think(pos, UE, 40, limits);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.lineCount, 3);
  EXPECT_TRUE(Legal(pos, UE, r.best));
}

TEST(Levels, TheLadderGrowsAndItsTopIsTheFullSearch) {
  const LevelSettings seven = SettingsOfLevel(7), eight = SettingsOfLevel(8);
  EXPECT_EQ(std::tie(seven.movetimeMs, seven.nodes, seven.multiPv, seven.weakness),
            std::make_tuple(1000, std::uint64_t{2000000}, 1, 0));
  EXPECT_EQ(std::tie(eight.movetimeMs, eight.nodes, eight.multiPv, eight.weakness),
            std::make_tuple(5000, std::uint64_t{10000000}, 1, 0));
  for (int level = kFirstDeepLevel; level <= kHighestLevel; ++level) {
    const LevelSettings l = SettingsOfLevel(level);
    EXPECT_EQ(l.Weakened(), level < 7) << level;
    EXPECT_GE(l.multiPv, 1);
    EXPECT_LE(l.multiPv, kMaxLines);
    EXPECT_GE(l.weakness, 0);
    EXPECT_LE(l.weakness, kMaxWeakness);
    if (l.Weakened()) {
      EXPECT_GT(l.multiPv, 1) << level;
      EXPECT_LE(l.movetimeMs, 1000) << level;  // the window waits at most about a second
    }
    if (level > kFirstDeepLevel) {
      const LevelSettings below = SettingsOfLevel(level - 1);
      EXPECT_GT(l.nodes, below.nodes) << level;
    }
  }
  // Out of range: the nearest level.
  EXPECT_EQ(SettingsOfLevel(2).nodes, SettingsOfLevel(kFirstDeepLevel).nodes);
  EXPECT_EQ(SettingsOfLevel(99).nodes, eight.nodes);
}

}  // namespace
}  // namespace qz::search
