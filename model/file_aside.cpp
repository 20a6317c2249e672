#include "model/file_aside.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/log.h"

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

std::optional<std::string> setFileAside(const std::string& path, FileProblem problem) {
  const std::string kept = keptName(path, problem);
  if (std::rename(path.c_str(), kept.c_str()) == 0) return kept;
  logf("cannot move %s aside: %s", path.c_str(), std::strerror(errno));
  return std::nullopt;
}

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace velt
