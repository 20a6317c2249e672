// KDE Plasma: kwriteconfig into kdeglobals (double-click interval, wheel lines) and
// kcminputrc (libinput acceleration), the files Plasma's own mouse settings write.
// Plasma 6 names the tool kwriteconfig6, Plasma 5 kwriteconfig5: the backend takes the
// first one on PATH when it is made (kwriteconfig5 when neither is, so that the log names
// a tool).
#include <utility>

#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/host_settings/linux_pointer_values.h"

namespace velt {

namespace {

class KdePointerSettings : public HostPointerSettings {
 public:
  explicit KdePointerSettings(std::string tool) : tool_(std::move(tool)) {}

  std::string desktopName() const override { return "KDE Plasma"; }

  std::vector<ProgramCall> commandsFor(const PointerSettings& s) const override {
    std::vector<ProgramCall> commands;
    if (auto ms = doubleClickMilliseconds(s.doubleClickTime))
      commands.push_back(write("kdeglobals", "KDE", "DoubleClickInterval", std::to_string(*ms)));
    if (auto lines = wheelScrollLines(s.scrollSpeed))
      commands.push_back(write("kdeglobals", "KDE", "WheelScrollLines", std::to_string(*lines)));
    if (auto speed = libinputPointerSpeed(s.isPointerAcceleration, s.pointerAcceleration)) {
      commands.push_back(write("kcminputrc", "Mouse", "XLbInptAccelProfileFlat", "false"));
      // "--" ends the options: a negative speed is a value, not an option.
      commands.push_back(
          write("kcminputrc", "Mouse", "XLbInptPointerAcceleration", *speed, {"--"}));
    }
    return commands;
  }

 private:
  ProgramCall write(const char* file, const char* group, const char* key, const std::string& value,
                    std::vector<std::string> beforeValue = {}) const {
    ProgramCall call = {tool_, "--file", file, "--group", group, "--key", key};
    call.insert(call.end(), beforeValue.begin(), beforeValue.end());
    call.push_back(value);
    return call;
  }

  std::string tool_;
};

}  // namespace

std::unique_ptr<HostPointerSettings> makeKdePointerSettings() {
  return std::make_unique<KdePointerSettings>(
      firstProgramOnPath({"kwriteconfig6", "kwriteconfig5"}).value_or("kwriteconfig5"));
}

}  // namespace velt
