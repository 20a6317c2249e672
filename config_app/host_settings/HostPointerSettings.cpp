#include "config_app/host_settings/HostPointerSettings.h"

#include <cstdlib>
#include <sstream>
#include <utility>

#include "base/log.h"
#include "model/Profile.h"
#include "toolkit/UiServices.h"

namespace velt {

PointerSettings pointerSettingsOf(const Profile& profile) {
  return {profile.doubleClickTime(), profile.scrollSpeed(), profile.isPointerAcceleration() != 0,
          profile.pointerAcceleration()};
}

void HostPointerSettings::apply(const PointerSettings& settings, UiServices& services) const {
  services.runInBackground(commandsFor(settings), kHostCommandTimeout);
}

namespace {

#ifdef __APPLE__
constexpr bool kIsMac = true;
#else
constexpr bool kIsMac = false;
#endif

class NoPointerSettings : public HostPointerSettings {
 public:
  explicit NoPointerSettings(std::string why) : why_(std::move(why)) {}
  std::string desktopName() const override { return why_; }
  std::vector<ProgramCall> commandsFor(const PointerSettings&) const override { return {}; }

 private:
  std::string why_;
};

bool listsDesktop(const std::string& desktops, const std::string& name) {
  std::istringstream list(desktops);
  for (std::string entry; std::getline(list, entry, ':');)
    if (entry == name) return true;
  return false;
}

}  // namespace

std::unique_ptr<HostPointerSettings> makeNoPointerSettings(std::string why) {
  return std::make_unique<NoPointerSettings>(std::move(why));
}

std::unique_ptr<HostPointerSettings> chooseHostPointerSettings(const std::string& currentDesktop,
                                                               bool isMac) {
  if (isMac) return makeDefaultsPointerSettings();
  if (listsDesktop(currentDesktop, "GNOME") || listsDesktop(currentDesktop, "Unity"))
    return makeGnomePointerSettings();
  if (listsDesktop(currentDesktop, "KDE")) return makeKdePointerSettings();
  std::string why = currentDesktop.empty()
                        ? "no desktop named in XDG_CURRENT_DESKTOP"
                        : "desktop \"" + currentDesktop + "\" has no pointer settings we can write";
  logLine("host pointer settings not written: " + why);
  return makeNoPointerSettings(why);
}

std::unique_ptr<HostPointerSettings> chooseHostPointerSettings() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  return chooseHostPointerSettings(desktop ? desktop : "", kIsMac);
}

}  // namespace velt
