// What the generator must produce: every file under the output folder with the
// size it must have. The check after writing reads the files back against
// this list, which is kept apart from the painting code on purpose.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace assetgen {

// A painted picture waiting to be written.
struct PictureAsset {
  QString relativePath;  // e.g. "pictures/SITA_HU_0.png"
  QImage image;
  bool keepAlpha = false;
};

struct ExpectedPicture {
  QString relativePath;
  int width;
  int height;
  bool hasAlpha;
};

struct ExpectedWave {
  QString relativePath;
  double minSeconds;
  double maxSeconds;
  long maxBytes;
  // For the looping music: the sample count must be a whole number of bars of
  // this many samples, and the loop must join without a step. 0 for effects.
  long barSamples = 0;
};

// Sizes the game relies on.
constexpr int kPieceWidth = 42, kPieceHeight = 47;  // one pixel over the cell
constexpr int kTileWidth = 41, kTileHeight = 46;    // exactly one cell
constexpr int kTitleWidth = 178, kTitleHeight = 108;
constexpr int kVersionWidth = 337, kVersionHeight = 106;
constexpr int kIconSize = 128;
// The desktop's icon sizes (icons/NxN/qzreishogi.png) besides the scalable one.
constexpr int kIconSizes[] = {48, 64, 128, 256};

std::vector<ExpectedPicture> ExpectedPictures();
std::vector<ExpectedWave> ExpectedWaves();

// The help page's file name.
QString HelpPageName();
// The scalable icon's path in the output folder.
QString ScalableIconPath();

}  // namespace assetgen
