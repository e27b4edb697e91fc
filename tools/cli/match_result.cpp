#include "cli/match_result.h"

#include <cmath>
#include <cstdio>

namespace qz::cli {

namespace {

double EloOfScore(double score) { return -400.0 * std::log10(1.0 / score - 1.0); }

}  // namespace

std::string ResultLine(const MatchTally& t) {
  const int games = t.wins + t.losses + t.unfinished;
  const double score = games > 0 ? (t.wins + 0.5 * t.unfinished) / games : 0.5;
  char elo[32], margin[32];
  if (t.wins == games && games > 0)
    std::snprintf(elo, sizeof elo, "+inf");
  else if (t.losses == games && games > 0)
    std::snprintf(elo, sizeof elo, "-inf");
  else
    std::snprintf(elo, sizeof elo, "%+.1f", EloOfScore(score) + 0.0);

  std::snprintf(margin, sizeof margin, "inf");
  if (games > 0) {
    const double variance =
        (t.wins * (1 - score) * (1 - score) + t.unfinished * (0.5 - score) * (0.5 - score) +
         t.losses * score * score) /
        games;
    const double half = 1.96 * std::sqrt(variance / games);
    const double low = score - half, high = score + half;
    if (low > 0 && high < 1)
      std::snprintf(margin, sizeof margin, "%.1f", (EloOfScore(high) - EloOfScore(low)) / 2);
  }
  char line[160];
  std::snprintf(line, sizeof line, "result a=%d b=%d unfinished=%d score=%.1f%% elo=%s±%s", t.wins,
                t.losses, t.unfinished, 100.0 * score, elo, margin);
  return line;
}

}  // namespace qz::cli
