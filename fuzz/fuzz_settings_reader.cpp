// Reads arbitrary bytes as the settings file at start-up. The file is then
// either left as it was or replaced by the defaults, nothing in between.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_support.h"
#include "script/recording_ports.h"
#include "shell/game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto dir = qz::fuzz::ScratchDir();
  qz::fuzz::WriteBytes(dir / qz::SettingsFileName, data, size);
  qz::RecordingPorts rp;
  rp.canvas.recordOps = false;
  qz::Game game(rp.ports(), dir.string());
  game.読込_環境設定ファイル();
  // Exactly one placement is checked and the background is a known code or unset.
  if (game.checks.UREI == game.checks.SAREI) __builtin_trap();
  if (game.screen.CurrentBackground != 0 &&
      (game.screen.CurrentBackground < 2 || game.screen.CurrentBackground > 6))
    __builtin_trap();
  // The default lines in CP932: 背景画=嶺, 移動指導=OFF, 経過時間=ON, BGM=ON, 初期配置=右嶺.
  static const std::string defaults =
      "\x94\x77\x8c\x69\x89\xe6=\x97\xe4\r\n"
      "\x88\xda\x93\xae\x8e\x77\x93\xb1=OFF\r\n"
      "\x8c\x6f\x89\xdf\x8e\x9e\x8a\xd4=ON\r\n"
      "BGM=ON\r\n"
      "\x8f\x89\x8a\xfa\x94\x7a\x92\x75=\x89\x45\x97\xe4\r\n";
  std::ifstream in(dir / qz::SettingsFileName, std::ios::binary);
  const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string before(reinterpret_cast<const char*>(data), size);
  if (after != before && after != defaults) __builtin_trap();
  if (after == defaults && after != before && !(game.checks.MIDORI && game.checks.UREI))
    __builtin_trap();

  // Saving the options and starting again gives back the same check marks.
  game.書込_環境設定ファイル();
  qz::RecordingPorts rp2;
  rp2.canvas.recordOps = false;
  qz::Game next(rp2.ports(), dir.string());
  next.読込_環境設定ファイル();
  const qz::MenuChecks& a = game.checks;
  const qz::MenuChecks& b = next.checks;
  if (a.MIDORI != b.MIDORI || a.TATAMI != b.TATAMI || a.TAKE != b.TAKE || a.UCHU != b.UCHU ||
      a.RENGA != b.RENGA || a.SIDOU != b.SIDOU || a.KEIKA != b.KEIKA || a.BGM != b.BGM ||
      a.UREI != b.UREI || a.SAREI != b.SAREI)
    __builtin_trap();
  return 0;
}
