#pragma once

#include <cstddef>
#include <cstdint>

namespace velt {

// Bounds on what reading a stored file accepts, so that a broken or hostile file
// costs bounded time, memory and stack. Each holds everything this system writes:
// a profile with seven button macros of kMaxMacroEvents events, a library of
// kMaxLibraryMacros macros.
inline constexpr int64_t kMaxMacroEvents = 10000;
inline constexpr int64_t kMaxLibraryMacros = 10000;
// A profile file at the event limit takes about 18 MB of XML.
inline constexpr size_t kMaxPlistBytes = size_t{32} << 20;
// libplist parses nested containers recursively and expands shared binary objects,
// so both are bounded before it sees a file.
inline constexpr int64_t kMaxPlistContainers = 4096;
inline constexpr int64_t kMaxPlistNodes = 2 * (7 * 5 * kMaxMacroEvents + 4096);

}  // namespace velt
