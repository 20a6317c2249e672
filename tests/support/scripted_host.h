#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/hid_host.h"

namespace velt::testing {

using Bytes = std::vector<uint8_t>;

// "03 04 00 ..." for failure messages.
std::string hex(const Bytes& bytes);

// One feature-report transfer as the device saw it.
struct Transfer {
  bool isSet = false;
  Bytes bytes;  // the frame sent, or the buffer as it was handed in for a get
  bool operator==(const Transfer&) const = default;
};

// A HID host whose devices and report traffic are scripted: each set must match the
// next expected frame exactly, each get must ask for the next expected report and
// length and receives the canned reply. A transfer off the script is a test failure
// and fails on the wire.
class ScriptedHost : public HidHost {
 public:
  struct Step {
    bool isSet = false;
    Bytes bytes;  // the expected frame, or the reply to a get
    size_t getLength = 0;
    int status = 0;
  };
  struct State {
    std::vector<HidDeviceInfo> devices;
    bool enumerateFails = false;
    int enumerateCount = 0;
    std::vector<std::string> openedPaths;
    std::vector<std::string> unopenable;  // paths whose open fails
    int closeStatus = 0;
    int closeCount = 0;
    // Every get must hand in a buffer that is cleared but for its report ID, as the
    // device functions do; tests of the general-purpose GetFeature turn this off.
    bool requireClearedGets = true;
    std::deque<Step> script;
    std::vector<Transfer> transfers;
  };

  ScriptedHost() : state_(std::make_shared<State>()) {}
  // The state outlives the host and its connections, so tests keep this.
  std::shared_ptr<State> state() const { return state_; }

  std::optional<std::vector<HidDeviceInfo>> enumerate() override;
  std::unique_ptr<HidConnection> open(const HidDeviceInfo& device, std::string& error) override;

 private:
  std::shared_ptr<State> state_;
};

using Step = ScriptedHost::Step;
using Script = std::vector<Step>;

// Script steps: a set that must send exactly `frame`; a get of `length` bytes of the
// report `reply[0]` answered with `reply`, or failing with `status` (the buffer then
// keeps what it held); a status handshake reply of report 3.
Step wantSet(Bytes frame, int status = 0);
Step wantGet(size_t length, Bytes reply, int status = 0);
Step statusReply(uint8_t value);
Step failedStatusRead();
Script repeat(const Step& step, int times);
Script operator+(Script a, const Script& b);
// The steps of `full` up to `step`, with that one failing: a set or a read fails on
// the wire, a handshake reply reports failure.
Script failingAt(const Script& full, size_t step);

HidDeviceInfo veltInfo(uint16_t productId, uint32_t locationId, std::string path);

// Installs a fresh scripted host for each test; at the end empties the slot, brings
// back the real host and checks that the whole script was used.
class ScriptedDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Attaches one mouse in normal mode and opens it into the current-device slot.
  void openMouse();
  ScriptedHost::State& wire() { return *state_; }
  // Appends steps to the script.
  void script(const Script& steps);

 private:
  std::shared_ptr<ScriptedHost::State> state_;
};

}  // namespace velt::testing
