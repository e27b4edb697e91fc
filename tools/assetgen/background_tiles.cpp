#include "background_tiles.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>

#include "deterministic_random.h"
#include "image_output.h"
#include "periodic_noise.h"

namespace assetgen {

namespace {

constexpr int W = kTileWidth, H = kTileHeight;

// Draws a motif at (x, y) and at its copies one tile away, so that whatever
// crosses an edge reappears on the opposite one.
void Wrapped(const std::function<void(double, double)>& draw, double x, double y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) draw(x + dx * W, y + dy * H);
  }
}

QImage NoiseField(const QColor& base, double strength, int maxCycles, std::uint64_t seed) {
  QImage image(W, H, QImage::Format_RGB32);
  const PeriodicNoise noise(W, H, 18, maxCycles, maxCycles, seed);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) image.setPixelColor(x, y, Shade(base, strength * noise.at(x, y)));
  }
  return image;
}

// 桜: pale spring green with a soft pink haze, cherry blossoms and petals.
QImage CherryBlossoms() {
  QImage image(W, H, QImage::Format_RGB32);
  const PeriodicNoise haze(W, H, 10, 2, 2, 0x53414B55);  // "SAKU"
  // Mostly young green, so that the red lettering drawn on this background
  // stands out; the pink haze only hints at the blossom.
  const QColor leaf(196, 224, 178), blush(240, 218, 220);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const double t = 0.5 + 0.5 * haze.at(x, y);
      image.setPixelColor(x, y, Mix(leaf, blush, 0.55 * t));
    }
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);

  auto blossom = [&p](double cx, double cy, double r, double turn) {
    for (int i = 0; i < 5; ++i) {
      const double a = turn + i * 2.0 * std::numbers::pi / 5.0;
      // A petal: an ellipse pointing outwards with a small notch at its tip.
      p.save();
      p.translate(cx, cy);
      p.rotate(a * 180.0 / std::numbers::pi);
      QRadialGradient g(QPointF(0, -0.55 * r), 0.7 * r);
      g.setColorAt(0.0, QColor(255, 240, 244));
      g.setColorAt(1.0, QColor(244, 170, 190));
      p.setBrush(g);
      p.drawEllipse(QPointF(0, -0.55 * r), 0.36 * r, 0.52 * r);
      p.restore();
    }
    p.setBrush(QColor(214, 70, 110));
    p.drawEllipse(QPointF(cx, cy), 0.2 * r, 0.2 * r);
    p.setBrush(QColor(250, 220, 120));
    for (int i = 0; i < 5; ++i) {
      const double a = 0.6 + i * 2.0 * std::numbers::pi / 5.0;
      p.drawEllipse(QPointF(cx + 0.28 * r * std::sin(a), cy - 0.28 * r * std::cos(a)), 0.06 * r,
                    0.06 * r);
    }
  };
  auto petal = [&p](double cx, double cy, double r, double turnDegrees) {
    p.save();
    p.translate(cx, cy);
    p.rotate(turnDegrees);
    p.setBrush(QColor(245, 182, 200));
    p.drawEllipse(QPointF(0, 0), 0.45 * r, r);
    p.restore();
  };

  Wrapped([&](double x, double y) { blossom(x, y, 8.0, 0.2); }, 11.0, 13.0);
  Wrapped([&](double x, double y) { blossom(x, y, 6.0, 0.9); }, 31.0, 33.0);
  Wrapped([&](double x, double y) { petal(x, y, 2.4, 35.0); }, 33.0, 9.0);
  Wrapped([&](double x, double y) { petal(x, y, 2.0, -50.0); }, 8.0, 37.0);
  Wrapped([&](double x, double y) { petal(x, y, 1.8, 80.0); }, 22.0, 25.0);
  p.end();
  return image;
}

// 畳: rows of rush woven over warp threads; each stem swells between two
// threads, and neighbouring rows are offset like a weave.
QImage Tatami() {
  QImage image(W, H, QImage::Format_RGB32);
  const PeriodicNoise fibre(W, H, 16, 14, 3, 0x54415441);  // "TATA"
  DeterministicRandom random(0x494755);                    // "IGU"
  // A mid-toned, slightly aged straw: white lettering must stay readable on it.
  const QColor straw(174, 176, 104);
  const int rowHeight = 2;  // 23 rows in 46 pixels
  const int warps = 4;      // stitches across one tile
  double rowShade[H / rowHeight];
  for (double& s : rowShade) s = random.range(-7.0, 7.0);
  for (int y = 0; y < H; ++y) {
    const int row = y / rowHeight;
    const double offset = (row % 2 == 0) ? 0.0 : 0.5;
    for (int x = 0; x < W; ++x) {
      // Position within one stitch, 0..1, with the thread at 0.
      double u = static_cast<double>(x) * warps / W + offset;
      u -= std::floor(u);
      const double swell = std::sin(std::numbers::pi * u);  // 0 at the thread, 1 between
      double shade = rowShade[row] + 24.0 * (swell - 0.6) + 6.0 * fibre.at(x, y);
      if (y % rowHeight == rowHeight - 1) shade -= 14.0;  // the groove between rows
      image.setPixelColor(x, y, Shade(straw, shade));
    }
  }
  return image;
}

// 竹: two green stems with nodes in front of a dark grove.
QImage Bamboo() {
  QImage image = NoiseField(QColor(38, 70, 40), 8.0, 3, 0x54414B45);  // "TAKE"
  struct Stem {
    double centre, width, node;
  };
  const Stem stems[] = {{10.0, 14.0, 15.0}, {30.5, 11.0, 36.0}};
  const PeriodicNoise streaks(W, H, 8, 10, 2, 0x46555348);  // "FUSH"
  for (const Stem& s : stems) {
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        // Horizontal distance to the stem's centre, wrapped across the tile.
        double d = x + 0.5 - s.centre;
        d -= W * std::round(d / W);
        const double v = d / (s.width / 2.0);  // -1 .. 1 across the stem
        if (std::abs(v) > 1.0) continue;
        // Round stem: light from the left, darker at the right edge.
        const double lit = std::sqrt(1.0 - v * v) * (1.0 - 0.45 * v);
        QColor c = Mix(QColor(60, 110, 45), QColor(150, 196, 92), lit);
        c = Shade(c, 6.0 * streaks.at(x, y));
        // The node: a dark ring with a pale ridge just above it.
        double dy = y + 0.5 - s.node;
        dy -= H * std::round(dy / H);
        if (std::abs(dy) < 0.8)
          c = Shade(c, -55.0);
        else if (dy > -2.6 && dy < -0.8)
          c = Shade(c, 30.0);
        else if (dy > 0.8 && dy < 2.2)
          c = Shade(c, -14.0);
        // A soft dark edge where the stem meets the grove.
        if (std::abs(v) > 0.85) c = Shade(c, -30.0 * (std::abs(v) - 0.85) / 0.15);
        image.setPixelColor(x, y, c);
      }
    }
  }
  return image;
}

// 宇宙: deep blue night with a faint nebula and stars of several sizes.
QImage StarrySpace() {
  QImage image(W, H, QImage::Format_RGB32);
  const PeriodicNoise cloud(W, H, 12, 2, 2, 0x554348);  // "UCH"
  const PeriodicNoise tint(W, H, 8, 2, 2, 0x55);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const double c = 0.5 + 0.5 * cloud.at(x, y);
      const double t = 0.5 + 0.5 * tint.at(x, y);
      const QColor nebula = Mix(QColor(40, 22, 70), QColor(16, 40, 84), t);
      image.setPixelColor(x, y, Mix(QColor(6, 8, 24), nebula, c * c));
    }
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  DeterministicRandom random(0x484F5348);  // "HOSH"
  for (int i = 0; i < 16; ++i) {
    const double x = random.range(0, W), y = random.range(0, H);
    const int level = random.below(10);
    const QColor hue =
        Mix(QColor(255, 255, 255), (i % 3 == 0) ? QColor(170, 200, 255) : QColor(255, 236, 190),
            random.unit());
    const double radius = level < 6 ? 0.45 : (level < 9 ? 0.7 : 1.0);
    const int alpha = level < 6 ? 120 + random.below(100) : 255;
    Wrapped(
        [&](double px, double py) {
          QColor c = hue;
          c.setAlpha(alpha);
          p.setBrush(c);
          p.drawEllipse(QPointF(px, py), radius, radius);
        },
        x, y);
  }
  // One brighter star with a soft glow and a short glint; kept small so that
  // the repetition of the tile does not show as a grid.
  Wrapped(
      [&](double px, double py) {
        QRadialGradient glow(QPointF(px, py), 3.0);
        glow.setColorAt(0.0, QColor(255, 255, 255, 220));
        glow.setColorAt(0.35, QColor(190, 210, 255, 60));
        glow.setColorAt(1.0, QColor(120, 150, 255, 0));
        p.setBrush(glow);
        p.drawEllipse(QPointF(px, py), 3.0, 3.0);
        p.setPen(QPen(QColor(230, 240, 255, 90), 0.5));
        p.drawLine(QPointF(px - 2.5, py), QPointF(px + 2.5, py));
        p.drawLine(QPointF(px, py - 2.5), QPointF(px, py + 2.5));
        p.setPen(Qt::NoPen);
      },
      12.5, 30.5);
  p.end();
  return image;
}

// 煉瓦: four courses of bricks in running bond with pale mortar.
QImage BrickWall() {
  QImage image(W, H, QImage::Format_RGB32);
  const PeriodicNoise grit(W, H, 20, 12, 12, 0x52454E47);  // "RENG"
  DeterministicRandom random(0x4B49);
  const int courseTop[] = {0, 12, 23, 35, 46};  // courses of 12, 11, 12, 11 pixels
  const int mortar = 2;
  // Each course has two bricks; the joint of odd courses is shifted by half a brick.
  const int joint[] = {0, 10, 0, 10};
  double brickShade[4][2];
  for (auto& course : brickShade) {
    for (double& s : course) s = random.range(-16.0, 16.0);
  }
  const QColor brick(160, 72, 48), mortarColour(196, 188, 170);
  for (int y = 0; y < H; ++y) {
    int course = 0;
    while (y >= courseTop[course + 1]) ++course;
    const int inCourse = y - courseTop[course];
    for (int x = 0; x < W; ++x) {
      // Which brick of the course, and the distance from its left joint.
      int local = x - joint[course];
      if (local < 0) local += W;
      const int half = (local < 21) ? 0 : 1;
      const int fromJoint = half == 0 ? local : local - 21;
      const double g = grit.at(x, y);
      if (inCourse < mortar || fromJoint < mortar) {
        image.setPixelColor(x, y, Shade(mortarColour, 10.0 * g));
        continue;
      }
      double shade = brickShade[course][half] + 12.0 * g;
      if (inCourse == mortar) shade += 14.0;                                         // lit top edge
      if (inCourse == courseTop[course + 1] - courseTop[course] - 1) shade -= 18.0;  // lower edge
      if (fromJoint == mortar) shade += 8.0;
      image.setPixelColor(x, y, Shade(brick, shade));
    }
  }
  return image;
}

}  // namespace

void AddBackgroundTiles(std::vector<PictureAsset>& out) {
  out.push_back({QStringLiteral("pictures/HAIKEI_MIDORI.png"), CherryBlossoms(), false});
  out.push_back({QStringLiteral("pictures/HAIKEI_TATAMI.png"), Tatami(), false});
  out.push_back({QStringLiteral("pictures/HAIKEI_TAKE.png"), Bamboo(), false});
  out.push_back({QStringLiteral("pictures/HAIKEI_UCHU.png"), StarrySpace(), false});
  out.push_back({QStringLiteral("pictures/HAIKEI_RENGA.png"), BrickWall(), false});
}

}  // namespace assetgen
