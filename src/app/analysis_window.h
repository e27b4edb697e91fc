// The analysis window (検討ウィンドウ) beside the main window: the game's
// move list, the live analysis of the position on the board and the
// evaluation graph of the game. The searches run on a worker thread of the
// window's own, with a search of its own; they pause while the game thinks
// (the computer's move or a hint), so they never slow it.
#pragma once

#include <QWidget>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "play/evaluation_graph.h"
#include "play/move_notation.h"
#include "shell/ports.h"

class QLabel;
class QTimer;
class QListWidget;

namespace qz {
class Game;
namespace search {
class Searcher;
}
}  // namespace qz

namespace qz::app {

// The evaluation graph: one point per position, the board's position
// marked, sharp drops circled; a click chooses a position.
class EvaluationGraphWidget : public QWidget {
  Q_OBJECT
 public:
  explicit EvaluationGraphWidget(QWidget* parent = nullptr);
  void setPoints(std::vector<Evaluation> points, std::vector<int> drops, int present,
                 int firstNumber);
  const std::vector<Evaluation>& points() const { return points_; }
  int present() const { return present_; }
  // The position nearest to a point of the widget.
  int indexAt(int x) const;
  std::function<void(int index)> onChoose;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QRectF plotArea() const;
  std::vector<Evaluation> points_;
  std::vector<int> drops_;
  int present_ = -1;
  int firstNumber_ = 1;
};

// What the live analysis last reported.
struct LiveReport {
  int depth = 0;
  Evaluation evaluation;
  std::string line;  // the best line in the notation
  std::uint64_t nodes = 0, nps = 0;
};

class AnalysisWindowWidget : public QWidget, public AnalysisWindow {
  Q_OBJECT
 public:
  explicit AnalysisWindowWidget(QWidget* parent = nullptr);
  ~AnalysisWindowWidget() override;

  // The game whose state the window shows; chooseMove steps it to the
  // position after move k (0: the first position), as the move list and
  // the graph ask.
  void attach(const Game* game, std::function<void(int moveIndex)> chooseMove);

  // AnalysisWindow.
  void setShown(bool shown) override;
  void showHint(int fromX, int fromY, int toX, int toY, int code, std::string_view text,
                std::string_view score) override;

  // After every event of the game: the list, the live analysis and the
  // graph follow the game.
  void follow();
  // While the game thinks the searches wait.
  void setPaused(bool paused);

  // For tests: what is shown.
  QListWidget* moveList() const { return moves_; }
  EvaluationGraphWidget* graph() const { return graph_; }
  QLabel* liveLabel() const { return live_; }
  QLabel* hintLabel() const { return hint_; }
  // Waits (pumping events) until the graph has every point or ms passed.
  bool waitForGraph(int ms);
  bool waitForLive(int ms);
  // Nodes of each graph point (small, so that the graph fills in seconds).
  static constexpr std::uint64_t kGraphNodes = 4000;

  std::function<void(const QRect&)> onPlaced;  // moved or resized, once at rest

 protected:
  void moveEvent(QMoveEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void closeEvent(QCloseEvent*) override;

 signals:
  void closedByUser();

 private:
  struct Work;
  void worker();
  void showLive(const LiveReport& report, unsigned long generation);
  void showGraphPoint(std::size_t index, Evaluation e, unsigned long generation);
  void updateGraph();

  const Game* game_ = nullptr;
  std::function<void(int)> chooseMove_;
  QListWidget* moves_;
  QLabel* hint_;
  QLabel* live_;
  QLabel* line_;
  EvaluationGraphWidget* graph_;

  // The line of play shown, its texts and movers.
  std::vector<Position> line_positions_;
  std::vector<ListedMove> listed_;
  std::vector<Evaluation> points_;
  int firstNumber_ = 1;
  int present_ = -1;

  QTimer* placeTimer_ = nullptr;
  bool liveStarted_ = false;

  std::unique_ptr<Work> work_;
  std::thread thread_;
};

}  // namespace qz::app
