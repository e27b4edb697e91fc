// The deep levels' thinking inside the computer's turn: the search runs while
// the window stays alive, its clock ticking; everything around it is the
// turn every level plays.
#include <algorithm>
#include <atomic>

#include "players/deep_player.h"
#include "search/searcher.h"
#include "shell/game.h"
#include "shell/turn_players.h"

namespace qz {

Game::~Game() = default;

void Game::StartDeepGame() {
  if (!deep.searcher) return;
  // Each game its own seed, so that the opening moves vary between games.
  const double now = Now();
  deep.searcher->NewGame(static_cast<std::uint64_t>(now * 1000.0) * 0x9E3779B97F4A7C15ull | 1u);
}

void Game::SetDeepThreads(int threads) {
  deep.Threads = threads;
  // Each further thread keeps its own 40 MB of move history: a smaller table
  // keeps the program within its memory (the table is made on first use).
  if (threads > 1) deep.HashMegabytes = std::min<std::size_t>(deep.HashMegabytes, 16);
  if (deep.searcher) deep.searcher->SetThreads(threads);
}

search::Searcher& Game::DeepSearcher() {
  if (!deep.searcher) {
    deep.searcher = std::make_unique<search::Searcher>(deep.HashMegabytes);
    deep.searcher->SetThreads(deep.Threads);
    StartDeepGame();
  }
  return *deep.searcher;
}

PlayerMove Game::DeepTurnPlayer::Play(const Position& pos, Side toMove, int gamePly,
                                      const PlayLimits& limits, const std::atomic<bool>*,
                                      ThinkObserver*) {
  DeepLevelPlayer player(game_.com.Level, game_.DeepSearcher());
  // The search works on its own copy: the board on screen stays as it is.
  const Position position = pos;
  PlayerMove answer;
  auto work = [&](const std::atomic<bool>& stop) {
    answer = player.Play(position, toMove, gamePly, limits, &stop, nullptr);
  };
  auto alive = [this] { game_.Timer1_Timer(); };
  if (game_.ports.thinking != nullptr) {
    if (!game_.ports.thinking->run(work, alive)) {
      answer.kind = PlayerMove::Kind::Failed;
      answer.problem = "the program ended while the computer thought";
    }
  } else {
    const std::atomic<bool> never{false};
    work(never);
  }
  return answer;
}

}  // namespace qz
