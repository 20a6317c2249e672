#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "device/hid_host.h"

namespace velt {

// With VELT_WIRE_LOG=PATH in the environment, wraps `connection` so that every
// feature-report transfer is appended to PATH as one line (see wireLogLine).
// Otherwise returns `connection` as it is.
std::unique_ptr<HidConnection> withWireLog(std::unique_ptr<HidConnection> connection);

// "set ok 03 04 00 ..." and likewise "set fail", "get ok", "get fail": the bytes in
// two-digit lowercase hex, report ID first, and a newline.
std::string wireLogLine(std::string_view direction, bool ok, const uint8_t* data, size_t length);

}  // namespace velt
