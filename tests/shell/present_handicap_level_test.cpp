// The handicap steps △ / ▽ and the computer level commands.
#include "model/placement.h"
#include "shell/present_fixture.h"

namespace qz::present_test {
namespace {

class HandicapTest : public PresentTest {
 protected:
  void SetUp() override {
    PresentTest::SetUp();
    SetUpStartingPosition(g->pos, true);
    start = g->pos;
    g->sounds.SndPiece = 31;
    g->sounds.SndForbidden = 32;
    g->screen.CurrentBackground = TATAMI;
  }
  // The caption drawn last in the handicap cells.
  std::string caption() {
    auto shown = rp.canvas.textsIn(Tx(14), Ty(3), Tx(18), Ty(4));
    return shown.empty() ? "" : shown.back().text;
  }
  int plays(int buffer) {
    int n = 0;
    for (const auto& c : rp.sound.calls) n += c.op == "play" && c.handle == buffer;
    return n;
  }
  Position start;
};

bool SameBoard(const Position& a, const Position& b) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (a.Board[x][y] != b.Board[x][y]) return false;
  return true;
}

TEST_F(HandicapTest, DownStepsRemoveTheLowerPiecesAndUpStepsRestoreThem) {
  for (int i = 0; i < 3; ++i) g->HandicapStep(-1);
  EXPECT_EQ(g->flags.HandicapLevel, -3);
  EXPECT_EQ(g->pos.Board[2][9], EMPTY);
  EXPECT_EQ(g->pos.Board[9][9], EMPTY);
  EXPECT_EQ(g->pos.Board[1][10], EMPTY);
  EXPECT_EQ(g->pos.Board[10][10], start.Board[10][10]);
  EXPECT_EQ(pictureAt(1, 10), EMPTY);
  EXPECT_EQ(outlineAt(1, 10), ColourGreen);
  EXPECT_EQ(caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段");
  EXPECT_EQ(plays(31), 3);

  for (int i = 0; i < 3; ++i) g->HandicapStep(+1);
  EXPECT_TRUE(SameBoard(g->pos, start));
  EXPECT_EQ(g->pos.Board[2][9], -800);
  EXPECT_EQ(pictureAt(2, 9), -800);
  EXPECT_EQ(caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
  EXPECT_EQ(g->flags.HandicapSet, 1);
  EXPECT_EQ(g->hist.LastSnapshot, 0);
}

TEST_F(HandicapTest, UpStepsRemoveTheUpperArmyInOrderAndStopAtTheBound) {
  const Square order[] = {{9, 2}, {2, 2}, {10, 1}, {1, 1}, {9, 1}, {2, 1}};
  for (const Square& sq : order) {
    ASSERT_NE(g->pos.Board[sq.x][sq.y], EMPTY);
    g->HandicapStep(+1);
    EXPECT_EQ(g->pos.Board[sq.x][sq.y], EMPTY) << sq.x << "," << sq.y;
  }
  EXPECT_EQ(caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級");
  const std::size_t painted = ops().size();
  g->HandicapStep(+1);  // a seventh press changes nothing
  EXPECT_EQ(g->flags.HandicapLevel, 6);
  EXPECT_EQ(ops().size(), painted);
  EXPECT_EQ(plays(31), 6);
  EXPECT_TRUE(rp.dialogs.shown.empty());

  // The down bound, from the other end; the flag is set even at a bound.
  TearDown();
  SetUp();
  ops().clear();
  g->flags.HandicapLevel = -6;
  g->HandicapStep(-1);
  EXPECT_EQ(g->flags.HandicapLevel, -6);
  EXPECT_EQ(g->flags.HandicapSet, 1);
  EXPECT_TRUE(ops().empty());
}

TEST_F(HandicapTest, UpThenDownReturnsToTheEvenGameWithItsCaption) {
  g->HandicapStep(+1);
  g->HandicapStep(-1);
  EXPECT_TRUE(SameBoard(g->pos, start));
  EXPECT_EQ(g->flags.HandicapLevel, 0);
  EXPECT_EQ(caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
  EXPECT_EQ(g->flags.HandicapSet, 1);
}

TEST_F(HandicapTest, RefusalsPlayTheSoundAndExplainInOrder) {
  struct Case {
    int record, moves, reversed;
    std::string reason;
  };
  const Case cases[] = {{1, 1, 1, "棋譜ﾓｰﾄﾞではできません"},
                        {0, 1, 1, "対局途中ではできません"},
                        {0, 0, 1, "反転後ではできません"}};
  for (const Case& c : cases) {
    rp.dialogs.shown.clear();
    rp.sound.calls.clear();
    rp.panel.ioVisible = true;
    g->flags.RecordMode = c.record;
    g->hist.MoveCount = c.moves;
    g->hist.LastSnapshot = 4;
    g->flags.Reversed = c.reversed;
    g->HandicapStep(+1);
    EXPECT_FALSE(rp.panel.ioVisible);
    ASSERT_EQ(rp.dialogs.shown.size(), 1u);
    EXPECT_EQ(rp.dialogs.shown[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    EXPECT_EQ(rp.dialogs.shown[0].text, c.reason + "\r\r局面→最初にして下さい");
    ASSERT_EQ(rp.sound.calls.size(), 1u);
    EXPECT_EQ(rp.sound.calls[0].handle, 32);
    EXPECT_EQ(g->flags.HandicapLevel, 0);
    EXPECT_EQ(g->flags.HandicapSet, 0);
    EXPECT_EQ(g->hist.LastSnapshot, 4);
  }
  EXPECT_TRUE(SameBoard(g->pos, start));
}

using LevelTest = PresentTest;

TEST_F(LevelTest, LevelCommandMovesTheMarkAndRedrawsOnlyAgainstTheComputer) {
  g->screen.CurrentBackground = MIDORI;
  g->LevelCommand(1);  // two humans: erased, not redrawn
  EXPECT_TRUE(g->checks.LEVEL1);
  EXPECT_FALSE(g->checks.LEVEL3);
  EXPECT_EQ(g->com.Level, 1);
  ASSERT_EQ(ops().size(), 3u);
  EXPECT_EQ(ops()[0].x, Tx(-2));
  EXPECT_EQ(ops()[2].x, Tx(0));
  EXPECT_EQ(ops()[2].code, MIDORI);

  ops().clear();
  g->flags.GameMode = ModeComputer;
  g->LevelCommand(2);
  g->LevelCommand(2);  // the checked level again: still checked, redrawn
  EXPECT_TRUE(g->checks.LEVEL2);
  EXPECT_FALSE(g->checks.LEVEL1);
  EXPECT_EQ(g->com.Level, 2);
  std::vector<PaintOp> texts;
  for (const PaintOp& op : ops())
    if (op.kind == PaintOp::Text) texts.push_back(op);
  ASSERT_EQ(texts.size(), 8u);
  EXPECT_EQ(texts[4].text, "LEVEL");
  EXPECT_EQ(texts[4].colour, ColourGrey);
  EXPECT_EQ(texts[4].size, 10);
  EXPECT_EQ(texts[4].x, Tx(-1.4));
  EXPECT_EQ(texts[5].colour, ColourLightRed);
  EXPECT_EQ(texts[6].text, " 2 ");
  EXPECT_EQ(texts[6].x, Tx(0.1));
  EXPECT_EQ(texts[7].text, " 2 ");
  EXPECT_EQ(texts[7].size, 12);
  EXPECT_EQ(rp.canvas.textsIn(Tx(-2), Ty(0), Tx(1), Ty(1)).size(), 4u);
}

TEST_F(LevelTest, ThinkingNoticeIsShadowedAndRestoresTwoFrames) {
  g->screen.CurrentBackground = UCHU;
  g->描画_思考中();
  ASSERT_EQ(ops().size(), 4u);
  EXPECT_EQ(ops()[0].text, "思考中");
  EXPECT_EQ(ops()[0].colour, ColourBlack);
  EXPECT_EQ(ops()[0].x, Tx(-1.5));
  EXPECT_EQ(ops()[1].colour, ColourWhite);
  EXPECT_EQ(ops()[1].y, Ty(10.4));
  EXPECT_EQ(ops()[2].x, Tx(-1));
  EXPECT_EQ(ops()[3].y, Ty(10));
  g->消去_思考中();
  EXPECT_TRUE(rp.canvas.textsIn(Tx(-2), Ty(10), Tx(1), Ty(11)).empty());
}

}  // namespace
}  // namespace qz::present_test
