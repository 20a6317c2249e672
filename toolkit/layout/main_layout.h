#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// The VELTPLUS main window: 800 x 600 points, bottom left, y up. The sheet generator
// paints "Main_*.bmp" from these rectangles and the main view places its controls by
// them, so every picture lies under its control.

inline constexpr Size kMainWindowSize = {800, 600};
// Presses on the background above this line drag the window.
inline constexpr double kMainDragBandBottom = 450;
// Every page shares this frame.
inline constexpr Rect kMainPageFrame = {9, 42, 783, 349};

inline constexpr Rect kMainTitle = {24, 548, 520, 32};

// Page tabs, IDs 1 to 5.
inline constexpr std::array<ControlLayout, 5> kMainPageTabs = {{
    {1, {9, 456, 150, 36}, "Buttons"},
    {2, {167, 456, 150, 36}, "Sensor"},
    {3, {325, 456, 150, 36}, "Lighting"},
    {4, {483, 456, 150, 36}, "Macros"},
    {5, {641, 456, 151, 36}, "Support"},
}};

// Profile tabs, IDs 6 to 10 (captioned with the profile's name), each with its profile
// menu, IDs 11 to 15, at its right.
inline constexpr double kProfileTabWidth = 127;
inline constexpr double kProfileMenuWidth = 24;
inline constexpr double kProfileRowY = 404;
inline constexpr double kProfileRowHeight = 24;
inline constexpr double kProfileGroupStep = 157;

constexpr Rect profileTabFrame(int index) {
  return {9 + kProfileGroupStep * index, kProfileRowY, kProfileTabWidth, kProfileRowHeight};
}
constexpr Rect profileMenuFrame(int index) {
  return {9 + kProfileGroupStep * index + kProfileTabWidth, kProfileRowY, kProfileMenuWidth,
          kProfileRowHeight};
}
inline constexpr int32_t kFirstProfileTabId = 6;
inline constexpr int32_t kFirstProfileMenuId = 11;
inline constexpr int32_t kProfileMenuWidthInMenu = 158;

// The bottom row.
inline constexpr ControlLayout kMainReset = {16, {9, 8, 140, 26}, "Reset to default"};
inline constexpr ControlLayout kMainLanguage = {17, {157, 8, 120, 26}, "Language"};
inline constexpr ControlLayout kMainOK = {18, {524, 8, 84, 26}, "OK"};
inline constexpr ControlLayout kMainApply = {19, {616, 8, 84, 26}, "Apply"};
inline constexpr ControlLayout kMainCancel = {20, {708, 8, 84, 26}, "Cancel"};
inline constexpr Rect kMainVersionLabel = {292, 12, 60, 18};
inline constexpr int32_t kMainVersionId = 21;
inline constexpr Rect kMainVersionFrame = {352, 12, 60, 18};

inline constexpr std::array<ControlLayout, 4> kMainActionButtons = {kMainReset, kMainOK, kMainApply,
                                                                    kMainCancel};

}  // namespace velt
