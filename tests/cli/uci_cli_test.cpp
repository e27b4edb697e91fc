// qzreishogi-cli uci spoken to as a match runner speaks to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/match_rules.h"
#include "model/make_move.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "support/cli_fixture.h"

namespace qz::test {
namespace {

class UciCliTest : public CliFixture {
 protected:
  std::vector<std::string> Session(const std::string& input) {
    std::ofstream(dir_ / "in.txt") << input;
    const CliRun r = Cli("uci < '" + (dir_ / "in.txt").string() + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(UciCliTest, HandshakePositionsAndSearches) {
  const auto out = Session(
      "uci\n"
      "isready\n"
      "position startpos moves c3c4 g8g7\n"
      "d\n"
      "go movetime 50\n"
      "position startpos moves c3c5\n"
      "d\n"
      "go perft 1\n"
      "position fen lnsg1gsmnl/1r2c3b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B3C2R1/LNMSGKGSNL[] w - "
      "- 0 1\n"
      "go depth 3\n"
      "nonsense here\n"
      "position startpos\n"
      "go infinite\n"
      "stop\n"
      "quit\n"
      "go\n");
  EXPECT_TRUE(std::regex_match(out.at(0), std::regex("id name .+")));
  EXPECT_TRUE(Has(out, "option name UCI_Variant type combo default reishogi var reishogi"));
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) {
    return std::regex_match(
        l, std::regex("option name Level type spin default [1-5] min 1 max [3-5]"));
  }));
  EXPECT_TRUE(Has(out, "uciok"));
  EXPECT_TRUE(Has(out, "readyok"));
  // FEN and moves as the engines for this game write them.
  EXPECT_TRUE(Has(out,
                  "Fen: lnsgkgsmnl/1r2c3b1/pppppp1ppp/6p3/10/10/2P7/PP1PPPPPPP/1B3C2R1/"
                  "LNMSGKGSNL[] w - - 0 2"));
  // A refused move leaves the position before it.
  EXPECT_TRUE(
      Has(out, "info string move c3c5 refused (move not allowed); the position stops before it"));
  EXPECT_TRUE(Has(out,
                  "Fen: lnsgkgsmnl/1r2c3b1/pppppppppp/10/10/10/10/PPPPPPPPPP/1B3C2R1/"
                  "LNMSGKGSNL[] w - - 0 1"));
  // The count the sparring partner gives for the 左嶺 start.
  EXPECT_TRUE(Has(out, "Nodes searched: 28"));

  std::vector<std::string> best;
  for (const std::string& l : out)
    if (l.starts_with("bestmove ")) best.push_back(l.substr(9));
  // The move after c3c4 g8g7, none with a king gone, one for infinite + stop,
  // nothing after quit.
  ASSERT_EQ(best.size(), 3u);
  Position pos;
  SetUpStartingPosition(pos, false);
  駒移動(pos, 3, 8, 3, 7, -HU);
  駒移動(pos, 7, 3, 7, 4, HU);
  const auto first = MoveFromUci(pos, SITA, best[0]);
  ASSERT_TRUE(first.has_value()) << best[0];
  EXPECT_EQ(cli::RefusalOf(pos, SITA, *first), "");
  EXPECT_EQ(best[1], "(none)");
  EXPECT_NE(best[2], "(none)");
}

TEST_F(UciCliTest, OptionsOutOfRangeAreRefusedAndTheLevelIsKept) {
  const auto out = Session(
      "setoption name Level value 9\n"
      "setoption name Hash value 0\n"
      "setoption name UCI_Variant value chess\n"
      "setoption name level value 1\n"
      "position startpos\n"
      "go\n");
  EXPECT_TRUE(Has(out, "info string Hash takes 1 to 4096"));
  EXPECT_TRUE(Has(out, "info string only the variant reishogi is played"));
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) {
    return l.starts_with("info string Level takes 1 to ");
  }));
  ASSERT_FALSE(out.empty());
  EXPECT_TRUE(out.back().starts_with("bestmove ")) << out.back();
}

TEST_F(UciCliTest, DeepLevelsReportTheirDepthsAndSeeAWonKing) {
  const auto out = Session(
      "setoption name Level value 4\n"
      "position startpos\n"
      "go nodes 20000\n"
      // Two lower rooks trap the upper king in the corner: it is taken on
      // the lower army's second move.
      "position fen k9/10/10/1R8/2R7/10/10/10/10/9K[] w - - 0 1\n"
      "go nodes 20000\n");
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) {
    return std::regex_match(
        l, std::regex("info depth \\d+ score cp -?\\d+ nodes \\d+ nps \\d+ pv .+"));
  }));
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) {
    return l.starts_with("info depth ") && l.find(" score mate 2 ") != std::string::npos;
  }));
  ASSERT_FALSE(out.empty());
  EXPECT_TRUE(out.back().starts_with("bestmove ")) << out.back();
}

}  // namespace
}  // namespace qz::test
