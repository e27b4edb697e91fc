// qzreishogi-cli match, run as a user runs it: the game lines, the closing
// line, the records it writes, and engines that fail.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/make_move.h"
#include "model/placement.h"
#include "play/history.h"
#include "play/record_file.h"
#include "players/match_rules.h"
#include "script/script_runner.h"
#include "support/cli_fixture.h"

namespace qz::test {
namespace {

struct GameLine {
  int number = 0;
  bool 右嶺 = false;
  std::string lower, winner, reason;
  int plies = 0;
};

struct MatchOutput {
  std::vector<GameLine> games;
  std::string last;
};

MatchOutput Parse(const std::string& out) {
  static const std::regex game(
      R"(game (\d+) (左嶺|右嶺) lower=([ab]) upper=([ab]) plies=(\d+) winner=(a|b|none) \((.*)\))");
  MatchOutput m;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    std::smatch g;
    if (std::regex_match(line, g, game))
      m.games.push_back({std::stoi(g[1]), g[2] == "右嶺", g[3], g[6], g[7], std::stoi(g[5])});
    m.last = line;
  }
  return m;
}

class MatchCliTest : public CliFixture {
 protected:
  // A shell script that answers the handshake and `go` with `onGo`.
  std::string Engine(const std::string& name, const std::string& onGo) {
    const auto path = dir_ / name;
    std::ofstream(path) << "while read -r line; do case \"$line\" in\n"
                           "  uci) echo 'id name "
                        << name
                        << "'; echo uciok;;\n"
                           "  isready) echo readyok;;\n"
                           "  go*) "
                        << onGo
                        << ";;\n"
                           "  quit) exit 0;;\nesac; done\n";
    return "\"uci:sh '" + path.string() + "'\"";
  }
};

// Each record entry follows from the one before by one move the rules allow
// the army to move, the lower army first, and the last entry is the
// position the game ended in.
void ExpectRecordOfGame(const std::string& path, const GameLine& game) {
  auto history = std::make_unique<History>();
  RecordHeader header;
  const RecordResult r = ReadRecord(path, header, *history);
  ASSERT_EQ(r.status, RecordStatus::Ok) << path;
  ASSERT_EQ(r.entries, game.plies) << path;
  EXPECT_NE(header.lowerName.find(game.lower == "a" ? "a LEVEL1" : "b LEVEL3"), std::string::npos);
  Position pos;
  SetUpStartingPosition(pos, game.右嶺);
  Side side = SITA;
  auto cli = std::make_unique<MoveBuffer>();
  for (int k = 1; k <= r.entries; ++k) {
    const HistoryEntry& want = history->entries[k];
    qz::ListMoves(pos, side, *cli);
    bool found = false;
    for (int i = 0; i < cli->size && !found; ++i) {
      Position next = pos;
      const GameMove& m = cli->moves[i];
      駒移動(next, m.fromX, m.fromY, m.toX, m.toY, m.code);
      found = std::memcmp(next.Board, want.Board, sizeof want.Board) == 0 &&
              std::memcmp(next.Hand, want.Hand, sizeof want.Hand) == 0;
      if (found) pos = next;
    }
    ASSERT_TRUE(found) << path << ": entry " << k << " is no move of the army to move";
    side = Opponent(side);
  }
  EXPECT_EQ(KingCaptured(pos), game.reason == "king captured") << path;
}

TEST_F(MatchCliTest, RecordsReplayTheGamesAndTheGameReadsThem) {
  const CliRun run =
      Cli("match --a 1 --b 3 --games 8 --random-plies 10 --seed 3 --max-moves 200 "
          "--out '" +
          (dir_ / "records").string() + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const MatchOutput m = Parse(run.out);
  ASSERT_EQ(m.games.size(), 8u) << run.out;
  for (const GameLine& g : m.games) {
    SCOPED_TRACE(g.number);
    EXPECT_EQ(g.右嶺, (g.number - 1) / 2 % 2 == 1);
    EXPECT_EQ(g.lower, g.number % 2 == 1 ? "a" : "b");
    char name[32];
    std::snprintf(name, sizeof name, "game-%03d.棋譜", g.number);
    ExpectRecordOfGame((dir_ / "records" / name).string(), g);
  }

  // The game itself reads the first record and steps through it to the end.
  std::string script = "menu KIFU_READ\nfile game-001.棋譜\n";
  for (int k = 0; k < m.games[0].plies; ++k) script += "menu AFTER\n";
  script += "echo at the last entry\nmenu AFTER\n";
  std::ostringstream transcript;
  ASSERT_EQ(RunScript(script, (dir_ / "records").string(), transcript), 0);
  const std::string t = transcript.str();
  EXPECT_NE(t.find("message 棋譜 |  読み込みました"), std::string::npos) << t;
  const auto end = t.find("message 進む | 終わり");
  ASSERT_NE(end, std::string::npos) << t;
  EXPECT_LT(t.find("at the last entry"), end);
}

TEST_F(MatchCliTest, ItsOwnUciEngineMirrorsTheLevelInsideIt) {
  // The same level inside and behind `uci` plays the same moves, so each
  // pair of games is one game twice with the winner's letter swapped. The
  // engine is set to level 3 before the match's own commands reach it.
  const CliRun run =
      Cli("match --a 3 --b \"uci:(echo 'setoption name Level value 3'; exec cat) | '" +
          cli_.string() + "' uci\" --games 8 --random-plies 10 --seed 3 --max-moves 200");
  ASSERT_EQ(run.status, 0) << run.err;
  const MatchOutput m = Parse(run.out);
  ASSERT_EQ(m.games.size(), 8u) << run.out;
  int a = 0, b = 0, none = 0;
  for (std::size_t i = 0; i < m.games.size(); i += 2) {
    const GameLine &first = m.games[i], &second = m.games[i + 1];
    EXPECT_EQ(first.plies, second.plies) << run.out;
    EXPECT_EQ(first.reason, second.reason) << run.out;
    const std::string swapped = first.winner == "a" ? "b" : first.winner == "b" ? "a" : "none";
    EXPECT_EQ(second.winner, swapped) << run.out;
    for (const GameLine* g : {&first, &second})
      (g->winner == "a" ? a : g->winner == "b" ? b : none)++;
  }
  EXPECT_EQ(a, b);
  EXPECT_TRUE(std::regex_match(
      m.last,
      std::regex(R"(result a=(\d+) b=\1 unfinished=\d+ score=50\.0% elo=\+0\.0±(\d+\.\d|inf))")))
      << m.last;
}

TEST_F(MatchCliTest, EnginesThatBreakTheRulesOrEndLoseAndAreNamed) {
  const CliRun illegal =
      Cli("match --a 2 --b " + Engine("dropper", "echo 'bestmove P@e5'") + " --games 2");
  ASSERT_EQ(illegal.status, 0) << illegal.err;
  MatchOutput m = Parse(illegal.out);
  ASSERT_EQ(m.games.size(), 2u) << illegal.out;
  for (const GameLine& g : m.games) {
    EXPECT_EQ(g.winner, "a");
    EXPECT_EQ(g.reason, "b: illegal move P@e5 (no such piece in hand)");
  }
  EXPECT_EQ(m.last, "result a=2 b=0 unfinished=0 score=100.0% elo=+inf±inf");

  const CliRun dying = Cli("match --a " + Engine("quitter", "exit 3") + " --b 1 --games 3");
  ASSERT_EQ(dying.status, 0) << dying.err;
  m = Parse(dying.out);
  ASSERT_EQ(m.games.size(), 3u) << dying.out;
  for (const GameLine& g : m.games) {
    EXPECT_EQ(g.winner, "b");
    EXPECT_EQ(g.reason, "a: the engine ended (exit status 3)");
  }
  EXPECT_EQ(m.last, "result a=0 b=3 unfinished=0 score=0.0% elo=-inf±inf");
}

TEST_F(MatchCliTest, AnEngineThatEndsIsSeenAtOnceAndAGameWithoutAMoveIsNamed) {
  // It leaves a sleeper holding its output when it ends.
  const auto start = std::chrono::steady_clock::now();
  const CliRun orphan = Cli("match --a " + Engine("orphan", "sleep 30 & exit 3") +
                            " --b 1 --games 2 --out '" + (dir_ / "records").string() + "'");
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(orphan.status, 0) << orphan.err;
  const MatchOutput m = Parse(orphan.out);
  ASSERT_EQ(m.games.size(), 2u) << orphan.out;
  for (const GameLine& g : m.games) {
    EXPECT_EQ(g.winner, "b");
    EXPECT_EQ(g.reason, "a: the engine ended (exit status 3)");
  }
  EXPECT_LT(seconds, 8.0);
  // Game 1 ends before any move (a has the lower army): no record, and a
  // word on stderr; game 2 has b's first move.
  EXPECT_EQ(m.games[0].plies, 0);
  EXPECT_EQ(m.games[1].plies, 1);
  EXPECT_NE(orphan.err.find("match: game 1 ended before its first move; it has no record"),
            std::string::npos)
      << orphan.err;
  EXPECT_EQ(orphan.err.find("game 2"), std::string::npos) << orphan.err;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "records" / "game-001.棋譜"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "records" / "game-002.棋譜"));
}

TEST_F(MatchCliTest, DividedLevelBudgetsRepeatAndNameTheLevels) {
  const std::string args =
      "match --a 7 --b 4 --level-nodes --level-nodes-divide 200 --games 2 --max-moves 12 --seed 3";
  const CliRun first = Cli(args);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Cli(args).out, first.out);
  EXPECT_TRUE(Parse(first.out).last.starts_with("result a=")) << first.out;
}

TEST_F(MatchCliTest, UnfinishedGamesAndRefusedPlayers) {
  const CliRun unfinished = Cli("match --a 1 --b 2 --games 3 --max-moves 4");
  ASSERT_EQ(unfinished.status, 0) << unfinished.err;
  EXPECT_EQ(Parse(unfinished.out).last, "result a=0 b=0 unfinished=3 score=50.0% elo=+0.0±0.0");

  for (const char* args :
       {"--a 9 --b 3", "--a 3 --b 0", "--a 3 --b uci:", "--a 3",
        "--a 1 --b 2 --random-plies 5 --max-moves 5", "--a 4 --b 5 --level-nodes --nodes 1000",
        "--a 7 --b 6 --level-nodes-divide 20", "--a 7 --b 6 --level-nodes --level-nodes-divide 0",
        "--a 7 --b 6 --level-nodes --level-nodes-divide x",
        "--a 7 --b 6 --level-nodes --level-nodes-divide 1001"}) {
    const CliRun r = Cli(std::string("match ") + args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_NE(r.err.find("match: "), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace qz::test
