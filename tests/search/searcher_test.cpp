// The deep search: decided games, the ban on mating with an unpromoted pawn,
// repeatability, opening variety, and an evaluation that favours neither army.
#include "search/searcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <set>
#include <thread>
#include <tuple>

#include "engine/random_play.h"
#include "model/movegen.h"
#include "model/placement.h"
#include "model/reversal.h"
#include "model/uci_notation.h"

namespace qz::search {
namespace {

Position Fen(const char* fen, Side& toMove) {
  Position pos;
  EXPECT_TRUE(FromFen(fen, pos, toMove)) << fen;
  return pos;
}

Result ThinkNodes(Searcher& s, const Position& pos, Side side, std::uint64_t nodes,
                  int gamePly = 40) {
  Limits limits;
  limits.nodes = nodes;
  return s.Think(pos, side, gamePly, limits);
}

class SearcherTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { searcher_ = std::make_unique<Searcher>(8); }
  static void TearDownTestSuite() { searcher_.reset(); }
  Searcher& S() {
    searcher_->NewGame(0);
    return *searcher_;
  }
  static std::unique_ptr<Searcher> searcher_;
};
std::unique_ptr<Searcher> SearcherTest::searcher_;

// The upper king in the corner a10 with its knight beside it; the lower gold
// on b8 covers a9 and b9. A pawn on a9 would leave the king no escape.
constexpr const char* kPawnDropMate = "kn8/10/1G2pppppp/10/10/10/10/10/10/9K[P] w - - 0 1";
constexpr const char* kPawnStepMate = "kn8/10/PG2pppppp/10/10/10/10/10/10/9K[] w - - 0 1";
// The upper king on a5 walled in by its pawns; the lower pawn on a3 would
// mate by stepping to a4 (outside the zone: it cannot promote there).
constexpr const char* kPawnStepOutsideZone = "10/10/10/10/pp8/kp8/10/PS8/10/9K[] w - - 0 1";
constexpr const char* kGoldDropMate = "kn8/10/1G2pppppp/10/10/10/10/10/10/9K[G] w - - 0 1";

TEST_F(SearcherTest, TakesTheKingAndFindsTheMateThatIsAllowed) {
  Side side;
  // A king left en prise is taken at once.
  // The rook on a2 looks straight at the king on a10.
  const Position open = Fen("k9/10/10/10/10/10/10/10/R9/9K[] w - - 0 1", side);
  Result r = ThinkNodes(S(), open, SITA, 10000);
  ASSERT_TRUE(r.found);
  EXPECT_EQ((Square{r.best.fromX, r.best.fromY}), (Square{1, 9}));
  EXPECT_EQ((Square{r.best.toX, r.best.toY}), (Square{1, 1}));
  EXPECT_EQ(r.score, kMate - 1);

  // A gold dropped on a9 mates: the king is lost two plies later.
  r = ThinkNodes(S(), Fen(kGoldDropMate, side), side, 50000);
  EXPECT_EQ(r.best, (GameMove{SitaHandColumn, 7, 1, 2, -KIN}));
  EXPECT_EQ(r.score, kMate - 3);

  // The pawn on a8 mates by stepping to a9 promoted, not unpromoted.
  r = ThinkNodes(S(), Fen(kPawnStepMate, side), side, 50000);
  EXPECT_EQ(r.best, (GameMove{1, 3, 1, 2, -HU - 1}));
  EXPECT_EQ(r.score, kMate - 3);
}

TEST_F(SearcherTest, NeverChoosesAMateByAnUnpromotedPawnForEitherArmy) {
  struct Case {
    const char* fen;
    GameMove banned;  // for the lower army
  };
  const Case cases[] = {{kPawnDropMate, {SitaHandColumn, 2, 1, 2, -HU}},
                        {kPawnStepOutsideZone, {1, 8, 1, 7, -HU}}};
  for (const Case& c : cases) {
    for (const bool upper : {false, true}) {
      SCOPED_TRACE(std::string(c.fen) + (upper ? ", upper army" : ", lower army"));
      Side side;
      Position pos = Fen(c.fen, side);
      GameMove banned = c.banned;
      if (upper) {
        ReverseArmies(pos);
        side = UE;
        banned = ReversedMove(banned);
      }
      const Result r = ThinkNodes(S(), pos, side, 200000);
      ASSERT_TRUE(r.found);
      EXPECT_NE(r.best, banned);
      // Whatever it plays instead, the rules allow it.
      static GameMove moves[kMaxMoves];
      const int n = ListMoves(pos, side, moves);
      EXPECT_NE(std::find(moves, moves + n, r.best), moves + n);
      EXPECT_NE(std::find(moves, moves + n, banned), moves + n);
    }
  }
}

TEST_F(SearcherTest, ExpectsTheOpponentToMateWithAPawnWhenItCan) {
  // Mirror image: the lower king on j1 cannot stop the upper pawn drop on j2
  // (its knight may leave i1, but the bishop on e5 covers that square).
  Side side;
  const Position pos = Fen("k9/10/10/10/10/4b5/10/PPPPPP2g1/10/8NK[p] w - - 0 1", side);
  const Result r = ThinkNodes(S(), pos, side, 100000);
  ASSERT_TRUE(r.found);
  EXPECT_LE(r.score, -(kMate - kMaxPly));
}

TEST_F(SearcherTest, WithoutAMoveThereIsNoResultAndAStopGivesAMoveAtOnce) {
  Position pos;
  SetUpStartingPosition(pos, false);
  pos.Board[5][1] = EMPTY;  // the upper king has been captured: the game is over
  EXPECT_FALSE(ThinkNodes(S(), pos, SITA, 1000).found);

  SetUpStartingPosition(pos, false);
  const std::atomic<bool> stop{true};
  const Result r = S().Think(pos, SITA, 0, Limits{}, &stop);
  ASSERT_TRUE(r.found);
  static GameMove moves[kMaxMoves];
  const int n = ListMoves(pos, SITA, moves);
  EXPECT_NE(std::find(moves, moves + n, r.best), moves + n);
}

TEST_F(SearcherTest, ANodeLimitGivesTheSameResultEveryTime) {
  Side side;
  const Position pos =
      Fen("ln2g5/1r2sc1H1H/1pp1ppp1S1/p2p3p2/5k4/P6Ppp/7m2/1P1PPPP1PP/3SCS4/L+m1GKG3L[GNLrnnp] w - "
          "- 0 1",
          side);
  const Result a = ThinkNodes(S(), pos, side, 60000);
  Searcher fresh(8);
  fresh.NewGame(0);
  const Result b = ThinkNodes(fresh, pos, side, 60000);
  EXPECT_EQ(std::tie(a.best, a.score, a.depth, a.nodes),
            std::tie(b.best, b.score, b.depth, b.nodes));
  EXPECT_LE(a.nodes, 60001u);
}

// With the stop by stability at its most eager (one settled depth, no share
// of the time), a move time alone ends the search long before its time; an
// exact move time is used whole.
TEST(SearcherTime, AnExactMoveTimeIsUsedWholeWhereASettledSearchStopsEarly) {
  SearchParams eager;
  eager.timeSettledDepths = 1;
  eager.timeSettledPercent = 0;
  Searcher s(8, DefaultWeights(), eager);
  Position pos;
  SetUpStartingPosition(pos, false);
  const auto timed = [&](int ms, bool exact) {
    Limits limits;
    limits.movetimeMs = ms;
    limits.exactTime = exact;
    const auto start = std::chrono::steady_clock::now();
    const Result r = s.Think(pos, SITA, 0, limits);
    EXPECT_TRUE(r.found);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
  };
  EXPECT_LT(timed(5000, false), 2500.0);
  EXPECT_GE(timed(300, true), 300.0);
}

TEST_F(SearcherTest, TwoSearchersThinkAtOnceAsTheyWouldAlone) {
  Position a, b;
  SetUpStartingPosition(a, false);
  SetUpStartingPosition(b, true);
  Result alone[2], together[2];
  alone[0] = ThinkNodes(S(), a, SITA, 30000);
  alone[1] = ThinkNodes(S(), b, UE, 30000);
  Searcher first(8), second(8);
  std::thread t1([&] { together[0] = ThinkNodes(first, a, SITA, 30000); });
  std::thread t2([&] { together[1] = ThinkNodes(second, b, UE, 30000); });
  t1.join();
  t2.join();
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(std::tie(together[i].best, together[i].score, together[i].nodes),
              std::tie(alone[i].best, alone[i].score, alone[i].nodes));
}

TEST_F(SearcherTest, OpeningMovesVaryWithTheSeedOnlyEarlyInTheGame) {
  Position pos;
  SetUpStartingPosition(pos, true);
  const Result plain = ThinkNodes(S(), pos, SITA, 20000, 0);
  std::set<std::tuple<int, int, int, int, int>> early;
  for (std::uint64_t seed = 1; seed <= 8; ++seed) {
    searcher_->NewGame(seed);
    const Result r = ThinkNodes(*searcher_, pos, SITA, 20000, 0);
    early.insert({r.best.fromX, r.best.fromY, r.best.toX, r.best.toY, r.best.code});
    // The bonus only shifts the root moves' windows: the search stays as deep
    // and its score within the margin.
    EXPECT_LE(std::abs(r.depth - plain.depth), 1);
    EXPECT_LE(std::abs(r.score - plain.score), Searcher::kVarietyMargin + 60);
    searcher_->NewGame(seed);
    EXPECT_EQ(ThinkNodes(*searcher_, pos, SITA, 20000, Searcher::kVarietyPlies).best, plain.best);
  }
  EXPECT_GE(early.size(), 3u);
}

// The default weights and weights with every per-piece table filled (the
// king-relative squares, the steps, the pawn's attack), which are zero by
// default: a table read from the wrong army's view breaks the symmetry.
EvalWeights FilledWeights() {
  EvalWeights w = DefaultWeights();
  std::mt19937 rng(17);
  const auto draw = [&rng] { return static_cast<int>(rng() % 41) - 20; };
  for (auto& row : w.kingRelativeOwn)
    for (int& v : row) v = draw();
  for (auto& row : w.kingRelativeEnemy)
    for (int& v : row) v = draw();
  for (int& v : w.stepMobility) v = draw();
  for (int& v : w.pawnAttacked) v = draw();
  return w;
}

class EvaluationReversal : public ::testing::TestWithParam<bool> {};

TEST_P(EvaluationReversal, JudgesAPositionAndItsReversalAlike) {
  const Evaluator eval(GetParam() ? FilledWeights() : DefaultWeights());
  std::mt19937 rng(3);
  for (int game = 0; game < 20; ++game) {
    Position pos;
    SetUpStartingPosition(pos, game % 2 == 1);
    for (int ply = 0; ply < 30 + game * 4; ++ply)
      if (!test::PlayRandomMove(pos, ply % 2 == 0 ? SITA : UE, rng)) break;
    Position mirrored = pos;
    ReverseArmies(mirrored);
    FastPosition a, b;
    a.SetTable(&eval.table());
    b.SetTable(&eval.table());
    a.Set(pos, SITA);
    b.Set(mirrored, UE);
    EXPECT_EQ(eval.Evaluate(a), eval.Evaluate(b)) << ToFen(pos, SITA);
  }
}

INSTANTIATE_TEST_SUITE_P(Weights, EvaluationReversal, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "PerPieceTablesFilled" : "Default";
                         });

TEST(Evaluation, PerPieceTablesChangeTheJudgementWhenFilled) {
  // Guards the test above: the filled tables are read at all.
  const Evaluator plain, filled(FilledWeights());
  std::mt19937 rng(5);
  int differ = 0;
  for (int game = 0; game < 10; ++game) {
    Position pos;
    SetUpStartingPosition(pos, game % 2 == 1);
    for (int ply = 0; ply < 40; ++ply)
      if (!test::PlayRandomMove(pos, ply % 2 == 0 ? SITA : UE, rng)) break;
    FastPosition a, b;
    a.SetTable(&plain.table());
    b.SetTable(&filled.table());
    a.Set(pos, SITA);
    b.Set(pos, SITA);
    differ += plain.Evaluate(a) != filled.Evaluate(b);
  }
  EXPECT_GE(differ, 8);
}

}  // namespace
}  // namespace qz::search
