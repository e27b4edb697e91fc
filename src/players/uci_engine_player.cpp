#include "players/uci_engine_player.h"

#include <algorithm>

#include "model/uci_notation.h"

namespace qz {

namespace {

using Clock = ChildProcess::Clock;

Clock::time_point After(int ms) { return Clock::now() + std::chrono::milliseconds(ms); }

// Engine text as it may be shown on one line: control characters become
// "?", and a long text is cut (between characters, not inside one).
std::string Printable(std::string_view text, std::size_t max = 40) {
  std::string out;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    out += u >= 0x20 && u != 0x7F ? c : '?';
  }
  if (out.size() > max) {
    std::size_t cut = max;
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
    out.resize(cut);
    out += "...";
  }
  return out;
}

// The first word after `word ` in line.
std::string WordAfter(const std::string& line, std::string_view word) {
  std::size_t at = line.find(word);
  if (at == std::string::npos) return {};
  at += word.size();
  while (at < line.size() && line[at] == ' ') ++at;
  std::size_t end = line.find(' ', at);
  return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

}  // namespace

std::string UciEnginePlayer::Name() const {
  return engineName_.empty() ? "uci:" + Printable(command_) : engineName_;
}

std::string UciEnginePlayer::Ended(const std::string& what) {
  child_.Close(After(1000));
  return what + " (" + child_.ExitDescription() + ")";
}

bool UciEnginePlayer::Exchange(const std::string& line, const std::string& expected, int timeoutMs,
                               std::string& problem, std::string* answer) {
  const auto deadline = After(timeoutMs);
  if (!child_.WriteLine(line, deadline)) {
    problem = child_.HasEnded() ? Ended("the engine ended") : "the engine does not read its input";
    if (!child_.HasEnded()) child_.Kill();
    return false;
  }
  std::string got;
  for (;;) {
    switch (child_.ReadLine(got, deadline)) {
      case ChildProcess::ReadResult::Line:
        if (got.starts_with("id name ") && engineName_.empty())
          engineName_ = Printable(got.substr(8), 60);
        if (got == expected || got.starts_with(expected + " ")) {
          if (answer) *answer = got;
          return true;
        }
        break;
      case ChildProcess::ReadResult::TimedOut:
        child_.Kill();
        problem = "no '" + expected + "' within " + std::to_string(timeoutMs) + " ms (stopped)";
        return false;
      case ChildProcess::ReadResult::Closed: problem = Ended("the engine ended"); return false;
    }
  }
}

bool UciEnginePlayer::Start(std::string& problem) {
  if (!child_.Start(command_, problem)) return false;
  if (!Exchange("uci", "uciok", StartTimeoutMs, problem)) return false;
  // Engines that do not know the option ignore it.
  if (!child_.WriteLine("setoption name UCI_Variant value reishogi", After(StartTimeoutMs))) {
    problem = Ended("the engine ended");
    return false;
  }
  return Exchange("isready", "readyok", StartTimeoutMs, problem);
}

bool UciEnginePlayer::NewGame(std::uint64_t, std::string& problem) {
  if ((!child_.Running() || child_.HasEnded()) && !Start(problem)) return false;
  if (!child_.WriteLine("ucinewgame", After(StartTimeoutMs))) {
    problem = Ended("the engine ended");
    return false;
  }
  return Exchange("isready", "readyok", StartTimeoutMs, problem);
}

PlayerMove UciEnginePlayer::Play(const Position& pos, Side toMove, int gamePly,
                                 const PlayLimits& limits, const std::atomic<bool>*,
                                 ThinkObserver*) {
  PlayerMove answer;
  answer.kind = PlayerMove::Kind::Failed;
  if (!child_.Running() || child_.HasEnded()) {
    answer.problem = Ended("the engine ended");
    return answer;
  }
  // A move time is the engine's to keep, with room for a slow start-up of
  // its search; a node or depth limit gets the fixed allowance.
  std::string go = "go";
  const bool byTime = limits.nodes == 0 && limits.depth == 0;
  const int movetime = limits.movetimeMs > 0 ? limits.movetimeMs : byTime ? DefaultMovetimeMs : 0;
  if (movetime > 0) go += " movetime " + std::to_string(movetime);
  if (limits.nodes > 0) go += " nodes " + std::to_string(limits.nodes);
  if (limits.depth > 0) go += " depth " + std::to_string(limits.depth);
  const int timeoutMs = byTime ? movetime * 3 + MoveGraceMs
                               : std::max(UnlimitedMoveTimeoutMs, movetime * 3 + MoveGraceMs);
  // The round trip also passes over anything left from the last answer, so
  // that a stray second "bestmove" is never taken for this one.
  if (!Exchange("isready", "readyok", StartTimeoutMs, answer.problem)) return answer;
  if (!child_.WriteLine("position fen " + ToFen(pos, toMove, gamePly / 2 + 1),
                        After(MoveGraceMs))) {
    answer.problem =
        child_.HasEnded() ? Ended("the engine ended") : "the engine does not read its input";
    child_.Kill();
    return answer;
  }
  std::string line;
  if (!Exchange(go, "bestmove", timeoutMs, answer.problem, &line)) return answer;
  const std::string move = WordAfter(line, "bestmove");
  answer.text = Printable(move);
  if (move.empty() || move == "(none)" || move == "0000") {
    answer.kind = PlayerMove::Kind::NoMove;
    return answer;
  }
  const auto parsed = MoveFromUci(pos, toMove, move);
  if (!parsed) {
    answer.problem = "unreadable move '" + answer.text + "' (not UCI text for a piece of its army)";
    return answer;
  }
  answer.kind = PlayerMove::Kind::Move;
  answer.move = *parsed;
  return answer;
}

void UciEnginePlayer::Finish() {
  if (!child_.Running()) return;
  if (!child_.HasEnded()) child_.WriteLine("quit", After(1000));
  child_.Close(After(2000));
}

}  // namespace qz
