#include <cstdio>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "device/commands.h"
#include "device/hid_device.h"

namespace velt {

int runDevices(CommandContext& context) {
  if (!context.args.empty()) return usageError(context, "devices takes no arguments");
  std::optional<std::vector<HidDeviceInfo>> mice = listVeltInterfaces();
  if (!mice) {
    context.err << "the host's HID system cannot be used\n";
    return kExitNoMouse;
  }
  // One line per mouse: the interface that carries its reports, which discovery opens.
  std::erase_if(*mice, [](const HidDeviceInfo& d) { return !isDiscoverable(d, d.productId); });
  if (mice->empty()) {
    context.err << "no VELT mouse found\n";
    return kExitNoMouse;
  }
  for (const HidDeviceInfo& mouse : *mice) {
    char location[16];
    std::snprintf(location, sizeof location, "0x%08x", mouse.locationId);
    context.out << (mouse.productId == kBootloaderProductId ? "bootloader" : "normal") << " "
                << mouse.path << " location " << location << "\n";
  }
  return kExitOk;
}

int runInfo(CommandContext& context) {
  if (!context.args.empty()) return usageError(context, "info takes no arguments");
  if (!openMouse(context)) return kExitNoMouse;
  uint16_t version = 0;
  if (DeviceResult result = Get_fw_version(version); result != kResultSuccess) {
    return deviceFailed(context, "Get_fw_version", result);
  }
  uint8_t profile = 0;
  if (DeviceResult result = Get_current_profile_id(profile); result != kResultSuccess) {
    return deviceFailed(context, "Get_current_profile_id", result);
  }
  context.out << "firmware " << firmwareVersionText(version) << "\n"
              << "profile " << static_cast<int>(profile) << "\n";
  return kExitOk;
}

}  // namespace velt
