// Records and the settings file when the disk refuses them: a folder that
// cannot exist, a directory where the file should be, a write cut short.
// Whatever stood there before must survive; records say so, settings do not.
#include <signal.h>
#include <sys/resource.h>

#include "play/cp932.h"
#include "shell/flow_fixture.h"
#include "support/as_player.h"

namespace qz::flow_test {
namespace {

// Lets no write reach past `bytes` into any regular file while it lives, so
// a save fails part-way as on a full disk, even for root.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit lim = old_;
    lim.rlim_cur = bytes;
    active_ = ::setrlimit(RLIMIT_FSIZE, &lim) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }
  bool active() const { return active_; }

 private:
  rlimit old_{};
  sighandler_t oldHandler_{};
  bool active_ = false;
};

class ReliabilityWrites : public FlowTest {
 protected:
  // Two moves of a two-player game, so there is something to save.
  void playTwoMoves() {
    g->Menu(MenuCommand::START);
    move(3, 8, 3, 7);
    move(3, 3, 3, 4);
    ASSERT_EQ(g->hist.MoveCount, 2);
  }
  void saveAs(const std::string& name) {
    g->Menu(MenuCommand::KIFU_WRITE);
    rp.panel.texts[1] = name;
    rp.panel.texts[2] = "対局";
    g->Command1Click();
  }
  std::vector<std::string> leftovers(const std::filesystem::path& folder) const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
      if (e.path().filename().string().ends_with(".tmp")) names.push_back(e.path().string());
    return names;
  }
  std::string settingsPath() const { return (dir / SettingsFileName).string(); }
};

TEST_F(ReliabilityWrites, RecordIntoAFolderThatCannotExistIsReportedAndNothingChanges) {
  playTwoMoves();
  writeFile((dir / "plain").string(), "a file, not a folder");
  rp.panel.filesPath = (dir / "plain" / "sub").string();
  clearLog();
  saveAs("kept");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "棋譜ﾌｧｲﾙを作成できません\rkept.棋譜");
  EXPECT_FALSE(saidText("棋譜を書き込みました"));
  EXPECT_EQ(readFile((dir / "plain").string()), "a file, not a folder");
  EXPECT_TRUE(rp.panel.ioVisible);  // the panel stays for another try
  EXPECT_EQ(g->hist.MoveCount, 2);
  // The game goes on.
  move(4, 8, 4, 7);
  EXPECT_EQ(g->hist.MoveCount, 3);
}

TEST_F(ReliabilityWrites, ReadOnlyFolderKeepsTheOldRecordAndSaysSo) {
  playTwoMoves();
  saveAs("game");
  const std::string before = readFile((dir / "game.棋譜").string());
  move(4, 8, 4, 7);
  test::GiveToPlayer(dir);
  std::filesystem::permissions(dir, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const std::string failed = test::AsPlayer([&]() -> std::string {
    clearLog();
    saveAs("game");
    if (!said("棋譜", "棋譜ﾌｧｲﾙを作成できません\rgame.棋譜")) return "no refusal";
    return "";
  });
  std::filesystem::permissions(dir, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(failed, "");
  EXPECT_EQ(readFile((dir / "game.棋譜").string()), before);
  EXPECT_TRUE(leftovers(dir).empty());
}

// A record or settings file its owner made read-only is not replaced; a
// record is refused with the usual message, the options fall back silently.
TEST_F(ReliabilityWrites, ReadOnlyFilesAreNotReplaced) {
  playTwoMoves();
  saveAs("game");
  const std::string record = (dir / "game.棋譜").string();
  const std::string before = readFile(record), settings = readFile(settingsPath());
  move(4, 8, 4, 7);
  test::GiveToPlayer(dir);
  ::chmod(record.c_str(), 0444);
  ::chmod(settingsPath().c_str(), 0444);
  const std::string failed = test::AsPlayer([&]() -> std::string {
    clearLog();
    saveAs("game");
    if (shown().size() != 1 || !said("棋譜", "棋譜ﾌｧｲﾙを作成できません\rgame.棋譜"))
      return "no refusal of the record";
    if (!rp.panel.ioVisible) return "the panel closed";
    clearLog();
    g->Menu(MenuCommand::TAKE);
    if (!shown().empty()) return "the settings save said something";
    if (g->checks.TAKE) return "the menu shows an option that was not saved";
    return "";
  });
  EXPECT_EQ(failed, "");
  EXPECT_EQ(readFile(record), before);
  EXPECT_EQ(readFile(settingsPath()), settings);
  EXPECT_TRUE(leftovers(dir).empty());
}

// The name typed is one file name: a control character would cut it short
// (BGM.wav + NUL replaced the music) and a separator reaches another folder.
TEST_F(ReliabilityWrites, NameThatIsNotAFileNameIsRefusedAndNothingIsWritten) {
  playTwoMoves();
  std::filesystem::create_directory(dir / "sub");
  const std::string music = readFile((dir / "BGM.wav").string());
  const std::string settings = readFile(settingsPath());
  const std::string names[] = {std::string("BGM.wav\0x", 9),
                               std::string("QZ嶺将棋.ini\0", 16),
                               "sub/game",
                               "..\\game",
                               "tab\there",
                               "del\x7f",
                               "\x1b[2J"};
  for (const std::string& name : names) {
    clearLog();
    saveAs(name);
    ASSERT_EQ(shown().size(), 1u) << name;
    EXPECT_EQ(shown()[0].title, "棋譜保存");
    EXPECT_EQ(shown()[0].text, "ﾌｧｲﾙ名に使えない文字があります");
    EXPECT_EQ(forbidden(), 1) << "the refusal sound comes first";
    EXPECT_TRUE(rp.panel.ioVisible);
    EXPECT_EQ(rp.panel.texts[1], name);
  }
  EXPECT_EQ(readFile((dir / "BGM.wav").string()), music);
  EXPECT_EQ(readFile(settingsPath()), settings);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "sub"));
  int records = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    records += e.path().extension() == ".棋譜";
  EXPECT_EQ(records, 0);
}

// Every name whose record the file system takes can be saved.
TEST_F(ReliabilityWrites, LongestNameTheFileSystemTakesIsSaved) {
  playTwoMoves();
  const std::string longest(255 - std::string(".棋譜").size(), 'x');
  saveAs(longest);
  EXPECT_TRUE(said("  ", "棋譜を書き込みました"));
  EXPECT_GT(readFile((dir / (longest + ".棋譜")).string()).size(), 400u);
  clearLog();
  saveAs(longest + "x");
  EXPECT_TRUE(said("棋譜", "棋譜ﾌｧｲﾙを作成できません\r" + longest + "x.棋譜"));
  EXPECT_TRUE(leftovers(dir).empty());
}

TEST_F(ReliabilityWrites, DirectoryWhereTheRecordShouldBeIsReportedAndLeftAlone) {
  playTwoMoves();
  std::filesystem::create_directories(dir / "taken.棋譜");
  writeFile((dir / "taken.棋譜" / "inside").string(), "keep me");
  clearLog();
  saveAs("taken");
  EXPECT_TRUE(said("棋譜", "棋譜ﾌｧｲﾙを作成できません\rtaken.棋譜"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.棋譜"));
  EXPECT_EQ(readFile((dir / "taken.棋譜" / "inside").string()), "keep me");
  EXPECT_TRUE(leftovers(dir).empty());
}

TEST_F(ReliabilityWrites, RecordCutShortLeavesTheOldRecordWhole) {
  playTwoMoves();
  saveAs("game");
  ASSERT_TRUE(saidText("棋譜を書き込みました"));
  const std::string before = readFile((dir / "game.棋譜").string());
  ASSERT_GT(before.size(), 400u);

  move(4, 8, 4, 7);  // a longer game now, saved over the same name
  clearLog();
  {
    FileSizeLimit limit(200);
    ASSERT_TRUE(limit.active());
    saveAs("game");
  }
  EXPECT_TRUE(said("棋譜", "棋譜ﾌｧｲﾙを作成できません\rgame.棋譜"));
  EXPECT_EQ(readFile((dir / "game.棋譜").string()), before);
  EXPECT_TRUE(leftovers(dir).empty());

  // Once the disk has room again the same save goes through.
  clearLog();
  saveAs("game");
  EXPECT_TRUE(saidText("棋譜を書き込みました"));
  EXPECT_GT(readFile((dir / "game.棋譜").string()).size(), before.size());
}

TEST_F(ReliabilityWrites, SettingsSaveCutShortKeepsTheOldFileAndShowsTheDefaultMarks) {
  g->Menu(MenuCommand::UCHU);
  g->Menu(MenuCommand::SIDOU);
  const std::string before = readFile(settingsPath());
  ASSERT_NE(Cp932ToUtf8(before)->find("背景画=宇宙"), std::string::npos);
  clearLog();
  {
    FileSizeLimit limit(10);  // neither the new lines nor the defaults fit
    ASSERT_TRUE(limit.active());
    g->Menu(MenuCommand::KEIKA);
  }
  EXPECT_EQ(readFile(settingsPath()), before);
  EXPECT_TRUE(leftovers(dir).empty());
  // The marks fall back to the defaults; what runs stays as it was.
  EXPECT_TRUE(g->checks.MIDORI);
  EXPECT_FALSE(g->checks.UCHU);
  EXPECT_FALSE(g->checks.SIDOU);
  EXPECT_TRUE(g->checks.KEIKA);
  EXPECT_TRUE(g->checks.BGM);
  EXPECT_TRUE(g->checks.UREI);
  EXPECT_EQ(g->screen.CurrentBackground, UCHU);
  EXPECT_EQ(g->screen.GuidanceColour, ColourWhite);
  EXPECT_TRUE(shown().empty());
}

TEST_F(ReliabilityWrites, StartUpWithADirectoryForTheSettingsFileAppliesTheDefaultsSilently) {
  std::filesystem::remove(settingsPath());
  std::filesystem::create_directories(settingsPath());
  writeFile(settingsPath() + "/inside", "keep me");
  RecordingPorts ports;
  Game game(ports.ports(), dir.string());
  game.Load();
  EXPECT_TRUE(game.checks.MIDORI);
  EXPECT_EQ(game.screen.CurrentBackground, MIDORI);
  EXPECT_TRUE(game.checks.KEIKA);
  EXPECT_TRUE(game.checks.BGM);
  EXPECT_TRUE(game.checks.UREI);
  EXPECT_TRUE(ports.dialogs.shown.empty());
  // Changing an option cannot save either: the marks return to the defaults, still silently.
  game.Menu(MenuCommand::TAKE);
  EXPECT_TRUE(game.checks.MIDORI);
  EXPECT_FALSE(game.checks.TAKE);
  EXPECT_TRUE(ports.dialogs.shown.empty());
  EXPECT_TRUE(std::filesystem::is_directory(settingsPath()));
  EXPECT_EQ(readFile(settingsPath() + "/inside"), "keep me");
  EXPECT_TRUE(leftovers(dir).empty());
}

TEST_F(ReliabilityWrites, StartUpInAFolderThatCannotExistStillPlays) {
  writeFile((dir / "plain").string(), "x");
  const std::string gone = (dir / "plain" / "game").string();
  RecordingPorts ports;
  Game game(ports.ports(), gone);
  game.Load();
  EXPECT_TRUE(ports.dialogs.shown.empty());  // no wave files, no settings: all silent
  EXPECT_TRUE(game.checks.MIDORI);
  EXPECT_TRUE(game.checks.UREI);
  EXPECT_EQ(game.sounds.SndPiece, 0);
  game.Menu(MenuCommand::SIDOU);  // a save that fails again
  EXPECT_TRUE(ports.dialogs.shown.empty());
  game.Menu(MenuCommand::START);
  game.MouseDown(LeftButton, 0, static_cast<int>(Tx(3)) + 300, static_cast<int>(Ty(8)) + 300);
  game.MouseDown(LeftButton, 0, static_cast<int>(Tx(3)) + 300, static_cast<int>(Ty(7)) + 300);
  EXPECT_EQ(game.pos.Board[3][7], -HU);
  EXPECT_EQ(game.hist.MoveCount, 1);
  EXPECT_EQ(readFile((dir / "plain").string()), "x");
}

}  // namespace
}  // namespace qz::flow_test
