#include "model/profile_load.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "base/log.h"
#include "model/Profile.h"
#include "model/plist_file.h"

namespace velt {
namespace {

// The word that the kept file's name carries.
const char* whyWord(FileProblem problem) {
  switch (problem) {
    case FileProblem::kNotAFile:
      return "not-a-file";
    case FileProblem::kTooLarge:
      return "too-large";
    case FileProblem::kUnreadable:
      return "unreadable";
    default:
      return "corrupt";
  }
}

std::string fileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "<path>.<why>-<YYYYMMDD-HHMMSS>" in local time, with "-2", "-3" ... when that name
// is taken.
std::string keptName(const std::string& path, FileProblem problem) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = path + "." + whyWord(problem) + "-" + stamp;
  std::string name = base;
  struct stat info {};
  for (int n = 2; ::lstat(name.c_str(), &info) == 0; ++n) name = base + "-" + std::to_string(n);
  return name;
}

}  // namespace

std::string ProfileLoadResult::message() const {
  if (!needsTelling()) return "";
  std::string line =
      profileName + " starts from its defaults: " + fileName(path) + ": " + reason + "; ";
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
  const std::string kept = keptName(result.path, error.problem);
  if (::rename(result.path.c_str(), kept.c_str()) == 0) {
    result.status = ProfileLoadStatus::kSetAside;
    result.keptPath = kept;
  } else {
    result.status = ProfileLoadStatus::kNotSetAside;
    logf("cannot move %s aside: %s", result.path.c_str(), std::strerror(errno));
  }
  reportLine(result.message());
  return result;
}

}  // namespace velt
