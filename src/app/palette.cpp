#include "app/palette.h"

namespace qz::app {

QColor PaletteColour(int index) {
  static const QRgb kColours[16] = {
      qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
      qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
      qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
      qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
  if (index < 0 || index > 15) return QColor(kColours[0]);
  return QColor(kColours[index]);
}

}  // namespace qz::app
