#include "toolkit/sheetgen/sheet_registry.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

namespace velt::sheetgen {

std::vector<SheetFile>& sheetFiles() {
  static std::vector<SheetFile> files;
  return files;
}

std::vector<TextFile>& textFiles() {
  static std::vector<TextFile> files;
  return files;
}

const SheetFile* findSheet(std::string_view fileName) {
  // Built on first use, once every sheet source has registered at static initialisation.
  static const std::unordered_map<std::string_view, const SheetFile*> byName = [] {
    std::unordered_map<std::string_view, const SheetFile*> names;
    for (const SheetFile& file : sheetFiles()) names.emplace(file.fileName, &file);
    return names;
  }();
  auto it = byName.find(fileName);
  return it == byName.end() ? nullptr : it->second;
}

static bool isBitmap(const std::string& fileName) {
  return fileName.size() >= 4 && fileName.compare(fileName.size() - 4, 4, ".bmp") == 0;
}

static QSize pixelsOf(QSizeF points, double ratio) {
  return QSize(static_cast<int>(std::ceil(points.width() * ratio - 1e-9)),
               static_cast<int>(std::ceil(points.height() * ratio - 1e-9)));
}

// Runs the file's painters onto `image`, which holds the sheet's pixels from `corner`
// (in pixels) on.
static void paintSheet(const SheetFile& file, QImage& image, QPoint corner, double ratio) {
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);  // scaled by the image's ratio: the painters draw in points
    painter.translate(-corner.x() / ratio, -corner.y() / ratio);
    for (const auto& layered : file.painters) {
      painter.save();
      layered.paint(painter, file.size, file.state);
      painter.restore();
    }
  }
  if (isBitmap(file.fileName)) image.convertTo(QImage::Format_RGB32);
}

QImage renderSheet(const SheetFile& file, double ratio) {
  QImage image(pixelsOf(file.size, ratio), QImage::Format_ARGB32_Premultiplied);
  paintSheet(file, image, {0, 0}, ratio);
  return image;
}

QImage renderSheetPiece(const SheetFile& file, QRectF piece, double ratio) {
  const QPoint corner(static_cast<int>(std::lround(piece.x() * ratio)),
                      static_cast<int>(std::lround(piece.y() * ratio)));
  const QRect pixels(corner, pixelsOf(piece.size(), ratio));
  // Rounded up at a fractional ratio, a piece at the sheet's edge may end past its last
  // pixel, where a piece cut from the sheet is transparent: none is drawn alone.
  if (!QRect(QPoint(0, 0), pixelsOf(file.size, ratio)).contains(pixels)) return {};
  QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
  paintSheet(file, image, corner, ratio);
  return image;
}

RegisterTextFile::RegisterTextFile(const std::string& fileName,
                                   std::function<std::string()> content) {
  textFiles().push_back({fileName, std::move(content)});
}

RegisterSheet::RegisterSheet(const std::string& fileName, QSize size, SheetPainter painter,
                             SheetState state, int layer) {
  LayeredPainter layered{layer, std::move(painter)};
  for (SheetFile& file : sheetFiles())
    if (file.fileName == fileName) {
      auto at =
          std::upper_bound(file.painters.begin(), file.painters.end(), layer,
                           [](int value, const LayeredPainter& p) { return value < p.layer; });
      file.painters.insert(at, std::move(layered));
      return;
    }
  sheetFiles().push_back({fileName, size, state, {std::move(layered)}});
}

RegisterSheetFamily::RegisterSheetFamily(const std::string& family, QSize size,
                                         const std::vector<std::string>& suffixes,
                                         SheetPainter painter, int layer) {
  for (size_t state = 0; state < suffixes.size() && state < 4; ++state)
    if (!suffixes[state].empty())
      RegisterSheet(family + "_" + suffixes[state] + ".bmp", size, painter,
                    static_cast<SheetState>(state), layer);
}

}  // namespace velt::sheetgen
