#pragma once

#include <cstdint>

namespace velt {

// Host records of one device profile. They are laid out field by field into the
// 2048-byte profile image by Convert_pf_to_buffer; their in-memory layout is never
// sent as it is. All numbers are unsigned; multi-byte fields go little-endian.

inline constexpr int kMacroEventSlots = 128;    // event slots of one MACRO_T
inline constexpr int kButtonCount = 7;          // assignable buttons
inline constexpr int kButtonRecordCount = 9;    // the seven buttons and two extra records
inline constexpr int kMacroRecordCount = 10;    // one per button record; the tenth stays empty
inline constexpr uint8_t kMacroButtonType = 3;  // BUTTON_T type of a macro button

struct BUTTON_T {
  uint8_t type = 0;
  uint8_t code = 0;
  uint16_t macroOffset = 0;  // image position of the button's first macro event
  uint16_t macroLength = 0;  // number of macro events, without the terminator
  uint8_t trailer = 0;       // 0x0F once filled

  friend bool operator==(const BUTTON_T&, const BUTTON_T&) = default;
};

struct MACRO_EVENT_T {
  uint8_t eventType = 0;
  uint16_t key = 0;
  uint8_t state = 0;   // 0 press, 1 release
  uint64_t delay = 0;  // only the low 24 bits reach the mouse

  friend bool operator==(const MACRO_EVENT_T&, const MACRO_EVENT_T&) = default;
};

struct MACRO_T {
  uint16_t eventCount = 0;
  uint16_t reserved1 = 0;
  uint8_t reserved2 = 0;
  MACRO_EVENT_T events[kMacroEventSlots] = {};

  friend bool operator==(const MACRO_T&, const MACRO_T&) = default;
};

struct LED_ZONE_T {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t mode = 0;

  friend bool operator==(const LED_ZONE_T&, const LED_ZONE_T&) = default;
};

struct DPI_LEVEL_T {
  uint8_t xySeparate = 0;
  uint16_t x = 0;
  uint16_t y = 0;

  friend bool operator==(const DPI_LEVEL_T&, const DPI_LEVEL_T&) = default;
};

struct SENSOR_T {
  uint8_t dpiStep = 0;
  uint8_t dpiLevelCount = 0;  // always 3
  uint8_t refinedMode = 0;
  DPI_LEVEL_T levels[3] = {};
  uint8_t liftReserved = 0;
  uint8_t liftDistance = 0;
  uint8_t reserved1 = 0;
  uint16_t reserved2 = 0;
  uint8_t reserved3 = 0;
  uint16_t reserved4 = 0;
  uint8_t reserved5[2][2] = {};

  friend bool operator==(const SENSOR_T&, const SENSOR_T&) = default;
};

struct PROFILE_T {
  uint8_t profileNumber = 0;  // the mouse's slot, 0..4
  char name[16] = {};         // not terminated when all 16 are used
  uint16_t imageLength = 0;   // always 2048
  uint16_t reserved = 0;
  uint8_t pollingRate = 0;
  uint8_t enabled = 0;
  SENSOR_T sensor;
  BUTTON_T buttons[kButtonCount];
  BUTTON_T extraButtons[2];
  LED_ZONE_T scrollWheelLed;
  LED_ZONE_T logoLed;
  LED_ZONE_T dpiButtonsLed;
  LED_ZONE_T dpiIndicatorLeds[3];
  // MACRO_T k belongs to button record k (the seven buttons, then the two extras).
  MACRO_T macros[kMacroRecordCount];

  friend bool operator==(const PROFILE_T&, const PROFILE_T&) = default;
};

}  // namespace velt
