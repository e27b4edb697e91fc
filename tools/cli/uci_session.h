// The engine behind `qzreishogi-cli uci`: reads one UCI command line at a
// time and answers through a line sink. A search or a perft runs on a worker
// thread, so that stop and quit are read while it works; the sink is called
// from that thread too, one whole line at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/position.h"
#include "players/player.h"

namespace qz::cli {

class UciSession {
 public:
  // One line of output, without its line end.
  using Sink = std::function<void(const std::string& line)>;

  // Bounds for a session fed by a fuzzer (0: the protocol's own bounds).
  struct Caps {
    std::uint64_t nodes = 0;  // every search, whatever go asks
    int perftDepth = 0;
    int hashMegabytes = 0;
  };

  static constexpr int DefaultHashMb = 64;
  static constexpr int MaxHashMb = 4096;
  static constexpr int MaxThreads = 64;
  static constexpr int MaxPerftDepth = 20;

  explicit UciSession(Sink out) : UciSession(std::move(out), Caps()) {}
  UciSession(Sink out, Caps caps);
  ~UciSession();
  UciSession(const UciSession&) = delete;
  UciSession& operator=(const UciSession&) = delete;

  // Handles one line; false after quit.
  bool Handle(const std::string& line);
  // End of input: a running search ends at once and gives its move, a perft
  // ends where it is; returns when the worker has finished.
  void FinishInput();

 private:
  void Line(const std::string& text);
  void Identify();
  void SetOption(const std::vector<std::string>& w);
  void SetPosition(const std::vector<std::string>& w);
  void Go(const std::vector<std::string>& w);
  void Search(const PlayLimits& limits);
  void Perft(int depth);
  void StopSearch();
  void EnsurePlayer();
  void NewGame();

  Sink sink_;
  Caps caps_;
  std::mutex outMutex_;
  Position pos_;
  Side side_ = SITA;
  int ply_ = 0;
  int level_ = 3;
  PlayerSettings settings_;
  std::unique_ptr<Player> player_;
  std::thread worker_;
  std::atomic<bool> stop_{false};
};

}  // namespace qz::cli
