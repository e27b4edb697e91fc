#include "app/desktop_browser.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace qz::app {

QUrl UrlOfAddress(const std::string& address) {
  const QString text = QString::fromStdString(address);
  if (text.startsWith("http://", Qt::CaseInsensitive) ||
      text.startsWith("https://", Qt::CaseInsensitive)) {
    return QUrl(text);
  }
  return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

DesktopBrowser::DesktopBrowser(std::function<bool(const QUrl&)> opener)
    : opener_(std::move(opener)) {
  if (!opener_) opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool DesktopBrowser::navigate(const std::string& address) {
  const QUrl url = UrlOfAddress(address);
  if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
  return opener_(url);
}

}  // namespace qz::app
