// Shared by the fuzz targets: a private scratch folder per process.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace qz::fuzz {

inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() /
             ("qz-fuzz-" + std::to_string(static_cast<long>(::getpid())));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

inline void WriteBytes(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace qz::fuzz
