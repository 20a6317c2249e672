#pragma once

#include <string>
#include <string_view>

namespace velt {

// Checks made before libplist parses a file: libplist recurses once per nested
// container and expands every reference of a binary list into a node of its own, so
// a small hostile file could exhaust the stack or take exponential time. Both return
// false with the reason in `error` when the file exceeds the limits of limits.h.
bool xmlPlistWithinLimits(std::string_view bytes, std::string& error);
bool binaryPlistWithinLimits(std::string_view bytes, std::string& error);

}  // namespace velt
