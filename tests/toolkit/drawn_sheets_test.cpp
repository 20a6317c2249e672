// The sheets as the programs draw them: at each ratio, whole or a piece at a time, and
// through the store that hands them to the controls.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <string_view>

#include "toolkit/ImageManager.h"
#include "toolkit/drawn_sheets.h"
#include "toolkit/image_tables.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {
namespace {

// The sheets the configuration application cuts its controls' pictures from.
std::set<std::string_view> pieceSheetNames() {
  std::set<std::string_view> names;
  for (const ImageFamily& family : configImageTable())
    for (std::string_view name : family.states)
      if (!name.empty()) names.insert(name);
  return names;
}

TEST(DrawnSheets, ASheetDrawnAtARatioHasItsSizeInPointsAndThatManyPixelsPerPoint) {
  const Size size = drawnSheetSize("Main_Normal.bmp");
  ASSERT_FALSE(size.isEmpty());
  for (double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
    const Image sheet = drawSheet("Main_Normal.bmp", ratio);
    ASSERT_FALSE(sheet.isNull()) << ratio;
    EXPECT_EQ(sheet.size(), size) << ratio;
    EXPECT_EQ(sheet.pixelRatio(), ratio);
  }
  EXPECT_TRUE(drawSheet("No_Such_Sheet.bmp").isNull());
  EXPECT_TRUE(drawnSheetSize("No_Such_Sheet.bmp").isEmpty());
}

// The share of pixels (at the pictures' own ratio) where two pictures of one size differ.
double differingPixelShare(const Image& a, const Image& b) {
  const QImage& x = *qt::qImage(a);
  const QImage& y = *qt::qImage(b);
  if (x.size() != y.size()) return 1;
  int differing = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int column = 0; column < x.width(); ++column)
      if (x.pixel(column, row) != y.pixel(column, row)) ++differing;
  return static_cast<double>(differing) / (x.width() * x.height());
}

// A piece drawn alone is the piece of the whole sheet: on whole points and on points that
// start inside a pixel at 1.5, at the corners and across the middle. Anti-aliasing may
// round the odd edge pixel of a curve otherwise when the sheet is drawn from another
// corner: one pixel in a thousand at most.
TEST(DrawnSheets, APieceDrawnAloneIsThePieceOfTheWholeSheet) {
  int compared = 0;
  for (std::string_view name : pieceSheetNames()) {
    const Size size = drawnSheetSize(name);
    if (size.isEmpty()) continue;
    const Rect pieces[] = {{0, 0, 17, 9},
                           {size.width - 41, size.height - 23, 41, 23},
                           {13, 7, size.width / 2, size.height / 3},
                           {0, 0, size.width, size.height}};
    for (double ratio : {1.0, 1.5, 2.0}) {
      const Image whole = drawSheet(name, ratio);
      for (const Rect& piece : pieces) {
        if (piece.x < 0 || piece.y < 0 || piece.maxX() > size.width || piece.maxY() > size.height)
          continue;  // a sheet smaller than the piece
        const Image alone = drawSheetPiece(name, piece, ratio);
        if (alone.isNull()) {
          // Only where a fractional ratio's pixels, rounded up, end past the sheet's.
          EXPECT_NE(ratio, std::floor(ratio)) << name << " " << piece.x << " " << piece.y;
          continue;
        }
        EXPECT_LE(differingPixelShare(alone, whole.cut(piece)), 0.001)
            << name << " at " << ratio << ", " << piece.x << " " << piece.y;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 100);
  EXPECT_TRUE(drawSheetPiece("Main_Normal.bmp", {790, 0, 20, 20}).isNull())
      << "a rectangle that leaves the sheet";
}

// The store draws the first pieces of a sheet alone and the sheet itself once more are
// needed; what a control shows is the same either way.
TEST(DrawnSheets, TheStoreDrawsAFewPiecesAloneThenTheWholeSheet) {
  ImageManager store(configImageTable());
  const Image whole = drawSheet("Main_Down.bmp", 2);
  for (int i = 0; i < 12; ++i) {
    const Rect rect{static_cast<double>(10 + 30 * i), 500, 28, 20};
    const Image piece = store.getImage(2, 1, rect);
    EXPECT_TRUE(piece.atRatio(2).samePixels(whole.cut(rect))) << i;
    EXPECT_EQ(store.sheetLoaded("Main_Down.bmp"), i >= 6) << i;
  }
}

}  // namespace
}  // namespace velt
