#pragma once

#include <string>
#include <string_view>

#include "cli/command.h"
#include "device/result_codes.h"

// What the subcommands share: opening the mouse, reporting failures, reading numbers.

namespace velt {

// Fills the current-device slot with the mouse in normal mode; false after telling
// the user that none was found, or that the one attached cannot be opened.
bool openMouse(CommandContext& context);

// A device step that did not succeed. When the mouse is no longer attached: "<step>:
// the VELT mouse was lost" and the no-mouse status; otherwise "<step> failed: <why>"
// and the device status. `step` names the function and what it acted on
// ("Write_profile 2 (default2.plist)").
int deviceFailed(CommandContext& context, std::string_view step, DeviceResult result);

// What a device result code means, for a message.
std::string failureReason(DeviceResult result);

// Whether the mouse is still attached, after a step failed: closes the slot and looks
// for it again.
bool mouseStillThere();

// "<file>: <why>"; returns the bad-input status.
int badFile(CommandContext& context, std::string_view file, std::string_view why);

// The message and a pointer to --help; returns the usage exit status.
int usageError(CommandContext& context, std::string_view message);

// A whole decimal number from `min` to `max`, nothing else.
bool parseNumber(std::string_view text, long min, long max, long& value);

}  // namespace velt
