#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/MacroEvent.h"

namespace velt {

// A stored macro: a profile's button macro or a library macro's portable form.
class MacroData {
 public:
  MacroData() = default;
  MacroData(uint64_t id, std::string name)
      : macroID_(static_cast<uint32_t>(id)), macroName_(std::move(name)) {}

  const std::string& macroName() const { return macroName_; }
  void setName(std::string name) { macroName_ = std::move(name); }
  uint32_t macroID() const { return macroID_; }
  void setID(uint64_t id) { macroID_ = static_cast<uint32_t>(id); }

  void addEvent(uint64_t type, uint64_t action, uint64_t state, uint64_t delay) {
    events_.emplace_back(type, action, state, delay);
  }
  void addEvent(const MacroEvent& event) { events_.push_back(event); }
  size_t eventCount() const { return events_.size(); }
  // An index at or past eventCount gets an empty event rather than undefined behaviour.
  const MacroEvent& eventAtIndex(size_t index) const;
  const std::vector<MacroEvent>& events() const { return events_; }
  void removeEvents() { events_.clear(); }

  // At least one event and no release among the events that are not empty. The
  // recording page's hold option records such macros (releases dropped).
  bool isHoldMacro() const;

  bool operator==(const MacroData&) const = default;

 private:
  uint32_t macroID_ = 0;
  std::string macroName_;
  std::vector<MacroEvent> events_;
};

}  // namespace velt
