#pragma once

#include <string>
#include <string_view>

#include "base/file_read.h"

namespace velt {

// Checks made before libplist parses a file: libplist recurses once per nested
// container and expands every reference of a binary list into a node of its own, so
// a small hostile file could exhaust the stack or take exponential time. Both return
// false with the reason in `error` when the file exceeds the limits of limits.h:
// kTooLarge for too many nodes, kCorrupt for nesting too deep or a broken binary list.
bool xmlPlistWithinLimits(std::string_view bytes, FileReadError& error);
bool binaryPlistWithinLimits(std::string_view bytes, FileReadError& error);

}  // namespace velt
