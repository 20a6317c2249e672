#include "model/MacroData.h"

#include <algorithm>

namespace velt {

const MacroEvent& MacroData::eventAtIndex(size_t index) const {
  static const MacroEvent kEmpty;
  return index < events_.size() ? events_[index] : kEmpty;
}

bool MacroData::isHoldMacro() const {
  if (events_.empty()) return false;
  return std::none_of(events_.begin(), events_.end(), [](const MacroEvent& e) {
    return !e.isEmpty() && e.state() == kReleaseState;
  });
}

}  // namespace velt
