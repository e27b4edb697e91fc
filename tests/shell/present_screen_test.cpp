// The painted window: layout of a full redraw, colours per background, hands,
// the move number and the captions.
#include "shell/present_fixture.h"

namespace qz::present_test {
namespace {

using ScreenTest = PresentTest;

TEST_F(ScreenTest, FullRedrawPaintsLabelsHandsBoardAndTitle) {
  g->screen.CurrentBackground = TATAMI;
  g->pos.Board[3][4] = -100;
  g->pos.Board[10][1] = 950;
  g->pos.Hand[UE][9] = 1;     // rook: upper hand row 1
  g->pos.Hand[SITA][1] = 12;  // pawns: lower hand row 2
  g->画面_再描画();

  // Background everywhere off the board, 32 x 20 minus the 100 squares;
  // the board squares carry their pieces.
  EXPECT_EQ(pictureAt(-3, -2), TATAMI);
  EXPECT_EQ(pictureAt(28, 17), TATAMI);
  EXPECT_EQ(pictureAt(3, 4), -100);
  EXPECT_EQ(pictureAt(10, 1), 950);
  EXPECT_EQ(pictureAt(5, 5), EMPTY);
  EXPECT_EQ(outlineAt(5, 5), ColourGreen);

  // Column numbers: " 10 " above column 1 ... " 1 " above column 10, shadow first.
  for (int x = 1; x <= 10; ++x) {
    PaintOp main = textAt(x + 0.1, 0.4);
    EXPECT_EQ(main.text, " " + std::to_string(11 - x) + " ");
    EXPECT_EQ(main.size, 16);
    EXPECT_TRUE(main.bold);
    EXPECT_EQ(textAt(x + 0.2, 0.5).colour, ColourBlack);
  }
  const char* numerals[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
  for (int y = 1; y <= 10; ++y) {
    EXPECT_EQ(textAt(11.1, y + 0.3).text, numerals[y - 1]);
    EXPECT_EQ(textAt(11.1, y + 0.3).size, 12);
    EXPECT_EQ(textAt(11.2, y + 0.4).text, numerals[y - 1]);
  }

  // Hands: pictures and counts in their rows; empty kinds show no number.
  EXPECT_EQ(pictureAt(-1, 1), 900);
  EXPECT_EQ(textAt(0, 1.2).text, " 1 ");
  EXPECT_EQ(pictureAt(-1, 2), EMPTY);
  EXPECT_TRUE(textsAt(0, 2.2).empty());
  EXPECT_EQ(pictureAt(12, 2), -10);
  EXPECT_EQ(textAt(13, 2.2).text, " 12 ");
  EXPECT_EQ(textAt(13, 2.2).size, 14);
  EXPECT_EQ(pictureAt(12, 10), EMPTY);

  // Title; no level caption between two humans, no handicap caption unset.
  EXPECT_EQ(pictureAt(14.1, 0), TitleCode);
  EXPECT_TRUE(textsAt(-1.5, 0.1).empty());
  EXPECT_TRUE(textsAt(14, 3).empty());
  EXPECT_EQ(ops().back().kind, PaintOp::Picture);
  EXPECT_EQ(ops().back().code, TitleCode);
}

TEST_F(ScreenTest, FullRedrawOrderAndOptionalCaptions) {
  g->screen.CurrentBackground = UCHU;
  g->flags.GameMode = ModeComputer;
  g->com.Level = 2;
  g->flags.HandicapSet = 1;
  g->flags.HandicapLevel = -3;
  g->checks.KEIKA = true;
  g->clocks.UpperClock = 3725;
  g->画面_再描画();

  // First operation that satisfies pred; the background is not EMPTY here.
  auto index = [&](auto pred) {
    for (std::size_t i = 0; i < ops().size(); ++i)
      if (pred(ops()[i])) return static_cast<long>(i);
    return -1L;
  };
  auto emptyAt = [](double x, double y) {
    return [=](const PaintOp& o) {
      return o.kind == PaintOp::Picture && o.code == EMPTY && o.x == Tx(x) && o.y == Ty(y);
    };
  };
  const long firstLabel = index([](const PaintOp& o) { return o.kind == PaintOp::Text; });
  const long lowerHand = index(emptyAt(12, 2));
  const long upperHand = index(emptyAt(-1, 1));
  const long board = index(emptyAt(1, 1));
  const long clock = index([](const PaintOp& o) { return o.text == "01:02:05"; });
  const long level = index([](const PaintOp& o) { return o.text == "LEVEL"; });
  const long caption = index([](const PaintOp& o) { return o.text == "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"; });
  EXPECT_LT(firstLabel, lowerHand);
  EXPECT_LT(lowerHand, upperHand);
  EXPECT_LT(upperHand, board);
  EXPECT_LT(board, clock);
  EXPECT_LT(clock, level);
  EXPECT_LT(level, caption);
  EXPECT_EQ(textAt(0, 0).text, " 2 ");
  EXPECT_EQ(rp.canvas.textsIn(Tx(14) + 120, Ty(3) + 160, Tx(14) + 121, Ty(3) + 161).size(), 1u);
  // The redraw shows the stored total and leaves it alone.
  EXPECT_EQ(g->clocks.UpperClock, 3725);
}

TEST_F(ScreenTest, TextColoursFollowTheBackground) {
  struct Case {
    int background, text, shadow;
  };
  for (Case c : {Case{MIDORI, 12, 8}, Case{TATAMI, 15, 0}, Case{RENGA, 15, 0}, Case{0, 15, 0}}) {
    SCOPED_TRACE(c.background);
    ops().clear();
    g->screen.CurrentBackground = c.background;
    g->pos.Hand[SITA][3] = 2;
    g->描画_桝_数値();
    g->描画_自持盤();
    g->描画_手数(7);
    EXPECT_EQ(textAt(1.1, 0.4).colour, c.text);
    EXPECT_EQ(textAt(1.2, 0.5).colour, c.shadow);
    EXPECT_EQ(textAt(14.2, 5.3).colour, c.text);
    EXPECT_EQ(textAt(14.3, 5.4).colour, c.shadow);
    // Hand counts: light red on black whatever the background.
    EXPECT_EQ(textAt(13, 4.2).colour, ColourLightRed);
    EXPECT_EQ(textAt(13.1, 4.3).colour, ColourBlack);
  }
  // No background chosen: the surroundings are tiled with the empty square.
  g->screen.CurrentBackground = 0;
  g->描画_背景(0);
  EXPECT_EQ(pictureAt(-3, 5), EMPTY);
}

TEST_F(ScreenTest, MoveNumberIsRightAlignedAndCaptioned) {
  g->screen.CurrentBackground = TAKE;
  struct Case {
    int n;
    double x;
    std::string text;
  };
  for (Case c : {Case{9, 14.2, " 9 "}, Case{10, 14.1, " 10 "}, Case{100, 14.0, " 100 "}}) {
    ops().clear();
    g->描画_手数(c.n);
    EXPECT_EQ(ops().front().code, TAKE);  // the tile goes first
    EXPECT_EQ(textAt(c.x, 5.3).text, c.text);
    EXPECT_EQ(textAt(c.x + 0.1, 5.4).text, c.text);
  }
  std::vector<RecordingCanvas::ShownText> caption =
      rp.canvas.textsIn(Tx(14.8) + 119, Ty(5.1) + 159, Tx(14.8) + 121, Ty(5.1) + 161);
  ASSERT_EQ(caption.size(), 1u);
  EXPECT_EQ(caption[0].text, "手目");
  EXPECT_EQ(caption[0].size, 10);
}

TEST_F(ScreenTest, NumeralsAndCaptionsOutsideTheirRangeDrawNothing) {
  g->描画_数値(0, 0, 0L, 15, 1, 12);
  g->描画_数値(0, 0, 11L, 15, 1, 12);
  g->描画_文字列(0, 0, 7, 15, 10);
  g->描画_文字列(0, 0, -7, 15, 10);
  g->描画_絵(111, 0, 0);  // the canvas decides; the call is made
  EXPECT_EQ(ops().size(), 1u);
  g->描画_数値(0, 0, -3L, 15, 0, 12);
  EXPECT_EQ(ops().back().text, "-3 ");
  g->描画_文字列(0, 0, 6, 15, 10);
  EXPECT_EQ(ops().back().text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級");
  g->描画_文字列(0, 0, -6, 15, 10);
  EXPECT_EQ(ops().back().text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段");
}

TEST_F(ScreenTest, UpperHandRowRedrawsTheBoardFrameItCovers) {
  g->screen.CurrentBackground = TATAMI;
  g->pos.Hand[UE][1] = 3;  // pawns in row 9
  g->描画_敵持盤();
  // Row 9's operations: empty cell, tile, frame, pawn, frame, counts, board frame.
  std::vector<PaintOp> row;
  for (const PaintOp& op : ops())
    if (std::abs(op.y - Ty(9)) < 0.01 || std::abs(op.y - Ty(9.2)) < 0.01 ||
        std::abs(op.y - Ty(9.3)) < 0.01)
      row.push_back(op);
  ASSERT_EQ(row.size(), 8u);
  EXPECT_EQ(row[0].code, EMPTY);
  EXPECT_EQ(row[1].code, TATAMI);
  EXPECT_EQ(row[2].kind, PaintOp::Outline);
  EXPECT_EQ(row[3].code, 10);
  EXPECT_EQ(row[4].kind, PaintOp::Outline);
  EXPECT_EQ(row[5].colour, ColourBlack);
  EXPECT_EQ(row[6].text, " 3 ");
  EXPECT_EQ(row[7].kind, PaintOp::Outline);
  EXPECT_EQ(row[7].x, Tx(1));
}

TEST_F(ScreenTest, ErasingRoutinesRestoreTheFramesTheyCover) {
  g->screen.CurrentBackground = RENGA;
  g->消去_思考中();
  ASSERT_EQ(ops().size(), 5u);
  EXPECT_EQ(ops()[0].x, Tx(-2));
  EXPECT_EQ(ops()[3].x, Tx(-1));
  EXPECT_EQ(ops()[3].y, Ty(9));
  EXPECT_EQ(ops()[4].x, Tx(1));
  EXPECT_EQ(ops()[4].y, Ty(10));

  ops().clear();
  g->描画_棋譜読込み部分消去();
  ASSERT_EQ(ops().size(), 22u);
  EXPECT_EQ(pictureAt(7, 11), RENGA);
  EXPECT_EQ(outlineAt(7, 10), ColourGreen);

  ops().clear();
  g->screen.EraseColour = ColourGreen;
  g->描画_将棋盤桝();
  ASSERT_EQ(ops().size(), 100u);
  for (const PaintOp& op : ops()) EXPECT_EQ(op.kind, PaintOp::Outline);
}

}  // namespace
}  // namespace qz::present_test
