// Writing pictures as PNG files that are identical on every run.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace assetgen {

// Saves as 24-bit RGB (or 32-bit RGBA when keepAlpha) without any text or
// time chunk. Returns false when the file cannot be written.
bool SavePng(const QImage& image, const QString& path, bool keepAlpha = false);

// Linear blend: t = 0 gives a, t = 1 gives b.
QColor Mix(const QColor& a, const QColor& b, double t);

// Adds delta (in 0..255 units) to each channel, clamped.
QColor Shade(const QColor& c, double delta);

}  // namespace assetgen
