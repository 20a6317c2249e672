#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_host.h"

namespace velt {

// True when a HID report descriptor declares a Feature item under `reportId`
// (report ID 0 stands for a descriptor without report IDs). Malformed or truncated
// descriptors are read as far as they go.
bool declaresFeatureReport(std::span<const uint8_t> descriptor, uint8_t reportId);

using DescriptorReader =
    std::function<std::optional<std::vector<uint8_t>>(const std::string& path)>;

// Sets carriesFeatureReports on every interface: true where the report descriptor
// declares feature report 3 (normal mode) or 0x20 (bootloader). Interfaces of one
// device share vendor, product and location; where none of a device's interfaces
// declares them, or no descriptor can be read, its lowest interface number is taken,
// so that the device never goes unseen.
void markFeatureInterfaces(std::vector<HidDeviceInfo>& devices,
                           const DescriptorReader& descriptorOf);

}  // namespace velt
