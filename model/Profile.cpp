#include "model/Profile.h"

#include "base/led_zones.h"

namespace velt {

void Profile::initProfile() {
  profileName_ = "profile";
  enable_ = 1;
  profileID_ = 0;
  resetSettings();
  for (int i = 0; i < kButtons; ++i) {
    macros_[static_cast<size_t>(i)] = MacroData(0, "macro" + std::to_string(i + 1));
  }
}

void Profile::reset() {
  enable_ = 1;
  resetSettings();
}

// The value fields from profileSize to ledMode, the colours and the key records.
void Profile::resetSettings() {
  profileSize_ = 179;
  pollingRate_ = 1;
  doubleClickTime_ = 1000;
  scrollSpeed_ = 2;
  isScrollSpeed_ = 1;
  isScrollPage_ = 0;
  isPointerAcceleration_ = 0;
  pointerAcceleration_ = 1;
  dpiStep_ = 2;
  isEnableXPSeparate_ = 0;
  isEnableRefinedmode_ = 0;
  dpiX_ = {2000, 4000, 6000};
  dpiY_ = {2000, 4000, 6000};
  pointerSpeed_ = 6;
  liftDistance_ = kDefaultLiftDistance;
  qualityAnalyzer_ = 0;
  ledEffects_ = kAllLedZones;
  ledMode_ = 1;
  scrollWheelColor_ = dpiIndicotorColor_ = dpiButtonsColor_ = logoTypeColor_ = defaultColor();
  for (int i = 0; i < kButtons; ++i) keys_[static_cast<size_t>(i)] = KeyButton(i);
}

std::vector<const MacroData*> Profile::macroDatas() const {
  std::vector<const MacroData*> list;
  for (const MacroData& m : macros_) list.push_back(&m);
  return list;
}

MacroData* Profile::getButtonMacro(const KeyButton& key) {
  return key.keyFunIndex() < kButtons ? &macros_[key.keyFunIndex()] : nullptr;
}

const MacroData* Profile::getButtonMacro(const KeyButton& key) const {
  return key.keyFunIndex() < kButtons ? &macros_[key.keyFunIndex()] : nullptr;
}

void Profile::setButtonMacro(KeyButton& key, const MacroData* macro) {
  if (macro == nullptr || macro->eventCount() == 0) {
    key.setKeyMappingTable(key.defaultKey());
    key.setkeyMacro(0);
    return;
  }
  MacroData* slot = getButtonMacro(key);
  if (key.keyMappingTable() == kMacroFunction && slot != nullptr) *slot = *macro;
}

}  // namespace velt
