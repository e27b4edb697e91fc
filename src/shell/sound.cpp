// The wrapper over the playback library: start-up, loading the wave files,
// playing, and shutting the library down.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/game.h"

namespace qz {

void Game::SoundInit() {
  // No native window reaches the library on this platform: handle 0.
  SoundSystem = ports.sound->dsInitialize(0);
  if (SoundSystem == 0) ShowSoundError("Direct Soundインターフェースが作成できません。");
}

std::int32_t Game::LoadWave(const std::string& fileName, std::int32_t flags) {
  if (SoundSystem == 0) return 0;
  const std::string path =
      !fileName.empty() && fileName.front() == '/' ? fileName : StartDir + "/" + fileName;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return 0;
  // Only a regular file has an end to read to: a pipe would block start-up
  // and a device such as /dev/zero would never end.
  if (!std::filesystem::is_regular_file(path, ec)) {
    ShowSoundError(std::strerror(std::filesystem::is_directory(path, ec) ? EISDIR : EINVAL));
    return 0;
  }

  // The library takes the whole file, header included, from memory.
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    ShowSoundError(std::strerror(errno != 0 ? errno : EIO));
    return 0;
  }
  std::vector<char> wave;
  char chunk[65536];
  std::size_t got = 0;
  errno = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    wave.insert(wave.end(), chunk, chunk + got);
  }
  const int readError = std::ferror(file) != 0 ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(file);
  if (readError != 0) {
    ShowSoundError(std::strerror(readError));
    return 0;
  }
  return ports.sound->dsCreateDSB(SoundSystem, wave.data(), wave.size(), flags);
}

void Game::SoundTerm() {
  if (SoundSystem == 0) return;
  ports.sound->dsTerminate(SoundSystem);
  SoundSystem = 0;
}

void Game::ShowSoundError(std::string_view text) {
  ports.dialogs->message("QZ嶺将棋.dll", text, MessageIcon::Warning);
}

void Game::Play(std::int32_t buffer) {
  // The library ignores buffer 0 (a sound that was not loaded).
  ports.sound->dsPlay(buffer);
}

}  // namespace qz
