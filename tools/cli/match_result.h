// The closing line of a match, read by other tools:
//   result a=W b=L unfinished=U score=S% elo=E±M
// W, L and U count the games player a won, lost and left unfinished. S is
// a's score in per cent with one decimal, an unfinished game counting half.
// E is the Elo difference of a over b that the score gives,
// -400·log10(1/S - 1), with sign and one decimal; M is the half width of its
// 95% interval, found from the spread of the per-game results (1, ½, 0):
// the score's standard error σ/√N (σ over the N games, not N - 1) times
// 1.96 on either side, each bound turned into Elo. A score of 100% gives
// "+inf", 0% "-inf"; a margin whose interval reaches 0% or 100% is "inf".
#pragma once

#include <string>

namespace qz::cli {

struct MatchTally {
  int wins = 0, losses = 0, unfinished = 0;  // player a's
};

std::string ResultLine(const MatchTally& tally);

}  // namespace qz::cli
