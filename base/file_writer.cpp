#include "base/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/log.h"

namespace velt {
namespace {

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The rename is only durable once the folder itself is flushed.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Where a write to `path` lands: the final target of a chain of symbolic links (which
// need not exist yet). Empty with the reason in `error` for a loop or a link that
// cannot be read.
std::string followLinks(std::string path, std::string& error) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) {
      error = std::strerror(errno);
      return "";
    }
    target.resize(static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    path = target.starts_with('/') || slash == std::string::npos
               ? target
               : path.substr(0, slash + 1) + target;
  }
  error = "too many levels of symbolic links";
  return "";
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

class SystemFileWriter : public FileWriter {
 public:
  using FileWriter::replaceFile;
  bool replaceFile(const std::string& path, std::string_view data, std::string& error) override {
    const std::string target = followLinks(path, error);
    if (target.empty()) return refuse(path, error);
    // What is there decides the new file's permissions, or refuses the write.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
      error = S_ISDIR(existing.st_mode) ? "a folder, not a file" : "not a regular file";
      return refuse(path, error);
    }
    const std::string folder = folderOf(target);
    const size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + "." + name + std::string(kTempFileInfix) + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
      error = std::strerror(errno);
      return refuse(path, error);
    }
    if (exists) {
      // Owner first: changing it may clear the set-ID bits that the mode restores.
      if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        // Only the owner's own user or root may hand a file on; the mode still holds.
      }
      ::fchmod(fd, existing.st_mode & 07777);
    } else {
      ::fchmod(fd, 0644);
    }
    const bool written = writeAll(fd, data) && ::fsync(fd) == 0;
    const int saved = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
      error = std::strerror(written ? errno : saved);
      ::unlink(temp.c_str());
      return refuse(path, error);
    }
    syncFolder(folder);
    return true;
  }

  bool removeFile(const std::string& path) override {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    logf("cannot remove %s: %s", path.c_str(), std::strerror(errno));
    return false;
  }

 private:
  static bool refuse(const std::string& path, const std::string& error) {
    logf("cannot write %s: %s", path.c_str(), error.c_str());
    return false;
  }
};

}  // namespace

FileWriter& systemFileWriter() {
  static SystemFileWriter writer;
  return writer;
}

std::string tempFileTarget(std::string_view fileName) {
  // mkstemp's six characters follow the infix.
  constexpr size_t kSuffix = 6;
  if (fileName.size() < 2 + kTempFileInfix.size() + kSuffix || fileName.front() != '.') return {};
  const size_t infix = fileName.size() - kSuffix - kTempFileInfix.size();
  if (fileName.substr(infix, kTempFileInfix.size()) != kTempFileInfix) return {};
  for (char c : fileName.substr(infix + kTempFileInfix.size())) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return {};
  }
  return std::string(fileName.substr(1, infix - 1));
}

bool isTempFileName(std::string_view fileName) {
  return !tempFileTarget(fileName).empty();
}

bool removeStaleTempFiles(const std::string& folder,
                          const std::function<bool(const std::string&)>& ownTarget,
                          FileWriter& writer) {
  namespace fs = std::filesystem;
  std::vector<std::string> stale;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const std::string target = tempFileTarget(name);
    std::error_code typeError;
    if (!target.empty() && ownTarget(target) && it->is_regular_file(typeError))
      stale.push_back(it->path().string());
  }
  bool removed = !error;
  for (const std::string& path : stale) removed = writer.removeFile(path) && removed;
  return removed;
}

bool FailingFileWriter::pass() {
  return operations_++ < allowed_;
}

bool FailingFileWriter::replaceFile(const std::string& path, std::string_view data,
                                    std::string& error) {
  if (!pass()) {
    error = "cut short";
    return false;
  }
  return systemFileWriter().replaceFile(path, data, error);
}

bool FailingFileWriter::removeFile(const std::string& path) {
  return pass() && systemFileWriter().removeFile(path);
}

}  // namespace velt
