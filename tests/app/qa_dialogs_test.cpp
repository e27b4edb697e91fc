// The one Yes/No question asks whether to go on stepping through a loaded
// record; "No" discards the record. Dismissing the box with Esc or its close
// button must not count as that "No".
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/qt_dialogs.h"
#include "app_test_support.h"

namespace qz::app::testing {
namespace {

TEST(QaDialogs, EscOnTheQuestionKeepsTheRecord) {
  DialogsFixture f;
  f.dialogs->whenOpen = [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); };
  EXPECT_TRUE(f.dialogs->askYesNo("棋譜", "棋譜を '進 'で進めて下さい"));
}

TEST(QaDialogs, ClosingTheQuestionKeepsTheRecord) {
  DialogsFixture f;
  f.dialogs->whenOpen = [](QDialog& d) { d.close(); };
  EXPECT_TRUE(f.dialogs->askYesNo("棋譜", "棋譜を '進 'で進めて下さい"));
}

TEST(QaDialogs, OnlyThePressedNoButtonAnswersNo) {
  DialogsFixture f;
  f.dialogs->whenOpen = [](QDialog& d) {
    auto& box = static_cast<QMessageBox&>(d);
    ASSERT_NE(box.button(QMessageBox::No), nullptr);
    box.button(QMessageBox::No)->click();
  };
  EXPECT_FALSE(f.dialogs->askYesNo("棋譜", "棋譜を '進 'で進めて下さい"));
  f.dialogs->whenOpen = [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); };
  EXPECT_TRUE(f.dialogs->askYesNo("棋譜", "棋譜を '進 'で進めて下さい"));
}

}  // namespace
}  // namespace qz::app::testing
