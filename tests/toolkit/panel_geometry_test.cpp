#include "toolkit/color_panel_layout.h"
#include "toolkit/mouse_zones.h"
#include "toolkit/progress_fill.h"

#include <gtest/gtest.h>

#include <limits>

namespace velt {
namespace {

TEST(ColorPanelLayout, SquaresFollowTheColumnsAndRows) {
  struct Case {
    int index;
    PanelSquareEdges edges;
  };
  const Case cases[] = {{0, {1, 1, 21, 21}},    {1, {22, 1, 41, 21}},   {4, {82, 1, 101, 21}},
                        {5, {1, 22, 21, 41}},   {12, {42, 42, 61, 61}}, {15, {1, 62, 21, 81}},
                        {19, {82, 62, 101, 81}}};
  for (const Case& c : cases) {
    const PanelSquareEdges e = colorPanelSquare(c.index);
    EXPECT_EQ(e.left, c.edges.left) << c.index;
    EXPECT_EQ(e.top, c.edges.top) << c.index;
    EXPECT_EQ(e.right, c.edges.right) << c.index;
    EXPECT_EQ(e.bottom, c.edges.bottom) << c.index;
  }
}

TEST(ColorPanelLayout, SquaresFitThePictureAndDoNotTouch) {
  for (int i = 0; i < kColorPanelSquareCount; ++i) {
    const PanelSquareEdges a = colorPanelSquare(i);
    EXPECT_GE(a.left, 0);
    EXPECT_GE(a.top, 0);
    EXPECT_LT(a.right, kColorPanelWidth);
    EXPECT_LT(a.bottom, kColorPanelHeight);
    for (int j = i + 1; j < kColorPanelSquareCount; ++j) {
      const PanelSquareEdges b = colorPanelSquare(j);
      const bool apart =
          a.right < b.left || b.right < a.left || a.bottom < b.top || b.bottom < a.top;
      EXPECT_TRUE(apart) << i << " and " << j;
    }
  }
}

TEST(ColorPanelLayout, TwoSquaresShareOneColour) {
  const PanelColor nine = kColorPanelColors[9];
  const PanelColor fourteen = kColorPanelColors[14];
  EXPECT_EQ(nine.red, 99);
  EXPECT_EQ(nine.green, 255);
  EXPECT_EQ(nine.blue, 255);
  EXPECT_EQ(fourteen.red, nine.red);
  EXPECT_EQ(fourteen.green, nine.green);
  EXPECT_EQ(fourteen.blue, nine.blue);
  EXPECT_EQ(kColorPanelColors[0].red, 210);
  EXPECT_EQ(kColorPanelColors[19].blue, 44);
}

TEST(MouseZones, ZonesLieInsideThePicture) {
  for (const MouseZoneRect& zone : kMouseZones) {
    EXPECT_GE(zone.x, 0);
    EXPECT_LE(zone.x + zone.width, kMousePictureWidth);
    EXPECT_GE(zone.belowTop - zone.height, 0);
    EXPECT_LE(zone.belowTop, kMousePictureHeight);
  }
}

TEST(ProgressFill, TruncatesTheFilledPart) {
  struct Case {
    int32_t cur, min, max, extent, fill;
  };
  const Case cases[] = {
      {5, 0, 10, 107, 53},
      {0, 0, 10, 107, 0},
      {10, 0, 10, 107, 107},
      {1, 0, 3, 100, 33},
      {15, 10, 20, 50, 25},
      {20, 0, 10, 107, 214},
      {-5, 0, 10, 100, -50},
      {5, 5, 5, 100, 0},
      {5, 10, 0, 100, 0},
      {INT32_MAX, INT32_MIN, INT32_MAX, 100, 100},
      {INT32_MAX, 0, 1, INT32_MAX, INT32_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(progressFill(c.cur, c.min, c.max, c.extent), c.fill)
        << c.cur << " of " << c.min << ".." << c.max << " over " << c.extent;
  }
}

}  // namespace
}  // namespace velt
