#pragma once

#include <array>
#include <cstdint>

namespace velt {

// The colour palette picture ("ColorPanel.bmp") and the squares the panel hit-tests on
// it. The sheet generator paints the squares from this same table.

inline constexpr int kColorPanelWidth = 102;
inline constexpr int kColorPanelHeight = 82;
inline constexpr int kColorPanelColumns = 5;
inline constexpr int kColorPanelRows = 4;
inline constexpr int kColorPanelSquareCount = kColorPanelColumns * kColorPanelRows;

// Pixels from the picture's top-left corner; a square covers [left, right] x [top, bottom]
// for hit tests, edges included.
struct PanelSquareEdges {
  int left;
  int top;
  int right;
  int bottom;
};

struct PanelColor {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

namespace detail {
struct PanelSpan {
  int first;
  int last;
};
inline constexpr std::array<PanelSpan, kColorPanelColumns> kPanelColumns = {
    {{1, 21}, {22, 41}, {42, 61}, {62, 81}, {82, 101}}};
inline constexpr std::array<PanelSpan, kColorPanelRows> kPanelRows = {
    {{1, 21}, {22, 41}, {42, 61}, {62, 81}}};
}  // namespace detail

// Square `index` = row * 5 + column, both from 0; neighbours leave a gap between them.
constexpr PanelSquareEdges colorPanelSquare(int index) {
  const detail::PanelSpan column = detail::kPanelColumns[index % kColorPanelColumns];
  const detail::PanelSpan row = detail::kPanelRows[index / kColorPanelColumns];
  return {column.first, row.first, column.last, row.last};
}

inline constexpr std::array<PanelColor, kColorPanelSquareCount> kColorPanelColors = {{
    {210, 42, 44},  {246, 115, 77}, {247, 148, 63}, {248, 185, 60}, {252, 255, 0},
    {181, 255, 0},  {87, 255, 0},   {92, 186, 22},  {92, 255, 166}, {99, 255, 255},
    {90, 213, 255}, {87, 255, 255}, {77, 124, 255}, {70, 0, 255},   {99, 255, 255},
    {172, 0, 255},  {209, 0, 255},  {248, 0, 255},  {246, 22, 178}, {245, 47, 44},
}};

}  // namespace velt
