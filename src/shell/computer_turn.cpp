// The computer's turn around its search: clock, thinking caption, playing the
// chosen move, the announcements, and the small blocking waits it uses.
#include "model/control_maps.h"
#include "model/make_move.h"
#include "shell/game.h"
#include "shell/turn_players.h"

namespace qz {

namespace {

// The computer's clock stops; returns the time of its turn up to now.
double StopComputerClock(Game& g) {
  g.SetTimer1(false);
  return Game::調査_経過秒(g.clocks.TurnStartTime, static_cast<float>(g.Now()));
}

// End of the computer's turn: it is charged the time measured when its clock
// stopped (the announcements read since are nobody's time), and the human's
// clock starts.
void HandTurnToHuman(Game& g, double turnTime) {
  g.clocks.TurnElapsed = turnTime;
  g.clocks.UpperClock += turnTime;
  g.clocks.TurnStartTime = static_cast<float>(g.Now());
  g.flags.Turn = g.flags.LowerSideToken;
  if (g.checks.KEIKA) g.SetTimer1(true);
}

}  // namespace

PlayerMove Game::LevelTurnPlayer::Play(const Position&, Side, int, const PlayLimits&,
                                       const std::atomic<bool>*, ThinkObserver*) {
  PlayerMove answer;
  if (!game_.com.Search(&game_)) {
    answer.kind = PlayerMove::Kind::NoMove;
    return answer;
  }
  const BestMoveRecord& b = game_.com.BestMove;
  answer.kind = PlayerMove::Kind::Move;
  answer.move = GameMove{b.fromX, b.fromY, b.toX, b.toY, b.after};
  return answer;
}

void Game::com_ban() {
  if (flags.Winner != NoTurn) return;

  clocks.TurnStartTime = static_cast<float>(Now());
  if (checks.KEIKA) SetTimer1(true);
  消去_思考中();
  描画_思考中();

  // Without room in the history the move could not be stepped back over.
  if (hist.Full()) {
    消去_思考中();
    const double turnTime = StopComputerClock(*this);
    Play(sounds.SndForbidden);
    Message("対局", "これ以上記録できません");
    HandTurnToHuman(*this, turnTime);
    return;
  }

  // The player of the level; the deep levels search nodes instead of time
  // when a node limit is set, levels 1 to 3 ignore the limits.
  LevelTurnPlayer levels(*this);
  DeepTurnPlayer deepLevels(*this);
  Player& player = com.Level >= 4 ? static_cast<Player&>(deepLevels) : levels;
  PlayLimits limits;
  limits.nodes = deep.NodeLimit;
  const PlayerMove answer = player.Play(pos, UE, flags.MoveNumber, limits, nullptr, nullptr);
  if (answer.kind == PlayerMove::Kind::Failed) {
    // The player ended the program while the computer thought.
    消去_思考中();
    StopComputerClock(*this);
    return;
  }
  const bool found = answer.kind == PlayerMove::Kind::Move;
  BestMoveRecord m;
  if (found) {
    const GameMove& chosen = answer.move;
    m.fromX = chosen.fromX;
    m.fromY = chosen.fromY;
    m.toX = chosen.toX;
    m.toY = chosen.toY;
    m.after = chosen.code;
    if (chosen.fromX != UeHandColumn) m.before = pos.Board[chosen.fromX][chosen.fromY];
  }
  if (!found) {
    消去_思考中();
    const double turnTime = StopComputerClock(*this);
    Message("対局", "ｺﾝﾋﾟｭｰﾀは指せる手がありません");
    HandTurnToHuman(*this, turnTime);
    return;
  }
  const bool drop = m.fromX == UeHandColumn;

  clocks.TurnElapsed = 調査_経過秒(clocks.TurnStartTime, static_cast<float>(Now()));
  hist.手順保存(pos, clocks.LowerClock, clocks.LowerClock, clocks.UpperClock,
                clocks.UpperClock + clocks.TurnElapsed);
  ++flags.MoveNumber;

  if (drop)
    描画_駒点滅(m.after, UeHandColumn, 10 - m.fromY, 2);
  else
    描画_駒点滅(m.before, m.fromX, m.fromY, 2);
  駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.after, this);
  if (pos.winner == Victor::Sita) flags.Winner = flags.LowerSideToken;
  if (pos.winner == Victor::Ue) flags.Winner = flags.UpperSideToken;
  消去_思考中();
  待ち時間(0.5);
  Play(sounds.SndPiece);
  描画_手数(flags.MoveNumber);
  ++hist.MoveCount;
  const double turnTime = StopComputerClock(*this);
  // The entry was stored before the blinks and the pause; its after-value
  // must be the total the computer is charged, which the next entry starts from.
  hist.entries[hist.MoveCount - 1].UeAfter = clocks.UpperClock + turnTime;
  hist.KeepPosition(pos, clocks.LowerClock, clocks.UpperClock + turnTime);

  勢力調査(pos, maps);
  const Square king = pos.KingSquare[SITA];
  const bool check = maps.ControlCount[UE][king.x][king.y] > 0;
  // A captured king ends the game whatever the mate test says of the
  // position left behind.
  if (flags.Winner == flags.UpperSideToken) {
    消去_移動結果(flags.UpperSideToken);
    Message("終了", "ｺﾝﾋﾟｭｰﾀの勝ちです");
    flags.Turn = flags.LowerSideToken;
    return;
  }
  if (com.詰めかMAN())
    Message("詰め ?", "よし！!");
  else if (check)
    Message("", "   ** 王手 **");

  描画_移動結果(flags.UpperSideToken, m.toX, m.toY, m.after);
  描画_桝輪郭(ColourLightRed, m.toX, m.toY);

  HandTurnToHuman(*this, turnTime);
}

void Game::待ち時間(double seconds) {
  const double start = Now();
  while (調査_経過秒(start, Now()) <= seconds) ports.time->waitBriefly();
}

void Game::描画_駒点滅(PieceCode piece, int x, int y, int n) {
  for (int i = 0; i < n; ++i) {
    描画_絵(EMPTY, x, y);
    描画_桝輪郭(screen.GridColour, x, y);
    ports.canvas->refresh();
    待ち時間(0.2);
    描画_絵(piece, x, y);
    描画_桝輪郭(screen.GridColour, x, y);
    ports.canvas->refresh();
    待ち時間(0.2);
  }
}

}  // namespace qz
