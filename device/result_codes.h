#pragma once

#include <cstdint>

namespace velt {

// What every command, profile and bootloader function returns.
using DeviceResult = uint8_t;

inline constexpr DeviceResult kResultSuccess = 1;
inline constexpr DeviceResult kResultBadArgument = 2;  // nothing was sent
// A report could not be sent or read, or the status handshake did not report success.
inline constexpr DeviceResult kResultTransferFailed = 3;
// Read_profile only: the mouse holds no data for that profile.
inline constexpr DeviceResult kResultEmptyProfile = 255;
// Get_current_profile_id only: the command was accepted but its reply could not be read.
inline constexpr DeviceResult kResultReplyUnreadable = 0;

}  // namespace velt
