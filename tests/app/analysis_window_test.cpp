// The analysis window under the offscreen platform: shown and hidden by its
// menu entry, its move list and graph following the game and stepping it,
// the live analysis, the hint, and its place in the settings file.
#include "app/analysis_window.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "app/game_menu_bar.h"
#include "app_test_support.h"
#include "play/cp932.h"

namespace qz::app::testing {
namespace {

void Click(WindowFixture& f, int x, int y) {
  QTest::mouseClick(&f.canvas(), Qt::LeftButton, {}, CellMiddle(x, y));
}

// Two players, three moves: ▲６七歩 △６四歩 ▲６六歩.
void ThreeMoves(WindowFixture& f) {
  f.window->menus()->action(MenuCommand::START)->trigger();
  Click(f, 5, 8);
  Click(f, 5, 7);
  Click(f, 5, 3);
  Click(f, 5, 4);
  Click(f, 5, 7);
  Click(f, 5, 6);
  ASSERT_EQ(f.game().hist.MoveCount, 3);
}

TEST(AnalysisWindow, ItsMenuEntryShowsAndHidesItWithACheckMark) {
  WindowFixture f;
  AnalysisWindowWidget* w = f.window->analysis();
  QAction* entry = f.window->menus()->action(MenuCommand::ANALYSIS);
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(w->isVisible());
  entry->trigger();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(entry->isChecked());
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("検討ウィンドウ"));
  // Closed by its own title bar: the menu's mark follows.
  w->close();
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(entry->isChecked());
  EXPECT_FALSE(f.game().checks.ANALYSIS);
}

TEST(AnalysisWindow, TheMoveListFollowsTheGameAndAClickStepsToItsPosition) {
  WindowFixture f;
  ThreeMoves(f);
  f.window->menus()->action(MenuCommand::ANALYSIS)->trigger();
  QListWidget* list = f.window->analysis()->moveList();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("1 ▲６七歩(68)"));
  EXPECT_EQ(list->item(2)->text(), QString::fromUtf8("3 ▲６六歩(67)"));
  EXPECT_EQ(list->currentRow(), 2);

  // The first move: two steps back, as 戻 twice.
  const QRect first = list->visualItemRect(list->item(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_EQ(f.game().hist.MoveCount, 1);
  EXPECT_EQ(f.game().pos.at(5, 7), -HU);
  EXPECT_EQ(list->currentRow(), 0);
  // The list keeps the whole line, the latest move included: a click on it
  // goes forward to the newest position, as 進 does.
  EXPECT_EQ(list->count(), 3);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(2)).center());
  EXPECT_EQ(f.game().hist.MoveCount, 3);
  EXPECT_EQ(list->currentRow(), 2);
}

TEST(AnalysisWindow, TheGraphFillsInAndAClickShowsItsPosition) {
  WindowFixture f;
  ThreeMoves(f);
  f.window->menus()->action(MenuCommand::ANALYSIS)->trigger();
  AnalysisWindowWidget* w = f.window->analysis();
  ASSERT_TRUE(w->waitForGraph(20000));
  EvaluationGraphWidget* graph = w->graph();
  ASSERT_EQ(graph->points().size(), 4u);  // one per position, the board's included
  EXPECT_EQ(graph->present(), 3);
  // Opening positions are close to even.
  for (const Evaluation& e : graph->points()) EXPECT_LT(std::abs(GraphValue(e)), 500);
  // The graph scales with the window.
  w->resize(600, 800);
  QCoreApplication::processEvents();
  EXPECT_EQ(graph->indexAt(graph->width() - 9), 3);
  QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(41, graph->height() / 2));
  EXPECT_EQ(f.game().hist.MoveCount, 0);
  EXPECT_EQ(graph->present(), 0);
}

TEST(AnalysisWindow, LiveAnalysisStartsAtOnceAndTheHintGoesToTheWindow) {
  WindowFixture f;
  f.window->menus()->action(MenuCommand::SENTE)->trigger();
  f.window->menus()->action(MenuCommand::ANALYSIS)->trigger();
  AnalysisWindowWidget* w = f.window->analysis();
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(w->waitForLive(5000)) << w->liveLabel()->text().toStdString();
  std::printf("live analysis: first depth after %lld ms\n",
              static_cast<long long>(clock.elapsed()));
  EXPECT_TRUE(w->liveLabel()->text().contains(QString::fromUtf8("評価値")));
  EXPECT_TRUE(w->liveLabel()->text().contains(QString::fromUtf8("▲の勝率")));

  f.game().deep.NodeLimit = 3000;
  f.dialogs.shown.clear();
  f.window->menus()->action(MenuCommand::HINT)->trigger();
  EXPECT_TRUE(f.game().hint.Shown);
  EXPECT_TRUE(w->hintLabel()->text().startsWith(QString::fromUtf8("ヒント: ▲")))
      << w->hintLabel()->text().toStdString();
  EXPECT_TRUE(f.dialogs.shown.empty());  // no box while the window is open
}

TEST(AnalysisWindow, ItsPlaceIsKeptInTheSettingsFile) {
  WindowFixture f;
  f.window->menus()->action(MenuCommand::ANALYSIS)->trigger();
  AnalysisWindowWidget* w = f.window->analysis();
  w->setGeometry(900, 60, 450, 620);
  QTest::qWait(700);
  QFile file(f.workDir() + "/" + QString::fromUtf8(SettingsFileName));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::string text = Cp932ToUtf8(file.readAll().toStdString()).value_or("");
  EXPECT_NE(text.find("検討ウィンドウ大きさ=450,620"), std::string::npos) << text;
  EXPECT_NE(text.find("検討ウィンドウ位置="), std::string::npos) << text;
  EXPECT_EQ(f.game().analysisPlace.Width, 450);
}

}  // namespace
}  // namespace qz::app::testing
