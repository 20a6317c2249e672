// GNOME: gsettings on org.gnome.desktop.peripherals.mouse. GNOME has no setting for the
// wheel's scroll speed, so that one is left alone.
#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/host_settings/linux_pointer_values.h"

namespace velt {

namespace {

class GnomePointerSettings : public HostPointerSettings {
 public:
  std::string desktopName() const override { return "GNOME"; }

  std::vector<ProgramCall> commandsFor(const PointerSettings& s) const override {
    std::vector<ProgramCall> commands;
    if (auto ms = doubleClickMilliseconds(s.doubleClickTime))
      commands.push_back(set("double-click", std::to_string(*ms)));
    if (auto speed = libinputPointerSpeed(s.isPointerAcceleration, s.pointerAcceleration)) {
      commands.push_back(set("accel-profile", "adaptive"));
      commands.push_back(set("speed", *speed));
    }
    return commands;
  }

 private:
  static ProgramCall set(const std::string& key, const std::string& value) {
    return {"gsettings", "set", "org.gnome.desktop.peripherals.mouse", key, value};
  }
};

}  // namespace

std::unique_ptr<HostPointerSettings> makeGnomePointerSettings() {
  return std::make_unique<GnomePointerSettings>();
}

}  // namespace velt
