#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <string>

#include "toolkit/GraphicsContext.h"
#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

struct Image::Data {
  QImage image;  // RGB32 (opaque) or ARGB32 premultiplied, device pixel ratio 1
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
  return image.data() ? &image.data()->image : nullptr;
}
Image fromQImage(QImage image);

}  // namespace qt
}  // namespace velt
