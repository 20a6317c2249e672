#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// The support page, 783 x 349 points in its own coordinates ("Support_*.bmp").

inline constexpr Size kSupportPageSize = {783, 349};
inline constexpr Rect kSupportVersionPanel = {16, 196, 360, 137};
inline constexpr Rect kSupportLinksPanel = {392, 16, 375, 317};
inline constexpr Rect kSupportHelpText = {16, 16, 360, 164};

// The version labels show the value at the frame, the wording at the label.
inline constexpr ControlLayout kSupportSoftwareVersion = {
    113, {190, 266, 120, 20}, "Software version", {32, 266, 150, 20}};
inline constexpr ControlLayout kSupportFirmwareVersion = {
    114, {190, 226, 120, 20}, "Firmware version", {32, 226, 150, 20}};

// A button and the address on the support site it opens.
struct SupportLink {
  ControlLayout button;
  const char* path;
};

// In the order the page creates them.
inline constexpr std::array<SupportLink, 4> kSupportButtons = {{
    {{110, {416, 252, 327, 40}, "Online support"}, "/home"},
    {{111, {416, 196, 327, 40}, "Product registration"}, "/"},
    {{112, {416, 140, 327, 40}, "Downloads"}, "/categories/20014118-software-manual-downloads"},
    {{109, {416, 84, 327, 40}, "FAQ"}, "/categories/20013662-frequently-asked-questions"},
}};

}  // namespace velt
