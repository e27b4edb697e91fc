// The computer player (always the upper side, UE): a one-ply exhaustive
// search scored by a large set of fixed rules.
#pragma once

#include "model/control_maps.h"
#include "model/position.h"

namespace qz {

struct BestMoveRecord {
  int fromX = 0, fromY = 0, toX = 0, toY = 0;
  PieceCode after = EMPTY;   // what will stand on the destination
  PieceCode before = EMPTY;  // the piece before the move (left as it was for a drop)
};

// Hooks into the caller during the search.
class SearchObserver {
 public:
  virtual ~SearchObserver() = default;
  // The clock's tick handler, called once per origin column and hand kind.
  virtual void tick() {}
  // The window repaint after the pre-move maps are taken.
  virtual void repaint() {}
  // Each call of 盤評価, in search order, with the code on the destination.
  virtual void candidate(int /*fx*/, int /*fy*/, int /*tx*/, int /*ty*/, PieceCode /*code*/,
                         double /*score*/) {}
};

class ComputerPlayer {
 public:
  ComputerPlayer(Position& pos, ControlMaps& maps) : pos_(pos), maps_(maps) {}

  // The choice of the computer's move: every board move and drop of the
  // upper side is tried on the board and scored, and the best one is left in
  // BestScore/BestMove (a king capture or a winning drop ends the scan at
  // once). Returns false when there was no candidate at all. Board and hands are exactly as
  // before on return; the maps describe the last candidate tried.
  // Every turn starts from fresh maps of the current position and from
  // OriginDistance 0, so nothing of an earlier turn leaks into the scores.
  bool Search(SearchObserver* observer = nullptr);
  // The part of Search before the first candidate: BestScore reset, the
  // pre-move copies, fresh maps, escapes, bishop-check squares and pins.
  void StartTurn();

  // Move evaluation of one candidate already made on the board, maps current.
  double 盤評価(PieceCode cap, PieceCode pc, int fx, int fy, int tx, int ty);
  // Whole-board assessment after a candidate.
  double 盤評価_COM危険座標(PieceCode pc, int tx, int ty);

  // Tactical probes.
  bool 詰めかMAN();
  bool 詰めかMAN_COM移動();
  int 調査_自王逃道();
  void 調査_移動不可駒();
  bool 調査_持角狙座標();
  PieceCode 盤評価_自角注意_COM(int x, int y, PieceCode pc);
  int 調査_移動可場所数(int x, int y, PieceCode piece);
  bool 調査_自守駒MAN_直進駒(int x, int y);
  int 調査_周辺状況(int x, int y);
  double 調査_桂狙い(int x, int y);
  double 調査_香狙い(int x, int y);

  // Strength level 1, 2 or 3.
  int Level = 3;

  // Turn variables, read by the evaluation and the probes.
  double BestScore = -99999;
  BestMoveRecord BestMove;
  PieceCode MovingPiece = EMPTY;
  int EscapesBefore = 0;
  int OriginDistance = 0;
  PieceCode PreMoveBoard[11][11] = {};
  int PreMoveControlCount[2][11][11] = {};
  Square PreMoveUeAttackerSquare[11][11] = {};
  int PinnedFlag[2][11][11] = {};
  bool AnyUePinned = false;
  int BishopCheckSquares[11][11] = {};

 private:
  // Board moves and drops of one turn; false when the turn ended early.
  bool SearchBoardMoves(SearchObserver* observer, bool& any);
  void SearchDrops(SearchObserver* observer, bool& any);
  // The positional rules by moved piece; score is the value reached so far,
  // the result is the final score of the candidate.
  double PositionalRules(double score, PieceCode cap, PieceCode pc, int fx, int fy, int tx, int ty);
  double PawnRules(double score, PieceCode cap, int fx, int fy, int tx, int ty);
  double LanceRules(double score, PieceCode cap, int fx, int tx, int ty);
  double KnightRules(double score, int tx, int ty);
  double SilverRules(double score, int fx, int fy, int tx, int ty);
  double GoldRules(double score, int fx, int fy, int tx, int ty);
  double BishopRules(double score, int fx, int fy, int tx, int ty);
  double RookRules(double score, int fx, int fy, int tx, int ty);
  double PromotedRookRules(double score, int fx, int fy, int tx, int ty);
  double KingRules(double score, int tx, int ty);
  // The three parts of the whole-board assessment, by content of the square.
  void AssessEmpty(int x, int y, double& acc);
  void AssessOwnPiece(int x, int y, double& acc);
  void AssessEnemyPiece(int x, int y, PieceCode pc, int tx, int ty, double& acc, int& forkCount,
                        int& forkMin);

  // Short reads of the position and maps, named as the rules name them.
  PieceCode B(int x, int y) const { return pos_.Board[x][y]; }
  int S(int x, int y) const { return maps_.ControlCount[SITA][x][y]; }
  int U(int x, int y) const { return maps_.ControlCount[UE][x][y]; }
  int PS(int x, int y) const { return PreMoveControlCount[SITA][x][y]; }
  int PU(int x, int y) const { return PreMoveControlCount[UE][x][y]; }
  int SA(int x, int y) const { return maps_.SitaAttackerCode[x][y]; }
  Square SAsq(int x, int y) const { return maps_.SitaAttackerSquare[x][y]; }
  int UD(int x, int y) const { return maps_.UeDefenderCode[x][y]; }
  Square UDsq(int x, int y) const { return maps_.UeDefenderSquare[x][y]; }
  int SD(int x, int y) const { return maps_.SitaDefenderCode[x][y]; }
  int PinS(Square s) const { return PinnedFlag[SITA][s.x][s.y]; }
  int LH(int k) const { return pos_.Hand[SITA][k]; }
  int UH(int k) const { return pos_.Hand[UE][k]; }
  Square K() const { return pos_.KingSquare[SITA]; }
  Square C() const { return pos_.KingSquare[UE]; }

  Position& pos_;
  ControlMaps& maps_;
};

}  // namespace qz
