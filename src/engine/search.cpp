// One ply, every candidate: board moves first, then drops, each scored by
// 盤評価 on the board as the move leaves it and then taken back.
#include <cstring>

#include "engine/computer_player.h"
#include "model/make_move.h"
#include "model/rules.h"

namespace qz {

namespace {

int KingDistance(int ax, int ay, int bx, int by) {
  const int dx = Abs(ax - bx);
  const int dy = Abs(ay - by);
  return dx > dy ? dx : dy;
}

bool IsForcedPromoter(PieceCode c) { return c == HU || c == KAKU || c == SYA; }

}  // namespace

void ComputerPlayer::StartTurn() {
  BestScore = -99999;
  std::memcpy(PreMoveBoard, pos_.Board, sizeof PreMoveBoard);
  // Drops read the distance of the last board move; without this a turn with
  // no board move would inherit the previous turn's value.
  OriginDistance = 0;

  調査_2歩フラグ設定(pos_);
  // The escape count must see the maps of this position, not whatever the
  // last pass (the human's mate test, a previous search) left behind.
  勢力調査(pos_, maps_);
  EscapesBefore = 調査_自王逃道();
  調査_持角狙座標();
  調査_移動不可駒();

  std::memcpy(PreMoveControlCount, maps_.ControlCount, sizeof PreMoveControlCount);
  std::memcpy(PreMoveUeAttackerSquare, maps_.UeAttackerSquare, sizeof PreMoveUeAttackerSquare);
}

bool ComputerPlayer::Search(SearchObserver* observer) {
  StartTurn();
  const int handTotal = pos_.HandTotal[UE];
  if (observer) observer->repaint();

  bool any = false;
  if (!SearchBoardMoves(observer, any)) return true;
  if (handTotal > 0) SearchDrops(observer, any);
  return any;
}

bool ComputerPlayer::SearchBoardMoves(SearchObserver* observer, bool& any) {
  for (int fx = 1; fx <= 10; ++fx) {
    if (observer) observer->tick();
    for (int fy = 1; fy <= 10; ++fy) {
      const PieceCode piece = pos_.Board[fx][fy];
      if (!IsUe(piece)) continue;
      for (int tx = 1; tx <= 10; ++tx) {
        for (int ty = 1; ty <= 10; ++ty) {
          if (移動チェック(pos_, fx, fy, tx, ty, piece) != 1) continue;
          any = true;
          MovingPiece = piece;
          const Square k = K();
          OriginDistance = KingDistance(fx, fy, k.x, k.y);

          const PieceCode cap = pos_.Board[tx][ty];
          pos_.Board[fx][fy] = EMPTY;
          pos_.Board[tx][ty] = piece;

          PieceCode promoted = EMPTY;
          PieceCode after = piece;
          double score = 0;
          if (調査_駒成(fx, fy, tx, ty, piece, promoted) != 1) {
            勢力調査(pos_, maps_);
            score = 盤評価(cap, piece, fx, fy, tx, ty);
            if (observer) observer->candidate(fx, fy, tx, ty, piece, score);
          } else if (移動後チェック(ty, piece) != 1) {
            pos_.Board[tx][ty] = promoted;
            勢力調査(pos_, maps_);
            score = 盤評価(cap, promoted, fx, fy, tx, ty);
            if (observer) observer->candidate(fx, fy, tx, ty, promoted, score);
            after = promoted;
          } else {
            勢力調査(pos_, maps_);
            const double plain = 盤評価(cap, piece, fx, fy, tx, ty);
            if (observer) observer->candidate(fx, fy, tx, ty, piece, plain);
            pos_.Board[tx][ty] = promoted;
            勢力調査(pos_, maps_);
            const double raised = 盤評価(cap, promoted, fx, fy, tx, ty);
            if (observer) observer->candidate(fx, fy, tx, ty, promoted, raised);
            if (raised > plain) {
              score = raised;
              after = promoted;
            } else {
              score = plain;
            }
            // These three lose nothing by promoting, so they always do.
            if (IsForcedPromoter(piece)) after = promoted;
          }

          pos_.Board[tx][ty] = cap;
          pos_.Board[fx][fy] = piece;

          if (score > BestScore) {
            BestScore = score;
            BestMove.fromX = fx;
            BestMove.fromY = fy;
            BestMove.toX = tx;
            BestMove.toY = ty;
            BestMove.after = after;
            BestMove.before = piece;
            if (cap == -OU) return false;
          }
        }
      }
    }
  }
  return true;
}

void ComputerPlayer::SearchDrops(SearchObserver* observer, bool& any) {
  for (int k = 1; k <= HandKinds; ++k) {
    if (observer) observer->tick();
    if (pos_.Hand[UE][k] < 1) continue;
    const PieceCode piece = HandKindCode[k];
    MovingPiece = piece;
    for (int tx = 1; tx <= 10; ++tx) {
      for (int ty = 1; ty <= 10; ++ty) {
        if (移動チェック(pos_, UeHandColumn, k, tx, ty, piece) != 1) continue;
        any = true;
        pos_.Board[tx][ty] = piece;
        勢力調査(pos_, maps_);
        const double score = 盤評価(EMPTY, piece, UeHandColumn, k, tx, ty);
        if (observer) observer->candidate(UeHandColumn, k, tx, ty, piece, score);
        pos_.Board[tx][ty] = EMPTY;
        if (score > BestScore) {
          BestScore = score;
          BestMove.fromX = UeHandColumn;
          BestMove.fromY = k;
          BestMove.toX = tx;
          BestMove.toY = ty;
          BestMove.after = piece;
          if (BestScore >= 9998) return;
        }
      }
    }
  }
}

}  // namespace qz
