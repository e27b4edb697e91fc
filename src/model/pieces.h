// Piece codes, sides and the hand order shared by every layer.
#pragma once

namespace qz {

// A square's content or a moving piece: 0 empty, negative for the lower side
// (SITA), positive for the upper side (UE). The magnitudes double as material
// values, so the numbers themselves matter, not only their distinctness.
using PieceCode = int;

constexpr PieceCode EMPTY = 0;

// Unpromoted magnitudes; a promoted piece is one more.
constexpr PieceCode HU = 10, KYOU = 20, KEI = 30, REI = 40, GIN = 100, KIN = 110, DOU = 210,
                    KAKU = 800, SYA = 900, OU = 950;

// Array index of a side (hands, control maps, king squares).
enum Side : int { SITA = 0, UE = 1 };

constexpr Side Opponent(Side s) { return s == SITA ? UE : SITA; }

// Which side a code belongs to; false for 0.
constexpr bool IsSita(PieceCode c) { return c <= -10; }
constexpr bool IsUe(PieceCode c) { return c >= 10; }

constexpr int Abs(int v) { return v < 0 ? -v : v; }

// Hand order: 1 pawn ... 9 rook. Index 0 is never used.
constexpr int HandKinds = 9;
constexpr PieceCode HandKindCode[10] = {0, HU, KYOU, KEI, REI, GIN, KIN, DOU, KAKU, SYA};

// HandIndex of a captured code (promoted pieces go back as their base kind);
// 0 for codes that never enter a hand (empty, king).
constexpr int HandIndex(PieceCode c) {
  switch (Abs(c)) {
    case 10:
    case 11: return 1;
    case 20:
    case 21: return 2;
    case 30:
    case 31: return 3;
    case 40:
    case 41: return 4;
    case 100:
    case 101: return 5;
    case 110:
    case 111: return 6;
    case 210:
    case 211: return 7;
    case 800:
    case 801: return 8;
    case 900:
    case 901: return 9;
    default: return 0;
  }
}

// Unpromoted code of hand kind i for a side.
constexpr PieceCode UnpromotedCode(Side s, int i) {
  return s == SITA ? -HandKindCode[i] : HandKindCode[i];
}

// Hand columns: drops come from these pseudo-squares.
constexpr int SitaHandColumn = 12;
constexpr int UeHandColumn = -1;
constexpr bool IsDropOrigin(int fromX) { return fromX == SitaHandColumn || fromX == UeHandColumn; }

}  // namespace qz
