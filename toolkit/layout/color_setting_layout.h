#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// The lighting page, 783 x 349 points in its own coordinates: "ColorSetting_BK.bmp" is
// its background and "ColorSetting_Normal.bmp" to "ColorSetting_Disable.bmp" hold its
// controls' pictures, all drawn from these tables.

inline constexpr Size kColorSettingPageSize = {783, 349};
inline constexpr Rect kColorSwitchPanel = {16, 252, 360, 81};
inline constexpr Rect kColorZonePanel = {16, 112, 360, 132};
inline constexpr Rect kColorEffectPanel = {16, 16, 360, 88};
inline constexpr Rect kColorColourPanel = {392, 16, 375, 317};

// LED on, off and per zone.
inline constexpr std::array<ControlLayout, 3> kColorSwitches = {{
    {58, {32, 264, 104, 28}, "LED on"},
    {59, {144, 264, 104, 28}, "LED off"},
    {60, {256, 264, 104, 28}, "Select zones"},
}};

// The zones in the order of their bits 1, 2, 4, 8: check box, then colour button.
inline constexpr std::array<ControlLayout, 4> kColorZoneChecks = {{
    {61, {32, 196, 200, 20}, "Scroll wheel"},
    {62, {32, 170, 200, 20}, "DPI indicator"},
    {63, {32, 144, 200, 20}, "DPI buttons"},
    {64, {32, 118, 200, 20}, "Logo"},
}};
inline constexpr std::array<ControlLayout, 4> kColorZoneButtons = {{
    {.id = 85, .frame = {256, 196, 104, 20}, .wording = "Scroll wheel colour", .caption = "Colour"},
    {.id = 86,
     .frame = {256, 170, 104, 20},
     .wording = "DPI indicator colour",
     .caption = "Colour"},
    {.id = 87, .frame = {256, 144, 104, 20}, .wording = "DPI buttons colour", .caption = "Colour"},
    {.id = 88, .frame = {256, 118, 104, 20}, .wording = "Logo colour", .caption = "Colour"},
}};

// Modes 1 to 4, then colour shift and fixed colour.
inline constexpr std::array<ControlLayout, 4> kColorModes = {{
    {89, {32, 52, 76, 28}, "Solid"},
    {90, {116, 52, 76, 28}, "Blinking"},
    {91, {200, 52, 76, 28}, "Pulsating"},
    {92, {284, 52, 76, 28}, "Breathing"},
}};
inline constexpr ControlLayout kColorShift = {93, {32, 22, 160, 24}, "Colour shift"};
inline constexpr ControlLayout kColorFixed = {94, {200, 22, 160, 24}, "Fixed colour"};

// The palette: 4 rows of 5 swatches, IDs 65 to 84 row by row from the top.
inline constexpr int32_t kColorPaletteFirstId = 65;
inline constexpr int kColorPaletteColumns = 5;
inline constexpr int kColorPaletteCount = 20;
inline constexpr Size kColorSwatchSize = {24, 24};

struct PaletteRgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

inline constexpr std::array<PaletteRgb, kColorPaletteCount> kColorPalette = {{
    {209, 41, 43},  {246, 115, 77}, {247, 148, 63}, {248, 185, 50}, {252, 255, 0},
    {181, 255, 0},  {87, 255, 0},   {92, 186, 22},  {92, 255, 166}, {99, 255, 255},
    {90, 213, 255}, {82, 170, 255}, {77, 124, 255}, {70, 0, 255},   {136, 0, 255},
    {172, 0, 255},  {209, 0, 255},  {248, 0, 255},  {246, 22, 178}, {245, 47, 44},
}};

inline constexpr Rect colorSwatchFrame(int index) {
  return {408.0 + (index % kColorPaletteColumns) * 28.0,
          268.0 - (index / kColorPaletteColumns) * 30.0, kColorSwatchSize.width,
          kColorSwatchSize.height};
}

// The red, green and blue fields with their labels.
inline constexpr std::array<ControlLayout, 3> kColorFields = {{
    {0, {448, 40, 44, 20}, "Red", {408, 40, 40, 20}},
    {0, {548, 40, 44, 20}, "Green", {504, 40, 44, 20}},
    {0, {640, 40, 44, 20}, "Blue", {604, 40, 36, 20}},
}};
inline constexpr Rect kColorFieldsHint = {408, 68, 136, 84};

// The preview, at the mouse picture's size.
inline constexpr int32_t kColorPreviewId = 98;
inline constexpr Rect kColorPreview = {558, 92, 205, 212};

}  // namespace velt
