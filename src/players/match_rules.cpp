#include "players/match_rules.h"

#include "model/make_move.h"
#include "model/movegen.h"
#include "model/rules.h"

namespace qz {

namespace {

bool Owns(Side side, PieceCode c) { return side == SITA ? IsSita(c) : IsUe(c); }

}  // namespace

bool KingCaptured(const Position& pos) {
  bool lower = false, upper = false;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) {
      lower = lower || pos.Board[x][y] == -OU;
      upper = upper || pos.Board[x][y] == OU;
    }
  return !(lower && upper);
}

void ListMoves(const Position& pos, Side side, MoveBuffer& out) {
  static_assert(MoveBuffer::Capacity >= kMaxMoves);
  out.size = KingCaptured(pos) ? 0 : ::qz::ListMoves(pos, side, out.moves);
}

std::string RefusalOf(const Position& posIn, Side side, const GameMove& m) {
  if (KingCaptured(posIn)) return "the game is over";
  if (!OnBoard(m.toX, m.toY)) return "target off the board";
  Position pos = posIn;
  調査_2歩フラグ設定(pos);
  if (const int hand = HandIndexOfDropOrigin(m.fromX, m.fromY); hand != 0) {
    const Square origin = DropOrigin(side, hand);
    if (m.fromX != origin.x || m.fromY != origin.y || m.code != UnpromotedCode(side, hand))
      return "not a drop of the mover";
    if (pos.Hand[side][hand] < 1) return "no such piece in hand";
    if (移動チェック(pos, m.fromX, m.fromY, m.toX, m.toY, m.code) != 1) return "drop not allowed";
    return {};
  }
  if (!OnBoard(m.fromX, m.fromY)) return "start off the board";
  const PieceCode piece = pos.Board[m.fromX][m.fromY];
  if (!Owns(side, piece)) return "no piece of the mover on the start";
  if (移動チェック(pos, m.fromX, m.fromY, m.toX, m.toY, piece) != 1) return "move not allowed";
  PieceCode promoted = EMPTY;
  const bool mayPromote = 調査_駒成(m.fromX, m.fromY, m.toX, m.toY, piece, promoted) == 1;
  if (m.code == piece) {
    if (mayPromote && 移動後チェック(m.toY, piece) != 1) return "the piece must promote there";
    return {};
  }
  if (mayPromote && m.code == promoted) return {};
  return "promotion not allowed";
}

}  // namespace qz
