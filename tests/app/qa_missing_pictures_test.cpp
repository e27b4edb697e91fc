// A picture folder with files missing, broken or unreadable still gives a
// playable game: each missing picture simply draws nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTest>

#include "app/asset_locations.h"
#include "app/game_menu_bar.h"
#include "app/palette.h"
#include "app/qt_dialogs.h"
#include "app/version_box.h"
#include "app_test_support.h"
#include "shell/grid.h"

namespace qz::app::testing {
namespace {

// An asset folder (as QZ_ASSET_DIR names it) whose pictures are damaged:
// the lower pawn is missing, the empty square is garbage bytes, the lower
// silver is a directory, the title is an empty file, the version picture is
// gone and the upper king is a PNG cut short.
struct DamagedAssets {
  QTemporaryDir folder;
  QString pictures() const { return folder.path() + "/pictures"; }

  DamagedAssets() {
    WriteStandInPictures(pictures());
    const QString dir = pictures() + "/";
    EXPECT_TRUE(QFile::remove(dir + "SITA_HU_0.png"));
    {
      QFile garbage(dir + "KARA_MASU.png");
      EXPECT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
      garbage.write("\x13\x37 not a picture at all \xff\xfe\x00\x01", 28);
    }
    EXPECT_TRUE(QFile::remove(dir + "SITA_GIN_0.png"));
    EXPECT_TRUE(QDir().mkdir(dir + "SITA_GIN_0.png"));
    {
      QFile empty(dir + "QZSHOGI.png");
      EXPECT_TRUE(empty.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }
    EXPECT_TRUE(QFile::remove(dir + "VERSION.png"));
    {
      QFile king(dir + "UE_OU.png");
      EXPECT_TRUE(king.open(QIODevice::ReadWrite));
      const QByteArray whole = king.readAll();
      king.resize(whole.size() / 3);
    }
  }
};

// A started window over the damaged pictures, found through QZ_ASSET_DIR.
struct DamagedWindow {
  DamagedAssets assets;
  QTemporaryDir work;
  std::unique_ptr<PictureSet> pictures;
  RecordingDialogs dialogs;
  RecordingSound sound;
  RecordingBrowser browser;
  std::unique_ptr<MainWindow> window;

  DamagedWindow() {
    qputenv("QZ_ASSET_DIR", assets.folder.path().toUtf8());
    pictures = std::make_unique<PictureSet>(FindAssetDir() + "/pictures");
    qunsetenv("QZ_ASSET_DIR");
    FrontEndOptions options;
    options.workDir = work.path();
    options.dialogs = &dialogs;
    options.sound = &sound;
    options.browser = &browser;
    window = std::make_unique<MainWindow>(*pictures, options);
    window->start();
  }
  Game& game() { return window->game(); }
  QColor squareColour(int x, int y) const {
    const QPoint m = CellMiddle(x, y);
    return BackingPixel(*window->canvas(), m.x(), m.y());
  }
  void press(int x, int y) {
    QTest::mouseClick(
        window->canvas(), Qt::LeftButton, Qt::NoModifier,
        window->canvas()->widgetPointOfTwips(grid::CentreX(x), grid::CentreY(y)).toPoint());
  }
};

TEST(QaMissingPictures, OnlyTheDamagedPicturesAreLeftOut) {
  DamagedAssets assets;
  PictureSet pictures(assets.pictures());
  for (int code : {-10, 0, -100, 1, 950}) {
    EXPECT_TRUE(pictures.forCode(code).isNull()) << code;
  }
  EXPECT_TRUE(pictures.version().isNull());
  // Every other picture is there, at its size and in its colour.
  EXPECT_EQ(pictures.loadedCount(), static_cast<int>(PictureCodes().size()) - 5);
  for (int code : {-11, 10, -950, 2, 6, -800}) {
    ASSERT_FALSE(pictures.forCode(code).isNull()) << code;
    EXPECT_EQ(pictures.forCode(code).size(), NaturalSize(code));
    EXPECT_EQ(QColor(pictures.forCode(code).pixel(3, 3)), StandInColour(code));
  }
}

TEST(QaMissingPictures, StartUpDrawsWhatItHasAndNothingForTheRest) {
  DamagedWindow w;
  EXPECT_TRUE(w.window->isVisible());
  const Position& pos = w.game().pos;
  const QColor untouched = PaletteColour(ColourGreen);
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      const int code = pos.Board[x][y];
      const bool missing = code == -HU || code == EMPTY || code == -GIN || code == OU;
      EXPECT_EQ(w.squareColour(x, y), missing ? untouched : StandInColour(code))
          << "square " << x << "," << y << " code " << code;
    }
  }
  // Empty hand cells use the broken empty-square picture, so the background
  // tile painted under them first stays; the background surrounds the board.
  const QColor tile = StandInColour(w.game().screen.CurrentBackground);
  EXPECT_EQ(w.squareColour(-1, 4), tile);
  EXPECT_EQ(w.squareColour(12, 6), tile);
  EXPECT_EQ(w.squareColour(-2, 3), tile);
}

TEST(QaMissingPictures, AGameAgainstTheComputerCanBePlayed) {
  DamagedWindow w;
  w.window->menus()->action(MenuCommand::SENTE)->trigger();
  ASSERT_EQ(w.game().flags.Turn, w.game().flags.LowerSideToken);
  // A pawn, whose picture is missing, moves one row up.
  ASSERT_EQ(w.game().pos.Board[3][8], -HU);
  w.press(3, 8);
  EXPECT_EQ(w.game().input.InputState, PieceSelected);
  w.press(3, 7);
  EXPECT_EQ(w.game().pos.Board[3][7], -HU);
  EXPECT_EQ(w.game().pos.Board[3][8], EMPTY);
  // The computer answered and the turn came back.
  EXPECT_EQ(w.game().flags.MoveNumber, 2);
  EXPECT_EQ(w.game().flags.Turn, w.game().flags.LowerSideToken);
  EXPECT_EQ(w.game().flags.Winner, 0);
  // A piece whose picture is there moves sideways onto an empty square (whose
  // picture is broken) and is drawn there.
  ASSERT_EQ(w.game().pos.Board[9][9], -SYA);
  ASSERT_EQ(w.game().pos.Board[8][9], EMPTY);
  w.press(9, 9);
  w.press(8, 9);
  EXPECT_EQ(w.game().pos.Board[8][9], -SYA);
  EXPECT_EQ(w.squareColour(8, 9), StandInColour(-SYA));
  EXPECT_EQ(w.game().flags.MoveNumber, 4);
  EXPECT_EQ(w.game().flags.Turn, w.game().flags.LowerSideToken);
  // The background can still be changed and the window redrawn.
  w.window->menus()->action(MenuCommand::UCHU)->trigger();
  EXPECT_EQ(w.squareColour(-2, 3), StandInColour(UCHU));
}

TEST(QaMissingPictures, VersionBoxOpensWithoutItsPicture) {
  DamagedAssets assets;
  PictureSet pictures(assets.pictures());
  QWidget parent;
  QtDialogs dialogs(&parent, pictures);
  for (bool homePage : {false, true}) {
    bool opened = false;
    dialogs.whenOpen = [&](QDialog& d) {
      auto& box = static_cast<VersionBox&>(d);
      opened = true;
      EXPECT_TRUE(box.okButton()->isVisible());
      EXPECT_TRUE(box.homePageButton()->isVisible());
      (homePage ? box.homePageButton() : box.okButton())->click();
    };
    EXPECT_EQ(dialogs.versionBox(), homePage ? VersionChoice::HomePage : VersionChoice::Ok);
    EXPECT_TRUE(opened);
  }
}

}  // namespace
}  // namespace qz::app::testing
