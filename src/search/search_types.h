// What the deep search takes and gives: its limits, its reports per depth,
// its result, and the scale of its scores.
//
// Scores are in hundredths of a pawn (see evaluation.h). Scores beyond
// ±(kMate - kMaxPly) are decided games: kMate - n means the side to move
// captures the enemy king (or leaves the enemy without a move) n plies from
// the root, -(kMate - n) that it loses so.
#pragma once

#include <cstdint>

#include "model/fast_position.h"
#include "model/game_move.h"

namespace qz::search {

constexpr int kMate = 30000;
constexpr int kInfinity = 32000;
constexpr int kMaxPly = 128;
constexpr int kMaxPv = 64;
constexpr bool IsDecided(int score) {
  return score >= kMate - kMaxPly || score <= -(kMate - kMaxPly);
}

struct Limits {
  int movetimeMs = 0;
  std::uint64_t nodes = 0;
  int depth = 0;  // 0 = no limit on that axis
  // The best `multiPv` root moves are each searched to an exact score at
  // every depth (1: only the best, the plain search). With weakness > 0
  // (at most kMaxWeakness) one of them is played, drawn as the weak levels
  // choose (PickWeakerLine, searcher.h).
  int multiPv = 1;
  int weakness = 0;
  // The move time is given outright (uci "go movetime", a match's fixed
  // time): it is used whole, not cut short once the best move has settled.
  bool exactTime = false;
};

constexpr int kMaxLines = 8;  // the most root moves with exact scores
constexpr int kMaxWeakness = 128;

struct DepthReport {
  int depth;
  int score;
  std::uint64_t nodes;
  std::uint64_t nps;
  int pvLength;
  GameMove pv[kMaxPv];
};

class DepthObserver {
 public:
  virtual ~DepthObserver() = default;
  virtual void onDepth(const DepthReport&) = 0;
};

// A move at the root with what the search knows of it.
struct RootMove {
  Move move = 0;
  int score = 0;  // the last depth's, or the first look's before depth 1
  int bonus = 0;  // opening variety, added to the move's score
};

// One of the best root moves and its score at the last finished depth.
struct RootLine {
  GameMove move;
  int score = 0;
};

struct Result {
  bool found = false;
  GameMove best;
  int score = 0;
  int depth = 0;
  std::uint64_t nodes = 0;
  // With multiPv > 1: the best root moves, best first (the first is the
  // search's best move; best is the one played).
  int lineCount = 0;
  RootLine lines[kMaxLines];
};

}  // namespace qz::search
