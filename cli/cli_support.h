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

// "<function> failed: <code>"; returns the exit status for it.
int deviceFailed(CommandContext& context, std::string_view function, DeviceResult result);

// The message and a pointer to --help; returns the usage exit status.
int usageError(CommandContext& context, std::string_view message);

// A whole decimal number from `min` to `max`, nothing else.
bool parseNumber(std::string_view text, long min, long max, long& value);

}  // namespace velt
