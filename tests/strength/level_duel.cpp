// Games between the deep search and a computer level 1..3, or between two
// node budgets of the deep search, for measuring strength while the
// evaluation is worked on. Not part of the test suite: it runs for minutes.
//
//   qz_level_duel [--games N] [--a NODES] [--b LEVEL|nodes:N] [--random-plies R]
//                 [--seed S] [--max-plies M] [--a-eval W] [--b-eval W]
//                 [--a-search P] [--b-search P] [--movetime MS]
//                 [--a-weights FILE] [--b-weights FILE]
//
// W changes evaluation weights of that side's deep search, e.g.
// "kingDangerScale=8,tempo=10" (names as search::WeightName gives them:
// board.K and hand.K for the values of kind K, placement.(K * 10 + row));
// FILE holds such items a line (as `qz_tune fit` writes them), W applies
// over it; --a-no-check-extension 1 turns the check
// extension off for that side; --a-search P changes the search's numbers,
// e.g. "lmpMaxDepth=6,rfpMargin=90" (names as in search/search_params.h).
//
// Games come in pairs from the same opening (R random plies), the players
// swapping armies; the placements alternate between pairs. A game ends when
// a king is captured, when the side to move has no move, or unfinished at
// the ply limit (counted as half a point).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "engine/computer_player.h"
#include "model/make_move.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/reversal.h"
#include "players/deep_player.h"
#include "players/match_game.h"
#include "players/player.h"
#include "search/searcher.h"

namespace {

using namespace qz;

// One side of the duel: a player of the one interface, the deep ones over
// a search of the duel's own weights and numbers.
struct Contender {
  std::uint64_t nodes = 0;  // the deep search's budget a move
  int movetimeMs = 0;       // or, when set, this time a move
  std::unique_ptr<search::Searcher> searcher;
  std::unique_ptr<qz::Player> player;
};

PlayLimits LimitsOf(const Contender& contender) {
  PlayLimits limits;
  limits.nodes = contender.movetimeMs > 0 ? 0 : contender.nodes;
  limits.movetimeMs = contender.movetimeMs;
  return limits;
}

// The weights of a side: the file's (when given), then the items of the
// command line over them; false, with a message, on a bad file or name.
bool LoadWeights(const std::string& file, const std::string& items, search::EvalWeights& w) {
  std::string problem;
  if (!file.empty()) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) {
      std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
      return false;
    }
    std::string text;
    char chunk[4096];
    for (std::size_t n;
         (n = std::fread(chunk, 1, sizeof chunk, in)) > 0 && text.size() < (1 << 20);)
      text.append(chunk, n);
    std::fclose(in);
    if (!search::ParseWeights(text, w, problem)) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), problem.c_str());
      return false;
    }
  }
  if (!search::ParseWeights(items, w, problem)) {
    std::fprintf(stderr, "weights: %s\n", problem.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int games = 20, randomPlies = 2, maxPlies = 400;
  std::uint64_t seed = 1, aNodes = 200000;
  int movetimeMs = 0;
  std::string bSpec = "3", aEval, bEval, aSearch, bSearch, aWeightsFile, bWeightsFile;
  search::SearchParams aOptions, bOptions;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i], v = argv[i + 1];
    if (k == "--games")
      games = std::atoi(v.c_str());
    else if (k == "--a")
      aNodes = std::strtoull(v.c_str(), nullptr, 10);
    else if (k == "--b")
      bSpec = v;
    else if (k == "--random-plies")
      randomPlies = std::atoi(v.c_str());
    else if (k == "--seed")
      seed = std::strtoull(v.c_str(), nullptr, 10);
    else if (k == "--max-plies")
      maxPlies = std::atoi(v.c_str());
    else if (k == "--a-eval")
      aEval = v;
    else if (k == "--b-eval")
      bEval = v;
    else if (k == "--a-weights")
      aWeightsFile = v;
    else if (k == "--b-weights")
      bWeightsFile = v;
    else if (k == "--movetime")
      movetimeMs = std::atoi(v.c_str());
    else if (k == "--a-search")
      aSearch = v;
    else if (k == "--b-search")
      bSearch = v;
    else if (k == "--a-no-check-extension")
      aOptions.checkExtension = v != "1";
    else if (k == "--b-no-check-extension")
      bOptions.checkExtension = v != "1";
    else {
      std::fprintf(stderr, "unknown option %s\n", k.c_str());
      return 2;
    }
  }
  search::EvalWeights aWeights = search::DefaultWeights(), bWeights = search::DefaultWeights();
  if (!LoadWeights(aWeightsFile, aEval, aWeights) || !LoadWeights(bWeightsFile, bEval, bWeights))
    return 2;
  if (!search::SetSearchParams(aOptions, aSearch) || !search::SetSearchParams(bOptions, bSearch)) {
    std::fprintf(stderr, "bad search numbers\n");
    return 2;
  }
  // The strongest level's player: the weaker ones would cap the budget and
  // pick among several lines.
  Contender a, b;
  a.nodes = aNodes;
  a.movetimeMs = movetimeMs;
  a.searcher = std::make_unique<search::Searcher>(64, aWeights, aOptions);
  a.player = std::make_unique<DeepLevelPlayer>(search::kHighestLevel, *a.searcher);
  if (bSpec.rfind("nodes:", 0) == 0) {
    b.nodes = std::strtoull(bSpec.c_str() + 6, nullptr, 10);
    b.movetimeMs = movetimeMs;
    b.searcher = std::make_unique<search::Searcher>(64, bWeights, bOptions);
    b.player = std::make_unique<DeepLevelPlayer>(search::kHighestLevel, *b.searcher);
  } else {
    std::string problem;
    const int level = std::atoi(bSpec.c_str());
    if (level < 1 || level > 3 || !(b.player = MakeLevelPlayer(level, PlayerSettings{}, problem))) {
      std::fprintf(stderr, "b: levels 1 to 3 or nodes:N\n");
      return 2;
    }
  }

  std::mt19937_64 rng(seed);
  double aPoints = 0;
  int aWins = 0, bWins = 0, unfinished = 0;
  static GameMove opening[64];
  static GameMove list[kMaxMoves];
  const auto buffer = std::make_unique<MoveBuffer>();
  const auto start = std::chrono::steady_clock::now();
  for (int g = 0; g < games; ++g) {
    const bool 右嶺 = (g / 2) % 2 == 1;
    Position pos;
    SetUpStartingPosition(pos, 右嶺);
    if (g % 2 == 0) {
      // A fresh opening for the pair.
      Position p = pos;
      for (int i = 0; i < randomPlies && i < 64; ++i) {
        const int n = ListMoves(p, i % 2 == 0 ? SITA : UE, list);
        opening[i] = list[rng() % static_cast<unsigned>(n)];
        駒移動(p, opening[i].fromX, opening[i].fromY, opening[i].toX, opening[i].toY,
               opening[i].code);
      }
    }
    // A plays the lower army (moving first) in even games.
    Contender* lower = g % 2 == 0 ? &a : &b;
    Contender* upper = g % 2 == 0 ? &b : &a;
    for (Contender* c : {lower, upper}) {
      std::string problem;
      c->player->NewGame(seed * 1000 + static_cast<std::uint64_t>(g) + 1, problem);
    }
    int ply = 0;
    for (; ply < randomPlies; ++ply)
      駒移動(pos, opening[ply].fromX, opening[ply].fromY, opening[ply].toX, opening[ply].toY,
             opening[ply].code);
    MatchGameSettings settings;
    settings.limits[SITA] = LimitsOf(*lower);
    settings.limits[UE] = LimitsOf(*upper);
    settings.maxPlies = maxPlies;
    Player* const byArmy[2] = {lower->player.get(), upper->player.get()};
    const std::string labels[2] = {lower == &a ? "a" : "b", upper == &a ? "a" : "b"};
    const MatchGameEnd end = PlayMatchGame(byArmy, labels, pos, ply, settings, *buffer, nullptr);
    if (end.how == MatchGameEnd::How::Illegal)
      std::fprintf(stderr, "game %d: %s\n", g + 1, end.reason.c_str());
    ply = end.plies;
    const int winner = end.winner;  // 0 lower, 1 upper
    const char* how = end.how == MatchGameEnd::How::KingCaptured ? "king"
                      : end.how == MatchGameEnd::How::Illegal    ? "illegal"
                      : end.how == MatchGameEnd::How::MoveLimit  ? "limit"
                                                                 : "no move";
    const bool aIsLower = lower == &a;
    double aScore = 0.5;
    if (winner >= 0) {
      const bool aWon = (winner == 0) == aIsLower;
      aScore = aWon ? 1.0 : 0.0;
      (aWon ? aWins : bWins) += 1;
    } else {
      ++unfinished;
    }
    aPoints += aScore;
    std::printf("game %d %s a=%s plies %d %s result %.1f\n", g + 1, 右嶺 ? "右嶺" : "左嶺",
                aIsLower ? "lower" : "upper", ply, how, aScore);
    std::fflush(stdout);
  }
  const double score = games > 0 ? aPoints / games : 0;
  const double clamped = std::min(std::max(score, 0.001), 0.999);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("a wins %d, b wins %d, unfinished %d, score %.1f%%, elo %+.0f, %.0f s\n", aWins,
              bWins, unfinished, 100 * score, -400 * std::log10(1 / clamped - 1), seconds);
  return 0;
}
