// The small fixed "バージョン情報" window: the version picture and two buttons.
#pragma once

#include <QDialog>
#include <QImage>

#include "shell/ports.h"

class QPushButton;

namespace qz::app {

class VersionBox : public QDialog {
  Q_OBJECT
 public:
  // Client area 4995 x 1530 twips; buttons 1575 x 375 twips.
  static constexpr int kWidth = 333, kHeight = 102;
  static constexpr int kButtonWidth = 105, kButtonHeight = 25;

  VersionBox(const QImage& picture, QWidget* parent);
  VersionChoice choice() const { return choice_; }
  QPushButton* homePageButton() const { return homePage_; }
  QPushButton* okButton() const { return ok_; }

 private:
  VersionChoice choice_ = VersionChoice::Ok;
  QPushButton* homePage_;
  QPushButton* ok_;
};

}  // namespace qz::app
