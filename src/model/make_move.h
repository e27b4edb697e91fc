// Applying a move that the caller has already found legal.
#pragma once

#include "model/position.h"

namespace qz {

// What 駒移動 repaints, in the order it repaints it. The shell implements this
// over its drawing routines; the model only says what changed.
class MoveView {
 public:
  virtual ~MoveView() = default;
  virtual void drawHand(Side side) = 0;  // 描画_自持盤 / 描画_敵持盤
  virtual void drawPicture(PieceCode code, int x, int y) = 0;  // 描画_絵
  virtual void drawGridOutline(int x, int y) = 0;              // 描画_桝輪郭 in GridColour
};

// Plays a board move or a drop; c is the code that will stand on the target
// (PromotedCode when promoting). A captured piece goes to the captor's hand,
// a captured king records the winner.
void 駒移動(Position& pos, int fromX, int fromY, int toX, int toY, PieceCode c,
            MoveView* view = nullptr);

// Puts a captured piece into the captor's hand (unpromoted) or records the
// winner when it is a king.
void 駒取得(Position& pos, PieceCode captured);

// Rebuilds PawnColumns from the whole board.
void 調査_2歩フラグ設定(Position& pos);

// Sum of a side's positive hand counters.
int 調査_持駒数(const Position& pos, Side side);

}  // namespace qz
