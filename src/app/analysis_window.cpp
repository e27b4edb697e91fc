#include "app/analysis_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "search/searcher.h"
#include "shell/analysis.h"
#include "shell/game.h"

namespace qz::app {

namespace {

bool SamePosition(const Position& a, const Position& b) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (a.Board[x][y] != b.Board[x][y]) return false;
  for (int i = 1; i <= HandKinds; ++i)
    if (a.Hand[SITA][i] != b.Hand[SITA][i] || a.Hand[UE][i] != b.Hand[UE][i]) return false;
  return true;
}

QString Utf8(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

QString SignedScore(const Evaluation& e) {
  const std::string text = ScoreText(e);
  return Utf8(e.mateMoves == 0 && e.centipawns > 0 ? "+" + text : text);
}

// The live search's table: enough for a few seconds of thinking; with the
// search's own histories the window stays well under the game's budget.
constexpr std::size_t kLiveHashMegabytes = 16;
// The live analysis first thinks this long, then lets the graph fill in,
// then thinks on without end.
constexpr int kFirstLiveMs = 1500;

}  // namespace

// ------------------------------------------------------------------ graph

EvaluationGraphWidget::EvaluationGraphWidget(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(140);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void EvaluationGraphWidget::setPoints(std::vector<Evaluation> points, std::vector<int> drops,
                                      int present, int firstNumber) {
  points_ = std::move(points);
  drops_ = std::move(drops);
  present_ = present;
  firstNumber_ = firstNumber;
  update();
}

QRectF EvaluationGraphWidget::plotArea() const {
  return QRectF(40, 8, std::max(10, width() - 48), std::max(10, height() - 30));
}

int EvaluationGraphWidget::indexAt(int x) const {
  if (points_.empty()) return -1;
  const QRectF r = plotArea();
  const int gaps = std::max<int>(1, static_cast<int>(points_.size()) - 1);
  const double f = (x - r.left()) / r.width();
  return std::clamp(static_cast<int>(std::lround(f * gaps)), 0,
                    static_cast<int>(points_.size()) - 1);
}

void EvaluationGraphWidget::mousePressEvent(QMouseEvent* event) {
  const int index = indexAt(static_cast<int>(event->position().x()));
  if (index >= 0 && onChoose) onChoose(index);
}

void EvaluationGraphWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  const QRectF r = plotArea();
  auto yOf = [&](const Evaluation& e) { return r.top() + r.height() * GraphFraction(e); };
  auto yValue = [&](int v) { return yOf(Evaluation{true, v, 0}); };
  const int gaps = std::max<int>(1, static_cast<int>(points_.size()) - 1);
  auto xOf = [&](int i) { return r.left() + r.width() * i / gaps; };

  // The lower army's half shaded; the scale in pawns, the line at 0.
  p.fillRect(QRectF(r.left(), yValue(0), r.width(), r.bottom() - yValue(0)), QColor(242, 242, 242));
  QFont small = font();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
  p.setFont(small);
  for (int v : {kGraphLimit, kGraphLimit / 2, 0, -kGraphLimit / 2, -kGraphLimit}) {
    p.setPen(QPen(v == 0 ? QColor(0, 0, 0) : QColor(200, 200, 200), v == 0 ? 1.2 : 0.6));
    p.drawLine(QPointF(r.left(), yValue(v)), QPointF(r.right(), yValue(v)));
    p.setPen(Qt::black);
    const QString label = v > 0 ? QString("+%1").arg(v / 100) : QString::number(v / 100);
    p.drawText(QRectF(0, yValue(v) - 8, r.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
               label);
  }
  p.setPen(QColor(90, 90, 90));
  p.drawText(QRectF(r.left() + 4, r.top() + 2, r.width(), 14), Qt::AlignLeft,
             QString::fromUtf8("▲有利"));
  p.drawText(QRectF(r.left() + 4, r.bottom() - 16, r.width(), 14), Qt::AlignLeft,
             QString::fromUtf8("△有利"));
  // Move numbers along the bottom.
  p.setPen(Qt::black);
  const int step = std::max(1, (gaps + 7) / 8);
  for (int i = 0; i < static_cast<int>(points_.size()); i += step) {
    p.drawText(QRectF(xOf(i) - 20, r.bottom() + 4, 40, 14), Qt::AlignHCenter,
               QString::number(firstNumber_ - 1 + i));
  }
  p.setPen(QColor(160, 160, 160));
  p.drawRect(r);

  // The present position.
  if (present_ >= 0 && present_ < static_cast<int>(points_.size())) {
    p.setPen(QPen(QColor(224, 128, 0), 1.4));
    p.drawLine(QPointF(xOf(present_), r.top()), QPointF(xOf(present_), r.bottom()));
  }
  // The line through the points analysed so far.
  QPainterPath path;
  bool open = false;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    if (!points_[i].known) {
      open = false;
      continue;
    }
    const QPointF at(xOf(static_cast<int>(i)), yOf(points_[i]));
    if (open)
      path.lineTo(at);
    else
      path.moveTo(at);
    open = true;
  }
  p.setPen(QPen(QColor(31, 78, 156), 1.8));
  p.drawPath(path);
  for (std::size_t i = 0; i < points_.size(); ++i) {
    if (points_[i].known && points_.size() <= 120)
      p.drawEllipse(QPointF(xOf(static_cast<int>(i)), yOf(points_[i])), 1.6, 1.6);
  }
  p.setPen(QPen(QColor(208, 16, 16), 1.8));
  for (int k : drops_) {
    if (k >= 0 && k < static_cast<int>(points_.size()) && points_[k].known)
      p.drawEllipse(QPointF(xOf(k), yOf(points_[k])), 4.5, 4.5);
  }
  if (present_ >= 0 && present_ < static_cast<int>(points_.size()) && points_[present_].known) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(224, 128, 0));
    p.drawEllipse(QPointF(xOf(present_), yOf(points_[present_])), 3.5, 3.5);
  }
}

// ----------------------------------------------------------------- worker

struct AnalysisWindowWidget::Work {
  std::mutex mutex;
  std::condition_variable wake;
  bool quit = false, paused = false, shown = false;
  // The position on the board and its phase: 0 a first, short look;
  // 1 thinking on without end; 2 nothing more to think.
  Position livePosition;
  Side liveSide = SITA;
  int livePly = 0;
  int livePhase = 2;
  unsigned long liveGeneration = 0;
  // The positions of the graph; done[i] once point i has its evaluation.
  std::vector<Position> graphLine;
  std::vector<Side> graphSides;
  std::vector<char> graphDone;
  int firstNumber = 1;
  unsigned long graphGeneration = 0;
  std::atomic<bool> stop{false};
  std::unique_ptr<search::Searcher> searcher;

  bool graphPending() const {
    return std::find(graphDone.begin(), graphDone.end(), 0) != graphDone.end();
  }
  bool hasWork() const { return livePhase < 2 || graphPending(); }
};

namespace {

// Each finished depth of the live search, sent to the window's thread.
class LiveRelay : public search::DepthObserver {
 public:
  LiveRelay(const Position& root, Side side, std::function<void(const LiveReport&)> send)
      : root_(root), side_(side), send_(std::move(send)) {}
  void onDepth(const search::DepthReport& d) override {
    LiveReport r;
    r.depth = d.depth;
    r.evaluation = EvaluationOfSearch(d.score, side_);
    r.nodes = d.nodes;
    r.nps = d.nps;
    r.line = LineNotation(root_, d.pv, std::min(d.pvLength, 12));
    send_(r);
  }

 private:
  Position root_;
  Side side_;
  std::function<void(const LiveReport&)> send_;
};

}  // namespace

void AnalysisWindowWidget::worker() {
  Work& w = *work_;
  std::unique_lock<std::mutex> lock(w.mutex);
  for (;;) {
    w.wake.wait(lock, [&] { return w.quit || (!w.paused && w.shown && w.hasWork()); });
    if (w.quit) return;
    w.stop = false;
    if (!w.searcher) {
      // Made on first use, off the window's thread: a window that is never
      // opened costs no memory.
      lock.unlock();
      auto searcher = std::make_unique<search::Searcher>(kLiveHashMegabytes);
      searcher->NewGame(0);
      lock.lock();
      w.searcher = std::move(searcher);
      continue;
    }
    if (w.livePhase < 2 && (w.livePhase == 0 || !w.graphPending())) {
      const Position pos = w.livePosition;
      const Side side = w.liveSide;
      const int ply = w.livePly;
      const int phase = w.livePhase;
      const unsigned long generation = w.liveGeneration;
      lock.unlock();
      search::Limits limits;
      if (phase == 0) limits.movetimeMs = kFirstLiveMs;
      LiveRelay relay(pos, side, [this, generation](const LiveReport& r) {
        QMetaObject::invokeMethod(
            this, [this, r, generation] { showLive(r, generation); }, Qt::QueuedConnection);
      });
      w.searcher->Think(pos, side, ply, limits, &w.stop, &relay);
      lock.lock();
      if (!w.stop && generation == w.liveGeneration) w.livePhase = phase + 1;
      continue;
    }
    // One point of the graph.
    const std::size_t index = static_cast<std::size_t>(
        std::find(w.graphDone.begin(), w.graphDone.end(), 0) - w.graphDone.begin());
    const Position pos = w.graphLine[index];
    const Side side = w.graphSides[index];
    const int ply = w.firstNumber - 1 + static_cast<int>(index);
    const unsigned long generation = w.graphGeneration;
    lock.unlock();
    search::Limits limits;
    limits.nodes = kGraphNodes;
    const PositionAnalysis a = AnalysePosition(*w.searcher, pos, side, ply, limits, &w.stop);
    lock.lock();
    if (w.stop || generation != w.graphGeneration) continue;
    w.graphDone[index] = 1;
    const Evaluation e = a.evaluation;
    QMetaObject::invokeMethod(
        this, [this, index, e, generation] { showGraphPoint(index, e, generation); },
        Qt::QueuedConnection);
  }
}

// ----------------------------------------------------------------- window

AnalysisWindowWidget::AnalysisWindowWidget(QWidget* parent)
    : QWidget(parent, Qt::Window), work_(std::make_unique<Work>()) {
  setWindowTitle(QString::fromUtf8("検討ウィンドウ"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* split = new QSplitter(Qt::Vertical, this);
  moves_ = new QListWidget(split);
  moves_->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* middle = new QWidget(split);
  auto* middleLayout = new QVBoxLayout(middle);
  middleLayout->setContentsMargins(0, 0, 0, 0);
  hint_ = new QLabel(middle);
  live_ = new QLabel(QString::fromUtf8("検討: 待機中"), middle);
  line_ = new QLabel(middle);
  line_->setWordWrap(true);
  line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  for (QLabel* l : {hint_, live_, line_}) middleLayout->addWidget(l);
  middleLayout->addStretch();
  graph_ = new EvaluationGraphWidget(split);
  split->addWidget(moves_);
  split->addWidget(middle);
  split->addWidget(graph_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  split->setStretchFactor(2, 2);
  layout->addWidget(split);
  resize(420, 640);

  connect(moves_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = moves_->row(item);
    if (chooseMove_ && row >= 0) chooseMove_(row + 1);
  });
  graph_->onChoose = [this](int index) {
    if (chooseMove_) chooseMove_(index);
  };

  placeTimer_ = new QTimer(this);
  placeTimer_->setSingleShot(true);
  placeTimer_->setInterval(400);
  connect(placeTimer_, &QTimer::timeout, this, [this] {
    if (onPlaced) onPlaced(geometry());
  });

  thread_ = std::thread([this] { worker(); });
}

AnalysisWindowWidget::~AnalysisWindowWidget() {
  {
    std::lock_guard<std::mutex> lock(work_->mutex);
    work_->quit = true;
    work_->stop = true;
  }
  work_->wake.notify_all();
  thread_.join();
}

void AnalysisWindowWidget::attach(const Game* game, std::function<void(int)> chooseMove) {
  game_ = game;
  chooseMove_ = std::move(chooseMove);
}

void AnalysisWindowWidget::setShown(bool shown) {
  QWidget::setVisible(shown);
  {
    std::lock_guard<std::mutex> lock(work_->mutex);
    work_->shown = shown;
    if (!shown) work_->stop = true;
  }
  work_->wake.notify_all();
  if (shown) follow();
}

void AnalysisWindowWidget::setPaused(bool paused) {
  {
    std::lock_guard<std::mutex> lock(work_->mutex);
    work_->paused = paused;
    if (paused) work_->stop = true;
  }
  work_->wake.notify_all();
}

void AnalysisWindowWidget::showHint(int, int, int, int, int, std::string_view text,
                                    std::string_view score) {
  hint_->setText(QString::fromUtf8("ヒント: ") + Utf8(std::string(text)) +
                 QString::fromUtf8("  評価値 ") + Utf8(std::string(score)));
}

void AnalysisWindowWidget::follow() {
  if (game_ == nullptr) return;
  const Game& g = *game_;
  std::vector<Position> line = PositionsOfLine(g.hist, g.pos);
  const int first = g.flags.MoveNumber - g.hist.MoveCount + 1;
  std::vector<ListedMove> listed = MoveList(line, first);

  // The move list.
  bool sameTexts = listed.size() == listed_.size() && first == firstNumber_;
  for (std::size_t i = 0; sameTexts && i < listed.size(); ++i)
    sameTexts = listed[i].text == listed_[i].text;
  if (!sameTexts) {
    moves_->clear();
    for (const ListedMove& m : listed)
      moves_->addItem(QString::number(m.number) + " " + Utf8(m.text));
  }
  const int row = g.hist.MoveCount - 1;
  if (row >= 0 && row < moves_->count()) {
    moves_->setCurrentRow(row);
    moves_->scrollToItem(moves_->item(row));
  } else {
    moves_->setCurrentRow(-1);
    moves_->clearSelection();
  }

  // The graph: points of positions that stayed are kept.
  const std::vector<Side> sides = SidesToMove(listed, line.size());
  std::vector<Evaluation> points(line.size());
  std::size_t kept = 0;
  while (kept < line.size() && kept < line_positions_.size() && first == firstNumber_ &&
         SamePosition(line[kept], line_positions_[kept]) && kept < points_.size())
    ++kept;
  const bool lineChanged = kept != line.size() || line.size() != line_positions_.size();
  for (std::size_t i = 0; i < kept; ++i) points[i] = points_[i];
  present_ = std::min<int>(g.hist.MoveCount, static_cast<int>(line.size()) - 1);

  // The position on the board and who is to move in it.
  Side toMove = SITA;
  if (g.flags.Turn != NoTurn)
    toMove = g.flags.Turn == g.flags.LowerSideToken ? SITA : UE;
  else if (g.hist.MoveCount < static_cast<int>(sides.size()))
    toMove = sides[static_cast<std::size_t>(g.hist.MoveCount)];
  {
    std::lock_guard<std::mutex> lock(work_->mutex);
    Work& w = *work_;
    if (lineChanged) {
      w.graphLine = line;
      w.graphSides = sides;
      w.graphDone.assign(line.size(), 0);
      for (std::size_t i = 0; i < kept; ++i) w.graphDone[i] = points[i].known ? 1 : 0;
      w.firstNumber = first;
      ++w.graphGeneration;
    }
    if (!liveStarted_ || !SamePosition(w.livePosition, g.pos) || w.liveSide != toMove) {
      liveStarted_ = true;
      w.livePosition = g.pos;
      w.liveSide = toMove;
      w.livePly = std::max(g.flags.MoveNumber, search::Searcher::kVarietyPlies);
      w.livePhase = 0;
      ++w.liveGeneration;
      w.stop = true;
      live_->setText(QString::fromUtf8("検討: 開始"));
      line_->clear();
    }
  }
  work_->wake.notify_all();
  line_positions_ = std::move(line);
  listed_ = std::move(listed);
  points_ = std::move(points);
  firstNumber_ = first;
  updateGraph();
}

void AnalysisWindowWidget::updateGraph() {
  std::vector<Side> movers;
  for (const ListedMove& m : listed_) movers.push_back(m.known ? m.mover : SITA);
  graph_->setPoints(points_, SharpDrops(points_, movers), present_, firstNumber_);
}

void AnalysisWindowWidget::showLive(const LiveReport& r, unsigned long generation) {
  {
    std::lock_guard<std::mutex> lock(work_->mutex);
    if (generation != work_->liveGeneration) return;
  }
  const int chance = static_cast<int>(std::lround(WinningChance(r.evaluation)));
  live_->setText(QString::fromUtf8("深さ %1  評価値 %2（▲の勝率 %3%）  %4 kN/秒")
                     .arg(r.depth)
                     .arg(SignedScore(r.evaluation))
                     .arg(chance)
                     .arg(r.nps / 1000));
  line_->setText(QString::fromUtf8("読み筋: ") + Utf8(r.line));
}

void AnalysisWindowWidget::showGraphPoint(std::size_t index, Evaluation e,
                                          unsigned long generation) {
  {
    std::lock_guard<std::mutex> lock(work_->mutex);
    if (generation != work_->graphGeneration) return;
  }
  if (index >= points_.size()) return;
  points_[index] = e;
  updateGraph();
}

bool AnalysisWindowWidget::waitForGraph(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!points_.empty() &&
        std::all_of(points_.begin(), points_.end(), [](const Evaluation& e) { return e.known; }))
      return true;
    QThread::msleep(5);
  }
  return false;
}

bool AnalysisWindowWidget::waitForLive(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (live_->text().startsWith(QString::fromUtf8("深さ"))) return true;
    QThread::msleep(5);
  }
  return false;
}

// A drag moves the window many times a second: the place is told once it
// has come to rest.
void AnalysisWindowWidget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (isVisible()) placeTimer_->start();
}

void AnalysisWindowWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible()) placeTimer_->start();
}

void AnalysisWindowWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  emit closedByUser();
}

}  // namespace qz::app
