#pragma once

#include <memory>
#include <string>
#include <vector>

namespace velt {

class Profile;
class UiServices;

// The three host-side pointer settings of a profile, as the profile stores them.
struct PointerSettings {
  int doubleClickTime = 0;  // 200 (slowest double-click) .. 1400 (fastest), steps of 200
  int scrollSpeed = 0;      // 1 (slowest) .. 6 (fastest)
  bool isPointerAcceleration = false;
  int pointerAcceleration = 0;  // 1 .. 3; left alone on the host when off
};

PointerSettings pointerSettingsOf(const Profile& profile);

// Writes the pointer settings of the current profile into the desktop's own settings.
// One implementation per kind of desktop; a value the desktop has no place for is left
// alone. Every command goes through the UI services, so tests record them.
class HostPointerSettings {
 public:
  virtual ~HostPointerSettings() = default;
  // What the settings go into, for the log ("GNOME", "KDE Plasma", ...).
  virtual std::string desktopName() const = 0;
  // The command lines that apply the settings, in the order they run: double-click,
  // scroll, acceleration.
  virtual std::vector<std::string> commandsFor(const PointerSettings& settings) const = 0;
  // Runs the commands, one after the other, through the services.
  void apply(const PointerSettings& settings, UiServices& services) const;
};

// The macOS global preference store ("defaults write -g ...").
std::unique_ptr<HostPointerSettings> makeDefaultsPointerSettings();
// GNOME's settings through gsettings.
std::unique_ptr<HostPointerSettings> makeGnomePointerSettings();
// KDE Plasma's settings through kwriteconfig.
std::unique_ptr<HostPointerSettings> makeKdePointerSettings();
// A desktop we cannot write to: no commands.
std::unique_ptr<HostPointerSettings> makeNoPointerSettings(std::string why);

// The implementation for the desktop this program runs on, from the platform and
// XDG_CURRENT_DESKTOP (a colon-separated list, e.g. "ubuntu:GNOME").
std::unique_ptr<HostPointerSettings> chooseHostPointerSettings(const std::string& currentDesktop,
                                                               bool isMac);
std::unique_ptr<HostPointerSettings> chooseHostPointerSettings();

}  // namespace velt
