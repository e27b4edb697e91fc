// The deep computer player: iterative deepening principal variation search
// with a transposition table, quiescence over captures, move ordering by hash
// move, captures by value, killers and history, null move and late-move
// reductions. Each Searcher owns all its state, so several may think at once
// on different threads.
//
// Scores are in hundredths of a pawn (see evaluation.h). Scores beyond
// ±(kMate - kMaxPly) are decided games: kMate - n means the side to move
// captures the enemy king (or leaves the enemy without a move) n plies from
// the root, -(kMate - n) that it loses so.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/fast_position.h"
#include "model/game_move.h"
#include "model/movegen.h"
#include "model/position.h"
#include "search/evaluation.h"
#include "search/history.h"
#include "search/search_params.h"
#include "search/transposition_table.h"

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
};

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

struct Result {
  bool found = false;
  GameMove best;
  int score = 0;
  int depth = 0;
  std::uint64_t nodes = 0;
};

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
  struct Ply;  // per-ply move lists and state

  // Every node's side to move cannot take the enemy king: the move that led
  // there was tested. inCheck says whether its own king is attacked.
  int Search(int alpha, int beta, int depth, int ply, bool cutNode, bool allowNull, bool inCheck);
  static constexpr int kCheckUnknown = -1;
  int Quiesce(int alpha, int beta, int ply, int qDepth, int check);
  int SearchRoot(int alpha, int beta, int depth);
  bool TimeUp();
  bool MustStop();
  void UpdatePv(int ply, Move m);
  void RewardQuiet(int ply, Move m, int depth, const Move* tried, int triedCount);
  // PieceTo of the move made `back` plies before ply (-1: none or a pass).
  int PreviousMove(int ply, int back) const;
  // An unpromoted pawn move of the searching side that leaves the opponent
  // without escape; it has been made on the position.
  bool IsForbiddenPawnMate(Move m, bool mustCheck);
  std::uint64_t Key() const { return pos_.key() ^ rootKey_; }

  // The side to move has a move after which the opponent has no answer that
  // saves its king (the pawn mates the searching side may not choose aside).
  bool HasMateInOne();

  SearchParams params_;
  Evaluator eval_;
  TranspositionTable tt_;
  FastPosition pos_;
  std::unique_ptr<Ply[]> plies_;
  std::unique_ptr<Move[]> escapeMoves_;
  History history_;
  Move killers_[kMaxPly][2] = {};
  Move pv_[kMaxPly][kMaxPly] = {};
  int pvLength_[kMaxPly] = {};
  int lmr_[64][64] = {};

  // Root.
  static constexpr int kMaxRootMoves = kMaxMoves;
  std::unique_ptr<RootMove[]> rootMoves_;
  int rootCount_ = 0;
  Side rootSide_ = SITA;
  std::uint64_t rootKey_ = 0;
  Move bestRootMove_ = 0;
  int bestRootScore_ = 0;
  Move iterationBest_ = 0;  // raised alpha at the root in the current depth
  int rootDepth_ = 1;

  // Limits of the current search.
  std::uint64_t seed_ = 0;
  std::uint64_t nodes_ = 0;
  std::uint64_t nodeLimit_ = 0;
  int movetimeMs_ = 0;
  const std::atomic<bool>* stopFlag_ = nullptr;
  bool stopped_ = false;
  std::chrono::steady_clock::time_point start_;
};

// The two deep levels: LEVEL4 thinks about 1 s, LEVEL5 about 5 s; `nodes` is
// the budget equal to what the level searches in that time on the machine
// it was measured on (for matches that must finish in minutes).
struct LevelSettings {
  int movetimeMs;
  std::uint64_t nodes;
};
LevelSettings SettingsOfLevel(int level);  // 4 or 5

}  // namespace qz::search
