// Saving and reading records through the record panel.
#include "flow_fixture.h"
#include "play/cp932.h"
#include "play/record_file.h"

namespace qz::flow_test {
namespace {

class FlowRecord : public FlowTest {
 protected:
  void playThreeMoves() {
    g->Menu(MenuCommand::START);
    move(3, 8, 3, 7);
    move(3, 3, 3, 4);
    move(4, 8, 4, 7);
  }
  void fillPanel(const std::string& file) {
    g->Menu(MenuCommand::KIFU_WRITE);
    rp.panel.texts[1] = file;
    rp.panel.texts[2] = "練習対局";
    rp.panel.texts[3] = "山田";
    rp.panel.texts[4] = "佐藤";
  }
  std::vector<std::string> lines(const std::string& path) {
    std::vector<std::string> out;
    std::string bytes = readFile(path), line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        out.push_back(line);
        line.clear();
        ++i;
      } else {
        line += bytes[i];
      }
    }
    return out;
  }
};

TEST_F(FlowRecord, WriteIsRefusedAfterReversalOrHandicap) {
  g->Menu(MenuCommand::REVERSE);
  g->Menu(MenuCommand::KIFU_WRITE);
  EXPECT_TRUE(said("棋譜書込", "反転後は書き込みできません"));
  EXPECT_FALSE(rp.panel.ioVisible);

  g->Menu(MenuCommand::CANCEL);
  g->Menu(MenuCommand::LBEL_UP);
  g->Menu(MenuCommand::LEBEL_DOWN);
  clearLog();
  g->Menu(MenuCommand::KIFU_WRITE);
  EXPECT_TRUE(said("棋譜書込", "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"));
  EXPECT_FALSE(rp.panel.ioVisible);
}

TEST_F(FlowRecord, PanelsOpenForWritingAndReading) {
  g->Menu(MenuCommand::KIFU_WRITE);
  EXPECT_TRUE(rp.panel.driveVisible);
  EXPECT_TRUE(rp.panel.directoryVisible);
  EXPECT_FALSE(rp.panel.fileVisible);
  EXPECT_TRUE(rp.panel.ioVisible);
  rp.panel.texts[2] = "x";
  g->Menu(MenuCommand::KIFU_READ);
  EXPECT_TRUE(rp.panel.fileVisible);
  EXPECT_FALSE(rp.panel.ioVisible);
  EXPECT_EQ(rp.panel.texts[2], "");
}

TEST_F(FlowRecord, WriteNeedsANameAndData) {
  g->Menu(MenuCommand::START);  // no move yet: nothing stored beyond entry 0
  fillPanel("");
  g->Command1Click();
  EXPECT_TRUE(said("  ", "ﾌｧｲﾙ名が入力されていません"));
  EXPECT_TRUE(rp.panel.ioVisible);
  rp.panel.texts[1] = "none";
  g->Command1Click();
  EXPECT_TRUE(said("棋譜保存", "保存するデータがありません"));
  EXPECT_TRUE(rp.panel.ioVisible);
  EXPECT_FALSE(std::filesystem::exists(dir / "none.棋譜"));

  // One move is a record of one entry: the position after it.
  move(3, 8, 3, 7);
  fillPanel("one");
  clearLog();
  g->Command1Click();
  EXPECT_TRUE(said("  ", "棋譜を書き込みました"));
  const auto written = lines((dir / "one.棋譜").string());
  ASSERT_EQ(written.size(), 3u + 1u);
  EXPECT_EQ(ParseEntryLine(written[3]).Board[3][7], -HU);
}

TEST_F(FlowRecord, WrittenRecordReadsBackAndReplaysToTheLastMove) {
  playThreeMoves();
  PieceCode afterSecond[11][11], afterThird[11][11];
  std::memcpy(afterSecond, g->hist.entries[2].Board, sizeof afterSecond);
  std::memcpy(afterThird, g->pos.Board, sizeof afterThird);
  // The upper side thinks for 7 seconds, then the game is saved.
  rp.time.advance(7);
  fillPanel("game");
  clearLog();
  g->Command1Click();
  EXPECT_TRUE(said("  ", "棋譜を書き込みました"));
  EXPECT_FALSE(rp.panel.ioVisible);
  EXPECT_EQ(rp.panel.texts[1], "");
  EXPECT_EQ(rp.panel.refreshCount, 1);

  const std::string path = (dir / "game.棋譜").string();
  const auto written = lines(path);
  ASSERT_EQ(written.size(), 3u + 3u);  // one entry per move
  EXPECT_EQ(written[0], *Utf8ToCp932("練習対局"));
  EXPECT_EQ(written[1], *Utf8ToCp932("佐藤"));  // the upper side's player (後手)
  EXPECT_EQ(written[2], *Utf8ToCp932("山田"));
  // The last entry is the position on the board, its after-clocks those of
  // the moment of saving: the upper side's running turn included.
  const HistoryEntry last = ParseEntryLine(written[5]);
  EXPECT_TRUE(SameBoard(afterThird, last.Board));
  EXPECT_EQ(last.UeAfter, std::floor(g->clocks.UpperClock + 7));
  EXPECT_EQ(last.SitaAfter, std::floor(g->clocks.LowerClock));

  g->Menu(MenuCommand::KIFU_READ);
  clearLog();
  g->File1Click("game.棋譜");
  EXPECT_FALSE(rp.panel.fileVisible);
  EXPECT_EQ(g->flags.RecordMode, 1);
  EXPECT_EQ(g->hist.LastSnapshot, 3);
  EXPECT_EQ(g->hist.MoveCount, 0);
  EXPECT_EQ(g->flags.MoveNumber, 0);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  EXPECT_EQ(g->flags.LowerSideToken, TurnSente);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[0].text, " 読み込みました");
  EXPECT_EQ(shown()[1].text, "棋譜を '進 'で進めて下さい");
  EXPECT_EQ(shown()[1].title, "棋譜");
  // Entry 0 holds the position the record starts from.
  EXPECT_EQ(g->hist.entries[0].Board[3][8], -HU);
  EXPECT_EQ(g->hist.entries[0].Board[3][7], EMPTY);
  // Headers: the upper side's name above the board, the lower's low on it.
  auto top = rp.canvas.textsIn(0, 100, 20000, 101);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].text, "佐藤");
  EXPECT_DOUBLE_EQ(top[0].x, Game::取得_棋譜のX座標("佐藤"));
  auto low = rp.canvas.textsIn(0, 6350, 20000, 6351);
  ASSERT_EQ(low.size(), 2u);
  EXPECT_EQ(low[0].text, "練習対局");
  EXPECT_EQ(low[0].colour, ColourLightRed);
  EXPECT_DOUBLE_EQ(low[0].x, Game::取得_棋譜のX座標("練習対局") - 3000);

  g->Menu(MenuCommand::AFTER);
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(SameBoard(afterSecond, g->pos.Board));
  EXPECT_EQ(g->flags.Turn, TurnSente);
  clearLog();
  g->Menu(MenuCommand::AFTER);  // the third move, the last of the game
  EXPECT_TRUE(SameBoard(afterThird, g->pos.Board));
  EXPECT_EQ(g->flags.MoveNumber, 3);
  EXPECT_EQ(g->flags.Turn, TurnGote);
  auto texts = textsPainted();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "七"), texts.end());
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(said("進む", "終わり"));
  EXPECT_EQ(forbidden(), 0);
}

TEST_F(FlowRecord, RecordWithoutTheFinalPositionReplaysAsBefore) {
  // Records written before the final position was kept hold one entry less
  // than the game had moves: three moves, entries 1 and 2.
  playThreeMoves();
  PieceCode afterSecond[11][11];
  std::memcpy(afterSecond, g->hist.entries[2].Board, sizeof afterSecond);
  RecordHeader header{"old", "佐藤", "山田"};
  ASSERT_EQ(WriteRecord((dir / "old.棋譜").string(), header, g->hist, 2).status, RecordStatus::Ok);
  ASSERT_EQ(lines((dir / "old.棋譜").string()).size(), 3u + 2u);

  clearLog();
  g->File1Click("old.棋譜");
  EXPECT_EQ(g->hist.LastSnapshot, 2);
  EXPECT_EQ(g->flags.LowerSideToken, TurnSente);
  g->Menu(MenuCommand::AFTER);
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(SameBoard(afterSecond, g->pos.Board));
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(said("進む", "終わり"));
  // Stepping back and forth again stays within the two entries.
  g->Menu(MenuCommand::REPLAY);
  g->Menu(MenuCommand::AFTER);
  EXPECT_TRUE(SameBoard(afterSecond, g->pos.Board));
  EXPECT_EQ(g->flags.MoveNumber, 2);
}

TEST_F(FlowRecord, RecordWhereTheUpperSideOpenedGivesItTheFirstToken) {
  // Entry 1: after the upper side's opening move; entry 2: after the lower
  // side's reply.
  History h;
  Position p;
  g->初期設定();
  p = g->pos;
  p.at(3, 3) = EMPTY;
  p.at(3, 4) = HU;
  h.SetEntry(1, p);
  p.at(3, 8) = EMPTY;
  p.at(3, 7) = -HU;
  h.SetEntry(2, p);
  RecordHeader header{"", "COM", "MAN"};
  ASSERT_EQ(WriteRecord((dir / "upper.棋譜").string(), header, h, 2).status, RecordStatus::Ok);

  g->File1Click("upper.棋譜");
  EXPECT_EQ(g->flags.UpperSideToken, TurnSente);
  EXPECT_EQ(g->flags.LowerSideToken, TurnGote);
  EXPECT_EQ(g->flags.Turn, TurnSente);
  // The first step shows the upper side's move in its own area.
  clearLog();
  g->Menu(MenuCommand::AFTER);
  EXPECT_FALSE(rp.canvas.textsIn(Tx(-2), Ty(10), Tx(1), Ty(11)).empty());
  EXPECT_EQ(g->flags.Turn, TurnGote);  // now the lower side, holding 後手
}

TEST_F(FlowRecord, MissingFileKeepsTheGameAndThePanel) {
  g->Menu(MenuCommand::START);
  move(3, 8, 3, 7);
  g->Menu(MenuCommand::KIFU_READ);
  clearLog();
  g->File1Click("nothing.棋譜");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].title, "棋譜");
  EXPECT_TRUE(rp.panel.fileVisible);
  EXPECT_EQ(g->flags.RecordMode, 0);
  EXPECT_EQ(g->flags.MoveNumber, 1);
  EXPECT_EQ(g->pos.at(3, 7), -HU);
}

TEST_F(FlowRecord, UnwritableFolderIsReportedAndThePanelStays) {
  playThreeMoves();
  fillPanel("game");
  rp.panel.filesPath = (dir / "no_such_folder").string();
  clearLog();
  g->Command1Click();
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].title, "棋譜");
  EXPECT_NE(shown()[0].text, "棋譜を書き込みました");
  EXPECT_TRUE(rp.panel.ioVisible);
  EXPECT_EQ(rp.panel.texts[1], "game");
}

TEST_F(FlowRecord, RecordWithoutEntriesLeavesNoGame) {
  writeFile((dir / "empty.棋譜").string(), "a\r\nb\r\nc\r\n");
  g->File1Click("empty.棋譜");
  EXPECT_TRUE(said("棋譜", "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"));
  EXPECT_EQ(g->flags.Turn, NoTurn);
  EXPECT_EQ(g->flags.RecordMode, 1);
  clearLog();
  press(3, 8);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].kind, RecordingDialogs::Shown::Question);
}

TEST_F(FlowRecord, OverlongRecordIsReadUpToTheHistorysCapacity) {
  History h;
  g->初期設定();
  for (int k = 1; k < History::Capacity; ++k) h.SetEntry(k, g->pos);
  ASSERT_EQ(
      WriteRecord((dir / "long.棋譜").string(), RecordHeader{}, h, History::Capacity - 1).status,
      RecordStatus::Ok);
  std::string bytes = readFile((dir / "long.棋譜").string());
  const std::string entry = FormatEntryLine(h.entries[1]) + "\r\n";
  for (int i = 0; i < 5; ++i) bytes += entry;
  writeFile((dir / "long.棋譜").string(), bytes);

  clearLog();
  g->File1Click("long.棋譜");
  EXPECT_EQ(g->hist.LastSnapshot, History::Capacity - 1);
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[0].title, "棋譜");
  EXPECT_NE(shown()[0].text.find("500"), std::string::npos);
  EXPECT_EQ(shown()[1].text, " 読み込みました");
  EXPECT_EQ(g->flags.Turn, TurnSente);
}

TEST_F(FlowRecord, HeaderPlacementCountsCharactersNotBytes) {
  EXPECT_DOUBLE_EQ(Game::取得_棋譜のX座標("abc"), 1300 + 5 * 615.0);
  EXPECT_DOUBLE_EQ(Game::取得_棋譜のX座標("対局名"), 1300 + 5 * 615.0);
  EXPECT_DOUBLE_EQ(Game::取得_棋譜のX座標(""), 1300 + (13 / 5.0 + 3) * 615.0);
}

}  // namespace
}  // namespace qz::flow_test
