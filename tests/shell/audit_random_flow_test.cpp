// Long seeded walks of presses, menu commands and passing time: whatever the
// order of events, the position stays whole and the bookkeeping consistent.
#include <iterator>
#include <random>

#include "flow_fixture.h"
#include "model/movegen.h"

namespace qz::flow_test {
namespace {

using AuditRandomFlow = FlowTest;

int PiecesOnBoardAndInHands(const Position& p) {
  int n = 0;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (p.Board[x][y] != EMPTY) ++n;
  for (int s = 0; s < 2; ++s)
    for (int i = 1; i <= HandKinds; ++i) n += p.Hand[s][i];
  return n;
}

int EntryPieces(const HistoryEntry& h) {
  int n = 0;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (h.Board[x][y] != EMPTY) ++n;
  for (int s = 0; s < 2; ++s)
    for (int i = 1; i <= HandKinds; ++i) n += h.Hand[s][i];
  return n;
}

int HandSum(const Position& p, Side s) {
  int n = 0;
  for (int i = 1; i <= HandKinds; ++i)
    if (p.Hand[s][i] > 0) n += p.Hand[s][i];
  return n;
}

// Every menu command that keeps the program running and needs no outside
// program; handicap steps are left out so that the piece count is fixed.
constexpr MenuCommand kCommands[] = {
    MenuCommand::START,  MenuCommand::SENTE,  MenuCommand::GOTE,    MenuCommand::LEVEL1,
    MenuCommand::LEVEL2, MenuCommand::CANCEL, MenuCommand::REVERSE, MenuCommand::REPLAY,
    MenuCommand::AFTER,  MenuCommand::AFTER,  MenuCommand::SIDOU,   MenuCommand::KEIKA,
    MenuCommand::UREI,   MenuCommand::SAREI,  MenuCommand::TAKE,    MenuCommand::OPEN_STOP,
};

void Walk(Game& g, RecordingPorts& rp, unsigned seed, int events) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int e = 0; e < events; ++e) {
    const int kind = pick(0, 19);
    if (kind < 9 && g.flags.Turn != NoTurn && g.flags.Winner == NoTurn && g.flags.RecordMode == 0) {
      // A legal move of the side to move, entered as a player would.
      const bool lower = g.flags.Turn == g.flags.LowerSideToken;
      static GameMove moves[kMaxMoves];
      const int listed = ListMoves(g.pos, lower ? SITA : UE, moves);
      int found = 0, fx = 0, fy = 0, tx = 0, ty = 0;
      for (int k = 0; k < listed; ++k) {
        const GameMove& m = moves[k];
        if (IsDropOrigin(m.fromX) || pick(0, found++) != 0) continue;  // board moves only
        fx = m.fromX, fy = m.fromY, tx = m.toX, ty = m.toY;
      }
      if (found > 0) {
        const int button = pick(0, 2) == 0 ? RightButton : LeftButton;
        g.MouseDown(LeftButton, 0, static_cast<int>(Tx(fx)) + 300, static_cast<int>(Ty(fy)) + 300);
        g.MouseDown(button, 0, static_cast<int>(Tx(tx)) + 300, static_cast<int>(Ty(ty)) + 300);
      }
    } else if (kind < 15) {
      // Mostly presses on the board and the two hand columns.
      const int x = pick(-2, 13), y = pick(0, 11);
      const int button = pick(0, 5) == 0 ? RightButton : LeftButton;
      g.MouseDown(button, 0, static_cast<int>(Tx(x)) + 300, static_cast<int>(Ty(y)) + 300);
    } else if (kind < 18) {
      g.Menu(kCommands[pick(0, static_cast<int>(std::size(kCommands)) - 1)]);
    } else {
      rp.time.advance(pick(0, 3000) / 1000.0);
      g.TimerTick();
    }
    rp.dialogs.shown.clear();
    rp.canvas.ops.clear();
    rp.sound.calls.clear();

    SCOPED_TRACE("event " + std::to_string(e));
    const int pieces = PiecesOnBoardAndInHands(g.pos);
    // 46 pieces, less a king taken in the game just finished.
    ASSERT_TRUE(pieces == 46 || (pieces == 45 && g.flags.Winner != NoTurn)) << pieces;
    ASSERT_EQ(g.pos.HandTotal[SITA], HandSum(g.pos, SITA));
    ASSERT_EQ(g.pos.HandTotal[UE], HandSum(g.pos, UE));
    ASSERT_GE(g.hist.MoveCount, 0);
    ASSERT_LE(g.hist.MoveCount, History::Capacity);
    ASSERT_LE(g.hist.LastSnapshot, History::Capacity - 1);
    ASSERT_TRUE(g.flags.Turn == NoTurn || g.flags.Turn == TurnSente || g.flags.Turn == TurnGote);
    ASSERT_EQ(g.flags.LowerSideToken, -g.flags.UpperSideToken);
    ASSERT_TRUE(g.input.InputState == Idle || g.input.InputState == PieceSelected);
    ASSERT_GE(g.clocks.LowerClock, 0);
    ASSERT_GE(g.clocks.UpperClock, 0);
    // Every stored entry of the line of play is a whole position, one move
    // after the one before it; only the newest, the position a game ended
    // in, may lack the king it took.
    const bool stored = g.hist.MoveCount > 0 || g.hist.LastSnapshot > 0;
    for (int k = 0; stored && k <= g.hist.LastSnapshot; ++k) {
      const int kept = EntryPieces(g.hist.entries[k]);
      ASSERT_TRUE(kept == 46 || (kept == 45 && k == g.hist.LastSnapshot)) << "entry " << k;
      if (k > 0) ASSERT_TRUE(g.hist.調査_移動結果(k).has_value()) << "entry " << k;
    }
  }
}

TEST_F(AuditRandomFlow, SeededWalksKeepThePositionWhole) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    g->Menu(MenuCommand::CANCEL);
    Walk(*g, rp, seed, 400);
  }
}

}  // namespace
}  // namespace qz::flow_test
