// qzreishogi: the desktop game.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>

#include "app/application_identity.h"
#include "app/asset_locations.h"
#include "app/canvas_widget.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/record_folder.h"

int main(int argc, char** argv) {
  // Answered before the application object exists, which needs a display.
  if (const int status = qz::app::AnswerCommandLine(argc, argv); status >= 0) return status;
  QApplication app(argc, argv);
  qz::app::SetApplicationIdentity();

  const QString assetDir = qz::app::FindAssetDir();
  // The game reads its waves, help page and settings from the current
  // directory; without them here, it plays in the user's data folder.
  const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString workDir = qz::app::PrepareWorkingFolder(QDir::currentPath(), dataDir, assetDir);
  QDir::setCurrent(workDir);
  if (QFileInfo::exists(assetDir + "/qzreishogi.png")) {
    QApplication::setWindowIcon(QIcon(assetDir + "/qzreishogi.png"));
  }

  qz::app::PictureSet pictures(assetDir + "/pictures");
  qz::app::FrontEndOptions options;
  options.workDir = QDir::currentPath();
  // Records go where the player looks for them, not into the data folder.
  options.recordDir = qz::app::RecordPanelFolder(workDir, dataDir);
  qz::app::MainWindow window(pictures, options);
  QObject::connect(&window, &qz::app::MainWindow::gameEnded, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  // QZ_FIRST_PAINT=FILE: write the wall-clock time (seconds since the epoch)
  // at which the board was first painted, then end; bench/first_paint.sh
  // measures the start-up with it.
  const QString stamp = qEnvironmentVariable("QZ_FIRST_PAINT");
  if (!stamp.isEmpty()) {
    QObject::connect(window.canvas(), &qz::app::CanvasWidget::firstPainted, &window,
                     [&window, stamp] {
                       QFile file(stamp);
                       if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                         const qint64 ms = QDateTime::currentDateTimeUtc().toMSecsSinceEpoch();
                         file.write(QByteArray::number(ms / 1000.0, 'f', 3) + "\n");
                       }
                       QTimer::singleShot(0, &window, [&window] { window.close(); });
                     });
  }

  window.start();

  // QZ_SCREENSHOT=FILE: save the window as it first appears, then end.
  const QString shot = qEnvironmentVariable("QZ_SCREENSHOT");
  if (!shot.isEmpty()) {
    QTimer::singleShot(1500, &window, [&window, shot] {
      window.grab().save(shot);
      window.close();
    });
  }
  return app.exec();
}
