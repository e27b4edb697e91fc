// The computer's strength level: the menu entries, its caption and the
// "思考中" notice.
#include "search/searcher.h"
#include "shell/game.h"

namespace qz {

namespace {
constexpr int kMenuLevels = search::kHighestLevel;  // LEVEL1 .. LEVEL8
}  // namespace

void Game::LevelCommand(int n) {
  // Erase the caption first; it is redrawn only in a game against the computer.
  描画_絵(screen.CurrentBackground, -2, 0);
  描画_絵(screen.CurrentBackground, -1, 0);
  描画_絵(screen.CurrentBackground, 0, 0);
  レベル_設定(n);
}

void Game::レベル_設定(int n) {
  if (n < 1 || n > kMenuLevels) return;  // only the menu's entries exist
  checks.LEVEL1 = n == 1;
  checks.LEVEL2 = n == 2;
  checks.LEVEL3 = n == 3;
  checks.LEVEL4 = n == 4;
  checks.LEVEL5 = n == 5;
  checks.LEVEL6 = n == 6;
  checks.LEVEL7 = n == 7;
  checks.LEVEL8 = n == 8;
  com.Level = n;
  if (flags.GameMode == ModeComputer) 描画_レベル(com.Level);
}

void Game::描画_レベル(int n) {
  int text = 0, shadow = 0;
  ChooseTextColours(text, shadow);
  描画_数値(-1.4, 0.2, "LEVEL", shadow, 0, 10);
  描画_数値(-1.5, 0.1, "LEVEL", text, 0, 10);
  描画_数値(0.1, 0.1, n, shadow, 0, 12);
  描画_数値(0, 0, n, text, 0, 12);
}

void Game::描画_思考中() {
  int text = 0, shadow = 0;
  ChooseTextColours(text, shadow);
  描画_数値(-1.5, 10.5, "思考中", shadow, 0, 12);
  描画_数値(-1.6, 10.4, "思考中", text, 0, 12);
  描画_桝輪郭(screen.GridColour, -1, 9);
  描画_桝輪郭(screen.GridColour, 1, 10);
}

}  // namespace qz
