// An enlarged window is one surface: the margins beside the scaled image are
// tiled with the current background, on the same grid and at the same scale
// as the tiles inside the image.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <cmath>

#include "app/game_menu_bar.h"
#include "app_test_support.h"

namespace qz::app::testing {
namespace {

// A tile of four flat quarters, so that a pixel's colour tells where in the
// tile it lies.
void WriteQuarteredTile(const QString& dir, int code, const QColor (&quarters)[4]) {
  QImage tile(41, 46, QImage::Format_RGB32);
  QPainter p(&tile);
  p.fillRect(0, 0, 20, 23, quarters[0]);
  p.fillRect(20, 0, 21, 23, quarters[1]);
  p.fillRect(0, 23, 20, 23, quarters[2]);
  p.fillRect(20, 23, 21, 23, quarters[3]);
  p.end();
  tile.save(dir + "/" + PictureNameForCode(code) + ".png");
}

const QColor kSakura[4] = {QColor(200, 40, 40), QColor(40, 200, 40), QColor(40, 40, 200),
                           QColor(220, 220, 40)};
const QColor kTake[4] = {QColor(120, 0, 120), QColor(0, 120, 120), QColor(250, 130, 0),
                         QColor(90, 90, 90)};

bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
             std::abs(a.blue() - b.blue()) <=
         24;
}

struct Checked {
  int points = 0, wrong = 0;
};

// Compares widget pixels with the quarter the background grid puts them in:
// tile cell corners at natural pixels (87 + 41 i, 7 + 46 j). Pixels within
// 0.75 natural pixel of a quarter's edge are left out (smoothing blends them).
void CheckTiling(const QImage& shot, const CanvasWidget& canvas, const QRect& area,
                 const QColor (&quarters)[4], Checked& c) {
  const double s = canvas.displayScale();
  const QPointF o = canvas.displayOffset();
  auto away = [](double t, std::initializer_list<double> edges) {
    for (double e : edges)
      if (std::abs(t - e) < 0.75) return false;
    return true;
  };
  for (int y = area.top(); y <= area.bottom(); y += 3) {
    for (int x = area.left(); x <= area.right(); x += 3) {
      const double u = std::fmod(std::fmod((x + 0.5 - o.x()) / s - 87, 41) + 41, 41);
      const double v = std::fmod(std::fmod((y + 0.5 - o.y()) / s - 7, 46) + 46, 46);
      if (!away(u, {0, 20, 41}) || !away(v, {0, 23, 46})) continue;
      const QColor want = quarters[(u < 20 ? 0 : 1) + (v < 23 ? 0 : 2)];
      ++c.points;
      if (!Near(shot.pixelColor(x, y), want)) ++c.wrong;
    }
  }
}

TEST(QaWindowMargins, MarginsContinueTheBackgroundAtAnySizeAndFollowItsChoice) {
  WindowFixture f([](const QString& dir) {
    WriteQuarteredTile(dir, MIDORI, kSakura);
    WriteQuarteredTile(dir, TAKE, kTake);
  });
  ASSERT_EQ(f.game().screen.CurrentBackground, MIDORI);  // the settings' default
  CanvasWidget& canvas = f.canvas();

  for (QSize size : {QSize(1500, 800), QSize(900, 1300)}) {
    f.window->resize(size);
    QApplication::processEvents();
    const double s = canvas.displayScale();
    const QPointF o = canvas.displayOffset();
    const QRect image(o.toPoint(), QSize(static_cast<int>(kNaturalWidth * s),
                                         static_cast<int>(kNaturalHeight * s)));
    const QImage shot = canvas.grab().toImage();
    // Before and after the image along its long margins, and the column of
    // background cells at the image's left edge (cell x = -2, rows 1 to 9).
    const bool wide = o.x() > o.y();
    const QRect before = wide ? QRect(0, 0, image.left() - 2, canvas.height())
                              : QRect(0, 0, canvas.width(), image.top() - 2);
    const QRect after =
        wide ? QRect(image.right() + 3, 0, canvas.width() - image.right() - 3, canvas.height())
             : QRect(0, image.bottom() + 3, canvas.width(), canvas.height() - image.bottom() - 3);
    const QRect inside(QPointF(o.x() + 5 * s, o.y() + 53 * s).toPoint(),
                       QPointF(o.x() + 46 * s, o.y() + 421 * s).toPoint());
    ASSERT_GT(std::min(before.width(), before.height()), 40) << size.width();
    Checked c;
    CheckTiling(shot, canvas, before, kSakura, c);
    CheckTiling(shot, canvas, after, kSakura, c);
    CheckTiling(shot, canvas, inside, kSakura, c);
    EXPECT_GT(c.points, 1000);
    EXPECT_EQ(c.wrong, 0) << "window " << size.width() << "x" << size.height();
  }

  f.window->menus()->action(MenuCommand::TAKE)->trigger();
  const QImage shot = canvas.grab().toImage();
  Checked c;
  CheckTiling(shot, canvas, QRect(0, 0, canvas.width(), canvas.displayOffset().y() - 2), kTake, c);
  EXPECT_GT(c.points, 100);
  EXPECT_EQ(c.wrong, 0);
}

}  // namespace
}  // namespace qz::app::testing
