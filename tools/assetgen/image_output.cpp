#include "image_output.h"

#include <QImageWriter>
#include <algorithm>

namespace assetgen {

bool SavePng(const QImage& image, const QString& path, bool keepAlpha) {
  const QImage out =
      image.convertToFormat(keepAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  QImageWriter writer(path, "png");
  // For PNG the quality setting selects the zlib level: 0 is the strongest.
  // Any fixed level gives the same bytes on every run.
  writer.setQuality(0);
  return writer.write(out);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto lerp = [t](int p, int q) { return static_cast<int>(p + (q - p) * t + 0.5); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()));
}

QColor Shade(const QColor& c, double delta) {
  auto clamp = [delta](int v) { return std::clamp(static_cast<int>(v + delta + 0.5), 0, 255); };
  return QColor(clamp(c.red()), clamp(c.green()), clamp(c.blue()));
}

}  // namespace assetgen
