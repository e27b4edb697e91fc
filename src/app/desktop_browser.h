// Shows the help page or the web page with the desktop's own browser, or,
// when the desktop has none, the help page in a window of the game's own.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <functional>

#include "shell/ports.h"

namespace qz::app {

// A local path becomes a file URL; a web address stays as it is.
QUrl UrlOfAddress(const std::string& address);

class DesktopBrowser : public Browser {
 public:
  // opener: how a URL is opened (the desktop services by default). parent:
  // the window the game's own help window belongs to.
  explicit DesktopBrowser(std::function<bool(const QUrl&)> opener = {}, QWidget* parent = nullptr);
  ~DesktopBrowser() override;
  bool create() override { return true; }
  void setOptions(bool, bool, bool) override {}
  bool navigate(const std::string& address) override;
  bool busy() override { return false; }
  void setVisible(bool) override {}

  // The window that shows a local page no browser would open; null until
  // one was needed.
  QTextBrowser* helpWindow() const { return helpWindow_; }

 private:
  bool showInHelpWindow(const QUrl& url);

  std::function<bool(const QUrl&)> opener_;
  QWidget* parent_;
  QPointer<QTextBrowser> helpWindow_;
};

}  // namespace qz::app
