#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <deque>
#include <functional>
#include <string>
#include <utility>

#include "toolkit/GraphicsContext.h"
#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

// The pixels of an Image: RGB32 (opaque) or ARGB32 premultiplied. A fixed picture has
// one set of pixels, at the device pixel ratio they carry. A made picture knows its size
// in points and makes its pixels on first use at each ratio it is drawn at, keeping them
// (UI thread only).
struct Image::Data {
  explicit Data(QImage picture);
  Data(QSize points, std::function<Image(double ratio)> make)
      : size(points), make_(std::move(make)) {}

  // The pixels for a screen of that ratio: a fixed picture's own, whatever the ratio.
  const QImage& image(double ratio = 1) const;
  bool made() const { return !made_.empty(); }
  bool fixed() const { return !make_; }

  const QSize size;  // in points

 private:
  // A deque: pixels made for a new ratio leave references to the others valid.
  mutable std::deque<std::pair<double, QImage>> made_;
  std::function<Image(double ratio)> make_;  // empty for a fixed picture
};

// The one place where toolkit values become Qt values and back.
namespace qt {

inline QString toQString(const std::string& text) {
  return QString::fromStdString(text);
}
inline QColor toQColor(const Color& c) {
  return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                          static_cast<float>(c.blue), static_cast<float>(c.alpha));
}
inline Color fromQRgb(QRgb rgb) {
  return Color::fromRgb8(qRed(rgb), qGreen(rgb), qBlue(rgb), qAlpha(rgb));
}
// A toolkit rectangle (y up) in a space of the given height, as Qt's (y down).
inline QRectF toQRect(const Rect& r, double spaceHeight) {
  return QRectF(r.x, spaceHeight - r.maxY(), r.width, r.height);
}
inline Rect fromQRect(const QRectF& r, double spaceHeight) {
  return {r.x(), spaceHeight - r.bottom(), r.width(), r.height()};
}
// Points are pixels: a 9-point font is 9 pixels high, as on the sheets.
QFont toQFont(const Font& font);

inline const QImage* qImage(const Image& image, double ratio = 1) {
  return image.data() ? &image.data()->image(ratio) : nullptr;
}
Image fromQImage(QImage image);
// The pixel size of a picture of `points` drawn at `ratio`: rounded up.
QSize pixelSize(QSizeF points, double ratio);

}  // namespace qt
}  // namespace velt
