#include "device/transfer.h"
#include "device/mouse_lock.h"

#include <algorithm>

#include "device/commands.h"
#include "device/hid_device.h"

namespace velt {
namespace {

constexpr int kStatusAttempts = 10;
constexpr uint8_t kStatusSuccess = 1;
constexpr uint8_t kStatusBusy = 3;

}  // namespace

Report makeReport(uint8_t id, size_t length, std::span<const uint8_t> body) {
  Report report(length, 0);
  report[0] = id;
  std::copy_n(body.begin(), std::min(body.size(), length - 1), report.begin() + 1);
  return report;
}

Report commandFrame(std::initializer_list<uint8_t> body) {
  return makeReport(kCommandReportId, kCommandReportLength,
                    std::span<const uint8_t>(body.begin(), body.size()));
}

// Status reply, report 3: byte 1 is 1 for success, 3 for busy, anything else a
// failure. A read that fails counts as busy.
bool QuerySetResult() {
  const MouseLock exchange;
  for (int attempt = 0; attempt < kStatusAttempts; ++attempt) {
    std::optional<Report> status = readReport(kCommandReportId, kCommandReportLength);
    if (!status || (*status)[1] == kStatusBusy) continue;
    return (*status)[1] == kStatusSuccess;
  }
  return false;
}

bool sendReport(const Report& report, Handshake handshake) {
  if (!SetFeature(report.data(), report.size())) return false;
  switch (handshake) {
    case Handshake::kRequired:
      return QuerySetResult();
    case Handshake::kIgnored:
      QuerySetResult();
      return true;
    case Handshake::kNone:
      return true;
  }
  return true;
}

std::optional<Report> readReport(uint8_t id, size_t length) {
  Report buffer(length, 0);
  buffer[0] = id;
  size_t received = length;
  if (!GetFeature(buffer.data(), received)) return std::nullopt;
  // Whatever the device left out of a short reply reads as zero.
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(std::min(received, length)), buffer.end(),
            0);
  buffer[0] = id;
  return buffer;
}

}  // namespace velt
