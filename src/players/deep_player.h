// LEVEL4 to LEVEL8 as players: the deep search (weakened below LEVEL7).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "players/player.h"

namespace qz {

namespace search {
class Searcher;
}

class DeepLevelPlayer : public Player {
 public:
  // With a search of its own.
  DeepLevelPlayer(int level, std::size_t hashMegabytes, int threads = 1);
  // Over a search it is lent (the window's, which its hints share); the
  // search must outlive the player.
  DeepLevelPlayer(int level, search::Searcher& searcher);
  ~DeepLevelPlayer() override;

  std::string Name() const override { return "LEVEL" + std::to_string(level_); }
  bool NewGame(std::uint64_t seed, std::string& problem) override;
  // No limit given: the level's own time; levelNodes: its own node budget;
  // "go infinite" leaves all three at zero, and only the stop flag ends it.
  PlayerMove Play(const Position& pos, Side toMove, int gamePly, const PlayLimits& limits,
                  const std::atomic<bool>* stop, ThinkObserver* observer) override;

 private:
  int level_;
  std::unique_ptr<search::Searcher> own_;
  search::Searcher* searcher_;
};

// The search's limits of a deep level asked with `in` (see PlayLimits): the
// level's time when none is given, its node budget with levelNodes, and for
// LEVEL4 to LEVEL6 their cap on nodes and their choice among the best moves.
search::Limits DeepLevelLimits(int level, const PlayLimits& in);

std::unique_ptr<Player> MakeDeepLevelPlayer(int level, std::size_t hashMegabytes, int threads = 1);

}  // namespace qz
