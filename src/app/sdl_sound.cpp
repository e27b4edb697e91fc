#include "app/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace qz::app {

namespace {
// Channels 0 .. kLoopChannels-1 are kept for looping sounds, so that one-shot
// effects never steal the music's channel.
constexpr int kLoopChannels = 2;
constexpr int kChannels = 16;
constexpr std::int32_t kSystemHandle = 1;
constexpr int kMixRate = 22050;  // the rate of the wave files the game ships
}  // namespace

SdlSound::~SdlSound() {
  if (system_ != 0) dsTerminate(system_);
}

std::int32_t SdlSound::dsInitialize(std::intptr_t /*window*/) {
  if (system_ != 0) return system_;
  // SDL would otherwise catch SIGINT and SIGTERM and turn them into quit
  // events nobody reads, so a logout or a kill could not end the game.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  // The mixer runs at the rate of the game's own wave files, so that loading
  // them converts nothing but the channel count: resampling the music from
  // 22050 to 44100 Hz took most of the start-up. 512 samples keep the delay
  // of an effect at about 23 ms.
  if (Mix_OpenAudioDevice(kMixRate, AUDIO_S16SYS, 2, 512, nullptr, SDL_AUDIO_ALLOW_ANY_CHANGE) !=
      0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  Mix_AllocateChannels(kChannels);
  Mix_ReserveChannels(kLoopChannels);
  system_ = kSystemHandle;
  return system_;
}

std::int32_t SdlSound::dsCreateDSB(std::int32_t system, const void* wave, std::size_t size,
                                   std::int32_t /*flags*/) {
  if (system == 0 || system != system_ || wave == nullptr || size == 0 ||
      size > static_cast<std::size_t>(INT32_MAX)) {
    return 0;
  }
  SDL_RWops* rw = SDL_RWFromConstMem(wave, static_cast<int>(size));
  if (rw == nullptr) return 0;
  // The chunk gets its own converted copy, so the caller may free the bytes.
  Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
  if (chunk == nullptr) return 0;
  const std::int32_t handle = nextHandle_++;
  buffers_[handle] = Buffer{chunk, -1};
  return handle;
}

SdlSound::Buffer* SdlSound::find(std::int32_t buffer) {
  if (buffer == 0 || system_ == 0) return nullptr;
  auto it = buffers_.find(buffer);
  return it == buffers_.end() ? nullptr : &it->second;
}

const SdlSound::Buffer* SdlSound::find(std::int32_t buffer) const {
  return const_cast<SdlSound*>(this)->find(buffer);
}

void SdlSound::dsPlay(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  Mix_PlayChannel(-1, b->chunk, 0);  // no free channel: the effect is skipped
}

int SdlSound::freeLoopChannel() const {
  for (int channel = 0; channel < kLoopChannels; ++channel) {
    bool taken = false;
    for (const auto& [handle, b] : buffers_) taken = taken || b.loopChannel == channel;
    if (!taken) return channel;
  }
  return -1;
}

void SdlSound::dsPlayLooping(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  if (b->loopChannel >= 0 && Mix_Playing(b->loopChannel) &&
      Mix_GetChunk(b->loopChannel) == b->chunk) {
    return;  // already looping: keep going without a restart
  }
  if (b->loopChannel < 0) b->loopChannel = freeLoopChannel();
  if (b->loopChannel < 0) return;
  Mix_PlayChannel(b->loopChannel, b->chunk, -1);
}

void SdlSound::haltChannelsOf(const Buffer& buffer) {
  for (int channel = 0; channel < kChannels; ++channel) {
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == buffer.chunk) Mix_HaltChannel(channel);
  }
}

void SdlSound::dsStop(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  haltChannelsOf(*b);
  b->loopChannel = -1;
}

void SdlSound::dsFree(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  haltChannelsOf(*b);
  Mix_FreeChunk(b->chunk);
  buffers_.erase(buffer);
}

void SdlSound::dsTerminate(std::int32_t system) {
  if (system == 0 || system != system_) return;
  for (auto& [handle, b] : buffers_) {
    haltChannelsOf(b);
    Mix_FreeChunk(b.chunk);
  }
  buffers_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  system_ = 0;
}

bool SdlSound::isPlaying(std::int32_t buffer) const {
  const Buffer* b = find(buffer);
  if (b == nullptr) return false;
  for (int channel = 0; channel < kChannels; ++channel) {
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == b->chunk) return true;
  }
  return false;
}

}  // namespace qz::app
