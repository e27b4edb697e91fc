// The position commands of qzreishogi-cli: show and matecom.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "model/board_picture.h"
#include "model/placement.h"
#include "play/history.h"
#include "play/record_file.h"
#include "support/cli_fixture.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

using test::CliFixture;
using test::CliRun;

class CliPosition : public CliFixture {};

TEST_F(CliPosition, ShowsAStartingPlacementInFixedColumns) {
  const CliRun r = Cli("show --placement 右嶺");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "   20   30   40  100  110  950  110  100   30   20\n"
            "    0  900    0    0    0  210    0    0  800    0\n"
            "   10   10   10   10   10   10   10   10   10   10\n"
            "    0    0    0    0    0    0    0    0    0    0\n"
            "    0    0    0    0    0    0    0    0    0    0\n"
            "    0    0    0    0    0    0    0    0    0    0\n"
            "    0    0    0    0    0    0    0    0    0    0\n"
            "  -10  -10  -10  -10  -10  -10  -10  -10  -10  -10\n"
            "    0 -800    0    0 -210    0    0    0 -900    0\n"
            "  -20  -30 -100 -110 -950 -110 -100  -40  -30  -20\n"
            "hand SITA 0 0 0 0 0 0 0 0 0\n"
            "hand UE 0 0 0 0 0 0 0 0 0\n");
  const CliRun bad = Cli("show --placement 中嶺");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("中嶺"), std::string::npos);
}

TEST_F(CliPosition, ShowsTheChosenEntryOfARecordWithItsHands) {
  Position first;
  SetUpStartingPosition(first, false);
  Position second = first;
  second.Board[5][8] = EMPTY;
  second.Board[5][7] = -HU;
  second.Hand[SITA][1] = 2;
  second.Hand[SITA][9] = 1;
  second.Hand[UE][4] = 3;
  const std::string path = Record("game.棋譜", {&first, &second});

  const CliRun last = Cli("show '" + path + "'");
  ASSERT_EQ(last.status, 0) << last.err;
  EXPECT_NE(last.out.find("\n    0    0    0    0  -10    0    0    0    0    0\n"),
            std::string::npos)
      << last.out;
  EXPECT_NE(last.out.find("\nhand SITA 2 0 0 0 0 0 0 0 1\nhand UE 0 0 0 3 0 0 0 0 0\n"),
            std::string::npos)
      << last.out;

  const CliRun one = Cli("show --entry 1 '" + path + "'");
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, Cli("show --placement 左嶺").out);

  const CliRun none = Cli("show --entry 3 '" + path + "'");
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find(path), std::string::npos) << none.err;
  EXPECT_EQ(std::count(none.err.begin(), none.err.end(), '\n'), 1) << none.err;

  const std::string missing = (dir_ / "missing.棋譜").string();
  const CliRun absent = Cli("show '" + missing + "'");
  EXPECT_EQ(absent.status, 2);
  EXPECT_EQ(absent.out, "");
  EXPECT_NE(absent.err.find(missing), std::string::npos) << absent.err;

  EXPECT_EQ(Cli("show").status, 2);
  EXPECT_EQ(Cli("show --entry x '" + path + "'").status, 2);
}

TEST_F(CliPosition, MateComAnswersForTheStoredPosition) {
  Position mated = test::FromPicture(R"(
    . . . l k l . . . .
    . . . p . p . . . .
    . . . . . . . . . .
    . . . . R . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . .
    . . . . . . . . . K)");
  Position saved = mated;
  saved.Hand[UE][1] = 1;
  const std::string path = Record("mate.棋譜", {&saved, &mated});
  const CliRun last = Cli("matecom '" + path + "'");
  EXPECT_EQ(last.status, 0) << last.err;
  EXPECT_EQ(last.out, "1\n");
  const CliRun first = Cli("matecom --entry 1 '" + path + "'");
  EXPECT_EQ(first.out, "0\n") << "a pawn in hand blocks the file";
  const CliRun bad = Cli("matecom '" + (dir_ / "nothing.棋譜").string() + "'");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
}

// A record longer than the history is read up to its 500th entry; every
// command that reads one says so on stderr and otherwise answers as before.
TEST_F(CliPosition, CommandsSayWhenARecordWasReadOnlyInPart) {
  Position start;
  SetUpStartingPosition(start, true);
  const std::string path = Record("long.棋譜", {&start});
  std::string bytes = test::Slurp(path);
  const std::string entry = bytes.substr(bytes.rfind("\r\n", bytes.size() - 3) + 2);
  for (int k = 2; k <= 600; ++k) bytes += entry;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

  const std::string note = path + ": only the first 500 of 600 entries were read\n";
  for (const char* command : {"show", "bestmove --level 1", "matecom", "matman"}) {
    const CliRun r = Cli(std::string(command) + " '" + path + "'");
    EXPECT_EQ(r.status, 0) << command << ": " << r.err;
    EXPECT_EQ(r.err, note) << command;
    EXPECT_FALSE(r.out.empty()) << command;
  }
  EXPECT_EQ(Cli("show '" + path + "'").out, Cli("show --placement 右嶺").out);
  const CliRun beyond = Cli("show --entry 501 '" + path + "'");
  EXPECT_EQ(beyond.status, 2);
  EXPECT_EQ(beyond.err.find(note), 0u) << beyond.err;
}

}  // namespace
}  // namespace qz
