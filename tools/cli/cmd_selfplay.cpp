// qzreishogi-cli selfplay: the computer plays both armies. The board is
// reversed after every move, so the computer always moves the upper side.
// The first army is the one that starts in the upper camp and moves first.
// Games alternate between the two placements: odd games 右嶺, even 左嶺.
// With --out each game is written as a record whose entry m is the position
// before move m as that move was played (the mover in the upper camp).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/make_move.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/reversal.h"
#include "play/history.h"
#include "play/record_file.h"
#include "players/match_game.h"
#include "players/match_rules.h"
#include "players/player.h"

namespace qz::cli {

namespace {

constexpr int kMaxMoves = 500;

// Every piece of the two armies is on the board or in a hand, and each
// HandTotal is the sum of its hand. Returns an empty text when it holds.
std::string ConservationProblem(const Position& pos, bool kingCaptured) {
  static constexpr int kExpected[10] = {0, 20, 4, 4, 2, 4, 4, 2, 2, 2};
  static const char* const kNames[10] = {"",        "pawns", "lances", "knights", "嶺",
                                         "silvers", "golds", "銅",     "bishops", "rooks"};
  int count[10] = {};
  int kings = 0;
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const PieceCode c = pos.Board[x][y];
      if (c == EMPTY) continue;
      if (Abs(c) == OU) {
        ++kings;
        continue;
      }
      const int k = HandIndex(c);
      if (k == 0) return "unknown code " + std::to_string(c) + " on the board";
      ++count[k];
    }
  }
  for (int s = 0; s < 2; ++s) {
    int sum = 0;
    for (int k = 1; k <= HandKinds; ++k) {
      if (pos.Hand[s][k] < 0) return "negative hand counter";
      count[k] += pos.Hand[s][k];
      sum += pos.Hand[s][k];
    }
    if (sum != pos.HandTotal[s])
      return "HandTotal " + std::to_string(pos.HandTotal[s]) + " but the hand holds " +
             std::to_string(sum);
  }
  for (int k = 1; k <= HandKinds; ++k)
    if (count[k] != kExpected[k])
      return std::to_string(count[k]) + " " + kNames[k] + " instead of " +
             std::to_string(kExpected[k]);
  const int kingsExpected = kingCaptured ? 1 : 2;
  if (kings != kingsExpected)
    return std::to_string(kings) + " kings instead of " + std::to_string(kingsExpected);
  return {};
}

struct Totals {
  int games = 0, moves = 0, firstWins = 0, secondWins = 0, unfinished = 0;
  double computerMs = 0, maxMs = 0;
  int computerMoves = 0;
};

int RunSelfPlay(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  auto intOption = [&](const char* name, int def, int lo, int& out) -> bool {
    out = def;
    if (auto v = TakeOption(args, name)) {
      auto n = ParseInt(*v);
      if (!n || *n < lo) {
        std::fprintf(stderr, "selfplay: %s takes a whole number of at least %d\n", name, lo);
        return false;
      }
      out = *n;
    }
    return true;
  };
  int games = 0, seed = 1, randomPlies = 0, level = 3;
  if (!intOption("--games", -1, 1, games) || !intOption("--seed", 1, 0, seed) ||
      !intOption("--random-plies", 0, 0, randomPlies) || !intOption("--level", 3, 1, level))
    return 2;
  if (games < 1) {
    std::fprintf(stderr, "selfplay: --games N is required\n");
    return 2;
  }
  if (level > 3) {
    std::fprintf(stderr, "selfplay: --level takes 1, 2 or 3\n");
    return 2;
  }
  const std::optional<std::string> outDir = TakeOption(args, "--out");
  if (!args.empty()) {
    std::fprintf(stderr, "selfplay: unexpected argument '%s'\n", args[0].c_str());
    return 2;
  }
  if (outDir) {
    std::error_code ec;
    std::filesystem::create_directories(*outDir, ec);
    if (ec) {
      std::fprintf(stderr, "selfplay: %s: cannot create the folder\n", outDir->c_str());
      return 2;
    }
  }

  static Position pos;
  static History history;
  static GameMove list[kMaxMoves];
  std::string problem;
  const std::unique_ptr<Player> levelPlayer = MakeLevelPlayer(level, PlayerSettings{}, problem);
  if (!levelPlayer) {
    std::fprintf(stderr, "selfplay: %s\n", problem.c_str());
    return 2;
  }
  const auto buffer = std::make_unique<MoveBuffer>();
  std::mt19937 rng(static_cast<std::mt19937::result_type>(seed));
  Totals totals;

  for (int g = 1; g <= games; ++g) {
    // The game is played on the board turned over, so that the army that
    // moves first is the lower one as the match runner has it; the record
    // and the random moves see the board as the mover's opponent sits, the
    // mover always the upper army, as the game's computer plays.
    history = History{};
    Position start;
    SetUpStartingPosition(start, g % 2 == 1);
    pos = start;
    ReverseArmies(pos);
    auto moverView = [](const Position& board, int ply) {
      Position view = board;
      if (ply % 2 == 0) ReverseArmies(view);
      return view;
    };
    auto record = [&](const Position& board, int ply) {
      history.MoveCount = ply + 1;
      history.手順保存(moverView(board, ply), 0, 0, 0, 0);
    };
    std::string broken;
    auto conserved = [&](const Position& board, int ply) {
      if (broken.empty()) {
        const std::string p = ConservationProblem(board, KingCaptured(board));
        if (!p.empty())
          broken = "game " + std::to_string(g) + ", move " + std::to_string(ply) +
                   ": conservation broken: " + p;
      }
      return broken.empty();
    };
    int moves = 0;
    bool stuck = false, kingTaken = false;
    for (; moves < randomPlies && moves < kMaxMoves; ++moves) {
      const Position view = moverView(pos, moves);
      const int n = ListMoves(view, UE, list);
      if (n == 0) {
        stuck = true;
        break;
      }
      GameMove m = list[rng() % static_cast<unsigned>(n)];
      record(pos, moves);
      if (moves % 2 == 0) m = ReversedMove(m);
      駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
      if (!conserved(pos, moves + 1)) break;
      if (KingCaptured(pos)) {
        kingTaken = true;
        ++moves;
        break;
      }
    }

    // The computer's moves: each is recorded before it is played and timed,
    // the pieces counted after it; a broken count ends the game.
    struct Computer : Player {
      Player& inner;
      std::function<void(const Position&, int)> before;
      const std::string& broken;
      double ms = 0, maxMs = 0;
      int count = 0;
      Computer(Player& p, std::function<void(const Position&, int)> b, const std::string& br)
          : inner(p), before(std::move(b)), broken(br) {}
      std::string Name() const override { return inner.Name(); }
      PlayerMove Play(const Position& board, Side side, int ply, const PlayLimits& limits,
                      const std::atomic<bool>* stop, ThinkObserver* observer) override {
        if (!broken.empty()) return PlayerMove{};  // Failed: the game stops
        const auto t0 = std::chrono::steady_clock::now();
        PlayerMove answer = inner.Play(board, side, ply, limits, stop, observer);
        const double t =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        ms += t;
        ++count;
        if (t > maxMs) maxMs = t;
        if (answer.kind == PlayerMove::Kind::Move) before(board, ply);
        return answer;
      }
    } computer(*levelPlayer, record, broken);
    struct Counter : MatchGameWatcher {
      std::function<bool(const Position&, int)> check;
      void onMove(const Position& after, Side, int plies, double) override { check(after, plies); }
    } counter;
    counter.check = conserved;
    if (!stuck && !kingTaken && broken.empty()) {
      Player* const both[2] = {&computer, &computer};
      const std::string labels[2] = {"first", "second"};
      MatchGameSettings settings;
      settings.maxPlies = kMaxMoves;
      const MatchGameEnd end = PlayMatchGame(both, labels, pos, moves, settings, *buffer, &counter);
      moves = end.plies;
      kingTaken = end.how == MatchGameEnd::How::KingCaptured;
      stuck = end.how == MatchGameEnd::How::NoMove || end.how == MatchGameEnd::How::NoAnswer;
    }
    if (!broken.empty()) {
      std::fprintf(stderr, "selfplay: %s\n", broken.c_str());
      return 1;
    }
    const int winnerArmy = kingTaken ? (moves % 2 == 1 ? 1 : 2) : 0;  // 1 first, 2 second
    const double gameMs = computer.ms, gameMaxMs = computer.maxMs;
    const int gameComputerMoves = computer.count;

    if (outDir) {
      char name[32];
      std::snprintf(name, sizeof name, "game-%03d.棋譜", g);
      const std::string path = (std::filesystem::path(*outDir) / name).string();
      RecordHeader header{"selfplay " + std::to_string(g), "first army", "second army"};
      const RecordResult r = WriteRecord(path, header, history, history.LastSnapshot);
      if (r.status != RecordStatus::Ok) {
        std::fprintf(stderr, "selfplay: %s: %s\n", path.c_str(), r.detail.c_str());
        return 2;
      }
    }

    const char* result = winnerArmy == 1 ? "first" : winnerArmy == 2 ? "second" : "none";
    std::printf("game %d moves %d winner %s%s mean-ms %.3f max-ms %.3f\n", g, moves, result,
                stuck ? " (no move)" : "", gameComputerMoves ? gameMs / gameComputerMoves : 0.0,
                gameMaxMs);
    ++totals.games;
    totals.moves += moves;
    if (winnerArmy == 1) ++totals.firstWins;
    if (winnerArmy == 2) ++totals.secondWins;
    if (winnerArmy == 0) ++totals.unfinished;
    totals.computerMs += gameMs;
    totals.computerMoves += gameComputerMoves;
    if (gameMaxMs > totals.maxMs) totals.maxMs = gameMaxMs;
  }
  std::printf(
      "total games %d moves %d first-wins %d second-wins %d unfinished %d mean-ms %.3f "
      "max-ms %.3f\n",
      totals.games, totals.moves, totals.firstWins, totals.secondWins, totals.unfinished,
      totals.computerMoves ? totals.computerMs / totals.computerMoves : 0.0, totals.maxMs);
  return 0;
}

const RegisterCommand kRegister({
    "selfplay",
    "  selfplay --games N [--seed S] [--random-plies P] [--level L] [--out DIR]\n"
    "      the computer plays both armies; checks that no piece is lost or made",
    RunSelfPlay,
});

}  // namespace

}  // namespace qz::cli
