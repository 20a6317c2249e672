#include "toolkit/drawn_sheets.h"

#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "toolkit/platform/qt_convert.h"
#include "toolkit/sheet_cache.h"
#include "toolkit/sheetgen/sheet_registry.h"

namespace velt {

Size drawnSheetSize(std::string_view fileName) {
  const sheetgen::SheetFile* file = sheetgen::findSheet(fileName);
  if (!file) return {};
  return {static_cast<double>(file->size.width()), static_cast<double>(file->size.height())};
}

namespace {

// The kept pixels as a picture, used where they were read.
QImage keptImage(SheetPixels kept, double ratio) {
  auto* bytes = new SheetPixels(std::move(kept));
  const QImage::Format format = bytes->format == SheetPixels::Format::kOpaque
                                    ? QImage::Format_RGB32
                                    : QImage::Format_ARGB32_Premultiplied;
  QImage image(
      reinterpret_cast<const uchar*>(bytes->pixels()), bytes->width, bytes->height,
      static_cast<qsizetype>(bytes->width) * 4, format,
      [](void* info) { delete static_cast<SheetPixels*>(info); }, bytes);
  // As a drawn sheet carries it: its size in points is its pixels over the ratio.
  image.setDevicePixelRatio(ratio);
  return image;
}

SheetPixels keptPixels(const QImage& image) {
  SheetPixels pixels(image.width(), image.height(),
                     image.format() == QImage::Format_RGB32 ? SheetPixels::Format::kOpaque
                                                            : SheetPixels::Format::kPremultiplied);
  if (!pixels.valid()) return {};
  const size_t row = static_cast<size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(pixels.pixels() + row * static_cast<size_t>(y), image.constScanLine(y), row);
  return pixels;
}

// The kept pixels of `key` at that ratio where the cache has them; otherwise what `draw`
// gives, handed to the cache.
Image keptOrDrawn(const std::string& key, double ratio, QSize pixels,
                  const std::function<QImage()>& draw) {
  SheetCache* cache = activeSheetCache();
  if (cache)
    if (std::optional<SheetPixels> kept = cache->read(key, ratio, pixels.width(), pixels.height()))
      return qt::fromQImage(keptImage(std::move(*kept), ratio));
  QImage drawn = draw();
  // The worker reads its own shallow copy; the pixels are only read from here on.
  if (cache && drawn.size() == pixels)
    cache->write(key, ratio, pixels.width(), pixels.height(),
                 [drawn] { return keptPixels(drawn); });
  return qt::fromQImage(std::move(drawn));
}

}  // namespace

Image drawSheet(std::string_view fileName, double ratio) {
  const sheetgen::SheetFile* file = sheetgen::findSheet(fileName);
  if (!file || !(ratio > 0)) return {};
  return keptOrDrawn(std::string(fileName), ratio, qt::pixelSize(QSizeF(file->size), ratio),
                     [&] { return sheetgen::renderSheet(*file, ratio); });
}

Image drawSheetPiece(std::string_view fileName, const Rect& rect, double ratio) {
  const sheetgen::SheetFile* file = sheetgen::findSheet(fileName);
  if (!file || !(ratio > 0) || rect.isEmpty()) return {};
  const QRectF piece = qt::toQRect(rect, file->size.height());
  if (!QRectF(QPointF(0, 0), QSizeF(file->size)).contains(piece)) return {};
  return keptOrDrawn(SheetCache::pieceName(fileName, rect), ratio,
                     qt::pixelSize(piece.size(), ratio),
                     [&] { return sheetgen::renderSheetPiece(*file, piece, ratio); });
}

}  // namespace velt
