#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <functional>
#include <string>

#include "toolkit/GraphicsContext.h"
#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

// The pixels of an Image: RGB32 (opaque) or ARGB32 premultiplied, device pixel ratio 1.
// A deferred picture knows its size and makes its pixels on first use (UI thread only).
struct Image::Data {
  explicit Data(QImage picture) : size(picture.size()), image_(std::move(picture)) {}
  Data(QSize pictureSize, std::function<QImage()> make)
      : size(pictureSize), make_(std::move(make)) {}

  const QImage& image() const {
    if (make_) {
      image_ = make_();
      make_ = nullptr;
    }
    return image_;
  }
  bool made() const { return !make_; }

  const QSize size;

 private:
  mutable QImage image_;
  mutable std::function<QImage()> make_;
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

inline const QImage* qImage(const Image& image) {
  return image.data() ? &image.data()->image() : nullptr;
}
Image fromQImage(QImage image);

}  // namespace qt
}  // namespace velt
