#include "cli/cli_support.h"

#include <algorithm>
#include <charconv>

#include "device/hid_device.h"

namespace velt {

bool openMouse(CommandContext& context) {
  if (IsMakesureOpen()) return true;
  // An attached mouse that could not be opened has been named on standard error, with
  // the way to get access; "no mouse" would send the user looking for a cable.
  const std::optional<std::vector<HidDeviceInfo>> attached = listVeltInterfaces();
  const bool present =
      attached && std::any_of(attached->begin(), attached->end(), [](const HidDeviceInfo& d) {
        return isDiscoverable(d, kNormalProductId);
      });
  context.err << (present ? "the VELT mouse is attached but cannot be opened\n"
                          : "no VELT mouse found\n");
  return false;
}

int deviceFailed(CommandContext& context, std::string_view function, DeviceResult result) {
  context.err << function << " failed: " << static_cast<int>(result) << "\n";
  return kExitDeviceFailed;
}

int usageError(CommandContext& context, std::string_view message) {
  context.err << message << " (see veltctl --help)\n";
  return kExitUsage;
}

bool parseNumber(std::string_view text, long min, long max, long& value) {
  long parsed = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, parsed);
  if (text.empty() || error != std::errc() || stop != end || parsed < min || parsed > max) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace velt
