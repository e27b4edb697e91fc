// Shared set-up of the front-end tests: a fresh folder, a full set of
// stand-in pictures in distinct flat colours, and a started main window.
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "app/picture_set.h"
#include "app/qt_dialogs.h"
#include "script/recording_ports.h"
#include "shell/grid.h"

namespace qz::app::testing {

// Every code that has a picture.
inline std::vector<int> PictureCodes() {
  std::vector<int> codes = {0, 1, 2, 3, 4, 5, 6};
  for (int m : {10, 11, 20, 21, 30, 31, 40, 41, 100, 101, 210, 211, 800, 801, 900, 901, 110, 950}) {
    codes.push_back(-m);
    codes.push_back(m);
  }
  return codes;
}

// A colour no other stand-in picture has.
inline QColor StandInColour(int code) {
  const int k = code + 1000;  // 50 .. 1950
  return QColor((k * 37) % 256, (k * 91) % 256, (k / 8) % 256);
}

inline QSize NaturalSize(int code) {
  if (code == 1) return {178, 108};
  if (code >= 2 && code <= 6) return {41, 46};
  return {42, 47};
}

// Writes the stand-in pictures (and a version picture) into dir.
inline void WriteStandInPictures(const QString& dir) {
  QDir().mkpath(dir);
  for (int code : PictureCodes()) {
    QImage image(NaturalSize(code), QImage::Format_RGB32);
    image.fill(StandInColour(code));
    image.save(dir + "/" + PictureNameForCode(code) + ".png");
  }
  QImage version(337, 106, QImage::Format_RGB32);
  version.fill(QColor(10, 20, 30));
  version.save(dir + "/VERSION.png");
}

// Colour of the backing image at the natural pixel (px, py).
inline QColor BackingPixel(const CanvasWidget& canvas, int px, int py) {
  return QColor(canvas.backing().pixel(px * kBackingScale, py * kBackingScale));
}

// Natural pixel of the middle of cell (x, y).
inline QPoint CellMiddle(int x, int y) {
  return {PixelOfTwips(grid::CentreX(x)), PixelOfTwips(grid::CentreY(y))};
}

// A started window over recording dialogs, sound and browser, playing in a
// fresh folder.
struct WindowFixture {
  QTemporaryDir folder;
  std::unique_ptr<PictureSet> pictures;
  RecordingDialogs dialogs;
  RecordingSound sound;
  RecordingBrowser browser;
  std::unique_ptr<MainWindow> window;

  // adjustPictures may replace stand-ins before they are loaded.
  explicit WindowFixture(const std::function<void(const QString&)>& adjustPictures = {}) {
    WriteStandInPictures(folder.path() + "/pictures");
    if (adjustPictures) adjustPictures(folder.path() + "/pictures");
    pictures = std::make_unique<PictureSet>(folder.path() + "/pictures");
    QDir().mkpath(workDir());
    FrontEndOptions options;
    options.workDir = workDir();
    options.dialogs = &dialogs;
    options.sound = &sound;
    options.browser = &browser;
    window = std::make_unique<MainWindow>(*pictures, options);
    window->start();
  }
  QString workDir() const { return folder.path() + "/game"; }
  Game& game() { return window->game(); }
  CanvasWidget& canvas() { return *window->canvas(); }
};

// The real dialogs over stand-in pictures, for tests that answer them from
// the dialogs' open hook.
struct DialogsFixture {
  QTemporaryDir folder;
  std::unique_ptr<PictureSet> pictures;
  QWidget parent;
  std::unique_ptr<QtDialogs> dialogs;
  DialogsFixture() {
    WriteStandInPictures(folder.path());
    pictures = std::make_unique<PictureSet>(folder.path());
    dialogs = std::make_unique<QtDialogs>(&parent, *pictures);
  }
};

}  // namespace qz::app::testing
