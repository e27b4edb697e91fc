// The title picture beside the board and the picture of the version box.
#pragma once

#include <vector>

#include "asset_manifest.h"

namespace assetgen {

void AddTitlePictures(std::vector<PictureAsset>& out);

}  // namespace assetgen
