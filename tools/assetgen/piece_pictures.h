// The pieces of both sides, unpromoted and promoted, the empty square and the
// program icon.
#pragma once

#include <string>
#include <vector>

#include "asset_manifest.h"

namespace assetgen {

void AddPiecePictures(std::vector<PictureAsset>& out);

// A large piece with 嶺 on a transparent ground, size x size pixels; also
// used by the version picture.
QImage PaintEmblemPiece(int size);

// The program icon for the desktop at each of kIconSizes, and drawn as SVG.
void AddIcons(std::vector<PictureAsset>& out);
std::string EmblemSvg();

}  // namespace assetgen
