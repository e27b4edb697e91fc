// The command-line faces of the move generator and the deep search: perft
// and bestmove at the deep levels.
#include <gtest/gtest.h>

#include <cctype>
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

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

bool IsNumber(const std::string& w) {
  size_t i = w.size() > 1 && w[0] == '-' ? 1 : 0;
  if (i == w.size()) return false;
  for (; i < w.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(w[i]))) return false;
  return true;
}

// "c3c4", "c8c9+", "P@e5".
bool IsUciMove(const std::string& w) {
  size_t i = 0;
  auto square = [&] {
    if (i >= w.size() || w[i] < 'a' || w[i] > 'j') return false;
    const size_t start = ++i;
    while (i < w.size() && std::isdigit(static_cast<unsigned char>(w[i]))) ++i;
    const int rank = i > start && i - start <= 2 ? std::stoi(w.substr(start, i - start)) : 0;
    return rank >= 1 && rank <= 10;
  };
  if (w.size() > 2 && std::isupper(static_cast<unsigned char>(w[0])) && w[1] == '@') {
    i = 2;
    return square() && i == w.size();
  }
  if (!square() || !square()) return false;
  return i == w.size() || (i + 1 == w.size() && w[i] == '+');
}

// "info depth D score S nodes N nps R pv MOVES".
bool IsInfoLine(const std::string& line) {
  const auto w = Words(line);
  if (w.size() < 11 || w[0] != "info" || w[1] != "depth" || w[3] != "score" || w[5] != "nodes" ||
      w[7] != "nps" || w[9] != "pv")
    return false;
  for (size_t i : {2, 4, 6, 8})
    if (!IsNumber(w[i])) return false;
  for (size_t i = 10; i < w.size(); ++i)
    if (!IsUciMove(w[i])) return false;
  return true;
}

// Without the nodes-per-second figure, which depends on the machine.
std::string WithoutSpeed(const std::string& text) {
  std::string out;
  for (const std::string& line : Lines(text)) {
    const auto w = Words(line);
    for (size_t i = 0; i < w.size(); ++i) {
      if (w[i] == "nps") {
        ++i;
        continue;
      }
      out += w[i] + ' ';
    }
    out += '\n';
  }
  return out;
}

// "best FX FY TX TY CODE SCORE" with the score as %.4f of a whole number.
bool IsBestLine(const std::string& line, bool lowerArmy) {
  const auto w = Words(line);
  if (w.size() != 7 || w[0] != "best") return false;
  for (size_t i = 1; i <= 5; ++i)
    if (!IsNumber(w[i])) return false;
  if ((std::stoi(w[5]) < 0) != lowerArmy) return false;
  return w[6].size() > 5 && w[6].substr(w[6].size() - 5) == ".0000" &&
         IsNumber(w[6].substr(0, w[6].size() - 5));
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
  for (size_t i = 0; i + 1 < lines.size(); ++i)
    sum += std::stoull(lines[i].substr(lines[i].find(' ') + 1));
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
  const CliRun a = Cli("bestmove --level 8 --nodes 30000 --side lower '" + file + "'");
  ASSERT_EQ(a.status, 0) << a.err;
  const auto lines = Lines(a.out);
  ASSERT_GE(lines.size(), 4u);
  for (size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_TRUE(IsInfoLine(lines[i])) << lines[i];
  // The lower army's move in the game's coordinates, then the score.
  EXPECT_TRUE(IsBestLine(lines.back(), true)) << lines.back();
  EXPECT_EQ(WithoutSpeed(Cli("bestmove --level 8 --nodes 30000 --side lower '" + file + "'").out),
            WithoutSpeed(a.out));

  // The upper army by default, as at the other levels.
  const CliRun upper = Cli("bestmove --level 7 --nodes 5000 '" + file + "'");
  EXPECT_TRUE(IsBestLine(Lines(upper.out).back(), false)) << upper.out;

  Position over = pos;
  over.Board[5][10] = EMPTY;  // the lower king has been taken
  EXPECT_EQ(Cli("bestmove --level 7 --nodes 1000 '" + Record("over.棋譜", {&over}) + "'").out,
            "best none\n");
  // A king left to be taken: the decided score is reported as a depth too.
  Position enPrise;
  enPrise.Board[1][1] = OU;
  enPrise.Board[1][9] = -SYA;
  enPrise.Board[10][10] = -OU;
  const CliRun taken =
      Cli("bestmove --level 7 --nodes 1000 --side lower '" + Record("k.棋譜", {&enPrise}) + "'");
  const auto takenLines = Lines(taken.out);
  ASSERT_EQ(takenLines.size(), 2u) << taken.out;
  EXPECT_TRUE(IsInfoLine(takenLines[0])) << takenLines[0];
  EXPECT_EQ(Words(takenLines[0])[4], "29999");
  EXPECT_TRUE(takenLines[1].starts_with("best 1 9 1 1 ")) << takenLines[1];
  EXPECT_TRUE(takenLines[1].ends_with(" 29999.0000")) << takenLines[1];
  EXPECT_EQ(Cli("bestmove --level 3 --nodes 1000 '" + file + "'").status, 2);
  EXPECT_EQ(Cli("bestmove --level 9 '" + file + "'").status, 2);
}

// The signature of the search: the nodes the bench searches. A change of
// the search's behaviour changes it and names the new figure in its commit
// message ("Bench: N"); a refactoring keeps it.
constexpr std::uint64_t kBenchSignature = 1071682;

TEST_F(CliSearch, BenchSearchesItsPositionsToTheSameSignature) {
  const CliRun r = Cli("bench");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_GE(lines.size(), 3u);
  std::uint64_t sum = 0;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    const auto w = Words(lines[i]);
    ASSERT_TRUE(w.size() == 10 && w[0] == "position" && w[6] == "nodes") << lines[i];
    EXPECT_EQ(w[3], "9") << "every position is searched to the full depth: " << lines[i];
    sum += std::stoull(w[7]);
  }
  const auto last = Words(lines.back());
  ASSERT_EQ(last.size(), 5u) << lines.back();
  EXPECT_EQ(last[0], "bench");
  EXPECT_EQ(last[2], "nodes");
  EXPECT_TRUE(IsNumber(last[3]));
  EXPECT_EQ(last[4], "nps");
  EXPECT_EQ(std::stoull(last[1]), sum);
  EXPECT_EQ(std::stoull(last[1]), kBenchSignature) << "the search's behaviour changed";

  // A variant of the search's numbers searches another tree; names that are
  // not numbers of the search are refused.
  const auto total = [&](const std::string& args) {
    const CliRun run = Cli("bench --depth 5" + args);
    EXPECT_EQ(run.status, 0) << run.err;
    return Words(Lines(run.out).back())[1];
  };
  EXPECT_NE(total(" --search rfpMaxDepth=0,lmpMaxDepth=0"), total(""));
  EXPECT_EQ(total(" --search rfpMaxDepth=7"), total(""));
  EXPECT_EQ(Cli("bench --search rfp=1").status, 2);
  EXPECT_EQ(Cli("bench --search rfpMaxDepth=x").status, 2);
  // So does a variant of the evaluation's weights.
  EXPECT_NE(total(" --eval sliderMobility=0"), total(""));
  EXPECT_EQ(Cli("bench --eval slider=1").status, 2);
  EXPECT_EQ(Cli("bench --eval tempo=ten").status, 2);
  EXPECT_EQ(Cli("bench --depth 0").status, 2);
  EXPECT_EQ(Cli("bench extra").status, 2);
}

}  // namespace
}  // namespace qz
