// Keys a player types while the record panel has the focus belong to its
// controls: Esc there must not end the program and lose the game being saved.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/game_menu_bar.h"
#include "app/record_panel_widgets.h"
#include "app_test_support.h"

namespace qz::app::testing {
namespace {

TEST(QaKeyboard, EscInTheRecordPanelKeepsTheGameAndWhatWasTyped) {
  WindowFixture f;
  bool ended = false;
  QObject::connect(f.window.get(), &MainWindow::gameEnded, [&] { ended = true; });
  RecordPanelWidgets& panel = *f.window->panel();
  f.window->menus()->action(MenuCommand::KIFU_WRITE)->trigger();
  ASSERT_TRUE(panel.textBox(1)->isVisibleTo(f.window.get()));

  for (int box = 1; box <= 4; ++box) {
    panel.textBox(box)->setText(QString::fromUtf8("名前%1").arg(box));
    QTest::keyClick(panel.textBox(box), Qt::Key_Escape);
  }
  QTest::keyClick(panel.directories(), Qt::Key_Escape);
  QTest::keyClick(panel.drive(), Qt::Key_Escape);
  QTest::keyClick(panel.returnButton(), Qt::Key_Escape);
  f.window->menus()->action(MenuCommand::KIFU_READ)->trigger();
  QTest::keyClick(panel.files(), Qt::Key_Escape);

  EXPECT_FALSE(ended);
  EXPECT_FALSE(f.window->ended());
  EXPECT_TRUE(f.window->isVisible());
  int terminations = 0;
  for (const auto& call : f.sound.calls) terminations += call.op == "terminate";
  EXPECT_EQ(terminations, 0);

  // Typing still reaches the boxes, and Esc on the board still ends the game.
  f.window->menus()->action(MenuCommand::KIFU_WRITE)->trigger();
  QTest::keyClicks(panel.textBox(1), "kifu");
  EXPECT_EQ(panel.textBox(1)->text(), QString("kifu"));
  QTest::keyClick(&f.canvas(), Qt::Key_Escape);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(f.window->ended());
}

TEST(QaKeyboard, EscReachingTheWindowItselfEndsTheProgram) {
  WindowFixture f;
  bool ended = false;
  QObject::connect(f.window.get(), &MainWindow::gameEnded, [&] { ended = true; });
  // The panel was shown and hidden again: its controls no longer hold the keys.
  f.window->menus()->action(MenuCommand::KIFU_WRITE)->trigger();
  f.window->menus()->action(MenuCommand::KIFU_READ)->trigger();
  f.window->menus()->action(MenuCommand::CANCEL)->trigger();
  QTest::keyClick(f.window.get(), Qt::Key_Escape);
  EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace qz::app::testing
