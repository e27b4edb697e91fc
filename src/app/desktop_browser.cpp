#include "app/desktop_browser.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>

namespace qz::app {

namespace {

constexpr int kHelpWidth = 900, kHelpHeight = 700;

}  // namespace

QUrl UrlOfAddress(const std::string& address) {
  const QString text = QString::fromStdString(address);
  if (text.startsWith("http://", Qt::CaseInsensitive) ||
      text.startsWith("https://", Qt::CaseInsensitive)) {
    return QUrl(text);
  }
  return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

DesktopBrowser::DesktopBrowser(std::function<bool(const QUrl&)> opener, QWidget* parent)
    : opener_(std::move(opener)), parent_(parent) {
  if (!opener_) opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

DesktopBrowser::~DesktopBrowser() { delete helpWindow_.data(); }

bool DesktopBrowser::navigate(const std::string& address) {
  const QUrl url = UrlOfAddress(address);
  if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
  if (opener_(url)) return true;
  // No browser on the machine: a page of the game's own is still shown.
  return url.isLocalFile() && showInHelpWindow(url);
}

bool DesktopBrowser::showInHelpWindow(const QUrl& url) {
  if (!helpWindow_) {
    helpWindow_ = new QTextBrowser(parent_);
    helpWindow_->setWindowFlag(Qt::Window);
    helpWindow_->setAttribute(Qt::WA_DeleteOnClose, false);
    helpWindow_->setOpenLinks(true);
    helpWindow_->setOpenExternalLinks(false);
    QSize size(kHelpWidth, kHelpHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      size = size.boundedTo(screen->availableSize() * 0.9);
    helpWindow_->resize(size);
  }
  helpWindow_->setSource(url);
  if (helpWindow_->document()->isEmpty()) return false;
  const QString title = helpWindow_->documentTitle();
  helpWindow_->setWindowTitle(title.isEmpty() ? QFileInfo(url.toLocalFile()).fileName() : title);
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
  return true;
}

}  // namespace qz::app
