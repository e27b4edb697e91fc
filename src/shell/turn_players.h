// The players of the window's computer turn, one per kind of level, behind
// the players' one interface: com_ban asks the one of the current level for
// the upper army's move on the game's position.
#pragma once

#include <string>

#include "players/player.h"
#include "shell/game.h"

namespace qz {

// Levels 1 to 3: the game's own computer on the game's position, the clock
// ticking and the window repainting while it tries the candidates.
class Game::LevelTurnPlayer : public Player {
 public:
  explicit LevelTurnPlayer(Game& game) : game_(game) {}
  std::string Name() const override { return "LEVEL" + std::to_string(game_.com.Level); }
  // pos must be the game's position; the army is the upper one.
  PlayerMove Play(const Position& pos, Side toMove, int gamePly, const PlayLimits& limits,
                  const std::atomic<bool>* stop, ThinkObserver* observer) override;

 private:
  Game& game_;
};

// LEVEL4 to LEVEL8: the deep player over deep.searcher (made on first
// use), thinking on a copy of the position through the Thinking port while
// the window stays alive. Failed when the program ends meanwhile.
class Game::DeepTurnPlayer : public Player {
 public:
  explicit DeepTurnPlayer(Game& game) : game_(game) {}
  std::string Name() const override { return "LEVEL" + std::to_string(game_.com.Level); }
  PlayerMove Play(const Position& pos, Side toMove, int gamePly, const PlayLimits& limits,
                  const std::atomic<bool>* stop, ThinkObserver* observer) override;

 private:
  Game& game_;
};

}  // namespace qz
