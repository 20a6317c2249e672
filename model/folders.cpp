#include "model/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace velt {
namespace {

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

}  // namespace

std::string profileFolder() {
  return homeFolder() + "/Corvel/VELTPLUS/Profiles/";
}

std::string macroFolder() {
  return homeFolder() + "/Corvel/VELTPLUS/Macros/";
}

std::string profileFileName(int profile) {
  return "default" + std::to_string(profile) + ".plist";
}

bool isProfileFileName(const std::string& fileName) {
  for (int profile = 1; profile <= 5; ++profile) {
    if (fileName == profileFileName(profile)) return true;
  }
  return false;
}

int profileSlot(int profile) {
  return profile == 5 ? 0 : profile;
}

}  // namespace velt
