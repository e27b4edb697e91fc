// The record panel's standard controls as child widgets of the canvas, at
// their twip geometry (scaled with the canvas).
#pragma once

#include <QObject>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "shell/ports.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace qz::app {

class CanvasWidget;

class RecordPanelWidgets : public QObject, public RecordPanel {
  Q_OBJECT
 public:
  // startDir: the directory both lists show at first.
  RecordPanelWidgets(CanvasWidget* canvas, const std::string& startDir);

  void setListsVisible(bool drive, bool directory, bool file) override;
  void setIoVisible(bool visible) override;
  std::string text(int box) override;
  void setText(int box, std::string_view text) override;
  std::string directoryPath() override;
  bool setDirectoryPath(const std::string& path) override;
  std::string filePath() override;
  void setFilePath(const std::string& path) override;
  void refreshFileList() override;

  // The user's actions, handed to the game by the window.
  std::function<void(const std::string&)> onDriveChosen;
  std::function<void()> onDirectoryChanged;
  std::function<void(const std::string&)> onFileClicked;
  std::function<void()> onReturn;

  // Re-places every control after the canvas changed size.
  void relayout();

  QComboBox* drive() const { return drive_; }
  QListWidget* directories() const { return dirs_; }
  QListWidget* files() const { return files_; }
  QLineEdit* textBox(int box) const;
  QLabel* label(int index) const { return labels_[index]; }
  QPushButton* returnButton() const { return return_; }
  // Entering a directory from the list (what a double-click does): a folder's
  // path, a subfolder's name, or ".." for the parent.
  void enterDirectory(const QString& entry);

 protected:
  // Keeps Esc typed into a control from reaching the window, where it would
  // end the program in the middle of saving.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillDirectories();
  void place(QWidget* w, const QRect& twips);

  CanvasWidget* canvas_;
  QComboBox* drive_;
  QListWidget* dirs_;
  QListWidget* files_;
  QLabel* labels_[4];
  QLineEdit* texts_[5] = {};
  QPushButton* return_;
  std::vector<std::pair<QWidget*, QRect>> geometry_;
  QString dirPath_, filePath_;
};

}  // namespace qz::app
