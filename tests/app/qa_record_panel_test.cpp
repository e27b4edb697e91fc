// The record panel as a player uses it: its captions are part of the panel,
// not presses on the board, and its lists say which folder they show.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

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

TEST(QaRecordPanel, PressingACaptionKeepsThePanelAndWhatWasTyped) {
  WindowFixture f;
  RecordPanelWidgets& panel = *f.window->panel();
  QWidget* w = f.window.get();
  f.window->menus()->action(MenuCommand::START)->trigger();
  f.window->menus()->action(MenuCommand::KIFU_WRITE)->trigger();
  ASSERT_TRUE(panel.label(0)->isVisibleTo(w));
  panel.textBox(2)->setText(QString::fromUtf8("練習対局"));
  panel.textBox(1)->setText(QString::fromUtf8("練習"));
  const auto pressesBefore = f.game().MoveNumber;

  // Each caption lies over the board's left columns or the upper hand.
  for (int i = 0; i < 4; ++i) {
    QTest::mouseClick(panel.label(i), Qt::LeftButton);
    QTest::mouseClick(panel.label(i), Qt::RightButton);
  }
  EXPECT_TRUE(panel.label(3)->isVisibleTo(w));
  EXPECT_TRUE(panel.textBox(2)->isVisibleTo(w));
  EXPECT_TRUE(panel.directories()->isVisibleTo(w));
  EXPECT_EQ(panel.textBox(2)->text(), QString::fromUtf8("練習対局"));
  EXPECT_EQ(panel.textBox(1)->text(), QString::fromUtf8("練習"));
  EXPECT_EQ(f.game().InputState, Idle);
  EXPECT_EQ(f.game().MoveNumber, pressesBefore);

  // A press on the board itself still closes the panel, as before.
  QTest::mouseClick(&f.canvas(), Qt::LeftButton, Qt::NoModifier,
                    f.canvas().widgetPointOfTwips(12000, 8500).toPoint());
  EXPECT_FALSE(panel.textBox(2)->isVisibleTo(w));
}

}  // namespace
}  // namespace qz::app::testing
