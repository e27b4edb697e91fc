// One notation for a whole move, used by the move list, the hint, the
// analysis and `qzreishogi-cli analyse`: the side's mark (▲ lower army,
// △ upper army), the target square as the last-move display writes it (or
// 同 on a recapture), the piece as it stood before the move, 成/不成 where it
// could promote, 打 for an ambiguous drop, and the origin in parentheses:
// "▲７三歩成(74)", "△同　銀(62)", "▲５五嶺打".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/game_move.h"
#include "model/position.h"
#include "play/history.h"

namespace qz {

// The name of a piece in the notation: the last-move display's names, with
// names of their own for the promoted pieces whose display name would read
// as a promotion ("成香", "成桂", "成銀"), for the promoted 嶺 and 銅 ("成嶺",
// "成銅") and for the horse and dragon ("馬", "龍"). Empty for non-pieces.
std::string NotationPieceName(PieceCode code);

// The move in the notation. `before` is the position the move is made
// from; `previousTarget` the target of the move before it, if any (a move to
// the same square is written 同). The origin (xy) gives the file counted from
// the right and the rank, in ordinary digits: (74), (101) for file 10 rank
// 1, (110) for file 1 rank 10; no two squares read alike.
std::string MoveNotation(const Position& before, const GameMove& move,
                         std::optional<Square> previousTarget = std::nullopt);

// The same preceded by the move number and a blank: "12 △同　銀(62)".
std::string NumberedMoveNotation(int number, const Position& before, const GameMove& move,
                                 std::optional<Square> previousTarget = std::nullopt);

// The move that leads from `before` to `after`: one board move (possibly a
// capture or a promotion) or one drop that the rules allow. nullopt when the
// two positions are not one such move apart.
std::optional<GameMove> MoveBetween(const Position& before, const Position& after);

// The board and hands of a history entry as a position, with the hand
// totals and pawn columns recounted (the king squares are left at 0).
Position PositionOfEntry(const HistoryEntry& entry);

// One move of a game's move list.
struct ListedMove {
  int number = 0;      // as the move number beside the board counts
  bool known = false;  // false: the two positions are not one move apart
  GameMove move;
  Side mover = SITA;
  std::string text;  // "▲７六歩(77)"; "不明" when not known
};

// The positions of the current line of play, oldest first: history entries
// 0..lastSnapshot, then the position on the board when it follows the last
// stored entry (right after a move it is not stored yet).
std::vector<Position> PositionsOfLine(const History& history, const Position& onBoard);

// The moves between consecutive positions of a line, numbered from
// firstNumber.
std::vector<ListedMove> MoveList(const std::vector<Position>& line, int firstNumber = 1);

}  // namespace qz
