// Every move the game accepts from a player, for either army: board moves
// with each allowed promotion choice as its own move (and only the promoted
// one where the piece may not stay unpromoted), and drops within their row
// limits and the rule of one unpromoted pawn a column. A position whose king
// has been captured has no moves. The moves are pseudo-legal, as the rules
// are: a move may leave the mover's own king attacked.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "model/fast_position.h"

namespace qz {

// No position has more moves than this (at most 900 drops and 36 moves of
// each rook or bishop, 16 of every other piece with its promotions).
constexpr int kMaxMoves = 2048;

// Each writes into out (room for kMaxMoves) and returns the number written.
int GenerateMoves(const FastPosition& pos, Move* out);
// Board moves that capture, with their promotion choices.
int GenerateCaptures(const FastPosition& pos, Move* out);
// Board moves onto empty squares and drops.
int GenerateQuiets(const FastPosition& pos, Move* out);
// Every board move (captures and the rest), and every drop: GenerateMoves in
// two parts.
int GenerateBoardMoves(const FastPosition& pos, Move* out);
int GenerateDrops(const FastPosition& pos, Move* out);

// Whether m is one of the moves GenerateMoves would list (for moves that come
// from elsewhere: a stored best move, a killer, a user).
bool IsListedMove(const FastPosition& pos, Move m);

// The number of move sequences of `depth` plies.
std::uint64_t Perft(FastPosition& pos, int depth);

// The same with the count after each first move (a "divide"): each(move,
// count) for every move of pos in the generator's order, then the total is
// returned. stop, when given, is read before every subtree of two or more
// plies (a count of one or two plies always finishes, at once): once another
// thread sets it the count ends, *stopped is set and the moves reported so
// far are those whose counts are whole. pos is as it was afterwards.
std::uint64_t PerftDivide(FastPosition& pos, int depth,
                          const std::function<void(Move, std::uint64_t)>& each,
                          const std::atomic<bool>* stop = nullptr, bool* stopped = nullptr);

// The same list for callers that hold a Position: the moves of `side` in the
// game's form, into out (room for kMaxMoves). PawnColumns and the king
// squares of pos need not be current.
int ListMoves(const Position& pos, Side side, GameMove* out);

}  // namespace qz
