#pragma once

#include <memory>

#include "device/hid_host.h"

namespace velt {

// The real host: hidapi over Linux hidraw. Of a device's several HID interfaces the
// one whose report descriptor declares feature report 3 (normal mode) or 0x20
// (bootloader) carries the feature reports; when no descriptor says so, the lowest
// interface number does. Location IDs come from the USB bus and port chain.
std::unique_ptr<HidHost> makeHidapiHost();

}  // namespace velt
