#pragma once

#include <cstdint>

namespace velt {

// One macro event. Types: 1 keyboard key (action = the host's virtual key code),
// 16 mouse (action = the device's own code, `mouse_action`), 0 empty.
// Setters keep only the field's width.
class MacroEvent {
 public:
  MacroEvent() = default;
  MacroEvent(uint64_t type, uint64_t action, uint64_t state, uint64_t delay)
      : eventType_(static_cast<uint8_t>(type)),
        eventAction_(static_cast<uint16_t>(action)),
        state_(static_cast<uint8_t>(state)),
        delay_(static_cast<uint32_t>(delay)) {}

  uint8_t eventType() const { return eventType_; }
  void setEventType(uint64_t value) { eventType_ = static_cast<uint8_t>(value); }
  uint16_t eventAction() const { return eventAction_; }
  void setEventAction(uint64_t value) { eventAction_ = static_cast<uint16_t>(value); }
  // 0 press (down), 1 release (up).
  uint8_t state() const { return state_; }
  void setState(uint64_t value) { state_ = static_cast<uint8_t>(value); }
  // Milliseconds.
  uint32_t delay() const { return delay_; }
  void setDelay(uint64_t value) { delay_ = static_cast<uint32_t>(value); }

  bool isEmpty() const {
    return eventType_ == 0 && eventAction_ == 0 && state_ == 0 && delay_ == 0;
  }
  bool operator==(const MacroEvent&) const = default;

 private:
  uint8_t eventType_ = 0;
  uint16_t eventAction_ = 0;
  uint8_t state_ = 0;
  uint32_t delay_ = 0;
};

inline constexpr uint8_t kKeyEventType = 1;
inline constexpr uint8_t kMouseEventType = 16;
inline constexpr uint8_t kReleaseState = 1;

// The device's codes for a mouse event's action.
namespace mouse_action {
inline constexpr uint16_t kLeft = 241;
inline constexpr uint16_t kRight = 242;
inline constexpr uint16_t kMiddle = 244;
inline constexpr uint16_t kForward = 177;
inline constexpr uint16_t kBack = 178;
inline constexpr uint16_t kWheelUp = 151;
inline constexpr uint16_t kWheelDown = 152;
}  // namespace mouse_action

}  // namespace velt
