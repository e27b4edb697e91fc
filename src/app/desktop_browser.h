// Shows the help page or the web page with the desktop's own browser.
#pragma once

#include <QUrl>
#include <functional>

#include "shell/ports.h"

namespace qz::app {

// A local path becomes a file URL; a web address stays as it is.
QUrl UrlOfAddress(const std::string& address);

class DesktopBrowser : public Browser {
 public:
  // opener: how a URL is opened (the desktop services by default).
  explicit DesktopBrowser(std::function<bool(const QUrl&)> opener = {});
  bool create() override { return true; }
  void setOptions(bool, bool, bool) override {}
  bool navigate(const std::string& address) override;
  bool busy() override { return false; }
  void setVisible(bool) override {}

 private:
  std::function<bool(const QUrl&)> opener_;
};

}  // namespace qz::app
