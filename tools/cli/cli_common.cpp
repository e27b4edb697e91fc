#include "cli/cli_common.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

#include "model/fast_position.h"
#include "model/make_move.h"
#include "play/history.h"
#include "play/record_file.h"
#include "search/searcher.h"

namespace qz::cli {

namespace {
std::vector<CommandInfo>& Registry() {
  static std::vector<CommandInfo> commands;
  return commands;
}
}  // namespace

RegisterCommand::RegisterCommand(CommandInfo info) {
  auto& r = Registry();
  r.push_back(info);
  std::sort(r.begin(), r.end(), [](const CommandInfo& a, const CommandInfo& b) {
    return std::string(a.name) < b.name;
  });
}

const std::vector<CommandInfo>& Commands() { return Registry(); }

std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == name) {
      std::string value = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      return value;
    }
  }
  return std::nullopt;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end()) return false;
  args.erase(it);
  return true;
}

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [p, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || p != last || text.empty()) return std::nullopt;
  return value;
}

std::optional<int> TakeThreads(std::vector<std::string>& args) {
  const auto v = TakeOption(args, "--threads");
  if (!v) return 1;
  const auto n = ParseInt(*v);
  if (!n || *n < 1 || *n > search::Searcher::kMaxThreads) return std::nullopt;
  return n;
}

bool LoadRecordEntry(const std::string& path, std::optional<int> entry, Position& pos,
                     std::string& error) {
  const auto history = std::make_unique<History>();  // large: keep it off the stack
  RecordHeader header;
  const RecordResult r = ReadRecord(path, header, *history);
  if (r.status != RecordStatus::Ok && r.status != RecordStatus::Truncated) {
    error = path + ": " + (r.detail.empty() ? "cannot read the record" : r.detail);
    return false;
  }
  // The history holds 500 entries; a longer record is read only so far, and
  // "the last" entry is then the 500th: say so, whatever the command prints.
  if (r.status == RecordStatus::Truncated) {
    std::fprintf(stderr, "%s: only the first %d of %d entries were read\n", path.c_str(), r.entries,
                 r.entriesInFile);
  }
  const int k = entry.value_or(r.entries);
  if (k < 1 || k > r.entries) {
    error = path + ": no entry " + std::to_string(k) + " (the record has " +
            std::to_string(r.entries) + ")";
    return false;
  }
  pos = Position{};
  double lower = 0, upper = 0;
  history->RestoreEntry(pos, k, true, lower, upper);
  pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
  pos.HandTotal[UE] = 調査_持駒数(pos, UE);
  // A crafted entry the game could never reach, which no count would follow.
  if (const std::string problem = PositionProblem(pos); !problem.empty()) {
    error = path + ": entry " + std::to_string(k) + " cannot be played (" + problem + ")";
    return false;
  }
  return true;
}

bool LoadPositionArgument(const char* command, std::vector<std::string>& args, Position& pos) {
  std::optional<int> entry;
  if (auto v = TakeOption(args, "--entry")) {
    auto n = ParseInt(*v);
    if (!n) {
      std::fprintf(stderr, "%s: --entry takes a whole number\n", command);
      return false;
    }
    entry = *n;
  }
  if (args.size() != 1 || args[0].starts_with("--")) {
    std::fprintf(stderr, "%s: expected one record FILE\n", command);
    return false;
  }
  std::string error;
  if (!LoadRecordEntry(args[0], entry, pos, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace qz::cli
