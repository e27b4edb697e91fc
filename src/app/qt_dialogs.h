// Modal message boxes, the Yes/No question and the version box.
#pragma once

#include <QWidget>
#include <functional>

#include "app/picture_set.h"
#include "shell/ports.h"

class QDialog;

namespace qz::app {

class QtDialogs : public Dialogs {
 public:
  QtDialogs(QWidget* parent, const PictureSet& pictures);

  void message(std::string_view title, std::string_view text, MessageIcon icon) override;
  bool askYesNo(std::string_view title, std::string_view text) override;
  VersionChoice versionBox() override;

  // Called with every dialog once it is open (tests answer it from here so
  // that nothing waits for a person).
  std::function<void(QDialog&)> whenOpen;

 private:
  int run(QDialog& dialog);

  QWidget* parent_;
  const PictureSet& pictures_;
};

// Message text as the box shows it: carriage returns become line breaks.
QString MessageText(std::string_view text);

}  // namespace qz::app
