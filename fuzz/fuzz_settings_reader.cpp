// Reads arbitrary bytes as the settings file at start-up.
#include <cstdint>

#include "fuzz_support.h"
#include "shell/game.h"
#include "shell/recording/recording_ports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto dir = qz::fuzz::ScratchDir();
  qz::fuzz::WriteBytes(dir / qz::SettingsFileName, data, size);
  qz::RecordingPorts rp;
  rp.canvas.recordOps = false;
  qz::Game game(rp.ports(), dir.string());
  game.読込_環境設定ファイル();
  // Exactly one placement is checked and the background is a known code or unset.
  if (game.checks.UREI == game.checks.SAREI) __builtin_trap();
  if (game.CurrentBackground != 0 && (game.CurrentBackground < 2 || game.CurrentBackground > 6))
    __builtin_trap();
  return 0;
}
