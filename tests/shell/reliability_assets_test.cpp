// Start-up with a wave file or the help page missing or damaged: the game
// must still start and play; a sound that cannot be loaded stays silent and a
// help page that is not there is not opened.
#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <future>

#include "shell/flow_fixture.h"

namespace qz::flow_test {
namespace {

enum class Damage { Missing, Directory, Empty };

struct AssetCase {
  const char* file;
  Damage damage;
};

std::string CaseName(const ::testing::TestParamInfo<AssetCase>& info) {
  static const char* files[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "QZ嶺将棋.htm"};
  static const char* words[] = {"Other", "Forbidden", "Piece", "Bgm", "Help"};
  std::string name = "Unknown";
  for (int i = 0; i < 5; ++i)
    if (std::string(info.param.file) == files[i]) name = words[i];
  switch (info.param.damage) {
    case Damage::Missing: return name + "Missing";
    case Damage::Directory: return name + "IsADirectory";
    case Damage::Empty: return name + "IsEmpty";
  }
  return name;
}

class ReliabilityAssets : public ::testing::TestWithParam<AssetCase> {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir = std::filesystem::temp_directory_path() /
          ("qz_assets_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "QZ嶺将棋.htm"})
      write(name, std::string("RIFF-") + name);
    const std::filesystem::path damaged = dir / GetParam().file;
    std::filesystem::remove(damaged);
    if (GetParam().damage == Damage::Directory) {
      std::filesystem::create_directories(damaged / "inside");
    } else if (GetParam().damage == Damage::Empty) {
      write(GetParam().file, "");
    }
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  }
  void press(Game& g, int x, int y) {
    g.MouseDown(LeftButton, 0, static_cast<int>(Tx(x)) + 300, static_cast<int>(Ty(y)) + 300);
  }
  bool isWave() const { return std::string(GetParam().file).ends_with(".wav"); }
  std::int32_t bufferOf(const Game& g) const {
    const std::string f = GetParam().file;
    if (f == "その他.wav") return g.sounds.SndOther;
    if (f == "禁止.wav") return g.sounds.SndForbidden;
    if (f == "駒打音.wav") return g.sounds.SndPiece;
    return g.sounds.SndBgm;
  }

  std::filesystem::path dir;
};

TEST_P(ReliabilityAssets, GameStartsAndPlaysAgainstTheComputer) {
  RecordingPorts rp;
  Game g(rp.ports(), dir.string());
  g.Load();

  // Only a wave that exists but cannot be read as a file is worth a warning;
  // a missing or empty one is silent. Nothing else is said at start-up.
  for (const auto& s : rp.dialogs.shown) {
    EXPECT_EQ(s.title, "QZ嶺将棋.dll") << s.text;
    EXPECT_TRUE(isWave() && GetParam().damage == Damage::Directory) << s.text;
  }
  EXPECT_LE(rp.dialogs.shown.size(), 1u);
  if (isWave()) {
    EXPECT_EQ(bufferOf(g), 0);
    // The other three sounds are loaded all the same.
    int loaded = 0;
    for (std::int32_t b :
         {g.sounds.SndOther, g.sounds.SndForbidden, g.sounds.SndPiece, g.sounds.SndBgm})
      loaded += b != 0;
    EXPECT_EQ(loaded, 3);
  } else {
    EXPECT_NE(g.sounds.SndOther, 0);
    EXPECT_NE(g.sounds.SndBgm, 0);
  }
  rp.dialogs.shown.clear();

  g.Menu(MenuCommand::SENTE);
  ASSERT_EQ(g.flags.Turn, g.flags.LowerSideToken);
  press(g, 3, 8);
  press(g, 3, 7);
  EXPECT_EQ(g.pos.Board[3][7], -HU);
  EXPECT_EQ(g.hist.MoveCount, 2);  // the human's move and the computer's answer
  EXPECT_EQ(g.flags.Turn, g.flags.LowerSideToken);
  // The other sounds play through a missing buffer quietly.
  g.Menu(MenuCommand::BGM);
  g.Menu(MenuCommand::BGM);
  g.Menu(MenuCommand::VER);
  for (const auto& s : rp.dialogs.shown) EXPECT_NE(s.title, "QZ嶺将棋.dll") << s.text;
  for (const auto& c : rp.sound.calls)
    if (c.op == "play" || c.op == "loop") EXPECT_TRUE(c.handle == 0 || c.handle >= 100);

  // Help opens the page only where one is there to open.
  rp.browser.addresses.clear();
  g.Menu(MenuCommand::KAISETU);
  if (std::string(GetParam().file) == HelpPageName && GetParam().damage != Damage::Empty) {
    EXPECT_TRUE(rp.browser.addresses.empty());
  } else {
    ASSERT_EQ(rp.browser.addresses.size(), 1u);
    EXPECT_EQ(rp.browser.addresses[0], dir.string() + "/" + HelpPageName);
  }

  press(g, 4, 8);
  press(g, 4, 7);
  EXPECT_EQ(g.pos.Board[4][7], -HU);
  EXPECT_EQ(g.hist.MoveCount, 4);
  g.Close();
}

std::vector<AssetCase> AllCases() {
  std::vector<AssetCase> cases;
  for (const char* f : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "QZ嶺将棋.htm"})
    for (Damage d : {Damage::Missing, Damage::Directory, Damage::Empty}) cases.push_back({f, d});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EachAsset, ReliabilityAssets, ::testing::ValuesIn(AllCases()), CaseName);

// A pipe has no end until someone writes to it: loading it as a sound would
// hold start-up for ever.
TEST(ReliabilityAssetsPipe, PipeForTheMusicIsRefusedWithoutWaitingOnIt) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("qz_assets_pipe_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string pipe = (dir / "BGM.wav").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

  RecordingPorts rp;
  Game g(rp.ports(), dir.string());
  auto loaded = std::async(std::launch::async, [&] { g.Load(); });
  const bool finished = loaded.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  if (!finished) {
    // Give the blocked reader an end so that the test can finish.
    const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
  loaded.get();
  EXPECT_TRUE(finished) << "start-up waited on the pipe";
  EXPECT_EQ(g.sounds.SndBgm, 0);
  ASSERT_EQ(rp.dialogs.shown.size(), 1u);
  EXPECT_EQ(rp.dialogs.shown[0].title, "QZ嶺将棋.dll");

  g.Menu(MenuCommand::START);
  g.MouseDown(LeftButton, 0, static_cast<int>(Tx(3)) + 300, static_cast<int>(Ty(8)) + 300);
  g.MouseDown(LeftButton, 0, static_cast<int>(Tx(3)) + 300, static_cast<int>(Ty(7)) + 300);
  EXPECT_EQ(g.pos.Board[3][7], -HU);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

}  // namespace
}  // namespace qz::flow_test
