// The match runner's referee: who loses when a player fails, gives no move
// or names one the rules refuse, the king's capture, the ply limit, and the
// watcher seeing every move.
#include "players/match_game.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/placement.h"

namespace qz {
namespace {

// Answers every request with the same fixed reply.
class FixedPlayer : public Player {
 public:
  explicit FixedPlayer(PlayerMove reply) : reply_(std::move(reply)) {}
  std::string Name() const override { return "fixed"; }
  PlayerMove Play(const Position&, Side, int, const PlayLimits&, const std::atomic<bool>*,
                  ThinkObserver*) override {
    return reply_;
  }

 private:
  PlayerMove reply_;
};

struct Counter : MatchGameWatcher {
  int moves = 0;
  int lastPlies = 0;
  Side lastMover = UE;
  bool alternates = true;
  void onMove(const Position&, Side mover, int plies, double) override {
    alternates = alternates && mover != lastMover && plies == lastPlies + 1;
    lastMover = mover;
    lastPlies = plies;
    ++moves;
  }
};

class MatchGameTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUpStartingPosition(start_, false); }
  MatchGameEnd Run(Player& lower, Player& upper, int maxPlies, Counter* counter = nullptr) {
    Position pos = start_;
    Player* const byArmy[2] = {&lower, &upper};
    const std::string labels[2] = {"a", "b"};
    MatchGameSettings settings;
    settings.maxPlies = maxPlies;
    return PlayMatchGame(byArmy, labels, pos, 0, settings, *buffer_, counter);
  }
  Position start_;
  std::unique_ptr<MoveBuffer> buffer_ = std::make_unique<MoveBuffer>();
};

TEST_F(MatchGameTest, APlayerThatFailsGivesNoneOrAnIllegalMoveLosesAtOnce) {
  std::string problem;
  const std::unique_ptr<Player> level1 = MakeLevelPlayer(1, PlayerSettings{}, problem);
  PlayerMove failed;
  failed.kind = PlayerMove::Kind::Failed;
  failed.problem = "engine ended";
  PlayerMove none;
  none.kind = PlayerMove::Kind::NoMove;
  PlayerMove illegal;
  illegal.kind = PlayerMove::Kind::Move;
  illegal.move = GameMove{5, 10, 5, 5, -OU};  // the king five squares on
  illegal.text = "e1e6";
  FixedPlayer failing(failed), silent(none), cheat(illegal);

  MatchGameEnd end = Run(failing, *level1, 100);
  EXPECT_EQ(end.how, MatchGameEnd::How::Failed);
  EXPECT_EQ(end.winner, UE);
  EXPECT_EQ(end.reason, "a: engine ended");
  EXPECT_EQ(end.plies, 0);

  end = Run(*level1, silent, 100);
  EXPECT_EQ(end.how, MatchGameEnd::How::NoAnswer);
  EXPECT_EQ(end.winner, SITA);
  EXPECT_EQ(end.plies, 1);
  EXPECT_EQ(end.reason.rfind("b: no move given though the rules allow ", 0), 0u) << end.reason;

  end = Run(cheat, *level1, 100);
  EXPECT_EQ(end.how, MatchGameEnd::How::Illegal);
  EXPECT_EQ(end.winner, UE);
  EXPECT_EQ(end.reason.rfind("a: illegal move e1e6 (", 0), 0u) << end.reason;
}

TEST_F(MatchGameTest, TheGameStopsAtThePlyLimitOrTheKingsCapture) {
  std::string problem;
  const std::unique_ptr<Player> a = MakeLevelPlayer(1, PlayerSettings{}, problem);
  const std::unique_ptr<Player> b = MakeLevelPlayer(3, PlayerSettings{}, problem);
  Counter counter;
  MatchGameEnd end = Run(*a, *b, 6, &counter);
  EXPECT_EQ(end.how, MatchGameEnd::How::MoveLimit);
  EXPECT_EQ(end.winner, -1);
  EXPECT_EQ(end.plies, 6);
  EXPECT_EQ(counter.moves, 6);
  EXPECT_TRUE(counter.alternates);

  // Played out, a game between the levels ends by a capture or the limit,
  // and a capture is the mover's win.
  Counter all;
  end = Run(*a, *b, 400, &all);
  EXPECT_EQ(all.moves, end.plies);
  if (end.how == MatchGameEnd::How::KingCaptured)
    EXPECT_EQ(end.winner, all.lastMover);
  else
    EXPECT_EQ(end.how, MatchGameEnd::How::MoveLimit);
}

}  // namespace
}  // namespace qz
