// Sheets kept between runs: what is kept is read back as it was drawn, what is not this
// build's or not whole is never used, and the folder stays within its budget.
#include "toolkit/sheet_cache.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "tests/support/temp_folder.h"
#include "toolkit/drawn_sheets.h"
#include "toolkit/layout/main_layout.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {
namespace {

// Pixels whose every byte tells where it is, so that a shifted or cut read shows.
SheetPixels patterned(int width, int height) {
  SheetPixels pixels(width, height, SheetPixels::Format::kPremultiplied);
  for (size_t i = 0; i < pixels.pixelBytes(); ++i) pixels.pixels()[i] = static_cast<char>(i * 7);
  return pixels;
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void overwrite(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class SheetCacheTest : public ::testing::Test {
 protected:
  void keep(SheetCache& cache, const char* sheet, double ratio, int width, int height) {
    cache.write(sheet, ratio, width, height, [=] { return patterned(width, height); });
    cache.waitUntilWritten();
  }
  test::TempFolder temp;
  const std::string folder = temp.path() + "cache/velt/sheets";
};

TEST_F(SheetCacheTest, KeptPixelsAreReadBackAsTheyWereWrittenIntoAFolderItMakes) {
  SheetCache cache(folder, "build-1");
  keep(cache, "Main_Normal.bmp", 1.5, 30, 20);
  EXPECT_TRUE(std::filesystem::exists(folder + "/Main_Normal.bmp@1.5.pixels"));
  const std::optional<SheetPixels> read = cache.read("Main_Normal.bmp", 1.5, 30, 20);
  ASSERT_TRUE(read);
  const SheetPixels expected = patterned(30, 20);
  ASSERT_EQ(read->pixelBytes(), expected.pixelBytes());
  EXPECT_EQ(std::memcmp(read->pixels(), expected.pixels(), expected.pixelBytes()), 0);
  EXPECT_EQ(read->format, SheetPixels::Format::kPremultiplied);
}

// Each way a kept file may not fit what is asked for: it is not used.
TEST_F(SheetCacheTest, PixelsOfAnotherBuildSizeOrRatioOrAFileCutOrForeignAreNotUsed) {
  {
    SheetCache writer(folder, "build-1");
    keep(writer, "A.bmp", 1, 8, 4);
  }
  const std::string path = folder + "/A.bmp@1.pixels";
  const std::string whole = contents(path);
  struct Case {
    const char* what;
    std::function<void()> change;  // to the file, before the read
    const char* buildKey;
    double ratio;
    int width;
    int height;
  } cases[] = {
      {"as kept", [] {}, "build-1", 1, 8, 4},
      {"another build", [] {}, "build-2", 1, 8, 4},
      {"another size", [] {}, "build-1", 1, 4, 8},
      {"another ratio", [] {}, "build-1", 2, 8, 4},
      {"cut short", [&] { overwrite(path, whole.substr(0, whole.size() - 1)); }, "build-1", 1, 8,
       4},
      {"grown", [&] { overwrite(path, whole + "x"); }, "build-1", 1, 8, 4},
      {"foreign head", [&] { overwrite(path, "GIF89a" + whole.substr(6)); }, "build-1", 1, 8, 4},
      {"gone", [&] { std::filesystem::remove(path); }, "build-1", 1, 8, 4},
  };
  for (const Case& c : cases) {
    overwrite(path, whole);
    c.change();
    SheetCache cache(folder, c.buildKey);
    EXPECT_EQ(cache.read("A.bmp", c.ratio, c.width, c.height).has_value(),
              std::string(c.what) == "as kept")
        << c.what;
  }
}

TEST_F(SheetCacheTest, NamesThatWouldLeaveTheFolderAndAProgramWithoutABuildKeyKeepNothing) {
  SheetCache cache(folder, "build-1");
  keep(cache, "../escape.bmp", 1, 2, 2);
  keep(cache, ".hidden.bmp", 1, 2, 2);
  EXPECT_FALSE(std::filesystem::exists(temp.path() + "cache/velt/escape.bmp@1.pixels"));
  EXPECT_FALSE(std::filesystem::exists(folder + "/.hidden.bmp@1.pixels"));
  SheetCache unkeyed(folder, "");
  keep(unkeyed, "B.bmp", 1, 2, 2);
  EXPECT_FALSE(std::filesystem::exists(folder + "/B.bmp@1.pixels"));
}

// 8 MB at ratio 1: two sheets of 2.8 MB are kept, a third is not; one kept already may
// be written again, as it replaces itself.
TEST_F(SheetCacheTest, TheFolderKeepsTheFirstSheetsOfARatioWithinItsBudget) {
  ASSERT_EQ(SheetCache::budgetAt(1), 8u * 1024 * 1024);
  EXPECT_EQ(SheetCache::budgetAt(2), 4 * SheetCache::budgetAt(1));
  SheetCache cache(folder, "build-1");
  keep(cache, "First.bmp", 1, 700, 1000);
  keep(cache, "Second.bmp", 1, 700, 1000);
  keep(cache, "Third.bmp", 1, 700, 1000);
  keep(cache, "Third.bmp", 2, 700, 1000);
  keep(cache, "First.bmp", 1, 700, 1000);
  EXPECT_TRUE(cache.read("First.bmp", 1, 700, 1000));
  EXPECT_TRUE(cache.read("Second.bmp", 1, 700, 1000));
  EXPECT_FALSE(cache.read("Third.bmp", 1, 700, 1000)) << "over the budget of ratio 1";
  EXPECT_TRUE(cache.read("Third.bmp", 2, 700, 1000)) << "each ratio has its own";
}

TEST(ProgramBuildKey, IsTheLinkersBuildIdInHex) {
  const std::string key = programBuildKey();
  // Debian's toolchain links every program with a build ID.
  ASSERT_GE(key.size(), 16u);
  EXPECT_EQ(key.size() % 2, 0u);
  EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos) << key;
  EXPECT_EQ(programBuildKey(), key);
}

// drawSheet with a cache installed: the first start draws and keeps, a later one reads
// the same pixels; a kept file of another build is drawn over.
TEST(DrawnSheetsWithACache, ALaterStartReadsThePixelsTheFirstDrewAndAStaleFileIsReplaced) {
  test::TempFolder temp;
  const std::string folder = temp.path() + "sheets";
  const std::string path = folder + "/MouseSetting_Normal.bmp@2.pixels";
  const Image drawnAlone = drawSheet("MouseSetting_Normal.bmp", 2);
  ASSERT_FALSE(drawnAlone.isNull());
  const QImage expected = *qt::qImage(drawnAlone, 2);
  {
    ScopedSheetCache firstStart(folder);
    ASSERT_NE(activeSheetCache(), nullptr);
    EXPECT_EQ(*qt::qImage(drawSheet("MouseSetting_Normal.bmp", 2), 2), expected);
    activeSheetCache()->waitUntilWritten();
  }
  EXPECT_EQ(activeSheetCache(), nullptr);
  ASSERT_TRUE(std::filesystem::exists(path));
  const std::string kept = contents(path);
  {
    ScopedSheetCache laterStart(folder);
    const Image read = drawSheet("MouseSetting_Normal.bmp", 2);
    EXPECT_EQ(read.size(), drawnAlone.size());
    EXPECT_EQ(read.pixelRatio(), 2);
    EXPECT_EQ(*qt::qImage(read, 2), expected);
  }
  // The same file as another build left it: its key differs, its pixels are garbage.
  std::string stale = kept;
  stale[8] ^= 1;
  for (size_t i = SheetPixels::kPixelOffset; i < stale.size(); i += 97) stale[i] ^= 0x5a;
  overwrite(path, stale);
  {
    ScopedSheetCache nextBuild(folder);
    EXPECT_EQ(*qt::qImage(drawSheet("MouseSetting_Normal.bmp", 2), 2), expected);
    activeSheetCache()->waitUntilWritten();
  }
  EXPECT_EQ(contents(path), kept) << "drawn again and kept with this build's key";
}

// A piece drawn alone (a selected tab of the down sheet) is kept as well, under its sheet
// and rectangle, and read back as drawn at a fractional ratio too.
TEST(DrawnSheetsWithACache, APieceDrawnAloneIsKeptByItsSheetAndRectangle) {
  test::TempFolder temp;
  const std::string folder = temp.path() + "sheets";
  // The Sensor and Lighting tabs: the same size, other captions.
  const Rect tab = kMainPageTabs[1].frame;
  const Rect beside = kMainPageTabs[2].frame;
  const QImage expected = *qt::qImage(drawSheetPiece("Main_Down.bmp", tab, 1.5), 1.5);
  const QImage expectedBeside = *qt::qImage(drawSheetPiece("Main_Down.bmp", beside, 1.5), 1.5);
  ASSERT_FALSE(expected.isNull());
  ASSERT_NE(expected, expectedBeside);
  {
    ScopedSheetCache firstStart(folder);
    drawSheetPiece("Main_Down.bmp", tab, 1.5);
    activeSheetCache()->waitUntilWritten();
  }
  size_t kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    kept += entry.path().filename().string().starts_with("Main_Down.bmp#");
  EXPECT_EQ(kept, 1u);
  ScopedSheetCache laterStart(folder);
  EXPECT_EQ(*qt::qImage(drawSheetPiece("Main_Down.bmp", tab, 1.5), 1.5), expected);
  EXPECT_EQ(*qt::qImage(drawSheetPiece("Main_Down.bmp", beside, 1.5), 1.5), expectedBeside)
      << "a piece of the same size elsewhere is another piece";
}

TEST(DrawnSheetsWithACache, AFolderThatCannotBeMadeCostsADrawingAndNothingElse) {
  test::TempFolder temp;
  test::writeBytes(temp.file("plain-file"), "not a folder");
  ScopedSheetCache cache(temp.file("plain-file") + "/sheets");
  const Image sheet = drawSheet("Slider_Normal.bmp", 1);
  ASSERT_FALSE(sheet.isNull());
  activeSheetCache()->waitUntilWritten();
  EXPECT_EQ(*qt::qImage(drawSheet("Slider_Normal.bmp", 1)), *qt::qImage(sheet));
  EXPECT_EQ(contents(temp.file("plain-file")), "not a folder");
}

}  // namespace
}  // namespace velt
