#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/ImageManager.h"
#include "toolkit/image_access.h"
#include "toolkit/image_tables.h"

namespace velt {
namespace {

using test::LogCapture;

// A sheet whose pixel at (x, y) from the bottom left is (x, y, 7): any misplaced cut shows.
QImage codedSheet(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int qy = 0; qy < height; ++qy)
    for (int x = 0; x < width; ++x) image.setPixel(x, qy, qRgb(x, height - 1 - qy, 7));
  return image;
}

QImage plainSheet(QColor color) {
  QImage image(120, 90, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

class ImageManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    save("ColorSetting_Normal.bmp", codedSheet(200, 150));
    save("ColorSetting_BK.bmp", plainSheet(QColor(1, 2, 3)));
    save("Scroll_Down.bmp", plainSheet(Qt::red));
    save("Scroll_Over.bmp", plainSheet(Qt::green));
    save("LeftClickWarn_Normal.bmp", plainSheet(Qt::blue));
  }
  void save(const char* name, const QImage& image) {
    ASSERT_TRUE(image.save(dir_.filePath(name), "BMP"));
  }
  std::string root() const { return dir_.path().toStdString() + "/"; }

  QTemporaryDir dir_;
};

TEST_F(ImageManagerTest, TheTableNamesSixtyTwoSheets) {
  ImageManager store(configImageTable(), root());
  EXPECT_EQ(store.sheetCount(), 62u);
  EXPECT_FALSE(store.imagesLoaded());
}

TEST_F(ImageManagerTest, BackgroundIdReturnsTheWholeSheetWhateverTheRectangle) {
  ImageManager store(configImageTable(), root());
  Image whole = Image::load(root() + "ColorSetting_BK.bmp");
  for (Rect r : {Rect{0, 0, 0, 0}, Rect{5, 5, 10, 10}, Rect{-50, 900, 3, 4}}) {
    Image image = store.getImage(0, 57, r);
    EXPECT_EQ(image.size(), (Size{120, 90}));
    EXPECT_TRUE(image.samePixels(whole));
  }
  EXPECT_TRUE(store.imagesLoaded());
}

TEST_F(ImageManagerTest, PieceIsThePixelsUnderTheRectangleFromTheBottomLeft) {
  ImageManager store(configImageTable(), root());
  Rect r{10, 20, 30, 15};
  Image piece = store.getImage(0, 58, r);
  ASSERT_EQ(piece.size(), (Size{30, 15}));
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 30; ++x)
      ASSERT_EQ(piece.pixel(x, y), Color::fromRgb8(10 + x, 20 + y, 7)) << x << "," << y;
}

TEST_F(ImageManagerTest, ScrollPartsTakeStatesFromTheirOwnSheets) {
  ImageManager store(configImageTable(), root());
  LogCapture log;
  Rect r{0, 0, 8, 8};
  EXPECT_EQ(store.getImage(0, 121, r).pixel(3, 3), Color::fromRgb8(255, 0, 0));
  EXPECT_EQ(store.getImage(1, 121, r).pixel(3, 3), Color::fromRgb8(0, 255, 0));
  EXPECT_TRUE(log.lines.empty());
  EXPECT_TRUE(store.getImage(2, 121, r).isNull());
  EXPECT_TRUE(store.getImage(3, 123, r).isNull());
  EXPECT_EQ(log.lines,
            (std::vector<std::string>{"getNSImage is nil 121", "getNSImage is nil 123"}));
}

TEST_F(ImageManagerTest, UnknownIdsAndMissingStatesGiveNothingAndTheLine) {
  ImageManager store(configImageTable(), root());
  LogCapture log;
  Rect r{0, 0, 8, 8};
  EXPECT_TRUE(store.getImage(0, 159, r).isNull());
  EXPECT_TRUE(store.getImage(0, -1, r).isNull());
  EXPECT_TRUE(store.getImage(3, 131, r).isNull());  // the warning dialog has no disable sheet
  EXPECT_TRUE(store.getImage(7, 58, r).isNull());
  EXPECT_EQ(log.lines, (std::vector<std::string>{"getNSImage is nil 159", "getNSImage is nil -1",
                                                 "getNSImage is nil 131", "getNSImage is nil 58"}));
  EXPECT_FALSE(store.getImage(0, 131, r).isNull());
}

TEST_F(ImageManagerTest, MissingFileLeavesItsSlotEmptyWithoutALine) {
  ImageManager store(configImageTable(), root());
  LogCapture log;
  EXPECT_TRUE(store.getImage(0, 0, {0, 0, 10, 10}).isNull());  // "Main_Normal.bmp" missing
  Image piece = store.getImage(1, 5, {3, 4, 25, 12});
  ASSERT_EQ(piece.size(), (Size{25, 12}));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 25; ++x) ASSERT_EQ(piece.pixel(x, y).alpha, 0);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(ImageManagerTest, SheetsLoadOnceAndStay) {
  ImageManager store(configImageTable(), root());
  EXPECT_FALSE(store.getImage(0, 57, {}).isNull());
  ASSERT_TRUE(QDir(dir_.path()).removeRecursively());
  EXPECT_FALSE(store.getImage(0, 57, {}).isNull());
  EXPECT_EQ(store.getImage(0, 58, {0, 0, 2, 2}).pixel(1, 1), Color::fromRgb8(1, 1, 7));
}

// The updater's kind of table: holes between IDs, two states sharing a sheet.
TEST_F(ImageManagerTest, WorksWithAnotherTable) {
  static constexpr ImageFamily kTable[] = {
      {43, 43, "Scroll_Down.bmp", {}},
      {44, 44, {}, {"ColorSetting_Normal.bmp", "Scroll_Over.bmp", "Scroll_Over.bmp", {}}},
      {46, 46, {}, {"ColorSetting_Normal.bmp", "Scroll_Over.bmp", "Scroll_Over.bmp", {}}},
  };
  ImageManager store(kTable, root());
  LogCapture log;
  EXPECT_EQ(store.sheetCount(), 3u);
  EXPECT_EQ(store.getImage(2, 46, {0, 0, 4, 4}).pixel(0, 0), Color::fromRgb8(0, 255, 0));
  EXPECT_EQ(store.getImage(0, 44, {5, 6, 4, 4}).pixel(0, 0), Color::fromRgb8(5, 6, 7));
  EXPECT_TRUE(store.getImage(0, 45, {0, 0, 4, 4}).isNull());
  EXPECT_EQ(log.lines, std::vector<std::string>{"getNSImage is nil 45"});
}

TEST(ImageClone, CopiesTheRectangleAndRefusesEmptyOnes) {
  QTemporaryDir dir;
  ASSERT_TRUE(codedSheet(50, 40).save(dir.filePath("s.png")));
  Image source = Image::load(dir.filePath("s.png").toStdString());

  EXPECT_TRUE(imageClone(source, {0, 0, 0, 10}).isNull());
  EXPECT_TRUE(imageClone(source, {0, 0, 10, 0}).isNull());
  Image piece = imageClone(source, {4, 3, 6, 5});
  ASSERT_EQ(piece.size(), (Size{6, 5}));
  EXPECT_EQ(piece.pixel(0, 0), Color::fromRgb8(4, 3, 7));
  EXPECT_EQ(piece.pixel(5, 4), Color::fromRgb8(9, 7, 7));
}

}  // namespace
}  // namespace velt
