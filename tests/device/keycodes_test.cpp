#include "device/keycodes.h"

#include <gtest/gtest.h>

#include <set>

namespace velt {
namespace {

struct KeyCase {
  uint16_t code;
  std::string_view name;
  uint16_t usage;
};

// The rows a user meets first, the shared names, and codes without a row.
constexpr KeyCase kCases[] = {
    {0, "A", 4},          {49, "space", 44},    {42, "\\", 49},        {36, "enter", 40},
    {76, "enter", 88},    {54, "command", 231}, {55, "command", 227},  {56, "shift", 225},
    {60, "shift", 229},   {58, "option", 226},  {61, "option", 230},   {59, "control", 224},
    {62, "control", 228}, {74, "mute", 127},    {72, "volum up", 128}, {73, "volume down", 129},
    {81, "=", 103},       {82, "0", 98},        {92, "9", 97},         {126, "up arrow", 82},
    {10, "", 10},         {52, "", 52},         {127, "", 127},        {200, "", 200},
    {241, "", 241},       {300, "", 300},       {0xFFFF, "", 0xFFFF},
};

TEST(KeyCodes, NamesAndUsages) {
  for (const KeyCase& c : kCases) {
    EXPECT_EQ(keyName(c.code), c.name) << "code " << c.code;
    EXPECT_EQ(hidUsage(c.code), c.usage) << "code " << c.code;
  }
}

TEST(KeyCodes, CodesWithoutRowHaveNoName) {
  const std::set<uint16_t> unnamed = {10, 52, 64,  65,  66,  68,  70,  77,  79,  80,  90,  93,
                                      94, 95, 102, 104, 105, 106, 107, 108, 110, 112, 113, 114};
  for (uint16_t code = 0; code < 127; ++code) {
    EXPECT_EQ(keyName(code).empty(), unnamed.count(code) == 1) << "code " << code;
  }
  EXPECT_EQ(keyCodeTable().size(), 127u - unnamed.size());
}

TEST(KeyCodes, ButtonKeepsLowByteOfPassThrough) {
  EXPECT_EQ(static_cast<uint8_t>(hidUsage(300)), 44);
}

}  // namespace
}  // namespace velt
