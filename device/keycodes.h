#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace velt {

// One named key: the host keyboard's virtual key code as events deliver it, the name
// shown for it, and the USB HID Keyboard/Keypad usage the mouse receives for it.
struct KeyCodeRow {
  uint16_t code;
  std::string_view name;
  uint8_t usage;
};

// Every named key, in code order. Codes 0..126 only; many codes in between have no row.
std::span<const KeyCodeRow> keyCodeTable();

// The key's display name; empty for a code without a row (every code of 127 or more).
std::string_view keyName(uint16_t code);

// The key's HID usage; a code without a row (mouse actions among them) passes through
// unchanged. A button keeps only the low byte, a macro event all 16 bits.
uint16_t hidUsage(uint16_t code);

}  // namespace velt
