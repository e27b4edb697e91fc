#include "model/board_picture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "model/rules.h"

namespace qz::test {

PieceCode TokenCode(std::string_view token) {
  if (token == ".") return EMPTY;
  bool promoted = false;
  if (!token.empty() && token.front() == '+') {
    promoted = true;
    token.remove_prefix(1);
  }
  if (token.size() != 1) throw std::invalid_argument("bad token");
  const char ch = token.front();
  const bool sita = ch >= 'A' && ch <= 'Z';
  PieceCode magnitude = 0;
  switch (sita ? ch : static_cast<char>(ch - 'a' + 'A')) {
    case 'P': magnitude = HU; break;
    case 'L': magnitude = KYOU; break;
    case 'N': magnitude = KEI; break;
    case 'E': magnitude = REI; break;
    case 'S': magnitude = GIN; break;
    case 'G': magnitude = KIN; break;
    case 'C': magnitude = DOU; break;
    case 'B': magnitude = KAKU; break;
    case 'R': magnitude = SYA; break;
    case 'K': magnitude = OU; break;
    default: throw std::invalid_argument("bad token");
  }
  if (promoted) magnitude += 1;
  return sita ? -magnitude : magnitude;
}

Position FromPicture(std::string_view picture) {
  Position pos;
  std::istringstream in{std::string(picture)};
  std::string token;
  int n = 0;
  try {
    while (in >> token) {
      if (n >= 100) throw std::invalid_argument("more than 100 squares");
      const int x = n % 10 + 1;
      const int y = n / 10 + 1;
      pos.Board[x][y] = TokenCode(token);
      ++n;
    }
    if (n != 100) throw std::invalid_argument("fewer than 100 squares");
  } catch (const std::invalid_argument& e) {
    ADD_FAILURE() << "bad board picture: " << e.what() << " at token " << n << " '" << token << "'";
    return Position{};
  }
  return pos;
}

std::vector<Square> BoardDifferences(const Position& a, const Position& b) {
  std::vector<Square> out;
  for (int x = 0; x <= 10; ++x) {
    for (int y = 0; y <= 10; ++y) {
      if (a.Board[x][y] != b.Board[x][y]) out.push_back(Square{x, y});
    }
  }
  return out;
}

std::vector<Square> Targets(const Position& pos, int x0, int y0, PieceCode c) {
  std::vector<Square> out;
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      if (移動チェック(pos, x0, y0, x, y, c) == 1) out.push_back(Square{x, y});
    }
  }
  return out;
}

std::string Describe(const std::vector<Square>& squares) {
  std::string s;
  for (const Square& q : squares) {
    if (!s.empty()) s += ' ';
    s += "(" + std::to_string(q.x) + "," + std::to_string(q.y) + ")";
  }
  return s;
}

}  // namespace qz::test
