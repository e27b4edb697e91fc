// Reads arbitrary bytes as a game script.
#include <cstdint>
#include <string_view>

#include "script/script_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const qz::ScriptParseResult r = qz::ParseScript(text);
  // A failure names a line of the input; the steps stay within the input's lines.
  long lines = 1;
  for (char c : text) lines += c == '\n';
  if (!r.ok && (r.errorLine < 1 || r.errorLine > lines || r.error.empty())) __builtin_trap();
  if (r.steps.size() > static_cast<size_t>(lines)) __builtin_trap();
  for (const qz::ScriptStep& s : r.steps) {
    if (s.line < 1 || s.line > lines) __builtin_trap();
    if (s.kind == qz::ScriptStep::Tick && (s.count < 0 || s.count > qz::kMaxScriptTicks))
      __builtin_trap();
    if (s.kind == qz::ScriptStep::Wait &&
        !(s.seconds >= 0 && s.seconds <= qz::kMaxScriptWaitSeconds))
      __builtin_trap();
    if (s.kind == qz::ScriptStep::Time && !(s.seconds >= 0 && s.seconds < 86400.0))
      __builtin_trap();
    if (s.kind == qz::ScriptStep::Press &&
        (s.twips ? (s.x < -qz::kMaxPressTwips || s.x > qz::kMaxPressTwips ||
                    s.y < -qz::kMaxPressTwips || s.y > qz::kMaxPressTwips)
                 : (s.x < -qz::kMaxPressCell || s.x > qz::kMaxPressCell ||
                    s.y < -qz::kMaxPressCell || s.y > qz::kMaxPressCell)))
      __builtin_trap();
  }
  return 0;
}
