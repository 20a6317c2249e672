// The macOS global preference store: one "defaults write -g" per setting, the values
// exactly as the store has always been given them.
#include <array>
#include <utility>

#include "config_app/host_settings/HostPointerSettings.h"

namespace velt {

namespace {

// clang-format off
constexpr std::array<std::pair<int, const char*>, 7> kDoubleClick = {{
    {200, "5"}, {400, "2"}, {600, "1.7"}, {800, "1.3999999999999999"},
    {1000, "0.80000000000000004"}, {1200, "0.20000000000000001"},
    {1400, "0.14999999999999999"},
}};
constexpr std::array<const char*, 6> kScroll = {"0", "0.3125", "0.5", "0.6875", "1", "1.7"};
constexpr std::array<const char*, 3> kAcceleration = {"0", "0.875", "3"};
// clang-format on

class DefaultsPointerSettings : public HostPointerSettings {
 public:
  std::string desktopName() const override { return "macOS"; }

  std::vector<ProgramCall> commandsFor(const PointerSettings& s) const override {
    std::vector<ProgramCall> commands;
    for (const auto& [time, threshold] : kDoubleClick)
      if (s.doubleClickTime == time)
        commands.push_back(write("com.apple.mouse.doubleClickThreshold", threshold));
    if (s.scrollSpeed >= 1 && s.scrollSpeed <= 6)
      commands.push_back(write("com.apple.scrollwheel.scaling", kScroll[s.scrollSpeed - 1]));
    if (s.isPointerAcceleration && s.pointerAcceleration >= 1 && s.pointerAcceleration <= 3)
      commands.push_back(
          write("com.apple.mouse.scaling", kAcceleration[s.pointerAcceleration - 1]));
    return commands;
  }

 private:
  static ProgramCall write(const char* key, const char* value) {
    return {"defaults", "write", "-g", key, value};
  }
};

}  // namespace

std::unique_ptr<HostPointerSettings> makeDefaultsPointerSettings() {
  return std::make_unique<DefaultsPointerSettings>();
}

}  // namespace velt
