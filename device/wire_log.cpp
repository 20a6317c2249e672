#include "device/wire_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/log.h"

namespace velt {
namespace {

// A log that cannot be written must not fail the transfer it describes, but the user
// who asked for it hears so, once per process rather than once per transfer.
void reportUnwritable(const std::string& path, int error) {
  static std::atomic<bool> reported{false};
  if (reported.exchange(true)) return;
  reportLine("VELT_WIRE_LOG: cannot write " + path + ": " + std::strerror(error));
}

class WireLogConnection : public HidConnection {
 public:
  WireLogConnection(std::unique_ptr<HidConnection> inner, std::string path)
      : inner_(std::move(inner)), path_(std::move(path)) {}

  int setFeatureReport(const uint8_t* data, size_t length) override {
    const int status = inner_->setFeatureReport(data, length);
    append(wireLogLine("set", status == 0, data, length));
    return status;
  }

  int getFeatureReport(uint8_t* data, size_t& length) override {
    const size_t capacity = length;
    const int status = inner_->getFeatureReport(data, length);
    // A failed read logs the buffer as it stood; a backend never reports more
    // bytes than the buffer holds.
    const size_t shown = status == 0 ? std::min(length, capacity) : capacity;
    append(wireLogLine("get", status == 0, data, shown));
    return status;
  }

  int close() override { return inner_->close(); }

 private:
  // One write per line on an O_APPEND descriptor, so that processes sharing the log
  // never interleave within a line.
  void append(const std::string& line) {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      reportUnwritable(path_, errno);
      return;
    }
    const ssize_t written = ::write(fd, line.data(), line.size());
    if (written != static_cast<ssize_t>(line.size()))
      reportUnwritable(path_, written < 0 ? errno : ENOSPC);
    ::close(fd);
  }

  std::unique_ptr<HidConnection> inner_;
  std::string path_;
};

}  // namespace

std::string wireLogLine(std::string_view direction, bool ok, const uint8_t* data, size_t length) {
  std::string line(direction);
  line += ok ? " ok" : " fail";
  for (size_t i = 0; i < length; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", data[i]);
    line += hex;
  }
  line += '\n';
  return line;
}

std::unique_ptr<HidConnection> withWireLog(std::unique_ptr<HidConnection> connection) {
  const char* path = std::getenv("VELT_WIRE_LOG");
  if (!connection || !path || !*path) return connection;
  return std::make_unique<WireLogConnection>(std::move(connection), path);
}

}  // namespace velt
