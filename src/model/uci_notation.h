// Positions and moves in the text conventions of UCI engines for this game:
// the lower army is "white" (upper-case letters) and moves first in FEN
// terms; square (x, y) is file chr('a' + x - 1), rank 11 - y, so (1, 1) is
// "a10" and (10, 10) is "j1". Moves are "c3c4", "c8c9+" (promoting) and
// "P@e5" (a drop, the letter always upper case).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/game_move.h"
#include "model/position.h"

namespace qz {

// "a10" ... "j1".
std::string SquareName(int x, int y);

// The letter of a piece code: upper case for the lower army, "+" before the
// letter of the base kind for every promoted piece ("+B" the promoted
// bishop). Engines read a bare "H" or "D" as pieces of their own that go to
// the hand unchanged when taken, so the promoted bishop and rook are never
// written that way; reading accepts both forms.
std::string PieceLetters(PieceCode code);

// The move in UCI text. The board before the move tells promotion apart:
// a board move promotes when code differs from the piece on its start.
std::string MoveToUci(const Position& before, const GameMove& move);

// A line of moves from `before`, each played in turn, as UCI text separated
// by blanks ("c3c4 g8g7 B@e5").
std::string MovesToUci(const Position& before, const GameMove* moves, int count);

// Reads a UCI move of `mover` against the position before it. Only the form
// is checked (squares on the board, a piece of the mover on the start, a
// droppable letter); whether the game allows it is for the rules to say.
std::optional<GameMove> MoveFromUci(const Position& before, Side mover, std::string_view text);

// FEN with the hands in brackets: "BOARD[HANDS] w|b - - 0 MOVE". The board
// runs from rank 10 (row 1) down to rank 1 (row 10), files a..j.
std::string ToFen(const Position& pos, Side toMove, int fullMove = 1);

// Reads such a FEN (the hand may also be written "[-]" or be absent; counts
// like "3P" are accepted). Fills the board, hands and HandTotal; king
// squares and pawn columns are recomputed. Returns false on malformed text,
// and on a position that cannot be played (PositionProblem): problem, when
// given, then says why (it is left alone for malformed text).
bool FromFen(std::string_view fen, Position& pos, Side& toMove, std::string* problem = nullptr);

}  // namespace qz
