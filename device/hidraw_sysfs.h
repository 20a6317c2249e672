#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velt {

// Location ID of a USB device from its kernel name "BUS-PORT.PORT...": the bus in
// bits 24..31, then one 4-bit nibble per port from bit 20 down (ports above 15
// count as 15; at most six levels, the USB limit), the way a USB location ID
// orders attachment points. nullopt for a name of another form.
std::optional<uint32_t> locationIdFromUsbName(std::string_view name);

// The location ID of the USB device behind a hidraw node ("/dev/hidraw3"), found by
// resolving SYSFS/class/hidraw/hidraw3/device; 0 when it is not a USB device.
uint32_t hidrawLocationId(const std::string& node, const std::string& sysfs = "/sys");

// The report descriptor of a hidraw node, which sysfs lets everyone read even when
// the node itself is closed to the user; nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> hidrawReportDescriptor(const std::string& node,
                                                           const std::string& sysfs = "/sys");

}  // namespace velt
