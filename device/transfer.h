#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "device/result_codes.h"

// The building blocks that every command, profile and bootloader function is made
// of: building a report, sending it with or without the status handshake, reading
// one. All act on the device in the current-device slot.

namespace velt {

using Report = std::vector<uint8_t>;

inline constexpr uint8_t kCommandReportId = 0x03;
inline constexpr size_t kCommandReportLength = 8;
// Data-block report of normal mode: the ID, then 1024 bytes.
inline constexpr uint8_t kBlockReportId = 0x05;
inline constexpr size_t kBlockReportLength = 1025;

// A report of `length` bytes: `id`, then `body`, then zeros (body is cut to fit).
Report makeReport(uint8_t id, size_t length, std::span<const uint8_t> body);

// Command frame on report 3, 8 bytes:
//   0 report ID 0x03 | 1 command code (or the value of a two-frame command) |
//   2..7 arguments; every byte not given is 0.
Report commandFrame(std::initializer_list<uint8_t> body);

enum class Handshake {
  kRequired,  // the status handshake must report success
  kIgnored,   // the handshake runs, its outcome does not matter
  kNone,      // no handshake
};

// Sends `report` as a feature report, then runs the handshake as asked. False when
// the send fails or a required handshake does not report success.
bool sendReport(const Report& report, Handshake handshake = Handshake::kRequired);

// Reads feature report `id` into a cleared `length`-byte buffer that starts with
// `id`; bytes the device does not send stay 0. nullopt when the read fails.
std::optional<Report> readReport(uint8_t id, size_t length);

// 1 for a sequence that went through, 3 for one that did not.
inline DeviceResult resultOf(bool ok) {
  return ok ? kResultSuccess : kResultTransferFailed;
}

}  // namespace velt
