// Random pseudo-legal play for the comparison tests: games that reach many
// kinds of positions, hands included.
#pragma once

#include <random>

#include "model/make_move.h"
#include "model/rules.h"

namespace qz::test {

// Plays one random pseudo-legal move of `side`, board move or drop; false
// when it has none. Promotion is taken at random where it is allowed.
inline bool PlayRandomMove(Position& pos, Side side, std::mt19937& rng) {
  struct Move {
    int fx, fy, tx, ty;
    PieceCode code;
  };
  static Move moves[4000];
  int n = 0;
  調査_2歩フラグ設定(pos);
  const int sign = side == SITA ? -1 : 1;
  for (int fx = 1; fx <= 10; ++fx)
    for (int fy = 1; fy <= 10; ++fy) {
      const PieceCode c = pos.Board[fx][fy];
      if (c == EMPTY || (c < 0) != (side == SITA)) continue;
      for (int tx = 1; tx <= 10; ++tx)
        for (int ty = 1; ty <= 10; ++ty)
          if (移動チェック(pos, fx, fy, tx, ty, c) == 1 && n < 4000) moves[n++] = {fx, fy, tx, ty, c};
    }
  const int handColumn = side == SITA ? SitaHandColumn : UeHandColumn;
  for (int k = 1; k <= HandKinds; ++k) {
    if (pos.Hand[side][k] < 1) continue;
    const PieceCode c = sign * HandKindCode[k];
    for (int tx = 1; tx <= 10; ++tx)
      for (int ty = 1; ty <= 10; ++ty)
        if (移動チェック(pos, handColumn, 0, tx, ty, c) == 1 && n < 4000)
          moves[n++] = {handColumn, side == SITA ? k + 1 : k, tx, ty, c};
  }
  if (n == 0) return false;
  // Captures are taken more often than chance would give, so hands fill.
  std::uniform_int_distribution<int> pick(0, n - 1);
  Move mv = moves[pick(rng)];
  for (int tries = 0; tries < 3 && pos.Board[mv.tx][mv.ty] == EMPTY; ++tries) mv = moves[pick(rng)];
  PieceCode after = mv.code;
  PieceCode promoted = EMPTY;
  if (調査_駒成(mv.fx, mv.fy, mv.tx, mv.ty, mv.code, promoted) == 1 &&
      (移動後チェック(mv.ty, mv.code) == 0 || std::uniform_int_distribution<int>(0, 1)(rng) == 1))
    after = promoted;
  駒移動(pos, mv.fx, mv.fy, mv.tx, mv.ty, after);
  return true;
}

}  // namespace qz::test
