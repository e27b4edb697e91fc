// Each side's last-move text: file, rank and name with their shadows.
#include "shell/present_fixture.h"

namespace qz::present_test {
namespace {

using MoveTextTest = PresentTest;

TEST_F(MoveTextTest, LowerSidePawnShowsFileRankAndNameWithShadows) {
  g->screen.CurrentBackground = TATAMI;
  g->描画_移動結果(g->flags.LowerSideToken, 4, 3, -10);
  // The area is erased first.
  ASSERT_GE(ops().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ops()[i].code, TATAMI);
    EXPECT_EQ(ops()[i].x, Tx(14 + i));
    EXPECT_EQ(ops()[i].y, Ty(4));
  }
  EXPECT_EQ(textAt(14.5, 4.5).text, "７");
  EXPECT_EQ(textAt(14.5, 4.5).colour, ColourBlack);
  EXPECT_EQ(textAt(14.4, 4.4).text, "７");
  EXPECT_EQ(textAt(14.4, 4.4).colour, ColourWhite);
  EXPECT_EQ(textAt(14.9, 4.5).text, "三");
  EXPECT_EQ(textAt(14.8, 4.4).text, "三");
  EXPECT_EQ(textAt(15.5, 4.5).text, "歩");
  EXPECT_EQ(textAt(15.4, 4.4).text, "歩");
  EXPECT_EQ(textAt(15.4, 4.4).size, 12);
  EXPECT_EQ(ops().size(), 9u);  // no frames for the lower side
}

TEST_F(MoveTextTest, FileTenShiftsRankAndNameAndUpperSideRedrawsFrames) {
  g->screen.CurrentBackground = MIDORI;
  g->描画_移動結果(g->flags.UpperSideToken, 1, 10, 801);
  EXPECT_EQ(textAt(-1.5, 10.5).text, "10");
  EXPECT_EQ(textAt(-1.5, 10.5).colour, ColourGrey);
  EXPECT_EQ(textAt(-1.6, 10.4).colour, ColourLightRed);
  EXPECT_EQ(textAt(-1.5 + 0.4 + 0.2, 10.5).text, "十");
  EXPECT_EQ(textAt(-1.5 + 0.3 + 0.2, 10.4).text, "十");
  EXPECT_EQ(textAt(-1.5 + 1.0 + 0.2, 10.5).text, "角成");
  EXPECT_EQ(textAt(-1.5 + 0.9 + 0.2, 10.4).text, "角成");
  // Erased with 消去_思考中 before, frames of (-1, 9) and (1, 10) after.
  EXPECT_EQ(ops()[0].x, Tx(-2));
  EXPECT_EQ(ops()[0].code, MIDORI);
  const PaintOp& last = ops().back();
  const PaintOp& beforeLast = ops()[ops().size() - 2];
  EXPECT_EQ(beforeLast.kind, PaintOp::Outline);
  EXPECT_EQ(beforeLast.x, Tx(-1));
  EXPECT_EQ(beforeLast.y, Ty(9));
  EXPECT_EQ(last.kind, PaintOp::Outline);
  EXPECT_EQ(last.x, Tx(1));
  EXPECT_EQ(last.y, Ty(10));
}

TEST_F(MoveTextTest, PromotedReiShowsNoNameAndOtherTokensDrawNothing) {
  g->描画_移動結果(g->flags.LowerSideToken, 5, 1, -41);
  EXPECT_EQ(textAt(15.5, 4.5).text, "");
  EXPECT_EQ(textAt(14.5, 4.5).text, "６");

  ops().clear();
  g->描画_移動結果(NoTurn, 5, 1, -41);
  g->消去_移動結果(NoTurn);
  EXPECT_TRUE(ops().empty());

  // Nothing moved: the lower area is erased and nothing visible printed.
  g->描画_移動結果(g->flags.LowerSideToken, 0, 0, EMPTY);
  for (const PaintOp& op : ops()) {
    if (op.kind == PaintOp::Text) {
      EXPECT_EQ(op.text, "");
    }
  }
}

TEST_F(MoveTextTest, BothSidesStayVisibleUntilTheirOwnAreaIsErased) {
  g->screen.CurrentBackground = TATAMI;
  g->描画_移動結果(g->flags.UpperSideToken, 3, 7, 30);
  g->描画_移動結果(g->flags.LowerSideToken, 8, 2, -100);
  EXPECT_EQ(rp.canvas.textsIn(Tx(-2), Ty(10), Tx(1), Ty(11)).size(), 6u);
  EXPECT_EQ(rp.canvas.textsIn(Tx(14), Ty(4), Tx(17), Ty(5)).size(), 6u);
  g->消去_移動結果(g->flags.LowerSideToken);
  EXPECT_EQ(rp.canvas.textsIn(Tx(14), Ty(4), Tx(17), Ty(5)).size(), 0u);
  EXPECT_EQ(rp.canvas.textsIn(Tx(-2), Ty(10), Tx(1), Ty(11)).size(), 6u);
  g->消去_移動結果(g->flags.UpperSideToken);
  EXPECT_EQ(rp.canvas.textsIn(Tx(-2), Ty(10), Tx(1), Ty(11)).size(), 0u);
}

}  // namespace
}  // namespace qz::present_test
