// A fresh game position, the choice of placement, and the small shared boxes
// and panel switches of the game flow.
#include <string>

#include "model/placement.h"
#include "shell/game.h"

namespace qz {

void Game::初期設定() {
  flags.HandicapLevel = 0;
  flags.HandicapSet = 0;
  flags.GameMode = ModeTwoHumans;
  flags.Winner = NoTurn;
  flags.Turn = NoTurn;
  hist.MoveCount = 0;
  flags.MoveNumber = 0;
  flags.Reversed = 0;
  SetTimer1(false);
  clocks.UpperClock = 0;
  clocks.LowerClock = 0;
  flags.ResumePending = 0;
  flags.RecordMode = 0;
  clocks.LastShownSecond = 0;
  input.InputState = Idle;
  // Entries of an earlier game must not be reachable by stepping forward.
  hist.LastSnapshot = 0;

  SetUpStartingPosition(pos, checks.UREI);
  画面_再描画();
}

void Game::PlacementCommand(bool 右嶺) {
  if (hist.MoveCount > 0) {
    Play(sounds.SndForbidden);
    描画_メッセージ(2, "初期配置");
    return;
  }
  if (flags.Reversed == 1) {
    Play(sounds.SndForbidden);
    描画_メッセージ(3, "初期配置");
    return;
  }
  if (右嶺 ? checks.UREI : checks.SAREI) return;

  設定_盤状態(pos, 右嶺 ? "右嶺" : "左嶺");
  checks.UREI = 右嶺;
  checks.SAREI = !右嶺;
  書込_環境設定ファイル();
  描画_盤();
}

void Game::描画_メッセージ(int reason, std::string_view title) {
  std::string text;
  switch (reason) {
    case 1: text = "棋譜ﾓｰﾄﾞではできません"; break;
    case 2: text = "対局途中ではできません"; break;
    case 3: text = "反転後ではできません"; break;
    default: break;
  }
  text += "\r\r";
  text += "局面→最初にして下さい";
  Message(title, text);
}

void Game::描画_可視(bool drive, bool directory, bool file) {
  ports.panel->setListsVisible(drive, directory, file);
}

void Game::描画_棋譜_IO(int mode) {
  if (mode == 0) {
    ports.panel->setIoVisible(true);
    return;
  }
  // Names typed for one save must not linger into the next.
  for (int box = 1; box <= 4; ++box) ports.panel->setText(box, "");
  ports.panel->setIoVisible(false);
}

void Game::Message(std::string_view title, std::string_view text) {
  ports.dialogs->message(title, text, MessageIcon::None);
}

}  // namespace qz
