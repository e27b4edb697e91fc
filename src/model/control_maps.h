// Per-square control maps derived from the board by 勢力調査.
#pragma once

#include "model/position.h"

namespace qz {

struct ControlMaps {
  // Number of pieces of each side attacking the square.
  int ControlCount[2][11][11];
  // CheckLine[side]: 9 on a piece of that side giving check (and on the king's
  // square for a knight or 嶺), 1 between a checking slider and the king.
  int CheckLine[2][11][11];
  // On a SITA piece: smallest (strongest) SITA defender code, 999 when none.
  int SitaDefenderCode[11][11];
  // On a UE piece: smallest UE defender code, 999 when none.
  int UeDefenderCode[11][11];
  Square UeDefenderSquare[11][11];
  // On a UE piece: largest (weakest) SITA attacker code, -999 when none.
  int SitaAttackerCode[11][11];
  Square SitaAttackerSquare[11][11];
  // On a SITA piece: smallest (weakest) UE attacker code, 999 when none.
  int UeAttackerCode[11][11];
  Square UeAttackerSquare[11][11];
};

// Full recomputation of every map and both KingSquares. Every square map is
// reset to (0, 0) at the start of each pass, so the maps depend only on the
// board. The board is changed temporarily while it works and restored.
void 勢力調査(Position& pos, ControlMaps& maps);

}  // namespace qz
