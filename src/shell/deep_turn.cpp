// The deep levels' thinking inside the computer's turn: the search runs while
// the window stays alive, its clock ticking; everything around it is the
// turn every level plays.
#include <atomic>

#include "search/searcher.h"
#include "shell/game.h"

namespace qz {

Game::~Game() = default;

void Game::StartDeepGame() {
  if (!deep.searcher) return;
  // Each game its own seed, so that the opening moves vary between games.
  const double now = Now();
  deep.searcher->NewGame(static_cast<std::uint64_t>(now * 1000.0) * 0x9E3779B97F4A7C15ull | 1u);
}

bool Game::ThinkDeep(GameMove& chosen, bool& found) {
  if (!deep.searcher) {
    deep.searcher = std::make_unique<search::Searcher>(deep.HashMegabytes);
    StartDeepGame();
  }
  search::Limits limits;
  const search::LevelSettings level = search::SettingsOfLevel(com.Level);
  if (deep.NodeLimit != 0)
    limits.nodes = deep.NodeLimit;
  else
    limits.movetimeMs = level.movetimeMs;

  // The search works on its own copy: the board on screen stays as it is.
  const Position position = pos;
  search::Result result;
  auto work = [&](const std::atomic<bool>& stop) {
    result = deep.searcher->Think(position, UE, flags.MoveNumber, limits, &stop);
  };
  auto alive = [this] { Timer1_Timer(); };
  if (ports.thinking != nullptr) {
    if (!ports.thinking->run(work, alive)) return false;
  } else {
    const std::atomic<bool> never{false};
    work(never);
  }
  found = result.found;
  if (found) chosen = result.best;
  return true;
}

}  // namespace qz
