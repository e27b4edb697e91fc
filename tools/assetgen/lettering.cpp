#include "lettering.h"

#include <QFont>
#include <QFontDatabase>
#include <QPen>
#include <algorithm>

namespace assetgen {

namespace {
constexpr const char* kMinchoFile = "/usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf";
constexpr const char* kMinchoFamily = "IPAexMincho";
}  // namespace

bool LoadMincho() {
  const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(kMinchoFile));
  if (id < 0) return false;
  return QFontDatabase::applicationFontFamilies(id).contains(QString::fromUtf8(kMinchoFamily));
}

QPainterPath TextOutline(const QString& text, double pixelSize) {
  QFont font(QString::fromUtf8(kMinchoFamily));
  font.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  QPainterPath path;
  path.addText(0, 0, font, text);
  return path;
}

QPainterPath FitOutline(const QString& text, const QRectF& box) {
  // Set large so that the outline's proportions do not suffer from rounding.
  const QPainterPath raw = TextOutline(text, 200.0);
  const QRectF ink = raw.boundingRect();
  if (ink.isEmpty()) return raw;
  const double scale = std::min(box.width() / ink.width(), box.height() / ink.height());
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(scale, scale);
  t.translate(-ink.center().x(), -ink.center().y());
  return t.map(raw);
}

void PaintOutline(QPainter& painter, const QPainterPath& outline, const QColor& colour,
                  double strokeWidth) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (strokeWidth > 0.0) {
    QPen pen(colour, strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
  } else {
    painter.setPen(Qt::NoPen);
  }
  painter.setBrush(colour);
  painter.drawPath(outline);
  painter.restore();
}

}  // namespace assetgen
