// Feeds arbitrary bytes as command lines to the UCI engine of
// qzreishogi-cli, with every search held to a few thousand nodes. The
// session must end (the end of the input stops what runs), answer each go
// once (a move, or the end of a perft), and write whole lines only.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/uci_session.h"

namespace {

// A long input is mostly more of the same; the first lines are enough.
constexpr int kMaxLines = 64;

}  // namespace

// The first word of a line as the session reads it.
std::string FirstWord(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  return word;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  qz::cli::UciSession::Caps caps;
  caps.nodes = 3000;
  caps.perftDepth = 2;
  caps.hashMegabytes = 4;
  long goes = 0, answers = 0;
  {
    qz::cli::UciSession session(
        [&](const std::string& line) {
          if (line.find('\n') != std::string::npos) __builtin_trap();
          // Each go ends in one of these: a move, or a perft's total, stop
          // or refusal.
          if (line.starts_with("bestmove ") || line.starts_with("Nodes searched: ") ||
              line.starts_with("info string perft "))
            ++answers;
          if (line == "bestmove " || line.starts_with("bestmove  ")) __builtin_trap();
        },
        caps);
    std::size_t at = 0;
    for (int n = 0; n < kMaxLines && at < text.size(); ++n) {
      std::size_t end = text.find('\n', at);
      if (end == std::string_view::npos) end = text.size();
      std::string line(text.substr(at, end - at));
      at = end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!session.Handle(line)) break;
      if (FirstWord(line) == "go") ++goes;
    }
    session.FinishInput();
  }
  if (answers != goes) __builtin_trap();
  return 0;
}
