// Records and the settings file when the disk refuses them: a folder that
// cannot exist, a directory where the file should be, a write cut short.
// Whatever stood there before must survive; records say so, settings do not.
#include <signal.h>
#include <sys/resource.h>

#include "play/cp932.h"
#include "shell/flow_fixture.h"

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
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root from writing";
  playTwoMoves();
  saveAs("game");
  const std::string before = readFile((dir / "game.棋譜").string());
  std::filesystem::permissions(dir, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  move(4, 8, 4, 7);
  clearLog();
  saveAs("game");
  std::filesystem::permissions(dir, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_TRUE(said("棋譜", "棋譜ﾌｧｲﾙを作成できません\rgame.棋譜"));
  EXPECT_EQ(readFile((dir / "game.棋譜").string()), before);
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
  EXPECT_EQ(g->CurrentBackground, UCHU);
  EXPECT_EQ(g->GuidanceColour, ColourWhite);
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
  EXPECT_EQ(game.CurrentBackground, MIDORI);
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
  EXPECT_EQ(game.SndPiece, 0);
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
