#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/run_program.h"

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

// How long one host command may take. The poll applies the settings on every profile
// switch; a settings tool stuck on its desktop bus (gsettings waits 25 s for D-Bus) is
// stopped after this.
constexpr std::chrono::milliseconds kHostCommandTimeout{2000};

// Writes the pointer settings of the current profile into the desktop's own settings.
// One implementation per kind of desktop; a value the desktop has no place for is left
// alone. Every command goes through the UI services, so tests record them.
class HostPointerSettings {
 public:
  virtual ~HostPointerSettings() = default;
  // What the settings go into, for the log ("GNOME", "KDE Plasma", ...).
  virtual std::string desktopName() const = 0;
  // The programs that apply the settings, with their arguments, in the order they run:
  // double-click, scroll, acceleration.
  virtual std::vector<ProgramCall> commandsFor(const PointerSettings& settings) const = 0;
  // Hands the commands to the services' background worker, each with
  // kHostCommandTimeout: the caller (the user interface) never waits for them, and a
  // failure is logged there.
  void apply(const PointerSettings& settings, UiServices& services) const;
};

// The macOS global preference store ("defaults write -g ...").
std::unique_ptr<HostPointerSettings> makeDefaultsPointerSettings();
// GNOME's settings through gsettings.
std::unique_ptr<HostPointerSettings> makeGnomePointerSettings();
// KDE Plasma's settings through kwriteconfig6, else kwriteconfig5 (the first on PATH
// when made).
std::unique_ptr<HostPointerSettings> makeKdePointerSettings();
// A desktop we cannot write to: no commands.
std::unique_ptr<HostPointerSettings> makeNoPointerSettings(std::string why);

// The implementation for the desktop this program runs on, from the platform and
// XDG_CURRENT_DESKTOP (a colon-separated list, e.g. "ubuntu:GNOME").
std::unique_ptr<HostPointerSettings> chooseHostPointerSettings(const std::string& currentDesktop,
                                                               bool isMac);
std::unique_ptr<HostPointerSettings> chooseHostPointerSettings();

}  // namespace velt
