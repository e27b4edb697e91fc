// The computer player's commands of qzreishogi-cli: bestmove, matman and
// selfplay, run as the user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "engine_fixture.h"
#include "play/history.h"
#include "play/record_file.h"
#include "support/cli_fixture.h"

namespace qz::test {
namespace {

namespace fs = std::filesystem;

int CountLines(const std::string& text, const std::string& prefix) {
  int n = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) ++n;
  return n;
}

std::string LastLine(const std::string& text) {
  std::istringstream in(text);
  std::string last;
  for (std::string line; std::getline(in, line);) last = line;
  return last;
}

class EngineCliTest : public CliFixture {
 protected:
  // What bestmove should print for a position, from an in-process search.
  static std::string ExpectedBest(Position pos, int level, int* candidates = nullptr) {
    pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
    pos.HandTotal[UE] = 調査_持駒数(pos, UE);
    auto maps = std::make_unique<ControlMaps>();
    ComputerPlayer player(pos, *maps);
    player.Level = level;
    CandidateLog log;
    if (!player.Search(&log)) return "best none";
    if (candidates) *candidates = static_cast<int>(log.seen.size());
    char line[128];
    const BestMoveRecord& m = player.BestMove;
    std::snprintf(line, sizeof line, "best %d %d %d %d %d %.4f", m.fromX, m.fromY, m.toX, m.toY,
                  m.after, player.BestScore);
    return line;
  }
};

Position Opening() {
  Position p{};
  SetUpStartingPosition(p, true);
  return p;
}

Position WithHands() {
  Position p = Opening();
  p.Board[3][8] = EMPTY;
  p.Board[2][9] = EMPTY;
  p.Hand[UE][1] = 1;
  p.Hand[UE][8] = 1;
  return p;
}

TEST_F(EngineCliTest, BestMoveMatchesTheSearchForEachEntryAndLevel) {
  const Position first = Opening();
  const Position second = WithHands();
  const std::string path = Record("two.棋譜", {&first, &second});

  CliRun r = Cli("bestmove '" + path + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, ExpectedBest(second, 3) + "\n");

  r = Cli("bestmove --entry 1 --level 1 '" + path + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, ExpectedBest(first, 1) + "\n");
}

TEST_F(EngineCliTest, CandidatesListsEveryEvaluationThenTheBest) {
  const Position second = WithHands();
  const std::string path = Record("hands.棋譜", {&second});
  int candidates = 0;
  const std::string best = ExpectedBest(second, 2, &candidates);
  const CliRun r = Cli("bestmove --candidates --level 2 '" + path + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(CountLines(r.out, "candidate "), candidates);
  // A bishop may be dropped on each of the 56 empty squares.
  EXPECT_EQ(CountLines(r.out, "candidate -1 8 "), 56);
  EXPECT_EQ(LastLine(r.out), best);
}

TEST_F(EngineCliTest, BestNoneWhenNothingCanMove) {
  Position p{};
  p.Board[10][10] = OU;
  p.Board[9][9] = KEI;
  p.Board[10][9] = KEI;
  p.Board[9][10] = KYOU;
  p.Board[5][1] = -OU;
  const std::string path = Record("stuck.棋譜", {&p});
  const CliRun r = Cli("bestmove '" + path + "'");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "best none\n");
}

TEST_F(EngineCliTest, BadInputIsReportedWithTheFileName) {
  const std::string missing = (dir_ / "missing.棋譜").string();
  CliRun r = Cli("bestmove '" + missing + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing.棋譜"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());

  const Position first = Opening();
  const std::string path = Record("one.棋譜", {&first});
  r = Cli("bestmove --entry 5 '" + path + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("one.棋譜"), std::string::npos) << r.err;
  r = Cli("bestmove --level 9 '" + path + "'");
  EXPECT_EQ(r.status, 2);
  r = Cli("matman '" + missing + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing.棋譜"), std::string::npos) << r.err;
}

TEST_F(EngineCliTest, MatManAnswersForTheLowerKing) {
  Position mate{};
  mate.Board[1][1] = OU;
  mate.Board[10][1] = SYA;
  mate.Board[8][7] = KEI;
  mate.Board[8][8] = KEI;
  mate.Board[10][10] = -OU;
  const Position opening = Opening();
  const std::string path = Record("mate.棋譜", {&opening, &mate});
  CliRun r = Cli("matman '" + path + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\n");
  r = Cli("matman --entry 1 '" + path + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "0\n");
}

TEST_F(EngineCliTest, SelfPlayKeepsEveryPieceAndWritesReadableRecords) {
  const fs::path out = dir_ / "games";
  const CliRun r = Cli("selfplay --games 2 --random-plies 6 --seed 7 --out '" + out.string() + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(CountLines(r.out, "game "), 2);
  EXPECT_EQ(CountLines(r.out, "total games 2 "), 1);
  for (const char* name : {"game-001.棋譜", "game-002.棋譜"}) {
    const fs::path record = out / name;
    ASSERT_TRUE(fs::exists(record)) << record;
    const CliRun b = Cli("bestmove --entry 1 '" + record.string() + "'");
    EXPECT_EQ(b.status, 0) << b.err;
  }
  // The same seed plays the same games.
  const CliRun again = Cli("selfplay --games 2 --random-plies 6 --seed 7");
  ASSERT_EQ(again.status, 0);
  auto movesOnly = [](const std::string& text) {
    std::string s;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      s += line.substr(0, line.find(" mean-ms")) + "\n";
    return s;
  };
  EXPECT_EQ(movesOnly(again.out), movesOnly(r.out));
}

TEST_F(EngineCliTest, SelfPlayRejectsMissingGameCount) {
  EXPECT_EQ(Cli("selfplay").status, 2);
  EXPECT_EQ(Cli("selfplay --games 0").status, 2);
}

}  // namespace
}  // namespace qz::test
