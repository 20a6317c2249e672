#include "emulator/emulated_hid_host.h"

#include <chrono>

#include "base/clock.h"
#include "device/hid_device.h"
#include "emulator/mouse_firmware.h"

namespace velt {
namespace {

// Where the emulated mouse sits among the host's HID interfaces.
constexpr uint32_t kLocationId = 0x00100000;

class EmulatedConnection : public HidConnection {
 public:
  EmulatedConnection(EmulatedHidHost& host, uint16_t productId)
      : host_(host), productId_(productId) {}
  int setFeatureReport(const uint8_t* data, size_t length) override {
    return host_.setReport(productId_, data, length) ? 0 : -1;
  }
  int getFeatureReport(uint8_t* data, size_t& length) override {
    return host_.getReport(productId_, data, length) ? 0 : -1;
  }
  int close() override { return 0; }

 private:
  EmulatedHidHost& host_;
  const uint16_t productId_;
};

}  // namespace

EmulatedHidHost::EmulatedHidHost(std::unique_ptr<StateDir> dir, FaultList faults)
    : dir_(std::move(dir)), faults_(std::move(faults)) {}

std::string EmulatedHidHost::pathOf(uint16_t productId) const {
  return "emulated:" + dir_->path() +
         (productId == kBootloaderProductId ? "#bootloader" : "#normal");
}

bool EmulatedHidHost::unplugged() const {
  return faults_.unplugAfter >= 0 && transfers_ >= faults_.unplugAfter;
}

std::optional<std::vector<HidDeviceInfo>> EmulatedHidHost::enumerate() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (unplugged()) return std::vector<HidDeviceInfo>{};
  }
  uint16_t product = 0;
  dir_->transact([&](MouseState& state) {
    passDiscovery(state);
    product = presentProduct(state);
    return true;
  });
  std::vector<HidDeviceInfo> devices;
  if (product != 0) devices.push_back({kVeltVendorId, product, kLocationId, pathOf(product), 1});
  return devices;
}

std::unique_ptr<HidConnection> EmulatedHidHost::open(const HidDeviceInfo& device,
                                                     std::string& error) {
  if (device.path != pathOf(device.productId)) {
    error = "no emulated mouse at " + device.path;
    return nullptr;
  }
  return std::make_unique<EmulatedConnection>(*this, device.productId);
}

bool EmulatedHidHost::beginTransfer(bool isSet) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (unplugged()) return false;
  ++transfers_;
  const long number = isSet ? ++sets_ : ++gets_;
  return !(isSet ? faults_.droppedSets : faults_.droppedGets).contains(number);
}

bool EmulatedHidHost::setReport(uint16_t productId, const uint8_t* data, size_t length) {
  if (!beginTransfer(true)) return false;
  if (faults_.latencyUs > 0) clock().sleepFor(std::chrono::microseconds(faults_.latencyUs));
  SetOutcome outcome;
  dir_->transact([&](MouseState& state) {
    MouseContext context{state, faults_, *dir_};
    outcome = mouseSetReport(context, productId, {data, length});
    return true;
  });
  if (outcome.delivered) {
    std::lock_guard<std::mutex> lock(mutex_);
    busyLeft_ = outcome.handshakeFollows ? faults_.busy : 0;
  }
  return outcome.delivered;
}

bool EmulatedHidHost::getReport(uint16_t productId, uint8_t* data, size_t& length) {
  if (!beginTransfer(false)) return false;
  if (faults_.latencyUs > 0) clock().sleepFor(std::chrono::microseconds(faults_.latencyUs));
  if (length == 0) return false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (data[0] == 3 && length >= kReport3Size && busyLeft_ > 0) {
      --busyLeft_;
      std::fill(data, data + kReport3Size, 0);
      data[0] = 3;
      data[1] = 3;  // busy
      length = kReport3Size;
      return true;
    }
  }
  bool delivered = false;
  dir_->transact([&](MouseState& state) {
    MouseContext context{state, faults_, *dir_};
    delivered = mouseGetReport(context, productId, data, length);
    return true;
  });
  return delivered;
}

}  // namespace velt
