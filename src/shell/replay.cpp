// Stepping through the history (進, 戻), back to a fresh position (最初) and
// reversing the board (反転).
#include "model/reversal.h"
#include "shell/game.h"

namespace qz {

namespace {

void RedrawRestoredPosition(Game& g) {
  g.描画_所有時間(g.flags.UpperSideToken, g.clocks.UpperClock);
  g.描画_所有時間(g.flags.LowerSideToken, g.clocks.LowerClock);
  g.描画_自持盤();
  g.描画_敵持盤();
  g.描画_盤();
}

// A turn is being timed while a game runs, nobody has won and play has not
// been left waiting for a press after a step through the history.
bool TurnIsTimed(const Game& g) {
  return g.flags.Turn != NoTurn && g.flags.Winner == NoTurn && g.flags.ResumePending == 0;
}

// Against the computer only the human's turns run outside its search.
bool HumanToMove(const Game& g) {
  return g.flags.GameMode == ModeTwoHumans || g.flags.Turn == g.flags.LowerSideToken;
}

// Before the armies change places: the side thinking keeps the time it has
// spent, so its clock shows the same total after the reversal.
void ChargeTurnBeforeReversal(Game& g) {
  if (!TurnIsTimed(g) || !HumanToMove(g)) return;
  const double spent = Game::調査_経過秒(g.clocks.TurnStartTime, static_cast<float>(g.Now()));
  if (g.flags.Turn == g.flags.LowerSideToken)
    g.clocks.LowerClock += spent;
  else
    g.clocks.UpperClock += spent;
}

// After: the turn's timing starts again for the side now to move. The
// computer's clock stays still until the press that sets it thinking, which
// starts its own timing; a human's runs from now.
void RestartTurnAfterReversal(Game& g) {
  if (!TurnIsTimed(g)) return;
  g.clocks.TurnStartTime = static_cast<float>(g.Now());
  g.clocks.TurnElapsed = 0;
  g.clocks.LastShownSecond = 0;
  if (!HumanToMove(g))
    g.SetTimer1(false);
  else if (g.checks.KEIKA)
    g.SetTimer1(true);
}

}  // namespace

void Game::AFTER_Click() {
  描画_可視(false, false, false);
  描画_棋譜_IO(1);
  if (flags.Turn == NoTurn) {
    Play(sounds.SndForbidden);
    Message("開始", "「対局」で始めて下さい");
    return;
  }
  flags.ResumePending = 1;
  if (hist.MoveCount >= hist.LastSnapshot) {
    if (flags.RecordMode == 1) {
      Message("進む", "終わり");
    } else {
      Play(sounds.SndForbidden);
      Message("進む", "できません");
    }
    return;
  }
  消去_思考中();
  input.InputState = Idle;
  SetTimer1(false);
  描画_将棋盤桝();

  ++hist.MoveCount;
  ++flags.MoveNumber;
  描画_手数(flags.MoveNumber);
  hist.RestoreEntry(pos, hist.MoveCount, true, clocks.LowerClock, clocks.UpperClock);
  RedrawRestoredPosition(*this);

  const MoveResult moved = hist.調査_移動結果(hist.MoveCount).value_or(MoveResult{});
  Play(sounds.SndPiece);
  if (moved.code > 0)
    描画_移動結果(flags.UpperSideToken, moved.x, moved.y, moved.code);
  else
    描画_移動結果(flags.LowerSideToken, moved.x, moved.y, moved.code);
  flags.Turn = -flags.Turn;
  描画_手数(flags.MoveNumber);
}

void Game::REPLAY_Click() {
  描画_可視(false, false, false);
  描画_棋譜_IO(1);
  flags.ResumePending = 1;
  if (hist.MoveCount < 1) {
    Play(sounds.SndForbidden);
    Message("戻る", "できません");
    return;
  }
  input.InputState = Idle;
  SetTimer1(false);
  描画_将棋盤桝();
  消去_思考中();

  hist.RestoreEntry(pos, hist.MoveCount - 1, false, clocks.LowerClock, clocks.UpperClock);
  RedrawRestoredPosition(*this);
  Play(sounds.SndPiece);
  // The move taken back was made by the side not to move now; a record
  // written before the final position was kept may lack the entry after it.
  消去_移動結果(-flags.Turn);

  --hist.MoveCount;
  --flags.MoveNumber;
  flags.Turn = -flags.Turn;
  描画_手数(flags.MoveNumber);
}

void Game::CANCEL_Click() {
  初期設定();
  Play(sounds.SndPiece);
}

void Game::REVERSE_Click() {
  if (flags.RecordMode == 1) {
    Play(sounds.SndForbidden);
    Message("反転", "棋譜ﾓｰﾄﾞではできません");
    return;
  }
  flags.Reversed = 1;
  input.InputState = Idle;
  ChargeTurnBeforeReversal(*this);

  ReverseArmies(pos);

  画面_再描画();
  描画_手数(flags.MoveNumber);
  if (flags.HandicapSet == 1) {
    flags.HandicapLevel = -flags.HandicapLevel;
    描画_ハンデレベル(flags.HandicapLevel);
  }
  Play(sounds.SndPiece);
  flags.Turn = -flags.Turn;
  RestartTurnAfterReversal(*this);
  hist.MoveCount = 0;
  hist.LastSnapshot = 0;
}

}  // namespace qz
