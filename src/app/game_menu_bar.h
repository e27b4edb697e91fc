// The menu bar: the tree of commands with their captions and check marks.
#pragma once

#include <QObject>
#include <functional>
#include <map>

#include "shell/game.h"

class QAction;
class QMenu;
class QMenuBar;

namespace qz::app {

class GameMenuBar : public QObject {
  Q_OBJECT
 public:
  // Fills menuBar; every command goes to onCommand.
  GameMenuBar(QMenuBar* menuBar, std::function<void(MenuCommand)> onCommand);

  // Puts the check marks where the game has them.
  void showChecks(const MenuChecks& checks);

  QAction* action(MenuCommand command) const;

 private:
  QAction* addCommand(QMenu* menu, const char* caption, MenuCommand command,
                      bool checkable = false);
  QMenu* addMenu(QMenuBar* bar, const char* caption);

  std::function<void(MenuCommand)> onCommand_;
  std::map<MenuCommand, QAction*> actions_;
};

}  // namespace qz::app
