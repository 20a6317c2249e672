#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/commands.h"
#include "device/result_codes.h"

namespace velt {

// The value the mouse in normal mode must receive in the parameter report of the
// enter-bootloader step before it restarts into its bootloader. The emulated mouse
// checks for exactly these bytes.
inline constexpr std::array<uint8_t, 8> kBootloaderEntryValue = {0x56, 0x45, 0x4C, 0x54,
                                                                 0x42, 0x4F, 0x4F, 0x54};

// Asks the mouse in normal mode to restart into its bootloader: 1, or 3 at the first
// failed send or handshake.
DeviceResult Send_bl_request();
// Starts a transfer in the bootloader with a 32-bit start value: 1 or 3.
DeviceResult Send_bl_start(uint32_t value);
// Sends one firmware block under the low 16 bits of `block`; a data report whose
// handshake fails is sent once more. 1 or 3.
DeviceResult Send_fw_block(uint32_t block, std::span<const uint8_t, kDataBlockSize> data);
// Ends the transfer; the handshake's outcome is ignored. 3 only if nothing could be sent.
DeviceResult Send_bl_complete();

}  // namespace velt
