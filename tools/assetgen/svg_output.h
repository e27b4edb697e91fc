// Writing vector shapes as SVG text, with numbers that read the same in every
// locale and on every run.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QString>

namespace assetgen {

// The path's outline as SVG path data ("M x y L x y C ... Z").
QString SvgPathData(const QPainterPath& path);

// A number with two decimals, without trailing zeros ("12.5", "3").
QString SvgNumber(double value);

// "#rrggbb".
QString SvgColour(const QColor& colour);

}  // namespace assetgen
