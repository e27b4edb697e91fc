#include "players/deep_player.h"

#include <algorithm>
#include <string>

#include "model/uci_notation.h"
#include "search/searcher.h"

namespace qz {

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
    out_->onDepth(t);
  }

 private:
  ThinkObserver* out_;
};

}  // namespace

search::Limits DeepLevelLimits(int deepLevel, const PlayLimits& in) {
  const search::LevelSettings level = search::SettingsOfLevel(deepLevel);
  search::Limits limits = in;
  if (in.levelNodes) {
    limits.nodes =
        std::max<std::uint64_t>(1, level.nodes / std::max<std::uint64_t>(1, in.levelNodesDivisor));
  } else if (!in.infinite && limits.movetimeMs == 0 && limits.nodes == 0 && limits.depth == 0) {
    limits.movetimeMs = level.movetimeMs;
  }
  if (level.Weakened()) {
    // A weakened level searches at most its budget, however long it may
    // think, and picks among its best few moves.
    if (!in.infinite && (limits.nodes == 0 || limits.nodes > level.nodes))
      limits.nodes = level.nodes;
    limits.multiPv = level.multiPv;
    limits.weakness = level.weakness;
  }
  return limits;
}

DeepLevelPlayer::DeepLevelPlayer(int level, std::size_t hashMegabytes, int threads)
    : level_(level),
      own_(std::make_unique<search::Searcher>(hashMegabytes)),
      searcher_(own_.get()) {
  searcher_->SetThreads(threads);
}

DeepLevelPlayer::DeepLevelPlayer(int level, search::Searcher& searcher)
    : level_(level), searcher_(&searcher) {}

DeepLevelPlayer::~DeepLevelPlayer() = default;

bool DeepLevelPlayer::NewGame(std::uint64_t seed, std::string&) {
  searcher_->NewGame(seed);
  return true;
}

PlayerMove DeepLevelPlayer::Play(const Position& pos, Side toMove, int gamePly,
                                 const PlayLimits& in, const std::atomic<bool>* stop,
                                 ThinkObserver* observer) {
  const search::Limits limits = DeepLevelLimits(level_, in);
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

std::unique_ptr<Player> MakeDeepLevelPlayer(int level, std::size_t hashMegabytes, int threads) {
  return std::make_unique<DeepLevelPlayer>(level, hashMegabytes, threads);
}

}  // namespace qz
