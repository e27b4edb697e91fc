// The notation of whole moves and the move list of a line of play.
#include "play/move_notation.h"

#include "model/make_move.h"
#include "model/rules.h"
#include "play/notation.h"

namespace qz {

namespace {

// "(74)": the file counted from the right, then the rank.
std::string OriginText(int x, int y) {
  return "(" + std::to_string(11 - x) + std::to_string(y) + ")";
}

// A name of one character (three bytes of UTF-8) is followed by a full-width
// blank after 同, as the lines of a move list line up.
bool IsOneCharacter(const std::string& text) {
  return text.size() == 3 && static_cast<unsigned char>(text[0]) >= 0xE0;
}

// Whether a piece of the same kind on the mover's board could reach the
// square a drop goes to.
bool BoardPieceReaches(const Position& before, PieceCode dropped, int toX, int toY) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (before.Board[x][y] == dropped && 移動チェック(before, x, y, toX, toY, dropped) == 1)
        return true;
  return false;
}

}  // namespace

std::string NotationPieceName(PieceCode code) {
  switch (Abs(code)) {
    case KYOU + 1: return "成香";
    case KEI + 1: return "成桂";
    case REI + 1: return "成嶺";
    case GIN + 1: return "成銀";
    case DOU + 1: return "成銅";
    case KAKU + 1: return "馬";
    case SYA + 1: return "龍";
    default: return code >= -OU && code <= OU ? 文字列変換(code) : "";
  }
}

std::string MoveNotation(const Position& before, const GameMove& move,
                         std::optional<Square> previousTarget) {
  const bool drop = IsDropOrigin(move.fromX);
  const PieceCode piece = drop ? move.code : before.Board[move.fromX][move.fromY];
  std::string text = IsSita(move.code) ? "▲" : "△";
  const std::string name = NotationPieceName(piece);
  if (previousTarget && *previousTarget == Square{move.toX, move.toY}) {
    text += "同";
    if (IsOneCharacter(name)) text += "　";
  } else {
    text += 文字列変換(2000 + 11 - move.toX) + 文字列変換(1000 + move.toY);
  }
  text += name;
  if (drop) {
    if (BoardPieceReaches(before, move.code, move.toX, move.toY)) text += "打";
    return text;
  }
  PieceCode promoted = piece;
  if (調査_駒成(move.fromX, move.fromY, move.toX, move.toY, piece, promoted) == 1)
    text += move.code != piece ? "成" : "不成";
  return text + OriginText(move.fromX, move.fromY);
}

std::string NumberedMoveNotation(int number, const Position& before, const GameMove& move,
                                 std::optional<Square> previousTarget) {
  return std::to_string(number) + " " + MoveNotation(before, move, previousTarget);
}

std::optional<GameMove> MoveBetween(const Position& before, const Position& after) {
  Square changed[3];
  int count = 0;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (before.Board[x][y] != after.Board[x][y]) {
        if (count == 2) return std::nullopt;
        changed[count++] = Square{x, y};
      }
  GameMove move;
  if (count == 1) {
    // A drop: an empty square receives an unpromoted piece from the hand.
    const Square to = changed[0];
    const PieceCode code = after.Board[to.x][to.y];
    const int kind = HandIndex(code);
    if (before.Board[to.x][to.y] != EMPTY || kind == 0) return std::nullopt;
    const Side side = IsSita(code) ? SITA : UE;
    if (code != UnpromotedCode(side, kind) || before.Hand[side][kind] < 1) return std::nullopt;
    const Square from = DropOrigin(side, kind);
    move = GameMove{from.x, from.y, to.x, to.y, code};
  } else if (count == 2) {
    // A board move: one square empties, the other receives the piece.
    Square from = changed[0], to = changed[1];
    if (after.Board[from.x][from.y] != EMPTY) std::swap(from, to);
    if (after.Board[from.x][from.y] != EMPTY) return std::nullopt;
    const PieceCode piece = before.Board[from.x][from.y];
    const PieceCode code = after.Board[to.x][to.y];
    if (piece == EMPTY) return std::nullopt;
    if (code != piece && !(code == PromotedOf(piece) && HandIndex(piece) != 0 &&
                           調査_駒成(from.x, from.y, to.x, to.y, piece, move.code) == 1))
      return std::nullopt;
    move = GameMove{from.x, from.y, to.x, to.y, code};
  } else {
    return std::nullopt;
  }
  if (移動チェック(before, move.fromX, move.fromY, move.toX, move.toY,
                   IsDropOrigin(move.fromX) ? move.code : before.Board[move.fromX][move.fromY]) !=
      1)
    return std::nullopt;
  // The hands must agree with what the move did: a capture adds its kind to
  // the mover's hand, a drop takes one away, nothing else changes.
  Position played = before;
  駒移動(played, move.fromX, move.fromY, move.toX, move.toY, move.code);
  for (int side = SITA; side <= UE; ++side)
    for (int i = 1; i <= HandKinds; ++i)
      if (played.Hand[side][i] != after.Hand[side][i]) return std::nullopt;
  return move;
}

Position PositionOfEntry(const HistoryEntry& entry) {
  Position pos;
  CopyBoardAndHands(entry, pos);
  調査_2歩フラグ設定(pos);
  return pos;
}

std::vector<Position> PositionsOfLine(const History& history, const Position& onBoard) {
  std::vector<Position> line;
  const int last = history.LastSnapshot < 0                    ? -1
                   : history.LastSnapshot >= History::Capacity ? History::Capacity - 1
                                                               : history.LastSnapshot;
  line.reserve(static_cast<std::size_t>(last + 2));
  for (int k = 0; k <= last; ++k) line.push_back(PositionOfEntry(history.entries[k]));
  if (history.MoveCount == last + 1) {
    Position board = onBoard;
    board.HandTotal[SITA] = 調査_持駒数(board, SITA);
    board.HandTotal[UE] = 調査_持駒数(board, UE);
    調査_2歩フラグ設定(board);
    line.push_back(board);
  }
  return line;
}

std::vector<ListedMove> MoveList(const std::vector<Position>& line, int firstNumber) {
  std::vector<ListedMove> list;
  if (line.size() < 2) return list;
  list.reserve(line.size() - 1);
  std::optional<Square> previous;
  for (std::size_t i = 1; i < line.size(); ++i) {
    ListedMove entry;
    entry.number = firstNumber + static_cast<int>(i) - 1;
    if (auto m = MoveBetween(line[i - 1], line[i])) {
      entry.known = true;
      entry.move = *m;
      entry.mover = IsSita(m->code) ? SITA : UE;
      entry.text = MoveNotation(line[i - 1], *m, previous);
      previous = Square{m->toX, m->toY};
    } else {
      entry.text = "不明";
      previous.reset();
    }
    list.push_back(entry);
  }
  return list;
}

}  // namespace qz
