#pragma once

#include <cstddef>
#include <cstdint>

namespace velt {

// Bounds on what reading a stored file accepts, so that a broken or hostile file
// costs bounded time, memory and stack. They sit far above what the mouse can use
// (128 events per button): a longer macro is read up to the limit, with a log line,
// and written only up to it, so that every file written here reads back whole.
// libplist 2.2 builds a dictionary in time that grows with the square of its entries
// (about 5 s for a profile of seven 10000-event macros, 0.2 s at this limit).
inline constexpr int64_t kMaxMacroEvents = 2000;
inline constexpr int64_t kMaxLibraryMacros = 1000;
// The macro files of one library read together: about 1 s of reading at most.
inline constexpr uint64_t kMaxLibraryBytes = uint64_t{32} << 20;
// A profile file at the event limit takes about 3 MB of XML.
inline constexpr size_t kMaxPlistBytes = size_t{16} << 20;
// libplist parses nested containers recursively and expands shared binary objects,
// so both are bounded before it sees a file.
inline constexpr int64_t kMaxPlistContainers = 4096;
inline constexpr int64_t kMaxPlistNodes = 2 * (7 * 5 * kMaxMacroEvents + 4096);

}  // namespace velt
