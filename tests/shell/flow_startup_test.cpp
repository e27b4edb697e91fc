// Start-up, shutdown and the dispatch of menu, key and panel events.
#include "flow_fixture.h"
#include "model/placement.h"

namespace qz::flow_test {
namespace {

using FlowStartup = FlowTest;

TEST(FlowStartupOrder, LoadsSoundsSettingsAndAFreshPosition) {
  RecordingPorts rp;
  const auto dir =
      std::filesystem::temp_directory_path() / ("qz_flow_load_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
    std::ofstream(dir / name, std::ios::binary) << "RIFF" << name;
  {
    Game g(rp.ports(), dir.string());
    g.Load();
    ASSERT_GE(rp.sound.calls.size(), 5u);
    EXPECT_EQ(rp.sound.calls[0].op, "initialize");
    const std::int32_t buffers[] = {g.sounds.SndOther, g.sounds.SndForbidden, g.sounds.SndPiece,
                                    g.sounds.SndBgm};
    const std::int32_t flags[] = {3, 3, 3, 1};
    for (int i = 0; i < 4; ++i) {
      EXPECT_NE(buffers[i], 0);
      EXPECT_EQ(rp.sound.bufferFlags[buffers[i]], flags[i]);
    }
    EXPECT_LT(g.sounds.SndOther, g.sounds.SndForbidden);
    EXPECT_LT(g.sounds.SndPiece, g.sounds.SndBgm);
    EXPECT_TRUE(g.checks.LEVEL3);
    EXPECT_EQ(g.com.Level, 3);
    EXPECT_EQ(g.flags.UpperSideToken, TurnSente);
    EXPECT_EQ(g.flags.LowerSideToken, TurnGote);
    EXPECT_TRUE(std::filesystem::exists(dir / SettingsFileName));
    EXPECT_TRUE(g.checks.UREI);  // the default settings
    Position right;
    SetUpStartingPosition(right, true);
    EXPECT_TRUE(SameBoard(right.Board, g.pos.Board));
    EXPECT_EQ(g.flags.Turn, NoTurn);
    EXPECT_EQ(g.flags.Winner, NoTurn);
    EXPECT_FALSE(g.clocks.Timer1Enabled);
  }
  std::filesystem::remove_all(dir);
}

TEST_F(FlowStartup, EscFreesTheSoundsInOrder) {
  EXPECT_FALSE(g->KeyPress('a'));
  EXPECT_TRUE(rp.sound.calls.empty());
  EXPECT_TRUE(g->KeyPress(27));
  ASSERT_EQ(rp.sound.calls.size(), 5u);
  const std::int32_t order[] = {g->sounds.SndOther, g->sounds.SndForbidden, g->sounds.SndPiece,
                                g->sounds.SndBgm};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rp.sound.calls[i].op, "free");
    EXPECT_EQ(rp.sound.calls[i].handle, order[i]);
  }
  EXPECT_EQ(rp.sound.calls[4].op, "terminate");
}

TEST_F(FlowStartup, OnlyTheEndCommandEndsTheProgram) {
  EXPECT_FALSE(g->Menu(MenuCommand::CANCEL));
  EXPECT_FALSE(g->Menu(MenuCommand::OPEN_STOP));
  clearLog();
  EXPECT_TRUE(g->Menu(MenuCommand::OWARI));
  ASSERT_FALSE(rp.sound.calls.empty());
  EXPECT_EQ(rp.sound.calls.back().op, "terminate");
}

TEST_F(FlowStartup, OpeningAMenuHidesTheRecordPanel) {
  g->Menu(MenuCommand::KIFU_WRITE);
  rp.panel.texts[3] = "name";
  g->Menu(MenuCommand::OPEN_TAIKYOKU);
  EXPECT_FALSE(rp.panel.driveVisible);
  EXPECT_FALSE(rp.panel.ioVisible);
  EXPECT_EQ(rp.panel.texts[3], "");
}

TEST_F(FlowStartup, DriveChangeFollowsToTheFileListOrReportsADeviceNotReady) {
  rp.panel.notReadyDrives.push_back("/media/cd");
  rp.panel.dirPath = "/tmp";
  g->Drive1Change("/media/cd");
  EXPECT_TRUE(said("ｴﾗｰ", "ﾃﾞﾊﾞｲｽが準備できていません"));
  EXPECT_EQ(rp.panel.dirPath, "/tmp");

  g->Drive1Change(dir.string());
  EXPECT_EQ(rp.panel.dirPath, dir.string());
  EXPECT_EQ(rp.panel.filesPath, dir.string());
}

TEST_F(FlowStartup, RefusalBoxTexts) {
  g->描画_メッセージ(1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
  EXPECT_TRUE(said("ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", "棋譜ﾓｰﾄﾞではできません\r\r局面→最初にして下さい"));
  EXPECT_EQ(shown().back().icon, MessageIcon::None);
}

}  // namespace
}  // namespace qz::flow_test
