#include "svg_output.h"

#include <cmath>

namespace assetgen {

QString SvgNumber(double value) {
  QString text = QString::number(std::round(value * 100.0) / 100.0, 'f', 2);
  while (text.endsWith('0')) text.chop(1);
  if (text.endsWith('.')) text.chop(1);
  return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString SvgColour(const QColor& colour) { return colour.name(QColor::HexRgb); }

QString SvgPathData(const QPainterPath& path) {
  QString d;
  auto point = [&d](const QPainterPath::Element& e) { d += SvgNumber(e.x) + ' ' + SvgNumber(e.y); };
  bool open = false;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        if (open) d += QStringLiteral("Z");
        d += 'M';
        point(e);
        open = true;
        break;
      case QPainterPath::LineToElement:
        d += 'L';
        point(e);
        break;
      case QPainterPath::CurveToElement:
        // A cubic curve: this control point, then two data elements.
        d += 'C';
        point(e);
        d += ' ';
        point(path.elementAt(++i));
        d += ' ';
        point(path.elementAt(++i));
        break;
      case QPainterPath::CurveToDataElement: break;  // consumed with its curve
    }
  }
  if (open) d += QStringLiteral("Z");
  return d;
}

}  // namespace assetgen
