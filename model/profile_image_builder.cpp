#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/led_zones.h"
#include "device/keycodes.h"
#include "device/profile_image.h"
#include "model/Profile.h"

namespace velt {
namespace {

struct ButtonCode {
  uint8_t type;
  uint8_t code;
};

// BUTTON_T type and code of button functions 0..kDisabledFunction; a single key and a
// macro are completed from the key record. Functions above become type 0, code 0.
constexpr ButtonCode kButtonCodes[kDisabledFunction + 1] = {
    {0x00, 0x01}, {0x00, 0x02}, {0x00, 0x04}, {0x00, 0x10}, {0x00, 0x08},
    {0x09, 0xF0}, {0x09, 0xF2}, {0x00, 0x00}, {0x08, 0xF1}, {0x08, 0xF0},
    {0x08, 0xF2}, {0x01, 0x01}, {0x01, 0xFF}, {0x02, 0x00}, {kMacroButtonType, 0x00},
    {0xFF, 0x00}};

constexpr uint8_t kHoldMacroCode = 0xFE;
constexpr uint8_t kButtonTrailer = 0x0F;

// Component x 255 in double precision, rounded to single precision, truncated toward
// zero, low byte kept. Out-of-range and non-finite components (from a hand-edited
// file) still give a defined byte.
uint8_t colorByte(double component) {
  const float scaled = static_cast<float>(component * 255.0);
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.0e18f) return 0;
  return static_cast<uint8_t>(static_cast<int64_t>(scaled));
}

void fillZone(LED_ZONE_T& zone, const RgbaColor& color, bool lit, uint32_t mode) {
  zone.red = lit ? colorByte(color.red) : 0;
  zone.green = lit ? colorByte(color.green) : 0;
  zone.blue = lit ? colorByte(color.blue) : 0;
  zone.mode = static_cast<uint8_t>(mode);
}

// Signed 32-bit arithmetic, the division truncating toward zero.
uint16_t scaledDpi(uint16_t dpi, uint8_t pointerSpeed) {
  const int32_t factor = 25 * static_cast<int32_t>(pointerSpeed) - 15;
  return static_cast<uint16_t>(factor * static_cast<int32_t>(dpi) / 100);
}

// The name's ASCII bytes; a character outside ASCII (one UTF-8 sequence) becomes '?'.
void fillName(char (&name)[16], const std::string& text) {
  size_t out = 0;
  for (size_t i = 0; i < text.size() && out < sizeof name; ++i) {
    const auto byte = static_cast<uint8_t>(text[i]);
    if (byte >= 0x80 && (byte & 0xC0) == 0x80) continue;  // continuation byte
    name[out++] = byte < 0x80 ? static_cast<char>(byte) : '?';
  }
}

}  // namespace

void Profile::toPROFILE_T(PROFILE_T& record) const {
  record = PROFILE_T{};
  record.profileNumber = profileID_;
  fillName(record.name, profileName_);
  record.imageLength = static_cast<uint16_t>(kProfileImageSize);
  record.pollingRate = static_cast<uint8_t>(pollingRate_);
  record.enabled = enable_;

  const auto lit = [this](int32_t zoneBit) {
    return (ledEffects_ & static_cast<uint32_t>(zoneBit)) != 0;
  };
  fillZone(record.scrollWheelLed, scrollWheelColor_, lit(kScrollWheelBit), ledMode_);
  fillZone(record.logoLed, logoTypeColor_, lit(kLogoTypeBit), ledMode_);
  fillZone(record.dpiButtonsLed, dpiButtonsColor_, lit(kDpiButtonsBit), ledMode_);
  for (LED_ZONE_T& zone : record.dpiIndicatorLeds) {
    fillZone(zone, dpiIndicotorColor_, lit(kDpiIndicotorBit), ledMode_);
  }

  SENSOR_T& sensor = record.sensor;
  sensor.dpiLevelCount = 3;
  sensor.dpiStep = dpiStep_;
  sensor.refinedMode = isEnableRefinedmode_;
  for (size_t i = 0; i < 3; ++i) {
    sensor.levels[i].xySeparate = isEnableXPSeparate_;
    sensor.levels[i].x = scaledDpi(dpiX_[i], pointerSpeed_);
    sensor.levels[i].y = scaledDpi(dpiY_[i], pointerSpeed_);
  }
  sensor.liftDistance = liftDistance_;

  for (int i = 0; i < kButtons; ++i) getButtonData(key(i), record.buttons[i], record.macros[i]);
}

void Profile::getButtonData(const KeyButton& key, BUTTON_T& button, MACRO_T& macro) const {
  button.macroLength = 0;
  button.trailer = kButtonTrailer;
  const uint8_t function = key.keyMappingTable();
  const ButtonCode code = function <= kDisabledFunction ? kButtonCodes[function] : ButtonCode{0, 0};
  button.type = code.type;
  button.code = code.code;
  if (function == kSingleKeyFunction) {
    button.code = static_cast<uint8_t>(hidUsage(key.keyMacro()));
  } else if (function == kMacroFunction) {
    fillMacro(key, macro);
    if (isHoldMacro(macro)) button.code = kHoldMacroCode;
  }
}

// The record holds at most 128 events; a longer macro is cut there and its count says
// so, so that packing never reads past the filled slots.
void Profile::fillMacro(const KeyButton& key, MACRO_T& macro) const {
  const MacroData* data = getButtonMacro(key);
  if (data == nullptr || data->macroID() != key.keyMacro()) return;
  macro.reserved1 = 0;
  macro.reserved2 = 0;
  const size_t count = std::min<size_t>(data->eventCount(), kMacroEventSlots);
  macro.eventCount = static_cast<uint16_t>(count);
  for (size_t i = 0; i < count; ++i) {
    const MacroEvent& e = data->eventAtIndex(i);
    macro.events[i].eventType = e.eventType();
    macro.events[i].key = hidUsage(e.eventAction());
    macro.events[i].state = e.state();
    macro.events[i].delay = e.delay();
  }
}

std::string Profile::getMacroString(const KeyButton& key) const {
  const MacroData* data = getButtonMacro(key);
  return data != nullptr ? data->macroName() : std::string();
}

bool Profile::isHoldMacro(const MACRO_T& macro) {
  const int count = std::min<int>(macro.eventCount, kMacroEventSlots);
  return std::none_of(macro.events, macro.events + count,
                      [](const MACRO_EVENT_T& e) { return e.state == kReleaseState; });
}

}  // namespace velt
