#pragma once

#include <istream>
#include <ostream>

namespace velt {

// veltctl in full: global options, then one subcommand. Returns the exit status.
// Leaves the current-device slot empty and the real HID host installed behind it.
// Questions are read from `in` (none: answered no); `outIsTerminal` says whether `out`
// is a terminal.
int runVeltctl(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
               std::istream* in = nullptr, bool outIsTerminal = false);

}  // namespace velt
