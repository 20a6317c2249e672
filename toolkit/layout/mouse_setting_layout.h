#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// The button page, 783 x 349 points in its own coordinates ("MouseSetting_*.bmp"). The
// sheet generator draws each control's face and wording at these frames and the page
// places its controls by them.

inline constexpr Size kMouseSettingPageSize = {783, 349};
inline constexpr Rect kMouseFunctionsPanel = {16, 16, 360, 317};
inline constexpr Rect kMousePollingPanel = {392, 236, 375, 97};
inline constexpr Rect kMousePointerPanel = {392, 16, 375, 204};
inline constexpr Rect kMousePointerNote = {408, 24, 343, 36};

// The function menus of buttons 1 to 7, IDs 23 to 29.
inline constexpr double kFunctionRowStep = 38;
constexpr ControlLayout functionMenuLayout(int index) {
  const char* names[] = {"Button 1", "Button 2", "Button 3", "Button 4",
                         "Button 5", "Button 6", "Button 7"};
  double y = 272 - kFunctionRowStep * index;
  return {23 + index, {150, y, 200, 26}, names[index], {32, y, 110, 26}};
}

// The polling buttons, IDs 37 to 40, from 125 Hz to 1000 Hz.
inline constexpr std::array<ControlLayout, 4> kPollingButtons = {{
    {37, {408, 252, 80, 30}, "125 Hz"},
    {38, {496, 252, 80, 30}, "250 Hz"},
    {39, {584, 252, 80, 30}, "500 Hz"},
    {40, {672, 252, 80, 30}, "1000 Hz"},
}};

// The sliders take their thumb's top edge as their frame's top edge.
inline constexpr ControlLayout kDoubleClickSlider = {
    41, {572, 162, 180, 20}, "Double-click speed", {408, 160, 160, 20}};
inline constexpr ControlLayout kScrollSpeedSlider = {
    42, {572, 122, 180, 20}, "Scroll speed", {408, 120, 160, 20}};
inline constexpr ControlLayout kAccelerationSlider = {
    43, {572, 82, 180, 20}, "Pointer acceleration"};
inline constexpr ControlLayout kAccelerationCheck = {
    44, {404, 80, 164, 20}, "Pointer acceleration"};

}  // namespace velt
