#include "tune/generate.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include "model/make_move.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "players/match_game.h"
#include "players/player.h"
#include "search/searcher.h"

namespace qz::tune {

namespace {

constexpr int kWin = 30000;

// Captures only, null window around the static judgement: above beta as
// soon as a capture wins something.
int Quiesce(FastPosition& pos, const search::Evaluator& eval, int alpha, int beta, int depth,
            Move* scratch) {
  const int stand = eval.Evaluate(pos);
  if (stand >= beta || depth == 0) return stand;
  alpha = std::max(alpha, stand);
  const int n = GenerateCaptures(pos, scratch);
  for (int i = 0; i < n; ++i) {
    const Move m = scratch[i];
    if (KindOf(CapturedPiece(m)) == King) return kWin;
    Undo undo;
    pos.Make(m, undo);
    const int score = -Quiesce(pos, eval, -beta, -alpha, depth - 1, scratch + n);
    pos.Unmake(m, undo);
    if (score >= beta) return score;
    alpha = std::max(alpha, score);
  }
  return alpha;
}

// The deep search as a player that notes each position it is asked about
// with its score.
class NotingPlayer : public Player {
 public:
  struct Seen {
    Position pos;
    Side toMove;
    int gamePly;
    int score;  // the mover's
  };
  explicit NotingPlayer(search::Searcher& searcher) : searcher_(searcher) {}
  std::string Name() const override { return "tune"; }
  bool NewGame(std::uint64_t seed, std::string&) override {
    searcher_.NewGame(seed);
    seen.clear();
    return true;
  }
  PlayerMove Play(const Position& pos, Side toMove, int gamePly, const PlayLimits& limits,
                  const std::atomic<bool>* stop, ThinkObserver*) override {
    const search::Result r = searcher_.Think(pos, toMove, gamePly, limits, stop);
    PlayerMove answer;
    if (!r.found) {
      answer.kind = PlayerMove::Kind::NoMove;
      return answer;
    }
    seen.push_back({pos, toMove, gamePly, r.score});
    answer.kind = PlayerMove::Kind::Move;
    answer.move = r.best;
    answer.text = MoveToUci(pos, r.best);
    return answer;
  }
  std::vector<Seen> seen;

 private:
  search::Searcher& searcher_;
};

}  // namespace

bool IsQuiet(FastPosition& pos, const search::Evaluator& eval, Move* scratch) {
  if (pos.InCheck() || pos.CanCaptureKing()) return false;
  const int stand = eval.Evaluate(pos);
  return Quiesce(pos, eval, stand, stand + 1, 7, scratch) <= stand;
}

bool ToQuietLeaf(FastPosition& pos, const search::Evaluator& eval, Move* scratch,
                 CaptureLine& line) {
  int& length = line.length;
  length = 0;
  while (true) {
    if (pos.InCheck() || pos.CanCaptureKing()) return false;
    const int stand = eval.Evaluate(pos);
    if (Quiesce(pos, eval, stand, stand + 1, 7, scratch) <= stand) return true;
    if (length == CaptureLine::kMax) return false;
    // The capture that wins most, by the full quiescence after it.
    const int n = GenerateCaptures(pos, scratch);
    Move best = 0;
    int bestScore = -kWin - 1;
    for (int i = 0; i < n; ++i) {
      const Move m = scratch[i];
      if (KindOf(CapturedPiece(m)) == King) return false;
      Undo undo;
      pos.Make(m, undo);
      const int score = -Quiesce(pos, eval, -kWin - 1, -std::max(bestScore, stand), 6, scratch + n);
      pos.Unmake(m, undo);
      if (score > bestScore) bestScore = score, best = m;
    }
    if (best == 0) return false;
    line.moves[length] = best;
    pos.Make(best, line.undos[length++]);
  }
}

void TakeBack(FastPosition& pos, CaptureLine& line) {
  while (line.length > 0) {
    --line.length;
    pos.Unmake(line.moves[line.length], line.undos[line.length]);
  }
}

GenerateReport Generate(const GenerateSettings& settings, std::vector<Sample>& out,
                        void (*progress)(int, std::size_t)) {
  GenerateReport report;
  std::mutex lock;
  std::atomic<int> next{0};
  const auto start = std::chrono::steady_clock::now();
  auto work = [&] {
    search::Searcher searcher(16);
    NotingPlayer player(searcher);
    const search::Evaluator eval;
    const auto scratch = std::make_unique<Move[]>(kQuietScratch);
    const auto buffer = std::make_unique<MoveBuffer>();
    const auto list = std::make_unique<GameMove[]>(kMaxMoves);
    std::vector<Sample> kept;
    for (int g; (g = next.fetch_add(1)) < settings.games;) {
      if (settings.minutes > 0 &&
          std::chrono::steady_clock::now() - start > std::chrono::minutes(settings.minutes))
        break;
      std::mt19937_64 rng(settings.seed * 1000003 + static_cast<std::uint64_t>(g));
      Position pos;
      SetUpStartingPosition(pos, rng() % 2 == 1);
      int ply = 0;
      for (; ply < settings.randomPlies; ++ply) {
        const int n = ListMoves(pos, ply % 2 == 0 ? SITA : UE, list.get());
        if (n == 0) break;
        const GameMove m = list[rng() % static_cast<unsigned>(n)];
        駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
        if (pos.winner != Victor::None) break;
      }
      if (pos.winner != Victor::None) continue;
      std::string problem;
      player.NewGame(rng(), problem);
      Player* const both[2] = {&player, &player};
      const std::string labels[2] = {"lower", "upper"};
      MatchGameSettings game;
      for (PlayLimits& l : game.limits) l.nodes = settings.nodes;
      game.maxPlies = settings.maxPlies;
      const MatchGameEnd end = PlayMatchGame(both, labels, pos, ply, game, *buffer, nullptr);
      const int result = end.winner == SITA ? 2 : end.winner == UE ? 0 : 1;
      kept.clear();
      FastPosition fast;
      fast.SetTable(&eval.table());
      CaptureLine line;
      for (const NotingPlayer::Seen& s : player.seen) {
        if (s.gamePly < settings.skipPlies || std::abs(s.score) > settings.maxScore) continue;
        fast.Set(s.pos, s.toMove);
        if (ToQuietLeaf(fast, eval, scratch.get(), line))
          kept.push_back(SampleOf(fast, result, s.toMove == SITA ? s.score : -s.score));
        TakeBack(fast, line);
      }
      std::lock_guard<std::mutex> hold(lock);
      out.insert(out.end(), kept.begin(), kept.end());
      ++report.games;
      report.plies += static_cast<std::uint64_t>(end.plies);
      (end.winner == SITA ? report.lowerWins
       : end.winner == UE ? report.upperWins
                          : report.unfinished) += 1;
      if (progress) progress(report.games, out.size());
    }
  };
  const int threads = std::clamp(settings.threads, 1, 64);
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
  work();
  for (std::thread& t : helpers) t.join();
  return report;
}

}  // namespace qz::tune
