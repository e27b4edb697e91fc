// The option menus (background, guidance, music), help and version box, and
// the sound wrapper.
#include <climits>

#include "play/cp932.h"
#include "shell/present_fixture.h"

namespace qz::present_test {
namespace {

using OptionsTest = PresentTest;
using SoundTest = PresentTest;

TEST_F(OptionsTest, BackgroundEntryMovesTheMarkSavesAndRedraws) {
  g->screen.CurrentBackground = TATAMI;
  g->チェック設定(TATAMI);
  g->BackgroundCommand(RENGA);
  EXPECT_TRUE(g->checks.RENGA);
  EXPECT_FALSE(g->checks.TATAMI);
  EXPECT_EQ(g->screen.CurrentBackground, RENGA);
  EXPECT_EQ(pictureAt(-3, -2), RENGA);
  EXPECT_EQ(pictureAt(14.1, 0), TitleCode);
  const std::string line = *Utf8ToCp932("背景画=煉瓦\r\n");
  EXPECT_EQ(readFile(settingsPath()).substr(0, line.size()), line);

  // The checked entry again: the same redraw and save, nothing else changes.
  ops().clear();
  std::filesystem::remove(settingsPath());
  g->BackgroundCommand(RENGA);
  EXPECT_TRUE(g->checks.RENGA);
  EXPECT_EQ(g->screen.CurrentBackground, RENGA);
  EXPECT_FALSE(ops().empty());
  EXPECT_TRUE(std::filesystem::exists(settingsPath()));
}

TEST_F(OptionsTest, CheckedTatamiIsAppliedWhenNoBackgroundWasSet) {
  // 畳 carries the mark from window creation while no background is applied.
  ASSERT_TRUE(g->checks.TATAMI);
  ASSERT_EQ(g->screen.CurrentBackground, 0);
  g->BackgroundCommand(TATAMI);
  EXPECT_EQ(g->screen.CurrentBackground, TATAMI);
  EXPECT_EQ(pictureAt(-3, -2), TATAMI);
}

TEST_F(OptionsTest, CheckSettingLeavesNoneCheckedForOtherCodes) {
  g->チェック設定(UCHU);
  EXPECT_TRUE(g->checks.UCHU);
  g->チェック設定(9);
  EXPECT_FALSE(g->checks.MIDORI || g->checks.TATAMI || g->checks.TAKE || g->checks.UCHU ||
               g->checks.RENGA);
}

TEST_F(OptionsTest, GuidanceOffClearsEveryFrameAndOnDrawsNothing) {
  g->SIDOU_Click();  // on
  EXPECT_TRUE(g->checks.SIDOU);
  EXPECT_EQ(g->flags.GuidanceOn, 1);
  EXPECT_EQ(g->screen.GuidanceColour, ColourWhite);
  EXPECT_TRUE(ops().empty());
  EXPECT_NE(readFile(settingsPath()).find(*Utf8ToCp932("移動指導=ON\r\n")), std::string::npos);

  // Frames left by a selection on the board and in both hands.
  g->描画_桝輪郭(ColourLightRed, 4, 4);
  g->描画_桝輪郭(ColourWhite, 12, 10);
  g->描画_桝輪郭(ColourWhite, -1, 1);
  ops().clear();
  g->SIDOU_Click();  // off
  EXPECT_EQ(ops().size(), 100u + 18u);
  EXPECT_EQ(outlineAt(4, 4), ColourGreen);
  EXPECT_EQ(outlineAt(12, 10), ColourGreen);
  EXPECT_EQ(outlineAt(-1, 1), ColourGreen);
  EXPECT_EQ(outlineAt(12, 2), ColourGreen);
  EXPECT_EQ(outlineAt(-1, 9), ColourGreen);
  EXPECT_FALSE(g->checks.SIDOU);
  EXPECT_EQ(g->flags.GuidanceOn, 0);
  EXPECT_EQ(g->screen.GuidanceColour, g->screen.EraseColour);
  EXPECT_NE(readFile(settingsPath()).find(*Utf8ToCp932("移動指導=OFF\r\n")), std::string::npos);
}

TEST_F(OptionsTest, MusicSwitchLoopsAndStops) {
  g->sounds.SndBgm = 42;
  g->BGM_Click();
  EXPECT_TRUE(g->checks.BGM);
  ASSERT_EQ(rp.sound.calls.size(), 1u);
  EXPECT_EQ(rp.sound.calls[0].op, "loop");
  EXPECT_EQ(rp.sound.calls[0].handle, 42);
  EXPECT_NE(readFile(settingsPath()).find("BGM=ON\r\n"), std::string::npos);
  g->BGM_Click();
  EXPECT_FALSE(g->checks.BGM);
  EXPECT_EQ(rp.sound.calls.back().op, "stop");
  EXPECT_EQ(rp.sound.calls.back().handle, 42);
  EXPECT_NE(readFile(settingsPath()).find("BGM=OFF\r\n"), std::string::npos);
}

TEST_F(OptionsTest, HelpOpensThePageInTheBrowserInOrder) {
  writeFile((dir / HelpPageName).string(), "<html></html>");
  g->KAISETU_Click();
  const std::vector<std::string> expected = {"create",
                                             "options fullscreen=0 toolbar=1 menubar=0",
                                             "navigate " + dir.string() + "/" + HelpPageName,
                                             "busy",
                                             "busy",
                                             "busy",
                                             "visible 1"};
  EXPECT_EQ(rp.browser.calls, expected);
  EXPECT_TRUE(rp.dialogs.shown.empty());
}

TEST_F(OptionsTest, HelpAddsTheSeparatorEvenAfterATrailingSlash) {
  RecordingPorts other;
  auto root = std::make_unique<Game>(other.ports(), dir.string() + "/");
  writeFile((dir / HelpPageName).string(), "x");
  root->KAISETU_Click();
  ASSERT_EQ(other.browser.addresses.size(), 1u);
  EXPECT_EQ(other.browser.addresses[0], dir.string() + "//" + HelpPageName);
}

TEST_F(OptionsTest, HelpFailuresEndSilently) {
  g->KAISETU_Click();  // no help page
  EXPECT_TRUE(rp.browser.calls.empty());

  writeFile((dir / HelpPageName).string(), "x");
  rp.browser.available = false;
  g->KAISETU_Click();
  EXPECT_EQ(rp.browser.calls, std::vector<std::string>{"create"});

  // A browser that stays busy is given up without showing it.
  rp.browser.available = true;
  rp.browser.busyPolls = INT_MAX;
  rp.browser.calls.clear();
  g->KAISETU_Click();
  EXPECT_NE(rp.browser.calls.back(), "visible 1");
  EXPECT_LT(rp.browser.calls.size(), 10010u);
  EXPECT_TRUE(rp.dialogs.shown.empty());
}

TEST_F(OptionsTest, VersionBoxHidesThePanelPlaysAndMayOpenTheHelpPage) {
  writeFile((dir / HelpPageName).string(), "x");
  rp.panel.ioVisible = true;
  rp.panel.fileVisible = true;
  rp.panel.texts[1] = "game";
  g->sounds.SndOther = 9;
  g->VER_Click();
  EXPECT_FALSE(rp.panel.ioVisible);
  EXPECT_FALSE(rp.panel.fileVisible);
  EXPECT_EQ(rp.panel.texts[1], "");
  ASSERT_EQ(rp.sound.calls.size(), 1u);
  EXPECT_EQ(rp.sound.calls[0].op, "play");
  EXPECT_EQ(rp.sound.calls[0].handle, 9);
  ASSERT_EQ(rp.dialogs.shown.size(), 1u);
  EXPECT_EQ(rp.dialogs.shown[0].kind, RecordingDialogs::Shown::Version);
  EXPECT_TRUE(rp.browser.calls.empty());

  rp.dialogs.versionChoices.push_back(VersionChoice::HomePage);
  g->VER_Click();
  // No web address of its own: the help page in the folder the game plays in.
  EXPECT_EQ(rp.browser.addresses, std::vector<std::string>{dir.string() + "/" + HelpPageName});
  EXPECT_EQ(rp.browser.calls.back(), "visible 1");

  // No browser at all: silent.
  rp.browser.calls.clear();
  rp.browser.available = false;
  rp.dialogs.versionChoices.push_back(VersionChoice::HomePage);
  g->VER_Click();
  EXPECT_EQ(rp.browser.calls, std::vector<std::string>{"create"});
  EXPECT_EQ(rp.dialogs.shown.size(), 3u);
}

TEST_F(SoundTest, InitFailureWarnsOnceAndLoadsNothing) {
  rp.sound.deviceAvailable = false;
  writeFile((dir / "禁止.wav").string(), "RIFF");
  g->SoundInit();
  ASSERT_EQ(rp.dialogs.shown.size(), 1u);
  EXPECT_EQ(rp.dialogs.shown[0].title, "QZ嶺将棋.dll");
  EXPECT_EQ(rp.dialogs.shown[0].text, "Direct Soundインターフェースが作成できません。");
  EXPECT_EQ(rp.dialogs.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(g->LoadWave("禁止.wav", 3), 0);
  g->SoundTerm();  // nothing to terminate
  EXPECT_EQ(rp.sound.calls.size(), 1u);
}

TEST_F(SoundTest, LoadWaveHandsTheWholeFileToTheLibrary) {
  const std::string wave("RIFF\0\0\0\0WAVEdata\x01\x02", 18);
  writeFile((dir / "駒打音.wav").string(), wave);
  g->SoundInit();
  const std::int32_t piece = g->LoadWave("駒打音.wav", 3);
  ASSERT_NE(piece, 0);
  EXPECT_EQ(rp.sound.bufferData[piece], wave);
  EXPECT_EQ(rp.sound.bufferFlags[piece], 3);
  EXPECT_EQ(g->LoadWave("BGM.wav", 1), 0);  // missing: silently none
  EXPECT_TRUE(rp.dialogs.shown.empty());

  g->Play(piece);
  g->Play(0);
  EXPECT_EQ(rp.sound.calls[rp.sound.calls.size() - 2].op, "play");
  EXPECT_EQ(rp.sound.calls.back().handle, 0);

  g->SoundTerm();
  EXPECT_EQ(rp.sound.calls.back().op, "terminate");
}

TEST_F(SoundTest, UnreadableWaveShowsTheErrorAndGivesNoBuffer) {
  std::filesystem::create_directories(dir / "BGM.wav");
  g->SoundInit();
  EXPECT_EQ(g->LoadWave("BGM.wav", 1), 0);
  ASSERT_EQ(rp.dialogs.shown.size(), 1u);
  EXPECT_EQ(rp.dialogs.shown[0].title, "QZ嶺将棋.dll");
  EXPECT_FALSE(rp.dialogs.shown[0].text.empty());
  EXPECT_EQ(rp.dialogs.shown[0].icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace qz::present_test
