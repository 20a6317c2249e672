#pragma once

#include <cstdint>
#include <span>

namespace velt {

// True when a HID report descriptor declares a Feature item under `reportId`
// (report ID 0 stands for a descriptor without report IDs). Malformed or truncated
// descriptors are read as far as they go.
bool declaresFeatureReport(std::span<const uint8_t> descriptor, uint8_t reportId);

}  // namespace velt
