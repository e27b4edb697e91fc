#include "app/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <algorithm>
#include <thread>

#include "app/analysis_window.h"
#include "app/canvas_widget.h"
#include "app/desktop_browser.h"
#include "app/game_menu_bar.h"
#include "app/palette.h"
#include "app/qt_clock_ports.h"
#include "app/qt_dialogs.h"
#include "app/qt_thinking.h"
#include "app/record_panel_widgets.h"
#include "app/sdl_sound.h"
#include "app/window_font.h"
#include "search/searcher.h"

namespace qz::app {

MainWindow::MainWindow(const PictureSet& pictures, FrontEndOptions options)
    : pictures_(pictures), canvas_(new CanvasWidget(pictures, this)) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setFont(WindowFont(9, false));
  setCentralWidget(canvas_);
  canvas_->setMarginColour(PaletteColour(ColourGreen));
  canvas_->setFocusPolicy(Qt::StrongFocus);

  const QString recordDir = options.recordDir.isEmpty() ? options.workDir : options.recordDir;
  panel_ = std::make_unique<RecordPanelWidgets>(canvas_, recordDir.toStdString());
  connect(canvas_, &CanvasWidget::layoutChanged, this, [this] { panel_->relayout(); });

  Ports ports;
  ports.canvas = canvas_;
  ports.panel = panel_.get();
  if (options.dialogs != nullptr) {
    ports.dialogs = options.dialogs;
  } else {
    qtDialogs_ = std::make_unique<QtDialogs>(this, pictures_);
    ports.dialogs = qtDialogs_.get();
  }
  if (options.sound != nullptr) {
    ports.sound = options.sound;
  } else {
    sdlSound_ = std::make_unique<SdlSound>();
    ports.sound = sdlSound_.get();
  }
  if (options.browser != nullptr) {
    ports.browser = options.browser;
  } else {
    desktopBrowser_ = std::make_unique<DesktopBrowser>(nullptr, this);
    ports.browser = desktopBrowser_.get();
  }
  timer_ = std::make_unique<QtTimerPort>([this] {
    deliver([this] {
      game_->TimerTick();
      return false;
    });
  });
  ports.timer = timer_.get();
  time_ = std::make_unique<LocalTimeSource>();
  ports.time = time_.get();
  thinking_ = std::make_unique<QtThinking>();
  ports.thinking = thinking_.get();
  analysis_ = std::make_unique<AnalysisWindowWidget>();
  ports.analysis = analysis_.get();
  thinking_->onActiveChanged = [this](bool active) { analysis_->setPaused(active); };

  game_ = std::make_unique<Game>(ports, options.workDir.toStdString());
  // The deep levels think on every core of the machine.
  game_->SetDeepThreads(
      static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u,
                                  static_cast<unsigned>(search::Searcher::kMaxThreads))));
  analysis_->attach(game_.get(), [this](int moveIndex) {
    deliver([this, moveIndex] {
      game_->ShowPositionAfterMove(moveIndex);
      return false;
    });
  });
  analysis_->onPlaced = [this](const QRect& r) {
    game_->SetAnalysisWindowPlace(r.x(), r.y(), r.width(), r.height());
  };
  connect(analysis_.get(), &AnalysisWindowWidget::closedByUser, this, [this] {
    deliver([this] { return game_->checks.ANALYSIS && game_->Menu(MenuCommand::ANALYSIS); });
  });

  menus_ = new GameMenuBar(menuBar(), [this](MenuCommand command) {
    deliver([this, command] { return game_->Menu(command); });
  });
  canvas_->onPress = [this](int button, int x, int y) {
    deliver([this, button, x, y] {
      game_->MouseDown(button, 0, x, y);
      return false;
    });
  };
  panel_->onDriveChosen = [this](const std::string& drive) {
    deliver([this, drive] {
      const std::string before = panel_->directoryPath();
      game_->Drive1Change(drive);
      // A new directory list path is a change of the directory list.
      if (panel_->directoryPath() != before) game_->Dir1Change();
      return false;
    });
  };
  panel_->onDirectoryChanged = [this] {
    deliver([this] {
      game_->Dir1Change();
      return false;
    });
  };
  panel_->onFileClicked = [this](const std::string& name) {
    deliver([this, name] {
      game_->File1Click(name);
      return false;
    });
  };
  panel_->onReturn = [this] {
    deliver([this] {
      game_->Command1Click();
      return false;
    });
  };
}

MainWindow::~MainWindow() {
  timer_->setEnabled(false);
  analysis_.reset();
  game_.reset();
}

template <class Event>
void MainWindow::deliver(Event&& event) {
  if (inEvent_ || ended_) return;
  inEvent_ = true;
  const bool end = event();
  inEvent_ = false;
  if (endAfterEvent_ && !end) {
    game_->Close();
    finish();
    return;
  }
  menus_->showChecks(game_->checks);
  canvas_->setMarginTile(game_->screen.CurrentBackground);
  if (analysis_->isVisible()) analysis_->follow();
  if (end) finish();
}

void MainWindow::start() {
  inEvent_ = true;
  game_->Load();
  inEvent_ = false;
  menus_->showChecks(game_->checks);
  canvas_->setMarginTile(game_->screen.CurrentBackground);
  // 13000 x 9400 twips at the top-left corner.
  move(0, 0);
  resize(kNaturalWidth, kNaturalHeight + menuBar()->sizeHint().height());
  // The analysis window where it was last, else beside the main window.
  const AnalysisWindowPlace& place = game_->analysisPlace;
  if (place.Known)
    analysis_->setGeometry(place.X, place.Y, place.Width, place.Height);
  else
    analysis_->move(kNaturalWidth + 16, 0);
  show();
  canvas_->setFocus();
}

void MainWindow::finish() {
  ended_ = true;
  analysis_->hide();
  timer_->setEnabled(false);
  emit gameEnded();
  close();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  if (thinking_->active()) {
    endAfterEvent_ = true;
    thinking_->abandon();
    return;
  }
  deliver([this] { return game_->KeyPress(27); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!ended_ && thinking_->active()) {
    // The turn lets go first; the window closes right after it.
    endAfterEvent_ = true;
    thinking_->abandon();
    event->ignore();
    return;
  }
  if (!ended_) {
    ended_ = true;
    analysis_->hide();
    timer_->setEnabled(false);
    game_->Close();
    emit gameEnded();
  }
  event->accept();
}

}  // namespace qz::app
