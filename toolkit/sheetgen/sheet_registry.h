#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velt::sheetgen {

// The four picture states of a sheet family, in the toolkit's numbering.
enum SheetState { kNormal = 0, kOver = 1, kDown = 2, kDisable = 3 };

// Draws one sheet of a family in one state; the painter's surface is the whole sheet,
// cleared to transparent, y down as Qt has it (layout rectangles go through sheetRect).
using SheetPainter = std::function<void(QPainter& painter, QSize size, SheetState state)>;

struct LayeredPainter {
  int layer;
  SheetPainter paint;
};

struct SheetFile {
  std::string fileName;  // the resource name, e.g. "Slider1.bmp"
  QSize size;
  SheetState state;
  std::vector<LayeredPainter> painters;  // run by layer, lowest first
};

// Every sheet the generator writes. Sheet sources register at static initialisation:
//
//   static const RegisterSheetFamily kFamily{"Gallery", size, {"Normal", "Over", ...}, paint};
//   static const RegisterSheet kPanel{"ColorPanel.bmp", size, paint};
//
// Several sources may paint onto the same family (a gallery section each): the painters of
// one file run by layer, the background at layer 0 first.
std::vector<SheetFile>& sheetFiles();

// The registered sheet of that file name; null when there is none.
const SheetFile* findSheet(std::string_view fileName);

// The sheet drawn for a screen of the given device pixel ratio: size times ratio pixels
// (rounded up), carrying the ratio, so that its painters draw in points at any scale. A
// bitmap sheet is opaque, as its file is; only PNG sheets keep their alpha.
QImage renderSheet(const SheetFile& file, double ratio = 1);
// The pixels of `piece` (in points, y down, within the sheet) of the sheet drawn at that
// ratio, drawn alone: the same pixels as those renderSheet gives there, from the pixel
// nearest the piece's corner, for a fraction of the cost of the whole sheet. Null where
// the piece's pixels leave the sheet's.
QImage renderSheetPiece(const SheetFile& file, QRectF piece, double ratio = 1);

struct RegisterSheet {
  RegisterSheet(const std::string& fileName, QSize size, SheetPainter painter,
                SheetState state = kNormal, int layer = 0);
};

// A file written as text beside the sheets and left out of the compiled-in resources,
// e.g. the icon's scalable picture for installing.
struct TextFile {
  std::string fileName;
  std::function<std::string()> content;
};
std::vector<TextFile>& textFiles();

struct RegisterTextFile {
  RegisterTextFile(const std::string& fileName, std::function<std::string()> content);
};

// Files "<family>_<suffix>.bmp"; the suffixes name states 0, 1, 2, 3 in order ("Normal",
// "Over", "Down", "Disable"), an empty suffix leaves that state out.
struct RegisterSheetFamily {
  RegisterSheetFamily(const std::string& family, QSize size,
                      const std::vector<std::string>& suffixes, SheetPainter painter,
                      int layer = 0);
};

}  // namespace velt::sheetgen
