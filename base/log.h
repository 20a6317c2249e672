#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace velt {

// Diagnostics are single free-text lines without levels or codes ("find device",
// "button 3 click"). Each goes to the system log, to standard error when that is a
// terminal, and to the hook, if one is set.
void logLine(std::string_view line);

// A line the user must see even without a terminal (a file set aside, a log that
// cannot be written): as logLine, and on standard error in any case.
void reportLine(std::string_view line);

// printf-style convenience over logLine.
void logf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Tests read the diagnostic lines through this hook; an empty function removes it.
using LogHook = std::function<void(const std::string& line)>;
void setLogHook(LogHook hook);

}  // namespace velt
