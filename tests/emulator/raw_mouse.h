#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/hid_device.h"
#include "emulator/emulated_hid_host.h"
#include "tests/support/temp_folder.h"

namespace velt {

using Bytes = std::vector<uint8_t>;

// An emulated host on `dir` with the faults of `faultList` (parsed, must be valid).
inline std::unique_ptr<EmulatedHidHost> makeHost(const std::string& dir,
                                                 const std::string& faultList = "") {
  FaultList faults;
  std::string error;
  EXPECT_TRUE(parseFaultList(faultList, faults, error)) << error;
  std::unique_ptr<StateDir> state = StateDir::open(dir, error);
  EXPECT_TRUE(state) << error;
  return std::make_unique<EmulatedHidHost>(std::move(state), faults);
}

// The state as the folder holds it now.
inline MouseState storedState(const std::string& dir) {
  MouseState state;
  std::string error;
  std::unique_ptr<StateDir> folder = StateDir::open(dir, error);
  EXPECT_TRUE(folder) << error;
  if (folder) {
    folder->transact([&](MouseState& s) {
      state = s;
      return true;
    });
  }
  return state;
}

// Raw reports to one emulated host, as the device layer would send them.
class RawMouse {
 public:
  explicit RawMouse(EmulatedHidHost& host, uint16_t product = kNormalProductId)
      : host_(host), product_(product) {}

  // Sends `body` padded with zeros to `length` bytes; true when the transfer went.
  bool set(Bytes body, size_t length = 8) {
    body.resize(length, 0);
    return host_.setReport(product_, body.data(), body.size());
  }
  // Report `id` read into a cleared `length`-byte buffer; empty when the read fails.
  Bytes get(uint8_t id, size_t length = 8) {
    Bytes buffer(length, 0);
    buffer[0] = id;
    size_t got = length;
    if (!host_.getReport(product_, buffer.data(), got)) return {};
    buffer.resize(got);
    return buffer;
  }
  // Byte 1 of the next status read; -1 when the read fails.
  int status() {
    Bytes reply = get(3);
    return reply.size() == 8 ? reply[1] : -1;
  }
  // A report-3 command frame and its status.
  int command(Bytes frame) { return set(std::move(frame)) ? status() : -1; }

 private:
  EmulatedHidHost& host_;
  uint16_t product_;
};

}  // namespace velt
