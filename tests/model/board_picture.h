// Builds positions for the model tests from a compact text picture.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/position.h"

namespace qz::test {

// A picture is 100 whitespace-separated tokens, row y = 1 first, each row
// x = 1..10. "." is empty; a letter names the kind, upper case for SITA
// (the lower side), lower case for UE; a leading "+" promotes:
//   P 歩  L 香  N 桂  E 嶺  S 銀  G 金  C 銅  B 角  R 飛  K 王
// Hands and totals stay empty; KingSquare and PawnColumns are not derived.
// A malformed picture fails the current test and yields an empty board.
Position FromPicture(std::string_view picture);

// The code a single token stands for (0 for "."); throws on a bad token.
PieceCode TokenCode(std::string_view token);

// Squares, in scan order, where `a` and `b` differ on the board.
std::vector<Square> BoardDifferences(const Position& a, const Position& b);

// Sorted list of the targets (x, y) for which 移動チェック answers 1 for the
// piece c standing on (x0, y0) of pos (the square itself is not read).
std::vector<Square> Targets(const Position& pos, int x0, int y0, PieceCode c);

// Compact text of a square list for failure messages: "(x,y) (x,y) ...".
std::string Describe(const std::vector<Square>& squares);

}  // namespace qz::test
