// Picture lookup, asset and working-folder choice, the browser's addresses
// and the canvas's drawing primitives.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSet>
#include <QTextBrowser>

#include "app/asset_locations.h"
#include "app/desktop_browser.h"
#include "app/palette.h"
#include "app_test_support.h"
#include "shell/grid.h"

namespace qz::app::testing {
namespace {

TEST(Pictures, CodesMapToTheirPictureNames) {
  EXPECT_EQ(PictureNameForCode(0), "KARA_MASU");
  EXPECT_EQ(PictureNameForCode(1), "QZSHOGI");
  EXPECT_EQ(PictureNameForCode(2), "HAIKEI_MIDORI");
  EXPECT_EQ(PictureNameForCode(3), "HAIKEI_TATAMI");
  EXPECT_EQ(PictureNameForCode(4), "HAIKEI_TAKE");
  EXPECT_EQ(PictureNameForCode(5), "HAIKEI_UCHU");
  EXPECT_EQ(PictureNameForCode(6), "HAIKEI_RENGA");
  EXPECT_EQ(PictureNameForCode(-10), "SITA_HU_0");
  EXPECT_EQ(PictureNameForCode(-11), "SITA_HU_1");
  EXPECT_EQ(PictureNameForCode(-211), "SITA_DOU_1");
  EXPECT_EQ(PictureNameForCode(-40), "SITA_REI_0");
  EXPECT_EQ(PictureNameForCode(-110), "SITA_KIN");
  EXPECT_EQ(PictureNameForCode(-950), "SITA_OU");
  EXPECT_EQ(PictureNameForCode(901), "UE_SYA_1");
  EXPECT_EQ(PictureNameForCode(800), "UE_KAKU_0");
  EXPECT_EQ(PictureNameForCode(110), "UE_KIN");
  EXPECT_EQ(PictureNameForCode(950), "UE_OU");
  // Codes with nothing to show, the version picture's included.
  for (int code : {-111, 111, 951, -951, 7, -1, 12, 15, 99, 1000, -5}) {
    EXPECT_TRUE(PictureNameForCode(code).isEmpty()) << code;
  }
}

TEST(Pictures, StandInColoursAreDistinct) {
  QSet<QRgb> colours;
  for (int code : PictureCodes()) colours.insert(StandInColour(code).rgb());
  EXPECT_EQ(colours.size(), static_cast<qsizetype>(PictureCodes().size()));
}

TEST(Pictures, TheShippedAssetsHaveEveryPictureAtItsSize) {
  PictureSet pictures(QString::fromUtf8(QZ_SOURCE_ASSET_DIR) + "/pictures");
  for (int code : PictureCodes()) {
    const QImage& image = pictures.forCode(code);
    ASSERT_FALSE(image.isNull()) << PictureNameForCode(code).toStdString();
    if (code >= 2 && code <= 6) {
      EXPECT_EQ(image.size(), QSize(41, 46));
    } else if (code == 1) {
      EXPECT_EQ(image.size(), QSize(178, 108));
    } else {
      // Pieces and the empty square cover the cell and its far frame lines.
      EXPECT_TRUE(image.size() == QSize(42, 47) || image.size() == QSize(41, 46))
          << PictureNameForCode(code).toStdString();
    }
  }
  EXPECT_EQ(pictures.version().size(), QSize(337, 106));
}

TEST(WorkingFolder, AFolderWithAWaveIsUsedAsItIs) {
  QTemporaryDir here, data, assets;
  QFile(here.path() + QString::fromUtf8("/駒打音.wav")).open(QIODevice::WriteOnly);
  EXPECT_EQ(PrepareWorkingFolder(here.path(), data.path() + "/q", assets.path()), here.path());
  EXPECT_FALSE(QFileInfo::exists(data.path() + "/q"));
}

TEST(WorkingFolder, OtherwiseTheDataFolderGetsTheMissingFiles) {
  QTemporaryDir here, data, assets;
  for (const QString& name : WorkingFolderFiles()) {
    QFile f(assets.path() + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("asset");
  }
  const QString target = data.path() + "/deep/qzreishogi";
  QDir().mkpath(target);
  {
    // A file the player already has there is kept.
    QFile mine(target + QString::fromUtf8("/BGM.wav"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
  }
  EXPECT_EQ(PrepareWorkingFolder(here.path(), target, assets.path()), target);
  for (const QString& name : WorkingFolderFiles()) {
    QFile f(target + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    EXPECT_EQ(f.readAll(), name == QString::fromUtf8("BGM.wav") ? "mine" : "asset");
    EXPECT_FALSE(QFileInfo::exists(target + "/" + name + ".part"));
  }
  // Nothing to play from anywhere: the data folder still holds the settings.
  QTemporaryDir nothing;
  EXPECT_EQ(PrepareWorkingFolder(here.path(), nothing.path() + "/x", nothing.path() + "/none"),
            nothing.path() + "/x");
}

TEST(WorkingFolder, AssetDirectoryFromTheEnvironmentComesFirst) {
  QTemporaryDir dir;
  qputenv("QZ_ASSET_DIR", dir.path().toUtf8());
  EXPECT_EQ(FindAssetDir(), dir.path());
  qunsetenv("QZ_ASSET_DIR");
  EXPECT_TRUE(QFileInfo::exists(FindAssetDir() + "/pictures/KARA_MASU.png"));
}

TEST(Browser, LocalPathsOpenAsFileUrlsAndWebAddressesAsThemselves) {
  QTemporaryDir dir;
  const QString page = dir.path() + QString::fromUtf8("/QZ嶺将棋.htm");
  std::vector<QUrl> opened;
  DesktopBrowser browser([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  EXPECT_TRUE(browser.create());
  EXPECT_FALSE(browser.busy());
  // A missing help page fails without opening anything.
  EXPECT_FALSE(browser.navigate(page.toStdString()));
  EXPECT_TRUE(opened.empty());
  QFile(page).open(QIODevice::WriteOnly);
  EXPECT_TRUE(browser.navigate(page.toStdString()));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].isLocalFile());
  EXPECT_EQ(opened[0].toLocalFile(), page);
  EXPECT_TRUE(browser.navigate("https://example.org/help"));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].toString(), QString("https://example.org/help"));
}

TEST(Browser, WithoutADesktopBrowserTheHelpPageOpensInAWindowOfItsOwn) {
  QTemporaryDir dir;
  const QString page = dir.path() + QString::fromUtf8("/QZ嶺将棋.htm");
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "<html><head><meta charset=\"utf-8\"><title>QZ嶺将棋 解説</title></head>"
      "<body><h1>遊び方</h1></body></html>");
  file.close();
  int tries = 0;
  DesktopBrowser browser([&](const QUrl&) {
    ++tries;
    return false;  // no browser on the machine
  });
  EXPECT_EQ(browser.helpWindow(), nullptr);
  // A web address has nowhere to go.
  EXPECT_FALSE(browser.navigate("https://example.org/"));
  EXPECT_EQ(browser.helpWindow(), nullptr);

  ASSERT_TRUE(browser.navigate(page.toStdString()));
  EXPECT_EQ(tries, 2);
  QTextBrowser* window = browser.helpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("QZ嶺将棋 解説"));
  EXPECT_TRUE(window->toPlainText().contains(QString::fromUtf8("遊び方")));
  EXPECT_EQ(window->source(), QUrl::fromLocalFile(page));

  // Asked again, the same window shows the page again.
  window->hide();
  ASSERT_TRUE(browser.navigate(page.toStdString()));
  EXPECT_EQ(browser.helpWindow(), window);
  EXPECT_TRUE(window->isVisible());
}

TEST(Browser, TheInstalledHelpPageReadsInTheGamesOwnWindow) {
  DesktopBrowser browser([](const QUrl&) { return false; });
  const QString page = FindAssetDir() + QString::fromUtf8("/QZ嶺将棋.htm");
  ASSERT_TRUE(browser.navigate(page.toStdString()));
  ASSERT_NE(browser.helpWindow(), nullptr);
  // The page's own text, decoded as the UTF-8 it is.
  EXPECT_TRUE(browser.helpWindow()->toPlainText().contains(QString::fromUtf8("棋譜")));
  EXPECT_EQ(browser.helpWindow()->windowTitle(), QString::fromUtf8("QZ嶺将棋 解説"));
}

struct CanvasFixture {
  QTemporaryDir folder;
  std::unique_ptr<PictureSet> pictures;
  std::unique_ptr<CanvasWidget> canvas;
  CanvasFixture() {
    WriteStandInPictures(folder.path());
    pictures = std::make_unique<PictureSet>(folder.path());
    canvas = std::make_unique<CanvasWidget>(*pictures);
    canvas->resize(kNaturalWidth, kNaturalHeight);
  }
};

TEST(Canvas, PicturesLandAtTheirCornerAtNaturalSize) {
  CanvasFixture f;
  const QImage before = f.canvas->backing();
  f.canvas->drawPicture(-950, grid::TwipsX(3), grid::TwipsY(4));
  const int x0 = PixelOfTwips(grid::TwipsX(3)), y0 = PixelOfTwips(grid::TwipsY(4));
  EXPECT_EQ(BackingPixel(*f.canvas, x0, y0), StandInColour(-950));
  EXPECT_EQ(BackingPixel(*f.canvas, x0 + 41, y0 + 46), StandInColour(-950));
  EXPECT_NE(BackingPixel(*f.canvas, x0 + 42, y0 + 20), StandInColour(-950));
  EXPECT_NE(BackingPixel(*f.canvas, x0 - 1, y0 + 20), StandInColour(-950));
  // Unknown codes and the version picture's code paint nothing.
  for (int code : {111, -111, 7, 4242}) f.canvas->drawPicture(code, 3000, 3000);
  f.canvas->drawPicture(-950, grid::TwipsX(3), grid::TwipsY(4));
  QImage after = f.canvas->backing();
  QImage expected = before;
  {
    QPainter p(&expected);
    p.drawImage(x0 * kBackingScale, y0 * kBackingScale,
                f.pictures->forCode(-950).scaled(42 * kBackingScale, 47 * kBackingScale));
  }
  EXPECT_EQ(after, expected);
  // Off the canvas: clipped without complaint.
  f.canvas->drawPicture(0, -5000, -5000);
  f.canvas->drawPicture(0, 20000, 20000);
}

TEST(Canvas, OutlinesAreOnePixelInThePaletteColour) {
  CanvasFixture f;
  f.canvas->drawOutline(12, grid::TwipsX(2), grid::TwipsY(2), grid::CellWidth, grid::CellHeight);
  const int x0 = PixelOfTwips(grid::TwipsX(2)), y0 = PixelOfTwips(grid::TwipsY(2));
  const QColor red(255, 0, 0);
  EXPECT_EQ(BackingPixel(*f.canvas, x0, y0 + 10), red);
  EXPECT_EQ(BackingPixel(*f.canvas, x0 + 41, y0 + 10), red);
  EXPECT_EQ(BackingPixel(*f.canvas, x0 + 10, y0), red);
  EXPECT_EQ(BackingPixel(*f.canvas, x0 + 10, y0 + 46), red);
  EXPECT_NE(BackingPixel(*f.canvas, x0 + 1, y0 + 10), red);  // not filled
  EXPECT_NE(BackingPixel(*f.canvas, x0 + 10, y0 + 1), red);
  // The right frame is exactly where a 42-pixel picture's last column is.
  f.canvas->drawPicture(0, grid::TwipsX(2), grid::TwipsY(2));
  EXPECT_EQ(BackingPixel(*f.canvas, x0 + 41, y0 + 10), StandInColour(0));

  EXPECT_EQ(PaletteColour(1), QColor(0, 0, 128));
  EXPECT_EQ(PaletteColour(7), QColor(192, 192, 192));
  EXPECT_EQ(PaletteColour(14), QColor(255, 255, 0));
  EXPECT_EQ(PaletteColour(99), QColor(0, 0, 0));
}

TEST(Canvas, TextIsPrintedFromItsTopLeftCornerInItsColourAndSize) {
  CanvasFixture f;
  f.canvas->drawPicture(3, 0, 0);
  auto countColour = [&](const QRect& area, const QColor& colour) {
    int n = 0;
    const QImage& img = f.canvas->backing();
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) n += QColor(img.pixel(x, y)) == colour;
    }
    return n;
  };
  const QColor white(255, 255, 255);
  f.canvas->drawText("手目", 3000, 3000, 10, true, 15);
  const int px = PixelOfTwips(3000) * kBackingScale, py = PixelOfTwips(3000) * kBackingScale;
  // Ink right and below the corner, none above or to the left of it.
  EXPECT_GT(countColour(QRect(px, py, 60, 40), white), 20);
  EXPECT_EQ(countColour(QRect(px - 30, py - 30, 30, 30), white), 0);
  // A larger size covers more ground.
  f.canvas->drawText("手目", 3000, 5000, 16, true, 15);
  const int py2 = PixelOfTwips(5000) * kBackingScale;
  auto extent = [&](int top) {
    int right = 0;
    const QImage& img = f.canvas->backing();
    for (int y = top; y < top + 60; ++y) {
      for (int x = px; x < px + 200; ++x) {
        if (QColor(img.pixel(x, y)) == white) right = std::max(right, x);
      }
    }
    return right - px;
  };
  EXPECT_GT(extent(py2), extent(py) * 5 / 4);
  f.canvas->drawText("", 3000, 7000, 12, true, 15);  // nothing to print
  EXPECT_EQ(countColour(QRect(px, PixelOfTwips(7000) * kBackingScale, 60, 40), white), 0);
}

}  // namespace
}  // namespace qz::app::testing
