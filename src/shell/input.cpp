// The human's mouse input: selecting, guiding, completing a move and handing
// the turn over.
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/mate_com.h"
#include "model/rules.h"
#include "shell/grid.h"
#include "shell/game.h"

namespace qz {

namespace {

bool BelongsToSideToMove(const Game& g, PieceCode c) {
  return (g.Turn == g.LowerSideToken && IsSita(c)) || (g.Turn == g.UpperSideToken && IsUe(c));
}

}  // namespace

void Game::描画_移動可能桝色(int x, int y, int colour, PieceCode piece) {
  描画_将棋盤桝();
  if (GuidanceOn != 1) return;
  for (int i = 1; i <= 10; ++i)
    for (int j = 1; j <= 10; ++j)
      if (移動チェック(pos, x, y, i, j, piece) == 1) 描画_桝輪郭(colour, i, j);
}

void Game::Form_MouseDown(int button, int shift, int X, int Y) {
  (void)shift;
  // Only the left and right buttons mean anything on the board.
  if (button != LeftButton && button != RightButton) return;

  描画_可視(false, false, false);
  描画_棋譜_IO(1);

  if (RecordMode == 1) {
    if (!ports.dialogs->askYesNo("棋譜", "棋譜を '進 'で進めて下さい")) {
      Play(SndForbidden);
      初期設定();
    }
    return;
  }
  if (Winner != NoTurn) {
    Message("終局", "新規に対局してください");
    return;
  }
  const Square cell = grid::CellOfPress(X, Y);
  const int x = cell.x, y = cell.y;
  if (Turn == NoTurn) {
    Play(SndForbidden);
    Message("開始", "「対局」で始めて下さい");
    return;
  }

  // Announce whose turn it is after a start or a step through the history.
  if (GameMode == ModeTwoHumans) {
    if (ResumePending == 1) {
      ResumePending = 0;
      TurnStartTime = static_cast<float>(Now());
      if (checks.KEIKA) SetTimer1(true);
      Message("対局", Turn == TurnSente ? "先手の番です" : "後手の番です");
    }
  } else if (Turn == UpperSideToken) {
    ResumePending = 0;
    Message("再開(COM)", "OKですか？");
    com_ban();
    // A computer move that ends the game leaves nothing for this press to do.
    if (Winner != NoTurn) return;
  } else if (Turn == LowerSideToken && ResumePending == 1) {
    ResumePending = 0;
    TurnStartTime = static_cast<float>(Now());
    if (checks.KEIKA) SetTimer1(true);
    Message("対局", "MANの番です");
  }

  if (OnBoard(x, y)) {
    if (InputState == Idle) {
      const PieceCode p = pos.at(x, y);
      if (p == EMPTY) return;
      SelFromX = x;
      SelFromY = y;
      SelPiece = p;
      描画_移動可能桝色(x, y, GuidanceColour, SelPiece);
      if (BelongsToSideToMove(*this, p)) {
        描画_桝輪郭(ColourLightRed, x, y);
        InputState = PieceSelected;
      } else {
        描画_桝輪郭(GuidanceColour, x, y);
      }
      return;
    }

    SelToX = x;
    SelToY = y;
    // A piece picked from the other side's hand can only be looked at.
    if ((Turn == LowerSideToken && SelFromX == UeHandColumn) ||
        (Turn == UpperSideToken && SelFromX == SitaHandColumn)) {
      描画_移動可能桝色(SelFromX, SelFromY, EraseColour, SelPiece);
      描画_桝輪郭(EraseColour, SelFromX, SelFromY);
      InputState = Idle;
      return;
    }
    const PieceCode target = pos.at(x, y);
    if (BelongsToSideToMove(*this, target)) {
      描画_桝輪郭(EraseColour, SelFromX, SelFromY);
      SelFromX = x;
      SelFromY = y;
      SelPiece = target;
      描画_移動可能桝色(x, y, GuidanceColour, SelPiece);
      描画_桝輪郭(ColourLightRed, x, y);
      return;
    }
    if (移動チェック(pos, SelFromX, SelFromY, x, y, SelPiece) != 1) {
      Play(SndForbidden);
      InputState = Idle;
      描画_将棋盤桝();
      return;
    }
    if (移動後チェック(y, SelPiece) == 0 && button == LeftButton) {
      Play(SndForbidden);
      Message("成り", "マウスの右をクリックして下さい");
      return;
    }
    CompleteMove(button);
    return;
  }

  // Outside the board: drop the highlight (not the selection), then pick
  // from a hand.
  if (IsSita(SelPiece) || IsUe(SelPiece)) {
    描画_移動可能桝色(SelFromX, SelFromY, EraseColour, SelPiece);
    描画_桝輪郭(EraseColour, SelFromX, SelFromY);
  }
  if (x == SitaHandColumn && y >= 2 && y <= 10 && pos.Hand[SITA][y - 1] > 0) {
    調査_2歩フラグ設定(pos);
    InputState = PieceSelected;
    SelFromX = x;
    SelFromY = y;
    SelPiece = UnpromotedCode(SITA, y - 1);
    描画_桝輪郭(Turn == LowerSideToken ? ColourLightRed : GuidanceColour, x, y);
    描画_移動可能桝色(x, y, GuidanceColour, SelPiece);
  } else if (x == UeHandColumn && y >= 1 && y <= 9 && pos.Hand[UE][10 - y] > 0) {
    調査_2歩フラグ設定(pos);
    InputState = PieceSelected;
    SelFromX = x;
    SelFromY = y;
    SelPiece = UnpromotedCode(UE, 10 - y);
    描画_桝輪郭(Turn == UpperSideToken ? ColourLightRed : GuidanceColour, x, y);
    描画_移動可能桝色(x, y, GuidanceColour, SelPiece);
  }
}

void Game::CompleteMove(int button) {
  if (hist.Full()) {
    Play(SndForbidden);
    Message("対局", "これ以上記録できません");
    return;
  }

  // Bring the turn's time up to date even when the clock timer is not running.
  TurnElapsed = 調査_経過秒(TurnStartTime, static_cast<float>(Now()));
  const bool lowerMoves = GameMode == ModeComputer || Turn == LowerSideToken;
  const double lowerAfter = LowerClock + (lowerMoves ? TurnElapsed : 0.0);
  const double upperAfter = UpperClock + (lowerMoves ? 0.0 : TurnElapsed);
  hist.手順保存(pos, LowerClock, lowerAfter, UpperClock, upperAfter);

  ++MoveNumber;
  描画_手数(MoveNumber);

  if (調査_駒成(SelFromX, SelFromY, SelToX, SelToY, SelPiece, PromotedCode) == 1 &&
      button == RightButton)
    SelPiece = PromotedCode;

  InputState = Idle;
  描画_桝輪郭(EraseColour, SelFromX, SelFromY);
  描画_桝輪郭(EraseColour, SelToX, SelToY);
  描画_移動可能桝色(SelFromX, SelFromY, EraseColour, SelPiece);

  // The upper hand is drawn bottom-up; the move names the hand index.
  if (SelFromX < 0) SelFromY = 10 - SelFromY;

  const PieceCode captured = pos.at(SelToX, SelToY);
  駒移動(pos, SelFromX, SelFromY, SelToX, SelToY, SelPiece, this);
  if (pos.winner == Victor::Sita) Winner = LowerSideToken;
  if (pos.winner == Victor::Ue) Winner = UpperSideToken;

  Play(SndPiece);
  ++hist.MoveCount;
  描画_移動結果(IsUe(SelPiece) ? UpperSideToken : LowerSideToken, SelToX, SelToY, SelPiece);

  if (GameMode == ModeComputer) {
    SetTimer1(false);
    LowerClock += TurnElapsed;
    勢力調査(pos, maps);
    const int mated = 詰めかCOM(pos, maps);
    if (captured == OU || mated == 1) {
      Winner = LowerSideToken;
      Message("終了", "あなたの勝ちです");
      return;
    }
    Turn = UpperSideToken;
    com_ban();
    return;
  }

  if (Winner == TurnSente) Message("終了", "先手の勝ちです");
  if (Winner == TurnGote) Message("終了", "後手の勝ちです");
  if (Turn == LowerSideToken)
    LowerClock += TurnElapsed;
  else
    UpperClock += TurnElapsed;
  Turn = -Turn;
  TurnStartTime = static_cast<float>(Now());
}

}  // namespace qz
