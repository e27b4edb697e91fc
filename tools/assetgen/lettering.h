// The Mincho face used for every character on the pictures, and helpers that
// fit a character into a box by its ink, not by its font metrics.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace assetgen {

// Loads the IPAex Mincho font file. Returns false when it is missing, since
// another face would change every picture.
bool LoadMincho();

// The outline of text set in the Mincho face at the given pixel size, with
// its baseline origin at (0, 0).
QPainterPath TextOutline(const QString& text, double pixelSize);

// Scales the ink of text uniformly to the largest size that fits box,
// centres it there, and returns the outline.
QPainterPath FitOutline(const QString& text, const QRectF& box);

// Fills an outline; a pen of strokeWidth around it thickens thin brush
// strokes so that small characters stay legible.
void PaintOutline(QPainter& painter, const QPainterPath& outline, const QColor& colour,
                  double strokeWidth);

}  // namespace assetgen
