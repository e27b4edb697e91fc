// The one kind of player: the computer at one of its levels (1 to 3 the
// one-ply engine, 4 to 8 the deep search) or an outside UCI engine, behind
// one interface that the window's computer turn, `match`, `selfplay`, `uci`
// and the strength duel all drive. Every player answers for either army: it
// is given the position, the army to move and the game ply, and names one
// move.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "model/game_move.h"
#include "model/position.h"
#include "search/search_types.h"

namespace qz {

// How long a player may think: the search's limits, and two ways of asking
// without one. All zero: as its level plays by itself. Levels 1 to 3 look
// one move ahead and ignore the limits; LEVEL4 to LEVEL6 never search more
// than their own node budget, except when thinking until stopped.
struct PlayLimits : search::Limits {
  bool infinite = false;    // until stopped (uci "go infinite")
  bool levelNodes = false;  // a deep level searches its own node budget instead
  // With levelNodes: every deep level's budget divided by this (to measure
  // the strong levels against each other at the same ratio in less time).
  std::uint64_t levelNodesDivisor = 1;
};

// One step of a deepening search, as `uci` prints it in an "info" line.
struct ThinkReport {
  static constexpr int MaxPv = 64;
  int depth = 0;
  bool hasScore = false;
  int score = 0;  // centipawns from the mover's view, or moves to mate when mate
  bool mate = false;
  std::uint64_t nodes = 0;
  std::uint64_t nps = 0;
  int pvLength = 0;
  GameMove pv[MaxPv];
};

class ThinkObserver {
 public:
  virtual ~ThinkObserver() = default;
  virtual void onDepth(const ThinkReport& report) = 0;
};

struct PlayerMove {
  enum class Kind { Move, NoMove, Failed };
  Kind kind = Kind::Failed;
  GameMove move;
  std::string text;     // the move as the player wrote it (UCI text)
  std::string problem;  // Failed: what went wrong, for the game's line
};

class Player {
 public:
  virtual ~Player() = default;
  // How the player is named in the output and in the records.
  virtual std::string Name() const = 0;
  // Before the first game: false, with the problem, when it cannot play.
  virtual bool Start(std::string& problem) {
    (void)problem;
    return true;
  }
  // Before each game; the seed lets a player that varies its play do so
  // reproducibly. False, with the problem, when it cannot play this game.
  virtual bool NewGame(std::uint64_t seed, std::string& problem) {
    (void)seed;
    (void)problem;
    return true;
  }
  // The move of `toMove` in pos, gamePly moves into the game. stop, when
  // given, is set by another thread to end the thinking early.
  virtual PlayerMove Play(const Position& pos, Side toMove, int gamePly, const PlayLimits& limits,
                          const std::atomic<bool>* stop, ThinkObserver* observer) = 0;
  // After the last game.
  virtual void Finish() {}
};

struct PlayerSettings {
  std::size_t hashMegabytes = 64;
  int threads = 1;  // of the deep levels
};

// The highest level built into this program.
int HighestLevel();

// The computer at `level` (1 .. HighestLevel()); nullptr with the problem
// when there is no such level.
std::unique_ptr<Player> MakeLevelPlayer(int level, const PlayerSettings& settings,
                                        std::string& problem);

// From the text of --a / --b: a level "1" .. "8", or "uci:COMMAND" (an
// engine started as /bin/sh -c COMMAND). nullptr with the problem otherwise.
std::unique_ptr<Player> MakePlayer(const std::string& text, const PlayerSettings& settings,
                                   std::string& problem);

}  // namespace qz
