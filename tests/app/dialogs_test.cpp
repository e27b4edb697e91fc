// The real message boxes and the version box, answered from a hook so that
// nothing waits for a person.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt_dialogs.h"
#include "app/version_box.h"
#include "app_test_support.h"

namespace qz::app::testing {
namespace {

TEST(QtDialogs, MessageBoxShowsTitleTextIconAndOneOkButton) {
  DialogsFixture f;
  for (MessageIcon icon : {MessageIcon::None, MessageIcon::Warning}) {
    QString title, text;
    QMessageBox::Icon shownIcon = QMessageBox::Question;
    int buttons = 0;
    f.dialogs->whenOpen = [&](QDialog& d) {
      auto& box = static_cast<QMessageBox&>(d);
      title = box.windowTitle();
      text = box.text();
      shownIcon = box.icon();
      buttons = static_cast<int>(box.buttons().size());
      box.button(QMessageBox::Ok)->click();
    };
    f.dialogs->message("ｴﾗｰ", "棋譜ﾓｰﾄﾞではできません\r\r局面→最初にして下さい", icon);
    EXPECT_EQ(title, QString::fromUtf8("ｴﾗｰ"));
    EXPECT_EQ(text, QString::fromUtf8("棋譜ﾓｰﾄﾞではできません\n\n局面→最初にして下さい"));
    EXPECT_EQ(shownIcon, icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
    EXPECT_EQ(buttons, 1);
  }
}

TEST(QtDialogs, QuestionAnswersWithTheButtonPressed) {
  DialogsFixture f;
  for (bool yes : {true, false}) {
    f.dialogs->whenOpen = [&](QDialog& d) {
      auto& box = static_cast<QMessageBox&>(d);
      EXPECT_EQ(box.buttons().size(), 2);
      box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    };
    EXPECT_EQ(f.dialogs->askYesNo("対局", "もう一度？"), yes);
  }
}

TEST(QtDialogs, VersionBoxHasItsSizePictureAndTwoButtons) {
  DialogsFixture f;
  for (VersionChoice want : {VersionChoice::Ok, VersionChoice::HomePage}) {
    f.dialogs->whenOpen = [&](QDialog& d) {
      auto& box = static_cast<VersionBox&>(d);
      EXPECT_EQ(box.windowTitle(), QString::fromUtf8("バージョン情報"));
      EXPECT_EQ(box.size(), QSize(333, 102));
      EXPECT_TRUE(box.isModal());
      QPushButton* home = box.homePageButton();
      QPushButton* ok = box.okButton();
      EXPECT_EQ(home->text(), QString::fromUtf8("ホームページ"));
      EXPECT_EQ(ok->text(), QString("O K"));
      EXPECT_EQ(home->size(), QSize(105, 25));
      EXPECT_EQ(ok->size(), QSize(105, 25));
      EXPECT_EQ(home->y(), ok->y());
      EXPECT_LT(home->x(), ok->x());
      EXPECT_LE(ok->geometry().right(), box.width());
      const QLabel* picture = box.findChild<QLabel*>();
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(picture->pixmap().size(), QSize(337, 106));
      (want == VersionChoice::Ok ? ok : home)->click();
    };
    EXPECT_EQ(f.dialogs->versionBox(), want);
  }
}

TEST(QtDialogs, VersionCommandOfTheGameOpensTheRealBox) {
  QTemporaryDir folder;
  WriteStandInPictures(folder.path() + "/pictures");
  PictureSet pictures(folder.path() + "/pictures");
  RecordingSound sound;
  RecordingBrowser browser;
  FrontEndOptions options;
  options.workDir = folder.path();
  QFile help(folder.path() + "/" + QString::fromUtf8(HelpPageName));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  options.sound = &sound;
  options.browser = &browser;
  MainWindow window(pictures, options);
  ASSERT_NE(window.realDialogs(), nullptr);
  int opened = 0;
  window.realDialogs()->whenOpen = [&](QDialog& d) {
    ++opened;
    if (auto* box = qobject_cast<VersionBox*>(&d)) {
      box->homePageButton()->click();
    } else {
      d.accept();
    }
  };
  window.start();
  window.game().Menu(MenuCommand::VER);
  EXPECT_GE(opened, 1);
  ASSERT_FALSE(browser.addresses.empty());
  EXPECT_EQ(browser.addresses.back(),
            (folder.path() + "/" + QString::fromUtf8(HelpPageName)).toStdString());
  window.close();
}

}  // namespace
}  // namespace qz::app::testing
