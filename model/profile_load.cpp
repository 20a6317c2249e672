#include "model/profile_load.h"

#include "base/log.h"
#include "model/Profile.h"
#include "model/file_aside.h"
#include "model/plist_file.h"

namespace velt {

std::string ProfileLoadResult::message() const {
  if (!needsTelling()) return "";
  std::string line =
      profileName + " starts from its defaults: " + fileNameOf(path) + ": " + reason + "; ";
  if (status == ProfileLoadStatus::kSetAside) return line + "the old file is now " + keptPath;
  return line + "it could not be moved aside and is still " + path;
}

ProfileLoadResult loadProfile(Profile& profile) {
  ProfileLoadResult result;
  result.path = profile.profilePath();
  result.profileName = profile.profileName();
  FileReadError error;
  if (profile.read(result.path, error)) {
    result.status = ProfileLoadStatus::kRead;
    return result;
  }
  if (error.problem == FileProblem::kMissing) return result;
  result.reason = error.reason;
  if (std::optional<std::string> kept = setFileAside(result.path, error.problem)) {
    result.status = ProfileLoadStatus::kSetAside;
    result.keptPath = std::move(*kept);
  } else {
    result.status = ProfileLoadStatus::kNotSetAside;
  }
  reportLine(result.message());
  return result;
}

}  // namespace velt
