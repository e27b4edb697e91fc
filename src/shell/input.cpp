// The human's mouse input: selecting, guiding, completing a move and handing
// the turn over.
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/mate_com.h"
#include "model/rules.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace qz {

namespace {

bool BelongsToSideToMove(const Game& g, PieceCode c) {
  return (g.flags.Turn == g.flags.LowerSideToken && IsSita(c)) ||
         (g.flags.Turn == g.flags.UpperSideToken && IsUe(c));
}

}  // namespace

void Game::描画_移動可能桝色(int x, int y, int colour, PieceCode piece) {
  描画_将棋盤桝();
  if (flags.GuidanceOn != 1) return;
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

  if (flags.RecordMode == 1) {
    if (!ports.dialogs->askYesNo("棋譜", "棋譜を '進 'で進めて下さい")) {
      Play(sounds.SndForbidden);
      初期設定();
    }
    return;
  }
  if (flags.Winner != NoTurn) {
    Message("終局", "新規に対局してください");
    return;
  }
  const Square cell = grid::CellOfPress(X, Y);
  const int x = cell.x, y = cell.y;
  if (flags.Turn == NoTurn) {
    Play(sounds.SndForbidden);
    Message("開始", "「対局」で始めて下さい");
    return;
  }

  // Announce whose turn it is after a start or a step through the history.
  if (flags.GameMode == ModeTwoHumans) {
    if (flags.ResumePending == 1) {
      flags.ResumePending = 0;
      clocks.TurnStartTime = static_cast<float>(Now());
      if (checks.KEIKA) SetTimer1(true);
      Message("対局", flags.Turn == TurnSente ? "先手の番です" : "後手の番です");
    }
  } else if (flags.Turn == flags.UpperSideToken) {
    flags.ResumePending = 0;
    Message("再開(COM)", "OKですか？");
    com_ban();
    // A computer move that ends the game leaves nothing for this press to do.
    if (flags.Winner != NoTurn) return;
  } else if (flags.Turn == flags.LowerSideToken && flags.ResumePending == 1) {
    flags.ResumePending = 0;
    clocks.TurnStartTime = static_cast<float>(Now());
    if (checks.KEIKA) SetTimer1(true);
    Message("対局", "MANの番です");
  }

  if (OnBoard(x, y)) {
    if (input.InputState == Idle) {
      const PieceCode p = pos.at(x, y);
      if (p == EMPTY) return;
      input.SelFromX = x;
      input.SelFromY = y;
      input.SelPiece = p;
      描画_移動可能桝色(x, y, screen.GuidanceColour, input.SelPiece);
      if (BelongsToSideToMove(*this, p)) {
        描画_桝輪郭(ColourLightRed, x, y);
        input.InputState = PieceSelected;
      } else {
        描画_桝輪郭(screen.GuidanceColour, x, y);
      }
      return;
    }

    input.SelToX = x;
    input.SelToY = y;
    // A piece picked from the other side's hand can only be looked at.
    if ((flags.Turn == flags.LowerSideToken && input.SelFromX == UeHandColumn) ||
        (flags.Turn == flags.UpperSideToken && input.SelFromX == SitaHandColumn)) {
      描画_移動可能桝色(input.SelFromX, input.SelFromY, screen.EraseColour, input.SelPiece);
      描画_桝輪郭(screen.EraseColour, input.SelFromX, input.SelFromY);
      input.InputState = Idle;
      return;
    }
    const PieceCode target = pos.at(x, y);
    if (BelongsToSideToMove(*this, target)) {
      描画_桝輪郭(screen.EraseColour, input.SelFromX, input.SelFromY);
      input.SelFromX = x;
      input.SelFromY = y;
      input.SelPiece = target;
      描画_移動可能桝色(x, y, screen.GuidanceColour, input.SelPiece);
      描画_桝輪郭(ColourLightRed, x, y);
      return;
    }
    if (移動チェック(pos, input.SelFromX, input.SelFromY, x, y, input.SelPiece) != 1) {
      Play(sounds.SndForbidden);
      input.InputState = Idle;
      描画_将棋盤桝();
      return;
    }
    if (移動後チェック(y, input.SelPiece) == 0 && button == LeftButton) {
      Play(sounds.SndForbidden);
      Message("成り", "マウスの右をクリックして下さい");
      return;
    }
    CompleteMove(button);
    return;
  }

  // Outside the board: drop the highlight (not the selection), then pick
  // from a hand.
  if (IsSita(input.SelPiece) || IsUe(input.SelPiece)) {
    描画_移動可能桝色(input.SelFromX, input.SelFromY, screen.EraseColour, input.SelPiece);
    描画_桝輪郭(screen.EraseColour, input.SelFromX, input.SelFromY);
  }
  if (x == SitaHandColumn && y >= 2 && y <= 10 && pos.Hand[SITA][y - 1] > 0) {
    調査_2歩フラグ設定(pos);
    input.InputState = PieceSelected;
    input.SelFromX = x;
    input.SelFromY = y;
    input.SelPiece = UnpromotedCode(SITA, y - 1);
    描画_桝輪郭(flags.Turn == flags.LowerSideToken ? ColourLightRed : screen.GuidanceColour, x, y);
    描画_移動可能桝色(x, y, screen.GuidanceColour, input.SelPiece);
  } else if (x == UeHandColumn && y >= 1 && y <= 9 && pos.Hand[UE][10 - y] > 0) {
    調査_2歩フラグ設定(pos);
    input.InputState = PieceSelected;
    input.SelFromX = x;
    input.SelFromY = y;
    input.SelPiece = UnpromotedCode(UE, 10 - y);
    描画_桝輪郭(flags.Turn == flags.UpperSideToken ? ColourLightRed : screen.GuidanceColour, x, y);
    描画_移動可能桝色(x, y, screen.GuidanceColour, input.SelPiece);
  }
}

void Game::CompleteMove(int button) {
  if (hist.Full()) {
    Play(sounds.SndForbidden);
    Message("対局", "これ以上記録できません");
    return;
  }

  // Bring the turn's time up to date even when the clock timer is not running.
  clocks.TurnElapsed = 調査_経過秒(clocks.TurnStartTime, static_cast<float>(Now()));
  const bool lowerMoves = flags.GameMode == ModeComputer || flags.Turn == flags.LowerSideToken;
  const double lowerAfter = clocks.LowerClock + (lowerMoves ? clocks.TurnElapsed : 0.0);
  const double upperAfter = clocks.UpperClock + (lowerMoves ? 0.0 : clocks.TurnElapsed);
  hist.手順保存(pos, clocks.LowerClock, lowerAfter, clocks.UpperClock, upperAfter);

  ++flags.MoveNumber;
  描画_手数(flags.MoveNumber);

  if (調査_駒成(input.SelFromX, input.SelFromY, input.SelToX, input.SelToY, input.SelPiece,
                input.PromotedCode) == 1 &&
      button == RightButton)
    input.SelPiece = input.PromotedCode;

  input.InputState = Idle;
  描画_桝輪郭(screen.EraseColour, input.SelFromX, input.SelFromY);
  描画_桝輪郭(screen.EraseColour, input.SelToX, input.SelToY);
  描画_移動可能桝色(input.SelFromX, input.SelFromY, screen.EraseColour, input.SelPiece);

  // The upper hand is drawn bottom-up; the move names the hand index.
  if (input.SelFromX < 0) input.SelFromY = 10 - input.SelFromY;

  const PieceCode captured = pos.at(input.SelToX, input.SelToY);
  駒移動(pos, input.SelFromX, input.SelFromY, input.SelToX, input.SelToY, input.SelPiece, this);
  if (pos.winner == Victor::Sita) flags.Winner = flags.LowerSideToken;
  if (pos.winner == Victor::Ue) flags.Winner = flags.UpperSideToken;

  Play(sounds.SndPiece);
  ++hist.MoveCount;
  // The clocks once this turn is charged, as the hand-over below does.
  hist.KeepPosition(pos, lowerAfter, upperAfter);
  描画_移動結果(IsUe(input.SelPiece) ? flags.UpperSideToken : flags.LowerSideToken, input.SelToX,
                input.SelToY, input.SelPiece);

  if (flags.GameMode == ModeComputer) {
    SetTimer1(false);
    clocks.LowerClock += clocks.TurnElapsed;
    勢力調査(pos, maps);
    const int mated = 詰めかCOM(pos, maps);
    if (captured == OU || mated == 1) {
      flags.Winner = flags.LowerSideToken;
      Message("終了", "あなたの勝ちです");
      return;
    }
    flags.Turn = flags.UpperSideToken;
    com_ban();
    return;
  }

  if (flags.Winner == TurnSente) Message("終了", "先手の勝ちです");
  if (flags.Winner == TurnGote) Message("終了", "後手の勝ちです");
  if (flags.Turn == flags.LowerSideToken)
    clocks.LowerClock += clocks.TurnElapsed;
  else
    clocks.UpperClock += clocks.TurnElapsed;
  flags.Turn = -flags.Turn;
  clocks.TurnStartTime = static_cast<float>(Now());
}

}  // namespace qz
