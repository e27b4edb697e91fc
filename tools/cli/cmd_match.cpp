// qzreishogi-cli match: two players, each a level of this program or an
// outside UCI engine, play a series of games refereed by the game's rules.
// Games come in pairs from one opening with the armies swapped; the
// placements alternate between pairs, 左嶺 first. The lower army moves first.
#include <signal.h>

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/match_result.h"
#include "model/make_move.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "play/history.h"
#include "play/record_file.h"
#include "players/match_game.h"
#include "players/match_rules.h"
#include "players/player.h"

namespace qz::cli {

namespace {

// A record holds 500 positions after the opening one.
constexpr int kMaxPlies = History::Capacity - 1;
constexpr int kMaxGames = 100000;
constexpr std::uint64_t kMaxLevelNodesDivisor = 1000;
constexpr int kMaxMovetimeMs = 3600000;
constexpr int kMaxThreads = 64;

struct MatchOptions {
  std::string a, b;
  int games = 2;
  int movetimeMs = 0;
  std::uint64_t nodes = 0;
  std::uint64_t seed = 1;
  int randomPlies = 0;
  int maxMoves = 300;
  bool levelNodes = false;
  std::uint64_t levelNodesDivisor = 1;
  int threads[2] = {1, 1};  // of each player's deep search
  std::optional<std::string> outDir;
};

int Usage(const std::string& problem) {
  std::fprintf(stderr, "match: %s\n", problem.c_str());
  return 2;
}

std::optional<std::uint64_t> ParseCount(const std::string& text) {
  std::uint64_t v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || p != text.data() + text.size() || text.empty()) return std::nullopt;
  return v;
}

// Reads the options; an empty result means they are sound.
std::string ReadOptions(std::vector<std::string> args, MatchOptions& o) {
  auto whole = [&](const char* name, int lo, int hi, int& out) -> std::string {
    if (auto v = TakeOption(args, name)) {
      auto n = ParseInt(*v);
      if (!n || *n < lo || *n > hi)
        return std::string(name) + " takes a whole number from " + std::to_string(lo) + " to " +
               std::to_string(hi);
      out = *n;
    }
    return {};
  };
  auto count = [&](const char* name, std::uint64_t lo, std::uint64_t& out) -> std::string {
    if (auto v = TakeOption(args, name)) {
      auto n = ParseCount(*v);
      if (!n || *n < lo)
        return std::string(name) + " takes a whole number of at least " + std::to_string(lo);
      out = *n;
    }
    return {};
  };
  const auto a = TakeOption(args, "--a");
  const auto b = TakeOption(args, "--b");
  if (!a || !b) return "--a P and --b P are required";
  o.a = *a;
  o.b = *b;
  for (const std::string& problem :
       {whole("--games", 1, kMaxGames, o.games),
        whole("--movetime", 1, kMaxMovetimeMs, o.movetimeMs), count("--nodes", 1, o.nodes),
        count("--seed", 0, o.seed), whole("--max-moves", 1, kMaxPlies, o.maxMoves),
        whole("--random-plies", 0, kMaxPlies - 1, o.randomPlies),
        whole("--a-threads", 1, kMaxThreads, o.threads[0]),
        whole("--b-threads", 1, kMaxThreads, o.threads[1])})
    if (!problem.empty()) return problem;
  if (o.randomPlies >= o.maxMoves) return "--random-plies must be below --max-moves";
  o.outDir = TakeOption(args, "--out");
  o.levelNodes = TakeFlag(args, "--level-nodes");
  if (o.levelNodes && (o.movetimeMs != 0 || o.nodes != 0))
    return "--level-nodes goes without --movetime and --nodes";
  if (const auto divide = TakeOption(args, "--level-nodes-divide")) {
    const auto k = ParseCount(*divide);
    if (!k || *k < 1 || *k > kMaxLevelNodesDivisor)
      return "--level-nodes-divide takes a whole number from 1 to " +
             std::to_string(kMaxLevelNodesDivisor);
    if (!o.levelNodes) return "--level-nodes-divide goes only with --level-nodes";
    o.levelNodesDivisor = *k;
  }
  if (!args.empty()) return "unexpected argument '" + args[0] + "'";
  return {};
}

// A uniform draw below n from the 64-bit generator, the same on every
// platform (the standard distributions are not).
int Below(std::mt19937_64& rng, int n) {
  const std::uint64_t range = static_cast<std::uint64_t>(n);
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
  std::uint64_t v;
  do v = rng();
  while (v >= limit);
  return static_cast<int>(v % range);
}

struct Opening {
  bool 右嶺 = false;
  std::vector<GameMove> plies;
};

// The placement and R random moves from it. An opening in which a king is
// taken or an army has no move is drawn again.
std::optional<Opening> DrawOpening(bool 右嶺, int randomPlies, std::mt19937_64& rng,
                                   MoveBuffer& buffer) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    Opening opening;
    opening.右嶺 = 右嶺;
    Position pos;
    SetUpStartingPosition(pos, 右嶺);
    Side side = SITA;
    bool sound = true;
    for (int ply = 0; ply < randomPlies && sound; ++ply) {
      ListMoves(pos, side, buffer);
      if (buffer.size == 0) {
        sound = false;
        break;
      }
      const GameMove m = buffer.moves[Below(rng, buffer.size)];
      opening.plies.push_back(m);
      駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
      side = Opponent(side);
      if (KingCaptured(pos)) sound = false;
    }
    if (sound) {
      ListMoves(pos, side, buffer);
      if (buffer.size > 0) return opening;
    }
  }
  return std::nullopt;
}

struct GameOutcome {
  int winner = -1;  // 0 player a, 1 player b, -1 none
  std::string reason;
  int plies = 0;
};

class MatchRunner {
 public:
  MatchRunner(const MatchOptions& options, Player& a, Player& b)
      : o_(options),
        players_{&a, &b},
        history_(std::make_unique<History>()),
        buffer_(std::make_unique<MoveBuffer>()) {}

  // Plays game g (1-based) from the opening with player `lower` (0 a, 1 b)
  // on the lower army.
  GameOutcome Play(int g, const Opening& opening, int lower) {
    *history_ = History{};
    Position pos;
    SetUpStartingPosition(pos, opening.右嶺);
    history_->SetEntry(0, pos);
    double clock[2] = {0, 0};  // thinking seconds of each army
    int ply = 0;
    auto store = [&] {
      history_->SetEntry(ply, pos);
      HistoryEntry& e = history_->entries[ply];
      e.SitaBefore = e.SitaAfter = clock[SITA];
      e.UeBefore = e.UeAfter = clock[UE];
    };
    auto playerOf = [&](Side s) { return s == SITA ? lower : 1 - lower; };
    for (const GameMove& m : opening.plies) {
      駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
      ++ply;
      store();
    }

    for (int p : {lower, 1 - lower}) {
      std::string problem;
      if (!players_[p]->NewGame(o_.seed ^ (0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(g)),
                                problem))
        return GameOutcome{1 - p, Label(p) + ": cannot start the game: " + problem, ply};
    }

    MatchGameSettings settings;
    for (PlayLimits& limits : settings.limits) {
      limits.movetimeMs = o_.movetimeMs;
      limits.exactTime = o_.movetimeMs > 0;
      limits.nodes = o_.nodes;
      limits.levelNodes = o_.levelNodes;
      limits.levelNodesDivisor = o_.levelNodesDivisor;
    }
    settings.maxPlies = o_.maxMoves;
    // The record: each move's thinking goes to the entry before it, and
    // the entry after it holds both clocks.
    struct Recorder : MatchGameWatcher {
      History& history;
      double (&clock)[2];
      Recorder(History& h, double (&c)[2]) : history(h), clock(c) {}
      void onMove(const Position& after, Side mover, int plies, double seconds) override {
        HistoryEntry& before = history.entries[plies - 1];
        (mover == SITA ? before.SitaAfter : before.UeAfter) += seconds;
        clock[mover] += seconds;
        history.SetEntry(plies, after);
        HistoryEntry& e = history.entries[plies];
        e.SitaBefore = e.SitaAfter = clock[SITA];
        e.UeBefore = e.UeAfter = clock[UE];
      }
    } recorder(*history_, clock);
    Player* const byArmy[2] = {players_[lower], players_[1 - lower]};
    const std::string labels[2] = {Label(lower), Label(1 - lower)};
    const MatchGameEnd end = PlayMatchGame(byArmy, labels, pos, ply, settings, *buffer_, &recorder);
    const int winner = end.winner < 0 ? -1 : playerOf(static_cast<Side>(end.winner));
    return GameOutcome{winner, end.reason, end.plies};
  }

  // Writes the game just played: entry k is the position after k moves,
  // the last one the final position.
  bool WriteGame(int g, const Opening& opening, int lower, int plies, std::string& problem) {
    char name[32];
    std::snprintf(name, sizeof name, "game-%03d.棋譜", g);
    const std::string path = (std::filesystem::path(*o_.outDir) / name).string();
    const char* placement = opening.右嶺 ? "右嶺" : "左嶺";
    RecordHeader header{"match game " + std::to_string(g) + " " + placement,
                        Label(1 - lower) + " " + players_[1 - lower]->Name(),
                        Label(lower) + " " + players_[lower]->Name()};
    RecordResult r = WriteRecord(path, header, *history_, plies);
    if (r.status == RecordStatus::BadHeaderText) {
      header.upperName = Label(1 - lower);
      header.lowerName = Label(lower);
      r = WriteRecord(path, header, *history_, plies);
    }
    if (r.status != RecordStatus::Ok) {
      problem = path + ": " + r.detail;
      return false;
    }
    return true;
  }

  static std::string Label(int p) { return p == 0 ? "a" : "b"; }

 private:
  const MatchOptions& o_;
  Player* players_[2];
  std::unique_ptr<History> history_;
  std::unique_ptr<MoveBuffer> buffer_;
};

int RunMatch(const std::vector<std::string>& args) {
  MatchOptions o;
  if (const std::string problem = ReadOptions(args, o); !problem.empty()) return Usage(problem);
  if (o.outDir) {
    std::error_code ec;
    std::filesystem::create_directories(*o.outDir, ec);
    if (ec || !std::filesystem::is_directory(*o.outDir))
      return Usage(*o.outDir + ": cannot create the folder");
  }
  // An engine that ends while it is written to must not end the match.
  ::signal(SIGPIPE, SIG_IGN);

  std::unique_ptr<Player> players[2];
  const std::string* specs[2] = {&o.a, &o.b};
  for (int p = 0; p < 2; ++p) {
    std::string problem;
    PlayerSettings settings;
    settings.threads = o.threads[p];
    players[p] = MakePlayer(*specs[p], settings, problem);
    if (!players[p])
      return Usage(std::string(p == 0 ? "--a " : "--b ") + *specs[p] + ": " + problem);
  }
  for (int p = 0; p < 2; ++p) {
    std::string problem;
    if (!players[p]->Start(problem))
      return Usage(std::string(p == 0 ? "--a" : "--b") + ": the engine cannot play: " + problem);
    std::printf("player %s: %s\n", MatchRunner::Label(p).c_str(), players[p]->Name().c_str());
  }
  std::fflush(stdout);

  std::mt19937_64 rng(o.seed);
  auto buffer = std::make_unique<MoveBuffer>();
  MatchRunner runner(o, *players[0], *players[1]);
  MatchTally tally;
  bool recordsWritten = true;
  std::optional<Opening> opening;
  for (int g = 1; g <= o.games; ++g) {
    const int pair = (g - 1) / 2;
    if (g % 2 == 1) {
      opening = DrawOpening(pair % 2 == 1, o.randomPlies, rng, *buffer);
      if (!opening) {
        std::fprintf(stderr, "match: no opening of %d random moves could be drawn\n",
                     o.randomPlies);
        return 2;
      }
    }
    const int lower = g % 2 == 1 ? 0 : 1;
    const GameOutcome outcome = runner.Play(g, *opening, lower);
    if (outcome.winner == 0)
      ++tally.wins;
    else if (outcome.winner == 1)
      ++tally.losses;
    else
      ++tally.unfinished;
    std::printf("game %d %s lower=%s upper=%s plies=%d winner=%s (%s)\n", g,
                opening->右嶺 ? "右嶺" : "左嶺", MatchRunner::Label(lower).c_str(),
                MatchRunner::Label(1 - lower).c_str(), outcome.plies,
                outcome.winner < 0 ? "none" : MatchRunner::Label(outcome.winner).c_str(),
                outcome.reason.c_str());
    std::fflush(stdout);
    std::string problem;
    if (o.outDir && outcome.plies == 0) {
      // As in the game, a record holds the positions after moves: none here.
      std::fprintf(stderr, "match: game %d ended before its first move; it has no record\n", g);
    } else if (o.outDir && !runner.WriteGame(g, *opening, lower, outcome.plies, problem)) {
      std::fprintf(stderr, "match: %s\n", problem.c_str());
      recordsWritten = false;
    }
  }
  for (auto& p : players) p->Finish();
  std::printf("%s\n", ResultLine(tally).c_str());
  return recordsWritten ? 0 : 1;
}

const RegisterCommand kRegister({
    "match",
    "  match --a P --b P [--games N] [--movetime MS] [--nodes N] [--seed S]\n"
    "        [--random-plies R] [--max-moves M] [--level-nodes] [--level-nodes-divide K]\n"
    "        [--out DIR] [--a-threads N] [--b-threads N]\n"
    "      plays P against P, where P is a level 1 to 8 or uci:COMMAND (an engine run\n"
    "      through /bin/sh -c COMMAND, speaking UCI with FEN hands and moves like\n"
    "      c3c4, c8c9+, P@e5). Games come in pairs from one opening (the placement,\n"
    "      左嶺 and 右嶺 in turn, plus R random moves drawn from seed S), the players\n"
    "      swapping armies; the lower army (FEN side w) moves first. A game ends when\n"
    "      a king is captured, when the army to move has no move (it loses) or after\n"
    "      M plies in all (default 300, at most 500; unfinished). A move the rules\n"
    "      refuse, an unreadable answer, an engine that ends or does not answer in time\n"
    "      loses the game. --movetime and --nodes limit both players (levels 1 to 3\n"
    "      ignore them; an engine without limits gets go movetime 1000). --level-nodes:\n"
    "      LEVEL4 to LEVEL8 each search their node budget (LEVEL7 and LEVEL8 that of\n"
    "      their usual thinking time, 2,000,000 and 10,000,000 nodes), so that the match\n"
    "      repeats exactly; --level-nodes-divide K (1 to 1000, only with --level-nodes)\n"
    "      divides every deep level's budget by K. LEVEL4 to LEVEL6 never search more\n"
    "      than their own budget. One line per\n"
    "      game, then: result a=W b=L unfinished=U score=S% elo=E±M (a's wins, losses,\n"
    "      unfinished games; its score with unfinished games as half; the Elo\n"
    "      difference of a over b and its 95% margin, inf when unbounded). --out\n"
    "      writes each game as DIR/game-NNN.棋譜, replayable with 進 (a game that ends\n"
    "      before its first move has none, and stderr says so). --a-threads and\n"
    "      --b-threads: the threads of that player's deep search (default 1)",
    RunMatch,
});

}  // namespace

}  // namespace qz::cli
