// Evaluations of a game's positions from the lower army's point of view,
// what a move lost, and the evaluation graph drawn from them (the analysis
// window paints it; `qzreishogi-cli analyse --svg` writes it as SVG).
#pragma once

#include <string>
#include <vector>

#include "model/pieces.h"

namespace qz {

// One position's evaluation, always from the lower army's point of view.
struct Evaluation {
  bool known = false;  // false: not analysed (yet)
  int centipawns = 0;  // hundredths of a pawn; ignored when mateMoves != 0
  // Moves to the king's capture: > 0 the lower army takes the upper king,
  // < 0 the upper army takes the lower one; 0 no decided game seen.
  int mateMoves = 0;
  friend bool operator==(const Evaluation&, const Evaluation&) = default;
};

// Scores beyond this are drawn (and counted as losses) at this size: past
// twenty pawns the game is won whatever the exact number, and a decided
// game sits at the end of the scale.
constexpr int kGraphLimit = 2000;
// What a move must lose, in hundredths of a pawn, to be marked.
constexpr int kMistakeLoss = 100;  // "?"
constexpr int kBlunderLoss = 300;  // "??"

// The evaluation clamped to ±kGraphLimit, decided games at the ends.
int GraphValue(const Evaluation& e);

// Height on a graph as a fraction from its top (0: the lower army won,
// 1: the upper army won, 0.5: even).
double GraphFraction(const Evaluation& e);

// The lower army's winning chance in percent (0..100): a logistic curve of
// the score, 50 at 0, about 75 at +500, 0 or 100 for decided games.
double WinningChance(const Evaluation& e);

// "123", "-45", "+0"... as a signed whole number; a decided game "M3"
// (the lower army captures the king in three moves) or "-M3".
std::string ScoreText(const Evaluation& e);

// What the mover gave away: the evaluation of the best move minus that of
// the move played, both from the mover's side and clamped; never below 0.
int LossOf(const Evaluation& best, const Evaluation& played, Side mover);

// "??" from kBlunderLoss, "?" from kMistakeLoss, else "-".
const char* MarkOfLoss(int loss);

// The moves (1-based indexes into the points' gaps) after which the
// mover's evaluation fell by kBlunderLoss or more. movers[k - 1] is the
// side that made move k; points[k] the position after it.
std::vector<int> SharpDrops(const std::vector<Evaluation>& points, const std::vector<Side>& movers);

// The graph as an SVG document: one point per position (index 0 the first
// position, labelled firstNumber - 1 moves), the line at 0, the scale's
// labels, the positions at `present` marked (-1: none) and the sharp drops
// circled in red. Unknown points are left out of the line.
std::string EvaluationGraphSvg(const std::vector<Evaluation>& points, const std::vector<int>& drops,
                               int present, int firstNumber, int width, int height);

}  // namespace qz
