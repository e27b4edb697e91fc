// The five background tiles, each exactly one cell and seamless when repeated.
#pragma once

#include <vector>

#include "asset_manifest.h"

namespace assetgen {

void AddBackgroundTiles(std::vector<PictureAsset>& out);

}  // namespace assetgen
