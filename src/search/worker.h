// One thread's share of the deep search: its own position, move lists,
// histories, killers and principal variation, and the transposition table
// that every worker of the search shares. Searcher runs one on the calling
// thread and, with more threads, the others beside it.
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
#include "search/mate_solver.h"
#include "search/search_params.h"
#include "search/search_types.h"
#include "search/transposition_table.h"

namespace qz::search {

class Worker {
 public:
  // table: shared by every worker of one search.
  Worker(TranspositionTable& table, const EvalWeights& weights, const SearchParams& params);
  ~Worker();
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  // Clears the histories and the killers; seed 0 = no variety in the opening.
  void NewGame(std::uint64_t seed);
  // The nodes searched so far in this search, for other threads: brought up
  // to date every few thousand nodes.
  std::uint64_t nodes() const { return nodeCount_.load(std::memory_order_relaxed); }

  // One iterative deepening of the position, as Searcher::Think describes.
  // helper: a worker beside the main one, which reports nothing, and stops
  // only by the stop flag. peers: the workers whose nodes the reports add up.
  Result Think(const Position& pos, Side toMove, int gamePly, const Limits& limits,
               const std::atomic<bool>* stop, DepthObserver* observer, bool helper,
               const std::unique_ptr<Worker>* peers, int peerCount);

  // The last finished depth of the latest Think.
  int completedDepth() const { return completedDepth_; }

 private:
  struct Ply;  // per-ply move lists and state

  // Every node's side to move cannot take the enemy king: the move that led
  // there was tested. inCheck says whether its own king is attacked.
  // excluded: a move left out (the singular extension's test of the others).
  int Search(int alpha, int beta, int depth, int ply, bool cutNode, bool allowNull, bool inCheck,
             Move excluded = 0);
  static constexpr int kCheckUnknown = -1;
  int Quiesce(int alpha, int beta, int ply, int qDepth, int check);
  // The root moves from `first` on; first > 0 searches a further line of a
  // multi-line search, which leaves the best move and the PV alone.
  int SearchRoot(int alpha, int beta, int depth, int first = 0);
  // The first lineCount_ root moves as the lines of the last finished depth.
  void KeepLines();
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
  static void ReportDecided(const Result& result, DepthObserver* observer);

  SearchParams params_;
  Evaluator eval_;
  TranspositionTable& tt_;
  FastPosition pos_;
  std::unique_ptr<Ply[]> plies_;
  std::unique_ptr<Move[]> escapeMoves_;
  MateSolver solver_;
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
  int multiPv_ = 1;  // lines searched at each depth
  int lineCount_ = 0;
  RootLine lines_[kMaxLines];

  // Limits of the current search.
  static constexpr int kVarietyPlies = 10;
  static constexpr int kVarietyMargin = 25;
  std::uint64_t seed_ = 0;
  std::uint64_t nodes_ = 0;
  std::atomic<std::uint64_t> nodeCount_{0};  // nodes_, for other threads
  std::uint64_t nodeLimit_ = 0;
  int movetimeMs_ = 0;
  bool exactTime_ = false;
  const std::atomic<bool>* stopFlag_ = nullptr;
  bool stopped_ = false;
  bool helper_ = false;
  int completedDepth_ = 0;
  const std::unique_ptr<Worker>* peers_ = nullptr;
  int peerCount_ = 0;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace qz::search
