// Reads arbitrary bytes as a game record file.
#include <cstdint>

#include "fuzz_support.h"
#include "play/history.h"
#include "play/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qz::History history;
  const auto path = qz::fuzz::ScratchDir() / "input.棋譜";
  qz::fuzz::WriteBytes(path, data, size);
  qz::RecordHeader header;
  const qz::RecordResult r = qz::ReadRecord(path.string(), header, history);
  // Whatever was read must stay inside the history.
  if (r.entries < 0 || r.entries >= qz::History::Capacity) __builtin_trap();
  return 0;
}
