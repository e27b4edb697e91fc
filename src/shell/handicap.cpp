// △ and ▽: removing or restoring one piece of either army before the first
// move, with the caption of the level reached.
#include "shell/game.h"

namespace qz {

namespace {

constexpr int kLowestLevel = -6, kHighestLevel = 6;

struct HandicapSquare {
  int x, y;
  PieceCode up, down;  // what stepping up to / down from the level puts there
};

// One square per level -5..6 (index level + 5); all are starting squares of
// both placements.
constexpr HandicapSquare kSteps[12] = {
    {9, 10, -KEI, EMPTY},    // -5 lower 桂
    {2, 10, -KEI, EMPTY},    // -4 lower 桂
    {10, 10, -KYOU, EMPTY},  // -3 lower 香
    {1, 10, -KYOU, EMPTY},   // -2 lower 香
    {9, 9, -SYA, EMPTY},     // -1 lower 飛
    {2, 9, -KAKU, EMPTY},    //  0 lower 角
    {9, 2, EMPTY, KAKU},     //  1 upper 角
    {2, 2, EMPTY, SYA},      //  2 upper 飛
    {10, 1, EMPTY, KYOU},    //  3 upper 香
    {1, 1, EMPTY, KYOU},     //  4 upper 香
    {9, 1, EMPTY, KEI},      //  5 upper 桂
    {2, 1, EMPTY, KEI},      //  6 upper 桂
};

constexpr const char* kHandicapTitle = "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定";

}  // namespace

void Game::HandicapStep(int direction) {
  描画_可視(false, false, false);
  描画_棋譜_IO(1);

  int refusal = 0;
  if (flags.RecordMode == 1) {
    refusal = 1;
  } else if (hist.MoveCount > 0) {
    refusal = 2;
  } else if (flags.Reversed == 1) {
    refusal = 3;
  }
  if (refusal != 0) {
    Play(sounds.SndForbidden);
    描画_メッセージ(refusal, kHandicapTitle);
    return;
  }

  hist.LastSnapshot = 0;
  const bool up = direction > 0;
  if (up ? flags.HandicapLevel < kHighestLevel : flags.HandicapLevel > kLowestLevel) {
    int level = 0;
    if (up) {
      level = ++flags.HandicapLevel;
    } else {
      level = flags.HandicapLevel--;
    }
    描画_ハンデレベル(flags.HandicapLevel);
    const HandicapSquare& step = kSteps[level + 5];
    const PieceCode code = up ? step.up : step.down;
    pos.Board[step.x][step.y] = code;
    描画_絵(code, step.x, step.y);
    描画_桝輪郭(screen.GridColour, step.x, step.y);
    Play(sounds.SndPiece);
  }
  flags.HandicapSet = 1;
}

}  // namespace qz
