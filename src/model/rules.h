// Movement, drop and promotion rules. Pseudo-legal: the mover's own king may
// be left attacked. Yes/no answers are 1 and 0.
#pragma once

#include "model/position.h"

namespace qz {

// Whether piece c may move (or be dropped, fromX 12 or -1) to (toX, toY).
// Board(fromX, fromY) is not read: the caller passes the moving piece.
int 移動チェック(const Position& pos, int fromX, int fromY, int toX, int toY, PieceCode c);
int 移動チェック飛車(const Position& pos, int fromX, int fromY, int toX, int toY);
int 移動チェック角(const Position& pos, int fromX, int fromY, int toX, int toY);

// 1 when the move may promote; then promotedCode receives the promoted code.
// On 0 promotedCode is left as it was.
int 調査_駒成(int fromX, int fromY, int toX, int toY, PieceCode c, PieceCode& promotedCode);

// 1 when c may stand unpromoted on row toY, 0 when it must promote there.
int 移動後チェック(int toY, PieceCode c);

// The promoted code of c (one further from zero).
constexpr PieceCode PromotedOf(PieceCode c) { return c < 0 ? c - 1 : c + 1; }

}  // namespace qz
