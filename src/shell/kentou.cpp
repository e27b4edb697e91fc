// The 検討 menu: a hint from the deep search for the player to move, the
// analysis window shown or hidden, and the move list's way back to a
// position of the game (through 戻 and 進).
#include <algorithm>
#include <atomic>

#include "play/evaluation_graph.h"
#include "play/move_notation.h"
#include "search/searcher.h"
#include "shell/analysis.h"
#include "shell/game.h"

namespace qz {

namespace {

// The hint's frames: yellow, a colour no other frame of the board uses.
constexpr int kHintColour = 14;

// The cell a move's origin is drawn in: the board square, or the hand cell
// of the dropped kind (the upper army's hand runs from row 9 up).
void OriginCell(int fromX, int fromY, int& cellX, int& cellY) {
  cellX = fromX;
  cellY = fromX == UeHandColumn ? 10 - fromY : fromY;
}

// The hint is the full search at LEVEL7's time, whatever the chosen level;
// a fixed node budget when one is set (scripts, tests).
search::Limits HintLimits(const DeepLevels& deep) {
  search::Limits limits;
  if (deep.NodeLimit != 0)
    limits.nodes = deep.NodeLimit;
  else
    limits.movetimeMs = search::SettingsOfLevel(7).movetimeMs;
  return limits;
}

}  // namespace

void Game::ClearHint() {
  if (!hint.Shown) return;
  hint.Shown = false;
  int x = 0, y = 0;
  OriginCell(hint.FromX, hint.FromY, x, y);
  描画_桝輪郭(screen.GridColour, x, y);
  描画_桝輪郭(screen.GridColour, hint.ToX, hint.ToY);
}

void Game::HINT_Click() {
  if (flags.Turn == NoTurn || flags.RecordMode == 1 || flags.Winner != NoTurn) {
    Play(sounds.SndForbidden);
    Message("ヒント", "「対局」で始めて下さい");
    return;
  }
  if (flags.GameMode == ModeComputer && flags.Turn != flags.LowerSideToken) {
    Play(sounds.SndForbidden);
    Message("ヒント", "COMの番です");
    return;
  }
  ClearHint();
  const Side side = flags.Turn == flags.LowerSideToken ? SITA : UE;
  search::Searcher& searcher = DeepSearcher();
  const search::Limits limits = HintLimits(deep);
  // The best move, without the opening's variety.
  const int gamePly = std::max(flags.MoveNumber, search::Searcher::kVarietyPlies);
  const Position position = pos;
  PositionAnalysis found;
  auto work = [&](const std::atomic<bool>& stop) {
    found = AnalysePosition(searcher, position, side, gamePly, limits, &stop);
  };
  auto alive = [this] { Timer1_Timer(); };
  if (ports.thinking != nullptr) {
    if (!ports.thinking->run(work, alive)) return;  // the program is ending
  } else {
    const std::atomic<bool> never{false};
    work(never);
  }
  if (!found.hasBest) {
    Message("ヒント", "指せる手がありません");
    return;
  }
  const GameMove& m = found.best;
  hint = HintState{true, m.fromX, m.fromY, m.toX, m.toY, m.code};
  int x = 0, y = 0;
  OriginCell(m.fromX, m.fromY, x, y);
  描画_桝輪郭(kHintColour, x, y);
  描画_桝輪郭(kHintColour, m.toX, m.toY);
  ports.canvas->refresh();

  const std::string text = MoveNotation(position, m);
  const std::string score = ScoreText(found.evaluation);
  if (ports.analysis != nullptr)
    ports.analysis->showHint(m.fromX, m.fromY, m.toX, m.toY, m.code, text, score);
  if (ports.analysis == nullptr || !checks.ANALYSIS) {
    const int chance = static_cast<int>(WinningChance(found.evaluation) + 0.5);
    Message("ヒント", text + "\r評価値 " + score + "（▲の勝率 " + std::to_string(chance) + "%）");
  }
}

void Game::ANALYSIS_Click() {
  checks.ANALYSIS = !checks.ANALYSIS;
  if (ports.analysis != nullptr) ports.analysis->setShown(checks.ANALYSIS);
}

void Game::ShowPositionAfterMove(int moveIndex) {
  if (moveIndex < 0) return;
  while (hist.MoveCount != moveIndex) {
    const int before = hist.MoveCount;
    if (moveIndex < hist.MoveCount)
      REPLAY_Click();
    else
      AFTER_Click();
    if (hist.MoveCount == before) return;  // refused, with its message
  }
}

void Game::SetAnalysisWindowPlace(int x, int y, int width, int height) {
  auto within = [](int v, int lo) { return v >= lo && v <= 20000; };
  if (!within(width, 200) || !within(height, 150) || !within(x, -20000) || !within(y, -20000))
    return;
  const AnalysisWindowPlace place{true, x, y, width, height};
  if (analysisPlace.Known && analysisPlace.X == x && analysisPlace.Y == y &&
      analysisPlace.Width == width && analysisPlace.Height == height)
    return;
  analysisPlace = place;
  書込_環境設定ファイル();
}

}  // namespace qz
