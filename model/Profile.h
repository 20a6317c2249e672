#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/profile_t.h"
#include "model/KeyButton.h"
#include "model/MacroData.h"

namespace velt {

class FileWriter;
struct FileReadError;

// Four components 0.0..1.0 in device RGB.
struct RgbaColor {
  double red = 0.0;
  double green = 0.0;
  double blue = 0.0;
  double alpha = 0.0;
  bool operator==(const RgbaColor&) const = default;
};

// One of the five mouse profiles: what goes into the mouse's flash, the host pointer
// settings, and bookkeeping. Integer setters keep only the field's width and check no
// range. A new profile holds the defaults (initProfile).
class Profile {
 public:
  static constexpr int kButtons = kButtonCount;
  static constexpr uint8_t kDefaultLiftDistance = 12;
  static RgbaColor defaultColor() { return {6.0 / 255.0, 242.0 / 255.0, 6.0 / 255.0, 1.0}; }

  Profile() { initProfile(); }

  // Every field to its default, seven default key records, seven empty button macros
  // "macro1".."macro7".
  void initProfile();
  // Settings and key records back to their defaults; the name, slot number, file path
  // and the button macros with their events stay.
  void reset();

  uint8_t profileID() const { return profileID_; }
  void setProfileID(uint64_t v) { profileID_ = static_cast<uint8_t>(v); }
  uint8_t enable() const { return enable_; }
  void setEnalbe(uint64_t v) { enable_ = static_cast<uint8_t>(v); }
  const std::string& profileName() const { return profileName_; }
  void setProfileName(std::string name) { profileName_ = std::move(name); }
  const std::string& profilePath() const { return profilePath_; }
  void setProfilePath(std::string path) { profilePath_ = std::move(path); }

  uint16_t profileSize() const { return profileSize_; }
  void setProfileSize(uint64_t v) { profileSize_ = static_cast<uint16_t>(v); }
  uint16_t pollingRate() const { return pollingRate_; }
  void setPollingRate(uint64_t v) { pollingRate_ = static_cast<uint16_t>(v); }
  uint16_t doubleClickTime() const { return doubleClickTime_; }
  void setDoubleClickTime(uint64_t v) { doubleClickTime_ = static_cast<uint16_t>(v); }
  uint16_t scrollSpeed() const { return scrollSpeed_; }
  void setScrollSpeed(uint64_t v) { scrollSpeed_ = static_cast<uint16_t>(v); }
  uint8_t isScrollSpeed() const { return isScrollSpeed_; }
  void setIsScrollSpeed(uint64_t v) { isScrollSpeed_ = static_cast<uint8_t>(v); }
  uint8_t isScrollPage() const { return isScrollPage_; }
  void SetIsScrollPage(uint64_t v) { isScrollPage_ = static_cast<uint8_t>(v); }
  uint8_t isPointerAcceleration() const { return isPointerAcceleration_; }
  void setIsPointerAcceleration(uint64_t v) { isPointerAcceleration_ = static_cast<uint8_t>(v); }
  uint16_t pointerAcceleration() const { return pointerAcceleration_; }
  void setPointerAcceleration(uint64_t v) { pointerAcceleration_ = static_cast<uint16_t>(v); }
  uint8_t dpiStep() const { return dpiStep_; }
  void setDPIStep(uint64_t v) { dpiStep_ = static_cast<uint8_t>(v); }
  uint8_t isEnableXPSeparate() const { return isEnableXPSeparate_; }
  void setIsEnableXPSeparate(uint64_t v) { isEnableXPSeparate_ = static_cast<uint8_t>(v); }
  uint8_t isEnableRefinedmode() const { return isEnableRefinedmode_; }
  void setIsEnableRefinedmode(uint64_t v) { isEnableRefinedmode_ = static_cast<uint8_t>(v); }
  uint16_t DPIXaxis1() const { return dpiX_[0]; }
  void setDPIXaxis1(uint64_t v) { dpiX_[0] = static_cast<uint16_t>(v); }
  uint16_t DPIXaxis2() const { return dpiX_[1]; }
  void setDPIXaxis2(uint64_t v) { dpiX_[1] = static_cast<uint16_t>(v); }
  uint16_t DPIXaxis3() const { return dpiX_[2]; }
  void setDPIXaxis3(uint64_t v) { dpiX_[2] = static_cast<uint16_t>(v); }
  uint16_t DPIYaxis1() const { return dpiY_[0]; }
  void setDPIYaxis1(uint64_t v) { dpiY_[0] = static_cast<uint16_t>(v); }
  uint16_t DPIYaxis2() const { return dpiY_[1]; }
  void setDPIYaxis2(uint64_t v) { dpiY_[1] = static_cast<uint16_t>(v); }
  uint16_t DPIYaxis3() const { return dpiY_[2]; }
  void setDPIYaxis3(uint64_t v) { dpiY_[2] = static_cast<uint16_t>(v); }
  uint8_t pointerSpeed() const { return pointerSpeed_; }
  void setPointerSpeed(uint64_t v) { pointerSpeed_ = static_cast<uint8_t>(v); }
  uint8_t liftDistance() const { return liftDistance_; }
  void setLiftDistance(uint64_t v) { liftDistance_ = static_cast<uint8_t>(v); }
  uint16_t qualityAnalyzer() const { return qualityAnalyzer_; }
  void setQualityAnalyzer(uint64_t v) { qualityAnalyzer_ = static_cast<uint16_t>(v); }
  // The lit zones, one bit each (`base/led_zones.h`).
  uint32_t ledEffects() const { return ledEffects_; }
  void setLEDEffects(uint64_t v) { ledEffects_ = static_cast<uint32_t>(v); }
  uint32_t ledMode() const { return ledMode_; }
  void setLEDMode(uint64_t v) { ledMode_ = static_cast<uint32_t>(v); }

  const RgbaColor& scrollWheelColor() const { return scrollWheelColor_; }
  void setScrollWheelColor(const RgbaColor& c) { scrollWheelColor_ = c; }
  const RgbaColor& dpiIndicotorColor() const { return dpiIndicotorColor_; }
  void setDpiIndicotorColor(const RgbaColor& c) { dpiIndicotorColor_ = c; }
  const RgbaColor& dpiButtonsColor() const { return dpiButtonsColor_; }
  void setDpiButtonsColor(const RgbaColor& c) { dpiButtonsColor_ = c; }
  const RgbaColor& logoTypeColor() const { return logoTypeColor_; }
  void setLogoTypeColor(const RgbaColor& c) { logoTypeColor_ = c; }

  // Key records and button macros of buttons 1..7; callers change them in place.
  KeyButton& key1() { return keys_[0]; }
  KeyButton& key2() { return keys_[1]; }
  KeyButton& key3() { return keys_[2]; }
  KeyButton& key4() { return keys_[3]; }
  KeyButton& key5() { return keys_[4]; }
  KeyButton& key6() { return keys_[5]; }
  KeyButton& key7() { return keys_[6]; }
  MacroData& macroData1() { return macros_[0]; }
  MacroData& macroData2() { return macros_[1]; }
  MacroData& macroData3() { return macros_[2]; }
  MacroData& macroData4() { return macros_[3]; }
  MacroData& macroData5() { return macros_[4]; }
  MacroData& macroData6() { return macros_[5]; }
  MacroData& macroData7() { return macros_[6]; }
  // Button N is index N - 1.
  KeyButton& key(int index) { return keys_[static_cast<size_t>(index)]; }
  const KeyButton& key(int index) const { return keys_[static_cast<size_t>(index)]; }
  MacroData& macroData(int index) { return macros_[static_cast<size_t>(index)]; }
  const MacroData& macroData(int index) const { return macros_[static_cast<size_t>(index)]; }
  // The seven button macros, button 1 first.
  std::vector<const MacroData*> macroDatas() const;

  // The button macro selected by the record's keyFunIndex (0..6); nullptr above 6.
  MacroData* getButtonMacro(const KeyButton& key);
  const MacroData* getButtonMacro(const KeyButton& key) const;
  // Binds a copy of `macro` to a function-14 button at position 0..6; a missing or
  // empty macro instead drops the button back to its default function.
  void setButtonMacro(KeyButton& key, const MacroData* macro);

  // Property-list file of the profile (profile_file.cpp). read leaves the profile
  // unchanged and returns false when the file is missing or not a dictionary.
  bool save() const;
  bool save(const std::string& path) const;
  bool save(const std::string& path, FileWriter& writer) const;
  // Export and the other saves to a path a user chose: the reason a write failed or
  // was refused (a folder, a device) in `error`. A link is followed, and an existing
  // file keeps its permissions (FileWriter::replaceFile).
  bool save(const std::string& path, std::string& error) const;
  bool save(const std::string& path, FileWriter& writer, std::string& error) const;
  bool read();
  bool read(const std::string& path);
  // The same, saying why a file was not read.
  bool read(const std::string& path, FileReadError& error);

  // Device image record (profile_image_builder.cpp).
  void toPROFILE_T(PROFILE_T& record) const;
  void getButtonData(const KeyButton& key, BUTTON_T& button, MACRO_T& macro) const;
  void fillMacro(const KeyButton& key, MACRO_T& macro) const;
  // The name of the button's macro; empty when it has none.
  std::string getMacroString(const KeyButton& key) const;
  static bool isHoldMacro(const MACRO_T& macro);

 private:
  void resetSettings();

  uint8_t profileID_ = 0;
  uint8_t enable_ = 1;
  std::string profileName_;
  std::string profilePath_;
  uint16_t profileSize_ = 0;
  uint16_t pollingRate_ = 0;
  uint16_t doubleClickTime_ = 0;
  uint16_t scrollSpeed_ = 0;
  uint8_t isScrollSpeed_ = 0;
  uint8_t isScrollPage_ = 0;
  uint8_t isPointerAcceleration_ = 0;
  uint16_t pointerAcceleration_ = 0;
  uint8_t dpiStep_ = 0;
  uint8_t isEnableXPSeparate_ = 0;
  uint8_t isEnableRefinedmode_ = 0;
  std::array<uint16_t, 3> dpiX_{};
  std::array<uint16_t, 3> dpiY_{};
  uint8_t pointerSpeed_ = 0;
  uint8_t liftDistance_ = 0;
  uint16_t qualityAnalyzer_ = 0;
  uint32_t ledEffects_ = 0;
  uint32_t ledMode_ = 0;
  RgbaColor scrollWheelColor_;
  RgbaColor dpiIndicotorColor_;
  RgbaColor dpiButtonsColor_;
  RgbaColor logoTypeColor_;
  std::array<KeyButton, kButtonCount> keys_;
  std::array<MacroData, kButtonCount> macros_;
};

}  // namespace velt
