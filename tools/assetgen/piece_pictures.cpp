#include "piece_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include "deterministic_random.h"
#include "image_output.h"
#include "lettering.h"
#include "svg_output.h"
#include "wood.h"

namespace assetgen {

namespace {

struct PieceKind {
  const char* word;      // picture name part
  const char* face;      // unpromoted character
  const char* promoted;  // promoted face: one character, or two to be stacked; null if none
  double width, height;  // size of the wedge in pixels: higher ranks are larger
};

// Single characters are the traditional forms of the promoted lance, knight and
// silver; the 嶺 and 銅 have none, so they show both characters stacked.
const PieceKind kKinds[] = {
    {"HU", "歩", "と", 29.0, 36.0},    {"KYOU", "香", "杏", 30.5, 37.5},
    {"KEI", "桂", "圭", 30.5, 37.5},   {"REI", "嶺", "成嶺", 31.0, 38.0},
    {"GIN", "銀", "全", 32.0, 39.0},   {"KIN", "金", nullptr, 32.0, 39.0},
    {"DOU", "銅", "成銅", 32.0, 39.0}, {"KAKU", "角", "馬", 33.0, 40.0},
    {"SYA", "飛", "龍", 33.0, 40.0},   {"OU", "王", nullptr, 34.0, 41.0},
};

const QColor kInk(28, 18, 10);
const QColor kRedInk(196, 24, 24);

// The wedge of a piece standing on (cx, baseY): apex, shoulders, base corners.
QPolygonF Wedge(double cx, double baseY, double w, double h) {
  const double top = baseY - h;
  const double shoulderY = top + 0.23 * h;
  QPolygonF p;
  p << QPointF(cx, top) << QPointF(cx + 0.40 * w, shoulderY) << QPointF(cx + 0.5 * w, baseY)
    << QPointF(cx - 0.5 * w, baseY) << QPointF(cx - 0.40 * w, shoulderY);
  return p;
}

// Paints a piece's wedge and face into painter. `turn` maps the piece's own
// upright drawing onto the picture (identity, or a half turn for the upper
// side); light and shadow stay fixed to the picture.
void PaintPiece(QPainter& painter, const QTransform& turn, double cx, double baseY, double w,
                double h, const QString& face, const QColor& ink, std::uint64_t grainSeed,
                double scale) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QPolygonF wedge = turn.map(Wedge(cx, baseY, w, h));
  QPainterPath wedgePath;
  wedgePath.addPolygon(wedge);
  wedgePath.closeSubpath();

  // Shadow to the lower right, as if lit from the upper left.
  const QRectF bounds = wedge.boundingRect();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(60, 35, 10, 70));
  painter.drawPath(wedgePath.translated(1.2 * scale, 1.5 * scale));
  painter.setBrush(QColor(60, 35, 10, 40));
  painter.drawPath(wedgePath.translated(2.0 * scale, 2.4 * scale));

  // The wood, lighter towards the light.
  QLinearGradient light(bounds.topLeft(), bounds.bottomRight());
  light.setColorAt(0.0, Shade(PieceWood(), 10));
  light.setColorAt(1.0, Shade(PieceWood(), -22));
  painter.setBrush(light);
  painter.drawPath(wedgePath);

  // A few faint grain lines along the piece.
  painter.save();
  painter.setClipPath(wedgePath);
  DeterministicRandom random(grainSeed);
  for (int i = 0; i < 7; ++i) {
    const double x = bounds.left() + random.unit() * bounds.width();
    const double lean = random.range(-0.12, 0.12) * bounds.height();
    painter.setPen(QPen(QColor(150, 105, 45, 28 + random.below(20)), 0.8 * scale));
    painter.drawLine(QPointF(x, bounds.top()), QPointF(x + lean, bounds.bottom()));
  }
  painter.restore();

  // A light inner edge along the lit sides, then the dark outline.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 244, 215, 150), 1.0 * scale));
  QTransform inset;
  const QPointF c = bounds.center();
  inset.translate(c.x(), c.y());
  inset.scale(1.0 - 2.2 * scale / bounds.width(), 1.0 - 2.2 * scale / bounds.height());
  inset.translate(-c.x(), -c.y());
  painter.drawPath(inset.map(wedgePath));
  painter.setPen(QPen(PieceEdge(), 1.1 * scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawPath(wedgePath);

  // The face: one character, or two stacked for the long promoted names.
  const double top = baseY - h;
  const double textLeft = cx - 0.355 * w, textWidth = 0.71 * w;
  const double stroke = 0.55 * scale;
  if (face.size() == 1) {
    const QRectF box(textLeft, top + 0.27 * h, textWidth, 0.64 * h);
    PaintOutline(painter, turn.map(FitOutline(face, box)), ink, stroke);
  } else {
    // The prefix 成 small at the top, the piece's own character large below it,
    // so that the character that tells the pieces apart stays legible.
    const QRectF upper(cx - 0.25 * w, top + 0.20 * h, 0.50 * w, 0.29 * h);
    const QRectF lower(cx - 0.39 * w, top + 0.51 * h, 0.78 * w, 0.43 * h);
    PaintOutline(painter, turn.map(FitOutline(face.left(1), upper)), ink, stroke * 0.7);
    PaintOutline(painter, turn.map(FitOutline(face.mid(1), lower)), ink, stroke);
  }
}

QImage PieceImage(const PieceKind& kind, bool upper, bool promoted, std::uint64_t seed) {
  QImage image = BoardWoodImage(kPieceWidth, kPieceHeight);
  QPainter painter(&image);
  QTransform turn;
  if (upper) {
    // A half turn about the centre of the cell's visible part.
    turn.translate(kPieceWidth, kPieceHeight);
    turn.rotate(180.0);
  }
  // The visible cell runs from pixel 1 to 40 across and 1 to 45 down (the
  // game draws its frame over the outermost rows and columns).
  const double cx = 21.0, baseY = 44.6;
  const QString face = QString::fromUtf8(promoted ? kind.promoted : kind.face);
  PaintPiece(painter, turn, cx, baseY, kind.width, kind.height, face, promoted ? kRedInk : kInk,
             seed, 1.0);
  painter.end();
  return image;
}

}  // namespace

void AddPiecePictures(std::vector<PictureAsset>& out) {
  std::uint64_t seed = 1;
  for (bool upper : {false, true}) {
    const QString side = upper ? QStringLiteral("UE") : QStringLiteral("SITA");
    for (const PieceKind& kind : kKinds) {
      const QString word = QString::fromUtf8(kind.word);
      if (kind.promoted == nullptr) {
        out.push_back({QStringLiteral("pictures/%1_%2.png").arg(side, word),
                       PieceImage(kind, upper, false, seed++), false});
        continue;
      }
      for (int item = 0; item < 2; ++item) {
        out.push_back({QStringLiteral("pictures/%1_%2_%3.png").arg(side, word).arg(item),
                       PieceImage(kind, upper, item == 1, seed++), false});
      }
    }
  }
  out.push_back(
      {QStringLiteral("pictures/KARA_MASU.png"), BoardWoodImage(kPieceWidth, kPieceHeight), false});
  out.push_back({QStringLiteral("qzreishogi.png"), PaintEmblemPiece(kIconSize), true});
}

namespace {

// Where the emblem's wedge stands in a size x size square.
struct EmblemPlace {
  explicit EmblemPlace(double size)
      : scale(size / 42.0),
        cx(size / 2.0 - 0.02 * size),
        baseY(0.965 * size),
        w(0.80 * size),
        h(0.94 * size) {}
  double scale, cx, baseY, w, h;
};

}  // namespace

QImage PaintEmblemPiece(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  const EmblemPlace e(size);
  PaintPiece(painter, QTransform(), e.cx, e.baseY, e.w, e.h, QString::fromUtf8("嶺"), kInk,
             0x5245494Eu, e.scale);
  painter.end();
  return image;
}

void AddIcons(std::vector<PictureAsset>& out) {
  for (int size : kIconSizes) {
    out.push_back(
        {QStringLiteral("icons/%1x%1/qzreishogi.png").arg(size), PaintEmblemPiece(size), true});
  }
}

std::string EmblemSvg() {
  constexpr double kSize = 256.0;
  const EmblemPlace e(kSize);
  QPainterPath wedge;
  wedge.addPolygon(Wedge(e.cx, e.baseY, e.w, e.h));
  wedge.closeSubpath();
  const QRectF bounds = wedge.boundingRect();
  // The light inner edge, drawn a little inside the outline.
  QTransform inset;
  inset.translate(bounds.center().x(), bounds.center().y());
  inset.scale(1.0 - 2.2 * e.scale / bounds.width(), 1.0 - 2.2 * e.scale / bounds.height());
  inset.translate(-bounds.center().x(), -bounds.center().y());
  const double top = e.baseY - e.h;
  const QPainterPath face =
      FitOutline(QString::fromUtf8("嶺"),
                 QRectF(e.cx - 0.355 * e.w, top + 0.27 * e.h, 0.71 * e.w, 0.64 * e.h));

  const QString shape = SvgPathData(wedge);
  const QString n = SvgNumber(kSize);
  QString svg;
  svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + n + "\" height=\"" + n +
         "\" viewBox=\"0 0 " + n + ' ' + n + "\">\n";
  svg += "<defs><linearGradient id=\"wood\" gradientUnits=\"userSpaceOnUse\" x1=\"" +
         SvgNumber(bounds.left()) + "\" y1=\"" + SvgNumber(bounds.top()) + "\" x2=\"" +
         SvgNumber(bounds.right()) + "\" y2=\"" + SvgNumber(bounds.bottom()) + "\">" +
         "<stop offset=\"0\" stop-color=\"" + SvgColour(Shade(PieceWood(), 10)) + "\"/>" +
         "<stop offset=\"1\" stop-color=\"" + SvgColour(Shade(PieceWood(), -22)) + "\"/>" +
         "</linearGradient></defs>\n";
  // Shadow to the lower right, the wood, the lit edge, the outline, the face.
  const QString shadow = SvgColour(QColor(60, 35, 10));
  svg += "<path d=\"" + shape + "\" transform=\"translate(" + SvgNumber(1.2 * e.scale) + ' ' +
         SvgNumber(1.5 * e.scale) + ")\" fill=\"" + shadow + "\" fill-opacity=\"0.27\"/>\n";
  svg += "<path d=\"" + shape + "\" transform=\"translate(" + SvgNumber(2.0 * e.scale) + ' ' +
         SvgNumber(2.4 * e.scale) + ")\" fill=\"" + shadow + "\" fill-opacity=\"0.16\"/>\n";
  svg += "<path d=\"" + shape + "\" fill=\"url(#wood)\"/>\n";
  svg += "<path d=\"" + SvgPathData(inset.map(wedge)) + "\" fill=\"none\" stroke=\"" +
         SvgColour(QColor(255, 244, 215)) + "\" stroke-opacity=\"0.59\" stroke-width=\"" +
         SvgNumber(e.scale) + "\"/>\n";
  svg += "<path d=\"" + shape + "\" fill=\"none\" stroke=\"" + SvgColour(PieceEdge()) +
         "\" stroke-width=\"" + SvgNumber(1.1 * e.scale) + "\" stroke-linejoin=\"miter\"/>\n";
  svg +=
      "<path d=\"" + SvgPathData(face) + "\" fill=\"" + SvgColour(kInk) + "\" fill-rule=\"" +
      (face.fillRule() == Qt::OddEvenFill ? QStringLiteral("evenodd") : QStringLiteral("nonzero")) +
      "\" stroke=\"" + SvgColour(kInk) + "\" stroke-width=\"" + SvgNumber(0.55 * e.scale) +
      "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n";
  svg += QStringLiteral("</svg>\n");
  return svg.toStdString();
}

}  // namespace assetgen
