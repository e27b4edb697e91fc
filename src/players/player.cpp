#include "players/player.h"

#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/reversal.h"
#include "model/uci_notation.h"
#include "players/deep_player.h"
#include "players/uci_engine_player.h"
#include "search/searcher.h"

namespace qz {

namespace {

class CandidateCounter : public SearchObserver {
 public:
  void candidate(int, int, int, int, PieceCode, double) override { ++count; }
  std::uint64_t count = 0;
};

// Levels 1 to 3: the computer of the game. It always plays the upper army,
// so for the lower army it is shown the reversed board and its move is
// turned back.
class ComputerLevelPlayer : public Player {
 public:
  explicit ComputerLevelPlayer(int level)
      : level_(level), pos_(std::make_unique<Position>()), maps_(std::make_unique<ControlMaps>()) {}

  std::string Name() const override { return "LEVEL" + std::to_string(level_); }

  PlayerMove Play(const Position& pos, Side toMove, int, const PlayLimits&,
                  const std::atomic<bool>*, ThinkObserver* observer) override {
    *pos_ = pos;
    if (toMove == SITA) ReverseArmies(*pos_);
    pos_->HandTotal[SITA] = 調査_持駒数(*pos_, SITA);
    pos_->HandTotal[UE] = 調査_持駒数(*pos_, UE);
    pos_->winner = Victor::None;
    ComputerPlayer computer(*pos_, *maps_);
    computer.Level = level_;
    CandidateCounter counter;
    PlayerMove answer;
    if (!computer.Search(&counter)) {
      answer.kind = PlayerMove::Kind::NoMove;
      return answer;
    }
    const BestMoveRecord& b = computer.BestMove;
    GameMove move{b.fromX, b.fromY, b.toX, b.toY, b.after};
    if (toMove == SITA) move = ReversedMove(move);
    answer.kind = PlayerMove::Kind::Move;
    answer.move = move;
    answer.text = MoveToUci(pos, move);
    if (observer) {
      ThinkReport report;
      report.depth = 1;
      report.nodes = counter.count;
      report.pvLength = 1;
      report.pv[0] = move;
      observer->onDepth(report);
    }
    return answer;
  }

 private:
  int level_;
  std::unique_ptr<Position> pos_;
  std::unique_ptr<ControlMaps> maps_;
};

}  // namespace

int HighestLevel() { return search::kHighestLevel; }

std::unique_ptr<Player> MakeLevelPlayer(int level, const PlayerSettings& settings,
                                        std::string& problem) {
  if (level >= 1 && level <= 3) return std::make_unique<ComputerLevelPlayer>(level);
  if (level >= search::kFirstDeepLevel && level <= search::kHighestLevel)
    return MakeDeepLevelPlayer(level, settings.hashMegabytes, settings.threads);
  problem = "no level " + std::to_string(level) + " (levels are 1 to " +
            std::to_string(HighestLevel()) + ")";
  return nullptr;
}

std::unique_ptr<Player> MakePlayer(const std::string& text, const PlayerSettings& settings,
                                   std::string& problem) {
  constexpr std::string_view kUci = "uci:";
  if (text.starts_with(kUci)) {
    const std::string command = text.substr(kUci.size());
    if (command.find_first_not_of(" \t") == std::string::npos) {
      problem = "uci: needs the command that starts the engine";
      return nullptr;
    }
    return std::make_unique<UciEnginePlayer>(command);
  }
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '9')
    return MakeLevelPlayer(text[0] - '0', settings, problem);
  problem = "'" + text + "' is neither a level 1 to " + std::to_string(HighestLevel()) +
            " nor uci:COMMAND";
  return nullptr;
}

}  // namespace qz
