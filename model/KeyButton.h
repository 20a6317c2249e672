#pragma once

#include <cstdint>

namespace velt {

// The assignment of one button inside a profile. keyMappingTable is the button
// function (kSingleKeyFunction, kMacroFunction, kDisabledFunction, or 0..6 the
// default commands); keyMacro is the key code of a single key, the macro ID of a
// macro, else 0.
class KeyButton {
 public:
  KeyButton() = default;
  // The default record of button position `index` (0..6).
  explicit KeyButton(uint64_t index)
      : keyFunIndex_(static_cast<uint8_t>(index)),
        keyMappingTable_(static_cast<uint8_t>(index)),
        defaultKey_(static_cast<uint8_t>(index)) {}

  uint8_t keyFunIndex() const { return keyFunIndex_; }
  void setKeyFunIndex(uint64_t value) { keyFunIndex_ = static_cast<uint8_t>(value); }
  uint8_t keyMappingTable() const { return keyMappingTable_; }
  void setKeyMappingTable(uint64_t value) { keyMappingTable_ = static_cast<uint8_t>(value); }
  uint16_t keyMacro() const { return keyMacro_; }
  void setkeyMacro(uint64_t value) { keyMacro_ = static_cast<uint16_t>(value); }
  uint8_t defaultKey() const { return defaultKey_; }
  void setDefaultKey(uint64_t value) { defaultKey_ = static_cast<uint8_t>(value); }

  bool operator==(const KeyButton&) const = default;

 private:
  uint8_t keyFunIndex_ = 0;
  uint8_t keyMappingTable_ = 0;
  uint16_t keyMacro_ = 0;
  uint8_t defaultKey_ = 0;
};

inline constexpr uint8_t kSingleKeyFunction = 13;
inline constexpr uint8_t kMacroFunction = 14;
inline constexpr uint8_t kDisabledFunction = 15;

}  // namespace velt
