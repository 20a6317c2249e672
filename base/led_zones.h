#pragma once

#include <array>
#include <cstdint>

namespace velt {

// The mouse's four LED zones, each one bit of a profile's LED switches
// (`Profile::ledEffects`): a set bit lights its zone. They sit below both users: the
// model builds the mouse's image from them and the toolkit's preview (`KivMouseStatic`)
// names its zones by them, and neither layer sees the other.
inline constexpr int32_t kScrollWheelBit = 1;
inline constexpr int32_t kDpiIndicotorBit = 2;
inline constexpr int32_t kDpiButtonsBit = 4;
inline constexpr int32_t kLogoTypeBit = 8;
// In the order the lighting page lists them.
inline constexpr std::array<int32_t, 4> kLedZoneBits = {kScrollWheelBit, kDpiIndicotorBit,
                                                        kDpiButtonsBit, kLogoTypeBit};
inline constexpr uint32_t kAllLedZones = 15;

}  // namespace velt
