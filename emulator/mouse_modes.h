#pragma once

#include "emulator/mouse_firmware.h"

// Shared by the two modes of the firmware.

namespace velt {

// The protocol's values, the emulator's own copies (why: emulator/mouse_state.h).
inline constexpr uint8_t kStatusOk = 1;
inline constexpr uint8_t kStatusFailed = 2;

// The status the next report-3 read answers, with no reply after it.
void answer(MouseState& state, uint8_t status);

SetOutcome normalSetReport(MouseContext& context, std::span<const uint8_t> report);
bool normalGetReport(MouseState& state, uint8_t* data, size_t& length);
SetOutcome bootloaderSetReport(MouseContext& context, std::span<const uint8_t> report);

}  // namespace velt
