// The window's persistent drawing surface. Everything is painted in twips
// into a backing image at a fixed multiple of the natural pixel size; the
// widget shows that image scaled to fit, keeping its proportions.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <functional>

#include "app/picture_set.h"
#include "shell/ports.h"

namespace qz::app {

// Natural size of the drawing area: 13000 x 9400 twips at 15 twips a pixel.
constexpr int kNaturalWidth = 867;
constexpr int kNaturalHeight = 627;
constexpr int kTwipsPerPixel = 15;
// Backing image pixels per natural pixel: keeps text sharp when enlarged.
constexpr int kBackingScale = 2;

class CanvasWidget : public QWidget, public Canvas {
  Q_OBJECT
 public:
  CanvasWidget(const PictureSet& pictures, QWidget* parent = nullptr);

  void drawPicture(int code, double x, double y) override;
  void drawOutline(int colour, double x, double y, double w, double h) override;
  void drawText(std::string_view text, double x, double y, int size, bool bold,
                int colour) override;
  void refresh() override;

  // Receives presses as (button 1 left / 2 right / 4 middle, X, Y twips).
  std::function<void(int, int, int)> onPress;
  // The margins around the scaled image: the tile of a picture code (the
  // current background), continuing the image's own tiling at its scale, or
  // the plain colour while that picture is missing.
  void setMarginColour(const QColor& colour);
  void setMarginTile(int code);

  const QImage& backing() const { return backing_; }
  // Widget position of a twip point, and back.
  QPointF widgetPointOfTwips(double x, double y) const;
  QPoint twipsOfWidgetPoint(const QPointF& p) const;
  // Widget pixels per natural pixel, and where the image starts.
  double displayScale() const;
  QPointF displayOffset() const;

 signals:
  void layoutChanged();
  // Once, when the window's image has first been painted on the screen.
  void firstPainted();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const QImage& scaledPicture(int code);
  void paintMargins(QPainter& painter, double scale, const QPointF& offset);

  const PictureSet& pictures_;
  QImage backing_;
  std::map<int, QImage> scaledPictures_;  // pictures at backing resolution
  QImage shown_;                          // backing_ scaled for the widget
  bool shownStale_ = true;
  QColor margin_;
  int marginTile_ = -1;  // no picture code
  bool painted_ = false;
};

// Natural pixel of a twip coordinate (the grid every primitive snaps to).
int PixelOfTwips(double twips);

}  // namespace qz::app
