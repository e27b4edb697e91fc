#include "cli/uci_session.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <new>
#include <optional>
#include <random>
#include <sstream>

#include "model/fast_position.h"
#include "model/make_move.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "players/match_rules.h"

namespace qz::cli {

namespace {

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

// Prints each report of the search as an "info" line.
class InfoPrinter : public ThinkObserver {
 public:
  InfoPrinter(std::function<void(const std::string&)> out, const Position& root)
      : out_(std::move(out)), root_(root) {}
  void onDepth(const ThinkReport& r) override {
    std::string line = "info depth " + std::to_string(r.depth);
    if (r.hasScore) line += (r.mate ? " score mate " : " score cp ") + std::to_string(r.score);
    line += " nodes " + std::to_string(r.nodes);
    if (r.nps > 0) line += " nps " + std::to_string(r.nps);
    const int n = std::clamp(r.pvLength, 0, ThinkReport::MaxPv);
    if (n > 0) line += " pv " + MovesToUci(root_, r.pv, n);
    out_(line);
  }

 private:
  std::function<void(const std::string&)> out_;
  const Position& root_;
};

}  // namespace

UciSession::UciSession(Sink out, Caps caps) : sink_(std::move(out)), caps_(caps) {
  SetUpStartingPosition(pos_, false);
  level_ = HighestLevel();
  if (caps_.hashMegabytes > 0)
    settings_.hashMegabytes = std::min<std::size_t>(settings_.hashMegabytes, caps_.hashMegabytes);
}

UciSession::~UciSession() { StopSearch(); }

void UciSession::Line(const std::string& text) {
  std::lock_guard<std::mutex> lock(outMutex_);
  sink_(text);
}

bool UciSession::Handle(const std::string& line) {
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
    Line("readyok");
  } else if (cmd == "uci")
    Identify();
  else if (cmd == "d")
    Line("Fen: " + ToFen(pos_, side_, ply_ / 2 + 1));
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

void UciSession::FinishInput() { StopSearch(); }

void UciSession::Identify() {
  Line("id name QZ嶺将棋");
  Line("id author the QZ嶺将棋 developers");
  Line("option name Level type spin default " + std::to_string(HighestLevel()) + " min 1 max " +
       std::to_string(HighestLevel()));
  Line("option name Hash type spin default " + std::to_string(DefaultHashMb) + " min 1 max " +
       std::to_string(MaxHashMb));
  Line("option name Threads type spin default 1 min 1 max " + std::to_string(MaxThreads));
  Line("option name UCI_Variant type combo default reishogi var reishogi");
  Line("uciok");
}

void UciSession::SetOption(const std::vector<std::string>& w) {
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
      Line("info string Level takes 1 to " + std::to_string(HighestLevel()));
      return;
    }
    if (*n != level_) player_.reset();
    level_ = static_cast<int>(*n);
  } else if (SameName(name, "Hash")) {
    auto n = Number(Words(value), 0);
    if (!n || *n < 1 || *n > MaxHashMb) {
      Line("info string Hash takes 1 to " + std::to_string(MaxHashMb));
      return;
    }
    if (caps_.hashMegabytes > 0) n = std::min<std::int64_t>(*n, caps_.hashMegabytes);
    if (static_cast<std::size_t>(*n) != settings_.hashMegabytes) player_.reset();
    settings_.hashMegabytes = static_cast<std::size_t>(*n);
  } else if (SameName(name, "Threads")) {
    const auto n = Number(Words(value), 0);
    if (!n || *n < 1 || *n > MaxThreads) {
      Line("info string Threads takes 1 to " + std::to_string(MaxThreads));
      return;
    }
    if (static_cast<int>(*n) != settings_.threads) player_.reset();
    settings_.threads = static_cast<int>(*n);
  } else if (SameName(name, "UCI_Variant")) {
    if (value != "reishogi") Line("info string only the variant reishogi is played");
  }
}

void UciSession::SetPosition(const std::vector<std::string>& w) {
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
    std::string problem;
    if (!FromFen(fen, pos, side, &problem)) {
      Line(problem.empty() ? "info string unreadable FEN; the position is kept"
                           : "info string FEN refused (" + problem + "); the position is kept");
      return;
    }
    const auto fullMove = fields.size() >= 6 ? Number(fields, 5) : std::nullopt;
    if (fullMove && *fullMove >= 1 && *fullMove < 100000)
      ply = static_cast<int>(*fullMove - 1) * 2 + (side == UE ? 1 : 0);
    else if (side == UE)
      ply = 1;
  } else {
    Line("info string position takes startpos or fen");
    return;
  }
  if (i < w.size() && w[i] == "moves") {
    for (++i; i < w.size(); ++i) {
      const auto m = MoveFromUci(pos, side, w[i]);
      const std::string refusal = m ? RefusalOf(pos, side, *m) : "unreadable";
      if (!refusal.empty()) {
        Line("info string move " + w[i] + " refused (" + refusal +
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

void UciSession::Go(const std::vector<std::string>& w) {
  PlayLimits limits;
  std::int64_t time[2] = {-1, -1}, increment[2] = {0, 0}, movesToGo = 0;
  for (std::size_t i = 1; i < w.size(); ++i) {
    const auto n = Number(w, i + 1);
    const std::string& k = w[i];
    if (k == "infinite")
      limits.infinite = true;
    else if (k == "perft" && n) {
      const int most = caps_.perftDepth > 0 ? caps_.perftDepth : MaxPerftDepth;
      if (*n < 1 || *n > MaxPerftDepth) {
        Line("info string perft takes a depth of 1 to " + std::to_string(MaxPerftDepth));
        return;
      }
      const int depth = static_cast<int>(std::min<std::int64_t>(*n, most));
      stop_ = false;
      worker_ = std::thread([this, depth] { Perft(depth); });
      return;
    } else if (!n)
      continue;
    else if (k == "movetime") {
      limits.movetimeMs = static_cast<int>(std::clamp<std::int64_t>(*n, 1, 1 << 30));
      limits.exactTime = true;
    } else if (k == "nodes")
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
  if (caps_.nodes > 0) {
    limits.nodes = limits.nodes == 0 ? caps_.nodes : std::min(limits.nodes, caps_.nodes);
    limits.levelNodes = false;
  }
  EnsurePlayer();
  auto moves = std::make_unique<MoveBuffer>();
  ListMoves(pos_, side_, *moves);
  if (!player_ || moves->size == 0) {
    Line("bestmove (none)");
    return;
  }
  stop_ = false;
  worker_ = std::thread([this, limits] { Search(limits); });
}

void UciSession::Search(const PlayLimits& limits) {
  InfoPrinter printer([this](const std::string& l) { Line(l); }, pos_);
  const PlayerMove answer = player_->Play(pos_, side_, ply_, limits, &stop_, &printer);
  // "go infinite" gives its move only when told to stop.
  while (limits.infinite && !stop_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  std::string move = "(none)";
  if (answer.kind == PlayerMove::Kind::Move) {
    const std::string refusal = RefusalOf(pos_, side_, answer.move);
    if (refusal.empty())
      move = MoveToUci(pos_, answer.move);
    else
      Line("info string the search chose a refused move (" + refusal + ")");
  }
  Line("bestmove " + move);
}

void UciSession::Perft(int depth) {
  // The one perft of the program, the same as `qzreishogi-cli perft`.
  auto pos = std::make_unique<FastPosition>();
  pos->Set(pos_, side_);
  auto root = std::make_unique<Position>();
  pos->ToPosition(*root);
  bool stopped = false;
  const std::uint64_t total = PerftDivide(
      *pos, depth,
      [&](Move m, std::uint64_t count) {
        Line(MoveToUci(*root, ToGameMove(m)) + ": " + std::to_string(count));
      },
      &stop_, &stopped);
  if (stopped) {
    Line("info string perft stopped; the counts above are whole, the total is not given");
    return;
  }
  Line("");
  Line("Nodes searched: " + std::to_string(total));
}

void UciSession::StopSearch() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void UciSession::EnsurePlayer() {
  if (player_) return;
  std::string problem;
  const std::size_t asked = settings_.hashMegabytes;
  for (;;) {
    try {
      player_ = MakeLevelPlayer(level_, settings_, problem);
      break;
    } catch (const std::bad_alloc&) {
      // A table as large as memory allows: each try asks for half.
      if (settings_.hashMegabytes <= 1) {
        settings_.hashMegabytes = asked;
        Line("info string not enough memory for the computer");
        return;
      }
      settings_.hashMegabytes /= 2;
    }
  }
  if (settings_.hashMegabytes != asked)
    Line("info string Hash " + std::to_string(asked) + " MB cannot be had; the table has " +
         std::to_string(settings_.hashMegabytes) + " MB");
  if (!player_) {
    Line("info string " + problem);
    return;
  }
  NewGame();
}

void UciSession::NewGame() {
  std::string problem;
  // A capped (fuzzed) session plays the same way every time.
  const std::uint64_t seed = caps_.nodes > 0 ? 1 : std::random_device{}();
  if (!player_->NewGame(seed, problem)) Line("info string " + problem);
}

}  // namespace qz::cli
