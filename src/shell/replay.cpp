// Stepping through the history (進, 戻), back to a fresh position (最初) and
// reversing the board (反転).
#include "shell/game.h"

#include "model/reversal.h"

namespace qz {

namespace {

void RedrawRestoredPosition(Game& g) {
  g.描画_所有時間(g.UpperSideToken, g.UpperClock);
  g.描画_所有時間(g.LowerSideToken, g.LowerClock);
  g.描画_自持盤();
  g.描画_敵持盤();
  g.描画_盤();
}

}  // namespace

void Game::AFTER_Click() {
  描画_可視(false, false, false);
  描画_棋譜_IO(1);
  if (Turn == NoTurn) {
    Play(SndForbidden);
    Message("開始", "「対局」で始めて下さい");
    return;
  }
  ResumePending = 1;
  if (hist.MoveCount >= hist.LastSnapshot) {
    if (RecordMode == 1) {
      Message("進む", "終わり");
    } else {
      Play(SndForbidden);
      Message("進む", "できません");
    }
    return;
  }
  消去_思考中();
  InputState = Idle;
  SetTimer1(false);
  描画_将棋盤桝();

  ++hist.MoveCount;
  ++MoveNumber;
  描画_手数(MoveNumber);
  hist.RestoreEntry(pos, hist.MoveCount, true, LowerClock, UpperClock);
  RedrawRestoredPosition(*this);

  const MoveResult moved = hist.調査_移動結果(hist.MoveCount).value_or(MoveResult{});
  Play(SndPiece);
  if (moved.code > 0)
    描画_移動結果(UpperSideToken, moved.x, moved.y, moved.code);
  else
    描画_移動結果(LowerSideToken, moved.x, moved.y, moved.code);
  Turn = -Turn;
  描画_手数(MoveNumber);
}

void Game::REPLAY_Click() {
  描画_可視(false, false, false);
  描画_棋譜_IO(1);
  ResumePending = 1;
  if (hist.MoveCount < 1) {
    Play(SndForbidden);
    Message("戻る", "できません");
    return;
  }
  InputState = Idle;
  SetTimer1(false);
  描画_将棋盤桝();
  消去_思考中();

  hist.RestoreEntry(pos, hist.MoveCount - 1, false, LowerClock, UpperClock);
  RedrawRestoredPosition(*this);
  Play(SndPiece);
  // The move taken back was made by the side not to move now; the entry
  // after it may never have been stored, so it cannot tell.
  消去_移動結果(-Turn);

  --hist.MoveCount;
  --MoveNumber;
  Turn = -Turn;
  描画_手数(MoveNumber);
}

void Game::CANCEL_Click() {
  初期設定();
  Play(SndPiece);
}

void Game::REVERSE_Click() {
  if (RecordMode == 1) {
    Play(SndForbidden);
    Message("反転", "棋譜ﾓｰﾄﾞではできません");
    return;
  }
  Reversed = 1;
  InputState = Idle;

  ReverseArmies(pos);

  画面_再描画();
  描画_手数(MoveNumber);
  if (HandicapSet == 1) {
    HandicapLevel = -HandicapLevel;
    描画_ハンデレベル(HandicapLevel);
  }
  Play(SndPiece);
  Turn = -Turn;
  hist.MoveCount = 0;
  hist.LastSnapshot = 0;
}

}  // namespace qz
