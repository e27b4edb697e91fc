// Saving and reading game records through the record panel.
#include <string>

#include "play/record_file.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace qz {

namespace {

// Characters of a UTF-8 text (continuation bytes do not start one).
long CharacterCount(std::string_view text) {
  long n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string RecordFolder(Game& g) {
  std::string folder = g.ports.panel->filePath();
  return folder.empty() ? g.StartDir : folder;
}

// When the newest entry is the position of a game being played, its
// after-values become the clocks of the moment of saving: the totals so far
// and the time the side to move has spent on its running turn. The next move
// overwrites the entry with that move's own clocks.
void StampClocksOfSaving(Game& g) {
  if (g.hist.MoveCount != g.hist.LastSnapshot || g.flags.RecordMode == 1) return;
  if (g.flags.Turn == NoTurn) return;
  HistoryEntry& e = g.hist.entries[g.hist.LastSnapshot];
  e.SitaAfter = g.clocks.LowerClock;
  e.UeAfter = g.clocks.UpperClock;
  const bool timed = g.flags.Winner == NoTurn && g.flags.ResumePending == 0;
  const bool humanToMove =
      g.flags.GameMode == ModeTwoHumans || g.flags.Turn == g.flags.LowerSideToken;
  if (!timed || !humanToMove) return;
  const double spent = Game::調査_経過秒(g.clocks.TurnStartTime, static_cast<float>(g.Now()));
  if (g.flags.Turn == g.flags.LowerSideToken)
    e.SitaAfter += spent;
  else
    e.UeAfter += spent;
}

}  // namespace

void Game::KIFU_READ_Click() {
  描画_可視(true, true, true);
  描画_棋譜_IO(1);
}

void Game::KIFU_WRITE_Click() {
  if (flags.Reversed == 1) {
    Message("棋譜書込", "反転後は書き込みできません");
    return;
  }
  if (flags.HandicapSet == 1) {
    Message("棋譜書込", "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
    return;
  }
  描画_可視(true, true, false);
  描画_棋譜_IO(0);
}

void Game::WriteRecordFromPanel() {
  RecordPanel& panel = *ports.panel;
  const std::string name = panel.text(1);
  if (name.empty()) {
    Message("  ", "ﾌｧｲﾙ名が入力されていません");
    return;
  }
  if (hist.LastSnapshot < 1) {
    Message("棋譜保存", "保存するデータがありません");
    return;
  }
  // The name is one file name in the chosen folder: a control character
  // would cut it short (and write another file), a separator would reach
  // into another folder.
  if (!IsRecordFileName(name)) {
    Play(sounds.SndForbidden);
    Message("棋譜保存", "ﾌｧｲﾙ名に使えない文字があります");
    return;
  }
  RecordHeader header;
  header.gameName = panel.text(2);
  const bool lowerFirst = flags.LowerSideToken == TurnSente;
  header.upperName = panel.text(lowerFirst ? 4 : 3);
  header.lowerName = panel.text(lowerFirst ? 3 : 4);

  const std::string path = RecordFolder(*this) + "/" + name + RecordExtension;
  StampClocksOfSaving(*this);
  const RecordResult result = WriteRecord(path, header, hist, hist.LastSnapshot);
  if (result.status == RecordStatus::BadHeaderText) {
    Message("棋譜", "対局名または対局者名に保存できない文字があります");
    return;
  }
  if (result.status != RecordStatus::Ok) {
    Message("棋譜", "棋譜ﾌｧｲﾙを作成できません\r" + name + RecordExtension);
    return;
  }
  描画_可視(false, false, false);
  描画_棋譜_IO(1);
  panel.refreshFileList();
  Message("  ", "棋譜を書き込みました");
}

void Game::ReadRecordFile(const std::string& fileName) {
  // The reader leaves the history alone when it fails, so a file that cannot
  // be read costs neither the game on the board nor its history.
  RecordHeader header;
  const std::string path = RecordFolder(*this) + "/" + fileName;
  const RecordResult result = ReadRecord(path, header, hist);
  if (result.status != RecordStatus::Ok && result.status != RecordStatus::NoEntries &&
      result.status != RecordStatus::Truncated) {
    Message("棋譜", "棋譜ﾌｧｲﾙを読み込めません\r" + fileName);
    return;
  }

  描画_可視(false, false, false);
  初期設定();
  flags.RecordMode = 1;

  const int count = result.status == RecordStatus::NoEntries ? 0 : result.entries;
  // Stepping back to the start shows the position the record is replayed from.
  hist.SetEntry(0, pos);

  ports.canvas->drawText(header.gameName, 取得_棋譜のX座標(header.gameName) - 3000, 6350, 12,
                         screen.FontBold, ColourLightRed);
  ports.canvas->drawText(header.upperName, 取得_棋譜のX座標(header.upperName), 100, 12,
                         screen.FontBold, ColourWhite);
  ports.canvas->drawText(header.lowerName, 取得_棋譜のX座標(header.lowerName), 6350, 12,
                         screen.FontBold, ColourWhite);

  hist.MoveCount = 0;
  flags.MoveNumber = 0;
  hist.LastSnapshot = count;
  if (count == 0) {
    Message("棋譜", "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません");
    return;
  }
  if (result.status == RecordStatus::Truncated)
    Message("棋譜",
            "棋譜が長すぎるため、最初の" + std::to_string(count) + "局面までを読み込みました");

  // The lower side moved first unless the second move was the lower side's.
  flags.LowerSideToken = TurnSente;
  flags.UpperSideToken = TurnGote;
  if (count >= 2) {
    const auto second = hist.調査_移動結果(2);
    if (second && IsSita(second->code)) {
      flags.LowerSideToken = TurnGote;
      flags.UpperSideToken = TurnSente;
    }
  }
  Message("棋譜", " 読み込みました");
  Message("棋譜", "棋譜を '進 'で進めて下さい");
  flags.Turn = TurnSente;
}

double Game::取得_棋譜のX座標(std::string_view text) {
  const double length = static_cast<double>(CharacterCount(text));
  return grid::TwipsX((13.0 - length) / 5.0 + 3.0);
}

}  // namespace qz
