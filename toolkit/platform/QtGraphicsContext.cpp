#include "toolkit/platform/QtGraphicsContext.h"

#include <QFontMetricsF>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>

#include "toolkit/platform/qt_convert.h"

namespace velt {

static QPainter::CompositionMode toQMode(CompositeMode mode) {
  switch (mode) {
    // A view draws onto its window, which is opaque everywhere; there the source where
    // the destination has alpha is simply the source. Drawing it as such keeps a view
    // rendered on its own (a grab, a screenshot) the same as in its window.
    case CompositeMode::SourceIn:
    case CompositeMode::Copy:
      return QPainter::CompositionMode_Source;
    case CompositeMode::SourceOver:
      break;
  }
  return QPainter::CompositionMode_SourceOver;
}

// The device pixel ratio of the pixels a painter paints: those of the device its engine
// paints on, which is not the widget when its painting is redirected (a grab).
static double pixelRatioOf(QPainter& painter) {
  if (QPaintEngine* engine = painter.paintEngine())
    if (QPaintDevice* device = engine->paintDevice()) return device->devicePixelRatioF();
  return painter.device() ? painter.device()->devicePixelRatioF() : 1;
}

void QtGraphicsContext::drawImage(const Image& image, const Rect& rect, CompositeMode mode) {
  // The pixels made for the device drawn on: two per point each way on a screen at scale 2.
  const double deviceRatio = pixelRatioOf(painter_);
  const QImage* source = qt::qImage(image, deviceRatio);
  if (!source) return;
  const double ratio = source->devicePixelRatio();
  // One to one from the image's bottom-left corner; an image smaller than the rectangle
  // covers only its own size.
  const Size points = image.size();
  double width = std::min(rect.width, points.width);
  double height = std::min(rect.height, points.height);
  if (width <= 0 || height <= 0) return;
  QRectF from(0, (points.height - height) * ratio, width * ratio, height * ratio);
  QRectF to = qt::toQRect({rect.x, rect.y, width, height}, height_);
  painter_.save();
  painter_.setCompositionMode(toQMode(mode));
  const QTransform device = painter_.deviceTransform();
  if (ratio == deviceRatio && device.type() <= QTransform::TxScale) {
    // Pixels made for this screen go one to one onto its pixels: at a fractional ratio a
    // point may start inside a pixel, and the picture then starts at the nearest one
    // rather than being resampled half a pixel over.
    const QSize pixels = qt::pixelSize({width, height}, ratio).boundedTo(source->size());
    from = QRectF(0, source->height() - pixels.height(), pixels.width(), pixels.height());
    const QRectF onDevice = device.mapRect(to);
    const QRectF snapped(QPointF(std::round(onDevice.x()), std::round(onDevice.y())),
                         QSizeF(pixels));
    to = device.inverted().mapRect(snapped);
  } else {
    // Pixels for another ratio (a file's, or a transformed painter) are scaled smoothly
    // rather than repeated.
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  }
  painter_.drawImage(to, *source, from);
  painter_.restore();
}

void QtGraphicsContext::fillRect(const Rect& rect, const Color& color, CompositeMode mode) {
  painter_.save();
  painter_.setCompositionMode(toQMode(mode));
  painter_.fillRect(qt::toQRect(rect, height_), qt::toQColor(color));
  painter_.restore();
}

void QtGraphicsContext::strokeRect(const Rect& rect, const Color& color, double lineWidth) {
  painter_.save();
  painter_.setPen(QPen(qt::toQColor(color), lineWidth));
  painter_.setBrush(Qt::NoBrush);
  // Inside the rectangle, so that a one-point outline covers its edge pixels.
  QRectF r = qt::toQRect(rect, height_);
  double half = lineWidth / 2;
  painter_.drawRect(r.adjusted(half, half, -half, -half));
  painter_.restore();
}

void QtGraphicsContext::strokeLine(const Point& from, const Point& to, const Color& color,
                                   double lineWidth) {
  painter_.save();
  painter_.setPen(QPen(qt::toQColor(color), lineWidth));
  painter_.drawLine(toQPoint(from), toQPoint(to));
  painter_.restore();
}

void QtGraphicsContext::drawText(const std::string& text, const Point& at, const Font& font,
                                 const Color& color) {
  QFont qfont = qt::toQFont(font);
  QFontMetricsF metrics(qfont);
  painter_.save();
  painter_.setFont(qfont);
  painter_.setPen(qt::toQColor(color));
  // The point is the bottom of the line box; the baseline lies one descent above it.
  QPointF baseline = toQPoint({at.x, at.y + metrics.descent()});
  painter_.drawText(baseline, qt::toQString(text));
  painter_.restore();
}

void QtGraphicsContext::drawTextInRect(const std::string& text, const Rect& rect, const Font& font,
                                       const Color& color) {
  painter_.save();
  painter_.setFont(qt::toQFont(font));
  painter_.setPen(qt::toQColor(color));
  QRectF r = qt::toQRect(rect, height_);
  painter_.setClipRect(r);
  painter_.drawText(r, Qt::AlignLeft | Qt::AlignTop, qt::toQString(text));
  painter_.restore();
}

}  // namespace velt
