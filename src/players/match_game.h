// One game between two players with the rules as referee: the match
// runner that `match` and the strength duel set up (their openings, their
// records, their lines of output) around the same loop. An army loses when
// it has no move, when its player gives none, fails or names a move the
// rules refuse; the game is won by taking the king and unfinished at the ply
// limit.
#pragma once

#include <string>

#include "model/position.h"
#include "players/match_rules.h"
#include "players/player.h"

namespace qz {

struct MatchGameSettings {
  PlayLimits limits[2];  // by army
  int maxPlies = 300;    // plies in all, the opening's included
};

struct MatchGameEnd {
  enum class How { MoveLimit, NoMove, NoAnswer, Failed, Illegal, KingCaptured };
  How how = How::MoveLimit;
  int winner = -1;  // the army that won (SITA, UE), -1 none
  std::string reason;
  int plies = 0;
};

// Told of each move as it is played.
class MatchGameWatcher {
 public:
  virtual ~MatchGameWatcher() = default;
  // The move of `mover` left `after`, `plies` moves into the game; its
  // player thought `seconds`.
  virtual void onMove(const Position& after, Side mover, int plies, double seconds) = 0;
};

// Plays on from pos, `plies` moves into the game (the lower army moves on
// even plies). byArmy and labels are indexed by army; the labels name the
// players in the reason. buffer is the referee's scratch list.
MatchGameEnd PlayMatchGame(Player* const byArmy[2], const std::string labels[2], Position& pos,
                           int plies, const MatchGameSettings& settings, MoveBuffer& buffer,
                           MatchGameWatcher* watcher);

}  // namespace qz
