// Starting or continuing a game: two humans (スタート), the human first (先手)
// or the computer first (後手).
#include <algorithm>

#include "shell/game.h"

namespace qz {

namespace {

// Continuing from the present position overwrites what followed it; entries
// that were never stored in this line of play are not made reachable.
void CutHistoryHere(Game& g) {
  g.hist.LastSnapshot = std::min(g.hist.LastSnapshot, g.hist.MoveCount);
}

}  // namespace

void Game::START_Click() {
  if (flags.Winner != NoTurn) {
    初期設定();
    ports.canvas->refresh();
  }
  flags.RecordMode = 0;
  描画_棋譜読込み部分消去();
  描画_絵(screen.CurrentBackground, -2, 0);
  描画_絵(screen.CurrentBackground, -1, 0);
  描画_絵(screen.CurrentBackground, 0, 0);
  描画_将棋盤桝();
  clocks.TurnStartTime = static_cast<float>(Now());
  if (checks.KEIKA) SetTimer1(true);
  flags.GameMode = ModeTwoHumans;
  if (flags.MoveNumber == 0 || flags.Turn == NoTurn) {
    flags.LowerSideToken = TurnSente;
    flags.UpperSideToken = TurnGote;
    flags.Turn = flags.LowerSideToken;
    Message(" ", "先手の番です");
  } else if (flags.Turn == TurnSente) {
    Message(" ", "先手の番です");
  } else if (flags.Turn == TurnGote) {
    Message(" ", "後手の番です");
  }
  flags.ResumePending = 0;
}

void Game::SENTE_Click() {
  if (flags.Winner != NoTurn) 初期設定();
  描画_棋譜読込み部分消去();
  描画_レベル(com.Level);
  描画_将棋盤桝();
  input.InputState = Idle;
  flags.GameMode = ModeComputer;
  flags.RecordMode = 0;
  CutHistoryHere(*this);
  clocks.TurnStartTime = static_cast<float>(Now());
  SetTimer1(true);
  if (flags.MoveNumber == 0 || flags.Turn == NoTurn) {
    StartDeepGame();
    flags.LowerSideToken = TurnSente;
    flags.UpperSideToken = TurnGote;
    flags.Turn = flags.LowerSideToken;
    Message(" ", "MANの番です");
    flags.ResumePending = 0;
  } else if (flags.Turn == flags.LowerSideToken) {
    flags.LowerSideToken = TurnSente;
    flags.UpperSideToken = TurnGote;
    flags.Turn = TurnSente;
    Message("対局", "MANの番です");
    flags.ResumePending = 0;
  } else if (flags.Turn == flags.UpperSideToken) {
    com_ban();
  }
}

void Game::GOTE_Click() {
  if (flags.Winner != NoTurn) 初期設定();
  描画_棋譜読込み部分消去();
  描画_レベル(com.Level);
  描画_将棋盤桝();
  SetTimer1(true);
  input.InputState = Idle;
  flags.GameMode = ModeComputer;
  flags.RecordMode = 0;
  CutHistoryHere(*this);
  if (flags.MoveNumber == 0 || flags.Turn == NoTurn) {
    StartDeepGame();
    flags.LowerSideToken = TurnGote;
    flags.UpperSideToken = TurnSente;
    flags.Turn = TurnSente;
    com_ban();
  } else if (flags.Turn == flags.LowerSideToken) {
    Message("対局", "MANの番です");
    flags.ResumePending = 0;
  } else if (flags.Turn == flags.UpperSideToken) {
    com_ban();
  }
}

}  // namespace qz
