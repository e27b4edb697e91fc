// The fast move generator against the rules applied square by square, and
// Make/Unmake against 駒移動.
#include "model/movegen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "model/board_picture.h"
#include "model/make_move.h"
#include "model/placement.h"
#include "model/rules.h"

namespace qz {
namespace {

// Every move the game accepts, found the slow way: 移動チェック from every
// piece and hand kind to every square, then 調査_駒成 and 移動後チェック.
std::vector<GameMove> SlowMoves(Position pos, Side side) {
  std::vector<GameMove> out;
  if (pos.winner != Victor::None) return out;
  調査_2歩フラグ設定(pos);
  for (int fx = 1; fx <= 10; ++fx)
    for (int fy = 1; fy <= 10; ++fy) {
      const PieceCode c = pos.Board[fx][fy];
      if (side == SITA ? !IsSita(c) : !IsUe(c)) continue;
      for (int tx = 1; tx <= 10; ++tx)
        for (int ty = 1; ty <= 10; ++ty) {
          if (移動チェック(pos, fx, fy, tx, ty, c) != 1) continue;
          PieceCode promoted = EMPTY;
          const bool may = 調査_駒成(fx, fy, tx, ty, c, promoted) == 1;
          if (!may || 移動後チェック(ty, c) == 1) out.push_back({fx, fy, tx, ty, c});
          if (may) out.push_back({fx, fy, tx, ty, promoted});
        }
    }
  for (int k = 1; k <= HandKinds; ++k) {
    if (pos.Hand[side][k] < 1) continue;
    const Square origin = DropOrigin(side, k);
    const PieceCode c = UnpromotedCode(side, k);
    for (int tx = 1; tx <= 10; ++tx)
      for (int ty = 1; ty <= 10; ++ty)
        if (移動チェック(pos, origin.x, origin.y, tx, ty, c) == 1)
          out.push_back({origin.x, origin.y, tx, ty, c});
  }
  return out;
}

std::uint64_t SlowPerft(const Position& pos, Side side, int depth) {
  if (depth == 0) return 1;
  const std::vector<GameMove> moves = SlowMoves(pos, side);
  if (depth == 1) return moves.size();
  std::uint64_t total = 0;
  for (const GameMove& m : moves) {
    Position next = pos;
    駒移動(next, m.fromX, m.fromY, m.toX, m.toY, m.code);
    total += SlowPerft(next, Opponent(side), depth - 1);
  }
  return total;
}

std::uint64_t FastPerft(const Position& pos, Side side, int depth) {
  FastPosition fast;
  fast.Set(pos, side);
  return Perft(fast, depth);
}

bool Before(const GameMove& a, const GameMove& b) {
  return std::tie(a.fromX, a.fromY, a.toX, a.toY, a.code) <
         std::tie(b.fromX, b.fromY, b.toX, b.toY, b.code);
}

std::vector<GameMove> Sorted(std::vector<GameMove> v) {
  std::sort(v.begin(), v.end(), Before);
  return v;
}

std::vector<GameMove> FastMoves(const Position& pos, Side side) {
  static GameMove moves[kMaxMoves];
  const int n = ListMoves(pos, side, moves);
  return std::vector<GameMove>(moves, moves + n);
}

// Pieces on both sides near the promotion zones and the enemy king, and
// every kind in both hands: drops of every kind, their row limits, the pawn
// columns, promotion choices and king captures within a few plies.
Position CrowdedWithFullHands() {
  Position pos = test::FromPicture(
      "l . . . k . . s n l "
      ". r . P . c . . b . "
      "p . p . E p . N . p "
      ". . . . . . . . +P . "
      ". p . . +s . . . . . "
      ". . . L . S . e . . "
      "P . . . . . P . . P "
      ". n . . . . . C p . "
      ". B . . . G . . R . "
      "L . . . K . . . N L");
  for (int k = 1; k <= HandKinds; ++k) {
    pos.Hand[SITA][k] = 1 + k % 2;
    pos.Hand[UE][k] = 2 - k % 2;
  }
  pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
  pos.HandTotal[UE] = 調査_持駒数(pos, UE);
  return pos;
}

TEST(MoveGenerator, PerftAgreesWithTheRulesOnBothPlacementsAndFullHands) {
  for (const bool 右嶺 : {false, true}) {
    Position start;
    SetUpStartingPosition(start, 右嶺);
    for (const Side side : {SITA, UE}) {
      SCOPED_TRACE(std::string(右嶺 ? "右嶺" : "左嶺") + (side == SITA ? " lower" : " upper"));
      EXPECT_EQ(FastPerft(start, side, 3), SlowPerft(start, side, 3));
    }
  }
  const Position crowded = CrowdedWithFullHands();
  for (const Side side : {SITA, UE}) {
    SCOPED_TRACE(side == SITA ? "crowded, lower" : "crowded, upper");
    EXPECT_EQ(FastPerft(crowded, side, 2), SlowPerft(crowded, side, 2));
  }
  // Figures confirmed by an independent engine for this game.
  Position start;
  SetUpStartingPosition(start, false);
  EXPECT_EQ(FastPerft(start, SITA, 4), 602043u);
}

TEST(MoveGenerator, ListsTheSameMovesAsTheRulesAlongRandomGames) {
  std::mt19937 rng(5);
  int positions = 0;
  for (int game = 0; game < 12; ++game) {
    Position pos;
    SetUpStartingPosition(pos, game % 2 == 1);
    for (int ply = 0; ply < 160; ++ply) {
      const Side side = ply % 2 == 0 ? SITA : UE;
      const std::vector<GameMove> fast = FastMoves(pos, side);
      ASSERT_EQ(Sorted(fast), Sorted(SlowMoves(pos, side))) << "game " << game << " ply " << ply;
      ++positions;
      if (fast.empty()) break;
      // Captures first where there are any, so that hands fill.
      GameMove m = fast[std::uniform_int_distribution<size_t>(0, fast.size() - 1)(rng)];
      for (const GameMove& c : fast)
        if (pos.Board[c.toX][c.toY] != EMPTY && !IsDropOrigin(c.fromX) && rng() % 2 == 0) m = c;
      駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
    }
  }
  EXPECT_GT(positions, 1000);
}

TEST(MoveGenerator, AGameWithACapturedKingHasNoMoves) {
  Position pos = CrowdedWithFullHands();
  pos.Board[5][1] = EMPTY;
  EXPECT_TRUE(FastMoves(pos, SITA).empty());
  EXPECT_TRUE(FastMoves(pos, UE).empty());
}

TEST(FastPositionMakeUnmake, FollowsThePlayedGameAndRestoresItExactly) {
  std::mt19937 rng(9);
  IncrementalTable table;
  for (int p = 0; p < PieceIndexCount; ++p)
    for (int sq = 0; sq < kSquareCount; ++sq)
      table.board[p][sq] = static_cast<std::int16_t>(rng() % 200);
  for (auto& side : table.hand)
    for (auto& kind : side)
      for (auto& v : kind) v = static_cast<std::int16_t>(rng() % 200);
  static Move moves[kMaxMoves];
  for (int game = 0; game < 6; ++game) {
    Position pos = game < 3 ? CrowdedWithFullHands() : Position{};
    if (game >= 3) SetUpStartingPosition(pos, game == 4);
    FastPosition fast;
    fast.SetTable(&table);
    fast.Set(pos, SITA);
    for (int ply = 0; ply < 120; ++ply) {
      const int n = GenerateMoves(fast, moves);
      if (n == 0) break;
      // Every move made and taken back leaves the position as it was.
      const std::uint64_t key = fast.key();
      const int incremental = fast.incremental();
      for (int i = 0; i < n; ++i) {
        Undo undo;
        fast.Make(moves[i], undo);
        ASSERT_EQ(fast.key(), fast.ComputeKey());
        ASSERT_EQ(fast.incremental(), fast.ComputeIncremental());
        fast.Unmake(moves[i], undo);
        ASSERT_EQ(fast.key(), key);
        ASSERT_EQ(fast.incremental(), incremental);
      }
      const Move m = moves[rng() % static_cast<unsigned>(n)];
      const GameMove gm = ToGameMove(m);
      ASSERT_EQ(FromGameMove(fast, gm), m);
      Undo undo;
      fast.Make(m, undo);
      駒移動(pos, gm.fromX, gm.fromY, gm.toX, gm.toY, gm.code);
      Position back;
      fast.ToPosition(back);
      ASSERT_EQ(test::BoardDifferences(back, pos).size(), 0u) << "game " << game << " ply " << ply;
      for (const Side s : {SITA, UE}) {
        for (int k = 1; k <= HandKinds; ++k) ASSERT_EQ(back.Hand[s][k], pos.Hand[s][k]);
        ASSERT_EQ(back.HandTotal[s], pos.HandTotal[s]);
        int material = 0;
        for (int x = 1; x <= 10; ++x)
          for (int y = 1; y <= 10; ++y)
            if (pos.Board[x][y] != EMPTY && (pos.Board[x][y] < 0) == (s == SITA) &&
                Abs(pos.Board[x][y]) != OU)
              material += Abs(pos.Board[x][y]);
        for (int k = 1; k <= HandKinds; ++k) material += pos.Hand[s][k] * HandKindCode[k];
        ASSERT_EQ(fast.material(s), material);
      }
      ASSERT_EQ(back.winner, pos.winner);
      // Every piece is in the occupancy of its army and of its kind.
      for (const Side s : {SITA, UE})
        for (int half = 0; half < 2; ++half) {
          std::uint64_t kinds = 0;
          for (int kind = 1; kind < KindCount; ++kind) kinds |= fast.occupancy(s, kind, half);
          std::uint64_t board = 0;
          for (int i = half * 64; i < std::min(100, half * 64 + 64); ++i) {
            const Piece p = fast.at(SqOfIndex(i));
            if (p != 0 && SideOf(p) == s) {
              board |= 1ULL << (i - half * 64);
              ASSERT_NE(fast.occupancy(s, KindOf(p), half) & (1ULL << (i - half * 64)), 0u);
            }
          }
          ASSERT_EQ(kinds, board);
          ASSERT_EQ(fast.occupancy(s, half), board);
        }
    }
  }
}

}  // namespace
}  // namespace qz
