// KDE Plasma: kwriteconfig into kdeglobals (double-click interval, wheel lines) and
// kcminputrc (libinput acceleration), the files Plasma's own mouse settings write.
// Plasma 6 names the tool kwriteconfig6, Plasma 5 kwriteconfig5: the first one found runs.
#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/host_settings/linux_pointer_values.h"

namespace velt {

namespace {

std::string writeConfig(const std::string& file, const std::string& group, const std::string& key,
                        const std::string& value) {
  return "$(command -v kwriteconfig6 || echo kwriteconfig5) --file " + file + " --group " + group +
         " --key " + key + " " + value;
}

class KdePointerSettings : public HostPointerSettings {
 public:
  std::string desktopName() const override { return "KDE Plasma"; }

  std::vector<std::string> commandsFor(const PointerSettings& s) const override {
    std::vector<std::string> commands;
    if (auto ms = doubleClickMilliseconds(s.doubleClickTime))
      commands.push_back(
          writeConfig("kdeglobals", "KDE", "DoubleClickInterval", std::to_string(*ms)));
    if (auto lines = wheelScrollLines(s.scrollSpeed))
      commands.push_back(
          writeConfig("kdeglobals", "KDE", "WheelScrollLines", std::to_string(*lines)));
    if (auto speed = libinputPointerSpeed(s.isPointerAcceleration, s.pointerAcceleration)) {
      commands.push_back(writeConfig("kcminputrc", "Mouse", "XLbInptAccelProfileFlat", "false"));
      commands.push_back(
          writeConfig("kcminputrc", "Mouse", "XLbInptPointerAcceleration", "-- " + *speed));
    }
    return commands;
  }
};

}  // namespace

std::unique_ptr<HostPointerSettings> makeKdePointerSettings() {
  return std::make_unique<KdePointerSettings>();
}

}  // namespace velt
