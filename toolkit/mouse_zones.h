#pragma once

#include <array>

namespace velt {

// The LED preview's picture ("Mouse.png") and the four light zones painted beneath its
// transparent windows. The sheet generator cuts the windows from this same table.

// The picture is drawn on the panel's grey; the preview paints the same grey beneath it,
// so that a dark zone shows as the panel does.
inline constexpr int kMousePictureBackground[3] = {24, 26, 29};

inline constexpr int kMousePictureWidth = 205;
inline constexpr int kMousePictureHeight = 212;

// A zone's rectangle measured from the view's top edge: its bottom edge lies `belowTop`
// points under the top, so in the view's bottom-left coordinates y = height - belowTop.
struct MouseZoneRect {
  int x;
  int belowTop;
  int width;
  int height;
};

inline constexpr MouseZoneRect kScrollWheelZone = {45, 24, 30, 20};
inline constexpr MouseZoneRect kDpiButtonsZone = {69, 45, 30, 20};
inline constexpr MouseZoneRect kDpiIndicotorZone = {0, 52, 14, 20};
inline constexpr MouseZoneRect kLogoTypeZone = {108, 139, 45, 40};

inline constexpr std::array<MouseZoneRect, 4> kMouseZones = {kScrollWheelZone, kDpiIndicotorZone,
                                                             kDpiButtonsZone, kLogoTypeZone};

}  // namespace velt
