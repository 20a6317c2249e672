#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velt {

// A firmware image names its version with the six ASCII bytes "VELTFW" followed by
// the version in hundredths as 16 bits little-endian (46 is version 0.46). The first
// such marker anywhere in the image counts.
inline constexpr std::string_view kFirmwareVersionMarker = "VELTFW";

// nullopt when the image holds no complete marker.
std::optional<uint16_t> findFirmwareVersion(std::span<const uint8_t> image);

}  // namespace velt
