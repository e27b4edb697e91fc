// The record panel as a player uses it: its captions are part of the panel,
// not presses on the board, and its lists say which folder they show.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/game_menu_bar.h"
#include "app/record_folder.h"
#include "app/record_panel_widgets.h"
#include "app_test_support.h"
#include "shell/grid.h"

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
  const auto pressesBefore = f.game().flags.MoveNumber;

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
  EXPECT_EQ(f.game().input.InputState, Idle);
  EXPECT_EQ(f.game().flags.MoveNumber, pressesBefore);

  // A press on the board itself still closes the panel, as before.
  QTest::mouseClick(&f.canvas(), Qt::LeftButton, Qt::NoModifier,
                    f.canvas().widgetPointOfTwips(12000, 8500).toPoint());
  EXPECT_FALSE(panel.textBox(2)->isVisibleTo(w));
}

TEST(QaRecordPanel, EnterInTheFileNameBoxSavesAsTheButtonDoes) {
  WindowFixture f;
  RecordPanelWidgets& panel = *f.window->panel();
  QWidget* w = f.window.get();
  f.window->menus()->action(MenuCommand::START)->trigger();
  QTest::mouseClick(&f.canvas(), Qt::LeftButton, Qt::NoModifier,
                    f.canvas().widgetPointOfTwips(grid::CentreX(3), grid::CentreY(8)).toPoint());
  QTest::mouseClick(&f.canvas(), Qt::LeftButton, Qt::NoModifier,
                    f.canvas().widgetPointOfTwips(grid::CentreX(3), grid::CentreY(7)).toPoint());
  ASSERT_EQ(f.game().flags.MoveNumber, 1);
  f.window->menus()->action(MenuCommand::KIFU_WRITE)->trigger();
  panel.textBox(2)->setText(QString::fromUtf8("練習"));
  panel.textBox(1)->setText(QString::fromUtf8("一手"));
  const QString saved = f.workDir() + QString::fromUtf8("/一手.棋譜");

  // Enter in another box does not save: the player may still be typing.
  QTest::keyClick(panel.textBox(2), Qt::Key_Return);
  EXPECT_FALSE(QFileInfo::exists(saved));
  EXPECT_TRUE(panel.textBox(1)->isVisibleTo(w));

  QTest::keyClick(panel.textBox(1), Qt::Key_Return);
  EXPECT_TRUE(QFileInfo::exists(saved));
  EXPECT_FALSE(panel.returnButton()->isVisibleTo(w));
  ASSERT_FALSE(f.dialogs.shown.empty());
  EXPECT_EQ(f.dialogs.shown.back().text, "棋譜を書き込みました");
}

}  // namespace
}  // namespace qz::app::testing

namespace qz::app::testing {
namespace {

TEST(QaRecordPanel, FolderListShowsThePathDownToTheFolderThenItsSubfolders) {
  WindowFixture f;
  RecordPanelWidgets& panel = *f.window->panel();
  const QString work = QDir(f.workDir()).absolutePath();
  ASSERT_TRUE(QDir(work).mkdir("b"));
  ASSERT_TRUE(QDir(work).mkdir("a"));
  ASSERT_TRUE(panel.setDirectoryPath(work.toStdString()));

  QStringList expected = {"/"};
  for (const QString& part : work.split('/', Qt::SkipEmptyParts)) expected << part;
  const int currentRow = static_cast<int>(expected.size()) - 1;
  expected << "a"
           << "b";
  QListWidget* list = panel.directories();
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(list->currentRow(), currentRow);
  EXPECT_TRUE(list->currentItem()->isSelected());

  // Any folder of the path can be gone back to at once.
  emit list->itemDoubleClicked(list->item(0));
  EXPECT_EQ(panel.directoryPath(), "/");
  EXPECT_EQ(panel.filePath(), "/");
  EXPECT_EQ(list->currentRow(), 0);
}

// Sets environment variables for one test and puts them back afterwards.
class ScopedEnvironment {
 public:
  void set(const char* name, const QString& value) {
    remember(name);
    qputenv(name, value.toUtf8());
  }
  void unset(const char* name) {
    remember(name);
    qunsetenv(name);
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value.isNull())
        qunsetenv(name);
      else
        qputenv(name, value);
    }
  }

 private:
  void remember(const char* name) {
    for (const auto& s : saved_)
      if (s.first == name) return;
    saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
  }
  std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST(QaRecordPanel, OpensInTheDocumentsFolderOnlyWhenPlayingInTheDataFolder) {
  QTemporaryDir home;
  const QString data = home.path() + "/.local/share/qzreishogi";
  const QString game = home.path() + "/game";
  ASSERT_TRUE(QDir().mkpath(data) && QDir().mkpath(game));
  ScopedEnvironment env;
  env.set("HOME", home.path());
  env.unset("XDG_CONFIG_HOME");
  env.unset("XDG_DOCUMENTS_DIR");

  // A game folder keeps its records beside it.
  EXPECT_EQ(RecordPanelFolder(game, data), game);
  // No documents folder named anywhere: the home folder.
  EXPECT_EQ(RecordPanelFolder(data, data), home.path());

  // The desktop's list of user folders, as the desktop writes it.
  ASSERT_TRUE(QDir().mkpath(home.path() + "/.config") && QDir().mkpath(home.path() + "/Papiere"));
  QFile dirs(home.path() + "/.config/user-dirs.dirs");
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write(
      "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n");
  dirs.close();
  EXPECT_EQ(RecordPanelFolder(data, data), home.path() + "/Papiere");

  // The environment comes first; a folder that does not exist is not used.
  ASSERT_TRUE(QDir().mkpath(home.path() + "/Docs"));
  env.set("XDG_DOCUMENTS_DIR", home.path() + "/Docs");
  EXPECT_EQ(DocumentsFolder(), home.path() + "/Docs");
  env.set("XDG_DOCUMENTS_DIR", home.path() + "/missing");
  EXPECT_EQ(DocumentsFolder(), home.path());
}

}  // namespace
}  // namespace qz::app::testing
