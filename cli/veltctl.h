#pragma once

#include <ostream>

namespace velt {

// veltctl in full: global options, then one subcommand. Returns the exit status.
// Leaves the current-device slot empty and the real HID host installed behind it.
int runVeltctl(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace velt
