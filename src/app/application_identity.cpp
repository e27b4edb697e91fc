#include "app/application_identity.h"

#include <QGuiApplication>

namespace qz::app {

void SetApplicationIdentity() {
  QGuiApplication::setApplicationName(QStringLiteral("qzreishogi"));
  QGuiApplication::setDesktopFileName(QStringLiteral("qzreishogi"));
}

}  // namespace qz::app
