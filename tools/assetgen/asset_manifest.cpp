#include "asset_manifest.h"

namespace assetgen {

std::vector<ExpectedPicture> ExpectedPictures() {
  std::vector<ExpectedPicture> list;
  const char* promotable[] = {"HU", "KYOU", "KEI", "REI", "GIN", "DOU", "KAKU", "SYA"};
  for (const char* side : {"SITA", "UE"}) {
    for (const char* kind : promotable) {
      for (int item = 0; item < 2; ++item) {
        list.push_back({QStringLiteral("pictures/%1_%2_%3.png").arg(side, kind).arg(item),
                        kPieceWidth, kPieceHeight, false});
      }
    }
    for (const char* kind : {"KIN", "OU"}) {
      list.push_back(
          {QStringLiteral("pictures/%1_%2.png").arg(side, kind), kPieceWidth, kPieceHeight, false});
    }
  }
  list.push_back({QStringLiteral("pictures/KARA_MASU.png"), kPieceWidth, kPieceHeight, false});
  for (const char* tile : {"MIDORI", "TATAMI", "TAKE", "UCHU", "RENGA"}) {
    list.push_back(
        {QStringLiteral("pictures/HAIKEI_%1.png").arg(tile), kTileWidth, kTileHeight, false});
  }
  list.push_back({QStringLiteral("pictures/QZSHOGI.png"), kTitleWidth, kTitleHeight, false});
  list.push_back({QStringLiteral("pictures/VERSION.png"), kVersionWidth, kVersionHeight, false});
  list.push_back({QStringLiteral("qzreishogi.png"), kIconSize, kIconSize, true});
  for (int size : kIconSizes) {
    list.push_back({QStringLiteral("icons/%1x%1/qzreishogi.png").arg(size), size, size, true});
  }
  return list;
}

std::vector<ExpectedWave> ExpectedWaves() {
  return {
      {QStringLiteral("その他.wav"), 0.3, 3.0, 200000},
      {QStringLiteral("禁止.wav"), 0.1, 1.0, 50000},
      {QStringLiteral("駒打音.wav"), 0.05, 0.6, 30000},
      // 75 beats a minute, four beats a bar, at 22050 samples a second.
      {QStringLiteral("BGM.wav"), 30.0, 40.0, 1500000, 22050 * 60 / 75 * 4},
  };
}

QString HelpPageName() { return QStringLiteral("QZ嶺将棋.htm"); }

QString ScalableIconPath() { return QStringLiteral("icons/scalable/qzreishogi.svg"); }

}  // namespace assetgen
