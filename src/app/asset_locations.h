// Where the program finds its pictures, and which folder it plays in.
#pragma once

#include <QString>
#include <QStringList>

namespace qz::app {

// The wave files and the help page the game reads from its working folder.
QStringList WorkingFolderFiles();

// The assets directory: $QZ_ASSET_DIR, else the installed share directory
// (beside the program or at the configured prefix), else the source tree's.
QString FindAssetDir();

// The folder the game runs in. The current directory when it already holds a
// wave file; otherwise dataDir, created and given any missing wave files and
// help page from assetDir. Returns the chosen folder ("" if none is usable).
QString PrepareWorkingFolder(const QString& currentDir, const QString& dataDir,
                             const QString& assetDir);

}  // namespace qz::app
