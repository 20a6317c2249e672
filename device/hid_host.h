#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velt {

// One HID interface as the host enumerates it.
struct HidDeviceInfo {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  // Stable physical order of attachment points: discovery picks the lowest.
  uint32_t locationId = 0;
  // Backend-specific address of the interface; what HidHost::open takes.
  std::string path;
  // USB interface number, -1 when the backend does not know it.
  int interfaceNumber = -1;
  // False for an interface of a multi-interface device that is not the one carrying
  // the feature reports; discovery passes over it.
  bool carriesFeatureReports = true;
};

// An open HID interface. Every buffer carries the report ID in byte 0 and every
// length counts that byte. Status values follow the platform report calls: 0 is
// success, anything else a failed transfer.
class HidConnection {
 public:
  virtual ~HidConnection() = default;
  virtual int setFeatureReport(const uint8_t* data, size_t length) = 0;
  // length: the buffer's capacity in, the number of bytes received out.
  virtual int getFeatureReport(uint8_t* data, size_t& length) = 0;
  virtual int close() = 0;
};

// The platform's HID access: the seam between the device layer and hidapi, the
// emulated mouse, or a scripted test host.
class HidHost {
 public:
  virtual ~HidHost() = default;
  // Every HID interface currently attached; nullopt when the host's HID system
  // itself cannot be used.
  virtual std::optional<std::vector<HidDeviceInfo>> enumerate() = 0;
  // nullptr with a one-line reason in `error` when the interface cannot be opened.
  virtual std::unique_ptr<HidConnection> open(const HidDeviceInfo& device, std::string& error) = 0;
};

// The process-wide host every device function goes through. Until one is installed
// it is the real (hidapi) host.
HidHost& hidHost();
// Installs a host (the emulated mouse, a test host); nullptr restores the real one.
// Any device held in the current-device slot must be closed first.
void setHidHost(std::unique_ptr<HidHost> host);

}  // namespace velt
