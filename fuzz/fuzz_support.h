// Shared by the fuzz targets: a private scratch folder per process.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace qz::fuzz {

inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    // A memory file system where there is one: the game syncs every file it
    // writes, which on a disk would cost most of the fuzzing time.
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    auto d = base / ("qz-fuzz-" + std::to_string(static_cast<long>(::getpid())));
    std::filesystem::create_directories(d);
    static const struct Remover {
      std::filesystem::path dir;
      ~Remover() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
      }
    } remover{d};
    return d;
  }();
  return dir;
}

inline void WriteBytes(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace qz::fuzz
