#include "emulator/firmware_version.h"

#include <algorithm>

namespace velt {

std::optional<uint16_t> findFirmwareVersion(std::span<const uint8_t> image) {
  const auto marker = std::search(
      image.begin(), image.end(), kFirmwareVersionMarker.begin(), kFirmwareVersionMarker.end(),
      [](uint8_t byte, char c) { return byte == static_cast<uint8_t>(c); });
  const size_t at = static_cast<size_t>(marker - image.begin()) + kFirmwareVersionMarker.size();
  if (marker == image.end() || at + 2 > image.size()) return std::nullopt;
  return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

}  // namespace velt
