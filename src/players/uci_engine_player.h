// An outside UCI engine as a match player: started once, given the position
// as a FEN before every move, and asked with "go". Whatever goes wrong (no
// answer in time, an unreadable answer, the engine ending) is reported as a
// failed move; a new game starts the engine again when it has ended.
#pragma once

#include <string>

#include "players/child_process.h"
#include "players/player.h"

namespace qz {

class UciEnginePlayer : public Player {
 public:
  explicit UciEnginePlayer(std::string command) : command_(std::move(command)) {}
  ~UciEnginePlayer() override { Finish(); }

  std::string Name() const override;
  bool Start(std::string& problem) override;
  bool NewGame(std::uint64_t seed, std::string& problem) override;
  PlayerMove Play(const Position& pos, Side toMove, int gamePly, const PlayLimits& limits,
                  const std::atomic<bool>* stop, ThinkObserver* observer) override;
  void Finish() override;

  // How long an engine may take to start, to answer isready, and beyond its
  // move time to answer go (with no move time: in all).
  static constexpr int StartTimeoutMs = 30000;
  static constexpr int MoveGraceMs = 5000;
  static constexpr int UnlimitedMoveTimeoutMs = 60000;
  // The move time an engine is given when the match sets no limit.
  static constexpr int DefaultMovetimeMs = 1000;

 private:
  // Sends the line, then reads until a line starting with `expected`;
  // false with the problem otherwise.
  bool Exchange(const std::string& line, const std::string& expected, int timeoutMs,
                std::string& problem, std::string* answer = nullptr);
  std::string Ended(const std::string& what);

  std::string command_;
  std::string engineName_;
  ChildProcess child_;
};

}  // namespace qz
