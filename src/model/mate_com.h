// Mate test of the upper (computer's) king.
#pragma once

#include "model/control_maps.h"

namespace qz {

// 1 when the UE king is checkmated. The maps must describe the current
// position. PawnColumns is recounted on the current position first. The board
// is restored on return; the maps may describe the last tentative position.
int 詰めかCOM(Position& pos, ControlMaps& maps);

}  // namespace qz
