// The SDL2_mixer sound layer under the dummy driver, and the game's one
// warning when no device opens.
#include "app/sdl_sound.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app_test_support.h"

namespace qz::app::testing {
namespace {

// A short 16-bit mono PCM wave file, header included.
std::vector<unsigned char> WaveFile(int samples) {
  auto put32 = [](std::vector<unsigned char>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
  };
  auto put16 = [](std::vector<unsigned char>& v, std::uint16_t x) {
    v.push_back(static_cast<unsigned char>(x));
    v.push_back(static_cast<unsigned char>(x >> 8));
  };
  std::vector<unsigned char> w;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples) * 2;
  for (char c : std::string("RIFF")) w.push_back(static_cast<unsigned char>(c));
  put32(w, 36 + dataBytes);
  for (char c : std::string("WAVEfmt ")) w.push_back(static_cast<unsigned char>(c));
  put32(w, 16);
  put16(w, 1);      // PCM
  put16(w, 1);      // mono
  put32(w, 22050);  // rate
  put32(w, 44100);  // bytes a second
  put16(w, 2);
  put16(w, 16);
  for (char c : std::string("data")) w.push_back(static_cast<unsigned char>(c));
  put32(w, dataBytes);
  for (int i = 0; i < samples; ++i) put16(w, static_cast<std::uint16_t>((i % 50) * 400));
  return w;
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TEST(SdlSound, LoadsPlaysLoopsStopsAndFreesUnderTheDummyDriver) {
  SdlSound sound;
  const std::int32_t system = sound.dsInitialize(0);
  ASSERT_NE(system, 0);
  EXPECT_EQ(sound.dsInitialize(0), system);  // a second call keeps the one system

  const auto wave = WaveFile(22050);  // one second
  const std::int32_t effect = sound.dsCreateDSB(system, wave.data(), wave.size(), 3);
  const std::int32_t music = sound.dsCreateDSB(system, wave.data(), wave.size(), 1);
  ASSERT_NE(effect, 0);
  ASSERT_NE(music, 0);
  EXPECT_NE(effect, music);
  EXPECT_EQ(sound.bufferCount(), 2);

  sound.dsPlay(effect);
  EXPECT_TRUE(sound.isPlaying(effect));
  sound.dsPlayLooping(music);
  sound.dsPlayLooping(music);  // already looping: keeps going
  EXPECT_TRUE(sound.isPlaying(music));
  sound.dsStop(music);
  EXPECT_FALSE(sound.isPlaying(music));
  EXPECT_TRUE(sound.isPlaying(effect));  // stopping one leaves the other
  sound.dsPlayLooping(music);            // can loop again after a stop
  EXPECT_TRUE(sound.isPlaying(music));

  sound.dsFree(effect);
  EXPECT_EQ(sound.bufferCount(), 1);
  EXPECT_FALSE(sound.isPlaying(effect));
  sound.dsPlay(effect);  // a freed handle is unknown: nothing happens
  EXPECT_FALSE(sound.isPlaying(effect));
  sound.dsTerminate(system);
  EXPECT_EQ(sound.bufferCount(), 0);
  EXPECT_FALSE(sound.isPlaying(music));
}

TEST(SdlSound, MixesAtTheRateOfTheGamesWaveFiles) {
  // The waves the game ships are 22050 Hz: a mixer at another rate would
  // resample the 16 s of music while the window waits for its first paint.
  SdlSound sound;
  ASSERT_NE(sound.dsInitialize(0), 0);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
  EXPECT_EQ(rate, 22050);
  EXPECT_EQ(format, AUDIO_S16SYS);
  const auto wave = WaveFile(22050);
  EXPECT_NE(sound.dsCreateDSB(1, wave.data(), wave.size(), 1), 0);
}

TEST(SdlSound, NoneAndUnknownHandlesAndBadDataDoNothing) {
  SdlSound sound;
  // Before initialising nothing can be created.
  const auto wave = WaveFile(100);
  EXPECT_EQ(sound.dsCreateDSB(0, wave.data(), wave.size(), 3), 0);
  const std::int32_t system = sound.dsInitialize(0);
  ASSERT_NE(system, 0);
  EXPECT_EQ(sound.dsCreateDSB(system + 5, wave.data(), wave.size(), 3), 0);
  EXPECT_EQ(sound.dsCreateDSB(system, nullptr, 0, 3), 0);
  const char junk[] = "this is not a wave file at all, just text";
  EXPECT_EQ(sound.dsCreateDSB(system, junk, sizeof junk, 3), 0);
  // A truncated file is refused, not read past its end.
  EXPECT_EQ(sound.dsCreateDSB(system, wave.data(), 30, 3), 0);
  for (std::int32_t handle : {0, 77, -1}) {
    sound.dsPlay(handle);
    sound.dsPlayLooping(handle);
    sound.dsStop(handle);
    sound.dsFree(handle);
  }
  EXPECT_EQ(sound.bufferCount(), 0);
  sound.dsTerminate(0);  // not the system: ignored
  EXPECT_NE(sound.dsCreateDSB(system, wave.data(), wave.size(), 3), 0);
  sound.dsTerminate(system);
}

TEST(SdlSound, InitialiseFailsCleanlyWithoutADevice) {
  ScopedEnv driver("SDL_AUDIODRIVER", "nonexistent");
  SdlSound sound;
  EXPECT_EQ(sound.dsInitialize(0), 0);
  const auto wave = WaveFile(100);
  EXPECT_EQ(sound.dsCreateDSB(0, wave.data(), wave.size(), 3), 0);
  sound.dsPlay(1);
  sound.dsTerminate(0);
}

// The game window playing in a folder that holds the four wave files, with
// the real sound layer and recording dialogs.
struct GameWithWaves {
  explicit GameWithWaves(int samples) {
    WriteStandInPictures(folder.path() + "/pictures");
    const auto wave = WaveFile(samples);
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"}) {
      QFile f(folder.path() + "/" + QString::fromUtf8(name));
      if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char*>(wave.data()), static_cast<qint64>(wave.size()));
    }
    pictures = std::make_unique<PictureSet>(folder.path() + "/pictures");
    FrontEndOptions options;
    options.workDir = folder.path();
    options.dialogs = &dialogs;
    options.sound = &sound;
    options.browser = &browser;
    window = std::make_unique<MainWindow>(*pictures, options);
    window->start();
  }
  QTemporaryDir folder;
  std::unique_ptr<PictureSet> pictures;
  SdlSound sound;
  RecordingDialogs dialogs;
  RecordingBrowser browser;
  std::unique_ptr<MainWindow> window;
};

TEST(SdlSound, GameWarnsOnceAndRunsSilentlyWithoutADevice) {
  ScopedEnv driver("SDL_AUDIODRIVER", "nonexistent");
  GameWithWaves g(100);
  auto& dialogs = g.dialogs;
  auto& sound = g.sound;
  auto& window = *g.window;

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "QZ嶺将棋.dll");
  EXPECT_EQ(dialogs.shown[0].text, "Direct Soundインターフェースが作成できません。");
  EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(window.game().sounds.SndPiece, 0);
  EXPECT_EQ(sound.bufferCount(), 0);
  // Play goes on in silence.
  window.game().Menu(MenuCommand::BGM);
  window.close();
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(SdlSound, GameLoadsItsFourWavesWithADevice) {
  GameWithWaves g(2000);
  auto& dialogs = g.dialogs;
  auto& sound = g.sound;
  auto& window = *g.window;
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(sound.bufferCount(), 4);
  window.close();  // frees them all
  EXPECT_EQ(sound.bufferCount(), 0);
}

}  // namespace
}  // namespace qz::app::testing
