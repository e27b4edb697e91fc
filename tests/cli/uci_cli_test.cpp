// qzreishogi-cli uci spoken to as a match runner speaks to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/make_move.h"
#include "model/placement.h"
#include "model/uci_notation.h"
#include "players/child_process.h"
#include "players/match_rules.h"
#include "search/searcher.h"
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

// A wide position: the kings and all nine kinds twice in each hand.
constexpr const char* kWideFen =
    "4k5/10/10/10/10/10/10/10/10/5K4[RRBBCCGGSSMMNNLLPPrrbbccggssmmnnllpp] w - - 0 1";

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class UciBoundedTest : public UciCliTest {
 protected:
  // The session on a file as its input, ended by `timeout` after `seconds`
  // (status 124) should it hang; `limit` goes before it (a ulimit).
  CliRun Bounded(const std::string& input, int seconds, double& elapsed,
                 const std::string& limit = "") {
    std::ofstream(dir_ / "in.txt") << input;
    const auto out = dir_ / "out.txt", err = dir_ / "err.txt";
    const std::string cmd = limit + "timeout -s KILL " + std::to_string(seconds) + " '" +
                            cli_.string() + "' uci < '" + (dir_ / "in.txt").string() + "' >'" +
                            out.string() + "' 2>'" + err.string() + "'";
    const auto start = std::chrono::steady_clock::now();
    const int raw = std::system(("sh -c \"" + cmd + "\"").c_str());
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
    return r;
  }

  // The session on a pipe: each line is sent in turn, and a line
  // "#wait TEXT" reads the output until a line that starts with TEXT. Then
  // the input is closed and the rest of the output read.
  std::vector<std::string> Converse(const std::vector<std::string>& script) {
    ChildProcess child;
    std::string problem;
    std::vector<std::string> lines;
    EXPECT_TRUE(child.Start("exec '" + cli_.string() + "' uci", problem)) << problem;
    const auto deadline = ChildProcess::Clock::now() + std::chrono::seconds(60);
    for (const std::string& s : script) {
      if (!s.starts_with("#wait ")) {
        EXPECT_TRUE(child.WriteLine(s, deadline)) << s;
        continue;
      }
      const std::string want = s.substr(6);
      for (std::string line;;) {
        const auto r = child.ReadLine(line, deadline);
        if (r != ChildProcess::ReadResult::Line) {
          ADD_FAILURE() << "no line starting with '" << want << "'";
          return lines;
        }
        lines.push_back(line);
        if (line.starts_with(want)) break;
      }
    }
    child.Close(deadline);
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
  // The strongest level unless told otherwise.
  EXPECT_TRUE(Has(out, "option name Level type spin default 8 min 1 max 8"));
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
  EXPECT_EQ(RefusalOf(pos, SITA, *first), "");
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

TEST_F(UciBoundedTest, DeepLevelsReportTheirDepthsAndSeeAWonKing) {
  // Each search is waited for: the end of the input would stop it.
  const auto out = Converse({
      "setoption name Level value 7",
      "position startpos",
      "go nodes 20000",
      "#wait bestmove",
      // Two lower rooks trap the upper king in the corner: it is taken on
      // the lower army's second move.
      "position fen k9/10/10/1R8/2R7/10/10/10/10/9K[] w - - 0 1",
      "go nodes 20000",
      "#wait bestmove",
  });
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

TEST_F(UciBoundedTest, AWeakLevelKeepsToItsBudgetWhateverItIsGiven) {
  const auto out = Converse({
      "setoption name Level value 4",
      "position startpos moves c3c4",
      "go nodes 5000000",
      "#wait bestmove",
  });
  std::uint64_t most = 0;
  for (const std::string& l : out) {
    std::smatch m;
    if (std::regex_search(l, m, std::regex(" nodes (\\d+) ")))
      most = std::max<std::uint64_t>(most, std::stoull(m[1]));
  }
  EXPECT_GT(most, 0u);
  EXPECT_LE(most, search::SettingsOfLevel(4).nodes + 1);
  ASSERT_FALSE(out.empty());
  Position pos;
  SetUpStartingPosition(pos, false);
  駒移動(pos, 3, 8, 3, 7, -HU);
  const auto reply = MoveFromUci(pos, UE, out.back().substr(9));
  ASSERT_TRUE(reply.has_value()) << out.back();
  EXPECT_EQ(RefusalOf(pos, UE, *reply), "");
}

TEST_F(UciBoundedTest, TheEndOfInputEndsEverySearch) {
  for (const char* go : {"go depth 1000", "go nodes 1000000000000", "go movetime 100000000"}) {
    double seconds = 0;
    const CliRun r = Bounded(std::string("position startpos\n") + go + "\n", 20, seconds);
    EXPECT_EQ(r.status, 0) << go;
    EXPECT_LT(seconds, 10.0) << go;
    const auto out = LinesOf(r.out);
    ASSERT_FALSE(out.empty()) << go;
    EXPECT_TRUE(out.back().starts_with("bestmove ") && out.back() != "bestmove (none)")
        << go << ": " << out.back();
  }
}

TEST_F(UciBoundedTest, PerftIsStoppedAndCountsAsThePerftCommand) {
  // Hours of counting, stopped by stop, by quit and by the end of the input.
  for (const char* end : {"stop\nisready\n", "quit\n", ""}) {
    double seconds = 0;
    const CliRun r =
        Bounded(std::string("position fen ") + kWideFen + "\ngo perft 6\n" + end, 20, seconds);
    EXPECT_EQ(r.status, 0) << end;
    EXPECT_LT(seconds, 10.0) << end;
    const auto out = LinesOf(r.out);
    EXPECT_TRUE(Has(out,
                    "info string perft stopped; the counts above are whole, the total is "
                    "not given"))
        << end << r.out;
    EXPECT_FALSE(std::any_of(out.begin(), out.end(),
                             [](const std::string& l) { return l.starts_with("Nodes searched"); }));
  }

  // Two plies always finish, and count as `qzreishogi-cli perft` counts.
  Position pos;
  Side side = SITA;
  ASSERT_TRUE(FromFen(kWideFen, pos, side));
  const std::string file = Record("wide.棋譜", {&pos});
  const CliRun command = Cli("perft '" + file + "' 2");
  ASSERT_EQ(command.status, 0) << command.err;
  double seconds = 0;
  const CliRun session = Bounded(
      std::string("position fen ") + kWideFen + "\ngo perft 2\nstop\ngo perft 0\ngo perft 21\n", 20,
      seconds);
  const auto out = LinesOf(session.out);
  const auto expected = LinesOf(command.out);
  ASSERT_GT(expected.size(), 100u);
  ASSERT_GE(out.size(), expected.size() + 3);
  for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
    std::string line = expected[i];
    line.insert(line.find(' '), ":");
    EXPECT_EQ(out[i], line);
  }
  EXPECT_EQ(out[expected.size() - 1], "");
  EXPECT_EQ("perft 2 " + out[expected.size()].substr(16), expected.back());
  EXPECT_EQ(out[expected.size() + 1], "info string perft takes a depth of 1 to 20");
  EXPECT_EQ(out[expected.size() + 2], "info string perft takes a depth of 1 to 20");
}

TEST_F(UciBoundedTest, AHashMemoryCannotHoldIsCutToWhatItCan) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#else
  double seconds = 0;
  const CliRun r = Bounded(
      "setoption name Hash value 4096\nisready\nposition startpos\ngo nodes 2000\n"
      "setoption name Hash value 64\nisready\n",
      60, seconds, "ulimit -v 900000; ");
  EXPECT_EQ(r.status, 0) << r.err;
  const auto out = LinesOf(r.out);
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) {
    return std::regex_match(l, std::regex("info string Hash 4096 MB cannot be had; the table has "
                                          "(1|2|4|8|16|32|64|128|256|512|1024|2048) MB"));
  })) << r.out;
  EXPECT_EQ(std::count(out.begin(), out.end(), "readyok"), 2);
  EXPECT_EQ(std::count_if(out.begin(), out.end(),
                          [](const std::string& l) { return l.starts_with("info string Hash"); }),
            1);
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) {
    return l.starts_with("bestmove ") && l != "bestmove (none)";
  }));
#endif
}

TEST_F(UciCliTest, RecordsThatCannotBePlayedAreRefusedByEveryCommand) {
  Position twoKings;
  twoKings.Board[1][10] = -OU;
  twoKings.Board[10][10] = -OU;
  twoKings.Board[5][1] = OU;
  Position fullHand;
  fullHand.Board[1][10] = -OU;
  fullHand.Board[5][1] = OU;
  fullHand.Board[5][5] = HU;
  fullHand.Hand[SITA][1] = 31;
  const std::string kings = Record("kings.棋譜", {&twoKings});
  const std::string hand = Record("hand.棋譜", {&fullHand});
  for (const std::string& command :
       {"perft '" + kings + "' 2", "bestmove '" + kings + "'", "show '" + kings + "'"}) {
    const CliRun r = Cli(command);
    EXPECT_EQ(r.status, 2) << command;
    EXPECT_TRUE(r.out.empty()) << command;
    EXPECT_NE(r.err.find(": entry 1 cannot be played (two kings of the lower army)"),
              std::string::npos)
        << command << ": " << r.err;
  }
  const CliRun r = Cli("perft '" + hand + "' 2");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("(more than 31 pieces of one kind)"), std::string::npos) << r.err;
}

TEST_F(UciBoundedTest, PositionsThatCannotBePlayedAreRefusedAndScoresStayInTheirBand) {
  // The search is waited for: the end of the input would stop it.
  const auto out = Converse(
      {"position startpos moves c3c4", "position fen k8k/10/10/10/10/10/10/10/10/4K5[] w - - 0 1",
       "d", "position fen 4294967306/10/10/10/10/10/10/10/10/4k5[] w - - 0 1",
       "position fen 4k5/10/10/10/10/10/10/10/10/5K4[32P] w - - 0 1", "d",
       // Nine of every kind in the lower hand: no mate, however much it holds.
       "setoption name Level value 8",
       "position fen "
       "4k5/10/10/10/10/10/10/10/10/"
       "5K4[RRRRRRRRRBBBBBBBBBCCCCCCCCCGGGGGGGGGSSSSSSSSSMMMMMMMMMNNNNNNNNNLLLLLLLLLPPPPPPPPP] w - "
       "- 0 1",
       "go depth 1", "#wait bestmove"});
  EXPECT_TRUE(
      Has(out, "info string FEN refused (two kings of the upper army); the position is kept"));
  EXPECT_TRUE(Has(out, "info string unreadable FEN; the position is kept"));
  EXPECT_TRUE(
      Has(out, "info string FEN refused (more than 31 pieces of one kind); the position is kept"));
  EXPECT_EQ(std::count(out.begin(), out.end(),
                       "Fen: lnsgkgsmnl/1r2c3b1/pppppppppp/10/10/10/2P7/PP1PPPPPPP/1B3C2R1/"
                       "LNMSGKGSNL[] b - - 0 1"),
            2);
  bool scored = false;
  for (const std::string& l : out) {
    if (!l.starts_with("info depth")) continue;
    scored = true;
    EXPECT_EQ(l.find(" mate "), std::string::npos) << l;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(l, m, std::regex(" score cp (-?\\d+) "))) << l;
    EXPECT_LT(std::abs(std::stoi(m[1])), 29872) << l;
  }
  EXPECT_TRUE(scored);
  ASSERT_FALSE(out.empty());
  EXPECT_TRUE(out.back().starts_with("bestmove ")) << out.back();
}

}  // namespace
}  // namespace qz::test
