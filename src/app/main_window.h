// The one main window: the canvas, the menu bar and the record panel, with
// the game behind them. Every user event is handed to the game whole, one at
// a time, and the menu check marks follow the game after each.
#pragma once

#include <QMainWindow>
#include <memory>

#include "app/picture_set.h"
#include "shell/game.h"

namespace qz::app {

class AnalysisWindowWidget;
class CanvasWidget;
class DesktopBrowser;
class GameMenuBar;
class LocalTimeSource;
class QtDialogs;
class QtThinking;
class QtTimerPort;
class RecordPanelWidgets;
class SdlSound;

struct FrontEndOptions {
  QString workDir;                // the game's folder (waves, settings, help)
  QString recordDir;              // where the record panel opens (empty: workDir)
  Dialogs* dialogs = nullptr;     // null: real message boxes
  SoundLibrary* sound = nullptr;  // null: SDL2_mixer
  Browser* browser = nullptr;     // null: the desktop's browser
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(const PictureSet& pictures, FrontEndOptions options);
  ~MainWindow() override;

  // The window's load: the game's start-up, then placement and showing.
  void start();

  Game& game() { return *game_; }
  CanvasWidget* canvas() const { return canvas_; }
  RecordPanelWidgets* panel() const { return panel_.get(); }
  GameMenuBar* menus() const { return menus_; }
  QtDialogs* realDialogs() const { return qtDialogs_.get(); }
  QtTimerPort* timer() const { return timer_.get(); }
  QtThinking* thinking() const { return thinking_.get(); }
  AnalysisWindowWidget* analysis() const { return analysis_.get(); }
  bool ended() const { return ended_; }

  static constexpr const char* kCaption = "QZ 嶺将棋";

 signals:
  // The game has shut down (終わり, Esc or the window closed).
  void gameEnded();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs one event in the game unless another is still running (a modal box
  // inside an event lets ticks through); event returns true to end.
  template <class Event>
  void deliver(Event&& event);
  void finish();

  const PictureSet& pictures_;
  CanvasWidget* canvas_;
  GameMenuBar* menus_ = nullptr;
  std::unique_ptr<RecordPanelWidgets> panel_;
  std::unique_ptr<QtDialogs> qtDialogs_;
  std::unique_ptr<SdlSound> sdlSound_;
  std::unique_ptr<DesktopBrowser> desktopBrowser_;
  std::unique_ptr<QtTimerPort> timer_;
  std::unique_ptr<LocalTimeSource> time_;
  std::unique_ptr<QtThinking> thinking_;
  std::unique_ptr<AnalysisWindowWidget> analysis_;
  std::unique_ptr<Game> game_;
  bool inEvent_ = false;
  bool ended_ = false;
  // Esc or closing the window came while the computer thought: the program
  // ends as soon as the turn has let go.
  bool endAfterEvent_ = false;
};

}  // namespace qz::app
