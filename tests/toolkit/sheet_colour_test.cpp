#include <gtest/gtest.h>

#include <array>

#include "toolkit/Image.h"
#include "toolkit/color_panel_layout.h"
#include "toolkit/drawn_sheets.h"
#include "toolkit/mouse_zones.h"

namespace velt {
namespace {

// Pixels of a sheet by their position from its top left, as the layout tables give them.
Color pixelFromTop(const Image& image, int x, int y) {
  return image.pixel(x, image.height() - 1 - y);
}

Image sheet(const char* name) {
  return drawSheet(name);
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

// Each window is cut in the shape of what it lights: clear pixels only inside its zone
// rectangle, enough to show the colour, yet not the whole rectangle.
TEST(ColourSheets, MouseIsOpaqueButForItsShapedLedWindows) {
  const Image mouse = sheet("Mouse.png");
  ASSERT_FALSE(mouse.isNull());
  ASSERT_EQ(mouse.size(), (Size{kMousePictureWidth, kMousePictureHeight}));
  const auto inZone = [](const MouseZoneRect& zone, int x, int y) {
    return x >= zone.x && x < zone.x + zone.width && y >= zone.belowTop - zone.height &&
           y < zone.belowTop;
  };
  std::array<int, kMouseZones.size()> clear{};
  for (int y = 0; y < kMousePictureHeight; ++y)
    for (int x = 0; x < kMousePictureWidth; ++x) {
      if (pixelFromTop(mouse, x, y).alpha == 1) continue;
      size_t zone = 0;
      while (zone < kMouseZones.size() && !inZone(kMouseZones[zone], x, y)) ++zone;
      ASSERT_LT(zone, kMouseZones.size()) << "see-through outside every zone at " << x << "," << y;
      ++clear[zone];
    }
  for (size_t i = 0; i < kMouseZones.size(); ++i) {
    const MouseZoneRect& zone = kMouseZones[i];
    EXPECT_GE(clear[i], 20) << "zone " << i;
    EXPECT_LT(clear[i], zone.width * zone.height * 2 / 3) << "zone " << i << " is shaped";
  }
}

// Each window lies in the mouse's shell: a few pixels beyond its edges (past the bezel)
// the picture shows the body, not the desk it lies on, which fills the corners.
TEST(ColourSheets, MouseShellSurroundsEveryLedWindow) {
  const Image mouse = sheet("Mouse.png");
  ASSERT_FALSE(mouse.isNull());
  const Color desk = pixelFromTop(mouse, kMousePictureWidth - 1, 0);
  EXPECT_EQ(desk.alpha, 1);
  EXPECT_EQ(pixelFromTop(mouse, 0, kMousePictureHeight - 1), desk) << "bottom left corner";
  EXPECT_EQ(pixelFromTop(mouse, kMousePictureWidth - 1, kMousePictureHeight - 1), desk)
      << "bottom right corner";
  constexpr int kBeyond = 5;
  for (const MouseZoneRect& zone : kMouseZones) {
    const int top = zone.belowTop - zone.height;
    const int midX = zone.x + zone.width / 2, midY = top + zone.height / 2;
    const std::pair<int, int> around[] = {{zone.x - kBeyond, midY},
                                          {zone.x + zone.width - 1 + kBeyond, midY},
                                          {midX, top - kBeyond},
                                          {midX, zone.belowTop - 1 + kBeyond}};
    for (auto [x, y] : around) {
      if (x < 0 || y < 0 || x >= kMousePictureWidth || y >= kMousePictureHeight) continue;
      const Color c = pixelFromTop(mouse, x, y);
      EXPECT_EQ(c.alpha, 1) << x << "," << y;
      EXPECT_NE(c, desk) << "desk at " << x << "," << y << " beside the window at " << zone.x << ","
                         << zone.belowTop;
    }
  }
}

}  // namespace
}  // namespace velt
