// The deep levels inside the computer's turn: the move comes from the search,
// everything around it is the turn of every level, and a player who ends the
// program while the computer thinks gets no move played behind his back.
#include "flow_fixture.h"
#include "model/rules.h"
#include "search/searcher.h"

namespace qz::flow_test {
namespace {

using FlowDeepLevel = FlowTest;

// A thinking port that counts its ticks, or that reports the program ending.
struct FakeThinking : Thinking {
  bool ending = false;
  int ticks = 0;
  bool run(const std::function<void(const std::atomic<bool>& stop)>& work,
           const std::function<void()>& alive) override {
    alive();
    ++ticks;
    if (ending) return false;
    const std::atomic<bool> no{false};
    work(no);
    alive();
    ++ticks;
    return true;
  }
};

TEST_F(FlowDeepLevel, LevelEightAnswersTheHumanWithALegalMoveAndTheUsualTurn) {
  FakeThinking thinking;
  Ports ports = rp.ports();
  ports.thinking = &thinking;
  g = std::make_unique<Game>(ports, dir.string());
  g->Load();
  g->deep.NodeLimit = 3000;
  g->Menu(MenuCommand::LEVEL8);
  EXPECT_TRUE(g->checks.LEVEL8);
  EXPECT_FALSE(g->checks.LEVEL3);
  EXPECT_EQ(g->com.Level, 8);
  g->Menu(MenuCommand::SENTE);
  clearLog();
  move(3, 8, 3, 7);

  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->hist.MoveCount, 2);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_EQ(pieceSounds(), 2);
  EXPECT_GE(thinking.ticks, 2);
  // The computer's move is one the rules allow from the stored position.
  const HistoryEntry& stored = g->hist.entries[1];
  int changed = 0;
  Square from{}, to{};
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (stored.Board[x][y] != g->pos.Board[x][y]) {
        ++changed;
        if (IsUe(stored.Board[x][y]) && g->pos.Board[x][y] == EMPTY) from = {x, y};
        if (IsUe(g->pos.Board[x][y])) to = {x, y};
      }
  Position at;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) at.Board[x][y] = stored.Board[x][y];
  if (changed == 2) {
    EXPECT_EQ(移動チェック(at, from.x, from.y, to.x, to.y, at.Board[from.x][from.y]), 1);
  } else {
    EXPECT_EQ(changed, 1);  // a drop
  }
  // The caption shows the level, the thinking notice is gone.
  const auto texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "思考中"), texts.end());
  EXPECT_EQ(outlineAt(to.x, to.y), ColourLightRed);
}

TEST_F(FlowDeepLevel, OnSeveralThreadsTheSearchAnswersWithASmallerTable) {
  FakeThinking thinking;
  Ports ports = rp.ports();
  ports.thinking = &thinking;
  g = std::make_unique<Game>(ports, dir.string());
  g->Load();
  g->SetDeepThreads(2);
  g->deep.NodeLimit = 3000;
  g->Menu(MenuCommand::LEVEL7);
  g->Menu(MenuCommand::SENTE);
  move(3, 8, 3, 7);
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  ASSERT_NE(g->deep.searcher, nullptr);
  EXPECT_EQ(g->deep.searcher->threads(), 2);
  EXPECT_EQ(g->deep.HashMegabytes, 16u);
  // Back to one thread, as scripts and tests play.
  g->SetDeepThreads(1);
  EXPECT_EQ(g->deep.searcher->threads(), 1);
}

TEST_F(FlowDeepLevel, EndingTheProgramWhileItThinksPlaysNothing) {
  FakeThinking thinking;
  thinking.ending = true;
  Ports ports = rp.ports();
  ports.thinking = &thinking;
  g = std::make_unique<Game>(ports, dir.string());
  g->Load();
  g->Menu(MenuCommand::LEVEL7);
  const Position before = g->pos;
  g->Menu(MenuCommand::GOTE);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_TRUE(SameBoard(before.Board, g->pos.Board));
  EXPECT_FALSE(g->clocks.Timer1Enabled);
  EXPECT_EQ(pieceSounds(), 0);
}

TEST_F(FlowDeepLevel, LevelCaptionAndMarksCoverTheDeepLevels) {
  g->Menu(MenuCommand::LEVEL7);
  EXPECT_TRUE(g->checks.LEVEL7);
  g->Menu(MenuCommand::SENTE);
  clearLog();
  g->Menu(MenuCommand::LEVEL8);
  EXPECT_TRUE(g->checks.LEVEL8);
  EXPECT_FALSE(g->checks.LEVEL7);
  const auto texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), " 8 "), texts.end());
  // Back to a one-ply level: the one-ply computer plays again.
  g->Menu(MenuCommand::LEVEL3);
  EXPECT_EQ(g->com.Level, 3);
  move(3, 8, 3, 7);
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_FALSE(g->deep.searcher);  // never needed
}

TEST_F(FlowDeepLevel, EachOfTheEightLevelsHasTheOneMarkAndItsNumber) {
  const MenuCommand commands[] = {MenuCommand::LEVEL1, MenuCommand::LEVEL2, MenuCommand::LEVEL3,
                                  MenuCommand::LEVEL4, MenuCommand::LEVEL5, MenuCommand::LEVEL6,
                                  MenuCommand::LEVEL7, MenuCommand::LEVEL8};
  g->Menu(MenuCommand::SENTE);
  for (int level = 1; level <= 8; ++level) {
    clearLog();
    g->Menu(commands[level - 1]);
    const MenuChecks& c = g->checks;
    const bool marks[] = {c.LEVEL1, c.LEVEL2, c.LEVEL3, c.LEVEL4,
                          c.LEVEL5, c.LEVEL6, c.LEVEL7, c.LEVEL8};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(marks[i], i == level - 1) << level;
    EXPECT_EQ(g->com.Level, level);
    const auto texts = textsPainted();
    const std::string caption = " " + std::to_string(level) + " ";
    EXPECT_NE(std::find(texts.begin(), texts.end(), caption), texts.end()) << level;
  }
  // No ninth level: the mark stays.
  g->レベル_設定(9);
  EXPECT_EQ(g->com.Level, 8);
  EXPECT_TRUE(g->checks.LEVEL8);
}

TEST_F(FlowDeepLevel, AWeakenedLevelAnswersWithALegalMoveOnItsThread) {
  FakeThinking thinking;
  Ports ports = rp.ports();
  ports.thinking = &thinking;
  g = std::make_unique<Game>(ports, dir.string());
  g->Load();
  g->deep.NodeLimit = 20000;
  g->Menu(MenuCommand::LEVEL5);
  g->Menu(MenuCommand::SENTE);
  move(3, 8, 3, 7);
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_EQ(g->flags.Turn, g->flags.LowerSideToken);
  EXPECT_GE(thinking.ticks, 1);
  ASSERT_NE(g->deep.searcher, nullptr);
  // Exactly one upper piece moved or was dropped.
  int changed = 0;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) changed += g->hist.entries[1].Board[x][y] != g->pos.Board[x][y];
  EXPECT_GE(changed, 1);
  EXPECT_LE(changed, 2);
}

}  // namespace
}  // namespace qz::flow_test
