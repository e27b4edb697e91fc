// Small positions for the computer player's tests: an empty board, pieces
// placed one by one, and helpers that score one candidate the way the search
// does it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/make_move.h"
#include "model/placement.h"

namespace qz::test {

struct SeenCandidate {
  int fx, fy, tx, ty;
  PieceCode code;
  double score;
  friend bool operator==(const SeenCandidate&, const SeenCandidate&) = default;
};

class CandidateLog : public SearchObserver {
 public:
  void tick() override { ++ticks; }
  void repaint() override { ++repaints; }
  void candidate(int fx, int fy, int tx, int ty, PieceCode code, double score) override {
    seen.push_back({fx, fy, tx, ty, code, score});
  }
  // Score of the first evaluation of the given move and code, or NaN.
  const SeenCandidate* find(int fx, int fy, int tx, int ty, PieceCode code) const {
    for (const auto& c : seen)
      if (c.fx == fx && c.fy == fy && c.tx == tx && c.ty == ty && c.code == code) return &c;
    return nullptr;
  }
  std::vector<SeenCandidate> seen;
  int ticks = 0;
  int repaints = 0;
};

class EngineTest : public ::testing::Test {
 protected:
  Position pos{};
  ControlMaps maps{};
  ComputerPlayer player{pos, maps};

  void Put(int x, int y, PieceCode c) { pos.Board[x][y] = c; }
  void GiveHand(Side s, int handIndex, int count) {
    pos.Hand[s][handIndex] = count;
    pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
    pos.HandTotal[UE] = 調査_持駒数(pos, UE);
  }

  // Makes the candidate on the board as the search does, scores it with the
  // turn state of the current position, and takes it back. code is what
  // stands on the destination after the move.
  double Evaluate(int fx, int fy, int tx, int ty, PieceCode code) {
    return Score(fx, fy, tx, ty, code, false);
  }
  // The same, returning only the whole-board assessment of the candidate.
  double Assess(int fx, int fy, int tx, int ty, PieceCode code) {
    return Score(fx, fy, tx, ty, code, true);
  }

 private:
  double Score(int fx, int fy, int tx, int ty, PieceCode code, bool assessmentOnly) {
    player.StartTurn();
    const bool drop = fx == UeHandColumn;
    const PieceCode moving = drop ? code : pos.Board[fx][fy];
    player.MovingPiece = moving;
    if (!drop) {
      const Square k = pos.KingSquare[SITA];
      const int dx = Abs(fx - k.x), dy = Abs(fy - k.y);
      player.OriginDistance = dx > dy ? dx : dy;
    }
    const PieceCode cap = pos.Board[tx][ty];
    if (!drop) pos.Board[fx][fy] = EMPTY;
    pos.Board[tx][ty] = code;
    勢力調査(pos, maps);
    const double score = assessmentOnly ? player.盤評価_COM危険座標(code, tx, ty)
                                        : player.盤評価(cap, code, fx, fy, tx, ty);
    pos.Board[tx][ty] = cap;
    if (!drop) pos.Board[fx][fy] = moving;
    return score;
  }
};

}  // namespace qz::test
