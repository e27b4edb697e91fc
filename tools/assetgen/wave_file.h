// 16-bit PCM mono wave files: writing samples and reading the header back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Samples in [-1, 1] are scaled to 16 bits with rounding; louder ones clip.
bool WriteWave(const std::string& path, const std::vector<double>& samples, int sampleRate);

struct WaveInfo {
  int sampleRate = 0;
  std::size_t sampleCount = 0;
  std::size_t dataOffset = 0;  // where the samples start in the file
};

// Sample i (16-bit little-endian) of a parsed file, scaled to [-1, 1).
double SampleAt(const char* bytes, const WaveInfo& info, std::size_t i);

// Accepts only a RIFF/WAVE file with a 16-bit PCM mono "fmt " chunk and a
// "data" chunk that fits in the file.
bool ParseWave(const char* bytes, std::size_t size, WaveInfo& info);

}  // namespace assetgen
