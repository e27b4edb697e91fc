// The playback library's seven operations over SDL2_mixer.
#pragma once

#include <cstdint>
#include <map>

#include "shell/ports.h"

struct Mix_Chunk;

namespace qz::app {

class SdlSound : public SoundLibrary {
 public:
  SdlSound() = default;
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;
  ~SdlSound() override;

  std::int32_t dsInitialize(std::intptr_t window) override;
  std::int32_t dsCreateDSB(std::int32_t system, const void* wave, std::size_t size,
                           std::int32_t flags) override;
  void dsPlay(std::int32_t buffer) override;
  void dsPlayLooping(std::int32_t buffer) override;
  void dsStop(std::int32_t buffer) override;
  void dsFree(std::int32_t buffer) override;
  void dsTerminate(std::int32_t system) override;

  // For tests: whether a buffer is sounding now, and how many are loaded.
  bool isPlaying(std::int32_t buffer) const;
  int bufferCount() const { return static_cast<int>(buffers_.size()); }

 private:
  struct Buffer {
    Mix_Chunk* chunk = nullptr;
    int loopChannel = -1;  // the reserved channel it loops on, or -1
  };
  Buffer* find(std::int32_t buffer);
  const Buffer* find(std::int32_t buffer) const;
  void haltChannelsOf(const Buffer& buffer);
  int freeLoopChannel() const;

  std::int32_t system_ = 0;
  std::int32_t nextHandle_ = 1;
  std::map<std::int32_t, Buffer> buffers_;
};

}  // namespace qz::app
