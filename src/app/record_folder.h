// Where the record panel opens: the folder the game plays in, unless that is
// the per-user data folder, which a player never looks into; then the
// player's documents folder.
#pragma once

#include <QString>

namespace qz::app {

// The desktop's documents folder: $XDG_DOCUMENTS_DIR, else the entry in
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config by default), else the home
// folder. A named folder that does not exist also gives the home folder.
QString DocumentsFolder();

QString RecordPanelFolder(const QString& workDir, const QString& dataDir);

}  // namespace qz::app
