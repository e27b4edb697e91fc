// The deep search as a teacher: one position's evaluation and best line,
// the review of a whole line of play (the analysis window's graph and
// `qzreishogi-cli analyse`), all from the lower army's point of view.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/game_move.h"
#include "model/position.h"
#include "play/evaluation_graph.h"
#include "play/move_notation.h"
#include "search/searcher.h"

namespace qz {

// A search score of the side to move as an evaluation for the lower army;
// decided games in whole moves to the king's capture.
Evaluation EvaluationOfSearch(int score, Side toMove);

struct PositionAnalysis {
  Evaluation evaluation;
  bool hasBest = false;
  GameMove best;
  int depth = 0;
  std::uint64_t nodes = 0;
};

// Searches pos for toMove. A position without one of the kings is decided
// as it stands: the side whose king was taken has lost, nothing is searched.
PositionAnalysis AnalysePosition(search::Searcher& searcher, const Position& pos, Side toMove,
                                 int gamePly, const search::Limits& limits,
                                 const std::atomic<bool>* stop = nullptr,
                                 search::DepthObserver* observer = nullptr);

// Who is to move in each position of a line: the mover of the next move,
// else the opponent of the last mover, else the lower army.
std::vector<Side> SidesToMove(const std::vector<ListedMove>& moves, std::size_t positions);

// The principal variation in the notation, moves separated by blanks.
std::string LineNotation(const Position& root, const GameMove* moves, int count,
                         std::optional<Square> previousTarget = std::nullopt);

struct ReviewedMove {
  ListedMove listed;
  Evaluation after;      // the position after the move
  std::string bestText;  // the search's choice before it, "none" when it had none
  int loss = 0;
  const char* mark = "-";
};

struct SideSummary {
  int moves = 0;
  double averageLoss = 0;
  int mistakes = 0, blunders = 0;
};

struct GameReview {
  std::vector<Evaluation> points;  // one per position of the line
  std::vector<ReviewedMove> moves;
  SideSummary summary[2];  // [SITA], [UE]; unknown moves are not counted
};

// Analyses every position of the line with the limits, in order, on one
// searcher (same limits and line: the same review every time when the
// limits count nodes). `progress` is told each finished position.
GameReview ReviewLine(search::Searcher& searcher, const std::vector<Position>& line,
                      int firstNumber, const search::Limits& limits,
                      const std::function<void(int done, int total)>& progress = {});

}  // namespace qz
