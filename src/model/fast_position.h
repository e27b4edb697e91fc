// The position in the form the move generator and the search work on: a
// padded mailbox of one byte per square, the hands, the side to move, and
// the state that moves keep current as they are made and taken back (the
// position key, material, pawn columns, king squares, occupancy and an
// optional sum of per-square values that an evaluation supplies).
#pragma once

#include <cstdint>
#include <string>

#include "model/game_move.h"
#include "model/position.h"

namespace qz {

// Kinds 1..9 are the hand kinds in HandIndex order; a promoted kind is its
// base + 10 (gold and king never promote, so 16 stays unused).
enum Kind : int {
  NoKind = 0,
  Pawn = 1,
  Lance,
  Knight,
  Rei,
  Silver,
  Gold,
  Dou,
  Bishop,
  Rook,
  King = 10,
  Tokin = 11,
  PLance,
  PKnight,
  PRei,
  PSilver,
  PDou = 17,
  Horse = 18,
  Dragon = 19,
};
constexpr int KindCount = 20;

constexpr bool IsPromotedKind(int k) { return k > King; }
constexpr int BaseKind(int k) { return k > King ? k - 10 : k; }

// A square's byte: the kind in the low five bits, 0x20 for the lower army and
// 0x40 for the upper army. The wall around the board carries both bits, so
// "neither own piece nor wall" is a single test.
using Piece = std::uint8_t;
constexpr Piece Wall = 0x60;
constexpr int PieceIndexCount = 0x60;
constexpr Piece SideBit(Side s) { return s == SITA ? 0x20 : 0x40; }
constexpr Piece MakePiece(Side s, int kind) { return static_cast<Piece>(SideBit(s) | kind); }
constexpr int KindOf(Piece p) { return p & 0x1F; }
constexpr Side SideOf(Piece p) { return (p & 0x40) != 0 ? UE : SITA; }

// Squares: 11 bytes a row (column 0 is the wall on both sides of the board),
// rows y = -2..14 so that a 嶺's jump of three rows never leaves the array.
constexpr int kRowWidth = 11;
constexpr int kSquareCount = 17 * kRowWidth;
constexpr int Sq(int x, int y) { return (y + 2) * kRowWidth + x; }
constexpr int XOf(int sq) { return sq % kRowWidth; }
constexpr int YOf(int sq) { return sq / kRowWidth - 2; }
// Square index 0..99 of the occupancy bitsets: (y - 1) * 10 + (x - 1).
constexpr int IndexOf(int sq) { return (YOf(sq) - 1) * 10 + XOf(sq) - 1; }
struct SquareOfIndexTable {
  std::uint8_t sq[100];
  constexpr SquareOfIndexTable() : sq() {
    for (int i = 0; i < 100; ++i) sq[i] = static_cast<std::uint8_t>(Sq(i % 10 + 1, i / 10 + 1));
  }
};
inline constexpr SquareOfIndexTable kSquareOfIndex{};
constexpr int SqOfIndex(int i) { return kSquareOfIndex.sq[i]; }
// One step forward for a side.
constexpr int Forward(Side s) { return s == SITA ? -kRowWidth : kRowWidth; }

// A move in 32 bits: target, origin (0 for a drop), promotion, the moving
// piece and the piece it captures. 0 is no move.
using Move = std::uint32_t;
constexpr Move MakeMove(int from, int to, Piece moving, Piece captured, bool promote) {
  return static_cast<Move>(to) | static_cast<Move>(from) << 8 | (promote ? 1u << 16 : 0u) |
         static_cast<Move>(moving) << 17 | static_cast<Move>(captured) << 24;
}
constexpr Move MakeDrop(int to, Piece dropped) { return MakeMove(0, to, dropped, 0, false); }
constexpr int MoveTo(Move m) { return static_cast<int>(m & 0xFF); }
constexpr int MoveFrom(Move m) { return static_cast<int>((m >> 8) & 0xFF); }
constexpr bool IsDrop(Move m) { return MoveFrom(m) == 0; }
constexpr bool IsPromotion(Move m) { return (m & (1u << 16)) != 0; }
constexpr Piece MovingPiece(Move m) { return static_cast<Piece>((m >> 17) & 0x7F); }
constexpr Piece CapturedPiece(Move m) { return static_cast<Piece>((m >> 24) & 0x7F); }
constexpr bool IsCapture(Move m) { return CapturedPiece(m) != 0; }
// The piece that stands on the target after the move.
constexpr Piece PieceAfter(Move m) {
  return static_cast<Piece>(MovingPiece(m) + (IsPromotion(m) ? 10 : 0));
}

// Values an evaluation wants summed over the position, from the lower army's
// point of view: one per piece and square, and one per hand kind and count
// (the value of holding that many, so that later pieces may count less).
struct IncrementalTable {
  std::int16_t board[PieceIndexCount][kSquareCount] = {};
  std::int16_t hand[2][10][32] = {};
};

// What Make needs to take a move back.
struct Undo {
  std::uint64_t key;
  std::int32_t incremental;
  std::int32_t material[2];
  Piece captured;
  bool handFull;  // the captor's hand held kMaxHandCount of that kind already
};

// The most of one kind a hand holds; a capture beyond it is not added.
constexpr int kMaxHandCount = 31;

// Why pos cannot be played as it stands, or an empty text: two kings of one
// army, or more of one kind (promoted or not, on the board and in both
// hands) than a hand can hold, so that captures could not be counted.
std::string PositionProblem(const Position& pos);

class FastPosition {
 public:
  FastPosition();

  // Board and hands of pos (HandTotal, KingSquare, PawnColumns and winner
  // are not read; a king missing from the board means that army has lost).
  void Set(const Position& pos, Side toMove);
  // Writes board, hands, HandTotal, KingSquare and PawnColumns into pos.
  void ToPosition(Position& pos) const;

  // Chooses the values summed incrementally (nullptr: none) and recomputes.
  void SetTable(const IncrementalTable* table);

  void Make(Move m, Undo& undo);
  void Unmake(Move m, const Undo& undo);
  // Passes the turn (for the search's null move).
  void MakeNull() {
    stm_ = Opponent(stm_);
    key_ ^= SideKey();
  }
  void UnmakeNull() { MakeNull(); }

  // Whether a piece of `by` attacks square sq. Kinds narrows the attackers
  // to the kinds whose bits (1 << kind) it holds; the masks built are all
  // kinds and all but the king (fast_position.cpp).
  template <unsigned Kinds = ~0u>
  bool Attacked(int sq, Side by) const;
  // The side to move's king may be captured by the side to move (the last
  // move left it there): then the game is won at once.
  bool CanCaptureKing() const {
    return kingSq_[Opponent(stm_)] != 0 && Attacked(kingSq_[Opponent(stm_)], stm_);
  }
  bool InCheck() const { return kingSq_[stm_] != 0 && Attacked(kingSq_[stm_], Opponent(stm_)); }
  // A king has been captured: the game is over and nobody moves.
  bool Over() const { return kingSq_[SITA] == 0 || kingSq_[UE] == 0; }

  Piece at(int sq) const { return board_[sq]; }
  // The whole padded board, kSquareCount bytes (for scratch copies).
  const Piece* squares() const { return board_; }
  int hand(Side s, int kind) const { return hand_[s][kind]; }
  Side sideToMove() const { return stm_; }
  std::uint64_t key() const { return key_; }
  int kingSquare(Side s) const { return kingSq_[s]; }
  bool hasPawnInColumn(Side s, int x) const { return pawnCount_[s][x] != 0; }
  // Game magnitudes of a side's pieces on the board and in hand (kings excluded).
  int material(Side s) const { return material_[s]; }
  int incremental() const { return incremental_; }
  // Occupancy of a side over the squares 0..99 (IndexOf): bits 0..63 and 64..99.
  std::uint64_t occupancy(Side s, int half) const { return occ_[s][half]; }
  // The same for one kind of a side.
  std::uint64_t occupancy(Side s, int kind, int half) const { return kindOcc_[s][kind][half]; }
  int handTotal(Side s) const;

  // The key computed from scratch (for tests of Make/Unmake).
  std::uint64_t ComputeKey() const;
  int ComputeIncremental() const;

 private:
  static std::uint64_t SideKey();
  void Recount();
  void Put(int sq, Piece p);
  void Remove(int sq, Piece p);
  void AddToHand(Side s, int kind);
  void TakeFromHand(Side s, int kind);

  Piece board_[kSquareCount];
  std::uint8_t hand_[2][10];
  std::uint8_t pawnCount_[2][11];
  int kingSq_[2];
  Side stm_ = SITA;
  std::uint64_t key_ = 0;
  std::int32_t material_[2] = {};
  std::int32_t incremental_ = 0;
  const IncrementalTable* table_ = nullptr;
  std::uint64_t occ_[2][2] = {};
  std::uint64_t kindOcc_[2][KindCount][2] = {};
};

// The game's form of a move of `mover` and back. FromGameMove answers 0 when
// the text of the move does not fit the position (no such piece, or a code
// that is neither the piece nor its promotion); it does not test legality.
GameMove ToGameMove(Move m);
Move FromGameMove(const FastPosition& pos, const GameMove& gm);

// The game's piece code of a square byte, and back (0 for empty).
PieceCode CodeOfPiece(Piece p);
Piece PieceOfCode(PieceCode c);

}  // namespace qz
