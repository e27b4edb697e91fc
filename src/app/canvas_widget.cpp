#include "app/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "app/palette.h"
#include "app/window_font.h"
#include "shell/grid.h"

namespace qz::app {

int PixelOfTwips(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

CanvasWidget::CanvasWidget(const PictureSet& pictures, QWidget* parent)
    : QWidget(parent),
      pictures_(pictures),
      backing_(kNaturalWidth * kBackingScale, kNaturalHeight * kBackingScale, QImage::Format_RGB32),
      margin_(PaletteColour(2)) {
  backing_.fill(margin_);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(kNaturalWidth, kNaturalHeight);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

const QImage& CanvasWidget::scaledPicture(int code) {
  auto it = scaledPictures_.find(code);
  if (it != scaledPictures_.end()) return it->second;
  const QImage& natural = pictures_.forCode(code);
  QImage scaled;
  if (!natural.isNull()) {
    // Whole-pixel enlargement: the picture looks exactly as at natural size.
    scaled = natural.scaled(natural.width() * kBackingScale, natural.height() * kBackingScale,
                            Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  return scaledPictures_.emplace(code, std::move(scaled)).first->second;
}

void CanvasWidget::drawPicture(int code, double x, double y) {
  if (PictureNameForCode(code).isEmpty()) return;
  const QImage& picture = scaledPicture(code);
  if (picture.isNull()) return;
  QPainter painter(&backing_);
  painter.drawImage(QPoint(PixelOfTwips(x) * kBackingScale, PixelOfTwips(y) * kBackingScale),
                    picture);
  shownStale_ = true;
  update();
}

void CanvasWidget::drawOutline(int colour, double x, double y, double w, double h) {
  const int x0 = PixelOfTwips(x), y0 = PixelOfTwips(y);
  const int x1 = PixelOfTwips(x + w), y1 = PixelOfTwips(y + h);
  const QColor c = PaletteColour(colour);
  const int s = kBackingScale;
  // Both end pixels belong to the rectangle, as with a pixel-wide box line.
  QPainter painter(&backing_);
  painter.fillRect(x0 * s, y0 * s, (x1 - x0 + 1) * s, s, c);
  painter.fillRect(x0 * s, y1 * s, (x1 - x0 + 1) * s, s, c);
  painter.fillRect(x0 * s, y0 * s, s, (y1 - y0 + 1) * s, c);
  painter.fillRect(x1 * s, y0 * s, s, (y1 - y0 + 1) * s, c);
  shownStale_ = true;
  update();
}

void CanvasWidget::drawText(std::string_view text, double x, double y, int size, bool bold,
                            int colour) {
  if (text.empty()) return;
  QFont font = WindowFont(size, bold);
  // Point sizes are meant for the reference 96-dot display.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size * 96.0 / 72.0 * kBackingScale))));
  QPainter painter(&backing_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font);
  painter.setPen(PaletteColour(colour));
  const QFontMetricsF metrics(font);
  const double px = std::lround(x / kTwipsPerPixel * kBackingScale);
  const double py = std::lround(y / kTwipsPerPixel * kBackingScale);
  painter.drawText(QPointF(px, py + metrics.ascent()),
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  shownStale_ = true;
  update();
}

void CanvasWidget::refresh() { repaint(); }

void CanvasWidget::setMarginColour(const QColor& colour) {
  margin_ = colour;
  update();
}

void CanvasWidget::setMarginTile(int code) {
  if (code == marginTile_) return;
  marginTile_ = code;
  update();
}

void CanvasWidget::paintMargins(QPainter& painter, double scale, const QPointF& offset) {
  const QImage& picture =
      PictureNameForCode(marginTile_).isEmpty() ? QImage() : scaledPicture(marginTile_);
  const int cellWidth = PixelOfTwips(grid::CellWidth) * kBackingScale;
  const int cellHeight = PixelOfTwips(grid::CellHeight) * kBackingScale;
  if (picture.width() < cellWidth || picture.height() < cellHeight) {
    painter.fillRect(rect(), margin_);
    return;
  }
  // One cell of the picture, as the background tiling leaves each cell (a
  // larger picture is overlapped by its right and lower neighbours), laid on
  // the same grid as the tiles inside the image: cell (0, 0) has its corner
  // at the natural pixel of the grid's top-left corner.
  QBrush tile(picture.copy(0, 0, cellWidth, cellHeight));
  const double unit = scale / kBackingScale;
  tile.setTransform(QTransform()
                        .translate(offset.x() + PixelOfTwips(grid::Left) * scale,
                                   offset.y() + PixelOfTwips(grid::Top) * scale)
                        .scale(unit, unit));
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.fillRect(rect(), tile);
}

double CanvasWidget::displayScale() const {
  const double sx = static_cast<double>(width()) / kNaturalWidth;
  const double sy = static_cast<double>(height()) / kNaturalHeight;
  return std::min(sx, sy);
}

QPointF CanvasWidget::displayOffset() const {
  const double s = displayScale();
  return {(width() - kNaturalWidth * s) / 2.0, (height() - kNaturalHeight * s) / 2.0};
}

QPointF CanvasWidget::widgetPointOfTwips(double x, double y) const {
  const double s = displayScale();
  const QPointF o = displayOffset();
  return {o.x() + x / kTwipsPerPixel * s, o.y() + y / kTwipsPerPixel * s};
}

QPoint CanvasWidget::twipsOfWidgetPoint(const QPointF& p) const {
  const double s = displayScale();
  const QPointF o = displayOffset();
  return {static_cast<int>(std::floor((p.x() - o.x()) / s * kTwipsPerPixel)),
          static_cast<int>(std::floor((p.y() - o.y()) / s * kTwipsPerPixel))};
}

void CanvasWidget::paintEvent(QPaintEvent*) {
  const double s = displayScale();
  const QPointF o = displayOffset();
  const qreal dpr = devicePixelRatioF();
  const QSize target(static_cast<int>(std::lround(kNaturalWidth * s * dpr)),
                     static_cast<int>(std::lround(kNaturalHeight * s * dpr)));
  if (shownStale_ || shown_.size() != target) {
    shown_ = target == backing_.size()
                 ? backing_
                 : backing_.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shown_.setDevicePixelRatio(dpr);
    shownStale_ = false;
  }
  QPainter painter(this);
  paintMargins(painter, s, o);
  painter.drawImage(o, shown_);
  if (!painted_) {
    painted_ = true;
    emit firstPainted();
  }
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  int button = 0;
  switch (event->button()) {
    case Qt::LeftButton: button = 1; break;
    case Qt::RightButton: button = 2; break;
    case Qt::MiddleButton: button = 4; break;
    default: break;
  }
  if (button == 0 || !onPress) return;
  const QPoint twips = twipsOfWidgetPoint(event->position());
  onPress(button, twips.x(), twips.y());
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  shownStale_ = true;
  emit layoutChanged();
}

}  // namespace qz::app
