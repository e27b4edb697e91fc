// The tunable numbers of the deep search, kept together (beside the
// evaluation's EvalWeights) so that a duel can vary them by name. Each is
// described, with how it was found, in docs/search.md.
#pragma once

#include <string_view>

namespace qz::search {

struct SearchParams {
  // Aspiration windows around the previous depth's score.
  int aspirationMinDepth = 4;
  int aspirationWindow = 40;
  int aspirationFullPast = 600;  // a window wider than this becomes the full one
  // A node expected to matter, without a stored move, is searched a ply less.
  int iirMinDepth = 4;
  // Reverse futility: far above beta at a shallow depth.
  int rfpMaxDepth = 7;
  int rfpMargin = 150;  // a ply
  // Null move: R = base + depth / divisor + min(excess / evalDivisor, 3).
  int nullMinDepth = 3;
  int nullBase = 3;
  int nullDepthDivisor = 3;
  int nullEvalDivisor = 200;  // 0: the excess over beta does not count
  // ... and only where the static evaluation clears beta + nullMargin -
  // nullMarginPerDepth · depth (a drop can turn a quiet position).
  int nullMargin = 150;
  int nullMarginPerDepth = 15;
  // Late-move pruning of quiet moves: after (base + depth²) quiet moves, twice
  // as many when improving, up to maxDepth. The count is that of the list
  // the histories are rewarded from, which stops at 64: a threshold above 64
  // never prunes (improving at depth 6 and 7, and any depth past 7).
  int lmpMaxDepth = 7;
  int lmpBase = 2;
  int lmpImprovingBase = 4;
  // Futility of quiet moves: the static evaluation plus base + perDepth ·
  // depth stays at or below alpha.
  int futilityMaxDepth = 6;
  int futilityBase = 100;
  int futilityPerDepth = 120;
  // Exchange pruning: a quiet move or drop losing more than quiet · depth²
  // in the exchange, a capture losing more than capture · depth (0: off).
  int seeQuietMaxDepth = 8;
  int seeQuietMargin = 30;
  int seeCaptureMaxDepth = 6;
  int seeCaptureMargin = 100;
  // History pruning: a quiet move whose history is below -margin · depth.
  int historyPruneMaxDepth = 3;
  int historyPruneMargin = 4000;
  // Late-move reductions: 0.5 + ln(depth) · ln(moves) · 100 / divisor.
  int lmrMinDepth = 3;
  int lmrDivisor = 230;
  int lmrHistoryDivisor = 8192;
  int lmrChecks = 1;  // 1: checks are reduced too, a ply less than other moves
  // Capture history: captures are ordered by what they win plus their
  // history over this divisor (0: off, and the history is not kept).
  int captureHistoryDivisor = 8;
  // A check that cannot be answered by taking the checker, one ply further,
  // at a remaining depth of at least checkExtensionMinDepth.
  int checkExtension = 1;
  int checkExtensionMinDepth = 0;
  // Quiet moves and drops that give check are spared exchange pruning (1),
  // late-move, futility and history pruning as well (2), or none (0).
  int checksUnpruned = 1;
  // Singular extension from this depth (0: off); the others must fall short
  // of the stored score by margin · depth.
  int singularMinDepth = 0;
  int singularMargin = 2;
  // Quiescence: captures that cannot reach alpha by this margin are left out;
  // in check within this many plies of the horizon every reply is tried.
  int qsFutilityMargin = 150;
  int qsCheckPlies = 4;
  // Quiescence out of check: after this many captures only promotions and
  // king captures are tried (0: every capture).
  int qsMoveCount = 0;
  // Razoring: at depth 1 to razorMaxDepth, a static evaluation more than
  // razorMargin · depth below alpha is checked by quiescence alone (0: off).
  int razorMaxDepth = 0;
  int razorMargin = 300;
  // ProbCut: from this depth (0: off), a capture whose reduced search
  // clears beta + margin cuts the node.
  int probCutMinDepth = 0;
  int probCutMargin = 200;
  // Mate in one seen a ply early (0: off; from this depth on: 1 = every node
  // of the main search).
  int mateOneMinDepth = 0;
  int mateOneQuiescence = 0;  // 1: also where quiescence starts
  // The mate solver at the root (checks against every answer) before the
  // search: for at most solverPlies plies (0: off), with a share of the move
  // time (per mille) or of the node budget, or solverNodes nodes when the
  // search has only a depth or no limit.
  int solverPlies = 15;
  int solverShare = 100;
  int solverNodes = 20000;
  // The solver inside the tree: at nodes of this depth or more (0: off),
  // once a node, for solverTreePlies plies within solverTreeNodes nodes.
  int solverTreeDepth = 0;
  int solverTreePlies = 7;
  int solverTreeNodes = 200;
  // Time: while the best move changes, depths start until the time is up;
  // once it has stood for a depth, a new depth starts only before this share
  // of the move time (per cent); once it has stood for settledDepths, the
  // search stops after settledPercent.
  int newDepthPercent = 100;
  int timeSettledDepths = 8;
  int timeSettledPercent = 50;
};

// Sets the number called name; false when there is none by that name.
bool SetSearchParam(SearchParams& params, std::string_view name, int value);
// Sets "name=value,name=value,..."; false (params partly set) when an item is
// not of that form or names no number.
bool SetSearchParams(SearchParams& params, std::string_view list);

}  // namespace qz::search
