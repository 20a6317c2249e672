#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "toolkit/platform/qt_convert.h"
#include "toolkit/sheet_resources.h"

namespace velt {

QFont qt::toQFont(const Font& font) {
  QFont result(toQString(font.family));
  result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSize))));
  result.setBold(font.bold);
  result.setHintingPreference(QFont::PreferFullHinting);
  return result;
}

Image qt::fromQImage(QImage image) {
  if (image.isNull()) return {};
  // Opaque sheets stay as decoded; anything else is converted in place where Qt can.
  if (image.format() != QImage::Format_RGB32 &&
      image.format() != QImage::Format_ARGB32_Premultiplied)
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
  // One point is one pixel of the bitmap, whatever resolution the file claims.
  if (image.devicePixelRatio() != 1) image.setDevicePixelRatio(1);
  // The pixels are shared with the caller's image (implicit sharing), not copied.
  return Image(std::make_shared<const Image::Data>(std::move(image)));
}

Size measureText(const std::string& text, const Font& font) {
  QFontMetricsF metrics(qt::toQFont(font));
  return {metrics.horizontalAdvance(qt::toQString(text)), metrics.ascent() + metrics.descent()};
}

Image Image::load(const std::string& path) {
  initSheetResources();
  QImage image;
  if (!image.load(qt::toQString(path))) return {};
  return qt::fromQImage(std::move(image));
}

static QImage transparentQImage(Size size) {
  QImage image(static_cast<int>(std::ceil(size.width)), static_cast<int>(std::ceil(size.height)),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

Image Image::blank(Size size) {
  if (size.isEmpty()) return {};
  return qt::fromQImage(transparentQImage(size));
}

Image Image::filled(Size size, Color color) {
  if (size.isEmpty()) return {};
  QImage image = transparentQImage(size);
  image.fill(qt::toQColor(color));
  return qt::fromQImage(std::move(image));
}

Image Image::deferred(Size size, std::function<Image()> make) {
  if (size.isEmpty()) return {};
  const QSize pixels(static_cast<int>(std::ceil(size.width)),
                     static_cast<int>(std::ceil(size.height)));
  return Image(std::make_shared<const Image::Data>(pixels, [make = std::move(make), pixels] {
    const Image made = make();
    // Whatever the maker gives, the picture keeps the size it promised.
    if (made.isNull() || made.data()->size != pixels)
      return transparentQImage(
          Size{static_cast<double>(pixels.width()), static_cast<double>(pixels.height())});
    return made.data()->image();
  }));
}

bool Image::pixelsMade() const {
  return d_ && d_->made();
}

Size Image::size() const {
  if (!d_) return {};
  return {static_cast<double>(d_->size.width()), static_cast<double>(d_->size.height())};
}

Color Image::pixel(int x, int y) const {
  if (!d_) return Color::clear();
  const QImage& image = d_->image();
  int qy = image.height() - 1 - y;
  if (x < 0 || qy < 0 || x >= image.width() || qy >= image.height()) return Color::clear();
  return qt::fromQRgb(image.pixel(x, qy));
}

Image Image::cut(const Rect& rect) const {
  if (!d_ || rect.isEmpty()) return {};
  const QImage& image = d_->image();
  QRectF source = qt::toQRect(rect, image.height());
  // An opaque sheet's piece on whole pixels within it is the same pixels composited or
  // copied; a copy is much cheaper, and most pieces are such.
  QRect whole = source.toRect();
  if (image.format() == QImage::Format_RGB32 && QRectF(whole) == source &&
      image.rect().contains(whole))
    return qt::fromQImage(image.copy(whole));
  QImage piece = transparentQImage(rect.size());
  QPainter painter(&piece);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.drawImage(QRectF(0, 0, rect.width, rect.height), image, source);
  painter.end();
  return qt::fromQImage(std::move(piece));
}

bool Image::save(const std::string& path) const {
  return d_ && d_->image().save(qt::toQString(path));
}

bool Image::samePixels(const Image& other) const {
  if (isNull() || other.isNull()) return isNull() == other.isNull();
  const QImage& a = d_->image();
  const QImage& b = other.d_->image();
  if (a.format() == b.format()) return a == b;
  // An opaque picture and a premultiplied one with the same colours are the same pixels.
  return a.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
         b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace velt
