#pragma once

#include <cstdint>

namespace velt {

// What an editor macro tells the event list control that shows it, by the toolkit's
// parent-message convention (message code, value).
class MacroView {
 public:
  virtual ~MacroView() = default;
  virtual void subMsg(int32_t code, int32_t value) = 0;
};

inline constexpr int32_t kMsgItemAdded = 115;      // value: index of the selected row
inline constexpr int32_t kMsgItemsOverflow = 110;  // value: number of rows - 1
inline constexpr int32_t kMsgItemDeleted = 114;    // value: number of rows left

}  // namespace velt
