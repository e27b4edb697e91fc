// Whole runs of game scripts against the real game: the example games read
// as the game is played, and the runner keeps to what a player can do.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "script/script_runner.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

fs::path SourceDir() {
  if (const char* dir = std::getenv("QZ_SOURCE_DIR")) return dir;
  return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines `expected` appear in `lines` in this order (others may come between).
::testing::AssertionResult InOrder(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& expected) {
  std::size_t at = 0;
  for (const std::string& want : expected) {
    while (at < lines.size() && lines[at] != want) ++at;
    if (at == lines.size())
      return ::testing::AssertionFailure() << "missing, or out of order: " << want;
    ++at;
  }
  return ::testing::AssertionSuccess();
}

// Empty when equal, else the first line that differs in both texts.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
  const auto a = Lines(actual), e = Lines(expected);
  for (std::size_t i = 0; i < std::max(a.size(), e.size()); ++i) {
    const std::string got = i < a.size() ? a[i] : "(end)";
    const std::string want = i < e.size() ? e[i] : "(end)";
    if (got != want) {
      return "line " + std::to_string(i + 1) + "\n  got:  " + got + "\n  want: " + want;
    }
  }
  return actual == expected ? "" : "line ends differ";
}

// Each test plays in a fresh folder, optionally a copy of an example folder.
class ScriptRun : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir = fs::temp_directory_path() /
          ("qz_script_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  void CopyExample(const std::string& name) {
    for (const auto& entry : fs::directory_iterator(SourceDir() / "examples" / name)) {
      fs::copy_file(entry.path(), dir / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
  void WithWaves() {
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"}) {
      std::ofstream(dir / name, std::ios::binary) << "RIFF";
    }
  }
  std::string Run(const std::string& script, int expectedStatus = 0) {
    std::ostringstream out;
    EXPECT_EQ(RunScript(script, dir.string(), out), expectedStatus) << out.str();
    return out.str();
  }

  fs::path dir;
};

// ---------------------------------------------------------------- examples

TEST_F(ScriptRun, ExampleAgainstTheComputerReadsAsTheGame) {
  CopyExample("vs-computer");
  const std::string transcript = Run(ReadFile(dir / "game.qzs"));
  const auto lines = Lines(transcript);
  EXPECT_TRUE(InOrder(
      lines, {"start", "loop BGM.wav", "> menu SENTE", "message   | MANの番です",
              "caption level: \"LEVEL\" \" 3 \"",
              // The human's pawn move, then the computer's reply inside the same press.
              "> press left 5 7", "sound 駒打音.wav", "seen lower last move: ６七歩",
              "sound 駒打音.wav", "seen upper last move: ４二王", "> wait 4", "> press left 6 9",
              "seen lower last move: ５九王", "caption lower clock: \"00:00:04\"",
              // The refused king move: the refusal sound and nothing else.
              "> press left 6 7", "sound 禁止.wav", "> press left 6 9",
              // The computer checks along the bishop's diagonal.
              "> press left 4 7", "seen lower last move: ７七王", "sound 駒打音.wav",
              "message  |    ** 王手 **",
              // ... and finally takes the king.
              "> press left 4 4", "seen lower last move: ７四王", "sound 駒打音.wav",
              "message 終了 | ｺﾝﾋﾟｭｰﾀの勝ちです", "> press left 5 8",
              "message 終局 | 新規に対局してください"}));
  EXPECT_NE(transcript.find("flags Turn=1 LowerSideToken=1 UpperSideToken=-1 GameMode=1 "
                            "Winner=-1 MoveNumber=14 MoveCount=14 LastSnapshot=14"),
            std::string::npos)
      << transcript;
  // After the win nothing plays: the last press only answers.
  EXPECT_EQ(lines.back(), "message 終局 | 新規に対局してください");
  // The game was played to its end without touching the settings.
  EXPECT_EQ(ReadFile(dir / "QZ嶺将棋.ini"),
            ReadFile(SourceDir() / "examples" / "vs-computer" / "QZ嶺将棋.ini"));
}

TEST_F(ScriptRun, ExampleAgainstTheComputerChargesEachSideOnlyItsOwnTime) {
  CopyExample("vs-computer");
  const std::string transcript = Run(ReadFile(dir / "game.qzs"));
  // The human waited 4 + 1.5 + 2 + 1 + 1 + 1 seconds before their moves; the
  // computer's turns take 1.3 seconds of blinking and pausing each. A clock
  // must never jump by a day because a move followed another at once.
  const auto lines = Lines(transcript);
  std::string clocks;
  for (const auto& line : lines) {
    if (line.rfind("clocks ", 0) == 0) clocks = line;
  }
  ASSERT_FALSE(clocks.empty());
  EXPECT_NE(clocks.find("LowerClock=10.50 "), std::string::npos) << clocks;
  EXPECT_EQ(clocks.find("86"), std::string::npos) << clocks;
}

TEST_F(ScriptRun, ExampleBetweenTwoPlayersReadsAsTheGame) {
  CopyExample("two-players");
  const std::string transcript = Run(ReadFile(dir / "game.qzs"));
  EXPECT_TRUE(InOrder(
      Lines(transcript),
      {"> menu START", "message   | 先手の番です", "> press left 3 7", "sound 駒打音.wav",
       "seen lower last move: ８七歩", "> press left 6 4", "sound 駒打音.wav",
       "seen upper last move: ５四歩", "> press left 9 6", "sound 禁止.wav", "> press left 9 7",
       "seen lower last move: ２七歩", "> press left 7 2", "seen upper last move: ４二王",
       // Right button into the promotion zone: the bishop promotes, the pawn
       // taken goes to the hand.
       "> press right 8 3", "sound 駒打音.wav", "seen lower last move: ３三角成",
       "hand SITA 1 0 0 0 0 0 0 0 0", "> press left 1 4", "seen upper last move: 10四歩",
       "> press left 7 2", "sound 駒打音.wav", "seen lower last move: ４二角成",
       "message 終了 | 先手の勝ちです", "    0  900    0    0    0  210 -801    0  800    0",
       "> press left 5 5", "message 終局 | 新規に対局してください",
       // Saved, read back and stepped through.
       "> return", "message    | 棋譜を書き込みました", "> file 例題.棋譜",
       "message 棋譜 |  読み込みました", "message 棋譜 | 棋譜を '進 'で進めて下さい",
       "question 棋譜 | 棋譜を '進 'で進めて下さい -> yes", "> menu AFTER", "sound 駒打音.wav",
       "seen lower last move: ８七歩", "> menu AFTER", "sound 駒打音.wav",
       "seen upper last move: ５四歩", "> menu REPLAY", "sound 駒打音.wav",
       "flags Turn=-1 LowerSideToken=1 UpperSideToken=-1 GameMode=0 Winner=0 MoveNumber=1 "
       "MoveCount=1 LastSnapshot=7 RecordMode=1 Reversed=0 ResumePending=1 HandicapSet=0 "
       "HandicapLevel=0 InputState=0 Level=3"}))
      << transcript;
  // The record holds three header lines and the seven positions after the
  // moves, the winning move's included.
  const auto record = Lines(ReadFile(dir / "例題.棋譜"));
  EXPECT_EQ(record.size(), 3u + 7u);
}

TEST_F(ScriptRun, ExamplesMatchTheirRecordedTranscripts) {
  for (const char* name : {"vs-computer", "two-players"}) {
    SCOPED_TRACE(name);
    TearDown();
    SetUp();
    CopyExample(name);
    const fs::path expected = SourceDir() / "examples" / name / "transcript.txt";
    ASSERT_TRUE(fs::exists(expected)) << expected;
    EXPECT_EQ(FirstDifference(Run(ReadFile(dir / "game.qzs")), ReadFile(expected)), "");
  }
}

// ---------------------------------------------------------------- the runner

TEST_F(ScriptRun, ParseErrorRunsNothing) {
  std::ostringstream out;
  EXPECT_EQ(RunScript("menu SENTE\npress left 5\n", dir.string(), out), 2);
  EXPECT_EQ(out.str(), "script: line 2: press needs a cell as two whole numbers X Y, or @X,Y\n");
  EXPECT_FALSE(fs::exists(dir / "QZ嶺将棋.ini"));  // the game never started
}

TEST_F(ScriptRun, StartUpWithoutSettingsWritesTheDefaults) {
  WithWaves();
  const std::string t = Run("show settings checks\n");
  EXPECT_EQ(t,
            "start\n"
            "loop BGM.wav\n"
            "> show settings checks\n"
            "settings 背景画=嶺\n"
            "settings 移動指導=OFF\n"
            "settings 経過時間=ON\n"
            "settings BGM=ON\n"
            "settings 初期配置=右嶺\n"
            "checks MIDORI KEIKA BGM UREI LEVEL3\n");
}

TEST_F(ScriptRun, WithoutWaveFilesTheGameIsSilent) {
  const std::string t = Run("menu START\npress left 5 8\npress left 5 7\nmenu BGM\nmenu BGM\n");
  EXPECT_EQ(t.find("sound"), std::string::npos) << t;
  EXPECT_EQ(t.find("loop"), std::string::npos) << t;
  EXPECT_NE(t.find("seen lower last move: ６七歩"), std::string::npos) << t;
}

TEST_F(ScriptRun, OptionsChangeMusicAndSettings) {
  WithWaves();
  const std::string t = Run("menu BGM\nmenu 竹\nshow settings\nmenu BGM\n");
  EXPECT_TRUE(
      InOrder(Lines(t), {"> menu BGM", "stop BGM.wav", "> menu 竹", "> show settings",
                         "settings 背景画=竹", "settings BGM=OFF", "> menu BGM", "loop BGM.wav"}))
      << t;
}

TEST_F(ScriptRun, AnswersVersionBoxAndBrowser) {
  WithWaves();
  std::ofstream(dir / "QZ嶺将棋.htm") << "<html></html>";
  const std::string t =
      Run("version homepage\n"
          "menu VER\n"
          "menu VER\n"
          "browser off\n"
          "menu KAISETU\n"
          "browser on\n"
          "menu KAISETU\n");
  EXPECT_TRUE(
      InOrder(Lines(t), {"> menu VER", "sound その他.wav", "version -> homepage",
                         "browse " + dir.string() + "/QZ嶺将棋.htm", "> menu VER",
                         "sound その他.wav", "version -> ok", "> menu KAISETU", "> browser on",
                         "> menu KAISETU", "browse " + dir.string() + "/QZ嶺将棋.htm"}))
      << t;
  // With no browser, 解説 ends silently.
  const auto lines = Lines(t);
  const auto off = std::find(lines.begin(), lines.end(), "> menu KAISETU");
  ASSERT_NE(off, lines.end());
  EXPECT_EQ(*(off + 1), "> browser on");
}

TEST_F(ScriptRun, RecordModeQuestionTakesTheQueuedAnswer) {
  WithWaves();
  std::ofstream(dir / "empty.棋譜", std::ios::binary) << "a\r\nb\r\nc\r\n";
  const std::string t =
      Run("file empty.棋譜\n"  // the list is hidden: nothing happens
          "menu KIFU_READ\n"
          "file empty.棋譜\n"
          "answer no\n"
          "press left 5 5\n"
          "show flags\n");
  EXPECT_TRUE(
      InOrder(Lines(t), {"> file empty.棋譜", "(the file list is hidden)", "> file empty.棋譜",
                         "message 棋譜 | 棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "> press left 5 5",
                         "question 棋譜 | 棋譜を '進 'で進めて下さい -> no", "sound 禁止.wav"}))
      << t;
  EXPECT_NE(t.find("RecordMode=0"), std::string::npos) << t;
}

TEST_F(ScriptRun, PanelStepsNeedTheirControlsShown) {
  WithWaves();
  fs::create_directories(dir / "sub");
  std::ofstream(dir / "notes.txt") << "not a record";
  const std::string t =
      Run("type 1 name\n"
          "return\n"
          "menu KIFU_WRITE\n"
          "type file \"\"\n"
          "return\n"
          "type game 対局\n"
          "show panel\n"
          "notready cdrom\n"
          "menu KIFU_READ\n"
          "drive cdrom\n"
          "dir missing\n"
          "dir sub\n"
          "file notes.txt\n"
          "file ../x.棋譜\n"
          "show panel\n");
  EXPECT_TRUE(InOrder(
      Lines(t),
      {"> type 1 name", "(the text boxes are hidden: nothing typed)", "> return",
       "(the RETURN button is hidden)", "> return", "message    | ﾌｧｲﾙ名が入力されていません",
       "panel drive=shown dir=shown file=hidden boxes=shown",
       "panel 対局名=\"対局\" 先手=\"\" 後手=\"\" ﾌｧｲﾙ名=\"\"", "> drive cdrom",
       "message ｴﾗｰ | ﾃﾞﾊﾞｲｽが準備できていません", "> dir missing",
       "(no such directory in the list)", "> dir sub", "> file notes.txt",
       "(no such file in the list)", "> file ../x.棋譜", "(no such file in the list)",
       "panel drive=shown dir=shown file=shown boxes=hidden", "panel Dir1=./sub File1=./sub"}))
      << t;
}

TEST_F(ScriptRun, TimePassesOnlyWhenTheScriptSays) {
  WithWaves();
  const std::string t =
      Run("time 23:59:58\n"
          "menu START\n"
          "tick 20\n"
          "show clocks captions\n"
          "wait 4\n"
          "show clocks captions\n");
  EXPECT_TRUE(InOrder(
      Lines(t), {"clocks UpperClock=0.00 LowerClock=0.00 TurnElapsed=1.00 TurnStart=23:59:58.00 "
                 "Timer1=on now=23:59:59.00",
                 "caption lower clock: \"00:00:01\"",
                 // Across midnight the turn still counts five seconds.
                 "clocks UpperClock=0.00 LowerClock=0.00 TurnElapsed=5.00 TurnStart=23:59:58.00 "
                 "Timer1=on now=00:00:03.00",
                 "caption lower clock: \"00:00:05\""}))
      << t;
}

TEST_F(ScriptRun, NothingButShowRunsAfterTheProgramEnds) {
  WithWaves();
  const std::string t = Run("key a\nkey esc\nmenu START\nshow flags\nclose\n");
  EXPECT_TRUE(InOrder(Lines(t), {"> key a", "> key esc", "end", "> menu START",
                                 "(the program has ended)", "> show flags",
                                 "flags Turn=0 LowerSideToken=-1 UpperSideToken=1 GameMode=0 "
                                 "Winner=0 MoveNumber=0 MoveCount=0 LastSnapshot=0 RecordMode=0 "
                                 "Reversed=0 ResumePending=0 HandicapSet=0 HandicapLevel=0 "
                                 "InputState=0 Level=3",
                                 "> close", "(the program has ended)"}))
      << t;
  EXPECT_EQ(t.find("先手の番です"), std::string::npos);
}

TEST_F(ScriptRun, PaintTraceShowsWhatAMovePaints) {
  WithWaves();
  const std::string t = Run("menu START\nshow paint\npress left 5 8\nshow paint\n");
  const auto lines = Lines(t);
  const auto second = std::find(lines.begin(), lines.end(), "> press left 5 8");
  ASSERT_NE(second, lines.end());
  // Every board frame redrawn plain (guidance is off, so no hints), then the
  // selection frame of the pressed pawn in light red; no picture is painted.
  const std::vector<std::string> trace(second + 2, lines.end());
  ASSERT_EQ(trace.size(), 101u) << t;
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(trace[i], "paint outline 2 at " + std::to_string(i / 10 + 1) + "," +
                            std::to_string(i % 10 + 1));
  }
  EXPECT_EQ(trace.back(), "paint outline 12 at 5,8");
}

// A long run paints without end; the trace keeps its newest items under a
// fixed ceiling and says how many older ones it let go.
TEST_F(ScriptRun, PaintTraceKeepsTheNewestItemsUnderItsCeiling) {
  WithWaves();
  std::string script = "menu START\nshow paint\n";
  for (int i = 0; i < 80; ++i) script += "menu REVERSE\n";
  const auto lines = Lines(Run(script + "show paint\n"));
  const auto shown = std::find(lines.begin(), lines.end(), "> show paint");
  const auto last = std::find(std::next(shown), lines.end(), "> show paint");
  ASSERT_NE(last, lines.end());
  ASSERT_NE(std::next(last), lines.end());
  const std::string& note = *std::next(last);
  EXPECT_TRUE(note.starts_with("paint (") && note.ends_with(" earlier items not kept)")) << note;
  EXPECT_EQ(lines.end() - std::next(last, 2), 50000);
  // The newest items are those kept: the trace ends as a short run's does.
  EXPECT_EQ(lines.back(),
            Lines(Run("menu START\nmenu REVERSE\nmenu REVERSE\nshow paint\n")).back());
}

// ---------------------------------------------------------------- the command

class ScriptCommand : public ScriptRun {
 protected:
  void SetUp() override {
    ScriptRun::SetUp();
    // The command is built beside the tests unless QZ_CLI names it.
    std::error_code ec;
    fs::path cliPath = fs::read_symlink("/proc/self/exe", ec).parent_path() / "qzreishogi-cli";
    if (const char* named = std::getenv("QZ_CLI")) cliPath = named;
    if (!fs::exists(cliPath)) GTEST_SKIP() << "no qzreishogi-cli at " << cliPath;
    cli = cliPath.string();
  }
  // Runs the command in the test's folder; returns its exit status.
  int run(const std::string& args, std::string& output) {
    const std::string command = "cd '" + dir.string() + "' && '" + cli + "' " + args + " 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    output.clear();
    if (p == nullptr) return -1;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p) != nullptr) output += buf;
    return WEXITSTATUS(::pclose(p));
  }
  std::string cli;
};

TEST_F(ScriptCommand, BoardReadsAsTheShowCommandPrintsIt) {
  std::ofstream(dir / "board.qzs") << "show board\n";
  std::string shown, scripted;
  ASSERT_EQ(run("show --placement 右嶺", shown), 0);
  ASSERT_EQ(run("script board.qzs", scripted), 0);
  EXPECT_EQ(scripted, "start\n> show board\n" + shown);
}

TEST_F(ScriptCommand, RunsTheScriptInTheCurrentFolder) {
  WithWaves();
  std::ofstream(dir / "ok.qzs") << "menu START\n";
  std::ofstream(dir / "bad.qzs") << "menu START\nmenu NOWHERE\n";
  std::string output;
  EXPECT_EQ(run("script ok.qzs", output), 0);
  EXPECT_EQ(output, "start\nloop BGM.wav\n> menu START\nmessage   | 先手の番です\n");
  EXPECT_TRUE(fs::exists(dir / "QZ嶺将棋.ini"));
  EXPECT_EQ(run("script bad.qzs", output), 2);
  EXPECT_EQ(output, "script: line 2: unknown menu 'NOWHERE'\n");
  EXPECT_EQ(run("script missing.qzs", output), 2);
  EXPECT_NE(output.find("cannot read the script"), std::string::npos);
}

}  // namespace
}  // namespace qz
