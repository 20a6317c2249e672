#pragma once

#include <string>
#include <string_view>

#include "emulator/mouse_state.h"

namespace velt {

// The state file: a first line naming the format, then one "key value" line per
// field, and a "slot N LENGTH HEX" line per written profile slot (HEX the 2048 image
// bytes as lowercase hex).
std::string encodeState(const MouseState& state);

// False with the reason (naming the line) for anything that is not such a file;
// `state` is then unchanged.
bool decodeState(std::string_view text, MouseState& state, std::string& error);

}  // namespace velt
