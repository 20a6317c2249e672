#include "tests/support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "device/hid_device.h"

namespace velt::testing {
namespace {

class ScriptedConnection : public HidConnection {
 public:
  explicit ScriptedConnection(std::shared_ptr<ScriptedHost::State> state)
      : state_(std::move(state)) {}

  int setFeatureReport(const uint8_t* data, size_t length) override {
    Bytes frame(data, data + length);
    state_->transfers.push_back({true, frame});
    ScriptedHost::Step step;
    if (!next(step, "set " + hex(frame))) return -1;
    if (!step.isSet || step.bytes != frame) {
      ADD_FAILURE() << "sent " << hex(frame) << " but the script expected "
                    << (step.isSet ? "set " : "get of ") << hex(step.bytes);
      return -1;
    }
    return step.status;
  }

  int getFeatureReport(uint8_t* data, size_t& length) override {
    state_->transfers.push_back({false, Bytes(data, data + length)});
    ScriptedHost::Step step;
    if (!next(step, "get of report " + std::to_string(data[0]))) return -1;
    if (step.isSet || step.getLength != length || step.bytes.empty() || step.bytes[0] != data[0]) {
      ADD_FAILURE() << "get of report " << int(data[0]) << " length " << length
                    << " but the script expected " << (step.isSet ? "set " : "get ")
                    << hex(step.bytes) << " length " << step.getLength;
      return -1;
    }
    if (state_->requireClearedGets &&
        std::any_of(data + 1, data + length, [](uint8_t b) { return b != 0; })) {
      ADD_FAILURE() << "get of report " << int(data[0])
                    << " into a buffer not cleared: " << hex(Bytes(data, data + length));
    }
    if (step.status != 0) return step.status;
    length = std::min(length, step.bytes.size());
    std::copy_n(step.bytes.begin(), length, data);
    return 0;
  }

  int close() override {
    ++state_->closeCount;
    return state_->closeStatus;
  }

 private:
  bool next(ScriptedHost::Step& step, const std::string& what) {
    if (state_->script.empty()) {
      ADD_FAILURE() << "unscripted " << what;
      return false;
    }
    step = state_->script.front();
    state_->script.pop_front();
    return true;
  }

  std::shared_ptr<ScriptedHost::State> state_;
};

}  // namespace

std::string hex(const Bytes& bytes) {
  std::string text;
  for (uint8_t b : bytes) {
    char two[4];
    std::snprintf(two, sizeof two, text.empty() ? "%02x" : " %02x", b);
    text += two;
  }
  return text;
}

std::optional<std::vector<HidDeviceInfo>> ScriptedHost::enumerate() {
  ++state_->enumerateCount;
  if (state_->enumerateFails) return std::nullopt;
  return state_->devices;
}

std::unique_ptr<HidConnection> ScriptedHost::open(const HidDeviceInfo& device, std::string& error) {
  const auto& bad = state_->unopenable;
  if (std::find(bad.begin(), bad.end(), device.path) != bad.end()) {
    error = "cannot open " + device.path;
    return nullptr;
  }
  state_->openedPaths.push_back(device.path);
  return std::make_unique<ScriptedConnection>(state_);
}

Step wantSet(Bytes frame, int status) {
  return {true, std::move(frame), 0, status};
}

Step wantGet(size_t length, Bytes reply, int status) {
  return {false, std::move(reply), length, status};
}

Step statusReply(uint8_t value) {
  return wantGet(8, {3, value});
}

Step failedStatusRead() {
  return wantGet(8, {3}, -1);
}

Script repeat(const Step& step, int times) {
  return Script(static_cast<size_t>(times), step);
}

Script operator+(Script a, const Script& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Script failingAt(const Script& full, size_t step) {
  Script s(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(step) + 1);
  Step& last = s.back();
  const bool isStatus = !last.isSet && last.getLength == 8 && last.bytes.size() == 2;
  if (isStatus) {
    last = statusReply(2);
  } else {
    last.status = -1;
  }
  return s;
}

HidDeviceInfo veltInfo(uint16_t productId, uint32_t locationId, std::string path) {
  HidDeviceInfo info;
  info.vendorId = 0x22D4;
  info.productId = productId;
  info.locationId = locationId;
  info.path = std::move(path);
  return info;
}

void ScriptedDeviceTest::SetUp() {
  auto host = std::make_unique<ScriptedHost>();
  state_ = host->state();
  setHidHost(std::move(host));
}

void ScriptedDeviceTest::TearDown() {
  Close_device();
  setHidHost(nullptr);
  EXPECT_TRUE(state_->script.empty()) << state_->script.size() << " scripted transfers unused";
}

void ScriptedDeviceTest::script(const Script& steps) {
  state_->script.insert(state_->script.end(), steps.begin(), steps.end());
}

void ScriptedDeviceTest::openMouse() {
  state_->devices = {veltInfo(0x1301, 0x01100000, "mouse")};
  ASSERT_TRUE(Open_device());
}

}  // namespace velt::testing
