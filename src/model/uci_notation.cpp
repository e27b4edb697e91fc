#include "model/uci_notation.h"

#include <cctype>

#include "model/fast_position.h"
#include "model/make_move.h"
#include "model/rules.h"

namespace qz {

namespace {

// Letter of each unpromoted magnitude; the promoted bishop and rook also
// have letters of their own, which are read but never written.
struct KindLetter {
  PieceCode magnitude;
  char letter;
};
constexpr KindLetter kLetters[] = {
    {HU, 'p'},  {KYOU, 'l'}, {KEI, 'n'}, {REI, 'm'}, {GIN, 's'},      {KIN, 'g'},
    {DOU, 'c'}, {KAKU, 'b'}, {SYA, 'r'}, {OU, 'k'},  {KAKU + 1, 'h'}, {SYA + 1, 'd'},
};

constexpr bool Promotable(PieceCode magnitude) {
  switch (magnitude) {
    case HU:
    case KYOU:
    case KEI:
    case REI:
    case GIN:
    case DOU:
    case KAKU:
    case SYA: return true;
    default: return false;
  }
}

PieceCode MagnitudeOfLetter(char c) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const KindLetter& k : kLetters)
    if (k.letter == lower) return k.magnitude;
  return EMPTY;
}

// Reads "a10"-style square names; advances i past the square.
bool ReadSquare(std::string_view text, size_t& i, int& x, int& y) {
  if (i >= text.size() || text[i] < 'a' || text[i] > 'j') return false;
  x = text[i++] - 'a' + 1;
  int rank = 0, digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 2) {
    rank = rank * 10 + (text[i++] - '0');
    ++digits;
  }
  if (digits == 0 || rank < 1 || rank > 10) return false;
  y = 11 - rank;
  return true;
}

}  // namespace

std::string SquareName(int x, int y) {
  std::string name(1, static_cast<char>('a' + x - 1));
  name += std::to_string(11 - y);
  return name;
}

std::string PieceLetters(PieceCode code) {
  const PieceCode m = Abs(code);
  const bool promoted = Promotable(m - 1);
  const PieceCode base = promoted ? m - 1 : m;
  char letter = '?';
  for (const KindLetter& k : kLetters)
    if (k.magnitude == base) letter = k.letter;
  if (IsSita(code)) letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  std::string out;
  if (promoted) out.push_back('+');
  out.push_back(letter);
  return out;
}

std::string MoveToUci(const Position& before, const GameMove& move) {
  const int hand = HandIndexOfDropOrigin(move.fromX, move.fromY);
  if (hand != 0) {
    const char letter = static_cast<char>(
        std::toupper(static_cast<unsigned char>(PieceLetters(HandKindCode[hand]).back())));
    std::string text{letter, '@'};
    text += SquareName(move.toX, move.toY);
    return text;
  }
  std::string text = SquareName(move.fromX, move.fromY) + SquareName(move.toX, move.toY);
  if (OnBoard(move.fromX, move.fromY) && move.code != before.Board[move.fromX][move.fromY])
    text += "+";
  return text;
}

std::string MovesToUci(const Position& before, const GameMove* moves, int count) {
  Position pos = before;
  std::string text;
  for (int i = 0; i < count; ++i) {
    const GameMove& m = moves[i];
    if (i > 0) text += ' ';
    text += MoveToUci(pos, m);
    駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
  }
  return text;
}

std::optional<GameMove> MoveFromUci(const Position& before, Side mover, std::string_view text) {
  GameMove m;
  size_t i = 0;
  if (text.size() >= 2 && text[1] == '@') {
    const PieceCode magnitude = MagnitudeOfLetter(text[0]);
    const int hand = HandIndex(magnitude);
    if (hand == 0 || magnitude != HandKindCode[hand]) return std::nullopt;
    i = 2;
    if (!ReadSquare(text, i, m.toX, m.toY) || i != text.size()) return std::nullopt;
    const Square origin = DropOrigin(mover, hand);
    m.fromX = origin.x;
    m.fromY = origin.y;
    m.code = UnpromotedCode(mover, hand);
    return m;
  }
  if (!ReadSquare(text, i, m.fromX, m.fromY) || !ReadSquare(text, i, m.toX, m.toY))
    return std::nullopt;
  bool promote = false;
  if (i < text.size() && text[i] == '+') {
    promote = true;
    ++i;
  }
  if (i != text.size()) return std::nullopt;
  const PieceCode piece = before.Board[m.fromX][m.fromY];
  if (mover == SITA ? !IsSita(piece) : !IsUe(piece)) return std::nullopt;
  if (promote && !Promotable(Abs(piece))) return std::nullopt;
  m.code = promote ? PromotedOf(piece) : piece;
  return m;
}

std::string ToFen(const Position& pos, Side toMove, int fullMove) {
  std::string fen;
  for (int y = 1; y <= 10; ++y) {
    int empty = 0;
    for (int x = 1; x <= 10; ++x) {
      const PieceCode c = pos.Board[x][y];
      if (c == EMPTY || (!IsSita(c) && !IsUe(c))) {
        ++empty;
        continue;
      }
      if (empty > 0) fen += std::to_string(empty);
      empty = 0;
      fen += PieceLetters(c);
    }
    if (empty > 0) fen += std::to_string(empty);
    if (y < 10) fen += '/';
  }
  fen += '[';
  for (Side s : {SITA, UE}) {
    for (int i = HandKinds; i >= 1; --i) {
      const std::string letter = PieceLetters(UnpromotedCode(s, i));
      for (int n = 0; n < pos.Hand[s][i]; ++n) fen += letter;
    }
  }
  fen += "] ";
  fen += toMove == SITA ? 'w' : 'b';
  fen += " - - 0 " + std::to_string(fullMove < 1 ? 1 : fullMove);
  return fen;
}

bool FromFen(std::string_view fen, Position& out, Side& toMove, std::string* problem) {
  Position pos;
  size_t i = 0;
  int x = 1, y = 1;
  while (i < fen.size() && fen[i] != ' ' && fen[i] != '[') {
    const char c = fen[i];
    if (c == '/') {
      if (x != 11 || y >= 10) return false;
      ++y;
      x = 1;
      ++i;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      int n = 0;
      // A run longer than the row is refused before it can grow further.
      while (i < fen.size() && std::isdigit(static_cast<unsigned char>(fen[i]))) {
        n = n * 10 + (fen[i++] - '0');
        if (n > 10) return false;
      }
      if (n < 1 || x + n > 11) return false;
      x += n;
    } else {
      bool promoted = false;
      if (c == '+') {
        promoted = true;
        if (++i >= fen.size()) return false;
      }
      const char letter = fen[i++];
      PieceCode m = MagnitudeOfLetter(letter);
      if (m == EMPTY || x > 10) return false;
      if (promoted) {
        if (!Promotable(m)) return false;
        m += 1;
      }
      const bool lower = std::isupper(static_cast<unsigned char>(letter)) != 0;
      pos.Board[x][y] = lower ? -m : m;
      ++x;
    }
  }
  if (y != 10 || x != 11) return false;
  if (i < fen.size() && fen[i] == '[') {
    ++i;
    int count = 0;
    while (i < fen.size() && fen[i] != ']') {
      const char c = fen[i++];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        count = count * 10 + (c - '0');
        if (count > 99) return false;
        continue;
      }
      if (c == '-') continue;
      const PieceCode m = MagnitudeOfLetter(c);
      const int hand = HandIndex(m);
      if (hand == 0 || m != HandKindCode[hand]) return false;
      const Side s = std::isupper(static_cast<unsigned char>(c)) ? SITA : UE;
      pos.Hand[s][hand] += count == 0 ? 1 : count;
      // No hand holds more (and a long run of counts cannot overflow).
      if (pos.Hand[s][hand] > kMaxHandCount) {
        if (problem)
          *problem = "more than " + std::to_string(kMaxHandCount) + " pieces of one kind";
        return false;
      }
      count = 0;
    }
    if (i >= fen.size() || count != 0) return false;
    ++i;
  }
  while (i < fen.size() && fen[i] == ' ') ++i;
  toMove = SITA;
  if (i < fen.size()) {
    if (fen[i] == 'b')
      toMove = UE;
    else if (fen[i] != 'w')
      return false;
  }
  for (Side s : {SITA, UE}) pos.HandTotal[s] = 調査_持駒数(pos, s);
  for (int kx = 1; kx <= 10; ++kx)
    for (int ky = 1; ky <= 10; ++ky) {
      if (pos.Board[kx][ky] == -OU) pos.KingSquare[SITA] = Square{kx, ky};
      if (pos.Board[kx][ky] == OU) pos.KingSquare[UE] = Square{kx, ky};
    }
  調査_2歩フラグ設定(pos);
  if (std::string why = PositionProblem(pos); !why.empty()) {
    if (problem) *problem = std::move(why);
    return false;
  }
  out = pos;
  return true;
}

}  // namespace qz
