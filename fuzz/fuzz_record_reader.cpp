// Reads arbitrary bytes as a game record file. Whatever is read must stay
// inside the history, and writing it back and reading that again must give
// the same positions and clocks (a saved game reads back as it was shown).
// The copy is named by the input's first line where that is a record name a
// player may type and the file system takes: it must land under exactly that
// name, and nowhere else.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "play/history.h"
#include "play/record_file.h"

namespace {

int FilesIn(const std::filesystem::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

// The first line of the input as a record name, when a player could save it.
std::string CopyName(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  std::string name(bytes, std::find(bytes, bytes + size, '\n'));
  if (!name.empty() && name.back() == '\r') name.pop_back();
  if (!qz::IsRecordFileName(name) || name.size() + std::strlen(".棋譜") > 255 || name == "input")
    return "copy";
  return name;
}

bool SameEntry(const qz::HistoryEntry& a, const qz::HistoryEntry& b) {
  return std::memcmp(a.Board, b.Board, sizeof a.Board) == 0 &&
         std::memcmp(a.Hand, b.Hand, sizeof a.Hand) == 0 && a.SitaBefore == b.SitaBefore &&
         a.SitaAfter == b.SitaAfter && a.UeBefore == b.UeBefore && a.UeAfter == b.UeAfter;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qz::History history;
  static qz::History again;
  const auto path = qz::fuzz::ScratchDir() / "input.棋譜";
  const auto copy = qz::fuzz::ScratchDir() / (CopyName(data, size) + ".棋譜");
  qz::fuzz::WriteBytes(path, data, size);
  qz::RecordHeader header;
  const qz::RecordResult r = qz::ReadRecord(path.string(), header, history);
  if (r.entries < 0 || r.entries >= qz::History::Capacity) __builtin_trap();
  if (r.status == qz::RecordStatus::CannotOpen || r.entries == 0) return 0;

  const qz::RecordResult w = qz::WriteRecord(copy.string(), header, history, r.entries);
  if (w.status == qz::RecordStatus::BadHeaderText) return 0;  // names CP932 cannot hold
  if (w.status != qz::RecordStatus::Ok || w.entries != r.entries) __builtin_trap();
  // The input and its copy, and no temporary or other file.
  if (!std::filesystem::is_regular_file(copy) || FilesIn(qz::fuzz::ScratchDir()) != 2)
    __builtin_trap();
  qz::RecordHeader header2;
  const qz::RecordResult r2 = qz::ReadRecord(copy.string(), header2, again);
  if (r2.status != qz::RecordStatus::Ok || r2.entries != r.entries) __builtin_trap();
  if (header2.gameName != header.gameName || header2.upperName != header.upperName ||
      header2.lowerName != header.lowerName)
    __builtin_trap();
  for (int k = 1; k <= r.entries; ++k)
    if (!SameEntry(history.entries[k], again.entries[k])) __builtin_trap();
  std::filesystem::remove(copy);
  return 0;
}
