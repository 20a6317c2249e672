#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"

namespace velt {

// The support page, 783 x 349 points in its own coordinates ("Support_*.bmp").

inline constexpr Size kSupportPageSize = {783, 349};
inline constexpr Rect kSupportVersionPanel = {16, 196, 360, 137};
inline constexpr Rect kSupportLinksPanel = {392, 16, 375, 317};
inline constexpr Rect kSupportHelpText = {16, 16, 360, 164};

struct SupportLabelLayout {
  int32_t id;
  Rect label;  // the wording, drawn into the sheet
  Rect value;  // the control showing the value
  const char* wording;
};

inline constexpr SupportLabelLayout kSupportSoftwareVersion = {
    113, {32, 266, 150, 20}, {190, 266, 120, 20}, "Software version"};
inline constexpr SupportLabelLayout kSupportFirmwareVersion = {
    114, {32, 226, 150, 20}, {190, 226, 120, 20}, "Firmware version"};

struct SupportButtonLayout {
  int32_t id;
  Rect frame;
  const char* wording;
  const char* path;  // on the support site
};

// In the order the page creates them.
inline constexpr std::array<SupportButtonLayout, 4> kSupportButtons = {{
    {110, {416, 252, 327, 40}, "Online support", "/home"},
    {111, {416, 196, 327, 40}, "Product registration", "/"},
    {112, {416, 140, 327, 40}, "Downloads", "/categories/20014118-software-manual-downloads"},
    {109, {416, 84, 327, 40}, "FAQ", "/categories/20013662-frequently-asked-questions"},
}};

}  // namespace velt
