#pragma once

#include <string>

namespace velt {

// Makes the emulated mouse whose state lives in `dir` (created with its parents) the
// process-wide HID host, with the faults listed in VELT_EMULATE_FAULTS. False, with
// a one-line reason, when the folder cannot be used or the fault list is bad; the
// installed host is then left as it was.
bool installEmulatedMouse(const std::string& dir, std::string& error);

}  // namespace velt
