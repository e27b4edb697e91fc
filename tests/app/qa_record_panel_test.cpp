// The record panel tells the player which folder its lists show, since the
// lists themselves hold only names.
#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>

#include "app/game_menu_bar.h"
#include "app/record_panel_widgets.h"
#include "app_test_support.h"

namespace qz::app::testing {
namespace {

TEST(QaRecordPanel, ListsNameTheFolderTheyShowAsItChanges) {
  WindowFixture f;
  RecordPanelWidgets& panel = *f.window->panel();
  const QString work = QDir(f.workDir()).absolutePath();
  ASSERT_TRUE(QDir(work).mkdir("sub"));
  panel.setDirectoryPath(work.toStdString());
  panel.setFilePath(work.toStdString());
  f.window->menus()->action(MenuCommand::KIFU_READ)->trigger();
  EXPECT_EQ(panel.directories()->toolTip(), QDir::toNativeSeparators(work));
  EXPECT_EQ(panel.files()->toolTip(), QDir::toNativeSeparators(work));

  panel.enterDirectory("sub");
  EXPECT_EQ(panel.directories()->toolTip(), QDir::toNativeSeparators(work + "/sub"));
  EXPECT_EQ(panel.files()->toolTip(), QDir::toNativeSeparators(work + "/sub"));

  panel.enterDirectory("..");
  EXPECT_EQ(panel.directories()->toolTip(), QDir::toNativeSeparators(work));
  EXPECT_EQ(panel.files()->toolTip(), QDir::toNativeSeparators(work));
}

}  // namespace
}  // namespace qz::app::testing
