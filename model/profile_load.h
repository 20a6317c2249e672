#pragma once

#include <string>

namespace velt {

class Profile;

// How a profile's own file was loaded at start-up.
enum class ProfileLoadStatus {
  kRead,         // the file was read into the profile
  kMissing,      // there is no file: the profile keeps its defaults (a first start)
  kSetAside,     // the file could not be read and was renamed to keptPath; defaults
  kNotSetAside,  // the file could not be read, nor renamed: it is still at its path
};

struct ProfileLoadResult {
  ProfileLoadStatus status = ProfileLoadStatus::kMissing;
  // The file looked at (profile.profilePath()) and the profile's name then.
  std::string path;
  std::string profileName;
  // Why the file was not read: "not a property list", "file too large", "a folder",
  // "Permission denied" ...; empty for kRead and kMissing.
  std::string reason;
  // kSetAside: where the old file is now.
  std::string keptPath;

  // True when the user must be told (kSetAside, kNotSetAside).
  bool needsTelling() const {
    return status == ProfileLoadStatus::kSetAside || status == ProfileLoadStatus::kNotSetAside;
  }
  // The one line to tell the user, naming the profile, the file, the reason and where
  // the old file is; empty when there is nothing to tell. For example "Profile2 starts
  // from its defaults: default2.plist: not a property list; the old file is now
  // default2.plist.corrupt-20261210-143012".
  std::string message() const;
};

// Reads the profile from profile.profilePath(). A file that is there but cannot be
// read (corrupt, too large, unreadable, a folder) is renamed in its own folder to
// "<file name>.<why>-<YYYYMMDD-HHMMSS>" ("default2.plist.corrupt-20261210-143012"), so
// that the next save cannot destroy what might still be recovered; the profile then
// keeps the values it had (the defaults at start-up). The line of message() is also
// written to standard error.
//
// The main view calls it for each profile at start-up, in place of read, and shows
// the messages of those that needsTelling() in one alert.
ProfileLoadResult loadProfile(Profile& profile);

}  // namespace velt
