// While a deep level thinks the window lives: events are taken, and Esc or
// closing the window ends the program at once instead of after the search.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "app/game_menu_bar.h"
#include "app/qt_thinking.h"
#include "app_test_support.h"

namespace qz::app::testing {
namespace {

// Starts a game in which the computer opens at LEVEL8 (five seconds of
// thinking) and, a moment into its thinking, runs `during`.
double ElapsedUntilTheTurnLetsGo(WindowFixture& f, const std::function<void()>& during,
                                 bool& sawThinking) {
  f.window->menus()->action(MenuCommand::LEVEL8)->trigger();
  QTimer::singleShot(300, [&] {
    sawThinking = f.window->thinking()->active();
    during();
  });
  QElapsedTimer clock;
  clock.start();
  f.window->menus()->action(MenuCommand::GOTE)->trigger();
  return clock.elapsed() / 1000.0;
}

TEST(QaDeepThinking, EscWhileTheComputerThinksEndsTheProgramAtOnce) {
  WindowFixture f;
  bool ended = false, sawThinking = false;
  QObject::connect(f.window.get(), &MainWindow::gameEnded, [&] { ended = true; });
  const double seconds = ElapsedUntilTheTurnLetsGo(
      f, [&] { QTest::keyClick(f.window.get(), Qt::Key_Escape); }, sawThinking);
  EXPECT_TRUE(sawThinking);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(f.window->ended());
  EXPECT_LT(seconds, 3.0);                // the level thinks five
  EXPECT_EQ(f.game().hist.MoveCount, 0);  // no move played behind the player's back
  int terminations = 0;
  for (const auto& call : f.sound.calls) terminations += call.op == "terminate";
  EXPECT_EQ(terminations, 1);
}

TEST(QaDeepThinking, ClosingTheWindowWhileTheComputerThinksEndsTheProgram) {
  WindowFixture f;
  bool ended = false, sawThinking = false;
  QObject::connect(f.window.get(), &MainWindow::gameEnded, [&] { ended = true; });
  const double seconds = ElapsedUntilTheTurnLetsGo(
      f, [&] { f.window->close(); }, sawThinking);
  EXPECT_TRUE(sawThinking);
  EXPECT_TRUE(ended);
  EXPECT_LT(seconds, 3.0);
  EXPECT_FALSE(f.window->isVisible());
}

TEST(QaDeepThinking, PressesWhileItThinksAreNotTakenAndTheMoveComes) {
  WindowFixture f;
  f.window->menus()->action(MenuCommand::LEVEL7)->trigger();
  f.game().deep.NodeLimit = 0;  // think by time, as in play
  bool sawThinking = false;
  QTimer::singleShot(200, [&] {
    sawThinking = f.window->thinking()->active();
    QTest::mouseClick(&f.canvas(), Qt::LeftButton, {}, CellMiddle(3, 8));
    f.window->menus()->action(MenuCommand::CANCEL)->trigger();
  });
  f.window->menus()->action(MenuCommand::GOTE)->trigger();
  EXPECT_TRUE(sawThinking);
  EXPECT_FALSE(f.window->ended());
  EXPECT_EQ(f.game().hist.MoveCount, 1);  // the computer's opening move, nothing else
  EXPECT_EQ(f.game().input.InputState, Idle);
  EXPECT_TRUE(f.window->menus()->action(MenuCommand::LEVEL7)->isChecked());
}

}  // namespace
}  // namespace qz::app::testing
