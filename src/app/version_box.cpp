#include "app/version_box.h"

#include <QLabel>
#include <QPushButton>

namespace qz::app {

VersionBox::VersionBox(const QImage& picture, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("バージョン情報"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kWidth, kHeight);
  setModal(true);

  auto* label = new QLabel(this);
  label->setPixmap(QPixmap::fromImage(picture));
  label->setGeometry(0, 0, picture.isNull() ? kWidth : picture.width(),
                     picture.isNull() ? kHeight : picture.height());

  const int top = kHeight - kButtonHeight - 6;
  homePage_ = new QPushButton(QStringLiteral("ホームページ"), this);
  homePage_->setGeometry(8, top, kButtonWidth, kButtonHeight);
  ok_ = new QPushButton(QStringLiteral("O K"), this);
  ok_->setGeometry(kWidth - kButtonWidth - 8, top, kButtonWidth, kButtonHeight);
  ok_->setDefault(true);

  connect(homePage_, &QPushButton::clicked, this, [this] {
    choice_ = VersionChoice::HomePage;
    accept();
  });
  connect(ok_, &QPushButton::clicked, this, [this] {
    choice_ = VersionChoice::Ok;
    accept();
  });
}

}  // namespace qz::app
