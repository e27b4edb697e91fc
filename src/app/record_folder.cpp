#include "app/record_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace qz::app {

namespace {

// A value of user-dirs.dirs: "$HOME/Documents" or an absolute path, quoted.
QString UserDirsValue(const QString& line, const QString& home) {
  QString value = line.section('=', 1).trimmed();
  if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
    value = value.mid(1, value.size() - 2);
  if (value == QStringLiteral("$HOME")) return home;
  if (value.startsWith(QStringLiteral("$HOME/"))) return home + value.mid(5);
  return value.startsWith('/') ? value : QString();
}

QString FromUserDirsFile(const QString& home) {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = home + QStringLiteral("/.config");
  QFile file(config + QStringLiteral("/user-dirs.dirs"));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&file);
  QString found;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(QStringLiteral("XDG_DOCUMENTS_DIR="))) found = UserDirsValue(line, home);
  }
  return found;
}

}  // namespace

QString DocumentsFolder() {
  const QString home = QDir::homePath();
  QString folder = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
  if (folder.isEmpty()) folder = FromUserDirsFile(home);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return home;
  return QDir(folder).absolutePath();
}

QString RecordPanelFolder(const QString& workDir, const QString& dataDir) {
  if (!dataDir.isEmpty() && QDir(workDir) == QDir(dataDir)) return DocumentsFolder();
  return workDir;
}

}  // namespace qz::app
