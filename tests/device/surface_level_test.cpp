#include <gtest/gtest.h>

#include "device/surface_level.h"

namespace velt {
namespace {

TEST(SurfaceLevelTest, EveryBoundary) {
  struct Case {
    int value, level;
  } cases[] = {{0, 0},  {1, 0},  {2, 1},  {10, 1},  {11, 2},   {20, 2},  {21, 3}, {30, 3},
               {31, 4}, {40, 4}, {41, 5}, {50, 5},  {51, 6},   {60, 6},  {61, 7}, {70, 7},
               {71, 8}, {90, 8}, {91, 9}, {110, 9}, {111, 10}, {255, 10}};
  for (const Case& c : cases) {
    EXPECT_EQ(surfaceLevel(static_cast<uint8_t>(c.value)), c.level) << c.value;
  }
}

}  // namespace
}  // namespace velt
