#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/gallery_layout.h"

namespace velt {

// The gallery's check box, static and progress section, and its colour section with the
// running LED preview; each control has an ID, a frame and its wording. The sheet generator paints
// the pictures from these tables and the gallery places the controls by them. Gallery coordinates,
// bottom left, y up.

// In "Check box, static, progress" (image IDs 20 to 39).
inline constexpr std::array<ControlLayout, 3> kGalleryCheckLayouts = {{
    {20, {24, 320, 120, 20}, "Scroll wheel"},
    {21, {24, 294, 120, 20}, "Logo"},
    {22, {24, 268, 120, 20}, "Disabled"},
}};
inline constexpr int32_t kGalleryDisabledCheck = 22;
inline constexpr ControlLayout kGalleryStatic = {23, {24, 236, 176, 18}, "Static"};
inline constexpr ControlLayout kGalleryHorizontalBar = {
    24, {24, 212, 176, 12}, "Horizontal progress"};
inline constexpr ControlLayout kGalleryVerticalBar = {25, {224, 212, 16, 107}, "Vertical progress"};

// In "Colour" (image IDs 100 to 119). The preview's picture is the mouse sheet.
inline constexpr Rect kGalleryMousePreview = {560, 308, 205, 212};
inline constexpr std::array<ControlLayout, 4> kGalleryZoneColourLayouts = {{
    {100, {552, 276, 52, 22}, "Wheel"},
    {101, {610, 276, 52, 22}, "DPI"},
    {102, {668, 276, 52, 22}, "Buttons"},
    {103, {726, 276, 52, 22}, "Logo"},
}};
inline constexpr std::array<ControlLayout, 4> kGalleryModeLayouts = {{
    {104, {552, 244, 52, 22}, "Solid"},
    {105, {610, 244, 52, 22}, "Blink"},
    {106, {668, 244, 52, 22}, "Pulse"},
    {107, {726, 244, 52, 22}, "Breath"},
}};
inline constexpr ControlLayout kGalleryColorShiftCheck = {108, {552, 212, 120, 20}, "Colour shift"};

}  // namespace velt
