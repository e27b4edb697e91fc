#include "title_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "image_output.h"
#include "lettering.h"
#include "piece_pictures.h"
#include "wood.h"

namespace assetgen {

namespace {

const QColor kInk(30, 18, 8);
const QColor kVermilion(200, 40, 30);

// A wooden plaque: the board's wood, a dark frame and a thin gilt line inside it.
// The frame surrounds the part of the picture that is seen, width x height;
// anything beyond that (the picture's full size) is frame colour.
QImage Plaque(int pictureWidth, int pictureHeight, int width, int height) {
  QImage image = BoardWoodImage(pictureWidth, pictureHeight);
  image.fill(PieceEdge());
  {
    QPainter wood(&image);
    wood.drawImage(0, 0, BoardWoodImage(width, height));
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  // Light falls from the upper left over the whole plaque.
  QLinearGradient light(0, 0, width, height);
  light.setColorAt(0.0, QColor(255, 250, 230, 50));
  light.setColorAt(1.0, QColor(60, 30, 0, 45));
  p.fillRect(QRect(0, 0, width, height), light);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(PieceEdge(), 3.0));
  p.drawRect(QRectF(1.5, 1.5, width - 3.0, height - 3.0));
  p.setPen(QPen(QColor(176, 132, 52), 1.0));
  p.drawRect(QRectF(5.5, 5.5, width - 11.0, height - 11.0));
  p.end();
  return image;
}

// Text with a soft light edge below and to the right, as if cut into the wood.
void Engraved(QPainter& p, const QString& text, const QRectF& box, const QColor& colour,
              double stroke) {
  const QPainterPath outline = FitOutline(text, box);
  PaintOutline(p, outline.translated(0.8, 0.8), QColor(255, 240, 205, 160), stroke);
  PaintOutline(p, outline, colour, stroke);
}

QImage Title() {
  QImage image = Plaque(kTitleWidth, kTitleHeight, kTitleWidth, kTitleHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  // "QZ" in a vermilion seal, flanked by two fine rules.
  const QRectF seal(72.0, 10.0, 34.0, 24.0);
  p.setPen(Qt::NoPen);
  p.setBrush(kVermilion);
  p.drawRoundedRect(seal, 3.0, 3.0);
  PaintOutline(p, FitOutline(QStringLiteral("QZ"), seal.adjusted(5.0, 5.0, -5.0, -5.0)),
               QColor(255, 240, 225), 0.3);
  p.setPen(QPen(QColor(120, 80, 30), 1.0));
  p.drawLine(QPointF(16.0, 22.5), QPointF(66.0, 22.5));
  p.drawLine(QPointF(112.0, 22.5), QPointF(162.0, 22.5));
  // 嶺将棋, large.
  Engraved(p, QString::fromUtf8("嶺将棋"), QRectF(14.0, 40.0, 150.0, 56.0), kInk, 1.0);
  p.end();
  return image;
}

// The version box shows about 333 x 102 pixels of this picture, with its two
// buttons over the lower band at the left and the right; only the middle of
// that band carries text.
QImage VersionPicture() {
  constexpr int kShownWidth = 333, kShownHeight = 102;
  QImage image = Plaque(kVersionWidth, kVersionHeight, kShownWidth, kShownHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  // A shaded band under the buttons.
  p.fillRect(QRectF(6.0, 66.0, kShownWidth - 12.0, 30.0), QColor(90, 55, 20, 40));
  p.setPen(QPen(QColor(176, 132, 52), 1.0));
  p.drawLine(QPointF(6.0, 65.5), QPointF(kShownWidth - 6.0, 65.5));

  const QImage emblem = PaintEmblemPiece(56);
  p.drawImage(QPointF(14.0, 6.0), emblem);
  const QRectF seal(119.0, 11.0, 36.0, 26.0);
  p.setPen(Qt::NoPen);
  p.setBrush(kVermilion);
  p.drawRoundedRect(seal, 3.0, 3.0);
  PaintOutline(p, FitOutline(QStringLiteral("QZ"), seal.adjusted(6.0, 6.0, -6.0, -6.0)),
               QColor(255, 240, 225), 0.3);
  Engraved(p, QString::fromUtf8("嶺将棋"), QRectF(163.0, 7.0, 122.0, 34.0), kInk, 0.8);
  Engraved(p, QString::fromUtf8("十路盤に嶺と銅が加わった将棋"), QRectF(84.0, 46.0, 236.0, 14.0),
           kInk, 0.3);
  Engraved(p, QStringLiteral("Version 1.0"), QRectF(122.0, 76.0, 92.0, 14.0), QColor(90, 50, 20),
           0.3);
  p.end();
  return image;
}

}  // namespace

void AddTitlePictures(std::vector<PictureAsset>& out) {
  out.push_back({QStringLiteral("pictures/QZSHOGI.png"), Title(), false});
  out.push_back({QStringLiteral("pictures/VERSION.png"), VersionPicture(), false});
}

}  // namespace assetgen
