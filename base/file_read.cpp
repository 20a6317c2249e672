#include "base/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace velt {

namespace {

// The regular file at `path` opened for reading if it holds at most `maxBytes` bytes;
// -1 with the problem otherwise. Its size is in `size`.
int openBoundedFile(const std::string& path, size_t maxBytes, size_t& size, FileReadError& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = {errno == ENOENT ? FileProblem::kMissing : FileProblem::kUnreadable,
             std::strerror(errno)};
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    error = {FileProblem::kNotAFile, S_ISDIR(info.st_mode) ? "a folder" : "not a regular file"};
    ::close(fd);
    return -1;
  }
  if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    error = {FileProblem::kTooLarge, "file too large"};
    ::close(fd);
    return -1;
  }
  size = static_cast<size_t>(info.st_size);
  return fd;
}

// read() retried when a signal interrupts it; -1 with the reason in `error`.
ssize_t readSome(int fd, char* into, size_t count, FileReadError& error) {
  for (;;) {
    const ssize_t n = ::read(fd, into, count);
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    error = {FileProblem::kUnreadable, std::strerror(errno)};
    return -1;
  }
}

}  // namespace

std::optional<std::string> readBoundedFile(const std::string& path, size_t maxBytes,
                                           FileReadError& error) {
  size_t size = 0;
  const int fd = openBoundedFile(path, maxBytes, size, error);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  // One allocation for the size the file has now, so that a large file is not copied
  // again each time the string grows.
  bytes.reserve(size);
  char chunk[65536];
  for (;;) {
    const ssize_t n = readSome(fd, chunk, sizeof chunk, error);
    if (n < 0) break;
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

bool readExactFile(const std::string& path, std::span<char> buffer, FileReadError& error) {
  size_t size = 0;
  const int fd = openBoundedFile(path, buffer.size(), size, error);
  if (fd < 0) return false;
  bool whole = size == buffer.size();
  for (size_t got = 0; whole && got < buffer.size();) {
    const ssize_t n = readSome(fd, buffer.data() + got, buffer.size() - got, error);
    if (n <= 0) whole = false;  // cut short since its size was taken, or unreadable
    got += n > 0 ? static_cast<size_t>(n) : 0;
  }
  // Nor is a file that grew since its size was taken the file expected.
  char extra = 0;
  if (whole && readSome(fd, &extra, 1, error) != 0) whole = false;
  ::close(fd);
  if (whole) return true;
  if (error.problem == FileProblem::kNone)
    error = {FileProblem::kCorrupt, "not of the size expected"};
  return false;
}

}  // namespace velt
