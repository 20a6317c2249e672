#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "device/hid_host.h"

namespace velt {

inline constexpr uint16_t kVeltVendorId = 0x22D4;
inline constexpr uint16_t kNormalProductId = 0x1301;
inline constexpr uint16_t kBootloaderProductId = 0x1303;

// A found mouse: how the host listed it and the open connection to it.
struct HidDevice {
  HidDeviceInfo info;
  std::unique_ptr<HidConnection> connection;
};

// Every device function addresses the one device in the process-wide current-device
// slot; these fill, test and empty it.
bool Open_device();     // the mouse in normal mode; the slot holds it or nothing
bool Open_bl_device();  // the mouse in bootloader mode
bool IsOpen();          // no device traffic
// True at once when the slot is filled (no enumeration); otherwise Open_device().
bool IsMakesureOpen();
// Closes the device in the slot and empties the slot whatever the close returns.
// The close status (0 success); 0 when the slot was empty.
int Close_device();

// Feature reports on the device in the slot; buffer[0] is the report ID and every
// length counts it. False when the slot is empty or the transfer fails.
bool SetFeature(const uint8_t* buffer, size_t length);
// length: the buffer's capacity in, the number of bytes received out.
bool GetFeature(uint8_t* buffer, size_t& length);

// The location ID of the device in the slot; nullopt when the slot is empty.
std::optional<uint32_t> slotLocationId();

// Whether discovery takes this interface for `productID`: the mouse's vendor, that
// product, and the interface that carries the feature reports.
bool isDiscoverable(const HidDeviceInfo& info, uint16_t productID);

// Discovery: the attached interface with the lowest location ID for which
// isDiscoverable holds, opened. Leaves the slot alone.
std::optional<HidDevice> FindDevice(uint16_t productID);

// Every attached interface of the mouse, normal or bootloader mode, in location
// order; nullopt when the host's HID system cannot be used.
std::optional<std::vector<HidDeviceInfo>> listVeltInterfaces();

// Whether an interface that discovery takes for `productID` is attached, opened or
// not: after an open failed, it tells a mouse this user may not open from no mouse.
bool isMouseAttached(uint16_t productID);

// What the programs tell a user whose mouse is attached but cannot be opened.
inline constexpr const char* kMouseNoAccessMessage =
    "The VELT mouse is attached but cannot be opened: this user has no access to its "
    "device node.\n\n"
    "Install the VELT package. For a build from source, as root:\n"
    "    cp packaging/70-velt.rules /etc/udev/rules.d/\n"
    "    udevadm control --reload\n\n"
    "Then plug the mouse in again.";

}  // namespace velt
