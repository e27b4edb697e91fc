// The screenshot of docs/screenshot-analysis.png: a game against the
// computer in progress with the analysis window open beside it. Runs only
// when QZ_SCREENSHOT names the file to write, under a real X server:
//   QZ_SCREENSHOT=docs/screenshot-analysis.png xvfb-run -s "-screen 0 1320x700x24" \
//     env QT_QPA_PLATFORM=xcb build/src/app/app_tests --gtest_filter=DocsScreenshot.*
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <cstdlib>

#include "app/analysis_window.h"
#include "app/game_menu_bar.h"
#include "app_test_support.h"

namespace qz::app::testing {
namespace {

TEST(DocsScreenshot, AGameInProgressWithTheAnalysisWindow) {
  const char* target = std::getenv("QZ_SCREENSHOT");
  if (target == nullptr) GTEST_SKIP() << "set QZ_SCREENSHOT to write the screenshot";
  QTemporaryDir folder;
  PictureSet pictures(QStringLiteral(QZ_SOURCE_ASSET_DIR) + "/pictures");
  RecordingDialogs dialogs;
  RecordingSound sound;
  RecordingBrowser browser;
  FrontEndOptions options;
  options.workDir = folder.path();
  options.dialogs = &dialogs;
  options.sound = &sound;
  options.browser = &browser;
  MainWindow window(pictures, options);
  window.start();
  window.menus()->action(MenuCommand::SENTE)->trigger();
  auto click = [&](int x, int y) {
    QTest::mouseClick(window.canvas(), Qt::LeftButton, {}, CellMiddle(x, y));
  };
  for (const auto [fx, fy, tx, ty] :
       {std::array{5, 8, 5, 7}, std::array{6, 8, 6, 7}, std::array{4, 8, 4, 7},
        std::array{7, 8, 7, 7}, std::array{3, 8, 3, 7}, std::array{8, 8, 8, 7}}) {
    click(fx, fy);
    click(tx, ty);
  }
  window.menus()->action(MenuCommand::ANALYSIS)->trigger();
  AnalysisWindowWidget* analysis = window.analysis();
  analysis->setGeometry(kNaturalWidth + 4, 0, 440, 690);
  window.game().deep.NodeLimit = 200000;
  window.menus()->action(MenuCommand::HINT)->trigger();
  ASSERT_TRUE(analysis->waitForGraph(60000));
  QTest::qWait(3000);  // the live analysis a few depths on
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  ASSERT_TRUE(shot.save(QString::fromUtf8(target)));
}

}  // namespace
}  // namespace qz::app::testing

namespace qz::app::testing {
namespace {

// The figure of the README: a LEVEL8 move (by nodes, so that both runs do
// the same work) with the analysis window closed and open. Runs only when
// QZ_TIMING is set; the machine should be otherwise idle.
TEST(DocsTiming, Level8MoveWithAndWithoutTheAnalysisWindow) {
  if (std::getenv("QZ_TIMING") == nullptr) GTEST_SKIP() << "set QZ_TIMING to measure";
  for (bool open : {false, true, false, true}) {
    WindowFixture f;
    f.window->menus()->action(MenuCommand::LEVEL8)->trigger();
    f.game().deep.NodeLimit = 3000000;
    if (open) {
      f.window->menus()->action(MenuCommand::ANALYSIS)->trigger();
      ASSERT_TRUE(f.window->analysis()->waitForLive(5000));
    }
    QElapsedTimer clock;
    clock.start();
    f.window->menus()->action(MenuCommand::GOTE)->trigger();
    std::printf("LEVEL8 move of 3000000 nodes, analysis window %s: %lld ms\n",
                open ? "open" : "closed", static_cast<long long>(clock.elapsed()));
    EXPECT_EQ(f.game().hist.MoveCount, 1);
  }
}

}  // namespace
}  // namespace qz::app::testing
