#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <map>
#include <string>
#include <utility>

#include "tests/support/log_capture.h"
#include "toolkit/ImageManager.h"
#include "toolkit/image_access.h"
#include "toolkit/image_tables.h"
#include "toolkit/platform/qt_convert.h"

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

TEST_F(ImageManagerTest, TheTableNamesSixtyTwoSheetsAndNoneIsLoadedYet) {
  ImageManager store(configImageTable(), root());
  EXPECT_EQ(store.sheetCount(), 62u);
  EXPECT_EQ(store.sheetsLoaded(), 0u);
  EXPECT_FALSE(store.imagesLoaded());
}

// Each request decodes only the sheet that answers it: a page's first drawing does not
// pay for the other pages, nor for its own over, down and disable pictures.
TEST_F(ImageManagerTest, SheetsLoadWhenFirstNeeded) {
  ImageManager store(configImageTable(), root());
  LogCapture log;
  EXPECT_FALSE(store.getImage(0, 57, {}).isNull());
  EXPECT_TRUE(store.sheetLoaded("ColorSetting_BK.bmp"));
  EXPECT_EQ(store.sheetsLoaded(), 1u) << "the whole sheet only";

  // A piece is a picture of its size whose sheet is decoded when it is first used.
  const Image over = store.getImage(1, 121, {0, 0, 4, 4});
  EXPECT_EQ(over.size(), (Size{4, 4}));
  EXPECT_FALSE(over.pixelsMade());
  EXPECT_FALSE(store.sheetLoaded("Scroll_Over.bmp")) << "not used yet";
  EXPECT_EQ(over.pixel(1, 1), Color::fromRgb8(0, 255, 0));
  EXPECT_TRUE(store.sheetLoaded("Scroll_Over.bmp"));
  EXPECT_FALSE(store.sheetLoaded("Scroll_Down.bmp")) << "another state's sheet";

  EXPECT_TRUE(store.getImage(3, 131, {0, 0, 4, 4}).isNull());
  const Image blank = store.getImage(2, 5, {0, 0, 4, 4});
  EXPECT_EQ(blank.pixel(1, 1).alpha, 0) << "a blank piece";
  EXPECT_TRUE(store.sheetLoaded("Main_Down.bmp")) << "found missing, not looked for again";
  EXPECT_EQ(store.sheetsLoaded(), 3u) << "a state the family lacks loads nothing";
  EXPECT_TRUE(log.lines.size() == 1u && log.lines[0] == "getNSImage is nil 131");
  store.initImages();
  EXPECT_EQ(store.sheetsLoaded(), 62u);
  EXPECT_TRUE(store.imagesLoaded());
}

// A piece outlives the store it came from, and a sheet is decoded once for all its
// pieces.
TEST_F(ImageManagerTest, PiecesOutliveTheirStore) {
  Image first, second;
  {
    ImageManager store(configImageTable(), root());
    first = store.getImage(0, 58, {10, 20, 4, 4});
    second = store.getImage(0, 59, {0, 0, 4, 4});
  }
  EXPECT_EQ(first.pixel(0, 0), Color::fromRgb8(10, 20, 7));
  ASSERT_TRUE(QDir(dir_.path()).removeRecursively());
  EXPECT_EQ(second.pixel(1, 1), Color::fromRgb8(1, 1, 7)) << "the sheet decoded for the first";
}

// A deferred picture is made once, on first use, and keeps the size it promised.
TEST(Image, DeferredPicturesAreMadeOnceOnFirstUse) {
  int made = 0;
  const Image red = Image::deferred({3, 2}, [&] {
    ++made;
    return Image::filled({3, 2}, Color::fromRgb8(255, 0, 0));
  });
  const Image copy = red;
  EXPECT_EQ(red.size(), (Size{3, 2}));
  EXPECT_EQ(made, 0);
  EXPECT_EQ(copy.pixel(2, 1), Color::fromRgb8(255, 0, 0));
  EXPECT_TRUE(red.pixelsMade()) << "copies share the picture";
  EXPECT_TRUE(red.samePixels(Image::filled({3, 2}, Color::fromRgb8(255, 0, 0))));
  EXPECT_EQ(made, 1);

  const Image wrongSize = Image::deferred({4, 4}, [] { return Image::filled({2, 2}, {}); });
  EXPECT_EQ(wrongSize.pixel(3, 3), Color::clear());
  EXPECT_TRUE(Image::deferred({0, 4}, [] { return Image::filled({2, 2}, {}); }).isNull());
}

// Decoded pictures become images without a copy of their pixels; other formats are
// converted, keeping their colours.
TEST(QtImage, ConvertsWithoutCopyingWherePossible) {
  for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
    QImage decoded(6, 4, format);
    decoded.fill(QColor(10, 20, 30));
    const Image image = qt::fromQImage(decoded);
    EXPECT_EQ(qt::qImage(image)->constBits(), std::as_const(decoded).constBits()) << format;
  }
  QImage straight(6, 4, QImage::Format_ARGB32);
  straight.fill(QColor(200, 100, 50, 128));
  const Image image = qt::fromQImage(straight);
  EXPECT_EQ(qt::qImage(image)->format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(
      image.pixel(2, 2),
      qt::fromQRgb(straight.convertToFormat(QImage::Format_ARGB32_Premultiplied).pixel(2, 2)));
  EXPECT_TRUE(image.samePixels(qt::fromQImage(straight.convertToFormat(QImage::Format_RGBA8888))));
}

TEST_F(ImageManagerTest, BackgroundIdReturnsTheWholeSheetWhateverTheRectangle) {
  ImageManager store(configImageTable(), root());
  Image whole = Image::load(root() + "ColorSetting_BK.bmp");
  for (Rect r : {Rect{0, 0, 0, 0}, Rect{5, 5, 10, 10}, Rect{-50, 900, 3, 4}}) {
    Image image = store.getImage(0, 57, r);
    EXPECT_EQ(image.size(), (Size{120, 90}));
    EXPECT_TRUE(image.samePixels(whole));
  }
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
  EXPECT_EQ(store.getImage(0, 58, {0, 0, 2, 2}).pixel(0, 0), Color::fromRgb8(0, 0, 7));
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

// The whole family table, written out once more: every sheet a colour of its own, so that
// each ID and state shows which file answered it.
class FamilyTableTest : public testing::Test {
 protected:
  static constexpr const char* kStates[] = {"Normal", "Over", "Down", "Disable"};
  struct Whole {
    int32_t id;
    const char* file;
  };
  struct Pieces {
    int32_t first;
    int32_t last;
    const char* page;
    int states;  // 4, or 3 where the page has no disable sheet
  };
  static constexpr Whole kWhole[] = {
      {0, "Main_Normal.bmp"},
      {22, "MouseSetting_Normal.bmp"},
      {45, "Sensor_Normal.bmp"},
      {57, "ColorSetting_BK.bmp"},
      {98, "Mouse.png"},
      {99, "MacroSetting_BK.bmp"},
      {108, "Support_Normal.bmp"},
      {115, "Slider_Normal.bmp"},
      {116, "Slider_Disable.bmp"},
      {117, "Slider1.bmp"},
      {118, "Slider2.bmp"},
      {119, "Slider3.bmp"},
      {120, "Scroll_Normal.bmp"},
      {124, "ColorPanel.bmp"},
      {125, "ReName_Normal.bmp"},
      {130, "LeftClickWarn_Normal.bmp"},
      {133, "DeleteMacro_Normal.bmp"},
      {137, "SensorSQAT1_Normal.bmp"},
      {141, "SensorSQAT2_Normal.bmp"},
      {147, "SensorSQAT3_Normal.bmp"},
      {150, "ResetWarn_Normal.bmp"},
      {154, "AssignKey_Normal.bmp"},
  };
  static constexpr Pieces kPieces[] = {
      {1, 21, "Main", 4},           {23, 44, "MouseSetting", 4},    {46, 56, "Sensor", 4},
      {58, 97, "ColorSetting", 4},  {100, 107, "MacroSetting", 4},  {109, 114, "Support", 4},
      {126, 129, "ReName", 4},      {131, 132, "LeftClickWarn", 3}, {134, 136, "DeleteMacro", 3},
      {138, 140, "SensorSQAT1", 3}, {142, 146, "SensorSQAT2", 3},   {148, 149, "SensorSQAT3", 3},
      {151, 153, "ResetWarn", 3},   {155, 158, "AssignKey", 4},
  };

  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    for (const Whole& w : kWhole) write(w.file);
    for (const Pieces& p : kPieces)
      for (int state = 0; state < p.states; ++state)
        write(std::string(p.page) + "_" + kStates[state] + ".bmp");
    write("Scroll_Down.bmp");
    write("Scroll_Over.bmp");
  }
  void write(const std::string& name) {
    if (colours_.count(name)) return;  // a page's normal sheet is also its background
    const int n = static_cast<int>(colours_.size());
    const Color colour = Color::fromRgb8(n * 4, 255 - n * 4, 100 + n);
    colours_[name] = colour;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(n * 4, 255 - n * 4, 100 + n));
    ASSERT_TRUE(image.save(dir_.filePath(QString::fromStdString(name))));
  }
  // The file an answer came from, or "" for none.
  std::string fileOf(const Image& image) const {
    if (image.isNull()) return "";
    for (const auto& [name, colour] : colours_)
      if (image.pixel(1, 1) == colour) return name;
    return "?";
  }

  QTemporaryDir dir_;
  std::map<std::string, Color> colours_;
};

TEST_F(FamilyTableTest, EveryIdAndStateComesFromItsSheet) {
  EXPECT_EQ(colours_.size(), 62u);
  ImageManager store(configImageTable(), dir_.path().toStdString() + "/");
  LogCapture log;
  const Rect piece{0, 0, 4, 4};
  for (const Whole& w : kWhole)
    for (int32_t state = 0; state < 4; ++state) {
      Image image = store.getImage(state, w.id, {1, 1, 2, 2});
      EXPECT_EQ(fileOf(image), w.file) << "ID " << w.id << " state " << state;
      EXPECT_EQ(image.size(), (Size{4, 4})) << "whole, uncut: ID " << w.id;
    }
  for (const Pieces& p : kPieces)
    for (int32_t id : {p.first, p.last})
      for (int32_t state = 0; state < 4; ++state) {
        std::string expected =
            state < p.states ? std::string(p.page) + "_" + kStates[state] + ".bmp" : "";
        EXPECT_EQ(fileOf(store.getImage(state, id, piece)), expected)
            << "ID " << id << " state " << state;
      }
  for (int32_t id : {121, 123}) {
    EXPECT_EQ(fileOf(store.getImage(0, id, piece)), "Scroll_Down.bmp");
    EXPECT_EQ(fileOf(store.getImage(1, id, piece)), "Scroll_Over.bmp");
    EXPECT_EQ(fileOf(store.getImage(2, id, piece)), "");
    EXPECT_EQ(fileOf(store.getImage(3, id, piece)), "");
  }
  EXPECT_EQ(fileOf(store.getImage(0, 159, piece)), "");
  // One line for each missing state asked for: the six dialogs without a disable sheet
  // (first and last ID each), the scroll parts' two missing states, and 159.
  EXPECT_EQ(log.lines.size(), 6u * 2 + 2 * 2 + 1);
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
