#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

#include "toolkit/platform/qt_convert.h"

namespace velt {

QFont qt::toQFont(const Font& font) {
  QFont result(toQString(font.family));
  result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSize))));
  result.setBold(font.bold);
  result.setHintingPreference(QFont::PreferFullHinting);
  return result;
}

QSize qt::pixelSize(QSizeF points, double ratio) {
  // A hair below a whole pixel is that pixel: 17 points at 1.5 are 25.5, rounded up to 26.
  return QSize(static_cast<int>(std::ceil(points.width() * ratio - 1e-9)),
               static_cast<int>(std::ceil(points.height() * ratio - 1e-9)));
}

static QSize pointSize(const QImage& picture) {
  const double ratio = picture.devicePixelRatio();
  return QSize(static_cast<int>(std::lround(picture.width() / ratio)),
               static_cast<int>(std::lround(picture.height() / ratio)));
}

Image::Data::Data(QImage picture) : size(pointSize(picture)) {
  made_.emplace_back(picture.devicePixelRatio(), std::move(picture));
}

static QImage transparentQImage(QSizeF points, double ratio = 1) {
  QImage image(qt::pixelSize(points, ratio), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  return image;
}

const QImage& Image::Data::image(double ratio) const {
  if (!make_) return made_.front().second;
  for (const auto& entry : made_)
    if (entry.first == ratio) return entry.second;
  const Image result = make_(ratio);
  // Whatever the maker gives, the picture keeps the size it promised; a made picture it
  // gives is asked for its own pixels at this ratio.
  QImage pixels = result.isNull() || result.data()->size != size ? transparentQImage(size, ratio)
                                                                 : result.data()->image(ratio);
  made_.emplace_back(ratio, std::move(pixels));
  return made_.back().second;
}

Image qt::fromQImage(QImage image) {
  if (image.isNull()) return {};
  // Opaque sheets stay as made; anything else is converted in place where Qt can.
  if (image.format() != QImage::Format_RGB32 &&
      image.format() != QImage::Format_ARGB32_Premultiplied)
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
  // The pixels are shared with the caller's image (implicit sharing), not copied.
  return Image(std::make_shared<const Image::Data>(std::move(image)));
}

Size measureText(const std::string& text, const Font& font) {
  QFontMetricsF metrics(qt::toQFont(font));
  return {metrics.horizontalAdvance(qt::toQString(text)), metrics.ascent() + metrics.descent()};
}

Image Image::load(const std::string& path) {
  QImage image;
  if (!image.load(qt::toQString(path))) return {};
  // One point is one pixel of the file, whatever resolution the file claims.
  image.setDevicePixelRatio(1);
  return qt::fromQImage(std::move(image));
}

static QSizeF toQSize(Size size) {
  return QSizeF(size.width, size.height);
}

Image Image::blank(Size size) {
  if (size.isEmpty()) return {};
  return qt::fromQImage(transparentQImage(toQSize(size)));
}

Image Image::filled(Size size, Color color) {
  if (size.isEmpty()) return {};
  QImage image = transparentQImage(toQSize(size));
  image.fill(qt::toQColor(color));
  return qt::fromQImage(std::move(image));
}

Image Image::atEachRatio(Size size, std::function<Image(double ratio)> make) {
  if (size.isEmpty()) return {};
  const QSize points = qt::pixelSize(toQSize(size), 1);
  return Image(std::make_shared<const Image::Data>(points, std::move(make)));
}

Image Image::deferred(Size size, std::function<Image()> make) {
  // Made once: the picture it gives has its own pixels for each ratio.
  auto made = std::make_shared<std::optional<Image>>();
  return atEachRatio(size, [make = std::move(make), made](double) {
    if (!*made) *made = make();
    return **made;
  });
}

bool Image::pixelsMade() const {
  return d_ && d_->made();
}

Image Image::atRatio(double ratio) const {
  if (!d_) return {};
  return qt::fromQImage(d_->image(ratio));
}

double Image::pixelRatio(double ratio) const {
  return d_ ? d_->image(ratio).devicePixelRatio() : 1;
}

Size Image::size() const {
  if (!d_) return {};
  return {static_cast<double>(d_->size.width()), static_cast<double>(d_->size.height())};
}

Color Image::pixel(int x, int y) const {
  if (!d_ || x < 0 || y < 0 || x >= d_->size.width() || y >= d_->size.height())
    return Color::clear();
  const QImage& image = d_->image();
  const double ratio = image.devicePixelRatio();
  const int px = static_cast<int>(x * ratio);
  const int qy = image.height() - 1 - static_cast<int>(y * ratio);
  if (px >= image.width() || qy < 0) return Color::clear();
  return qt::fromQRgb(image.pixel(px, qy));
}

// The rectangle of pixels of a fixed picture, as a picture of its own at the same ratio.
// At a fractional ratio a rectangle on whole points may start inside a pixel: the piece
// then takes the whole pixels from the nearest one, copied, never resampled, so that it
// stays as sharp as its sheet.
static Image cutPixels(const QImage& image, const Rect& rect, double points) {
  const double ratio = image.devicePixelRatio();
  const QRectF inPoints = qt::toQRect(rect, points);
  const QRect source(QPoint(static_cast<int>(std::lround(inPoints.x() * ratio)),
                            static_cast<int>(std::lround(inPoints.y() * ratio))),
                     qt::pixelSize(inPoints.size(), ratio));
  // An opaque sheet's piece within it is the same pixels composited or copied; a copy is
  // much cheaper, and most pieces are such.
  QImage piece;
  if (image.format() == QImage::Format_RGB32 && image.rect().contains(source)) {
    piece = image.copy(source);
    piece.setDevicePixelRatio(ratio);
  } else {
    piece = transparentQImage(inPoints.size(), ratio);
    QPainter painter(&piece);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(source.size()) / ratio), image, source);
  }
  return qt::fromQImage(std::move(piece));
}

Image Image::cut(const Rect& rect) const {
  if (!d_ || rect.isEmpty()) return {};
  const double points = d_->size.height();
  if (d_->fixed()) return cutPixels(d_->image(), rect, points);
  // A picture made for each ratio gives a piece made for each ratio, from its pixels there.
  return atEachRatio(rect.size(), [self = *this, rect, points](double ratio) {
    return cutPixels(self.data()->image(ratio), rect, points);
  });
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
