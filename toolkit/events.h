#pragma once

#include <cstdint>
#include <string>

#include "toolkit/geometry.h"

namespace velt {

enum class MouseButton { Left, Right, Other };

struct MouseEvent {
  Point location;          // in the receiving view's own coordinates
  Point locationInWindow;  // in the window's content, bottom left
  Point screenLocation;    // on the screen, bottom left of the primary screen, y up
  MouseButton button = MouseButton::Left;
  int clickCount = 1;
  uint32_t modifierFlags = 0;
};

// Modifier flags carry the host's bit values, so that the key capture and the macro
// recorder can tell a modifier's press from its release by its bit.
inline constexpr uint32_t kModifierCapsLock = 1u << 16;
inline constexpr uint32_t kModifierShift = 1u << 17;
inline constexpr uint32_t kModifierControl = 1u << 18;
inline constexpr uint32_t kModifierOption = 1u << 19;
inline constexpr uint32_t kModifierCommand = 1u << 20;
inline constexpr uint32_t kModifierFunction = 1u << 23;

// The flag a modifier key (by its host key code) holds while it is down; 0 for other keys.
constexpr uint32_t modifierFlagOfKey(uint16_t keyCode) {
  switch (keyCode) {
    case 54:
    case 55:
      return kModifierCommand;
    case 56:
    case 60:
      return kModifierShift;
    case 57:
      return kModifierCapsLock;
    case 58:
    case 61:
      return kModifierOption;
    case 59:
    case 62:
      return kModifierControl;
    case 63:
      return kModifierFunction;
    default:
      return 0;
  }
}

struct KeyEvent {
  uint16_t keyCode = 0;  // the host's virtual key code (names in device/keycodes.h)
  // For a modifier key's own event, the flags after it: its flag is set when it went down
  // and clear when it came up.
  uint32_t modifierFlags = 0;
  std::string characters;
  bool isRepeat = false;
};

}  // namespace velt
