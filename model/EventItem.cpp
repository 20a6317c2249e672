#include "model/EventItem.h"

#include "device/keycodes.h"
#include "model/plist_file.h"

namespace velt {
namespace {

struct MouseText {
  uint16_t action;
  const char* down;
  const char* up;
};

constexpr MouseText kMouseTexts[] = {
    {mouse_action::kLeft, "Left button down", "Left button up"},
    {mouse_action::kRight, "Right button down", "Right button up"},
    {mouse_action::kMiddle, "Middle button down", "Middle button up"},
    {mouse_action::kForward, "Forward button down", "Forward button up"},
    {mouse_action::kBack, "Back button down", "Back button up"},
    {mouse_action::kWheelUp, "Scroll wheel up", "Scroll wheel up"},
    {mouse_action::kWheelDown, "Scroll wheel down", "Scroll wheel down"},
};

}  // namespace

std::string EventItem::mouseEventString() const {
  for (const MouseText& t : kMouseTexts) {
    if (t.action == eventAction()) return state() == 0 ? t.down : t.up;
  }
  return {};
}

std::string EventItem::eventString() const {
  if (eventType() == kMouseEventType) return mouseEventString();
  if (eventType() == kKeyEventType) return std::string(keyName(eventAction()));
  return {};
}

std::string EventItem::delayString() const {
  return integerText(delay()) + " ms";
}

}  // namespace velt
