#include "app/qt_dialogs.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "app/version_box.h"

namespace qz::app {

QString MessageText(std::string_view text) {
  QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

QtDialogs::QtDialogs(QWidget* parent, const PictureSet& pictures)
    : parent_(parent), pictures_(pictures) {}

int QtDialogs::run(QDialog& dialog) {
  if (whenOpen) {
    QPointer<QDialog> guard(&dialog);
    QTimer::singleShot(0, &dialog, [this, guard] {
      if (guard) whenOpen(*guard);
    });
  }
  return dialog.exec();
}

void QtDialogs::message(std::string_view title, std::string_view text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                  MessageText(text), QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);
  run(box);
}

bool QtDialogs::askYesNo(std::string_view title, std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon,
                  QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                  MessageText(text), QMessageBox::Yes | QMessageBox::No, parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  // Esc or the close button only dismisses the box; left to Qt they would
  // count as "No", whose answer throws the loaded record away.
  box.setEscapeButton(QMessageBox::Yes);
  run(box);
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

VersionChoice QtDialogs::versionBox() {
  VersionBox box(pictures_.version(), parent_);
  run(box);
  return box.choice();
}

}  // namespace qz::app
