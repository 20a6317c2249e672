#include <gtest/gtest.h>

#include "toolkit/Image.h"
#include "toolkit/color_panel_layout.h"
#include "toolkit/mouse_zones.h"
#include "toolkit/sheet_resources.h"

namespace velt {
namespace {

// Pixels of a sheet by their position from its top left, as the layout tables give them.
Color pixelFromTop(const Image& image, int x, int y) {
  return image.pixel(x, image.height() - 1 - y);
}

Image sheet(const char* name) {
  initSheetResources();
  return Image::load(std::string(":/sheets/") + name);
}

TEST(ColourSheets, PaletteSquaresSitWhereThePanelHitTests) {
  const Image panel = sheet("ColorPanel.bmp");
  ASSERT_FALSE(panel.isNull());
  ASSERT_EQ(panel.size(), (Size{kColorPanelWidth, kColorPanelHeight}));
  for (int i = 0; i < kColorPanelSquareCount; ++i) {
    const PanelSquareEdges e = colorPanelSquare(i);
    const PanelColor c = kColorPanelColors[static_cast<size_t>(i)];
    const Color expected = Color::fromRgb8(c.red, c.green, c.blue);
    EXPECT_EQ(pixelFromTop(panel, e.left, e.top), expected) << i;
    EXPECT_EQ(pixelFromTop(panel, e.right - 1, e.bottom - 1), expected) << i;
    EXPECT_NE(pixelFromTop(panel, e.right, e.top), expected) << i << ": gap or margin after it";
  }
}

TEST(ColourSheets, MouseIsOpaqueButForItsLedWindows) {
  const Image mouse = sheet("Mouse.png");
  ASSERT_FALSE(mouse.isNull());
  ASSERT_EQ(mouse.size(), (Size{kMousePictureWidth, kMousePictureHeight}));
  for (const MouseZoneRect& zone : kMouseZones) {
    const int top = zone.belowTop - zone.height;
    const int right = zone.x + zone.width - 1;
    const int bottom = zone.belowTop - 1;
    for (auto [x, y] : {std::pair{zone.x, top}, {right, bottom}, {zone.x + 3, top + 5}})
      EXPECT_EQ(pixelFromTop(mouse, x, y).alpha, 0) << zone.x << "," << zone.belowTop;
    if (zone.x > 0) {
      EXPECT_EQ(pixelFromTop(mouse, zone.x - 1, top).alpha, 1) << zone.x;
    }
    EXPECT_EQ(pixelFromTop(mouse, right + 1, bottom).alpha, 1) << zone.x;
    EXPECT_EQ(pixelFromTop(mouse, zone.x + 1, bottom + 1).alpha, 1) << zone.x;
  }
  EXPECT_EQ(pixelFromTop(mouse, 200, 5).alpha, 1) << "outside the body";
}

}  // namespace
}  // namespace velt
