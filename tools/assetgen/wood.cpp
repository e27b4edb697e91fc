#include "wood.h"

#include <cmath>

#include "image_output.h"
#include "periodic_noise.h"

namespace assetgen {

QColor BoardWood() { return QColor(224, 185, 112); }
QColor PieceWood() { return QColor(246, 218, 156); }
QColor PieceEdge() { return QColor(74, 46, 20); }

QImage BoardWoodImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  // Grain: many thin stripes across x that wander a little along y.
  const PeriodicNoise stripes(width, height, 14, 12, 1, 0x4B415941);  // "KAYA"
  const PeriodicNoise drift(width, height, 4, 1, 2, 0x44524946);      // "DRIF"
  const QColor base = BoardWood();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double bend = 1.5 * drift.at(x, y);
      const double grain = stripes.at(x + bend, 0.0);
      image.setPixelColor(x, y, Shade(base, 5.0 * grain));
    }
  }
  return image;
}

}  // namespace assetgen
