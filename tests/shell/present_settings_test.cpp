// The settings file: reading with its recovery, and writing after changes.
#include "play/cp932.h"
#include "shell/present_fixture.h"

namespace qz::present_test {
namespace {

using SettingsTest = PresentTest;

std::string Cp932(const std::string& utf8) { return *Utf8ToCp932(utf8); }

const std::string kDefaults =
    "背景画=嶺\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n初期配置=右嶺\r\n";

int Loops(const RecordingSound& sound) {
  int n = 0;
  for (const auto& c : sound.calls) n += c.op == "loop";
  return n;
}

void ExpectDefaultsApplied(Game& g) {
  EXPECT_TRUE(g.checks.MIDORI);
  EXPECT_FALSE(g.checks.TATAMI);
  EXPECT_EQ(g.screen.CurrentBackground, MIDORI);
  EXPECT_FALSE(g.checks.SIDOU);
  EXPECT_EQ(g.flags.GuidanceOn, 0);
  EXPECT_EQ(g.screen.GuidanceColour, ColourGreen);
  EXPECT_TRUE(g.checks.KEIKA);
  EXPECT_TRUE(g.checks.BGM);
  EXPECT_TRUE(g.checks.UREI);
  EXPECT_FALSE(g.checks.SAREI);
}

TEST_F(SettingsTest, MissingFileWritesAndAppliesTheDefaults) {
  g->sounds.SndBgm = 77;
  g->読込_環境設定ファイル();
  const std::string bytes = readFile(settingsPath());
  EXPECT_EQ(bytes, Cp932(kDefaults));
  EXPECT_EQ(bytes.substr(bytes.find('=') + 1, 2), "\x97\xe4");  // 嶺 in CP932
  ExpectDefaultsApplied(*g);
  EXPECT_EQ(pictureAt(-3, -2), MIDORI);  // the background is painted
  ASSERT_EQ(Loops(rp.sound), 1);
  EXPECT_EQ(rp.sound.calls.back().handle, 77);
  EXPECT_TRUE(rp.dialogs.shown.empty());
}

TEST_F(SettingsTest, EachKeyIsAppliedExactly) {
  const std::string file =
      Cp932("背景画=竹\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=on\r\n初期配置=左嶺\r\nその他=1\r\n");
  writeFile(settingsPath(), file);
  g->読込_環境設定ファイル();
  EXPECT_EQ(g->screen.CurrentBackground, TAKE);
  EXPECT_TRUE(g->checks.TAKE);
  EXPECT_FALSE(g->checks.TATAMI);
  EXPECT_TRUE(g->checks.SIDOU);
  EXPECT_EQ(g->flags.GuidanceOn, 1);
  EXPECT_EQ(g->screen.GuidanceColour, ColourWhite);
  EXPECT_FALSE(g->checks.KEIKA);
  EXPECT_FALSE(g->checks.BGM);  // lower-case "on" is off
  EXPECT_EQ(Loops(rp.sound), 0);
  EXPECT_TRUE(g->checks.SAREI);
  EXPECT_FALSE(g->checks.UREI);
  // A good file is left as it was.
  EXPECT_EQ(readFile(settingsPath()), file);
}

TEST_F(SettingsTest, ValuesAreComparedWithoutTrimming) {
  // LF-only lines are accepted; "竹 " with a blank is no background.
  writeFile(settingsPath(), Cp932("背景画=竹 \n初期配置=右嶺 \nBGM=ON\n経過時間=ON\r"));
  g->読込_環境設定ファイル();
  EXPECT_EQ(g->screen.CurrentBackground, 0);
  EXPECT_TRUE(g->checks.TATAMI);  // the mark from window creation stays
  EXPECT_TRUE(g->checks.SAREI);
  EXPECT_TRUE(g->checks.BGM);
  EXPECT_TRUE(g->checks.KEIKA);  // the CR of the last line is no part of the value
  EXPECT_TRUE(ops().empty());    // no background painted
}

TEST_F(SettingsTest, LaterLinesOverrideEarlierOnes) {
  writeFile(settingsPath(), Cp932("背景画=宇宙\r\n背景画=煉瓦\r\nBGM=ON\r\nBGM=OFF\r\n"));
  g->sounds.SndBgm = 5;
  g->読込_環境設定ファイル();
  EXPECT_EQ(g->screen.CurrentBackground, RENGA);
  EXPECT_TRUE(g->checks.RENGA);
  EXPECT_FALSE(g->checks.UCHU);
  // The music started by the first BGM line stops with the check mark.
  EXPECT_FALSE(g->checks.BGM);
  ASSERT_GE(rp.sound.calls.size(), 2u);
  EXPECT_EQ(rp.sound.calls.back().op, "stop");
}

TEST_F(SettingsTest, MalformedFilesAreReplacedByTheDefaultsAppliedOnTop) {
  const std::string broken[] = {
      Cp932("背景画=宇宙\r\n移動指導=ON\r\n\r\n初期配置=左嶺\r\n"),  // empty line
      Cp932("移動指導=ON\r\nこの行には等号がない\r\n"),              // no "="
      std::string("\xe7\xab\xb9=\xff\xff\r\n"),                      // not CP932
  };
  for (const std::string& bytes : broken) {
    SCOPED_TRACE(bytes);
    TearDown();
    SetUp();
    writeFile(settingsPath(), bytes);
    g->読込_環境設定ファイル();
    EXPECT_EQ(readFile(settingsPath()), Cp932(kDefaults));
    ExpectDefaultsApplied(*g);
  }
}

TEST_F(SettingsTest, EmptyFileAppliesNothing) {
  writeFile(settingsPath(), "");
  g->読込_環境設定ファイル();
  EXPECT_EQ(g->screen.CurrentBackground, 0);
  EXPECT_EQ(readFile(settingsPath()), "");
}

TEST_F(SettingsTest, WritesTheCheckMarksInCp932) {
  g->checks.TAKE = true;  // TATAMI is checked too: 竹 comes first in the order
  g->checks.SIDOU = true;
  g->checks.KEIKA = false;
  g->checks.BGM = true;
  g->checks.UREI = false;
  g->書込_環境設定ファイル();
  EXPECT_EQ(readFile(settingsPath()),
            Cp932("背景画=竹\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n初期配置=左嶺\r\n"));

  g->チェック設定(0);  // no background checked: no background line
  g->書込_環境設定ファイル();
  EXPECT_EQ(readFile(settingsPath()),
            Cp932("移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n初期配置=左嶺\r\n"));
}

TEST_F(SettingsTest, WrittenFileIsReadBackIntoTheSameOptions) {
  g->checks.UCHU = true;
  g->checks.TATAMI = false;
  g->checks.UREI = true;
  g->checks.SAREI = false;
  g->書込_環境設定ファイル();

  RecordingPorts other;
  auto next = std::make_unique<Game>(other.ports(), dir.string());
  next->読込_環境設定ファイル();
  EXPECT_EQ(next->screen.CurrentBackground, UCHU);
  EXPECT_TRUE(next->checks.UREI);
  EXPECT_FALSE(next->checks.KEIKA);
}

TEST_F(SettingsTest, FailedWriteShowsTheDefaultMarksButKeepsTheRunningState) {
  std::filesystem::create_directories(settingsPath());  // cannot be replaced by a file
  g->screen.CurrentBackground = UCHU;
  g->チェック設定(UCHU);
  g->screen.GuidanceColour = ColourWhite;
  g->checks.SIDOU = true;
  g->書込_環境設定ファイル();
  EXPECT_TRUE(g->checks.MIDORI);
  EXPECT_FALSE(g->checks.UCHU);
  EXPECT_FALSE(g->checks.SIDOU);
  EXPECT_TRUE(g->checks.KEIKA);
  EXPECT_TRUE(g->checks.BGM);
  EXPECT_TRUE(g->checks.UREI);
  EXPECT_EQ(g->screen.CurrentBackground, UCHU);
  EXPECT_EQ(g->screen.GuidanceColour, ColourWhite);
  EXPECT_TRUE(rp.sound.calls.empty());
  EXPECT_TRUE(rp.dialogs.shown.empty());
}

}  // namespace
}  // namespace qz::present_test

namespace qz::present_test {
namespace {

TEST_F(SettingsTest, TheAnalysisWindowsPlaceIsKeptOnceItHasOne) {
  g->読込_環境設定ファイル();
  EXPECT_FALSE(g->analysisPlace.Known);
  // Nothing is written until the window is placed; then after the options.
  g->SetAnalysisWindowPlace(1320, 40, 480, 700);
  EXPECT_EQ(readFile(settingsPath()),
            Cp932(kDefaults + "検討ウィンドウ位置=1320,40\r\n検討ウィンドウ大きさ=480,700\r\n"));
  // Read back on the next start.
  g->analysisPlace = {};
  g->読込_環境設定ファイル();
  EXPECT_TRUE(g->analysisPlace.Known);
  EXPECT_EQ(g->analysisPlace.X, 1320);
  EXPECT_EQ(g->analysisPlace.Height, 700);
  // No window is that small, and no screen that large: not kept.
  g->SetAnalysisWindowPlace(0, 0, 50, 700);
  g->SetAnalysisWindowPlace(0, 99999, 480, 700);
  EXPECT_EQ(g->analysisPlace.X, 1320);
}

TEST_F(SettingsTest, ABadAnalysisWindowPlaceIsIgnored) {
  for (const char* value : {"=480", "=x,700", "=480,", "=10,10", "=480,700,1", "=9999999,700"}) {
    g->analysisPlace = {};
    writeFile(settingsPath(), Cp932(kDefaults + "検討ウィンドウ大きさ" + value + "\r\n"));
    g->読込_環境設定ファイル();
    EXPECT_FALSE(g->analysisPlace.Known) << value;
  }
}

}  // namespace
}  // namespace qz::present_test
