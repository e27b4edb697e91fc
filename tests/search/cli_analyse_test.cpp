// qzreishogi-cli analyse: the review of a saved game.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/make_move.h"
#include "model/placement.h"
#include "search/searcher.h"
#include "support/cli_fixture.h"

namespace qz {
namespace {

using test::CliFixture;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

class AnalyseCli : public CliFixture {
 protected:
  // A game from the 左嶺 set-up, both armies played by the deep search on
  // a small budget; entries 1..plies are the positions after each move.
  std::string PlayedGame(const std::string& name, int plies) {
    auto history = std::make_unique<History>();
    Position pos;
    SetUpStartingPosition(pos, false);
    search::Searcher searcher(1);
    searcher.NewGame(0);
    search::Limits limits;
    limits.nodes = 1500;
    Side side = SITA;
    for (int k = 1; k <= plies; ++k) {
      const search::Result r = searcher.Think(pos, side, k, limits);
      if (!r.found) break;
      駒移動(pos, r.best.fromX, r.best.fromY, r.best.toX, r.best.toY, r.best.code);
      history->SetEntry(k, pos);
      side = Opponent(side);
    }
    const std::string path = (dir_ / name).string();
    EXPECT_EQ(WriteRecord(path, RecordHeader{"g", "COM", "MAN"}, *history, plies).status,
              RecordStatus::Ok);
    return path;
  }

  // A lower rook that can step aside, or step where the upper gold takes it.
  std::string RookRecord(const std::string& name, int toY) {
    Position before;
    before.Board[1][1] = OU;
    before.Board[10][10] = -OU;
    before.Board[5][8] = -SYA;
    before.Board[4][4] = KIN;
    before.Board[2][2] = HU;
    Position after = before;
    駒移動(after, 5, 8, 5, toY, -SYA);
    return Record(name, {&before, &after});
  }
};

TEST_F(AnalyseCli, ReviewsEveryMoveFromTheStartAndRepeatsExactly) {
  const std::string file = PlayedGame("game.棋譜", 12);
  const test::CliRun first = Cli("analyse --nodes 3000 '" + file + "'");
  ASSERT_EQ(first.status, 0) << first.err;
  const std::vector<std::string> lines = Lines(first.out);
  ASSERT_EQ(lines.size(), 14u) << first.out;
  const std::regex move(
      R"((\d+) ([▲△]\S+) score (-?M?\d+) best ([▲△]\S+|none) loss (\d+) (\?\?|\?|-))");
  int counted[2] = {0, 0}, marks[2][2] = {{0, 0}, {0, 0}};
  for (int i = 0; i < 12; ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[i], m, move)) << lines[i];
    // The first move is found from the starting set-up the record leaves out.
    EXPECT_EQ(std::stoi(m[1]), i + 1);
    const int side = m[2].str().starts_with("▲") ? 0 : 1;
    EXPECT_EQ(side, i % 2) << lines[i];
    ++counted[side];
    const int loss = std::stoi(m[5]);
    EXPECT_EQ(m[6].str(), loss >= 300 ? "??" : loss >= 100 ? "?" : "-") << lines[i];
    if (m[6] == "?") ++marks[side][0];
    if (m[6] == "??") ++marks[side][1];
  }
  for (int side = 0; side < 2; ++side) {
    const std::string expected = std::string("summary ") + (side == 0 ? "lower" : "upper") +
                                 " moves " + std::to_string(counted[side]) + " average-loss ";
    EXPECT_TRUE(lines[12 + side].starts_with(expected)) << lines[12 + side];
    EXPECT_TRUE(lines[12 + side].ends_with(" mistakes " + std::to_string(marks[side][0]) +
                                           " blunders " + std::to_string(marks[side][1])))
        << lines[12 + side];
  }
  EXPECT_EQ(Cli("analyse --nodes 3000 '" + file + "'").out, first.out);
}

TEST_F(AnalyseCli, MarksAPieceLeftToBeTakenAsABlunder) {
  const test::CliRun bad = Cli("analyse --nodes 20000 '" + RookRecord("bad.棋譜", 5) + "'");
  ASSERT_EQ(bad.status, 0) << bad.err;
  const std::vector<std::string> lines = Lines(bad.out);
  ASSERT_EQ(lines.size(), 3u) << bad.out;
  // Entry 1 is no starting set-up: the review starts with move 2.
  EXPECT_TRUE(lines[0].starts_with("2 ▲６五飛(68) score -")) << lines[0];
  EXPECT_TRUE(lines[0].ends_with(" ??")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("summary lower moves 1 average-loss ")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with(" mistakes 0 blunders 1")) << lines[1];
  EXPECT_EQ(lines[2], "summary upper moves 0 average-loss 0.0 mistakes 0 blunders 0");

  const test::CliRun good = Cli("analyse --nodes 20000 '" + RookRecord("good.棋譜", 7) + "'");
  ASSERT_EQ(good.status, 0) << good.err;
  EXPECT_FALSE(Lines(good.out)[0].ends_with("??")) << good.out;
}

TEST_F(AnalyseCli, WritesTheGraphAndRefusesBadArguments) {
  const std::string file = RookRecord("r.棋譜", 5);
  const std::string svg = (dir_ / "graph.svg").string();
  ASSERT_EQ(Cli("analyse --nodes 2000 --svg '" + svg + "' '" + file + "'").status, 0);
  const std::string text = test::Slurp(svg);
  EXPECT_TRUE(text.starts_with("<?xml")) << text.substr(0, 80);
  EXPECT_NE(text.find("<path d=\"M"), std::string::npos);
  EXPECT_NE(text.find("</svg>"), std::string::npos);
  // The blunder is circled.
  EXPECT_NE(text.find("<circle"), std::string::npos);

  EXPECT_EQ(Cli("analyse --nodes 10 --movetime 10 '" + file + "'").status, 2);
  EXPECT_EQ(Cli("analyse --nodes 0 '" + file + "'").status, 2);
  EXPECT_EQ(Cli("analyse --movetime x '" + file + "'").status, 2);
  EXPECT_EQ(Cli("analyse").status, 2);
  const test::CliRun missing = Cli("analyse --nodes 100 '" + (dir_ / "none.棋譜").string() + "'");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("none.棋譜"), std::string::npos) << missing.err;
  // A folder that does not exist: the review is printed, the graph reported.
  const test::CliRun noFolder =
      Cli("analyse --nodes 100 --svg '" + (dir_ / "no" / "g.svg").string() + "' '" + file + "'");
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_NE(noFolder.err.find("cannot write"), std::string::npos) << noFolder.err;
}

}  // namespace
}  // namespace qz
