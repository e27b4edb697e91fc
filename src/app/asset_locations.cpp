#include "app/asset_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qz::app {

QStringList WorkingFolderFiles() {
  return {QStringLiteral("その他.wav"), QStringLiteral("禁止.wav"), QStringLiteral("駒打音.wav"),
          QStringLiteral("BGM.wav"), QStringLiteral("QZ嶺将棋.htm")};
}

namespace {
bool HasPictures(const QString& dir) {
  return !dir.isEmpty() && QFileInfo::exists(dir + "/pictures/KARA_MASU.png");
}
}  // namespace

QString FindAssetDir() {
  const QString fromEnv = qEnvironmentVariable("QZ_ASSET_DIR");
  if (!fromEnv.isEmpty()) return QDir(fromEnv).absolutePath();
  QStringList candidates;
  if (QCoreApplication::instance() != nullptr) {
    candidates << QCoreApplication::applicationDirPath() + "/../share/qzreishogi";
  }
#ifdef QZ_INSTALL_ASSET_DIR
  candidates << QString::fromUtf8(QZ_INSTALL_ASSET_DIR);
#endif
#ifdef QZ_SOURCE_ASSET_DIR
  candidates << QString::fromUtf8(QZ_SOURCE_ASSET_DIR);
#endif
  for (const QString& dir : candidates) {
    if (HasPictures(dir)) return QDir(dir).absolutePath();
  }
  return candidates.isEmpty() ? QString() : QDir(candidates.last()).absolutePath();
}

QString PrepareWorkingFolder(const QString& currentDir, const QString& dataDir,
                             const QString& assetDir) {
  const QStringList files = WorkingFolderFiles();
  // A folder with any wave file is a game folder: a player may have removed
  // the music on purpose, so a partial set is respected.
  for (const QString& name : files) {
    if (name.endsWith(".wav") && QFileInfo::exists(currentDir + "/" + name)) return currentDir;
  }
  if (dataDir.isEmpty() || !QDir().mkpath(dataDir)) return currentDir;
  for (const QString& name : files) {
    const QString target = dataDir + "/" + name;
    const QString source = assetDir + "/" + name;
    if (!QFileInfo::exists(target) && QFileInfo::exists(source)) {
      // Copy through a temporary name so a failed copy never leaves half a file.
      const QString partial = target + ".part";
      QFile::remove(partial);
      if (QFile::copy(source, partial)) {
        QFile(partial).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
        if (!QFile::rename(partial, target)) QFile::remove(partial);
      }
    }
  }
  return dataDir;
}

}  // namespace qz::app
