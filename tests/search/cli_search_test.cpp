// The command-line faces of the move generator and the deep search: perft
// and bestmove at the deep levels.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/movegen.h"
#include "model/placement.h"
#include "support/cli_fixture.h"

namespace qz {
namespace {

using test::CliFixture;
using test::CliRun;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Without the nodes-per-second figure, which depends on the machine.
std::string WithoutSpeed(const std::string& text) {
  return std::regex_replace(text, std::regex(" nps [0-9]+"), "");
}

class CliSearch : public CliFixture {};

std::string PerftLine(int depth, const Position& pos, Side side) {
  FastPosition fast;
  fast.Set(pos, side);
  std::ostringstream line;
  line << "perft " << depth << ' ' << Perft(fast, depth);
  return line.str();
}

TEST_F(CliSearch, PerftDividesByFirstMoveAndEndsWithTheTotal) {
  Position start;
  SetUpStartingPosition(start, true);
  const CliRun r = Cli("perft --placement 右嶺 3");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.back(), PerftLine(3, start, SITA));
  std::uint64_t sum = 0;
  for (size_t i = 0; i + 1 < lines.size(); ++i) sum += std::stoull(lines[i].substr(lines[i].find(' ') + 1));
  EXPECT_EQ("perft 3 " + std::to_string(sum), lines.back());

  // A stored position, the upper army to move.
  Position pos;
  SetUpStartingPosition(pos, false);
  pos.Board[5][8] = EMPTY;
  pos.Hand[UE][1] = 1;
  pos.Hand[UE][8] = 1;
  const std::string file = Record("p.棋譜", {&pos});
  const CliRun upper = Cli("perft --side upper '" + file + "' 2");
  ASSERT_EQ(upper.status, 0) << upper.err;
  EXPECT_EQ(Lines(upper.out).back(), PerftLine(2, pos, UE));

  EXPECT_EQ(Cli("perft --placement 中嶺 2").status, 2);
  EXPECT_EQ(Cli("perft --side middle --placement 左嶺 2").status, 2);
  EXPECT_EQ(Cli("perft --placement 左嶺").status, 2);
}

TEST_F(CliSearch, DeepLevelReportsEachDepthAndRepeatsItselfWithANodeBudget) {
  Position pos;
  SetUpStartingPosition(pos, true);
  const std::string file = Record("start.棋譜", {&pos});
  const CliRun a = Cli("bestmove --level 5 --nodes 30000 --side lower '" + file + "'");
  ASSERT_EQ(a.status, 0) << a.err;
  const auto lines = Lines(a.out);
  ASSERT_GE(lines.size(), 4u);
  const std::regex info("info depth [0-9]+ score -?[0-9]+ nodes [0-9]+ nps [0-9]+ pv( [a-j][0-9]+[a-j][0-9]+\\+?| [A-Z]@[a-j][0-9]+)+");
  for (size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_TRUE(std::regex_match(lines[i], info)) << lines[i];
  // The lower army's move in the game's coordinates, then the score.
  EXPECT_TRUE(std::regex_match(lines.back(), std::regex("best [0-9]+ [0-9]+ [0-9]+ [0-9]+ -[0-9]+ -?[0-9]+\\.0000")))
      << lines.back();
  EXPECT_EQ(WithoutSpeed(Cli("bestmove --level 5 --nodes 30000 --side lower '" + file + "'").out), WithoutSpeed(a.out));

  // The upper army by default, as at the other levels.
  const CliRun upper = Cli("bestmove --level 4 --nodes 5000 '" + file + "'");
  EXPECT_TRUE(std::regex_search(upper.out, std::regex("\nbest [0-9]+ [0-9]+ [0-9]+ [0-9]+ [0-9]+ "))) << upper.out;

  Position over = pos;
  over.Board[5][10] = EMPTY;  // the lower king has been taken
  EXPECT_EQ(Cli("bestmove --level 4 --nodes 1000 '" + Record("over.棋譜", {&over}) + "'").out, "best none\n");
  EXPECT_EQ(Cli("bestmove --level 3 --nodes 1000 '" + file + "'").status, 2);
  EXPECT_EQ(Cli("bestmove --level 6 '" + file + "'").status, 2);
}

}  // namespace
}  // namespace qz
