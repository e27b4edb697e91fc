// qzreishogi-cli uci: the computer as a UCI engine on standard input and
// output, in the conventions of the engines for this game (FEN with hands,
// the lower army as white moving first, moves c3c4, c8c9+, P@e5). A search
// runs on a worker thread so that stop and quit are read while it thinks.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_common.h"
#include "cli/match_player.h"
#include "cli/match_rules.h"
#include "model/make_move.h"
#include "model/placement.h"
#include "model/uci_notation.h"

namespace qz::cli {

namespace {

constexpr int kDefaultHashMb = 64;
constexpr int kMaxHashMb = 4096;
constexpr int kMaxPerftDepth = 4;
constexpr int kMaxThreads = 64;

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::optional<std::int64_t> Number(const std::vector<std::string>& w, std::size_t i) {
  if (i >= w.size()) return std::nullopt;
  try {
    std::size_t used = 0;
    const long long v = std::stoll(w[i], &used);
    if (used != w[i].size()) return std::nullopt;
    return v;
  } catch (...) {
    return std::nullopt;
  }
}

// Lines to the program on the other side; the worker writes too.
class Output {
 public:
  void Line(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }

 private:
  std::mutex mutex_;
};

// Prints each report of the search as an "info" line.
class InfoPrinter : public ThinkObserver {
 public:
  InfoPrinter(Output& out, const Position& root) : out_(out), root_(root) {}
  void Report(const ThinkReport& r) override {
    std::string line = "info depth " + std::to_string(r.depth);
    if (r.hasScore) line += (r.mate ? " score mate " : " score cp ") + std::to_string(r.score);
    line += " nodes " + std::to_string(r.nodes);
    if (r.nps > 0) line += " nps " + std::to_string(r.nps);
    const int n = std::clamp(r.pvLength, 0, ThinkReport::MaxPv);
    if (n > 0) line += " pv " + MovesToUci(root_, r.pv, n);
    out_.Line(line);
  }

 private:
  Output& out_;
  const Position& root_;
};

// Move sequences of `depth` plies from pos; buffers[0] serves this ply.
std::uint64_t CountLeaves(const Position& pos, Side side, int depth, MoveBuffer* buffers) {
  ListMoves(pos, side, buffers[0]);
  if (depth <= 1) return static_cast<std::uint64_t>(buffers[0].size);
  std::uint64_t total = 0;
  for (int i = 0; i < buffers[0].size; ++i) {
    Position next = pos;
    const GameMove& m = buffers[0].moves[i];
    駒移動(next, m.fromX, m.fromY, m.toX, m.toY, m.code);
    total += CountLeaves(next, Opponent(side), depth - 1, buffers + 1);
  }
  return total;
}

class UciSession {
 public:
  UciSession() {
    SetUpStartingPosition(pos_, false);
    level_ = HighestLevel();
  }
  ~UciSession() { StopSearch(); }

  // Handles one line; false after quit.
  bool Handle(const std::string& line) {
    const std::vector<std::string> w = Words(line);
    if (w.empty()) return true;
    const std::string& cmd = w[0];
    if (cmd == "quit") {
      StopSearch();
      return false;
    }
    if (cmd == "stop")
      StopSearch();
    else if (cmd == "isready") {
      EnsurePlayer();
      out_.Line("readyok");
    } else if (cmd == "uci")
      Identify();
    else if (cmd == "d")
      out_.Line("Fen: " + ToFen(pos_, side_, ply_ / 2 + 1));
    else if (cmd == "setoption") {
      StopSearch();
      SetOption(w);
    } else if (cmd == "ucinewgame") {
      StopSearch();
      EnsurePlayer();
      if (player_) NewGame();
    } else if (cmd == "position") {
      StopSearch();
      SetPosition(w);
    } else if (cmd == "go") {
      StopSearch();
      Go(w);
    }
    return true;  // anything else is not ours to answer
  }

  // End of input: a search that was asked for still gives its move.
  void FinishInput() {
    if (infinite_) stop_ = true;
    if (worker_.joinable()) worker_.join();
  }

 private:
  void Identify() {
    out_.Line("id name QZ嶺将棋");
    out_.Line("id author the QZ嶺将棋 developers");
    out_.Line("option name Level type spin default " + std::to_string(HighestLevel()) +
              " min 1 max " + std::to_string(HighestLevel()));
    out_.Line("option name Hash type spin default " + std::to_string(kDefaultHashMb) +
              " min 1 max " + std::to_string(kMaxHashMb));
    out_.Line("option name Threads type spin default 1 min 1 max " + std::to_string(kMaxThreads));
    out_.Line("option name UCI_Variant type combo default reishogi var reishogi");
    out_.Line("uciok");
  }

  void SetOption(const std::vector<std::string>& w) {
    // setoption name NAME [value VALUE]; names may hold blanks.
    std::string name, value;
    std::string* into = nullptr;
    for (std::size_t i = 1; i < w.size(); ++i) {
      if (w[i] == "name")
        into = &name;
      else if (w[i] == "value")
        into = &value;
      else if (into)
        *into += (into->empty() ? "" : " ") + w[i];
    }
    if (SameName(name, "Level")) {
      const auto n = Number(Words(value), 0);
      if (!n || *n < 1 || *n > HighestLevel()) {
        out_.Line("info string Level takes 1 to " + std::to_string(HighestLevel()));
        return;
      }
      if (*n != level_) player_.reset();
      level_ = static_cast<int>(*n);
    } else if (SameName(name, "Hash")) {
      const auto n = Number(Words(value), 0);
      if (!n || *n < 1 || *n > kMaxHashMb) {
        out_.Line("info string Hash takes 1 to " + std::to_string(kMaxHashMb));
        return;
      }
      if (static_cast<std::size_t>(*n) != settings_.hashMegabytes) player_.reset();
      settings_.hashMegabytes = static_cast<std::size_t>(*n);
    } else if (SameName(name, "Threads")) {
      const auto n = Number(Words(value), 0);
      if (!n || *n < 1 || *n > kMaxThreads) {
        out_.Line("info string Threads takes 1 to " + std::to_string(kMaxThreads));
        return;
      }
      if (static_cast<int>(*n) != settings_.threads) player_.reset();
      settings_.threads = static_cast<int>(*n);
    } else if (SameName(name, "UCI_Variant")) {
      if (value != "reishogi") out_.Line("info string only the variant reishogi is played");
    }
  }

  void SetPosition(const std::vector<std::string>& w) {
    std::size_t i = 1;
    Position pos;
    Side side = SITA;
    int ply = 0;
    if (i < w.size() && w[i] == "startpos") {
      SetUpStartingPosition(pos, false);
      ++i;
    } else if (i < w.size() && w[i] == "fen") {
      std::string fen;
      std::vector<std::string> fields;
      for (++i; i < w.size() && w[i] != "moves"; ++i) {
        fen += (fen.empty() ? "" : " ") + w[i];
        fields.push_back(w[i]);
      }
      if (!FromFen(fen, pos, side)) {
        out_.Line("info string unreadable FEN; the position is kept");
        return;
      }
      const auto fullMove = fields.size() >= 6 ? Number(fields, 5) : std::nullopt;
      if (fullMove && *fullMove >= 1 && *fullMove < 100000)
        ply = static_cast<int>(*fullMove - 1) * 2 + (side == UE ? 1 : 0);
      else if (side == UE)
        ply = 1;
    } else {
      out_.Line("info string position takes startpos or fen");
      return;
    }
    if (i < w.size() && w[i] == "moves") {
      for (++i; i < w.size(); ++i) {
        const auto m = MoveFromUci(pos, side, w[i]);
        const std::string refusal = m ? RefusalOf(pos, side, *m) : "unreadable";
        if (!refusal.empty()) {
          out_.Line("info string move " + w[i] + " refused (" + refusal +
                    "); the position stops before it");
          break;
        }
        駒移動(pos, m->fromX, m->fromY, m->toX, m->toY, m->code);
        side = Opponent(side);
        ++ply;
      }
    }
    pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
    pos.HandTotal[UE] = 調査_持駒数(pos, UE);
    pos.winner = Victor::None;
    pos_ = pos;
    side_ = side;
    ply_ = ply;
  }

  void Go(const std::vector<std::string>& w) {
    Limits limits;
    std::int64_t time[2] = {-1, -1}, increment[2] = {0, 0}, movesToGo = 0;
    for (std::size_t i = 1; i < w.size(); ++i) {
      const auto n = Number(w, i + 1);
      const std::string& k = w[i];
      if (k == "infinite")
        limits.infinite = true;
      else if (k == "perft" && n)
        return Perft(static_cast<int>(*n));
      else if (!n)
        continue;
      else if (k == "movetime")
        limits.movetimeMs = static_cast<int>(std::clamp<std::int64_t>(*n, 1, 1 << 30));
      else if (k == "nodes")
        limits.nodes = static_cast<std::uint64_t>(std::max<std::int64_t>(*n, 1));
      else if (k == "depth")
        limits.depth = static_cast<int>(std::clamp<std::int64_t>(*n, 1, 1000));
      else if (k == "wtime")
        time[SITA] = *n;
      else if (k == "btime")
        time[UE] = *n;
      else if (k == "winc")
        increment[SITA] = *n;
      else if (k == "binc")
        increment[UE] = *n;
      else if (k == "movestogo")
        movesToGo = *n;
    }
    // A clock: a share of what is left, and most of the increment.
    if (limits.movetimeMs == 0 && time[side_] >= 0) {
      const std::int64_t left = time[side_];
      const std::int64_t share =
          left / (movesToGo > 0 ? movesToGo + 1 : 40) + increment[side_] * 3 / 4;
      limits.movetimeMs =
          static_cast<int>(std::clamp<std::int64_t>(std::min(share, left - 50), 1, 1 << 30));
    }
    EnsurePlayer();
    MoveBuffer& moves = buffers_[0];
    ListMoves(pos_, side_, moves);
    if (!player_ || moves.size == 0) {
      out_.Line("bestmove (none)");
      return;
    }
    stop_ = false;
    infinite_ = limits.infinite;
    worker_ = std::thread([this, limits] { Search(limits); });
  }

  void Search(const Limits& limits) {
    InfoPrinter printer(out_, pos_);
    const PlayerMove answer = player_->Play(pos_, side_, ply_, limits, &stop_, &printer);
    // "go infinite" gives its move only when told to stop.
    while (limits.infinite && !stop_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::string move = "(none)";
    if (answer.kind == PlayerMove::Kind::Move) {
      const std::string refusal = RefusalOf(pos_, side_, answer.move);
      if (refusal.empty())
        move = MoveToUci(pos_, answer.move);
      else
        out_.Line("info string the search chose a refused move (" + refusal + ")");
    }
    out_.Line("bestmove " + move);
  }

  void Perft(int depth) {
    depth = std::clamp(depth, 1, kMaxPerftDepth);
    ListMoves(pos_, side_, buffers_[0]);
    std::uint64_t total = 0;
    const int n = buffers_[0].size;
    for (int i = 0; i < n; ++i) {
      const GameMove m = buffers_[0].moves[i];
      Position next = pos_;
      駒移動(next, m.fromX, m.fromY, m.toX, m.toY, m.code);
      const std::uint64_t count =
          depth == 1 ? 1 : CountLeaves(next, Opponent(side_), depth - 1, buffers_.get() + 1);
      total += count;
      out_.Line(MoveToUci(pos_, m) + ": " + std::to_string(count));
    }
    out_.Line("");
    out_.Line("Nodes searched: " + std::to_string(total));
  }

  void StopSearch() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    infinite_ = false;
  }

  void EnsurePlayer() {
    if (player_) return;
    std::string problem;
    player_ = MakeLevelPlayer(level_, settings_, problem);
    if (!player_) {
      out_.Line("info string " + problem);
      return;
    }
    NewGame();
  }

  void NewGame() {
    std::string problem;
    if (!player_->NewGame(std::random_device{}(), problem)) out_.Line("info string " + problem);
  }

  Output out_;
  Position pos_;
  Side side_ = SITA;
  int ply_ = 0;
  int level_ = 3;
  PlayerSettings settings_;
  std::unique_ptr<MatchPlayer> player_;
  std::unique_ptr<MoveBuffer[]> buffers_ = std::make_unique<MoveBuffer[]>(kMaxPerftDepth + 1);
  std::thread worker_;
  std::atomic<bool> stop_{false};
  bool infinite_ = false;
};

int RunUci(const std::vector<std::string>& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "uci: takes no arguments\n");
    return 2;
  }
  auto session = std::make_unique<UciSession>();
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!session->Handle(line)) return 0;
  }
  session->FinishInput();
  return 0;
}

const RegisterCommand kRegister({
    "uci",
    "  uci\n"
    "      the computer as a UCI engine on standard input and output: uci, isready,\n"
    "      ucinewgame, setoption (Level, Hash, UCI_Variant = reishogi), position\n"
    "      startpos|fen FEN [moves ...] (startpos = 左嶺, FEN with hands in brackets,\n"
    "      the lower army as white moving first), go movetime|nodes|depth|wtime btime\n"
    "      winc binc|infinite|perft D, stop, d (the FEN), quit",
    RunUci,
});

}  // namespace

}  // namespace qz::cli
