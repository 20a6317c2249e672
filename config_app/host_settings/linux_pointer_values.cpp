#include "config_app/host_settings/linux_pointer_values.h"

#include <array>

namespace velt {

std::optional<int> doubleClickMilliseconds(int doubleClickTime) {
  constexpr std::array<int, 7> kMilliseconds = {1000, 850, 700, 550, 400, 300, 200};
  if (doubleClickTime < 200 || doubleClickTime > 1400 || doubleClickTime % 200 != 0) return {};
  return kMilliseconds[static_cast<size_t>(doubleClickTime / 200 - 1)];
}

std::optional<int> wheelScrollLines(int scrollSpeed) {
  constexpr std::array<int, 6> kLines = {1, 2, 3, 5, 7, 10};
  if (scrollSpeed < 1 || scrollSpeed > 6) return {};
  return kLines[static_cast<size_t>(scrollSpeed - 1)];
}

std::optional<std::string> libinputPointerSpeed(bool isPointerAcceleration,
                                                int pointerAcceleration) {
  constexpr std::array<const char*, 3> kSpeeds = {"-0.5", "0", "0.5"};
  if (!isPointerAcceleration || pointerAcceleration < 1 || pointerAcceleration > 3) return {};
  return kSpeeds[static_cast<size_t>(pointerAcceleration - 1)];
}

}  // namespace velt
