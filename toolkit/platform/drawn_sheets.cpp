#include "toolkit/drawn_sheets.h"

#include "toolkit/platform/qt_convert.h"
#include "toolkit/sheetgen/sheet_registry.h"

namespace velt {

Size drawnSheetSize(std::string_view fileName) {
  const sheetgen::SheetFile* file = sheetgen::findSheet(fileName);
  if (!file) return {};
  return {static_cast<double>(file->size.width()), static_cast<double>(file->size.height())};
}

Image drawSheet(std::string_view fileName, double ratio) {
  const sheetgen::SheetFile* file = sheetgen::findSheet(fileName);
  if (!file || !(ratio > 0)) return {};
  return qt::fromQImage(sheetgen::renderSheet(*file, ratio));
}

Image drawSheetPiece(std::string_view fileName, const Rect& rect, double ratio) {
  const sheetgen::SheetFile* file = sheetgen::findSheet(fileName);
  if (!file || !(ratio > 0) || rect.isEmpty()) return {};
  const QRectF piece = qt::toQRect(rect, file->size.height());
  if (!QRectF(QPointF(0, 0), QSizeF(file->size)).contains(piece)) return {};
  return qt::fromQImage(sheetgen::renderSheetPiece(*file, piece, ratio));
}

}  // namespace velt
