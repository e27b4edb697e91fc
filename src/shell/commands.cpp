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
  if (Winner != NoTurn) {
    初期設定();
    ports.canvas->refresh();
  }
  RecordMode = 0;
  描画_棋譜読込み部分消去();
  描画_絵(CurrentBackground, -2, 0);
  描画_絵(CurrentBackground, -1, 0);
  描画_絵(CurrentBackground, 0, 0);
  描画_将棋盤桝();
  TurnStartTime = static_cast<float>(Now());
  if (checks.KEIKA) SetTimer1(true);
  GameMode = ModeTwoHumans;
  if (MoveNumber == 0 || Turn == NoTurn) {
    LowerSideToken = TurnSente;
    UpperSideToken = TurnGote;
    Turn = LowerSideToken;
    Message(" ", "先手の番です");
  } else if (Turn == TurnSente) {
    Message(" ", "先手の番です");
  } else if (Turn == TurnGote) {
    Message(" ", "後手の番です");
  }
  ResumePending = 0;
}

void Game::SENTE_Click() {
  if (Winner != NoTurn) 初期設定();
  描画_棋譜読込み部分消去();
  描画_レベル(com.Level);
  描画_将棋盤桝();
  InputState = Idle;
  GameMode = ModeComputer;
  RecordMode = 0;
  CutHistoryHere(*this);
  TurnStartTime = static_cast<float>(Now());
  SetTimer1(true);
  if (MoveNumber == 0 || Turn == NoTurn) {
    StartDeepGame();
    LowerSideToken = TurnSente;
    UpperSideToken = TurnGote;
    Turn = LowerSideToken;
    Message(" ", "MANの番です");
    ResumePending = 0;
  } else if (Turn == LowerSideToken) {
    LowerSideToken = TurnSente;
    UpperSideToken = TurnGote;
    Turn = TurnSente;
    Message("対局", "MANの番です");
    ResumePending = 0;
  } else if (Turn == UpperSideToken) {
    com_ban();
  }
}

void Game::GOTE_Click() {
  if (Winner != NoTurn) 初期設定();
  描画_棋譜読込み部分消去();
  描画_レベル(com.Level);
  描画_将棋盤桝();
  SetTimer1(true);
  InputState = Idle;
  GameMode = ModeComputer;
  RecordMode = 0;
  CutHistoryHere(*this);
  if (MoveNumber == 0 || Turn == NoTurn) {
    StartDeepGame();
    LowerSideToken = TurnGote;
    UpperSideToken = TurnSente;
    Turn = TurnSente;
    com_ban();
  } else if (Turn == LowerSideToken) {
    Message("対局", "MANの番です");
    ResumePending = 0;
  } else if (Turn == UpperSideToken) {
    com_ban();
  }
}

}  // namespace qz
