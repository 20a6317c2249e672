#include "base/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace velt {

std::optional<std::string> readBoundedFile(const std::string& path, size_t maxBytes,
                                           FileReadError& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = {errno == ENOENT ? FileProblem::kMissing : FileProblem::kUnreadable,
             std::strerror(errno)};
    return std::nullopt;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    error = {FileProblem::kNotAFile, S_ISDIR(info.st_mode) ? "a folder" : "not a regular file"};
    ::close(fd);
    return std::nullopt;
  }
  if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    error = {FileProblem::kTooLarge, "file too large"};
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = {FileProblem::kUnreadable, std::strerror(errno)};
      break;
    }
    if (n == 0) {
      ::close(fd);
      return bytes;
    }
    bytes.append(chunk, static_cast<size_t>(n));
    if (bytes.size() > maxBytes) {
      error = {FileProblem::kTooLarge, "file too large"};
      break;
    }
  }
  ::close(fd);
  return std::nullopt;
}

}  // namespace velt
