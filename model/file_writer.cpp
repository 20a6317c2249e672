#include "model/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

class SystemFileWriter : public FileWriter {
 public:
  bool replaceFile(const std::string& path, std::string_view data) override {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "." + name + std::string(kTempFileInfix) + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
      logf("cannot write %s: %s", path.c_str(), std::strerror(errno));
      return false;
    }
    ::fchmod(fd, 0644);
    const bool written = writeAll(fd, data) && ::fsync(fd) == 0;
    const int saved = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
      logf("cannot write %s: %s", path.c_str(), std::strerror(written ? errno : saved));
      ::unlink(temp.c_str());
      return false;
    }
    syncFolder(folder);
    return true;
  }

  bool removeFile(const std::string& path) override {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    logf("cannot remove %s: %s", path.c_str(), std::strerror(errno));
    return false;
  }
};

}  // namespace

FileWriter& systemFileWriter() {
  static SystemFileWriter writer;
  return writer;
}

bool isTempFileName(std::string_view fileName) {
  return !fileName.empty() && fileName.front() == '.' &&
         fileName.find(kTempFileInfix) != std::string_view::npos;
}

bool FailingFileWriter::pass() {
  return operations_++ < allowed_;
}

bool FailingFileWriter::replaceFile(const std::string& path, std::string_view data) {
  return pass() && systemFileWriter().replaceFile(path, data);
}

bool FailingFileWriter::removeFile(const std::string& path) {
  return pass() && systemFileWriter().removeFile(path);
}

}  // namespace velt
