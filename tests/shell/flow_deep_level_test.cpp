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

TEST_F(FlowDeepLevel, LevelFiveAnswersTheHumanWithALegalMoveAndTheUsualTurn) {
  FakeThinking thinking;
  Ports ports = rp.ports();
  ports.thinking = &thinking;
  g = std::make_unique<Game>(ports, dir.string());
  g->Load();
  g->deep.NodeLimit = 3000;
  g->Menu(MenuCommand::LEVEL5);
  EXPECT_TRUE(g->checks.LEVEL5);
  EXPECT_FALSE(g->checks.LEVEL3);
  EXPECT_EQ(g->com.Level, 5);
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
  g->Menu(MenuCommand::LEVEL4);
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
  g->Menu(MenuCommand::LEVEL4);
  const Position before = g->pos;
  g->Menu(MenuCommand::GOTE);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_TRUE(SameBoard(before.Board, g->pos.Board));
  EXPECT_FALSE(g->clocks.Timer1Enabled);
  EXPECT_EQ(pieceSounds(), 0);
}

TEST_F(FlowDeepLevel, LevelCaptionAndMarksCoverTheDeepLevels) {
  g->Menu(MenuCommand::LEVEL4);
  EXPECT_TRUE(g->checks.LEVEL4);
  g->Menu(MenuCommand::SENTE);
  clearLog();
  g->Menu(MenuCommand::LEVEL5);
  EXPECT_TRUE(g->checks.LEVEL5);
  EXPECT_FALSE(g->checks.LEVEL4);
  const auto texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), " 5 "), texts.end());
  // Back to a specified level: the specified computer plays again.
  g->Menu(MenuCommand::LEVEL3);
  EXPECT_EQ(g->com.Level, 3);
  move(3, 8, 3, 7);
  EXPECT_EQ(g->flags.MoveNumber, 2);
  EXPECT_FALSE(g->deep.searcher);  // never needed
}

}  // namespace
}  // namespace qz::flow_test
