// qzreishogi-cli analyse: the deep search's review of a saved game, move by
// move, with a summary per side and, on request, the evaluation graph.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "model/placement.h"
#include "play/record_file.h"
#include "play/safe_write.h"
#include "shell/analysis.h"

namespace qz::cli {

namespace {

int Usage(const char* problem) {
  std::fprintf(stderr, "analyse: %s\n", problem);
  return 2;
}

std::optional<std::uint64_t> ParseCount(const std::string& text) {
  std::uint64_t value = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || p != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// A record holds the positions after each move, not the one before the
// first. When one of the two starting set-ups is a single move before the
// first entry, the review starts there, so that the first move is seen too.
std::vector<Position> LineOfRecord(const History& history, int entries, int& firstNumber) {
  std::vector<Position> line;
  line.reserve(static_cast<std::size_t>(entries) + 1);
  const Position first = PositionOfEntry(history.entries[1]);
  firstNumber = 2;
  for (bool rightRei : {false, true}) {
    Position start;
    SetUpStartingPosition(start, rightRei);
    if (MoveBetween(start, first)) {
      line.push_back(start);
      firstNumber = 1;
      break;
    }
  }
  for (int k = 1; k <= entries; ++k) line.push_back(PositionOfEntry(history.entries[k]));
  return line;
}

int RunAnalyse(const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  search::Limits limits;
  const auto nodes = TakeOption(args, "--nodes");
  const auto movetime = TakeOption(args, "--movetime");
  const auto svg = TakeOption(args, "--svg");
  if (nodes && movetime) return Usage("give --nodes or --movetime, not both");
  if (movetime) {
    auto n = ParseInt(*movetime);
    if (!n || *n < 1) return Usage("--movetime takes a number of milliseconds");
    limits.movetimeMs = *n;
  } else {
    auto n = ParseCount(nodes.value_or("100000"));
    if (!n || *n < 1) return Usage("--nodes takes a positive whole number");
    limits.nodes = *n;
  }
  if (svg && svg->empty()) return Usage("--svg takes a file name");
  if (args.size() != 1 || args[0].starts_with("--")) return Usage("expected one record FILE");

  static History history;  // large: keep it off the stack
  history = History{};
  RecordHeader header;
  const RecordResult read = ReadRecord(args[0], header, history);
  if (read.status != RecordStatus::Ok && read.status != RecordStatus::Truncated) {
    std::fprintf(stderr, "analyse: %s: %s\n", args[0].c_str(),
                 read.detail.empty() ? "cannot read the record" : read.detail.c_str());
    return 2;
  }
  if (read.status == RecordStatus::Truncated)
    std::fprintf(stderr, "%s: only the first %d of %d entries were read\n", args[0].c_str(),
                 read.entries, read.entriesInFile);

  int firstNumber = 1;
  const std::vector<Position> line = LineOfRecord(history, read.entries, firstNumber);
  static search::Searcher searcher(32);
  searcher.NewGame(0);  // seed 0: the same review on every run
  const GameReview review = ReviewLine(searcher, line, firstNumber, limits);

  for (const ReviewedMove& m : review.moves) {
    std::printf("%d %s score %s best %s loss %d %s\n", m.listed.number, m.listed.text.c_str(),
                ScoreText(m.after).c_str(), m.bestText.c_str(), m.loss, m.mark);
  }
  for (Side side : {SITA, UE}) {
    const SideSummary& s = review.summary[side];
    std::printf("summary %s moves %d average-loss %.1f mistakes %d blunders %d\n",
                side == SITA ? "lower" : "upper", s.moves, s.averageLoss, s.mistakes, s.blunders);
  }
  std::fflush(stdout);

  if (svg) {
    std::vector<Side> movers;
    for (const ReviewedMove& m : review.moves)
      movers.push_back(m.listed.known ? m.listed.mover : SITA);
    const std::string text =
        EvaluationGraphSvg(review.points, SharpDrops(review.points, movers),
                           static_cast<int>(review.points.size()) - 1, firstNumber, 800, 300);
    std::string error;
    if (!WriteFileAtomically(*svg, text, &error)) {
      std::fprintf(stderr, "analyse: cannot write %s: %s\n", svg->c_str(), error.c_str());
      return 1;
    }
  }
  return 0;
}

const RegisterCommand kRegister({
    "analyse",
    "  analyse [--nodes N | --movetime MS] [--svg FILE] FILE\n"
    "      the deep search's review of a record, one line per move:\n"
    "      'N MOVE score S best BEST loss L MARK': S the evaluation after the move\n"
    "      in hundredths of a pawn from the lower army's side (M3 / -M3: the lower\n"
    "      / upper army takes the king in 3 moves), BEST the search's choice before\n"
    "      it, L what the move lost against BEST (scores clamped to +-2000),\n"
    "      MARK '?\?' from a loss of 300, '?' from 100, else '-'; then\n"
    "      'summary lower|upper moves M average-loss A mistakes K blunders B'.\n"
    "      N nodes a position (default 100000; the same output every run) or MS\n"
    "      milliseconds; --svg writes the evaluation graph",
    RunAnalyse,
});

}  // namespace

}  // namespace qz::cli
