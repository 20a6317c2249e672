#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velt {

// Writes a firmware package into `folder` (created with its parents): "fwconfig.plist"
// with "Version" and "Name" (and "SHA256" of the image when `withDigest`), and
// "<name>.bin". False with the reason in `error`.
bool writeFirmwarePackage(const std::string& folder, int32_t version, const std::string& name,
                          const std::vector<uint8_t>& image, bool withDigest, std::string& error);

// A firmware image for the emulated mouse: `length` bytes of a fixed pattern that
// name `version` the way the emulated mouse reads it ("VELTFW" and the version in
// hundredths, 16 bits little-endian) near the start.
std::vector<uint8_t> emulatedFirmwareImage(uint16_t version, size_t length);

// The demo package the build makes for the emulated mouse: version 0.47, 40 blocks,
// the last one part-filled.
inline constexpr uint16_t kDemoFirmwareVersion = 47;
inline constexpr size_t kDemoFirmwareBytes = 39 * 1024 + 700;
inline constexpr const char* kDemoFirmwareName = "VELT_demo_047";

}  // namespace velt
