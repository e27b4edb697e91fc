// The wrapper over the playback library: start-up, loading the wave files,
// playing, and shutting the library down.
#include <cerrno>
#include <cstring>
#include <string>

#include "play/whole_file.h"
#include "shell/game.h"

namespace qz {

namespace {
// The music is half a minute; a wave file of more than this is not ours.
constexpr std::size_t kMaxWaveBytes = 256u * 1024 * 1024;
}  // namespace

void Game::SoundInit() {
  // No native window reaches the library on this platform: handle 0.
  sounds.SoundSystem = ports.sound->dsInitialize(0);
  if (sounds.SoundSystem == 0) ShowSoundError("Direct Soundインターフェースが作成できません。");
}

std::int32_t Game::LoadWave(const std::string& fileName, std::int32_t flags) {
  if (sounds.SoundSystem == 0) return 0;
  const std::string path =
      !fileName.empty() && fileName.front() == '/' ? fileName : StartDir + "/" + fileName;
  // The library takes the whole file, header included, from memory.
  const WholeFile wave = ReadWholeFile(path, kMaxWaveBytes);
  if (wave.problem == ReadProblem::Missing) return 0;
  if (!wave.bytes) {
    ShowSoundError(std::strerror(wave.error != 0 ? wave.error : EIO));
    return 0;
  }
  return ports.sound->dsCreateDSB(sounds.SoundSystem, wave.bytes->data(), wave.bytes->size(),
                                  flags);
}

void Game::SoundTerm() {
  if (sounds.SoundSystem == 0) return;
  ports.sound->dsTerminate(sounds.SoundSystem);
  sounds.SoundSystem = 0;
}

void Game::ShowSoundError(std::string_view text) {
  ports.dialogs->message("QZ嶺将棋.dll", text, MessageIcon::Warning);
}

void Game::Play(std::int32_t buffer) {
  // The library ignores buffer 0 (a sound that was not loaded).
  ports.sound->dsPlay(buffer);
}

}  // namespace qz
