// The deep computer player: iterative deepening principal variation search
// with a transposition table, quiescence over captures, move ordering by hash
// move, captures by value, killers and history, null move and late-move
// reductions. Each Searcher owns all its state, so several may think at once
// on different threads, and one search may think on several threads
// (Lazy SMP: a worker per thread, one shared transposition table). Scores:
// see search_types.h.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/fast_position.h"
#include "model/game_move.h"
#include "model/movegen.h"
#include "model/position.h"
#include "search/evaluation.h"
#include "search/search_params.h"
#include "search/search_types.h"
#include "search/transposition_table.h"

namespace qz::search {

class Worker;

class Searcher {
 public:
  explicit Searcher(std::size_t hashMegabytes = 64);
  // With other evaluation weights and search numbers (for measuring them
  // against the defaults).
  Searcher(std::size_t hashMegabytes, const EvalWeights& weights, const SearchParams& params = {});
  ~Searcher();
  Searcher(const Searcher&) = delete;
  Searcher& operator=(const Searcher&) = delete;

  // Clears the table and the histories; seed 0 = no variety in the opening.
  void NewGame(std::uint64_t seed);

  // How many threads think (1 .. kMaxThreads); the others share the table.
  // A search with one thread and a node limit repeats exactly.
  void SetThreads(int threads);
  int threads() const { return static_cast<int>(workers_.size()); }
  static constexpr int kMaxThreads = 64;

  // pos: board and hands (HandTotal, KingSquare, PawnColumns need not be
  // current); gamePly: plies already played in this game (for the opening
  // variety).
  //
  // The searching side never chooses a pawn mate: a move of its own
  // unpromoted pawn (a drop, or a board move that does not promote) after
  // which the opponent has no reply that both keeps its king from being taken
  // at once and does not itself take our king (having no reply at all
  // included). At the root every such move is tested; inside the tree only
  // those that attack the king (where such a mate can arise in practice).
  // The opponent's pawn mates are searched as any other move. Only when
  // pawn mates are all there is does the search play one.
  Result Think(const Position& pos, Side toMove, int gamePly, const Limits& limits,
               const std::atomic<bool>* stop = nullptr, DepthObserver* observer = nullptr);

  // Opening variety: the first kVarietyPlies plies of a game, the root moves
  // may gain up to kVarietyMargin on a seeded draw.
  static constexpr int kVarietyPlies = 10;
  static constexpr int kVarietyMargin = 25;

 private:
  struct Helpers;  // the threads beside the caller's

  EvalWeights weights_;
  SearchParams params_;
  std::uint64_t seed_ = 0;
  TranspositionTable tt_;
  std::vector<std::unique_ptr<Worker>> workers_;  // [0] thinks on the caller's thread
  std::unique_ptr<Helpers> helpers_;
};

// Of lines sorted best first, the index of the one a weakened search plays
// (as Stockfish's skill levels choose): each line's score gains
// weakness/128 of its gap to the best and a random push of up to as much of
// the spread of the lines (at most a pawn); the highest total wins. draw
// seeds the random pushes. With weakness 0, one line or a decided best line:
// 0. A line that loses by force is never chosen.
int PickWeakerLine(const RootLine* lines, int count, int weakness, std::uint64_t draw);

// The computer's levels: 1 to 3 the one-ply engine (src/engine), 4 to 8 the
// deep search. LEVEL7 thinks about 1 s, LEVEL8 about 5 s; LEVEL4 to LEVEL6
// are the weakened steps between LEVEL3 and LEVEL7: a node budget always,
// at most the movetime, and a choice among the best few moves. `nodes` is
// for LEVEL7 and LEVEL8 the budget equal to what the level searches in its
// time on the machine it was measured on (for matches that must finish in
// minutes).
constexpr int kFirstDeepLevel = 4;
constexpr int kHighestLevel = 8;
struct LevelSettings {
  int movetimeMs;
  std::uint64_t nodes;
  int multiPv;   // 1: the best move only
  int weakness;  // 0: the best move is played (see PickWeakerLine)
  bool Weakened() const { return weakness > 0; }
};
// kFirstDeepLevel .. kHighestLevel; others are clamped into that range.
LevelSettings SettingsOfLevel(int level);

}  // namespace qz::search
