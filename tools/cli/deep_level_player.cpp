#include "cli/deep_level_player.h"

#include <algorithm>
#include <string>

#include "model/uci_notation.h"
#include "search/searcher.h"

namespace qz::cli {

namespace {

// Each finished depth of the search as the uci command reports it.
class DepthRelay : public search::DepthObserver {
 public:
  explicit DepthRelay(ThinkObserver* out) : out_(out) {}
  void onDepth(const search::DepthReport& d) override {
    ThinkReport t;
    t.depth = d.depth;
    t.hasScore = true;
    if (search::IsDecided(d.score)) {
      // Plies to the king's capture, as whole moves: + for the side to move.
      const int plies = search::kMate - std::abs(d.score);
      t.mate = true;
      t.score = (d.score > 0 ? 1 : -1) * std::max(1, (plies + 1) / 2);
    } else {
      t.score = d.score;
    }
    t.nodes = d.nodes;
    t.nps = d.nps;
    t.pvLength = std::min(d.pvLength, ThinkReport::MaxPv);
    std::copy(d.pv, d.pv + t.pvLength, t.pv);
    out_->Report(t);
  }

 private:
  ThinkObserver* out_;
};

class DeepLevelPlayer : public MatchPlayer {
 public:
  DeepLevelPlayer(int level, std::size_t hashMegabytes)
      : level_(level), searcher_(std::make_unique<search::Searcher>(hashMegabytes)) {}

  std::string Name() const override { return "LEVEL" + std::to_string(level_); }

  void SetThreads(int threads) { searcher_->SetThreads(threads); }

  bool NewGame(std::uint64_t seed, std::string&) override {
    searcher_->NewGame(seed);
    return true;
  }

  PlayerMove Play(const Position& pos, Side toMove, int gamePly, const Limits& in,
                  const std::atomic<bool>* stop, ThinkObserver* observer) override {
    search::Limits limits{in.movetimeMs, in.nodes, in.depth};
    // No limit given: the level's own time. "go infinite" leaves all three
    // at zero, and only the stop flag ends the thinking.
    if (in.levelNodes)
      limits.nodes = search::SettingsOfLevel(level_).nodes;
    else if (!in.infinite && limits.movetimeMs == 0 && limits.nodes == 0 && limits.depth == 0)
      limits.movetimeMs = search::SettingsOfLevel(level_).movetimeMs;
    DepthRelay relay(observer);
    const search::Result r =
        searcher_->Think(pos, toMove, gamePly, limits, stop, observer ? &relay : nullptr);
    PlayerMove answer;
    if (!r.found) {
      answer.kind = PlayerMove::Kind::NoMove;
      return answer;
    }
    answer.kind = PlayerMove::Kind::Move;
    answer.move = r.best;
    answer.text = MoveToUci(pos, r.best);
    return answer;
  }

 private:
  int level_;
  std::unique_ptr<search::Searcher> searcher_;
};

}  // namespace

std::unique_ptr<MatchPlayer> MakeDeepLevelPlayer(int level, std::size_t hashMegabytes,
                                                 int threads) {
  auto player = std::make_unique<DeepLevelPlayer>(level, hashMegabytes);
  player->SetThreads(threads);
  return player;
}

}  // namespace qz::cli
