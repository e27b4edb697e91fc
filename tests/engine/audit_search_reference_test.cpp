// The computer's one-ply search compared with a plain reference walk of the
// turn on positions of random games: the same candidates evaluated in the
// same order with the same codes, the same promotion choices, the same early
// ends and the same move and score chosen. The reference sets up the turn
// state itself and calls only the player's 盤評価.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/placement.h"
#include "model/rules.h"
#include "random_play.h"

namespace qz {
namespace {

using test::PlayRandomMove;

struct Seen {
  int fx, fy, tx, ty;
  PieceCode code;
  double score;
  friend bool operator==(const Seen&, const Seen&) = default;
};

class Log : public SearchObserver {
 public:
  void candidate(int fx, int fy, int tx, int ty, PieceCode code, double score) override {
    seen.push_back({fx, fy, tx, ty, code, score});
  }
  std::vector<Seen> seen;
};

struct Outcome {
  bool any = false;
  double bestScore = -99999;
  BestMoveRecord best;
  std::vector<Seen> seen;
};

int KingDistance(int ax, int ay, int bx, int by) { return std::max(Abs(ax - bx), Abs(ay - by)); }

// The turn as a plain walk: pre-move state, board moves, then drops.
Outcome ReferenceSearch(Position& pos, ControlMaps& maps, ComputerPlayer& p) {
  Outcome out;
  p.BestScore = -99999;
  std::memcpy(p.PreMoveBoard, pos.Board, sizeof p.PreMoveBoard);
  p.OriginDistance = 0;
  調査_2歩フラグ設定(pos);
  勢力調査(pos, maps);
  p.EscapesBefore = p.調査_自王逃道();
  p.調査_持角狙座標();
  p.調査_移動不可駒();
  const int handTotal = pos.HandTotal[UE];
  std::memcpy(p.PreMoveControlCount, maps.ControlCount, sizeof p.PreMoveControlCount);
  std::memcpy(p.PreMoveUeAttackerSquare, maps.UeAttackerSquare, sizeof p.PreMoveUeAttackerSquare);

  auto take = [&](double score, int fx, int fy, int tx, int ty, PieceCode after, PieceCode before,
                  bool drop) {
    if (!(score > out.bestScore)) return false;
    out.bestScore = score;
    out.best.fromX = fx;
    out.best.fromY = fy;
    out.best.toX = tx;
    out.best.toY = ty;
    out.best.after = after;
    if (!drop) out.best.before = before;
    return true;
  };

  for (int fx = 1; fx <= 10; ++fx)
    for (int fy = 1; fy <= 10; ++fy) {
      const PieceCode piece = pos.Board[fx][fy];
      if (piece < 10) continue;
      for (int tx = 1; tx <= 10; ++tx)
        for (int ty = 1; ty <= 10; ++ty) {
          if (移動チェック(pos, fx, fy, tx, ty, piece) != 1) continue;
          out.any = true;
          p.MovingPiece = piece;
          p.OriginDistance = KingDistance(fx, fy, pos.KingSquare[SITA].x, pos.KingSquare[SITA].y);
          const PieceCode cap = pos.Board[tx][ty];
          pos.Board[fx][fy] = EMPTY;
          pos.Board[tx][ty] = piece;
          PieceCode promoted = EMPTY;
          double score;
          PieceCode after = piece;
          if (調査_駒成(fx, fy, tx, ty, piece, promoted) == 0) {
            勢力調査(pos, maps);
            score = p.盤評価(cap, piece, fx, fy, tx, ty);
            out.seen.push_back({fx, fy, tx, ty, piece, score});
          } else if (移動後チェック(ty, piece) == 0) {
            pos.Board[tx][ty] = promoted;
            勢力調査(pos, maps);
            score = p.盤評価(cap, promoted, fx, fy, tx, ty);
            out.seen.push_back({fx, fy, tx, ty, promoted, score});
            after = promoted;
          } else {
            勢力調査(pos, maps);
            const double plain = p.盤評価(cap, piece, fx, fy, tx, ty);
            out.seen.push_back({fx, fy, tx, ty, piece, plain});
            pos.Board[tx][ty] = promoted;
            勢力調査(pos, maps);
            const double raised = p.盤評価(cap, promoted, fx, fy, tx, ty);
            out.seen.push_back({fx, fy, tx, ty, promoted, raised});
            score = plain;
            if (raised > plain) {
              score = raised;
              after = promoted;
            }
            if (piece == 10 || piece == 800 || piece == 900) after = promoted;
          }
          pos.Board[tx][ty] = cap;
          pos.Board[fx][fy] = piece;
          if (take(score, fx, fy, tx, ty, after, piece, false) && cap == -950) return out;
        }
    }

  if (handTotal > 0) {
    for (int k = 1; k <= 9; ++k) {
      if (pos.Hand[UE][k] < 1) continue;
      const PieceCode piece = HandKindCode[k];
      p.MovingPiece = piece;
      for (int tx = 1; tx <= 10; ++tx)
        for (int ty = 1; ty <= 10; ++ty) {
          if (移動チェック(pos, -1, k, tx, ty, piece) != 1) continue;
          out.any = true;
          pos.Board[tx][ty] = piece;
          勢力調査(pos, maps);
          const double score = p.盤評価(EMPTY, piece, -1, k, tx, ty);
          out.seen.push_back({-1, k, tx, ty, piece, score});
          pos.Board[tx][ty] = EMPTY;
          if (take(score, -1, k, tx, ty, piece, EMPTY, true) && out.bestScore >= 9998) return out;
        }
    }
  }
  return out;
}

std::string Describe(const Seen& s) {
  std::ostringstream o;
  o << "(" << s.fx << "," << s.fy << ")->(" << s.tx << "," << s.ty << ") code " << s.code
    << " score " << s.score;
  return o.str();
}

TEST(SearchAgainstReference, RandomGamesAtEveryLevel) {
  std::mt19937 rng(19052026);
  auto pos = std::make_unique<Position>();
  auto maps = std::make_unique<ControlMaps>();
  auto player = std::make_unique<ComputerPlayer>(*pos, *maps);
  int kingCaptures = 0, promotionChoices = 0, dropTurns = 0;
  for (int game = 0; game < 60; ++game) {
    *pos = Position{};
    SetUpStartingPosition(*pos, game % 2 == 0);
    const int plies = std::uniform_int_distribution<int>(0, 80)(rng);
    for (int ply = 0; ply < plies; ++ply) {
      const Position keep = *pos;
      if (!PlayRandomMove(*pos, ply % 2 == 0 ? SITA : UE, rng) || pos->winner != Victor::None) {
        *pos = keep;
        break;
      }
    }
    const Position start = *pos;
    for (int level = 1; level <= 3; ++level) {
      SCOPED_TRACE("game " + std::to_string(game) + " level " + std::to_string(level));
      player->Level = level;
      *pos = start;
      *maps = ControlMaps{};
      Log log;
      const bool any = player->Search(&log);
      ASSERT_EQ(std::memcmp(pos->Board, start.Board, sizeof start.Board), 0);
      ASSERT_EQ(std::memcmp(pos->Hand, start.Hand, sizeof start.Hand), 0);

      *pos = start;
      ComputerPlayer fresh(*pos, *maps);
      fresh.Level = level;
      const Outcome want = ReferenceSearch(*pos, *maps, fresh);

      ASSERT_EQ(log.seen.size(), want.seen.size());
      for (size_t i = 0; i < want.seen.size(); ++i)
        ASSERT_EQ(log.seen[i], want.seen[i])
            << "evaluation " << i << ": player " << Describe(log.seen[i]) << ", reference "
            << Describe(want.seen[i]);
      ASSERT_EQ(any, want.any);
      EXPECT_EQ(player->BestScore, want.bestScore);
      EXPECT_EQ(player->BestMove.fromX, want.best.fromX);
      EXPECT_EQ(player->BestMove.fromY, want.best.fromY);
      EXPECT_EQ(player->BestMove.toX, want.best.toX);
      EXPECT_EQ(player->BestMove.toY, want.best.toY);
      EXPECT_EQ(player->BestMove.after, want.best.after);
      // A drop leaves the piece-before field as it was; only board moves set it.
      if (want.best.fromX != UeHandColumn) EXPECT_EQ(player->BestMove.before, want.best.before);

      if (want.bestScore == 9999) ++kingCaptures;
      if (want.best.fromX > 0 && want.best.after != want.best.before) ++promotionChoices;
      if (want.best.fromX == UeHandColumn) ++dropTurns;
    }
  }
  // The games reach each of the search's special paths at least once.
  EXPECT_GT(kingCaptures, 0);
  EXPECT_GT(promotionChoices, 0);
  EXPECT_GT(dropTurns, 0);
}

}  // namespace
}  // namespace qz
