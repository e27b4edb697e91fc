// The contract of the one player interface: every level answers for either
// army with a move the rules list (its text the move's UCI form), levels 1
// to 3 exactly as the game's computer chooses, an army without pieces has no
// move, and the factory refuses what names no player.
#include "players/player.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/reversal.h"
#include "model/uci_notation.h"
#include "players/deep_player.h"
#include "search/searcher.h"

namespace qz {
namespace {

bool Listed(const Position& pos, Side side, const GameMove& m) {
  static GameMove moves[kMaxMoves];
  const int n = ListMoves(pos, side, moves);
  for (int i = 0; i < n; ++i)
    if (moves[i] == m) return true;
  return false;
}

// A few plies into a game from 右嶺, so that both armies have choices.
Position SomePosition() {
  Position pos;
  SetUpStartingPosition(pos, true);
  static GameMove moves[kMaxMoves];
  for (int ply = 0; ply < 6; ++ply) {
    const int n = ListMoves(pos, ply % 2 == 0 ? SITA : UE, moves);
    const GameMove m = moves[(ply * 7) % n];
    駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
  }
  return pos;
}

TEST(Player, EveryLevelAnswersForEitherArmyWithAListedMove) {
  const Position pos = SomePosition();
  PlayLimits limits;
  limits.nodes = 2000;  // the deep levels; levels 1 to 3 ignore it
  for (int level = 1; level <= 5; ++level) {
    std::string problem;
    const std::unique_ptr<Player> player = MakeLevelPlayer(level, PlayerSettings{1, 1}, problem);
    ASSERT_NE(player, nullptr) << problem;
    EXPECT_EQ(player->Name(), "LEVEL" + std::to_string(level));
    ASSERT_TRUE(player->NewGame(7, problem)) << problem;
    for (const Side side : {SITA, UE}) {
      const PlayerMove answer = player->Play(pos, side, 6, limits, nullptr, nullptr);
      ASSERT_EQ(answer.kind, PlayerMove::Kind::Move) << "level " << level << " side " << side;
      EXPECT_TRUE(Listed(pos, side, answer.move)) << "level " << level << " side " << side;
      EXPECT_EQ(answer.text, MoveToUci(pos, answer.move));
    }
  }
}

// The game's computer always plays the upper army; the player shows it the
// turned board for the lower one and turns its move back.
TEST(Player, LevelsOneToThreeChooseAsTheGamesComputer) {
  const Position pos = SomePosition();
  for (int level = 1; level <= 3; ++level) {
    std::string problem;
    const std::unique_ptr<Player> player = MakeLevelPlayer(level, PlayerSettings{}, problem);
    for (const Side side : {SITA, UE}) {
      Position view = pos;
      if (side == SITA) ReverseArmies(view);
      ControlMaps maps;
      ComputerPlayer computer(view, maps);
      computer.Level = level;
      ASSERT_TRUE(computer.Search());
      const BestMoveRecord& b = computer.BestMove;
      GameMove expected{b.fromX, b.fromY, b.toX, b.toY, b.after};
      if (side == SITA) expected = ReversedMove(expected);
      const PlayerMove answer = player->Play(pos, side, 0, PlayLimits{}, nullptr, nullptr);
      EXPECT_EQ(answer.move, expected) << "level " << level << " side " << side;
    }
  }
}

TEST(Player, AnArmyWithoutPiecesHasNoMove) {
  Position pos;
  pos.Board[5][1] = OU;  // the upper king alone; the lower army has nothing
  pos.KingSquare[UE] = {5, 1};
  PlayLimits limits;
  limits.nodes = 1000;
  for (int level = 1; level <= 5; ++level) {
    std::string problem;
    const std::unique_ptr<Player> player = MakeLevelPlayer(level, PlayerSettings{1, 1}, problem);
    EXPECT_EQ(player->Play(pos, SITA, 0, limits, nullptr, nullptr).kind, PlayerMove::Kind::NoMove)
        << "level " << level;
  }
}

TEST(Player, TheFactoryRefusesWhatNamesNoPlayer) {
  for (const char* text : {"0", "9", "x", "12", "-4", "", "uci:", "uci:  \t"}) {
    std::string problem;
    EXPECT_EQ(MakePlayer(text, PlayerSettings{}, problem), nullptr) << text;
    EXPECT_FALSE(problem.empty()) << text;
  }
  std::string problem;
  EXPECT_NE(MakePlayer("uci:true", PlayerSettings{}, problem), nullptr) << problem;
  for (int level = 1; level <= 8; ++level) {
    const std::string text = std::to_string(level);
    const auto player = MakePlayer(text, PlayerSettings{1, 1}, problem);
    ASSERT_NE(player, nullptr) << problem;
    EXPECT_EQ(player->Name(), "LEVEL" + text);
  }
  EXPECT_EQ(HighestLevel(), 8);
}

TEST(DeepLevelLimits, TheStrongLevelsThinkTheirTimeAndTheWeakOnesKeepToTheirBudget) {
  using search::SettingsOfLevel;
  PlayLimits none;
  const search::Limits seven = DeepLevelLimits(7, none);
  EXPECT_EQ(std::tie(seven.movetimeMs, seven.nodes, seven.multiPv, seven.weakness),
            std::make_tuple(1000, std::uint64_t{0}, 1, 0));
  EXPECT_EQ(DeepLevelLimits(8, none).movetimeMs, 5000);

  PlayLimits budget;
  budget.levelNodes = true;
  EXPECT_EQ(DeepLevelLimits(8, budget).nodes, 10000000u);
  budget.levelNodesDivisor = 20;
  EXPECT_EQ(DeepLevelLimits(8, budget).nodes, 500000u);
  EXPECT_EQ(DeepLevelLimits(7, budget).nodes, 100000u);
  EXPECT_EQ(DeepLevelLimits(5, budget).nodes, SettingsOfLevel(5).nodes / 20);
  EXPECT_EQ(DeepLevelLimits(5, budget).movetimeMs, 0);

  for (int level = 4; level <= 6; ++level) {
    const std::uint64_t own = SettingsOfLevel(level).nodes;
    const search::Limits alone = DeepLevelLimits(level, none);
    EXPECT_EQ(alone.movetimeMs, 1000) << level;
    EXPECT_EQ(alone.nodes, own) << level;
    EXPECT_EQ(alone.multiPv, SettingsOfLevel(level).multiPv) << level;
    EXPECT_GT(alone.weakness, 0) << level;
    PlayLimits more;
    more.nodes = own * 10;
    more.movetimeMs = 300;
    const search::Limits capped = DeepLevelLimits(level, more);
    EXPECT_EQ(std::tie(capped.nodes, capped.movetimeMs), std::make_tuple(own, 300)) << level;
    PlayLimits fewer;
    fewer.nodes = 100;
    EXPECT_EQ(DeepLevelLimits(level, fewer).nodes, 100u) << level;
    // Thinking until stopped is not cut short, but stays weakened.
    PlayLimits infinite;
    infinite.infinite = true;
    const search::Limits open = DeepLevelLimits(level, infinite);
    EXPECT_EQ(std::tie(open.nodes, open.movetimeMs), std::make_tuple(std::uint64_t{0}, 0));
    EXPECT_GT(open.weakness, 0) << level;
  }
}

}  // namespace
}  // namespace qz
