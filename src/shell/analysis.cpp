// One position's analysis and the review of a line of play.
#include "shell/analysis.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "model/make_move.h"

namespace qz {

namespace {

bool HasKing(const Position& pos, Side side) {
  const PieceCode king = side == SITA ? -OU : OU;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (pos.Board[x][y] == king) return true;
  return false;
}

}  // namespace

Evaluation EvaluationOfSearch(int score, Side toMove) {
  const int sign = toMove == SITA ? 1 : -1;
  Evaluation e;
  e.known = true;
  if (search::IsDecided(score)) {
    const int plies = search::kMate - std::abs(score);
    e.mateMoves = sign * (score > 0 ? 1 : -1) * std::max(1, (plies + 1) / 2);
  } else {
    e.centipawns = sign * score;
  }
  return e;
}

PositionAnalysis AnalysePosition(search::Searcher& searcher, const Position& pos, Side toMove,
                                 int gamePly, const search::Limits& limits,
                                 const std::atomic<bool>* stop, search::DepthObserver* observer) {
  PositionAnalysis a;
  const bool lowerKing = HasKing(pos, SITA), upperKing = HasKing(pos, UE);
  if (!lowerKing || !upperKing) {
    a.evaluation.known = true;
    // Both gone cannot arise in play; call it for neither side.
    a.evaluation.mateMoves = lowerKing == upperKing ? 0 : (lowerKing ? 1 : -1);
    return a;
  }
  const search::Result r = searcher.Think(pos, toMove, gamePly, limits, stop, observer);
  a.evaluation = EvaluationOfSearch(r.score, toMove);
  a.hasBest = r.found;
  a.best = r.best;
  a.depth = r.depth;
  a.nodes = r.nodes;
  return a;
}

std::vector<Side> SidesToMove(const std::vector<ListedMove>& moves, std::size_t positions) {
  std::vector<Side> sides(positions, SITA);
  for (std::size_t i = 0; i < positions; ++i) {
    if (i < moves.size() && moves[i].known)
      sides[i] = moves[i].mover;
    else if (i > 0 && i - 1 < moves.size() && moves[i - 1].known)
      sides[i] = Opponent(moves[i - 1].mover);
    else if (i > 0)
      sides[i] = Opponent(sides[i - 1]);
  }
  return sides;
}

std::string LineNotation(const Position& root, const GameMove* moves, int count,
                         std::optional<Square> previousTarget) {
  std::string text;
  Position pos = root;
  for (int i = 0; i < count; ++i) {
    const GameMove& m = moves[i];
    if (!text.empty()) text += " ";
    text += MoveNotation(pos, m, previousTarget);
    駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
    previousTarget = Square{m.toX, m.toY};
  }
  return text;
}

GameReview ReviewLine(search::Searcher& searcher, const std::vector<Position>& line,
                      int firstNumber, const search::Limits& limits,
                      const std::function<void(int done, int total)>& progress) {
  GameReview review;
  const std::vector<ListedMove> listed = MoveList(line, firstNumber);
  const std::vector<Side> sides = SidesToMove(listed, line.size());
  std::vector<PositionAnalysis> analyses;
  analyses.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    analyses.push_back(AnalysePosition(searcher, line[i], sides[i],
                                       firstNumber - 1 + static_cast<int>(i), limits));
    review.points.push_back(analyses.back().evaluation);
    if (progress) progress(static_cast<int>(i + 1), static_cast<int>(line.size()));
  }
  int lossSum[2] = {0, 0};
  std::optional<Square> previous;
  for (std::size_t k = 1; k < line.size(); ++k) {
    ReviewedMove r;
    r.listed = listed[k - 1];
    r.after = review.points[k];
    const PositionAnalysis& before = analyses[k - 1];
    r.bestText = before.hasBest ? MoveNotation(line[k - 1], before.best, previous) : "none";
    if (r.listed.known) {
      const bool playedBest = before.hasBest && before.best == r.listed.move;
      r.loss = playedBest ? 0 : LossOf(before.evaluation, r.after, r.listed.mover);
      r.mark = MarkOfLoss(r.loss);
      SideSummary& s = review.summary[r.listed.mover];
      ++s.moves;
      lossSum[r.listed.mover] += r.loss;
      if (r.loss >= kBlunderLoss)
        ++s.blunders;
      else if (r.loss >= kMistakeLoss)
        ++s.mistakes;
      previous = Square{r.listed.move.toX, r.listed.move.toY};
    } else {
      previous.reset();
    }
    review.moves.push_back(r);
  }
  for (int side = SITA; side <= UE; ++side) {
    SideSummary& s = review.summary[side];
    s.averageLoss = s.moves > 0 ? static_cast<double>(lossSum[side]) / s.moves : 0.0;
  }
  return review;
}

}  // namespace qz
