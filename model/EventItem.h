#pragma once

#include <cstdint>
#include <string>

#include "model/MacroEvent.h"

namespace velt {

// In the event list control's coordinates; y grows upwards.
struct ItemPoint {
  double x = 0;
  double y = 0;
};

struct ItemRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  // Edges included.
  bool contains(ItemPoint p) const {
    return x <= p.x && p.x <= x + width && y <= p.y && p.y <= y + height;
  }
  bool operator==(const ItemRect&) const = default;
};

// One row of the macro editor: an event, its selection and its place on screen.
class EventItem {
 public:
  int32_t nID() const { return nID_; }
  void setID(int64_t id) { nID_ = static_cast<int32_t>(id); }
  uint8_t selected() const { return selected_; }
  void setSelected(uint64_t value) { selected_ = static_cast<uint8_t>(value); }
  const ItemRect& rect() const { return rect_; }
  void setRect(const ItemRect& rect) { rect_ = rect; }

  uint8_t eventType() const { return event_.eventType(); }
  void setEventType(uint64_t value) { event_.setEventType(value); }
  uint16_t eventAction() const { return event_.eventAction(); }
  void setEventAction(uint64_t value) { event_.setEventAction(value); }
  uint8_t state() const { return event_.state(); }
  void setState(uint64_t value) { event_.setState(value); }
  uint32_t delay() const { return event_.delay(); }
  void setDelay(uint64_t value) { event_.setDelay(value); }
  const MacroEvent& event() const { return event_; }
  void setEvent(const MacroEvent& event) { event_ = event; }

  // "Left button down" ... "Scroll wheel down"; empty for an action without text.
  std::string mouseEventString() const;
  // What the event list shows for the event: the mouse text, or the key's name.
  std::string eventString() const;
  // "%d ms".
  std::string delayString() const;

  void moveItem(int32_t d) { rect_.y += d; }

 private:
  int32_t nID_ = 0;
  uint8_t selected_ = 0;
  ItemRect rect_;
  MacroEvent event_;
};

}  // namespace velt
