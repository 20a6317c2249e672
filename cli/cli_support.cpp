#include "cli/cli_support.h"

#include <charconv>

#include "device/hid_device.h"

namespace velt {

bool openMouse(CommandContext& context) {
  if (IsMakesureOpen()) return true;
  // An attached mouse that could not be opened has been named on standard error, with
  // the way to get access; "no mouse" would send the user looking for a cable.
  context.err << (isMouseAttached(kNormalProductId)
                      ? "the VELT mouse is attached but cannot be opened\n"
                      : "no VELT mouse found\n");
  return false;
}

std::string failureReason(DeviceResult result) {
  switch (result) {
    case kResultBadArgument:
      return "bad argument, nothing sent (result 2)";
    case kResultTransferFailed:
      return "the mouse did not take or confirm the command (result 3)";
    case kResultReplyUnreadable:
      return "the reply could not be read (result 0)";
    default:
      return "result " + std::to_string(result);
  }
}

bool mouseStillThere() {
  Close_device();
  return Open_device();
}

int deviceFailed(CommandContext& context, std::string_view step, DeviceResult result) {
  if (!mouseStillThere()) {
    context.err << step << ": the VELT mouse was lost\n";
    return kExitNoMouse;
  }
  context.err << step << " failed: " << failureReason(result) << "\n";
  return kExitDeviceFailed;
}

int badFile(CommandContext& context, std::string_view file, std::string_view why) {
  context.err << file << ": " << why << "\n";
  return kExitUsage;
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
