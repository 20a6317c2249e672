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
    {241, "Left button down", "Left button up"},
    {242, "Right button down", "Right button up"},
    {244, "Middle button down", "Middle button up"},
    {177, "Forward button down", "Forward button up"},
    {178, "Back button down", "Back button up"},
    {151, "Scroll wheel up", "Scroll wheel up"},
    {152, "Scroll wheel down", "Scroll wheel down"},
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
