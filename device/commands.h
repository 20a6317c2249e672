#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "device/result_codes.h"

namespace velt {

// The payload of every data-block report: flash blocks, profile image blocks and
// firmware blocks.
inline constexpr size_t kDataBlockSize = 1024;
inline constexpr uint8_t kProfileCount = 5;  // the mouse's profile slots 0..4

// Commands on feature report 3 to the mouse in normal mode, each followed by the
// status handshake unless said otherwise. Outputs change only on success.

// The status handshake after a command: polls report 3 up to ten times back to back.
bool QuerySetResult();

// A firmware version in hundredths as the programs show it: "%.2f" of it, 46 is "0.46",
// 1005 is "10.05".
std::string firmwareVersionText(int32_t hundredths);
// The firmware version, e.g. 46 for "0.46". 3 also when the version reply cannot be
// read, so that an unreadable version never passes for version 0.
DeviceResult Get_fw_version(uint16_t& version);
// The mouse's current profile; a reply above 4 leaves `id` as it was. 0 when the
// reply cannot be read.
DeviceResult Get_current_profile_id(uint8_t& id);
// 2 for a profile number above 4 (nothing sent).
DeviceResult Set_current_profile_id(uint8_t id);
// Only modes 0 and 2 exist; any other returns 2 and sends nothing.
DeviceResult Set_driver_control(uint8_t mode);
// The handshake's outcome is ignored: 3 only if the command cannot be sent. The result
// is read kSurfaceAnalysisSeconds (base/surface_analysis.h) later.
DeviceResult Start_surface_analyzer();
DeviceResult Get_surface_analyzer_result(uint8_t& value);
// The lift-off distances the mouse takes.
inline constexpr int kMinLiftDistance = 6;
inline constexpr int kMaxLiftDistance = 31;
// Lift-off distance test and save; the handshake's outcome is ignored.
DeviceResult Test_LOD(uint8_t distance);
DeviceResult Save_LOD(uint8_t distance);
// One 1024-byte flash block, read one second after the request.
DeviceResult Read_flash_block(uint8_t block, std::span<uint8_t, kDataBlockSize> data);

}  // namespace velt
