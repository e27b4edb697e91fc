// qz_assetgen OUTDIR: writes every picture, sound and the help page of the game
// into OUTDIR, then reads them back and fails if any is missing or has the
// wrong size.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <vector>

#include "asset_manifest.h"
#include "background_music.h"
#include "background_tiles.h"
#include "help_page.h"
#include "image_output.h"
#include "lettering.h"
#include "output_check.h"
#include "piece_pictures.h"
#include "sound_effects.h"
#include "title_pictures.h"
#include "wave_file.h"

using namespace assetgen;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qz_assetgen OUTDIR\n");
    return 2;
  }
  // No display is needed: pictures are painted into memory.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (!LoadMincho()) {
    std::fprintf(stderr, "qz_assetgen: cannot load the IPAex Mincho font\n");
    return 1;
  }
  const QString outDir = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(outDir + QStringLiteral("/pictures"))) {
    std::fprintf(stderr, "qz_assetgen: cannot create %s/pictures\n", argv[1]);
    return 1;
  }

  std::vector<PictureAsset> pictures;
  AddPiecePictures(pictures);
  AddBackgroundTiles(pictures);
  AddTitlePictures(pictures);
  AddIcons(pictures);

  int failures = 0;
  for (const PictureAsset& p : pictures) {
    const QString path = outDir + QLatin1Char('/') + p.relativePath;
    if (!QDir().mkpath(QFileInfo(path).path()) || !SavePng(p.image, path, p.keepAlpha)) {
      std::fprintf(stderr, "qz_assetgen: cannot write %s\n", qPrintable(p.relativePath));
      ++failures;
    }
  }

  struct Sound {
    const char* name;
    std::vector<double> (*make)();
  };
  const Sound sounds[] = {{"その他.wav", SoftChime},
                          {"禁止.wav", RefusalBuzz},
                          {"駒打音.wav", PieceClick},
                          {"BGM.wav", BackgroundMusic}};
  for (const Sound& s : sounds) {
    const QString path = outDir + QLatin1Char('/') + QString::fromUtf8(s.name);
    if (!WriteWave(path.toStdString(), s.make(), kSampleRate)) {
      std::fprintf(stderr, "qz_assetgen: cannot write %s\n", s.name);
      ++failures;
    }
  }

  QFile help(outDir + QLatin1Char('/') + HelpPageName());
  const std::string page = HelpPage();
  if (!help.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      help.write(page.data(), static_cast<qint64>(page.size())) !=
          static_cast<qint64>(page.size())) {
    std::fprintf(stderr, "qz_assetgen: cannot write the help page\n");
    ++failures;
  }
  help.close();

  // The desktop's scalable icon.
  const QString svgPath = outDir + QLatin1Char('/') + ScalableIconPath();
  QDir().mkpath(QFileInfo(svgPath).path());
  QFile svg(svgPath);
  const std::string emblem = EmblemSvg();
  if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      svg.write(emblem.data(), static_cast<qint64>(emblem.size())) !=
          static_cast<qint64>(emblem.size())) {
    std::fprintf(stderr, "qz_assetgen: cannot write %s\n", qPrintable(ScalableIconPath()));
    ++failures;
  }
  svg.close();

  failures += CheckOutput(outDir);
  if (failures > 0) {
    std::fprintf(stderr, "qz_assetgen: %d problem(s)\n", failures);
    return 1;
  }
  std::printf("qz_assetgen: wrote and checked %zu pictures, the sounds and the help page in %s\n",
              pictures.size(), argv[1]);
  return 0;
}
