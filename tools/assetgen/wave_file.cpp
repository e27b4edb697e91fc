#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace assetgen {

namespace {

void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::uint32_t Get16(const char* p) {
  return static_cast<std::uint8_t>(p[0]) | (static_cast<std::uint8_t>(p[1]) << 8);
}

std::uint32_t Get32(const char* p) { return Get16(p) | (Get16(p + 2) << 16); }

}  // namespace

bool WriteWave(const std::string& path, const std::vector<double>& samples, int sampleRate) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  Put32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  Put32(out, 16);  // chunk size
  Put16(out, 1);   // PCM
  Put16(out, 1);   // mono
  Put32(out, static_cast<std::uint32_t>(sampleRate));
  Put32(out, static_cast<std::uint32_t>(sampleRate * 2));  // bytes per second
  Put16(out, 2);                                           // block align
  Put16(out, 16);                                          // bits per sample
  out += "data";
  Put32(out, dataBytes);
  for (double s : samples) {
    const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
    Put16(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(v)) & 0xFFFF);
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  file.close();
  return static_cast<bool>(file);
}

bool ParseWave(const char* bytes, std::size_t size, WaveInfo& info) {
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool haveFormat = false;
  std::size_t pos = 12;
  while (pos + 8 <= size) {
    const char* chunk = bytes + pos;
    const std::size_t length = Get32(chunk + 4);
    if (length > size - pos - 8) return false;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16) return false;
      if (Get16(chunk + 8) != 1 || Get16(chunk + 10) != 1 || Get16(chunk + 22) != 16) return false;
      info.sampleRate = static_cast<int>(Get32(chunk + 12));
      haveFormat = info.sampleRate > 0;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) return false;
      info.sampleCount = length / 2;
      info.dataOffset = pos + 8;
      return true;
    }
    pos += 8 + length + (length & 1);
  }
  return false;
}

double SampleAt(const char* bytes, const WaveInfo& info, std::size_t i) {
  const auto raw = static_cast<std::int16_t>(Get16(bytes + info.dataOffset + 2 * i));
  return raw / 32768.0;
}

}  // namespace assetgen
