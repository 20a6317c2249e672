#pragma once

#include <memory>
#include <mutex>

#include "device/hid_host.h"
#include "emulator/fault_list.h"
#include "emulator/state_dir.h"

namespace velt {

// The emulated mouse as the host's HID system shows it: one interface, in normal or
// bootloader mode, whose state lives in a StateDir shared with other processes.
// The faults, and the transfer counts they go by, belong to this host alone.
class EmulatedHidHost : public HidHost {
 public:
  EmulatedHidHost(std::unique_ptr<StateDir> dir, FaultList faults);

  std::optional<std::vector<HidDeviceInfo>> enumerate() override;
  std::unique_ptr<HidConnection> open(const HidDeviceInfo& device, std::string& error) override;

  // What the connections go through. False for a transfer that fails.
  bool setReport(uint16_t productId, const uint8_t* data, size_t length);
  bool getReport(uint16_t productId, uint8_t* data, size_t& length);

 private:
  // Counts one transfer; false when the faults make it fail before the mouse sees it.
  bool beginTransfer(bool isSet);
  bool unplugged() const;
  std::string pathOf(uint16_t productId) const;

  std::unique_ptr<StateDir> dir_;
  const FaultList faults_;
  std::mutex mutex_;  // guards the counts below
  long transfers_ = 0;
  long sets_ = 0;
  long gets_ = 0;
  int busyLeft_ = 0;  // busy answers still due in the current handshake
};

}  // namespace velt
